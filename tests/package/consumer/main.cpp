// Uses the installed zk: reads an embedded form with an inspector and a button, inspects the
// button, then a QPushButton through the Qt bridge, and reports the rows of each.
#include <QPushButton>
#include <QtGlobal>
#include <cstdio>

#include "inspector/ZkObjectInspector.h"
#include "platform/core/Filer.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"
#include "platform/gui/GuiRegistration.h"
#include "qtbridge/ZkQtBridgeRegistration.h"
#include "qtbridge/ZkQtObject.h"

namespace zk {
void RegisterConsumerResources();
}

int main(int argc, char** argv) {
    using namespace zk;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    InitApplication(argc, argv);
    RegisterGuiClasses();
    RegisterQtBridgeClasses();
    RegisterConsumerResources();
    int Result = 1;
    {
        TOwned<TForm> Form(Create<TForm>(nullptr));
        if (!ReadComponentRes("TFORM", Form.get())) {
            std::fprintf(stderr, "consumer: the embedded form is missing\n");
        } else {
            auto* Inspector = DynamicCast<TZkObjectInspector>(Form->FindComponent("Inspector"));
            auto* Button = Form->FindComponent("Button1");
            Form->Show();
            Inspector->SetInspectedComponent(Button);
            Application->ProcessMessages();
            const int ButtonRows = Inspector->GetAllItems().GetCount();
            QPushButton Qt(QStringLiteral("Qt"));
            Inspector->SetInspectedComponent(TZkQtObject::Of(&Qt, Form.get()));
            Application->ProcessMessages();
            const int QtRows = Inspector->GetAllItems().GetCount();
            std::printf("consumer: %d rows for Button1, %d rows for a QPushButton\n", ButtonRows,
                        QtRows);
            Result = ButtonRows > 0 && QtRows > 0 ? 0 : 1;
        }
    }
    DoneApplication();
    return Result;
}
