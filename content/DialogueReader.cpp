#include "content/DialogueReader.h"

#include "content/ContentReport.h"

namespace {

const char* const kRoot = "dialogues";

const tinyxml2::XMLElement* Root(const tinyxml2::XMLDocument& document) {
    return document.FirstChildElement(kRoot);
}

template <typename Visit>
void ForEachChild(const tinyxml2::XMLElement& parent, const char* name, Visit&& visit) {
    int index = 0;
    for (const tinyxml2::XMLElement* child = parent.FirstChildElement(name); child;
         child = child->NextSiblingElement(name)) {
        visit(*child, index++);
    }
}

// Reads the lines of a dialogue or of a choice, telling what each lacks.
std::vector<DialogueLine> ReadLines(const tinyxml2::XMLElement& parent, const std::string& where,
                                    const std::string& path, ContentReport& report) {
    std::vector<DialogueLine> lines;
    ForEachChild(parent, "dialogue", [&](const tinyxml2::XMLElement& element, int index) {
        std::string missing;
        for (const char* attribute : {"text", "sound", "trg"}) {
            if (!element.Attribute(attribute)) {
                missing += std::string(missing.empty() ? "" : ", ") + "no " + attribute;
            }
        }
        if (!missing.empty()) {
            report.Problem(path, element.GetLineNum(),
                           where + " line " + std::to_string(index) + ": " + missing +
                               " attribute (read as empty)");
        }
        lines.push_back(ReadDialogueLine(element));
    });
    return lines;
}

} // namespace

const tinyxml2::XMLElement* NthChildElement(const tinyxml2::XMLNode* parent, const char* name,
                                            int n) {
    if (!parent || n < 0) {
        return nullptr;
    }
    const tinyxml2::XMLElement* child = parent->FirstChildElement(name);
    for (; child && n > 0; --n) {
        child = child->NextSiblingElement(name);
    }
    return child;
}

const tinyxml2::XMLElement* DialogueAt(const tinyxml2::XMLDocument& document, int index) {
    return NthChildElement(Root(document), "m_dialogue", index);
}

int FindDialogue(const tinyxml2::XMLDocument& document, const std::string& name) {
    const tinyxml2::XMLElement* root = Root(document);
    int found = -1;
    if (root) {
        ForEachChild(*root, "m_dialogue", [&](const tinyxml2::XMLElement& element, int index) {
            const char* own = element.Attribute("name");
            if (found < 0 && own && name == own) {
                found = index;
            }
        });
    }
    return found;
}

DialogueLine ReadDialogueLine(const tinyxml2::XMLElement& element) {
    auto text = [&element](const char* attribute) {
        const char* value = element.Attribute(attribute);
        return std::string(value ? value : "");
    };
    return DialogueLine{text("text"), text("sound"), text("trg"), element.GetLineNum()};
}

std::vector<DialogueEntry> ListDialogues(const tinyxml2::XMLDocument& document,
                                         const std::string& path, ContentReport& report) {
    std::vector<DialogueEntry> dialogues;
    const tinyxml2::XMLElement* root = Root(document);
    if (!root) {
        return dialogues;
    }
    ForEachChild(*root, "m_dialogue", [&](const tinyxml2::XMLElement& element, int index) {
        DialogueEntry entry;
        const char* name = element.Attribute("name");
        entry.named = name != nullptr;
        entry.name = name ? name : "";
        entry.sourceLine = element.GetLineNum();
        std::string where = "m_dialogue " + std::to_string(index);
        if (name) {
            where += " \"" + entry.name + "\"";
        } else {
            report.Problem(path, entry.sourceLine,
                           where + ": no name attribute (nothing starts it)");
        }
        entry.lines = ReadLines(element, where, path, report);
        ForEachChild(element, "sub_dialogue", [&](const tinyxml2::XMLElement& sub, int k) {
            DialogueChoiceEntry choice;
            const char* text = sub.Attribute("text");
            choice.text = text ? text : "";
            choice.sourceLine = sub.GetLineNum();
            const std::string choiceWhere = where + " choice " + std::to_string(k);
            if (!text) {
                report.Problem(path, choice.sourceLine,
                               choiceWhere + ": no text attribute (read as empty)");
            }
            choice.lines = ReadLines(sub, choiceWhere, path, report);
            entry.choices.push_back(std::move(choice));
        });
        dialogues.push_back(std::move(entry));
    });
    return dialogues;
}
