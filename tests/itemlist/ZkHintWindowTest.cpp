// TZkHintWindow: showing at a point, hiding after its interval (or never with 0), streaming the
// interval, staying out of the focus, and painting the text inside its frame.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <string>

#include "itemlist/ZkHintWindow.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/core/FormText.h"
#include "platform/core/Stream.h"
#include "platform/core/TypInfo.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

// A shown form whose edit has the focus, a hint window and a clock the test advances.
class ZkHintWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetTickSource([this] { return Now; });
        Form.reset(Create<TForm>(nullptr));
        Edit = Create<TEdit>(Form.get());
        Edit->SetParent(Form.get());
        Form->Show();
        Edit->SetFocus();
        Application->ProcessMessages();
        Hint.reset(Create<TZkHintWindow>(nullptr));
    }
    void TearDown() override {
        Hint.reset();
        Form.reset();
        Application->ProcessMessages();
        SetTickSource(nullptr);
    }
    void Advance(uint32_t Ms) {
        Now += Ms;
        Application->ProcessMessages();
    }
    bool Shown() const { return Hint->GetVisible() && Hint->GetWidget()->isVisible(); }

    uint32_t Now = 5000;
    TOwned<TForm> Form;
    TEdit* Edit = nullptr;
    TOwned<TZkHintWindow> Hint;
};

// Records the caption each time the window is shown, and tries to show another hint from
// inside the first one's activation.
class TNestingHintWindow : public TZkHintWindow {
    ZK_CLASS(TNestingHintWindow, TZkHintWindow)
public:
    using TZkHintWindow::TZkHintWindow;
    void SetVisible(bool Value) override {
        const bool Was = GetVisible();
        inherited::SetVisible(Value);
        if (Value && !Was) {
            ++Shows;
            ActivateHint(Bounds(0, 0, 50, 20), "Nested");
        }
    }
    int Shows = 0;
};

ZK_IMPLEMENT_CLASS(TNestingHintWindow)
void TNestingHintWindow::DescribeClass(TClassBuilder<TNestingHintWindow>&) {}

// Counts the timer's expiries and the hides they ask for.
class TCountingHintWindow : public TZkHintWindow {
    ZK_CLASS(TCountingHintWindow, TZkHintWindow)
public:
    using TZkHintWindow::TZkHintWindow;
    void TimerExpired() override {
        ++Expired;
        inherited::TimerExpired();
    }
    void HideHint() override {
        ++Hides;
        inherited::HideHint();
    }
    int Expired = 0;
    int Hides = 0;
};

ZK_IMPLEMENT_CLASS(TCountingHintWindow)
void TCountingHintWindow::DescribeClass(TClassBuilder<TCountingHintWindow>&) {}

std::string WriteText(TComponent* Root) {
    TMemoryStream Stream;
    WriteComponentToStream(&Stream, Root);
    Stream.SetPosition(0);
    TMemoryStream Text;
    ObjectBinaryToText(&Stream, &Text);
    return std::string(reinterpret_cast<const char*>(Text.GetMemory()),
                       static_cast<size_t>(Text.GetSize()));
}

bool IsDark(QRgb Pixel) {
    return qGray(Pixel) < 128;
}

// The smallest rectangle holding every dark pixel inside the one-pixel frame.
TRect DarkBounds(const QImage& Image) {
    TRect R = Rect(Image.width(), Image.height(), 0, 0);
    for (int Y = 1; Y < Image.height() - 1; ++Y)
        for (int X = 1; X < Image.width() - 1; ++X)
            if (IsDark(Image.pixel(X, Y)))
                R = Rect(std::min(R.Left, X), std::min(R.Top, Y), std::max(R.Right, X + 1),
                         std::max(R.Bottom, Y + 1));
    return R;
}

// Text as it should appear in Hint: in its font, three pixels from the window's edges (the
// frame and two more), wrapped, with "&" as a character.
QImage Reference(const TZkHintWindow& Hint, const std::string& Text) {
    TOwned<TBitmap> Ref(Create<TBitmap>());
    Ref->SetSize(Hint.GetWidth(), Hint.GetHeight());
    TCanvas* Canvas = Ref->GetCanvas();
    Canvas->GetBrush()->SetColor(Hint.GetColor());
    Canvas->FillRect(Rect(0, 0, Hint.GetWidth(), Hint.GetHeight()));
    Canvas->GetFont()->Assign(Hint.GetFont());
    Canvas->GetBrush()->SetStyle(bsClear);
    TRect R = Rect(3, 3, Hint.GetWidth() - 1, Hint.GetHeight() - 1);
    Canvas->DrawText(Text, R, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    return Ref->GetImage();
}

}  // namespace

TEST_F(ZkHintWindowTest, StartsInTheApplicationsHintColourWithAnIntervalOfOneSecond) {
    const TColor Saved = Application->GetHintColor();
    Application->SetHintColor(TColor(0x00C0FFEE));
    TOwned<TZkHintWindow> Other(Create<TZkHintWindow>(nullptr));
    Application->SetHintColor(Saved);
    EXPECT_EQ(TColor(0x00C0FFEE), Other->GetColor());
    EXPECT_EQ(1000, Other->GetInterval());
    EXPECT_FALSE(Other->GetVisible());
}

TEST_F(ZkHintWindowTest, TheIntervalIsStoredOnlyWhenItIsNotOneSecond) {
    const TPropInfo* Prop = GetPropInfo(Hint.get(), "Interval");
    ASSERT_NE(nullptr, Prop);
    Hint->SetName("Tip");
    EXPECT_TRUE(IsDefaultPropertyValue(Hint.get(), Prop));
    EXPECT_EQ(std::string::npos, WriteText(Hint.get()).find("Interval"));

    Hint->SetInterval(0);
    EXPECT_FALSE(IsDefaultPropertyValue(Hint.get(), Prop));
    const std::string Text = WriteText(Hint.get());
    EXPECT_NE(std::string::npos, Text.find("Interval = 0")) << Text;

    TMemoryStream Stream;
    Hint->SetInterval(250);
    WriteComponentToStream(&Stream, Hint.get());
    Stream.SetPosition(0);
    TOwned<TZkHintWindow> Read(Create<TZkHintWindow>(nullptr));
    ReadComponentFromStream(&Stream, Read.get());
    EXPECT_EQ(250, Read->GetInterval());
}

TEST_F(ZkHintWindowTest, ShowHintAtPlacesTheTextAtThePointWithoutTakingTheFocus) {
    QWidget* Focus = QApplication::focusWidget();
    QWidget* Active = QApplication::activeWindow();
    const TRect Size = Hint->CalcHintRect(Screen->GetWidth(), "Shown here");
    Hint->ShowHintAt(TPoint{120, 80}, "Shown here");
    Application->ProcessMessages();
    EXPECT_TRUE(Shown());
    EXPECT_EQ("Shown here", Hint->GetCaption());
    EXPECT_EQ(Bounds(120, 80, Size.Width(), Size.Height() + 4), Hint->GetBoundsRect());
    EXPECT_EQ(QPoint(120, 80), Hint->GetWidget()->pos());
    EXPECT_EQ(Focus, QApplication::focusWidget());
    EXPECT_EQ(Active, QApplication::activeWindow());
    EXPECT_TRUE(Edit->Focused());
}

TEST_F(ZkHintWindowTest, ALongHintWrapsAtTheScreenWidth) {
    TOwned<TCanvas> Canvas(Create<TCanvas>());
    Canvas->GetFont()->Assign(Hint->GetFont());
    std::string Long;
    while (Canvas->TextWidth(Long) < 2 * Screen->GetWidth()) Long += "word ";
    Hint->ShowHintAt(TPoint{0, 0}, Long);
    EXPECT_LE(Hint->GetWidth(), Screen->GetWidth() + 6);
    EXPECT_GE(Hint->GetWidth(), Screen->GetWidth() - Canvas->TextWidth("word "));
    EXPECT_GE(Hint->GetHeight(), 2 * Canvas->TextHeight("W"));
}

TEST_F(ZkHintWindowTest, WithIntervalZeroTheHintNeverHidesItself) {
    Hint->SetInterval(0);
    Hint->ShowHintAt(TPoint{10, 10}, "Stays");
    Advance(1000);
    Advance(60000);
    EXPECT_TRUE(Shown());
    Hint->HideHint();
    EXPECT_FALSE(Shown());
}

TEST_F(ZkHintWindowTest, AnIntervalHidesTheHintOnceItHasPassed) {
    Hint->SetInterval(300);
    Advance(5000);  // a timer idle before the hint shows must not count this time
    Hint->ShowHintAt(TPoint{10, 10}, "Goes");
    Advance(299);
    EXPECT_TRUE(Shown());
    Advance(1);
    EXPECT_FALSE(Shown());
    EXPECT_TRUE(Hint->HandleAllocated()) << "hiding keeps the window for the next hint";

    // The next hint gets a whole interval of its own.
    Hint->ShowHintAt(TPoint{10, 10}, "Again");
    Advance(299);
    EXPECT_TRUE(Shown());
    Advance(1);
    EXPECT_FALSE(Shown());
}

TEST_F(ZkHintWindowTest, TheTimerStopsWhenItHasHiddenTheHint) {
    TOwned<TCountingHintWindow> Counting(Create<TCountingHintWindow>(nullptr));
    Counting->SetInterval(300);
    Advance(1000);
    EXPECT_EQ(0, Counting->Expired) << "the timer runs only while a hint shows";
    Counting->ShowHintAt(TPoint{10, 10}, "Once");
    Advance(300);
    EXPECT_EQ(1, Counting->Expired);
    EXPECT_EQ(1, Counting->Hides);
    EXPECT_FALSE(Counting->GetVisible());
    Advance(300);
    Advance(300);
    EXPECT_EQ(1, Counting->Expired);
}

TEST_F(ZkHintWindowTest, AHintShownAgainStartsItsIntervalAgain) {
    Hint->SetInterval(300);
    Hint->ShowHintAt(TPoint{10, 10}, "First");
    Advance(200);
    Hint->ShowHintAt(TPoint{40, 10}, "Second");
    Advance(200);
    EXPECT_TRUE(Shown());
    EXPECT_EQ("Second", Hint->GetCaption());
    Advance(100);
    EXPECT_FALSE(Shown());
}

TEST_F(ZkHintWindowTest, AHintHiddenBeforeItsIntervalIsNotShownOrHiddenByTheTimer) {
    Hint->SetInterval(300);
    Hint->ShowHintAt(TPoint{10, 10}, "Short");
    Advance(100);
    Hint->HideHint();
    EXPECT_FALSE(Shown());
    Advance(1000);
    EXPECT_FALSE(Shown());
}

TEST_F(ZkHintWindowTest, HideHintLeavesAWindowThatNeverShowedAlone) {
    Hint->HideHint();
    EXPECT_FALSE(Hint->HandleAllocated());
    EXPECT_FALSE(Hint->GetVisible());
}

TEST_F(ZkHintWindowTest, AnActivationFromInsideAnActivationIsIgnored) {
    TOwned<TNestingHintWindow> Nesting(Create<TNestingHintWindow>(nullptr));
    Nesting->ActivateHint(Bounds(30, 40, 80, 20), "Outer");
    EXPECT_EQ(1, Nesting->Shows);
    EXPECT_EQ("Outer", Nesting->GetCaption());
    EXPECT_EQ(Bounds(30, 40, 80, 24), Nesting->GetBoundsRect());

    // Once the first activation is over, the next one is honoured again.
    Nesting->HideHint();
    Nesting->ActivateHint(Bounds(60, 40, 80, 20), "Later");
    EXPECT_EQ(2, Nesting->Shows);
    EXPECT_EQ("Later", Nesting->GetCaption());
}

TEST_F(ZkHintWindowTest, TheTextIsPaintedTwoPixelsInsideTheFrame) {
    Hint->ShowHintAt(TPoint{0, 0}, "Wg|");
    Application->ProcessMessages();
    const QImage Image = Hint->GetWidget()->grab().toImage();
    ASSERT_EQ(Hint->GetWidth(), Image.width());
    const int W = Image.width();
    const int H = Image.height();
    const QRgb Frame = ColorToQColor(clWindowFrame).rgb();
    const QRgb Back = ColorToQColor(Hint->GetColor()).rgb();
    EXPECT_EQ(Frame, Image.pixel(0, 0));
    EXPECT_EQ(Frame, Image.pixel(W - 1, H - 1));
    // The two pixels next to the frame on the left and at the top carry no text.
    for (int Y = 1; Y < H - 1; ++Y)
        for (int X = 1; X <= 2; ++X) EXPECT_EQ(Back, Image.pixel(X, Y)) << X << "," << Y;
    for (int X = 1; X < W - 1; ++X)
        for (int Y = 1; Y <= 2; ++Y) EXPECT_EQ(Back, Image.pixel(X, Y)) << X << "," << Y;
    const TRect Ink = DarkBounds(Image);
    EXPECT_GT(Ink.Width(), 5);
    EXPECT_GT(Ink.Height(), 5);
    EXPECT_EQ(DarkBounds(Reference(*Hint, "Wg|")), Ink);
}

TEST_F(ZkHintWindowTest, AnAmpersandIsPaintedAsItIs) {
    Hint->ShowHintAt(TPoint{0, 0}, "a&b");
    const QImage Image = Hint->GetWidget()->grab().toImage();
    EXPECT_EQ(DarkBounds(Reference(*Hint, "a&b")), DarkBounds(Image));
}

}  // namespace zk::test
