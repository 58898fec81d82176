// The map editor's entry point: reads the command line, enters the content
// folder and runs the editor, whose construction is the whole program.
#include "editor/Editor.h"
#include "platform/engine/ProgramStart.h"

#include <new>

int main(int argc, char** argv) {
    if (int code = PrepareProgram(argc, argv, "duskmaw-editor"); code >= 0) {
        return code;
    }
    // The editor object is never destroyed: the process exit reclaims it.
    Editor* editor = new (std::nothrow) Editor();
    (void)editor;
    return 0;
}
