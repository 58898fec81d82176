// The benchmark map: many entities (a quarter of them with particle
// systems) and items spread over a wide area, with a fixed set of them in
// the view of a 1024 x 768 screen at camera (0, 0). Built from the shipped
// definitions, so the run draws what the game draws.
#pragma once

#include "content/MapFile.h"

#include <random>
#include <string>

namespace bench {

struct BenchMapSize {
    int entities = 20000;
    int items = 2000;
    int entitiesInView = 90;
    int itemsInView = 10;
};

inline MapContents MakeBenchMap(const BenchMapSize& size) {
    // Plain props and props with particles, three to one.
    static const char* const kPlain[] = {"tree_oak", "rock_large", "pillar"};
    static const char* const kLit = "torch";
    static const char* const kItems[] = {"Bread", "Health Potion", "Fire Crystal"};
    std::mt19937 random(2024);
    std::uniform_real_distribution<float> inViewX(40, 980), inViewY(40, 720);
    // Off screen: anywhere in a 40,000-pixel square but well clear of the view.
    std::uniform_real_distribution<float> far(-20000, 20000);
    auto farPoint = [&](float& x, float& y) {
        do {
            x = far(random);
            y = far(random);
        } while (x > -400 && x < 1500 && y > -400 && y < 1200);
    };
    MapContents map;
    map.name = "Benchmark";
    for (int i = 0; i < size.entities; ++i) {
        MapPlacement p;
        p.name = i % 4 == 0 ? kLit : kPlain[i % 3];
        if (i < size.entitiesInView) {
            p.x = inViewX(random);
            p.y = inViewY(random);
        } else {
            farPoint(p.x, p.y);
        }
        map.entities.push_back(p);
    }
    for (int i = 0; i < size.items; ++i) {
        MapPlacement p;
        p.name = kItems[i % 3];
        if (i < size.itemsInView) {
            p.x = inViewX(random);
            p.y = inViewY(random);
        } else {
            farPoint(p.x, p.y);
        }
        map.items.push_back(p);
    }
    return map;
}

} // namespace bench
