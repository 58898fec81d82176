// Both programs, run headless on a content folder in which one file is
// garbage, empty, cut in half, or well-formed with absurd values, must end
// normally (exit 0, no sanitizer report) and say in the log what they did
// about it, as docs/fuzzing.md lists.
#include "tests/game/GameRun.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

using testing_support::MakeTempDir;
using testing_support::ReadFile;
using testing_support::SourceDir;

namespace {

enum class Damage { Garbage, Empty, Truncated, Absurd };

const char* DamageName(Damage damage) {
    switch (damage) {
    case Damage::Garbage:
        return "Garbage";
    case Damage::Empty:
        return "Empty";
    case Damage::Truncated:
        return "Truncated";
    case Damage::Absurd:
        return "Absurd";
    }
    return "?";
}

std::string Shipped(const std::string& path) {
    return ReadFile(SourceDir() + "/data/" + path);
}

std::string Repeat(char c, std::size_t n) {
    return std::string(n, c);
}

// The shipped file with text inserted before its last closing tag.
std::string BeforeRootEnd(const std::string& path, const std::string& text) {
    std::string file = Shipped(path);
    const std::size_t end = file.rfind("</");
    return file.substr(0, end) + text + file.substr(end);
}

template <typename Line> std::string Lines(int count, Line&& line) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += line(i);
    }
    return text;
}

const std::string kLongName = Repeat('n', 500);
constexpr int kMany = 100000;

std::string AbsurdEntities() {
    return BeforeRootEnd(
        "resources/entity.xml",
        Lines(kMany,
              [](int i) {
                  return "<entity name=\"bulk" + std::to_string(i) +
                         "\" sprname=\"\" parname=\"\" layer=\"-99999999999\" pl_col=\"1e39\">"
                         "<triggers pl=\"\" sp=\"\" en=\"\"/></entity>\n";
              }) +
            "<entity name=\"" + kLongName + "\" sprname=\"" + kLongName + "\" parname=\"" +
            kLongName + "\" dynamic=\"nan\" layer=\"2147483648\"><triggers pl=\"" + kLongName +
            "\" sp=\"\" en=\"\"/></entity>\n<entity name=\"lacking\" sprname=\"\" "
            "parname=\"\"/>\n");
}

std::string AbsurdItems() {
    return BeforeRootEnd(
        "resources/items.xml",
        Lines(kMany,
              [](int i) {
                  return "<item name=\"bulk" + std::to_string(i) +
                         "\" sprname=\"item_key\" parname=\"\" icon=\"icon_key\" cmd=\"\" "
                         "type=\"-5\" const_fx=\"nan\"><desc text=\"\"/></item>\n";
              }) +
            "<item name=\"" + kLongName + "\" sprname=\"" + kLongName + "\" parname=\"" +
            kLongName + "\" icon=\"" + kLongName + "\" cmd=\"" + kLongName +
            "\" type=\"1e39\"><desc text=\"" + Repeat('d', 5000) +
            "\"/></item>\n<item name=\"lacking\" sprname=\"\"/>\n");
}

std::string AbsurdSpells() {
    return BeforeRootEnd(
        "resources/spells.xml",
        "<spell type=\"S_MPROJ\" w=\"-50\" h=\"nan\" caster=\"1\">"
        "<damage dmg1=\"-2147483649\" dmg2=\"99999999999\" dmgw=\"-1\" dmgh=\"-1\" dmgt=\"" +
            kLongName +
            "\"/><effect special=\"1\" no=\"-3\" dur=\"1e39\" speed=\"-1e39\" sprname=\"" +
            kLongName +
            "\"/><aeffect dmgt=\"\"/><combine f=\"nan\" i=\"1e39\" e=\"-1\" w=\"0\" it=\"1e39\" "
            "itc=\"-1\"/>\n" +
            Lines(kMany,
                  [](int i) { return "<proj direction=\"" + std::to_string(i * 7) + "\"/>\n"; }) +
            "</spell>\n");
}

std::string AbsurdEffects() {
    return BeforeRootEnd(
        "resources/effects.xml",
        Lines(kMany,
              [](int i) {
                  return "<effect name=\"bulk" + std::to_string(i) +
                         "\" pl_col=\"nan\"><triggers pl=\"\" sp=\"\" en=\"\"/></effect>\n";
              }) +
            "<effect name=\"" + kLongName + "\"/>\n");
}

std::string AbsurdDialogues() {
    return BeforeRootEnd(
        "resources/dialogues.xml",
        Lines(kMany,
              [](int i) {
                  return "<m_dialogue name=\"bulk" + std::to_string(i) +
                         "\"><dialogue text=\"x\" sound=\"\" trg=\"exit\"/></m_dialogue>\n";
              }) +
            "<m_dialogue name=\"" + kLongName + "\"><dialogue text=\"" + Repeat('t', 5000) +
            "\" sound=\"" + kLongName + "\" trg=\"" + kLongName +
            "\"/></m_dialogue>\n<m_dialogue><dialogue/></m_dialogue>\n");
}

std::string AbsurdDialogueSounds() {
    return BeforeRootEnd("resources/d_sound.xml",
                         Lines(kMany,
                               [](int i) {
                                   return "<sound name=\"bulk" + std::to_string(i) +
                                          "\" path=\"sounds/none.ogg\"/>\n";
                               }) +
                             "<sound name=\"" + kLongName + "\" path=\"" + kLongName + "\"/>\n");
}

std::string AbsurdMap() {
    // Far from the start, so they stay out of view; the odd ones near it.
    return BeforeRootEnd(
        "maps/map1.xml",
        Lines(kMany,
              [](int i) {
                  return "<entity x=\"" + std::to_string(100000 + (i % 300) * 400) + "\" y=\"" +
                         std::to_string(100000 + (i / 300) * 400) + "\" ent_name=\"rock\"/>\n";
              }) +
            "<entity x=\"1e39\" y=\"nan\" ent_name=\"rock\"/>\n<entity x=\"-1e39\" y=\"-5\" "
            "ent_name=\"" +
            kLongName + "\"/>\n<item x=\"nan\" y=\"1e39\" it_name=\"" + kLongName +
            "\"/>\n<effect x=\"-0\" y=\"1e-50\" fx_name=\"" + kLongName + "\"/>\n");
}

std::string AbsurdResourceScript() {
    return Shipped("resources/game.res") + "\nTarget \"" + kLongName +
           "\" { size = -5, 1e39 }\nTexture \"huge\" { filename = \"" + kLongName +
           "\" }\nSprite \"player\" { texture = \"t_spellorb\" rect = -5, nan, 1e39, -64 hotspot = "
           "1e39, -1e39 }\nDistortion \"mesh\" { texture = \"t_spellorb\" rect = 0, 0, -64, -64 "
           "mesh = 100000, -100000 }\nAnimation \"anim\" { texture = \"t_spellorb\" rect = 0, 0, "
           "8, 8 frames = -5 fps = nan }\n" +
           Lines(kMany, [](int i) {
               return "Sprite \"bulk" + std::to_string(i) +
                      "\" { texture = \"t_spellorb\" rect = 0, 0, 4, 4 }\n";
           });
}

std::string AbsurdFont() {
    return Shipped("fonts/font.fnt") + "Char=\"A\",-5,-5,-100000,100000,nan,1e39\n" + "Char=41," +
           Repeat('9', 500) + ",0,1,1,0,0\nChar=" + kLongName + "\n" + Lines(kMany, [](int i) {
               return "Char=" + std::to_string(32 + i % 95) + ",0,0,100000,100000,-1e39,1e39\n";
           });
}

std::string AbsurdEmitters() {
    return BeforeRootEnd(
        "fx/effects.fxd",
        "<emitter name=\"Embers\" length=\"1e39\" loop=\"1\" seed=\"-1\">"
        "<interval1 start=\"nan\" end=\"-1e39\"/><type name=\"" +
            kLongName +
            "\" max=\"100000\"><emission><key t=\"0\" v=\"1e39\"/><burst t=\"0\" count=\"100000\"/>"
            "</emission><shape kind=\"box\" width=\"-5\" height=\"nan\"/><life min=\"-1\" "
            "max=\"1e39\"/><size v=\"-8\" variation=\"nan\"/><textures><texture file=\"" +
            kLongName + "\" width=\"-8\" height=\"100000\"/></textures></type></emitter>\n");
}

std::string AbsurdSettings() {
    return "[configs]\nw=-5\nh=1e39\nfps=nan\nmusic_volume=100000\nvoice_volume=-100000\n"
           "effects=99999999999\n" +
           kLongName + "=" + kLongName + "\n" + Lines(kMany, [](int i) {
               return "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
           });
}

// A PNG that claims 100000 x 100000 pixels.
std::string AbsurdPng() {
    auto crc = [](const std::string& bytes) {
        std::uint32_t c = 0xFFFFFFFFu;
        for (unsigned char b : bytes) {
            c ^= b;
            for (int k = 0; k < 8; ++k) {
                c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
            }
        }
        return c ^ 0xFFFFFFFFu;
    };
    auto be32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                           static_cast<char>(v >> 8), static_cast<char>(v)};
    };
    auto chunk = [&](const std::string& type, const std::string& body) {
        return be32(static_cast<std::uint32_t>(body.size())) + type + body + be32(crc(type + body));
    };
    const std::string header = be32(100000) + be32(100000) + std::string("\x08\x06\x00\x00\x00", 5);
    // One empty stored zlib block: far too little data for the size.
    const std::string idat("\x78\x01\x01\x00\x00\xff\xff\x00\x00\x00\x01", 11);
    return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", idat) +
           chunk("IEND", "");
}

// A particle record whose every field is nan.
std::string AbsurdPsi() {
    std::string bytes = Shipped("fx/enemy.psi");
    for (std::size_t i = 4; i + 4 <= bytes.size(); i += 4) {
        bytes.replace(i, 4, std::string("\x00\x00\xc0\x7f", 4));
    }
    return bytes;
}

// A page table of absurd size: 100,000 pages, a 500-character key and a
// page far longer than any box.
std::string AbsurdBook() {
    return "[STRINGTABLE]\nfont=\"book_fnt\"\n" + kLongName + "=\"" + kLongName + "\"\n" +
           "page0=\"" + Repeat('w', 200000) + "\"\n" + Lines(kMany, [](int i) {
               return "page" + std::to_string(i + 1) + "=\"" + std::to_string(i) + "\"\n";
           });
}

// An Ogg page header that promises far more than follows it.
std::string AbsurdOgg() {
    std::string page("OggS\0\x02", 6);
    page += std::string(8, '\xff') + std::string(12, '\0') + std::string(1, '\xff') +
            std::string(255, '\xff');
    return page + Repeat('\x7f', 4096);
}

struct ContentFile {
    std::string path;
    std::function<std::string()> absurd;
    // What the log must hold for each kind of damage; "" for a file a
    // program does not read (or may read without a word, such as a font cut
    // at a line end).
    std::string gameMessage[4];
    std::string editorMessage[4];
    // Files the damaged one is read with, such as a map that puts a
    // scroll in the player's way so its book is opened at all; a walk.txt among them is the run's
    // input script.
    std::vector<std::pair<std::string, std::string>> scene = {};
    int frames = 20;
};

// The primer's scroll a step right of the player's start: walking over it
// puts it in the pack's first free cell (the keys take 1 and 3), and using
// it there opens the book.
std::vector<std::pair<std::string, std::string>> AtThePrimer() {
    return {{"maps/map1.xml", "<map name=\"scroll\"><item x=\"560\" y=\"384\" "
                              "it_name=\"Scroll\"/></map>\n"},
            {"walk.txt", "0 key 0x44 down\n40 key 0x44 up\n50 key 0x49 down\n51 key 0x49 up\n"
                         "55 mouse 224 256\n60 key 0x02 down\n61 key 0x02 up\n"}};
}

std::string CannotLoad(const std::string& path) {
    return "The parser cannot load the XML document, located at: " + path;
}

std::vector<ContentFile> Files() {
    auto xml = [](const std::string& path, std::function<std::string()> absurd,
                  const std::string& absurdMessage, bool editorReads,
                  const std::string& editorAbsurd = "") {
        ContentFile file{path, std::move(absurd), {}, {}};
        for (int d = 0; d < 3; ++d) {
            file.gameMessage[d] = CannotLoad(path);
            file.editorMessage[d] = editorReads ? CannotLoad(path) : "";
        }
        file.gameMessage[3] = absurdMessage;
        file.editorMessage[3] = editorAbsurd;
        return file;
    };
    std::vector<ContentFile> files = {
        xml("resources/entity.xml", AbsurdEntities, "entity 100", true,
            "skipped: no triggers element"),
        xml("resources/items.xml", AbsurdItems, "skipped: no parname attribute", true,
            "skipped: no parname attribute"),
        xml("resources/spells.xml", AbsurdSpells, "is not a usable number; read as 0", false),
        xml("resources/effects.xml", AbsurdEffects, "skipped: no triggers element", false),
        xml("resources/dialogues.xml", AbsurdDialogues, "no name attribute (nothing starts it)",
            false),
        xml("resources/d_sound.xml", AbsurdDialogueSounds, "", false),
        xml("maps/map1.xml", AbsurdMap, "is out of range; read as 0", true,
            "is out of range; read as 0"),
    };
    files[0].gameMessage[3] = "skipped: no triggers element";
    const std::string kTwice = "Resource 'player' of the same type already has been defined.";
    const std::string badScript = "resources/game.res, line 1: Unrecognized resource specificator";
    files.push_back({"resources/game.res",
                     AbsurdResourceScript,
                     {badScript, "", "", kTwice},
                     {badScript, "", "", kTwice}});
    const std::string badFont = "Font fonts/font.fnt has incorrect format.";
    files.push_back(
        {"fonts/font.fnt", AbsurdFont, {badFont, badFont, "", ""}, {badFont, badFont, "", ""}});
    const std::string badEffects = "Effects file 'fx/effects.fxd' is malformed";
    files.push_back(
        {"fx/effects.fxd", AbsurdEmitters, {badEffects, badEffects, badEffects, ""}, {}});
    const std::string badScreen = "The screen size -5x768 cannot be used";
    files.push_back({"settings.ini", AbsurdSettings, {}, {"", "", "", badScreen}});
    files.back().gameMessage[3] = badScreen;
    const std::string badPng = "Can't load texture: gfx/actors.png";
    files.push_back({"gfx/actors.png",
                     AbsurdPng,
                     {badPng, badPng, badPng, badPng},
                     {badPng, badPng, badPng, badPng}});
    files.push_back({"fx/enemy.psi", AbsurdPsi, {}, {}});
    // The editor reads neither books nor sounds.
    const std::string badBook = "String table books/primer.txt has incorrect format.";
    files.push_back(
        {"books/primer.txt", AbsurdBook, {badBook, badBook, "", ""}, {}, AtThePrimer(), 400});
    const auto badSound = [](const std::string& path) {
        return "Sound: cannot open \"" + path +
               "\": The sound file is not in a format the library can play.";
    };
    for (const std::string voice : {"sounds/voice/lectern_primer_1.ogg", "sounds/int.ogg"}) {
        const std::string bad = badSound(voice);
        files.push_back({voice, AbsurdOgg, {bad, bad, "", bad}, {}, AtThePrimer(), 400});
    }
    return files;
}

std::string Damaged(const ContentFile& file, Damage damage) {
    switch (damage) {
    case Damage::Garbage: {
        std::mt19937 random(7);
        std::string bytes(4096, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random());
        }
        return bytes;
    }
    case Damage::Empty:
        return "";
    case Damage::Truncated: {
        const std::string whole = Shipped(file.path);
        return whole.substr(0, whole.size() / 2);
    }
    case Damage::Absurd:
        return file.absurd();
    }
    return "";
}

struct Case {
    std::size_t file;
    Damage damage;
};

class MalformedContent : public testing::TestWithParam<Case> {};

void ExpectNormalEnd(const std::string& program, const std::string& data,
                     const std::string& message, int frames) {
    const std::string dir = MakeTempDir("malformed");
    // A few frames: past start-up and the first world update and drawing.
    std::vector<std::string> args = {
        "--headless", "--no-dialogs", "--frames", std::to_string(frames),
        "--data",     data,           "--log",    dir + "/log.txt"};
    if (std::filesystem::exists(data + "/walk.txt")) {
        args.insert(args.end(), {"--input", data + "/walk.txt"});
    }
    const ProgramResult result = RunProgram(program, args);
    const std::string log = ReadFile(dir + "/log.txt");
    EXPECT_EQ(result.exitCode, 0) << program << "\n" << result.output.substr(0, 4000);
    for (const char* report : {"Sanitizer", "runtime error:"}) {
        EXPECT_EQ(result.output.find(report), std::string::npos) << program << "\n"
                                                                 << result.output.substr(0, 8000);
    }
    // An engine that cannot start ends the program at once, and says why.
    if (message.find("cannot be used") == std::string::npos) {
        EXPECT_NE(log.find("Engine shut down"), std::string::npos)
            << program << " did not shut down:\n"
            << log.substr(0, 3000);
    }
    if (!message.empty()) {
        EXPECT_NE(log.find(message), std::string::npos)
            << program << " log lacks \"" << message << "\":\n"
            << log.substr(0, 3000);
    }
}

TEST_P(MalformedContent, BothProgramsEndNormallyAndSaySo) {
    const ContentFile file = Files()[GetParam().file];
    const int d = static_cast<int>(GetParam().damage);
    auto files = file.scene;
    files.emplace_back(file.path, Damaged(file, GetParam().damage));
    const std::string data = DataWith(files);
    ExpectNormalEnd(DUSKMAW_GAME_BINARY, data, file.gameMessage[d], file.frames);
    ExpectNormalEnd(DUSKMAW_EDITOR_BINARY, data, file.editorMessage[d], file.frames);
}

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    const std::size_t count = Files().size();
    for (std::size_t f = 0; f < count; ++f) {
        for (Damage damage : {Damage::Garbage, Damage::Empty, Damage::Truncated, Damage::Absurd}) {
            cases.push_back({f, damage});
        }
    }
    return cases;
}

std::string CaseName(const testing::TestParamInfo<Case>& info) {
    std::string name = Files()[info.param.file].path;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name + "_" + DamageName(info.param.damage);
}

INSTANTIATE_TEST_SUITE_P(OneFileAtATime, MalformedContent, testing::ValuesIn(AllCases()), CaseName);

} // namespace
