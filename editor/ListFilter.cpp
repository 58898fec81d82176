#include "editor/ListFilter.h"

#include <algorithm>
#include <cctype>

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

} // namespace

bool ListFilter::Type(int character) {
    if (character == 0x08) {
        if (m_text.empty()) {
            return false;
        }
        m_text.pop_back();
        return true;
    }
    if (character < 0x20 || character >= 0x7F || m_text.size() >= kMaxText) {
        return false;
    }
    m_text += static_cast<char>(character);
    return true;
}

bool ListFilter::Clear() {
    const bool had = !m_text.empty();
    m_text.clear();
    return had;
}

bool ListFilter::Matches(const std::string& name) const {
    auto equal = [](char a, char b) { return Lower(a) == Lower(b); };
    return std::search(name.begin(), name.end(), m_text.begin(), m_text.end(), equal) != name.end();
}

std::vector<std::string> ListFilter::Apply(const std::vector<std::string>& names) const {
    std::vector<std::string> kept;
    std::copy_if(names.begin(), names.end(), std::back_inserter(kept),
                 [this](const std::string& name) { return Matches(name); });
    return kept;
}
