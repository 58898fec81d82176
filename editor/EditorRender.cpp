// The render function: placements and the selection box under the camera,
// then the help text, the panel, the widgets, the alerts and the cursor.
#include "editor/Editor.h"
#include "editor/EditorClock.h"
#include "editor/EditorDefinitions.h"
#include "editor/EditorPanel.h"
#include "editor/EditorWorld.h"
#include "editor/GridLines.h"
#include "editor/MapCommands.h"
#include "overlays/AlertList.h"
#include "platform/registry/Registry.h"
#include "toolkit/GuiListbox.h"
#include "toolkit/Sprite.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const kCredits = "Duskmaw Map Editor - made by the Duskmaw team. Fonts: DejaVu.";

} // namespace

bool Editor::RenderFunc() {
    engine->Gfx_BeginScene(0);
    engine->Gfx_Clear(0);
    const MapView view{cameraX, cameraY, zoom};
    engine->Gfx_SetTransform(0, 0, -cameraX * zoom, -cameraY * zoom, 0, zoom, zoom);
    EditorWorld& world = TheEditorWorld();
    // The grid lies on the ground, under everything standing on it.
    world.Draw([&] {
        if (grid) {
            engine->Gfx_SetTransform(0, 0, 0.1f, 0.1f, 0, 1, 1);
            DrawGridLines(view, EditorPanel::kWidth, static_cast<float>(screenWidth),
                          static_cast<float>(screenHeight));
            engine->Gfx_SetTransform(0, 0, -cameraX * zoom, -cameraY * zoom, 0, zoom, zoom);
        }
    });
    if (mode == EditorDefinitions::kEffects && !m_pointerOnPanel) {
        m_effectPreview.Draw(TheEditorPanel().SelectedName(), cursorWorldX, cursorWorldY,
                             TheEditorClock().delta);
    }
    if (panelFont) {
        world.DrawMissingLabels(*panelFont);
    }
    // Outlines over every placement, in whole screen pixels.
    engine->Gfx_SetTransform(0, 0, 0.1f, 0.1f, 0, 1, 1);
    world.DrawOutlines(testMode, view);
    DrawSelectionBox(view);

    DrawHelp();
    TheEditorPanel().RenderPanel(preview, (cursorWorldX - cameraX) * zoom,
                                 (cursorWorldY - cameraY) * zoom, zoom);
    if (gui) {
        gui->Render();
    }
    DrawInspector();
    if (m_commands) {
        m_commands->Render();
    }
    if (m_box) {
        m_box->Render();
    }

    engine->Gfx_SetTransform(0, 0, -cameraX, -cameraY, 0, 1, 1);
    Registry::Current().Get<AlertList>().Render();
    const GuiListbox* list = TheEditorPanel().List();
    // Over the list the hovered row carries the pointer: no cursor over the names.
    const bool onList = list && list->Contains(mouseX, mouseY);
    if (Sprite* cursor = TheEditorClock().cursor; cursor && !onList) {
        cursor->RenderEx(cameraX + mouseX, cameraY + mouseY, 0, 1);
        cursor->SetHotSpot(16, 16);
    }
    engine->Gfx_EndScene();
    return false;
}

void Editor::NormaliseSelection() {
    if (!selectionBox) {
        return;
    }
    float width = selectionBox->Width();
    float height = selectionBox->Height();
    if (width < 0) {
        selectionX += width;
        width = -width;
    }
    if (height < 0) {
        selectionY += height;
        height = -height;
    }
    selectionBox->SetSize(width, height);
}

void Editor::DrawSelectionBox(const MapView& view) {
    NormaliseSelection();
    if (selectionBox) {
        DrawScreenOutline(*selectionBox, view);
    }
}

void Editor::DrawHelp() {
    if (!textFont) {
        return;
    }
    const float statusTop = DrawStatusLine();
    if (m_helpHidden) {
        return;
    }
    textFont->printf(static_cast<float>(screenWidth), 10, BitmapFont::kRight,
                     "Duskmaw Map Editor v 0.1\nt:%.3f\nFPS:%d\nActive entity:%d\n\nCamera "
                     "X:%d\nCamera Y:%d\nPress space to preview the entity\nToggle grids with "
                     "G\nHold CTRL + Left Mouse to drag\nPress M to change between items and "
                     "entities.",
                     static_cast<double>(TheEditorClock().delta), currentFps,
                     static_cast<int>(TheEditorWorld().Entities().Visible().size()),
                     static_cast<int>(std::lround(cameraX)),
                     static_cast<int>(std::lround(cameraY)));
    if (zoom != 1) {
        // Under the help block, whose eleven lines the font's height spaces.
        textFont->printf(static_cast<float>(screenWidth), 10 + 11 * textFont->GetHeight(),
                         BitmapFont::kRight, "Zoom: %d%% (mouse wheel)",
                         static_cast<int>(std::lround(zoom * 100)));
    }
    textFont->Render(static_cast<float>(screenWidth - 10), statusTop - textFont->GetHeight() - 4,
                     BitmapFont::kRight, kCredits);
}

float Editor::DrawStatusLine() {
    // Along the bottom of the view, right of the panel.
    return Status().Draw(*textFont, EditorPanel::kWidth + 10, static_cast<float>(screenHeight) - 4,
                         static_cast<float>(screenWidth) - 10);
}
