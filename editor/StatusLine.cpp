#include "editor/StatusLine.h"

#include "toolkit/BitmapFont.h"

void StatusLine::Add(std::string text, std::uint32_t colour) {
    if (!text.empty()) {
        m_fragments.push_back({std::move(text), colour});
    }
}

std::string StatusLine::Text() const {
    std::string text;
    for (const Fragment& f : m_fragments) {
        text += (text.empty() ? "" : kSeparator) + f.text;
    }
    return text;
}

float StatusLine::Draw(BitmapFont& font, float x, float bottom, float right) const {
    // Fragments flow left to right and wrap whole onto a new line, the block
    // growing upwards from the bottom so a narrow window loses nothing.
    std::vector<std::vector<std::size_t>> lines(1);
    const float separator = font.GetStringWidth(kSeparator, false);
    float pen = x;
    for (std::size_t i = 0; i < m_fragments.size(); ++i) {
        const float width = font.GetStringWidth(m_fragments[i].text.c_str(), false);
        const float start = lines.back().empty() ? pen : pen + separator;
        if (!lines.back().empty() && start + width > right) {
            lines.emplace_back();
            pen = x;
        } else {
            pen = start;
        }
        lines.back().push_back(i);
        pen += width;
    }
    const float height = font.GetHeight();
    float y = bottom - static_cast<float>(lines.size()) * height;
    const float top = y;
    for (const auto& line : lines) {
        pen = x;
        for (std::size_t i : line) {
            if (i != line.front()) {
                font.SetColor(kNormal);
                font.Render(pen, y, BitmapFont::kLeft, kSeparator);
                pen += separator;
            }
            font.SetColor(m_fragments[i].colour);
            font.Render(pen, y, BitmapFont::kLeft, m_fragments[i].text.c_str());
            pen += font.GetStringWidth(m_fragments[i].text.c_str(), false);
        }
        y += height;
    }
    font.SetColor(kNormal);
    return top;
}
