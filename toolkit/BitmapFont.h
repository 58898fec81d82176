// Text drawn with one sprite per byte, cut from one texture as a ".fnt"
// file describes.
#pragma once

#include "platform/engine/Engine.h"
#include "toolkit/Sprite.h"

#include <cstdarg>
#include <memory>
#include <vector>

class BitmapFont {
public:
    // Alignment bits: horizontal in bits 0-1, vertical (printfb) in bits 2-3.
    static constexpr int kLeft = 0;
    static constexpr int kRight = 1;
    static constexpr int kCentre = 2;
    static constexpr int kHorizontalMask = 3;
    static constexpr int kTop = 0;
    static constexpr int kBottom = 4;
    static constexpr int kMiddle = 8;
    static constexpr int kVerticalMask = 12;

    // A file that cannot be read gives an empty font, silently.
    BitmapFont(const char* file, bool mipmap = false);
    ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    void Render(float x, float y, int align, const char* text);
    void printf(float x, float y, int align, const char* format, ...)
        __attribute__((format(printf, 5, 6)));
    void printfb(float x, float y, float w, float h, int align, const char* format, ...)
        __attribute__((format(printf, 7, 8)));
    float GetStringWidth(const char* text, bool multiline = true) const;

    void SetColor(std::uint32_t color);
    void SetZ(float z);
    void SetBlendMode(int blend);
    void SetScale(float scale) { m_scale = scale; }
    void SetProportion(float proportion) { m_proportion = proportion; }
    void SetRotation(float rotation) { m_rotation = rotation; }
    void SetTracking(float tracking) { m_tracking = tracking; }
    void SetSpacing(float spacing) { m_spacing = spacing; }

    std::uint32_t GetColor() const { return m_color; }
    float GetZ() const { return m_z; }
    int GetBlendMode() const { return m_blend; }
    float GetScale() const { return m_scale; }
    float GetProportion() const { return m_proportion; }
    float GetRotation() const { return m_rotation; }
    float GetTracking() const { return m_tracking; }
    float GetSpacing() const { return m_spacing; }
    float GetHeight() const { return m_height; }
    HTEXTURE GetTexture() const { return m_texture; }
    // The glyph drawn for a byte (the "?" glyph stands in), or nullptr.
    Sprite* GetSprite(unsigned char c) const;

private:
    void Load(const char* file, bool mipmap);
    void ReadCharLine(const char* line);
    // Index of the glyph that draws byte c, or -1 when it is skipped.
    int GlyphIndex(unsigned char c) const;
    float LineWidth(const char* text) const;
    void VFormat(const char* format, va_list args);

    Engine* m_engine = nullptr;
    HTEXTURE m_texture = 0;
    // Every texture a Bitmap line loaded; a second line would otherwise leak.
    std::vector<HTEXTURE> m_loadedTextures;
    std::unique_ptr<Sprite> m_glyphs[256];
    float m_pre[256]{};
    float m_post[256]{};
    float m_height = 0.0f;
    float m_scale = 1.0f;
    float m_proportion = 1.0f;
    float m_rotation = 0.0f;
    float m_tracking = 0.0f;
    float m_spacing = 1.0f;
    std::uint32_t m_color = 0xFFFFFFFF;
    float m_z = 0.5f;
    int m_blend = BLEND_DEFAULT;
};
