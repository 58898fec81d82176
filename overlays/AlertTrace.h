// The visible alerts as the programs' traces show them.
#pragma once

#include <string>

class AlertList;

// [{"text", "x", "y", "alpha", "align"}, ...], oldest first.
std::string AlertsJson(const AlertList& alerts);
