// The frame function: Esc, the cursor, scrolling, the keys, placing,
// selecting and dragging, then alerts, world, panel, clock and statistics.
#include "editor/Editor.h"
#include "editor/EditorClock.h"
#include "editor/EditorDefinitions.h"
#include "editor/EditorDocument.h"
#include "editor/EditorPanel.h"
#include "editor/EditorWorld.h"
#include "editor/MapCommands.h"
#include "overlays/AlertList.h"
#include "platform/registry/Registry.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int kF5 = VK_F1 + 4;
// How far (screen pixels) a press may wander and still be a click.
constexpr float kClickSlop = 3;

} // namespace

bool Editor::FrameFunc() {
    if (Terminated()) {
        // Logout, shutdown, kill: not a quit the designer answered, so the
        // unsaved work is written now and kept.
        if (m_document) {
            m_recovery.WriteNow(*m_document, TheEditorWorld(), *engine);
        }
        engine->System_Log("Terminated by a signal; unsaved work kept in: %s",
                           m_recovery.Written().c_str());
        return true;
    }
    if (!m_recoveryOffered) {
        OfferStartRecovery();
    }
    const bool boxOpen = m_box && m_box->IsOpen();
    const bool chooserOpen = (m_commands && m_commands->ChooserOpen()) || boxOpen;
    m_escapeLatched = (m_escapeLatched || chooserOpen) && engine->Input_GetKeyState(VK_ESCAPE);
    if (!m_escapeLatched && engine->Input_GetKeyState(VK_ESCAPE) && TakeEscape()) {
        m_escapeLatched = true; // a field or the search took it: no quitting
    }
    if (!m_escapeLatched && engine->Input_GetKeyState(VK_ESCAPE)) {
        // One question a press: a Cancel must not be asked again while held.
        m_escapeLatched = true;
        if (TheEditorWorld().AnySelected()) {
            // Esc lets go of the selection first; the next one quits.
            TheEditorWorld().DeselectAll();
        } else {
            m_escapeQuit = true;
            if (ConfirmLeave("closing", Then::Quit)) {
                return Quit();
            }
        }
    }
    EditorClock& clock = TheEditorClock();
    if (m_commands && !m_commands->ChooserOpen() && CarryOnAfterSave()) {
        return true;
    }
    if (boxOpen) {
        // The box is modal too, and comes before the chooser.
        m_box->Update();
        Registry::Current().Get<AlertList>().Update();
    } else if (m_commands && m_commands->ChooserOpen()) {
        // The chooser is modal: the map does not see this frame's input.
        m_commands->Update(clock.delta);
        Registry::Current().Get<AlertList>().Update();
    } else {
        HandleWheel();
        UpdateCursor();
        const int key = engine->Input_GetKey();
        // The panel owns what lands on it: the pointer of this very frame
        // decides, as it does for the widgets.
        float pointerX = mouseX;
        float pointerY = mouseY;
        engine->Input_GetMousePos(&pointerX, &pointerY);
        m_pointerOnPanel = pointerX < EditorPanel::kWidth;
        const bool aids = HandleAids(key, engine->Input_GetChar());
        if (!TypingTakesKeys()) {
            Scroll();
        }
        if (!aids) {
            HandleKeys(key);
            Nudge(key);
        }
        EditorWorld& world = TheEditorWorld();
        if (engine->Input_GetKeyState(VK_DELETE) && !m_inspector.Editing()) {
            DeleteSelection();
        }
        EditorPanel& panel = TheEditorPanel();
        if (key == VK_RBUTTON && !m_pointerOnPanel) {
            PlaceAtCursor();
        }
        if (!m_fieldClick) {
            HandleMouse();
        }
        Registry::Current().Get<AlertList>().Update();
        world.Update(*viewBox, clock.delta);
        switch (panel.UpdatePanel(clock.delta)) {
        case EditorPanel::Command::Save:
            m_commands->Request(true);
            break;
        case EditorPanel::Command::Open:
            if (ConfirmLeave("opening another map", Then::Open)) {
                m_commands->Request(false);
            }
            break;
        case EditorPanel::Command::Exit:
            m_escapeQuit = false;
            if (ConfirmLeave("closing", Then::Quit)) {
                return Quit();
            }
            break;
        case EditorPanel::Command::None:
            break;
        }
    }
    UpdateTitle();
    FollowSaves();
    if (int code = 0; m_playTest.Ended(code)) {
        engine->System_Log("Play-test ended (exit code %d)", code);
        Notice("Play-test ended");
    }
    if (m_document) {
        m_recovery.Update(engine->Timer_GetTime(), *m_document, TheEditorWorld(), *engine);
    }
    clock.Refresh(*engine);
    engine->Input_GetMousePos(&mouseX, &mouseY);
    UpdateFpsStatistics();
    UpdateAids();
    return false;
}

void Editor::PlaceAtCursor() {
    MapSnapshot before = m_document->Snapshot();
    if (TheEditorWorld().Place(mode, TheEditorPanel().SelectedName(), cursorWorldX, cursorWorldY,
                               TheEditorDefinitions())) {
        m_document->Commit(std::move(before));
    }
}

void Editor::DeleteSelection() {
    EditorWorld& world = TheEditorWorld();
    // Held Delete runs every frame; only a frame that removes something is a step.
    if (world.AnySelected()) {
        MapSnapshot before = m_document->Snapshot();
        world.DeleteSelected();
        m_document->Commit(std::move(before));
    }
}

void Editor::HandleWheel() {
    const int notches = engine->Input_GetMouseWheel();
    if (notches == 0 || mouseX < EditorPanel::kWidth) {
        return; // over the panel the wheel scrolls the list
    }
    const float next = NextZoom(zoom, notches);
    if (next == zoom) {
        return;
    }
    cameraX += mouseX / zoom - mouseX / next;
    cameraY += mouseY / zoom - mouseY / next;
    zoom = next;
    if (viewBox) {
        viewBox->SetSize(static_cast<float>(screenWidth) / zoom,
                         static_cast<float>(screenHeight) / zoom);
    }
}

void Editor::UpdateCursor() {
    cursorWorldX = cameraX + mouseX / zoom;
    cursorWorldY = cameraY + mouseY / zoom;
    if (grid) {
        cursorWorldX = SnapToGrid(cursorWorldX);
        cursorWorldY = SnapToGrid(cursorWorldY);
    }
}

void Editor::Scroll() {
    struct Direction {
        int key;
        float degrees;
    };
    static constexpr Direction kDirections[] = {{'W', 270}, {'S', 90}, {'D', 0}, {'A', 180}};
    // Ctrl + S must save, not scroll; a Ctrl-drag may still scroll.
    if (!dragging && engine->Input_GetKeyState(VK_CONTROL)) {
        return;
    }
    // The speed is the view's (screen pixels a second) at every zoom;
    // Shift scrolls three times as fast.
    const float fast = engine->Input_GetKeyState(VK_SHIFT) ? 3.0f : 1.0f;
    const float step = TheEditorClock().delta * cameraSpeed * fast / zoom;
    for (const Direction& direction : kDirections) {
        if (engine->Input_GetKeyState(direction.key)) {
            const float radians = direction.degrees / 57.2957763671875f;
            cameraX += step * std::cos(radians);
            cameraY += step * std::sin(radians);
        }
    }
}

bool Editor::HandleShortcut(int key) {
    if (!engine->Input_GetKeyState(VK_CONTROL) || !m_document) {
        return false;
    }
    const bool shift = engine->Input_GetKeyState(VK_SHIFT);
    if ((key == 'Z' && shift) || key == 'Y' || key == 'Z') {
        const bool redo = key == 'Y' || shift;
        // Undoing an open puts another map on screen: the same question.
        if (m_document->NextStepChangesFile(redo) &&
            !ConfirmLeave("opening another map", redo ? Then::Redo : Then::Undo)) {
            return true;
        }
        if (redo ? m_document->Redo() : m_document->Undo()) {
            // A drag that goes on moves the map as it now is: a new step.
            m_dragStepTaken = false;
        }
    } else if (key == 'S' && shift) {
        m_commands->Request(true);
    } else if (key == 'S') {
        m_commands->SaveToOwnFile();
    } else if (key == 'O') {
        if (ConfirmLeave("opening another map", Then::Open)) {
            m_commands->Request(false);
        }
    } else if (key == 'N') {
        if (ConfirmLeave("starting a new map", Then::New)) {
            NewMap();
        }
    } else if (key == 'A') {
        TheEditorWorld().SelectAll();
    } else if (key == 'C') {
        m_clipboard.Copy(TheEditorWorld());
    } else if (key == 'V') {
        MapSnapshot before = m_document->Snapshot();
        if (m_clipboard.Paste(TheEditorWorld(), cursorWorldX, cursorWorldY,
                              TheEditorDefinitions())) {
            m_document->Commit(std::move(before));
        }
    } else {
        return false;
    }
    return true;
}

void Editor::Notice(const char* text) {
    Registry::Current().Get<AlertList>().AddAlert(
        0xFFFFFFFF, text, static_cast<float>(screenWidth - 10),
        static_cast<float>(screenHeight - 75), 0.01f, 1, true);
}

void Editor::StartPlayTest(bool peaceful) {
    const float x = cameraX + static_cast<float>(screenWidth) / 2 / zoom;
    const float y = cameraY + static_cast<float>(screenHeight) / 2 / zoom;
    std::string error;
    if (!m_playTest.Start(TheEditorWorld(), x, y, error, peaceful)) {
        engine->System_Log("Play-test not started: %s", error.c_str());
        Notice(("Play-test: " + error).c_str());
        return;
    }
    m_playTestSaved = m_document ? m_document->SavedState() : 0;
    engine->System_Log("Play-test started on %s at %.2f,%.2f%s", m_playTest.MapFile().c_str(),
                       static_cast<double>(x), static_cast<double>(y),
                       peaceful ? " (peaceful)" : "");
    Notice(peaceful ? "Play-test started (peaceful)" : "Play-test started");
}

void Editor::FollowSaves() {
    if (!m_playTest.Running() || !m_document || m_document->SavedState() == m_playTestSaved) {
        return;
    }
    m_playTestSaved = m_document->SavedState();
    std::string error;
    if (m_playTest.Refresh(TheEditorWorld(), error)) {
        engine->System_Log("Play-test map updated: %s", m_playTest.MapFile().c_str());
    } else {
        engine->System_Log("Play-test map not updated: %s", error.c_str());
    }
}

void Editor::HandleKeys(int key) {
    if (HandleShortcut(key)) {
        return;
    }
    if (key == kF5) {
        StartPlayTest(engine->Input_GetKeyState(VK_SHIFT));
        return;
    }
    if (key == 'M') {
        mode = EditorDefinitions::NextMode(mode);
        TheEditorPanel().FillList(mode);
    } else if (key == 'L') {
        TheEditorWorld().groundLocked = !TheEditorWorld().groundLocked;
        Notice(TheEditorWorld().groundLocked ? "Ground locked" : "Ground unlocked");
    } else if (key == VK_SPACE) {
        preview = !preview;
    } else if (key == 'G') {
        grid = !grid;
        Notice(grid ? "Grids are on" : "Grids are off");
    }
}

void Editor::HandleMouse() {
    const bool held = engine->Input_GetKeyState(VK_LBUTTON);
    const bool ctrl = engine->Input_GetKeyState(VK_CONTROL);
    EditorWorld& world = TheEditorWorld();
    if (held && !dragging) {
        if (m_pointerOnPanel) {
            return; // a press on the panel is the panel's
        }
        m_dragStepTaken = false;
        m_clickX = mouseX;
        m_clickY = mouseY;
        // A click on the map takes the keys (arrows) from the list.
        if (gui) {
            gui->SetFocus(0);
        }
        // The anchor is kept in world pixels from the camera; with the grid
        // on, a Ctrl-drag starts from the snapped cursor, so what stands on
        // the grid moves in whole steps and stays on it.
        anchorX = ctrl && grid ? cursorWorldX - cameraX : mouseX / zoom;
        anchorY = ctrl && grid ? cursorWorldY - cameraY : mouseY / zoom;
        if (!ctrl) {
            selectionX = anchorX + cameraX;
            selectionY = anchorY + cameraY;
        }
        world.DeselectOffscreen();
        dragging = true;
    } else if (!held && dragging) {
        if (!ctrl) {
            NormaliseSelection();
            // A press released where it went down is a click: the topmost
            // placement alone (Shift adds or removes it); a drag is a band.
            if (std::abs(mouseX - m_clickX) < kClickSlop &&
                std::abs(mouseY - m_clickY) < kClickSlop) {
                world.PickAt(cameraX + m_clickX / zoom, cameraY + m_clickY / zoom,
                             engine->Input_GetKeyState(VK_SHIFT));
            } else {
                world.SelectInBox(*selectionBox);
            }
            selectionX = selectionY = 0;
            selectionBox->SetSize(0, 0);
        }
        dragging = false;
    } else if (dragging) {
        if (ctrl) {
            const float dx = cursorWorldX - anchorX - cameraX;
            const float dy = cursorWorldY - anchorY - cameraY;
            if (!m_dragStepTaken && (dx != 0 || dy != 0) && world.AnySelected()) {
                m_document->Commit(m_document->Snapshot());
                m_dragStepTaken = true;
            }
            world.MoveSelected(dx, dy);
            anchorX = cursorWorldX - cameraX;
            anchorY = cursorWorldY - cameraY;
        } else {
            selectionX = anchorX + cameraX;
            selectionY = anchorY + cameraY;
            selectionBox->SetSize(mouseX / zoom - anchorX, mouseY / zoom - anchorY);
        }
    }
}

void Editor::UpdateFpsStatistics() {
    const int fps = engine->Timer_GetFPS();
    averageFps = averageFps == 0 ? fps : averageFps;
    currentFps = fps;
    averageFps = (currentFps + averageFps) / 2;
    worstFps = std::min(worstFps == 0 ? fps : worstFps, currentFps);
    bestFps = std::max(bestFps == 0 ? fps : bestFps, currentFps);
}
