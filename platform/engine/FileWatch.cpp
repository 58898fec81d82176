#include "platform/engine/FileWatch.h"

#if defined(__linux__)
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace {

constexpr std::chrono::seconds kPollEvery{1};

} // namespace

FileWatch::FileWatch(std::string path) : m_path(std::move(path)) {
    m_time = TimeNow();
#if defined(__linux__)
    // The folder is watched, not the file: a save renames a new file over
    // the old one, whose own watch would go with it.
    std::filesystem::path folder = std::filesystem::path(m_path).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    m_notify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_notify >= 0 &&
        inotify_add_watch(m_notify, folder.c_str(),
                          IN_CLOSE_WRITE | IN_MOVED_TO | IN_DELETE | IN_MOVED_FROM) < 0) {
        close(m_notify);
        m_notify = -1;
    }
#endif
    m_lastPoll = std::chrono::steady_clock::now();
}

FileWatch::~FileWatch() {
#if defined(__linux__)
    if (m_notify >= 0) {
        close(m_notify);
    }
#endif
}

bool FileWatch::Changed() {
#if defined(__linux__)
    if (m_notify >= 0) {
        const std::string name = std::filesystem::path(m_path).filename().string();
        bool changed = false;
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t got = read(m_notify, buffer, sizeof buffer);
            if (got <= 0) {
                break;
            }
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0 && name == event->name) {
                    changed = true;
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return changed;
    }
#endif
    return PollTime();
}

bool FileWatch::PollTime() {
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastPoll < kPollEvery) {
        return false;
    }
    m_lastPoll = now;
    const auto time = TimeNow();
    if (time == m_time) {
        return false;
    }
    m_time = time;
    return true;
}

std::filesystem::file_time_type FileWatch::TimeNow() const {
    // A missing file has the least time, so its going and coming both count.
    std::error_code error;
    const auto time = std::filesystem::last_write_time(m_path, error);
    return error ? std::filesystem::file_time_type::min() : time;
}
