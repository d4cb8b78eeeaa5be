#include "common/Singleton.h"

#include <gtest/gtest.h>

namespace {

int liveInstances = 0;

class Counted : public TESSARIL_COMMON::Singleton<Counted> {
public:
    Counted() { ++liveInstances; }
    ~Counted() override { --liveInstances; }
    int value = 0;
};

TEST(SingletonTest, CreatesOnFirstAccessAndKeepsOneInstance)
{
    Counted* first = Counted::GetInstance();
    first->value = 7;
    EXPECT_EQ(Counted::GetInstance(), first);
    EXPECT_EQ(liveInstances, 1);
    Counted::DestroyInstance();
}

TEST(SingletonTest, DestroyDeletesThroughTheVirtualDestructorAndAccessCreatesAgain)
{
    Counted::GetInstance()->value = 7;
    Counted::DestroyInstance();
    EXPECT_EQ(liveInstances, 0);
    EXPECT_EQ(Counted::GetInstance()->value, 0) << "a fresh instance";
    Counted::DestroyInstance();
    Counted::DestroyInstance();  // a second destroy finds nothing to delete
    EXPECT_EQ(liveInstances, 0);
}

}  // namespace
