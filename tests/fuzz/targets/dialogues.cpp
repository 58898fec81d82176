// The dialogues (resources/dialogues.xml) through the shared content code:
// the list the start-up check makes, and the lookups the game makes while
// a dialogue plays (by name, then each line and choice by position), which
// must find what the list found.
#include "tests/fuzz/support/FuzzScratch.h"

#include "content/ContentReport.h"
#include "content/DialogueReader.h"
#include "content/XmlFile.h"

namespace {

bool SameLine(const DialogueLine& a, const DialogueLine& b) {
    return a.text == b.text && a.sound == b.sound && a.trigger == b.trigger &&
           a.sourceLine == b.sourceLine;
}

void CheckLines(const tinyxml2::XMLElement* parent, const std::vector<DialogueLine>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const tinyxml2::XMLElement* line = NthChildElement(parent, "dialogue", static_cast<int>(i));
        if (!line || !SameLine(ReadDialogueLine(*line), lines[i])) {
            __builtin_trap();
        }
    }
    if (NthChildElement(parent, "dialogue", static_cast<int>(lines.size()))) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFiles files;
    const char* name = files.Write("in.xml", fuzz::AsText(data, size));
    EngineContentReport report(fuzz::TheEngine());
    tinyxml2::XMLDocument document;
    if (!LoadXmlFile(document, name, report)) {
        return 0;
    }
    const std::vector<DialogueEntry> dialogues = ListDialogues(document, name, report);
    for (std::size_t index = 0; index < dialogues.size(); ++index) {
        const DialogueEntry& entry = dialogues[index];
        const tinyxml2::XMLElement* element = DialogueAt(document, static_cast<int>(index));
        if (!element) {
            __builtin_trap();
        }
        if (entry.named) {
            // The first of that name: this one or an earlier one of the same name.
            const int found = FindDialogue(document, entry.name);
            if (found < 0 || found > static_cast<int>(index) ||
                dialogues[static_cast<std::size_t>(found)].name != entry.name) {
                __builtin_trap();
            }
        }
        CheckLines(element, entry.lines);
        for (std::size_t k = 0; k < entry.choices.size(); ++k) {
            CheckLines(NthChildElement(element, "sub_dialogue", static_cast<int>(k)),
                       entry.choices[k].lines);
        }
    }
    if (DialogueAt(document, static_cast<int>(dialogues.size())) || DialogueAt(document, -1)) {
        __builtin_trap();
    }
    return 0;
}
