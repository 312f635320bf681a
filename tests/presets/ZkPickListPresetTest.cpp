// The stock pick lists and value texts on a real inspector: what each list offers, what a
// choice or a typed text writes, and what bad input gets.
#include "StockPresetTestUtil.h"
#include "platform/core/Colors.h"
#include "platform/core/Cursors.h"
#include "platform/core/DateUtils.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/DateTimePicker.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

// The identifiers the platform enumerates, as a comma text.
template <class F>
std::string Listed(F Enumerate) {
    TOwned<TStringList> Names(Create<TStringList>());
    Enumerate([&](const std::string& S) { Names->Add(S); });
    return Names->GetCommaText();
}

class PickListPresetTest : public StockPresetTest {
protected:
    void SetUp() override {
        StockPresetTest::SetUp();
        Button = Add<TButton>("Button1");
        Button->SetColor(clRed);
    }
    // Empties the row's cell and presses Enter.
    void CommitEmpty(const std::string& Path) {
        Inspector->SelectItem(Row(Path));
        Inspector->SetLogical(lwColumn, 1);
        Inspector->ShowEditor();
        Inspector->GetInplaceEditList()->SetFocus();
        Inspector->GetInplaceEditList()->SelectAll();
        Press(Qt::Key_Delete);
        Press(Qt::Key_Return);
    }
    TButton* Button = nullptr;  // owned by Form
};

}  // namespace

TEST_F(PickListPresetTest, EveryListOffersItsNames) {
    Inspect({Button});
    EXPECT_EQ(DropDown("PopupMenu"), "\"\"") << "without popup menus the list still offers none";
    Add<TPopupMenu>("PopupMenu2");
    Add<TLabel>("Label1");
    Add<TPopupMenu>("PopupMenu1");
    auto* Action = Create<TAction>(Form.get());
    Action->SetName("Action1");
    Action->SetActionList(Add<TActionList>("ActionList1"));
    Inspect({Button});
    EXPECT_EQ(DropDown("PopupMenu"), "PopupMenu2,PopupMenu1") << "in the form's order";
    EXPECT_EQ(DropDown("Action"), "Action1");
    ASSERT_GT(Screen->GetFonts()->GetCount(), 0);
    EXPECT_EQ(DropDown("Font.Name"), Screen->GetFonts()->GetCommaText());
    EXPECT_EQ(DropDown("Color"), Listed(GetColorValues));
    EXPECT_EQ(DropDown("Font.Color"), Listed(GetColorValues));
    EXPECT_EQ(DropDown("Color").rfind("clBlack,", 0), 0u);
    EXPECT_EQ(DropDown("Cursor"), Listed(GetCursorValues));
    EXPECT_EQ(
        DropDown("ModalResult"),
        "mrNone,mrOk,mrCancel,mrAbort,mrRetry,mrIgnore,mrYes,mrNo,mrAll,mrNoToAll,mrYesToAll");
}

TEST_F(PickListPresetTest, AChosenComponentIsWrittenAndItsRowsFollow) {
    std::vector<std::string>& Msgs = CatchMessages();
    Add<TPopupMenu>("PopupMenu1");
    auto* Second = Add<TPopupMenu>("PopupMenu2");
    Inspect({Button});
    Choose("PopupMenu", "PopupMenu2");
    EXPECT_EQ(Button->GetPopupMenu(), Second);
    EXPECT_EQ(Shown("PopupMenu"), "PopupMenu2");
    EXPECT_EQ(Row("PopupMenu")->GetFont()->GetColor(), clMaroon);
    EXPECT_EQ(Row("PopupMenu.AutoPopup")->GetFont()->GetColor(), clGreen)
        << "the rows under the new reference";
    // A name no component has costs the reference nothing; the empty name clears it.
    Commit("PopupMenu", "PopupMenu3");
    EXPECT_EQ(Button->GetPopupMenu(), Second);
    EXPECT_TRUE(Msgs.empty());
    CommitEmpty("PopupMenu");
    EXPECT_EQ(Button->GetPopupMenu(), nullptr);
    EXPECT_EQ(Inspector->GetItems()->FindPath("PopupMenu.AutoPopup"), nullptr);
}

// One typed text after the other; a bad one leaves what the good one before wrote.
TEST_F(PickListPresetTest, TypedTextsAreConvertedBackAndBadOnesShowTheInspectorsMessage) {
    std::vector<std::string>& Msgs = CatchMessages();
    auto* Picker = Add<TDateTimePicker>("Picker1");
    Picker->SetDateTime(EncodeDate(2024, 3, 5) + EncodeTime(9, 30, 0, 0));
    struct TCase {
        TObject* Object;
        const char* Path;
        const char* Typed;
        const char* ShownAfter;
        const char* Error;  // of the conversion; null when taken or silently ignored
    };
    const std::vector<TCase> Cases = {
        {Button, "Color", "clBlue", "clBlue", nullptr},
        {Button, "Color", "$00123456", "$00123456", nullptr},
        {Button, "Color", "255", "clRed", nullptr},
        {Button, "Color", "reddish", "clRed", "is not a valid integer value"},
        {Button, "Font.Color", "clgreen", "clGreen", nullptr},
        {Button, "Cursor", "crHandPoint", "crHandPoint", nullptr},
        {Button, "Cursor", "7", "7", nullptr},
        {Button, "Cursor", "crPointy", "7", "is not a valid integer value"},
        {Button, "ModalResult", "mrCancel", "mrCancel", nullptr},
        {Button, "ModalResult", "MRYES", "mrYes", nullptr},
        {Button, "ModalResult", "mrMaybe", "mrYes", nullptr},
        {Picker, "Date", "12/25/2024", "12/25/2024", nullptr},
        {Picker, "Date", "13/45/2024", "12/25/2024", "is not a valid date"},
        {Picker, "Time", "10:15:30 PM", "10:15:30 PM", nullptr},
        {Picker, "Time", "25:61:00 PM", "10:15:30 PM", "is not a valid time"},
        {Picker, "DateTime", "01/02/2025 07:05:00 AM", "01/02/2025 07:05:00 AM", nullptr},
        {Picker, "DateTime", "02/30/2024 10:00:00 AM", "01/02/2025 07:05:00 AM",
         "is not a valid date and time"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(std::string(C.Path) + " <- " + C.Typed);
        Inspect({C.Object});
        Msgs.clear();
        const std::string Type = Row(C.Path)->GetTypeName();
        Commit(C.Path, C.Typed);
        EXPECT_EQ(Shown(C.Path), C.ShownAfter);
        if (!C.Error) {
            EXPECT_TRUE(Msgs.empty());
            continue;
        }
        ASSERT_EQ(Msgs.size(), 1u);
        EXPECT_EQ(Msgs[0], "\"" + std::string(C.Typed) + "\" is not a valid " + Type + " value: '" +
                               C.Typed + "' " + C.Error + ".");
    }
    EXPECT_EQ(Button->GetColor(), clRed);
    EXPECT_EQ(Button->GetFont()->GetColor(), clGreen);
    EXPECT_EQ(Button->GetCursor(), 7);
    EXPECT_EQ(Button->GetModalResult(), mrYes);
    EXPECT_NEAR(Picker->GetDateTime(), EncodeDate(2025, 1, 2) + EncodeTime(7, 5, 0, 0), 1e-8);
}

// Reading a value the list has no name for used to raise, so no row of the
// object could be read.
TEST_F(PickListPresetTest, AModalResultBeyondTheListShowsItsNumber) {
    Button->SetModalResult(42);
    Button->SetCaption("Go");
    Inspect({Button});
    EXPECT_EQ(Shown("ModalResult"), "42");
    EXPECT_EQ(Shown("Caption"), "Go");
    Choose("ModalResult", "mrAll");
    EXPECT_EQ(Button->GetModalResult(), mrAll);
    Button->SetModalResult(-1);
    Inspector->RefreshAll();
    EXPECT_EQ(Shown("ModalResult"), "-1");
}

}  // namespace zk::test
