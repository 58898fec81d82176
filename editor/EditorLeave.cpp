// What keeps a designer's work when the map on screen goes: the question
// before closing or opening another map, the recovery file offered when a
// map opens, and the recovery written when the editor is terminated.
#include "content/ContentReport.h"
#include "editor/Editor.h"
#include "editor/EditorDefinitions.h"
#include "editor/EditorDocument.h"
#include "editor/EditorMapFile.h"
#include "editor/EditorWorld.h"
#include "editor/MapCommands.h"

#include <csignal>
#include <filesystem>

namespace {

volatile std::sig_atomic_t g_terminated = 0;

void OnTerminate(int) {
    g_terminated = 1;
}

// Reads a recovery file without the load box: its own message says more.
class QuietReport : public ContentReport {
public:
    explicit QuietReport(Engine& engine) : m_engine(engine) {}
    void CannotLoad(const std::string& path) override {
        m_engine.System_Log("Cannot load: %s", path.c_str());
    }
    void Problem(const std::string& path, int line, const std::string& what) override {
        m_engine.System_Log("%s:%d: %s", path.c_str(), line, what.c_str());
    }

private:
    Engine& m_engine;
};

} // namespace

void Editor::CatchTermination() {
    struct sigaction action {};
    action.sa_handler = OnTerminate;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        sigaction(signal, &action, nullptr);
    }
}

bool Editor::Terminated() {
    return g_terminated != 0;
}

void Editor::Ask(const char* title, const std::string& text, const char* answer) {
    m_question = std::string(title) + ": " + text + " -> " + answer;
}

namespace {

const char* const kUnsaved = "Unsaved changes";
const char* const kRecover = "Recover unsaved changes";

const char* AnswerName(SaveAnswer answer) {
    return answer == SaveAnswer::Save      ? "save"
           : answer == SaveAnswer::Discard ? "discard"
                                           : "cancel";
}

} // namespace

bool Editor::ConfirmLeave(const char* before, Then then) {
    if (!m_document || !m_document->Modified()) {
        return true;
    }
    const std::string text = "Save changes to " + m_document->Name() + " before " + before + "?";
    if (m_box && engine->System_DrawsOwnBoxes()) {
        m_box->Ask(kUnsaved, text, {"Cancel", "Don't save", "Save"},
                   [this, text, then](int pressed) {
                       const SaveAnswer answer = pressed == 2   ? SaveAnswer::Save
                                                 : pressed == 1 ? SaveAnswer::Discard
                                                                : SaveAnswer::Cancel;
                       engine->System_LogQuestion(kUnsaved, text.c_str(), AnswerName(answer));
                       if (Answered(answer, text, then)) {
                           Proceed(then);
                       }
                   });
        return false;
    }
    return Answered(engine->System_AskSaveDiscardCancel(kUnsaved, text.c_str()), text, then);
}

bool Editor::Answered(SaveAnswer answer, const std::string& text, Then then) {
    Ask(kUnsaved, text, AnswerName(answer));
    switch (answer) {
    case SaveAnswer::Cancel:
        return false;
    case SaveAnswer::Discard:
        m_recovery.Remove();
        return true;
    case SaveAnswer::Save:
        break;
    }
    m_commands->SaveToOwnFile();
    if (m_commands->ChooserOpen()) {
        m_afterSave = then;
        return false;
    }
    // A save that failed (or a name not given) keeps the map as it is.
    return !m_document->Modified();
}

void Editor::Proceed(Then then) {
    switch (then) {
    case Then::Quit:
        m_quitNow = true;
        break;
    case Then::Open:
        m_commands->Request(false);
        break;
    case Then::Undo:
        m_document->Undo();
        break;
    case Then::Redo:
        m_document->Redo();
        break;
    case Then::New:
        NewMap();
        break;
    case Then::Nothing:
        break;
    }
}

bool Editor::CarryOnAfterSave() {
    if (m_afterSave != Then::Nothing && !m_commands->ChooserOpen()) {
        const Then then = m_afterSave;
        m_afterSave = Then::Nothing;
        if (!m_document->Modified()) {
            Proceed(then); // not saved: nothing goes
        }
    }
    return m_quitNow && Quit();
}

bool Editor::Quit() {
    if (m_escapeQuit) {
        engine->System_Log("Best FPS:%d", bestFps);
        engine->System_Log("Worst FPS:%d", worstFps);
        engine->System_Log("Avarage FPS:%d", averageFps);
    }
    m_userQuit = true;
    return true;
}

bool Editor::ExitFunc() {
    m_escapeQuit = false;
    return ConfirmLeave("closing", Then::Quit) && Quit();
}

void Editor::OfferStartRecovery() {
    m_recoveryOffered = true;
    if (!m_document) {
        return;
    }
    if (!m_document->File().empty()) {
        OfferRecovery(m_document->File());
    }
    if (m_startWithoutMap || m_document->File().empty()) {
        OfferRecovery("");
    }
}

void Editor::OfferRecovery(const std::string& map) {
    if (!RecoveryFile::Offered(map)) {
        return;
    }
    const std::string text =
        (map.empty() ? std::string("Unsaved changes to a new map") : "Unsaved changes to " + map) +
        " were kept from a session that did not end cleanly.\nRestore them?";
    // In a window, asked once it shows, not before.
    AskYesNo(kRecover, text, [this, map](bool yes) {
        if (yes) {
            Restore(map); // else kept on disk: the next recovery write replaces it
        }
    });
}

void Editor::AskYesNo(const std::string& title, const std::string& text,
                      std::function<void(bool)> answered) {
    auto answer = [this, title, text, answered = std::move(answered)](bool yes) {
        Ask(title.c_str(), text, yes ? "yes" : "no");
        answered(yes);
    };
    if (m_box && engine->System_DrawsOwnBoxes()) {
        m_box->Ask(title, text, {"No", "Yes"}, [this, title, text, answer](int pressed) {
            engine->System_LogQuestion(title.c_str(), text.c_str(), pressed == 1 ? "yes" : "no");
            answer(pressed == 1);
        });
        return;
    }
    answer(engine->System_Ask(title.c_str(), text.c_str()));
}

void Editor::Restore(const std::string& map) {
    const std::string path = RecoveryFile::PathFor(map);
    QuietReport report(*engine);
    MapSnapshot before = m_document->Snapshot();
    if (!LoadMap(TheEditorWorld(), path, TheEditorDefinitions(), report).Loaded()) {
        // Set aside, not deleted: it may still hold work worth reading.
        const std::string aside = path + ".bad";
        std::error_code error;
        std::filesystem::rename(path, aside, error);
        const std::string said =
            "The recovery file " + path + " could not be read; it is kept as " + aside;
        engine->System_MessageBox("Error", said.c_str(), true);
        return;
    }
    m_document->CommitRecovered(std::move(before), map);
    m_recovery.Adopt(path);
    engine->System_Log("Recovered: %s", path.c_str());
}
