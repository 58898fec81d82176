#include "content/SpellDefinitionReader.h"

#include "content/ContentParse.h"
#include "content/ContentReport.h"
#include "content/RecordReader.h"
#include "content/XmlFile.h"

#include <cstring>

namespace {

bool KindFromName(const std::string& name, int& kind) {
    static const char* const kNames[] = {"S_PROJ", "S_MPROJ", "S_AREA"};
    for (int i = 0; i < 3; ++i) {
        if (name == kNames[i]) {
            kind = i;
            return true;
        }
    }
    return false;
}

// Decimal numbers are read in double and narrowed; one that does not fit a
// float becomes 0 with a report line rather than an undefined conversion.
class DecimalReader {
public:
    DecimalReader(const std::string& path, int index, ContentReport& report)
        : m_path(path), m_index(index), m_report(report) {}

    float operator()(const tinyxml2::XMLElement& element, const char* attribute) const {
        float value = 0;
        if (!FiniteFloat(DecimalAttribute(element, attribute), value)) {
            m_report.Problem(m_path, element.GetLineNum(),
                             "spell " + std::to_string(m_index) + ": " + element.Name() + " " +
                                 attribute + " is not a usable number; read as 0");
        }
        return value;
    }

private:
    const std::string& m_path;
    int m_index;
    ContentReport& m_report;
};

void ReadSpell(const tinyxml2::XMLElement& record, int index, const std::string& path,
               SpellBook& out, ContentReport& report) {
    RecordCheck check(path, "spell", index, record, report);
    DecimalReader decimal(path, index, report);
    SpellDefinition spell;
    spell.line = record.GetLineNum();
    const std::string type = check.Required(record, "type");
    if (record.Attribute("type") && !KindFromName(type, spell.kind)) {
        check.Fail("type \"" + type + "\" is not S_PROJ, S_MPROJ or S_AREA");
    }
    spell.width = decimal(record, "w");
    spell.height = decimal(record, "h");
    spell.caster = IntAttribute(record, "caster") != 0;
    if (const tinyxml2::XMLElement* damage = check.RequiredChild("damage")) {
        spell.dmg1 = IntAttribute(*damage, "dmg1");
        spell.dmg2 = IntAttribute(*damage, "dmg2");
        spell.dmgw = IntAttribute(*damage, "dmgw");
        spell.dmgh = IntAttribute(*damage, "dmgh");
        spell.dmgt = check.Required(*damage, "dmgt");
    }
    if (const tinyxml2::XMLElement* effect = check.RequiredChild("effect")) {
        spell.special = IntAttribute(*effect, "special") != 0;
        spell.number = IntAttribute(*effect, "no");
        spell.duration = decimal(*effect, "dur");
        spell.speed = decimal(*effect, "speed");
        spell.spriteName = check.Required(*effect, "sprname");
    }
    // Read for the format's sake; nothing of it is kept.
    if (const tinyxml2::XMLElement* areaEffect = check.RequiredChild("aeffect")) {
        check.Required(*areaEffect, "dmgt");
    }
    if (const tinyxml2::XMLElement* combine = check.RequiredChild("combine")) {
        spell.fireCost = decimal(*combine, "f");
        spell.iceCost = decimal(*combine, "i");
        spell.earthCost = decimal(*combine, "e");
        spell.windCost = decimal(*combine, "w");
        spell.it = decimal(*combine, "it");
        spell.itc = decimal(*combine, "itc");
    }
    for (const tinyxml2::XMLElement* proj = record.FirstChildElement("proj"); proj;
         proj = proj->NextSiblingElement("proj")) {
        spell.directions.push_back(IntAttribute(*proj, "direction"));
    }
    if (!check.Accept()) {
        return;
    }
    SpellCombination combination;
    combination.fire = spell.fireCost != 0.0f;
    combination.ice = spell.iceCost != 0.0f;
    combination.earth = spell.earthCost != 0.0f;
    combination.wind = spell.windCost != 0.0f;
    combination.it = TruncateToInt(spell.it);
    out.definitions[index] = std::move(spell);
    out.combinations[index] = combination;
}

} // namespace

void ReadSpellDefinitions(const tinyxml2::XMLDocument& document, const std::string& path,
                          SpellBook& out, ContentReport& report) {
    ForEachRecord(document, "spells", "spell", [&](const tinyxml2::XMLElement& record, int index) {
        ReadSpell(record, index, path, out, report);
    });
}

bool ReadSpellFile(const std::string& path, SpellBook& out, ContentReport& report) {
    return ReadXmlFile(path, report, [&](const tinyxml2::XMLDocument& d) {
        ReadSpellDefinitions(d, path, out, report);
    });
}
