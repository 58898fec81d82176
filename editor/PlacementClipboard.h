// Copy and paste of placements: the selected ones of every kind, kept as
// names and positions, pasted as a group of the same shape.
#pragma once

#include <string>
#include <vector>

class EditorDefinitions;
class EditorWorld;

class PlacementClipboard {
public:
    // Takes the selected placements (visible and off screen); an empty
    // selection leaves the clipboard as it was. Returns how many.
    std::size_t Copy(const EditorWorld& world);
    // Adds the copies with the group's visible top-left (that of the union
    // of their boxes) at (x, y); they become the whole selection. False
    // (and nothing changes) when there is nothing to paste.
    bool Paste(EditorWorld& world, float x, float y, const EditorDefinitions& definitions) const;
    bool Empty() const { return m_entries.empty(); }

private:
    struct Entry {
        int kind; // index into EditorWorld::AllLists()
        std::string name;
        float x, y; // the position, from the top-left of the group's boxes
    };
    std::vector<Entry> m_entries;
};
