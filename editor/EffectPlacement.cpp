#include "editor/EffectPlacement.h"

#include "editor/EditorEffects.h"
#include "toolkit/fx/FX_Emitter.h"

EffectPlacement::EffectPlacement(std::string name, float x, float y, bool selected)
    : Placement(nullptr, nullptr, std::move(name), x, y, selected) {
    SetBoxSize(kBoxSize, kBoxSize);
}

EffectPlacement::~EffectPlacement() = default;

FX_Emitter* EffectPlacement::Emitter() {
    // Made when first seen: a large map's effects far away cost nothing.
    if (!m_spawned) {
        m_spawned = true;
        m_emitter = TheEditorEffects().Spawn(name, x, y);
        m_emitterX = x;
        m_emitterY = y;
    }
    return m_emitter.get();
}

void EffectPlacement::Update(float) {
    FX_Emitter* emitter = Emitter();
    if (!emitter) {
        return;
    }
    if (x != m_emitterX || y != m_emitterY) {
        emitter->Move(x, y, 0);
        m_emitterX = x;
        m_emitterY = y;
    }
    emitter->Update(Fx_GetUpdateTime(emitter->GetHandle()));
}

void EffectPlacement::Draw() {
    if (FX_Emitter* emitter = Emitter()) {
        emitter->Draw();
    }
}
