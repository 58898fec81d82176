// The line at the bottom of the view that says what the editor knows: a
// list of short fragments, each in its colour, joined in one place so any
// part of the editor can add its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class BitmapFont;

class StatusLine {
public:
    static constexpr std::uint32_t kNormal = 0xFFFFFFFF;
    static constexpr std::uint32_t kWarning = 0xFFFF5040; // what costs work: red
    static constexpr const char* kSeparator = "  |  ";

    struct Fragment {
        std::string text;
        std::uint32_t colour = kNormal;
    };

    void Clear() { m_fragments.clear(); }
    void Add(std::string text, std::uint32_t colour = kNormal);
    const std::vector<Fragment>& Fragments() const { return m_fragments; }
    // The fragments joined by the separator, as drawn.
    std::string Text() const;
    // Each fragment in its colour from x, wrapped before right, the last
    // line ending at bottom; returns the top of what was drawn.
    float Draw(BitmapFont& font, float x, float bottom, float right) const;

private:
    std::vector<Fragment> m_fragments;
};
