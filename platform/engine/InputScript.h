// Reads and writes the scripted-input format, one event per line:
//   FRAME key VK down|up     FRAME mouse X Y     FRAME wheel N
//   FRAME char C             FRAME dialog PATH|cancel|yes|no
//   FRAME quit               FRAME dt SECONDS (written by --record)
//   FRAME pad add|remove     FRAME pad button NAME down|up
//   FRAME pad axis NAME VALUE (VALUE from -1 to 1; names in Engine.h)
// VK in hex (0x57) or decimal; '#' starts a comment.
#pragma once

#include "platform/engine/InputEvent.h"

#include <string>
#include <vector>

struct InputScriptResult {
    bool ok = true;
    int line = 0; // the first line that does not parse
    std::string error;
    std::vector<InputEvent> events; // in frame order, stable within a frame
};

InputScriptResult ParseInputScript(const std::string& text);
InputScriptResult LoadInputScript(const std::string& path);
std::string FormatInputEvent(const InputEvent& event);

// Hands out the events of each frame in turn.
class InputSchedule {
public:
    void Reset(std::vector<InputEvent> events);
    // The events of the given frame; frames must be asked for in order.
    std::vector<InputEvent> Take(int frame);
    bool Exhausted() const { return m_next >= m_events.size(); }
    int LastFrame() const { return m_events.empty() ? -1 : m_events.back().frame; }
    bool Has(InputEvent::Kind kind) const;

private:
    std::vector<InputEvent> m_events;
    size_t m_next = 0;
};
