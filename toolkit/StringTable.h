// Named texts read from a "[STRINGTABLE]" file; books and dialogue use them.
#pragma once

#include "platform/engine/Engine.h"

#include <memory>
#include <string>

class StringTable {
public:
    static constexpr int kMaxName = 63;
    static constexpr int kMaxText = 8191;

    // A file that cannot be read gives an empty table, silently.
    explicit StringTable(const char* file);
    ~StringTable();
    StringTable(const StringTable&) = delete;
    StringTable& operator=(const StringTable&) = delete;

    // The last text defined under name in the file, or nullptr.
    const char* GetString(const char* name) const;

private:
    struct Entry {
        char name[kMaxName + 1];
        std::string text;
        std::unique_ptr<Entry> next;
    };

    void Parse(const char* file, const char* text);
    void Add(const char* name, std::string text);

    Engine* m_engine = nullptr;
    std::unique_ptr<Entry> m_head; // newest first
};
