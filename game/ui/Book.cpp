#include "game/ui/Book.h"

#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "platform/registry/Registry.h"

#include <string>

namespace {

constexpr std::uint32_t kPlainCursor = 0xFFFFFFFF;
constexpr float kHalfTurn = 3.1415927f;

// Halves of the game's screen, in integer division as the layout is given.
int HalfScreenWidth() {
    return (TheGame() ? TheGame()->screenWidth : 1024) / 2;
}

int HalfScreenHeight() {
    return (TheGame() ? TheGame()->screenHeight : 768) / 2;
}

Sprite* GameSprite(const char* name) {
    Game* game = TheGame();
    return game && game->resources ? game->resources->GetSprite(name) : nullptr;
}

void ColourCursor(std::uint32_t colour) {
    if (Sprite* cursor = TheGameClock().cursor) {
        cursor->SetColor(colour);
    }
}

std::string PageKey(int index) {
    return "page" + std::to_string(index);
}

} // namespace

Book& TheBook() {
    return Registry::Current().Get<Book>();
}

Book::Book()
    : m_background(GameSprite("book_bg")), m_arrow(GameSprite("book_arrow")),
      m_halfWidth(HalfScreenWidth()), m_halfHeight(HalfScreenHeight()),
      m_textLeft(static_cast<float>(m_halfWidth - 425)),
      m_textTop(static_cast<float>(m_halfHeight - 310)),
      m_nextX(static_cast<float>(m_halfWidth + 415)),
      m_nextY(static_cast<float>(m_halfHeight + 320)),
      m_nextBox(&m_nextX, &m_nextY, 32, 46, -16, -23),
      m_previousX(static_cast<float>(m_halfWidth - 415)), m_previousY(m_nextY),
      m_previousBox(&m_previousX, &m_previousY, 32, 46, -16, -23),
      m_centreX(static_cast<float>(m_halfWidth)), m_centreY(static_cast<float>(m_halfHeight)),
      m_bookBox(&m_centreX, &m_centreY, 950, 768, -475, -384) {}

void Book::Open(const std::string& bookName) {
    m_pages = std::make_unique<StringTable>(("books/" + bookName + ".txt").c_str());
    // A book without a "font" entry, or naming a font the resources lack,
    // still opens: it only has no text to draw.
    const char* fontName = m_pages->GetString("font");
    Game* game = TheGame();
    m_font = fontName && game && game->resources ? game->resources->GetFont(fontName) : nullptr;
    if (m_font) {
        m_font->SetColor(kInk);
    }
    name = bookName;
    open = true;
    if (game) {
        game->paused = true;
    }
}

void Book::Close() {
    name.clear();
    page = 0;
    m_pages.reset();
    m_font = nullptr;
    open = false;
    ColourCursor(kPlainCursor);
}

const char* Book::PageText(int index) const {
    return m_pages ? m_pages->GetString(PageKey(index).c_str()) : nullptr;
}

bool Book::HasPage(int index) const {
    return PageText(index) != nullptr;
}

void Book::Update(int key) {
    Game* game = TheGame();
    const float mouseX = game ? game->mouseX : -1.0f;
    const float mouseY = game ? game->mouseY : -1.0f;
    // Both decisions look at the spread as it was when the click came.
    const bool hasNextSpread = HasPage(page + 2);
    if (key == VK_LBUTTON && m_previousBox.Contains(mouseX, mouseY) && page > 1) {
        page -= 2;
    }
    if (key == VK_LBUTTON && m_nextBox.Contains(mouseX, mouseY) && hasNextSpread) {
        page += 2;
    }
    ColourCursor(m_bookBox.Contains(mouseX, mouseY) ? kInk : kPlainCursor);
}

void Book::Draw() {
    if (m_background) {
        m_background->Render(m_centreX, m_centreY);
    }
    if (m_font) {
        if (const char* left = PageText(page)) {
            m_font->printfb(m_textLeft, m_textTop, kPageWidth, kPageHeight, BitmapFont::kLeft, "%s",
                            left);
        }
        if (const char* right = PageText(page + 1)) {
            m_font->printfb(m_textLeft + kRightPageOffset, m_textTop, kPageWidth, kPageHeight,
                            BitmapFont::kLeft, "%s", right);
        }
    }
    if (m_arrow) {
        m_arrow->RenderEx(m_previousX, m_previousY, 0.0f, 1.0f);
        m_arrow->RenderEx(m_nextX, m_nextY, kHalfTurn, 1.0f);
    }
    if (m_font) {
        m_font->printf(static_cast<float>(m_halfWidth - 237), m_textTop - 35, BitmapFont::kCentre,
                       "%d", page + 1);
        m_font->printf(static_cast<float>(m_halfWidth + 227), m_textTop - 35, BitmapFont::kCentre,
                       "%d", page + 2);
    }
}
