// The strip along the editor's left edge: the list of entity, item or
// effect definitions, its scroll slider, the selected definition's thumbnail and
// information, the preview under the cursor, and the save, open and exit
// buttons.
#pragma once

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

    // mode 2: the entity definitions, mode 1: the items, mode 3: the effects.
    void FillList(int mode);
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
    // The name as its list line shows it: cut with "…" where it would not
    // fit the line.
    std::string Shortened(const std::string& name) const;

    Engine* m_engine;
    GuiManager* m_gui = nullptr;
    GuiListbox* m_list = nullptr;  // owned by the GUI
    GuiSlider* m_slider = nullptr; // owned by the GUI
    std::unique_ptr<Sprite> m_top;
    std::unique_ptr<Sprite> m_bottom;
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
