// Test main of the stock presets: a headless Qt application, the registered classes and
// presets, then every test.
#include <gtest/gtest.h>

#include <QtGlobal>

#include "../inspector/InspectorTestUtil.h"
#include "platform/gui/Application.h"
#include "presets/ZkStockPresets.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    zk::InitApplication(argc, argv);
    zk::RegisterStockPresets();
    zk::test::RegisterInspectorTestClasses();
    const int Result = RUN_ALL_TESTS();
    zk::DoneApplication();
    return Result;
}
