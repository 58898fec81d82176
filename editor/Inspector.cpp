#include "editor/Inspector.h"

#include "content/EntityDefinition.h"
#include "content/ItemDefinition.h"
#include "editor/EditorDefinitions.h"
#include "editor/EditorDocument.h"
#include "editor/EditorWorld.h"
#include "editor/EffectPlacement.h"
#include "editor/EntityPlacement.h"
#include "editor/ItemPlacement.h"
#include "editor/TriggerWords.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/JsonText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// Far beyond any map, and still exact to a hundredth in a float.
constexpr double kMaxCoordinate = 1e6;

std::string Number(float value) {
    char text[48];
    if (value == std::round(value)) {
        std::snprintf(text, sizeof text, "%.0f", static_cast<double>(value));
    } else {
        std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    }
    return text;
}

std::string Position(float x, float y) {
    return Number(x) + ", " + Number(y);
}

// "X, Y", "X Y" or "X,Y": two numbers a map can hold.
bool ReadPosition(const std::string& text, float& x, float& y) {
    const char* at = text.c_str();
    double values[2];
    for (double& value : values) {
        while (*at == ' ' || *at == ',') {
            ++at;
        }
        char* end = nullptr;
        value = std::strtod(at, &end);
        if (end == at || !std::isfinite(value) || std::fabs(value) > kMaxCoordinate) {
            return false;
        }
        at = end;
    }
    while (*at == ' ') {
        ++at;
    }
    if (*at != '\0') {
        return false;
    }
    x = static_cast<float>(values[0]);
    y = static_cast<float>(values[1]);
    return true;
}

std::string Blocks(const EntityDefinition& definition) {
    std::string blocks;
    for (const auto& [flag, what] : {std::pair{definition.collidesWithPlayer, "player"},
                                     std::pair{definition.collidesWithSpells, "spells"},
                                     std::pair{definition.collidesWithEnemies, "enemies"}}) {
        if (flag) {
            blocks += (blocks.empty() ? "" : ", ") + std::string(what);
        }
    }
    return "Blocks: " + (blocks.empty() ? std::string("nothing") : blocks);
}

} // namespace

std::string Inspector::ActionWords(const Placement& placement) {
    if (const auto* entity = dynamic_cast<const EntityPlacement*>(&placement)) {
        return TriggerWords(entity->Definition().playerTrigger);
    }
    if (const auto* item = dynamic_cast<const ItemPlacement*>(&placement)) {
        return TriggerWords(item->Definition().command);
    }
    if (dynamic_cast<const EffectPlacement*>(&placement)) {
        return "plays the effect " + placement.name;
    }
    return "no definition";
}

void Inspector::Refresh(const EditorWorld& world) {
    std::vector<const Placement*> selected;
    world.ForEach([&selected](const PlacementLists&, const Placement& p) {
        if (p.selected) {
            selected.push_back(&p);
        }
    });
    m_count = selected.size();
    m_mapName = world.mapName;
    m_pickMode = 0;
    m_pickName.clear();
    for (const Placement* p : selected) {
        if (!p->Missing()) {
            m_pickMode = dynamic_cast<const ItemPlacement*>(p)     ? EditorDefinitions::kItems
                         : dynamic_cast<const EffectPlacement*>(p) ? EditorDefinitions::kEffects
                                                                   : EditorDefinitions::kEntities;
            m_pickName = p->name;
            break;
        }
    }
    if (selected.size() == 1) {
        m_x = selected.front()->x;
        m_y = selected.front()->y;
    } else if (!selected.empty()) {
        // A group is placed by the top-left of what it shows.
        m_x = m_y = std::numeric_limits<float>::max();
        for (const Placement* p : selected) {
            m_x = std::min(m_x, p->Box().Left());
            m_y = std::min(m_y, p->Box().Top());
        }
    }
    // The field typed into must still be the one shown.
    if ((m_editing == Field::Position && selected.empty()) ||
        (m_editing == Field::MapName && !selected.empty())) {
        Cancel();
    }
    m_lines.clear();
    if (selected.empty()) {
        m_fieldLine = 0;
        m_lines.push_back("Map name: " + FieldText());
    } else if (selected.size() == 1) {
        const Placement& p = *selected.front();
        const auto* entity = dynamic_cast<const EntityPlacement*>(&p);
        const auto* item = dynamic_cast<const ItemPlacement*>(&p);
        const bool effect = dynamic_cast<const EffectPlacement*>(&p) != nullptr;
        m_lines.push_back((entity   ? "Entity: "
                           : item   ? "Item: "
                           : effect ? "Effect: "
                                    : "Missing: ") +
                          p.name);
        m_fieldLine = 1;
        m_lines.push_back("Position: " + FieldText());
        if (entity) {
            m_lines.push_back(Blocks(entity->Definition()));
            m_lines.push_back("Touch: " + ActionWords(p));
        } else if (item) {
            m_lines.push_back("Use: " + ActionWords(p));
        } else if (effect) {
            m_lines.push_back("Blocks: nothing");
            m_lines.push_back(ActionWords(p));
        } else {
            m_lines.push_back("No definition has this name");
        }
    } else {
        m_lines.push_back("Group: " + std::to_string(selected.size()) + " placements");
        m_fieldLine = 1;
        m_lines.push_back("Top-left: " + FieldText());
        for (std::size_t i = 0; i < selected.size() && i < kMaxGroupLines; ++i) {
            m_lines.push_back(selected[i]->name + ": " + ActionWords(*selected[i]));
        }
        if (selected.size() > kMaxGroupLines) {
            m_lines.push_back("and " + std::to_string(selected.size() - kMaxGroupLines) + " more");
        }
    }
    if (!m_note.empty()) {
        m_lines.push_back(m_note);
    }
}

std::string Inspector::FieldText() const {
    if (m_editing != Field::None) {
        return m_typed + "_";
    }
    return m_count == 0 ? m_mapName : Position(m_x, m_y);
}

bool Inspector::SelectionPosition(float& x, float& y) const {
    x = m_x;
    y = m_y;
    return m_count > 0;
}

void Inspector::BeginEdit() {
    m_note.clear();
    m_editing = m_count == 0 ? Field::MapName : Field::Position;
    if (m_editing == Field::MapName) {
        m_typed = m_mapName.substr(0, kMaxName);
    } else {
        m_typed = Position(m_x, m_y);
    }
}

void Inspector::Cancel() {
    m_editing = Field::None;
    m_typed.clear();
    m_note.clear();
}

bool Inspector::Type(int character, EditorWorld& world, EditorDocument& document) {
    if (m_editing == Field::None || character == 0) {
        return false;
    }
    if (character == 0x1B) {
        Cancel();
    } else if (character == '\r') {
        if (Apply(world, document)) {
            Cancel();
        }
    } else if (character == 0x08) {
        if (!m_typed.empty()) {
            m_typed.pop_back();
        }
    } else if (character >= 0x20 && character < 0x7F && m_typed.size() < kMaxName) {
        m_typed += static_cast<char>(character);
    }
    return true;
}

bool Inspector::Apply(EditorWorld& world, EditorDocument& document) {
    if (m_editing == Field::MapName) {
        if (m_typed.empty()) {
            m_note = "A map needs a name";
            return false;
        }
        if (m_typed != world.mapName) {
            MapSnapshot before = document.Snapshot();
            world.mapName = m_typed;
            document.Commit(std::move(before));
        }
        return true;
    }
    float x = 0, y = 0, nowX = 0, nowY = 0;
    if (!ReadPosition(m_typed, x, y)) {
        m_note = "Type X, Y: two numbers";
        return false;
    }
    if (!SelectionPosition(nowX, nowY)) {
        return true;
    }
    if (x != nowX || y != nowY) {
        MapSnapshot before = document.Snapshot();
        world.MoveSelected(x - nowX, y - nowY);
        document.Commit(std::move(before));
    }
    return true;
}

bool Inspector::Pick(int& mode, std::string& name) const {
    mode = m_pickMode;
    name = m_pickName;
    return m_pickMode != 0;
}

float Inspector::Render(BitmapFont& font, float x, float y, float width) const {
    float at = y;
    for (const std::string& line : m_lines) {
        for (const std::string& part : WrapText(font, line, width)) {
            font.Render(x, at, BitmapFont::kLeft, part.c_str());
            at += font.GetHeight();
        }
    }
    return at - y;
}

void Inspector::LineSpan(const BitmapFont& font, float width, std::size_t line, float& top,
                         float& height) const {
    top = height = 0;
    for (std::size_t i = 0; i < m_lines.size() && i <= line; ++i) {
        const float h =
            static_cast<float>(WrapText(font, m_lines[i], width).size()) * font.GetHeight();
        if (i == line) {
            height = h;
        } else {
            top += h;
        }
    }
}

std::string Inspector::Json() const {
    std::string json = "{\"lines\":[";
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        json += i ? "," : "";
        json += JsonString(m_lines[i]);
    }
    const char* field = m_editing == Field::Position  ? "position"
                        : m_editing == Field::MapName ? "map"
                                                      : "";
    json += "],\"editing\":\"";
    json += field;
    json += "\",\"text\":";
    json += JsonString(m_typed);
    json += "}";
    return json;
}

std::vector<std::string> WrapText(const BitmapFont& font, const std::string& text, float width) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t space = text.find(' ', at);
        if (space == std::string::npos) {
            space = text.size();
        }
        const std::string word = text.substr(at, space - at);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && font.GetStringWidth(longer.c_str(), false) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        at = space + 1;
    }
    lines.push_back(line);
    return lines;
}
