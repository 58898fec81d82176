// What spells draw with: projectile sprites, the numbered trail files and
// the area emitters. Each name is looked up once; a missing one is logged the
// first time and the spell then goes without that part of its look (it still
// costs its orbs and deals its damage).
#pragma once

#include "toolkit/ParticleSystemInfo.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

class FX_Emitter;
class ParticleSystem;
class Sprite;

class SpellContent {
public:
    // The projectile's trail: the settings of "fx/projectile" + number +
    // ".psi" drawn with the named sprite, fired at (x, y). nullptr when the
    // sprite or the file is missing.
    std::unique_ptr<ParticleSystem> Trail(const std::string& spriteName, int number, float x,
                                          float y);
    // A playing copy of the named emitter of the effects file at (x, y),
    // facing the area spells' way; nullptr when there is no such emitter.
    std::unique_ptr<FX_Emitter> AreaEmitter(const std::string& name, float x, float y);

    static std::string TrailFile(int number);

private:
    // Logs the line only the first time it is given.
    void ReportOnce(const std::string& line);
    const std::optional<ParticleSystemInfo>& TrailSettings(int number);

    std::map<int, std::optional<ParticleSystemInfo>> m_trails;
    std::set<std::string> m_reported;
};
