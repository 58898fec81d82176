#include "platform/fx/FxLibrary.h"

#include "platform/engine/Engine.h"
#include "platform/fx/FxAtlasLayout.h"
#include "platform/registry/Registry.h"

#include <algorithm>
#include <set>

namespace {

// Every library call starts here, many per emitter and frame; the registry's
// lookup by type costs more than the work of some calls, so the instance it
// holds is remembered while it lives.
FxLibrary* g_current = nullptr;

} // namespace

FxLibrary& FxLibrary::Get() {
    return g_current != nullptr ? *g_current : Registry::Current().Get<FxLibrary>();
}

FxLibrary::FxLibrary()
    : m_engine(EngineCreate(ENGINE_VERSION)),
      m_reader([this](const std::string& file, int& w, int& h) { return ImageSize(file, w, h); }) {
    g_current = this;
}

FxLibrary::~FxLibrary() {
    if (g_current == this) {
        g_current = nullptr;
    }
    m_emitters.clear();
    m_files.clear();
    if (m_engine != nullptr) {
        m_engine->Release();
    }
}

void FxLibrary::Log(const std::string& line) {
    if (m_engine != nullptr) {
        m_engine->System_Log("%s", line.c_str());
    }
}

// Sizes straight from the PNG header, so the library never decodes images.
bool FxLibrary::ImageSize(const std::string& file, int& width, int& height) {
    if (m_engine == nullptr) {
        return false;
    }
    std::uint32_t size = 0;
    void* data = m_engine->Resource_Load(file.c_str(), &size);
    if (data == nullptr) {
        return false;
    }
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    bool ok = size >= 24 && std::equal(kSignature, kSignature + 8, bytes);
    if (ok) {
        auto be32 = [&](int at) {
            return static_cast<int>((static_cast<std::uint32_t>(bytes[at]) << 24) |
                                    (static_cast<std::uint32_t>(bytes[at + 1]) << 16) |
                                    (static_cast<std::uint32_t>(bytes[at + 2]) << 8) |
                                    bytes[at + 3]);
        };
        width = be32(16);
        height = be32(20);
    }
    m_engine->Resource_Free(data);
    return ok;
}

FxHandle FxLibrary::OpenFile(const char* path) {
    if (m_engine == nullptr || path == nullptr) {
        return 0;
    }
    std::uint32_t size = 0;
    void* data = m_engine->Resource_Load(path, &size);
    if (data == nullptr) {
        Log(std::string("Effects file '") + path + "' cannot be read; no effects loaded");
        return 0;
    }
    auto file = std::make_unique<FxFile>();
    std::string error;
    bool ok = file->Open(static_cast<const char*>(data), size, m_reader, error);
    m_engine->Resource_Free(data);
    if (!ok) {
        Log(std::string("Effects file '") + path + "' is malformed, no effects loaded: " + error);
        return 0;
    }
    FxHandle handle = m_nextFile++;
    m_files[handle] = std::move(file);
    return handle;
}

FxFile* FxLibrary::File(FxHandle handle) {
    auto found = m_files.find(handle);
    return found == m_files.end() ? nullptr : found->second.get();
}

FxHandle FxLibrary::AddEmitter(std::unique_ptr<FxEmitterState> emitter) {
    FxHandle handle = (m_nextEmitter++) << 8;
    m_emitters[handle] = std::move(emitter);
    return handle;
}

FxEmitterState* FxLibrary::Emitter(FxHandle handle) {
    auto found = m_emitters.find(handle & ~kFxSubBits);
    return found == m_emitters.end() ? nullptr : found->second.get();
}

void FxLibrary::RemoveEmitter(FxHandle handle) {
    if ((handle & kFxSubBits) == 0) {
        m_emitters.erase(handle);
    }
}

int FxLibrary::CreateAtlases(int width, int height, int step, float scaleStep) {
    std::set<const FxEmitterDef*> seen;
    std::vector<FxTypeDef*> types;
    for (auto& [handle, emitter] : m_emitters) {
        if (!seen.insert(&emitter->Def()).second) {
            continue;
        }
        for (FxSubState& sub : emitter->Subs()) {
            for (FxTypeState& type : sub.types) {
                types.push_back(&type.Def());
            }
        }
    }
    FxAtlasLayout layout(width, height, step, scaleStep);
    m_atlasCount = layout.Place(types);
    return m_atlasCount;
}
