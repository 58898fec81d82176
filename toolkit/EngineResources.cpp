#include "toolkit/EngineResources.h"

#include "platform/engine/Engine.h"
#include "toolkit/ScriptValueReader.h"

bool RFileDesc::ReadParameter(int token, ScriptValueReader& reader) {
    if (token != kParamFilename)
        return ResDesc::ReadParameter(token, reader);
    reader.ReadString(m_filename);
    return true;
}

ResHandle RResource::Get(ResourceManager&) {
    if (!m_handle)
        m_handle = reinterpret_cast<ResHandle>(m_engine->Resource_Load(m_filename));
    return m_handle;
}

void RResource::Free() {
    if (m_handle)
        m_engine->Resource_Free(reinterpret_cast<void*>(m_handle));
    m_handle = 0;
}

ResHandle RTexture::Get(ResourceManager&) {
    if (!m_handle)
        m_handle = m_engine->Texture_Load(m_filename, 0, m_mipmap);
    return m_handle;
}

void RTexture::Free() {
    if (m_handle)
        m_engine->Texture_Free(static_cast<HTEXTURE>(m_handle));
    m_handle = 0;
}

bool RTexture::ReadParameter(int token, ScriptValueReader& reader) {
    if (token != kParamMipmap)
        return RFileDesc::ReadParameter(token, reader);
    m_mipmap = reader.ReadBool();
    return true;
}

ResHandle REffect::Get(ResourceManager&) {
    if (!m_handle)
        m_handle = m_engine->Effect_Load(m_filename, 0);
    return m_handle;
}

void REffect::Free() {
    if (m_handle)
        m_engine->Effect_Free(static_cast<HEFFECT>(m_handle));
    m_handle = 0;
}

ResHandle RMusic::Get(ResourceManager&) {
    if (!m_handle) {
        HMUSIC music = m_engine->Music_Load(m_filename, 0);
        if (music)
            m_engine->Music_SetAmplification(music, m_amplify);
        m_handle = music;
    }
    return m_handle;
}

void RMusic::Free() {
    if (m_handle)
        m_engine->Music_Free(static_cast<HMUSIC>(m_handle));
    m_handle = 0;
}

bool RMusic::ReadParameter(int token, ScriptValueReader& reader) {
    if (token != kParamAmplify)
        return RFileDesc::ReadParameter(token, reader);
    m_amplify = reader.ReadInt();
    return true;
}

ResHandle RStream::Get(ResourceManager&) {
    if (!m_handle)
        m_handle = m_engine->Stream_Load(m_filename, 0);
    return m_handle;
}

void RStream::Free() {
    if (m_handle)
        m_engine->Stream_Free(static_cast<HSTREAM>(m_handle));
    m_handle = 0;
}

ResHandle RTarget::Get(ResourceManager&) {
    if (!m_handle)
        m_handle = m_engine->Target_Create(m_width, m_height, m_zbuffer);
    return m_handle;
}

void RTarget::Free() {
    if (m_handle)
        m_engine->Target_Free(static_cast<HTARGET>(m_handle));
    m_handle = 0;
}

bool RTarget::ReadParameter(int token, ScriptValueReader& reader) {
    switch (token) {
    case kParamSize:
        m_width = reader.ReadInt();
        m_height = reader.ReadInt();
        return true;
    case kParamZbuffer:
        m_zbuffer = reader.ReadBool();
        return true;
    default:
        return ResDesc::ReadParameter(token, reader);
    }
}
