// Splitters dragged by the mouse resize their neighbour within the limits; bevels draw their
// shapes in the highlight and shadow colours.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "GuiTestUtil.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

class SplitterBevelTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetClientWidth(400);
        Form->SetClientHeight(200);
        Left = Create<TPanel>(Form.get());
        Left->SetParent(Form.get());
        Left->SetAlign(alLeft);
        Left->SetWidth(100);
        Split = Create<TSplitter>(Form.get());
        Split->SetParent(Form.get());
        Split->SetLeft(100);
        Split->SetAlign(alLeft);
        Rest = Create<TMemo>(Form.get());
        Rest->SetParent(Form.get());
        Rest->SetAlign(alClient);
        Split->SetOnMoved(TNotifyEvent([this](TObject*) { ++Moves; }));
        Form->Show();
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    // Presses on the bar, moves by Dx (in the bar's own coordinates at each
    // event, as Qt reports them), and releases.
    void Drag(int Dx, bool BarFollows) {
        QWidget* W = Split->GetWidget();
        SendMouseTo(W, QEvent::MouseButtonPress, {1, 50});
        SendMouseTo(W, QEvent::MouseMove, {1 + Dx, 50});
        SendMouseTo(W, QEvent::MouseButtonRelease, {BarFollows ? 1 : 1 + Dx, 50});
    }
    TOwned<TForm> Form;
    TPanel* Left = nullptr;
    TSplitter* Split = nullptr;
    TMemo* Rest = nullptr;
    int Moves = 0;
};

}  // namespace

TEST_F(SplitterBevelTest, DraggingTheBarResizesItsNeighbourOnRelease) {
    EXPECT_EQ(Left, Split->FindResizeControl());
    EXPECT_EQ(crHSplit, Split->GetCursor());
    Drag(40, false);
    EXPECT_EQ(140, Left->GetWidth());
    EXPECT_EQ(140, Split->GetLeft());
    EXPECT_EQ(143, Rest->GetLeft());
    EXPECT_EQ(400 - 143, Rest->GetWidth());
    EXPECT_EQ(1, Moves);
    // With rsUpdate the neighbour follows every move.
    Split->SetResizeStyle(rsUpdate);
    QWidget* W = Split->GetWidget();
    SendMouseTo(W, QEvent::MouseButtonPress, {1, 50});
    SendMouseTo(W, QEvent::MouseMove, {-19, 50});
    EXPECT_EQ(120, Left->GetWidth());
    SendMouseTo(W, QEvent::MouseButtonRelease, {1, 50});
    EXPECT_EQ(120, Left->GetWidth());
    EXPECT_EQ(2, Moves);
}

TEST_F(SplitterBevelTest, TheSizeStaysWithinTheLimitsSnapsAndCanBeRefused) {
    Split->SetMinSize(50);
    Drag(1000, false);
    EXPECT_EQ(400 - 3 - 50, Left->GetWidth()) << "the rest keeps MinSize";
    Drag(-(Left->GetWidth() - 40), false);
    EXPECT_EQ(50, Left->GetWidth()) << "not below MinSize";
    Drag(-40, false);
    EXPECT_EQ(0, Left->GetWidth()) << "AutoSnap: dragged below half of MinSize";
    Split->SetAutoSnap(false);
    Drag(10, false);
    EXPECT_EQ(50, Left->GetWidth());
    Split->SetOnCanResize(
        TCanResizeEvent([](TObject*, int& NewSize, bool& Accept) { Accept = NewSize <= 80; }));
    Drag(60, false);
    EXPECT_EQ(50, Left->GetWidth()) << "a refused size is not taken";
    Drag(20, false);
    EXPECT_EQ(70, Left->GetWidth());
}

TEST_F(SplitterBevelTest, ABarAtTheTopResizesTheControlAboveIt) {
    auto* Top = Create<TPanel>(Form.get());
    Top->SetParent(Form.get());
    Top->SetAlign(alTop);
    Top->SetHeight(60);
    auto* Bar = Create<TSplitter>(Form.get());
    Bar->SetParent(Form.get());
    Bar->SetTop(60);
    Bar->SetAlign(alTop);
    EXPECT_EQ(Top, Bar->FindResizeControl());
    QWidget* W = Bar->GetWidget();
    SendMouseTo(W, QEvent::MouseMove, {5, 1});
    EXPECT_EQ(crVSplit, Bar->GetCursor());
    SendMouseTo(W, QEvent::MouseButtonPress, {5, 1});
    SendMouseTo(W, QEvent::MouseMove, {5, 31});
    SendMouseTo(W, QEvent::MouseButtonRelease, {5, 31});
    EXPECT_EQ(90, Top->GetHeight());
}

TEST_F(SplitterBevelTest, BevelsDrawTheirShapesInShadowAndHighlight) {
    Rest->Hide();
    auto* Bevel = Create<TBevel>(Form.get());
    Bevel->SetParent(Form.get());
    Bevel->SetBounds(200, 20, 100, 60);
    const QRgb Shadow = ColorToQColor(clBtnShadow).rgb();
    const QRgb Highlight = ColorToQColor(clBtnHighlight).rgb();
    auto Pixel = [&](int X, int Y) {
        return Form->GetWidget()->grab().toImage().pixel(200 + X, 20 + Y);
    };
    EXPECT_EQ(Shadow, Pixel(0, 30)) << "lowered box: shadow on the left";
    EXPECT_EQ(Highlight, Pixel(99, 30));
    EXPECT_NE(Shadow, Pixel(50, 30)) << "the inside is see-through";
    SetEnumProp(Bevel, "Style", "bsRaised");
    EXPECT_EQ(Highlight, Pixel(0, 30));
    SetEnumProp(Bevel, "Shape", "bsTopLine");
    EXPECT_EQ(Highlight, Pixel(50, 0));
    EXPECT_EQ(Shadow, Pixel(50, 1));
    EXPECT_NE(Highlight, Pixel(0, 30));
    SetEnumProp(Bevel, "Shape", "bsFrame");
    SetEnumProp(Bevel, "Style", "bsLowered");
    EXPECT_EQ(Shadow, Pixel(0, 30));
    EXPECT_EQ(Highlight, Pixel(1, 30));
}

}  // namespace zk::test
