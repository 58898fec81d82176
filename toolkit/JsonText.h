// Text as a JSON string literal, for the programs' per-frame traces.
#pragma once

#include <string>

std::string JsonString(const std::string& text);
