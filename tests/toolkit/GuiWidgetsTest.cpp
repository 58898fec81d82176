#include "tests/support/TestSupport.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/GuiButton.h"
#include "toolkit/GuiListbox.h"
#include "toolkit/GuiManager.h"
#include "toolkit/GuiSlider.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

constexpr int kListId = 1;
constexpr int kSliderId = 2;
constexpr int kButtonId = 3;

// Runs a headless engine over a scripted input, with a GuiManager updated
// once per frame; the ids it reports are kept frame by frame.
class GuiTest : public ::testing::Test {
protected:
    void Start(const std::string& input, int frames) {
        m_dir = testing_support::MakeTempDir("gui");
        testing_support::WriteFile(m_dir + "/input.txt", input);
        EngineOptions options;
        options.inputFile = m_dir + "/input.txt";
        options.frames = frames;
        m_engine = std::make_unique<testing_support::HeadlessEngine>(options);
        m_gui = std::make_unique<GuiManager>();
    }

    std::vector<int> Run() {
        std::vector<int> acted;
        (*m_engine)->System_SetState(ENGINE_FRAMEFUNC, [&] {
            acted.push_back(m_gui->Update((*m_engine)->Timer_GetDelta()));
            if (m_onFrame)
                m_onFrame(static_cast<int>(acted.size()) - 1);
            return false;
        });
        (*m_engine)->System_Start();
        return acted;
    }

    // A font 10 pixels high, or one with no glyphs (height 0).
    std::unique_ptr<BitmapFont> MakeFont(bool withGlyphs) {
        static const unsigned char kPng[] = {
            0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49,
            0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06,
            0x00, 0x00, 0x00, 0x7f, 0xa8, 0x7d, 0x63, 0x00, 0x00, 0x00, 0x12, 0x49, 0x44,
            0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8, 0xcf, 0xc0, 0xf0, 0x1f, 0x19, 0x33, 0xa0,
            0x0b, 0x00, 0x00, 0x0f, 0x21, 0x0f, 0xf1, 0x04, 0x37, 0xc6, 0x9f, 0x00, 0x00,
            0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
        testing_support::WriteFile(m_dir + "/font.png",
                                   std::string(reinterpret_cast<const char*>(kPng), sizeof kPng));
        testing_support::WriteFile(m_dir + "/font.fnt",
                                   "[BITMAPFONT]\nBitmap=font.png\nChar=\"?\",0,0,2,10,0,0\n");
        return std::make_unique<BitmapFont>(
            (m_dir + (withGlyphs ? "/font.fnt" : "/none.fnt")).c_str());
    }

    GuiListbox* AddList(BitmapFont* font, int lines) {
        auto* list =
            new GuiListbox(kListId, 0, 0, 100, 30, font, 0xFF000000, 0xFFFFFFFF, 0x40FFFFFF);
        for (int i = 0; i < lines; ++i)
            list->AddLine(("line " + std::to_string(i)).c_str());
        m_gui->AddWidget(list);
        return list;
    }

    std::string m_dir;
    std::unique_ptr<testing_support::HeadlessEngine> m_engine;
    std::unique_ptr<GuiManager> m_gui;
    std::function<void(int)> m_onFrame;
};

TEST_F(GuiTest, ButtonReportsOnceOnReleaseOverItAndNotWhenDraggedOff) {
    Start("1 mouse 20 15\n2 key 0x01 down\n4 key 0x01 up\n"
          "6 key 0x01 down\n7 mouse 300 300\n8 key 0x01 up\n"
          "10 key 0x01 down\n11 key 0x01 up\n",
          13);
    m_gui->AddWidget(new GuiButton(kButtonId, 10, 10, 40, 20, 0, 0, 0));
    std::vector<int> expected(13, 0);
    expected[4] = kButtonId;
    // Frame 8 releases a press dragged off the button: taken back.
    // Frames 10-11 press and release away from every widget: nothing acts.
    EXPECT_THAT(Run(), ElementsAreArray(expected));
}

TEST_F(GuiTest, TriggerButtonTogglesAndDrawsItsState) {
    Start("0 mouse 20 15\n1 key 0x01 down\n2 key 0x01 up\n3 key 0x01 down\n4 key 0x01 up\n", 5);
    auto* button = new GuiButton(kButtonId, 10, 10, 40, 20, 0, 0, 0);
    button->SetMode(true);
    m_gui->AddWidget(button);
    std::vector<bool> states;
    m_onFrame = [&](int) { states.push_back(button->GetState()); };
    Run();
    EXPECT_THAT(states, ElementsAre(false, true, true, true, false));
}

TEST_F(GuiTest, VerticalSliderDragIsClampedAtBothEnds) {
    Start("0 mouse 103 50\n1 key 0x01 down\n2 mouse 103 -40\n3 mouse 103 400\n"
          "4 mouse 103 25\n5 key 0x01 up\n6 mouse 103 90\n",
          7);
    auto* slider = new GuiSlider(kSliderId, 100, 0, 6, 100, 0, 0, 0, 6, 6, true);
    slider->SetMaximum(10);
    m_gui->AddWidget(slider);
    std::vector<float> values;
    m_onFrame = [&](int) { values.push_back(slider->GetValue()); };
    std::vector<int> acted = Run();
    EXPECT_THAT(values, ElementsAre(50.0f, 5.0f, 0.0f, 10.0f, 2.5f, 2.5f, 2.5f));
    EXPECT_THAT(acted, ElementsAre(0, kSliderId, kSliderId, kSliderId, kSliderId, 0, 0));
}

TEST_F(GuiTest, DegenerateSliderNeitherDividesByZeroNorMoves) {
    Start("", 1);
    // No length and an empty range: the value falls back to the minimum and
    // every drawing mode stays at finite coordinates.
    auto* flat = new GuiSlider(kSliderId, 100, 0, 0, 0, 0, 0, 0, 6, 6, false);
    flat->SetMinimum(4);
    flat->SetMaximum(4);
    m_gui->AddWidget(flat);
    flat->OnLeftButton(true);
    EXPECT_TRUE(flat->OnMouseMove(5, 5));
    EXPECT_EQ(flat->GetValue(), 4.0f);
    (*m_engine)->Gfx_RecordDraws(true);
    for (int mode : {GuiSlider::kBar, GuiSlider::kBarFromMiddle, GuiSlider::kKnob}) {
        flat->SetMode(mode);
        m_gui->Render();
    }
    std::vector<DrawRecord> draws = (*m_engine)->Gfx_TakeDrawRecords();
    ASSERT_EQ(draws.size(), 3u);
    for (const DrawRecord& draw : draws) {
        for (const Vertex& v : draw.quad.v) {
            EXPECT_TRUE(std::isfinite(v.x));
            EXPECT_TRUE(std::isfinite(v.y));
        }
    }
}

TEST_F(GuiTest, ASliderDrawsItsKnobCentredOnTheValueUnlessToldToDrawABar) {
    Start("", 1);
    // The editor's panel slider: 6 x 128, vertical, a 6 x 6 knob.
    auto* slider = new GuiSlider(kSliderId, 152, 44, 6, 128, 0, 0, 0, 6, 6, true);
    slider->SetMaximum(8);
    slider->SetValue(2);
    m_gui->AddWidget(slider);
    (*m_engine)->Gfx_RecordDraws(true);
    m_gui->Render();
    slider->SetMode(GuiSlider::kBar);
    m_gui->Render();
    std::vector<DrawRecord> draws = (*m_engine)->Gfx_TakeDrawRecords();
    ASSERT_EQ(draws.size(), 2u);
    const Vertex* knob = draws[0].quad.v;
    EXPECT_EQ(knob[0].x, 152.0f);
    EXPECT_EQ(knob[0].y, 44.0f + 32 - 3);
    EXPECT_EQ(knob[2].x, 158.0f);
    EXPECT_EQ(knob[2].y, 44.0f + 32 + 3);
    const Vertex* bar = draws[1].quad.v;
    EXPECT_EQ(bar[0].y, 44.0f);
    EXPECT_EQ(bar[2].y, 44.0f + 32);
}

TEST_F(GuiTest, AListLeavesTheSharedFontsColourAsItFoundIt) {
    Start("", 1);
    auto font = MakeFont(true);
    font->SetColor(0xFF123456);
    GuiListbox* list = AddList(font.get(), 0);
    for (int i = 0; i < 3; ++i)
        list->AddLine("?");
    list->SetSelected(1);
    (*m_engine)->Gfx_RecordDraws(true);
    m_gui->Render();
    std::vector<std::uint32_t> colours;
    for (const DrawRecord& draw : (*m_engine)->Gfx_TakeDrawRecords())
        colours.push_back(draw.quad.v[0].col);
    // The rows in their colours (the highlight bar before the selected one)...
    EXPECT_THAT(colours, ElementsAre(0xFF000000u, 0x40FFFFFFu, 0xFFFFFFFFu, 0xFF000000u));
    // ...and then the font as the panel's info text expects it.
    EXPECT_EQ(font->GetColor(), 0xFF123456u);
    (*m_engine)->Gfx_RecordDraws(true);
    font->Render(0, 0, BitmapFont::kLeft, "?");
    EXPECT_EQ((*m_engine)->Gfx_TakeDrawRecords().at(0).quad.v[0].col, 0xFF123456u);
}

TEST_F(GuiTest, ListClicksSelectOnlyExistingLines) {
    // Rows are 10 pixels high; the list holds two lines in three rows.
    Start("0 mouse 5 15\n1 key 0x01 down\n2 key 0x01 up\n"
          "3 mouse 5 25\n4 key 0x01 down\n5 key 0x01 up\n",
          6);
    auto font = MakeFont(true);
    GuiListbox* list = AddList(font.get(), 2);
    EXPECT_THAT(Run(), ElementsAre(0, kListId, 0, 0, 0, 0));
    EXPECT_EQ(list->GetSelected(), 1);
}

TEST_F(GuiTest, WheelScrollingStaysWithinTheList) {
    Start("0 mouse 5 5\n1 wheel -5\n2 wheel 1\n3 wheel 5\n", 4);
    auto font = MakeFont(true);
    GuiListbox* list = AddList(font.get(), 5);
    std::vector<int> tops;
    m_onFrame = [&](int) { tops.push_back(list->GetTop()); };
    EXPECT_THAT(Run(), ElementsAre(0, kListId, kListId, kListId));
    EXPECT_THAT(tops, ElementsAre(0, 2, 1, 0));
}

TEST_F(GuiTest, WheelOverAShortListKeepsTheTopAtZero) {
    Start("0 mouse 5 5\n1 wheel -3\n", 2);
    auto font = MakeFont(true);
    GuiListbox* list = AddList(font.get(), 2);
    Run();
    EXPECT_EQ(list->GetTop(), 0);
}

TEST_F(GuiTest, ArrowKeysMoveTheSelectionOfTheFocusedList) {
    Start("0 mouse 5 5\n1 key 0x01 down\n2 key 0x01 up\n"
          "3 key 0x28 down\n3 key 0x28 up\n4 key 0x28 down\n4 key 0x28 up\n"
          "5 key 0x28 down\n5 key 0x28 up\n6 key 0x26 down\n6 key 0x26 up\n",
          7);
    auto font = MakeFont(true);
    GuiListbox* list = AddList(font.get(), 5);
    std::vector<std::pair<int, int>> states;
    m_onFrame = [&](int) { states.emplace_back(list->GetSelected(), list->GetTop()); };
    Run();
    EXPECT_EQ(m_gui->GetFocus(), list);
    EXPECT_THAT(states,
                ElementsAre(std::pair(0, 0), std::pair(0, 0), std::pair(0, 0), std::pair(1, 0),
                            std::pair(2, 0), std::pair(3, 1), std::pair(2, 1)));
}

TEST_F(GuiTest, ListWithAFontOfNoHeightIsSafe) {
    Start("0 mouse 5 5\n1 key 0x01 down\n2 wheel -2\n3 key 0x01 up\n", 4);
    auto font = MakeFont(false);
    GuiListbox* list = AddList(font.get(), 3);
    m_onFrame = [&](int) { m_gui->Render(); };
    Run();
    EXPECT_EQ(list->GetVisibleRows(), 0);
    EXPECT_EQ(list->GetSelected(), 0);
}

TEST_F(GuiTest, ListLinesAreCutAndDrawnFromTheTop) {
    Start("", 1);
    auto font = MakeFont(true);
    GuiListbox* list = AddList(font.get(), 0);
    EXPECT_EQ(list->AddLine(std::string(70, 'x').c_str()), 0);
    EXPECT_EQ(std::string(list->GetLine(0)), std::string(63, 'x'));
    EXPECT_EQ(list->GetLine(1), nullptr);
    for (int i = 0; i < 4; ++i)
        list->AddLine("?");
    list->SetTop(1);
    list->SetSelected(2);
    std::uint64_t before = (*m_engine)->Gfx_GetStats().quads;
    m_gui->Render();
    // Three rows of one glyph each, plus the highlight bar.
    EXPECT_EQ((*m_engine)->Gfx_GetStats().quads, before + 4);
    list->Clear();
    EXPECT_EQ(list->GetLineCount(), 0);
    EXPECT_EQ(list->GetTop(), 1);
}

TEST_F(GuiTest, TopmostEnabledWidgetUnderTheMouseGetsTheClick) {
    Start("0 mouse 20 15\n1 key 0x01 down\n2 key 0x01 up\n3 key 0x01 down\n4 key 0x01 up\n", 5);
    m_gui->AddWidget(new GuiButton(7, 10, 10, 40, 20, 0, 0, 0));
    auto* top = new GuiButton(8, 0, 0, 100, 100, 0, 0, 0);
    m_gui->AddWidget(top);
    m_onFrame = [&](int frame) {
        if (frame == 2)
            top->m_enabled = false;
    };
    EXPECT_THAT(Run(), ElementsAre(0, 0, 8, 0, 7));
}

} // namespace
