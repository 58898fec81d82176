// Voiced conversations started by map triggers: the main lines, then the
// choices, each choice with lines of its own, until a line's trigger is
// "exit". Every line stays on screen as long as its sound plays; a line
// without a voice stays for a reading time instead. The player's held
// pause holds the line where it is.
// All dialogues come from one document, kept for the whole run and read
// line by line as they play. One per process (TheDialogueManager).
#pragma once

#include "game/ui/DialogueChoice.h"
#include "toolkit/BitmapFont.h"

#include <memory>
#include <string>
#include <vector>

#include <tinyxml2.h>

class ContentReport;

class DialogueManager : Pinned {
public:
    static constexpr int kNone = -1;
    static constexpr int kMainLines = -1;
    static constexpr int kChoices = -2;

    // Loads resources/dialogues.xml (the "Error" message box when it cannot),
    // then takes the line font "dial_fnt" from the game's resources.
    DialogueManager();

    // Replaces the kept document, with no dialogue running; false (and the
    // report told) when it cannot be loaded: then no name matches.
    bool Load(const std::string& path, ContentReport& report);

    bool IsActive() const { return m_active; }
    // The first dialogue of exactly that name; an unknown name leaves none
    // running. Callers start one only while none is active.
    void StartDialogue(const std::string& name);

    // Each frame in the HUD pass, paused or not, with the frame's key: plays,
    // draws and advances the running dialogue.
    void Update(int key);

    int Main() const { return m_main; }
    int Branch() const { return m_branch; }
    int Line() const { return m_line; }
    // The line drawn by the last update; empty when none was.
    const std::string& ShownText() const { return m_shownText; }
    const std::vector<std::unique_ptr<DialogueChoice>>& Choices() const { return m_choices; }

private:
    // Plays the line of the current branch; false once it has been spoken
    // (its trigger then ran).
    bool PlayLine(const tinyxml2::XMLElement& element);
    // Whether the current line is still to be shown this frame.
    bool LineGoesOn(bool heldPause);
    void PlayLines(const tinyxml2::XMLElement* lines);
    void OfferChoices(const tinyxml2::XMLElement& dialogue, int key);

    int m_main = kNone;
    int m_branch = kMainLines;
    int m_line = 0;
    int m_choiceCounter = 0;
    BitmapFont* m_lineFont = nullptr;
    bool m_active = false;
    // The current line has begun (its voice started, or its reading time).
    bool m_lineShowing = false;
    bool m_voiced = false;
    float m_readingLeft = 0;
    float m_lastTime = 0;
    tinyxml2::XMLDocument m_document;
    std::vector<std::unique_ptr<DialogueChoice>> m_choices;
    std::string m_shownText;
    int m_screenWidth = 1024;
    int m_screenHeight = 768;
};

DialogueManager& TheDialogueManager();
