// The records of one kind by name: an open-addressing table of record
// pointers keyed by the records' own name fields, so a script of thousands
// of definitions checks and files each name without allocating per record.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class ResDesc;

class ResourceNameIndex {
public:
    ResDesc* Find(std::string_view name) const;
    // Files the record under its name; a record of the same name is
    // replaced, as the newest is the one a list walk meets first.
    void Insert(ResDesc* record);
    void Clear();

private:
    struct Slot {
        std::uint32_t hash = 0;
        ResDesc* record = nullptr;
    };
    static std::uint32_t Hash(std::string_view name);
    void Grow();

    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
    // The record the last successful Find returned, tried first.
    mutable ResDesc* m_lastFound = nullptr;
};
