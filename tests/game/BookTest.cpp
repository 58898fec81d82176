// Books of the test's own, opened, turned, drawn and closed over a detached
// game on a 1024 x 768 screen.
#include "tests/game/GameTestFixture.h"

#include "game/core/GameClock.h"
#include "game/ui/Book.h"
#include "game/world/RunAction.h"

#include <filesystem>

namespace {

class BookTest : public GameTestFixture {
protected:
    void SetUp() override {
        GameTestFixture::SetUp();
        // The book, its font and the cursor come from the shipped content;
        // then the books are read from the test's own folder.
        TheBook();
        m_font = m_resources->GetFont("book_fnt");
        TheGameClock().cursor = m_resources->GetSprite("cursor");
        m_previousDir = std::filesystem::current_path();
        std::filesystem::current_path(m_dir);
    }

    void TearDown() override {
        std::filesystem::current_path(m_previousDir);
        GameTestFixture::TearDown();
    }

    Book& book() { return TheBook(); }

    // A book of that many pages, "text 0", "text 1"...
    void WriteBook(const std::string& name, int pages, const std::string& font = "book_fnt") {
        std::string text = "[STRINGTABLE]\n";
        if (!font.empty()) {
            text += "font=\"" + font + "\"\n";
        }
        for (int i = 0; i < pages; ++i) {
            text += "page" + std::to_string(i) + "=\"text " + std::to_string(i) + "\"\n";
        }
        Write("books/" + name + ".txt", text);
    }

    void ClickAt(const CollisionBox& box, int key = VK_LBUTTON) {
        m_game->mouseX = box.Left() + box.Width() / 2;
        m_game->mouseY = box.Top() + box.Height() / 2;
        book().Update(key);
    }
    void Next() { ClickAt(book().NextBox()); }
    void Previous() { ClickAt(book().PreviousBox()); }

    // The glyphs the book's font drew in one Draw, as (x, y) of each glyph.
    std::vector<std::pair<float, float>> DrawnGlyphs() {
        m_engine->Gfx_RecordDraws(true);
        book().Draw();
        std::vector<std::pair<float, float>> glyphs;
        for (const DrawRecord& record : m_engine->Gfx_TakeDrawRecords()) {
            if (record.kind == DrawRecord::Kind::Quad && m_font &&
                record.quad.tex == m_font->GetTexture()) {
                glyphs.emplace_back(record.quad.v[0].x, record.quad.v[0].y);
            }
        }
        m_engine->Gfx_RecordDraws(false);
        return glyphs;
    }

    // Glyphs drawn on the pages themselves (below the page numbers).
    std::size_t PageGlyphs() {
        std::size_t count = 0;
        for (const auto& [x, y] : DrawnGlyphs()) {
            count += y >= book().TextTop();
        }
        return count;
    }

    BitmapFont* m_font = nullptr;
    std::filesystem::path m_previousDir;
};

} // namespace

TEST_F(BookTest, OpensInkedAndPausedAndTurnsTwoPagesAtATime) {
    WriteBook("five", 5);
    m_font->SetColor(0xFFFFFFFF);
    RunAction(*m_game, "openbook_five", 0.0f);
    EXPECT_TRUE(book().open);
    EXPECT_EQ(book().name, "five");
    EXPECT_TRUE(m_game->paused);
    EXPECT_EQ(m_font->GetColor(), Book::kInk);
    EXPECT_EQ(book().page, 0);
    Next();
    EXPECT_EQ(book().page, 2);
    Next();
    EXPECT_EQ(book().page, 4);
    EXPECT_EQ(PageGlyphs(), std::string("text 4").size()); // and an empty right page
    Next();                                                // no page 6: the last spread stays
    EXPECT_EQ(book().page, 4);
    Previous();
    Previous();
    EXPECT_EQ(book().page, 0);
    Previous(); // nothing before the first spread
    EXPECT_EQ(book().page, 0);
}

TEST_F(BookTest, OnlyALeftClickOnAnArrowTurns) {
    WriteBook("five", 5);
    book().Open("five");
    ClickAt(book().NextBox(), VK_RBUTTON);
    EXPECT_EQ(book().page, 0);
    m_game->mouseX = 512; // the middle of the spread
    m_game->mouseY = 384;
    book().Update(VK_LBUTTON);
    EXPECT_EQ(book().page, 0);
    // Just outside the arrow's box, on its edge.
    m_game->mouseX = book().NextBox().Left();
    m_game->mouseY = book().NextBox().Top() + 10;
    book().Update(VK_LBUTTON);
    EXPECT_EQ(book().page, 0);
    EXPECT_FLOAT_EQ(book().NextBox().Left(), 512 + 415 - 16);
    EXPECT_FLOAT_EQ(book().PreviousBox().Top(), 384 + 320 - 23);
}

TEST_F(BookTest, DrawsBothPagesTheirNumbersAndAOnePageBookOnTheLeft) {
    WriteBook("one", 1);
    book().Open("one");
    auto glyphs = DrawnGlyphs();
    // "text 0" on the left page, then the numbers 1 and 2 above the pages.
    ASSERT_EQ(glyphs.size(), std::string("text 0").size() + 2);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_GE(glyphs[i].first, book().TextLeft());
        EXPECT_LT(glyphs[i].first, book().TextLeft() + Book::kPageWidth);
        EXPECT_EQ(glyphs[i].second, book().TextTop());
    }
    EXPECT_EQ(glyphs[6].second, book().TextTop() - 35);
    EXPECT_NEAR(glyphs[6].first, 512 - 237, 8); // "1", centred there
    EXPECT_NEAR(glyphs[7].first, 512 + 227, 8); // "2"

    book().Close();
    WriteBook("two", 2);
    book().Open("two");
    glyphs = DrawnGlyphs();
    ASSERT_EQ(glyphs.size(), 6u + 6u + 2u);
    EXPECT_GE(glyphs[6].first, book().TextLeft() + Book::kRightPageOffset);
}

TEST_F(BookTest, ClosingResetsAndReopeningStartsAtTheFirstSpread) {
    WriteBook("five", 5);
    book().Open("five");
    Next();
    m_game->mouseX = 500;
    m_game->mouseY = 300;
    book().Update(0);
    EXPECT_EQ(TheGameClock().cursor->GetColor(), Book::kInk); // dark over the book
    book().Close();
    EXPECT_FALSE(book().open);
    EXPECT_EQ(book().name, "");
    EXPECT_EQ(book().page, 0);
    EXPECT_FALSE(book().HasPage(0));
    EXPECT_EQ(TheGameClock().cursor->GetColor(), 0xFFFFFFFFu);
    book().Open("five");
    EXPECT_EQ(book().page, 0);
    m_game->mouseX = 10; // beside the book
    book().Update(0);
    EXPECT_EQ(TheGameClock().cursor->GetColor(), 0xFFFFFFFFu);
}

TEST_F(BookTest, PagesArePrintedAsWrittenNeverAsFormats) {
    Write("books/pct.txt", "[STRINGTABLE]\nfont=\"book_fnt\"\npage0=\"50% off %s %n %d\"\n");
    book().Open("pct");
    EXPECT_EQ(PageGlyphs(), std::string("50% off %s %n %d").size());
}

TEST_F(BookTest, WithoutAUsableFontOrFileTheBookOpensDrawsNoTextAndCloses) {
    WriteBook("nofont", 3, "");
    WriteBook("badfont", 3, "no_such_fnt");
    for (const char* name : {"nofont", "badfont", "missing"}) {
        book().Open(name);
        EXPECT_TRUE(book().open) << name;
        EXPECT_EQ(book().Font(), nullptr) << name;
        EXPECT_TRUE(DrawnGlyphs().empty()) << name;
        m_engine->Gfx_RecordDraws(true);
        book().Draw();
        EXPECT_EQ(m_engine->Gfx_TakeDrawRecords().size(), 3u) << name; // background, arrows
        m_engine->Gfx_RecordDraws(false);
        book().Close();
        EXPECT_FALSE(book().open) << name;
    }
    book().Open("missing");
    Next(); // no pages to turn to
    EXPECT_EQ(book().page, 0);
}
