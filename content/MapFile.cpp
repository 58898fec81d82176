#include "content/MapFile.h"

#include "content/ContentParse.h"
#include "content/ContentReport.h"
#include "content/XmlFile.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace {

float Coordinate(const tinyxml2::XMLElement& element, const tinyxml2::XMLAttribute* attribute,
                 const std::string& path, ContentReport& report) {
    float value = 0;
    if (attribute && !FiniteFloat(LeadingDecimal(attribute->Value()), value)) {
        report.Problem(path, element.GetLineNum(),
                       std::string(element.Name()) + " " + attribute->Name() + " \"" +
                           attribute->Value() + "\" is out of range; read as 0");
    }
    return value;
}

void ReadKind(const tinyxml2::XMLElement& map, const char* element, const char* nameAttribute,
              const std::string& path, std::vector<MapPlacement>& out, ContentReport& report) {
    int index = 0;
    for (const tinyxml2::XMLElement* e = map.FirstChildElement(element); e;
         e = e->NextSiblingElement(element), ++index) {
        // One pass over the attributes: maps hold thousands of elements.
        const tinyxml2::XMLAttribute* x = nullptr;
        const tinyxml2::XMLAttribute* y = nullptr;
        const char* name = nullptr;
        for (const tinyxml2::XMLAttribute* a = e->FirstAttribute(); a; a = a->Next()) {
            if (!x && std::strcmp(a->Name(), "x") == 0) {
                x = a;
            } else if (!y && std::strcmp(a->Name(), "y") == 0) {
                y = a;
            } else if (!name && std::strcmp(a->Name(), nameAttribute) == 0) {
                name = a->Value();
            }
        }
        if (!name) {
            report.Problem(path, e->GetLineNum(),
                           std::string(element) + " " + std::to_string(index) + " skipped: no " +
                               nameAttribute + " attribute");
            continue;
        }
        MapPlacement placement;
        placement.name = name;
        placement.x = Coordinate(*e, x, path, report);
        placement.y = Coordinate(*e, y, path, report);
        placement.line = e->GetLineNum();
        placement.element = e;
        out.push_back(std::move(placement));
    }
}

} // namespace

std::string RoundedCoordinate(float value) {
    double rounded = std::nearbyint(static_cast<double>(value));
    if (!std::isfinite(rounded)) {
        rounded = 0;
    }
    char text[64];
    // Whole numbers that fit print as integers: much cheaper than "%.0f",
    // which saving a large map would otherwise spend most of its time in.
    if (std::fabs(rounded) < 9e15) {
        auto [end, failed] =
            std::to_chars(text, text + sizeof text - 1, static_cast<long long>(rounded));
        (void)failed;
        *end = 0;
    } else {
        std::snprintf(text, sizeof text, "%.0f", rounded);
    }
    return text;
}

namespace {

void WriteKind(tinyxml2::XMLDocument& document, tinyxml2::XMLElement& map, const char* element,
               const char* nameAttribute, const std::vector<MapPlacement>& placements) {
    for (const MapPlacement& placement : placements) {
        tinyxml2::XMLElement* e = document.NewElement(element);
        e->SetAttribute("x", RoundedCoordinate(placement.x).c_str());
        e->SetAttribute("y", RoundedCoordinate(placement.y).c_str());
        e->SetAttribute(nameAttribute, placement.name.c_str());
        map.InsertEndChild(e);
    }
}

} // namespace

void PrintPlacements(MapPrinter& printer, const char* element, const char* nameAttribute,
                     const std::vector<MapPlacement>& placements) {
    for (const MapPlacement& placement : placements) {
        printer.OpenElement(element);
        printer.PushAttribute("x", RoundedCoordinate(placement.x).c_str());
        printer.PushAttribute("y", RoundedCoordinate(placement.y).c_str());
        printer.PushName(nameAttribute, placement.name.c_str());
        printer.CloseElement();
    }
}

void ReadMap(const tinyxml2::XMLDocument& document, const std::string& path, MapContents& out,
             ContentReport& report) {
    const tinyxml2::XMLElement* map = document.FirstChildElement("map");
    if (!map) {
        return;
    }
    if (const char* name = map->Attribute("name")) {
        out.name = name;
    }
    ReadKind(*map, "entity", "ent_name", path, out.entities, report);
    ReadKind(*map, "effect", "fx_name", path, out.effects, report);
    ReadKind(*map, "item", "it_name", path, out.items, report);
}

bool ReadMapFile(const std::string& path, MapContents& out, ContentReport& report) {
    return ReadXmlFile(path, report,
                       [&](const tinyxml2::XMLDocument& d) { ReadMap(d, path, out, report); });
}

void BuildMapDocument(const MapContents& map, tinyxml2::XMLDocument& document) {
    document.Clear();
    document.InsertEndChild(document.NewDeclaration("xml version=\"1.0\""));
    tinyxml2::XMLElement* root = document.NewElement("map");
    root->SetAttribute("name", map.name.c_str());
    document.InsertEndChild(root);
    WriteKind(document, *root, "entity", "ent_name", map.entities);
    WriteKind(document, *root, "effect", "fx_name", map.effects);
    WriteKind(document, *root, "item", "it_name", map.items);
}

void MapPrinter::PushName(const char* attribute, const char* value) {
    m_inName = true;
    PushAttribute(attribute, value);
    m_inName = false;
}

void MapPrinter::Write(const char* data, size_t size) {
    if (!m_inName) {
        XMLPrinter::Write(data, size);
        return;
    }
    size_t start = 0;
    for (size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (c < 0x20) {
            XMLPrinter::Write(data + start, i - start);
            char reference[8];
            const int length = std::snprintf(reference, sizeof reference, "&#x%X;", c);
            XMLPrinter::Write(reference, static_cast<size_t>(length));
            start = i + 1;
        }
    }
    XMLPrinter::Write(data + start, size - start);
}

void MapPrinter::Putc(char ch) {
    if (m_inName) {
        Write(&ch, 1);
    } else {
        XMLPrinter::Putc(ch);
    }
}

void PrintMap(const MapContents& map, MapPrinter& printer) {
    printer.PushDeclaration("xml version=\"1.0\"");
    printer.OpenElement("map");
    printer.PushName("name", map.name.c_str());
    PrintPlacements(printer, "entity", "ent_name", map.entities);
    PrintPlacements(printer, "effect", "fx_name", map.effects);
    PrintPlacements(printer, "item", "it_name", map.items);
    printer.CloseElement();
}

bool WriteMapFile(const std::string& path, const MapContents& map, std::string& error) {
    return WriteWhole(
        path,
        [&map](std::FILE* file) {
            // Straight into the file: a large map is not held twice.
            MapPrinter printer(file);
            PrintMap(map, printer);
            return std::ferror(file) == 0;
        },
        error);
}

bool WriteFileWhole(const std::string& path, const std::string& text, std::string& error) {
    return WriteWhole(
        path,
        [&text](std::FILE* file) {
            return std::fwrite(text.data(), 1, text.size(), file) == text.size();
        },
        error);
}

bool WriteWhole(const std::string& path, const std::function<bool(std::FILE*)>& written,
                std::string& error) {
    namespace fs = std::filesystem;
    std::error_code status;
    // Through a symbolic link to its target: the link stays a link, and the
    // file it names gets the new text.
    fs::path target = path;
    if (fs::is_symlink(target, status)) {
        const fs::path resolved = fs::weakly_canonical(target, status);
        if (!status) {
            target = resolved;
        }
    }
    const fs::file_status existing = fs::status(target, status);
    const bool exists = !status && fs::exists(existing);
    if (exists && fs::is_directory(existing)) {
        error = std::strerror(EISDIR);
        return false;
    }
    constexpr fs::perms kWritable =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    // Renaming over a write-protected file would replace it (and make it
    // writable): refuse as writing into it would.
    if (exists && ((existing.permissions() & kWritable) == fs::perms::none ||
                   ::access(target.c_str(), W_OK) != 0)) {
        error = "the file is write-protected";
        return false;
    }
    const std::string finalPath = target.string();
    const std::string temporary = finalPath + ".saving";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    if (exists) {
        // The new file keeps the old one's permission bits.
        ::fchmod(::fileno(file), static_cast<mode_t>(existing.permissions() & fs::perms::mask));
    }
    errno = 0;
    bool ok = written(file);
    int writeError = errno;
    ok = std::fflush(file) == 0 && ok;
    if (!ok) {
        writeError = errno ? errno : EIO;
    }
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        writeError = errno;
    }
    if (ok && std::rename(temporary.c_str(), finalPath.c_str()) != 0) {
        ok = false;
        writeError = errno;
    }
    if (!ok) {
        error = std::strerror(writeError);
        std::remove(temporary.c_str());
    }
    return ok;
}
