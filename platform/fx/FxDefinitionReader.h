// Turns one <emitter> element of an effects file into a definition. Values
// are checked here so the simulation can trust them: a bad number or a
// missing name rejects the emitter with a reason instead of playing garbage.
#pragma once

#include "platform/fx/FxDefinition.h"

#include <functional>
#include <string>

namespace tinyxml2 {
class XMLElement;
}

class FxDefinitionReader {
public:
    // Answers a texture file's pixel size when the file does not give it.
    using ImageSizer = std::function<bool(const std::string& file, int& width, int& height)>;

    explicit FxDefinitionReader(ImageSizer sizer) : m_sizer(std::move(sizer)) {}

    FxEmitterDefPtr Read(const tinyxml2::XMLElement& element, std::string& error) const;

private:
    bool ReadSub(const tinyxml2::XMLElement& element, FxSubDef& sub, std::string& error) const;
    bool ReadType(const tinyxml2::XMLElement& element, FxTypeDef& type, std::string& error) const;
    bool ReadTextures(const tinyxml2::XMLElement& element, FxTypeDef& type,
                      std::string& error) const;

    ImageSizer m_sizer;
};
