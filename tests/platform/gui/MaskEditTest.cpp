// The TMaskEdit control: typing restricted by the mask, EditText and Text, validation, reset and
// streaming.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <string>
#include <vector>

#include "platform/core/DateUtils.h"
#include "platform/core/Filer.h"
#include "platform/core/Stream.h"
#include "platform/gui/Forms.h"
#include "platform/gui/MaskEdit.h"

namespace zk::test {

namespace {

const char* const DateMask = "!90/00/0000;1;_";
const char* const TimeMask = "!90:00:00 >LL;1;_";
const char* const DateTimeMask = "!90/00/0000 90:00:00 >LL;1;_";

int QtKeyOf(char C) {
    if (C >= 'a' && C <= 'z') return Qt::Key_A + (C - 'a');
    if (C >= 'A' && C <= 'Z') return Qt::Key_A + (C - 'A');
    return C;
}

class MaskEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Edit = Create<TMaskEdit>(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetWidth(200);
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    QWidget* W() const { return Edit->GetWidget(); }
    void Key(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier, const QString& Text = {}) {
        QKeyEvent Press(QEvent::KeyPress, QtKey, Mods, Text);
        QApplication::sendEvent(W(), &Press);
    }
    void Type(const std::string& Text) {
        for (char C : Text) Key(QtKeyOf(C), Qt::NoModifier, QString(QChar(C)));
    }
    // A fresh masked edit with the caret at the start, as typing into an empty field.
    void Start(const char* Mask) {
        Edit->SetEditMask(Mask);
        Edit->SetText("");
        Edit->GetLineEdit()->setCursorPosition(0);
    }
    TOwned<TForm> Form;
    TMaskEdit* Edit = nullptr;  // owned by Form
};

}  // namespace

TEST_F(MaskEditTest, AnEmptyFieldShowsTheMasksLiteralsAndBlanks) {
    Edit->SetEditMask(DateMask);
    EXPECT_TRUE(Edit->IsMasked());
    EXPECT_EQ(Edit->GetEditText(), "__/__/____");
    EXPECT_EQ(Edit->GetLineEdit()->text().toStdString(), "__/__/____");
    EXPECT_EQ(Edit->GetMaxLength(), 10);
}

TEST_F(MaskEditTest, TypingFillsTheDateMaskAndSkipsItsLiterals) {
    Start(DateMask);
    Type("03052024");
    EXPECT_EQ(Edit->GetEditText(), "03/05/2024");
    EXPECT_EQ(Edit->GetText(), "03/05/2024");
    EXPECT_TRUE(Edit->GetModified());
    EXPECT_EQ(StrToDate(Edit->GetText()), EncodeDate(2024, 3, 5));
}

TEST_F(MaskEditTest, TheMaskRefusesWhatItsPositionsDoNotTake) {
    Start(DateMask);
    Type("a-3");
    EXPECT_EQ(Edit->GetEditText(), "3_/__/____");
    Start(TimeMask);
    Type("0105091");
    EXPECT_EQ(Edit->GetEditText(), "01:05:09 __") << "a digit where a letter belongs";
}

TEST_F(MaskEditTest, ATypedSeparatorEndsAShortFieldAndTheTextParses) {
    Start(DateMask);
    Type("3/05/2024");
    EXPECT_EQ(Edit->GetEditText(), "_3/05/2024");
    EXPECT_EQ(StrToDate(Edit->GetText()), EncodeDate(2024, 3, 5));
    Start(TimeMask);
    Type("1:05:09 pm");
    EXPECT_EQ(Edit->GetEditText(), "_1:05:09 PM") << "> turns the letters upper case";
    EXPECT_EQ(StrToTime(Edit->GetText()), EncodeTime(13, 5, 9, 0));
    Start(DateTimeMask);
    Type("3/05/2024 1:05:09 pm");
    EXPECT_EQ(StrToDateTime(Edit->GetText()), EncodeDate(2024, 3, 5) + EncodeTime(13, 5, 9, 0));
}

TEST_F(MaskEditTest, SettingTextFormatsThePlatformsDatesAndTimes) {
    Edit->SetEditMask(DateTimeMask);
    const TDateTime Value = EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 59, 0);
    Edit->SetText(DateTimeToStr(Value));
    EXPECT_EQ(Edit->GetEditText(), "12/31/1999 11:59:59 PM");
    EXPECT_EQ(StrToDateTime(Edit->GetText()), Value);
    EXPECT_FALSE(Edit->GetModified());
    Edit->SetEditMask(TimeMask);
    Edit->SetText(TimeToStr(EncodeTime(0, 30, 0, 0)));
    EXPECT_EQ(Edit->GetEditText(), "12:30:00 AM");
}

TEST_F(MaskEditTest, WithoutSavedLiteralsTextHoldsOnlyTheEnteredCharacters) {
    Edit->SetEditMask("!90/00/0000;0;_");
    Edit->GetLineEdit()->setCursorPosition(0);
    Type("03052024");
    EXPECT_EQ(Edit->GetEditText(), "03/05/2024");
    EXPECT_EQ(Edit->GetText(), "03052024");
    Edit->SetText("12312023");
    EXPECT_EQ(Edit->GetEditText(), "12/31/2023");
}

TEST_F(MaskEditTest, ValidateEditRaisesForAnUnfilledMaskOnly) {
    Start(DateMask);
    Edit->ValidateEdit();
    Type("0305");
    try {
        Edit->ValidateEdit();
        FAIL() << "no exception";
    } catch (const EDBEditError& E) {
        EXPECT_EQ(E.Message(), "Invalid input value");
    }
    EXPECT_EQ(Edit->GetLineEdit()->cursorPosition(), 6)
        << "the caret goes to the first empty place";
    Type("2024");
    EXPECT_NO_THROW(Edit->ValidateEdit());
}

TEST_F(MaskEditTest, BackspaceAndDeleteBlankPositionsAndKeepTheLiterals) {
    Start(DateMask);
    Type("03052024");
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Edit->GetEditText(), "03/05/20__");
    Edit->GetLineEdit()->setCursorPosition(2);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Edit->GetEditText(), "03/_5/20__") << "Delete on a literal blanks the next position";
    Edit->GetLineEdit()->setSelection(0, 5);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Edit->GetEditText(), "__/__/20__");
}

TEST_F(MaskEditTest, TypingOverASelectionClearsItFirst) {
    Edit->SetEditMask(DateMask);
    Edit->SetText("03/05/2024");
    Edit->GetLineEdit()->selectAll();
    Type("1");
    EXPECT_EQ(Edit->GetEditText(), "1_/__/____");
}

TEST_F(MaskEditTest, EscapeResetsToTheTextLastSet) {
    Edit->SetEditMask(DateMask);
    Edit->SetText("03/05/2024");
    Edit->GetLineEdit()->setCursorPosition(0);
    Type("12");
    EXPECT_EQ(Edit->GetEditText(), "12/05/2024");
    Key(Qt::Key_Escape);
    EXPECT_EQ(Edit->GetEditText(), "03/05/2024");
    EXPECT_FALSE(Edit->GetModified());
}

TEST_F(MaskEditTest, PastingTypesTheClipboardThroughTheMask) {
    Start(DateMask);
    QApplication::clipboard()->setText("12x31-2023");
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Edit->GetEditText(), "12/31/2023");
}

TEST_F(MaskEditTest, ChangingTheMaskReformatsTheText) {
    Edit->SetText("0305");
    EXPECT_FALSE(Edit->IsMasked());
    Edit->SetEditMask("00-00;0;_");
    EXPECT_EQ(Edit->GetEditText(), "03-05");
    Edit->SetEditMask("");
    EXPECT_EQ(Edit->GetText(), "0305");
    Type("x");
    EXPECT_EQ(Edit->GetText(), "0305x") << "unmasked, anything may be typed";
}

TEST_F(MaskEditTest, OnChangeFiresForEveryTypedCharacter) {
    Start(DateMask);
    std::vector<std::string> Seen;
    Edit->SetOnChange(TNotifyEvent([&](TObject*) { Seen.push_back(Edit->GetEditText()); }));
    Type("03");
    EXPECT_EQ(Seen, (std::vector<std::string>{"0_/__/____", "03/__/____"}));
}

TEST_F(MaskEditTest, PublishedEditMaskAndTextReadTheWidget) {
    SetStrProp(Edit, "EditMask", DateMask);
    SetStrProp(Edit, "Text", "03/05/2024");
    EXPECT_EQ(Edit->GetLineEdit()->text().toStdString(), "03/05/2024");
    Edit->GetLineEdit()->setText("12/31/1999");
    EXPECT_EQ(GetStrProp(Edit, "Text"), "12/31/1999");
    EXPECT_EQ(GetPropInfo(Edit, "Text")->PropType->Name, "TMaskedText");
    EXPECT_EQ(GetStrProp(Edit, "EditMask"), DateMask);
}

TEST_F(MaskEditTest, AStreamRestoresTheMaskBeforeTheText) {
    Edit->SetName("Edit1");
    Edit->SetEditMask("!90/00/0000;0;_");
    Edit->SetText("03052024");
    TMemoryStream Stream;
    WriteComponentToStream(&Stream, Edit);
    Stream.SetPosition(0);
    TOwned<TMaskEdit> Copy(Create<TMaskEdit>(nullptr));
    ReadComponentFromStream(&Stream, Copy.get());
    EXPECT_EQ(Copy->GetEditMask(), "!90/00/0000;0;_");
    EXPECT_EQ(Copy->GetEditText(), "03/05/2024");
}

}  // namespace zk::test
