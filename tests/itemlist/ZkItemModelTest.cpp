// The item tree: derived values, full names, descendant counts, the shown rule, pick lists,
// path and name look-ups, uniqueness, sorting, copying, fonts that follow the parent, value
// lists fitted to the grid, validation and the name=value strings view.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "ItemListTestUtil.h"
#include "itemlist/ZkDeltaFont.h"
#include "platform/core/Colors.h"
#include "platform/core/StringList.h"
#include "platform/core/TestUtil.h"

namespace zk::test {

namespace {

class ItemModelTest : public ItemListTest {
protected:
    void UseValueColumns(int ValueColumns) {
        Grid->SetDisplayOptions(Grid->GetDisplayOptions() + TILEDisplayOptions{doMultiColValues});
        Grid->SetGridColCount(ValueColumns + 1);
    }
};

// A tree that hangs in no grid.
TOwned<TZkItemProps> FreeTree(const std::string& Outline) {
    TOwned<TZkItemProps> Tree(Create<TZkItemProps>(nullptr, TZkItemProp::StaticClass()));
    BuildTree(Tree.get(), Outline);
    return Tree;
}

}  // namespace

// ---- derived values ----

TEST_F(ItemModelTest, ExpandedNeedsTheFlagAndChildrenAndTurnsOnWithTheFirstChild) {
    Build("A\nB\n  B1");
    TZkItemProp* A = Item("A");
    A->SetExpanded(true);
    EXPECT_FALSE(A->GetExpanded()) << "flag set, but no children";
    EXPECT_FALSE(Item("B")->GetExpanded()) << "children, but no flag";
    EXPECT_EQ(Shown(), "A,B");
    TZkItemProp* A1 = A->GetItems()->AddItem();
    A1->SetName("A1");
    EXPECT_TRUE(A->GetExpanded());
    EXPECT_EQ(Shown(), "A,A1,B");
    EXPECT_EQ(Grid->GetRowCount(), 4);
    A1->Free();
    EXPECT_FALSE(A->GetExpanded()) << "the last child left";
    EXPECT_EQ(Shown(), "A,B");
}

TEST_F(ItemModelTest, ADisabledItemReadsReadOnlyWhateverItsFlag) {
    Build("A\nB");
    TZkItemProp* A = Item("A");
    TZkItemProp* B = Item("B");
    A->SetEnabled(false);
    EXPECT_TRUE(A->GetReadOnly());
    A->SetReadOnly(false);
    EXPECT_TRUE(A->GetReadOnly()) << "clearing the flag does not enable the item";
    A->SetEnabled(true);
    EXPECT_FALSE(A->GetReadOnly());
    B->SetReadOnly(true);
    B->SetEnabled(false);
    B->SetEnabled(true);
    EXPECT_TRUE(B->GetReadOnly()) << "enabling keeps the stored flag";
}

TEST_F(ItemModelTest, ValueReadsAndWritesTheCurrentColumnOfTheCurrentItem) {
    UseValueColumns(2);
    Build("A=a1;a2\nB=b1;b2");
    TZkItemProp* A = Item("A");
    TZkItemProp* B = Item("B");
    Grid->SelectItem(A);
    ASSERT_EQ(Grid->GetCurrentItem(), A);
    Grid->SetCol(2);
    EXPECT_EQ(A->GetValue(), "a2");
    EXPECT_EQ(B->GetValue(), "b1\r\nb2") << "not the current item: the whole value text";
    Grid->SetCol(1);
    EXPECT_EQ(A->GetValue(), "a1");
    A->SetValue("x");
    EXPECT_EQ(A->GetValues()->Get(0), "x");
    EXPECT_EQ(A->GetValues()->Get(1), "a2");
    B->SetValue("whole");
    EXPECT_EQ(B->GetValue(), "whole") << "not the current item: the whole text is replaced";
    EXPECT_EQ(B->GetValues()->Get(0), "whole");
    EXPECT_EQ(B->GetValues()->Get(1), "");
}

TEST_F(ItemModelTest, DisplayNameIsNameEqualsTheTrimmedValueText) {
    Build("A\nB");
    Item("A")->GetValues()->SetTextStr("x  \n");
    EXPECT_EQ(Item("A")->GetDisplayName(), "A=x");
    EXPECT_EQ(Item("B")->GetDisplayName(), "B=");
}

TEST_F(ItemModelTest, AValueOfWhiteSpaceIsEmpty) {
    Build("A\nB=x");
    Item("A")->GetValues()->SetTextStr("  \n \t");
    EXPECT_TRUE(Item("A")->IsValueEmpty());
    EXPECT_FALSE(Item("B")->IsValueEmpty());
}

TEST_F(ItemModelTest, FullNamesJoinTheAncestorsWithTheGridsPathDelimiter) {
    Build("A\n  B\n    C");
    TZkItemProp* C = Item("A.B.C");
    EXPECT_EQ(C->GetFullName(), "A.B.C");
    EXPECT_EQ(C->GetLevel(), 2);
    EXPECT_EQ(C->GetParentItem(), Item("A.B"));
    EXPECT_EQ(C->GetGrid(), Grid);
    EXPECT_EQ(Item("A")->GetParentItem(), nullptr);
    Grid->SetPathDelimiter("/");
    EXPECT_EQ(C->GetFullName(), "A/B/C");
    EXPECT_EQ(Items()->FindPath("A/B/C"), C);
    EXPECT_EQ(Items()->FindPath("A.B.C"), nullptr);
    EXPECT_EQ(Item("A")->GetFullName(), "A");
}

TEST_F(ItemModelTest, WithoutAGridPathsUseADotAndNamesIgnoreCase) {
    TOwned<TZkItemProps> Tree = FreeTree("A\n  B");
    TZkItemProp* B = Tree->FindPath("a.b");
    ASSERT_NE(B, nullptr);
    EXPECT_EQ(B->GetFullName(), "A.B");
    EXPECT_EQ(B->GetGrid(), nullptr);
    EXPECT_TRUE(Tree->CheckUniqueName("A", true)) << "no grid, no uniqueness rule";
    EXPECT_FALSE(B->IsShowing()) << "A is collapsed";
    Tree->GetItem(0)->SetExpanded(true);
    EXPECT_TRUE(B->IsShowing());
    B->SetReadOnly(true);
    EXPECT_TRUE(B->IsShowing()) << "no grid: read-only items are shown";
}

TEST_F(ItemModelTest, DescendantCountFollowsAddsDeletesAndMovesBetweenCollections) {
    Build("A\n  B\n    D\n    F\n  C\nE");
    TZkItemProp* A = Item("A");
    TZkItemProp* C = Item("A.C");
    TZkItemProp* E = Item("E");
    EXPECT_EQ(A->GetDescendantCount(), 4);
    EXPECT_EQ(Item("A.B")->GetDescendantCount(), 2);
    TZkItemProp* G = Item("A.B.D")->GetItems()->AddItem();
    G->SetName("G");
    EXPECT_EQ(A->GetDescendantCount(), 5);
    EXPECT_EQ(Item("A.B")->GetDescendantCount(), 3);
    Item("A.B")->Free();
    EXPECT_EQ(A->GetDescendantCount(), 1) << "the whole subtree left";
    C->SetCollection(E->GetItems());
    EXPECT_EQ(A->GetDescendantCount(), 0);
    EXPECT_EQ(E->GetDescendantCount(), 1);
    EXPECT_EQ(All(), "A,E,C");
    C->SetCollection(Items());
    EXPECT_EQ(E->GetDescendantCount(), 0);
    EXPECT_EQ(All(), "A,E,C");
    E->GetItems()->InsertItem(0)->SetName("E0");
    Items()->Delete(E->GetIndex());
    EXPECT_EQ(All(), "A,C");
}

// ---- the shown rule ----

TEST_F(ItemModelTest, ReadOnlyItemsAreShownOnlyWithDoShowReadOnlyButCategoriesAlways) {
    Build("A |r\nCat |cr\nB |d\nC");
    EXPECT_EQ(Shown(), "A,Cat,B,C");
    Grid->SetDisplayOptions(Grid->GetDisplayOptions() - TILEDisplayOptions{doShowReadOnly});
    EXPECT_EQ(Shown(), "Cat,C");
    EXPECT_FALSE(Item("A")->IsShowing());
    EXPECT_TRUE(Item("Cat")->IsShowing());
    EXPECT_TRUE(Item("Cat")->GetReadOnly());
    EXPECT_EQ(Grid->GetRowCount(), 3);
    Item("A")->SetReadOnly(false);
    EXPECT_EQ(Shown(), "A,Cat,C");
    Item("C")->SetReadOnly(true);
    EXPECT_EQ(Shown(), "A,Cat");
    Item("B")->SetEnabled(true);
    EXPECT_EQ(Shown(), "A,Cat,B");
    EXPECT_EQ(Grid->GetRowCount(), 4);
}

TEST_F(ItemModelTest, HiddenItemsTakeTheirSubtreeWithThem) {
    Build("A |e\n  B |e\n    C\nD");
    EXPECT_EQ(Shown(), "A,B,C,D");
    Item("A.B")->SetVisible(false);
    EXPECT_EQ(Shown(), "A,D");
    EXPECT_FALSE(Item("A.B.C")->IsShowing());
    EXPECT_EQ(All(), "A,B,C,D") << "hidden items stay in the tree";
    Item("A.B")->SetVisible(true);
    EXPECT_EQ(Shown(), "A,B,C,D");
}

// ---- pick lists ----

TEST_F(ItemModelTest, APickListSwitchesSimpleAndPickListButLeavesEllipsis) {
    Build("A\nB");
    TZkItemProp* A = Item("A");
    TZkItemProp* B = Item("B");
    A->GetPickList()->Add("one");
    EXPECT_EQ(A->GetEditStyle(), esPickList);
    A->GetPickList()->Clear();
    EXPECT_EQ(A->GetEditStyle(), esSimple);
    TOwned<TStringList> List(Create<TStringList>());
    List->Add("p");
    A->SetPickList(List.get());
    EXPECT_EQ(A->GetEditStyle(), esPickList);
    EXPECT_NE(A->GetPickList(), List.get()) << "the setter copies";
    EXPECT_EQ(A->GetPickList()->GetTextStr(), "p\r\n");
    B->SetEditStyle(esEllipsis);
    B->GetPickList()->Add("x");
    EXPECT_EQ(B->GetEditStyle(), esEllipsis);
    B->GetPickList()->Clear();
    EXPECT_EQ(B->GetEditStyle(), esEllipsis);
}

// ---- look-ups ----

TEST_F(ItemModelTest, AddPathReusesExistingItemsUnlessTheLeafIsAlwaysAdded) {
    TZkItemProp* C1 = Items()->AddPath("A.B.C", "v", false);
    ASSERT_NE(C1, nullptr);
    EXPECT_EQ(All(), "A,B,C");
    EXPECT_EQ(C1->GetValues()->GetTextStr(), "v\r\n");
    EXPECT_EQ(Items()->AddPath("A.B.C", "w", false), C1);
    EXPECT_EQ(C1->GetValues()->GetTextStr(), "w\r\n");
    EXPECT_EQ(All(), "A,B,C");
    TZkItemProp* C2 = Items()->AddPath("a.b.C", "u", true);
    EXPECT_NE(C2, C1);
    EXPECT_EQ(C2->GetParentItem(), Item("A.B")) << "only the leaf is added again";
    EXPECT_EQ(All(), "A,B,C,C");
    Items()->AddPath("A.X", "", true);
    EXPECT_EQ(All(), "A,B,C,C,X");
    EXPECT_EQ(Items()->FindPath("a.B"), Item("A.B"));
    EXPECT_EQ(Items()->FindPath("A.B.C"), C1) << "the first of two";
    EXPECT_EQ(Items()->FindPath("A.Q"), nullptr);
    EXPECT_EQ(Items()->FindPath("Q"), nullptr);
    EXPECT_EQ(Items()->FindPath("A.B.C.D"), nullptr);
}

TEST_F(ItemModelTest, FindItemTakesAnIndexOrANameAndCreatesOnlyByIndex) {
    EXPECT_EQ(Items()->FindItem(TVariant(0), true), nullptr) << "an empty collection";
    EXPECT_EQ(Items()->FindItem(TVariant("A"), true), nullptr) << "an empty collection";
    EXPECT_EQ(Items()->GetCount(), 0);
    Build("A\nB\nC");
    EXPECT_EQ(Items()->FindItem(TVariant(1), false), Item("B"));
    EXPECT_EQ(Items()->FindItem(TVariant(3), false), nullptr);
    EXPECT_EQ(Items()->FindItem(TVariant(-1), false), nullptr);
    EXPECT_EQ(Items()->FindItem(TVariant("b"), false), Item("B"));
    EXPECT_EQ(Items()->FindItem(TVariant("Z"), false), nullptr);
    EXPECT_EQ(MessageOf([&] { Items()->FindItem(TVariant("Z"), true); }), "Property not found: Z");
    EXPECT_EQ(Items()->GetCount(), 3);
    EXPECT_EQ(Items()->FindItem(TVariant(1), true), Item("B")) << "an existing item";
    TZkItemProp* New = Items()->FindItem(TVariant(3), true);
    ASSERT_NE(New, nullptr);
    EXPECT_EQ(New->GetIndex(), 3);
    EXPECT_EQ(Items()->GetCount(), 4);
}

struct FindCase {
    const char* Name;
    bool Found;
    int Index;
};

class ItemFindTest : public ItemListTest, public ::testing::WithParamInterface<FindCase> {};

TEST_P(ItemFindTest, FindGivesTheFirstPlaceNotBelowTheName) {
    Build("b\nd\nd\nf");
    int Index = -1;
    EXPECT_EQ(Items()->Find(GetParam().Name, Index), GetParam().Found);
    EXPECT_EQ(Index, GetParam().Index);
}

INSTANTIATE_TEST_SUITE_P(Names, ItemFindTest,
                         ::testing::Values(FindCase{"a", false, 0}, FindCase{"b", true, 0},
                                           FindCase{"c", false, 1}, FindCase{"d", true, 1},
                                           FindCase{"D", true, 1}, FindCase{"e", false, 3},
                                           FindCase{"f", true, 3}, FindCase{"g", false, 4}));

TEST_F(ItemModelTest, FindOnAnEmptyCollectionGivesIndexZero) {
    int Index = -1;
    EXPECT_FALSE(Items()->Find("x", Index));
    EXPECT_EQ(Index, 0);
}

// ---- unique names ----

TEST_F(ItemModelTest, NamesMustBeUniqueOnlyUnderPropUniqueAndAFailedRenameKeepsTheName) {
    Build("A\n  Kid\nB");
    EXPECT_TRUE(Items()->CheckUniqueName("a", true)) << "propUnique is off";
    Grid->SetPropertyOptions(TILEPropOptions{propUnique});
    EXPECT_FALSE(Items()->CheckUniqueName("a", false));
    EXPECT_TRUE(Items()->CheckUniqueName("", true));
    EXPECT_TRUE(Items()->CheckUniqueName("C", true));
    EXPECT_EQ(MessageOf([&] { Items()->CheckUniqueName("a", true); }),
              "Property name is not unique: a");
    TZkItemProp* B = Item("B");
    EXPECT_EQ(MessageOf([&] { B->SetName("a"); }), "Property name is not unique: a");
    EXPECT_EQ(B->GetName(), "B");
    TZkItemProp* A = Item("A");
    A->SetName("a");
    EXPECT_EQ(A->GetName(), "a") << "its own name in another case is no clash";
    Item("a.Kid")->SetName("B");
    EXPECT_EQ(Item("a.B")->GetName(), "B") << "names are unique per collection";
}

// ---- sorting ----

TEST_F(ItemModelTest, ASortedGridSortsEveryLevelAndKeepsRenamedItemsInPlace) {
    Build("c\n  z\n  x\n    q\n    p\n  y\na\nb");
    Grid->SetSorted(true);
    EXPECT_TRUE(Grid->GetSorted());
    EXPECT_TRUE(Items()->GetSorted());
    EXPECT_TRUE(Item("c")->GetItems()->GetSorted());
    EXPECT_EQ(Names(Items()), "a,b,c");
    EXPECT_EQ(Names(Item("c")->GetItems()), "x,y,z");
    EXPECT_EQ(Names(Item("c.x")->GetItems()), "p,q");
    EXPECT_EQ(All(), "a,b,c,x,p,q,y,z");
    Item("a")->SetName("d");
    EXPECT_EQ(Names(Items()), "b,c,d");
    EXPECT_EQ(All(), "b,c,x,p,q,y,z,d");
    Item("c.z")->SetName("w");
    EXPECT_EQ(Names(Item("c")->GetItems()), "w,x,y");
    TZkItemProp* New = Items()->AddItem();
    New->SetName("bb");
    EXPECT_EQ(Names(Items()), "b,bb,c,d");
    EXPECT_TRUE(New->GetItems()->GetSorted()) << "a new item's children are sorted too";
    Grid->SetSorted(false);
    EXPECT_FALSE(Item("c")->GetItems()->GetSorted());
    Item("b")->SetName("z");
    EXPECT_EQ(Names(Items()), "z,bb,c,d") << "unsorted: a rename stays in place";
}

TEST_F(ItemModelTest, CaseSensitiveNamesAffectLookUps) {
    Build("alpha\n  beta");
    EXPECT_EQ(Items()->IndexOfName("ALPHA"), 0);
    EXPECT_EQ(Grid->CompareNames("a", "A"), 0);
    Grid->SetCaseSensitive(true);
    EXPECT_NE(Grid->CompareNames("a", "A"), 0);
    EXPECT_EQ(Items()->IndexOfName("ALPHA"), -1);
    EXPECT_EQ(Items()->IndexOfName("alpha"), 0);
    EXPECT_EQ(Items()->FindPath("alpha.BETA"), nullptr);
    EXPECT_NE(Items()->FindPath("alpha.beta"), nullptr);
    EXPECT_LT(Items()->CompareNames("a", "b"), 0);
}

// ---- copying ----

TEST_F(ItemModelTest, AssignCopiesTheTreeDeepButNotTheEvents) {
    Build("Src=v1 |e\n  Kid=k\n    Grand=g\nDst");
    TZkItemProp* Src = Item("Src");
    TZkItemProp* Dst = Item("Dst");
    Src->SetHint("h");
    Src->SetEditStyle(esEllipsis);
    Src->SetEditMask("a.*");
    Src->SetExpressionMask(true);
    Src->SetTag(7);
    Src->SetData(9);
    Src->GetPickList()->Add("p");
    Src->SetEnabled(false);
    Src->SetOnValidate(TZkOnValidateEvent([](TObject*, TZkItemProp*, int) {}));
    Src->SetOnEditButtonClick(TNotifyEvent([](TObject*) {}));
    Dst->Assign(Src);
    EXPECT_EQ(Dst->GetName(), "Src");
    EXPECT_EQ(Dst->GetHint(), "h");
    EXPECT_EQ(Dst->GetEditStyle(), esEllipsis);
    EXPECT_EQ(Dst->GetEditMask(), "a.*");
    EXPECT_TRUE(Dst->GetExpressionMask());
    EXPECT_EQ(Dst->GetTag(), 7);
    EXPECT_EQ(Dst->GetData(), 9);
    EXPECT_EQ(Dst->GetPickList()->GetTextStr(), "p\r\n");
    EXPECT_EQ(Dst->GetValues()->GetTextStr(), "v1\r\n");
    EXPECT_TRUE(Dst->GetExpanded());
    EXPECT_TRUE(Dst->GetEnabled()) << "Enabled is not copied";
    EXPECT_TRUE(Dst->GetReadOnly()) << "the source's effective ReadOnly becomes the flag";
    EXPECT_FALSE(Dst->GetOnValidate().Assigned());
    EXPECT_FALSE(Dst->GetOnEditButtonClick().Assigned());
    ASSERT_EQ(Dst->GetItems()->GetCount(), 1);
    TZkItemProp* Kid = Dst->GetItems()->GetItem(0);
    EXPECT_NE(Kid, Item("Src.Kid"));
    EXPECT_EQ(Kid->GetValues()->GetTextStr(), "k\r\n");
    EXPECT_EQ(Kid->GetParentItem(), Dst);
    EXPECT_EQ(All(), "Src,Kid,Grand,Src,Kid,Grand");
    EXPECT_EQ(Dst->GetDescendantCount(), 2);
    Item("Src.Kid")->SetName("Other");
    EXPECT_EQ(Kid->GetName(), "Kid") << "a deep copy";
    Dst->AssignEvents(Src);
    EXPECT_TRUE(Dst->GetOnValidate().Assigned());
    EXPECT_TRUE(Dst->GetOnEditButtonClick().Assigned());
}

TEST_F(ItemModelTest, AssigningACollectionReplacesTheGridsTreeWithItsSortedState) {
    Build("Old");
    TOwned<TZkItemProps> Tree = FreeTree("b\n  y\n  x\na");
    Tree->SetSorted(true);
    ASSERT_EQ(Names(Tree.get()), "a,b");
    Grid->SetItems(Tree.get());
    EXPECT_EQ(All(), "a,b,x,y");
    EXPECT_TRUE(Grid->GetSorted());
    EXPECT_EQ(Item("b.x")->GetGrid(), Grid);
    EXPECT_EQ(Grid->GetRowCount(), 3);
    Item("a")->SetName("c");
    EXPECT_EQ(Names(Items()), "b,c") << "the copy is sorted as well";
}

TEST_F(ItemModelTest, TheDefaultCategoryFlagGoesWithTheCategoryFlag) {
    Build("Misc\nOther");
    TZkItemProp* Misc = Item("Misc");
    Misc->SetDefaultCategory(true);
    EXPECT_TRUE(Misc->GetCategory());
    Misc->SetCategory(false);
    EXPECT_FALSE(Misc->GetDefaultCategory());
    Misc->SetDefaultCategory(true);
    Misc->Free();
    EXPECT_EQ(Items()->GetDefaultCategoryItem(), nullptr)
        << "a freed default category is forgotten";
}

// ---- fonts ----

TEST_F(ItemModelTest, AFontChangeTravelsDownToChildrenThatStillFollow) {
    Build("A\n  B\n    C");
    TZkItemProp* A = Item("A");
    TZkItemProp* B = Item("A.B");
    TZkItemProp* C = Item("A.B.C");
    EXPECT_EQ(A->GetFont()->GetColor(), Grid->GetFont()->GetColor()) << "taken at creation";
    A->GetFont()->SetColor(clRed);
    EXPECT_FALSE(A->GetParentFont());
    EXPECT_EQ(B->GetFont()->GetColor(), clRed);
    EXPECT_EQ(C->GetFont()->GetColor(), clRed);
    EXPECT_TRUE(B->GetParentFont()) << "following does not count as an own font";
    EXPECT_TRUE(C->GetParentFont());
    B->GetFont()->SetSize(20);
    EXPECT_FALSE(B->GetParentFont());
    EXPECT_EQ(C->GetFont()->GetSize(), 20);
    A->GetFont()->SetColor(clBlue);
    EXPECT_EQ(B->GetFont()->GetColor(), clRed) << "B has a font of its own";
    EXPECT_EQ(C->GetFont()->GetColor(), clRed) << "C follows B";
    B->SetParentFont(true);
    EXPECT_EQ(B->GetFont()->GetColor(), clBlue);
    EXPECT_EQ(B->GetFont()->GetSize(), A->GetFont()->GetSize());
    EXPECT_EQ(C->GetFont()->GetColor(), clBlue);
    EXPECT_TRUE(B->GetParentFont());
    A->SetParentFont(true);
    EXPECT_EQ(A->GetFont()->GetColor(), Grid->GetFont()->GetColor()) << "the grid's font again";
    Grid->GetFont()->SetColor(clGreen);
    EXPECT_EQ(A->GetFont()->GetColor(), clGreen);
    EXPECT_EQ(C->GetFont()->GetColor(), clGreen);
    EXPECT_TRUE(A->GetParentFont());
}

TEST_F(ItemModelTest, TheValueFontFollowsTheParentItemAndTheGrid) {
    Build("A\n  B");
    TZkItemProp* A = Item("A");
    TZkItemProp* B = Item("A.B");
    A->GetValueFont()->SetColor(clRed);
    EXPECT_FALSE(A->GetParentValueFont());
    EXPECT_EQ(B->GetValueFont()->GetColor(), clRed);
    EXPECT_TRUE(B->GetParentValueFont());
    A->SetParentValueFont(true);
    EXPECT_EQ(A->GetValueFont()->GetColor(), Grid->GetValueFont()->GetColor());
    Grid->GetValueFont()->SetColor(clMaroon);
    EXPECT_EQ(A->GetValueFont()->GetColor(), clMaroon);
    EXPECT_EQ(B->GetValueFont()->GetColor(), clMaroon);
    EXPECT_EQ(A->GetColumnValueFont(0), A->GetValueFont());
}

TEST_F(ItemModelTest, CategoriesTakeTheCategoryFontAndTheirChildrenKeepTheirOwn) {
    Build("Cat |c\n  Kid\nPlain");
    TZkItemProp* Cat = Item("Cat");
    TZkItemProp* Kid = Item("Cat.Kid");
    const TColor KidColor = Kid->GetFont()->GetColor();
    EXPECT_TRUE(Cat->GetFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(Cat->GetFont()->GetColor(), static_cast<TColor>(0x800080));
    EXPECT_TRUE(Cat->GetParentFont());
    EXPECT_FALSE(Kid->GetFont()->GetStyle().Contains(fsBold));
    Grid->GetFont()->SetColor(clGreen);
    EXPECT_EQ(Item("Plain")->GetFont()->GetColor(), clGreen);
    EXPECT_EQ(Cat->GetFont()->GetColor(), static_cast<TColor>(0x800080))
        << "the category font keeps its own colour";
    EXPECT_EQ(Kid->GetFont()->GetColor(), KidColor)
        << "a change does not pass from a category heading to an ordinary child";
    Cat->SetCategory(false);
    EXPECT_FALSE(Cat->GetFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(Cat->GetFont()->GetColor(), clGreen);
}

// ---- value lists ----

TEST_F(ItemModelTest, ReadingThroughAGridFitsValuesToTheValueColumns) {
    Build("A=x;y;z");
    TZkItemProp* A = Item("A");
    EXPECT_EQ(Grid->GetCellText(1, RowOf(A)), "x");
    EXPECT_EQ(A->GetValues()->GetCount(), 1) << "one value column keeps only the first line";
    UseValueColumns(3);
    TZkItemProp* B = Items()->AddItem();
    B->SetName("B");
    B->GetValues()->SetTextStr("p");
    EXPECT_EQ(Grid->GetCellText(3, RowOf(B)), "");
    EXPECT_EQ(B->GetValues()->GetCount(), 3) << "padded to three value columns";
    EXPECT_EQ(Grid->GetCellText(1, RowOf(B)), "p");
    TOwned<TZkItemProps> Tree = FreeTree("C=1;2");
    EXPECT_EQ(Tree->GetItem(0)->GetValues()->Get(1), "2");
    EXPECT_EQ(Tree->GetItem(0)->GetValues()->GetCount(), 2) << "no grid, no fitting";
}

// ---- validation ----

TEST_F(ItemModelTest, ValidateCallsTheItemsHandlerElseTheGridsWithTheCurrentColumn) {
    UseValueColumns(2);
    Build("A\nB");
    std::vector<std::tuple<std::string, TObject*, TZkItemProp*, int>> Log;
    Item("A")->SetOnValidate(TZkOnValidateEvent(
        [&](TObject* S, TZkItemProp* I, int C) { Log.emplace_back("item", S, I, C); }));
    Grid->SetOnValidate(TZkOnValidateEvent(
        [&](TObject* S, TZkItemProp* I, int C) { Log.emplace_back("grid", S, I, C); }));
    Grid->SelectItem(Item("A"));
    Grid->SetCol(2);
    Item("A")->Validate();
    Item("B")->Validate();
    using E = std::tuple<std::string, TObject*, TZkItemProp*, int>;
    EXPECT_EQ(Log, (std::vector<E>{E{"item", Grid, Item("A"), 2}, E{"grid", Grid, Item("B"), 2}}));
    Grid->SetOnValidate(
        TZkOnValidateEvent([&](TObject*, TZkItemProp*, int) { throw Exception("bad value"); }));
    EXPECT_EQ(MessageOf([&] { Item("B")->Validate(); }), "bad value") << "passed on";
}

// ---- the strings view ----

TEST_F(ItemModelTest, InsertingAPathLineCreatesTheTreeAndAddsLeavesWithoutPropUnique) {
    TZkItemStrings* S = Grid->GetStrings();
    S->Add("A.B=x");
    EXPECT_EQ(All(), "A,B");
    EXPECT_EQ(Item("A.B")->GetValues()->GetTextStr(), "x\r\n");
    EXPECT_EQ(S->GetCount(), 2);
    EXPECT_EQ(S->Get(0), "A=");
    EXPECT_EQ(S->Get(1), "A.B=x");
    S->Add("A.B=x");
    EXPECT_EQ(All(), "A,B,B");
    EXPECT_EQ(Item("A")->GetItems()->GetCount(), 2) << "a second B under the same A";
    Grid->SetPropertyOptions(TILEPropOptions{propUnique});
    S->Add("A.B=y");
    EXPECT_EQ(All(), "A,B,B") << "propUnique: the first B takes the value";
    EXPECT_EQ(S->Get(1), "A.B=y");
    S->Insert(0, "Lone");
    S->Insert(1, "Eq=b=c");
    EXPECT_EQ(S->GetTextStr(), "A=\r\nA.B=y\r\nA.B=x\r\nLone=\r\nEq=b=c\r\n")
        << "lines land where the collection puts them";
}

TEST_F(ItemModelTest, ShowVisibleOnlyListsTheShownLines) {
    TZkItemStrings* S = Grid->GetStrings();
    S->Add("A.B=x");
    S->Add("C=1");
    S->SetShowVisibleOnly(true);
    EXPECT_EQ(S->GetTextStr(), "A=\r\nC=1\r\n") << "A is collapsed";
    EXPECT_EQ(S->IndexOfName("A.B"), -1);
    EXPECT_EQ(S->IndexOfName("C"), 1);
    Item("A")->SetExpanded(true);
    EXPECT_EQ(S->GetCount(), 3);
    EXPECT_EQ(S->Get(1), "A.B=x");
    S->SetShowVisibleOnly(false);
    EXPECT_EQ(S->IndexOfName("a.b"), 1);
    EXPECT_EQ(S->IndexOfName("C"), 2);
    EXPECT_EQ(S->IndexOfName("B"), -1) << "a full path, not a bare name";
}

TEST_F(ItemModelTest, StringsLinesCarryDataAndDeleteTheirItems) {
    TZkItemStrings* S = Grid->GetStrings();
    S->SetTextStr("A=1\nA.B=2\nC=3");
    EXPECT_EQ(All(), "A,B,C");
    S->SetData(1, 42);
    EXPECT_EQ(Item("A.B")->GetData(), 42);
    EXPECT_EQ(S->GetData(1), 42);
    EXPECT_EQ(MessageOf([&] { S->Insert(4, "Q"); }), "List index out of bounds (4)");
    EXPECT_EQ(MessageOf([&] { S->Insert(-1, "Q"); }), "List index out of bounds (-1)");
    EXPECT_EQ(All(), "A,B,C");
    S->Delete(0);
    EXPECT_EQ(All(), "C") << "the item and its subtree";
    S->Clear();
    EXPECT_EQ(Items()->GetCount(), 0);
    EXPECT_EQ(S->GetCount(), 0);
}

TEST_F(ItemModelTest, AssigningStringsReplacesTheTreeAndUsesThePathDelimiter) {
    Build("Old\n  Kid");
    Grid->SetPathDelimiter("/");
    TOwned<TStringList> List(Create<TStringList>());
    List->SetTextStr("X=1\nY/Z=2");
    Grid->SetStrings(List.get());
    EXPECT_EQ(All(), "X,Y,Z");
    EXPECT_EQ(Grid->GetStrings()->GetTextStr(), "X=1\r\nY=\r\nY/Z=2\r\n");
}

// ---- the editor hears about changes deep in the tree ----

TEST_F(ItemModelTest, AValueChangeOfADeepItemRefreshesTheOpenEditor) {
    Build("A |e\n  B |e\n    C=old");
    TZkItemProp* C = Item("A.B.C");
    Grid->SetFocus();
    Application->ProcessMessages();
    Grid->SelectItem(C);
    Grid->SetCol(1);
    Grid->ShowEditor();
    ASSERT_NE(Grid->GetInplaceEditor(), nullptr);
    EXPECT_EQ(Grid->GetInplaceEditor()->GetText(), "old");
    C->GetValues()->SetTextStr("new");
    EXPECT_EQ(Grid->GetInplaceEditor()->GetText(), "new");
}

}  // namespace zk::test
