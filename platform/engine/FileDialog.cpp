#include "platform/engine/FileDialog.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::string FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        std::string dir =
            dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::filesystem::path candidate = std::filesystem::path(dir) / name;
        if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) {
            return candidate.string();
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return "";
}

// Runs the program with the argument vector, returns its exit status and
// what it printed on standard output.
int RunCapture(const std::vector<std::string>& args, std::string& output) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return -1;
    }
    pid_t pid = fork();
    if (pid < 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        return -1;
    }
    if (pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        std::vector<char*> argv;
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    char buffer[512];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) {
        output.append(buffer, static_cast<size_t>(n));
    }
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string WithExtension(std::string path, const std::string& extension) {
    if (!extension.empty() && std::filesystem::path(path).extension().empty()) {
        path += "." + extension;
    }
    return path;
}

} // namespace

FileDialogResult RunNativeFileDialog(const FileDialogRequest& request, const std::string& title) {
    FileDialogResult result;
    std::vector<std::string> args;
    if (std::string zenity = FindProgram("zenity"); !zenity.empty()) {
        args = {zenity, "--file-selection", "--title=" + title};
        if (!request.folder.empty()) {
            args.push_back("--filename=" + request.folder + "/");
        }
        if (request.save) {
            args.push_back("--save");
            if (request.overwritePrompt) {
                args.push_back("--confirm-overwrite");
            }
        }
        for (const auto& [description, pattern] : request.filters) {
            args.push_back("--file-filter=" + description + " | " + pattern);
        }
    } else if (std::string kdialog = FindProgram("kdialog"); !kdialog.empty()) {
        std::string filter;
        for (const auto& [description, pattern] : request.filters) {
            filter += (filter.empty() ? "" : "\n") + pattern + "|" + description;
        }
        args = {kdialog,
                "--title",
                title,
                request.save ? "--getsavefilename" : "--getopenfilename",
                request.folder.empty() ? std::filesystem::current_path().string() : request.folder,
                filter};
    } else {
        result.status = FileDialogResult::Status::Unavailable;
        return result;
    }
    std::string output;
    int status = RunCapture(args, output);
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) {
        output.pop_back();
    }
    if (status == 0 && !output.empty()) {
        result.status = FileDialogResult::Status::Chosen;
        result.path = request.save ? WithExtension(output, request.defaultExtension) : output;
        result.extensionAdded = result.path != output;
    } else if (status == 127 || status < 0) {
        result.status = FileDialogResult::Status::Unavailable;
    } else {
        result.status = FileDialogResult::Status::Cancelled;
    }
    return result;
}
