// The effects library: loads authored effects from an effects file (see
// docs/effects-format.md), simulates their emitters and hands out particles
// for the caller to draw. Results that callers test are FX_OK (-1) on
// success. Handles are plain numbers, so a stale handle is harmless: every
// operation on it does nothing and answers "none".
#pragma once

#include <cstdint>
#include <string>

using FxHandle = std::uint32_t; // 0 = none

constexpr int FX_OK = -1;
constexpr int FX_FAIL = 0;

// Fx_FindFirst modes (bits).
constexpr int FX_FIND_EMITTERS = 1;
constexpr int FX_FIND_FOLDERS = 2;

struct FxSearchRecord {
    std::string name;
    bool folder = false;
    // Where the search stands; the library's own bookkeeping.
    int mode = 0;
    int next = 0;
};

// A particle image as laid out on an atlas: left, top, right and bottom are
// fractions of the atlas; right < left (bottom < top) asks for a mirrored
// image. The caller loads the image from data or, when data is null, from
// the file name, and scales it into the frame rectangle.
struct FxTexture {
    const void* data = nullptr;
    std::uint32_t dataSize = 0;
    const char* file = nullptr;
    float left = 0, top = 0, right = 0, bottom = 0;
    int frameWidth = 0, frameHeight = 0;
    int textureWidth = 0, textureHeight = 0; // the atlas
    int atlas = -1;
};

struct FxParticle {
    float x = 0, y = 0;
    float width = 0, height = 0;
    float angle = 0;         // degrees
    std::uint32_t color = 0; // ARGB
    int frame = 0;
};

struct FxPoint {
    float x = 0, y = 0;
};

// One particle type of a live emitter, valid between lock and unlock.
class FxTypeState;
using FxParticleType = FxTypeState;

// Files.
int Fx_OpenFile(const char* path, FxHandle* file);
int Fx_SetCurrentFolder(FxHandle file, const char* path);
int Fx_FindFirst(FxHandle file, FxSearchRecord* record, int mode);
int Fx_FindNext(FxHandle file, FxSearchRecord* record);
void Fx_CloseAllFiles();

// Emitters. Sub-emitters are reached through Fx_GetEmitter and take the
// interval and particle-type operations.
int Fx_LoadEmitter(FxHandle file, const char* name, FxHandle* emitter);
FxHandle Fx_DuplicateEmitter(FxHandle emitter);
void Fx_UnloadEmitter(FxHandle emitter);
const char* Fx_GetEmitterName(FxHandle emitter);
int Fx_GetEmitterCount(FxHandle emitter);
FxHandle Fx_GetEmitter(FxHandle emitter, int index);
int Fx_GetLiveEmitterCount();

// Modes.
void Fx_SetInterpolationMode(FxHandle emitter, bool on);
bool Fx_IsInterpolationMode(FxHandle emitter);
void Fx_SetLoopMode(FxHandle emitter, int mode);
int Fx_GetLoopMode(FxHandle emitter);
void Fx_SetEmitterPositionMode(FxHandle emitter, bool on);
bool Fx_GetEmitterPositionMode(FxHandle emitter);
void Fx_SetEmitterDirectionMode(FxHandle emitter, bool on);
bool Fx_GetEmitterDirectionMode(FxHandle emitter);

// Placement, in world pixels and degrees.
void Fx_SetEmitterPosition(FxHandle emitter, float x, float y);
FxPoint Fx_GetEmitterPosition(FxHandle emitter);
void Fx_SetEmitterDirection(FxHandle emitter, float degrees);

// Playback.
int Fx_Restart(FxHandle emitter);
int Fx_Stop(FxHandle emitter);
bool Fx_Update(FxHandle emitter, float timeStep);
float Fx_GetUpdateTime(FxHandle emitter);
float Fx_GetTime(FxHandle emitter);
bool Fx_IsInterval1(FxHandle emitter);
int Fx_EmitterToInterval1(FxHandle emitter, const char* restoreFile);
bool Fx_InInterval(FxHandle emitter);
void Fx_SetInterrupt(FxHandle emitter, bool on);
bool Fx_IsInterrupt(FxHandle emitter);
int Fx_GetParticleCount(FxHandle emitter);

// Textures.
int Fx_CreateAtlases(int width, int height, int step, float scaleStep);
int Fx_GetAtlasCount();
int Fx_GetTextureCount(FxParticleType* type);
const FxTexture* Fx_GetTexture(FxParticleType* type, int index);
int Fx_GetTextureID(FxParticleType* type);
void Fx_SetTextureID(FxParticleType* type, int id);

// Particles.
int Fx_GetParticlesTypeCount(FxHandle subEmitter);
FxParticleType* Fx_LockParticlesType(FxHandle subEmitter, int index);
void Fx_UnlockParticlesType(FxParticleType* type);
bool Fx_IsIntensive(FxParticleType* type);
bool Fx_GetNextParticle(FxParticleType* type, FxParticle* particle);
void Fx_GetParticleRectangle(const FxParticle* particle, FxPoint corners[4]);
