// Text as a JSON string literal, for the programs' per-frame traces.
#pragma once

#include <ostream>
#include <string>

std::string JsonString(const std::string& text);

// Writes [item, item, ...], each by write(out, item).
template <typename List, typename Write>
void JsonArray(std::ostream& out, const List& list, Write&& write) {
    out << '[';
    bool first = true;
    for (const auto& item : list) {
        if (!first) {
            out << ',';
        }
        first = false;
        write(out, item);
    }
    out << ']';
}
