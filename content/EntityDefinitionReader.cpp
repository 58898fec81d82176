#include "content/EntityDefinitionReader.h"

#include "content/ContentParse.h"
#include "content/RecordReader.h"
#include "content/XmlFile.h"

namespace {

// The parts entity and effect records share: collision flags and triggers.
void ReadShared(RecordCheck& check, EntityDefinition& definition) {
    const tinyxml2::XMLElement& record = check.Record();
    definition.collidesWithPlayer = IntAttribute(record, "pl_col") != 0;
    definition.collidesWithSpells = IntAttribute(record, "sp_col") != 0;
    definition.collidesWithEnemies = IntAttribute(record, "en_col") != 0;
    if (const tinyxml2::XMLElement* triggers = check.RequiredChild("triggers")) {
        definition.playerTrigger = check.Required(*triggers, "pl");
        definition.spellTrigger = check.Required(*triggers, "sp");
        definition.enemyTrigger = check.Required(*triggers, "en");
    }
}

void Read(const tinyxml2::XMLDocument& document, const std::string& path, bool effects,
          EntityDefinitions& out, ContentReport& report) {
    const char* root = effects ? "fxdata" : "entitydata";
    const char* recordName = effects ? "effect" : "entity";
    ForEachRecord(document, root, recordName, [&](const tinyxml2::XMLElement& record, int index) {
        RecordCheck check(path, recordName, index, record, report);
        EntityDefinition definition;
        definition.line = record.GetLineNum();
        std::string name = check.Required(record, "name");
        if (!effects) {
            definition.spriteName = check.Required(record, "sprname");
            definition.particleName = check.Required(record, "parname");
            definition.dynamic = IntAttribute(record, "dynamic") != 0;
            definition.layer = IntAttribute(record, "layer");
        }
        ReadShared(check, definition);
        if (check.Accept()) {
            out[name] = std::move(definition);
        }
    });
}

bool ReadFile(const std::string& path, bool effects, EntityDefinitions& out,
              ContentReport& report) {
    return ReadXmlFile(
        path, report, [&](const tinyxml2::XMLDocument& d) { Read(d, path, effects, out, report); });
}

} // namespace

void ReadEntityDefinitions(const tinyxml2::XMLDocument& document, const std::string& path,
                           EntityDefinitions& out, ContentReport& report) {
    Read(document, path, false, out, report);
}

void ReadEffectDefinitions(const tinyxml2::XMLDocument& document, const std::string& path,
                           EntityDefinitions& out, ContentReport& report) {
    Read(document, path, true, out, report);
}

bool ReadEntityFile(const std::string& path, EntityDefinitions& out, ContentReport& report) {
    return ReadFile(path, false, out, report);
}

bool ReadEffectFile(const std::string& path, EntityDefinitions& out, ContentReport& report) {
    return ReadFile(path, true, out, report);
}
