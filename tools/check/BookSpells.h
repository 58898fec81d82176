// Spells as the shipped text names them. spells.xml has no name field, so a
// spell's name is the comment just before it ("<!-- Flame Fan -->"); a book
// names one in a heading row such as "FLAME FAN (1 and 4)", followed by what
// it does and what it costs.
#pragma once

#include <string>
#include <vector>

#include <tinyxml2.h>

struct NamedSpell {
    int index = 0; // the spell's position among the spell elements
    std::string name;
};

struct SpellHeading {
    std::string name; // as written, in capitals
    std::string keys; // inside the brackets: "1 and 4", "any three of 1, 2, 3 and 4"
    std::string body; // the text up to the next heading
};

// Every spell with a name; a comment such as "Prism Fan (fire, ice, earth)"
// or "Ice Shard: halves ..." names it up to the bracket or colon.
std::vector<NamedSpell> ReadSpellNames(const tinyxml2::XMLDocument& spells);

// The headings of one page of a book, in order.
std::vector<SpellHeading> FindSpellHeadings(const std::string& page);

// Names compare without regard to case: books write them in capitals.
bool SameSpellName(const std::string& a, const std::string& b);
