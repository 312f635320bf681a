// Test main of the platform core: registers the core's classes, then runs every test.
#include <gtest/gtest.h>

#include "platform/core/CoreRegistration.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    zk::RegisterCoreClasses();
    return RUN_ALL_TESTS();
}
