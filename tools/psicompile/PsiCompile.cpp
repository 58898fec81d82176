// duskmaw-psicompile --src EFFECTS_DIR --out DATA_DIR   compiles every NAME.txt to fx/NAME.psi
// duskmaw-psicompile IN.txt OUT.psi                     compiles one description
#include "tools/psicompile/PsiDescription.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

bool CompileFile(const std::filesystem::path& in, const std::filesystem::path& out) {
    std::ifstream f(in, std::ios::binary);
    if (!f) {
        std::fprintf(stderr, "psicompile: cannot read %s\n", in.c_str());
        return false;
    }
    std::stringstream text;
    text << f.rdbuf();
    psi::Result r = psi::Compile(text.str());
    if (!r.ok) {
        std::fprintf(stderr, "%s: %s\n", in.c_str(), r.error.c_str());
        return false;
    }
    std::error_code ec;
    if (out.has_parent_path()) {
        std::filesystem::create_directories(out.parent_path(), ec);
    }
    std::ofstream o(out, std::ios::binary | std::ios::trunc);
    o.write(reinterpret_cast<const char*>(r.record.data()), r.record.size());
    return static_cast<bool>(o);
}

} // namespace

int main(int argc, char** argv) {
    std::string src, out;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--src") == 0) {
            src = argv[i + 1];
        } else if (std::strcmp(argv[i], "--out") == 0) {
            out = argv[i + 1];
        }
    }
    if (argc == 3 && src.empty() && out.empty()) {
        return CompileFile(argv[1], argv[2]) ? 0 : 1;
    }
    if (src.empty() || out.empty()) {
        std::fprintf(stderr, "usage: duskmaw-psicompile --src EFFECTS_DIR --out DATA_DIR\n"
                             "       duskmaw-psicompile IN.txt OUT.psi\n");
        return 2;
    }
    std::vector<std::filesystem::path> inputs;
    for (const auto& e : std::filesystem::directory_iterator(src)) {
        if (e.path().extension() == ".txt") {
            inputs.push_back(e.path());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    bool ok = !inputs.empty();
    for (const auto& in : inputs) {
        ok = CompileFile(in, std::filesystem::path(out) / "fx" / (in.stem().string() + ".psi")) &&
             ok;
    }
    return ok ? 0 : 1;
}
