// The item-list grid's cell editor: drop-down sizing and placement, type-ahead search, the
// expression restriction, double-click cycling, the ellipsis button, the keys of the list,
// read-only items, the text area beside the button and how the button looks.
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ItemListTestUtil.h"
#include "itemlist/ZkInplaceEditList.h"
#include "itemlist/ZkInplaceEditList_p.h"
#include "itemlist/ZkItemListRegistration.h"
#include "platform/core/ModalResult.h"
#include "platform/gui/Graphics.h"

namespace zk::test {

namespace {

class InplaceEditListTest : public ItemListTest {
protected:
    void SetUp() override {
        ItemListTest::SetUp();
        Build("A=1\nP=two\nE=x");
        Item("P")->GetPickList()->SetTextStr("one\ntwo\nthree");
        Item("E")->SetEditStyle(esEllipsis);
        Grid->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        SetTickSource(nullptr);
        SetMessageBoxHandler(nullptr);
        ItemListTest::TearDown();
    }

    TPopupListbox* List() const { return Grid->GetInplaceEditList()->GetPickList(); }
    QWidget* EW() const { return Grid->GetInplaceEditList()->GetWidget(); }
    QPoint ButtonCentre() const {
        const TRect R = Grid->GetInplaceEditList()->ButtonRect();
        return QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    // The editor and an open list, as they show on the screen.
    QImage Snapshot() const {
        QPixmap Shot = Form->GetWidget()->grab();
        TZkInplaceEditList* Editor = Grid->GetInplaceEditList();
        if (Editor && Editor->GetListVisible()) {
            QPainter P(&Shot);
            const QPoint At =
                Form->GetWidget()->mapFromGlobal(Editor->GetPickList()->GetWidget()->pos());
            P.drawPixmap(At, Editor->GetPickList()->GetWidget()->grab());
        }
        return Shot.toImage();
    }
};

void SetValues(TZkItemProp* Item, int Count) {
    std::string Text;
    for (int I = 0; I < Count; ++I) Text += "v" + std::to_string(I) + "\n";
    Item->GetPickList()->SetTextStr(Text);
}

}  // namespace

TEST_F(InplaceEditListTest, TheListIsAsHighAsItsEntriesUpToDropDownRows) {
    EXPECT_EQ(Grid->GetDropDownRows(), 8);
    TZkInplaceEditList* Editor = EditAt("P");
    EXPECT_EQ(Editor->GetDropDownRows(), 8) << "the grid hands its DropDownRows to the editor";
    Press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Editor->GetListVisible());
    const int H = List()->GetItemHeight();
    EXPECT_EQ(List()->GetHeight(), 3 * H + 4);
    Press(Qt::Key_Escape);
    ASSERT_FALSE(Editor->GetListVisible());

    SetValues(Item("P"), 20);
    Grid->SetRow(RowOf(Item("A")));
    Editor = EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(List()->GetHeight(), 8 * H + 4);
    Press(Qt::Key_Escape);

    Grid->SetDropDownRows(5);
    EXPECT_EQ(Editor->GetDropDownRows(), 5) << "passed on to the existing editor";
    Press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(List()->GetHeight(), 5 * H + 4);
    Press(Qt::Key_Escape);
}

TEST_F(InplaceEditListTest, TheListIsFilledOncePerCellFromTheItemAndTheGridsEvent) {
    int Calls = 0;
    Grid->SetOnGetPickList(
        TZkGetPickListEvent([&](TObject* Sender, const std::string& PropName, TStrings* Values) {
            EXPECT_EQ(Sender, Grid);
            EXPECT_EQ(PropName, "P");
            ++Calls;
            Values->Add("four");
        }));
    TZkInplaceEditList* Editor = EditAt("P");
    EXPECT_FALSE(Editor->GetPickListLoaded());
    Press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(Editor->GetPickListLoaded());
    EXPECT_EQ(List()->GetItems()->GetCommaText(), "one,two,three,four");
    Press(Qt::Key_Escape);
    Press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(Calls, 1) << "loaded once for the cell";
    EXPECT_EQ(List()->GetCount(), 4);
    Press(Qt::Key_Escape);
    Grid->SetRow(RowOf(Item("A")));
    Editor = EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(Calls, 2) << "a new cell loads again";
    EXPECT_EQ(List()->GetCount(), 4);
}

TEST_F(InplaceEditListTest, AnEmptyPickListOpensOneEntryHigh) {
    Item("A")->SetEditStyle(esPickList);
    TZkInplaceEditList* Editor = EditAt("A");
    ASSERT_EQ(Editor->GetEditStyle(), esPickList);
    Press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Editor->GetListVisible());
    EXPECT_EQ(List()->GetCount(), 0);
    EXPECT_EQ(List()->GetHeight(), List()->GetItemHeight() + 4);
}

TEST_F(InplaceEditListTest, TheListOpensBelowTheEditorOrAboveItAtTheScreensBottom) {
    TZkInplaceEditList* Editor = EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Editor->GetListVisible());
    const TPoint Origin = Editor->ClientToScreen({0, 0});
    EXPECT_EQ(List()->GetLeft(), Origin.X);
    EXPECT_EQ(List()->GetTop(), Origin.Y + Editor->GetHeight());
    EXPECT_EQ(List()->GetWidth(), Editor->GetWidth());
    Press(Qt::Key_Escape);

    // Move the form so that the editor ends just above the screen's bottom.
    const int Bottom = Origin.Y + Editor->GetHeight();
    Form->SetTop(Form->GetTop() + Screen->GetHeight() - 5 - Bottom);
    Application->ProcessMessages();
    Press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Editor->GetListVisible());
    const TPoint Moved = Editor->ClientToScreen({0, 0});
    EXPECT_EQ(Moved.Y + Editor->GetHeight(), Screen->GetHeight() - 5);
    EXPECT_EQ(List()->GetTop() + List()->GetHeight(), Moved.Y) << "above the editor";
}

TEST_F(InplaceEditListTest, AltDownOpensEnterAcceptsEscapeDoesNot) {
    TZkInplaceEditList* Editor = EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Editor->GetListVisible());
    EXPECT_EQ(List()->GetItemIndex(), 1) << "the entry of the current text is selected";
    Press(Qt::Key_Down);
    EXPECT_EQ(List()->GetItemIndex(), 2) << "keys go to the open list";
    EXPECT_EQ(Item("P")->GetValues()->Get(0), "two");
    Press(Qt::Key_Return);
    EXPECT_FALSE(Editor->GetListVisible());
    EXPECT_EQ(Item("P")->GetValues()->Get(0), "three");
    EXPECT_EQ(Editor->GetText(), "three");
    EXPECT_EQ(QApplication::focusWidget(), EW()) << "the editor kept the focus";

    Press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Editor->GetListVisible());
    Press(Qt::Key_Up);
    EXPECT_EQ(List()->GetItemIndex(), 1);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(Editor->GetListVisible());
    EXPECT_EQ(Item("P")->GetValues()->Get(0), "three") << "Escape takes nothing";

    Press(Qt::Key_Down, Qt::AltModifier);
    Press(Qt::Key_Up);
    Press(Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(Editor->GetListVisible());
    EXPECT_EQ(Item("P")->GetValues()->Get(0), "two") << "Alt+Up accepts";
}

TEST_F(InplaceEditListTest, AcceptingOnAReadOnlyItemLeavesTheValue) {
    Item("P")->SetReadOnly(true);
    TZkInplaceEditList* Editor = EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Editor->GetListVisible());
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    EXPECT_FALSE(Editor->GetListVisible());
    EXPECT_EQ(Item("P")->GetValues()->Get(0), "two");
    EXPECT_EQ(Editor->GetText(), "two");
}

TEST_F(InplaceEditListTest, TypeAheadSearchesForTheTypedPrefixUntilAPause) {
    uint32_t Now = 100000;
    SetTickSource([&Now] { return Now; });
    Item("P")->GetPickList()->SetTextStr("apple\nabacus\nabc\nbanana\nbb");
    TZkInplaceEditList* Editor = EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Editor->GetListVisible());
    PressChar('a');
    EXPECT_EQ(List()->GetItemIndex(), 0);
    Now += 500;
    PressChar('b');
    EXPECT_EQ(List()->GetSearchText(), "ab");
    EXPECT_EQ(List()->GetItemIndex(), 1) << "the first entry starting with ab";
    Now += 2001;
    PressChar('b');
    EXPECT_EQ(List()->GetSearchText(), "b") << "after the pause the search starts over";
    EXPECT_EQ(List()->GetItemIndex(), 3);
    Now += 100;
    PressChar('b');
    EXPECT_EQ(List()->GetItemIndex(), 4);
    EXPECT_EQ(Editor->GetText(), "two") << "typing went to the list, not the edit";
    Press(Qt::Key_Backspace, Qt::NoModifier, QString(QChar(8)));
    EXPECT_EQ(List()->GetSearchText(), "");
}

TEST_F(InplaceEditListTest, TheSearchTextStopsGrowingAt32Characters) {
    uint32_t Now = 1000;
    SetTickSource([&Now] { return Now; });
    TZkInplaceEditList* Editor = EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Editor->GetListVisible());
    for (int I = 0; I < 40; ++I) PressChar('z');
    EXPECT_EQ(List()->GetSearchText(), std::string(32, 'z'));
}

TEST_F(InplaceEditListTest, AKeystrokeThatBreaksTheExpressionIsUndone) {
    Item("A")->SetEditMask("[0-9]");
    Item("A")->SetExpressionMask(true);
    TZkInplaceEditList* Editor = EditAt("A");
    EXPECT_EQ(Editor->GetExpression()->GetExpression(), "[0-9]");
    EXPECT_EQ(Editor->GetEditMask(), "") << "an expression is no edit mask";
    TypeOver("7");
    EXPECT_EQ(Editor->GetText(), "7");
    EXPECT_EQ(Item("A")->GetValues()->Get(0), "7");
    TypeOver("x");
    EXPECT_EQ(Editor->GetText(), "7") << "x does not match and is taken back";
    EXPECT_EQ(Item("A")->GetValues()->Get(0), "7");
    Editor->SetSelStart(1);
    PressChar('8');
    EXPECT_EQ(Editor->GetText(), "7") << "78 is not wholly matched";
}

TEST_F(InplaceEditListTest, AValueTheExpressionCanStillAcceptIsTypedCharacterByCharacter) {
    Item("A")->SetEditMask("[0-9]+");
    Item("A")->SetExpressionMask(true);
    TZkInplaceEditList* Editor = EditAt("A");
    TypeOver("1");
    Editor->SetSelStart(1);
    PressChar('2');
    PressChar('3');
    EXPECT_EQ(Editor->GetText(), "123") << "matches are shortest, yet longer values go in";
    PressChar('x');
    EXPECT_EQ(Editor->GetText(), "123");

    Item("E")->SetEditMask("^[0-9][0-9]/[0-9][0-9]$");
    Item("E")->SetExpressionMask(true);
    Editor = EditAt("E");
    TypeOver("1");
    Editor->SetSelStart(1);
    for (char C : std::string("2/3")) PressChar(C);
    EXPECT_EQ(Editor->GetText(), "12/3") << "an anchored value is typed from its start";
    EXPECT_FALSE(Editor->IsValid()) << "half a date is not yet a value";
    PressChar('1');
    PressChar('9');
    EXPECT_EQ(Editor->GetText(), "12/31");
    EXPECT_TRUE(Editor->IsValid());
}

TEST_F(InplaceEditListTest, EnterOnAnInvalidTextRaisesTheMessage) {
    std::vector<std::string> Shown;
    SetMessageBoxHandler([&Shown](const std::string& Msg, int, int) {
        Shown.push_back(Msg);
        return static_cast<int>(mrOk);
    });
    Item("A")->GetValues()->Put(0, "abc");
    Item("A")->SetEditMask("^[0-9]$");
    Item("A")->SetExpressionMask(true);
    TZkInplaceEditList* Editor = EditAt("A");
    EXPECT_FALSE(Editor->IsValid());
    Press(Qt::Key_Return);
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].rfind("\"abc\" is not a valid property value", 0), 0u) << Shown[0];
    EXPECT_THROW(Editor->ValidateOrUndo(), Exception);

    Item("A")->GetValues()->Put(0, "5");
    Grid->SetRow(RowOf(Item("P")));
    Editor = EditAt("A");
    EXPECT_TRUE(Editor->IsValid()) << "anchors match the whole text";
    Shown.clear();
    Press(Qt::Key_Return);
    EXPECT_TRUE(Shown.empty());
}

TEST_F(InplaceEditListTest, AcceptingAValueTheExpressionRejectsRaises) {
    std::vector<std::string> Shown;
    SetMessageBoxHandler([&Shown](const std::string& Msg, int, int) {
        Shown.push_back(Msg);
        return static_cast<int>(mrOk);
    });
    Item("P")->SetEditMask("^t.*$");
    Item("P")->SetExpressionMask(true);
    TZkInplaceEditList* Editor = EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    Press(Qt::Key_Up);
    ASSERT_EQ(List()->GetItemIndex(), 0);
    Press(Qt::Key_Return);
    EXPECT_FALSE(Editor->GetListVisible());
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].rfind("\"one\" is not a valid property value", 0), 0u) << Shown[0];
}

TEST_F(InplaceEditListTest, DoubleClickingAPickListCellStepsThroughTheValues) {
    TZkInplaceEditList* Editor = EditAt("P");
    const QPoint Text(5, Editor->GetHeight() / 2);
    auto DoubleClick = [&] {
        SendMouse(EW(), QEvent::MouseButtonPress, Text, Qt::LeftButton);
        SendMouse(EW(), QEvent::MouseButtonRelease, Text, Qt::NoButton);
        SendMouse(EW(), QEvent::MouseButtonDblClick, Text, Qt::LeftButton);
        SendMouse(EW(), QEvent::MouseButtonRelease, Text, Qt::NoButton);
        Application->ProcessMessages();
    };
    std::vector<std::string> Validated;
    Grid->SetOnValidate(TZkOnValidateEvent(
        [&](TObject*, TZkItemProp* I, int) { Validated.push_back(I->GetValues()->Get(0)); }));
    DoubleClick();
    EXPECT_EQ(Item("P")->GetValues()->Get(0), "three");
    EXPECT_EQ(Editor->GetSelText(), "three") << "the new text is selected";
    DoubleClick();
    EXPECT_EQ(Item("P")->GetValues()->Get(0), "one") << "wraps around";
    DoubleClick();
    EXPECT_EQ(Item("P")->GetValues()->Get(0), "two");
    EXPECT_EQ(Validated, (std::vector<std::string>{"three", "one", "two"})) << "each is committed";
    EXPECT_FALSE(Editor->GetListVisible());

    Item("P")->SetReadOnly(true);
    DoubleClick();
    EXPECT_EQ(Item("P")->GetValues()->Get(0), "two") << "a read-only item does not cycle";
}

TEST_F(InplaceEditListTest, TheEllipsisButtonFiresTheItemsOrTheGridsEvent) {
    std::vector<TObject*> ItemSenders;
    std::vector<TObject*> GridSenders;
    TZkInplaceEditList* Editor = EditAt("E");
    ASSERT_EQ(Editor->GetEditStyle(), esEllipsis);
    Grid->SetOnEditButtonClick(TNotifyEvent([&](TObject* S) { GridSenders.push_back(S); }));
    SendMouse(EW(), QEvent::MouseButtonPress, ButtonCentre(), Qt::LeftButton);
    EXPECT_TRUE(Editor->GetPressed());
    SendMouse(EW(), QEvent::MouseButtonRelease, ButtonCentre(), Qt::NoButton);
    EXPECT_FALSE(Editor->GetPressed());
    EXPECT_EQ(GridSenders, std::vector<TObject*>{Item("E")}) << "Sender is the current item";

    Item("E")->SetOnEditButtonClick(TNotifyEvent([&](TObject* S) { ItemSenders.push_back(S); }));
    SendMouse(EW(), QEvent::MouseButtonPress, ButtonCentre(), Qt::LeftButton);
    SendMouse(EW(), QEvent::MouseButtonRelease, ButtonCentre(), Qt::NoButton);
    EXPECT_EQ(ItemSenders, std::vector<TObject*>{Item("E")});
    EXPECT_EQ(GridSenders.size(), 1u) << "the item's own event wins";

    // Released away from the button: no click.
    SendMouse(EW(), QEvent::MouseButtonPress, ButtonCentre(), Qt::LeftButton);
    SendMouse(EW(), QEvent::MouseMove, QPoint(3, 3), Qt::LeftButton);
    EXPECT_FALSE(Editor->GetPressed());
    SendMouse(EW(), QEvent::MouseButtonRelease, QPoint(3, 3), Qt::NoButton);
    EXPECT_EQ(ItemSenders.size(), 1u);
    EXPECT_FALSE(Editor->GetTracking());

    // A click on the text is no button click.
    SendMouse(EW(), QEvent::MouseButtonPress, QPoint(3, 3), Qt::LeftButton);
    SendMouse(EW(), QEvent::MouseButtonRelease, QPoint(3, 3), Qt::NoButton);
    EXPECT_EQ(ItemSenders.size(), 1u);
}

TEST_F(InplaceEditListTest, DoubleClickingAnEllipsisCellClicksTheButton) {
    int Clicks = 0;
    Item("E")->SetOnEditButtonClick(TNotifyEvent([&](TObject*) { ++Clicks; }));
    EditAt("E");
    const QPoint Text(5, 5);
    SendMouse(EW(), QEvent::MouseButtonPress, Text, Qt::LeftButton);
    SendMouse(EW(), QEvent::MouseButtonRelease, Text, Qt::NoButton);
    SendMouse(EW(), QEvent::MouseButtonDblClick, Text, Qt::LeftButton);
    SendMouse(EW(), QEvent::MouseButtonRelease, Text, Qt::NoButton);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(InplaceEditListTest, PressingTheArrowOpensTheListAndDraggingIntoItSelects) {
    TZkInplaceEditList* Editor = EditAt("P");
    SendMouse(EW(), QEvent::MouseButtonPress, ButtonCentre(), Qt::LeftButton);
    ASSERT_TRUE(Editor->GetListVisible());
    EXPECT_TRUE(Editor->GetPressed());
    // Down into the list's first entry, then released there.
    const TRect First = List()->ItemRect(0);
    const TPoint InList = List()->ClientToScreen({First.Left + 5, First.Top + First.Height() / 2});
    const QPoint At = EW()->mapFromGlobal(QPoint(InList.X, InList.Y));
    SendMouse(EW(), QEvent::MouseMove, At, Qt::LeftButton);
    EXPECT_FALSE(Editor->GetTracking());
    EXPECT_EQ(List()->GetItemIndex(), 0);
    SendMouse(EW(), QEvent::MouseButtonRelease, At, Qt::NoButton);
    Application->ProcessMessages();
    EXPECT_FALSE(Editor->GetListVisible());
    EXPECT_EQ(Item("P")->GetValues()->Get(0), "one");

    // A click on the arrow while the list is open closes it without taking anything.
    SendMouse(EW(), QEvent::MouseButtonPress, ButtonCentre(), Qt::LeftButton);
    SendMouse(EW(), QEvent::MouseButtonRelease, ButtonCentre(), Qt::NoButton);
    ASSERT_TRUE(Editor->GetListVisible()) << "press and release on the arrow leave it open";
    Press(Qt::Key_Down);
    SendMouse(EW(), QEvent::MouseButtonPress, ButtonCentre(), Qt::LeftButton);
    SendMouse(EW(), QEvent::MouseButtonRelease, ButtonCentre(), Qt::NoButton);
    EXPECT_FALSE(Editor->GetListVisible());
    EXPECT_EQ(Item("P")->GetValues()->Get(0), "one");
}

TEST_F(InplaceEditListTest, AClickInTheListAcceptsThatEntry) {
    TZkInplaceEditList* Editor = EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Editor->GetListVisible());
    const TRect Third = List()->ItemRect(2);
    const TPoint Off = List()->ClientOffset();
    const QPoint At(Third.Left + 5 + Off.X, Third.Top + 2 + Off.Y);
    SendMouse(List()->GetWidget(), QEvent::MouseButtonPress, At, Qt::LeftButton);
    SendMouse(List()->GetWidget(), QEvent::MouseButtonRelease, At, Qt::NoButton);
    EXPECT_FALSE(Editor->GetListVisible());
    EXPECT_EQ(Item("P")->GetValues()->Get(0), "three");
    EXPECT_TRUE(Editor->GetModified() == false) << "accepting commits";
}

TEST_F(InplaceEditListTest, LosingTheFocusClosesTheListWithoutAccepting) {
    TZkInplaceEditList* Editor = EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    Press(Qt::Key_Down);
    ASSERT_TRUE(Editor->GetListVisible());
    QFocusEvent Out(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(EW(), &Out);
    EXPECT_FALSE(Editor->GetListVisible());
    EXPECT_EQ(Item("P")->GetValues()->Get(0), "two");
}

TEST_F(InplaceEditListTest, APressOnAnotherControlClosesTheListWithoutAccepting) {
    TZkInplaceEditList* Editor = EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    Press(Qt::Key_Down);
    ASSERT_TRUE(Editor->GetListVisible());
    const TRect Cell = Grid->CellRect(0, RowOf(Item("A")));
    SendMouse(W(), QEvent::MouseButtonPress, ToWidget(Cell.Left + 5, Cell.Top + 5), Qt::LeftButton);
    SendMouse(W(), QEvent::MouseButtonRelease, ToWidget(Cell.Left + 5, Cell.Top + 5), Qt::NoButton);
    EXPECT_FALSE(Editor->GetListVisible());
    EXPECT_EQ(Item("P")->GetValues()->Get(0), "two");
}

TEST_F(InplaceEditListTest, TheTextAreaMakesRoomForTheButton) {
    TZkInplaceEditList* Editor = EditAt("A");
    ASSERT_EQ(Editor->GetEditStyle(), esSimple);
    EXPECT_EQ(Editor->GetEditRect().Right, Editor->GetWidth() - 2);
    EXPECT_EQ(Editor->GetLineEdit()->textMargins().right(), 2);

    Editor = EditAt("E");
    const int BW = Editor->GetButtonWidth();
    EXPECT_EQ(BW, GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(Editor->GetEditRect().Right, Editor->GetWidth() - 2 - BW);
    EXPECT_EQ(Editor->GetLineEdit()->textMargins().right(), 2 + BW);
    EXPECT_EQ(Editor->ButtonRect().Left, Editor->GetWidth() - BW);
    EXPECT_TRUE(Editor->OverButton({Editor->GetWidth() - 1, 0}));
    EXPECT_FALSE(Editor->OverButton({Editor->GetWidth() - BW - 1, 0}));

    Editor->SetBiDiMode(bdRightToLeft);
    Editor->BoundsChanged();
    EXPECT_EQ(Editor->ButtonRect().Left, 0);
    EXPECT_EQ(Editor->ButtonRect().Right, BW);
    EXPECT_EQ(Editor->GetEditRect().Left, 2 + BW - 2);
}

TEST_F(InplaceEditListTest, TheButtonsShowOnTheScreen) {
    TZkInplaceEditList* Editor = EditAt("E");
    Application->ProcessMessages();
    const QImage Ellipsis = Editor->GetWidget()->grab().toImage();
    const TRect B = Editor->ButtonRect();
    const int X = B.Left + B.Width() / 2 - 1;
    const int Y = B.Top + B.Height() / 2 - 1;
    const int W = std::max(Editor->GetButtonWidth() / 8, 1);
    EXPECT_EQ(Ellipsis.pixelColor(X, Y), QColor(Qt::black)) << "the middle square";
    EXPECT_EQ(Ellipsis.pixelColor(X - 2 * W, Y), QColor(Qt::black)) << "the left square";
    EXPECT_EQ(Ellipsis.pixelColor(X + 2 * W, Y), QColor(Qt::black)) << "the right square";
    EXPECT_EQ(Ellipsis.pixelColor(X + W, Y), ColorToQColor(clBtnFace)) << "a gap between them";
    EXPECT_EQ(Ellipsis.pixelColor(B.Left + 1, B.Top + 2), ColorToQColor(clBtnHighlight))
        << "a raised edge";
    EXPECT_EQ(Ellipsis.pixelColor(B.Right - 1, B.Top + 2), ColorToQColor(cl3DDkShadow));
    const QImage EllipsisShot = Snapshot();

    Editor = EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Editor->GetListVisible());
    Application->ProcessMessages();
    const QImage Arrow = Editor->GetWidget()->grab().toImage();
    const TRect A = Editor->ButtonRect();
    int Dark = 0;
    for (int Yi = A.Top + 2; Yi < A.Bottom - 2; ++Yi)
        for (int Xi = A.Left + 2; Xi < A.Right - 2; ++Xi)
            if (Arrow.pixelColor(Xi, Yi) == ColorToQColor(clBtnText)) ++Dark;
    EXPECT_GT(Dark, 6) << "an arrow is drawn on the button";
    const QImage ListShot = List()->GetWidget()->grab().toImage();
    EXPECT_EQ(ListShot.pixelColor(0, 0), ColorToQColor(clWindowFrame)) << "the list's frame";

    if (const char* Dir = std::getenv("ZK_SNAPSHOT_DIR")) {
        QImage Both(EllipsisShot.width(), EllipsisShot.height() * 2, QImage::Format_RGB32);
        QPainter P(&Both);
        P.drawImage(0, 0, EllipsisShot);
        P.drawImage(0, EllipsisShot.height(), Snapshot());
        P.end();
        Both.save(QString::fromUtf8(Dir) + "/inplace_edit_list.png");
        // The editor's right end, six times as large, to see the buttons' pixels.
        const QRect Zoom(EW()->mapTo(Form->GetWidget(), QPoint(EW()->width() - 60, -2)),
                         QSize(64, 70));
        QImage Parts(64 * 2, 70, QImage::Format_RGB32);
        QPainter Z(&Parts);
        Z.drawImage(0, 0, EllipsisShot.copy(Zoom.translated(0, -Grid->GetDefaultRowHeight() - 1)));
        Z.drawImage(64, 0, Snapshot().copy(Zoom));
        Z.end();
        Parts.scaled(Parts.size() * 6).save(QString::fromUtf8(Dir) + "/inplace_edit_list_zoom.png");
    }
}

TEST_F(InplaceEditListTest, TheEditorIsRegistered) {
    RegisterItemListClasses();
    EXPECT_EQ(GetClass("TZkInplaceEditList"), TZkInplaceEditList::StaticClass());
}

}  // namespace zk::test
