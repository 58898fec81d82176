// Every session a person plays leaves a recording in the state folder's
// recordings/, so a problem can be sent in and replayed; the oldest go.
#pragma once

#include <string>

// A new file name PROGRAM-YYYYMMDD-HHMMSS.rec in the recordings folder,
// after removing the oldest of PROGRAM's recordings so that, with the new
// one, `keep` stay. Empty when the folder cannot be made.
std::string NewSessionRecording(const std::string& program, int keep);
