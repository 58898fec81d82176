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

void StatusLine::Draw(BitmapFont& font, float x, float y) const {
    for (std::size_t i = 0; i < m_fragments.size(); ++i) {
        if (i > 0) {
            font.SetColor(kNormal);
            font.Render(x, y, BitmapFont::kLeft, kSeparator);
            x += font.GetStringWidth(kSeparator, false);
        }
        font.SetColor(m_fragments[i].colour);
        font.Render(x, y, BitmapFont::kLeft, m_fragments[i].text.c_str());
        x += font.GetStringWidth(m_fragments[i].text.c_str(), false);
    }
    font.SetColor(kNormal);
}
