// Loads the shipped resource script the way both programs do and checks that
// every name the code asks for exists, with the right kind and size.
#include "tests/support/TestSupport.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/EngineResources.h"
#include "toolkit/ParticleSystem.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/Sprite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Every sprite the game and the editor look up by name, with the size the
// code relies on (0 = only "about" a size; min/max bound it).
struct SpriteNeed {
    const char* name;
    float minW, maxW, minH, maxH;
};
const SpriteNeed kSprites[] = {
    {"cursor", 32, 32, 32, 32},         {"player", 32, 48, 32, 48},
    {"spellorb", 64, 64, 64, 64},       {"pwu_orb_base", 16, 32, 16, 32},
    {"pwu_health", 16, 32, 16, 32},     {"basic_enemy", 8, 64, 8, 64},
    {"enemy_aggrevator", 8, 64, 8, 64}, {"enemy_mage", 8, 64, 8, 64},
    {"sp_Fireball", 8, 64, 8, 64},      {"sp_fire", 8, 64, 8, 64},
    {"sp_ice", 8, 64, 8, 64},           {"sp_earth", 8, 64, 8, 64},
    {"sp_wind", 8, 64, 8, 64},          {"underline", 512, 2048, 8, 8},
    {"inv_icon", 64, 64, 64, 64},       {"book_bg", 900, 1000, 700, 800},
    {"book_arrow", 28, 36, 42, 50},     {"icon_key", 48, 64, 48, 64},
    {"item_key", 16, 40, 16, 40},       {"ground_grass", 256, 512, 256, 512},
    {"tree_oak", 64, 128, 64, 128},     {"shrine_fire", 48, 128, 48, 128},
};
const char* const kFonts[] = {"dial_fnt", "subdial_fnt", "book_fnt"};
const char* const kFontFiles[] = {"fonts/font.fnt", "fonts/font3.fnt", "fonts/alert_font.fnt"};
const char* const kParticles[] = {"enemy_soul", "trail_fire", "fx_torch", "fx_brazier",
                                  "fx_spring",  "fx_glint",   "fx_curse"};
const char* const kPsiFiles[] = {"fx/enemy.psi", "fx/aggrevator.psi", "fx/mage.psi",
                                 "fx/projectile2.psi"};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

class GameResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_oldDir = std::filesystem::current_path();
        std::filesystem::current_path(testing_support::SourceDir() + "/data");
    }
    void TearDown() override { std::filesystem::current_path(m_oldDir); }

    // Log lines that report a problem with content.
    std::vector<std::string> Problems() const {
        std::vector<std::string> found;
        std::istringstream log(m_engine.ReadLog());
        for (std::string line; std::getline(log, line);) {
            std::string l = Lower(line);
            for (const char* word :
                 {"line ", "not found", "incorrect", "can't", "cannot", "fail", "error"}) {
                if (l.find(word) != std::string::npos) {
                    found.push_back(line);
                    break;
                }
            }
        }
        return found;
    }

    testing_support::HeadlessEngine m_engine;

private:
    std::filesystem::path m_oldDir;
};

TEST_F(GameResourcesTest, ScriptLoadsAndPrecachesWithoutAnyLoggedProblem) {
    ResourceManager resources("resources/game.res");
    EXPECT_TRUE(resources.Precache(0));
    EXPECT_EQ(Problems(), std::vector<std::string>{});
}

TEST_F(GameResourcesTest, EveryNamedSpriteResolvesWithATextureAndItsSize) {
    ResourceManager resources("resources/game.res");
    resources.Precache(0);
    for (const SpriteNeed& need : kSprites) {
        SCOPED_TRACE(need.name);
        Sprite* sprite = resources.GetSprite(need.name);
        ASSERT_NE(sprite, nullptr);
        EXPECT_NE(sprite->GetTexture(), 0u);
        EXPECT_GE(sprite->GetWidth(), need.minW);
        EXPECT_LE(sprite->GetWidth(), need.maxW);
        EXPECT_GE(sprite->GetHeight(), need.minH);
        EXPECT_LE(sprite->GetHeight(), need.maxH);
    }
    // Hot spots the game does not set itself.
    float hx = 0, hy = 0;
    resources.GetSprite("book_bg")->GetHotSpot(&hx, &hy);
    EXPECT_EQ(hx, 475);
    EXPECT_EQ(hy, 384);
    resources.GetSprite("inv_icon")->GetHotSpot(&hx, &hy);
    EXPECT_EQ(hx + hy, 0); // drawn at the cell's corner

    // The tooltip re-cuts the underline from texel (0, 0) of its texture.
    float tx = -1, ty = -1, tw = 0, th = 0;
    resources.GetSprite("underline")->GetTextureRect(&tx, &ty, &tw, &th);
    EXPECT_EQ(tx, 0);
    EXPECT_EQ(ty, 0);
}

TEST_F(GameResourcesTest, OrbGlowTextureIsExactly64Square) {
    ResourceManager resources("resources/game.res");
    HTEXTURE tex = resources.GetTexture("t_spellorb");
    ASSERT_NE(tex, 0u);
    EXPECT_EQ(m_engine->Texture_GetWidth(tex, true), 64);
    EXPECT_EQ(m_engine->Texture_GetHeight(tex, true), 64);
}

TEST_F(GameResourcesTest, FontsHaveEveryPrintableByteOnOneLineHeight) {
    ResourceManager resources("resources/game.res");
    std::vector<BitmapFont*> fonts;
    for (const char* name : kFonts) {
        BitmapFont* font = resources.GetFont(name);
        ASSERT_NE(font, nullptr) << name;
        fonts.push_back(font);
    }
    std::vector<std::unique_ptr<BitmapFont>> direct;
    for (const char* file : kFontFiles) {
        direct.push_back(std::make_unique<BitmapFont>(file, false));
        fonts.push_back(direct.back().get());
    }
    for (BitmapFont* font : fonts) {
        EXPECT_NE(font->GetTexture(), 0u);
        EXPECT_GT(font->GetHeight(), 8);
        // A byte without a glyph of its own is drawn with the "?" glyph, so
        // each must differ from that one.
        const Sprite* fallback = font->GetSprite('?');
        ASSERT_NE(fallback, nullptr);
        for (int c = 32; c <= 126; ++c) {
            Sprite* glyph = font->GetSprite(static_cast<unsigned char>(c));
            ASSERT_NE(glyph, nullptr) << c;
            EXPECT_TRUE(c == '?' || glyph != fallback) << "no glyph for " << c;
            EXPECT_EQ(glyph->GetHeight(), font->GetHeight()) << c;
        }
        // A space advances the pen by its own width, not the fallback's.
        const float space = font->GetStringWidth(" ", false);
        EXPECT_GT(space, 0);
        EXPECT_NE(space, font->GetStringWidth("?", false));
        EXPECT_EQ(font->GetStringWidth("a b", false), font->GetStringWidth("ab", false) + space);
    }
    EXPECT_EQ(Problems(), std::vector<std::string>{});
}

TEST_F(GameResourcesTest, ParticleSystemsAndTheFilesTheGameReadsExist) {
    ResourceManager resources("resources/game.res");
    for (const char* name : kParticles) {
        EXPECT_NE(resources.GetParticleSystem(name), nullptr) << name;
    }
    // A system over a missing file is still made (it just never emits), so
    // the files the script names are checked themselves.
    int named = 0;
    for (ResDesc* record = resources.FirstRecord(kKindParticle); record; record = record->m_next) {
        const char* file = static_cast<RFileDesc*>(record)->m_filename;
        SCOPED_TRACE(file);
        std::error_code error;
        EXPECT_EQ(std::filesystem::file_size(file, error), 128u) << record->m_name;
        ++named;
    }
    EXPECT_GE(named, static_cast<int>(std::size(kParticles)));
    for (const char* file : kPsiFiles) {
        EXPECT_EQ(std::filesystem::file_size(file), 128u) << file;
    }
}

TEST_F(GameResourcesTest, EditorTexturesHaveTheirFixedSizes) {
    HTEXTURE menu = m_engine->Texture_Load("gui/menugui.png");
    HTEXTURE slider = m_engine->Texture_Load("gui/slider.png");
    ASSERT_NE(menu, 0u);
    ASSERT_NE(slider, 0u);
    EXPECT_EQ(m_engine->Texture_GetWidth(menu, true), 512);
    EXPECT_EQ(m_engine->Texture_GetHeight(menu, true), 1024);
    EXPECT_GE(m_engine->Texture_GetWidth(slider, true), 6);
    EXPECT_GE(m_engine->Texture_GetHeight(slider, true), 6);
    m_engine->Texture_Free(menu);
    m_engine->Texture_Free(slider);
}

} // namespace
