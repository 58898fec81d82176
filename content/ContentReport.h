// Where the readers of content files say what went wrong. The programs show
// the load message and log the rest; the content checker collects it all.
#pragma once

#include <string>

class Engine;

class ContentReport {
public:
    virtual ~ContentReport() = default;
    // The file is missing or is not well-formed XML.
    virtual void CannotLoad(const std::string& path) = 0;
    // Before CannotLoad, for a file that is there but is not well-formed:
    // where the XML breaks. Only the checker wants it.
    virtual void Unparsable(const std::string&, int, const std::string&) {}
    // Something in the file was skipped or replaced; line 0 when unknown.
    virtual void Problem(const std::string& path, int line, const std::string& what) = 0;
};

// The programs' report: the "Error" message box for a file that cannot be
// loaded, one log line "path:line: what" for everything else.
class EngineContentReport : public ContentReport {
public:
    explicit EngineContentReport(Engine& engine) : m_engine(engine) {}
    void CannotLoad(const std::string& path) override;
    void Problem(const std::string& path, int line, const std::string& what) override;

private:
    Engine& m_engine;
};

// The text of the load message for a path.
std::string CannotLoadText(const std::string& path);
