#include "content/ContentReport.h"

#include "platform/engine/Engine.h"

std::string CannotLoadText(const std::string& path) {
    return "The parser cannot load the XML document, located at: " + path;
}

void EngineContentReport::CannotLoad(const std::string& path) {
    m_engine.System_MessageBox("Error", CannotLoadText(path).c_str(), true);
}

void EngineContentReport::Problem(const std::string& path, int line, const std::string& what) {
    m_engine.System_Log("%s:%d: %s", path.c_str(), line, what.c_str());
}
