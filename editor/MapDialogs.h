// How the editor asks for a map file: the request both dialogs share and
// what a chosen name becomes.
#pragma once

#include "platform/engine/Engine.h"

#include <string>

// "Duskmaw Map Files" (*.xml) and "All Files" (*.*), default extension
// "xml", the overwrite question when saving.
FileDialogRequest MapDialogRequest(bool save);

// Where the file dialogs start: the open map's folder, or the content
// folder's maps/ for a new map (not wherever the last browse ended, so a
// Save As does not land among the definition files).
std::string DialogFolder(const std::string& mapFile);

// A name typed without an extension gets the default one. When opening, a
// file that exists under the name as typed is taken as it is.
std::string WithDefaultExtension(const std::string& path, const std::string& extension, bool save);

// True when the file name matches a filter pattern ("*.*", "*.xml"; the
// extension compared without regard to case).
bool MatchesPattern(const std::string& fileName, const std::string& pattern);
