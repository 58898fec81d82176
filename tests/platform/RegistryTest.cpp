#include "platform/registry/Registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_events;

struct First {
    First() { g_events.push_back("make first"); }
    ~First() { g_events.push_back("drop first"); }
    int value = 0;
};

struct Second {
    // Built on First, as later instances are built on earlier ones.
    Second() : first(Registry::Current().Get<First>()) { g_events.push_back("make second"); }
    ~Second() { g_events.push_back("drop second"); }
    First& first;
};

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        Registry::Current().Reset();
        g_events.clear();
    }
    void TearDown() override { Registry::Current().Reset(); }
};

} // namespace

TEST_F(RegistryTest, CreatesOnFirstUseAndGivesTheSameInstance) {
    EXPECT_FALSE(Registry::Current().Has<First>());
    Registry::Current().Get<First>().value = 7;
    EXPECT_EQ(Registry::Current().Get<First>().value, 7);
    EXPECT_EQ(g_events, std::vector<std::string>{"make first"});
}

TEST_F(RegistryTest, ResetDestroysNewestFirstAndStartsFresh) {
    Registry::Current().Get<Second>();
    Registry::Current().Get<First>().value = 3;
    Registry::Current().Reset();
    EXPECT_EQ(g_events,
              (std::vector<std::string>{"make first", "make second", "drop second", "drop first"}));
    EXPECT_EQ(Registry::Current().Get<First>().value, 0);
}
