// Hint and pop-up list windows: sizing, placing, painting, and never taking the focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <string>

#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/HintWindow.h"
#include "platform/gui/PopupList.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

// A shown form whose edit has the focus, to see that the windows leave it there.
class HintWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Edit = Create<TEdit>(Form.get());
        Edit->SetParent(Form.get());
        Form->Show();
        Edit->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    TOwned<TForm> Form;
    TEdit* Edit = nullptr;
};

}  // namespace

TEST_F(HintWindowTest, TheHintRectGrowsWithTheTextAndWrapsAtTheMaximumWidth) {
    TOwned<THintWindow> Hint(Create<THintWindow>(nullptr));
    TOwned<TCanvas> Canvas(Create<TCanvas>());
    Canvas->GetFont()->Assign(Hint->GetFont());
    const TRect Short = Hint->CalcHintRect(300, "Short");
    TRect Text = Rect(0, 0, 300, 0);
    Canvas->DrawText("Short", Text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_EQ(0, Short.Left);
    EXPECT_EQ(0, Short.Top);
    EXPECT_EQ(Text.Width() + 6, Short.Width());
    EXPECT_EQ(Text.Height() + 2, Short.Height());
    const TRect Long = Hint->CalcHintRect(300, "A somewhat longer hint");
    EXPECT_GT(Long.Width(), Short.Width());
    EXPECT_EQ(Short.Height(), Long.Height());
    const TRect Wrapped = Hint->CalcHintRect(60, "A somewhat longer hint");
    EXPECT_LE(Wrapped.Width(), 60 + 6);
    EXPECT_GE(Wrapped.Height(), 2 * Canvas->TextHeight("A") + 2);
}

TEST_F(HintWindowTest, ActivatingAHintShowsItWithoutTakingTheFocus) {
    ASSERT_TRUE(Edit->Focused());
    QWidget* Focus = QApplication::focusWidget();
    QWidget* Active = QApplication::activeWindow();
    TOwned<THintWindow> Hint(Create<THintWindow>(nullptr));
    EXPECT_TRUE(Hint->GetWidget()->windowFlags().testFlag(Qt::ToolTip));
    EXPECT_EQ(Application->GetHintColor(), Hint->GetColor());
    TRect R = Hint->CalcHintRect(200, "Tip");
    R = OffsetRect(R, 40, 50);
    Hint->ActivateHint(R, "Tip");
    Application->ProcessMessages();
    EXPECT_TRUE(Hint->GetWidget()->isVisible());
    EXPECT_EQ("Tip", Hint->GetCaption());
    EXPECT_EQ(Bounds(40, 50, R.Width(), R.Height() + 4), Hint->GetBoundsRect());
    EXPECT_EQ(QPoint(40, 50), Hint->GetWidget()->pos());
    EXPECT_EQ(Focus, QApplication::focusWidget());
    EXPECT_EQ(Active, QApplication::activeWindow());
    EXPECT_TRUE(Edit->Focused());
    EXPECT_TRUE(Hint->HandleAllocated());
    Hint->ReleaseHandle();
    EXPECT_FALSE(Hint->GetWidget()->isVisible());
    EXPECT_FALSE(Hint->HandleAllocated());
}

TEST_F(HintWindowTest, AHintStaysOnTheScreen) {
    TOwned<THintWindow> Hint(Create<THintWindow>(nullptr));
    Hint->ActivateHint(Bounds(Screen->GetWidth() - 10, Screen->GetHeight() - 5, 80, 20), "Edge");
    EXPECT_EQ(Screen->GetWidth() - 80, Hint->GetLeft());
    EXPECT_EQ(Screen->GetHeight() - 24, Hint->GetTop());
}

TEST_F(HintWindowTest, AHintPaintsItsColourInsideAFrame) {
    TOwned<THintWindow> Hint(Create<THintWindow>(nullptr));
    Hint->ActivateHint(Bounds(0, 0, 60, 20), "");
    const QImage Image = Hint->GetWidget()->grab().toImage();
    EXPECT_EQ(ColorToQColor(clWindowFrame).rgb(), Image.pixel(0, 0));
    EXPECT_EQ(ColorToQColor(clWindowFrame).rgb(), Image.pixel(59, 23));
    EXPECT_EQ(ColorToQColor(clInfoBk).rgb(), Image.pixel(30, 12));
}

TEST_F(HintWindowTest, APopupListDropsDownWithoutTakingTheFocus) {
    QWidget* Focus = QApplication::focusWidget();
    TOwned<TPopupListWindow> Popup(Create<TPopupListWindow>(nullptr));
    const Qt::WindowFlags Flags = Popup->GetWidget()->windowFlags();
    EXPECT_TRUE(Flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(Flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(Flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_EQ(Qt::NoFocus, Popup->GetWidget()->focusPolicy());
    for (const char* S : {"red", "green", "blue"}) Popup->GetItems()->Add(S);
    Popup->SetBounds(0, 0, 100, 60);
    EXPECT_FALSE(Popup->GetListVisible());
    Popup->Popup(30, 40);
    Application->ProcessMessages();
    EXPECT_TRUE(Popup->GetListVisible());
    EXPECT_TRUE(Popup->GetWidget()->isVisible());
    EXPECT_EQ(QRect(30, 40, 100, 60), Popup->GetWidget()->geometry());
    EXPECT_EQ(Focus, QApplication::focusWidget());
    EXPECT_TRUE(Edit->Focused());
    // The one-pixel border leaves the rows one pixel in.
    EXPECT_EQ((TPoint{31, 41}), Popup->ClientToScreen({0, 0}));
    Popup->CloseUp();
    EXPECT_FALSE(Popup->GetWidget()->isVisible());
}

}  // namespace zk::test
