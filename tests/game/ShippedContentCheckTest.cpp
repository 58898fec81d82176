// The shipped map and definitions name only what ships: a typo in a name is
// otherwise a thing that silently never appears, a sound that never plays,
// or a dialogue that never starts.
#include "tests/content/CollectingReport.h"
#include "tests/game/GameTestFixture.h"

#include "content/ContentParse.h"
#include "content/DialogueReader.h"
#include "content/DialogueSoundReader.h"
#include "content/SoundRegistrar.h"
#include "content/XmlFile.h"
#include "toolkit/fx/FX_Emitter.h"

#include <filesystem>
#include <map>
#include <set>

namespace {

struct SoundFiles : SoundRegistrar {
    void RegisterDialogueSound(const std::string& name, const std::string& path, int) override {
        paths[name] = path;
    }
    void RegisterMusicTracks() override {}
    std::map<std::string, std::string> paths;
};

class ShippedContentCheck : public GameTestFixture {
protected:
    void SetUp() override {
        GameTestFixture::SetUp();
        CollectingReport report;
        m_shipped.Load(report, nullptr);
        for (const CollectingReport::Line& problem : report.problems) {
            ADD_FAILURE() << problem.path << ":" << problem.line << ": " << problem.what;
        }
        ASSERT_TRUE(LoadXmlFile(m_dialogueFile, "resources/dialogues.xml", report));
        m_dialogues = ListDialogues(m_dialogueFile, "resources/dialogues.xml", report);
        ASSERT_TRUE(ReadDialogueSoundFile("resources/d_sound.xml", m_sounds, report));
        EXPECT_TRUE(report.problems.empty());
    }

    // What is wrong with an action command, "" when it would do something.
    std::string ActionProblem(const std::string& command, bool inDialogue) const {
        if (command.empty() || (inDialogue && command == "exit")) {
            return "";
        }
        const std::size_t split = command.find('_');
        if (split == std::string::npos) {
            return "no argument";
        }
        const std::string word = command.substr(0, split);
        const std::string argument = command.substr(split + 1);
        if (word == "dialogue") {
            return FindDialogue(m_dialogueFile, argument) >= 0 ? "" : "no such dialogue";
        }
        if (word == "openbook") {
            return std::filesystem::exists("books/" + argument + ".txt") ? "" : "no such book";
        }
        if (word == "powerup") {
            static const std::set<std::string> kKinds = {"health", "fire", "ice",
                                                         "earth",  "wind", "all"};
            return kKinds.count(argument) ? "" : "no such power-up";
        }
        if (word == "addgroup" || word == "addhealth" || word == "aggdmg") {
            return LeadingInt(argument.c_str()) > 0 ? "" : "not a positive number";
        }
        return "no such action";
    }

    bool HasSprite(const std::string& name) { return m_resources->GetSprite(name.c_str()); }
    bool HasParticles(const std::string& name) {
        return name.empty() || m_resources->GetParticleSystem(name.c_str());
    }

    DefinitionDatabase m_shipped;
    tinyxml2::XMLDocument m_dialogueFile;
    std::vector<DialogueEntry> m_dialogues;
    SoundFiles m_sounds;
};

TEST_F(ShippedContentCheck, EveryNameTheMapUsesHasADefinitionAndAnEmitter) {
    MapContents map;
    CollectingReport report;
    ASSERT_TRUE(ReadMapFile("maps/map1.xml", map, report));
    EXPECT_TRUE(report.problems.empty());
    EXPECT_FALSE(map.entities.empty());
    for (const MapPlacement& placement : map.entities) {
        EXPECT_TRUE(m_shipped.Entity(placement.name)) << placement.name;
    }
    EXPECT_EQ(map.effects.size(), 5u);
    for (const MapPlacement& placement : map.effects) {
        EXPECT_TRUE(m_shipped.Effect(placement.name)) << placement.name;
        EXPECT_TRUE(m_effects->SpawnCopy(placement.name.c_str(), 0, 0)) << placement.name;
    }
    for (const MapPlacement& placement : map.items) {
        EXPECT_TRUE(m_shipped.Item(placement.name)) << placement.name;
    }
}

TEST_F(ShippedContentCheck, DefinitionsNameOnlySpritesParticlesAndActionsThatExist) {
    for (const auto& [name, entity] : m_shipped.Entities()) {
        EXPECT_TRUE(entity.spriteName.empty() || HasSprite(entity.spriteName)) << name;
        EXPECT_TRUE(HasParticles(entity.particleName)) << name;
        EXPECT_EQ(ActionProblem(entity.playerTrigger, false), "") << name;
    }
    for (const auto& [name, item] : m_shipped.Items()) {
        EXPECT_TRUE(HasSprite(item.spriteName)) << name;
        EXPECT_TRUE(HasSprite(item.iconName)) << name;
        EXPECT_TRUE(HasParticles(item.particleName)) << name;
        EXPECT_EQ(ActionProblem(item.command, false), "") << name;
    }
    for (const auto& [index, combination] : m_shipped.Combinations()) {
        const SpellDefinition* spell = m_shipped.Spell(index);
        ASSERT_TRUE(spell) << index;
        // An area spell plays the effect of that name; a bolt is a sprite.
        if (spell->kind == S_AREA) {
            EXPECT_TRUE(m_effects->SpawnCopy(spell->spriteName.c_str(), 0, 0)) << index;
        } else {
            EXPECT_TRUE(HasSprite(spell->spriteName)) << index;
        }
    }
}

TEST_F(ShippedContentCheck, EveryDialogueIsVoicedActsOnRealThingsAndCanEnd) {
    EXPECT_FALSE(m_dialogues.empty());
    for (const DialogueEntry& dialogue : m_dialogues) {
        bool ends = false;
        auto check = [&](const std::vector<DialogueLine>& lines) {
            for (const DialogueLine& line : lines) {
                ends = ends || line.trigger == "exit";
                EXPECT_EQ(ActionProblem(line.trigger, true), "")
                    << dialogue.name << ": " << line.text;
                if (line.sound.empty()) {
                    // Only a silent action line may go without a voice.
                    EXPECT_TRUE(line.text.empty()) << dialogue.name << ": " << line.text;
                    continue;
                }
                auto found = m_sounds.paths.find(line.sound);
                ASSERT_NE(found, m_sounds.paths.end()) << line.sound;
                EXPECT_TRUE(std::filesystem::exists(found->second)) << found->second;
            }
        };
        check(dialogue.lines);
        for (const DialogueChoiceEntry& choice : dialogue.choices) {
            check(choice.lines);
        }
        // Only an "exit" line lets a dialogue go.
        EXPECT_TRUE(ends) << dialogue.name << " never ends";
    }
}

} // namespace
