// Runs one of the project's programs as a user would, for scenario tests.
#pragma once

#include <string>
#include <vector>

struct ProgramResult {
    int exitCode = -1;
    std::string output; // standard output and error together
};

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args);
