// Test main of the platform core: registers the core's classes, then runs every test.
#include <gtest/gtest.h>

#include "platform/core/CoreRegistration.h"

namespace zk {
void RegisterCoreTestResources();  // generated from the test form descriptions
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    zk::RegisterCoreClasses();
    zk::RegisterCoreTestResources();
    return RUN_ALL_TESTS();
}
