#include "toolkit/ParticleSystem.h"
#include "tests/toolkit/DrawingTestHelpers.h"
#include "toolkit/Sprite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace {

using drawing_test::TakeQuads;

// Long-lived, motionless particles unless a test says otherwise.
ParticleSystemInfo QuietInfo() {
    ParticleSystemInfo info;
    info.emission = 30;
    info.lifetime = -1;
    info.particleLifeMin = info.particleLifeMax = 100;
    info.sizeStart = info.sizeEnd = 1;
    info.colorStart = info.colorEnd = {1, 1, 1, 1};
    return info;
}

class ParticleSystemTest : public ::testing::Test {
protected:
    std::string WritePsi(const ParticleSystemInfo& info, std::size_t size = 128) {
        std::uint8_t bytes[ParticleSystemInfo::kRecordSize];
        info.Write(bytes);
        std::string data(reinterpret_cast<const char*>(bytes), sizeof bytes);
        data.resize(size, '\x7f');
        std::string path = engine.Dir() + "/fx" + std::to_string(files++) + ".psi";
        testing_support::WriteFile(path, data);
        return path;
    }
    testing_support::HeadlessEngine engine;
    Sprite sprite{0, 0, 0, 1, 1};
    int files = 0;
};

// A record written by hand, byte by byte: every float field holds its own
// offset plus a half, so a field read from the wrong place shows.
std::string HandWrittenRecord() {
    std::string bytes(128, '\0');
    auto put = [&](std::size_t offset, std::uint32_t bits) {
        for (int i = 0; i < 4; ++i) {
            bytes[offset + i] = static_cast<char>(bits >> (8 * i));
        }
    };
    put(0, 0xDEADBEEF); // the sprite slot: ignored
    put(4, 0x01020304);
    for (std::size_t offset = 8; offset < 128; offset += 4) {
        if (offset != 28) {
            float value = static_cast<float>(offset) + 0.5f;
            std::uint32_t bits;
            std::memcpy(&bits, &value, 4);
            put(offset, bits);
        }
    }
    bytes[28] = 1; // relative, then three reserved bytes
    return bytes;
}

TEST_F(ParticleSystemTest, RecordFieldsSitAtTheirOffsetsLittleEndian) {
    const std::string record = HandWrittenRecord();
    const std::string path = engine.Dir() + "/hand.psi";
    // Longer files are fine: only the first 128 bytes count.
    testing_support::WriteFile(path, record + std::string(72, '\x7f'));
    ParticleSystem system(path.c_str(), &sprite);
    const ParticleSystemInfo& read = system.GetInfo();
    EXPECT_EQ(read.sprite, &sprite);
    EXPECT_EQ(read.emission, 0x01020304);
    EXPECT_TRUE(read.relative);
    const float fields[] = {read.lifetime,
                            read.particleLifeMin,
                            read.particleLifeMax,
                            read.direction,
                            read.spread,
                            read.speedMin,
                            read.speedMax,
                            read.gravityMin,
                            read.gravityMax,
                            read.radialAccelMin,
                            read.radialAccelMax,
                            read.tangentialAccelMin,
                            read.tangentialAccelMax,
                            read.sizeStart,
                            read.sizeEnd,
                            read.sizeVar,
                            read.spinStart,
                            read.spinEnd,
                            read.spinVar,
                            read.colorStart.r,
                            read.colorStart.g,
                            read.colorStart.b,
                            read.colorStart.a,
                            read.colorEnd.r,
                            read.colorEnd.g,
                            read.colorEnd.b,
                            read.colorEnd.a,
                            read.colorVar,
                            read.alphaVar};
    const std::size_t offsets[] = {8,  12, 16, 20, 24, 32, 36, 40,  44,  48,  52,  56,  60,  64, 68,
                                   72, 76, 80, 84, 88, 92, 96, 100, 104, 108, 112, 116, 120, 124};
    static_assert(std::size(fields) == std::size(offsets));
    for (std::size_t i = 0; i < std::size(offsets); ++i) {
        EXPECT_EQ(fields[i], static_cast<float>(offsets[i]) + 0.5f) << "offset " << offsets[i];
    }
    EXPECT_FLOAT_EQ(system.GetAge(), ParticleSystem::kStopped);

    // Written back, the record is the hand-made one but for the sprite slot.
    std::uint8_t written[128];
    read.Write(written);
    std::string expected = record;
    expected.replace(0, 4, 4, '\0');
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(written), 128), expected);
}

TEST_F(ParticleSystemTest, ShortOrMissingFilesGiveAHarmlessSystem) {
    ParticleSystem shortFile(WritePsi(QuietInfo(), 127).c_str(), &sprite);
    ParticleSystem missing((engine.Dir() + "/absent.psi").c_str(), &sprite);
    engine->Gfx_RecordDraws(true);
    for (ParticleSystem* system : {&shortFile, &missing}) {
        system->Fire();
        for (int i = 0; i < 10; ++i) {
            system->Update(0.1f);
        }
        system->Render();
        EXPECT_EQ(system->GetParticlesAlive(), 0);
    }
    EXPECT_TRUE(TakeQuads(engine.get()).empty());
}

TEST_F(ParticleSystemTest, EmissionRoundsAndCarriesTheRemainder) {
    ParticleSystem system(QuietInfo());
    system.Update(0.02f);
    EXPECT_EQ(system.GetParticlesAlive(), 0); // never fired
    system.Fire();
    int expected[] = {1, 0, 1, 0, 1};
    int before = 0;
    for (int step : expected) {
        system.Update(0.02f);
        EXPECT_EQ(system.GetParticlesAlive() - before, step);
        before = system.GetParticlesAlive();
    }
    for (int i = 0; i < 45; ++i) {
        system.Update(0.02f);
    }
    EXPECT_EQ(system.GetParticlesAlive(), 30); // one second
}

TEST_F(ParticleSystemTest, LifetimeEndsEmissionAndParticlesDieOut) {
    ParticleSystemInfo info = QuietInfo();
    info.lifetime = 2;
    info.particleLifeMin = info.particleLifeMax = 0.5f;
    ParticleSystem system(info);
    system.Fire();
    for (int i = 0; i < 21; ++i) {
        system.Update(0.1f);
    }
    EXPECT_FLOAT_EQ(system.GetAge(), ParticleSystem::kStopped);
    EXPECT_GT(system.GetParticlesAlive(), 0);
    for (int i = 0; i < 8; ++i) {
        system.Update(0.1f);
    }
    EXPECT_EQ(system.GetParticlesAlive(), 0);
}

TEST_F(ParticleSystemTest, NeverMoreThanFiveHundredAlive) {
    ParticleSystemInfo info = QuietInfo();
    info.emission = 2000000000;
    ParticleSystem system(info);
    system.Fire();
    system.Update(1.0f);
    EXPECT_EQ(system.GetParticlesAlive(), 500);
    system.Update(1.0f);
    EXPECT_EQ(system.GetParticlesAlive(), 500);
}

TEST_F(ParticleSystemTest, DyingParticlesLeaveEverySurvivorAgedAndMovedOnce) {
    // Hundreds of particles with scattered lives, so deaths pull particles
    // from the end into slots all over, and whole groups go untouched. Each
    // update adds one dt to a survivor's age and one gravity step to its
    // vertical speed, so the two must tell the same number of updates.
    ParticleSystemInfo info = QuietInfo();
    info.emission = 3000;
    info.particleLifeMin = 0.05f;
    info.particleLifeMax = 0.6f;
    info.direction = 3.14159265358979f / 2; // straight along x: no vertical speed at birth
    info.speedMin = info.speedMax = 10;
    info.gravityMin = info.gravityMax = 30;
    ParticleSystem system(info);
    system.Fire();
    const float dt = 0.05f;
    std::vector<std::pair<float, float>> steps{{0.0f, 0.0f}}; // age, vertical speed
    for (int update = 0; update < 16; ++update) {
        system.Update(dt);
        steps.push_back({steps.back().first + dt, steps.back().second + 30 * dt});
    }
    ASSERT_GT(system.GetParticlesAlive(), 100);
    for (int i = 0; i < system.GetParticlesAlive(); ++i) {
        const Particle p = system.GetParticle(i);
        EXPECT_LT(p.age, p.life) << i;
        auto step = std::find_if(steps.begin(), steps.end(),
                                 [&](const auto& s) { return s.first == p.age; });
        ASSERT_NE(step, steps.end()) << i << " aged " << p.age;
        EXPECT_EQ(p.vy, step->second) << i;
    }
}

TEST_F(ParticleSystemTest, StopWithOrWithoutKilling) {
    ParticleSystem system(QuietInfo());
    system.Fire();
    system.Update(1.0f);
    ASSERT_EQ(system.GetParticlesAlive(), 30);
    system.Stop(false);
    system.Update(1.0f);
    EXPECT_EQ(system.GetParticlesAlive(), 30);
    system.Stop(true);
    EXPECT_EQ(system.GetParticlesAlive(), 0);
}

TEST_F(ParticleSystemTest, FireAtEmitsAroundThePointAndMoveToAlongThePath) {
    ParticleSystemInfo info = QuietInfo();
    info.emission = 500;
    ParticleSystem system(info);
    system.FireAt(100, 50);
    system.Update(0.1f);
    ASSERT_EQ(system.GetParticlesAlive(), 50);
    for (int i = 0; i < 50; ++i) {
        EXPECT_LE(std::fabs(system.GetParticle(i).x - 100), 2.0f);
        EXPECT_LE(std::fabs(system.GetParticle(i).y - 50), 2.0f);
    }
    system.MoveTo(300, 50);
    system.Update(0.1f);
    float low = 1e9f, high = -1e9f;
    for (int i = 50; i < 100; ++i) {
        low = std::min(low, system.GetParticle(i).x);
        high = std::max(high, system.GetParticle(i).x);
    }
    EXPECT_LT(low, 150);
    EXPECT_GT(high, 250);

    // Moving the particles along shifts them without emitting a trail.
    float before = system.GetParticle(0).x;
    system.MoveTo(310, 50, true);
    EXPECT_FLOAT_EQ(system.GetParticle(0).x, before + 10);
}

TEST_F(ParticleSystemTest, AParticleOnTheEmitterGetsNoRadialPush) {
    ParticleSystemInfo info = QuietInfo();
    info.emission = 10;
    info.radialAccelMin = info.radialAccelMax = 1000;
    info.tangentialAccelMin = info.tangentialAccelMax = 1000;
    ParticleSystem system(info);
    system.Fire();
    system.Update(0.1f);
    ASSERT_EQ(system.GetParticlesAlive(), 1);
    Particle p = system.GetParticle(0);
    system.Stop(false);
    system.MoveTo(p.x, p.y);
    system.Update(0.1f);
    EXPECT_FLOAT_EQ(system.GetParticle(0).vx, 0);
    EXPECT_FLOAT_EQ(system.GetParticle(0).vy, 0);
    // Away from the emitter the push is radial and of full strength.
    system.MoveTo(p.x - 10, p.y);
    system.Update(0.1f);
    EXPECT_NEAR(system.GetParticle(0).vx, 100, 0.5f);
    EXPECT_NEAR(system.GetParticle(0).vy, 100, 0.5f);
}

TEST_F(ParticleSystemTest, RenderPacksColoursAtTheOffsetAndRestoresTheSprite) {
    ParticleSystemInfo info = QuietInfo();
    info.sprite = &sprite;
    info.emission = 10;
    info.colorStart = info.colorEnd = {1.0f, 0.5f, 2.0f, 0.25f};
    info.sizeStart = info.sizeEnd = 4;
    sprite.SetColor(0xFF112233);
    ParticleSystem system(info);
    system.FireAt(0, 0);
    system.Update(0.1f);
    system.SetRenderOffset(1000, 2000);
    engine->Gfx_RecordDraws(true);
    system.Render();
    std::vector<Quad> quads = TakeQuads(engine.get());
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_EQ(quads[0].v[0].col, 0x40FF80FFu); // out-of-range blue held at 255
    EXPECT_NEAR(quads[0].v[0].x, 1000 + system.GetParticle(0).x, 1e-3);
    EXPECT_NEAR(quads[0].v[2].y - quads[0].v[0].y, 4, 1e-4);
    EXPECT_EQ(sprite.GetColor(2), 0xFF112233u);

    // A negative start red keeps the sprite's colour and fades only alpha.
    system.GetInfo().colorStart.r = -1;
    ParticleSystem keep(system.GetInfo());
    keep.FireAt(0, 0);
    keep.Update(0.1f);
    keep.Render();
    EXPECT_EQ(TakeQuads(engine.get()).at(0).v[3].col, 0x40112233u);
}

TEST_F(ParticleSystemTest, EveryParticleIsTheSpriteDrawnWithRenderExInItsColour) {
    // Spinning, growing, fading particles from a sprite with its own hot
    // spot, corner depths and colours; more than one run of them.
    HTEXTURE texture = engine->Texture_Create(64, 32);
    Sprite look(texture, 8, 4, 16, 8);
    look.SetHotSpot(5, 3);
    look.SetZ(0.25f, 2);
    look.SetColor(0xFF336699);
    look.SetColor(0x80FFFFFF, 3);
    look.SetBlendMode(BLEND_COLORADD | BLEND_ZWRITE);
    ParticleSystemInfo info = QuietInfo();
    info.sprite = &look;
    info.emission = 1500;
    info.speedMin = 10;
    info.speedMax = 90;
    info.spread = 6;
    info.sizeStart = 0.5f;
    info.sizeEnd = 3;
    info.sizeVar = 1;
    info.spinStart = -40;
    info.spinEnd = 40;
    info.spinVar = 1;
    info.colorStart = {1.2f, 0.5f, -0.1f, 1};
    info.colorEnd = {0, 1, 0.5f, 0};
    info.colorVar = info.alphaVar = 1;
    info.particleLifeMin = 0.5f;
    info.particleLifeMax = 2;
    ParticleSystem system(info);
    system.FireAt(300, 200);
    for (int i = 0; i < 6; ++i) {
        system.Update(0.05f);
    }
    system.SetRenderOffset(-7, 11);
    ASSERT_GT(system.GetParticlesAlive(), 200);

    engine->Gfx_BeginScene();
    engine->Gfx_RecordDraws(true);
    system.Render();
    std::vector<Quad> drawn = TakeQuads(engine.get());
    // The reference: the sprite itself, one RenderEx per particle.
    Sprite reference(look);
    reference.SetColor(0xFF336699);
    for (int i = 0; i < system.GetParticlesAlive(); ++i) {
        const Particle& p = system.GetParticle(i);
        auto byte = [](float v) {
            return std::uint32_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
        };
        reference.SetColor(byte(p.color.a) << 24 | byte(p.color.r) << 16 | byte(p.color.g) << 8 |
                           byte(p.color.b));
        reference.RenderEx(-7 + p.x, 11 + p.y, p.age * p.spin, p.size);
    }
    std::vector<Quad> expected = TakeQuads(engine.get());
    engine->Gfx_EndScene();
    ASSERT_EQ(drawn.size(), expected.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_EQ(drawn[i].tex, texture);
        EXPECT_EQ(drawn[i].blend, BLEND_COLORADD | BLEND_ZWRITE);
        for (int c = 0; c < 4; ++c) {
            const Vertex& got = drawn[i].v[c];
            const Vertex& want = expected[i].v[c];
            EXPECT_NEAR(got.x, want.x, 1e-3f) << i << "/" << c;
            EXPECT_NEAR(got.y, want.y, 1e-3f) << i << "/" << c;
            EXPECT_EQ(got.z, want.z);
            EXPECT_EQ(got.col, want.col) << i << "/" << c;
            EXPECT_EQ(got.tx, want.tx);
            EXPECT_EQ(got.ty, want.ty);
        }
        if (HasFailure()) {
            break;
        }
    }
    // Drawing left the sprite as drawing with it would: its first colour on
    // every corner.
    EXPECT_EQ(look.GetColor(3), 0xFF336699u);
}

} // namespace
