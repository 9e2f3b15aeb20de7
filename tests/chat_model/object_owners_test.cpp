#include "model/object_owners.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

using chat::ObjectKey;
using chat::ObjectOwners;

namespace {

// Keys that share counters across actors and counters far apart.
ObjectKey key(std::uint64_t n) { return {.counter = 1 + (n / 3) * 977, .actor = static_cast<std::uint32_t>(n % 3)}; }

} // namespace

TEST(ObjectOwners, FindsEveryOwnerSetThroughGrowthAndOverwrites)
{
    ObjectOwners owners;
    std::map<std::pair<std::uint64_t, std::uint32_t>, ObjectKey> expected;
    EXPECT_FALSE(owners.find(key(0)));
    for (std::uint64_t n = 0; n < 5000; ++n) {
        owners.set(key(n), key(n / 7));
        expected[{key(n).counter, key(n).actor}] = key(n / 7);
    }
    for (std::uint64_t n = 0; n < 5000; n += 2) { // a re-read message takes its objects back
        owners.set(key(n), key(n));
        expected[{key(n).counter, key(n).actor}] = key(n);
    }
    EXPECT_EQ(owners.size(), expected.size());
    for (auto const& [object, owner] : expected)
        EXPECT_EQ(owners.find({object.first, object.second}), owner);
    EXPECT_FALSE(owners.find({.counter = 2, .actor = 0}));
    EXPECT_FALSE(owners.find({.counter = 1, .actor = 3})); // a known counter, an unknown actor

    owners.clear();
    EXPECT_EQ(owners.size(), 0u);
    EXPECT_FALSE(owners.find(key(1)));
    owners.reserve(100);
    owners.set(key(1), key(2));
    EXPECT_EQ(owners.find(key(1)), key(2));
}
