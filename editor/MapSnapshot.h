// The whole map as undo keeps it: every placement's name, position and
// selection, list by list, with names stored once in a shared table so
// hundreds of steps of a large map stay small.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class EditorDefinitions;
class EditorWorld;
struct MapSource;

class NameTable {
public:
    std::uint32_t Intern(const std::string& name);
    const std::string& Name(std::uint32_t index) const { return m_names[index]; }

private:
    std::vector<std::string> m_names;
    std::unordered_map<std::string, std::uint32_t> m_index;
};

struct MapSnapshot {
    struct Entry {
        std::uint32_t name;
        float x, y;
        bool selected;
        std::uint32_t source;
    };
    std::string mapName;
    std::shared_ptr<const MapSource> source;
    std::vector<Entry> entities; // visible, then off screen
    std::vector<Entry> items;
    std::vector<Entry> effects;
};

MapSnapshot TakeSnapshot(const EditorWorld& world, NameTable& names);
// Replaces every placement by the snapshot's (all off screen: the next
// update sorts them against the view) and sets the map name.
void RestoreSnapshot(EditorWorld& world, const MapSnapshot& snapshot, const NameTable& names,
                     const EditorDefinitions& definitions);
