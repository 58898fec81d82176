#include "toolkit/BitmapFont.h"
#include "tests/toolkit/DrawingTestHelpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using drawing_test::TakeQuads;
using testing_support::WriteFile;

// Glyphs: A 12 wide (post 1), B 6 wide (pre 1), ? 8 wide, space 4 wide;
// all 16 high.
const char* const kGlyphs = "Char=\"A\",0,0,12,16,0,1\n"
                            "Char=42,12,0,6,16,1,0\n"
                            "Char=\"?\",18,0,8,16,0,0\n"
                            "Char=20,26,0,4,16,0,0\n";

class BitmapFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = engine.Dir() + "/fonts";
        drawing_test::WriteBmp(dir + "/glyphs.bmp", 64, 32);
        engine->Gfx_RecordDraws(true);
    }
    std::string WriteFont(const std::string& name, const std::string& body) {
        std::string path = dir + "/" + name;
        WriteFile(path, body);
        return path;
    }
    std::string StandardFont() {
        return WriteFont("std.fnt",
                         std::string("[BITMAPFONT]\r\nBitmap = glyphs.bmp\r\n") + kGlyphs);
    }
    testing_support::HeadlessEngine engine;
    std::string dir;
};

TEST_F(BitmapFontTest, ReadsGlyphsInBothFormsWithTheBitmapBesideTheFile) {
    BitmapFont font(StandardFont().c_str());
    ASSERT_NE(font.GetTexture(), 0u);
    EXPECT_EQ(engine->Texture_GetWidth(font.GetTexture()), 64);
    EXPECT_FLOAT_EQ(font.GetHeight(), 16);
    ASSERT_NE(font.GetSprite('B'), nullptr);
    EXPECT_FLOAT_EQ(font.GetSprite('B')->GetWidth(), 6);
    EXPECT_FLOAT_EQ(font.GetSprite('B')->GetQuad().v[0].tx, 12.0f / 64);
}

TEST_F(BitmapFontTest, WidthsSumEveryGlyphAndPickTheLineAsAsked) {
    BitmapFont font(StandardFont().c_str());
    EXPECT_FLOAT_EQ(font.GetStringWidth("AB"), 20);
    EXPECT_FLOAT_EQ(font.GetStringWidth("AB\nAAB"), 33);
    EXPECT_FLOAT_EQ(font.GetStringWidth("AB\nAAB", false), 20);
    font.SetTracking(2);
    font.SetScale(2);
    font.SetProportion(0.5f);
    EXPECT_FLOAT_EQ(font.GetStringWidth("AB"), 24);
}

TEST_F(BitmapFontTest, MissingGlyphsUseTheQuestionMarkOrAreSkipped) {
    BitmapFont font(StandardFont().c_str());
    EXPECT_FLOAT_EQ(font.GetStringWidth("Z\xE9"), 16);
    font.Render(0, 0, BitmapFont::kLeft, "AZ");
    std::vector<Quad> quads = TakeQuads(engine.get());
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_FLOAT_EQ(quads[1].v[0].tx, 18.0f / 64);
    EXPECT_FLOAT_EQ(quads[1].v[0].x, 13);

    BitmapFont noFallback(
        WriteFont("nofallback.fnt", "[BITMAPFONT]\nBitmap=glyphs.bmp\nChar=\"A\",0,0,12,16,0,1\n")
            .c_str());
    EXPECT_FLOAT_EQ(noFallback.GetStringWidth("AZA"), 26);
    noFallback.Render(0, 0, BitmapFont::kLeft, "AZA");
    EXPECT_EQ(TakeQuads(engine.get()).size(), 2u);
}

TEST_F(BitmapFontTest, LaterCharLinesReplaceEarlierOnesAndBadOnesAreIgnored) {
    BitmapFont font(WriteFont("redefine.fnt", "[BITMAPFONT]\n"
                                              "Bitmap=glyphs.bmp\n"
                                              "Char=\"A\",0,0,12,16,0,1\n"
                                              "Char=41,0,0,20,24,0,0\n"
                                              "Char=141,0,0,99,99,0,0\n"
                                              "Char=\"B\",0,0,5\n"
                                              "Char=zz,0,0,5,5,0,0\n" +
                                                  std::string(600, 'x') + "\n" +
                                                  "Char=\"C\",0,0,7,8,0,0")
                        .c_str());
    EXPECT_FLOAT_EQ(font.GetStringWidth("A"), 20);
    EXPECT_FLOAT_EQ(font.GetHeight(), 24);
    EXPECT_EQ(font.GetSprite('B'), nullptr);
    EXPECT_NE(font.GetSprite('C'), nullptr);
}

TEST_F(BitmapFontTest, RejectsAWrongMagicLineAndMissingFilesSilently) {
    BitmapFont spaced(WriteFont("spaced.fnt", std::string("[BITMAPFONT] \n") + kGlyphs).c_str());
    EXPECT_EQ(spaced.GetSprite('A'), nullptr);
    EXPECT_NE(engine.ReadLog().find("Font " + dir + "/spaced.fnt has incorrect format."),
              std::string::npos);

    BitmapFont missing((dir + "/none.fnt").c_str());
    EXPECT_EQ(missing.GetTexture(), 0u);
    EXPECT_FLOAT_EQ(missing.GetStringWidth("abc"), 0);
    missing.printf(0, 0, 0, "%s", "abc");
    EXPECT_TRUE(TakeQuads(engine.get()).empty());
    EXPECT_EQ(engine.ReadLog().find("none.fnt"), std::string::npos);

    // Binary junk is just a wrong magic.
    BitmapFont junk(WriteFont("junk.fnt", std::string("\0\xff\x01"
                                                      "Char=\"A\",0,0,1,1,0,0",
                                                      22))
                        .c_str());
    EXPECT_EQ(junk.GetSprite('A'), nullptr);
}

TEST_F(BitmapFontTest, AMissingBitmapStopsReadingButKeepsEarlierGlyphs) {
    BitmapFont font(WriteFont("nobitmap.fnt", "[BITMAPFONT]\n"
                                              "Char=\"A\",0,0,12,16,0,1\n"
                                              "Bitmap=absent.bmp\n"
                                              "Char=\"B\",0,0,12,16,0,1\n")
                        .c_str());
    EXPECT_EQ(font.GetTexture(), 0u);
    EXPECT_NE(font.GetSprite('A'), nullptr);
    EXPECT_EQ(font.GetSprite('B'), nullptr);
}

TEST_F(BitmapFontTest, AlignsEachLineOnItsOwnWidth) {
    BitmapFont font(StandardFont().c_str());
    font.SetSpacing(1.5f);
    font.Render(100, 10, BitmapFont::kRight, "AB\nA");
    font.Render(100, 10, BitmapFont::kCentre, "B\nAAB");
    std::vector<Quad> quads = TakeQuads(engine.get());
    ASSERT_EQ(quads.size(), 7u);
    EXPECT_FLOAT_EQ(quads[0].v[0].x, 80); // "AB" is 20 wide
    EXPECT_FLOAT_EQ(quads[2].v[0].x, 87); // "A" is 13 wide
    EXPECT_FLOAT_EQ(quads[2].v[0].y, 34); // 16 * 1.5 further down
    EXPECT_FLOAT_EQ(quads[3].v[0].x, 97); // "B" 7 wide: 100 - round(3.5) + pre 1
    EXPECT_FLOAT_EQ(quads[4].v[0].x, 83); // "AAB" 33 wide: 100 - round(16.5)
}

TEST_F(BitmapFontTest, RenderScalesGlyphsAndAppliesColourToAll) {
    BitmapFont font(StandardFont().c_str());
    font.SetColor(0x80FF0000);
    font.SetZ(0.1f);
    font.SetBlendMode(BLEND_COLORADD);
    font.SetScale(2);
    font.SetTracking(1);
    font.Render(0, 0, BitmapFont::kLeft, "BA");
    std::vector<Quad> quads = TakeQuads(engine.get());
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_FLOAT_EQ(quads[0].v[0].x, 2);  // pre 1 scaled
    EXPECT_FLOAT_EQ(quads[0].v[2].x, 14); // 6 wide scaled
    EXPECT_FLOAT_EQ(quads[0].v[2].y, 32);
    EXPECT_FLOAT_EQ(quads[1].v[0].x, 16); // 2 + (0 + 6 + 1) * 2
    for (const Quad& q : quads) {
        EXPECT_EQ(q.v[3].col, 0x80FF0000u);
        EXPECT_FLOAT_EQ(q.v[1].z, 0.1f);
        EXPECT_EQ(q.blend, BLEND_COLORADD);
    }
    // Recoloured between lines, each draws in its own colour, and a glyph
    // handed out carries the font's colour too.
    font.SetColor(0xFF00FF00);
    font.Render(0, 0, BitmapFont::kLeft, "A");
    quads = TakeQuads(engine.get());
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_EQ(quads[0].v[0].col, 0xFF00FF00u);
    font.SetColor(0xFF0000FF);
    EXPECT_EQ(font.GetSprite('B')->GetColor(), 0xFF0000FFu);
}

TEST_F(BitmapFontTest, PrintfCutsLongTextAndDrawsContentLiterally) {
    BitmapFont font(StandardFont().c_str());
    std::string longText(3000, 'A');
    font.printf(0, 0, 0, "%s", longText.c_str());
    EXPECT_EQ(TakeQuads(engine.get()).size(), 1023u);
    font.printf(0, 0, 0, "%s", "%n%s%d");
    EXPECT_EQ(TakeQuads(engine.get()).size(), 6u);
}

TEST_F(BitmapFontTest, PrintfbWrapsWordsIntoTheBox) {
    BitmapFont font(StandardFont().c_str());
    // "AA" is 26 wide, "AA AA" 56: a 40-wide box holds one word a line.
    font.printfb(0, 0, 40, 100, BitmapFont::kLeft, "AA AA AA");
    std::vector<Quad> quads = TakeQuads(engine.get());
    ASSERT_EQ(quads.size(), 6u);
    EXPECT_FLOAT_EQ(quads[2].v[0].y, 16);
    EXPECT_FLOAT_EQ(quads[2].v[0].x, 0);
    EXPECT_FLOAT_EQ(quads[4].v[0].y, 32);

    // A word wider than the box stays whole on its own line.
    font.printfb(0, 0, 20, 100, BitmapFont::kLeft, "AAAA A\nA");
    quads = TakeQuads(engine.get());
    ASSERT_EQ(quads.size(), 6u);
    EXPECT_FLOAT_EQ(quads[3].v[0].y, 0);
    EXPECT_FLOAT_EQ(quads[3].v[0].x, 39);
    EXPECT_FLOAT_EQ(quads[4].v[0].y, 16);
    EXPECT_FLOAT_EQ(quads[5].v[0].y, 32);
}

TEST_F(BitmapFontTest, PrintfbAlignsTheTextInTheBox) {
    BitmapFont font(StandardFont().c_str());
    font.printfb(10, 10, 100, 100, BitmapFont::kRight | BitmapFont::kBottom, "A\nA");
    font.printfb(10, 10, 100, 101, BitmapFont::kCentre | BitmapFont::kMiddle, "A");
    std::vector<Quad> quads = TakeQuads(engine.get());
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_FLOAT_EQ(quads[0].v[0].y, 78); // 10 + 100 - 32
    EXPECT_FLOAT_EQ(quads[0].v[0].x, 97); // 110 - 13
    EXPECT_FLOAT_EQ(quads[1].v[0].y, 94);
    EXPECT_FLOAT_EQ(quads[2].v[0].y, 53); // 10 + round(85 / 2)
    EXPECT_FLOAT_EQ(quads[2].v[0].x, 53); // 10 + 50 - round(6.5)
}

} // namespace
