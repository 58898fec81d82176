// The file a program's per-frame trace goes to: one line a frame, flushed
// at once so a run that ends badly still shows its last frames.
#pragma once

#include <cstdio>
#include <string>

class TraceFile {
public:
    // A file that cannot be written is said on stderr; lines then go nowhere.
    explicit TraceFile(const std::string& path);
    ~TraceFile();
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    void WriteLine(const std::string& line);

private:
    std::FILE* m_file = nullptr;
};
