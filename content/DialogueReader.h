// The shape of resources/dialogues.xml, shared by the game (which keeps the
// document and reads each line when it plays it) and the content checks
// (which list every dialogue). Lines, choices and dialogues are addressed by
// position, counted from 0.
#pragma once

#include <string>
#include <vector>

#include <tinyxml2.h>

class ContentReport;

constexpr const char* kDialogueFile = "resources/dialogues.xml";

// One spoken line. A missing attribute reads as "": no text shown, no sound
// (the line is silent and ends at once), no trigger.
struct DialogueLine {
    std::string text;
    std::string sound;
    std::string trigger;
    int sourceLine = 0;
};

struct DialogueChoiceEntry {
    std::string text;
    std::vector<DialogueLine> lines;
    int sourceLine = 0;
};

struct DialogueEntry {
    std::string name; // "" for an unnamed dialogue, which nothing can start
    bool named = false;
    std::vector<DialogueLine> lines;
    std::vector<DialogueChoiceEntry> choices;
    int sourceLine = 0;
};

// The n-th child element of that name, or nullptr (also for a null parent).
const tinyxml2::XMLElement* NthChildElement(const tinyxml2::XMLNode* parent, const char* name,
                                            int n);
// The n-th m_dialogue of the root, or nullptr.
const tinyxml2::XMLElement* DialogueAt(const tinyxml2::XMLDocument& document, int index);
// The position of the first m_dialogue named exactly that; -1 when none is.
int FindDialogue(const tinyxml2::XMLDocument& document, const std::string& name);
DialogueLine ReadDialogueLine(const tinyxml2::XMLElement& element);

// Every dialogue in document order; each missing attribute and each
// unnamed dialogue is told to the report (none of them is skipped).
std::vector<DialogueEntry> ListDialogues(const tinyxml2::XMLDocument& document,
                                         const std::string& path, ContentReport& report);
