#include "toolkit/ResDesc.h"

#include "platform/engine/Engine.h"
#include "toolkit/ScriptValueReader.h"

#include <cstring>

void CopyResourceText(char (&dest)[ResDesc::kNameSize], const char* src) {
    std::size_t length = src ? std::strlen(src) : 0;
    if (length >= ResDesc::kNameSize)
        length = ResDesc::kNameSize - 1;
    if (length)
        std::memmove(dest, src, length);
    dest[length] = '\0';
}

ResDesc::ResDesc() : m_engine(EngineCreate(ENGINE_VERSION)) {
    m_name[0] = '\0';
}

ResDesc::ResDesc(const ResDesc& other)
    : m_resgroup(other.m_resgroup), m_engine(EngineCreate(ENGINE_VERSION)) {
    m_name[0] = '\0';
}

ResDesc::~ResDesc() {
    if (m_engine)
        m_engine->Release();
}

bool ResDesc::ReadParameter(int token, ScriptValueReader& reader) {
    if (token != kParamResgroup)
        return false;
    m_resgroup = reader.ReadInt();
    return true;
}

void ResDesc::SetName(const char* name) {
    CopyResourceText(m_name, name);
}
