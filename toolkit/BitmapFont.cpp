#include "toolkit/BitmapFont.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kMaxLine = 255;
constexpr unsigned char kFallback = '?';

// "…" in UTF-8. Our fonts are single-byte, so where a text is shortened the
// ellipsis is drawn as three full stops rather than three unknown glyphs.
bool IsEllipsis(const char* p) {
    return static_cast<unsigned char>(p[0]) == 0xE2 && static_cast<unsigned char>(p[1]) == 0x80 &&
           static_cast<unsigned char>(p[2]) == 0xA6;
}

// Formatted text of printf and printfb: one buffer for every font, so no
// call allocates. Only the frame thread draws text.
char g_printBuffer[1024];

const char* SkipSpaces(const char* p) {
    while (*p == ' ' || *p == '\t') {
        ++p;
    }
    return p;
}

// Reads " , %d" from p; nullptr when the text does not match.
const char* ReadCommaInt(const char* p, int* value) {
    p = SkipSpaces(p);
    if (*p != ',') {
        return nullptr;
    }
    p = SkipSpaces(p + 1);
    char* end = nullptr;
    long v = std::strtol(p, &end, 10);
    if (end == p) {
        return nullptr;
    }
    *value = static_cast<int>(v);
    return end;
}

// The folder part of a path, with its separator (backslash first, as the
// content was first written with them).
std::string FolderOf(const char* file) {
    const char* slash = std::strrchr(file, '\\');
    if (!slash) {
        slash = std::strrchr(file, '/');
    }
    return slash ? std::string(file, slash + 1) : std::string();
}

} // namespace

BitmapFont::BitmapFont(const char* file, bool mipmap) : m_engine(EngineCreate(ENGINE_VERSION)) {
    if (file) {
        Load(file, mipmap);
    }
}

BitmapFont::~BitmapFont() {
    for (auto& glyph : m_glyphs) {
        glyph.reset();
    }
    for (HTEXTURE texture : m_loadedTextures) {
        m_engine->Texture_Free(texture);
    }
    m_engine->Release();
}

void BitmapFont::Load(const char* file, bool mipmap) {
    std::uint32_t size = 0;
    void* data = m_engine->Resource_Load(file, &size);
    if (!data) {
        return;
    }
    std::string text(static_cast<const char*>(data), size);
    m_engine->Resource_Free(data);

    std::size_t pos = 0;
    bool first = true;
    char line[kMaxLine + 1];
    while (pos < text.size() || first) {
        // One line: up to the next run of line feeds and carriage returns,
        // cut at 255 characters.
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::size_t length = std::min<std::size_t>(end - pos, kMaxLine);
        std::memcpy(line, text.data() + pos, length);
        line[length] = '\0';
        // A NUL inside the line ends it; the text is not trusted.
        pos = text.find_first_not_of("\r\n", end);
        if (pos == std::string::npos) {
            pos = text.size();
        }

        if (first) {
            first = false;
            if (std::strcmp(line, "[BITMAPFONT]") != 0) {
                m_engine->System_Log("Font %s has incorrect format.", file);
                return;
            }
            continue;
        }
        if (std::strncmp(line, "Bitmap", 6) == 0) {
            const char* p = SkipSpaces(line + 6);
            std::string name;
            if (*p == '=') {
                p = SkipSpaces(p + 1);
                const char* nameEnd = p;
                while (*nameEnd && !std::isspace(static_cast<unsigned char>(*nameEnd))) {
                    ++nameEnd;
                }
                name.assign(p, nameEnd);
            }
            std::string path = FolderOf(file) + name;
            m_texture = name.empty() ? 0 : m_engine->Texture_Load(path.c_str(), 0, mipmap);
            if (!m_texture) {
                return;
            }
            m_loadedTextures.push_back(m_texture);
        } else if (std::strncmp(line, "Char", 4) == 0) {
            ReadCharLine(line);
        }
    }
}

void BitmapFont::ReadCharLine(const char* line) {
    const char* p = std::strchr(line, '=');
    if (!p) {
        return;
    }
    p = SkipSpaces(p + 1);
    unsigned long code;
    if (*p == '"') {
        if (p[1] == '\0' || p[2] != '"') {
            return;
        }
        code = static_cast<unsigned char>(p[1]);
        p += 3;
    } else {
        char* end = nullptr;
        code = std::strtoul(p, &end, 16);
        if (end == p) {
            return;
        }
        p = end;
    }
    if (code > 255) {
        return;
    }
    int v[6];
    for (int& value : v) {
        p = ReadCommaInt(p, &value);
        if (!p) {
            return; // a malformed line is ignored rather than half read
        }
    }
    m_glyphs[code] =
        std::make_unique<Sprite>(m_texture, static_cast<float>(v[0]), static_cast<float>(v[1]),
                                 static_cast<float>(v[2]), static_cast<float>(v[3]));
    m_glyphs[code]->SetColor(m_color);
    m_glyphs[code]->SetZ(m_z);
    m_glyphs[code]->SetBlendMode(m_blend);
    m_pre[code] = static_cast<float>(v[4]);
    m_post[code] = static_cast<float>(v[5]);
    m_height = std::max(m_height, static_cast<float>(v[3]));
}

int BitmapFont::GlyphIndex(unsigned char c) const {
    if (m_glyphs[c]) {
        return c;
    }
    return m_glyphs[kFallback] ? kFallback : -1;
}

Sprite* BitmapFont::GetSprite(unsigned char c) const {
    int index = GlyphIndex(c);
    if (index < 0) {
        return nullptr;
    }
    m_glyphs[index]->SetColor(m_color);
    return m_glyphs[index].get();
}

float BitmapFont::LineWidth(const char* text) const {
    float width = 0.0f;
    for (; *text && *text != '\n'; ++text) {
        const bool ellipsis = IsEllipsis(text);
        int g = GlyphIndex(ellipsis ? '.' : static_cast<unsigned char>(*text));
        if (g >= 0) {
            width +=
                (ellipsis ? 3 : 1) * (m_tracking + m_pre[g] + m_glyphs[g]->GetWidth() + m_post[g]);
        }
        text += ellipsis ? 2 : 0;
    }
    return width;
}

float BitmapFont::GetStringWidth(const char* text, bool multiline) const {
    float widest = 0.0f;
    bool firstLine = true;
    while (text) {
        float width = LineWidth(text);
        if (firstLine || width > widest) {
            widest = width;
        }
        firstLine = false;
        if (!multiline) {
            break;
        }
        text = std::strchr(text, '\n');
        if (text) {
            ++text;
        }
    }
    return widest * m_scale * m_proportion;
}

void BitmapFont::Render(float x, float y, int align, const char* text) {
    if (!text) {
        return;
    }
    align &= kHorizontalMask;
    float scaleX = m_scale * m_proportion;
    auto lineStart = [&](const char* line) {
        if (align == kRight) {
            return x - GetStringWidth(line, false);
        }
        if (align == kCentre) {
            return x - std::round(GetStringWidth(line, false) / 2.0f);
        }
        return x;
    };
    float pen = lineStart(text);
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') {
            y += std::round(m_height * m_scale * m_spacing);
            pen = lineStart(p + 1);
            continue;
        }
        const bool ellipsis = IsEllipsis(p);
        int g = GlyphIndex(ellipsis ? '.' : static_cast<unsigned char>(*p));
        p += ellipsis ? 2 : 0;
        for (int i = 0; g >= 0 && i < (ellipsis ? 3 : 1); ++i) {
            float gx = pen + m_pre[g] * scaleX;
            m_glyphs[g]->SetColor(m_color);
            m_glyphs[g]->RenderEx(gx, y, m_rotation, scaleX, m_scale);
            pen = gx + (m_post[g] + m_glyphs[g]->GetWidth() + m_tracking) * scaleX;
        }
    }
}

void BitmapFont::VFormat(const char* format, va_list args) {
    // Bounded: longer text is cut at 1023 characters.
    std::vsnprintf(g_printBuffer, sizeof g_printBuffer, format ? format : "", args);
}

void BitmapFont::printf(float x, float y, int align, const char* format, ...) {
    va_list args;
    va_start(args, format);
    VFormat(format, args);
    va_end(args);
    Render(x, y, align, g_printBuffer);
}

void BitmapFont::printfb(float x, float y, float w, float h, int align, const char* format, ...) {
    va_list args;
    va_start(args, format);
    VFormat(format, args);
    va_end(args);

    char* lineStart = g_printBuffer;
    char* p = g_printBuffer;
    while (*p) {
        char* wordStart = p;
        while (*p && *p != ' ' && *p != '\n') {
            ++p;
        }
        char saved = *p;
        *p = '\0';
        float width = GetStringWidth(lineStart, false);
        *p = saved;
        if (width > w) {
            if (wordStart == lineStart) {
                // Too wide on its own: it keeps a line to itself, unsplit.
                if (*p) {
                    *p = '\n';
                }
            } else {
                wordStart[-1] = '\n';
                lineStart = wordStart;
            }
        }
        if (*p == '\n') {
            lineStart = p + 1;
        }
        if (*p) {
            ++p;
        }
    }

    int lines = 1 + static_cast<int>(std::count(g_printBuffer, p, '\n'));
    float textHeight = m_spacing * m_height * m_scale * static_cast<float>(lines);
    float tx = x;
    switch (align & kHorizontalMask) {
    case kRight:
        tx = x + w;
        break;
    case kCentre:
        tx = x + std::round(w / 2.0f);
        break;
    default:
        break;
    }
    float ty = y;
    switch (align & kVerticalMask) {
    case kBottom:
        ty = y + h - textHeight;
        break;
    case kMiddle:
        ty = y + std::round((h - textHeight) / 2.0f);
        break;
    default:
        break;
    }
    Render(tx, std::trunc(ty), align & kHorizontalMask, g_printBuffer);
}

void BitmapFont::SetColor(std::uint32_t color) {
    // Glyphs take the colour when they are drawn or handed out: callers
    // recolour a font for every line of text, and most glyphs are not in it.
    m_color = color;
}

void BitmapFont::SetZ(float z) {
    m_z = z;
    for (auto& glyph : m_glyphs) {
        if (glyph) {
            glyph->SetZ(z);
        }
    }
}

void BitmapFont::SetBlendMode(int blend) {
    m_blend = blend;
    for (auto& glyph : m_glyphs) {
        if (glyph) {
            glyph->SetBlendMode(blend);
        }
    }
}
