// Shared fixture of the collection and items dialog tests: the seams of DialogsTest, keys and
// clicks after which the application settles, and a shown host form for the edited controls.
#pragma once
#include "DialogsTestUtil.h"
#include "platform/gui/Forms.h"

namespace zk::test {

inline void Key(QWidget* W, int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    SendKeyTo(W, QtKey, QString(), Mods);
    Application->ProcessMessages();
}

inline void Type(QWidget* W, const std::string& Text) {
    TypeText(W, Text);
    Application->ProcessMessages();
}

inline void Click(QWidget* W, QPoint Pos, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    SendMouseTo(W, QEvent::MouseButtonPress, Pos, Qt::LeftButton, Mods);
    SendMouseTo(W, QEvent::MouseButtonRelease, Pos, Qt::LeftButton, Mods);
    Application->ProcessMessages();
}

// The host form owns whatever a test puts on it.
class HostedDialogsTest : public DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        Host.reset(Create<TForm>(nullptr));
        Host->SetBounds(0, 0, 400, 300);
        Host->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Host.reset();
        DialogsTest::TearDown();
    }

    template <class T>
    T* AddToHost(const std::string& Name, int Left, int Top, int Width, int Height) {
        T* Control = Create<T>(Host.get());
        Control->SetName(Name);
        Control->SetParent(Host.get());
        Control->SetBounds(Left, Top, Width, Height);
        return Control;
    }

    TOwned<TForm> Host;
};

}  // namespace zk::test
