#include "tests/fuzz/support/FuzzScratch.h"

#include "platform/engine/Engine.h"
#include "platform/engine/EngineOptions.h"
#include "toolkit/ParticleSystemInfo.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fuzz {

const char* const kTextureFixture = "t.png";
const char* const kFontFixture = "f.fnt";
const char* const kParticleFixture = "p.psi";
const char* const kStringTableFixture = "s.txt";

namespace {

namespace fs = std::filesystem;

// A 64 x 64 checkerboard, white with alternating clear and solid squares.
constexpr unsigned char kTexturePng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x40, 0x08, 0x06, 0x00, 0x00, 0x00, 0xaa,
    0x69, 0x71, 0xde, 0x00, 0x00, 0x00, 0x78, 0x49, 0x44, 0x41, 0x54, 0x78, 0xda, 0xed, 0xd8,
    0xb1, 0x0d, 0x00, 0x20, 0x0c, 0x03, 0xc1, 0xec, 0xbf, 0xb4, 0x19, 0xc1, 0x35, 0xc9, 0x21,
    0x51, 0x52, 0x70, 0xd5, 0xcb, 0x93, 0x64, 0xca, 0x6d, 0xe7, 0xeb, 0xf7, 0x03, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0xdc, 0x06, 0x58, 0xfd, 0xc1, 0xf6, 0x1e, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x38, 0x0e, 0xa0, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x7b, 0x80,
    0x12, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xec, 0x01, 0x4a, 0x10, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0xb0, 0x07, 0x28, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xc0, 0x1e,
    0xa0, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x7b, 0x80, 0x12, 0x04, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x76, 0x01, 0x3c, 0x3a, 0xb2, 0xcb, 0x3a, 0xbb, 0x94, 0x7c, 0xd7,
    0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82,
};

constexpr char kFont[] = "[BITMAPFONT]\nBitmap=t.png\nChar=41,0,0,8,16,1,1\nChar=3F,8,0,8,16,0,0\n";

constexpr char kStringTable[] = "[STRINGTABLE]\nhello=\"Hello,\\nworld\"\n";

void WriteBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ParticleFixture() {
    ParticleSystemInfo info;
    info.emission = 50;
    info.lifetime = -1.0f;
    info.particleLifeMin = 0.5f;
    info.particleLifeMax = 1.0f;
    info.spread = 6.28f;
    info.speedMin = 20.0f;
    info.speedMax = 40.0f;
    info.sizeStart = 1.0f;
    info.sizeEnd = 0.5f;
    info.colorStart = {1.0f, 0.8f, 0.4f, 1.0f};
    info.colorEnd = {1.0f, 0.2f, 0.0f, 0.0f};
    std::uint8_t bytes[ParticleSystemInfo::kRecordSize];
    info.Write(bytes);
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// The scratch folder: $DUSKMAW_FUZZ_SCRATCH, else a folder of this process
// in shared memory (or the temporary folder), removed when the process ends.
class Scratch {
public:
    Scratch() {
        const char* given = std::getenv("DUSKMAW_FUZZ_SCRATCH");
        if (given && *given) {
            m_dir = given;
        } else {
            fs::path base =
                fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
            m_dir = base / ("duskmaw-fuzz-" + std::to_string(getpid()));
            m_owned = true;
        }
        fs::create_directories(m_dir);
        fs::current_path(m_dir);
        WriteBytes(kTextureFixture, std::string_view(reinterpret_cast<const char*>(kTexturePng),
                                                     sizeof kTexturePng));
        WriteBytes(kFontFixture, kFont);
        WriteBytes(kParticleFixture, ParticleFixture());
        WriteBytes(kStringTableFixture, kStringTable);
    }
    ~Scratch() {
        if (m_owned) {
            std::error_code ec;
            fs::current_path(fs::temp_directory_path(), ec);
            fs::remove_all(m_dir, ec);
        }
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

private:
    fs::path m_dir;
    bool m_owned = false;
};

Engine* MakeEngine() {
    EngineOptions options;
    options.headless = true;
    options.noDialogs = true;
    const char* log = std::getenv("DUSKMAW_FUZZ_LOG");
    options.logFile = log && *log ? log : "/dev/null";
    SetEngineOptions(options);
    Engine* engine = EngineCreate(ENGINE_VERSION);
    engine->System_SetState(ENGINE_SCREENWIDTH, 1024);
    engine->System_SetState(ENGINE_SCREENHEIGHT, 768);
    engine->System_Initiate();
    return engine;
}

void EnterScratch() {
    static Scratch scratch;
}

} // namespace

Engine& TheEngine() {
    // Never released: the readers take and drop their own references, and
    // this one keeps the engine from being made anew for every input.
    static Engine* engine = MakeEngine();
    return *engine;
}

ScratchFiles::ScratchFiles() {
    TheEngine();
    EnterScratch();
}

ScratchFiles::~ScratchFiles() {
    for (const std::string& name : m_names) {
        std::error_code ec;
        fs::remove(name, ec);
    }
}

const char* ScratchFiles::Write(const std::string& name, std::string_view bytes) {
    WriteBytes(name, bytes);
    return Claim(name);
}

const char* ScratchFiles::Claim(const std::string& name) {
    m_names.push_back(name);
    return m_names.back().c_str();
}

std::vector<std::string_view> SplitParts(const std::uint8_t* data, std::size_t size) {
    std::string_view rest = AsText(data, size);
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < kMaxParts) {
        std::size_t at = rest.find(kPartSeparator);
        if (at == std::string_view::npos) {
            break;
        }
        parts.push_back(rest.substr(0, at));
        rest.remove_prefix(at + kPartSeparator.size());
    }
    parts.push_back(rest);
    return parts;
}

} // namespace fuzz
