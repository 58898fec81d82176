// Resource records whose objects are toolkit classes: sprites, animations,
// fonts, particle systems, distortion meshes and string tables. Each record
// owns the object it created.
#pragma once

#include "toolkit/EngineResources.h"

#include <cstdint>

class Sprite;

// What every record drawn from a texture rectangle shares.
class RTexturedDesc : public ResDesc {
public:
    bool ReadParameter(int token, ScriptValueReader& reader) override;

    // Only the end of the text is set: the bytes after it are never read, and
    // clearing the whole field for each of thousands of records shows.
    char m_textureName[kNameSize];
    float m_rectX = 0.0f, m_rectY = 0.0f, m_rectW = 0.0f, m_rectH = 0.0f;
    std::uint32_t m_blend = 2;
    std::uint32_t m_color = 0xFFFFFFFF;
    float m_z = 0.5f;

protected:
    RTexturedDesc() { m_textureName[0] = '\0'; }
    RTexturedDesc(const RTexturedDesc&) = default;
};

class RSprite : public RTexturedDesc {
public:
    RSprite() = default;
    ResHandle Get(ResourceManager& manager) override;
    void Free() override;
    ResDesc* Clone() const override { return new RSprite(*this); }
    bool ReadParameter(int token, ScriptValueReader& reader) override;

    float m_hotX = 0.0f, m_hotY = 0.0f;
    bool m_flipX = false, m_flipY = false;

protected:
    RSprite(const RSprite&) = default;
    // Colour, depth, blend mode, hotspot and flips, in that order.
    void Dress(Sprite& sprite) const;
};

class RAnimation : public RSprite {
public:
    RAnimation() = default;
    ResHandle Get(ResourceManager& manager) override;
    ResDesc* Clone() const override { return new RAnimation(*this); }
    bool ReadParameter(int token, ScriptValueReader& reader) override;

    int m_frames = 1;
    float m_fps = 12.0f;
    std::uint32_t m_mode = 4;

protected:
    RAnimation(const RAnimation&) = default;
};

class RFont : public RFileDesc {
public:
    RFont() = default;
    ResHandle Get(ResourceManager& manager) override;
    void Free() override;
    ResDesc* Clone() const override { return new RFont(*this); }
    bool ReadParameter(int token, ScriptValueReader& reader) override;

    bool m_mipmap = false;
    std::uint32_t m_blend = 2;
    std::uint32_t m_color = 0xFFFFFFFF;
    float m_z = 0.5f;
    float m_scale = 1.0f;
    float m_proportion = 1.0f;
    float m_tracking = 0.0f;
    float m_spacing = 1.0f;
    float m_rotation = 0.0f;

protected:
    RFont(const RFont&) = default;
};

class RParticle : public RFileDesc {
public:
    RParticle() { m_spriteName[0] = '\0'; }
    ResHandle Get(ResourceManager& manager) override;
    void Free() override;
    ResDesc* Clone() const override { return new RParticle(*this); }
    bool ReadParameter(int token, ScriptValueReader& reader) override;

    char m_spriteName[kNameSize];

protected:
    RParticle(const RParticle&) = default;
};

class RDistort : public RTexturedDesc {
public:
    RDistort() = default;
    ResHandle Get(ResourceManager& manager) override;
    void Free() override;
    ResDesc* Clone() const override { return new RDistort(*this); }
    bool ReadParameter(int token, ScriptValueReader& reader) override;

    int m_columns = 2;
    int m_rows = 2;

protected:
    RDistort(const RDistort&) = default;
};

class RStringTable : public RFileDesc {
public:
    RStringTable() = default;
    ResHandle Get(ResourceManager& manager) override;
    void Free() override;
    ResDesc* Clone() const override { return new RStringTable(*this); }

protected:
    RStringTable(const RStringTable&) = default;
};
