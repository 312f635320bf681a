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

template <class F>
std::vector<std::string> Listed(F Enumerate) {
    std::vector<std::string> Result;
    Enumerate([&](const std::string& S) { Result.push_back(S); });
    return Result;
}

class PickListPresetTest : public StockPresetTest {
protected:
    void SetUp() override {
        StockPresetTest::SetUp();
        Button = Add<TButton>("Button1");
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
    EXPECT_EQ(DropDown("PopupMenu"), std::vector<std::string>{""})
        << "without popup menus the list still offers no menu";
    Add<TPopupMenu>("PopupMenu2");
    Add<TLabel>("Label1");
    Add<TPopupMenu>("PopupMenu1");
    auto* Actions = Add<TActionList>("ActionList1");
    auto* Action = Create<TAction>(Form.get());
    Action->SetName("Action1");
    Action->SetActionList(Actions);
    Inspect({Button});
    EXPECT_EQ(DropDown("PopupMenu"), (std::vector<std::string>{"PopupMenu2", "PopupMenu1"}))
        << "the form's popup menus, in the form's order";
    EXPECT_EQ(DropDown("Action"), std::vector<std::string>{"Action1"});

    std::vector<std::string> Fonts;
    for (int I = 0; I < Screen->GetFonts()->GetCount(); ++I)
        Fonts.push_back(Screen->GetFonts()->Get(I));
    ASSERT_FALSE(Fonts.empty());
    EXPECT_EQ(DropDown("Font.Name"), Fonts);
    const std::vector<std::string> Colors = Listed(GetColorValues);
    EXPECT_EQ(DropDown("Color"), Colors);
    EXPECT_EQ(Colors.front(), "clBlack");
    EXPECT_EQ(DropDown("Font.Color"), Colors);
    EXPECT_EQ(DropDown("Cursor"), Listed(GetCursorValues));
    EXPECT_EQ(
        DropDown("ModalResult"),
        (std::vector<std::string>{"mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore",
                                  "mrYes", "mrNo", "mrAll", "mrNoToAll", "mrYesToAll"}));
}

TEST_F(PickListPresetTest, AChosenComponentIsWrittenAndItsRowsFollow) {
    std::vector<std::string>& Msgs = CatchMessages();
    auto* First = Add<TPopupMenu>("PopupMenu1");
    auto* Second = Add<TPopupMenu>("PopupMenu2");
    Inspect({Button});
    Choose("PopupMenu", "PopupMenu2");
    EXPECT_EQ(Button->GetPopupMenu(), Second);
    EXPECT_EQ(Shown("PopupMenu"), "PopupMenu2");
    TZkItemProperty* Under = Row("PopupMenu.AutoPopup");
    EXPECT_EQ(Under->GetFont()->GetColor(), clGreen) << "the rebuilt rows under the reference";
    EXPECT_EQ(Row("PopupMenu")->GetFont()->GetColor(), clMaroon);

    // Two buttons take the same menu; a name nobody has costs neither its menu.
    auto* Other = Add<TButton>("Button2");
    Other->SetPopupMenu(First);
    Inspect({Button, Other});
    Commit("PopupMenu", "PopupMenu1");
    EXPECT_EQ(Button->GetPopupMenu(), First);
    EXPECT_EQ(Other->GetPopupMenu(), First);
    Button->SetPopupMenu(Second);
    Commit("PopupMenu", "PopupMenu3");
    EXPECT_EQ(Button->GetPopupMenu(), Second);
    EXPECT_EQ(Other->GetPopupMenu(), First);
    EXPECT_TRUE(Msgs.empty());
    // A component of another class is refused with the inspector's message.
    Commit("PopupMenu", "Button2");
    ASSERT_EQ(Msgs.size(), 1u);
    EXPECT_EQ(Msgs[0].rfind("\"Button2\" is not a valid TPopupMenu value: ", 0), 0u) << Msgs[0];
    EXPECT_EQ(Button->GetPopupMenu(), Second);
    // The empty name clears the reference.
    CommitEmpty("PopupMenu");
    EXPECT_EQ(Button->GetPopupMenu(), nullptr);
    EXPECT_EQ(Other->GetPopupMenu(), nullptr);
    EXPECT_EQ(Inspector->GetItems()->FindPath("PopupMenu.AutoPopup"), nullptr);
}

TEST_F(PickListPresetTest, ValuesShowAsNamesAndTypedTextsAreWrittenBack) {
    auto* Picker = Add<TDateTimePicker>("Picker1");
    Picker->SetDateTime(EncodeDate(2024, 3, 5) + EncodeTime(9, 30, 0, 0));
    Button->SetColor(clRed);
    auto Color = [&] { return double(Button->GetColor()); };
    auto Cursor = [&] { return double(Button->GetCursor()); };
    auto Result = [&] { return double(Button->GetModalResult()); };
    auto When = [&] { return Picker->GetDateTime(); };
    struct TCase {
        TObject* Object;
        const char* Path;
        const char* Shown;  // before
        const char* Typed;
        std::function<double()> Read;
        double Want;
        const char* ShownAfter;
    };
    const std::vector<TCase> Cases = {
        {Button, "Color", "clRed", "clBlue", Color, clBlue, "clBlue"},
        {Button, "Color", "clBlue", "$00123456", Color, 0x123456, "$00123456"},
        {Button, "Color", "$00123456", "255", Color, clRed, "clRed"},
        {Button, "Font.Color", "clWindowText", "clgreen",
         [&] { return double(Button->GetFont()->GetColor()); }, clGreen, "clGreen"},
        {Button, "Cursor", "crDefault", "crHandPoint", Cursor, crHandPoint, "crHandPoint"},
        {Button, "Cursor", "crHandPoint", "7", Cursor, 7, "7"},
        {Button, "ModalResult", "mrNone", "mrCancel", Result, mrCancel, "mrCancel"},
        {Button, "ModalResult", "mrCancel", "MRYES", Result, mrYes, "mrYes"},
        {Picker, "Date", "03/05/2024", "12/25/2024", When,
         EncodeDate(2024, 12, 25) + EncodeTime(9, 30, 0, 0), "12/25/2024"},
        {Picker, "Time", "09:30:00 AM", "10:15:30 PM", When,
         EncodeDate(2024, 12, 25) + EncodeTime(22, 15, 30, 0), "10:15:30 PM"},
        {Picker, "DateTime", "12/25/2024 10:15:30 PM", "01/02/2025 07:05:00 AM", When,
         EncodeDate(2025, 1, 2) + EncodeTime(7, 5, 0, 0), "01/02/2025 07:05:00 AM"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(std::string(C.Path) + " <- " + C.Typed);
        Inspect({C.Object});
        EXPECT_EQ(Shown(C.Path), C.Shown);
        Commit(C.Path, C.Typed);
        EXPECT_NEAR(C.Read(), C.Want, 1e-8);
        EXPECT_EQ(Shown(C.Path), C.ShownAfter);
    }
}

TEST_F(PickListPresetTest, BadTextsShowTheInspectorsMessageAndKeepTheValue) {
    std::vector<std::string>& Msgs = CatchMessages();
    auto* Picker = Add<TDateTimePicker>("Picker1");
    const TDateTime When = EncodeDate(2024, 3, 5) + EncodeTime(9, 30, 0, 0);
    Picker->SetDateTime(When);
    Button->SetColor(clRed);
    Button->SetModalResult(mrOk);
    struct TCase {
        TObject* Object;
        const char* Path;
        const char* Typed;
        const char* Message;  // as shown; null: ignored without a message
    };
    const std::vector<TCase> Cases = {
        {Button, "Color", "reddish",
         "\"reddish\" is not a valid TColor value: 'reddish' is not a valid integer value."},
        {Button, "Cursor", "crPointy",
         "\"crPointy\" is not a valid TCursor value: 'crPointy' is not a valid integer value."},
        {Picker, "Date", "13/45/2024",
         "\"13/45/2024\" is not a valid TDate value: '13/45/2024' is not a valid date."},
        {Picker, "Time", "25:61:00 PM",
         "\"25:61:00 PM\" is not a valid TTime value: '25:61:00 PM' is not a valid time."},
        {Picker, "DateTime", "02/30/2024 10:00:00 AM",
         "\"02/30/2024 10:00:00 AM\" is not a valid TDateTime value: '02/30/2024 10:00:00 AM' "
         "is not a valid date and time."},
        {Button, "ModalResult", "mrMaybe", nullptr},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Path);
        Inspect({C.Object});
        const std::string Before = Shown(C.Path);
        Msgs.clear();
        Commit(C.Path, C.Typed);
        if (C.Message) {
            ASSERT_EQ(Msgs.size(), 1u);
            EXPECT_EQ(Msgs[0], C.Message);
        } else {
            EXPECT_TRUE(Msgs.empty());
        }
        EXPECT_EQ(Shown(C.Path), Before);
    }
    EXPECT_EQ(Button->GetColor(), clRed);
    EXPECT_EQ(Button->GetCursor(), crDefault);
    EXPECT_EQ(Button->GetModalResult(), mrOk);
    EXPECT_EQ(Picker->GetDateTime(), When);
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
