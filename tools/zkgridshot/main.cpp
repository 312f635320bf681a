// zkgridshot: an inspector over a button, in the classic or the native look, grabbed to a PNG.
// The scale comes from the environment (QT_SCALE_FACTOR=2 for a high-density picture).
#include <QPixmap>
#include <QWidget>
#include <cstdio>
#include <string>

#include "inspector/ZkInspectorRegistration.h"
#include "inspector/ZkObjectInspector.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"
#include "platform/gui/GuiRegistration.h"
#include "platform/gui/StdCtrls.h"

int main(int argc, char** argv) {
    if (argc != 3 || (std::string(argv[1]) != "classic" && std::string(argv[1]) != "native")) {
        std::fprintf(stderr, "usage: zkgridshot classic|native OUT.png\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    zk::InitApplication(argc, argv);
    zk::RegisterGuiClasses();
    zk::RegisterInspectorClasses();
    using namespace zk;
    const bool Native = std::string(argv[1]) == "native";
    {
        TOwned<TForm> Form(Create<TForm>(nullptr));
        Form->SetBounds(0, 0, 330, 420);
        auto* Button = Create<TButton>(Form.get());
        Button->SetName("Button1");
        Button->SetCaption("A caption longer than its cell can show");
        Button->SetHint("Saves the document under its current name");
        auto* Inspector = Create<TZkObjectInspector>(Form.get());
        Inspector->SetParent(Form.get());
        Inspector->SetBounds(4, 4, 320, 410);
        Inspector->SetNativeLook(Native);
        Inspector->SetArrangeByCategory(true);
        Inspector->SetInspectedComponent(Button);
        Form->Show();
        Application->ProcessMessages();
        // A few categories open, one with a nested object, and a pick-list row current.
        for (const char* Path : {"Action", "Visual", "Visual.Font"})
            if (TZkItemProperty* Row = Inspector->GetItems()->FindPath(Path)) Row->Expand();
        if (TZkItemProperty* Row = Inspector->GetItems()->FindPath("Visual.Cursor"))
            Inspector->SelectItem(Row);
        Inspector->SetFocus();
        Application->ProcessMessages();
        const QPixmap Shot = Form->GetWidget()->grab();
        if (!Shot.save(QString::fromLocal8Bit(argv[2]))) {
            std::fprintf(stderr, "zkgridshot: cannot write %s\n", argv[2]);
            return 1;
        }
    }
    zk::DoneApplication();
    return 0;
}
