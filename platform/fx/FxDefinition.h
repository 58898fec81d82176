// An emitter as the effects file describes it. Read once, shared by every
// live copy; only the texture layout and texture ids change afterwards.
#pragma once

#include "platform/fx/Fx.h"
#include "platform/fx/FxCurve.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct FxTextureDef {
    std::string file;
    int width = 0, height = 0; // the source image
    bool flipX = false, flipY = false;
    FxTexture layout; // filled by the atlas layout
};

enum class FxShape { Point, Circle, Ring, Box, Line };
enum class FxAnimation { Loop, Life, Random };

struct FxBurst {
    float time = 0;
    int count = 0;
};

struct FxTypeDef {
    std::string name;
    bool intensive = false;
    int maxParticles = 500;
    FxCurve emission; // particles per second over the sub-emitter's time
    std::vector<FxBurst> bursts;
    FxShape shape = FxShape::Point;
    float radius = 0, boxWidth = 0, boxHeight = 0;
    float lifeMin = 1, lifeMax = 1;
    float speedMin = 0, speedMax = 0, drag = 0;
    float direction = 0, spread = 360; // degrees
    bool outward = false;              // add the spawn point's own angle
    float gravityX = 0, gravityY = 0;
    float jitter = 0; // random acceleration, pixels per second squared
    FxCurve size;     // pixels over life (0..1)
    float sizeVariation = 0;
    float spinMin = 0, spinMax = 0; // degrees per second
    bool randomRotation = false;
    bool align = false; // face the direction of flight at birth (shards, streaks)
    float aspect = 1; // height / width of the drawn quad
    FxColorTable colors;
    std::vector<FxTextureDef> textures;
    FxAnimation animation = FxAnimation::Loop;
    float fps = 0;
    int textureId = -1; // atlas number until the caller sets its own
};

struct FxSubDef {
    std::string name;
    float start = 0, end = -1; // end < 0: until the emitter ends
    float x = 0, y = 0;
    std::vector<FxTypeDef> types;
};

struct FxEmitterDef {
    std::string name;
    float length = -1; // < 0: endless
    float updateTime = 1.0f / 60;
    std::uint32_t seed = 1;
    int loop = 0;
    bool interpolate = false;
    bool hasInterval1 = false;
    float interval1Start = 0, interval1End = -1;
    std::uint32_t hash = 0; // of the element's text, ties restore files to it
    std::vector<FxSubDef> subs;
};

using FxEmitterDefPtr = std::shared_ptr<FxEmitterDef>;
