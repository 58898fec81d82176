#include "editor/MapDialogs.h"

#include <cctype>
#include <filesystem>

FileDialogRequest MapDialogRequest(bool save) {
    FileDialogRequest request;
    request.save = save;
    request.filters = {{"Duskmaw Map Files", "*.xml"}, {"All Files", "*.*"}};
    request.defaultExtension = "xml";
    request.overwritePrompt = true;
    return request;
}

std::string DialogFolder(const std::string& mapFile) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path folder = mapFile.empty() ? fs::path("maps") : fs::path(mapFile).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    const fs::path absolute = fs::absolute(folder, error);
    return (error ? folder : absolute).lexically_normal().string();
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension, bool save) {
    namespace fs = std::filesystem;
    if (path.empty() || extension.empty() || fs::path(path).has_extension()) {
        return path;
    }
    std::error_code error;
    if (!save && fs::is_regular_file(path, error)) {
        return path;
    }
    return path + "." + extension;
}

bool MatchesPattern(const std::string& fileName, const std::string& pattern) {
    if (pattern == "*.*" || pattern == "*") {
        return true;
    }
    if (pattern.size() < 2 || pattern.compare(0, 2, "*.") != 0) {
        return fileName == pattern;
    }
    const std::string suffix = pattern.substr(1);
    if (fileName.size() <= suffix.size()) {
        return false;
    }
    const std::size_t start = fileName.size() - suffix.size();
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(fileName[start + i])) !=
            std::tolower(static_cast<unsigned char>(suffix[i]))) {
            return false;
        }
    }
    return true;
}
