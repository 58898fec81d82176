#include "editor/EditorPanel.h"

#include "content/EntityDefinition.h"
#include "content/ItemDefinition.h"
#include "editor/EditorDefinitions.h"
#include "editor/PlacementResources.h"
#include "platform/registry/Registry.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/GuiButton.h"
#include "toolkit/GuiListbox.h"
#include "toolkit/GuiManager.h"
#include "toolkit/GuiSlider.h"
#include "toolkit/Sprite.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

const char* Flag(bool value) {
    return value ? "true" : "false";
}

} // namespace

EditorPanel& TheEditorPanel() {
    return Registry::Current().Get<EditorPanel>();
}

EditorPanel::EditorPanel() : m_engine(EngineCreate(ENGINE_VERSION)) {}

EditorPanel::~EditorPanel() {
    if (m_engine) {
        if (m_sliderTexture) {
            m_engine->Texture_Free(m_sliderTexture);
        }
        if (m_menuTexture) {
            m_engine->Texture_Free(m_menuTexture);
        }
        m_engine->Release();
    }
}

void EditorPanel::Build(GuiManager& gui, BitmapFont* font, const EditorDefinitions& definitions,
                        ResourceManager* resources, int screenHeight) {
    m_gui = &gui;
    m_font = font;
    m_definitions = &definitions;
    m_resources = resources;
    m_sliderTexture = m_engine->Texture_Load("gui/slider.png", 0, false);
    m_menuTexture = m_engine->Texture_Load("gui/menugui.png", 0, false);

    const float height = static_cast<float>(screenHeight);
    m_layout = PanelLayout(height);
    m_infoY = m_layout.textTop;
    const float listHeight = m_layout.ListHeight();
    m_list = new GuiListbox(kListId, 10, PanelLayout::kListTop, kListWidth, listHeight, font,
                            0xFF7697A4, 0xFFBBCBD2, 0x40D4C25A);
    m_list->SetWheelRows(3);
    m_slider = new GuiSlider(kSliderId, 152, PanelLayout::kListTop, 6, listHeight, m_sliderTexture,
                             0, 0, 6, 6, true);
    m_slider->SetMode(GuiSlider::kKnob);
    FillList(EditorDefinitions::kEntities);
    gui.AddWidget(m_list);
    gui.AddWidget(m_slider);

    // The art's rows: the header with the list frame's top, the frame's
    // middle (stretched), its bottom, the preview block, the plain column
    // (stretched) and the buttons' strip of the texture's right column.
    for (const auto& [x, y, h] :
         {std::tuple{0.0f, 0.0f, 48.0f}, std::tuple{0.0f, 48.0f, 116.0f},
          std::tuple{0.0f, 164.0f, 14.0f}, std::tuple{0.0f, 178.0f, 156.0f},
          std::tuple{168.0f, 40.0f, 400.0f}, std::tuple{168.0f, 472.0f, 40.0f}}) {
        m_art.push_back(std::make_unique<Sprite>(m_menuTexture, x, y, kWidth, h));
    }

    const float buttonsY = height - 27;
    gui.AddWidget(new GuiButton(kSaveId, 9, buttonsY, 47, 17, m_menuTexture, 336, 338));
    gui.AddWidget(new GuiButton(kExitId, 111, buttonsY, 47, 17, m_menuTexture, 336, 338));
    gui.AddWidget(new GuiButton(kOpenId, 60, buttonsY, 47, 17, m_menuTexture, 336, 338));
}

void EditorPanel::FillList(int mode) {
    // Another mode starts at its first line; the same mode keeps its pick.
    const std::string kept = mode == m_mode ? SelectedName() : "";
    m_mode = mode;
    if (!m_list) {
        return;
    }
    if (m_list->GetLineCount() > 0) {
        m_list->SetSelected(0);
    }
    m_list->Clear();
    m_names =
        m_definitions ? m_filter.Apply(m_definitions->Names(mode)) : std::vector<std::string>();
    for (const std::string& name : m_names) {
        m_list->AddLine(Shortened(name).c_str());
    }
    if (const int line = LineOf(kept); line >= 0) {
        m_list->SetSelected(line);
    }
    // The top line stays where it was unless the new list is too short for
    // it; then the list shows its last page (or starts at the top).
    const int lastTop = std::max(0, m_list->GetLineCount() - m_list->GetVisibleRows());
    m_list->SetTop(std::clamp(m_list->GetTop(), 0, lastTop));
    if (m_slider) {
        m_slider->SetMinimum(0);
        m_slider->SetMaximum(static_cast<float>(m_list->GetLineCount()));
        m_slider->SetValue(0);
    }
}

int EditorPanel::LineOf(const std::string& name) const {
    const auto found = std::find(m_names.begin(), m_names.end(), name);
    return name.empty() || found == m_names.end() ? -1 : static_cast<int>(found - m_names.begin());
}

bool EditorPanel::TypeFilter(int character) {
    if (!m_filter.Type(character)) {
        return false;
    }
    FillList(m_mode);
    return true;
}

bool EditorPanel::ClearFilter() {
    if (!m_filter.Clear()) {
        return false;
    }
    FillList(m_mode);
    return true;
}

bool EditorPanel::SelectName(int mode, const std::string& name) {
    if (!m_list || !m_definitions ||
        (mode == EditorDefinitions::kEntities ? !m_definitions->Entity(name)
                                              : !m_definitions->Item(name))) {
        return false;
    }
    if (!m_filter.Matches(name)) {
        m_filter.Clear();
    }
    if (mode != m_mode || LineOf(name) < 0) {
        FillList(mode);
    }
    const int line = LineOf(name);
    m_list->SetSelected(line);
    const int rows = std::max(1, m_list->GetVisibleRows());
    if (line < m_list->GetTop() || line >= m_list->GetTop() + rows) {
        const int lastTop = std::max(0, m_list->GetLineCount() - rows);
        m_list->SetTop(std::clamp(line - rows / 2, 0, lastTop));
    }
    if (m_slider) {
        m_slider->SetValue(static_cast<float>(m_list->GetTop()));
    }
    return true;
}

EditorPanel::Command EditorPanel::UpdatePanel(float dt) {
    if (!m_gui) {
        return Command::None;
    }
    switch (m_gui->Update(dt)) {
    case kListId:
        m_slider->SetValue(static_cast<float>(m_list->GetTop()));
        return Command::None;
    case kSliderId: {
        const long value = std::lround(m_slider->GetValue());
        if (value >= 0 && value <= m_list->GetLineCount() - m_list->GetVisibleRows()) {
            m_list->SetTop(static_cast<int>(value));
        }
        return Command::None;
    }
    case kSaveId:
        return Command::Save;
    case kOpenId:
        return Command::Open;
    case kExitId:
        return Command::Exit;
    default:
        return Command::None;
    }
}

std::string EditorPanel::SelectedName() const {
    // The full name: the line may be shortened.
    const int selected = m_list ? m_list->GetSelected() : -1;
    return selected >= 0 && selected < static_cast<int>(m_names.size())
               ? m_names[static_cast<std::size_t>(selected)]
               : "";
}

std::string EditorPanel::Shortened(const std::string& name) const {
    static const std::string kEllipsis = "\u2026";
    const float room = kListWidth - 6;
    auto fits = [&](const std::string& text) {
        return text.size() <= GuiListbox::kMaxLine &&
               (!m_font || m_font->GetStringWidth(text.c_str(), false) <= room);
    };
    if (fits(name)) {
        return name;
    }
    std::string cut = name;
    while (!cut.empty() && !fits(cut + kEllipsis)) {
        cut.pop_back();
    }
    return cut + kEllipsis;
}

std::string EditorPanel::SpriteNameOf(const std::string& name) const {
    if (!m_definitions) {
        return "";
    }
    if (m_mode == EditorDefinitions::kEntities) {
        const EntityDefinition* entity = m_definitions->Entity(name);
        return entity ? entity->spriteName : "";
    }
    if (m_mode == EditorDefinitions::kEffects) {
        return ""; // an effect is previewed playing, on the map
    }
    const ItemDefinition* item = m_definitions->Item(name);
    return item ? item->spriteName : "";
}

void EditorPanel::RenderPanel(bool preview, float previewX, float previewY, float zoom) {
    const std::string name = SelectedName();
    m_current = NamedSprite(m_resources, SpriteNameOf(name));
    if (m_current) {
        // Centred, as the placement it previews will be.
        m_current->SetHotSpot(m_current->GetWidth() / 2, m_current->GetHeight() / 2);
        m_current->SetColor(0x64FFFFFF);
        if (preview && zoom == 1) {
            m_current->Render(previewX, previewY);
        } else if (preview) {
            m_current->RenderEx(previewX, previewY, 0, zoom); // the size it will have
        }
    }
    RenderArt();
    if (m_current) {
        const float top = m_layout.thumbnailTop;
        m_current->SetColor(0xFFFFFFFF);
        m_current->Render4V(10, top, 138, top, 138, top + 128, 10, top + 128);
    }
    if (m_font && !m_filter.Text().empty()) {
        // Beside the list's title: what the list is filtered by.
        m_font->SetColor(0xFFD4C25A);
        m_font->printf(kWidth - 12, 29, BitmapFont::kRight, "\"%s\"", m_filter.Text().c_str());
    }
    if (m_infoShown) {
        RenderInfo(name);
    }
}

void EditorPanel::RenderArt() {
    if (m_art.size() != 6) {
        return;
    }
    const float bottom = m_layout.listBottom;
    m_art[0]->Render(0, 0);
    m_art[1]->RenderStretch(0, 48, kWidth, bottom - 10);
    m_art[2]->Render(0, bottom - 10);
    m_art[3]->Render(0, m_layout.previewTop);
    m_art[4]->RenderStretch(0, m_layout.previewTop + PanelLayout::kPreviewHeight, kWidth,
                            m_layout.buttonsTop);
    m_art[5]->Render(0, m_layout.buttonsTop);
}

void EditorPanel::RenderInfo(const std::string& name) {
    if (!m_font || !m_definitions) {
        return;
    }
    m_font->SetColor(0xFFFFFFFF);
    if (m_mode == EditorDefinitions::kEntities) {
        if (const EntityDefinition* entity = m_definitions->Entity(name)) {
            m_font->printf(9, m_infoY, BitmapFont::kLeft,
                           "Entity Name: %s\nSprite Name: %s\nParticle name: %s\nPlayer "
                           "Col:%s\nSpell Col:%s\nEnemy Col:%s\n",
                           name.c_str(), entity->spriteName.c_str(), entity->particleName.c_str(),
                           Flag(entity->collidesWithPlayer), Flag(entity->collidesWithSpells),
                           Flag(entity->collidesWithEnemies));
            return;
        }
    } else if (m_mode == EditorDefinitions::kEffects) {
        if (m_definitions->Effect(name)) {
            m_font->printf(9, 512, BitmapFont::kLeft, "Effect Name: %s\n", name.c_str());
            return;
        }
    } else if (const ItemDefinition* item = m_definitions->Item(name)) {
        m_font->printf(9, m_infoY, BitmapFont::kLeft,
                       "Item Name: %s\nSprite Name: %s\nParticle name: %s\nIcon name: %s\n",
                       name.c_str(), item->spriteName.c_str(), item->particleName.c_str(),
                       item->iconName.c_str());
        return;
    }
    // An empty definition file (or a filter nothing matches) leaves nothing
    // to show or to place.
    m_font->Render(9, m_infoY, BitmapFont::kLeft,
                   m_filter.Text().empty() ? "No definitions" : "No name matches");
}
