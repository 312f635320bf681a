// Test main of the item list: a headless Qt application, the registered classes and embedded
// glyphs, then every test.
#include <gtest/gtest.h>

#include <QtGlobal>

#include "platform/core/CoreRegistration.h"
#include "platform/gui/Application.h"
#include "platform/gui/GuiRegistration.h"
#if __has_include("itemlist/ZkItemListRegistration.h")
#include "itemlist/ZkItemListRegistration.h"
#define ZK_HAVE_ITEMLIST_REGISTRATION 1
#endif

namespace zk {
void RegisterItemListResources();
}  // namespace zk

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    zk::InitApplication(argc, argv);
    zk::RegisterCoreClasses();
    zk::RegisterApplicationClasses();
    zk::RegisterGuiClasses();
    zk::RegisterItemListResources();
#ifdef ZK_HAVE_ITEMLIST_REGISTRATION
    zk::RegisterItemListClasses();
#endif
    const int Result = RUN_ALL_TESTS();
    zk::DoneApplication();
    return Result;
}
