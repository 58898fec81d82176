// An atlas held as one engine texture.
#pragma once

#include "platform/engine/Engine.h"
#include "toolkit/fx/FX_Atlas.h"

class FX_Atlas_WRAP : public FX_Atlas {
public:
    FX_Atlas_WRAP(int width, int height);
    ~FX_Atlas_WRAP() override;
    FX_Atlas_WRAP(const FX_Atlas_WRAP&) = delete;
    FX_Atlas_WRAP& operator=(const FX_Atlas_WRAP&) = delete;

    void LoadTexture(const FxTexture* texture, const std::string& textureFolder) override;

    HTEXTURE GetTexture() const { return m_texture; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }

private:
    Engine* m_engine;
    int m_width, m_height;
    HTEXTURE m_texture;
};
