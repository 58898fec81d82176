// Casting, flight, hits and the end of spells, on stand-in and real enemies.
#include "game/actors/SpellManager.h"
#include "game/actors/EnemyManager.h"
#include "game/actors/enemies/Aggrevator.h"
#include "game/actors/enemies/Minion_Soul.h"
#include "game/core/GameClock.h"
#include "game/core/ScreenEffects.h"
#include "toolkit/fx/FX_Emitter.h"
#include "overlays/AlertList.h"
#include "tests/game/GameTestFixture.h"
#include "tests/game/SpellTestSupport.h"
#include "toolkit/ParticleSystem.h"

#include <cmath>

using spell_test::Spell;
using spell_test::SpellText;
using spell_test::StandIn;

namespace {

class SpellTest : public GameTestFixture {
protected:
    void Use(const std::vector<SpellText>& spells) {
        std::string text;
        for (const SpellText& spell : spells) {
            text += Spell(spell);
        }
        spell_test::LoadSpells(m_spells, text);
        TheSpellManager().UseDefinitions(&m_spells);
    }

    // One unpaused frame of the spells.
    void Step(float dt = 1.0f / 60) {
        GameClock& clock = TheGameClock();
        clock.delta = dt;
        clock.time += dt;
        TheSpellManager().Update();
    }

    template <typename T = StandIn, typename... Args> T& Enemy(Args... args) {
        auto enemy = std::make_unique<T>(args...);
        T* kept = enemy.get();
        TheEnemyManager().AddEnemy(std::move(enemy));
        return *kept;
    }

    static std::vector<std::string> AlertTexts() {
        std::vector<std::string> texts;
        for (const Alert& alert : Registry::Current().Get<AlertList>().Alerts()) {
            texts.push_back(alert.text);
        }
        return texts;
    }

    SpellManager& Spells() { return TheSpellManager(); }

    DefinitionDatabase m_spells;
};

SpellText Area(const std::string& extraEffect = "special='0' no='0' dur='1' speed='0' "
                                                "sprname=''") {
    SpellText area;
    area.type = "S_AREA";
    area.size = "w='100' h='100'";
    area.effect = extraEffect;
    return area;
}

} // namespace

TEST_F(SpellTest, CostsAreCheckedFirstAndPaidOnlyByACast) {
    SpellText bolt;
    SpellText fan;
    fan.type = "S_MPROJ";
    fan.combine = "f='-2' i='1'";
    fan.extra = "<proj direction='-10'/><proj direction='10'/>";
    SpellText empty;
    empty.type = "S_MPROJ";
    empty.combine = "e='3'";
    Use({bolt, fan, empty});
    GameClock& clock = TheGameClock();
    SpellManager& spells = Spells();

    spells.fire = 0.5f;
    clock.fire = clock.it = true;
    spells.Cast(0, 0, 0, 0);
    EXPECT_TRUE(spells.Instances().empty());
    EXPECT_FLOAT_EQ(spells.fire, 0.5f);
    EXPECT_FALSE(clock.fire); // the selection is dropped
    EXPECT_FALSE(clock.it);

    // A negative cost passes the check and raises the count.
    clock.ice = true;
    spells.Cast(5, 6, 90, 1);
    ASSERT_EQ(spells.Instances().size(), 2u);
    EXPECT_FLOAT_EQ(spells.Instances().front()->Angle(), 80);
    EXPECT_FLOAT_EQ(spells.Instances().back()->Angle(), 100);
    EXPECT_FLOAT_EQ(spells.Instances().back()->X(), 5);
    EXPECT_FLOAT_EQ(spells.fire, 2.5f);
    EXPECT_FLOAT_EQ(spells.ice, 19);
    EXPECT_TRUE(clock.ice); // kept for the next cast

    // No directions: nothing flies, the orbs go all the same.
    spells.Cast(0, 0, 0, 2);
    EXPECT_EQ(spells.Instances().size(), 2u);
    EXPECT_FLOAT_EQ(spells.earth, 7);

    spells.Cast(0, 0, 0, -1);
    spells.Cast(0, 0, 0, 17);
    EXPECT_EQ(spells.Instances().size(), 2u);
    EXPECT_FLOAT_EQ(spells.earth, 7);
}

TEST_F(SpellTest, AProjectileFliesAlongItsAngleLeavingItsTrailBehind) {
    Use({SpellText{}});
    Spells().Cast(100, 100, 90, 0);
    for (int i = 0; i < 12; ++i) {
        Step();
    }
    ASSERT_EQ(Spells().Instances().size(), 1u);
    const SpellInstance& bolt = *Spells().Instances().front();
    EXPECT_NEAR(bolt.X(), 100, 1e-3);
    EXPECT_NEAR(bolt.Y(), 160, 1e-3);
    ASSERT_NE(bolt.Trail(), nullptr);
    float top = 1e9f;
    float bottom = -1e9f;
    for (int i = 0; i < bolt.Trail()->GetParticlesAlive(); ++i) {
        top = std::min(top, bolt.Trail()->GetParticle(i).y);
        bottom = std::max(bottom, bolt.Trail()->GetParticle(i).y);
    }
    // Particles from the whole path, not only around the head.
    EXPECT_LT(top, 115);
    EXPECT_GT(bottom, 150);
}

TEST_F(SpellTest, AProjectileHitsOnlyTheFirstEnemyItTouches) {
    Use({SpellText{}});
    StandIn& fireball = Enemy(200.0f, 100.0f, static_cast<int>(kLittles));
    StandIn& first = Enemy(200.0f, 100.0f);
    StandIn& second = Enemy(200.0f, 100.0f);
    Spells().Cast(195, 100, 0, 0);
    Step();
    EXPECT_TRUE(Spells().Instances().empty());
    ASSERT_EQ(fireball.hits.size(), 1u);
    EXPECT_FLOAT_EQ(fireball.hits[0].first, 40);
    EXPECT_EQ(fireball.hits[0].second, "fire");
    EXPECT_TRUE(first.hits.empty());
    EXPECT_TRUE(second.hits.empty());
    EXPECT_TRUE(AlertTexts().empty()); // fireballs are hit silently

    TheEnemyManager().Clear();
    StandIn& ahead = Enemy(200.0f, 100.0f);
    StandIn& behind = Enemy(200.0f, 100.0f);
    Spells().Cast(195, 100, 0, 0);
    Step();
    EXPECT_EQ(ahead.hits.size(), 1u);
    EXPECT_TRUE(behind.hits.empty());
    EXPECT_EQ(AlertTexts(), std::vector<std::string>{"-40"});
}

TEST_F(SpellTest, AnAreaStrikesWhatIsInsideOnceAndNothingThatComesLater) {
    Use({Area()});
    StandIn& centre = Enemy(0.0f, 0.0f);
    StandIn& corner = Enemy(50.0f, -50.0f); // touching edges count
    StandIn& late = Enemy(400.0f, 0.0f);
    Minion_Soul& minion = Enemy<Minion_Soul>(10.0f, 10.0f, nullptr);
    Aggrevator& aggrevator = Enemy<Aggrevator>(-10.0f, 10.0f, nullptr);
    Spells().Cast(0, 0, 0, 0);
    Step();
    EXPECT_EQ(centre.hits.size(), 1u);
    EXPECT_EQ(corner.hits.size(), 1u);
    EXPECT_LT(minion.health, minion.maxHealth);
    EXPECT_LT(aggrevator.health, aggrevator.maxHealth);
    // Four hits; the three close together that read alike are counted on one.
    EXPECT_EQ(AlertTexts().size(), 2u);

    late.x = 0;
    for (int i = 0; i < 30; ++i) {
        Step();
    }
    EXPECT_EQ(Spells().Instances().size(), 1u); // still playing out
    EXPECT_TRUE(late.hits.empty());
    EXPECT_EQ(centre.hits.size(), 1u);
    for (int i = 0; i < 40; ++i) {
        Step();
    }
    EXPECT_TRUE(Spells().Instances().empty());
}

TEST_F(SpellTest, AreasInACrowdStrikeExactlyTheEnemiesTheirBoxesOverlap) {
    // Scattered so that boxes lie just inside and just outside every edge;
    // one enemy stands nowhere (not a number) and is never struck.
    Use({Area()});
    std::vector<StandIn*> crowd;
    std::uint32_t seed = 7;
    for (int i = 0; i < 300; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const float x = static_cast<float>(seed >> 20) / 4096.0f * 600 - 300;
        seed = seed * 1664525u + 1013904223u;
        const float y = static_cast<float>(seed >> 20) / 4096.0f * 600 - 300;
        crowd.push_back(&Enemy(x, y));
    }
    crowd.push_back(&Enemy(std::nanf(""), 0.0f));
    std::vector<int> expected(crowd.size(), 0);
    for (float at : {-200.0f, -35.5f, 0.0f, 120.25f}) {
        Spells().Cast(at, at / 2, 0, 0);
        const CollisionBox& area = Spells().Instances().back()->Box();
        for (std::size_t i = 0; i < crowd.size(); ++i) {
            expected[i] += CollisionBox::Overlap(area, crowd[i]->Box());
        }
    }
    Step();
    int struck = 0;
    for (std::size_t i = 0; i < crowd.size(); ++i) {
        EXPECT_EQ(static_cast<int>(crowd[i]->hits.size()), expected[i]) << "enemy " << i;
        struck += expected[i];
    }
    EXPECT_GT(struck, 10);
    EXPECT_EQ(expected.back(), 0);
}

TEST_F(SpellTest, ASpellOfNoDurationEndsInItsFirstUpdateWithoutHitting) {
    SpellText instant;
    instant.effect = "special='0' no='1' dur='0' speed='300' sprname='sp_fire'";
    SpellText area = Area("special='0' no='0' dur='0' speed='0' sprname=''");
    Use({instant, area});
    StandIn& target = Enemy(0.0f, 0.0f);
    Spells().Cast(0, 0, 0, 0);
    Spells().Cast(0, 0, 0, 1);
    Step();
    EXPECT_TRUE(Spells().Instances().empty());
    EXPECT_TRUE(target.hits.empty());
}

TEST_F(SpellTest, APauseDoesNotShortenASpellsLife) {
    SpellText slow;
    slow.effect = "special='0' no='1' dur='1' speed='60' sprname='sp_fire'";
    Use({slow});
    Spells().Cast(0, 0, 0, 0);
    for (int i = 0; i < 30; ++i) {
        Step();
    }
    // Two seconds paused, then the first frame after it.
    TheGameClock().time += 2.0f;
    m_game->pauseDuration = 2.0f;
    Step();
    m_game->pauseDuration = 0;
    ASSERT_EQ(Spells().Instances().size(), 1u);
    EXPECT_NEAR(Spells().Instances().front()->SpawnTime(), 2.0f, 1e-5);
    EXPECT_NEAR(Spells().Instances().front()->X(), 31, 1e-3);
    for (int i = 0; i < 28; ++i) {
        Step();
    }
    EXPECT_EQ(Spells().Instances().size(), 1u);
    Step();
    Step();
    EXPECT_TRUE(Spells().Instances().empty());
}

TEST_F(SpellTest, AnAreaSpellPlaysAPlacedCopyOfItsEmitterUntilItStops) {
    Use({Area("special='1' no='0' dur='10' speed='0' sprname='Inferno'")});
    FX_Manager& manager = *TheScreenEffects().EffectManager();
    const int loaded = manager.GetEmitterCount();
    Spells().Cast(300, 200, 0, 0);
    ASSERT_EQ(Spells().Instances().size(), 1u);
    const FX_Emitter* emitter = Spells().Instances().front()->Emitter();
    ASSERT_NE(emitter, nullptr);
    EXPECT_EQ(manager.GetEmitterCount(), loaded + 1);
    EXPECT_EQ(emitter->GetState(), FX_Emitter::kPlaying);
    EXPECT_TRUE(Fx_GetEmitterDirectionMode(emitter->GetHandle()));
    EXPECT_FLOAT_EQ(Fx_GetEmitterPosition(emitter->GetHandle()).x, 300);
    EXPECT_FLOAT_EQ(Fx_GetEmitterPosition(emitter->GetHandle()).y, 200);
    Step();
    EXPECT_GT(const_cast<FX_Emitter*>(emitter)->Draw(), 0);
    // The effect lasts 1.3 s, well before the spell's own ten.
    for (int i = 0; i < 120 && !Spells().Instances().empty(); ++i) {
        Step();
    }
    EXPECT_TRUE(Spells().Instances().empty());
    EXPECT_EQ(manager.GetEmitterCount(), loaded);
}

TEST_F(SpellTest, MissingLooksStillCastPayAndHitAndAreLoggedOnce) {
    SpellText noSprite;
    noSprite.effect = "special='0' no='1' dur='2' speed='300' sprname='no_such_sprite'";
    SpellText noTrail;
    noTrail.effect = "special='0' no='99' dur='2' speed='300' sprname='sp_ice'";
    SpellText noEmitter = Area("special='1' no='0' dur='1' speed='0' sprname='Nowhere'");
    Use({noSprite, noTrail, noEmitter});
    for (int round = 0; round < 2; ++round) {
        for (int index = 0; index < 3; ++index) {
            StandIn& target = Enemy(10.0f, 0.0f);
            Spells().Cast(5, 0, 0, index);
            ASSERT_EQ(Spells().Instances().size(), 1u);
            EXPECT_EQ(Spells().Instances().front()->Trail(), nullptr);
            EXPECT_EQ(Spells().Instances().front()->Emitter(), nullptr);
            Spells().Render();
            Step();
            EXPECT_EQ(target.hits.size(), 1u);
            TheEnemyManager().Clear();
            while (!Spells().Instances().empty()) {
                Step();
            }
        }
    }
    EXPECT_FLOAT_EQ(Spells().fire, 24);
    const std::string log = m_engine.ReadLog();
    for (const char* name : {"\"no_such_sprite\"", "\"fx/projectile99.psi\"", "\"Nowhere\""}) {
        const std::size_t at = log.find(name);
        ASSERT_NE(at, std::string::npos) << name << "\n" << log;
        EXPECT_EQ(log.find(name, at + 1), std::string::npos) << name;
    }
}

TEST_F(SpellTest, HugeAndNonFiniteNumbersCastHarmlessly) {
    SpellText wild;
    wild.size = "w='1e39' h='3e38'";
    wild.damage = "dmg1='99999999999' dmg2='-99999999999' dmgt='ice'";
    wild.effect = "special='0' no='1' dur='1' speed='nan' sprname='sp_fire'";
    wild.combine = "f='1e39' i='-inf'";
    SpellText fast;
    fast.effect = "special='0' no='1' dur='3e38' speed='3.4e38' sprname='sp_fire'";
    Use({wild, fast});
    StandIn& target = Enemy(0.0f, 0.0f);
    Spells().Cast(0, 0, 45, 0);
    Spells().Cast(0, 0, 45, 1);
    for (int i = 0; i < 5; ++i) {
        Step();
        Spells().Render();
    }
    EXPECT_FLOAT_EQ(Spells().fire, 29); // 1e39 read as 0
    EXPECT_EQ(target.hits.size(), 1u);  // the box of width 0 still touches
}

TEST_F(SpellTest, EveryShippedSpellHasItsLook) {
    DefinitionDatabase shipped;
    EngineContentReport report(*m_engine.get());
    shipped.Load(report, nullptr);
    ASSERT_GE(shipped.SpellCount(), 16);
    TheSpellManager().UseDefinitions(&shipped);
    for (const auto& [index, combination] : shipped.Combinations()) {
        Spells().fire = Spells().ice = Spells().earth = Spells().wind = 100;
        Spells().Cast(0, 0, 0, index);
        ASSERT_FALSE(Spells().Instances().empty()) << index;
        for (const auto& spell : Spells().Instances()) {
            if (spell->IsProjectile()) {
                EXPECT_NE(spell->Trail(), nullptr) << index;
            } else {
                EXPECT_NE(spell->Emitter(), nullptr) << index;
            }
        }
        while (!Spells().Instances().empty()) {
            Step();
        }
    }
    EXPECT_EQ(m_engine.ReadLog().find("spell"), std::string::npos) << m_engine.ReadLog();
}
