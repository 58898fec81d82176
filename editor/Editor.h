// The map editor: constructing it runs the whole program (configuration,
// start-up, the frame loop, shut-down). Everything else reaches it through
// TheEditor().
#pragma once

#include "editor/DefinitionReload.h"
#include "editor/EffectPreview.h"
#include "editor/HoverLabel.h"
#include "editor/Inspector.h"
#include "editor/PlacementClipboard.h"
#include "editor/PlayTest.h"
#include "editor/RecoveryFile.h"
#include "editor/ScreenOutline.h"
#include "editor/StatusLine.h"
#include "editor/ViewPrefs.h"
#include "platform/engine/Engine.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/CollisionBox.h"
#include "toolkit/GuiManager.h"
#include "toolkit/GuiQuestionBox.h"
#include "toolkit/ResourceManager.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class EditorDocument;
class EditorTrace;
class MapCommands;

class Editor : Pinned {
public:
    Editor();
    ~Editor();

    // Frame and render functions, registered with the engine.
    bool FrameFunc();
    bool RenderFunc();
    bool GfxRestoreFunc() { return false; }
    // Closing the window: asks first when the map has unsaved changes.
    bool ExitFunc();

    // Where a new placement goes: camera + mouse, snapped to the grid when
    // it is on.
    static float SnapToGrid(float c);
    // The zoom steps the wheel walks, 0.25 to 2; notches > 0 zoom in.
    static float NextZoom(float zoom, int notches);
    const MapCommands* Commands() const { return m_commands.get(); }
    const EditorDocument* Document() const { return m_document.get(); }
    const RecoveryFile& Recovery() const { return m_recovery; }
    const PlayTest& Playing() const { return m_playTest; }
    // The last question asked and its answer ("" before the first).
    const std::string& LastQuestion() const { return m_question; }
    // The line under the map: the file, unsaved changes, zoom, counts, the
    // selection, the ground lock, placeholders, a recovery file not written,
    // then the inspection's parts.
    StatusLine Status() const;
    std::string StatusText() const { return Status().Text(); }
    // The status line's parts about the cursor, the selection, the grid
    // and the preview.
    std::vector<std::string> InspectStatus() const;
    const Inspector& Inspection() const { return m_inspector; }
    const HoverLabel& Hover() const { return m_hover; }
    bool HelpShown() const { return !m_helpHidden; }

    int mode = 2;
    float mouseX = 0;
    std::unique_ptr<CollisionBox> viewBox;
    float mouseY = 0;
    std::unique_ptr<CollisionBox> selectionBox;
    float selectionX = 0; // what the selection box is bound to
    float selectionY = 0;
    std::unique_ptr<BitmapFont> textFont;
    std::unique_ptr<BitmapFont> panelFont;
    Engine* engine = nullptr;
    float anchorX = 0;
    float anchorY = 0;
    bool preview = false;
    bool grid = false;
    float cursorWorldX = 0;
    float cursorWorldY = 0;
    bool testMode = false;
    bool dragging = false;
    float cameraSpeed = 300.0f;
    std::unique_ptr<GuiManager> gui;
    int screenWidth = 1024;
    int screenHeight = 768;
    float cameraX = 0;
    float cameraY = 0;
    int worstFps = 0;
    int bestFps = 0;
    int currentFps = 0;
    int averageFps = 0;
    std::unique_ptr<ResourceManager> resources;
    // Screen pixels per world pixel; 1 draws the map as it always was.
    float zoom = 1;

private:
    void Configure();
    void Initialise();
    void UpdateCursor();
    void Scroll();
    void HandleKeys(int key);
    // The wheel outside the panel zooms, keeping the point under the cursor.
    void HandleWheel();
    // Ctrl + key: undo, redo, save, open, copy, paste. True when the key was one.
    bool HandleShortcut(int key);
    void PlaceAtCursor();
    // Arrow keys move the selection by a pixel, with Shift by a grid step;
    // a burst of nudges is one undo step.
    void Nudge(int key);
    void DeleteSelection();
    // What waits for a save the chooser is still asking a name for.
    enum class Then { Nothing, Quit, Open, Undo, Redo, New };
    // Before the map on screen goes (closing, opening another): with unsaved
    // changes asks "Save changes to NAME before ...?". True when the action
    // may go on now; a save still waiting for its name carries on with
    // `then` once it is done.
    bool ConfirmLeave(const char* before, Then then);
    // Once the chooser is closed: the waiting action, when the save went
    // through. True when that is quitting.
    bool CarryOnAfterSave();
    // The answer to the unsaved-changes question: true when `then` may go
    // on now.
    bool Answered(SaveAnswer answer, const std::string& text, Then then);
    void Proceed(Then then);
    // Ctrl+N: an empty map, never saved, as one undoable step (undo brings
    // the previous map and its file back).
    void NewMap();
    bool Quit();
    // Loads the map's recovery file as one unsaved change.
    void Restore(const std::string& map);
    // At the first frame (answers come from the input script headless):
    // offers the start map's recovery file, and without a map argument a
    // new map's too.
    void OfferStartRecovery();
    // Offers the map's recovery file (map "" : a new map's) when it is
    // newer; a file that cannot be read is set aside as NAME.bad.
    void OfferRecovery(const std::string& map);
    // Notes the question and its answer for the trace.
    void Ask(const char* title, const std::string& text, const char* answer);
    // Yes or no, in the editor's own box in a real window (answered in a
    // later frame), else the engine's question.
    void AskYesNo(const std::string& title, const std::string& text,
                  std::function<void(bool)> answered);
    // SIGTERM, SIGHUP, SIGINT: the unsaved work is written and kept.
    static void CatchTermination();
    static bool Terminated();
    // F5: the game on the map as it is, the player at the view's centre;
    // Shift+F5 without enemies.
    void StartPlayTest(bool peaceful = false);
    // After each save the running play-test gets the map as saved.
    void FollowSaves();
    // A line at the bottom right, like the grid's.
    void Notice(const char* text);
    // The window title follows the file and its unsaved changes.
    void UpdateTitle();
    void HandleMouse();
    void UpdateFpsStatistics();
    // A box dragged left or up has a negative size: turn it the right way
    // round, in place.
    void NormaliseSelection();
    void DrawSelectionBox(const MapView& view);
    void DrawHelp();
    // Returns the top of the drawn line(s).
    float DrawStatusLine();
    // The designer's aids (EditorInspect.cpp). Enter, P, H, what is typed
    // into the inspector's field or (pointer over the panel) the list's
    // search, a press on the field: true when the key was theirs.
    bool HandleAids(int key, int character);
    // A field is being typed into, or the search (pointer over the panel)
    // has text: held letters do not scroll.
    bool TypingTakesKeys() const;
    bool OverPanel() const;
    bool FieldUnderPointer() const;
    // Esc ends typing into the field, else clears the search (pointer over
    // the panel). True when it did.
    bool TakeEscape();
    // At the end of the frame: the inspector and the hover label follow the map.
    void UpdateAids();
    // Edited definition files are read again (DefinitionReload).
    void ReloadChangedDefinitions();
    void DrawInspector();

    std::unique_ptr<EditorDocument> m_document;
    std::unique_ptr<MapCommands> m_commands;
    std::string m_title;
    PlacementClipboard m_clipboard;
    EffectPreview m_effectPreview;
    RecoveryFile m_recovery;
    PlayTest m_playTest;
    std::uint64_t m_playTestSaved = 0; // the save the play-test has
    std::string m_startMap;
    bool m_startWithoutMap = false;
    bool m_recoveryOffered = false;
    Then m_afterSave = Then::Nothing;
    bool m_quitNow = false; // answered in the editor's own box
    std::unique_ptr<GuiQuestionBox> m_box;
    // Message boxes that came before the box could be made (start-up).
    bool m_escapeQuit = false;
    std::string m_question;
    // Esc, the exit button or the window's close: the recovery file goes.
    bool m_userQuit = false;
    // A Ctrl-drag is one undo step, taken at its first move.
    bool m_dragStepTaken = false;
    // Where the left button went down (screen pixels).
    float m_clickX = 0;
    float m_clickY = 0;
    // The pointer is over the panel this frame: the map ignores the mouse.
    bool m_pointerOnPanel = false;
    // The undo depth right after the last nudge's step, and when it was:
    // nudges that follow it closely add to that step.
    std::size_t m_nudgeDepth = 0;
    float m_nudgeTime = -1;
    std::unique_ptr<EditorTrace> m_trace;
    // Esc that closed the chooser must not end the program as it is held.
    bool m_escapeLatched = false;
    Inspector m_inspector;
    HoverLabel m_hover;
    bool m_helpHidden = false;
    bool m_fieldClick = false; // a press on the inspector's field, until released
    ViewPrefs m_viewPrefs;
    DefinitionReload m_reload;
    // What the last reload said, and when (the status line shows it a while).
    std::string m_reloadNote;
    float m_reloadNoteTime = 0;
};

// The editor being run (null before it is constructed).
Editor* TheEditor();
void SetTheEditor(Editor* editor);
