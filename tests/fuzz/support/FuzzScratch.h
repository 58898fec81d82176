// What every fuzz target shares: one headless engine for the process, a
// scratch folder in memory that is the working directory, and the files an
// input becomes there (the readers take file names, not bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

class Engine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

// Created on first use and kept until the process ends. Its log goes to
// $DUSKMAW_FUZZ_LOG when set, else nowhere (a log file would grow without end).
Engine& TheEngine();

// Files of one input, removed again when it goes out of scope so that no
// input sees what an earlier one left behind.
class ScratchFiles {
public:
    ScratchFiles();
    ~ScratchFiles();
    ScratchFiles(const ScratchFiles&) = delete;
    ScratchFiles& operator=(const ScratchFiles&) = delete;

    // Writes the bytes to name (relative to the scratch folder) and returns it.
    const char* Write(const std::string& name, std::string_view bytes);
    // A name an input's reader may write to; removed with the rest.
    const char* Claim(const std::string& name);

private:
    // A deque keeps the names handed out in place as more are added.
    std::deque<std::string> m_names;
};

// An input of several files: the parts between lines of kPartSeparator.
// The first is the main file; at most kMaxParts are taken.
constexpr std::string_view kPartSeparator = "\n%%\n";
constexpr std::size_t kMaxParts = 8;
std::vector<std::string_view> SplitParts(const std::uint8_t* data, std::size_t size);

// The input as text.
inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Fixtures every input may name, made once in the scratch folder:
//   t.png  a 64 x 64 texture      f.fnt  a two-glyph font on t.png
//   p.psi  a particle system      s.txt  a string table
extern const char* const kTextureFixture;
extern const char* const kFontFixture;
extern const char* const kParticleFixture;
extern const char* const kStringTableFixture;

} // namespace fuzz
