// Shared fixture of the dialog tests: the modal seam split by what is shown (the dialog under
// test, a pop-up menu, a file dialog), captured message boxes, and the clicks and keys of a user.
#pragma once
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/gui/Application.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"

namespace zk::test {

inline void SendKeyTo(QWidget* W, int QtKey, const QString& Text = QString(),
                      Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    QKeyEvent Press(QEvent::KeyPress, QtKey, Mods, Text);
    QApplication::sendEvent(W, &Press);
    QKeyEvent Release(QEvent::KeyRelease, QtKey, Mods, Text);
    QApplication::sendEvent(W, &Release);
    Application->ProcessMessages();
}

// Letters, digits and punctuation as typed; '\n' is Enter.
inline void TypeText(QWidget* W, const std::string& Text) {
    for (char C : Text) {
        const int Key = C >= 'a' && C <= 'z'   ? int(Qt::Key_A) + (C - 'a')
                        : C >= 'A' && C <= 'Z' ? int(Qt::Key_A) + (C - 'A')
                        : C == '\n'            ? int(Qt::Key_Return)
                                               : int(C);
        SendKeyTo(W, Key, QString(QChar(C == '\n' ? '\r' : C)));
    }
}

inline void ClickAt(QWidget* W, QPoint Pos) {
    QMouseEvent Press(QEvent::MouseButtonPress, QPointF(Pos), QPointF(W->mapToGlobal(Pos)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(W, &Press);
    QMouseEvent Release(QEvent::MouseButtonRelease, QPointF(Pos), QPointF(W->mapToGlobal(Pos)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(W, &Release);
    Application->ProcessMessages();
}

inline void ClickControl(TControl* Control) {
    ClickAt(Control->GetWidget(), Control->GetWidget()->rect().center());
}

// Every modal showing goes to one of the handlers by what it is; an
// unexpected one fails the test and is cancelled. Message boxes are
// collected. Both seams are given back at the end of the test.
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
        if (auto* Form = DynamicCast<TCustomForm>(Shown); Form && OnForm) {
            Form->GetWidget()->activateWindow();
            Application->ProcessMessages();
            OnForm(Form);
            return Form->GetModalResult();
        }
        if (auto* Menu = DynamicCast<TPopupMenu>(Shown); Menu && MenuPick) {
            TMenuItem* Pick = MenuPick;
            MenuPick = nullptr;
            Pick->GetQAction()->trigger();
            return static_cast<int>(mrOk);
        }
        if (auto* File = DynamicCast<TOpenDialog>(Shown); File && OnFile) return OnFile(File);
        ADD_FAILURE() << "unexpected modal " << Shown->ClassName();
        return static_cast<int>(mrCancel);
    }

    // A right click on Control whose pop-up menu the user answers with Pick.
    void PickFromMenu(TControl* Control, TMenuItem* Pick) {
        MenuPick = Pick;
        QWidget* W = Control->GetWidget();
        // A right click on a scrolling view reaches its viewport.
        if (auto* Area = qobject_cast<QAbstractScrollArea*>(W)) W = Area->viewport();
        QContextMenuEvent E(QContextMenuEvent::Mouse, QPoint(5, 5), W->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(W, &E);
        Application->ProcessMessages();
        EXPECT_EQ(nullptr, MenuPick) << "the pop-up menu did not show";
        MenuPick = nullptr;
    }

    // The file dialog answers with Name chosen, or is cancelled for an empty Name.
    void ChooseFile(const std::string& Name) {
        OnFile = [Name](TOpenDialog* Dialog) {
            if (Name.empty()) return static_cast<int>(mrCancel);
            Dialog->SetFileName(Name);
            return static_cast<int>(mrOk);
        };
    }

    std::string Path(const std::string& Name) const {
        return Dir.filePath(QString::fromStdString(Name)).toStdString();
    }

    QTemporaryDir Dir;
    std::function<void(TCustomForm*)> OnForm;
    std::function<int(TOpenDialog*)> OnFile;
    TMenuItem* MenuPick = nullptr;
    std::vector<std::string> Messages;
};

}  // namespace zk::test
