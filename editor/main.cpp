// The map editor's entry point: reads the command line, enters the content
// folder and runs the editor, whose construction is the whole program.
#include "editor/Editor.h"
#include "platform/engine/EngineOptions.h"

#include <cstdio>
#include <new>

int main(int argc, char** argv) {
    EngineOptions options;
    OptionsParseResult parsed = ParseEngineOptions(argc, argv, options);
    if (!parsed.ok || parsed.help) {
        std::fprintf(parsed.ok ? stdout : stderr, "%s%s%s", parsed.error.c_str(),
                     parsed.ok ? "" : "\n", EngineOptionsUsage(argv[0]).c_str());
        return parsed.ok ? 0 : 2;
    }
    SetEngineOptions(options);
    if (EnterDataDirectory(options, argv[0]).empty()) {
        std::fprintf(stderr, "duskmaw-editor: no content folder found (use --data DIR)\n");
        return 1;
    }
    // The editor object is never destroyed: the process exit reclaims it.
    Editor* editor = new (std::nothrow) Editor();
    (void)editor;
    return 0;
}
