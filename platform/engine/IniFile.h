// The settings file: [sections] of key=value lines. Section and key names
// match without regard to case, ';' starts a comment, blanks around names
// and values are dropped. A missing file reads as empty.
#pragma once

#include <optional>
#include <string>

class IniFile {
public:
    void SetPath(std::string path) { m_path = std::move(path); }
    const std::string& Path() const { return m_path; }

    std::optional<std::string> Get(const std::string& section, const std::string& key) const;
    // Writes the value in place (or appends it), keeping the rest of the file.
    bool Set(const std::string& section, const std::string& key, const std::string& value);

    int GetInt(const std::string& section, const std::string& key, int fallback) const;
    float GetFloat(const std::string& section, const std::string& key, float fallback) const;

    // How a value's text reads as a number: the fallback when it is missing,
    // empty or not wholly a number in range.
    static int ToInt(const std::optional<std::string>& text, int fallback);
    static float ToFloat(const std::optional<std::string>& text, float fallback);

private:
    std::string m_path;
};
