#include "platform/engine/EngineLog.h"

EngineLog::~EngineLog() {
    Close();
}

void EngineLog::Open(const std::string& path) {
    Close();
    m_path = path;
    if (path.empty()) {
        return;
    }
    m_file = std::fopen(path.c_str(), "w");
    if (!m_file) {
        std::fprintf(stderr, "engine: cannot write the log file %s\n", path.c_str());
        return;
    }
    for (const std::string& line : m_pending) {
        std::fprintf(m_file, "%s\n", line.c_str());
    }
    m_pending.clear();
    std::fflush(m_file);
}

void EngineLog::Close() {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

void EngineLog::Write(const std::string& line) {
    if (!m_file) {
        m_pending.push_back(line);
        return;
    }
    std::fprintf(m_file, "%s\n", line.c_str());
    std::fflush(m_file);
}
