// Dialogues played through on the headless sound clock: every frame the
// engine advances 1/60 s and the manager plays, shows and advances lines.
#include "tests/content/CollectingReport.h"
#include "tests/game/GameTestFixture.h"
#include "tests/platform/SoundTestFiles.h"

#include "game/actors/SpellManager.h"
#include "game/audio/SoundManager.h"
#include "game/core/GameClock.h"
#include "game/ui/DialogueManager.h"
#include "game/world/RunAction.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace {

struct Seen {
    int main;
    int branch;
    int line;
    bool active;
    std::string text;
    bool soundPlaying;
    std::vector<std::string> choices;
};

// Two voices of 0.1 s; "s3" a little longer, so lines can be told apart.
const char* const kTalk = R"(<dialogues>
  <m_dialogue name='talk'>
    <dialogue text='one' sound='s1' trg=''/>
    <dialogue text='two' sound='s2' trg=''/>
    <dialogue text='three' sound='s3' trg=''/>
    <sub_dialogue text='Ask again'>
      <dialogue text='asked' sound='s1' trg=''/>
    </sub_dialogue>
    <sub_dialogue text='Take the ember'>
      <dialogue text='ember' sound='s2' trg='powerup_fire'/>
      <dialogue text='farewell' sound='s1' trg='exit'/>
    </sub_dialogue>
  </m_dialogue>
  <m_dialogue name='other'>
    <dialogue text='hello' sound='s1' trg=''/>
    <sub_dialogue text='Yes'><dialogue text='yes' sound='s1' trg='exit'/></sub_dialogue>
    <sub_dialogue text='No'><dialogue text='no' sound='s1' trg='exit'/></sub_dialogue>
    <sub_dialogue text='Maybe'><dialogue text='maybe' sound='s1' trg='exit'/></sub_dialogue>
  </m_dialogue>
</dialogues>)";

class DialogueTest : public GameTestFixture {
protected:
    void SetUp() override {
        GameTestFixture::SetUp();
        SoundManager& sounds = TheSoundManager();
        sounds.RegisterDialogueSound("s1", sound_test::WriteToneWav(m_dir + "/s1.wav", 0.1));
        sounds.RegisterDialogueSound("s2", sound_test::WriteToneWav(m_dir + "/s2.wav", 0.1));
        sounds.RegisterDialogueSound("s3", sound_test::WriteToneWav(m_dir + "/s3.wav", 0.25));
    }

    DialogueManager& dialogues() { return TheDialogueManager(); }

    bool Load(const std::string& xml) {
        Write("d.xml", xml);
        return dialogues().Load(m_dir + "/d.xml", m_report);
    }

    // Runs headless frames, each one update with that frame's key (0 unless
    // keyAt says otherwise), until stop says so or the frames run out.
    std::vector<Seen> Run(int frames, const std::function<bool(const Seen&)>& stop = nullptr,
                          const std::function<int(int)>& keyAt = nullptr) {
        std::vector<Seen> seen;
        int frame = 0;
        m_engine->System_SetState(ENGINE_FRAMEFUNC, [&] {
            TheGameClock().Update();
            dialogues().Update(keyAt ? keyAt(frame) : 0);
            Seen s{dialogues().Main(),
                   dialogues().Branch(),
                   dialogues().Line(),
                   dialogues().IsActive(),
                   dialogues().ShownText(),
                   TheSoundManager().IsDialoguePlaying(),
                   {}};
            for (const auto& choice : dialogues().Choices()) {
                s.choices.push_back(choice->text);
            }
            seen.push_back(s);
            ++frame;
            return frame >= frames || (stop && stop(s));
        });
        m_engine->System_Start();
        m_engine->System_SetState(ENGINE_FRAMEFUNC, [] { return true; });
        return seen;
    }

    // The distinct texts shown, in order.
    static std::vector<std::string> Shown(const std::vector<Seen>& seen) {
        std::vector<std::string> texts;
        for (const Seen& s : seen) {
            if (!s.text.empty() && (texts.empty() || texts.back() != s.text)) {
                texts.push_back(s.text);
            }
        }
        return texts;
    }

    static bool Offering(const Seen& s) { return s.branch == -2 && !s.choices.empty(); }

    // Puts the mouse on choice k and clicks it in the next frame.
    void Click(int k) {
        const CollisionBox& box = dialogues().Choices()[static_cast<std::size_t>(k)]->box;
        m_game->mouseX = box.Left() + box.Width() / 2;
        m_game->mouseY = box.Top() + box.Height() / 2;
        Run(1, nullptr, [](int) { return VK_LBUTTON; });
    }

    CollectingReport m_report;
};

} // namespace

TEST_F(DialogueTest, MainLinesPlayInOrderThenTheSecondChoicesLinesEndIt) {
    ASSERT_TRUE(Load(kTalk));
    RunAction(*m_game, "dialogue_talk", 0.0f);
    EXPECT_EQ(dialogues().Main(), 0);
    auto seen = Run(200, Offering);
    ASSERT_TRUE(Offering(seen.back()));
    EXPECT_EQ(Shown(seen), (std::vector<std::string>{"one", "two", "three"}));
    // A line is on screen exactly while its sound plays, and the longer
    // voice holds its line longer.
    int oneFrames = 0;
    int threeFrames = 0;
    for (const Seen& s : seen) {
        EXPECT_EQ(!s.text.empty(), s.soundPlaying);
        EXPECT_TRUE(s.active);
        oneFrames += s.text == "one";
        threeFrames += s.text == "three";
    }
    EXPECT_NEAR(oneFrames, 6, 1);
    EXPECT_NEAR(threeFrames, 15, 1);
    EXPECT_EQ(seen.back().choices, (std::vector<std::string>{"Ask again", "Take the ember"}));

    const float fire = TheSpellManager().fire;
    Click(1);
    EXPECT_EQ(dialogues().Branch(), 1);
    EXPECT_EQ(dialogues().Line(), 0);
    seen = Run(100, [](const Seen& s) { return !s.active; });
    EXPECT_EQ(Shown(seen), (std::vector<std::string>{"ember", "farewell"}));
    EXPECT_EQ(TheSpellManager().fire, fire + 5); // the ember line's trigger
    EXPECT_EQ(seen.back().main, -1);
    EXPECT_TRUE(seen.back().choices.empty());
    // The exit line ends it in one frame; the next update lets it go.
    EXPECT_EQ(seen[seen.size() - 2].main, -1);
    EXPECT_TRUE(seen[seen.size() - 2].active);
}

TEST_F(DialogueTest, AChoiceWithoutExitLeadsBackToTheSameChoices) {
    ASSERT_TRUE(Load(kTalk));
    dialogues().StartDialogue("talk");
    Run(200, Offering);
    const DialogueChoice* first = dialogues().Choices()[0].get();
    Click(0);
    auto seen = Run(100, Offering);
    ASSERT_TRUE(Offering(seen.back()));
    EXPECT_EQ(Shown(seen), (std::vector<std::string>{"asked"}));
    // Offered again, not built anew, and still clickable.
    EXPECT_EQ(dialogues().Choices()[0].get(), first);
    EXPECT_EQ(seen.back().choices.size(), 2u);
    Click(1);
    EXPECT_EQ(dialogues().Branch(), 1);
}

TEST_F(DialogueTest, StartingWhileActiveDoesNothingAndTheNextDialogueOffersItsOwnChoices) {
    ASSERT_TRUE(Load(kTalk));
    RunAction(*m_game, "dialogue_talk", 0.0f);
    Run(3);
    RunAction(*m_game, "dialogue_other", 0.0f);
    EXPECT_EQ(dialogues().Main(), 0);
    Run(200, Offering);
    Click(1);
    Run(100, [](const Seen& s) { return !s.active; });

    RunAction(*m_game, "dialogue_other", 0.0f);
    EXPECT_EQ(dialogues().Main(), 1);
    auto seen = Run(100, Offering);
    EXPECT_EQ(Shown(seen), (std::vector<std::string>{"hello"}));
    EXPECT_EQ(seen.back().choices, (std::vector<std::string>{"Yes", "No", "Maybe"}));
    Click(2);
    seen = Run(100, [](const Seen& s) { return !s.active; });
    EXPECT_EQ(Shown(seen), (std::vector<std::string>{"maybe"}));
}

TEST_F(DialogueTest, ChoicesSitInRowsAndLightUnderTheMouse) {
    ASSERT_TRUE(Load(kTalk));
    dialogues().StartDialogue("other");
    Run(100, Offering);
    const auto& choices = dialogues().Choices();
    BitmapFont* font = m_resources->GetFont("subdial_fnt");
    ASSERT_NE(font, nullptr);
    for (std::size_t k = 0; k < choices.size(); ++k) {
        const CollisionBox& box = choices[k]->box;
        const float width = font->GetStringWidth(choices[k]->text.c_str());
        EXPECT_FLOAT_EQ(box.Left(), 512 - width / 2);
        EXPECT_FLOAT_EQ(box.Top(), 768 - 200 + 30 * static_cast<float>(k));
        EXPECT_FLOAT_EQ(box.Width(), width);
        EXPECT_FLOAT_EQ(box.Height(), font->GetHeight());
        EXPECT_EQ(choices[k]->index, static_cast<int>(k));
    }
    // Each choice is drawn in the colour of its own hover, the last one
    // decides what the font is left with.
    m_game->mouseX = 512;
    m_game->mouseY = 768 - 200 + 60 + 5;
    m_engine->Gfx_RecordDraws(true);
    Run(1);
    std::vector<std::uint32_t> colours;
    for (const DrawRecord& record : m_engine->Gfx_TakeDrawRecords()) {
        if (record.kind == DrawRecord::Kind::Quad && record.quad.tex == font->GetTexture()) {
            if (colours.empty() || colours.back() != record.quad.v[0].col) {
                colours.push_back(record.quad.v[0].col);
            }
        }
    }
    m_engine->Gfx_RecordDraws(false);
    EXPECT_EQ(colours, (std::vector<std::uint32_t>{0xFFFFFFFF, 0xFFFF0000}));
    EXPECT_EQ(dialogues().Branch(), -2); // hovering is not choosing
    m_game->mouseX = 5;
    Run(1, nullptr, [](int) { return VK_LBUTTON; }); // a click beside every choice
    EXPECT_EQ(dialogues().Branch(), -2);
    EXPECT_EQ(font->GetColor(), 0xFFFFFFFFu);
}

TEST_F(DialogueTest, VoicelessLinesStayForTheirReadingTimeAndEmptyOnesEndAtOnce) {
    // No such sound, then no sound, text or trigger at all, then an
    // unnamed dialogue that no trigger can start.
    ASSERT_TRUE(Load("<dialogues>"
                     "<m_dialogue><dialogue text='hidden' sound='s1' trg='exit'/></m_dialogue>"
                     "<m_dialogue name='quiet'>"
                     "<dialogue text='unheard' sound='nowhere' trg='powerup_ice'/>"
                     "<dialogue/>"
                     "<dialogue text='heard' sound='s1' trg='exit'/>"
                     "</m_dialogue></dialogues>"));
    EXPECT_EQ(m_report.problems.size(), 2u); // the name, and the bare line
    dialogues().StartDialogue("quiet");
    EXPECT_EQ(dialogues().Main(), 1);
    const float ice = TheSpellManager().ice;
    // 0.4 s and 0.06 s for each of its seven characters, then its trigger.
    auto seen = Run(200, [](const Seen& s) { return s.line == 1; });
    const auto shown =
        std::count_if(seen.begin(), seen.end(), [](const Seen& s) { return s.text == "unheard"; });
    EXPECT_NEAR(static_cast<double>(shown), 60 * (0.4 + 0.06 * 7), 1.5);
    EXPECT_EQ(TheSpellManager().ice, ice + 5);
    seen = Run(1);
    EXPECT_EQ(seen[0].line, 2); // nothing to read: gone at once
    seen = Run(100, [](const Seen& s) { return !s.active; });
    EXPECT_EQ(Shown(seen), (std::vector<std::string>{"heard"}));
}

TEST_F(DialogueTest, NamesMatchExactlyAndAMissingFileStartsNothing) {
    ASSERT_TRUE(Load(kTalk));
    for (const char* name : {"Talk", "tal", "talk ", ""}) {
        dialogues().StartDialogue(name);
        EXPECT_EQ(dialogues().Main(), -1) << name;
    }
    dialogues().StartDialogue("talk");
    dialogues().StartDialogue("nobody"); // a name no dialogue bears starts nothing
    EXPECT_EQ(dialogues().Main(), -1);
    Run(2);
    EXPECT_FALSE(dialogues().IsActive());

    EXPECT_FALSE(dialogues().Load(m_dir + "/missing.xml", m_report));
    EXPECT_EQ(m_report.unloadable, (std::vector<std::string>{m_dir + "/missing.xml"}));
    dialogues().StartDialogue("talk");
    EXPECT_EQ(dialogues().Main(), -1);
    Run(2);
    EXPECT_FALSE(dialogues().IsActive());
}

TEST_F(DialogueTest, LinesAreDrawnAsWrittenNeverAsFormats) {
    ASSERT_TRUE(Load("<dialogues><m_dialogue name='pct'>"
                     "<dialogue text='100% %s %n %d' sound='s2' trg='exit'/>"
                     "</m_dialogue></dialogues>"));
    dialogues().StartDialogue("pct");
    BitmapFont* font = m_resources->GetFont("dial_fnt");
    ASSERT_NE(font, nullptr);
    m_engine->Gfx_RecordDraws(true);
    auto seen = Run(1);
    int glyphs = 0;
    float left = 1e9f;
    for (const DrawRecord& record : m_engine->Gfx_TakeDrawRecords()) {
        if (record.kind == DrawRecord::Kind::Quad && record.quad.tex == font->GetTexture()) {
            ++glyphs;
            left = std::min(left, record.quad.v[0].x);
            EXPECT_FLOAT_EQ(record.quad.v[0].y, 768 - 200);
        }
    }
    m_engine->Gfx_RecordDraws(false);
    EXPECT_EQ(seen[0].text, "100% %s %n %d");
    EXPECT_EQ(glyphs, 13);
    // Centred on the screen's middle.
    EXPECT_NEAR(left, 512 - font->GetStringWidth("100% %s %n %d") / 2, 3.0);
}
