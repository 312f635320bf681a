// Shared fixture of the dialog tests: the modal seam answered by what shows (the dialog under
// test, a pop-up menu, a file dialog) and the message boxes collected.
#pragma once
#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QTemporaryDir>
#include <functional>

#include "platform/gui/Dialogs.h"
#include "platform/gui/GuiTestUtil.h"
#include "platform/gui/Menus.h"

namespace zk::test {

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        SetModalHandler([this](TComponent* Shown) { return Answer(Shown); });
        SetMessageBoxHandler([this](const std::string& Msg, int, int) {
            Messages.push_back(Msg);
            return static_cast<int>(mrOk);
        });
    }
    void TearDown() override {
        SetModalHandler(nullptr);
        SetMessageBoxHandler(nullptr);
        Application->ProcessMessages();
    }

    int Answer(TComponent* Shown) {
        if (auto* Form = DynamicCast<TCustomForm>(Shown)) {
            Form->GetWidget()->activateWindow();
            Application->ProcessMessages();
            OnForm(Form);
            return Form->GetModalResult();
        }
        if (auto* Menu = DynamicCast<TPopupMenu>(Shown); Menu && MenuPick) {
            std::exchange(MenuPick, nullptr)->GetQAction()->trigger();
            return static_cast<int>(mrOk);
        }
        if (auto* File = DynamicCast<TOpenDialog>(Shown)) {
            if (FileName.empty()) return static_cast<int>(mrCancel);
            File->SetFileName(FileName);
            return static_cast<int>(mrOk);
        }
        ADD_FAILURE() << "unexpected modal " << Shown->ClassName();
        return static_cast<int>(mrCancel);
    }

    // A right click on Control, its pop-up menu answered with Pick, and the
    // file dialog that may follow with Name (cancelled when empty).
    void PickFromMenu(TControl* Control, TMenuItem* Pick, const std::string& Name = {}) {
        MenuPick = Pick;
        FileName = Name;
        QWidget* W = Control->GetWidget();
        if (auto* Area = qobject_cast<QAbstractScrollArea*>(W)) W = Area->viewport();
        QContextMenuEvent E(QContextMenuEvent::Mouse, QPoint(5, 5), W->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(W, &E);
        Application->ProcessMessages();
        EXPECT_EQ(nullptr, std::exchange(MenuPick, nullptr)) << "no pop-up menu";
    }

    std::string Path(const std::string& Name) const {
        return Dir.filePath(QString::fromStdString(Name)).toStdString();
    }

    QTemporaryDir Dir;
    std::function<void(TCustomForm*)> OnForm;  // what the user does while the dialog shows
    TMenuItem* MenuPick = nullptr;
    std::string FileName;
    std::vector<std::string> Messages;
};

inline void ClickControl(TControl* Control) {
    ClickAt(Control->GetWidget(), Control->GetWidget()->rect().center());
    Application->ProcessMessages();
}

}  // namespace zk::test
