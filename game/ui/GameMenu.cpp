#include "game/ui/GameMenu.h"

#include "platform/engine/Engine.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/GuiBoxDrawing.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr float kWidth = 540;
constexpr float kRowHeight = 28;
constexpr float kLine = 19;
constexpr float kRowsTop = 56; // below the title
constexpr std::uint32_t kTitle = 0xFFFFB347;
constexpr std::uint32_t kPanel = 0xF81A1D2B;
constexpr std::uint32_t kChosen = 0xFF3B2A52;
constexpr int kVolumeStep = 10;

const char* const kMainRows[] = {"Resume", "Settings", "Controls", "Quit"};

// A setting the page shows: a volume (0-100) or an on/off switch.
struct SettingRow {
    const char* label;
    const char* key;
    int PlayerSettings::*volume;
    bool PlayerSettings::*toggle;
};

const SettingRow kSettingRows[] = {
    {"Music volume", "music_volume", &PlayerSettings::musicVolume, nullptr},
    {"Voice volume", "voice_volume", &PlayerSettings::voiceVolume, nullptr},
    {"Screen effects on hits", "effects", nullptr, &PlayerSettings::effects},
    {"Full screen", "Fullscreen", nullptr, &PlayerSettings::fullScreen},
    {"Vsync", "vsync", nullptr, &PlayerSettings::vsync},
    {"Health bar", "health_bar", nullptr, &PlayerSettings::healthBar},
    {"Enemy health bars", "enemy_bars", nullptr, &PlayerSettings::enemyBars},
    {"Markers to unseen enemies", "enemy_markers", nullptr, &PlayerSettings::enemyMarkers},
};
constexpr int kSettingCount = static_cast<int>(std::size(kSettingRows));

// Keys by their place on a US keyboard, whatever the layout prints there.
const char* const kControls[] = {
    "Keys are named by their place on a US (QWERTY) keyboard.",
    "W A S D  walk          mouse  aim          right button  cast",
    "1 2 3 4  hold fire, ice, earth, wind (together they combine)",
    "Q  with an element: its area spell       5  clear the elements",
    "I  inventory    P  pause    M  screen effects    Esc  this menu",
    "V / B  harder / easier    L  start over after death",
    "Alt+Enter  window or full screen",
    "",
    "Gamepad: left stick or D-pad walk, right stick aims,",
    "right trigger casts, A B X Y fire ice earth wind,",
    "left shoulder Q, right shoulder clears, Back inventory,",
    "Start this menu. In books and the inventory the stick",
    "moves the pointer and A clicks.",
};
constexpr int kControlLines = static_cast<int>(std::size(kControls));

} // namespace

GameMenu::GameMenu(int screenWidth, int screenHeight)
    : m_centreX(static_cast<float>(screenWidth) / 2),
      m_centreY(static_cast<float>(screenHeight) / 2), m_fill(0, 0, 0, 1, 1) {}

void GameMenu::Open() {
    m_open = true;
    ShowPage(Page::Main);
}

void GameMenu::ShowPage(Page page) {
    m_page = page;
    m_selected = 0;
    m_mouseKnown = false;
}

int GameMenu::RowCount() const {
    switch (m_page) {
    case Page::Main:
        return static_cast<int>(std::size(kMainRows));
    case Page::Settings:
        return kSettingCount + 1; // and Back
    case Page::Controls:
        return 1;
    }
    return 0;
}

float GameMenu::PanelHeight() const {
    const float text = m_page == Page::Controls ? kControlLines * kLine + 12 : 0;
    return kRowsTop + text + static_cast<float>(RowCount()) * kRowHeight + 16;
}

float GameMenu::PanelTop() const {
    return std::max(4.0f, m_centreY - PanelHeight() / 2);
}

float GameMenu::RowTop(int row) const {
    const float text = m_page == Page::Controls ? kControlLines * kLine + 12 : 0;
    return PanelTop() + kRowsTop + text + static_cast<float>(row) * kRowHeight;
}

int GameMenu::RowAt(float x, float y) const {
    if (x < m_centreX - kWidth / 2 || x > m_centreX + kWidth / 2) {
        return -1;
    }
    for (int row = 0; row < RowCount(); ++row) {
        if (y >= RowTop(row) && y < RowTop(row) + kRowHeight) {
            return row;
        }
    }
    return -1;
}

GameMenu::Outcome GameMenu::Update(int key, float mouseX, float mouseY, PlayerSettings& settings) {
    Outcome none;
    if (!m_open) {
        return none;
    }
    const int rows = RowCount();
    // The pointer chooses only when it moves, so the keys are not overruled
    // by a mouse lying still.
    const bool moved = mouseX != m_lastMouseX || mouseY != m_lastMouseY;
    m_lastMouseX = mouseX;
    m_lastMouseY = mouseY;
    if (moved && m_mouseKnown) {
        if (const int row = RowAt(mouseX, mouseY); row >= 0) {
            m_selected = row;
        }
    }
    m_mouseKnown = true;
    switch (key) {
    case VK_ESCAPE:
        m_open = false;
        return {Outcome::Kind::Resume, nullptr};
    case VK_UP:
    case 'W':
        m_selected = (m_selected + rows - 1) % rows;
        return none;
    case VK_DOWN:
    case 'S':
        m_selected = (m_selected + 1) % rows;
        return none;
    case VK_LEFT:
    case 'A':
        return Activate(m_selected, -1, settings);
    case VK_RIGHT:
    case 'D':
        return Activate(m_selected, 1, settings);
    case VK_RETURN:
    case VK_SPACE:
        return Activate(m_selected, 0, settings);
    case VK_LBUTTON:
        if (const int row = RowAt(mouseX, mouseY); row >= 0) {
            m_selected = row;
            // A volume goes down on the row's left half and up on its right.
            return Activate(row, mouseX < m_centreX ? -1 : 1, settings);
        }
        return none;
    default:
        return none;
    }
}

GameMenu::Outcome GameMenu::Activate(int row, int step, PlayerSettings& settings) {
    Outcome none;
    if (m_page == Page::Main) {
        if (step != 0) {
            return none;
        }
        switch (row) {
        case 0:
            m_open = false;
            return {Outcome::Kind::Resume, nullptr};
        case 1:
            ShowPage(Page::Settings);
            return none;
        case 2:
            ShowPage(Page::Controls);
            return none;
        default:
            return {Outcome::Kind::Quit, nullptr};
        }
    }
    if (m_page == Page::Controls || row >= kSettingCount) {
        if (step == 0 || m_page == Page::Controls) {
            const Page from = m_page;
            ShowPage(Page::Main);
            m_selected = from == Page::Settings ? 1 : 2;
        }
        return none;
    }
    const SettingRow& setting = kSettingRows[row];
    if (setting.volume) {
        int& volume = settings.*setting.volume;
        // Enter goes round; the arrows stop at the ends.
        volume = step == 0 ? (volume >= 100 ? 0 : std::min(100, volume + kVolumeStep))
                           : std::clamp(volume + step * kVolumeStep, 0, 100);
        return {Outcome::Kind::Changed, setting.key, volume};
    }
    bool& toggle = settings.*setting.toggle;
    toggle = !toggle;
    return {Outcome::Kind::Changed, setting.key, toggle ? 1 : 0};
}

void GameMenu::Render(Engine& engine, BitmapFont& font, const PlayerSettings& settings) {
    if (!m_open) {
        return;
    }
    const std::uint32_t fontColour = font.GetColor();
    const float left = m_centreX - kWidth / 2;
    const float top = PanelTop();
    FillRect(m_fill, 0, 0, 4096, 4096, 0x90000000);
    FillRect(m_fill, left, top, kWidth, PanelHeight(), kPanel);
    OutlineRect(engine, left, top, kWidth, PanelHeight(), kBoxAccent);
    const char* const titles[] = {"Paused", "Settings", "Controls"};
    FitLabel(&font, m_centreX, top + 16, BitmapFont::kCentre, kTitle,
             titles[static_cast<int>(m_page)], kWidth - 40);
    if (m_page == Page::Controls) {
        for (int line = 0; line < kControlLines; ++line) {
            FitLabel(&font, left + 20, top + kRowsTop + static_cast<float>(line) * kLine, 0,
                     kBoxInk, kControls[line], kWidth - 40);
        }
    }
    for (int row = 0; row < RowCount(); ++row) {
        RenderRow(engine, font, row, settings);
    }
    font.SetColor(fontColour);
}

void GameMenu::RenderRow(Engine& engine, BitmapFont& font, int row,
                         const PlayerSettings& settings) {
    const float left = m_centreX - kWidth / 2 + 16;
    const float width = kWidth - 32;
    const float y = RowTop(row) + 2;
    if (row == m_selected) {
        FillRect(m_fill, left, y, width, kRowHeight - 4, kChosen);
        OutlineRect(engine, left, y, width, kRowHeight - 4, kBoxAccent);
    }
    const float textY = y + (kRowHeight - 4 - font.GetHeight()) / 2;
    if (m_page == Page::Main) {
        FitLabel(&font, m_centreX, textY, BitmapFont::kCentre, kBoxInk, kMainRows[row], width);
        return;
    }
    if (m_page == Page::Controls || row >= kSettingCount) {
        FitLabel(&font, m_centreX, textY, BitmapFont::kCentre, kBoxInk, "Back", width);
        return;
    }
    const SettingRow& setting = kSettingRows[row];
    FitLabel(&font, left + 12, textY, BitmapFont::kLeft, kBoxInk, setting.label, width / 2);
    const std::string value = setting.volume
                                  ? "< " + std::to_string(settings.*setting.volume) + " >"
                                  : (settings.*setting.toggle ? "on" : "off");
    FitLabel(&font, left + width - 12, textY, BitmapFont::kRight, kBoxInk, value, width / 2);
}
