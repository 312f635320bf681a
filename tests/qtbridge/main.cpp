// Test main of the Qt bridge: a headless Qt application, the registered classes, then every test.
#include <gtest/gtest.h>

#include <QtGlobal>

#include "platform/gui/Application.h"
#include "qtbridge/ZkQtBridgeRegistration.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    zk::InitApplication(argc, argv);
    zk::RegisterQtBridgeClasses();
    const int Result = RUN_ALL_TESTS();
    zk::DoneApplication();
    return Result;
}
