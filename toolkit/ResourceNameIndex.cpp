#include "toolkit/ResourceNameIndex.h"

#include <cstring>

std::uint32_t ResourceNameIndex::Hash(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash;
}

namespace {

// The field is NUL-terminated and the name holds no NUL, so comparing the
// name's characters and then the field's end needs no length of the field.
bool SameName(const char* field, std::string_view name) {
    return !name.empty() ? field[0] == name[0] && field[name.size()] == '\0' &&
                               std::memcmp(field, name.data(), name.size()) == 0
                         : field[0] == '\0';
}

} // namespace

ResDesc* ResourceNameIndex::Find(std::string_view name, std::uint32_t hash) const {
    // Sprites of one texture ask for it one after another.
    if (m_lastFound && SameName(m_lastFound->m_name, name)) {
        return m_lastFound;
    }
    if (m_slots.empty()) {
        return nullptr;
    }
    const std::size_t mask = m_slots.size() - 2;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (!slot.record) {
            return nullptr;
        }
        if (slot.hash == hash && SameName(slot.record->m_name, name)) {
            m_lastFound = slot.record;
            return slot.record;
        }
    }
}

void ResourceNameIndex::Insert(ResDesc* record, std::uint32_t hash) {
    // At most half full, so every probe ends at an empty slot soon.
    if (m_slots.empty() || 2 * (m_used + 1) > m_slots.size() - 1) {
        Grow();
    }
    const std::string_view name = record->m_name;
    const std::size_t mask = m_slots.size() - 2;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (!slot.record) {
            slot = Slot{hash, record};
            ++m_used;
            return;
        }
        if (slot.hash == hash && SameName(slot.record->m_name, name)) {
            slot.record = record;
            m_lastFound = nullptr;
            return;
        }
    }
}

void ResourceNameIndex::Grow() {
    std::vector<Slot> old = std::move(m_slots);
    const std::size_t capacity = old.empty() ? 64 : 2 * (old.size() - 1);
    // One slot past the table takes the empty slots of the old one, so
    // moving them needs no branch on whether a slot is empty, which half
    // the slots are and which no predictor can foresee.
    m_slots.assign(capacity + 1, Slot{});
    const std::size_t mask = capacity - 1;
    for (const Slot& slot : old) {
        std::size_t i = slot.record ? slot.hash & mask : capacity;
        while (m_slots[i].record) {
            i = (i + 1) & mask;
        }
        m_slots[i] = slot;
    }
    m_slots[capacity] = Slot{};
}

void ResourceNameIndex::Clear() {
    m_slots.clear();
    m_lastFound = nullptr;
    m_used = 0;
}
