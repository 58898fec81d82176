// Reads a whole content folder the way the game and the editor do and tells
// the report everything that is broken or points nowhere. The working
// directory must be the content folder and a headless engine must exist.
#pragma once

class CheckReport;

// logPath: the engine's log, where the resource script's parser writes.
void CheckContent(CheckReport& report, const char* logPath);
