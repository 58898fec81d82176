// The committed content must be exactly what the generators make: a change
// to a generator without regenerating (or a hand edit of generated files)
// shows up here.
#include "tests/tools/ContentTestSupport.h"

#include <gtest/gtest.h>

namespace {

using content_test::Files;
using testing_support::ReadFile;

// Compares every file the generator wrote under sub/ with the committed one,
// and checks nothing committed there is left without a generator.
void ExpectSameFiles(const std::string& made, const std::string& sub, const std::string& ext) {
    std::vector<std::string> fresh = Files(made, sub, ext);
    EXPECT_FALSE(fresh.empty()) << sub;
    EXPECT_EQ(fresh, Files(content_test::DataDir(), sub, ext))
        << "stale or missing files in " << sub;
    for (const std::string& file : fresh) {
        EXPECT_TRUE(ReadFile(made + "/" + file) == ReadFile(content_test::DataDir() + "/" + file))
            << file << " differs from what the generator makes; run tools/make-content";
    }
}

TEST(GeneratorReproduction, FontsAreRemadeByteForByte) {
    if (!content_test::HaveDejaVu()) {
        GTEST_SKIP() << "DejaVu fonts are not installed";
    }
    std::string out = testing_support::MakeTempDir("fontgen");
    ASSERT_EQ(content_test::Run(std::string(DUSKMAW_FONTGEN) + " --out " + out, out), 0)
        << ReadFile(out + "/run.log");
    ExpectSameFiles(out, "fonts", ".fnt");
    ExpectSameFiles(out, "fonts", ".png");
}

TEST(GeneratorReproduction, ArtAndContactSheetAreRemadeByteForByte) {
    if (!content_test::HaveDejaVu()) {
        GTEST_SKIP() << "DejaVu fonts are not installed";
    }
    std::string out = testing_support::MakeTempDir("artgen");
    std::string sheet = out + "/contact-sheet.png";
    ASSERT_EQ(content_test::Run(std::string(DUSKMAW_ARTGEN) + " --out " + out +
                                    " --contact-sheet " + sheet + " --effects " +
                                    testing_support::SourceDir() + "/tools/psicompile/effects",
                                out),
              0)
        << ReadFile(out + "/run.log");
    ExpectSameFiles(out, "gfx", ".png");
    ExpectSameFiles(out, "gfx", ".res");
    ExpectSameFiles(out, "gui", ".png");
    EXPECT_TRUE(ReadFile(sheet) ==
                ReadFile(testing_support::SourceDir() + "/docs/contact-sheet.png"));
}

TEST(GeneratorReproduction, ParticleFilesAreRemadeAndAre128Bytes) {
    std::string out = testing_support::MakeTempDir("psicompile");
    std::string src = testing_support::SourceDir() + "/tools/psicompile/effects";
    ASSERT_EQ(
        content_test::Run(std::string(DUSKMAW_PSICOMPILE) + " --src " + src + " --out " + out, out),
        0)
        << ReadFile(out + "/run.log");
    ExpectSameFiles(out, "fx", ".psi");
    for (const std::string& file : Files(content_test::DataDir(), "fx", ".psi")) {
        EXPECT_EQ(ReadFile(content_test::DataDir() + "/" + file).size(), 128u) << file;
    }
}

} // namespace
