// A headless engine working in its own folder, so scripts and images are
// written there and named by short relative paths in the log lines.
#pragma once

#include "tests/support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

class ResourceTestFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_oldDir = std::filesystem::current_path();
        std::filesystem::current_path(m_engine.Dir());
    }
    void TearDown() override { std::filesystem::current_path(m_oldDir); }

    void Write(const std::string& name, const std::string& text) {
        testing_support::WriteFile(m_engine.Dir() + "/" + name, text);
    }

    // A 4 x 2 opaque red PNG.
    void WriteImage(const std::string& name) {
        static const unsigned char kPng[] = {
            0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49,
            0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06,
            0x00, 0x00, 0x00, 0x7f, 0xa8, 0x7d, 0x63, 0x00, 0x00, 0x00, 0x12, 0x49, 0x44,
            0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8, 0xcf, 0xc0, 0xf0, 0x1f, 0x19, 0x33, 0xa0,
            0x0b, 0x00, 0x00, 0x0f, 0x21, 0x0f, 0xf1, 0x04, 0x37, 0xc6, 0x9f, 0x00, 0x00,
            0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
        Write(name, std::string(reinterpret_cast<const char*>(kPng), sizeof kPng));
    }

    // The log lines that mention a script (the engine logs other things too).
    std::vector<std::string> ScriptMessages() const {
        std::vector<std::string> lines;
        std::istringstream log(m_engine.ReadLog());
        for (std::string line; std::getline(log, line);) {
            if (line.find(".res") != std::string::npos)
                lines.push_back(line);
        }
        return lines;
    }

    testing_support::HeadlessEngine m_engine;

private:
    std::filesystem::path m_oldDir;
};
