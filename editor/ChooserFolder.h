// What the in-editor file chooser lists for a folder: ".." (unless at the
// root), the files that match the filter, then the subfolders, each group
// by name in byte order.
#pragma once

#include <string>
#include <vector>

struct ChooserEntry {
    enum class Kind { Parent, Folder, File };
    Kind kind;
    std::string name;
    // As the list shows it: folders end in "/".
    std::string Label() const;
};

// An unreadable folder lists only "..".
std::vector<ChooserEntry> ListFolder(const std::string& folder, const std::string& pattern);
