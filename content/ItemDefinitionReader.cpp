#include "content/ItemDefinitionReader.h"

#include "content/ContentParse.h"
#include "content/RecordReader.h"
#include "content/XmlFile.h"

void ReadItemDefinitions(const tinyxml2::XMLDocument& document, const std::string& path,
                         ItemDefinitions& out, ContentReport& report) {
    ForEachRecord(document, "itemdata", "item", [&](const tinyxml2::XMLElement& record, int index) {
        RecordCheck check(path, "item", index, record, report);
        ItemDefinition definition;
        definition.line = record.GetLineNum();
        definition.name = check.Required(record, "name");
        definition.spriteName = check.Required(record, "sprname");
        definition.particleName = check.Required(record, "parname");
        definition.iconName = check.Required(record, "icon");
        definition.command = check.Required(record, "cmd");
        definition.type = IntAttribute(record, "type");
        definition.dynamic = IntAttribute(record, "dynamic") != 0;
        definition.constantEffect = IntAttribute(record, "const_fx") != 0;
        if (const tinyxml2::XMLElement* desc = check.RequiredChild("desc")) {
            definition.description = check.Required(*desc, "text");
        }
        if (check.Accept()) {
            std::string key = definition.name;
            out[key] = std::move(definition);
        }
    });
}

bool ReadItemFile(const std::string& path, ItemDefinitions& out, ContentReport& report) {
    return ReadXmlFile(path, report, [&](const tinyxml2::XMLDocument& d) {
        ReadItemDefinitions(d, path, out, report);
    });
}
