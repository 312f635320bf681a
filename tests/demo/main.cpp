// Test main of the demonstration program: a headless Qt application, then every test.
#include <gtest/gtest.h>

#include <QtGlobal>

#include "demo/TestForm.h"
#include "platform/gui/Application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    zk::InitApplication(argc, argv);
    zk::RegisterDemoClasses();
    const int Result = RUN_ALL_TESTS();
    zk::DoneApplication();
    return Result;
}
