// The scripted-input parser. A script that parses is written out event by
// event, as --record does, and must read back as the same events.
#include "tests/fuzz/support/FuzzScratch.h"

#include "platform/engine/InputScript.h"

#include <cmath>
#include <string>

namespace {

// A NaN read back counts as the NaN written (its payload is not kept).
template <typename T> bool Same(T a, T b) {
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

bool SameEvent(const InputEvent& a, const InputEvent& b) {
    return a.frame == b.frame && a.kind == b.kind && a.key == b.key && a.down == b.down &&
           Same(a.x, b.x) && Same(a.y, b.y) && a.wheel == b.wheel && a.ch == b.ch &&
           a.path == b.path && a.cancel == b.cancel && Same(a.dt, b.dt) && a.play == b.play;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputScriptResult parsed = ParseInputScript(std::string(fuzz::AsText(data, size)));
    if (!parsed.ok)
        return 0;
    std::string written;
    for (const InputEvent& event : parsed.events)
        written += FormatInputEvent(event) + "\n";
    InputScriptResult again = ParseInputScript(written);
    if (!again.ok || again.events.size() != parsed.events.size())
        __builtin_trap();
    for (std::size_t i = 0; i < parsed.events.size(); ++i) {
        if (!SameEvent(parsed.events[i], again.events[i]))
            __builtin_trap();
    }
    InputSchedule schedule;
    schedule.Reset(parsed.events);
    for (int frame = 0; frame < 100 && !schedule.Exhausted(); ++frame)
        schedule.Take(frame);
    return 0;
}
