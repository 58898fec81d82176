#include "editor/EditorTrace.h"

#include "editor/Editor.h"
#include "editor/EditorClock.h"
#include "editor/EditorDocument.h"
#include "editor/EditorPanel.h"
#include "editor/EditorWorld.h"
#include "editor/MapCommands.h"
#include "overlays/AlertList.h"
#include "overlays/AlertTrace.h"
#include "platform/registry/Registry.h"
#include "toolkit/GuiListbox.h"
#include "toolkit/GuiSlider.h"
#include "toolkit/JsonText.h"

#include <sstream>

namespace {

const char* Bool(bool value) {
    return value ? "true" : "false";
}

void WritePlacements(std::ostringstream& o, const PlacementLists& lists, const char* kind,
                     bool& first) {
    for (const PlacementLists::List* list : {&lists.Visible(), &lists.Offscreen()}) {
        const bool visible = list == &lists.Visible();
        for (const auto& p : *list) {
            o << (first ? "" : ",") << "{\"kind\":\"" << kind
              << "\",\"name\":" << JsonString(p->name) << ",\"x\":" << p->x << ",\"y\":" << p->y
              << ",\"selected\":" << Bool(p->selected) << ",\"visible\":" << Bool(visible)
              << ",\"missing\":" << Bool(p->Missing()) << "}";
            first = false;
        }
    }
}

} // namespace

EditorTrace::EditorTrace(const std::string& path) : m_file(path) {}

void EditorTrace::Write(const Editor& editor) {
    if (!m_file.IsOpen()) {
        return;
    }
    const EditorClock& clock = TheEditorClock();
    const EditorPanel& panel = TheEditorPanel();
    const EditorWorld& world = TheEditorWorld();
    std::ostringstream o;
    o.precision(9);
    o << "{\"frame\":" << editor.engine->System_GetFrame() << ",\"time\":" << clock.time
      << ",\"dt\":" << clock.delta << ",\"mode\":" << editor.mode << ",\"camera\":["
      << editor.cameraX << "," << editor.cameraY << "],\"mouse\":[" << editor.mouseX << ","
      << editor.mouseY << "],\"grid\":" << Bool(editor.grid)
      << ",\"preview\":" << Bool(editor.preview) << ",\"cursor\":[" << editor.cursorWorldX << ","
      << editor.cursorWorldY << "],\"selected_name\":" << JsonString(panel.SelectedName())
      << ",\"dragging\":" << Bool(editor.dragging) << ",\"fps\":{\"current\":" << editor.currentFps
      << ",\"worst\":" << editor.worstFps << ",\"best\":" << editor.bestFps
      << ",\"average\":" << editor.averageFps << "}";
    if (const CollisionBox* box = editor.selectionBox.get()) {
        o << ",\"selection_box\":[" << box->Left() << "," << box->Top() << "," << box->Width()
          << "," << box->Height() << "]";
    }
    if (const GuiListbox* list = panel.List()) {
        o << ",\"list\":{\"lines\":" << list->GetLineCount()
          << ",\"selected\":" << list->GetSelected() << ",\"top\":" << list->GetTop()
          << ",\"line\":"
          << JsonString(list->GetLine(list->GetSelected()) ? list->GetLine(list->GetSelected())
                                                           : "")
          << "}";
    }
    if (const GuiSlider* slider = panel.Slider()) {
        o << ",\"slider\":{\"value\":" << slider->GetValue() << ",\"max\":" << slider->GetMaximum()
          << "}";
    }
    if (const MapCommands* commands = editor.Commands()) {
        const FileChooser& chooser = commands->Chooser();
        o << ",\"chooser\":{\"open\":" << Bool(chooser.IsOpen())
          << ",\"folder\":" << JsonString(chooser.Folder())
          << ",\"name\":" << JsonString(chooser.Name()) << ",\"asking\":" << Bool(chooser.Asking())
          << "}";
    }
    if (const EditorDocument* document = editor.Document()) {
        o << ",\"zoom\":" << editor.zoom << ",\"modified\":" << Bool(document->Modified())
          << ",\"undo_depth\":" << document->UndoDepth()
          << ",\"redo_depth\":" << document->RedoDepth()
          << ",\"file\":" << JsonString(document->File())
          << ",\"recovery\":" << JsonString(editor.Recovery().Written())
          << ",\"question\":" << JsonString(editor.LastQuestion())
          << ",\"status\":" << JsonString(editor.StatusText())
          << ",\"inspector\":" << editor.Inspection().Json()
          << ",\"hover\":" << JsonString(editor.Hover().Text())
          << ",\"help\":" << Bool(editor.HelpShown())
          << ",\"playtest\":" << Bool(editor.Playing().Running())
          << ",\"title\":" << JsonString(editor.engine->System_GetState(ENGINE_TITLE));
    }
    o << ",\"alerts\":" << AlertsJson(Registry::Current().Get<AlertList>())
      << ",\"map\":" << JsonString(world.mapName)
      << ",\"visible_entities\":" << world.Entities().Visible().size()
      << ",\"ground_locked\":" << Bool(world.groundLocked)
      << ",\"missing_placements\":" << world.MissingCount() << ",\"placements\":[";
    bool first = true;
    WritePlacements(o, world.Entities(), "entity", first);
    WritePlacements(o, world.Effects(), "effect", first);
    WritePlacements(o, world.Items(), "item", first);
    o << "]}";
    m_file.WriteLine(o.str());
}
