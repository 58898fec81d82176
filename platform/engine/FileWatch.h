// Tells when a file has changed on disk: written in place, replaced by a
// rename (as every save here is), made anew or removed. Change notices from the
// system where it has them (inotify on Linux), else the file's time looked
// at once a second. Never blocks.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

class FileWatch {
public:
    explicit FileWatch(std::string path);
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    // True once for each burst of changes since the last call.
    bool Changed();
    // Notices from the system (false: polling).
    bool Notified() const { return m_notify >= 0; }
    const std::string& Path() const { return m_path; }

private:
    bool PollTime();
    std::filesystem::file_time_type TimeNow() const;

    std::string m_path;
    int m_notify = -1; // the notice descriptor, or -1
    std::filesystem::file_time_type m_time{};
    std::chrono::steady_clock::time_point m_lastPoll{};
};
