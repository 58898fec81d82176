#include "platform/fx/FxFile.h"

#include "platform/fx/Fx.h"

#include <cstring>

using tinyxml2::XMLElement;

namespace {

bool IsEntry(const XMLElement& element) {
    return std::strcmp(element.Name(), "folder") == 0 ||
           std::strcmp(element.Name(), "emitter") == 0;
}

} // namespace

bool FxFile::Open(const char* bytes, std::size_t size, const FxDefinitionReader& reader,
                  std::string& error) {
    if (m_document.Parse(bytes, size) != tinyxml2::XML_SUCCESS) {
        error = std::string("not well-formed XML: ") + m_document.ErrorStr();
        return false;
    }
    m_root = m_document.RootElement();
    if (m_root == nullptr || std::strcmp(m_root->Name(), "effects") != 0) {
        error = "the root element is not <effects>";
        return false;
    }
    m_folder = m_root;
    return CheckFolder(*m_root, reader, error);
}

bool FxFile::CheckFolder(const XMLElement& folder, const FxDefinitionReader& reader,
                         std::string& error) {
    for (const XMLElement* child = folder.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        if (std::strcmp(child->Name(), "folder") == 0) {
            const char* name = child->Attribute("name");
            if (name == nullptr || *name == '\0' || std::strchr(name, '/') != nullptr ||
                std::strcmp(name, "..") == 0) {
                error = "a folder has no usable name";
                return false;
            }
            if (!CheckFolder(*child, reader, error)) {
                return false;
            }
        } else if (std::strcmp(child->Name(), "emitter") == 0) {
            FxEmitterDefPtr def = reader.Read(*child, error);
            if (!def) {
                error += " (line " + std::to_string(child->GetLineNum()) + ")";
                return false;
            }
            m_emitters[child] = std::move(def);
        }
    }
    return true;
}

bool FxFile::SetFolder(const char* path) {
    if (m_root == nullptr || path == nullptr) {
        return false;
    }
    if (*path == '\0') {
        m_folder = m_root;
        return true;
    }
    const XMLElement* folder = m_folder;
    std::string rest = path;
    while (!rest.empty()) {
        std::size_t slash = rest.find('/');
        std::string part = rest.substr(0, slash);
        rest = slash == std::string::npos ? "" : rest.substr(slash + 1);
        if (part.empty()) {
            continue;
        }
        if (part == "..") {
            if (folder == m_root) {
                return false;
            }
            folder = folder->Parent()->ToElement();
            continue;
        }
        const XMLElement* found = nullptr;
        for (const XMLElement* child = folder->FirstChildElement("folder"); child != nullptr;
             child = child->NextSiblingElement("folder")) {
            if (part == child->Attribute("name")) {
                found = child;
                break;
            }
        }
        if (found == nullptr) {
            return false;
        }
        folder = found;
    }
    m_folder = folder;
    return true;
}

bool FxFile::Entry(int index, int mode, std::string& name, bool& folder) const {
    if (m_folder == nullptr) {
        return false;
    }
    int at = 0;
    for (const XMLElement* child = m_folder->FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        if (!IsEntry(*child)) {
            continue;
        }
        if (at++ != index) {
            continue;
        }
        folder = std::strcmp(child->Name(), "folder") == 0;
        if ((folder && (mode & FX_FIND_FOLDERS) == 0) ||
            (!folder && (mode & FX_FIND_EMITTERS) == 0)) {
            return false; // skipped by the caller's mode; it moves on
        }
        name = child->Attribute("name");
        return true;
    }
    return false;
}

int FxFile::EntryCount() const {
    int count = 0;
    if (m_folder != nullptr) {
        for (const XMLElement* child = m_folder->FirstChildElement(); child != nullptr;
             child = child->NextSiblingElement()) {
            count += IsEntry(*child) ? 1 : 0;
        }
    }
    return count;
}

FxEmitterDefPtr FxFile::Emitter(const char* name) const {
    if (m_folder == nullptr || name == nullptr) {
        return nullptr;
    }
    for (const XMLElement* child = m_folder->FirstChildElement("emitter"); child != nullptr;
         child = child->NextSiblingElement("emitter")) {
        if (std::strcmp(child->Attribute("name"), name) == 0) {
            auto found = m_emitters.find(child);
            return found == m_emitters.end() ? nullptr : found->second;
        }
    }
    return nullptr;
}
