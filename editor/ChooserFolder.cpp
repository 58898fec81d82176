#include "editor/ChooserFolder.h"

#include "editor/MapDialogs.h"

#include <algorithm>
#include <filesystem>

std::string ChooserEntry::Label() const {
    return kind == Kind::Folder ? name + "/" : name;
}

std::vector<ChooserEntry> ListFolder(const std::string& folder, const std::string& pattern) {
    namespace fs = std::filesystem;
    std::vector<ChooserEntry> folders;
    std::vector<ChooserEntry> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error),
         end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code kindError;
        if (it->is_directory(kindError)) {
            folders.push_back({ChooserEntry::Kind::Folder, name});
        } else if (MatchesPattern(name, pattern)) {
            files.push_back({ChooserEntry::Kind::File, name});
        }
    }
    auto byName = [](const ChooserEntry& a, const ChooserEntry& b) { return a.name < b.name; };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    std::vector<ChooserEntry> entries;
    if (fs::path(folder).has_relative_path()) {
        entries.push_back({ChooserEntry::Kind::Parent, ".."});
    }
    // Map files first: they are what the chooser is for.
    entries.insert(entries.end(), files.begin(), files.end());
    entries.insert(entries.end(), folders.begin(), folders.end());
    return entries;
}
