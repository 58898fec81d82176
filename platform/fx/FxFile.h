// An open effects file: the parsed document, the folder the caller stands
// in, and every emitter definition, read and checked when the file opens so
// that a malformed file is refused as a whole.
#pragma once

#include "platform/fx/FxDefinitionReader.h"

#include <tinyxml2.h>

#include <map>
#include <string>

class FxFile {
public:
    // False with a one-line reason when the bytes are not a good effects file.
    bool Open(const char* bytes, std::size_t size, const FxDefinitionReader& reader,
              std::string& error);

    bool SetFolder(const char* path);
    // The index-th child of the current folder that the mode asks for.
    bool Entry(int index, int mode, std::string& name, bool& folder) const;
    int EntryCount() const;
    FxEmitterDefPtr Emitter(const char* name) const;

private:
    bool CheckFolder(const tinyxml2::XMLElement& folder, const FxDefinitionReader& reader,
                     std::string& error);

    tinyxml2::XMLDocument m_document;
    const tinyxml2::XMLElement* m_root = nullptr;
    const tinyxml2::XMLElement* m_folder = nullptr;
    std::map<const tinyxml2::XMLElement*, FxEmitterDefPtr> m_emitters;
};
