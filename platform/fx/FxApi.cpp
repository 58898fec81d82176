// The library's operations, each a thin step into FxLibrary and the live
// emitter behind a handle. Unknown handles do nothing.
#include "platform/fx/Fx.h"

#include "platform/fx/FxLibrary.h"

#include <cmath>
#include <vector>

namespace {

constexpr int kSineSteps = 4096; // a step is under a tenth of a degree

// Corners of turned particles come from a table instead of the maths
// library: every drawn particle needs them, and the error (a tenth of a
// pixel on a 100-pixel particle) cannot be seen.
void SinCos(float degrees, float& s, float& c) {
    static const std::vector<float> sine = [] {
        std::vector<float> table(kSineSteps);
        for (int i = 0; i < kSineSteps; ++i) {
            table[static_cast<std::size_t>(i)] =
                static_cast<float>(std::sin(i * 6.283185307179586 / kSineSteps));
        }
        return table;
    }();
    int step = static_cast<int>(std::lrint(degrees * (kSineSteps / 360.0f)));
    s = sine[static_cast<std::size_t>(step & (kSineSteps - 1))];
    c = sine[static_cast<std::size_t>((step + kSineSteps / 4) & (kSineSteps - 1))];
}

FxEmitterState* Live(FxHandle handle) {
    return FxLibrary::Get().Emitter(handle);
}

// A sub-emitter handle's emitter and index; index < 0 when not a sub handle.
FxEmitterState* Sub(FxHandle handle, int& index) {
    index = static_cast<int>(handle & kFxSubBits) - 1;
    FxEmitterState* emitter = index >= 0 ? Live(handle) : nullptr;
    if (emitter == nullptr || index >= static_cast<int>(emitter->Subs().size())) {
        index = -1;
        return nullptr;
    }
    return emitter;
}

bool Find(FxHandle file, FxSearchRecord* record) {
    FxFile* open = FxLibrary::Get().File(file);
    if (open == nullptr || record == nullptr) {
        return false;
    }
    for (int count = open->EntryCount(); record->next < count;) {
        if (open->Entry(record->next++, record->mode, record->name, record->folder)) {
            return true;
        }
    }
    return false;
}

} // namespace

int Fx_OpenFile(const char* path, FxHandle* file) {
    FxHandle handle = FxLibrary::Get().OpenFile(path);
    if (file != nullptr) {
        *file = handle;
    }
    return handle != 0 ? FX_OK : FX_FAIL;
}

int Fx_SetCurrentFolder(FxHandle file, const char* path) {
    FxFile* open = FxLibrary::Get().File(file);
    return open != nullptr && open->SetFolder(path) ? FX_OK : FX_FAIL;
}

int Fx_FindFirst(FxHandle file, FxSearchRecord* record, int mode) {
    if (record == nullptr) {
        return FX_FAIL;
    }
    record->mode = mode;
    record->next = 0;
    return Find(file, record) ? FX_OK : FX_FAIL;
}

int Fx_FindNext(FxHandle file, FxSearchRecord* record) {
    return Find(file, record) ? FX_OK : FX_FAIL;
}

void Fx_CloseAllFiles() {
    FxLibrary::Get().CloseAllFiles();
}

int Fx_LoadEmitter(FxHandle file, const char* name, FxHandle* emitter) {
    FxLibrary& library = FxLibrary::Get();
    FxFile* open = library.File(file);
    FxEmitterDefPtr def = open != nullptr ? open->Emitter(name) : nullptr;
    FxHandle handle = 0;
    if (def) {
        handle = library.AddEmitter(std::make_unique<FxEmitterState>(std::move(def)));
    }
    if (emitter != nullptr) {
        *emitter = handle;
    }
    return handle != 0 ? FX_OK : FX_FAIL;
}

FxHandle Fx_DuplicateEmitter(FxHandle emitter) {
    FxEmitterState* original = Live(emitter);
    if (original == nullptr || (emitter & kFxSubBits) != 0) {
        return 0;
    }
    return FxLibrary::Get().AddEmitter(std::make_unique<FxEmitterState>(*original));
}

void Fx_UnloadEmitter(FxHandle emitter) {
    FxLibrary::Get().RemoveEmitter(emitter);
}

int Fx_GetLiveEmitterCount() {
    return FxLibrary::Get().EmitterCount();
}

const char* Fx_GetEmitterName(FxHandle emitter) {
    int index = 0;
    if (FxEmitterState* parent = Sub(emitter, index)) {
        return parent->Subs()[static_cast<std::size_t>(index)].def->name.c_str();
    }
    FxEmitterState* live = Live(emitter);
    return live != nullptr ? live->Def().name.c_str() : "";
}

int Fx_GetEmitterCount(FxHandle emitter) {
    FxEmitterState* live = Live(emitter);
    return live != nullptr ? static_cast<int>(live->Subs().size()) : 0;
}

FxHandle Fx_GetEmitter(FxHandle emitter, int index) {
    FxEmitterState* live = Live(emitter);
    if (live == nullptr || index < 0 || index >= static_cast<int>(live->Subs().size())) {
        return 0;
    }
    return (emitter & ~kFxSubBits) | static_cast<FxHandle>(index + 1);
}

void Fx_SetInterpolationMode(FxHandle emitter, bool on) {
    if (FxEmitterState* live = Live(emitter)) {
        live->interpolate = on;
    }
}

bool Fx_IsInterpolationMode(FxHandle emitter) {
    FxEmitterState* live = Live(emitter);
    return live != nullptr && live->interpolate;
}

void Fx_SetLoopMode(FxHandle emitter, int mode) {
    if (FxEmitterState* live = Live(emitter)) {
        live->loop = mode;
    }
}

int Fx_GetLoopMode(FxHandle emitter) {
    FxEmitterState* live = Live(emitter);
    return live != nullptr ? live->loop : 0;
}

void Fx_SetEmitterPositionMode(FxHandle emitter, bool on) {
    if (FxEmitterState* live = Live(emitter)) {
        live->positionMode = on;
    }
}

bool Fx_GetEmitterPositionMode(FxHandle emitter) {
    FxEmitterState* live = Live(emitter);
    return live != nullptr && live->positionMode;
}

void Fx_SetEmitterDirectionMode(FxHandle emitter, bool on) {
    if (FxEmitterState* live = Live(emitter)) {
        live->directionMode = on;
    }
}

bool Fx_GetEmitterDirectionMode(FxHandle emitter) {
    FxEmitterState* live = Live(emitter);
    return live != nullptr && live->directionMode;
}

// With the position mode off the emitter stays where it was authored.
void Fx_SetEmitterPosition(FxHandle emitter, float x, float y) {
    FxEmitterState* live = Live(emitter);
    if (live != nullptr && live->positionMode && std::isfinite(x) && std::isfinite(y)) {
        live->SetPosition(x, y);
    }
}

FxPoint Fx_GetEmitterPosition(FxHandle emitter) {
    FxEmitterState* live = Live(emitter);
    return live != nullptr ? FxPoint{live->X(), live->Y()} : FxPoint{};
}

void Fx_SetEmitterDirection(FxHandle emitter, float degrees) {
    FxEmitterState* live = Live(emitter);
    if (live != nullptr && live->directionMode) {
        live->SetDirection(degrees);
    }
}

int Fx_Restart(FxHandle emitter) {
    FxEmitterState* live = Live(emitter);
    if (live == nullptr) {
        return FX_FAIL;
    }
    live->Restart();
    return FX_OK;
}

int Fx_Stop(FxHandle emitter) {
    FxEmitterState* live = Live(emitter);
    if (live == nullptr) {
        return FX_FAIL;
    }
    live->Stop();
    return FX_OK;
}

bool Fx_Update(FxHandle emitter, float timeStep) {
    FxEmitterState* live = Live(emitter);
    return live != nullptr && live->Update(timeStep);
}

float Fx_GetUpdateTime(FxHandle emitter) {
    FxEmitterState* live = Live(emitter);
    return live != nullptr ? live->Def().updateTime : 1.0f / 60;
}

float Fx_GetTime(FxHandle emitter) {
    FxEmitterState* live = Live(emitter);
    return live != nullptr ? live->time : 0.0f;
}

bool Fx_IsInterval1(FxHandle emitter) {
    FxEmitterState* live = Live(emitter);
    return live != nullptr && live->Def().hasInterval1;
}

int Fx_EmitterToInterval1(FxHandle emitter, const char* restoreFile) {
    FxEmitterState* live = Live(emitter);
    if (live == nullptr) {
        return FX_FAIL;
    }
    std::string file = restoreFile != nullptr ? restoreFile : "";
    if (!live->ToInterval1(file)) {
        // Still at the interval; only the shortcut for next time is lost.
        FxLibrary::Get().Log("Effects: cannot write the restore file '" + file + "'");
    }
    return FX_OK;
}

bool Fx_InInterval(FxHandle emitter) {
    int index = 0;
    if (FxEmitterState* parent = Sub(emitter, index)) {
        return parent->SubInInterval(static_cast<std::size_t>(index));
    }
    FxEmitterState* live = (emitter & kFxSubBits) == 0 ? Live(emitter) : nullptr;
    return live != nullptr && live->InInterval();
}

void Fx_SetInterrupt(FxHandle emitter, bool on) {
    if (FxEmitterState* live = Live(emitter)) {
        live->interrupted = on;
    }
}

bool Fx_IsInterrupt(FxHandle emitter) {
    FxEmitterState* live = Live(emitter);
    return live != nullptr && live->interrupted;
}

int Fx_GetParticleCount(FxHandle emitter) {
    FxEmitterState* live = Live(emitter);
    return live != nullptr ? live->ParticleCount() : 0;
}

int Fx_CreateAtlases(int width, int height, int step, float scaleStep) {
    if (width <= 0 || height <= 0) {
        return FX_FAIL;
    }
    FxLibrary::Get().CreateAtlases(width, height, step, scaleStep);
    return FX_OK;
}

int Fx_GetAtlasCount() {
    return FxLibrary::Get().AtlasCount();
}

int Fx_GetTextureCount(FxParticleType* type) {
    if (type == nullptr || type->Def().textures.empty() ||
        type->Def().textures.front().layout.atlas < 0) {
        return 0; // not laid out (yet): nothing to draw with
    }
    return static_cast<int>(type->Def().textures.size());
}

const FxTexture* Fx_GetTexture(FxParticleType* type, int index) {
    if (index < 0 || index >= Fx_GetTextureCount(type)) {
        return nullptr;
    }
    return &type->Def().textures[static_cast<std::size_t>(index)].layout;
}

int Fx_GetTextureID(FxParticleType* type) {
    return type != nullptr ? type->Def().textureId : -1;
}

void Fx_SetTextureID(FxParticleType* type, int id) {
    if (type != nullptr) {
        type->Def().textureId = id;
    }
}

int Fx_GetParticlesTypeCount(FxHandle subEmitter) {
    int index = 0;
    FxEmitterState* parent = Sub(subEmitter, index);
    return parent != nullptr
               ? static_cast<int>(parent->Subs()[static_cast<std::size_t>(index)].types.size())
               : 0;
}

FxParticleType* Fx_LockParticlesType(FxHandle subEmitter, int index) {
    int sub = 0;
    FxEmitterState* parent = Sub(subEmitter, sub);
    if (parent == nullptr) {
        return nullptr;
    }
    auto& types = parent->Subs()[static_cast<std::size_t>(sub)].types;
    if (index < 0 || index >= static_cast<int>(types.size())) {
        return nullptr;
    }
    FxTypeState* type = &types[static_cast<std::size_t>(index)];
    type->Lock();
    return type;
}

void Fx_UnlockParticlesType(FxParticleType* type) {
    if (type != nullptr) {
        type->Lock();
    }
}

bool Fx_IsIntensive(FxParticleType* type) {
    return type != nullptr && type->Def().intensive;
}

bool Fx_GetNextParticle(FxParticleType* type, FxParticle* particle) {
    return type != nullptr && particle != nullptr && type->Next(*particle);
}

void Fx_GetParticleRectangle(const FxParticle* particle, FxPoint corners[4]) {
    if (particle == nullptr || corners == nullptr) {
        return;
    }
    float hw = particle->width * 0.5f;
    float hh = particle->height * 0.5f;
    static const float kSigns[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    if (particle->angle == 0) {
        for (int i = 0; i < 4; ++i) {
            corners[i] = {particle->x + kSigns[i][0] * hw, particle->y + kSigns[i][1] * hh};
        }
        return;
    }
    float s = 0, c = 0;
    SinCos(particle->angle, s, c);
    for (int i = 0; i < 4; ++i) {
        float a = kSigns[i][0] * hw;
        float b = kSigns[i][1] * hh;
        corners[i] = {particle->x + a * c - b * s, particle->y + a * s + b * c};
    }
}
