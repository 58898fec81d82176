// The number rules every definition and map file shares: a number is read
// from the start of the text up to the first character that cannot belong
// to it, and text without a number reads as 0.
#pragma once

#include <string>

namespace tinyxml2 {
class XMLElement;
}

// Leading white space, an optional sign, decimal digits. Past the int range
// the value saturates instead of wrapping.
int LeadingInt(const char* text);

// Leading white space, an optional sign, digits with an optional fraction
// and exponent ("nan", "inf" and hex are not numbers here).
double LeadingDecimal(const char* text);

// The attribute's text, or nullptr when the element lacks it.
const char* AttributeText(const tinyxml2::XMLElement& element, const char* name);
int IntAttribute(const tinyxml2::XMLElement& element, const char* name);
double DecimalAttribute(const tinyxml2::XMLElement& element, const char* name);
// A decimal narrowed to float; false when it is not finite as a float
// (nan, or past the float range), and the value is then 0.
bool FiniteFloat(double value, float& out);
// Truncated toward zero, held to the int range.
int TruncateToInt(double value);
