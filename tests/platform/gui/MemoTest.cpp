// TMemo: published properties against QPlainTextEdit, Lines bound to the document, real changes
// only, keys and the stored lines.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>

#include "GuiTestUtil.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

class MemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetClientWidth(300);
        Form->SetClientHeight(200);
        Memo = Create<TMemo>(Form.get());
        Memo->SetName("Memo1");
        Memo->SetParent(Form.get());
        Memo->SetOnChange(TNotifyEvent([this](TObject*) { ++Changes; }));
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    QPlainTextEdit* Edit() const { return Memo->GetPlainTextEdit(); }
    TOwned<TForm> Form;
    TMemo* Memo = nullptr;
    int Changes = 0;
};

}  // namespace

TEST_F(MemoTest, PublishedPropertiesAreTheWidgetsState) {
    CheckPublished(
        Memo,
        {
            {"Alignment", "taCenter",
             [&] {
                 return Edit()->document()->defaultTextOption().alignment() == Qt::AlignHCenter;
             }},
            {"BorderStyle", "bsNone", [&] { return Edit()->frameShape() == QFrame::NoFrame; }},
            {"ReadOnly", true, [&] { return Edit()->isReadOnly(); }},
            {"ScrollBars", "ssVertical",
             [&] {
                 return Edit()->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn &&
                        Edit()->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff;
             }},
            {"ScrollBars", "ssBoth",
             [&] { return Edit()->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn; }},
            {"WantTabs", true, [&] { return !Edit()->tabChangesFocus(); }},
            {"WordWrap", false, [&] { return Edit()->lineWrapMode() == QPlainTextEdit::NoWrap; }},
            {"Color", static_cast<int>(clYellow),
             [&] { return Edit()->palette().color(QPalette::Base) == QColor(255, 255, 0); }},
            {"Enabled", false, [&] { return !Edit()->isEnabled(); }},
        });
}

TEST_F(MemoTest, LinesReadAndWriteTheDocument) {
    TStrings* Lines = Memo->GetLines();
    EXPECT_EQ(0, Lines->GetCount());
    Lines->Add("alpha");
    Lines->Add("gamma");
    Lines->Insert(1, "beta");
    EXPECT_EQ(QString("alpha\nbeta\ngamma\n"), Edit()->toPlainText());
    Lines->Put(2, "GAMMA");
    Lines->Delete(0);
    EXPECT_EQ(QString("beta\nGAMMA\n"), Edit()->toPlainText());
    Lines->Delete(1);
    EXPECT_EQ(QString("beta\n"), Edit()->toPlainText());
    // A text ending in a line break has no empty last line.
    Edit()->setPlainText("x\ny\n");
    EXPECT_EQ(2, Lines->GetCount());
    EXPECT_EQ("x\r\ny\r\n", Lines->GetText());
    Lines->Add("z");
    EXPECT_EQ(QString("x\ny\nz\n"), Edit()->toPlainText());
    // An empty line added last is a line of its own.
    Lines->Clear();
    Lines->Add("a");
    Lines->Add("");
    Lines->Add("b");
    Lines->Add("");
    EXPECT_EQ(4, Lines->GetCount());
    EXPECT_EQ("a\r\n\r\nb\r\n\r\n", Lines->GetText());
    Lines->SetText("1\r\n2\r3\n");
    EXPECT_EQ(3, Lines->GetCount());
    EXPECT_EQ("3", Lines->Get(2));
    try {
        Lines->Get(3);
        FAIL() << "no exception";
    } catch (const EStringListError& E) {
        EXPECT_EQ("List index out of bounds (3)", E.Message());
    }
    Lines->Clear();
    EXPECT_TRUE(Edit()->toPlainText().isEmpty());
}

TEST_F(MemoTest, OnChangeFiresForRealChangesOnlyAndTypingReachesTheLines) {
    Memo->SetText("same");
    EXPECT_EQ(1, Changes);
    Memo->GetLines()->SetText("same");
    Edit()->setPlainText("same");
    EXPECT_EQ(1, Changes) << "rewriting the same text is no change";
    Form->Show();
    Memo->SetFocus();
    Memo->SetSelStart(4);
    TypeText(Memo->GetWidget(), "\nnext");
    EXPECT_EQ(2, Memo->GetLines()->GetCount());
    EXPECT_EQ("next", Memo->GetLines()->Get(1));
    EXPECT_EQ(6, Changes);
    // Positions count a line break as two characters.
    EXPECT_EQ(10, Memo->GetSelStart());
    Memo->SetSelStart(6);
    Memo->SetSelLength(4);
    EXPECT_EQ("next", Memo->GetSelText());
}

TEST_F(MemoTest, KeysReachOnKeyDownAndReturnsTabsAndMaxLengthAreHonoured) {
    auto* Ok = Create<TButton>(Form.get());
    Ok->SetParent(Form.get());
    Ok->SetDefault(true);
    Ok->SetModalResult(mrOk);
    std::vector<uint16_t> Keys;
    Memo->SetOnKeyDown(
        TKeyEvent([&](TObject*, uint16_t& Key, TShiftState) { Keys.push_back(Key); }));
    Form->Show();
    Memo->SetFocus();
    TypeText(Memo->GetWidget(), "a\nb");
    EXPECT_EQ((std::vector<uint16_t>{'A', VK_RETURN, 'B'}), Keys);
    EXPECT_EQ("a\r\nb", Memo->GetText());
    EXPECT_EQ(mrNone, Form->GetModalResult());
    // Without WantReturns Enter belongs to the default button and adds nothing.
    Memo->SetWantReturns(false);
    TypeText(Memo->GetWidget(), "\n");
    EXPECT_EQ(mrOk, Form->GetModalResult());
    EXPECT_EQ("a\r\nb", Memo->GetText());
    // Tab moves on unless WantTabs.
    SendKeyTo(Memo->GetWidget(), Qt::Key_Tab, "\t");
    EXPECT_EQ(Ok, Form->GetActiveControl());
    Memo->SetWantTabs(true);
    Memo->SetFocus();
    Memo->SetSelStart(100);
    SendKeyTo(Memo->GetWidget(), Qt::Key_Tab, "\t");
    EXPECT_EQ("a\r\nb\t", Memo->GetText());
    EXPECT_EQ(Memo, Form->GetActiveControl());
    Memo->SetMaxLength(6);
    TypeText(Memo->GetWidget(), "cd");
    EXPECT_EQ("a\r\nb\tc", Memo->GetText());
}

TEST_F(MemoTest, StoredLinesAndSettingsReadBackIntoTheWidget) {
    Memo->GetLines()->SetText("first\r\nsecond\r\n");
    Memo->SetScrollBars(ssVertical);
    Memo->SetWordWrap(false);
    const std::string Text = FormTextOf(Form.get());
    EXPECT_NE(std::string::npos, Text.find("    Lines.Strings = (\n      'first'\n      'second')"))
        << Text;
    EXPECT_NE(std::string::npos, Text.find("ScrollBars = ssVertical")) << Text;
    EXPECT_EQ(std::string::npos, Text.find("WantReturns")) << Text;
    TOwned<TForm> Copy(Create<TForm>(nullptr));
    ReadFormText(Text, Copy.get());
    auto* Read = DynamicCast<TMemo>(Copy->FindComponent("Memo1"));
    ASSERT_NE(nullptr, Read);
    EXPECT_EQ(QString("first\nsecond\n"), Read->GetPlainTextEdit()->toPlainText());
    EXPECT_EQ(QPlainTextEdit::NoWrap, Read->GetPlainTextEdit()->lineWrapMode());
    EXPECT_EQ(Text, FormTextOf(Copy.get()));
}

}  // namespace zk::test
