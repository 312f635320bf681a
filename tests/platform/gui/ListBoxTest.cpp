// List boxes: items and selection, row geometry, IntegralHeight, the scroll bar, mouse, keys and
// owner drawing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QWheelEvent>
#include <string>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/ListBox.h"

namespace zk::test {

namespace {

constexpr int Row = 16;    // the owner-drawn row height the tests use
constexpr int Border = 2;  // the sunken border of a 3D list box

void SendMouse(QWidget* W, QEvent::Type Type, QPoint Pos, Qt::MouseButton Button,
               Qt::MouseButtons Buttons) {
    QMouseEvent E(Type, QPointF(Pos), QPointF(W->mapToGlobal(Pos)), Button, Buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(W, &E);
}

void Click(TListBox* L, int X, int Y) {
    // Widget coordinates: the client area starts inside the border.
    SendMouse(L->GetWidget(), QEvent::MouseButtonPress, {X + Border, Y + Border}, Qt::LeftButton,
              Qt::LeftButton);
    SendMouse(L->GetWidget(), QEvent::MouseButtonRelease, {X + Border, Y + Border}, Qt::LeftButton,
              Qt::NoButton);
}

void Key(TListBox* L, int QtKey, const QString& Text = QString()) {
    QKeyEvent E(QEvent::KeyPress, QtKey, Qt::NoModifier, Text);
    QApplication::sendEvent(L->GetWidget(), &E);
}

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetClientWidth(300);
        Form->SetClientHeight(300);
        List = Create<TListBox>(Form.get());
        List->SetParent(Form.get());
        List->SetStyle(lbOwnerDrawFixed);
        List->SetItemHeight(Row);
        List->SetBounds(10, 10, 120, 2 * Border + 5 * Row);
        List->SetOnClick(TNotifyEvent([this](TObject*) { ++Clicks; }));
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    void Fill(int Count) {
        for (int I = 0; I < Count; ++I) List->GetItems()->Add("item" + std::to_string(I));
    }
    TOwned<TForm> Form;
    TListBox* List = nullptr;
    int Clicks = 0;
};

}  // namespace

TEST_F(ListBoxTest, TheSelectionStaysOnItsLineWhileItemsChange) {
    Fill(5);
    List->SetItemIndex(2);
    EXPECT_EQ(2, List->GetItemIndex());
    List->GetItems()->Insert(0, "new");
    EXPECT_EQ(3, List->GetItemIndex());
    List->GetItems()->Delete(1);
    EXPECT_EQ(2, List->GetItemIndex());
    EXPECT_EQ("item2", List->GetItems()->Get(List->GetItemIndex()));
    List->GetItems()->Delete(2);
    EXPECT_EQ(-1, List->GetItemIndex());
    List->SetItemIndex(1);
    List->SetItemIndex(99);
    EXPECT_EQ(-1, List->GetItemIndex());
    List->SetItemIndex(3);
    List->Clear();
    EXPECT_EQ(-1, List->GetItemIndex());
    EXPECT_EQ(0, List->GetCount());
    // Code never fires OnClick.
    EXPECT_EQ(0, Clicks);
}

TEST_F(ListBoxTest, IntegralHeightSnapsToWholeRows) {
    List->SetIntegralHeight(true);
    List->SetHeight(100);  // 96 inside the border: six rows
    EXPECT_EQ(2 * Border + 6 * Row, List->GetHeight());
    List->SetHeight(90);  // 86: five rows
    EXPECT_EQ(2 * Border + 5 * Row, List->GetHeight());
    EXPECT_EQ(List->GetHeight(), List->GetWidget()->height());
    List->SetHeight(3);  // never less than one row
    EXPECT_EQ(2 * Border + Row, List->GetHeight());
    List->SetIntegralHeight(false);
    List->SetHeight(90);
    EXPECT_EQ(90, List->GetHeight());
    // Turning it on snaps the current height; a new row height snaps again.
    List->SetIntegralHeight(true);
    EXPECT_EQ(2 * Border + 5 * Row, List->GetHeight());
    List->SetItemHeight(20);
    EXPECT_EQ(2 * Border + 4 * 20, List->GetHeight());
}

TEST_F(ListBoxTest, TheScrollBarShowsWhenTheRowsDoNotFit) {
    Fill(5);
    EXPECT_EQ(5, List->GetVisibleRows());
    EXPECT_FALSE(List->GetWidget()->findChild<QScrollBar*>()->isVisibleTo(List->GetWidget()));
    EXPECT_EQ(120 - 2 * Border, List->GetClientWidth());
    List->GetItems()->Add("one more");
    QScrollBar* Bar = List->GetWidget()->findChild<QScrollBar*>();
    EXPECT_TRUE(Bar->isVisibleTo(List->GetWidget()));
    EXPECT_EQ(120 - 2 * Border - GetSystemMetrics(SM_CXVSCROLL), List->GetClientWidth());
    EXPECT_EQ(1, Bar->maximum());
    List->SetTopIndex(5);
    EXPECT_EQ(1, List->GetTopIndex());
    EXPECT_EQ(1, Bar->value());
    Bar->setValue(0);
    EXPECT_EQ(0, List->GetTopIndex());
    // Selecting a row below the view scrolls it into view.
    List->SetItemIndex(5);
    EXPECT_EQ(1, List->GetTopIndex());
}

TEST_F(ListBoxTest, ItemAtPosCountsFromTheTopIndex) {
    Fill(8);
    const int W = List->GetClientWidth();
    EXPECT_EQ(0, List->ItemAtPos({5, 0}, true));
    EXPECT_EQ(2, List->ItemAtPos({5, 2 * Row + 15}, true));
    EXPECT_EQ(-1, List->ItemAtPos({W, 5}, true));
    EXPECT_EQ(-1, List->ItemAtPos({-1, 5}, false));
    List->SetTopIndex(3);
    EXPECT_EQ(3, List->ItemAtPos({5, 0}, true));
    EXPECT_EQ(Rect(0, -Row, W, 0), List->ItemRect(2));
    List->GetItems()->Delete(7);
    List->GetItems()->Delete(6);
    List->GetItems()->Delete(5);
    List->SetTopIndex(0);
    List->GetItems()->Delete(4);
    // Below the last row: -1 for an existing row, else the count.
    EXPECT_EQ(-1, List->ItemAtPos({5, 4 * Row + 2}, true));
    EXPECT_EQ(4, List->ItemAtPos({5, 4 * Row + 2}, false));
}

TEST_F(ListBoxTest, ClickingARowSelectsItAndFiresOnClickOnlyForAChange) {
    Fill(4);
    std::vector<std::string> Log;
    List->SetOnClick(TNotifyEvent(
        [&](TObject*) { Log.push_back("click " + std::to_string(List->GetItemIndex())); }));
    List->SetOnMouseDown(TMouseEvent([&](TObject*, TMouseButton, TShiftState, int X, int Y) {
        Log.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
    }));
    Click(List, 5, 2 * Row + 3);
    Click(List, 5, 2 * Row + 8);
    Click(List, 5, 4 * Row + 3);  // below the last row: nothing to select
    EXPECT_EQ(2, List->GetItemIndex());
    EXPECT_EQ((std::vector<std::string>{"click 2", "down 5,35", "down 5,40", "down 5,67"}), Log);
    // Dragging with the button down follows the mouse.
    SendMouse(List->GetWidget(), QEvent::MouseMove, {5 + Border, Row + 3 + Border}, Qt::NoButton,
              Qt::LeftButton);
    EXPECT_EQ(1, List->GetItemIndex());
}

TEST_F(ListBoxTest, KeysMoveTheSelectionAndTypingFindsALine) {
    Fill(10);
    List->GetItems()->Put(7, "zebra");
    Key(List, Qt::Key_Down);
    EXPECT_EQ(0, List->GetItemIndex());
    Key(List, Qt::Key_Down);
    EXPECT_EQ(1, List->GetItemIndex());
    Key(List, Qt::Key_End);
    EXPECT_EQ(9, List->GetItemIndex());
    EXPECT_EQ(5, List->GetTopIndex());
    Key(List, Qt::Key_Home);
    EXPECT_EQ(0, List->GetItemIndex());
    Key(List, Qt::Key_PageDown);
    EXPECT_EQ(4, List->GetItemIndex());
    Key(List, Qt::Key_Up);
    EXPECT_EQ(3, List->GetItemIndex());
    Key(List, Qt::Key_Z, "z");
    EXPECT_EQ(7, List->GetItemIndex());
    EXPECT_EQ(7, Clicks);
    // A KeyDown handler that takes the key keeps it from the list.
    List->SetOnKeyDown(TKeyEvent([](TObject*, uint16_t& K, TShiftState) { K = 0; }));
    Key(List, Qt::Key_Down);
    EXPECT_EQ(7, List->GetItemIndex());
}

TEST_F(ListBoxTest, OwnerDrawingGetsEachVisibleRowWithItsState) {
    Fill(8);
    List->SetTopIndex(2);
    List->SetItemIndex(3);
    std::vector<std::string> Log;
    List->SetOnDrawItem(
        TDrawItemEvent([&](TWinControl* Control, int Index, TRect R, TOwnerDrawState State) {
            EXPECT_EQ(List, Control);
            Log.push_back(std::to_string(Index) + "@" + std::to_string(R.Top) +
                          (State.Contains(odSelected) ? "s" : ""));
            List->GetCanvas()->FillRect(R);
        }));
    const QImage Image = List->GetWidget()->grab().toImage();
    EXPECT_EQ((std::vector<std::string>{"2@0", "3@16s", "4@32", "5@48", "6@64"}), Log);
    // The selected row was filled with the highlight brush the list box set up.
    EXPECT_EQ(ColorToQColor(clHighlight).rgb(), Image.pixel(Border + 5, Border + Row + 8));
    EXPECT_EQ(ColorToQColor(clWindow).rgb(), Image.pixel(Border + 5, Border + 8));
    // The standard style draws the text itself.
    Log.clear();
    List->SetStyle(lbStandard);
    List->GetWidget()->grab();
    EXPECT_TRUE(Log.empty());
}

TEST_F(ListBoxTest, SortedListsKeepTheirItemsInOrder) {
    List->SetSorted(true);
    for (const char* S : {"pear", "apple", "fig"}) List->GetItems()->Add(S);
    EXPECT_EQ("apple", List->GetItems()->Get(0));
    EXPECT_EQ("pear", List->GetItems()->Get(2));
    EXPECT_TRUE(GetOrdProp(List, "Sorted"));
}

TEST_F(ListBoxTest, TheWheelScrollsThreeRowsANotch) {
    Fill(20);
    QWheelEvent E(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(List->GetWidget(), &E);
    EXPECT_EQ(3, List->GetTopIndex());
    EXPECT_EQ(-1, List->GetItemIndex());
}

TEST_F(ListBoxTest, TheStandardStyleTakesItsRowHeightFromTheFont) {
    List->SetStyle(lbStandard);
    List->GetFont()->SetHeight(-20);
    EXPECT_EQ(QFontMetrics(List->GetWidget()->font()).height(), List->GetItemHeight());
    EXPECT_FALSE(IsStoredProp(List, "ItemHeight"));
    List->SetStyle(lbOwnerDrawFixed);
    EXPECT_EQ(Row, List->GetItemHeight());
    EXPECT_TRUE(IsStoredProp(List, "ItemHeight"));
}

}  // namespace zk::test
