#include "content/DefinitionDatabase.h"
#include "content/ContentReport.h"
#include "content/SoundRegistrar.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::WriteFile;

namespace {

class RecordingSounds : public SoundRegistrar {
public:
    void RegisterDialogueSound(const std::string& name, const std::string& path, int) override {
        sounds.push_back(name + "=" + path);
    }
    void RegisterMusicTracks() override { ++musicRegistrations; }
    std::vector<std::string> sounds;
    int musicRegistrations = 0;
};

// The five files in a folder of the test's own, loaded as the game loads
// them (message boxes go to the headless engine's log).
class DefinitionDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_old = std::filesystem::current_path();
        std::filesystem::current_path(m_engine.Dir());
        Write("spells.xml", "<spells><spell type='S_PROJ'><damage dmgt='fire'/>"
                            "<effect sprname='sp_fire'/><aeffect dmgt=''/><combine f='1'/>"
                            "</spell></spells>");
        Write("entity.xml", "<entitydata><entity name='tree' sprname='tree_oak' parname=''>"
                            "<triggers pl='' sp='' en=''/></entity></entitydata>");
        Write("effects.xml", "<fxdata><effect name='Embers'><triggers pl='' sp='' en=''/>"
                             "</effect></fxdata>");
        Write("items.xml", "<itemdata><item name='Key' sprname='k' parname='' icon='i' cmd=''>"
                           "<desc text='d'/></item></itemdata>");
        Write("d_sound.xml", "<dialogue_sounds><sound name='hi' path='sounds/hi.ogg'/>"
                             "<sound path='x'/></dialogue_sounds>");
    }
    void TearDown() override { std::filesystem::current_path(m_old); }

    void Write(const std::string& name, const std::string& text) {
        WriteFile(m_engine.Dir() + "/resources/" + name, text);
    }
    void Remove(const std::string& name) {
        std::filesystem::remove(m_engine.Dir() + "/resources/" + name);
    }
    int Count(const std::string& text) const {
        std::string log = m_engine.ReadLog();
        int count = 0;
        for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) {
            ++count;
        }
        return count;
    }
    void Load() {
        EngineContentReport report(*m_engine.get());
        m_database.Load(report, &m_sounds);
    }

    testing_support::HeadlessEngine m_engine;
    DefinitionDatabase m_database;
    RecordingSounds m_sounds;

private:
    std::filesystem::path m_old;
};

} // namespace

TEST_F(DefinitionDatabaseTest, AllFiveLoadAndAnswerLookups) {
    Load();
    EXPECT_EQ(m_database.SpellCount(), 1);
    ASSERT_NE(m_database.Spell(0), nullptr);
    EXPECT_EQ(m_database.Spell(1), nullptr);
    ASSERT_NE(m_database.Entity("tree"), nullptr);
    EXPECT_EQ(m_database.Entity("tree")->spriteName, "tree_oak");
    EXPECT_EQ(m_database.Entity("Tree"), nullptr); // names are case-sensitive
    EXPECT_NE(m_database.Effect("Embers"), nullptr);
    EXPECT_EQ(m_database.Effect("tree"), nullptr);
    EXPECT_NE(m_database.Item("Key"), nullptr);
    EXPECT_EQ(m_sounds.sounds, (std::vector<std::string>{"hi=sounds/hi.ogg"}));
    EXPECT_EQ(m_sounds.musicRegistrations, 1);
    EXPECT_EQ(Count("The parser cannot load"), 0);
    // The nameless sound is one line naming its file and line.
    EXPECT_EQ(Count("resources/d_sound.xml:1: sound 1 skipped: no name attribute"), 1);
}

TEST_F(DefinitionDatabaseTest, AMissingFileGivesOneMessageAndTheOthersStillLoad) {
    Remove("effects.xml");
    Write("entity.xml", "<entitydata><entity name='tree'"); // not well-formed
    Load();
    EXPECT_EQ(Count("\"Error\": The parser cannot load the XML document, located at: "
                    "resources/effects.xml"),
              1);
    EXPECT_EQ(Count("located at: resources/entity.xml"), 1);
    EXPECT_EQ(Count("The parser cannot load"), 2);
    EXPECT_TRUE(m_database.Entities().empty());
    EXPECT_TRUE(m_database.Effects().empty());
    EXPECT_EQ(m_database.SpellCount(), 1);
    EXPECT_NE(m_database.Item("Key"), nullptr);
    EXPECT_EQ(m_sounds.musicRegistrations, 1);
}

TEST_F(DefinitionDatabaseTest, WithoutTheSoundListNeitherSoundsNorMusicAreRegistered) {
    Remove("d_sound.xml");
    Load();
    EXPECT_EQ(Count("located at: resources/d_sound.xml"), 1);
    EXPECT_TRUE(m_sounds.sounds.empty());
    EXPECT_EQ(m_sounds.musicRegistrations, 0);
    EXPECT_NE(m_database.Entity("tree"), nullptr);
}
