// Arrow-key nudges: the finest moves a designer makes, kept as one undo step
// per burst so that undo does not walk back a pixel at a time.
#include "editor/Editor.h"
#include "editor/EditorClock.h"
#include "editor/EditorDocument.h"
#include "editor/EditorWorld.h"

namespace {

// Nudges closer together than this (seconds) are one burst.
constexpr float kBurstGap = 1.0f;
constexpr float kGridStep = 32.0f;

} // namespace

void Editor::Nudge(int key) {
    float dx = 0;
    float dy = 0;
    switch (key) {
    case VK_LEFT:
        dx = -1;
        break;
    case VK_RIGHT:
        dx = 1;
        break;
    case VK_UP:
        dy = -1;
        break;
    case VK_DOWN:
        dy = 1;
        break;
    default:
        return;
    }
    EditorWorld& world = TheEditorWorld();
    // The list box keeps its arrows while it has the focus.
    if (!m_document || !world.AnySelected() || (gui && gui->GetFocus())) {
        return;
    }
    if (engine->Input_GetKeyState(VK_SHIFT)) {
        dx *= kGridStep;
        dy *= kGridStep;
    }
    const float now = TheEditorClock().time;
    const bool sameBurst = m_nudgeTime >= 0 && now - m_nudgeTime <= kBurstGap &&
                           m_document->UndoDepth() == m_nudgeDepth && m_document->RedoDepth() == 0;
    if (!sameBurst) {
        m_document->Commit(m_document->Snapshot());
    }
    world.MoveSelected(dx, dy);
    m_nudgeTime = now;
    m_nudgeDepth = m_document->UndoDepth();
}
