#include "toolkit/TraceFile.h"

TraceFile::TraceFile(const std::string& path) : m_file(std::fopen(path.c_str(), "w")) {
    if (!m_file) {
        std::fprintf(stderr, "cannot write the trace %s\n", path.c_str());
    }
}

TraceFile::~TraceFile() {
    if (m_file) {
        std::fclose(m_file);
    }
}

void TraceFile::WriteLine(const std::string& line) {
    if (m_file) {
        std::fputs(line.c_str(), m_file);
        std::fputc('\n', m_file);
        std::fflush(m_file);
    }
}
