#include "overlays/AlertList.h"
#include "tests/support/TestSupport.h"
#include "toolkit/BitmapFont.h"

#include <gtest/gtest.h>

namespace {

class AlertListTest : public ::testing::Test {
protected:
    AlertListTest() {
        list.SetClock([this] { return now; });
        list.SetCamera([this](float& x, float& y) {
            x = cameraX;
            y = cameraY;
        });
    }

    std::vector<int> Alphas() const {
        std::vector<int> alphas;
        for (const Alert& a : list.Alerts()) {
            alphas.push_back(a.alpha);
        }
        return alphas;
    }

    testing_support::InDataDir inData;
    testing_support::HeadlessEngine engine;
    AlertList list;
    float now = 1.0f;
    float cameraX = 0;
    float cameraY = 0;
};

} // namespace

TEST_F(AlertListTest, FadesOneStepPerFrameWhateverTheInterval) {
    list.AddAlert(0xFFFFFFFF, "hello", 0, 0, 0.0f, 0, false);
    list.Update(); // same time: not greater than last step + 0
    EXPECT_EQ(Alphas(), std::vector<int>{255});
    now = 5.0f;
    list.Update();
    EXPECT_EQ(Alphas(), std::vector<int>{251});
    EXPECT_EQ(list.Alerts().front().colour, 0xFBFFFFFFu);
    list.Update(); // time has not moved on
    EXPECT_EQ(Alphas(), std::vector<int>{251});
    int steps = 1;
    while (!list.Alerts().empty()) {
        now += 0.1f;
        list.Update();
        ++steps;
    }
    EXPECT_EQ(steps, 64);
}

TEST_F(AlertListTest, NearlyTransparentAlertGoesAtItsFirstStepWithoutSkippingOthers) {
    list.AddAlert(0x03FF0000, "faint", 0, 0, 0.01f, 2, false);
    list.AddAlert(0xFFFF0000, "second", 0, 0, 0.01f, 2, false);
    list.AddAlert(0x80FF0000, "third", 0, 0, 0.01f, 2, false);
    now = 2.0f;
    list.Update();
    EXPECT_EQ(Alphas(), (std::vector<int>{251, 124}));
}

TEST_F(AlertListTest, DrawsThroughPercentSafeTextAndScreenFixedFollowsTheCamera) {
    cameraX = 100;
    cameraY = 50;
    const std::string text = "%s%n%d";
    list.AddAlert(0xFFFFFFFF, text, 10, 20, 0.01f, 0, true);
    list.AddAlert(0xFFFFFFFF, "w", 10, 20, 0.01f, 0, false);
    engine->Gfx_RecordDraws(true);
    list.Render();
    std::vector<DrawRecord> draws = engine->Gfx_TakeDrawRecords();
    // One quad per glyph: the first alert's six characters exactly as
    // written (never taken as a format), then the second's one.
    ASSERT_EQ(draws.size(), text.size() + 1);
    BitmapFont font("fonts/alert_font.fnt", false);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Quad& glyph = font.GetSprite(static_cast<unsigned char>(text[i]))->GetQuad();
        EXPECT_EQ(draws[i].quad.v[0].tx, glyph.v[0].tx) << i;
        EXPECT_EQ(draws[i].quad.v[0].ty, glyph.v[0].ty) << i;
        EXPECT_EQ(draws[i].quad.v[2].tx, glyph.v[2].tx) << i;
    }
    // Screen-fixed text moves with the camera; the world alert stays put.
    EXPECT_GE(draws.front().quad.v[0].x, 110.0f);
    EXPECT_GE(draws.front().quad.v[0].y, 70.0f);
    EXPECT_GE(draws.back().quad.v[0].x, 10.0f);
    EXPECT_LT(draws.back().quad.v[0].x, 100.0f);
}

TEST_F(AlertListTest, AlertsAtOneSpotCountUpOrStackInsteadOfPrintingOverEachOther) {
    // A potion's four gifts and the spring's repeated heal, all at one spot.
    list.AddAlert(0xFFFFFFFF, "+20 Health", 100, 100, 0.01f, 2, false);
    now = 2.0f;
    list.Update();
    list.AddAlert(0xFFFFFFFF, "+20 Health", 110, 105, 0.01f, 2, false);
    list.AddAlert(0xFFFFFFFF, "+20 Health", 100, 100, 0.01f, 2, false);
    list.AddAlert(0xFF00FF00, "+5 Fire Orb", 100, 100, 0.01f, 2, false);
    list.AddAlert(0xFF00FF00, "+5 Ice Orb", 104, 96, 0.01f, 2, false);
    list.AddAlert(0xFFFFFFFF, "+20 Health", 100, 140, 0.01f, 2, false); // 40 px away
    std::vector<std::string> texts;
    std::vector<float> ys;
    for (const Alert& alert : list.Alerts()) {
        texts.push_back(alert.text);
        ys.push_back(alert.y);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"+20 Health x3", "+5 Fire Orb", "+5 Ice Orb",
                                               "+20 Health"}));
    EXPECT_EQ(Alphas(), (std::vector<int>{255, 255, 255, 255})); // the count faded anew
    // Each new text a line above the highest of its neighbours.
    const float line = ys[0] - ys[1];
    EXPECT_GT(line, 10.0f);
    EXPECT_FLOAT_EQ(ys[1] - ys[2], line);
    EXPECT_FLOAT_EQ(ys[3], 140.0f);
}
