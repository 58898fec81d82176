// A frame drawn as a sprite over its rectangle of the atlas texture.
#pragma once

#include "toolkit/fx/FX_Frame.h"

class FX_FrameList;
class Sprite;

class FX_Frame_WRAP : public FX_Frame {
public:
    explicit FX_Frame_WRAP(FX_FrameList* frameList);
    ~FX_Frame_WRAP() override;
    FX_Frame_WRAP(const FX_Frame_WRAP&) = delete;
    FX_Frame_WRAP& operator=(const FX_Frame_WRAP&) = delete;

    void SetTexture(const FxTexture* texture) override;
    void DrawParticle(const FxParticle& particle) override;
    void SetIntensive(bool on) override;

    const Sprite* GetSprite() const { return m_sprite; }

private:
    FX_FrameList* m_frameList;
    FxTexture m_texture;
    Sprite* m_sprite = nullptr;
};
