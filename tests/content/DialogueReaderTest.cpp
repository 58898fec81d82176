#include "content/DialogueReader.h"
#include "tests/content/CollectingReport.h"

#include <gtest/gtest.h>

namespace {

const char* const kDocument = "<dialogues>\n"
                              "<m_dialogue name='a'>\n"
                              "  <dialogue text='hi' sound='s' trg=''/>\n"
                              "  <sub_dialogue text='Go'>\n"
                              "    <dialogue sound='t' trg='exit'/>\n"
                              "  </sub_dialogue>\n"
                              "  <sub_dialogue/>\n"
                              "</m_dialogue>\n"
                              "<m_dialogue/>\n"
                              "<m_dialogue name='a'/>\n"
                              "<m_dialogue name='b'/>\n"
                              "</dialogues>\n";

} // namespace

TEST(DialogueReader, ListsDialoguesChoicesAndLinesAndTellsWhatTheyLack) {
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.Parse(kDocument), tinyxml2::XML_SUCCESS);
    CollectingReport report;
    const auto dialogues = ListDialogues(document, "d.xml", report);
    ASSERT_EQ(dialogues.size(), 4u);
    EXPECT_EQ(dialogues[0].name, "a");
    ASSERT_EQ(dialogues[0].lines.size(), 1u);
    EXPECT_EQ(dialogues[0].lines[0].text, "hi");
    EXPECT_EQ(dialogues[0].lines[0].sourceLine, 3);
    ASSERT_EQ(dialogues[0].choices.size(), 2u);
    EXPECT_EQ(dialogues[0].choices[0].text, "Go");
    ASSERT_EQ(dialogues[0].choices[0].lines.size(), 1u);
    EXPECT_EQ(dialogues[0].choices[0].lines[0].text, ""); // missing reads as empty
    EXPECT_EQ(dialogues[0].choices[0].lines[0].trigger, "exit");
    EXPECT_FALSE(dialogues[1].named);

    ASSERT_EQ(report.problems.size(), 3u);
    EXPECT_EQ(report.problems[0].line, 5);
    EXPECT_EQ(report.problems[0].what,
              "m_dialogue 0 \"a\" choice 0 line 0: no text attribute (read as empty)");
    EXPECT_EQ(report.problems[1].line, 7);
    EXPECT_EQ(report.problems[2].line, 9);
    EXPECT_EQ(report.problems[2].what, "m_dialogue 1: no name attribute (nothing starts it)");
}
