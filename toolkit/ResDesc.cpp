#include "toolkit/ResDesc.h"

#include "platform/engine/Engine.h"
#include "toolkit/ScriptValueReader.h"

#include <cstring>

void CopyResourceText(char (&dest)[ResDesc::kNameSize], std::string_view src) {
    std::size_t length = src.size() < ResDesc::kNameSize ? src.size() : ResDesc::kNameSize - 1;
    if (length)
        std::memmove(dest, src.data(), length);
    dest[length] = '\0';
}

void CopyResourceText(char (&dest)[ResDesc::kNameSize], const char* src) {
    CopyResourceText(dest, src ? std::string_view(src) : std::string_view());
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

void ResDesc::SetName(std::string_view name) {
    CopyResourceText(m_name, name);
}
