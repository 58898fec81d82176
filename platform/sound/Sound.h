// A sound stream handle. The system that created it owns it; callers keep
// the pointer for as long as the system lives.
#pragma once

#include <string>

class Sound {
public:
    virtual ~Sound() = default;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    const std::string& GetPath() const { return m_path; }
    // False when the file could not be opened or decoded: playing it does
    // nothing.
    bool IsUsable() const { return m_usable; }
    // Seconds; 0 when unusable or unknown.
    double GetLength() const { return m_length; }

protected:
    Sound(std::string path, bool usable, double length)
        : m_path(std::move(path)), m_usable(usable), m_length(usable ? length : 0.0) {}

private:
    std::string m_path;
    bool m_usable;
    double m_length;
};
