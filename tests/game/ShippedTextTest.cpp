// The shipped books and dialogues fit where the game draws them, in the
// fonts it draws them with, on the 1024 x 768 screen.
#include "tests/content/CollectingReport.h"
#include "tests/game/GameTestFixture.h"

#include "content/DialogueReader.h"
#include "content/DialogueSoundReader.h"
#include "content/SoundRegistrar.h"
#include "content/XmlFile.h"
#include "game/ui/Book.h"
#include "toolkit/StringTable.h"
#include "tools/check/BookSpells.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

namespace {

class ShippedText : public GameTestFixture {};

// The longest run of line feeds the author wrote.
int LongestBreak(const std::string& text) {
    int longest = 0;
    int run = 0;
    for (char c : text) {
        run = c == '\n' ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

struct Glyph {
    float left, top, right, bottom;
};

std::vector<Glyph> PageGlyphs(Engine& engine, Book& book) {
    engine.Gfx_RecordDraws(true);
    book.Draw();
    std::vector<Glyph> glyphs;
    for (const DrawRecord& record : engine.Gfx_TakeDrawRecords()) {
        const Quad& q = record.quad;
        if (record.kind == DrawRecord::Kind::Quad && q.tex == book.Font()->GetTexture() &&
            q.v[0].y >= book.TextTop()) {
            glyphs.push_back({q.v[0].x, q.v[0].y, q.v[2].x, q.v[2].y});
        }
    }
    engine.Gfx_RecordDraws(false);
    return glyphs;
}

// A glyph may lean out of its advance by a pixel or two (a negative space
// before it), which the page's margin takes.
constexpr float kOverhang = 2.0f;

// Every glyph of the page lies in its box, and the wrap added no blank
// line the author did not write (a space before a line feed at the wrap
// width would).
void ExpectPageFits(const std::vector<Glyph>& glyphs, float left, float top, float lineHeight,
                    const std::string& text, const std::string& where) {
    std::set<float> rows;
    for (const Glyph& g : glyphs) {
        EXPECT_GE(g.left, left - kOverhang) << where;
        EXPECT_LE(g.right, left + Book::kPageWidth + kOverhang) << where;
        EXPECT_LE(g.bottom, top + Book::kPageHeight) << where;
        rows.insert(g.top);
    }
    const float widestGap = static_cast<float>(LongestBreak(text)) * lineHeight;
    for (auto row = rows.begin(); row != rows.end() && std::next(row) != rows.end(); ++row) {
        EXPECT_LE(*std::next(row) - *row, widestGap + 0.5f) << where << " below row " << *row;
    }
}

struct Registered : SoundRegistrar {
    void RegisterDialogueSound(const std::string& name, const std::string&, int) override {
        names.insert(name);
    }
    void RegisterMusicTracks() override {}
    std::set<std::string> names;
};

// The orbs a "Costs ..." sentence asks, fire, ice, earth, wind: "half a fire
// orb", "one fire orb and one ice orb", "two orbs of each element" (each of
// the elements the spell uses).
std::array<float, 4> StatedCosts(const std::string& body, const std::array<bool, 4>& uses) {
    static const std::map<std::string, float> kNumbers = {{"half", 0.5f}, {"one", 1},  {"two", 2},
                                                          {"three", 3},   {"four", 4}, {"five", 5}};
    static const std::array<std::string, 4> kElements = {"fire", "ice", "earth", "wind"};
    std::array<float, 4> costs{};
    const std::size_t at = body.find("Costs ");
    if (at == std::string::npos) {
        return costs;
    }
    std::istringstream words(body.substr(at, body.find('.', at) - at));
    float pending = 0;
    for (std::string word; words >> word;) {
        if (kNumbers.count(word)) {
            pending = kNumbers.at(word);
        } else if (word == "each") {
            for (int k = 0; k < 4; ++k) {
                costs[k] = uses[k] ? pending : 0;
            }
        } else if (auto e = std::find(kElements.begin(), kElements.end(), word);
                   e != kElements.end()) {
            costs[e - kElements.begin()] = pending;
        }
    }
    return costs;
}

} // namespace

// What the primer teaches is what the game does: every shipped spell has a
// heading, under the keys that select it, at the cost it really takes.
TEST_F(ShippedText, ThePrimerTeachesEverySpellByItsKeysAndCost) {
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.LoadFile(DefinitionDatabase::kSpellFile), tinyxml2::XML_SUCCESS);
    const std::vector<NamedSpell> spells = ReadSpellNames(document);
    DefinitionDatabase shipped;
    CollectingReport report;
    shipped.Load(report, nullptr);
    ASSERT_EQ(spells.size(), shipped.Combinations().size()) << "a spell has no name";

    std::vector<SpellHeading> headings;
    StringTable primer("books/primer.txt");
    for (int page = 0; primer.GetString(("page" + std::to_string(page)).c_str()); ++page) {
        for (const SpellHeading& heading :
             FindSpellHeadings(primer.GetString(("page" + std::to_string(page)).c_str()))) {
            headings.push_back(heading);
        }
    }
    std::set<int> taught;
    for (const SpellHeading& heading : headings) {
        for (const NamedSpell& named : spells) {
            if (!SameSpellName(named.name, heading.name)) {
                continue;
            }
            taught.insert(named.index);
            const SpellDefinition& spell = *shipped.Spell(named.index);
            const SpellCombination& combination = shipped.Combinations().at(named.index);
            const std::array<bool, 4> uses = {combination.fire, combination.ice, combination.earth,
                                              combination.wind};
            if (heading.keys.find("any three") != std::string::npos) {
                EXPECT_EQ(std::count(uses.begin(), uses.end(), true), 3) << heading.name;
            } else {
                for (int k = 0; k < 4; ++k) {
                    EXPECT_EQ(heading.keys.find(static_cast<char>('1' + k)) != std::string::npos,
                              uses[k])
                        << heading.name << " (" << heading.keys << ")";
                }
                EXPECT_EQ(heading.keys.find('Q') != std::string::npos, combination.it == 1)
                    << heading.name;
            }
            const std::array<float, 4> real = {spell.fireCost, spell.iceCost, spell.earthCost,
                                               spell.windCost};
            EXPECT_EQ(StatedCosts(heading.body, uses), real) << heading.name << heading.body;
        }
    }
    for (const NamedSpell& named : spells) {
        EXPECT_TRUE(taught.count(named.index)) << named.name << " is not in the primer";
    }
}

TEST_F(ShippedText, EveryBookPageFitsItsBoxInTheBookFont) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator("books")) {
        if (entry.path().extension() == ".txt") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"bestiary", "chronicle", "primer"}));
    Book& book = TheBook();
    for (const std::string& name : names) {
        book.Open(name);
        ASSERT_NE(book.Font(), nullptr) << name;
        EXPECT_EQ(book.Font(), m_resources->GetFont("book_fnt")) << name;
        EXPECT_TRUE(book.HasPage(5)) << name << " has fewer than three spreads";
        const float lineHeight = book.Font()->GetHeight();
        for (; book.HasPage(book.page); book.page += 2) {
            const auto glyphs = PageGlyphs(*m_engine.get(), book);
            for (int side = 0; side < 2; ++side) {
                const char* text = book.PageText(book.page + side);
                if (!text) {
                    continue;
                }
                const std::string where = name + " page " + std::to_string(book.page + side);
                // The one print buffer holds 1023 characters; more is cut.
                EXPECT_LE(std::string(text).size(), 1023u) << where;
                const float left =
                    book.TextLeft() + static_cast<float>(side) * Book::kRightPageOffset;
                std::vector<Glyph> own;
                for (const Glyph& g : glyphs) {
                    // The gutter between the pages decides whose glyph it is.
                    const float gutter =
                        book.TextLeft() + (Book::kPageWidth + Book::kRightPageOffset) / 2;
                    if ((g.left >= gutter) == (side == 1)) {
                        own.push_back(g);
                    }
                }
                EXPECT_FALSE(own.empty()) << where;
                ExpectPageFits(own, left, book.TextTop(), lineHeight, text, where);
            }
        }
        book.Close();
    }
}

TEST_F(ShippedText, EveryDialogueLineAndItsChoicesFitTheScreen) {
    tinyxml2::XMLDocument document;
    CollectingReport report;
    ASSERT_TRUE(LoadXmlFile(document, kDialogueFile, report));
    const auto dialogues = ListDialogues(document, kDialogueFile, report);
    EXPECT_TRUE(report.problems.empty());
    Registered sounds;
    ASSERT_TRUE(ReadDialogueSoundFile("resources/d_sound.xml", sounds, report));

    BitmapFont* lineFont = m_resources->GetFont("dial_fnt");
    BitmapFont* choiceFont = m_resources->GetFont("subdial_fnt");
    ASSERT_TRUE(lineFont && choiceFont);
    const float width = static_cast<float>(m_game->screenWidth);
    const float height = static_cast<float>(m_game->screenHeight);
    const float top = height - 200;
    auto checkLines = [&](const std::vector<DialogueLine>& lines) {
        for (const DialogueLine& line : lines) {
            EXPECT_LE(lineFont->GetStringWidth(line.text.c_str(), true), width) << line.text;
            const auto rows = std::count(line.text.begin(), line.text.end(), '\n') + 1;
            EXPECT_LE(top + static_cast<float>(rows) * lineFont->GetHeight(), height) << line.text;
            // A line with neither words nor a voice only carries its action.
            if (!line.text.empty() || !line.sound.empty()) {
                EXPECT_TRUE(sounds.names.count(line.sound)) << line.sound << " is not voiced";
            }
        }
    };
    EXPECT_EQ(dialogues.size(), 11u);
    for (const DialogueEntry& dialogue : dialogues) {
        checkLines(dialogue.lines);
        for (std::size_t k = 0; k < dialogue.choices.size(); ++k) {
            const DialogueChoiceEntry& choice = dialogue.choices[k];
            EXPECT_LE(choiceFont->GetStringWidth(choice.text.c_str()), width) << choice.text;
            EXPECT_LE(top + 30.0f * static_cast<float>(k) + choiceFont->GetHeight(), height)
                << choice.text;
            checkLines(choice.lines);
        }
    }
}
