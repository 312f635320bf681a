// The control over a real button: a read-only enumeration has no drop-down, a pick-list value
// chosen with the keyboard is written, and OnPropertyChanged comes after the edit, once a row.
#include "InspectorTestUtil.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

TEST_F(InspectorTest, AButtonIsEditedThroughItsRowsAndTheChangeIsReportedAfterwards) {
    auto* Button = Create<TButton>(Form.get());
    Button->SetParent(Form.get());
    Button->SetName("Button1");
    Button->SetCaption("Press");
    Inspector->SetInspectedComponent(Button);
    Settle();
    std::vector<std::string> Log;
    Inspector->SetOnPropertyChanging(TZkItemPropertyEvent(
        [&](TObject*, TZkItemProperty* Item) { Log.push_back("changing " + Item->GetName()); }));
    Inspector->SetOnPropertyChanged(TZkItemPropertyEvent(
        [&](TObject*, TZkItemProperty* Item) { Log.push_back("changed " + Item->GetName()); }));
    Row("Caption")->SetOnValidate(TZkOnValidateEvent([&](TObject*, TZkItemProp*, int) {
        Log.push_back("validate");
    }));
    Commit("Caption", "Save");
    EXPECT_EQ(Button->GetCaption(), "Save");
    EXPECT_EQ(Log, (std::vector<std::string>{"validate", "changing Caption", "changed Caption"}));

    // A pick-list value taken with the keyboard.
    Inspector->SelectItem(Row("Cancel"));
    Inspector->ShowEditor();
    Inspector->GetInplaceEditList()->SetFocus();
    Press(Qt::Key_Down, Qt::AltModifier);
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    EXPECT_TRUE(Button->GetCancel());
    EXPECT_EQ(Shown("Cancel"), "True");

    // The same enumeration read-only has no drop-down button.
    Row("Cancel")->SetReadOnly(true);
    EXPECT_EQ(Inspector->GetCurrentItem(), Row("Cancel"));
    Inspector->InvalidateEditor();
    EXPECT_EQ(Inspector->GetInplaceEditList()->GetEditStyle(), esSimple);
}

}  // namespace zk::test
