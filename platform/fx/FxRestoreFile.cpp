#include "platform/fx/FxRestoreFile.h"

#include "platform/fx/FxEmitterState.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr char kMagic[8] = {'D', 'M', 'F', 'X', 'R', 'S', 'T', '1'};
constexpr float kDegrees = 57.2957763671875f;

class Writer {
public:
    template <typename T> void Put(const T& value) {
        const char* bytes = reinterpret_cast<const char*>(&value);
        m_bytes.insert(m_bytes.end(), bytes, bytes + sizeof(T));
    }
    void PutBytes(const void* data, std::size_t size) {
        const char* bytes = static_cast<const char*>(data);
        m_bytes.insert(m_bytes.end(), bytes, bytes + size);
    }
    const std::vector<char>& Bytes() const { return m_bytes; }

private:
    std::vector<char> m_bytes;
};

// Reads with bounds checks: a short or damaged file simply fails.
class Reader {
public:
    explicit Reader(std::vector<char> bytes) : m_bytes(std::move(bytes)) {}
    template <typename T> bool Get(T& value) { return GetBytes(&value, sizeof(T)); }
    bool GetBytes(void* out, std::size_t size) {
        if (size > m_bytes.size() - m_at) {
            return false;
        }
        std::memcpy(out, m_bytes.data() + m_at, size);
        m_at += size;
        return true;
    }
    bool AtEnd() const { return m_at == m_bytes.size(); }

private:
    std::vector<char> m_bytes;
    std::size_t m_at = 0;
};

// Our own files, but a damaged one must not put nonsense into the simulation.
bool Sane(const FxParticleData& p) {
    const float values[] = {p.x, p.y, p.vx, p.vy, p.age, p.life, p.scale, p.angle, p.spin, p.phase};
    for (float value : values) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return p.life > 0 && p.age >= 0 && p.age <= p.life;
}

} // namespace

bool FxRestoreFile::Save(const FxEmitterState& state, const std::string& path) {
    const FxEmitterDef& def = *state.m_def;
    Writer out;
    out.PutBytes(kMagic, sizeof kMagic);
    out.Put(def.hash);
    out.Put(static_cast<std::uint32_t>(def.name.size()));
    out.PutBytes(def.name.data(), def.name.size());
    out.Put(state.time);
    out.Put(state.m_random.State());
    out.Put(state.m_direction);
    out.Put(static_cast<std::uint32_t>(state.m_subs.size()));
    for (const FxSubState& sub : state.m_subs) {
        out.Put(static_cast<std::uint32_t>(sub.types.size()));
        for (const FxTypeState& type : sub.types) {
            out.Put(type.remainder);
            out.Put(static_cast<std::uint32_t>(type.Particles().size()));
            for (FxParticleData p : type.Particles()) {
                p.x -= state.m_x;
                p.y -= state.m_y;
                out.Put(p);
            }
        }
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.Bytes().data(), static_cast<std::streamsize>(out.Bytes().size()));
    return static_cast<bool>(file);
}

bool FxRestoreFile::Load(FxEmitterState& state, const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    Reader in(std::vector<char>(std::istreambuf_iterator<char>(file), {}));
    const FxEmitterDef& def = *state.m_def;
    char magic[sizeof kMagic];
    std::uint32_t hash = 0, nameSize = 0, subCount = 0;
    if (!in.GetBytes(magic, sizeof magic) || std::memcmp(magic, kMagic, sizeof kMagic) != 0 ||
        !in.Get(hash) || hash != def.hash || !in.Get(nameSize) || nameSize != def.name.size()) {
        return false;
    }
    std::string name(nameSize, '\0');
    float time = 0, direction = 0;
    std::uint64_t random = 0;
    if (!in.GetBytes(name.data(), nameSize) || name != def.name || !in.Get(time) ||
        !in.Get(random) || !in.Get(direction) || !in.Get(subCount) ||
        subCount != state.m_subs.size() || !std::isfinite(time) || !std::isfinite(direction)) {
        return false;
    }
    // Read everything before touching the state, so a damaged file changes nothing.
    std::vector<std::vector<std::pair<float, std::vector<FxParticleData>>>> loaded;
    for (const FxSubState& sub : state.m_subs) {
        std::uint32_t typeCount = 0;
        if (!in.Get(typeCount) || typeCount != sub.types.size()) {
            return false;
        }
        loaded.emplace_back();
        for (const FxTypeState& type : sub.types) {
            float remainder = 0;
            std::uint32_t count = 0;
            if (!in.Get(remainder) || !in.Get(count) ||
                count > static_cast<std::uint32_t>(type.Def().maxParticles)) {
                return false;
            }
            std::vector<FxParticleData> particles(count);
            for (FxParticleData& p : particles) {
                if (!in.Get(p) || !Sane(p)) {
                    return false;
                }
                p.invLife = 1.0f / p.life;
            }
            loaded.back().emplace_back(remainder, std::move(particles));
        }
    }
    if (!in.AtEnd()) {
        return false;
    }
    // Saved facing another way: turn the particles with the emitter.
    float turn = (state.m_direction - direction) / kDegrees;
    float c = std::cos(turn), s = std::sin(turn);
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        for (std::size_t j = 0; j < loaded[i].size(); ++j) {
            FxTypeState& type = state.m_subs[i].types[j];
            type.remainder = loaded[i][j].first;
            type.Particles() = std::move(loaded[i][j].second);
            for (FxParticleData& p : type.Particles()) {
                if (turn != 0) {
                    float x = p.x, y = p.y, vx = p.vx, vy = p.vy;
                    p.x = x * c - y * s;
                    p.y = x * s + y * c;
                    p.vx = vx * c - vy * s;
                    p.vy = vx * s + vy * c;
                }
                p.x += state.m_x;
                p.y += state.m_y;
            }
        }
    }
    state.time = time;
    state.m_random.SetState(random);
    state.m_prevX = state.m_x;
    state.m_prevY = state.m_y;
    state.running = true;
    state.interrupted = false;
    return true;
}
