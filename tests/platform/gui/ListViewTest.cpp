// List views: items and columns against the item model, selection events, dragging an item by
// mouse, and items and columns in the form stream.
#include <QAbstractItemView>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>

#include "GuiTestUtil.h"
#include "platform/core/TestUtil.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/ListView.h"

namespace zk::test {

namespace {

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetBounds(0, 0, 320, 300);
        List = Create<TListView>(Form.get());
        List->SetName("ListView1");
        List->SetParent(Form.get());
        List->SetBounds(0, 0, 300, 250);
        List->SetViewStyle(vsReport);
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    void Fill(std::initializer_list<const char*> Captions) {
        for (const char* C : Captions) List->GetItems()->Add()->SetCaption(C);
    }
    std::string Captions() const {
        std::string S;
        for (int I = 0; I < List->GetItems()->GetCount(); ++I)
            S += List->GetItems()->GetItem(I)->GetCaption() + ";";
        return S;
    }
    std::string ModelRow(int Row) const {
        std::string S;
        for (int C = 0; C < List->GetModel()->columnCount(); ++C)
            S += List->GetModel()->index(Row, C).data().toString().toStdString() + "|";
        return S;
    }
    // The centre of Item's row in the list view's client coordinates.
    QPoint PointOf(TListItem* Item) const {
        QAbstractItemView* V = List->GetItemView();
        const QPoint P = V->visualRect(List->GetModel()->index(Item->GetIndex(), 0)).center();
        return V->viewport()->mapTo(List->GetWidget(), P);
    }
    QWidget* Viewport() const { return List->GetItemView()->viewport(); }
    QPoint InViewport(QPoint P) const { return Viewport()->mapFrom(List->GetWidget(), P); }

    TOwned<TForm> Form;
    TListView* List = nullptr;
};

}  // namespace

TEST_F(ListViewTest, ItemsAndSubItemsShowInTheModelAndBadIndexesRaiseTheListIndexError) {
    List->GetColumns()->Add()->SetCaption("Name");
    List->GetColumns()->Add()->SetCaption("Size");
    Fill({"a", "c"});
    TListItem* B = List->GetItems()->Insert(1);
    B->SetCaption("b");
    B->GetSubItems()->Add("2 KB");
    B->GetSubItems()->Add("hidden: no column");
    EXPECT_EQ("a;b;c;", Captions());
    EXPECT_EQ("b|2 KB|", ModelRow(1));
    EXPECT_EQ(2, List->GetModel()->columnCount());
    EXPECT_EQ(QString("Size"), List->GetModel()->headerData(1, Qt::Horizontal).toString());
    List->GetColumns()->Add();
    EXPECT_EQ("b|2 KB|hidden: no column|", ModelRow(1));
    EXPECT_EQ(MessageOf<EListError>([&] { List->GetItems()->GetItem(3); }), "List index out of bounds (3)");
    EXPECT_EQ(MessageOf<EListError>([&] { List->GetItems()->Insert(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(MessageOf<EListError>([&] { B->GetSubItemImages(2); }), "List index out of bounds (2)");
    // Deleting a sub-item takes its image with it.
    B->SetSubItemImages(1, 7);
    B->GetSubItems()->Delete(0);
    EXPECT_EQ(7, B->GetSubItemImages(0));
    EXPECT_EQ("b|hidden: no column||", ModelRow(1));
    List->GetItems()->Delete(0);
    EXPECT_EQ("b;c;", Captions());
    EXPECT_EQ(0, B->GetIndex());

    auto* Other = Create<TListView>(Form.get());
    Other->GetItems()->Add()->SetCaption("gone");
    Other->GetItems()->Assign(List->GetItems());
    EXPECT_EQ("b", Other->GetItems()->GetItem(0)->GetCaption());
    EXPECT_EQ(7, Other->GetItems()->GetItem(0)->GetSubItemImages(0));
    EXPECT_EQ(2, Other->GetItems()->GetCount());
}

TEST_F(ListViewTest, SelectionEventsFireOncePerItemWhoseSelectionChanged) {
    Fill({"a", "b", "c"});
    List->SetMultiSelect(true);
    std::vector<std::string> Log;
    List->SetOnSelectItem(TLVSelectItemEvent([&](TObject*, TListItem* Item, bool Selected) {
        Log.push_back(Item->GetCaption() + (Selected ? "+" : "-"));
    }));
    int StateChanges = 0;
    List->SetOnChange(TLVChangeEvent([&](TObject*, TListItem*, TItemChange C) {
        if (C == ctState) ++StateChanges;
    }));
    TListItems* Items = List->GetItems();
    Items->GetItem(0)->SetSelected(true);
    Items->GetItem(0)->SetSelected(true);
    Items->GetItem(2)->SetSelected(true);
    EXPECT_EQ((std::vector<std::string>{"a+", "c+"}), Log);
    EXPECT_EQ(2, List->GetSelCount());
    Log.clear();
    Form->Show();
    ClickAt(Viewport(), InViewport(PointOf(Items->GetItem(1))));
    EXPECT_EQ((std::vector<std::string>{"a-", "c-", "b+"}), Log);
    EXPECT_EQ(5, StateChanges);
    Log.clear();
    SendMouseTo(Viewport(), QEvent::MouseButtonPress, InViewport(PointOf(Items->GetItem(2))),
                Qt::LeftButton, Qt::ControlModifier);
    SendMouseTo(Viewport(), QEvent::MouseButtonRelease, InViewport(PointOf(Items->GetItem(2))),
                Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(std::vector<std::string>{"c+"}, Log);
    EXPECT_EQ(Items->GetItem(1), List->GetSelected());
    // Deleting and clearing report no selection changes.
    Log.clear();
    Items->Clear();
    EXPECT_TRUE(Log.empty());
}

TEST_F(ListViewTest, DraggingSelectedItemsByMouseDropsThemWhereTheHandlerMovesThem) {
    Fill({"a", "b", "c", "d"});
    List->SetDragMode(dmAutomatic);
    std::vector<TDragState> States;
    List->SetOnDragOver(TDragOverEvent(
        [&](TObject*, TObject* Source, int, int, TDragState State, bool& Accept) {
            States.push_back(State);
            Accept = Source == List;
        }));
    List->SetOnDragDrop(TDragDropEvent([&](TObject*, TObject* Source, int X, int Y) {
        ASSERT_EQ(List, Source);
        TListItem* Target = List->GetItemAt(X, Y);
        ASSERT_NE(nullptr, Target);
        TListItem* Moved = List->GetSelected();
        TListItem* Copy = List->GetItems()->Insert(Target->GetIndex() + 1);
        Copy->Assign(Moved);
        Moved->Delete();
    }));
    Form->Show();
    TListItem* A = List->GetItems()->GetItem(0);
    const QPoint From = InViewport(PointOf(A));
    const QPoint To = InViewport(PointOf(List->GetItems()->GetItem(2)));
    SendMouseTo(Viewport(), QEvent::MouseButtonPress, From);
    SendMouseTo(Viewport(), QEvent::MouseMove, From + QPoint(0, 3));
    SendMouseTo(Viewport(), QEvent::MouseMove, To - QPoint(0, 1));
    SendMouseTo(Viewport(), QEvent::MouseMove, To);
    EXPECT_TRUE(List->GetDragging());
    // The drag selects nothing on its way.
    EXPECT_EQ(1, List->GetSelCount());
    SendMouseTo(Viewport(), QEvent::MouseButtonRelease, To);
    EXPECT_FALSE(List->GetDragging());
    EXPECT_EQ("b;c;a;d;", Captions());
    EXPECT_EQ((std::vector<TDragState>{dsDragEnter, dsDragMove, dsDragLeave}), States);

    // Dropped on no item, nothing moves; a refused drag drops nothing.
    States.clear();
    List->SetOnDragOver(TDragOverEvent(
        [&](TObject*, TObject*, int, int, TDragState, bool& Accept) { Accept = false; }));
    const QPoint B = InViewport(PointOf(List->GetItems()->GetItem(0)));
    SendMouseTo(Viewport(), QEvent::MouseButtonPress, B);
    SendMouseTo(Viewport(), QEvent::MouseMove, To);
    SendMouseTo(Viewport(), QEvent::MouseButtonRelease, To);
    EXPECT_EQ("b;c;a;d;", Captions());
}

TEST_F(ListViewTest, ItemsAndColumnsTravelThroughTheFormStreamWithOnlyNonDefaultValues) {
    TListColumn* Col = List->GetColumns()->Add();
    Col->SetCaption("Items");
    Col->SetAutoSize(true);
    Fill({"plain", "rich"});
    TListItem* Rich = List->GetItems()->GetItem(1);
    Rich->SetImageIndex(3);
    Rich->GetSubItems()->Add("x");
    Rich->GetSubItems()->Add("y");
    Rich->SetSubItemImages(1, 5);
    const std::string Text = FormTextOf(Form.get());
    EXPECT_NE(std::string::npos, Text.find("Items.Data = (")) << Text;
    EXPECT_NE(std::string::npos, Text.find("AutoSize = True")) << Text;
    EXPECT_EQ(std::string::npos, Text.find("StateIndex")) << Text;
    EXPECT_EQ(std::string::npos, Text.find("Width = 50")) << Text;
    EXPECT_EQ(1u, [&] {
        size_t N = 0;
        for (size_t P = Text.find("ImageIndex"); P != std::string::npos;
             P = Text.find("ImageIndex", P + 1))
            ++N;
        return N;
    }()) << Text;

    TOwned<TForm> Copy(Create<TForm>(nullptr));
    ReadFormText(Text, Copy.get());
    auto* Read = DynamicCast<TListView>(Copy->FindComponent("ListView1"));
    ASSERT_NE(nullptr, Read);
    ASSERT_EQ(2, Read->GetItems()->GetCount());
    TListItem* R = Read->GetItems()->GetItem(1);
    EXPECT_EQ("rich", R->GetCaption());
    EXPECT_EQ(3, R->GetImageIndex());
    EXPECT_EQ("x\r\ny\r\n", R->GetSubItems()->GetText());
    EXPECT_EQ(-1, R->GetSubItemImages(0));
    EXPECT_EQ(5, R->GetSubItemImages(1));
    EXPECT_EQ(QHeaderView::Stretch,
              static_cast<QTreeView*>(Read->GetItemView())->header()->sectionResizeMode(0));
    EXPECT_EQ(Text, FormTextOf(Copy.get()));
}

TEST_F(ListViewTest, IconViewShowsTheLargeImagesOtherViewsTheSmallOnesUntilTheListIsFreed) {
    auto MakeList = [&](int Size, QRgb Colour) {
        auto* L = Create<TImageList>(Form.get());
        L->SetWidth(Size);
        L->SetHeight(Size);
        QImage Image(Size, Size, QImage::Format_ARGB32);
        Image.fill(Colour);
        L->AddImage(Image);
        return L;
    };
    TImageList* Large = MakeList(32, qRgb(255, 0, 0));
    TImageList* Small = MakeList(16, qRgb(0, 0, 255));
    Fill({"a"});
    TListItem* A = List->GetItems()->GetItem(0);
    A->SetImageIndex(0);
    SetObjectProp(List, "LargeImages", Large);
    SetObjectProp(List, "SmallImages", Small);
    auto Shown = [&] {
        const QIcon Icon = List->GetModel()->item(0, 0)->icon();
        return Icon.isNull() ? QRgb(0) : Icon.pixmap(Icon.availableSizes().value(0)).toImage().pixel(1, 1);
    };
    EXPECT_EQ(qRgb(0, 0, 255), Shown());  // report view
    List->SetViewStyle(vsIcon);
    EXPECT_EQ(qRgb(255, 0, 0), Shown());
    EXPECT_EQ(QSize(32, 32), List->GetItemView()->iconSize());
    Large->Free();
    EXPECT_EQ(nullptr, List->GetLargeImages());
    EXPECT_EQ(QRgb(0), Shown());
}

TEST_F(ListViewTest, EscapeEndsADragWithoutDroppingAndTheMouseDoesNothingUntilReleased) {
    Fill({"a", "b", "c"});
    List->SetDragMode(dmAutomatic);
    std::vector<TDragState> States;
    int Drops = 0;
    List->SetOnDragOver(TDragOverEvent(
        [&](TObject*, TObject*, int, int, TDragState State, bool& Accept) {
            States.push_back(State);
            Accept = true;
        }));
    List->SetOnDragDrop(TDragDropEvent([&](TObject*, TObject*, int, int) { ++Drops; }));
    Form->Show();
    const QPoint From = InViewport(PointOf(List->GetItems()->GetItem(0)));
    const QPoint To = InViewport(PointOf(List->GetItems()->GetItem(2)));
    SendMouseTo(Viewport(), QEvent::MouseButtonPress, From);
    SendMouseTo(Viewport(), QEvent::MouseMove, To, Qt::LeftButton);
    ASSERT_TRUE(List->GetDragging());
    SendKeyTo(List->GetItemView(), Qt::Key_Escape);
    EXPECT_FALSE(List->GetDragging());
    EXPECT_EQ((std::vector<TDragState>{dsDragEnter, dsDragLeave}), States);
    // Moving on selects nothing and starts no new drag; the release drops nothing.
    SendMouseTo(Viewport(), QEvent::MouseMove, To + QPoint(0, 2), Qt::LeftButton);
    SendMouseTo(Viewport(), QEvent::MouseButtonRelease, To);
    EXPECT_FALSE(List->GetDragging());
    EXPECT_EQ(0, Drops);
    EXPECT_EQ(2u, States.size());
    EXPECT_EQ(List->GetItems()->GetItem(0), List->GetSelected());
    EXPECT_EQ(1, List->GetSelCount());
    EXPECT_EQ("a;b;c;", Captions());
}

TEST_F(ListViewTest, OnChangingCanRefuseCaptionsImagesAndTheUsersSelection) {
    Fill({"a", "b"});
    TListItem* A = List->GetItems()->GetItem(0);
    TListItem* B = List->GetItems()->GetItem(1);
    std::vector<std::string> Log;
    List->SetOnChanging(TLVChangingEvent([&](TObject*, TListItem* Item, TItemChange C, bool& Allow) {
        Log.push_back(Item->GetCaption() + (C == ctText ? " text" : C == ctImage ? " image" : " state"));
        Allow = Item != B;
    }));
    List->SetOnSelectItem(TLVSelectItemEvent([&](TObject*, TListItem* Item, bool Selected) {
        Log.push_back(Item->GetCaption() + (Selected ? " selected" : " unselected"));
    }));
    B->SetCaption("bee");
    B->SetImageIndex(2);
    A->SetCaption("ant");
    EXPECT_EQ("ant;b;", Captions());
    EXPECT_EQ(-1, B->GetImageIndex());
    Form->Show();
    ClickAt(Viewport(), InViewport(PointOf(A)));
    ClickAt(Viewport(), InViewport(PointOf(B)));
    EXPECT_FALSE(B->GetSelected());
    EXPECT_EQ(0, List->GetSelCount()) << "the refused row is not shown selected either";
    EXPECT_EQ((std::vector<std::string>{"b text", "b image", "a text", "ant state", "ant selected",
                                        "ant state", "ant unselected", "b state"}),
              Log);
}

TEST_F(ListViewTest, SortTypeKeepsItemsInOrderWithTheirSelection) {
    Fill({"pear", "apple", "fig"});
    List->GetItems()->GetItem(0)->SetSelected(true);
    List->SetSortType(stText);
    EXPECT_EQ("apple;fig;pear;", Captions());
    EXPECT_EQ("pear", List->GetSelected()->GetCaption());
    EXPECT_EQ("pear|", ModelRow(2));
    List->GetItems()->Add()->SetCaption("banana");
    List->GetItems()->GetItem(0)->SetCaption("quince");
    EXPECT_EQ("banana;fig;pear;quince;", Captions());
    // Inside a bracket the order waits for its end.
    List->GetItems()->BeginUpdate();
    List->GetItems()->Add()->SetCaption("cherry");
    EXPECT_EQ("banana;fig;pear;quince;cherry;", Captions());
    List->GetItems()->EndUpdate();
    EXPECT_EQ("banana;cherry;fig;pear;quince;", Captions());
    List->SetOnCompare(TLVCompareEvent([](TObject*, TListItem* A, TListItem* B, int, int& Compare) {
        Compare = -AnsiCompareText(A->GetCaption(), B->GetCaption());
    }));
    List->AlphaSort();
    EXPECT_EQ("quince;pear;fig;cherry;banana;", Captions());
    EXPECT_EQ("pear", List->GetSelected()->GetCaption());
}

TEST_F(ListViewTest, PublishedPropertiesReachTheViews) {
    Fill({"b", "a"});
    List->GetColumns()->Add();
    auto* Report = static_cast<QTreeView*>(List->GetItemView());
    CheckPublished(
        List,
        {{"MultiSelect", true,
          [&] {
              return Report->selectionMode() == QAbstractItemView::ExtendedSelection;
          }},
         {"ReadOnly", true,
          [&] { return Report->editTriggers() == QAbstractItemView::NoEditTriggers; }},
         {"RowSelect", true, [&] { return Report->allColumnsShowFocus(); }},
         {"ShowColumnHeaders", false, [&] { return Report->isHeaderHidden(); }},
         {"SortType", "stText",
          [&] { return List->GetModel()->item(0, 0)->text() == "a" && Captions() == "a;b;"; }},
         {"ColumnClick", false,
          [&] { return !Report->header()->sectionsClickable(); }},
         {"Checkboxes", true,
          [&] {
              return List->GetModel()->item(0, 0)->isCheckable() &&
                     !List->GetItems()->GetItem(0)->GetChecked();
          }},
         {"BorderStyle", "bsNone",
          [&] { return Report->frameShape() == QFrame::NoFrame; }},
         {"ViewStyle", "vsList", [&] {
              return List->GetItemView() != Report && !Report->isVisibleTo(List->GetWidget()) &&
                     List->GetItemView()->isVisibleTo(List->GetWidget());
          }}});
}

}  // namespace zk::test
