#include "content/ContentParse.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include <tinyxml2.h>

namespace {

const char* SkipBlanks(const char* text) {
    while (*text && std::isspace(static_cast<unsigned char>(*text))) {
        ++text;
    }
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

int LeadingInt(const char* text) {
    if (!text) {
        return 0;
    }
    const char* p = SkipBlanks(text);
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    long long value = 0;
    for (; IsDigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1; // saturate, keep reading digits
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value < INT_MIN ? INT_MIN : value);
}

double LeadingDecimal(const char* text) {
    if (!text) {
        return 0.0;
    }
    const char* start = SkipBlanks(text);
    const char* p = start;
    if (*p == '+' || *p == '-') {
        ++p;
    }
    const char* digits = p;
    while (IsDigit(*p)) {
        ++p;
    }
    bool any = p != digits;
    if (*p == '.') {
        const char* fraction = ++p;
        while (IsDigit(*p)) {
            ++p;
        }
        any = any || p != fraction;
    }
    if (!any) {
        return 0.0;
    }
    if (*p == 'e' || *p == 'E') {
        const char* exponent = p + 1;
        if (*exponent == '+' || *exponent == '-') {
            ++exponent;
        }
        if (IsDigit(*exponent)) {
            p = exponent;
            while (IsDigit(*p)) {
                ++p;
            }
        }
    }
    // Whole numbers (what the editor writes) need no library call.
    const char* sign = start;
    bool negative = *sign == '-';
    const char* first = (*sign == '+' || *sign == '-') ? sign + 1 : sign;
    if (p - first <= 15) {
        bool whole = true;
        double value = 0;
        for (const char* c = first; c < p && whole; ++c) {
            whole = IsDigit(*c);
            value = value * 10 + (*c - '0');
        }
        if (whole) {
            return negative ? -value : value;
        }
    }
    // strtod on exactly the accepted prefix, so it cannot read further
    // (a hex prefix or "inf" never reaches it).
    char buffer[64];
    const std::size_t length = static_cast<std::size_t>(p - start);
    if (length < sizeof buffer) {
        std::memcpy(buffer, start, length);
        buffer[length] = '\0';
        return std::strtod(buffer, nullptr);
    }
    std::string number(start, p);
    return std::strtod(number.c_str(), nullptr);
}

const char* AttributeText(const tinyxml2::XMLElement& element, const char* name) {
    return element.Attribute(name);
}

int IntAttribute(const tinyxml2::XMLElement& element, const char* name) {
    return LeadingInt(element.Attribute(name));
}

double DecimalAttribute(const tinyxml2::XMLElement& element, const char* name) {
    return LeadingDecimal(element.Attribute(name));
}

bool FiniteFloat(double value, float& out) {
    // Compare in double: past the float range the narrowing itself would be
    // undefined.
    if (!std::isfinite(value) || std::fabs(value) > 3.4028234663852886e38) {
        out = 0.0f;
        return false;
    }
    out = static_cast<float>(value);
    return true;
}

int TruncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483647.0) {
        return INT_MAX;
    }
    if (value <= -2147483648.0) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}
