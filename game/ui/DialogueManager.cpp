#include "game/ui/DialogueManager.h"

#include "content/ContentReport.h"
#include "content/DialogueReader.h"
#include "content/XmlFile.h"
#include "game/audio/SoundManager.h"
#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "game/ui/Book.h"
#include "game/ui/Inventory.h"
#include "game/world/RunAction.h"
#include "platform/registry/Registry.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kChoiceColour = 0xFFFFFFFF;
constexpr std::uint32_t kHoveredChoiceColour = 0xFFFF0000;

// How long a line without a voice stays, in seconds: long enough to read.
float ReadingTime(const std::string& text) {
    if (text.empty()) {
        return 0.0f;
    }
    return std::min(6.0f, 0.4f + 0.06f * static_cast<float>(text.size()));
}

BitmapFont* GameFont(const char* name) {
    Game* game = TheGame();
    return game && game->resources ? game->resources->GetFont(name) : nullptr;
}

} // namespace

DialogueManager& TheDialogueManager() {
    return Registry::Current().Get<DialogueManager>();
}

DialogueManager::DialogueManager() {
    if (Game* game = TheGame()) {
        m_screenWidth = game->screenWidth;
        m_screenHeight = game->screenHeight;
    }
    Engine* engine = EngineCreate(ENGINE_VERSION);
    EngineContentReport report(*engine);
    Load(kDialogueFile, report);
    engine->Release();
    m_lineFont = GameFont("dial_fnt");
}

bool DialogueManager::Load(const std::string& path, ContentReport& report) {
    m_main = kNone;
    m_branch = kMainLines;
    m_line = 0;
    m_choiceCounter = 0;
    m_active = false;
    m_lineShowing = false;
    m_choices.clear();
    m_shownText.clear();
    if (!LoadXmlFile(m_document, path, report)) {
        m_document.Clear();
        return false;
    }
    // Only to tell the log what the file lacks; lines are read as they play.
    ListDialogues(m_document, path, report);
    return true;
}

void DialogueManager::StartDialogue(const std::string& name) {
    m_main = FindDialogue(m_document, name);
}

void DialogueManager::Update(int key) {
    m_shownText.clear();
    const tinyxml2::XMLElement* dialogue = DialogueAt(m_document, m_main);
    if (!dialogue) {
        m_main = kNone;
        m_active = false;
        m_branch = kMainLines;
        m_line = 0;
        m_choices.clear();
        return;
    }
    m_active = true;
    if (m_branch == kMainLines) {
        PlayLines(dialogue);
    } else if (m_branch == kChoices) {
        OfferChoices(*dialogue, key);
    } else {
        PlayLines(NthChildElement(dialogue, "sub_dialogue", m_branch));
    }
}

void DialogueManager::PlayLines(const tinyxml2::XMLElement* lines) {
    const tinyxml2::XMLElement* line = NthChildElement(lines, "dialogue", m_line);
    if (!line) {
        // The main lines are over, or a choice's lines ran out without
        // "exit": the choices are offered (again).
        m_branch = kChoices;
        return;
    }
    if (!PlayLine(*line)) {
        ++m_line;
    }
}

bool DialogueManager::PlayLine(const tinyxml2::XMLElement& element) {
    const DialogueLine line = ReadDialogueLine(element);
    Game* game = TheGame();
    const bool heldPause = game && game->heldPause;
    if (!m_lineShowing) {
        // The line has just become current.
        SoundManager& sounds = TheSoundManager();
        sounds.PlayDialogueSound(line.sound);
        m_voiced = sounds.IsDialoguePlaying();
        m_readingLeft = m_voiced ? 0.0f : ReadingTime(line.text);
        m_lastTime = TheGameClock().time;
    }
    m_lineShowing = LineGoesOn(heldPause);
    if (m_lineShowing) {
        if (m_lineFont) {
            m_lineFont->Render(static_cast<float>(m_screenWidth / 2),
                               static_cast<float>(m_screenHeight - 200), BitmapFont::kCentre,
                               line.text.c_str());
        }
        m_shownText = line.text;
        return true;
    }
    if (line.trigger == "exit") {
        m_main = kNone;
    } else if (!line.trigger.empty() && game) {
        RunAction(*game, line.trigger, 0.0f);
    }
    return false;
}

bool DialogueManager::LineGoesOn(bool heldPause) {
    const float now = TheGameClock().time;
    const float elapsed = now - m_lastTime;
    m_lastTime = now;
    if (heldPause) {
        return true;
    }
    if (m_voiced) {
        return TheSoundManager().IsDialoguePlaying();
    }
    m_readingLeft -= elapsed;
    return m_readingLeft > 0.0f;
}

void DialogueManager::OfferChoices(const tinyxml2::XMLElement& dialogue, int key) {
    if (m_choices.empty()) {
        BitmapFont* font = GameFont("subdial_fnt");
        for (int k = m_choiceCounter;; ++k) {
            const tinyxml2::XMLElement* sub = NthChildElement(&dialogue, "sub_dialogue", k);
            if (!sub) {
                break;
            }
            const char* text = sub->Attribute("text");
            m_choices.push_back(std::make_unique<DialogueChoice>(font, text ? text : "", k,
                                                                 m_screenWidth, m_screenHeight));
        }
        m_choiceCounter = 0;
        return;
    }
    Game* game = TheGame();
    const float mouseX = game ? game->mouseX : -1.0f;
    const float mouseY = game ? game->mouseY : -1.0f;
    // A book or the inventory lies over the choices: clicks are theirs.
    const bool covered = TheBook().open || TheInventory().open;
    for (const auto& choice : m_choices) {
        const bool hovered = !covered && choice->box.Contains(mouseX, mouseY);
        if (hovered && key == VK_LBUTTON) {
            m_branch = choice->index;
            m_line = 0;
        }
        if (choice->font) {
            choice->font->SetColor(hovered ? kHoveredChoiceColour : kChoiceColour);
            choice->font->Render(choice->x, choice->y, BitmapFont::kCentre, choice->text.c_str());
        }
    }
}
