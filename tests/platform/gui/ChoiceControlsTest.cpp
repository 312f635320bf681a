// Combo boxes, check boxes, radio buttons and group boxes: published properties against their Qt
// widgets, and the events a user's clicks, picks and typing raise.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "GuiTestUtil.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

class ChoiceControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetName("Form1");
        Form->SetClientWidth(300);
        Form->SetClientHeight(200);
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    template <class T>
    T* Add(TWinControl* Parent, const std::string& Name) {
        T* C = Create<T>(Form.get());
        C->SetName(Name);
        C->SetParent(Parent);
        return C;
    }
    // Appends "Name:event" to Log for each listed event of a control.
    TNotifyEvent Logger(const std::string& What) {
        return TNotifyEvent([this, What](TObject*) { Log.push_back(What); });
    }
    TOwned<TForm> Form;
    std::vector<std::string> Log;
};

}  // namespace

TEST_F(ChoiceControlsTest, ComboBoxPublishedPropertiesAreTheWidgetsState) {
    auto* C = Add<TComboBox>(Form.get(), "ComboBox1");
    QComboBox* Box = C->GetComboBox();
    C->GetItems()->SetText("one\r\ntwo\r\nthree\r\n");
    CheckPublished(C, {
                          {"DropDownCount", 3, [&] { return Box->maxVisibleItems() == 3; }},
                          {"MaxLength", 4, [&] { return Box->lineEdit()->maxLength() == 4; }},
                          {"ItemIndex", 1, [&] { return Box->currentIndex() == 1; }},
                          {"Text", "free", [&] { return Box->lineEdit()->text() == "free"; }},
                          {"Style", "csDropDownList", [&] { return !Box->isEditable(); }},
                          {"Text", "three", [&] { return Box->currentIndex() == 2; }},
                          {"ItemIndex", -1, [&] { return Box->currentIndex() == -1; }},
                          {"Sorted", true, [&] { return Box->itemText(2) == "two"; }},
                          {"Style", "csDropDown", [&] { return Box->isEditable(); }},
                      });
}

TEST_F(ChoiceControlsTest, ComboBoxItemsCarryObjectsAndKeepTheFrameworksSelection) {
    auto* C = Add<TComboBox>(Form.get(), "ComboBox1");
    C->SetStyle(csDropDownList);
    TStrings* Items = C->GetItems();
    Items->AddObject("first", Form.get());
    EXPECT_EQ(-1, C->GetItemIndex()) << "Qt selects a first item; the framework does not";
    Items->AddObject("second", C);
    EXPECT_EQ(C, Items->GetObject(1));
    EXPECT_EQ(Form.get(), Items->GetObject(Items->IndexOf("first")));
    C->SetItemIndex(1);
    Items->Insert(0, "zero");
    EXPECT_EQ(2, C->GetItemIndex());
    Items->Delete(2);
    EXPECT_EQ(-1, C->GetItemIndex()) << "deleting the selected item selects nothing";
    C->SetItemIndex(5);
    EXPECT_EQ(-1, C->GetItemIndex());
    C->SetSorted(true);
    Items->Add("b");
    Items->Add("A");
    EXPECT_EQ("A\r\nb\r\nfirst\r\nzero\r\n", Items->GetText());
}

TEST_F(ChoiceControlsTest, ComboBoxFiresOnlyForTheUsersPicksAndTyping) {
    auto* C = Add<TComboBox>(Form.get(), "ComboBox1");
    C->GetItems()->SetText("red\r\ngreen\r\nblue\r\n");
    C->SetOnChange(Logger("change"));
    C->SetOnClick(Logger("click"));
    Form->Show();
    C->SetItemIndex(0);
    C->SetText("typed by code");
    C->GetItems()->Add("more");
    EXPECT_TRUE(Log.empty());
    // The user types into the edit field.
    C->SetFocus();
    C->SelectAll();
    TypeText(C->GetWidget(), "gr");
    EXPECT_EQ((std::vector<std::string>{"change", "change"}), Log);
    EXPECT_EQ(0, C->GetText().rfind("gr", 0));
    // The user picks from the list: a click, then the change (no OnSelect).
    Log.clear();
    C->SetStyle(csDropDownList);
    C->SetItemIndex(0);
    SendKeyTo(C->GetWidget(), Qt::Key_Down);
    EXPECT_EQ(1, C->GetItemIndex());
    EXPECT_EQ((std::vector<std::string>{"click", "change"}), Log);
    C->SetOnSelect(Logger("select"));
    Log.clear();
    SendKeyTo(C->GetWidget(), Qt::Key_Down);
    EXPECT_EQ((std::vector<std::string>{"click", "select"}), Log);
    EXPECT_EQ("blue", C->GetText());
}

TEST_F(ChoiceControlsTest, CheckBoxAndRadioButtonPublishedPropertiesAreTheWidgetsState) {
    auto* Check = Add<TCheckBox>(Form.get(), "CheckBox1");
    QCheckBox* Box = Check->GetCheckBox();
    CheckPublished(
        Check, {
                   {"Caption", "&Check", [&] { return Box->text() == "&Check"; }},
                   {"Checked", true, [&] { return Box->checkState() == Qt::Checked; }},
                   {"AllowGrayed", true, [&] { return Box->isTristate(); }},
                   {"State", "cbGrayed", [&] { return Box->checkState() == Qt::PartiallyChecked; }},
                   {"Alignment", "taLeftJustify",
                    [&] { return Box->layoutDirection() == Qt::RightToLeft; }},
               });
    EXPECT_EQ("TLeftRight", GetPropInfo(Check, "Alignment")->PropType->Name);
    auto* Radio = Add<TRadioButton>(Form.get(), "RadioButton1");
    CheckPublished(
        Radio, {
                   {"Caption", "Radio", [&] { return Radio->GetRadioButton()->text() == "Radio"; }},
                   {"Checked", true, [&] { return Radio->GetRadioButton()->isChecked(); }},
                   {"Checked", false, [&] { return !Radio->GetRadioButton()->isChecked(); }},
               });
}

TEST_F(ChoiceControlsTest, ClickingTogglesAndClicksOnceAndRadioButtonsExcludeEachOther) {
    auto* Check = Add<TCheckBox>(Form.get(), "CheckBox1");
    auto* Group = Add<TGroupBox>(Form.get(), "GroupBox1");
    Group->SetBounds(100, 0, 150, 120);
    auto* R1 = Add<TRadioButton>(Group, "R1");
    auto* R2 = Add<TRadioButton>(Group, "R2");
    R2->SetTop(30);
    auto* Outside = Add<TRadioButton>(Form.get(), "R3");
    Outside->SetTop(60);
    Check->SetOnClick(Logger("check"));
    R1->SetOnClick(Logger("r1"));
    R2->SetOnClick(Logger("r2"));
    Form->Show();
    ClickAt(Check->GetWidget(), {8, 8});
    EXPECT_TRUE(Check->GetChecked());
    SendKeyTo(Check->GetWidget(), Qt::Key_Space, " ");
    EXPECT_FALSE(Check->GetChecked());
    Check->SetChecked(true);  // code clicks too, as the framework's check boxes do
    Check->SetChecked(true);
    EXPECT_EQ((std::vector<std::string>{"check", "check", "check"}), Log);
    Log.clear();
    Outside->SetChecked(true);
    ClickAt(R1->GetWidget(), {8, 8});
    ClickAt(R2->GetWidget(), {8, 8});
    ClickAt(R2->GetWidget(), {8, 8});
    EXPECT_FALSE(R1->GetChecked());
    EXPECT_TRUE(R2->GetChecked());
    EXPECT_TRUE(Outside->GetChecked()) << "another parent is another group";
    EXPECT_EQ((std::vector<std::string>{"r1", "r2"}), Log);
}

TEST_F(ChoiceControlsTest, AGroupBoxKeepsAlignedChildrenInsideItsFrame) {
    auto* Group = Add<TGroupBox>(Form.get(), "GroupBox1");
    Group->SetBounds(10, 10, 200, 150);
    SetStrProp(Group, "Caption", "Options");
    EXPECT_EQ(QString("Options"), Group->GetGroupBox()->title());
    auto* Inner = Add<TMemo>(Group, "Memo1");
    Inner->SetAlign(alClient);
    Form->Show();
    const QRect Contents = Group->GetGroupBox()->contentsRect();
    EXPECT_EQ(Bounds(Contents.x(), Contents.y(), Contents.width(), Contents.height()),
              Inner->GetBoundsRect());
    EXPECT_GT(Inner->GetTop(), 5) << "the caption takes room at the top";
}

TEST_F(ChoiceControlsTest, ChoicesLoadFromTheirDescriptionAndWriteBackTheSame) {
    const std::string Text = R"(object Form1: TForm
  Left = 0
  Top = 0
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Caption = 'Choices'
  ClientHeight = 200
  ClientWidth = 300
  object GroupBox1: TGroupBox
    Left = 8
    Top = 8
    Width = 185
    Height = 105
    TabOrder = 0
    Caption = 'Pick'
    object RadioButton1: TRadioButton
      Left = 8
      Top = 20
      Width = 113
      Height = 17
      TabOrder = 0
      Caption = 'One'
      Checked = True
    end
  end
  object CheckBox1: TCheckBox
    Left = 8
    Top = 120
    Width = 97
    Height = 17
    TabOrder = 1
    AllowGrayed = True
    Caption = 'Maybe'
    State = cbGrayed
  end
  object ComboBox1: TComboBox
    Left = 8
    Top = 150
    Width = 145
    Height = 21
    TabOrder = 2
    Style = csDropDownList
    Items.Strings = (
      'One'
      'Two')
    ItemIndex = 1
  end
end
)";
    TOwned<TForm> Read(Create<TForm>(nullptr));
    ReadFormText(Text, Read.get());
    auto* Combo = DynamicCast<TComboBox>(Read->FindComponent("ComboBox1"));
    auto* Check = DynamicCast<TCheckBox>(Read->FindComponent("CheckBox1"));
    auto* Radio = DynamicCast<TRadioButton>(Read->FindComponent("RadioButton1"));
    ASSERT_TRUE(Combo && Check && Radio);
    EXPECT_EQ(QString("Two"), Combo->GetComboBox()->currentText());
    EXPECT_EQ(Qt::PartiallyChecked, Check->GetCheckBox()->checkState());
    EXPECT_TRUE(Radio->GetRadioButton()->isChecked());
    EXPECT_EQ(Text, FormTextOf(Read.get()));
}

}  // namespace zk::test
