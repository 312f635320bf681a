// Regression tests of faults found by trying the item-list grid as a user would: each test is
// named after the fault it keeps away.
#include <QImage>
#include <QPixmap>
#include <chrono>
#include <random>

#include "ItemListTestUtil.h"
#include "itemlist/ZkHintWindow.h"
#include "itemlist/ZkInplaceEditList_p.h"
#include "platform/core/ModalResult.h"

namespace zk::test {

namespace {

class ItemListFaultTest : public ItemListTest {
protected:
    void SetUp() override {
        ItemListTest::SetUp();
        Grid->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        SetMessageBoxHandler(nullptr);
        ItemListTest::TearDown();
    }
    // Messages the application reports from now on.
    std::vector<std::string>& CatchMessages() {
        SetMessageBoxHandler([this](const std::string& Msg, int, int) {
            FMessages.push_back(Msg);
            return static_cast<int>(mrOk);
        });
        return FMessages;
    }
    TZkInplaceEditList* Editor() const { return Grid->GetInplaceEditList(); }
    // A copy of the grid read back from its stream, on the same form.
    TZkItemListEditor* RoundTrip() {
        TMemoryStream Stream;
        WriteComponentToStream(&Stream, Grid);
        Stream.SetPosition(0);
        auto* Copy = Create<TZkItemListEditor>(Form.get());
        Copy->SetParent(Form.get());
        ReadComponentFromStream(&Stream, Copy);
        return Copy;
    }

private:
    std::vector<std::string> FMessages;
};

std::string ValueOf(const TZkItemProp* Item) {
    return Item->GetValues()->GetTextStr();
}

}  // namespace

// ---- data faults ----

TEST_F(ItemListFaultTest, ANameGivenToABlankLineOfASortedGridMovesItWithoutMisplacingItsValue) {
    Grid->SetSorted(true);
    Build("B=b\nC=c");
    Grid->SetPropertyOptions(TILEPropOptions{propAdd});
    for (const char* Name : {"Zed", "Alpha"}) {
        SCOPED_TRACE(Name);
        Grid->SetRow(RowOf(Item("C")));
        Press(Qt::Key_Down);
        ASSERT_EQ(Names(Items()).back(), ',') << "a blank line at the end";
        Grid->AddItemLine(Name, "1", true);
        EXPECT_EQ(ValueOf(Item(Name)), "1\r\n");
        EXPECT_EQ(ValueOf(Item("B")), "b\r\n");
        EXPECT_EQ(ValueOf(Item("C")), "c\r\n");
        EXPECT_EQ(Grid->GetCurrentItem(), Item(Name)) << "the line follows the item";
        Item(Name)->Free();
    }
    // The same by typing into the blank line: name first, then the value.
    Grid->SetRow(RowOf(Item("C")));
    Press(Qt::Key_Down);
    Grid->SetCol(0);
    TypeOver("Alpha");
    Press(Qt::Key_Right);
    ASSERT_EQ(Grid->GetCurrentItem(), Item("Alpha"));
    ASSERT_EQ(Grid->GetCol(), 1);
    TypeOver("1");
    Press(Qt::Key_Return);
    EXPECT_EQ(Names(Items()), "Alpha,B,C");
    EXPECT_EQ(ValueOf(Item("Alpha")), "1\r\n");
    EXPECT_EQ(ValueOf(Item("B")), "b\r\n");
}

TEST_F(ItemListFaultTest, HidingLinesAboveTheEditedCellKeepsTheTypedTextWithItsItem) {
    const std::vector<std::pair<const char*, std::function<void()>>> Hiders = {
        {"collapse", [this] { Item("A")->Collapse(); }},
        {"hide", [this] { Item("A")->SetVisible(false); }},
        {"read-only",
         [this] {
             Grid->SetDisplayOptions(Grid->GetDisplayOptions() -
                                     TILEDisplayOptions{doShowReadOnly});
             Item("A")->SetReadOnly(true);
         }},
        {"add above", [this] { Items()->InsertItem(0)->SetName("New"); }},
        {"delete above", [this] { Item("B")->Free(); }},
    };
    std::vector<std::string> Validated;
    Grid->SetOnValidate(TZkOnValidateEvent([&](TObject*, TZkItemProp* I, int) {
        Validated.push_back(I->GetName() + "=" + I->GetValue());
    }));
    for (const auto& [What, Hide] : Hiders) {
        SCOPED_TRACE(What);
        Items()->Clear();
        Grid->SetDisplayOptions(Grid->GetDisplayOptions() + TILEDisplayOptions{doShowReadOnly});
        Build("A |e\n  A1=1\n  A2=2\nB=b\nC=c");
        EditAt("C");
        TypeOver("cee");
        Hide();
        Application->ProcessMessages();
        EXPECT_EQ(ValueOf(Item("C")), "cee\r\n");
        EXPECT_EQ(Grid->GetCurrentItem(), Item("C")) << "the edited item's line stays current";
        ASSERT_NE(Editor(), nullptr);
        EXPECT_EQ(Editor()->GetText(), "cee");
        EXPECT_TRUE(Editor()->GetModified()) << "the edit is still to be committed";
        for (int I = 0; I < Grid->GetAllItems().GetCount(); ++I)
            EXPECT_FALSE(Grid->GetAllItems()[I]->GetName().empty()) << "no stray item";
        Validated.clear();
        Press(Qt::Key_Return);
        EXPECT_EQ(Validated, std::vector<std::string>{"C=cee"});
    }
}

TEST_F(ItemListFaultTest, AMultiCategoryItemIsCopiedIntoEachOfItsCategories) {
    Grid->SetArrangeByCategory(true);
    for (bool Unique : {false, true}) {
        SCOPED_TRACE(Unique ? "propUnique" : "no propUnique");
        Items()->Clear();
        Grid->SetPropertyOptions(Unique ? TILEPropOptions{propUnique} : TILEPropOptions{});
        TZkItemProp* Obj = Items()->AddItem();
        Obj->SetName("Obj");
        TZkItemProps* Kids = Obj->GetItems();
        Kids->GetCategories()->Add("Color=Style");
        Kids->GetCategories()->Add("Color=Look");
        TZkItemProp* Color = Kids->AddItem();
        Color->SetName("Color");
        Color->GetValues()->SetTextStr("red");
        ASSERT_EQ(Color->GetParentItem()->GetName(), "Style") << "filed when named";
        Grid->CategorizeItem(Color, Kids->GetCategories(), true);
        EXPECT_EQ(Names(Kids), "Style,Look");
        EXPECT_EQ(Names(Kids->GetItem(0)->GetItems()), "Color");
        EXPECT_EQ(Names(Kids->GetItem(1)->GetItems()), "Color");
        EXPECT_EQ(ValueOf(Kids->GetItem(1)->GetItems()->GetItem(0)), "red\r\n");
    }
}

TEST_F(ItemListFaultTest, CategorizeItemsLeavesTheCollectionsOwnDefaultCategoryAlone) {
    Build("Obj\n  X\n  Y");
    TZkItemProps* Kids = Item("Obj")->GetItems();
    TZkItemProp* Misc = Kids->EnsureDefaultCategory();
    ASSERT_NE(Misc, nullptr);
    Grid->CategorizeItems(Kids, nullptr, false);
    EXPECT_EQ(Names(Kids), "Miscellaneous");
    EXPECT_EQ(Names(Misc->GetItems()), "X,Y");
}

TEST_F(ItemListFaultTest, StreamingAGridWithOneValueColumnKeepsEveryValueLine) {
    Build("A=x;y;z\nB=b");
    TZkItemListEditor* Copy = RoundTrip();
    EXPECT_EQ(ValueOf(Item("A")), "x\r\ny\r\nz\r\n") << "writing must not cut the grid's values";
    EXPECT_EQ(ValueOf(Copy->GetItems()->FindPath("A")), "x\r\ny\r\nz\r\n");
    EXPECT_EQ(Grid->GetCellText(1, RowOf(Item("B"))), "b");
}

TEST_F(ItemListFaultTest,
       CategoriesAndDefaultCategoryNameOfItemCollectionsSurviveAStreamRoundTrip) {
    Build("Obj\n  X\nLeaf");
    Items()->GetCategories()->SetTextStr("Obj=Objects\nLeaf=Leaves");
    Items()->SetDefaultCategoryName("Other");
    Item("Obj")->GetItems()->GetCategories()->Add("X=Inner");
    Item("Leaf")->GetItems()->SetDefaultCategoryName("Nothing");
    TZkItemListEditor* Copy = RoundTrip();
    TZkItemProps* Top = Copy->GetItems();
    EXPECT_EQ(Top->GetCategories()->GetTextStr(), "Obj=Objects\r\nLeaf=Leaves\r\n");
    EXPECT_EQ(Top->GetDefaultCategoryName(), "Other");
    EXPECT_EQ(Top->FindPath("Obj")->GetItems()->GetCategories()->GetTextStr(), "X=Inner\r\n");
    EXPECT_EQ(Top->FindPath("Leaf")->GetItems()->GetDefaultCategoryName(), "Nothing");
    EXPECT_EQ(Names(Copy->GetAllItems()), "Obj,X,Leaf") << "no category item was made on reading";
}

// ---- behaviour faults ----

TEST_F(ItemListFaultTest, TogglingColumnTitlesKeepsTheValueColumnCurrent) {
    Build("A=1\nB=2\nC=3");
    for (TZkGridOrientation O : {goVertical, goHorizontal}) {
        SCOPED_TRACE(O == goVertical ? "vertical" : "horizontal");
        Grid->SetOrientation(O);
        EditAt("B");
        for (int Round = 0; Round < 2; ++Round) {
            TILEDisplayOptions Options = Grid->GetDisplayOptions();
            if (Options.Contains(doColumnTitles))
                Options.Exclude(doColumnTitles);
            else
                Options.Include(doColumnTitles);
            Grid->SetDisplayOptions(Options);
            EXPECT_EQ(Grid->GetLogical(lwColumn), 1) << "the name column needs propEdit";
            EXPECT_EQ(Grid->GetCurrentItem(), Item("B"));
        }
        TypeOver("7");
        Press(O == goVertical ? Qt::Key_Down : Qt::Key_Right);
        EXPECT_EQ(Item("B")->GetName(), "B") << "typing went to the value";
        EXPECT_EQ(ValueOf(Item("B")), "7\r\n");
        EXPECT_EQ(Grid->GetCurrentItem(), Item("C")) << "moving on is allowed";
    }
}

TEST_F(ItemListFaultTest, APickListValueTheExpressionRejectsIsUndone) {
    std::vector<std::string>& Shown = CatchMessages();
    Build("P=two");
    Item("P")->GetPickList()->SetTextStr("one\ntwo\nthree");
    Item("P")->SetEditMask("^t.*$");
    Item("P")->SetExpressionMask(true);
    EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    Press(Qt::Key_Up);
    Press(Qt::Key_Return);
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].rfind("\"one\" is not a valid property value", 0), 0u) << Shown[0];
    EXPECT_EQ(Editor()->GetText(), "two");
    EXPECT_EQ(ValueOf(Item("P")), "two\r\n");
}

TEST_F(ItemListFaultTest, EscapeAfterEnterRestoresTheLastCommittedValue) {
    Build("Caption=Old");
    int Validations = 0;
    Grid->SetOnValidate(TZkOnValidateEvent([&](TObject*, TZkItemProp*, int) { ++Validations; }));
    EditAt("Caption");
    TypeOver("Save");
    Press(Qt::Key_Return);
    EXPECT_EQ(Validations, 1);
    TypeOver("XYZ");
    Press(Qt::Key_Escape);
    EXPECT_EQ(Editor()->GetText(), "Save");
    EXPECT_EQ(ValueOf(Item("Caption")), "Save\r\n");
    EXPECT_FALSE(Editor()->GetModified());
    Press(Qt::Key_Return);
    EXPECT_EQ(Validations, 1) << "nothing left to commit";
}

TEST_F(ItemListFaultTest, TheDropDownListStaysFullWhenTheValueIsNearItsEnd) {
    Build("One=a\nP=v16");
    Item("One")->GetPickList()->SetTextStr("a");
    std::string Values;
    for (int I = 0; I < 20; ++I) Values += "v" + std::to_string(I) + "\n";
    Item("P")->GetPickList()->SetTextStr(Values);
    // A list of one entry first leaves the pop-up one row high.
    EditAt("One");
    Press(Qt::Key_Down, Qt::AltModifier);
    Press(Qt::Key_Escape);
    EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    TPopupListbox* List = Editor()->GetPickList();
    ASSERT_TRUE(Editor()->GetListVisible());
    EXPECT_EQ(List->GetItemIndex(), 16);
    EXPECT_LE(List->GetTopIndex(), 12) << "8 rows from the top entry fill the list";
    EXPECT_GT(List->GetTopIndex() + 8, 16) << "the value is in view";
    Press(Qt::Key_Escape);
}

TEST_F(ItemListFaultTest, TheSelectionSurvivesARejectedKeyAndCoversAPickedValue) {
    Build("N=25\nP=one\nE=x");
    Item("N")->SetEditMask("^[0-9]*$");
    Item("N")->SetExpressionMask(true);
    EditAt("N");
    Editor()->SelectAll();
    PressChar('x');
    EXPECT_EQ(Editor()->GetText(), "25");
    EXPECT_EQ(Editor()->GetSelLength(), 2) << "the rejected key leaves the selection";
    PressChar('4');
    PressChar('0');
    EXPECT_EQ(Editor()->GetText(), "40");

    Item("P")->GetPickList()->SetTextStr("one\ntwo\nthree");
    EditAt("P");
    Press(Qt::Key_Down, Qt::AltModifier);
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    EXPECT_EQ(Editor()->GetText(), "two");
    PressChar('z');
    EXPECT_EQ(Editor()->GetText(), "z") << "the picked value was selected";

    Item("E")->SetEditStyle(esEllipsis);
    Item("E")->SetOnEditButtonClick(TNotifyEvent(
        [](TObject* Sender) { static_cast<TZkItemProp*>(Sender)->SetValue("chosen"); }));
    EditAt("E");
    Editor()->SetSelStart(1);
    Editor()->SetSelLength(0);
    Grid->DoEditButtonClick();
    Application->ProcessMessages();
    EXPECT_EQ(Editor()->GetText(), "chosen");
    PressChar('w');
    EXPECT_EQ(Editor()->GetText(), "w") << "the dialog's value was selected";
}

TEST_F(ItemListFaultTest, TheGridsOnValidateReportsTheColumnThatWasEdited) {
    Build("A=1;2");
    Grid->SetDisplayOptions(Grid->GetDisplayOptions() + TILEDisplayOptions{doMultiColValues});
    Grid->SetLogical(lwColCount, 3);
    std::vector<int> Columns;
    Grid->SetOnValidate(
        TZkOnValidateEvent([&](TObject*, TZkItemProp*, int ACol) { Columns.push_back(ACol); }));
    EditAt("A", 2);
    TypeOver("9");
    Press(Qt::Key_Return);
    EditAt("A", 1);
    TypeOver("8");
    Press(Qt::Key_Return);
    EXPECT_EQ(Columns, (std::vector<int>{2, 1}));
}

TEST_F(ItemListFaultTest, DraggingAColumnBorderLeavesNoTrailsInTheEditor) {
    Build("A=some value\nB=2");
    EditAt("A");
    const int Border = Grid->GetColWidths(0);
    const int Y = Grid->CellRect(1, RowOf(Item("B"))).Top + 5;
    const TRect Cell = Grid->CellRect(1, RowOf(Item("B")));
    // Full-height dark pixel columns in the value cell of B, as the form shows it.
    auto DarkColumns = [&] {
        const TPoint At = Grid->ClientToScreen({Cell.Left, Cell.Top});
        const QPoint Local = Form->GetWidget()->mapFromGlobal(QPoint(At.X, At.Y));
        const QImage Shot =
            Form->GetWidget()->grab(QRect(Local, QSize(Cell.Width(), Cell.Height()))).toImage();
        std::vector<int> Columns;
        for (int X = 0; X < Shot.width(); ++X) {
            int Dark = 0;
            for (int Yp = 0; Yp < Shot.height(); ++Yp)
                if (qGray(Shot.pixel(X, Yp)) < 60) ++Dark;
            if (Dark >= Shot.height() - 1) Columns.push_back(X);
        }
        return Columns;
    };
    SendMouse(W(), QEvent::MouseButtonPress, ToWidget(Border, Y), Qt::LeftButton);
    ASSERT_EQ(Grid->GetGridState(), gsColSizing);
    for (int X = Border + 3; X <= Border + 60; X += 3)
        SendMouse(W(), QEvent::MouseMove, ToWidget(X, Y), Qt::LeftButton);
    Application->ProcessMessages();
    const std::vector<int> During = DarkColumns();
    EXPECT_LE(During.size(), 2u) << "only the border being dragged, no trail of it";
    SendMouse(W(), QEvent::MouseButtonRelease, ToWidget(Border + 60, Y), Qt::NoButton);
    Application->ProcessMessages();
    EXPECT_GT(Grid->GetColWidths(0), Border) << "the border moved";
    TZkInplaceEditList* Edit = Editor();
    ASSERT_TRUE(Edit && Edit->GetVisible()) << "the editor shows again";
    EXPECT_EQ(Edit->GetLeft(), Grid->CellRect(Grid->GetCol(), Grid->GetRow()).Left);
    EXPECT_TRUE(DarkColumns().empty());
}

TEST_F(ItemListFaultTest, TheHintWindowNeverTakesTheMouseAndGoesOnKeysDropDownsAndChanges) {
    Build("LongNameThatDoesNotFitItsCellAtAllReally=1\nP=one");
    Item("P")->GetPickList()->SetTextStr("one\ntwo");
    TZkHintWindow* Hint = Grid->GetHintWindow();
    QWidget* HW = Hint->GetWidget();
    EXPECT_TRUE(HW->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(HW->windowFlags().testFlag(Qt::WindowTransparentForInput));
    int Nudge = 0;  // the hint follows moves: each hover is at a new point
    auto HoverName = [&](const char* Name) {
        const TRect Cell = Grid->CellRect(0, RowOf(Item(Name)));
        SendMouse(W(), QEvent::MouseMove, ToWidget(Cell.Left + 30 + Nudge++, Cell.Top + 5),
                  Qt::NoButton);
        Application->ProcessMessages();
    };
    auto HoverValue = [&](const char* Name) {
        const TRect Cell = Grid->CellRect(1, RowOf(Item(Name)));
        SendMouse(W(), QEvent::MouseMove, ToWidget(Cell.Left + 5, Cell.Top + 5), Qt::NoButton);
        Application->ProcessMessages();
    };
    const char* Long = "LongNameThatDoesNotFitItsCellAtAllReally";
    Item(Long)->SetHint("h");
    HoverName(Long);
    ASSERT_TRUE(HW->isVisible());
    EditAt("P");
    HoverValue(Long);
    ASSERT_TRUE(HW->isVisible());
    PressChar('x');
    EXPECT_FALSE(HW->isVisible()) << "a key press hides the hint";
    HoverName(Long);
    ASSERT_TRUE(HW->isVisible());
    Press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(HW->isVisible()) << "a drop-down hides the hint";
    Press(Qt::Key_Escape);
    HoverName(Long);
    ASSERT_TRUE(HW->isVisible());
    Item("P")->SetValue("two");
    EXPECT_FALSE(HW->isVisible()) << "a value change hides the hint";
}

TEST_F(ItemListFaultTest, SortingALevelIsLinearithmicAndSurvivesAnInconsistentComparer) {
    auto Fill = [this](int N) {
        Items()->Clear();
        Items()->BeginUpdate();
        for (int I = N; I > 0; --I) Items()->AddItem()->SetName("Item" + std::to_string(I));
        Items()->EndUpdate();
    };
    auto BestSortTime = [&](int N) {
        double Best = 1e9;
        for (int Run = 0; Run < 3; ++Run) {
            Fill(N);
            const auto T0 = std::chrono::steady_clock::now();
            Items()->Sort(true);
            Best = std::min(
                Best, std::chrono::duration<double>(std::chrono::steady_clock::now() - T0).count());
        }
        return Best;
    };
    const double Small = BestSortTime(2000);
    const double Big = BestSortTime(16000);
    EXPECT_LT(Big, 20 * Small) << "8x the items may take about 9x the time, not 64x";
    EXPECT_EQ(Items()->GetItem(0)->GetName(), "Item1");
    EXPECT_EQ(Items()->GetItem(1)->GetName(), "Item10");

    std::mt19937 Random(7);
    Fill(500);
    EXPECT_NO_THROW(Items()->CustomSort(
        [&Random](TZkItemProp*, TZkItemProp*) { return static_cast<int>(Random() % 3) - 1; },
        true));
    ASSERT_EQ(Items()->GetCount(), 500);
    std::vector<bool> Seen(501, false);
    for (int I = 0; I < 500; ++I) {
        const int N = std::stoi(Items()->GetItem(I)->GetName().substr(4));
        EXPECT_FALSE(Seen[static_cast<size_t>(N)]);
        Seen[static_cast<size_t>(N)] = true;
        EXPECT_EQ(Items()->GetItem(I)->GetIndex(), I);
    }
    EXPECT_EQ(Grid->GetShownItems().GetCount(), 500) << "the line index follows the new order";
    EXPECT_EQ(Grid->GetShownItems()[0], Items()->GetItem(0));
}

}  // namespace zk::test
