// Standard controls: buttons, edits, labels and panels, read and written through their Qt widgets
// and painted.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <string>
#include <vector>

#include "platform/core/Filer.h"
#include "platform/core/FormText.h"
#include "platform/core/Stream.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

void SendMouse(QWidget* W, QEvent::Type Type, QPoint Pos, Qt::MouseButton Button,
               Qt::MouseButtons Buttons) {
    QMouseEvent E(Type, QPointF(Pos), QPointF(W->mapToGlobal(Pos)), Button, Buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(W, &E);
}

void Type(QWidget* W, const std::string& Text) {
    for (char C : Text) {
        const int Key = C >= 'a' && C <= 'z'   ? Qt::Key_A + (C - 'a')
                        : C >= 'A' && C <= 'Z' ? Qt::Key_A + (C - 'A')
                                               : C;
        QKeyEvent Press(QEvent::KeyPress, Key, Qt::NoModifier, QString(QChar(C)));
        QApplication::sendEvent(W, &Press);
        QKeyEvent Release(QEvent::KeyRelease, Key, Qt::NoModifier, QString(QChar(C)));
        QApplication::sendEvent(W, &Release);
    }
}

// Whether any pixel of the rows [Top, Bottom) is darker than mid grey.
bool HasDarkPixel(const QImage& Image, int Top, int Bottom) {
    for (int Y = Top; Y < Bottom; ++Y)
        for (int X = 0; X < Image.width(); ++X)
            if (qGray(Image.pixel(X, Y)) < 100) return true;
    return false;
}

class StdCtrlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetClientWidth(300);
        Form->SetClientHeight(200);
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    template <class T>
    T* Add(TWinControl* Parent) {
        T* C = Create<T>(Form.get());
        C->SetParent(Parent);
        return C;
    }
    std::string WriteText(TComponent* Root) {
        TMemoryStream Stream;
        WriteComponentToStream(&Stream, Root);
        Stream.SetPosition(0);
        TMemoryStream Text;
        ObjectBinaryToText(&Stream, &Text);
        return std::string(reinterpret_cast<const char*>(Text.GetMemory()),
                           static_cast<size_t>(Text.GetSize()));
    }
    TOwned<TForm> Form;
};

}  // namespace

TEST_F(StdCtrlsTest, AButtonClickedByMouseFiresOnClickOnceAndSetsTheModalResult) {
    auto* B = Add<TButton>(Form.get());
    B->SetModalResult(mrRetry);
    std::vector<std::string> Log;
    B->SetOnClick(TNotifyEvent([&](TObject*) { Log.push_back("click"); }));
    B->SetOnMouseDown(
        TMouseEvent([&](TObject*, TMouseButton, TShiftState, int, int) { Log.push_back("down"); }));
    B->SetOnMouseUp(
        TMouseEvent([&](TObject*, TMouseButton, TShiftState, int, int) { Log.push_back("up"); }));
    Form->Show();
    SendMouse(B->GetWidget(), QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(B->GetWidget(), QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ((std::vector<std::string>{"down", "click", "up"}), Log);
    EXPECT_EQ(mrRetry, Form->GetModalResult());

    // The space bar clicks the focused button; a disabled one never clicks.
    Log.clear();
    B->SetFocus();
    QKeyEvent Press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(B->GetWidget(), &Press);
    QKeyEvent Release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(B->GetWidget(), &Release);
    EXPECT_EQ(std::vector<std::string>{"click"}, Log);
    B->SetEnabled(false);
    SendMouse(B->GetWidget(), QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(B->GetWidget(), QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(std::vector<std::string>{"click"}, Log);
}

TEST_F(StdCtrlsTest, AButtonsDefaultIsTheWidgetsDefault) {
    auto* B = Add<TButton>(Form.get());
    B->SetDefault(true);
    EXPECT_TRUE(B->GetPushButton()->isDefault());
    EXPECT_EQ(QSize(75, 25), B->GetWidget()->size());
    EXPECT_EQ(Qt::StrongFocus, B->GetWidget()->focusPolicy());
}

TEST_F(StdCtrlsTest, AnEditsTextLivesInTheLineEditAndChangesFireOnChange) {
    auto* E = Add<TEdit>(Form.get());
    int Changes = 0;
    E->SetOnChange(TNotifyEvent([&](TObject* Sender) {
        EXPECT_EQ(E, Sender);
        ++Changes;
    }));
    SetStrProp(E, "Text", "abc");
    EXPECT_EQ(QString("abc"), E->GetLineEdit()->text());
    EXPECT_EQ(1, Changes);
    E->SetText("abc");
    EXPECT_EQ(1, Changes);
    Form->Show();
    E->SetFocus();
    E->SetSelStart(3);
    Type(E->GetWidget(), "de");
    EXPECT_EQ("abcde", GetStrProp(E, "Text"));
    EXPECT_EQ(3, Changes);
    E->GetLineEdit()->setText("from qt");
    EXPECT_EQ("from qt", E->GetText());
    EXPECT_EQ(4, Changes);
}

TEST_F(StdCtrlsTest, MaxLengthReadOnlyAndPasswordCharAreTheLineEditsFlags) {
    auto* E = Add<TEdit>(Form.get());
    EXPECT_EQ(0, E->GetMaxLength());
    SetOrdProp(E, "MaxLength", 3);
    EXPECT_EQ(3, E->GetLineEdit()->maxLength());
    Form->Show();
    E->SetFocus();
    Type(E->GetWidget(), "abcd");
    EXPECT_EQ("abc", E->GetText());
    SetPropValue(E, "ReadOnly", true);
    EXPECT_TRUE(E->GetLineEdit()->isReadOnly());
    E->SetMaxLength(0);
    Type(E->GetWidget(), "x");
    EXPECT_EQ("abc", E->GetText());
    SetOrdProp(E, "PasswordChar", '*');
    EXPECT_EQ(QLineEdit::Password, E->GetLineEdit()->echoMode());
    E->SetPasswordChar(0);
    EXPECT_EQ(QLineEdit::Normal, E->GetLineEdit()->echoMode());
}

TEST_F(StdCtrlsTest, CharCaseConvertsTypedAndAssignedText) {
    auto* E = Add<TEdit>(Form.get());
    E->SetText("Mixed");
    E->SetCharCase(ecUpperCase);
    EXPECT_EQ("MIXED", E->GetText());
    E->SetText("abc");
    EXPECT_EQ("ABC", E->GetText());
    Form->Show();
    E->SetFocus();
    E->SetSelStart(3);
    Type(E->GetWidget(), "x");
    EXPECT_EQ("ABCX", E->GetText());
    E->SetCharCase(ecLowerCase);
    EXPECT_EQ("abcx", E->GetText());
}

TEST_F(StdCtrlsTest, SelectionReadsAndReplacesTheSelectedText) {
    auto* E = Add<TEdit>(Form.get());
    E->SetText("hello world");
    E->SetSelStart(6);
    EXPECT_EQ(6, E->GetSelStart());
    EXPECT_EQ(0, E->GetSelLength());
    E->SetSelLength(5);
    EXPECT_EQ("world", E->GetSelText());
    E->SetSelText("there");
    EXPECT_EQ("hello there", E->GetText());
    E->SelectAll();
    EXPECT_EQ(11, E->GetSelLength());
    E->ClearSelection();
    EXPECT_EQ("", E->GetText());
}

TEST_F(StdCtrlsTest, EnteringAnEditByCodeSelectsItsTextUnlessAutoSelectIsOff) {
    auto* A = Add<TEdit>(Form.get());
    auto* B = Add<TEdit>(Form.get());
    A->SetText("first");
    B->SetText("second");
    B->SetAutoSelect(false);
    Form->Show();
    A->SetFocus();
    EXPECT_EQ(5, A->GetSelLength());
    B->SetFocus();
    EXPECT_EQ(0, B->GetSelLength());
}

TEST_F(StdCtrlsTest, AnAutoSizedEditTakesItsHeightFromTheFont) {
    auto* E = Add<TEdit>(Form.get());
    EXPECT_EQ(QFontMetrics(E->GetWidget()->font()).height() + 8, E->GetHeight());
    E->GetFont()->SetHeight(-24);
    EXPECT_EQ(QFontMetrics(E->GetWidget()->font()).height() + 8, E->GetHeight());
    EXPECT_GT(E->GetHeight(), 24);
    E->SetAutoSize(false);
    E->SetHeight(50);
    E->GetFont()->SetHeight(-10);
    EXPECT_EQ(50, E->GetHeight());
}

TEST_F(StdCtrlsTest, AnEditWritesOnlyWhatDiffersFromItsDefaults) {
    auto* E = Add<TEdit>(Form.get());
    E->SetName("Edit1");
    std::string S = WriteText(Form.get());
    EXPECT_EQ(std::string::npos, S.find("TabStop")) << S;
    EXPECT_EQ(std::string::npos, S.find("ParentColor")) << S;
    EXPECT_EQ(std::string::npos, S.find("    Color")) << S;
    EXPECT_EQ(std::string::npos, S.find("AutoSelect")) << S;
    E->SetTabStop(false);
    E->SetColor(clYellow);
    E->SetReadOnly(true);
    S = WriteText(Form.get());
    EXPECT_NE(std::string::npos, S.find("TabStop = False")) << S;
    EXPECT_NE(std::string::npos, S.find("Color = clYellow")) << S;
    EXPECT_NE(std::string::npos, S.find("ReadOnly = True")) << S;
}

TEST_F(StdCtrlsTest, AnAutoSizedLabelFitsItsText) {
    auto* L = Add<TLabel>(Form.get());
    L->SetLeft(100);
    L->SetCaption("Hi");
    const QFontMetrics M(FontToQFont(*L->GetFont()));
    // The size the canvas measures for the text, as the label's own canvas does.
    auto Measured = [&](const std::string& Text) {
        TOwned<TCanvas> Canvas(Create<TCanvas>());
        Canvas->GetFont()->Assign(L->GetFont());
        TRect R = Rect(0, 0, 1000, 1000);
        Canvas->DrawText(Text, R, DT_CALCRECT | DT_EXPANDTABS);
        return R;
    };
    const int Short = L->GetWidth();
    EXPECT_EQ(Measured("Hi").Width(), Short);
    EXPECT_EQ(Measured("Hi").Height(), L->GetHeight());
    L->SetCaption("Hi there, a longer caption");
    EXPECT_GT(L->GetWidth(), Short);
    EXPECT_EQ(100, L->GetLeft());
    // A right-justified label keeps its right edge.
    L->SetAlignment(taRightJustify);
    const int Right = L->GetLeft() + L->GetWidth();
    L->SetCaption("Hi");
    EXPECT_EQ(Right, L->GetLeft() + L->GetWidth());
    // Word wrap keeps the width and grows downwards.
    L->SetAlignment(taLeftJustify);
    L->SetAutoSize(false);
    L->SetWidth(60);
    L->SetWordWrap(true);
    L->SetAutoSize(true);
    L->SetCaption("one two three four five six");
    EXPECT_EQ(60, L->GetWidth());
    EXPECT_GT(L->GetHeight(), 2 * M.height());
    // An empty caption still has a line's height.
    L->SetWordWrap(false);
    L->SetCaption("");
    EXPECT_EQ(Measured(" ").Height(), L->GetHeight());
    EXPECT_EQ(Measured(" ").Width(), L->GetWidth());
}

TEST_F(StdCtrlsTest, ALabelPaintsItsColourUnlessTransparent) {
    auto* P = Add<TPanel>(Form.get());
    P->SetBounds(0, 0, 200, 100);
    P->SetBevelOuter(bvNone);
    P->SetColor(clLime);
    auto* L = Add<TLabel>(P);
    L->SetAutoSize(false);
    L->SetBounds(10, 10, 80, 40);
    L->SetCaption("x");
    L->SetColor(clRed);
    QImage Image = P->GetWidget()->grab().toImage();
    EXPECT_EQ(qRgb(255, 0, 0), Image.pixel(85, 45));
    EXPECT_EQ(qRgb(0, 255, 0), Image.pixel(5, 5));
    L->SetTransparent(true);
    Image = P->GetWidget()->grab().toImage();
    EXPECT_EQ(qRgb(0, 255, 0), Image.pixel(85, 45));
}

TEST_F(StdCtrlsTest, ALabelsLayoutPutsTheTextAtTheTopCentreOrBottom) {
    auto* L = Add<TLabel>(Form.get());
    L->SetAutoSize(false);
    L->SetBounds(0, 0, 80, 90);
    L->SetColor(clWhite);
    L->SetCaption("Wg");
    QImage Top = L->GetWidget()->grab().toImage();
    EXPECT_TRUE(HasDarkPixel(Top, 0, 30));
    EXPECT_FALSE(HasDarkPixel(Top, 30, 90));
    L->SetLayout(tlCenter);
    QImage Centre = L->GetWidget()->grab().toImage();
    EXPECT_FALSE(HasDarkPixel(Centre, 0, 30));
    EXPECT_TRUE(HasDarkPixel(Centre, 30, 60));
    EXPECT_FALSE(HasDarkPixel(Centre, 60, 90));
    L->SetLayout(tlBottom);
    QImage Bottom = L->GetWidget()->grab().toImage();
    EXPECT_FALSE(HasDarkPixel(Bottom, 0, 60));
    EXPECT_TRUE(HasDarkPixel(Bottom, 60, 90));
}

TEST_F(StdCtrlsTest, PanelBevelsAreDrawnWithTheSystemColours) {
    auto* P = Add<TPanel>(Form.get());
    P->SetBounds(0, 0, 100, 50);
    QImage Image = P->GetWidget()->grab().toImage();
    EXPECT_EQ(ColorToQColor(clBtnHighlight).rgb(), Image.pixel(0, 0));
    EXPECT_EQ(ColorToQColor(clBtnShadow).rgb(), Image.pixel(99, 49));
    EXPECT_EQ(ColorToQColor(clBtnFace).rgb(), Image.pixel(50, 25));
    P->SetBevelOuter(bvLowered);
    Image = P->GetWidget()->grab().toImage();
    EXPECT_EQ(ColorToQColor(clBtnShadow).rgb(), Image.pixel(0, 0));
    EXPECT_EQ(ColorToQColor(clBtnHighlight).rgb(), Image.pixel(99, 49));
    // The caption is drawn in the middle.
    P->SetCaption("Caption");
    Image = P->GetWidget()->grab().toImage();
    EXPECT_TRUE(HasDarkPixel(Image.copy(20, 10, 60, 30), 0, 30));
    EXPECT_FALSE(HasDarkPixel(Image.copy(2, 2, 10, 46), 0, 46));
}

}  // namespace zk::test
