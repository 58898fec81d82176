// The base of every resource record: one named definition from the resource
// script, and the object created from it on first use.
#pragma once

#include "toolkit/ScriptLexer.h"

#include <cstdint>
#include <string_view>

class Engine;
class ResourceManager;
class ScriptValueReader;

// The created object: an engine handle or a pointer to a toolkit object,
// depending on the record's kind. 0 means nothing.
using ResHandle = std::uintptr_t;

// List indices of the kinds, in the order of their script keywords.
enum ResourceKind : int {
    kKindScript = 0,
    kKindResource,
    kKindTexture,
    kKindSound,
    kKindMusic,
    kKindStream,
    kKindTarget,
    kKindSprite,
    kKindAnimation,
    kKindFont,
    kKindParticle,
    kKindDistortion,
    kKindStringTable,
    kKindCount,
};

class ResDesc {
public:
    static constexpr std::size_t kNameSize = ScriptLexer::kTextSize;

    ResDesc();
    virtual ~ResDesc();
    ResDesc& operator=(const ResDesc&) = delete;

    // The object, created and cached on the first call; 0 when it cannot be.
    virtual ResHandle Get(ResourceManager& manager) = 0;
    // Destroys the created object, if any, and empties the handle.
    virtual void Free() = 0;
    // A new record with every field of this one except name and handle, for
    // definitions written as "Name : Base { ... }".
    virtual ResDesc* Clone() const = 0;
    // Reads the values of one parameter keyword; false when this kind does
    // not take that parameter (nothing is read then).
    virtual bool ReadParameter(int token, ScriptValueReader& reader);

    void SetName(std::string_view name);

    char m_name[kNameSize];
    int m_resgroup = 0;
    // Where the definition was written (for the content checker); the
    // manager keeps the name, so records of one script share it.
    const char* m_script = nullptr;
    int m_line = 0;
    ResHandle m_handle = 0;
    ResDesc* m_next = nullptr;

protected:
    // A copy takes its own engine reference and starts without an object.
    ResDesc(const ResDesc& other);

    Engine* m_engine;
};

// Copies a string into a fixed field, cutting it to fit.
void CopyResourceText(char (&dest)[ResDesc::kNameSize], std::string_view src);
void CopyResourceText(char (&dest)[ResDesc::kNameSize], const char* src);
