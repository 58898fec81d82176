#include "content/MapFileSource.h"

#include "content/ContentReport.h"
#include "content/XmlFile.h"

#include <cstring>

namespace {

struct Kind {
    const char* element;
    const char* nameAttribute;
};
constexpr Kind kEntity{"entity", "ent_name"};
constexpr Kind kItem{"item", "it_name"};

void Number(MapSource& source, std::vector<MapPlacement>& placements) {
    for (MapPlacement& placement : placements) {
        source.elements.push_back(&placement);
        placement.source = static_cast<std::uint32_t>(source.elements.size());
        source.ids.emplace(placement.element, placement.source);
    }
}

void PrintAttribute(MapPrinter& printer, const char* name, const char* value) {
    // Through the name printer: control characters survive as references.
    printer.PushName(name, value);
}

void PrintKept(MapPrinter& printer, const tinyxml2::XMLElement& element, const Kind& kind,
               const MapPlacement& now, const MapPlacement& read) {
    const bool moved = now.x != read.x || now.y != read.y;
    bool hasX = false;
    bool hasY = false;
    printer.OpenElement(element.Name());
    for (const tinyxml2::XMLAttribute* a = element.FirstAttribute(); a; a = a->Next()) {
        const char* name = a->Name();
        if (std::strcmp(name, "x") == 0 && !hasX) {
            hasX = true;
            PrintAttribute(printer, name, moved ? RoundedCoordinate(now.x).c_str() : a->Value());
        } else if (std::strcmp(name, "y") == 0 && !hasY) {
            hasY = true;
            PrintAttribute(printer, name, moved ? RoundedCoordinate(now.y).c_str() : a->Value());
        } else if (std::strcmp(name, kind.nameAttribute) == 0) {
            PrintAttribute(printer, name, now.name.c_str());
        } else {
            PrintAttribute(printer, name, a->Value());
        }
    }
    if (moved && !hasX) {
        PrintAttribute(printer, "x", RoundedCoordinate(now.x).c_str());
    }
    if (moved && !hasY) {
        PrintAttribute(printer, "y", RoundedCoordinate(now.y).c_str());
    }
    for (const tinyxml2::XMLNode* child = element.FirstChild(); child;
         child = child->NextSibling()) {
        child->Accept(&printer);
    }
    printer.CloseElement();
}

std::vector<MapPlacement> NewOnes(const std::vector<MapPlacement>& placements) {
    std::vector<MapPlacement> out;
    for (const MapPlacement& p : placements) {
        if (p.source == 0) {
            out.push_back(p);
        }
    }
    return out;
}

void PrintRoot(const MapContents& map, const MapSource& source, MapPrinter& printer) {
    const tinyxml2::XMLElement& root = *source.root;
    std::vector<const MapPlacement*> now(source.elements.size() + 1, nullptr);
    for (const auto* list : {&map.entities, &map.items}) {
        for (const MapPlacement& p : *list) {
            if (p.source > 0 && p.source < now.size()) {
                now[p.source] = &p;
            }
        }
    }
    // New placements go after the last element of their kind; new entities
    // before the first item when the file had no entity.
    const tinyxml2::XMLElement* lastEntity = nullptr;
    const tinyxml2::XMLElement* lastItem = nullptr;
    const tinyxml2::XMLElement* firstItem = nullptr;
    for (const MapPlacement& p : source.contents.entities) {
        lastEntity = p.element;
    }
    for (const MapPlacement& p : source.contents.items) {
        lastItem = p.element;
        firstItem = firstItem ? firstItem : p.element;
    }
    const std::vector<MapPlacement> newEntities = NewOnes(map.entities);
    const std::vector<MapPlacement> newItems = NewOnes(map.items);
    bool entitiesDone = false;
    bool itemsDone = false;

    printer.OpenElement(root.Name());
    bool named = false;
    for (const tinyxml2::XMLAttribute* a = root.FirstAttribute(); a; a = a->Next()) {
        const bool isName = !named && std::strcmp(a->Name(), "name") == 0;
        named = named || isName;
        PrintAttribute(printer, a->Name(), isName ? map.name.c_str() : a->Value());
    }
    if (!named && !map.name.empty()) {
        PrintAttribute(printer, "name", map.name.c_str());
    }
    for (const tinyxml2::XMLNode* child = root.FirstChild(); child; child = child->NextSibling()) {
        const tinyxml2::XMLElement* element = child->ToElement();
        const auto found = element ? source.ids.find(element) : source.ids.end();
        if (found == source.ids.end()) {
            child->Accept(&printer);
            continue;
        }
        const MapPlacement& read = *source.elements[found->second - 1];
        const bool entity = std::strcmp(element->Name(), kEntity.element) == 0;
        if (entity == false && !lastEntity && element == firstItem && !entitiesDone) {
            PrintPlacements(printer, kEntity.element, kEntity.nameAttribute, newEntities);
            entitiesDone = true;
        }
        if (const MapPlacement* p = now[found->second]) {
            PrintKept(printer, *element, entity ? kEntity : kItem, *p, read);
        }
        if (element == lastEntity) {
            PrintPlacements(printer, kEntity.element, kEntity.nameAttribute, newEntities);
            entitiesDone = true;
        } else if (element == lastItem) {
            PrintPlacements(printer, kItem.element, kItem.nameAttribute, newItems);
            itemsDone = true;
        }
    }
    if (!entitiesDone) {
        PrintPlacements(printer, kEntity.element, kEntity.nameAttribute, newEntities);
    }
    if (!itemsDone) {
        PrintPlacements(printer, kItem.element, kItem.nameAttribute, newItems);
    }
    printer.CloseElement();
}

} // namespace

MapReadResult ReadMapSource(const std::string& path, MapSource& out, ContentReport& report) {
    if (!LoadXmlFile(out.document, path, report)) {
        return MapReadResult::CannotLoad;
    }
    out.root = out.document.RootElement();
    if (!out.root || std::strcmp(out.root->Name(), "map") != 0) {
        return MapReadResult::NotAMap;
    }
    ReadMap(out.document, path, out.contents, report);
    Number(out, out.contents.entities);
    Number(out, out.contents.items);
    return MapReadResult::Read;
}

void PrintMapKeeping(const MapContents& map, const MapSource* source, MapPrinter& printer) {
    if (!source || !source->root) {
        PrintMap(map, printer);
        return;
    }
    for (const tinyxml2::XMLNode* node = source->document.FirstChild(); node;
         node = node->NextSibling()) {
        if (node == source->root) {
            PrintRoot(map, *source, printer);
        } else {
            node->Accept(&printer);
        }
    }
}

bool WriteMapFileKeeping(const std::string& path, const MapContents& map, const MapSource* source,
                         std::string& error) {
    return WriteWhole(
        path,
        [&](std::FILE* file) {
            MapPrinter printer(file);
            PrintMapKeeping(map, source, printer);
            return std::ferror(file) == 0;
        },
        error);
}
