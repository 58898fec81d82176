// Writes one JSON object per frame with what can be observed of the editor,
// for scenario tests and tools (see docs/trace.md).
#pragma once

#include "toolkit/TraceFile.h"

#include <cstdio>
#include <string>

class Editor;

class EditorTrace {
public:
    explicit EditorTrace(const std::string& path);
    EditorTrace(const EditorTrace&) = delete;
    EditorTrace& operator=(const EditorTrace&) = delete;

    void Write(const Editor& editor);

private:
    TraceFile m_file;
};
