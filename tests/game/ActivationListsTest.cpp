// The world's activation lists against a plain walk over two linked lists,
// written straight from the rules, over a random camera path.
#include "game/world/ActivationLists.h"

#include <gtest/gtest.h>

#include <list>
#include <random>

namespace {

struct Thing {
    Thing(int id, float x, float y, float size, bool dynamic)
        : id(id), x(x), y(y), dynamic(dynamic),
          box(std::make_unique<CollisionBox>(&this->x, &this->y, size, size, -size / 2,
                                             -size / 2)) {}
    const CollisionBox& Box() const { return *box; }
    int id;
    float x, y;
    bool dynamic;
    std::unique_ptr<CollisionBox> box;
};

struct PlainWalk {
    std::list<Thing*> active, inactive;
    void Update(const CollisionBox& view) {
        for (auto it = inactive.begin(); it != inactive.end();) {
            if (CollisionBox::Overlap((*it)->Box(), view)) {
                active.push_back(*it);
                it = inactive.erase(it);
            } else {
                ++it;
            }
        }
        for (auto it = active.begin(); it != active.end();) {
            if (!(*it)->dynamic && !CollisionBox::Overlap((*it)->Box(), view)) {
                inactive.push_back(*it);
                it = active.erase(it);
            } else {
                ++it;
            }
        }
    }
};

template <typename List> std::vector<int> Ids(const List& list) {
    std::vector<int> ids;
    for (const auto& thing : list) {
        ids.push_back(thing->id);
    }
    return ids;
}

} // namespace

TEST(ActivationLists, MatchThePlainWalkOverARandomCameraPath) {
    std::mt19937 random(12345);
    std::uniform_real_distribution<float> position(-4000, 4000);
    std::uniform_real_distribution<float> size(0, 600);
    std::uniform_real_distribution<float> huge(-1e30f, 1e30f);
    ActivationLists<Thing> lists;
    PlainWalk plain;
    for (int i = 0; i < 2000; ++i) {
        // Point-sized boxes, boxes over many cells, and far-flung positions.
        const float side = i % 7 == 0 ? 0.0f : i % 97 == 0 ? 50000.0f : size(random);
        const float x = i % 89 == 0 ? huge(random) : position(random);
        auto thing = std::make_unique<Thing>(i, x, position(random), side, i % 5 == 0);
        plain.inactive.push_back(thing.get());
        lists.AddInactive(std::move(thing));
    }
    float cameraX = 0, cameraY = 0;
    CollisionBox view(&cameraX, &cameraY, 1024, 768);
    std::vector<std::unique_ptr<Thing>> released;
    std::uniform_real_distribution<float> step(-300, 300);
    for (int frame = 0; frame < 600; ++frame) {
        cameraX += step(random);
        cameraY += step(random);
        if (frame % 100 == 0) {
            cameraX = position(random); // a jump, as after a teleport
        }
        lists.Update(view, [](const Thing& t) { return t.dynamic; });
        plain.Update(view);
        if (frame % 37 == 0 && !plain.active.empty()) {
            // Picked up: gone from both lists for good.
            std::unique_ptr<Thing> taken = lists.ReleaseActive(0);
            ASSERT_EQ(taken.get(), plain.active.front());
            plain.active.pop_front();
            released.push_back(std::move(taken));
        }
        ASSERT_EQ(Ids(lists.Active()), Ids(plain.active)) << "frame " << frame;
        ASSERT_EQ(Ids(lists.Inactive()), Ids(plain.inactive)) << "frame " << frame;
        ASSERT_EQ(lists.InactiveCount(), plain.inactive.size());
    }
}
