#include "toolkit/fx/FX_Frame_WRAP.h"

#include "toolkit/Sprite.h"
#include "toolkit/fx/FX_Atlas_WRAP.h"
#include "toolkit/fx/FX_FrameList.h"
#include "toolkit/fx/FX_Manager.h"

#include <algorithm>

FX_Frame_WRAP::FX_Frame_WRAP(FX_FrameList* frameList) : m_frameList(frameList) {}

FX_Frame_WRAP::~FX_Frame_WRAP() {
    delete m_sprite;
}

void FX_Frame_WRAP::SetTexture(const FxTexture* texture) {
    if (texture == nullptr) {
        return;
    }
    m_texture = *texture;
    FX_Manager* manager = m_frameList->GetManager();
    auto* atlas =
        dynamic_cast<FX_Atlas_WRAP*>(manager->Atlas(m_frameList->GetTextureNumber(), &m_texture));
    if (atlas == nullptr) {
        return;
    }
    float x =
        std::min(m_texture.left, m_texture.right) * static_cast<float>(m_texture.textureWidth);
    float y =
        std::min(m_texture.top, m_texture.bottom) * static_cast<float>(m_texture.textureHeight);
    delete m_sprite;
    m_sprite = new Sprite(atlas->GetTexture(), x, y, static_cast<float>(m_texture.frameWidth),
                          static_cast<float>(m_texture.frameHeight));
    m_sprite->SetFlip(m_texture.right < m_texture.left, m_texture.bottom < m_texture.top);
}

void FX_Frame_WRAP::DrawParticle(const FxParticle& particle) {
    if (m_sprite == nullptr) {
        return;
    }
    FxPoint c[4];
    Fx_GetParticleRectangle(&particle, c);
    m_sprite->SetColor(particle.color);
    m_sprite->Render4V(c[0].x, c[0].y, c[1].x, c[1].y, c[2].x, c[2].y, c[3].x, c[3].y);
}

void FX_Frame_WRAP::SetIntensive(bool on) {
    if (m_sprite != nullptr) {
        m_sprite->SetBlendMode(on ? BLEND_COLORMUL | BLEND_ALPHAADD | BLEND_NOZWRITE
                                  : BLEND_DEFAULT);
    }
}
