#include "editor/DefinitionReload.h"

#include "content/ContentReport.h"
#include "editor/EditorDefinitions.h"
#include "editor/EditorWorld.h"
#include "editor/MapSnapshot.h"

namespace {

// Notes why a file was not read; problems inside a file that reads are the
// reader's usual skips.
class ReloadReport : public ContentReport {
public:
    void CannotLoad(const std::string& path) override { failure = path + " cannot be read"; }
    void Problem(const std::string&, int, const std::string&) override {}
    std::string failure;
};

} // namespace

DefinitionReload::DefinitionReload()
    : m_files{EditorDefinitions::kEntityFile, EditorDefinitions::kItemFile,
              "resources/effects.xml"} {}

std::vector<DefinitionReload::Seen> DefinitionReload::Look() const {
    std::vector<Seen> seen;
    for (const std::string& file : m_files) {
        std::error_code error;
        Seen s;
        s.time = std::filesystem::last_write_time(file, error);
        s.exists = !error;
        s.size = s.exists ? std::filesystem::file_size(file, error) : 0;
        seen.push_back(error ? Seen{} : s);
    }
    return seen;
}

void DefinitionReload::Start() {
    m_seen = Look();
}

bool DefinitionReload::Poll(float time) {
    if (time - m_lastLook < kInterval) {
        return false;
    }
    m_lastLook = time;
    std::vector<Seen> now = Look();
    if (now == m_seen) {
        return false;
    }
    m_seen = std::move(now);
    return true;
}

bool ReloadDefinitions(EditorDefinitions& definitions, EditorWorld& world, std::string& error) {
    ReloadReport report;
    EditorDefinitions fresh;
    fresh.Load(report);
    if (!report.failure.empty()) {
        error = report.failure;
        return false;
    }
    // The placements point into the store: they are made again from their
    // names once it holds the new definitions.
    NameTable names;
    const MapSnapshot placed = TakeSnapshot(world, names);
    definitions = std::move(fresh);
    RestoreSnapshot(world, placed, names, definitions);
    return true;
}
