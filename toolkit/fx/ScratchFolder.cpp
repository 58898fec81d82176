#include "toolkit/fx/ScratchFolder.h"

#include "platform/registry/Registry.h"

#include <filesystem>
#include <unistd.h>

namespace {

struct Scratch {
    std::string folder;
    bool made = false;
};

} // namespace

const std::string& ScratchFolder() {
    Scratch& scratch = Registry::Current().Get<Scratch>();
    if (!scratch.made) {
        scratch.made = true;
        std::error_code ec;
        std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
        if (!ec) {
            dir /= "duskmaw-" + std::to_string(getpid());
            std::filesystem::create_directories(dir, ec);
            if (!ec) {
                scratch.folder = dir.string() + "/";
            }
        }
    }
    return scratch.folder;
}

void RemoveScratchFolder() {
    Scratch& scratch = Registry::Current().Get<Scratch>();
    if (!scratch.folder.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(scratch.folder, ec);
        scratch.folder.clear();
    }
}
