// One image of a particle type: what a particle with that frame number is
// drawn with.
#pragma once

#include "platform/fx/Fx.h"

class FX_Frame {
public:
    virtual ~FX_Frame() = default;
    virtual void SetTexture(const FxTexture* /*texture*/) {}
    virtual void BeginDraw() {}
    virtual void EndDraw() {}
    virtual void DrawParticle(const FxParticle& particle) = 0;
    virtual void SetIntensive(bool on) = 0;
};
