#include "editor/Editor.h"

#include "platform/registry/Registry.h"

namespace {

struct EditorHandle {
    Editor* editor = nullptr;
};

} // namespace

void SetTheEditor(Editor* editor) {
    Registry::Current().Get<EditorHandle>().editor = editor;
}

Editor* TheEditor() {
    return Registry::Current().Get<EditorHandle>().editor;
}
