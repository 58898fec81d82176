// The particle compiler turns a readable description into the 128-byte
// record the particle system reads: offsets, units and error handling.
#include "tests/tools/ContentTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

class PsiCompileTest : public ::testing::Test {
protected:
    // Compiles text; returns the exit code and leaves the output in m_bytes.
    int Compile(const std::string& text) {
        WriteFile(m_dir + "/in.txt", text);
        std::filesystem::remove(m_dir + "/out.psi");
        int code = content_test::Run(
            std::string(DUSKMAW_PSICOMPILE) + " " + m_dir + "/in.txt " + m_dir + "/out.psi", m_dir);
        m_bytes = ReadFile(m_dir + "/out.psi");
        return code;
    }
    float F(size_t offset) const {
        float v;
        std::memcpy(&v, m_bytes.data() + offset, 4);
        return v;
    }
    int32_t I(size_t offset) const {
        int32_t v;
        std::memcpy(&v, m_bytes.data() + offset, 4);
        return v;
    }
    std::string Log() const { return ReadFile(m_dir + "/run.log"); }

    std::string m_dir = testing_support::MakeTempDir("psi");
    std::string m_bytes;
};

TEST_F(PsiCompileTest, FieldsLandAtTheirOffsetsInTheirUnits) {
    ASSERT_EQ(Compile("# a comment line\n"
                      "emission = 30   # trailing comment\n"
                      "lifetime = 2\n"
                      "life = 0.5 1.5\n"
                      "direction = 90\n"
                      "spread = 180\n"
                      "relative = true\n"
                      "speed = 10 20\n"
                      "gravity = -5\n"
                      "tangential = 1 2\n"
                      "size = 1 0.25\n"
                      "spin = 3 4\n"
                      "color_start = 80FF0000\n"
                      "color_end = 0 0.5 1 0.25\n"
                      "color_variation = 0.7\n"
                      "alpha_variation = 0.1\n"),
              0)
        << Log();
    ASSERT_EQ(m_bytes.size(), 128u);
    EXPECT_EQ(I(0), 0); // the sprite slot is the caller's
    EXPECT_EQ(I(4), 30);
    EXPECT_FLOAT_EQ(F(8), 2);
    EXPECT_FLOAT_EQ(F(12), 0.5f);
    EXPECT_FLOAT_EQ(F(16), 1.5f);
    EXPECT_NEAR(F(20), M_PI / 2, 1e-6); // degrees in, radians out
    EXPECT_NEAR(F(24), M_PI, 1e-6);
    EXPECT_EQ(m_bytes[28], 1);
    EXPECT_EQ(m_bytes.substr(29, 3), std::string(3, '\0'));
    EXPECT_FLOAT_EQ(F(32), 10);
    EXPECT_FLOAT_EQ(F(36), 20);
    EXPECT_FLOAT_EQ(F(40), -5); // one number: minimum = maximum
    EXPECT_FLOAT_EQ(F(44), -5);
    EXPECT_FLOAT_EQ(F(56), 1);
    EXPECT_FLOAT_EQ(F(60), 2);
    EXPECT_FLOAT_EQ(F(64), 1);
    EXPECT_FLOAT_EQ(F(68), 0.25f);
    EXPECT_FLOAT_EQ(F(76), 3);
    EXPECT_FLOAT_EQ(F(80), 4);
    EXPECT_FLOAT_EQ(F(88), 1); // ARGB hex: red, green, blue, alpha
    EXPECT_FLOAT_EQ(F(92), 0);
    EXPECT_NEAR(F(100), 128 / 255.0, 1e-6);
    EXPECT_FLOAT_EQ(F(108), 0.5f);
    EXPECT_FLOAT_EQ(F(116), 0.25f);
    EXPECT_FLOAT_EQ(F(120), 0.7f);
    EXPECT_FLOAT_EQ(F(124), 0.1f);
}

TEST_F(PsiCompileTest, KeepColourMarksTheStartRedNegative) {
    ASSERT_EQ(Compile("color_start = keep 0.75\n"), 0) << Log();
    EXPECT_LT(F(88), 0);
    EXPECT_FLOAT_EQ(F(100), 0.75f);
}

TEST_F(PsiCompileTest, AnEmptyDescriptionGivesASystemThatEmitsNothing) {
    ASSERT_EQ(Compile(""), 0) << Log();
    ASSERT_EQ(m_bytes.size(), 128u);
    EXPECT_EQ(I(4), 0);
}

TEST_F(PsiCompileTest, MistakesAreReportedWithTheirLineAndWriteNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"emission = 10\nsped = 1 2\n", "line 2"}, // unknown setting
        {"speed = fast\n", "line 1"},              // not a number
        {"emission = 2.5\n", "line 1"},            // particles are whole
        {"life = 1 2 3\n", "line 1"},              // too many values
        {"color_end = FF00\n", "line 1"},          // short colour
        {"emission 10\n", "line 1"},               // no '='
        {"spread = nan\n", "line 1"},              // not finite
    };
    for (const auto& [text, where] : cases) {
        SCOPED_TRACE(text);
        EXPECT_NE(Compile(text), 0);
        EXPECT_TRUE(m_bytes.empty());
        EXPECT_NE(Log().find(where), std::string::npos) << Log();
    }
}

} // namespace
