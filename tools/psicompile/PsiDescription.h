// Reads one readable particle description ("key = values" lines, "#"
// comments) into the 128-byte little-endian settings record of a .psi file.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace psi {

using Record = std::array<uint8_t, 128>;

struct Result {
    bool ok = false;
    std::string error; // "line N: why" when not ok
    Record record{};
};

// Every setting has a default (a harmless, non-emitting system), so a
// description names only what it changes.
Result Compile(const std::string& text);

} // namespace psi
