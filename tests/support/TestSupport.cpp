#include "tests/support/TestSupport.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace testing_support {

std::string SourceDir() {
    const char* dir = std::getenv("DUSKMAW_SOURCE_DIR");
    if (dir && *dir) {
        return dir;
    }
#ifdef DUSKMAW_SOURCE_DIR_DEFAULT
    return DUSKMAW_SOURCE_DIR_DEFAULT;
#else
    return ".";
#endif
}

std::string WindowTestSkipReason() {
    if (!std::getenv("DISPLAY")) {
        return "no X display";
    }
#if defined(__SANITIZE_ADDRESS__)
    return "system GL libraries leak under the address sanitizer";
#else
    return "";
#endif
}

std::string MakeTempDir(const std::string& tag) {
    static std::atomic<int> counter{0};
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        ("duskmaw-" + tag + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::filesystem::path p(path);
    if (p.has_parent_path()) {
        std::filesystem::create_directories(p.parent_path());
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

HeadlessEngine::HeadlessEngine(EngineOptions options) : m_dir(MakeTempDir("engine")) {
    options.headless = true;
    options.noDialogs = true;
    if (options.logFile.empty()) {
        options.logFile = m_dir + "/log.txt";
    }
    SetEngineOptions(options);
    m_engine = EngineCreate(ENGINE_VERSION);
    m_engine->System_SetState(ENGINE_SCREENWIDTH, 1024);
    m_engine->System_SetState(ENGINE_SCREENHEIGHT, 768);
    m_engine->System_Initiate();
}

HeadlessEngine::~HeadlessEngine() {
    m_engine->System_Shutdown();
    m_engine->Release();
    SetEngineOptions(EngineOptions{});
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
}

InDataDir::InDataDir() : m_previous(std::filesystem::current_path().string()) {
    std::filesystem::current_path(SourceDir() + "/data");
}

InDataDir::~InDataDir() {
    std::error_code ec;
    std::filesystem::current_path(m_previous, ec);
}

} // namespace testing_support
