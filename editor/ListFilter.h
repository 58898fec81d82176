// The definition list's search: letters typed while the pointer is over the
// panel keep only the names that contain them (case does not matter).
#pragma once

#include <string>
#include <vector>

class ListFilter {
public:
    static constexpr std::size_t kMaxText = 63; // a list line's length

    // A typed character: printable ones add to the text, Backspace (8)
    // takes the last away. True when the text changed.
    bool Type(int character);
    // Esc: true when there was something to clear.
    bool Clear();
    const std::string& Text() const { return m_text; }
    bool Matches(const std::string& name) const;
    std::vector<std::string> Apply(const std::vector<std::string>& names) const;

private:
    std::string m_text;
};
