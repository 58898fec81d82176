// The panel's inspector: what the selected placements are and do (kind,
// name, position, what the definition blocks, its action in words), the
// position typed in and applied as one undo step, and with nothing
// selected the map's name, which can be typed the same way.
#pragma once

#include <string>
#include <vector>

class BitmapFont;
class EditorDocument;
class EditorWorld;
class Placement;

class Inspector {
public:
    enum class Field { None, Position, MapName };
    // Lines beyond these are summed up, so the text fits the panel.
    static constexpr std::size_t kMaxGroupLines = 5;
    static constexpr std::size_t kMaxName = 127;

    // Reads the selection (or the map) as it is now. Nothing of the world
    // is kept but names and numbers, so it may change freely afterwards.
    void Refresh(const EditorWorld& world);
    // The logical lines; the field's line shows the typed text while editing.
    const std::vector<std::string>& Lines() const { return m_lines; }
    // The line of the editable field (0 or 1).
    std::size_t FieldLine() const { return m_fieldLine; }
    bool HasSelection() const { return m_count > 0; }

    // Enter or a click on the field: typing goes to it from now on.
    void BeginEdit();
    bool Editing() const { return m_editing != Field::None; }
    Field EditedField() const { return m_editing; }
    void Cancel();
    // A typed character while editing: Enter applies (one undo step; a text
    // that does not read keeps the field open with a note), Esc cancels,
    // Backspace takes one away. True when the character was the field's.
    // Applies to the world as last refreshed.
    bool Type(int character, EditorWorld& world, EditorDocument& document);

    // The first selected placement's definition, for Pick: its mode (2
    // entities, 1 items) and name. False for none or a placeholder.
    bool Pick(int& mode, std::string& name) const;
    // The selection's position: one placement's centre, a group's top-left.
    bool SelectionPosition(float& x, float& y) const;

    // Draws the lines wrapped to the width, from (x, y); returns the height.
    float Render(BitmapFont& font, float x, float y, float width) const;
    // Where the line starts below the text's top and how high it is, drawn so.
    void LineSpan(const BitmapFont& font, float width, std::size_t line, float& top,
                  float& height) const;
    // {"lines":[...],"editing":"position"|"map"|"","text":...} for the trace.
    std::string Json() const;

    // "starts the dialogue wanderer" for the placement's definition
    // ("no definition" for a placeholder).
    static std::string ActionWords(const Placement& placement);

private:
    bool Apply(EditorWorld& world, EditorDocument& document);
    std::string FieldText() const;

    std::size_t m_count = 0; // selected placements
    float m_x = 0, m_y = 0;  // their position (SelectionPosition)
    int m_pickMode = 0;      // 0: nothing to pick
    std::string m_pickName;
    std::vector<std::string> m_lines;
    std::size_t m_fieldLine = 0;
    std::string m_mapName;
    Field m_editing = Field::None;
    std::string m_typed;
    std::string m_note; // why the typed text was not taken
};

// Text wrapped at spaces to the width in the font (a word longer than the
// width stays whole on its own line).
std::vector<std::string> WrapText(const BitmapFont& font, const std::string& text, float width);
