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
constexpr Kind kEffect{"effect", "fx_name"};
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

// Where the new placements of one kind go: after the last element of their
// kind that the file has.
struct NewKind {
    const Kind& kind;
    std::vector<MapPlacement> placements;
    const tinyxml2::XMLElement* last = nullptr;
    bool done = false;
};

void PrintRoot(const MapContents& map, const MapSource& source, MapPrinter& printer) {
    const tinyxml2::XMLElement& root = *source.root;
    std::vector<const MapPlacement*> now(source.elements.size() + 1, nullptr);
    for (const auto* list : {&map.entities, &map.effects, &map.items}) {
        for (const MapPlacement& p : *list) {
            if (p.source > 0 && p.source < now.size()) {
                now[p.source] = &p;
            }
        }
    }
    NewKind kinds[] = {{kEntity, NewOnes(map.entities)},
                       {kEffect, NewOnes(map.effects)},
                       {kItem, NewOnes(map.items)}};
    const std::vector<MapPlacement>* read[] = {&source.contents.entities, &source.contents.effects,
                                               &source.contents.items};
    for (int k = 0; k < 3; ++k) {
        kinds[k].last = read[k]->empty() ? nullptr : read[k]->back().element;
    }
    auto flush = [&](NewKind& kind) {
        if (!kind.done) {
            PrintPlacements(printer, kind.kind.element, kind.kind.nameAttribute, kind.placements);
            kind.done = true;
        }
    };

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
        const MapPlacement& was = *source.elements[found->second - 1];
        int k = 0;
        while (k < 2 && std::strcmp(element->Name(), kinds[k].kind.element) != 0) {
            ++k;
        }
        // A kind the file lacks keeps the written order (entities, effects,
        // items): it goes before the first element of a later kind.
        for (int before = 0; before < k; ++before) {
            if (!kinds[before].last) {
                flush(kinds[before]);
            }
        }
        if (const MapPlacement* p = now[found->second]) {
            PrintKept(printer, *element, kinds[k].kind, *p, was);
        }
        if (element == kinds[k].last) {
            flush(kinds[k]);
        }
    }
    for (NewKind& kind : kinds) {
        flush(kind);
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
    Number(out, out.contents.effects);
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
