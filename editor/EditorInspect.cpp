// The designer's aids around the map: the inspector and its typed field,
// the list's search, Pick, the hover label, hiding the help text, and their
// part of the status line.
#include "editor/Editor.h"
#include "editor/EditorClock.h"
#include "editor/EditorDefinitions.h"
#include "editor/EditorDocument.h"
#include "editor/EditorPanel.h"
#include "editor/EditorWorld.h"
#include "toolkit/BitmapFont.h"

#include <cmath>
#include <cstdio>

namespace {

// The text block's width in the panel.
constexpr float kTextWidth = EditorPanel::kWidth - 16;

// Keys that also type a character: taken by a field or the search, they
// must not toggle or scroll anything.
bool TypesCharacter(int key) {
    return key == VK_SPACE || (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') ||
           (key >= 0xBA && key <= 0xE2);
}

std::string Pair(const char* what, float x, float y) {
    char text[96];
    std::snprintf(text, sizeof text, "%s %ld, %ld", what, std::lround(x), std::lround(y));
    return text;
}

} // namespace

bool Editor::OverPanel() const {
    return mouseX < EditorPanel::kWidth;
}

bool Editor::TypingTakesKeys() const {
    return m_inspector.Editing() || (OverPanel() && !TheEditorPanel().Filter().Text().empty());
}

bool Editor::FieldUnderPointer() const {
    if (!panelFont || !OverPanel()) {
        return false;
    }
    float top = 0, height = 0;
    m_inspector.LineSpan(*panelFont, kTextWidth, m_inspector.FieldLine(), top, height);
    top += TheEditorPanel().Layout().textTop;
    return mouseY >= top && mouseY < top + height;
}

bool Editor::TakeEscape() {
    if (m_inspector.Editing()) {
        m_inspector.Cancel();
        return true;
    }
    return OverPanel() && TheEditorPanel().ClearFilter();
}

bool Editor::HandleAids(int key, int character) {
    EditorWorld& world = TheEditorWorld();
    // The world may have changed since the last frame (an answer, an undo).
    m_inspector.Refresh(world);
    if (!engine->Input_GetKeyState(VK_LBUTTON)) {
        m_fieldClick = false;
    }
    if (!m_document || engine->Input_GetKeyState(VK_CONTROL)) {
        return false; // shortcuts stay the map's
    }
    if (key == VK_LBUTTON && FieldUnderPointer()) {
        if (!m_inspector.Editing()) {
            m_inspector.BeginEdit();
        }
        m_fieldClick = true; // the press is the field's until released
        return true;
    }
    if (m_inspector.Editing()) {
        if (key == VK_LBUTTON || key == VK_RBUTTON) {
            m_inspector.Cancel(); // a click elsewhere ends typing
            return false;
        }
        const int code = key == VK_RETURN || key == VK_BACK      ? key
                         : character >= 0x20 && character < 0x7F ? character
                                                                 : 0;
        m_inspector.Type(code, world, *m_document);
        m_inspector.Refresh(world);
        return code != 0 || TypesCharacter(key);
    }
    EditorPanel& panel = TheEditorPanel();
    if (OverPanel()) {
        if (key == VK_BACK) {
            panel.TypeFilter(0x08);
            return true;
        }
        // The key that typed the character does nothing else.
        return character >= 0x20 && character < 0x7F && panel.TypeFilter(character);
    }
    if (key == VK_RETURN) {
        m_inspector.BeginEdit();
        m_inspector.Refresh(world);
    } else if (key == 'P') {
        int pickMode = 0;
        std::string name;
        if (m_inspector.Pick(pickMode, name) && panel.SelectName(pickMode, name)) {
            mode = pickMode;
        }
    } else if (key == 'H') {
        m_helpHidden = !m_helpHidden;
    } else {
        return false;
    }
    return true;
}

void Editor::ReloadChangedDefinitions() {
    const float now = engine->Timer_GetTime();
    if (!m_reload.Poll(now)) {
        return;
    }
    std::string error;
    if (!ReloadDefinitions(TheEditorDefinitions(), TheEditorWorld(), error)) {
        m_reloadNote = "definitions not reloaded: " + error;
        engine->System_Log("Definitions not reloaded: %s", error.c_str());
    } else {
        TheEditorPanel().FillList(mode);
        m_reloadNote = "definitions reloaded";
        engine->System_Log("Definitions reloaded (%zu placements name no definition)",
                           TheEditorWorld().MissingCount());
    }
    m_reloadNoteTime = now;
}

void Editor::UpdateAids() {
    m_viewPrefs.Keep(*engine, grid, preview);
    ReloadChangedDefinitions();
    EditorWorld& world = TheEditorWorld();
    m_inspector.Refresh(world);
    m_hover.Update(world, cameraX + mouseX / zoom, cameraY + mouseY / zoom, TheEditorClock().time,
                   !OverPanel() && !dragging);
    if (panelFont) {
        // With nothing selected the list's pick is described under the map's name.
        float top = 0, height = 0;
        m_inspector.LineSpan(*panelFont, kTextWidth, m_inspector.Lines().size() - 1, top, height);
        EditorPanel& panel = TheEditorPanel();
        panel.PlaceInfo(!m_inspector.HasSelection(),
                        panel.Layout().textTop + top + height + panelFont->GetHeight() / 2);
    }
}

void Editor::DrawInspector() {
    EditorPanel& panel = TheEditorPanel();
    const float top = panel.Layout().textTop;
    if (!panelFont) {
        return;
    }
    panelFont->SetColor(m_inspector.Editing() ? 0xFFD4C25A : 0xFFFFFFFF);
    m_inspector.Render(*panelFont, 9, top, kTextWidth);
    panelFont->SetColor(0xFFFFFFFF);
    if (textFont) {
        m_hover.Render(*panelFont, mouseX, mouseY, static_cast<float>(screenWidth));
    }
}

void Editor::NewMap() {
    EditorWorld& world = TheEditorWorld();
    MapSnapshot before = m_document->Snapshot();
    world.Clear();
    world.source = nullptr; // nothing of the old file is written into the new one
    world.mapName = "new map";
    m_document->CommitOpen(std::move(before), "");
    engine->System_Log("New map");
}

std::vector<std::string> Editor::InspectStatus() const {
    std::vector<std::string> parts = {Pair("cursor", cursorWorldX, cursorWorldY)};
    float x = 0, y = 0;
    if (m_inspector.SelectionPosition(x, y)) {
        parts.push_back(Pair("selection", x, y));
    }
    parts.push_back(grid ? "grid on" : "grid off");
    parts.push_back(preview ? "preview on" : "preview off");
    // A reload is said for a few seconds; a failure until the next one.
    constexpr float kNoteSeconds = 3;
    if (!m_reloadNote.empty() && (m_reloadNote != "definitions reloaded" ||
                                  engine->Timer_GetTime() - m_reloadNoteTime < kNoteSeconds)) {
        parts.push_back(m_reloadNote);
    }
    return parts;
}
