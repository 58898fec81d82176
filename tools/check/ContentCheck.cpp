#include "tools/check/ContentCheck.h"

#include "content/ActionName.h"
#include "content/ContentParse.h"
#include "content/DefinitionDatabase.h"
#include "content/DialogueReader.h"
#include "content/DialogueSoundReader.h"
#include "content/MapFile.h"
#include "content/SoundRegistrar.h"
#include "content/XmlFile.h"
#include "game/ui/Book.h"
#include "platform/fx/Fx.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/EngineResources.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/StringTable.h"
#include "toolkit/ToolkitResources.h"
#include "tools/check/BookSpells.h"
#include "tools/check/CheckReport.h"
#include "tools/check/SpriteMargin.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr const char* kScript = "resources/game.res";
constexpr const char* kEffectsFile = "fx/effects.fxd";
// What the game opens: a 1024-pixel-wide screen by default.
constexpr float kScreenWidth = 1024.0f;
// The .psi record the particle systems read.
constexpr std::uint32_t kPsiSize = 128;
// A glyph may lean a pixel or two out of its advance; the page margin takes it.
constexpr float kOverhang = 2.0f;
// printfb formats into one 1024-byte buffer: longer text is cut.
constexpr std::size_t kPrintLimit = 1023;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The line of the first occurrence of needle in the text; 0 when absent.
int LineOf(const std::string& text, const std::string& needle) {
    const std::size_t at = text.find(needle);
    if (at == std::string::npos) {
        return 0;
    }
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
}

std::vector<std::string> FilesIn(const std::string& folder, const std::string& extension) {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.is_regular_file() && entry.path().extension() == extension) {
            files.push_back(folder + "/" + entry.path().filename().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct SoundEntry {
    std::string path;
    int line = 0;
};

struct SoundList : SoundRegistrar {
    void RegisterDialogueSound(const std::string& name, const std::string& path,
                               int line) override {
        sounds[name] = {path, line};
    }
    void RegisterMusicTracks() override {}
    std::map<std::string, SoundEntry> sounds;
};

class Checker {
public:
    Checker(CheckReport& report, const char* logPath)
        : m_report(report), m_logPath(logPath), m_engine(EngineCreate(ENGINE_VERSION)) {}
    ~Checker() { m_engine->Release(); }

    void Run() {
        ReadScript();
        m_database.Load(m_report, &m_soundList);
        ReadEmitters();
        CheckScriptRecords();
        CheckDefinitions();
        CheckSpells();
        CheckMaps();
        CheckDialogues();
        CheckBooks();
    }

private:
    // The parser logs "<script>, line <n>: <message>"; each such line is a problem.
    void ReadScript() {
        m_resources.LoadScript(kScript);
        if (!m_resources.FindRecord(kKindScript, kScript)) {
            m_report.Problem(kScript, 0, "the resource script cannot be read");
        }
        std::istringstream log(ReadText(m_logPath));
        for (std::string line; std::getline(log, line);) {
            ReportLocatedLine(line);
        }
    }

    // "<file>, line <n>: <message>", the last such marker in the line.
    void ReportLocatedLine(const std::string& line) {
        static const std::string kMarker = ", line ";
        for (std::size_t at = line.rfind(kMarker); at != std::string::npos && at > 0;
             at = line.rfind(kMarker, at - 1)) {
            std::size_t digits = at + kMarker.size();
            std::size_t end = digits;
            while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end]))) {
                ++end;
            }
            if (end > digits && line.compare(end, 2, ": ") == 0) {
                m_report.Problem(line.substr(0, at), LeadingInt(line.c_str() + digits),
                                 line.substr(end + 2));
                return;
            }
        }
    }

    void ReadEmitters() {
        FxHandle file = 0;
        if (Fx_OpenFile(kEffectsFile, &file) != FX_OK) {
            m_report.Problem(kEffectsFile, 0, "the effects file cannot be read");
            return;
        }
        ListEmitters(file, "");
        Fx_CloseAllFiles();
    }

    void ListEmitters(FxHandle file, const std::string& folder) {
        Fx_SetCurrentFolder(file, folder.c_str());
        FxSearchRecord record;
        std::vector<std::string> folders;
        for (int found = Fx_FindFirst(file, &record, FX_FIND_EMITTERS | FX_FIND_FOLDERS);
             found == FX_OK; found = Fx_FindNext(file, &record)) {
            if (record.folder) {
                folders.push_back(record.name);
            } else {
                m_emitters.insert(record.name);
            }
        }
        for (const std::string& sub : folders) {
            ListEmitters(file, sub);
        }
        Fx_SetCurrentFolder(file, "..");
    }

    bool IsSprite(const std::string& name) const {
        return m_resources.FindRecord(kKindSprite, name.c_str()) != nullptr;
    }

    bool IsParticle(const std::string& name) const {
        return m_resources.FindRecord(kKindParticle, name.c_str()) != nullptr;
    }

    void Record(const ResDesc& record, const std::string& what) {
        m_report.Problem(record.m_script && record.m_script[0] ? record.m_script : kScript,
                         record.m_line, Quoted(record.m_name) + ": " + what);
    }

    void CheckScriptRecords() {
        for (ResDesc* r = m_resources.FirstRecord(kKindTexture); r; r = r->m_next) {
            if (!m_resources.GetTexture(r->m_name)) {
                Record(*r, "texture file " + Quoted(static_cast<RTexture*>(r)->m_filename) +
                               " cannot be loaded");
            }
        }
        for (int kind : {kKindSprite, kKindAnimation}) {
            for (ResDesc* r = m_resources.FirstRecord(kind); r; r = r->m_next) {
                CheckSpriteRect(*static_cast<RSprite*>(r));
            }
        }
        for (ResDesc* r = m_resources.FirstRecord(kKindFont); r; r = r->m_next) {
            const char* file = static_cast<RFont*>(r)->m_filename;
            if (!fs::is_regular_file(file)) {
                Record(*r, "font file " + Quoted(file) + " does not exist");
            } else if (BitmapFont* font = m_resources.GetFont(r->m_name);
                       !font || !font->GetTexture()) {
                Record(*r, "the bitmap of font file " + Quoted(file) + " cannot be loaded");
            }
        }
        for (ResDesc* r = m_resources.FirstRecord(kKindParticle); r; r = r->m_next) {
            const auto& particle = *static_cast<RParticle*>(r);
            std::error_code ec;
            if (!fs::is_regular_file(particle.m_filename)) {
                Record(*r, "particle file " + Quoted(particle.m_filename) + " does not exist");
            } else if (auto size = fs::file_size(particle.m_filename, ec); size != kPsiSize) {
                Record(*r, "particle file " + Quoted(particle.m_filename) + " has " +
                               std::to_string(size) + " bytes, not " + std::to_string(kPsiSize));
            }
            if (!IsSprite(particle.m_spriteName)) {
                Record(*r, "sprite " + Quoted(particle.m_spriteName) + " is not defined");
            }
        }
    }

    void CheckSpriteRect(const RSprite& sprite) {
        if (!sprite.m_textureName[0]) {
            return;
        }
        HTEXTURE texture = m_resources.GetTexture(sprite.m_textureName);
        if (!texture) {
            Record(sprite, "texture " + Quoted(sprite.m_textureName) + " cannot be loaded");
            return;
        }
        const float width = static_cast<float>(m_engine->Texture_GetWidth(texture, true));
        const float height = static_cast<float>(m_engine->Texture_GetHeight(texture, true));
        if (sprite.m_rectX < 0 || sprite.m_rectY < 0 || sprite.m_rectX + sprite.m_rectW > width ||
            sprite.m_rectY + sprite.m_rectH > height) {
            std::ostringstream what;
            what << "rectangle " << sprite.m_rectX << "," << sprite.m_rectY << " " << sprite.m_rectW
                 << "x" << sprite.m_rectH << " leaves its texture " << Quoted(sprite.m_textureName)
                 << " (" << width << "x" << height << ")";
            Record(sprite, what.str());
        }
    }

    // Each sprite once, however many blocking entities draw it.
    void CheckBlockingMargin(const std::string& name) {
        auto* sprite = static_cast<RSprite*>(m_resources.FindRecord(kKindSprite, name.c_str()));
        if (!sprite || !m_marginChecked.insert(name).second) {
            return;
        }
        const int margin = SpriteEmptyMargin(*m_engine, m_resources, *sprite);
        if (margin > kMarginAllowed) {
            Record(*sprite, "blocking sprite " + name + " has " + std::to_string(margin) +
                                " px of empty margin");
        }
    }

    void NeedSprite(const char* file, int line, const std::string& owner, const std::string& sprite,
                    bool mayBeEmpty) {
        if ((sprite.empty() && !mayBeEmpty) || (!sprite.empty() && !IsSprite(sprite))) {
            m_report.Problem(file, line, owner + ": sprite " + Quoted(sprite) + " is not defined");
        }
    }

    void NeedParticle(const char* file, int line, const std::string& owner,
                      const std::string& particle) {
        if (!particle.empty() && !IsParticle(particle)) {
            m_report.Problem(file, line,
                             owner + ": particle system " + Quoted(particle) + " is not defined");
        }
    }

    // Actions that name content: a dialogue to start, a book to open.
    void CheckAction(const std::string& file, int line, const std::string& owner,
                     const std::string& command) {
        const ActionName action = SplitAction(command);
        if (action.word == "openbook" &&
            !fs::is_regular_file("books/" + action.argument + ".txt")) {
            m_report.Problem(file, line,
                             owner + ": book " + Quoted("books/" + action.argument + ".txt") +
                                 " does not exist");
        } else if (action.word == "dialogue" && m_dialogues.FirstChildElement() &&
                   FindDialogue(m_dialogues, action.argument) < 0) {
            m_report.Problem(file, line,
                             owner + ": dialogue " + Quoted(action.argument) + " is not defined");
        }
    }

    void CheckDefinitions() {
        LoadXmlFile(m_dialogues, kDialogueFile, m_report);
        const char* entities = DefinitionDatabase::kEntityFile;
        for (const auto& [name, entity] : m_database.Entities()) {
            const std::string owner = "entity " + Quoted(name);
            NeedSprite(entities, entity.line, owner, entity.spriteName, true);
            NeedParticle(entities, entity.line, owner, entity.particleName);
            CheckAction(entities, entity.line, owner, entity.playerTrigger);
            if (entity.collidesWithPlayer && !entity.spriteName.empty()) {
                CheckBlockingMargin(entity.spriteName);
            }
        }
        for (const auto& [name, effect] : m_database.Effects()) {
            if (!m_emitters.count(name)) {
                m_report.Problem(DefinitionDatabase::kEffectFile, effect.line,
                                 "effect " + Quoted(name) + " is not an emitter of " +
                                     kEffectsFile);
            }
            CheckAction(DefinitionDatabase::kEffectFile, effect.line, "effect " + Quoted(name),
                        effect.playerTrigger);
        }
        const char* items = DefinitionDatabase::kItemFile;
        for (const auto& [name, item] : m_database.Items()) {
            const std::string owner = "item " + Quoted(name);
            NeedSprite(items, item.line, owner, item.spriteName, false);
            NeedSprite(items, item.line, owner + " icon", item.iconName, false);
            NeedParticle(items, item.line, owner, item.particleName);
            CheckAction(items, item.line, owner, item.command);
            if (item.description.empty()) {
                m_report.Problem(items, item.line, owner + " has no description");
            }
        }
        for (const auto& [name, sound] : m_soundList.sounds) {
            if (!fs::is_regular_file(sound.path)) {
                m_report.Problem(DefinitionDatabase::kDialogueSoundFile, sound.line,
                                 "sound " + Quoted(name) + ": file " + Quoted(sound.path) +
                                     " does not exist");
            }
        }
    }

    // The game picks the first spell, in index order, whose orbs and "it"
    // match what the player holds, and "it" is only ever 0 or 1.
    void CheckSpells() {
        const char* file = DefinitionDatabase::kSpellFile;
        std::map<std::tuple<bool, bool, bool, bool, int>, int> first;
        for (const auto& [index, combination] : m_database.Combinations()) {
            const SpellDefinition* spell = m_database.Spell(index);
            const int line = spell ? spell->line : 0;
            const std::string owner = "spell " + std::to_string(index);
            // An area spell's sprname names the area, not a sprite.
            if (spell && spell->kind != S_AREA) {
                NeedSprite(file, line, owner, spell->spriteName, true);
            }
            if (combination.it != 0 && combination.it != 1) {
                m_report.Problem(file, line,
                                 owner + " can never be selected: it is " +
                                     std::to_string(combination.it) + ", not 0 or 1");
                continue;
            }
            auto key = std::make_tuple(combination.fire, combination.ice, combination.earth,
                                       combination.wind, combination.it);
            auto [earlier, added] = first.emplace(key, index);
            if (!added) {
                m_report.Problem(file, line,
                                 owner + " can never be selected: spell " +
                                     std::to_string(earlier->second) + " has the same combination");
            }
        }
    }

    void CheckMaps() {
        for (const std::string& file : FilesIn("maps", ".xml")) {
            MapContents map;
            if (!ReadMapFile(file, map, m_report)) {
                continue;
            }
            for (const MapPlacement& p : map.entities) {
                if (!m_database.Entity(p.name)) {
                    m_report.Problem(file, p.line, "entity " + Quoted(p.name) + " is not defined");
                }
            }
            for (const MapPlacement& p : map.effects) {
                if (!m_database.Effect(p.name)) {
                    m_report.Problem(file, p.line, "effect " + Quoted(p.name) + " is not defined");
                }
            }
            for (const MapPlacement& p : map.items) {
                if (!m_database.Item(p.name)) {
                    m_report.Problem(file, p.line, "item " + Quoted(p.name) + " is not defined");
                }
            }
        }
    }

    void CheckDialogueLines(const std::vector<DialogueLine>& lines, BitmapFont* font) {
        for (const DialogueLine& line : lines) {
            if (font && font->GetStringWidth(line.text.c_str(), true) > kScreenWidth) {
                m_report.Problem(kDialogueFile, line.sourceLine,
                                 "line is wider than the screen in dial_fnt");
            }
            if (!line.sound.empty() && !m_soundList.sounds.count(line.sound)) {
                m_report.Problem(kDialogueFile, line.sourceLine,
                                 "sound " + Quoted(line.sound) + " is not in " +
                                     DefinitionDatabase::kDialogueSoundFile);
            }
            if (line.trigger != "exit") {
                CheckAction(kDialogueFile, line.sourceLine, "trigger", line.trigger);
            }
        }
    }

    void CheckDialogues() {
        if (!m_dialogues.FirstChildElement()) {
            return; // already reported as unloadable
        }
        BitmapFont* lineFont = m_resources.GetFont("dial_fnt");
        BitmapFont* choiceFont = m_resources.GetFont("subdial_fnt");
        if (!lineFont || !choiceFont) {
            m_report.Problem(kScript, 0, "the dialogue fonts dial_fnt and subdial_fnt are needed");
        }
        for (const DialogueEntry& dialogue : ListDialogues(m_dialogues, kDialogueFile, m_report)) {
            CheckDialogueLines(dialogue.lines, lineFont);
            for (const DialogueChoiceEntry& choice : dialogue.choices) {
                if (choiceFont && choiceFont->GetStringWidth(choice.text.c_str()) > kScreenWidth) {
                    m_report.Problem(kDialogueFile, choice.sourceLine,
                                     "choice is wider than the screen in subdial_fnt");
                }
                CheckDialogueLines(choice.lines, lineFont);
            }
        }
    }

    void CheckBooks() {
        for (const std::string& file : FilesIn("books", ".txt")) {
            const std::string text = ReadText(file);
            StringTable pages(file.c_str());
            const char* fontName = pages.GetString("font");
            BitmapFont* font = fontName ? m_resources.GetFont(fontName) : nullptr;
            if (!font) {
                m_report.Problem(file, LineOf(text, "font="),
                                 fontName ? "font " + Quoted(fontName) + " is not defined"
                                          : std::string("names no font"));
                continue;
            }
            for (int page = 0;; ++page) {
                const std::string key = "page" + std::to_string(page);
                const char* page_text = pages.GetString(key.c_str());
                if (!page_text) {
                    break;
                }
                if (!PageFits(*font, page_text)) {
                    m_report.Problem(file, LineOf(text, key + "="),
                                     key + " overflows its box in " + Quoted(fontName));
                }
                CheckSpellHeadings(file, text, page_text);
            }
        }
    }

    // A book that teaches a spell under a name the game does not ship
    // teaches nothing a player can find.
    void CheckSpellHeadings(const std::string& file, const std::string& text, const char* page) {
        if (!m_spellNames) {
            m_spellNames.emplace();
            tinyxml2::XMLDocument spells;
            if (spells.LoadFile(DefinitionDatabase::kSpellFile) == tinyxml2::XML_SUCCESS) {
                *m_spellNames = ReadSpellNames(spells);
            }
        }
        for (const SpellHeading& heading : FindSpellHeadings(page)) {
            const bool known =
                std::any_of(m_spellNames->begin(), m_spellNames->end(), [&](const NamedSpell& s) {
                    return SameSpellName(s.name, heading.name);
                });
            if (!known) {
                m_report.Problem(file, LineOf(text, heading.name + " ("),
                                 "names the spell " + Quoted(heading.name) + ", which " +
                                     DefinitionDatabase::kSpellFile + " does not have");
            }
        }
    }

    // Lays the page out as the book does and looks at every glyph drawn.
    bool PageFits(BitmapFont& font, const char* text) {
        if (std::string_view(text).size() > kPrintLimit) {
            return false;
        }
        m_engine->Gfx_RecordDraws(true);
        font.printfb(0, 0, Book::kPageWidth, Book::kPageHeight, BitmapFont::kLeft, "%s", text);
        bool fits = true;
        for (const DrawRecord& record : m_engine->Gfx_TakeDrawRecords()) {
            const Quad& q = record.quad;
            if (record.kind == DrawRecord::Kind::Quad && q.tex == font.GetTexture() &&
                (q.v[0].x < -kOverhang || q.v[2].x > Book::kPageWidth + kOverhang || q.v[0].y < 0 ||
                 q.v[2].y > Book::kPageHeight)) {
                fits = false;
            }
        }
        m_engine->Gfx_RecordDraws(false);
        return fits;
    }

    CheckReport& m_report;
    std::string m_logPath;
    Engine* m_engine;
    ResourceManager m_resources;
    DefinitionDatabase m_database;
    SoundList m_soundList;
    tinyxml2::XMLDocument m_dialogues;
    std::set<std::string> m_emitters;
    std::optional<std::vector<NamedSpell>> m_spellNames;
    std::set<std::string> m_marginChecked;
};

} // namespace

void CheckContent(CheckReport& report, const char* logPath) {
    Checker(report, logPath).Run();
}
