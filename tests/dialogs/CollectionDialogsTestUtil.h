// Shared fixture of the collection and items dialog tests: the modal and message-box seams,
// captured messages, real keys and mouse clicks, and a shown host form to put controls on.
#pragma once
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/ZkDialogsRegistration.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"

namespace zk::coltest {

inline void Key(QWidget* W, int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier,
                const QString& Text = QString()) {
    QKeyEvent Press(QEvent::KeyPress, QtKey, Mods, Text);
    QApplication::sendEvent(W, &Press);
    QKeyEvent Release(QEvent::KeyRelease, QtKey, Mods, Text);
    QApplication::sendEvent(W, &Release);
    Application->ProcessMessages();
}

// Letters, digits and punctuation as typed.
inline void Type(QWidget* W, const std::string& Text) {
    for (char C : Text) {
        const int K = C >= 'a' && C <= 'z' ? int(Qt::Key_A) + (C - 'a')
                      : C >= 'A' && C <= 'Z' ? int(Qt::Key_A) + (C - 'A')
                                             : int(C);
        Key(W, K, Qt::NoModifier, QString(QChar(C)));
    }
}

inline void Mouse(QWidget* W, QEvent::Type Type, QPoint Pos,
                  Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    const Qt::MouseButtons Buttons =
        Type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent E(Type, QPointF(Pos), QPointF(W->mapToGlobal(Pos)),
                  Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Buttons, Mods);
    QApplication::sendEvent(W, &E);
}

inline void Click(QWidget* W, QPoint Pos, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    Mouse(W, QEvent::MouseButtonPress, Pos, Mods);
    Mouse(W, QEvent::MouseButtonRelease, Pos, Mods);
    Application->ProcessMessages();
}

inline void ClickControl(TControl* Control) {
    Click(Control->GetWidget(), Control->GetWidget()->rect().center());
}

// Row Row of an item view, in its viewport's coordinates.
inline QPoint RowPoint(QAbstractItemView* View, const QModelIndex& Index) {
    return View->visualRect(Index).center();
}

// Every modal showing goes to OnForm (forms) or OnFile (file dialogs); an
// unexpected one fails the test and is cancelled. Message boxes are
// collected. Both seams are given back at the end of the test, and a shown
// host form owns whatever a test puts on it.
class CollectionDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterDialogsClasses();
        ASSERT_TRUE(Dir.isValid());
        SetModalHandler([this](TComponent* Shown) { return Answer(Shown); });
        SetMessageBoxHandler([this](const std::string& Msg, int, int) {
            Messages.push_back(Msg);
            return static_cast<int>(mrOk);
        });
        Host.reset(Create<TForm>(nullptr));
        Host->SetBounds(0, 0, 400, 300);
        Host->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Host.reset();
        Application->ProcessMessages();
        SetModalHandler(nullptr);
        SetMessageBoxHandler(nullptr);
    }

    int Answer(TComponent* Shown) {
        if (auto* Form = DynamicCast<TCustomForm>(Shown); Form && OnForm) {
            Form->GetWidget()->activateWindow();
            Application->ProcessMessages();
            OnForm(Form);
            return Form->GetModalResult();
        }
        if (auto* File = DynamicCast<TOpenDialog>(Shown); File && OnFile) return OnFile(File);
        ADD_FAILURE() << "unexpected modal " << Shown->ClassName();
        return static_cast<int>(mrCancel);
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

    template <class T>
    T* AddToHost(const std::string& Name, int Left, int Top, int Width, int Height) {
        T* Control = Create<T>(Host.get());
        Control->SetName(Name);
        Control->SetParent(Host.get());
        Control->SetBounds(Left, Top, Width, Height);
        return Control;
    }

    QTemporaryDir Dir;
    TOwned<TForm> Host;
    std::function<void(TCustomForm*)> OnForm;
    std::function<int(TOpenDialog*)> OnFile;
    std::vector<std::string> Messages;
};

}  // namespace zk::coltest
