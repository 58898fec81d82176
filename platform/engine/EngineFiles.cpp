// Raw files, sound handles, message boxes, file dialogs and input reading.
#include "platform/engine/EngineImpl.h"

#include "platform/engine/FileDialog.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

void* EngineImpl::Resource_Load(const char* filename, std::uint32_t* size) {
    if (size) {
        *size = 0;
    }
    if (!filename || !*filename) {
        return nullptr;
    }
    std::FILE* file = std::fopen(filename, "rb");
    if (!file) {
        return nullptr;
    }
    std::fseek(file, 0, SEEK_END);
    long length = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    if (length < 0 || length > 0x7FFFFFFF) {
        std::fclose(file);
        return nullptr;
    }
    // One spare zero byte so text readers can stop safely at the end.
    std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[static_cast<size_t>(length) + 1]);
    size_t read = std::fread(bytes.get(), 1, static_cast<size_t>(length), file);
    std::fclose(file);
    if (read != static_cast<size_t>(length)) {
        return nullptr;
    }
    bytes[read] = 0;
    if (size) {
        *size = static_cast<std::uint32_t>(read);
    }
    void* key = bytes.get();
    m_resources.emplace(key, std::move(bytes));
    return key;
}

void EngineImpl::Resource_Free(void* resource) {
    m_resources.erase(resource);
}

std::uint32_t EngineImpl::AudioHandle(const char* filename) {
    // Sounds play through the sound library; these handles only say that
    // the file is there and readable, so scripts that name sounds load fully.
    std::FILE* file = filename ? std::fopen(filename, "rb") : nullptr;
    if (!file) {
        LogLine(std::string("Can't load sound: ") + (filename ? filename : ""));
        return 0;
    }
    char first = 0;
    bool empty = std::fread(&first, 1, 1, file) != 1;
    std::fclose(file);
    if (empty) {
        LogLine(std::string("Can't load sound: ") + filename + " (empty)");
        return 0;
    }
    std::uint32_t id = m_nextAudio++;
    m_audio[id] = 50;
    return id;
}

HEFFECT EngineImpl::Effect_Load(const char* filename, std::uint32_t) {
    return AudioHandle(filename);
}
void EngineImpl::Effect_Free(HEFFECT effect) {
    m_audio.erase(effect);
}
HMUSIC EngineImpl::Music_Load(const char* filename, std::uint32_t) {
    return AudioHandle(filename);
}
void EngineImpl::Music_Free(HMUSIC music) {
    m_audio.erase(music);
}
void EngineImpl::Music_SetAmplification(HMUSIC music, int amplification) {
    auto found = m_audio.find(music);
    if (found != m_audio.end()) {
        found->second = amplification;
    }
}
HSTREAM EngineImpl::Stream_Load(const char* filename, std::uint32_t) {
    return AudioHandle(filename);
}
void EngineImpl::Stream_Free(HSTREAM stream) {
    m_audio.erase(stream);
}

void EngineImpl::System_MessageBox(const char* title, const char* text, bool error) {
    std::string line = std::string(error ? "Message box (error) " : "Message box ") + "\"" +
                       (title ? title : "") + "\": " + (text ? text : "");
    LogLine(line);
    if (m_messageBoxFunc && System_DrawsOwnBoxes()) {
        m_messageBoxFunc(title ? title : "", text ? text : "", error);
        return;
    }
    if (DialogsToLog() || !m_window.Handle()) {
        std::fprintf(stderr, "%s\n", line.c_str());
        return;
    }
    m_window.ShowMessageBox(title ? title : "", text ? text : "", error);
}

bool EngineImpl::System_DrawsOwnBoxes() {
    // A replay of a run that drew its own boxes draws them too, headless or
    // not, so the recorded clicks answer them as they did.
    const bool drawn = (!DialogsToLog() && m_window.Handle()) || ReplaysDrawnBoxes();
    return drawn && !m_input.HasDialogAnswer();
}

void EngineImpl::RecordAnswer(const std::string& answer) {
    InputEvent event;
    event.kind = InputEvent::Kind::Dialog;
    event.frame = m_frame;
    event.cancel = answer.empty();
    event.path = answer;
    Record(event);
}

void EngineImpl::System_LogQuestion(const char* title, const char* text, const char* answer) {
    LogLine(std::string("Question \"") + (title ? title : "") + "\": " + (text ? text : "") +
            " -> " + (answer ? answer : ""));
}

bool EngineImpl::System_Ask(const char* title, const char* text) {
    bool yes = false;
    if (m_input.HasDialogAnswer()) {
        const InputEvent answer = m_input.TakeDialogAnswer();
        yes = !answer.cancel && (answer.path == "yes" || answer.path == "y");
    } else if (!DialogsToLog() && !m_scripted && m_window.Handle()) {
        yes = m_window.AskYesNo(title ? title : "", text ? text : "");
        RecordAnswer(yes ? "yes" : "no");
    }
    System_LogQuestion(title, text, yes ? "yes" : "no");
    return yes;
}

SaveAnswer EngineImpl::System_AskSaveDiscardCancel(const char* title, const char* text) {
    SaveAnswer answer = SaveAnswer::Cancel;
    if (m_input.HasDialogAnswer()) {
        const InputEvent queued = m_input.TakeDialogAnswer();
        answer = queued.cancel          ? SaveAnswer::Cancel
                 : queued.path == "yes" ? SaveAnswer::Save
                 : queued.path == "no"  ? SaveAnswer::Discard
                                        : SaveAnswer::Cancel;
    } else if (!DialogsToLog() && !m_scripted && m_window.Handle()) {
        // Listed Cancel first: Esc and a closed box answer it.
        const int pressed = m_window.AskChoice(title ? title : "", text ? text : "",
                                               {"Cancel", "Don't save", "Save"});
        answer = pressed == 2   ? SaveAnswer::Save
                 : pressed == 1 ? SaveAnswer::Discard
                                : SaveAnswer::Cancel;
        RecordAnswer(pressed == 2 ? "yes" : pressed == 1 ? "no" : "");
    }
    System_LogQuestion(title, text,
                       answer == SaveAnswer::Save      ? "save"
                       : answer == SaveAnswer::Discard ? "discard"
                                                       : "cancel");
    return answer;
}

FileDialogResult EngineImpl::System_FileDialog(const FileDialogRequest& request) {
    FileDialogResult result;
    const char* kind = request.save ? "save" : "open";
    if (m_input.HasDialogAnswer()) {
        InputEvent answer = m_input.TakeDialogAnswer();
        result.status =
            answer.cancel ? FileDialogResult::Status::Cancelled : FileDialogResult::Status::Chosen;
        result.path = answer.path;
    } else if (ReplaysDrawnBoxes()) {
        // The recorded run used the program's own chooser: so does the replay.
        result.status = FileDialogResult::Status::Unavailable;
    } else if (DialogsToLog() || m_scripted) {
        result.status = FileDialogResult::Status::Cancelled;
    } else {
        result = RunNativeFileDialog(request, request.save ? "Save map" : "Open map");
        // The desktop's answer is outside input: a replay takes it from the recording.
        if (result.status != FileDialogResult::Status::Unavailable) {
            RecordAnswer(result.status == FileDialogResult::Status::Chosen ? result.path : "");
        }
    }
    const char* status = result.status == FileDialogResult::Status::Chosen      ? "chosen"
                         : result.status == FileDialogResult::Status::Cancelled ? "cancelled"
                                                                                : "unavailable";
    LogLine(std::string("File dialog (") + kind + "): " + status +
            (result.path.empty() ? "" : " " + result.path));
    return result;
}

void EngineImpl::Input_GetMousePos(float* x, float* y) {
    if (x) {
        *x = m_input.MouseX();
    }
    if (y) {
        *y = m_input.MouseY();
    }
}

void EngineImpl::Input_SetMousePos(float x, float y) {
    m_input.SetMouse(x, y);
    if (m_window.Handle() && !m_scripted) {
        SDL_WarpMouseInWindow(m_window.Handle(), static_cast<int>(x), static_cast<int>(y));
    }
}
