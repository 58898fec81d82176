#include "toolkit/ToolkitResources.h"

#include "toolkit/Animation.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/DistortionMesh.h"
#include "toolkit/ParticleSystem.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/ScriptValueReader.h"
#include "toolkit/Sprite.h"
#include "toolkit/StringTable.h"

namespace {

template <typename T> T* Object(ResHandle handle) {
    return reinterpret_cast<T*>(handle);
}

template <typename T> ResHandle HandleOf(T* object) {
    return reinterpret_cast<ResHandle>(object);
}

template <typename T> void DeleteObject(ResHandle& handle) {
    delete Object<T>(handle);
    handle = 0;
}

} // namespace

bool RTexturedDesc::ReadParameter(int token, ScriptValueReader& reader) {
    switch (token) {
    case kParamTexture:
        reader.ReadString(m_textureName);
        return true;
    case kParamRect:
        m_rectX = reader.ReadFloat();
        m_rectY = reader.ReadFloat();
        m_rectW = reader.ReadFloat();
        m_rectH = reader.ReadFloat();
        return true;
    case kParamBlendmode:
        m_blend = reader.ReadBlendMode(m_blend);
        return true;
    case kParamColor:
        m_color = reader.ReadColor();
        return true;
    case kParamZorder:
        m_z = reader.ReadFloat();
        return true;
    default:
        return ResDesc::ReadParameter(token, reader);
    }
}

void RSprite::Dress(Sprite& sprite) const {
    sprite.SetColor(m_color);
    sprite.SetZ(m_z);
    sprite.SetBlendMode(static_cast<int>(m_blend));
    sprite.SetHotSpot(m_hotX, m_hotY);
    sprite.SetFlip(m_flipX, m_flipY, false);
}

ResHandle RSprite::Get(ResourceManager& manager) {
    if (!m_handle) {
        // A sprite whose texture is missing is still made, untextured.
        auto* sprite = new Sprite(manager.GetTexture(m_textureName, m_resgroup), m_rectX, m_rectY,
                                  m_rectW, m_rectH);
        Dress(*sprite);
        m_handle = HandleOf(sprite);
    }
    return m_handle;
}

void RSprite::Free() {
    DeleteObject<Sprite>(m_handle);
}

bool RSprite::ReadParameter(int token, ScriptValueReader& reader) {
    switch (token) {
    case kParamHotspot:
        m_hotX = reader.ReadFloat();
        m_hotY = reader.ReadFloat();
        return true;
    case kParamFlip:
        m_flipX = reader.ReadBool();
        m_flipY = reader.ReadBool();
        return true;
    default:
        return RTexturedDesc::ReadParameter(token, reader);
    }
}

ResHandle RAnimation::Get(ResourceManager& manager) {
    if (!m_handle) {
        auto* animation = new Animation(manager.GetTexture(m_textureName, m_resgroup), m_frames,
                                        m_fps, m_rectX, m_rectY, m_rectW, m_rectH);
        Dress(*animation);
        animation->SetMode(static_cast<int>(m_mode));
        m_handle = HandleOf(static_cast<Sprite*>(animation));
    }
    return m_handle;
}

bool RAnimation::ReadParameter(int token, ScriptValueReader& reader) {
    switch (token) {
    case kParamFrames:
        m_frames = reader.ReadInt();
        return true;
    case kParamFps:
        m_fps = reader.ReadFloat();
        return true;
    case kParamMode:
        m_mode = reader.ReadAnimationMode(m_mode);
        return true;
    default:
        return RSprite::ReadParameter(token, reader);
    }
}

ResHandle RFont::Get(ResourceManager&) {
    if (!m_handle) {
        auto* font = new BitmapFont(m_filename, m_mipmap);
        font->SetColor(m_color);
        font->SetZ(m_z);
        font->SetBlendMode(static_cast<int>(m_blend));
        font->SetScale(m_scale);
        font->SetProportion(m_proportion);
        font->SetTracking(m_tracking);
        font->SetSpacing(m_spacing);
        font->SetRotation(m_rotation);
        m_handle = HandleOf(font);
    }
    return m_handle;
}

void RFont::Free() {
    DeleteObject<BitmapFont>(m_handle);
}

bool RFont::ReadParameter(int token, ScriptValueReader& reader) {
    switch (token) {
    case kParamMipmap:
        m_mipmap = reader.ReadBool();
        return true;
    case kParamBlendmode:
        m_blend = reader.ReadBlendMode(m_blend);
        return true;
    case kParamColor:
        m_color = reader.ReadColor();
        return true;
    case kParamZorder:
        m_z = reader.ReadFloat();
        return true;
    case kParamScale:
        m_scale = reader.ReadFloat();
        return true;
    case kParamProportion:
        m_proportion = reader.ReadFloat();
        return true;
    case kParamRotation:
        m_rotation = reader.ReadFloat();
        return true;
    case kParamTracking:
        m_tracking = reader.ReadFloat();
        return true;
    case kParamSpacing:
        m_spacing = reader.ReadFloat();
        return true;
    default:
        return RFileDesc::ReadParameter(token, reader);
    }
}

ResHandle RParticle::Get(ResourceManager& manager) {
    if (!m_handle)
        m_handle = HandleOf(new ParticleSystem(m_filename, manager.GetSprite(m_spriteName)));
    return m_handle;
}

void RParticle::Free() {
    DeleteObject<ParticleSystem>(m_handle);
}

bool RParticle::ReadParameter(int token, ScriptValueReader& reader) {
    if (token != kParamSprite)
        return RFileDesc::ReadParameter(token, reader);
    reader.ReadString(m_spriteName);
    return true;
}

ResHandle RDistort::Get(ResourceManager& manager) {
    if (!m_handle) {
        auto* mesh = new DistortionMesh(m_columns, m_rows);
        mesh->SetTexture(manager.GetTexture(m_textureName, m_resgroup));
        mesh->SetTextureRect(m_rectX, m_rectY, m_rectW, m_rectH);
        mesh->SetBlendMode(static_cast<int>(m_blend));
        mesh->Clear(m_color, m_z);
        m_handle = HandleOf(mesh);
    }
    return m_handle;
}

void RDistort::Free() {
    DeleteObject<DistortionMesh>(m_handle);
}

bool RDistort::ReadParameter(int token, ScriptValueReader& reader) {
    if (token != kParamMesh)
        return RTexturedDesc::ReadParameter(token, reader);
    m_columns = reader.ReadInt();
    m_rows = reader.ReadInt();
    return true;
}

ResHandle RStringTable::Get(ResourceManager&) {
    if (!m_handle)
        m_handle = HandleOf(new StringTable(m_filename));
    return m_handle;
}

void RStringTable::Free() {
    DeleteObject<StringTable>(m_handle);
}
