// Structural checks of the committed content that a hand edit or a packing
// fault would break: glyph and sprite rectangles inside their textures,
// sprites not overlapping, every printable byte in every font.
#include "tests/tools/ContentTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>

namespace {

using content_test::DataDir;
using content_test::PngSize;
using testing_support::ReadFile;

struct Rect {
    std::string name;
    int x, y, w, h;
};

TEST(ShippedContent, EveryFontCoversThePrintableBytesInsideItsTexture) {
    std::vector<std::string> fonts = content_test::Files(DataDir(), "fonts", ".fnt");
    ASSERT_GE(fonts.size(), 6u);
    for (const std::string& file : fonts) {
        SCOPED_TRACE(file);
        std::istringstream in(ReadFile(DataDir() + "/" + file));
        std::string line;
        std::getline(in, line);
        ASSERT_EQ(line, "[BITMAPFONT]");
        std::getline(in, line);
        char bitmap[128] = {};
        ASSERT_EQ(std::sscanf(line.c_str(), "Bitmap=%127s", bitmap), 1) << line;
        auto [tw, th] = PngSize(DataDir() + "/fonts/" + bitmap);
        ASSERT_GT(tw, 0);
        std::map<int, int> advance;
        while (std::getline(in, line)) {
            int code, x, y, w, h, pre, post;
            ASSERT_EQ(std::sscanf(line.c_str(), "Char=%x,%d,%d,%d,%d,%d,%d", &code, &x, &y, &w, &h,
                                  &pre, &post),
                      7)
                << line;
            EXPECT_TRUE(x >= 0 && y >= 0 && x + w <= tw && y + h <= th) << line;
            advance[code] = pre + w + post;
        }
        for (int c = 32; c <= 126; ++c) {
            ASSERT_TRUE(advance.count(c)) << "missing byte " << c;
            EXPECT_GT(advance[c], 0) << "byte " << c << " does not move the pen";
        }
    }
}

TEST(ShippedContent, SpritesLieInsideTheirSheetsWithoutOverlapping) {
    std::istringstream script(ReadFile(DataDir() + "/gfx/sprites.res"));
    std::map<std::string, std::pair<int, int>> textures;
    std::map<std::string, std::vector<Rect>> bySheet;
    for (std::string line; std::getline(script, line);) {
        char name[128] = {}, file[128] = {};
        Rect r{};
        if (std::sscanf(line.c_str(), "Texture \"%127[^\"]\" { filename = \"%127[^\"]\" }", name,
                        file) == 2) {
            textures[name] = PngSize(DataDir() + "/" + file);
        } else if (std::sscanf(
                       line.c_str(),
                       "Sprite \"%127[^\"]\" { texture = \"%127[^\"]\" rect = %d, %d, %d, %d", name,
                       file, &r.x, &r.y, &r.w, &r.h) == 6) {
            ASSERT_TRUE(textures.count(file)) << name << " names an unknown texture";
            r.name = name;
            bySheet[file].push_back(r);
        }
    }
    ASSERT_GE(textures.size(), 5u);
    ASSERT_GE(bySheet.size(), 5u);
    for (const auto& [sheet, rects] : bySheet) {
        auto [tw, th] = textures[sheet];
        for (size_t i = 0; i < rects.size(); ++i) {
            const Rect& a = rects[i];
            EXPECT_TRUE(a.x + a.w <= tw && a.y + a.h <= th) << a.name << " leaves " << sheet;
            for (size_t j = i + 1; j < rects.size(); ++j) {
                const Rect& b = rects[j];
                bool apart =
                    a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
                EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
            }
        }
    }
}

TEST(ShippedContent, TexturesHavePowerOfTwoSides) {
    // Some GL drivers still pad other sizes, which would shift every rectangle.
    for (const char* sub : {"gfx", "gui", "fonts"}) {
        for (const std::string& file : content_test::Files(DataDir(), sub, ".png")) {
            auto [w, h] = PngSize(DataDir() + "/" + file);
            EXPECT_TRUE(w > 0 && (w & (w - 1)) == 0 && h > 0 && (h & (h - 1)) == 0) << file;
        }
    }
}

// Mean per-channel difference between two lines of pixels (columns when
// vertical), in 0..255.
double LineDifference(const uint32_t* pixels, int stride, int size, int a, int b, bool vertical) {
    double sum = 0;
    for (int i = 0; i < size; ++i) {
        uint32_t p = vertical ? pixels[i * stride + a] : pixels[a * stride + i];
        uint32_t q = vertical ? pixels[i * stride + b] : pixels[b * stride + i];
        for (int shift = 0; shift < 24; shift += 8) {
            sum += std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF));
        }
    }
    return sum / (size * 3);
}

TEST(ShippedContent, GroundPatchesTileWithoutVisibleSeams) {
    testing_support::HeadlessEngine engine;
    std::vector<std::string> patches;
    for (const std::string& file : content_test::Files(DataDir(), "gfx", ".png")) {
        if (file.find("ground_") != std::string::npos) {
            patches.push_back(file);
        }
    }
    ASSERT_GE(patches.size(), 4u);
    for (const std::string& file : patches) {
        SCOPED_TRACE(file);
        HTEXTURE tex = engine->Texture_Load((DataDir() + "/" + file).c_str());
        ASSERT_NE(tex, 0u);
        int w = engine->Texture_GetWidth(tex, true), h = engine->Texture_GetHeight(tex, true);
        int stride = engine->Texture_GetWidth(tex);
        const uint32_t* px = engine->Texture_Lock(tex, true);
        ASSERT_NE(px, nullptr);
        // Across the wrap the change is no larger than between neighbours inside.
        double inside = LineDifference(px, stride, h, w / 2 - 1, w / 2, true) +
                        LineDifference(px, stride, w, h / 2 - 1, h / 2, false);
        double seams = LineDifference(px, stride, h, w - 1, 0, true) +
                       LineDifference(px, stride, w, h - 1, 0, false);
        EXPECT_LT(seams, inside * 1.5 + 2) << "inside " << inside;
        engine->Texture_Unlock(tex);
        engine->Texture_Free(tex);
    }
}

} // namespace
