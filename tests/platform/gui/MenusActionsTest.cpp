// Pop-up menus and actions: shortcut texts, menu items against their QActions, right clicks
// through the modal seam and a real menu, keyboard shortcuts, action propagation, updates when
// idle, and the stored menus and actions.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "GuiTestUtil.h"
#include "platform/core/ClassBuilder.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

class MenusActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetName("Form1");
        Form->SetClientWidth(300);
        Form->SetClientHeight(200);
        Edit = Create<TEdit>(Form.get());
        Edit->SetName("Edit1");
        Edit->SetParent(Form.get());
        Menu = Create<TPopupMenu>(Form.get());
        Menu->SetName("PopupMenu1");
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    TMenuItem* AddItem(TMenuItem* Parent, const std::string& Name, const std::string& Caption) {
        auto* Item = Create<TMenuItem>(Form.get());
        Item->SetName(Name);
        Item->SetCaption(Caption);
        Parent->Add(Item);
        return Item;
    }
    TNotifyEvent Logger(const std::string& What) {
        return TNotifyEvent([this, What](TObject*) { Log.push_back(What); });
    }
    static void RunLoop(int Ms) {
        QEventLoop Loop;
        QTimer::singleShot(Ms, &Loop, &QEventLoop::quit);
        Loop.exec();
    }
    TOwned<TForm> Form;
    TEdit* Edit = nullptr;
    TPopupMenu* Menu = nullptr;
    std::vector<std::string> Log;
};

}  // namespace

TEST_F(MenusActionsTest, ShortcutsConvertToAndFromTheirTexts) {
    const std::vector<std::pair<TShortCut, std::string>> Table = {
        {VK_INSERT, "Ins"},
        {VK_DELETE, "Del"},
        {scCtrl | VK_UP, "Ctrl+Up"},
        {scShift | VK_INSERT, "Shift+Ins"},
        {scCtrl | 'A', "Ctrl+A"},
        {scShift | scCtrl | scAlt | 'Z', "Shift+Ctrl+Alt+Z"},
        {VK_F5, "F5"},
        {scAlt | VK_NUMPAD3, "Alt+Num 3"},
    };
    for (const auto& [Value, Text] : Table) {
        EXPECT_EQ(Text, ShortCutToText(Value));
        EXPECT_EQ(Value, TextToShortCut(Text)) << Text;
    }
    EXPECT_EQ(scCtrl | VK_UP, TextToShortCut("ctrl+UP"));
    EXPECT_EQ(scCtrl | scShift | 'K', TextToShortCut("Ctrl+Shift+K"));
    EXPECT_EQ(0, TextToShortCut("Ctrl+Nothing"));
    EXPECT_EQ(0, TextToShortCut("Ctrl+"));
    EXPECT_EQ("", ShortCutToText(0));
}

TEST_F(MenusActionsTest, MenuItemPublishedPropertiesAreItsQActionsState) {
    auto* Item = AddItem(Menu->GetItems(), "Item1", "Item");
    QAction* A = Item->GetQAction();
    TOwned<TImageList> Images(Create<TImageList>(nullptr));
    Images->SetSize(4, 4);
    TOwned<TBitmap> B(Create<TBitmap>());
    B->SetSize(8, 4);
    Images->Add(B.get());
    Menu->SetImages(Images.get());
    CheckPublished(
        Item, {
                  {"Caption", "&Open", [&] { return A->text() == "&Open" && !A->isSeparator(); }},
                  {"Checked", true, [&] { return A->isCheckable() && A->isChecked(); }},
                  {"Checked", false, [&] { return !A->isChecked(); }},
                  {"Enabled", false, [&] { return !A->isEnabled(); }},
                  {"Visible", false, [&] { return !A->isVisible(); }},
                  {"ShortCut", static_cast<int>(scCtrl | 'O'),
                   [&] { return A->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_O); }},
                  {"Default", true, [&] { return A->font().bold(); }},
                  {"Hint", "Opens a file", [&] { return A->statusTip() == "Opens a file"; }},
                  {"ImageIndex", 1, [&] { return !A->icon().isNull(); }},
                  {"ImageIndex", 5, [&] { return A->icon().isNull(); }},
                  {"Caption", "-", [&] { return A->isSeparator(); }},
              });
    EXPECT_EQ("TShortCut", GetPropInfo(Item, "ShortCut")->PropType->Name);
    // Sub-items make a sub-menu; freeing an item frees the items below it.
    auto* Sub = AddItem(Item, "Sub1", "Sub");
    ASSERT_NE(nullptr, A->menu());
    EXPECT_TRUE(static_cast<QMenu*>(A->menu())->actions().contains(Sub->GetQAction()));
    try {
        Menu->GetItems()->Add(Sub);
        FAIL() << "no exception";
    } catch (const EMenuError& E) {
        EXPECT_EQ("Menu inserted twice", E.Message());
    }
    Item->Free();
    EXPECT_EQ(nullptr, Form->FindComponent("Sub1"));
    EXPECT_EQ(0, Menu->GetItems()->GetCount());
}

TEST_F(MenusActionsTest, ARightClickPopsTheMenuUpThroughTheSeamAndItsItemsClick) {
    auto* Open = AddItem(Menu->GetItems(), "Open1", "&Open");
    AddItem(Menu->GetItems(), "N1", "-");
    auto* Toolbar = AddItem(Menu->GetItems(), "Toolbar1", "Toolbar");
    Toolbar->SetAutoCheck(true);
    Toolbar->SetChecked(true);
    auto* Small = AddItem(Menu->GetItems(), "Small1", "Small");
    auto* Large = AddItem(Menu->GetItems(), "Large1", "Large");
    for (TMenuItem* R : {Small, Large}) {
        R->SetRadioItem(true);
        R->SetGroupIndex(1);
        R->SetAutoCheck(true);
    }
    Open->SetOnClick(Logger("open"));
    Menu->SetOnPopup(Logger("popup"));
    Edit->SetPopupMenu(Menu);
    Form->Show();
    std::vector<TMenuItem*> Picks = {Open, Toolbar, Small, Large};
    size_t Next = 0;
    TModalScope Seam([&](TComponent* Dialog) {
        EXPECT_EQ(Menu, Dialog);
        EXPECT_EQ(Edit, Menu->GetPopupComponent());
        Picks[Next++]->GetQAction()->trigger();
        return static_cast<int>(mrOk);
    });
    for (size_t I = 0; I < Picks.size(); ++I) {
        QContextMenuEvent E(QContextMenuEvent::Mouse, QPoint(5, 5),
                            Edit->GetWidget()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(Edit->GetWidget(), &E);
    }
    EXPECT_EQ(4u, Next);
    EXPECT_EQ((std::vector<std::string>{"popup", "open", "popup", "popup", "popup"}), Log);
    EXPECT_FALSE(Toolbar->GetChecked()) << "AutoCheck toggles the item, Qt's own toggle undone";
    EXPECT_FALSE(Small->GetChecked());
    EXPECT_TRUE(Large->GetChecked()) << "checking a radio item unchecks its group";
    // Without AutoPopup a right click leaves the menu alone.
    Menu->SetAutoPopup(false);
    QContextMenuEvent E(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QApplication::sendEvent(Edit->GetWidget(), &E);
    EXPECT_EQ(4u, Next);
}

TEST_F(MenusActionsTest, ARealPopupMenuRunsTheItemTheUserPicksByKeyboard) {
    AddItem(Menu->GetItems(), "One1", "One")->SetOnClick(Logger("one"));
    AddItem(Menu->GetItems(), "Two1", "Two")->SetOnClick(Logger("two"));
    QTimer::singleShot(50, [] {
        if (QWidget* Popup = QApplication::activePopupWidget()) {
            SendKeyTo(Popup, Qt::Key_Down);
            SendKeyTo(Popup, Qt::Key_Down);
            SendKeyTo(Popup, Qt::Key_Return, "\r");
        }
    });
    QTimer::singleShot(2000, [] {
        if (QWidget* Popup = QApplication::activePopupWidget()) Popup->close();
    });
    Menu->Popup(10, 10);
    EXPECT_EQ(std::vector<std::string>{"two"}, Log);
}

TEST_F(MenusActionsTest, MenuShortcutsWorkWhileTheirControlHasTheFocus) {
    auto* Item = AddItem(Menu->GetItems(), "Find1", "Find");
    Item->SetShortCut(scCtrl | 'K');
    Item->SetOnClick(Logger("find"));
    auto* Other = Create<TEdit>(Form.get());
    Other->SetParent(Form.get());
    Edit->SetPopupMenu(Menu);
    std::vector<uint16_t> Keys;
    Edit->SetOnKeyDown(
        TKeyEvent([&](TObject*, uint16_t& Key, TShiftState) { Keys.push_back(Key); }));
    Form->Show();
    Edit->SetFocus();
    SendKeyTo(Edit->GetWidget(), Qt::Key_K, "\x0b", Qt::ControlModifier);
    EXPECT_EQ(std::vector<std::string>{"find"}, Log);
    EXPECT_TRUE(Keys.empty()) << "a shortcut never reaches KeyDown";
    // A disabled item leaves the key to the control.
    Item->SetEnabled(false);
    SendKeyTo(Edit->GetWidget(), Qt::Key_K, "\x0b", Qt::ControlModifier);
    EXPECT_EQ(std::vector<uint16_t>{'K'}, Keys);
    // Another control without the menu does not run it.
    Item->SetEnabled(true);
    Other->SetFocus();
    SendKeyTo(Other->GetWidget(), Qt::Key_K, "\x0b", Qt::ControlModifier);
    EXPECT_EQ(std::vector<std::string>{"find"}, Log);
}

TEST_F(MenusActionsTest, AnActionsPropertiesReachItsControlsAndMenuItemsAtOnce) {
    auto* List = Create<TActionList>(Form.get());
    auto* Act = Create<TAction>(Form.get());
    Act->SetName("Action1");
    Act->SetActionList(List);
    Act->SetCaption("&Apply");
    Act->SetHint("Apply it");
    Act->SetOnExecute(Logger("execute"));
    auto* Button = Create<TButton>(Form.get());
    Button->SetParent(Form.get());
    auto* Check = Create<TCheckBox>(Form.get());
    Check->SetParent(Form.get());
    auto* Item = AddItem(Menu->GetItems(), "Apply1", "");
    Button->SetAction(Act);
    Check->SetAction(Act);
    Item->SetAction(Act);
    EXPECT_EQ(QString("&Apply"), Button->GetPushButton()->text());
    EXPECT_EQ(QString("&Apply"), Item->GetQAction()->text());
    EXPECT_EQ("Apply it", Check->GetHint());
    Act->SetEnabled(false);
    Act->SetChecked(true);
    Act->SetCaption("Apply &All");
    EXPECT_FALSE(Button->GetWidget()->isEnabled());
    EXPECT_FALSE(Item->GetQAction()->isEnabled());
    EXPECT_TRUE(Check->GetCheckBox()->isChecked());
    EXPECT_TRUE(Item->GetQAction()->isChecked());
    EXPECT_EQ(QString("Apply &All"), Check->GetCheckBox()->text());
    Act->SetVisible(false);
    EXPECT_FALSE(Button->GetVisible());
    EXPECT_FALSE(Item->GetQAction()->isVisible());
    // A control's own value stops following the action.
    Act->SetVisible(true);
    Act->SetEnabled(true);
    Button->SetCaption("Mine");
    Act->SetCaption("Theirs");
    EXPECT_EQ("Mine", Button->GetCaption());
    EXPECT_EQ("Theirs", Item->GetCaption());
    // Clicks run the action, unless the control has a handler of its own.
    Log.clear();
    Button->Click();
    Item->Click();
    Button->SetOnClick(Logger("own"));
    Button->Click();
    EXPECT_EQ((std::vector<std::string>{"execute", "execute", "own"}), Log);
    // Freeing the action unlinks every client.
    Act->Free();
    EXPECT_EQ(nullptr, Button->GetAction());
    EXPECT_EQ(nullptr, Item->GetAction());
    EXPECT_EQ(0, List->GetActionCount());
}

TEST_F(MenusActionsTest, OnUpdateRunsWhenTheApplicationIsIdleAndCanShowAHiddenControlAgain) {
    auto* List = Create<TActionList>(Form.get());
    auto* Act = Create<TAction>(Form.get());
    Act->SetActionList(List);
    Act->SetCaption("Delete");
    auto* Button = Create<TButton>(Form.get());
    Button->SetParent(Form.get());
    Button->SetAction(Act);
    bool Allowed = false;
    int Updates = 0;
    Act->SetOnUpdate(TNotifyEvent([&](TObject*) {
        ++Updates;
        Act->SetEnabled(Allowed);
        Act->SetVisible(Allowed);
    }));
    RunLoop(30);
    EXPECT_EQ(0, Updates) << "a hidden form's actions are left alone";
    Form->Show();
    RunLoop(30);
    EXPECT_GT(Updates, 0);
    EXPECT_FALSE(Button->GetWidget()->isEnabled());
    EXPECT_FALSE(Button->GetVisible());
    Allowed = true;
    RunLoop(30);
    EXPECT_TRUE(Button->GetWidget()->isEnabled());
    EXPECT_TRUE(Button->GetVisible());
    // The list's OnUpdate comes first and may take the update over.
    const int Before = Updates;
    List->SetOnUpdate(TActionEvent([&](TBasicAction*, bool& Handled) { Handled = true; }));
    RunLoop(30);
    EXPECT_EQ(Before, Updates);
}

TEST_F(MenusActionsTest, ActionShortcutsAndSecondaryShortcutsRunFromTheKeyboard) {
    auto* List = Create<TActionList>(Form.get());
    auto* Add = Create<TAction>(Form.get());
    Add->SetActionList(List);
    Add->SetShortCut(VK_INSERT);
    Add->SetOnExecute(Logger("add"));
    auto* Up = Create<TAction>(Form.get());
    Up->SetActionList(List);
    Up->GetSecondaryShortCuts()->Add("Ctrl+Up");
    Up->SetOnExecute(Logger("up"));
    Form->Show();
    Edit->SetFocus();
    SendKeyTo(Edit->GetWidget(), Qt::Key_Insert);
    SendKeyTo(Edit->GetWidget(), Qt::Key_Up, QString(), Qt::ControlModifier);
    SendKeyTo(Edit->GetWidget(), Qt::Key_Up);
    EXPECT_EQ((std::vector<std::string>{"add", "up"}), Log);
    // A disabled action's key goes on to the control; the list may handle execution.
    Add->SetEnabled(false);
    SendKeyTo(Edit->GetWidget(), Qt::Key_Insert);
    List->SetOnExecute(TActionEvent([&](TBasicAction* A, bool& Handled) {
        Log.push_back(A == Up ? "list up" : "list ?");
        Handled = true;
    }));
    SendKeyTo(Edit->GetWidget(), Qt::Key_Up, QString(), Qt::ControlModifier);
    EXPECT_EQ((std::vector<std::string>{"add", "up", "list up"}), Log);
}

// Events bound by name to the form's published methods.
class TActionsForm : public TForm {
    ZK_CLASS(TActionsForm, TForm)
public:
    explicit TActionsForm(TComponent* AOwner) : TForm(AOwner) {}
    void AddExecute(TObject*) { ++Added; }
    int Added = 0;
};

ZK_IMPLEMENT_CLASS(TActionsForm)
void TActionsForm::DescribeClass(TClassBuilder<TActionsForm>& C) {
    C.Method("AddExecute", &TActionsForm::AddExecute);
}

TEST_F(MenusActionsTest, MenusAndActionsAreStoredWithoutWhatTheActionsGiveTheirClients) {
    RegisterClass(TActionsForm::StaticClass());
    const std::string Text = R"(object ActionsForm: TActionsForm
  Left = 0
  Top = 0
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  PopupMenu = PopupMenu1
  ClientHeight = 100
  ClientWidth = 200
  object Button1: TButton
    Left = 8
    Top = 8
    Width = 75
    Height = 25
    Action = AddItem1
    TabOrder = 0
  end
  object ActionList1: TActionList
    Left = 100
    Top = 8
    object AddItem1: TAction
      Caption = 'Add Item'
      Category = 'List'
      Hint = 'Add Collection Item'
      ImageIndex = 3
      ShortCut = 45
      OnExecute = AddExecute
    end
    object MoveUp1: TAction
      Caption = 'Move Up'
      SecondaryShortCuts.Strings = (
        'Ctrl+Up')
    end
  end
  object PopupMenu1: TPopupMenu
    Left = 130
    Top = 8
    object AddNew2: TMenuItem
      Action = AddItem1
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object Sub1: TMenuItem
      Caption = 'More'
      object Toolbar1: TMenuItem
        AutoCheck = True
        Caption = 'Toolbar'
        Checked = True
      end
    end
  end
end
)";
    TOwned<TActionsForm> Read(Create<TActionsForm>(nullptr));
    ReadFormText(Text, Read.get());
    auto* Button = DynamicCast<TButton>(Read->FindComponent("Button1"));
    auto* AddNew = DynamicCast<TMenuItem>(Read->FindComponent("AddNew2"));
    auto* Toolbar = DynamicCast<TMenuItem>(Read->FindComponent("Toolbar1"));
    auto* Up = DynamicCast<TAction>(Read->FindComponent("MoveUp1"));
    ASSERT_TRUE(Button && AddNew && Toolbar && Up);
    EXPECT_EQ(QString("Add Item"), Button->GetPushButton()->text());
    EXPECT_EQ(QString("Add Item"), AddNew->GetQAction()->text());
    EXPECT_EQ(QKeySequence(Qt::Key_Insert), AddNew->GetQAction()->shortcut());
    EXPECT_EQ(0, Up->GetSecondaryShortCuts()->IndexOfShortCut(scCtrl | VK_UP));
    EXPECT_TRUE(Toolbar->GetChecked());
    EXPECT_EQ(Read->FindComponent("Sub1"), Toolbar->GetParent());
    Button->Click();
    AddNew->Click();
    EXPECT_EQ(2, Read->Added);
    EXPECT_EQ(Text, FormTextOf(Read.get()));
}

}  // namespace zk::test
