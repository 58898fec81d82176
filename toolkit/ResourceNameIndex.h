// The records of one kind by name: an open-addressing table of record
// pointers keyed by the records' own name fields, so a script of thousands
// of definitions checks and files each name without allocating per record.
#pragma once

#include "toolkit/ResDesc.h"

#include <cstdint>
#include <string_view>
#include <vector>

class ResourceNameIndex {
public:
    ResDesc* Find(std::string_view name) const { return Find(name, Hash(name)); }
    // Files the record under its name; a record of the same name is
    // replaced, as the newest is the one a list walk meets first.
    void Insert(ResDesc* record) { Insert(record, Hash(record->m_name)); }
    void Clear();

    // The same with the name's Hash given, for a caller that both looks a
    // name up and then files a record of that name.
    static std::uint32_t Hash(std::string_view name);
    ResDesc* Find(std::string_view name, std::uint32_t hash) const;
    void Insert(ResDesc* record, std::uint32_t hash);

private:
    struct Slot {
        std::uint32_t hash = 0;
        ResDesc* record = nullptr;
    };
    void Grow();

    // A power of two of slots and one more, unused, that Grow needs.
    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
    // The record the last successful Find returned, tried first.
    mutable ResDesc* m_lastFound = nullptr;
};
