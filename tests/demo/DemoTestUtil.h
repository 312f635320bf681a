// The demonstration form, shown, with helpers that work it as a user would.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <string>
#include <vector>

#include "demo/TestForm.h"
#include "itemlist/ZkInplaceEditList.h"
#include "inspector/ZkPropertyPresets.h"
#include "platform/gui/Application.h"
#include "tests/platform/gui/GuiTestUtil.h"

namespace zk::test {

class DemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TTestForm>(nullptr));
        Form->Show();
        Settle();
        Inspector = Form->ZkObjectInspector1;
    }
    void TearDown() override {
        SetMessageBoxHandler(nullptr);
        Form.reset();
        Settle();
    }
    static void Settle() { Application->ProcessMessages(); }

    // A press and release of the left button on a control, with the given modifiers.
    void Click(TControl* Control, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        QWidget* W = Control->GetWidget();
        const QPoint At(std::min(5, W->width() / 2), std::min(5, W->height() / 2));
        SendMouseTo(W, QEvent::MouseButtonPress, At, Qt::LeftButton, Mods);
        SendMouseTo(W, QEvent::MouseButtonRelease, At, Qt::LeftButton, Mods);
        Settle();
    }
    // Picks a component from the combo box, as the user would from its drop-down list.
    void Pick(TComponent* Component) {
        Form->ComboBox1->SetItemIndex(Form->ComboBox1->GetItems()->IndexOfObject(Component));
        Form->ComboBox1Change(Form->ComboBox1);
        Settle();
    }
    // The row at a full path of inspector 1; null when there is none.
    TZkItemProperty* Row(const std::string& Path) const {
        return Inspector->GetItems()->FindPath(Path);
    }
    std::vector<TObject*> Inspected() const {
        std::vector<TObject*> Out;
        for (int I = 0; I < Inspector->GetObjects()->GetCount(); ++I)
            Out.push_back(Inspector->GetObjects()->GetItem(I)->GetInstance());
        return Out;
    }
    // Keys to whatever has the focus, then the posted messages.
    static void Press(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier,
                      const QString& Text = QString()) {
        QWidget* Target = QApplication::focusWidget();
        ASSERT_NE(Target, nullptr);
        SendKeyTo(Target, QtKey, Text, Mods);
        Settle();
    }
    // Selects the row's value cell and opens its editor with the focus in it.
    TZkInplaceEditList* EditRow(const std::string& Path) {
        TZkItemProperty* R = Row(Path);
        EXPECT_NE(R, nullptr) << Path;
        if (!R) return nullptr;
        Inspector->SelectItem(R);
        Inspector->SetLogical(lwColumn, 1);
        Inspector->ShowEditor();
        TZkInplaceEditList* Editor = Inspector->GetInplaceEditList();
        Editor->SetFocus();
        Editor->SelectAll();
        return Editor;
    }
    // Types Text over the row's value and presses Enter.
    void Commit(const std::string& Path, const std::string& Text) {
        if (!EditRow(Path)) return;
        TypeText(QApplication::focusWidget(), Text);
        Press(Qt::Key_Return);
    }

    TOwned<TTestForm> Form;
    TZkObjectInspector* Inspector = nullptr;
};

}  // namespace zk::test
