// Sound files for the sound tests: the shipped music and voices, and short
// WAV files written on the spot.
#pragma once

#include "tests/support/TestSupport.h"

#include <cstdint>
#include <string>

namespace sound_test {

inline std::string Shipped(const std::string& relative) {
    return testing_support::SourceDir() + "/data/" + relative;
}

// A mono 16-bit 22050 Hz WAV of `seconds` of a quiet tone.
inline std::string WriteToneWav(const std::string& path, double seconds) {
    const std::uint32_t rate = 22050;
    auto frames = static_cast<std::uint32_t>(seconds * rate);
    std::string bytes;
    auto put = [&bytes](std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    bytes += "RIFF";
    put(36 + frames * 2, 4);
    bytes += "WAVEfmt ";
    put(16, 4);
    put(1, 2);
    put(1, 2);
    put(rate, 4);
    put(rate * 2, 4);
    put(2, 2);
    put(16, 2);
    bytes += "data";
    put(frames * 2, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        put(static_cast<std::uint32_t>((i % 50) < 25 ? 1000 : -1000), 2);
    }
    testing_support::WriteFile(path, bytes);
    return path;
}

} // namespace sound_test
