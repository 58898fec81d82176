#include "tools/psicompile/PsiDescription.h"

#include <cmath>
#include <cstring>
#include <sstream>
#include <vector>

namespace psi {

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

struct Settings {
    int32_t emission = 0;
    float lifetime = -1;
    float lifeMin = 1, lifeMax = 1;
    float direction = 0, spread = 0; // stored in radians
    bool relative = false;
    float speedMin = 0, speedMax = 0, gravityMin = 0, gravityMax = 0;
    float radialMin = 0, radialMax = 0, tangentialMin = 0, tangentialMax = 0;
    float sizeStart = 1, sizeEnd = 1, sizeVar = 0;
    float spinStart = 0, spinEnd = 0, spinVar = 0;
    float colorStart[4] = {1, 1, 1, 1}, colorEnd[4] = {1, 1, 1, 1};
    float colorVar = 0, alphaVar = 0;
};

void PutU32(Record& r, size_t off, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        r[off + i] = static_cast<uint8_t>(v >> (8 * i));
    }
}
void PutF32(Record& r, size_t off, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    PutU32(r, off, bits);
}

Record Encode(const Settings& s) {
    Record r{};
    PutU32(r, 4, static_cast<uint32_t>(s.emission));
    PutF32(r, 8, s.lifetime);
    PutF32(r, 12, s.lifeMin);
    PutF32(r, 16, s.lifeMax);
    PutF32(r, 20, s.direction);
    PutF32(r, 24, s.spread);
    r[28] = s.relative ? 1 : 0;
    const float tail[] = {s.speedMin,      s.speedMax,      s.gravityMin,    s.gravityMax,
                          s.radialMin,     s.radialMax,     s.tangentialMin, s.tangentialMax,
                          s.sizeStart,     s.sizeEnd,       s.sizeVar,       s.spinStart,
                          s.spinEnd,       s.spinVar,       s.colorStart[0], s.colorStart[1],
                          s.colorStart[2], s.colorStart[3], s.colorEnd[0],   s.colorEnd[1],
                          s.colorEnd[2],   s.colorEnd[3],   s.colorVar,      s.alphaVar};
    for (size_t i = 0; i < sizeof tail / sizeof tail[0]; ++i) {
        PutF32(r, 32 + 4 * i, tail[i]);
    }
    return r;
}

bool ParseNumbers(const std::vector<std::string>& words, std::vector<float>& out) {
    for (const std::string& w : words) {
        char* end = nullptr;
        float v = std::strtof(w.c_str(), &end);
        if (end == w.c_str() || *end != '\0' || !std::isfinite(v)) {
            return false;
        }
        out.push_back(v);
    }
    return true;
}

// A colour is an ARGB hex word (the palette's notation), "keep" followed by
// an alpha (keep the sprite's own colour, vary alpha only), or r g b a in 0..1.
bool ParseColour(const std::vector<std::string>& words, float out[4]) {
    if (words.size() == 1 && words[0].size() == 8 &&
        words[0].find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) {
        uint32_t argb = static_cast<uint32_t>(std::stoul(words[0], nullptr, 16));
        out[0] = ((argb >> 16) & 0xFF) / 255.0f;
        out[1] = ((argb >> 8) & 0xFF) / 255.0f;
        out[2] = (argb & 0xFF) / 255.0f;
        out[3] = (argb >> 24) / 255.0f;
        return true;
    }
    std::vector<float> v;
    if (words.size() == 2 && words[0] == "keep" && ParseNumbers({words[1]}, v)) {
        out[0] = -1;
        out[1] = out[2] = 1;
        out[3] = v[0];
        return true;
    }
    if (words.size() == 4 && ParseNumbers(words, v)) {
        std::copy(v.begin(), v.end(), out);
        return true;
    }
    return false;
}

// Applies one "key = values" line; returns an error text or empty.
std::string Apply(Settings& s, const std::string& key, const std::vector<std::string>& words) {
    if (key == "color_start" || key == "color_end") {
        return ParseColour(words, key == "color_start" ? s.colorStart : s.colorEnd)
                   ? ""
                   : "a colour is AARRGGBB, 'keep ALPHA' or four numbers";
    }
    if (key == "relative") {
        if (words.size() != 1 || (words[0] != "true" && words[0] != "false")) {
            return "relative is true or false";
        }
        s.relative = words[0] == "true";
        return "";
    }
    std::vector<float> v;
    if (!ParseNumbers(words, v)) {
        return "'" + key + "' needs numbers";
    }
    struct Pair {
        const char* name;
        float* a;
        float* b; // null: one value
        double scale;
    };
    const Pair pairs[] = {
        {"lifetime", &s.lifetime, nullptr, 1},
        {"life", &s.lifeMin, &s.lifeMax, 1},
        {"direction", &s.direction, nullptr, kDegToRad},
        {"spread", &s.spread, nullptr, kDegToRad},
        {"speed", &s.speedMin, &s.speedMax, 1},
        {"gravity", &s.gravityMin, &s.gravityMax, 1},
        {"radial", &s.radialMin, &s.radialMax, 1},
        {"tangential", &s.tangentialMin, &s.tangentialMax, 1},
        {"size", &s.sizeStart, &s.sizeEnd, 1},
        {"size_variation", &s.sizeVar, nullptr, 1},
        {"spin", &s.spinStart, &s.spinEnd, 1},
        {"spin_variation", &s.spinVar, nullptr, 1},
        {"color_variation", &s.colorVar, nullptr, 1},
        {"alpha_variation", &s.alphaVar, nullptr, 1},
    };
    if (key == "emission") {
        if (v.size() != 1 || v[0] < 0 || v[0] != std::floor(v[0])) {
            return "emission is a whole number of particles per second";
        }
        s.emission = static_cast<int32_t>(v[0]);
        return "";
    }
    for (const Pair& p : pairs) {
        if (key != p.name) {
            continue;
        }
        // A range given as one number means min = max.
        size_t want = p.b ? 2 : 1;
        if (v.size() != want && !(p.b && v.size() == 1)) {
            return "'" + key + "' takes " + (p.b ? "one or two numbers" : "one number");
        }
        *p.a = static_cast<float>(v[0] * p.scale);
        if (p.b) {
            *p.b = static_cast<float>(v.back() * p.scale);
        }
        return "";
    }
    return "unknown setting '" + key + "'";
}

} // namespace

Result Compile(const std::string& text) {
    Settings s;
    std::istringstream in(text);
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string key, eq, w;
        if (!(words >> key)) {
            continue;
        }
        std::vector<std::string> values;
        if (!(words >> eq) || eq != "=") {
            return {false, "line " + std::to_string(n) + ": expected 'key = values'", {}};
        }
        while (words >> w) {
            values.push_back(w);
        }
        std::string error = values.empty() ? "'" + key + "' has no value" : Apply(s, key, values);
        if (!error.empty()) {
            return {false, "line " + std::to_string(n) + ": " + error, {}};
        }
    }
    return {true, "", Encode(s)};
}

} // namespace psi
