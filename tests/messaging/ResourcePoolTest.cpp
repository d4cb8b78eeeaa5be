#include <gtest/gtest.h>

#include <memory>

#include "messaging/PointerResource.h"
#include "messaging/ResourceCollectionPool.h"

namespace {

using TESSARIL_REMOTECONTROL_HOST::__PointerResource__;
using TESSARIL_REMOTECONTROL_HOST::__ResourceCollection__;
using TESSARIL_REMOTECONTROL_HOST::__ResourceCollectionPool__;

// An element that counts its destructions, so a test sees when a buffer goes.
struct Counted {
    ~Counted() { ++destroyed; }
    static inline int destroyed = 0;
};

std::shared_ptr<__ResourceCollection__> CollectionOf(int elements)
{
    auto collection = std::make_shared<__ResourceCollection__>();
    collection->resources.push_back(std::make_shared<__PointerResource__<Counted>>(new Counted[elements]));
    return collection;
}

class ResourcePoolTest : public ::testing::Test {
protected:
    void SetUp() override { Counted::destroyed = 0; }

    __ResourceCollectionPool__ pool;
};

TEST_F(ResourcePoolTest, PointerResourceReleasesItsWholeArrayAndANullPointerNothing)
{
    { __PointerResource__<Counted> resource(new Counted[3]); }
    { __PointerResource__<Counted> resource(nullptr); }
    EXPECT_EQ(Counted::destroyed, 3);
}

TEST_F(ResourcePoolTest, StoreUnderATakenIdReleasesTheEarlierCollection)
{
    pool.Store(25600062, CollectionOf(1));
    pool.Store(25600062, CollectionOf(2));
    EXPECT_EQ(Counted::destroyed, 1);
    pool.Drop(25600062);
    EXPECT_EQ(Counted::destroyed, 3);
}

TEST_F(ResourcePoolTest, StoringTheHeldCollectionAgainKeepsItAlive)
{
    auto collection = CollectionOf(2);
    const std::weak_ptr<__ResourceCollection__> held = collection;
    pool.Store(8, std::move(collection));
    pool.Store(8, held.lock());
    EXPECT_EQ(Counted::destroyed, 0);
    pool.Drop(8);
    EXPECT_EQ(Counted::destroyed, 2);
}

TEST_F(ResourcePoolTest, DropReleasesOnlyItsOwnIdAndIgnoresIdsNeverStored)
{
    pool.Store(1, CollectionOf(1));
    pool.Store(UINT64_MAX, CollectionOf(2));
    pool.Drop(2);
    pool.Drop(0);
    EXPECT_EQ(Counted::destroyed, 0);
    pool.Drop(UINT64_MAX);
    pool.Drop(UINT64_MAX);
    EXPECT_EQ(Counted::destroyed, 2);
}

}  // namespace
