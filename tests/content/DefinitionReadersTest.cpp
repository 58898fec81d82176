#include "content/EntityDefinitionReader.h"
#include "content/ItemDefinitionReader.h"
#include "content/SpellDefinitionReader.h"
#include "tests/content/CollectingReport.h"

#include <gtest/gtest.h>

namespace {

tinyxml2::XMLDocument& Parse(tinyxml2::XMLDocument& document, const char* text) {
    EXPECT_EQ(document.Parse(text), tinyxml2::XML_SUCCESS);
    return document;
}

const char* kTriggers = "<triggers pl='' sp='' en=''/>";

} // namespace

TEST(EntityReader, FlagsAreNumbersAndTheLaterOfTwoNamesWins) {
    tinyxml2::XMLDocument document;
    std::string text = std::string("<entitydata>") +
                       "<entity name='a' sprname='s1' parname='' pl_col='1' dynamic='2'>" +
                       kTriggers + "</entity>" +
                       "<entity name='b' sprname='' parname='p' dynamic='true' sp_col='x'>" +
                       kTriggers + "</entity>" +
                       "<entity name='a' sprname='s2' parname=' keep ' en_col='-1'>"
                       "<triggers pl='powerup_health' sp='x' en='y'/></entity>"
                       "</entitydata>";
    CollectingReport report;
    EntityDefinitions out;
    ReadEntityDefinitions(Parse(document, text.c_str()), "e.xml", out, report);
    ASSERT_EQ(out.size(), 2u);
    const EntityDefinition& a = out.at("a");
    EXPECT_EQ(a.spriteName, "s2");
    EXPECT_EQ(a.particleName, " keep "); // text is taken as written
    EXPECT_FALSE(a.collidesWithPlayer);
    EXPECT_TRUE(a.collidesWithEnemies);
    EXPECT_FALSE(a.dynamic);
    EXPECT_EQ(a.playerTrigger, "powerup_health");
    EXPECT_EQ(a.enemyTrigger, "y");
    const EntityDefinition& b = out.at("b");
    EXPECT_FALSE(b.dynamic);
    EXPECT_FALSE(b.collidesWithSpells);
    EXPECT_FALSE(b.collidesWithPlayer);
    EXPECT_TRUE(report.problems.empty());
}

TEST(EntityReader, ARecordLackingRequiredPartsIsSkippedWithOneLine) {
    tinyxml2::XMLDocument document;
    std::string text =
        std::string("<entitydata>\n") + "<entity name='keep' sprname='' parname=''>" + kTriggers +
        "</entity>\n" + "<entity name='no_triggers' sprname='' parname=''/>\n" +
        "<entity name='half' parname=''><triggers pl='' en=''/></entity>\n" +
        "<entity name='last' sprname='' parname=''>" + kTriggers + "</entity>\n" + "</entitydata>";
    CollectingReport report;
    EntityDefinitions out;
    ReadEntityDefinitions(Parse(document, text.c_str()), "resources/entity.xml", out, report);
    EXPECT_EQ(out.size(), 2u);
    EXPECT_TRUE(out.count("keep") && out.count("last"));
    ASSERT_EQ(report.problems.size(), 2u);
    EXPECT_EQ(report.problems[0].path, "resources/entity.xml");
    EXPECT_EQ(report.problems[0].line, 3);
    EXPECT_EQ(report.problems[0].what, "entity 1 \"no_triggers\" skipped: no triggers element");
    EXPECT_EQ(report.problems[1].line, 4);
    EXPECT_EQ(report.problems[1].what,
              "entity 2 \"half\" skipped: no sprname attribute, no sp attribute on triggers");
}

TEST(EntityReader, EffectsNeverHaveSpritesParticlesOrDynamic) {
    tinyxml2::XMLDocument document;
    std::string text = std::string("<fxdata><effect name='Embers' sprname='torch' parname='p' "
                                   "dynamic='1' pl_col='1'>") +
                       kTriggers + "</effect><effect sprname='x'>" + kTriggers +
                       "</effect></fxdata>";
    CollectingReport report;
    EntityDefinitions out;
    ReadEffectDefinitions(Parse(document, text.c_str()), "fx.xml", out, report);
    ASSERT_EQ(out.size(), 1u);
    const EntityDefinition& embers = out.at("Embers");
    EXPECT_EQ(embers.spriteName, "");
    EXPECT_EQ(embers.particleName, "");
    EXPECT_FALSE(embers.dynamic);
    EXPECT_TRUE(embers.collidesWithPlayer);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0].what, "effect 1 skipped: no name attribute");
}

TEST(EntityReader, AMissingRootReadsNothingAndSaysNothing) {
    tinyxml2::XMLDocument document;
    CollectingReport report;
    EntityDefinitions out;
    ReadEntityDefinitions(Parse(document, "<entities><entity name='a'/></entities>"), "e.xml", out,
                          report);
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(report.problems.empty());
    EXPECT_TRUE(report.unloadable.empty());
}

TEST(ItemReader, TypeDefaultsToConsumedAndADescriptionIsRequired) {
    tinyxml2::XMLDocument document;
    const char* text = "<itemdata>"
                       "<item name='Key' sprname='item_key' parname='' icon='icon_key' cmd=''>"
                       "<desc text='Old &amp; iron'/></item>"
                       "<item name='Amulet' sprname='a' parname='' icon='i' cmd='addhealth_5' "
                       "type='1' const_fx='3'><desc text=''/></item>"
                       "<item name='Mute' sprname='a' parname='' icon='i' cmd=''/>"
                       "</itemdata>";
    CollectingReport report;
    ItemDefinitions out;
    ReadItemDefinitions(Parse(document, text), "items.xml", out, report);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out.at("Key").type, 0);
    EXPECT_EQ(out.at("Key").description, "Old & iron");
    EXPECT_EQ(out.at("Key").name, "Key");
    EXPECT_EQ(out.at("Amulet").type, 1);
    EXPECT_TRUE(out.at("Amulet").constantEffect);
    EXPECT_EQ(out.at("Amulet").command, "addhealth_5");
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0].what, "item 2 \"Mute\" skipped: no desc element");
}

namespace {

std::string Spell(const std::string& type, const std::string& combine,
                  const std::string& extra = "") {
    return "<spell type='" + type +
           "' w='16' h='8.5' caster='1'>"
           "<damage dmg1='10' dmg2='20' dmgw='0' dmgh='0' dmgt='fire'/>"
           "<effect special='0' no='1' dur='2.5' speed='300' sprname='sp_fire'/>"
           "<aeffect no='0' dmg1='0' dmg2='0' dmgw='0' dmgh='0' dmgt=''/>"
           "<combine " +
           combine + "/>" + extra + "</spell>";
}

} // namespace

TEST(SpellReader, CostsMakeTheCombinationAndItIsTruncated) {
    tinyxml2::XMLDocument document;
    std::string text = "<spells>" + Spell("S_PROJ", "f='0.5' i='0' e='0' w='0' it='2.9' itc='0'") +
                       Spell("S_MPROJ", "f='0' i='-1' e='3' w='0' it='1' itc='0'",
                             "<proj direction='-15'/><proj direction='15'/>") +
                       Spell("S_MPROJ", "f='1' i='1' e='1' w='1' it='0' itc='0'") + "</spells>";
    CollectingReport report;
    SpellBook book;
    ReadSpellDefinitions(Parse(document, text.c_str()), "spells.xml", book, report);
    ASSERT_EQ(book.definitions.size(), 3u);
    const SpellDefinition& first = book.definitions.at(0);
    EXPECT_EQ(first.kind, S_PROJ);
    EXPECT_TRUE(first.caster);
    EXPECT_FLOAT_EQ(first.fireCost, 0.5f);
    EXPECT_FLOAT_EQ(first.it, 2.9f);
    EXPECT_FLOAT_EQ(first.height, 8.5f);
    EXPECT_FLOAT_EQ(first.duration, 2.5f);
    EXPECT_EQ(first.dmgt, "fire");
    EXPECT_EQ(first.spriteName, "sp_fire");
    EXPECT_EQ(first.number, 1);
    const SpellCombination& c0 = book.combinations.at(0);
    EXPECT_TRUE(c0.fire);
    EXPECT_FALSE(c0.ice);
    EXPECT_EQ(c0.it, 2);
    const SpellCombination& c1 = book.combinations.at(1);
    EXPECT_TRUE(c1.ice); // a negative cost uses the element too
    EXPECT_TRUE(c1.earth);
    EXPECT_EQ(c1.it, 1);
    EXPECT_EQ(book.definitions.at(1).directions, (std::vector<int>{-15, 15}));
    EXPECT_TRUE(book.definitions.at(2).directions.empty());
}

TEST(SpellReader, ASkippedSpellKeepsTheOthersAtTheirPositions) {
    tinyxml2::XMLDocument document;
    std::string text = "<spells>" + Spell("S_PROJ", "f='1'") + Spell("s_area", "i='1'") +
                       "<spell type='S_AREA'><damage dmgt=''/></spell>" + Spell("S_AREA", "e='1'") +
                       "</spells>";
    CollectingReport report;
    SpellBook book;
    ReadSpellDefinitions(Parse(document, text.c_str()), "spells.xml", book, report);
    ASSERT_EQ(book.combinations.size(), 2u);
    EXPECT_TRUE(book.combinations.count(0));
    EXPECT_TRUE(book.combinations.count(3));
    EXPECT_EQ(book.definitions.at(3).kind, S_AREA);
    ASSERT_EQ(report.problems.size(), 2u);
    EXPECT_EQ(report.problems[0].what,
              "spell 1 skipped: type \"s_area\" is not S_PROJ, S_MPROJ or S_AREA");
    EXPECT_EQ(report.problems[1].what,
              "spell 2 skipped: no effect element, no aeffect element, no combine element");
}

TEST(SpellReader, NumbersThatDoNotFitAFloatReadAsZeroAndAreReported) {
    tinyxml2::XMLDocument document;
    std::string text =
        "<spells>" + Spell("S_PROJ", "f='1e39' i='nan' e='-1e999' it='1e20'") + "</spells>";
    CollectingReport report;
    SpellBook book;
    ReadSpellDefinitions(Parse(document, text.c_str()), "spells.xml", book, report);
    ASSERT_EQ(book.definitions.size(), 1u);
    EXPECT_EQ(book.definitions.at(0).fireCost, 0.0f);
    EXPECT_EQ(book.definitions.at(0).iceCost, 0.0f); // "nan" is not a number at all
    EXPECT_EQ(book.definitions.at(0).earthCost, 0.0f);
    EXPECT_FALSE(book.combinations.at(0).fire);
    EXPECT_EQ(book.combinations.at(0).it, 2147483647);
    ASSERT_EQ(report.problems.size(), 2u);
    EXPECT_EQ(report.problems[0].what, "spell 0: combine f is not a usable number; read as 0");
    EXPECT_EQ(report.problems[1].what, "spell 0: combine e is not a usable number; read as 0");
}
