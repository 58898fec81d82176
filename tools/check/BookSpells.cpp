#include "tools/check/BookSpells.h"

#include <cctype>
#include <regex>

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

std::vector<SpellHeading> FindSpellHeadings(const std::string& page) {
    // A row of capitals and a bracket of keys, nothing else on the row.
    static const std::regex kHeading(
        R"((?:^|\n)[ ]*([A-Z][A-Z' ]*[A-Z]) \(([^)\n]*)\)[ ]*(?=\n|$))");
    std::vector<SpellHeading> headings;
    std::size_t previousEnd = 0;
    for (auto match = std::sregex_iterator(page.begin(), page.end(), kHeading);
         match != std::sregex_iterator(); ++match) {
        const std::size_t start = static_cast<std::size_t>(match->position(0));
        if (!headings.empty()) {
            headings.back().body = page.substr(previousEnd, start - previousEnd);
        }
        headings.push_back({(*match)[1].str(), (*match)[2].str(), ""});
        previousEnd = start + static_cast<std::size_t>(match->length(0));
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
