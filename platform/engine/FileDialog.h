// Native open/save dialogs through a desktop helper program (zenity or
// kdialog), started without a shell. Unavailable when neither is installed.
#pragma once

#include "platform/engine/Engine.h"

FileDialogResult RunNativeFileDialog(const FileDialogRequest& request, const std::string& title);
