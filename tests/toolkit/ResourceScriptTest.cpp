#include "tests/toolkit/ResourceTestFixture.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/ScriptLexer.h"
#include "toolkit/ScriptValueReader.h"
#include "toolkit/ToolkitResources.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using ScriptTest = ResourceTestFixture;

template <typename T> const T* Find(const ResourceManager& manager, int kind, const char* name) {
    return static_cast<const T*>(manager.FindRecord(kind, name));
}

int CountRecords(const ResourceManager& manager, int kind) {
    int count = 0;
    for (ResDesc* record = manager.FirstRecord(kind); record; record = record->m_next)
        ++count;
    return count;
}

TEST(ScriptLexerTest, TokensKeywordsAndLines) {
    testing_support::HeadlessEngine engine;
    ScriptLexer lexer("; comment\n  Sprite\t\"a b\" 12.5 -3 80FFFFFF FF00 sizeX\r\n"
                      "ALPHABLEND ALPHA true,{}:= word;tail\n",
                      "t.res");
    EXPECT_EQ(lexer.Scan(), kTokenSprite);
    EXPECT_EQ(lexer.Line(), 2);
    EXPECT_EQ(lexer.Scan(), kTokenString);
    EXPECT_STREQ(lexer.Text(), "a b");
    EXPECT_EQ(lexer.Scan(), kTokenNumber);
    EXPECT_STREQ(lexer.Text(), "12.5");
    EXPECT_EQ(lexer.Scan(), kTokenNumber);
    EXPECT_STREQ(lexer.Text(), "-3");
    // Digits followed by hex letters make a colour string.
    EXPECT_EQ(lexer.Scan(), kTokenString);
    EXPECT_STREQ(lexer.Text(), "80FFFFFF");
    EXPECT_EQ(lexer.Scan(), kTokenString);
    EXPECT_STREQ(lexer.Text(), "FF00");
    // Keywords match by prefix: "sizeX" is "size" then "X".
    EXPECT_EQ(lexer.Scan(), kParamSize);
    EXPECT_EQ(lexer.Scan(), kTokenString);
    EXPECT_STREQ(lexer.Text(), "X");
    EXPECT_EQ(lexer.Scan(), kValueAlphaBlend);
    EXPECT_EQ(lexer.Line(), 3);
    EXPECT_EQ(lexer.Scan(), kValueAlpha);
    EXPECT_EQ(lexer.Scan(), kTokenBool);
    EXPECT_EQ(lexer.Scan(), kTokenComma);
    EXPECT_EQ(lexer.Scan(), kTokenOpenBlock);
    EXPECT_EQ(lexer.Scan(), kTokenCloseBlock);
    EXPECT_EQ(lexer.Scan(), kTokenColon);
    EXPECT_EQ(lexer.Scan(), kTokenEquals);
    EXPECT_EQ(lexer.Scan(), kTokenString);
    EXPECT_STREQ(lexer.Text(), "word;tail");
    EXPECT_EQ(lexer.Scan(), kTokenEnd);
    EXPECT_STREQ(lexer.Text(), "");
    EXPECT_EQ(lexer.Scan(), kTokenEnd);
}

TEST(ScriptLexerTest, RewindReadsTheSameTokenAgainAndLongTokensAreCut) {
    testing_support::HeadlessEngine engine;
    std::string longWord(300, 'x');
    std::string text = "\"quoted text\" " + longWord + " next";
    ScriptLexer lexer(text.c_str(), "t.res");
    lexer.Scan();
    lexer.Rewind();
    EXPECT_EQ(lexer.Scan(), kTokenString);
    EXPECT_STREQ(lexer.Text(), "quoted text");
    lexer.Scan();
    EXPECT_EQ(std::strlen(lexer.Text()), ScriptLexer::kTextSize - 1);
    lexer.Rewind();
    lexer.Scan();
    EXPECT_EQ(std::strlen(lexer.Text()), ScriptLexer::kTextSize - 1);
    lexer.Scan();
    EXPECT_STREQ(lexer.Text(), "next");
}

TEST(ScriptLexerTest, WordsThatOnlyResembleKeywordsAndKeywordsThatBeginWords) {
    testing_support::HeadlessEngine engine;
    // Same length, first and last letters as a keyword; then keywords that
    // begin longer words, the shorter of two matching ones coming last.
    ScriptLexer lexer("tzze Sxxxxe fps0 truex Spritely NOLOOPY ALPHAADDS ALPHAB CIRCLE mesh",
                      "t.res");
    const std::pair<int, const char*> expected[] = {{kTokenString, "tzze"},
                                                    {kTokenString, "Sxxxxe"},
                                                    {kParamFps, "fps"},
                                                    {kTokenNumber, "0"},
                                                    {kTokenBool, "true"},
                                                    {kTokenString, "x"},
                                                    {kTokenSprite, "Sprite"},
                                                    {kTokenString, "ly"},
                                                    {kValueNoLoop, "NOLOOP"},
                                                    {kTokenString, "Y"},
                                                    {kValueAlphaAdd, "ALPHAADD"},
                                                    {kTokenString, "S"},
                                                    {kValueAlpha, "ALPHA"},
                                                    {kTokenString, "B"},
                                                    {kValueCircle, "CIRCLE"},
                                                    {kParamMesh, "mesh"},
                                                    {kTokenEnd, ""}};
    for (const auto& [token, text] : expected) {
        EXPECT_EQ(lexer.Scan(), token) << text;
        EXPECT_EQ(lexer.View(), text);
    }
}

TEST_F(ScriptTest, EmptyAndCommentOnlyScriptsDefineNothingSilently) {
    Write("empty.res", "");
    Write("comments.res", "; nothing here\n\n   ; nor here\r\n");
    ResourceManager empty("empty.res");
    ResourceManager comments("comments.res");
    for (int kind = 0; kind < kKindCount; ++kind) {
        EXPECT_EQ(empty.FirstRecord(kind), nullptr);
        EXPECT_EQ(comments.FirstRecord(kind), nullptr);
    }
    EXPECT_THAT(ScriptMessages(), IsEmpty());
}

TEST_F(ScriptTest, MissingTopLevelScript) {
    ResourceManager manager("missing.res");
    manager.LoadScript(nullptr);
    EXPECT_THAT(ScriptMessages(), ElementsAre("Script 'missing.res' not found."));
}

TEST_F(ScriptTest, FullSpriteDefinitionFromBase) {
    Write("game.res", "Sprite b { texture = t.png rect = 1, 2, 3, 4 zorder = 0.25 resgroup = 7 }\n"
                      "Sprite a : b { hotspot = 16, 16 blendmode = COLORADD, ALPHABLEND\n"
                      "  color = FF804020 flip = false, true }\n");
    ResourceManager manager("game.res");
    EXPECT_THAT(ScriptMessages(), IsEmpty());
    const auto* a = Find<RSprite>(manager, kKindSprite, "a");
    ASSERT_NE(a, nullptr);
    EXPECT_STREQ(a->m_textureName, "t.png");
    EXPECT_EQ(a->m_rectX, 1.0f);
    EXPECT_EQ(a->m_rectH, 4.0f);
    EXPECT_EQ(a->m_hotX, 16.0f);
    EXPECT_EQ(a->m_blend, 3u);
    EXPECT_EQ(a->m_color, 0xFF804020u);
    EXPECT_EQ(a->m_z, 0.25f);
    EXPECT_EQ(a->m_resgroup, 7);
    EXPECT_FALSE(a->m_flipX);
    EXPECT_TRUE(a->m_flipY);
    // Newest first.
    EXPECT_EQ(manager.FirstRecord(kKindSprite), a);
}

TEST_F(ScriptTest, ColoursAndFlagLists) {
    Write("c.res", "Sprite red { color = FF0000FF }\n"
                   "Sprite half { color = 80FFFFFF }\n"
                   "Sprite split { color = 8F8F8F8F }\n"
                   "Sprite add { blendmode = COLORADD }\n"
                   "Sprite z { blendmode = ZWRITE, ALPHAADD, LOOP }\n"
                   "Animation anim { mode = REVERSE, NOLOOP, PINGPONG frames = 8 fps = 24 }\n");
    ResourceManager manager("c.res");
    EXPECT_EQ(Find<RSprite>(manager, kKindSprite, "red")->m_color, 0xFF0000FFu);
    EXPECT_EQ(Find<RSprite>(manager, kKindSprite, "half")->m_color, 0x80FFFFFFu);
    // The lexer splits 8F8F8F8F after its first letters; only "8F" is read.
    EXPECT_EQ(Find<RSprite>(manager, kKindSprite, "split")->m_color, 0x8Fu);
    EXPECT_EQ(Find<RSprite>(manager, kKindSprite, "add")->m_blend, 3u);
    EXPECT_EQ(Find<RSprite>(manager, kKindSprite, "z")->m_blend, 4u);
    const auto* anim = Find<RAnimation>(manager, kKindAnimation, "anim");
    EXPECT_EQ(anim->m_mode, 3u);
    EXPECT_EQ(anim->m_frames, 8);
    EXPECT_EQ(anim->m_fps, 24.0f);
    EXPECT_THAT(ScriptMessages(), ElementsAre("c.res, line 3: Unsupported resource parameter "
                                              "'8F'.",
                                              "c.res, line 5: Unsupported value 'LOOP'."));
}

TEST_F(ScriptTest, DefaultsOfEveryKind) {
    Write("d.res", "Texture t {} Music m {} Target g {} Animation a {} Font f {} Distortion d {}\n"
                   "Resource r {} Sound s {} Stream st {} Particle p {} StringTable tb {}\n");
    ResourceManager manager("d.res");
    EXPECT_THAT(ScriptMessages(), IsEmpty());
    EXPECT_FALSE(Find<RTexture>(manager, kKindTexture, "t")->m_mipmap);
    EXPECT_EQ(Find<RMusic>(manager, kKindMusic, "m")->m_amplify, 50);
    const auto* target = Find<RTarget>(manager, kKindTarget, "g");
    EXPECT_EQ(target->m_width, 256);
    EXPECT_EQ(target->m_height, 256);
    const auto* anim = Find<RAnimation>(manager, kKindAnimation, "a");
    EXPECT_EQ(anim->m_frames, 1);
    EXPECT_EQ(anim->m_fps, 12.0f);
    EXPECT_EQ(anim->m_mode, 4u);
    EXPECT_EQ(anim->m_blend, 2u);
    EXPECT_EQ(anim->m_color, 0xFFFFFFFFu);
    const auto* font = Find<RFont>(manager, kKindFont, "f");
    EXPECT_EQ(font->m_scale, 1.0f);
    EXPECT_EQ(font->m_spacing, 1.0f);
    EXPECT_EQ(font->m_tracking, 0.0f);
    const auto* mesh = Find<RDistort>(manager, kKindDistortion, "d");
    EXPECT_EQ(mesh->m_columns, 2);
    EXPECT_EQ(mesh->m_rows, 2);
    for (int kind = kKindResource; kind < kKindCount; ++kind)
        EXPECT_EQ(CountRecords(manager, kind), kind == kKindSprite ? 0 : 1) << kind;
}

TEST_F(ScriptTest, ValueConversions) {
    Write("v.res", "Target g { size = 640, 480 zbuffer = True resgroup = -2.9 }\n"
                   "Texture t { filename = \"dir/a b.png\" mipmap = t }\n"
                   "Music m { amplify = abc }\n");
    ResourceManager manager("v.res");
    const auto* target = Find<RTarget>(manager, kKindTarget, "g");
    EXPECT_EQ(target->m_width, 640);
    EXPECT_EQ(target->m_height, 480);
    EXPECT_TRUE(target->m_zbuffer);
    EXPECT_EQ(target->m_resgroup, -2);
    const auto* texture = Find<RTexture>(manager, kKindTexture, "t");
    EXPECT_STREQ(texture->m_filename, "dir/a b.png");
    EXPECT_TRUE(texture->m_mipmap);
    EXPECT_EQ(Find<RMusic>(manager, kKindMusic, "m")->m_amplify, 0);
}

TEST(ScriptValueTest, TextConversions) {
    EXPECT_EQ(ScriptValueReader::ParseFloat("12.5abc"), 12.5f);
    EXPECT_EQ(ScriptValueReader::ParseFloat("-.5"), -0.5f);
    EXPECT_EQ(ScriptValueReader::ParseFloat("0.5.3"), 0.5f);
    EXPECT_EQ(ScriptValueReader::ParseFloat("2e3"), 2000.0f);
    EXPECT_EQ(ScriptValueReader::ParseFloat("  3.5"), 3.5f);
    EXPECT_EQ(ScriptValueReader::ParseFloat("-"), 0.0f);
    EXPECT_EQ(ScriptValueReader::ParseFloat("abc"), 0.0f);
    EXPECT_EQ(ScriptValueReader::ParseInt("42.9"), 42);
    EXPECT_EQ(ScriptValueReader::ParseInt("-7-3"), -7);
    EXPECT_EQ(ScriptValueReader::ParseInt("99999999999"), 2147483647);
    EXPECT_EQ(ScriptValueReader::ParseColor("ff00FF00"), 0xFF00FF00u);
    // Only the last eight digits count; unknown characters count as 15.
    EXPECT_EQ(ScriptValueReader::ParseColor("12345678ABCDEF01"), 0xABCDEF01u);
    EXPECT_EQ(ScriptValueReader::ParseColor("zz"), 0xFFu);
    EXPECT_TRUE(ScriptValueReader::ParseBool("True"));
    EXPECT_TRUE(ScriptValueReader::ParseBool("t"));
    EXPECT_FALSE(ScriptValueReader::ParseBool("yes"));
}

TEST(ScriptValueTest, ShortDecimalsReadExactlyAsACorrectlyRoundedReader) {
    // Every value of up to four digits with the point anywhere, and signed.
    for (int mantissa = 0; mantissa < 10000; mantissa += 7) {
        for (int point = 0; point <= 4; ++point) {
            const std::string digits = std::to_string(mantissa);
            const std::size_t cut = digits.size() - std::min<std::size_t>(point, digits.size());
            const std::string text = digits.substr(0, cut) + "." + digits.substr(cut);
            for (const std::string& value : {text, "-" + text}) {
                float expected = 0.0f;
                std::from_chars(value.data(), value.data() + value.size(), expected);
                float read = ScriptValueReader::ParseFloat(value);
                EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << value;
            }
        }
    }
    // Longer ones, and what comes after the digits.
    EXPECT_EQ(ScriptValueReader::ParseFloat("0.1234567"), 0.1234567f);
    EXPECT_EQ(ScriptValueReader::ParseFloat("16777217"), 16777216.0f);
    EXPECT_EQ(ScriptValueReader::ParseFloat("1.e2"), 100.0f);
    EXPECT_TRUE(std::signbit(ScriptValueReader::ParseFloat("-0")));
    EXPECT_EQ(ScriptValueReader::ParseInt("999999999"), 999999999);
    EXPECT_EQ(ScriptValueReader::ParseInt("-2147483649"), -2147483647 - 1);
    EXPECT_EQ(ScriptValueReader::ParseInt(" +7"), 7);
    EXPECT_EQ(ScriptValueReader::ParseInt("-"), 0);
}

TEST_F(ScriptTest, BlockErrorsAreReportedAndRecordsStillAdded) {
    Write("e.res", "Sprite a { amplify = 3 rect = 1, 2, 3, 4 }\n"
                   "Sprite b { zorder = 0.1\n"
                   "Texture t { mipmap = true\n");
    ResourceManager manager("e.res");
    EXPECT_THAT(ScriptMessages(),
                ElementsAre("e.res, line 1: Unsupported resource parameter 'amplify'.",
                            "e.res, line 3: '}' missed, 'Texture' encountered.",
                            "e.res, line 4: '}' missed, '<EOF>' encountered."));
    EXPECT_EQ(Find<RSprite>(manager, kKindSprite, "a")->m_rectW, 3.0f);
    EXPECT_EQ(Find<RSprite>(manager, kKindSprite, "b")->m_z, 0.1f);
    EXPECT_TRUE(Find<RTexture>(manager, kKindTexture, "t")->m_mipmap);
}

TEST_F(ScriptTest, DefinitionErrors) {
    Write("n.res", "Sprite a : b { }\n"
                   "Sprite a { color = 00000000 }\n"
                   "Texture a { }\n"
                   "junk { } Sound s = x\n"
                   "Sound s2 { }\n");
    ResourceManager manager("n.res");
    EXPECT_THAT(
        ScriptMessages(),
        ElementsAre("n.res, line 1: Base resource 'b' is not defined.",
                    "n.res, line 2: Resource 'a' of the same type already has been defined.",
                    "n.res, line 4: Unrecognized resource specificator 'junk'.",
                    "n.res, line 4: Illegal resource syntax, '=' found; '{' expected."));
    // The first definition stands, with defaults; names are per kind.
    EXPECT_EQ(Find<RSprite>(manager, kKindSprite, "a")->m_color, 0xFFFFFFFFu);
    EXPECT_EQ(CountRecords(manager, kKindSprite), 1);
    EXPECT_NE(manager.FindRecord(kKindTexture, "a"), nullptr);
    EXPECT_EQ(manager.FindRecord(kKindSound, "s"), nullptr);
    EXPECT_NE(manager.FindRecord(kKindSound, "s2"), nullptr);
}

TEST_F(ScriptTest, IncludesRepeatsAndCycles) {
    Write("main.res", "Include part.res\nInclude part.res\nInclude none.res\nSprite m { }\n");
    Write("part.res", "Sprite p { }\nInclude \"main.res\"\n");
    ResourceManager manager("main.res");
    EXPECT_THAT(ScriptMessages(),
                ElementsAre("part.res, line 2: Script 'main.res' already has been parsed.",
                            "main.res, line 2: Script 'part.res' already has been parsed.",
                            "main.res, line 3: Script 'none.res' not found."));
    EXPECT_NE(manager.FindRecord(kKindSprite, "p"), nullptr);
    EXPECT_NE(manager.FindRecord(kKindSprite, "m"), nullptr);
    // The script records go once the load is over, so a new load may
    // include the same files again.
    EXPECT_EQ(manager.FirstRecord(kKindScript), nullptr);
    manager.LoadScript("part.res");
    EXPECT_EQ(CountRecords(manager, kKindScript), 2);
}

TEST_F(ScriptTest, ThousandsOfNamesAreEachFoundAndKnowTheirScript) {
    std::string text = "Include more.res\n";
    for (int i = 0; i < 1000; ++i) {
        text += "Sprite s" + std::to_string(i) + " { }\n";
    }
    Write("big.res", text + "Sprite s999 { }\n");
    Write("more.res", "Sprite s1000 { }\n");
    ResourceManager manager("big.res");
    EXPECT_THAT(ScriptMessages(),
                ElementsAre("big.res, line 1002: Resource 's999' of the same type already has "
                            "been defined."));
    EXPECT_EQ(CountRecords(manager, kKindSprite), 1001);
    for (int i = 0; i <= 1000; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "s%d", i);
        const ResDesc* record = manager.FindRecord(kKindSprite, name);
        ASSERT_NE(record, nullptr) << name;
        EXPECT_STREQ(record->m_name, name);
        EXPECT_STREQ(record->m_script, i == 1000 ? "more.res" : "big.res");
    }
    EXPECT_EQ(manager.FindRecord(kKindSprite, "s1001"), nullptr);
}

TEST_F(ScriptTest, LongNamesAreCut) {
    std::string longName(200, 'n');
    Write("l.res", "Sprite " + longName + " { texture = " + longName + " }\n");
    ResourceManager manager("l.res");
    const ResDesc* record = manager.FirstRecord(kKindSprite);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(std::strlen(record->m_name), ResDesc::kNameSize - 1);
    EXPECT_EQ(manager.FindRecord(kKindSprite, longName.c_str()), record);
    EXPECT_EQ(std::strlen(static_cast<const RSprite*>(record)->m_textureName),
              ResDesc::kNameSize - 1);
}

} // namespace
