#include "platform/engine/InputScript.h"

#include "platform/engine/Engine.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

bool ParseInt(const std::string& text, long& out) {
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 0);
    return errno == 0 && *end == '\0';
}

bool ParseFloat(const std::string& text, double& out) {
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return errno == 0 && *end == '\0';
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string word;
    while (in >> word) {
        words.push_back(word);
    }
    return words;
}

// Everything after the first two words, for paths with blanks.
std::string Rest(const std::string& line) {
    std::istringstream in(line);
    std::string skip;
    in >> skip >> skip;
    std::string rest;
    std::getline(in, rest);
    size_t begin = rest.find_first_not_of(" \t");
    return begin == std::string::npos ? std::string() : rest.substr(begin);
}

std::string ParsePad(const std::vector<std::string>& w, InputEvent& event) {
    event.kind = InputEvent::Kind::Pad;
    double value = 0;
    if (w.size() == 3 && (w[2] == "add" || w[2] == "remove")) {
        event.pad = InputEvent::Pad::Connection;
        event.down = w[2] == "add";
    } else if (w.size() == 5 && w[2] == "button" && PadButtonFromName(w[3]) >= 0 &&
               (w[4] == "down" || w[4] == "up")) {
        event.pad = InputEvent::Pad::Button;
        event.key = PadButtonFromName(w[3]);
        event.down = w[4] == "down";
    } else if (w.size() == 5 && w[2] == "axis" && PadAxisFromName(w[3]) >= 0 &&
               ParseFloat(w[4], value) && value >= -1 && value <= 1) {
        event.pad = InputEvent::Pad::Axis;
        event.key = PadAxisFromName(w[3]);
        event.x = static_cast<float>(value);
    } else {
        return "expected: FRAME pad add|remove, FRAME pad button NAME down|up or FRAME pad "
               "axis NAME VALUE";
    }
    return "";
}

// Parses one non-empty line into an event; returns an error text or "".
std::string ParseLine(const std::string& line, InputEvent& event) {
    std::vector<std::string> w = Words(line);
    long frame = 0;
    // Frames and wheel steps are ints; a larger number would wrap to another.
    if (w.size() < 2 || !ParseInt(w[0], frame) || frame < 0 || frame > INT_MAX) {
        return "expected a frame number and an event";
    }
    event = InputEvent{};
    event.frame = static_cast<int>(frame);
    const std::string& kind = w[1];
    if (kind == "key") {
        long key = 0;
        if (w.size() != 4 || !ParseInt(w[2], key) || key <= 0 || key > 255 ||
            (w[3] != "down" && w[3] != "up")) {
            return "expected: FRAME key VK down|up";
        }
        event.kind = InputEvent::Kind::Key;
        event.key = static_cast<int>(key);
        event.down = w[3] == "down";
    } else if (kind == "mouse") {
        double x = 0, y = 0;
        if (w.size() != 4 || !ParseFloat(w[2], x) || !ParseFloat(w[3], y)) {
            return "expected: FRAME mouse X Y";
        }
        event.kind = InputEvent::Kind::Mouse;
        event.x = static_cast<float>(x);
        event.y = static_cast<float>(y);
    } else if (kind == "wheel") {
        long n = 0;
        if (w.size() != 3 || !ParseInt(w[2], n) || n < INT_MIN || n > INT_MAX) {
            return "expected: FRAME wheel N";
        }
        event.kind = InputEvent::Kind::Wheel;
        event.wheel = static_cast<int>(n);
    } else if (kind == "char") {
        long code = 0;
        if (w.size() != 3) {
            return "expected: FRAME char C";
        }
        if (w[2].size() == 1) {
            code = static_cast<unsigned char>(w[2][0]);
        } else if (!ParseInt(w[2], code)) {
            code = 0;
        }
        // No character 0, whichever way it is written: NUL types nothing.
        if (code <= 0 || code > 255) {
            return "expected: FRAME char C (one character or its code)";
        }
        event.kind = InputEvent::Kind::Char;
        event.ch = static_cast<int>(code);
    } else if (kind == "dialog") {
        std::string rest = Rest(line);
        if (rest.empty()) {
            return "expected: FRAME dialog PATH|cancel";
        }
        event.kind = InputEvent::Kind::Dialog;
        event.cancel = rest == "cancel";
        event.path = event.cancel ? std::string() : rest;
    } else if (kind == "quit") {
        if (w.size() != 2) {
            return "expected: FRAME quit";
        }
        event.kind = InputEvent::Kind::Quit;
    } else if (kind == "dt") {
        double dt = 0;
        if (w.size() != 3 || !ParseFloat(w[2], dt) || dt < 0) {
            return "expected: FRAME dt SECONDS";
        }
        event.kind = InputEvent::Kind::Delta;
        event.dt = dt;
    } else if (kind == "sound") {
        long play = 0, code = 0;
        const bool end = w.size() == 4 && w[2] == "end";
        const bool fail =
            w.size() == 5 && w[2] == "fail" && ParseInt(w[4], code) && code > 0 && code <= INT_MAX;
        if ((!end && !fail) || !ParseInt(w[3], play) || play < 0 || play > INT_MAX) {
            return "expected: FRAME sound end PLAY, or FRAME sound fail PLAY RESULT";
        }
        event.kind = InputEvent::Kind::Sound;
        event.play = static_cast<int>(play);
        event.down = end;
        event.ch = static_cast<int>(code);
    } else if (kind == "pad") {
        return ParsePad(w, event);
    } else {
        return "unknown event '" + kind + "'";
    }
    return "";
}

} // namespace

InputScriptResult ParseInputScript(const std::string& text) {
    InputScriptResult result;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        size_t hash = line.find('#');
        if (hash != std::string::npos) {
            line.erase(hash);
        }
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        // Every carriage return at the end goes, or a path would keep one
        // that the recorded script (written with plain line feeds) loses.
        while (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        InputEvent event;
        std::string error = ParseLine(line, event);
        if (!error.empty()) {
            result.ok = false;
            result.line = number;
            result.error = error;
            result.events.clear();
            return result;
        }
        result.events.push_back(event);
    }
    std::stable_sort(result.events.begin(), result.events.end(),
                     [](const InputEvent& a, const InputEvent& b) { return a.frame < b.frame; });
    return result;
}

InputScriptResult LoadInputScript(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        InputScriptResult result;
        result.ok = false;
        result.error = "cannot read " + path;
        return result;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    return ParseInputScript(buffer.str());
}

std::string FormatInputEvent(const InputEvent& e) {
    char text[64];
    std::string head = std::to_string(e.frame) + " ";
    switch (e.kind) {
    case InputEvent::Kind::Key:
        std::snprintf(text, sizeof text, "key 0x%02X %s", e.key, e.down ? "down" : "up");
        return head + text;
    case InputEvent::Kind::Mouse:
        std::snprintf(text, sizeof text, "mouse %.9g %.9g", e.x, e.y);
        return head + text;
    case InputEvent::Kind::Wheel:
        return head + "wheel " + std::to_string(e.wheel);
    case InputEvent::Kind::Char:
        // Always as a code, so a digit key is not read back as its character.
        std::snprintf(text, sizeof text, "char 0x%02X", e.ch);
        return head + text;
    case InputEvent::Kind::Dialog:
        return head + "dialog " + (e.cancel ? std::string("cancel") : e.path);
    case InputEvent::Kind::Quit:
        return head + "quit";
    case InputEvent::Kind::Sound:
        if (e.down) {
            std::snprintf(text, sizeof text, "sound end %d", e.play);
        } else {
            std::snprintf(text, sizeof text, "sound fail %d %d", e.play, e.ch);
        }
        return head + text;
    case InputEvent::Kind::Pad:
        if (e.pad == InputEvent::Pad::Connection) {
            return head + (e.down ? "pad add" : "pad remove");
        }
        if (e.pad == InputEvent::Pad::Button) {
            return head + "pad button " + PadButtonName(e.key) + (e.down ? " down" : " up");
        }
        std::snprintf(text, sizeof text, " %.6g", e.x);
        return head + "pad axis " + PadAxisName(e.key) + text;
    case InputEvent::Kind::Delta:
        // The shortest text that reads back as the same double.
        for (int digits = 1; digits <= 17; ++digits) {
            std::snprintf(text, sizeof text, "dt %.*g", digits, e.dt);
            if (std::strtod(text + 3, nullptr) == e.dt) {
                break;
            }
        }
        return head + text;
    }
    return head;
}

bool InputSchedule::Has(InputEvent::Kind kind) const {
    return std::any_of(m_events.begin(), m_events.end(),
                       [kind](const InputEvent& e) { return e.kind == kind; });
}

void InputSchedule::Reset(std::vector<InputEvent> events) {
    m_events = std::move(events);
    m_next = 0;
}

std::vector<InputEvent> InputSchedule::Take(int frame) {
    std::vector<InputEvent> now;
    while (m_next < m_events.size() && m_events[m_next].frame <= frame) {
        now.push_back(m_events[m_next++]);
    }
    return now;
}
