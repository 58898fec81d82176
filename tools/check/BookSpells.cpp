#include "tools/check/BookSpells.h"

#include <cctype>

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

std::vector<NamedSpell> ReadSpellNames(const tinyxml2::XMLDocument& spells) {
    std::vector<NamedSpell> names;
    const tinyxml2::XMLElement* root = spells.FirstChildElement("spells");
    if (!root) {
        return names;
    }
    int index = 0;
    for (const tinyxml2::XMLElement* spell = root->FirstChildElement("spell"); spell;
         spell = spell->NextSiblingElement("spell"), ++index) {
        const tinyxml2::XMLNode* before = spell->PreviousSibling();
        if (!before || !before->ToComment()) {
            continue;
        }
        const std::string comment = before->Value();
        const std::string name = Trimmed(comment.substr(0, comment.find_first_of("(:")));
        if (!name.empty()) {
            names.push_back({index, name});
        }
    }
    return names;
}

namespace {

bool IsCapital(char c) {
    return c >= 'A' && c <= 'Z';
}

// A row of capitals and a bracket of keys, nothing else on the row: fills
// the name and the keys. Read by hand: the library's regex trips a false
// warning in the sanitizer build.
bool ReadHeading(const std::string& row, SpellHeading& heading) {
    const std::size_t first = row.find_first_not_of(' ');
    const std::size_t open = row.find(" (", first == std::string::npos ? 0 : first);
    if (first == std::string::npos || open == std::string::npos || open - first < 2) {
        return false;
    }
    const std::string name = row.substr(first, open - first);
    if (!IsCapital(name.front()) || !IsCapital(name.back())) {
        return false;
    }
    for (char c : name) {
        if (!IsCapital(c) && c != '\'' && c != ' ') {
            return false;
        }
    }
    const std::size_t close = row.find(')', open + 2);
    if (close == std::string::npos || row.find_first_not_of(' ', close + 1) != std::string::npos) {
        return false;
    }
    heading = {name, row.substr(open + 2, close - open - 2), ""};
    return true;
}

} // namespace

std::vector<SpellHeading> FindSpellHeadings(const std::string& page) {
    std::vector<SpellHeading> headings;
    std::size_t previousEnd = 0;
    for (std::size_t rowStart = 0; rowStart <= page.size();) {
        std::size_t rowEnd = page.find('\n', rowStart);
        if (rowEnd == std::string::npos) {
            rowEnd = page.size();
        }
        SpellHeading heading;
        if (ReadHeading(page.substr(rowStart, rowEnd - rowStart), heading)) {
            // The body ends at the line break before the next heading.
            const std::size_t start = rowStart == 0 ? 0 : rowStart - 1;
            if (!headings.empty()) {
                headings.back().body = page.substr(previousEnd, start - previousEnd);
            }
            headings.push_back(heading);
            previousEnd = rowEnd;
        }
        rowStart = rowEnd + 1;
    }
    if (!headings.empty()) {
        headings.back().body = page.substr(previousEnd);
    }
    return headings;
}

bool SameSpellName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (std::tolower(static_cast<unsigned char>(a[k])) !=
            std::tolower(static_cast<unsigned char>(b[k]))) {
            return false;
        }
    }
    return true;
}
