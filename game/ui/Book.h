// A book open as a two-page spread over the screen, read from
// "books/" + name + ".txt" (a string table naming its font and holding
// "page0", "page1"...). The arrows turn two pages at a time; Esc closes it.
// It pauses the game while open. One per process (TheBook).
#pragma once

#include "toolkit/BitmapFont.h"
#include "toolkit/CollisionBox.h"
#include "toolkit/Sprite.h"
#include "toolkit/StringTable.h"

#include <memory>
#include <string>

class Book : Pinned {
public:
    static constexpr std::uint32_t kInk = 0xFF000000;

    // Placed over the centre of the game's screen, as it is now.
    Book();

    // Loads the book and pauses the game; the page stays where it is (0
    // after any close). A file that cannot be read opens as a book with no
    // pages; one without a usable font draws no text.
    void Open(const std::string& bookName);
    void Close();

    // Each frame while open, paused or not, with the frame's key: a left
    // click on an arrow turns two pages when there are pages to turn to.
    void Update(int key);
    // Each frame while open, in the HUD pass.
    void Draw();

    bool HasPage(int index) const;
    // The text of that page, or nullptr.
    const char* PageText(int index) const;
    // The font the pages are drawn with, or nullptr.
    BitmapFont* Font() const { return m_font; }

    float TextLeft() const { return m_textLeft; }
    float TextTop() const { return m_textTop; }
    const CollisionBox& NextBox() const { return m_nextBox; }
    const CollisionBox& PreviousBox() const { return m_previousBox; }

    static constexpr float kPageWidth = 400.0f;
    static constexpr float kPageHeight = 690.0f;
    // The right-hand page starts this far right of the left-hand one.
    static constexpr float kRightPageOffset = 455.0f;

    std::string name;
    int page = 0; // the left-hand page; always even
    bool open = false;

private:
    Sprite* m_background = nullptr;
    Sprite* m_arrow = nullptr;
    BitmapFont* m_font = nullptr;
    std::unique_ptr<StringTable> m_pages;
    int m_halfWidth;
    int m_halfHeight;
    float m_textLeft;
    float m_textTop;
    float m_nextX, m_nextY;
    CollisionBox m_nextBox;
    float m_previousX, m_previousY;
    CollisionBox m_previousBox;
    float m_centreX, m_centreY;
    CollisionBox m_bookBox;
};

Book& TheBook();
