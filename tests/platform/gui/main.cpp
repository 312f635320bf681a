// Test main of the GUI platform: a headless Qt application, the registered classes, then every
// test.
#include <gtest/gtest.h>

#include <QtGlobal>

#include "platform/core/CoreRegistration.h"
#include "platform/gui/Application.h"
#if __has_include("platform/gui/GuiRegistration.h")
#include "platform/gui/GuiRegistration.h"
#define ZK_HAVE_GUI_REGISTRATION 1
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    zk::InitApplication(argc, argv);
    zk::RegisterCoreClasses();
    zk::RegisterApplicationClasses();
#ifdef ZK_HAVE_GUI_REGISTRATION
    zk::RegisterGuiClasses();
#endif
    const int Result = RUN_ALL_TESTS();
    zk::DoneApplication();
    return Result;
}
