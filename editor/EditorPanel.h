// The strip along the editor's left edge: the list of entity, item or
// effect definitions, its scroll slider, the selected definition's thumbnail and
// information, the preview under the cursor, and the save, open and exit
// buttons.
#pragma once

#include "editor/ListFilter.h"
#include "editor/PanelLayout.h"
#include "platform/engine/Engine.h"

#include <memory>
#include <string>
#include <vector>

class BitmapFont;
class EditorDefinitions;
class GuiListbox;
class GuiManager;
class GuiSlider;
class ResourceManager;
class Sprite;

class EditorPanel {
public:
    // What UpdatePanel reports.
    enum class Command { None, Save, Open, Exit };

    static constexpr int kListId = 1;
    static constexpr int kSliderId = 2;
    static constexpr int kSaveId = 3;
    static constexpr int kExitId = 4;
    static constexpr int kOpenId = 5;
    static constexpr float kWidth = 168;
    static constexpr float kListWidth = 139;

    EditorPanel();
    ~EditorPanel();
    EditorPanel(const EditorPanel&) = delete;
    EditorPanel& operator=(const EditorPanel&) = delete;

    // Loads the two textures, makes the widgets inside gui (which owns them)
    // and fills the list with the entities.
    void Build(GuiManager& gui, BitmapFont* font, const EditorDefinitions& definitions,
               ResourceManager* resources, int screenHeight);

    // mode 2: the entity definitions, mode 1: the items, mode 3: the effects,
    // those the filter keeps; the selected name stays selected when it is
    // still listed.
    void FillList(int mode);
    // A character typed while the pointer is over the panel (Backspace
    // included) goes to the filter; true when it changed the list.
    bool TypeFilter(int character);
    // Esc over the panel: true when there was a filter to clear.
    bool ClearFilter();
    const ListFilter& Filter() const { return m_filter; }
    // Switches to the mode, clears a filter that hides the name and selects
    // it, scrolled into view. False when the mode has no such definition.
    bool SelectName(int mode, const std::string& name);
    // Where the information text of the list's pick goes (the inspector's
    // lines come first); shown = false leaves it out.
    void PlaceInfo(bool shown, float y) {
        m_infoShown = shown;
        m_infoY = y;
    }
    const PanelLayout& Layout() const { return m_layout; }
    // Runs the widgets for a frame and couples the list with the slider.
    Command UpdatePanel(float dt);
    // In screen space; the preview goes at the snapped cursor's screen
    // position when preview is on.
    void RenderPanel(bool preview, float previewX, float previewY, float zoom = 1);

    // The name of the selected definition, or empty when the list is empty.
    std::string SelectedName() const;
    int Mode() const { return m_mode; }
    GuiListbox* List() const { return m_list; }
    GuiSlider* Slider() const { return m_slider; }
    HTEXTURE MenuTexture() const { return m_menuTexture; }

private:
    // The selected definition's sprite name, or empty.
    std::string SpriteNameOf(const std::string& name) const;
    void RenderInfo(const std::string& name);
    // The panel art cut in slices around a list of the window's height.
    void RenderArt();
    // The list's line of the full name, or -1.
    int LineOf(const std::string& name) const;
    // The name as its list line shows it: cut with "…" where it would not
    // fit the line.
    std::string Shortened(const std::string& name) const;

    Engine* m_engine;
    GuiManager* m_gui = nullptr;
    GuiListbox* m_list = nullptr;               // owned by the GUI
    GuiSlider* m_slider = nullptr;              // owned by the GUI
    std::vector<std::unique_ptr<Sprite>> m_art; // slices, see RenderArt
    PanelLayout m_layout{768};
    ListFilter m_filter;
    bool m_infoShown = true;
    float m_infoY = 0;
    Sprite* m_current = nullptr; // owned by the resource manager
    HTEXTURE m_sliderTexture = 0;
    HTEXTURE m_menuTexture = 0;
    BitmapFont* m_font = nullptr;
    const EditorDefinitions* m_definitions = nullptr;
    ResourceManager* m_resources = nullptr;
    int m_mode = 2;
    std::vector<std::string> m_names; // the list's lines in full
};

EditorPanel& TheEditorPanel();
