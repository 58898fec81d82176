#include "game/actors/OrbDisplay.h"

#include "game/actors/SpellManager.h"
#include "game/core/GameClock.h"
#include "platform/engine/Engine.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/ResourceManager.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr int kSize = 64;

// Sums channel `shift` of the 7 neighbours along one direction.
std::uint32_t SumChannel(const unsigned* pixels, int row, int column, bool vertical, int shift) {
    std::uint32_t sum = 0;
    for (int d = -3; d <= 3; ++d) {
        int r = vertical ? row + d : row;
        int c = vertical ? column : column + d;
        if (r >= 0 && r < kSize && c >= 0 && c < kSize) {
            sum += (pixels[r * kSize + c] >> shift) & 0xFF;
        }
    }
    return sum;
}

} // namespace

void BlurOrbGlow(const unsigned* in, unsigned* out) {
    std::vector<unsigned> across(kSize * kSize);
    for (int r = 0; r < kSize; ++r) {
        for (int c = 0; c < kSize; ++c) {
            unsigned pixel = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                pixel |= (SumChannel(in, r, c, false, shift) / 7) << shift;
            }
            across[r * kSize + c] = pixel;
        }
    }
    for (int r = 0; r < kSize; ++r) {
        for (int c = 0; c < kSize; ++c) {
            unsigned pixel = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                pixel |= (SumChannel(across.data(), r, c, true, shift) / 7) << shift;
            }
            unsigned alpha =
                static_cast<unsigned>(0.75 * (SumChannel(across.data(), r, c, true, 24) / 7));
            out[r * kSize + c] = pixel | (alpha << 24);
        }
    }
}

std::vector<unsigned> GlowSource(const std::uint32_t* pixels, int width, int height) {
    std::vector<unsigned> square(kSize * kSize, 0u);
    const int rows = std::min(height, kSize);
    const int columns = std::min(width, kSize);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            square[r * kSize + c] = pixels[r * width + c];
        }
    }
    return square;
}

std::unique_ptr<Sprite> MakeOrbGlow(Engine& engine, HTEXTURE source) {
    const int width = source ? engine.Texture_GetWidth(source) : 0;
    const int height = source ? engine.Texture_GetHeight(source) : 0;
    // Rows are as long as the texture is wide, whatever its size.
    std::uint32_t* pixels = width > 0 && height > 0 ? engine.Texture_Lock(source, true) : nullptr;
    if (!pixels) {
        return nullptr;
    }
    std::vector<unsigned> square = GlowSource(pixels, width, height);
    engine.Texture_Unlock(source);
    std::vector<unsigned> glow(kSize * kSize);
    BlurOrbGlow(square.data(), glow.data());
    HTEXTURE target = engine.Texture_Create(kSize, kSize);
    if (std::uint32_t* out = engine.Texture_Lock(target, false)) {
        std::copy(glow.begin(), glow.end(), out);
        engine.Texture_Unlock(target);
    }
    auto sprite = std::make_unique<Sprite>(target, 0.0f, 0.0f, 64.0f, 64.0f);
    sprite->SetBlendMode(BLEND_COLORMUL | BLEND_ALPHAADD | BLEND_NOZWRITE);
    sprite->SetFlip(false, true, true);
    return sprite;
}

void InitOrbDisplay(ResourceManager& resources) {
    GameClock& clock = TheGameClock();
    clock.orb = resources.GetSprite("spellorb");
    Engine* engine = EngineCreate(ENGINE_VERSION);
    clock.orbIcon = MakeOrbGlow(*engine, resources.GetTexture("t_spellorb"));
    if (!clock.orbIcon) {
        engine->System_Log("The orb glow needs the texture t_spellorb");
    }
    if (clock.orb) {
        clock.orb->SetBlendMode(BLEND_COLORMUL | BLEND_ALPHAADD | BLEND_NOZWRITE);
    }
    engine->Release();
}

void RenderOrbDisplay(BitmapFont& font, int screenWidth, int screenHeight) {
    GameClock& clock = TheGameClock();
    SpellManager& spells = TheSpellManager();
    const float x0 = static_cast<float>(screenWidth / 2 - 128);
    const float y = static_cast<float>(screenHeight - 100);
    const std::uint32_t orbColours[4] = {0x96FF0000, 0x960000FF, 0x9600FF00, 0x96FFFFFF};
    const std::uint32_t glowColours[4] = {0xFFFF0000, 0xFF0000FF, 0xFF00FF00, 0xFFFFFFFF};
    const float counts[4] = {spells.fire, spells.ice, spells.earth, spells.wind};
    const bool chosen[4] = {clock.fire, clock.ice, clock.earth, clock.wind};
    for (int i = 0; i < 4; ++i) {
        if (clock.orb) {
            clock.orb->SetColor(orbColours[i]);
            clock.orb->RenderEx(x0 + 64 * i, y + 20, 0, 1.0f);
        }
        font.printf(x0 + 64 * i + 32, y, BitmapFont::kCentre, "%d", static_cast<int>(counts[i]));
        font.SetColor(static_cast<std::uint32_t>(clock.flashAlpha) * 0x1000000u + 0xFFFFFFu);
    }
    for (int i = 0; i < 4; ++i) {
        if (chosen[i] && clock.orbIcon) {
            clock.orbIcon->SetColor(glowColours[i]);
            clock.orbIcon->RenderEx(x0 + 64 * i, y + 20, 0, 1.0f);
        }
    }
}
