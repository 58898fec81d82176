// The one home of a process's long-lived instances (sound, definitions,
// player, world...). Each is created on first use through Get<T>() and lives
// until the registry is reset; tests reset it to start from a fresh one.
#pragma once

#include <memory>
#include <typeindex>
#include <unordered_map>
#include <vector>

class Registry {
public:
    // Never destroyed: the programs' instances live until the process ends
    // (tests call Reset to start afresh).
    static Registry& Current() {
        static Registry* registry = new Registry;
        return *registry;
    }

    // Creates T on first use. T must be default-constructible; construction
    // may itself reach other instances through the registry.
    template <typename T> T& Get() {
        auto found = m_index.find(std::type_index(typeid(T)));
        if (found != m_index.end()) {
            return *static_cast<T*>(m_entries[found->second].object);
        }
        auto owned = std::make_unique<T>();
        T* object = owned.get();
        m_entries.push_back(
            Entry{std::type_index(typeid(T)), object, [](void* p) { delete static_cast<T*>(p); }});
        m_index.emplace(std::type_index(typeid(T)), m_entries.size() - 1);
        owned.release();
        return *object;
    }

    template <typename T> bool Has() const {
        return m_index.count(std::type_index(typeid(T))) != 0;
    }

    // Destroys every instance, newest first, so later ones may still use the
    // ones they were built on while they go.
    void Reset() {
        while (!m_entries.empty()) {
            Entry entry = m_entries.back();
            m_entries.pop_back();
            m_index.erase(entry.type);
            entry.destroy(entry.object);
        }
    }

    ~Registry() { Reset(); }

private:
    struct Entry {
        std::type_index type;
        void* object;
        void (*destroy)(void*);
    };
    std::vector<Entry> m_entries;
    std::unordered_map<std::type_index, std::size_t> m_index;
};
