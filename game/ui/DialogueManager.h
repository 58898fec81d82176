// Voiced conversations started by map triggers. (Only starting is here yet;
// playing the lines and choices comes with the dialogues themselves.)
#pragma once

#include <string>

class DialogueManager {
public:
    bool IsActive() const { return m_active; }
    void StartDialogue(const std::string& name) { m_requested = name; }
    const std::string& Requested() const { return m_requested; }

private:
    bool m_active = false;
    std::string m_requested;
};

DialogueManager& TheDialogueManager();
