// The demonstration form end to end: start-up, picking by combo and by (Shift-)click, the
// option check boxes, the customised categories and hint, editing, the editor dialogs and the
// stored description.
#include <filesystem>
#include <fstream>

#include "DemoTestUtil.h"
#include "itemlist/ZkInplaceEditList.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/Resources.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/DateTimePicker.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/ListView.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

TEST_F(DemoTest, StartUpListsEveryComponentHooksTheControlsAndInspectsButton2) {
    TStrings* Items = Form->ComboBox1->GetItems();
    ASSERT_EQ(Items->GetCount(), Form->GetComponentCount());
    for (int I = 0; I < Items->GetCount(); ++I) {
        EXPECT_EQ(Items->Get(I), Form->GetComponents(I)->GetName());
        EXPECT_EQ(Items->GetObject(I), Form->GetComponents(I));
    }
    EXPECT_EQ(Form->ComboBox1->GetText(), "");
    EXPECT_EQ(Form->PageControl1->GetActivePage(), Form->tsControls);

    const std::vector<TControl*> Unhooked = {Form->ComboBox1,   Form->ZkObjectInspector1,
                                             Form->cbCategorize, Form->cbVertOrientation,
                                             Form->CheckBox2,    Form->Splitter1};
    for (int I = 0; I < Form->GetComponentCount(); ++I) {
        auto* Control = DynamicCast<TControl>(Form->GetComponents(I));
        if (!Control) continue;
        const bool Hooked =
            std::find(Unhooked.begin(), Unhooked.end(), Control) == Unhooked.end();
        SCOPED_TRACE(Control->GetName());
        EXPECT_EQ(Control->GetOnMouseDown() == TMouseEvent(Form.get(), &TTestForm::Label1MouseDown),
                  Hooked);
        EXPECT_EQ(Control->GetOnClick() == TNotifyEvent(Form.get(), &TTestForm::Label1Click), Hooked);
    }
    EXPECT_TRUE(Inspector->GetDisplayOptions().Contains(doMultiColValues));
    EXPECT_EQ(Inspector->GetObjects()->GetCount(), 0);

    TZkObjectInspector* Second = Form->ZkObjectInspector2;
    EXPECT_EQ(Second->GetInspectedComponent(), Form->Button2);
    ASSERT_NE(Second->GetItems()->FindPath("Caption"), nullptr);
    EXPECT_EQ(Second->GetItems()->FindPath("Caption")->GetValue(), "Button2");
    ASSERT_EQ(Inspector->GetPresets()->GetCount(), 19);
    ASSERT_EQ(Second->GetPresets()->GetCount(), 17);
    EXPECT_EQ(Second->GetPresets()->GetItem(1)->GetName(), "TComponent Subcomponent Properties Font");
    EXPECT_EQ(Second->GetPresets()->GetItem(16)->GetName(), "TTreeNodes Dialog Property Editor");
}

TEST_F(DemoTest, ClickingButton1InspectsItAndATypedCaptionChangesTheButton) {
    Click(Form->Button1);
    EXPECT_EQ(Inspected(), std::vector<TObject*>{Form->Button1});
    EXPECT_EQ(Form->ComboBox1->GetText(), "Button1");
    ASSERT_NE(Row("Caption"), nullptr);
    ASSERT_NE(Row("Font"), nullptr);
    EXPECT_GT(Row("Font")->GetItems()->GetCount(), 0);
    ASSERT_NE(Row("Anchors.akLeft"), nullptr);
    EXPECT_EQ(Row("Anchors.akLeft")->GetValue(), "True");
    EXPECT_EQ(Row("Cursor")->GetEditStyle(), esPickList) << "a stock preset's pick list";
    EXPECT_EQ(Row("Font")->GetEditStyle(), esEllipsis) << "a stock preset's dialog";

    Commit("Caption", "Hello");
    EXPECT_EQ(Form->Button1->GetCaption(), "Hello");
    EXPECT_EQ(Row("Caption")->GetValue(), "Hello");

    // A value the property refuses is reported and the row shows the object's value again.
    std::vector<std::string> Messages;
    SetMessageBoxHandler([&](const std::string& Msg, int, int) {
        Messages.push_back(Msg);
        return static_cast<int>(mrOk);
    });
    const int Width = Form->Button1->GetWidth();
    Commit("Width", "wide");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find("wide"), std::string::npos) << Messages[0];
    EXPECT_EQ(Form->Button1->GetWidth(), Width);
    EXPECT_EQ(Row("Width")->GetValue(), std::to_string(Width));
}

TEST_F(DemoTest, ShiftClicksBuildASelectionThatAPlainClickOnItsFirstObjectKeeps) {
    Click(Form->Button1);
    Click(Form->Edit1, Qt::ShiftModifier);
    Click(Form->Button1, Qt::ShiftModifier);
    EXPECT_EQ(Inspected(), (std::vector<TObject*>{Form->Button1, Form->Edit1}));
    EXPECT_EQ(Form->ComboBox1->GetText(), "Button1+Edit1");
    EXPECT_EQ(Inspector->GetLogical(lwColCount), 3) << "a value column per object";

    Click(Form->Button1, Qt::ControlModifier);
    EXPECT_EQ(Inspected().size(), 2u) << "the first object picked again keeps the selection";
    Click(Form->Edit1);
    EXPECT_EQ(Inspected(), std::vector<TObject*>{Form->Edit1});

    // What a click selects: the second inspector and a tab sheet do; the controls that drive
    // the inspector do not.
    Form->PageControl1->SetActivePage(Form->tsObjInsp);
    Settle();
    Click(Form->ZkObjectInspector2);
    EXPECT_EQ(Inspected(), std::vector<TObject*>{Form->ZkObjectInspector2});
    Form->PageControl1->SetActivePage(Form->tsControls);
    Settle();
    Click(Form->tsControls);
    EXPECT_EQ(Inspected(), std::vector<TObject*>{Form->tsControls});
    for (TControl* Driver : std::vector<TControl*>{Form->Splitter1, Form->ZkObjectInspector1}) {
        Click(Driver);
        EXPECT_EQ(Inspected(), std::vector<TObject*>{Form->tsControls}) << Driver->GetName();
    }
}

TEST_F(DemoTest, PickingTheInspectedComponentAgainKeepsItsRows) {
    Pick(Form->Memo1);
    TZkItemProperty* Lines = Row("Lines");
    ASSERT_NE(Lines, nullptr);
    Form->ComboBox1Change(Form->ComboBox1);
    Settle();
    EXPECT_EQ(Row("Lines"), Lines) << "no rescan";
    Form->ComboBox1->SetItemIndex(-1);
    Form->ComboBox1Change(Form->ComboBox1);
    Settle();
    EXPECT_EQ(Inspector->GetItems()->GetCount(), 0);
}

TEST_F(DemoTest, TheOptionBoxesSwitchCategoriesOrientationAndValueColumns) {
    Click(Form->Button1);
    auto Toggle = [this](TCheckBox* Box) {
        QWidget* W = Box->GetWidget();
        ClickAt(W, QPoint(8, W->height() / 2));
        Settle();
    };
    // Not categorised, the Font row still files its own sub-rows under the categories its
    // lines name; the rest stay where they are, as there is no default category below the top.
    ASSERT_NE(Row("Font.Style.Color"), nullptr);
    ASSERT_NE(Row("Font.Style.Style"), nullptr);
    EXPECT_NE(Row("Font.Name"), nullptr);
    EXPECT_EQ(Row("Font")->GetParentItem(), nullptr);

    Toggle(Form->cbCategorize);
    EXPECT_TRUE(Form->cbCategorize->GetChecked());
    EXPECT_TRUE(Inspector->GetArrangeByCategory());
    ASSERT_NE(Row("Zoo.Font"), nullptr) << "the form's own category";
    EXPECT_NE(Row("Zoo.Font.Style.Color"), nullptr);
    EXPECT_NE(Row("Zoo.Font.Control.Height"), nullptr);

    Toggle(Form->cbVertOrientation);
    EXPECT_EQ(Inspector->GetOrientation(), goHorizontal);
    EXPECT_FALSE(Inspector->GetDisplayOptions().Contains(doAutoColResize));
    Toggle(Form->cbVertOrientation);
    EXPECT_EQ(Inspector->GetOrientation(), goVertical);
    EXPECT_TRUE(Inspector->GetDisplayOptions().Contains(doAutoColResize));

    Toggle(Form->CheckBox2);
    EXPECT_FALSE(Inspector->GetDisplayOptions().Contains(doMultiColValues));
    Toggle(Form->CheckBox2);
    EXPECT_TRUE(Inspector->GetDisplayOptions().Contains(doMultiColValues));
}

TEST_F(DemoTest, ACollectionRowShowsItsClassAndCountAsItsHint) {
    Click(Form->ListView1);
    ASSERT_NE(Row("Columns"), nullptr);
    EXPECT_EQ(Row("Columns")->GetHint(), "TListColumns (Count=0)");
}

// Each ellipsis opens its editor through the modal seam; cancelling changes nothing.
TEST_F(DemoTest, EllipsisButtonsOpenTheirEditorDialogs) {
    struct TCase {
        TControl* Control;
        std::string Path;
        std::string Dialog;
    };
    const std::vector<TCase> Cases = {
        {Form->Button1, "Font", "TFontDialog"},
        {Form->Memo1, "Lines", "TfrmZkStringsEditor"},
        {Form->DateTimePicker1, "Date", "TfrmDateEditor"},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Path);
        Pick(Case.Control);
        std::vector<std::string> Opened;
        TModalScope Seam([&](TComponent* Dialog) {
            Opened.push_back(Dialog->ClassName());
            return static_cast<int>(mrCancel);
        });
        TZkInplaceEditList* Editor = EditRow(Case.Path);
        ASSERT_NE(Editor, nullptr);
        ASSERT_EQ(Editor->GetEditStyle(), esEllipsis);
        const TRect Button = Editor->ButtonRect();
        ClickAt(Editor->GetWidget(), QPoint((Button.Left + Button.Right) / 2,
                                            (Button.Top + Button.Bottom) / 2));
        Settle();
        EXPECT_EQ(Opened, std::vector<std::string>{Case.Dialog});
    }
}

// The form as its description leaves it, before the start-up steps change it.
class TUnstartedTestForm : public TTestForm {
    ZK_CLASS(TUnstartedTestForm, TTestForm)
public:
    explicit TUnstartedTestForm(TComponent* AOwner) : TTestForm(AOwner) {}

protected:
    void DoCreate() override {}
};

ZK_IMPLEMENT_CLASS(TUnstartedTestForm)
void TUnstartedTestForm::DescribeClass(TClassBuilder<TUnstartedTestForm>&) {}

TEST_F(DemoTest, TheStoredDescriptionIsWrittenBackByteForByte) {
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    ASSERT_TRUE(FindResource("TTESTFORM", RT_RCDATA, Data, Size));
    const std::string Stored = ObjectBinaryToText(std::string(reinterpret_cast<const char*>(Data), Size));
    TOwned<TUnstartedTestForm> Fresh(Create<TUnstartedTestForm>(nullptr));
    std::string Written = FormTextOf(Fresh.get());
    const std::string Header = "object TestForm: TUnstartedTestForm";
    ASSERT_EQ(Written.compare(0, Header.size(), Header), 0) << Written.substr(0, 80);
    Written.replace(0, Header.size(), "object TestForm: TTestForm");
    // Kept beside the tests for a look at the difference.
    if (Written != Stored) std::ofstream("TestForm.written.form", std::ios::binary) << Written;
    EXPECT_EQ(Stored, Written);
}

}  // namespace zk::test
