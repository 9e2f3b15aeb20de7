#include "crdt/document.h"

#include <gtest/gtest.h>

using namespace crdt;

TEST(CrdtTypes, ObjIdPrintsAndParses)
{
    ObjId id { 7, *ActorId::from_hex("aabb") };
    EXPECT_EQ(id.to_string(), "7@aabb");
    EXPECT_EQ(ObjId::parse("7@aabb"), id);
    EXPECT_EQ(ObjId::parse("_root"), ROOT);
    EXPECT_FALSE(ObjId::parse("x@aabb"));
    EXPECT_FALSE(ObjId::parse("7@abz"));
}

TEST(CrdtTypes, RandomActorIsSixteenBytes)
{
    auto a = ActorId::random();
    EXPECT_EQ(a.bytes().size(), 16u);
    EXPECT_NE(a, ActorId::random());
}
