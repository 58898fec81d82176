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

void DefinitionReload::Start() {
    m_watches.clear();
    for (const char* file : {EditorDefinitions::kEntityFile, EditorDefinitions::kItemFile,
                             EditorDefinitions::kEffectFile}) {
        m_watches.push_back(std::make_unique<FileWatch>(file));
    }
}

bool DefinitionReload::Poll(float time) {
    if (time - m_lastLook < kInterval) {
        return false;
    }
    m_lastLook = time;
    bool changed = false;
    for (const auto& watch : m_watches) {
        changed = watch->Changed() || changed; // each one's notices are taken
    }
    return changed;
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
