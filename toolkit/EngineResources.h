// Resource records whose objects the engine itself creates: script files,
// raw files, textures, sounds, music, streams and render targets.
#pragma once

#include "toolkit/ResDesc.h"

// A script file parsed during the current load; it only marks the name so
// that repeated includes and cycles are caught.
class RScript : public ResDesc {
public:
    RScript() = default;
    ResHandle Get(ResourceManager&) override { return 0; }
    void Free() override {}
    ResDesc* Clone() const override { return new RScript(*this); }

protected:
    RScript(const RScript&) = default;
};

// The shared part of every record that names one file.
class RFileDesc : public ResDesc {
public:
    bool ReadParameter(int token, ScriptValueReader& reader) override;

    // Set only up to its end, like the other text fields.
    char m_filename[kNameSize];

protected:
    RFileDesc() { m_filename[0] = '\0'; }
    RFileDesc(const RFileDesc&) = default;
};

class RResource : public RFileDesc {
public:
    RResource() = default;
    ResHandle Get(ResourceManager& manager) override;
    void Free() override;
    ResDesc* Clone() const override { return new RResource(*this); }

protected:
    RResource(const RResource&) = default;
};

class RTexture : public RFileDesc {
public:
    RTexture() = default;
    ResHandle Get(ResourceManager& manager) override;
    void Free() override;
    ResDesc* Clone() const override { return new RTexture(*this); }
    bool ReadParameter(int token, ScriptValueReader& reader) override;

    bool m_mipmap = false;

protected:
    RTexture(const RTexture&) = default;
};

class REffect : public RFileDesc {
public:
    REffect() = default;
    ResHandle Get(ResourceManager& manager) override;
    void Free() override;
    ResDesc* Clone() const override { return new REffect(*this); }

protected:
    REffect(const REffect&) = default;
};

class RMusic : public RFileDesc {
public:
    RMusic() = default;
    ResHandle Get(ResourceManager& manager) override;
    void Free() override;
    ResDesc* Clone() const override { return new RMusic(*this); }
    bool ReadParameter(int token, ScriptValueReader& reader) override;

    int m_amplify = 50;

protected:
    RMusic(const RMusic&) = default;
};

class RStream : public RFileDesc {
public:
    RStream() = default;
    ResHandle Get(ResourceManager& manager) override;
    void Free() override;
    ResDesc* Clone() const override { return new RStream(*this); }

protected:
    RStream(const RStream&) = default;
};

class RTarget : public ResDesc {
public:
    RTarget() = default;
    ResHandle Get(ResourceManager& manager) override;
    void Free() override;
    ResDesc* Clone() const override { return new RTarget(*this); }
    bool ReadParameter(int token, ScriptValueReader& reader) override;

    int m_width = 256;
    int m_height = 256;
    bool m_zbuffer = false;

protected:
    RTarget(const RTarget&) = default;
};
