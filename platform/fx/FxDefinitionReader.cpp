#include "platform/fx/FxDefinitionReader.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

using tinyxml2::XMLElement;

constexpr int kMaxParticlesPerType = 4000;
constexpr float kLongestLife = 3600; // keeps frame numbers and ages well inside int range
constexpr int kMaxSubs = 255;        // sub-emitter handles keep the index in 8 bits
// Every live particle of an emitter is moved every step; the shipped effects
// stay under a thousand.
constexpr long kMaxParticlesPerEmitter = 5000;
// The lead-in to interval1 is simulated step by step when the effect starts.
constexpr int kMaxLeadInSteps = 1200; // 20 s at 1/60 s

// Reads an optional number; a present attribute that is not a finite number
// is an error, so typos in content show up instead of playing as zero.
bool Number(const XMLElement* element, const char* name, float& value, std::string& error) {
    if (element == nullptr) {
        return true;
    }
    const char* text = element->Attribute(name);
    if (text == nullptr) {
        return true;
    }
    char* end = nullptr;
    double parsed = std::strtod(text, &end);
    while (end != nullptr && (*end == ' ' || *end == '\t')) {
        ++end;
    }
    if (end == text || end == nullptr || *end != '\0' || !std::isfinite(parsed) ||
        std::fabs(parsed) > 1e7) {
        error = std::string("attribute '") + name + "' of <" + element->Name() +
                "> is not a number: '" + text + "'";
        return false;
    }
    value = static_cast<float>(parsed);
    return true;
}

bool Integer(const XMLElement* element, const char* name, int& value, std::string& error) {
    float number = static_cast<float>(value);
    if (!Number(element, name, number, error)) {
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

bool Flag(const XMLElement* element, const char* name, bool& value, std::string& error) {
    int number = value ? 1 : 0;
    if (!Integer(element, name, number, error)) {
        return false;
    }
    value = number != 0;
    return true;
}

bool Color(const char* text, std::uint32_t& argb) {
    if (text == nullptr || std::strlen(text) != 8) {
        return false;
    }
    char* end = nullptr;
    unsigned long parsed = std::strtoul(text, &end, 16);
    if (end == nullptr || *end != '\0') {
        return false;
    }
    argb = static_cast<std::uint32_t>(parsed);
    return true;
}

bool Keys(const XMLElement* element, std::vector<FxKey>& keys, std::string& error) {
    for (const XMLElement* key = element->FirstChildElement("key"); key != nullptr;
         key = key->NextSiblingElement("key")) {
        FxKey parsed;
        if (!Number(key, "t", parsed.t, error) || !Number(key, "v", parsed.v, error)) {
            return false;
        }
        keys.push_back(parsed);
    }
    return true;
}

// <emission rate="N"/> or keys; <size start= end=/> or keys.
bool Curve(const XMLElement* element, const char* constant, FxCurve& curve, std::string& error) {
    if (element == nullptr) {
        return true;
    }
    std::vector<FxKey> keys;
    float value = 0;
    if (element->Attribute(constant) != nullptr) {
        if (!Number(element, constant, value, error)) {
            return false;
        }
        keys.push_back({0, value});
    }
    if (element->Attribute("start") != nullptr || element->Attribute("end") != nullptr) {
        float start = 0, end = 0;
        if (!Number(element, "start", start, error)) {
            return false;
        }
        end = start;
        if (!Number(element, "end", end, error)) {
            return false;
        }
        keys = {{0, start}, {1, end}};
    }
    if (!Keys(element, keys, error)) {
        return false;
    }
    if (!keys.empty()) {
        curve.SetKeys(std::move(keys));
    }
    return true;
}

bool Colors(const XMLElement* element, FxColorTable& table, std::string& error) {
    if (element == nullptr) {
        return true;
    }
    std::vector<FxColorTable::Key> keys;
    for (const XMLElement* key = element->FirstChildElement("key"); key != nullptr;
         key = key->NextSiblingElement("key")) {
        FxColorTable::Key parsed;
        if (!Number(key, "t", parsed.t, error)) {
            return false;
        }
        if (!Color(key->Attribute("c"), parsed.argb)) {
            error = "a colour key needs c=\"AARRGGBB\"";
            return false;
        }
        keys.push_back(parsed);
    }
    if (!keys.empty()) {
        table.SetKeys(keys);
    }
    return true;
}

FxShape ShapeByName(const char* name) {
    if (name == nullptr) {
        return FxShape::Point;
    }
    static const std::pair<const char*, FxShape> kShapes[] = {{"circle", FxShape::Circle},
                                                              {"ring", FxShape::Ring},
                                                              {"box", FxShape::Box},
                                                              {"line", FxShape::Line}};
    for (const auto& [text, shape] : kShapes) {
        if (std::strcmp(text, name) == 0) {
            return shape;
        }
    }
    return FxShape::Point;
}

std::uint32_t Hash(const XMLElement& element) {
    tinyxml2::XMLPrinter printer(nullptr, true);
    element.Accept(&printer);
    std::uint32_t hash = 2166136261u;
    for (const char* c = printer.CStr(); *c != '\0'; ++c) {
        hash = (hash ^ static_cast<unsigned char>(*c)) * 16777619u;
    }
    return hash;
}

} // namespace

FxEmitterDefPtr FxDefinitionReader::Read(const XMLElement& element, std::string& error) const {
    auto def = std::make_shared<FxEmitterDef>();
    const char* name = element.Attribute("name");
    if (name == nullptr || *name == '\0') {
        error = "an emitter has no name";
        return nullptr;
    }
    def->name = name;
    int seed = 1;
    if (!Number(&element, "length", def->length, error) ||
        !Number(&element, "update", def->updateTime, error) ||
        !Integer(&element, "seed", seed, error) || !Integer(&element, "loop", def->loop, error) ||
        !Flag(&element, "interpolate", def->interpolate, error)) {
        return nullptr;
    }
    def->seed = static_cast<std::uint32_t>(seed);
    def->updateTime = std::clamp(def->updateTime, 0.001f, 0.25f);
    if (const XMLElement* interval = element.FirstChildElement("interval1")) {
        def->hasInterval1 = true;
        if (!Number(interval, "start", def->interval1Start, error) ||
            !Number(interval, "end", def->interval1End, error)) {
            return nullptr;
        }
        def->interval1Start = std::max(0.0f, def->interval1Start);
        if (def->interval1End >= 0 && def->interval1End <= def->interval1Start) {
            error = "interval1 of '" + def->name + "' ends before it starts";
            return nullptr;
        }
        if (def->interval1Start / def->updateTime > static_cast<float>(kMaxLeadInSteps)) {
            error = "interval1 of '" + def->name + "' starts more than " +
                    std::to_string(kMaxLeadInSteps) + " update steps in";
            return nullptr;
        }
    }
    // Particle types written straight into the emitter form its first sub-emitter.
    if (element.FirstChildElement("type") != nullptr) {
        def->subs.emplace_back();
        if (!ReadSub(element, def->subs.back(), error)) {
            return nullptr;
        }
        def->subs.back().name = def->name;
        def->subs.back().start = 0;
        def->subs.back().end = -1;
        def->subs.back().x = def->subs.back().y = 0;
    }
    for (const XMLElement* sub = element.FirstChildElement("sub"); sub != nullptr;
         sub = sub->NextSiblingElement("sub")) {
        if (def->subs.size() >= kMaxSubs) {
            error = "emitter '" + def->name + "' has too many sub-emitters";
            return nullptr;
        }
        def->subs.emplace_back();
        if (!ReadSub(*sub, def->subs.back(), error)) {
            error = "emitter '" + def->name + "': " + error;
            return nullptr;
        }
    }
    long particles = 0;
    for (const FxSubDef& sub : def->subs) {
        for (const FxTypeDef& type : sub.types) {
            particles += type.maxParticles;
        }
    }
    if (particles > kMaxParticlesPerEmitter) {
        error = "emitter '" + def->name + "' may hold more than " +
                std::to_string(kMaxParticlesPerEmitter) + " particles";
        return nullptr;
    }
    def->hash = Hash(element);
    return def;
}

bool FxDefinitionReader::ReadSub(const XMLElement& element, FxSubDef& sub,
                                 std::string& error) const {
    if (const char* name = element.Attribute("name")) {
        sub.name = name;
    }
    if (!Number(&element, "start", sub.start, error) || !Number(&element, "end", sub.end, error) ||
        !Number(&element, "x", sub.x, error) || !Number(&element, "y", sub.y, error)) {
        return false;
    }
    sub.start = std::max(0.0f, sub.start);
    for (const XMLElement* type = element.FirstChildElement("type"); type != nullptr;
         type = type->NextSiblingElement("type")) {
        sub.types.emplace_back();
        if (!ReadType(*type, sub.types.back(), error)) {
            return false;
        }
    }
    return true;
}

bool FxDefinitionReader::ReadType(const XMLElement& element, FxTypeDef& type,
                                  std::string& error) const {
    if (const char* name = element.Attribute("name")) {
        type.name = name;
    }
    const XMLElement* emission = element.FirstChildElement("emission");
    const XMLElement* shape = element.FirstChildElement("shape");
    const XMLElement* life = element.FirstChildElement("life");
    const XMLElement* speed = element.FirstChildElement("speed");
    const XMLElement* direction = element.FirstChildElement("direction");
    const XMLElement* gravity = element.FirstChildElement("gravity");
    const XMLElement* size = element.FirstChildElement("size");
    const XMLElement* spin = element.FirstChildElement("spin");
    bool ok =
        Flag(&element, "intensive", type.intensive, error) &&
        Integer(&element, "max", type.maxParticles, error) &&
        Curve(emission, "rate", type.emission, error) &&
        Number(shape, "radius", type.radius, error) &&
        Number(shape, "width", type.boxWidth, error) &&
        Number(shape, "height", type.boxHeight, error) &&
        Number(life, "min", type.lifeMin, error) && Number(life, "max", type.lifeMax, error) &&
        Number(speed, "min", type.speedMin, error) && Number(speed, "max", type.speedMax, error) &&
        Number(speed, "drag", type.drag, error) &&
        Number(direction, "angle", type.direction, error) &&
        Number(direction, "spread", type.spread, error) &&
        Flag(direction, "outward", type.outward, error) &&
        Number(gravity, "x", type.gravityX, error) && Number(gravity, "y", type.gravityY, error) &&
        Number(gravity, "jitter", type.jitter, error) && Curve(size, "v", type.size, error) &&
        Number(size, "variation", type.sizeVariation, error) &&
        Number(size, "aspect", type.aspect, error) && Number(spin, "min", type.spinMin, error) &&
        Number(spin, "max", type.spinMax, error) &&
        Flag(spin, "random", type.randomRotation, error) &&
        Colors(element.FirstChildElement("color"), type.colors, error) &&
        ReadTextures(element, type, error);
    if (!ok) {
        return false;
    }
    if (emission != nullptr) {
        for (const XMLElement* burst = emission->FirstChildElement("burst"); burst != nullptr;
             burst = burst->NextSiblingElement("burst")) {
            FxBurst parsed;
            if (!Number(burst, "t", parsed.time, error) ||
                !Integer(burst, "count", parsed.count, error)) {
                return false;
            }
            parsed.count = std::clamp(parsed.count, 0, kMaxParticlesPerType);
            type.bursts.push_back(parsed);
        }
    }
    if (shape != nullptr) {
        type.shape = ShapeByName(shape->Attribute("kind"));
    }
    if (type.size.Empty()) {
        type.size = FxCurve(16);
    }
    // Clamp what would make the simulation misbehave rather than reject it.
    type.maxParticles = std::clamp(type.maxParticles, 1, kMaxParticlesPerType);
    type.lifeMin = std::clamp(type.lifeMin, 0.01f, kLongestLife);
    type.lifeMax = std::clamp(type.lifeMax, type.lifeMin, kLongestLife);
    type.speedMax = std::max(type.speedMin, type.speedMax);
    type.spinMax = std::max(type.spinMin, type.spinMax);
    type.drag = std::max(0.0f, type.drag);
    type.sizeVariation = std::clamp(type.sizeVariation, 0.0f, 1.0f);
    type.aspect = std::clamp(type.aspect, 0.01f, 100.0f);
    type.fps = std::clamp(type.fps, 0.0f, 240.0f);
    return true;
}

bool FxDefinitionReader::ReadTextures(const XMLElement& element, FxTypeDef& type,
                                      std::string& error) const {
    const XMLElement* textures = element.FirstChildElement("textures");
    if (textures == nullptr) {
        return true;
    }
    if (!Number(textures, "fps", type.fps, error)) {
        return false;
    }
    if (const char* animation = textures->Attribute("animation")) {
        if (std::strcmp(animation, "life") == 0) {
            type.animation = FxAnimation::Life;
        } else if (std::strcmp(animation, "random") == 0) {
            type.animation = FxAnimation::Random;
        }
    }
    for (const XMLElement* texture = textures->FirstChildElement("texture"); texture != nullptr;
         texture = texture->NextSiblingElement("texture")) {
        FxTextureDef parsed;
        const char* file = texture->Attribute("file");
        if (file == nullptr || *file == '\0') {
            error = "a texture has no file";
            return false;
        }
        parsed.file = file;
        if (!Integer(texture, "width", parsed.width, error) ||
            !Integer(texture, "height", parsed.height, error) ||
            !Flag(texture, "flipx", parsed.flipX, error) ||
            !Flag(texture, "flipy", parsed.flipY, error)) {
            return false;
        }
        if ((parsed.width <= 0 || parsed.height <= 0) &&
            !(m_sizer && m_sizer(parsed.file, parsed.width, parsed.height))) {
            error = "texture '" + parsed.file + "' has no size and cannot be read";
            return false;
        }
        if (parsed.width <= 0 || parsed.height <= 0 || parsed.width > 8192 ||
            parsed.height > 8192) {
            error = "texture '" + parsed.file + "' has an impossible size";
            return false;
        }
        type.textures.push_back(std::move(parsed));
    }
    return true;
}
