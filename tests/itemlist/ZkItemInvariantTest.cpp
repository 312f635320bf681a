// Random changes to a grid's tree, each followed by a check of the line lists against a
// brute-force walk: AllItems, ShownItems, their indexes, descendant counts and the line count.
#include <gtest/gtest.h>

#include <QPixmap>
#include <algorithm>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "ItemListTestUtil.h"

namespace zk::test {

namespace {

struct InvariantCase {
    unsigned Seed;
    bool Sorted;        // the grid sorts, so renames move items
    bool ShowReadOnly;  // doShowReadOnly at the start
};

void PrintTo(const InvariantCase& C, std::ostream* Os) {
    *Os << "seed " << C.Seed << (C.Sorted ? " sorted" : "")
        << (C.ShowReadOnly ? "" : " read-only hidden");
}

class ItemInvariantTest : public ItemListTest, public ::testing::WithParamInterface<InvariantCase> {
protected:
    static constexpr int Steps = 500;
    static constexpr int MaxItems = 150;

    int Rand(int N) { return std::uniform_int_distribution<int>(0, N - 1)(Rng); }
    bool Chance(int Percent) { return Rand(100) < Percent; }

    std::vector<TZkItemProp*> Walk() const {
        std::vector<TZkItemProp*> Result;
        PreOrder(Items(), false, Result);
        return Result;
    }
    TZkItemProp* RandomItem() {
        const std::vector<TZkItemProp*> All = Walk();
        return All.empty() ? nullptr : All[Rand(static_cast<int>(All.size()))];
    }
    // The top level or the children of a random item.
    TZkItemProps* RandomCollection() {
        TZkItemProp* Owner = Chance(30) ? nullptr : RandomItem();
        return Owner ? Owner->GetItems() : Items();
    }
    std::string RandomName() {
        static const char* const Pool[] = {"a",     "b",    "c",     "d",     "e",   "f",
                                           "Alpha", "beta", "Gamma", "delta", "x.y", ""};
        return Pool[Rand(static_cast<int>(std::size(Pool)))];
    }
    static bool IsInSubtree(const TZkItemProp* Root, const TZkItemProp* X) {
        for (; X; X = X->GetParentItem())
            if (X == Root) return true;
        return false;
    }
    static int Recount(const TZkItemProp* Item) {
        int N = 0;
        for (int I = 0; I < Item->GetItems()->GetCount(); ++I)
            N += 1 + Recount(Item->GetItems()->GetItem(I));
        return N;
    }
    // The shown lines below a visible, expanded item when read-only items are shown.
    static int RecountShown(const TZkItemProp* Item) {
        if (!Item->GetVisible() || !Item->GetExpanded()) return 0;
        int N = 0;
        for (int I = 0; I < Item->GetItems()->GetCount(); ++I) {
            const TZkItemProp* Child = Item->GetItems()->GetItem(I);
            if (Child->GetVisible()) N += 1 + RecountShown(Child);
        }
        return N;
    }
    // The shown rule from the items' flags alone.
    void ExpectShown(const TZkItemProps* Items, bool ParentOpen, bool ShowReadOnly,
                     std::vector<TZkItemProp*>& Out) const {
        for (int I = 0; I < Items->GetCount(); ++I) {
            TZkItemProp* Item = Items->GetItem(I);
            const bool Showing = ParentOpen && Item->GetVisible() &&
                                 (ShowReadOnly || !Item->GetReadOnly() || Item->GetCategory());
            EXPECT_EQ(Item->IsShowing(), Showing) << Item->GetFullName();
            if (Showing) Out.push_back(Item);
            ExpectShown(Item->GetItems(), Showing && Item->GetExpanded(), ShowReadOnly, Out);
        }
    }
    static std::string NamesOf(const std::vector<TZkItemProp*>& V) {
        std::string Result;
        for (const TZkItemProp* I : V) Result += (Result.empty() ? "" : ",") + I->GetFullName();
        return Result;
    }

    void Check() {
        const std::vector<TZkItemProp*> All = Walk();
        const bool ShowReadOnly = Grid->GetDisplayOptions().Contains(doShowReadOnly);
        std::vector<TZkItemProp*> Shown;
        ExpectShown(Items(), true, ShowReadOnly, Shown);
        std::vector<TZkItemProp*> ShownByIsShowing;
        PreOrder(Items(), true, ShownByIsShowing);
        EXPECT_EQ(ShownByIsShowing, Shown);
        const TZkItemList& AllList = Grid->GetAllItems();
        const TZkItemList& ShownList = Grid->GetShownItems();
        ASSERT_EQ(NamesOf(ToVector(AllList)), NamesOf(All));
        ASSERT_EQ(ToVector(AllList), All);
        ASSERT_EQ(NamesOf(ToVector(ShownList)), NamesOf(Shown));
        ASSERT_EQ(ToVector(ShownList), Shown);
        EXPECT_EQ(Grid->GetStrings()->GetCount(), static_cast<int>(All.size()));
        for (int I = 0; I < static_cast<int>(All.size()); ++I) {
            TZkItemProp* Item = All[I];
            EXPECT_EQ(AllList.IndexOf(Item), I) << Item->GetFullName();
            const auto Pos = std::find(Shown.begin(), Shown.end(), Item);
            EXPECT_EQ(ShownList.IndexOf(Item),
                      Pos == Shown.end() ? -1 : static_cast<int>(Pos - Shown.begin()))
                << Item->GetFullName();
            EXPECT_EQ(Item->GetDescendantCount(), Recount(Item)) << Item->GetFullName();
            EXPECT_EQ(Item->GetExpanded() && !Item->HasChildren(), false) << Item->GetFullName();
            if (ShowReadOnly && Item->GetVisible() && Item->GetExpanded()) {
                EXPECT_EQ(Item->GetShownCount(), RecountShown(Item)) << Item->GetFullName();
            }
        }
        if (GridBracket == 0 && ItemsBracket == 0) {
            const int Lines =
                Grid->GetLogical(lwFixedLines) + std::max(1, static_cast<int>(Shown.size()));
            EXPECT_EQ(Grid->GetLogical(lwLineCount), Lines);
            EXPECT_LT(Grid->GetLogical(lwLine), Lines);
        }
    }

    void Log(std::string What) {
        History.push_back(std::move(What));
        if (History.size() > 12) History.pop_front();
    }

    // One random change, logged for the failure report.
    void Step() {
        TZkItemProp* Item = RandomItem();
        const int Total = static_cast<int>(Grid->GetAllItems().GetCount());
        switch (Rand(22)) {
            case 0:
            case 1:
            case 2:
            case 3:
                if (Total < MaxItems) {
                    TZkItemProps* Target = RandomCollection();
                    TZkItemProp* New = Target->AddItem();
                    const std::string Name = RandomName();
                    Log("add " + Name + " under " +
                        (Target->GetParentItem() ? Target->GetParentItem()->GetFullName() : "top"));
                    New->SetName(Name);
                }
                break;
            case 4:
            case 5:
                if (Total < MaxItems) {
                    TZkItemProps* Target = RandomCollection();
                    const int At = Rand(Target->GetCount() + 1);
                    Log("insert at " + std::to_string(At));
                    Target->InsertItem(At)->SetName(RandomName());
                }
                break;
            case 6:
                if (Item) {
                    Log("free " + Item->GetFullName());
                    if (Chance(50))
                        Item->Free();
                    else
                        Item->GetItemCollection()->Delete(Item->GetIndex());
                }
                break;
            case 7:
            case 8:
                if (Item) {
                    const std::string Name = RandomName();
                    Log("rename " + Item->GetFullName() + " to " + Name);
                    Item->SetName(Name);
                }
                break;
            case 9:
                if (Item) {
                    const int To = Rand(Item->GetItemCollection()->GetCount());
                    Log("index of " + Item->GetFullName() + " to " + std::to_string(To));
                    Item->SetIndex(To);
                }
                break;
            case 10:
                if (Item) {
                    TZkItemProp* Host = Chance(25) ? nullptr : RandomItem();
                    if (Host && IsInSubtree(Item, Host)) break;
                    Log("move " + Item->GetFullName() + " under " +
                        (Host ? Host->GetFullName() : "top"));
                    Item->SetCollection(Host ? Host->GetItems() : Items());
                }
                break;
            case 11:
            case 12:
            case 13:
                if (Item) {
                    Log(std::string(Item->GetExpanded() ? "collapse " : "expand ") +
                        Item->GetFullName());
                    Item->SetExpanded(!Item->GetExpanded());
                }
                break;
            case 14:
                if (Item) {
                    const bool Full = Chance(50);
                    Log(std::string(Full ? "full expand " : "full collapse ") +
                        Item->GetFullName());
                    if (Full)
                        Item->FullExpand();
                    else
                        Item->FullCollapse();
                } else if (Chance(50)) {
                    Log("grid full expand");
                    Grid->FullExpand();
                }
                break;
            case 15:
                if (Item) {
                    Log("visible " + Item->GetFullName());
                    Item->SetVisible(!Item->GetVisible());
                }
                break;
            case 16:
                if (Item) {
                    switch (Rand(3)) {
                        case 0:
                            Log("read-only " + Item->GetFullName());
                            Item->SetReadOnly(!Item->GetReadOnly());
                            break;
                        case 1:
                            Log("enabled " + Item->GetFullName());
                            Item->SetEnabled(!Item->GetEnabled());
                            break;
                        default:
                            Log("category " + Item->GetFullName());
                            Item->SetCategory(!Item->GetCategory());
                    }
                }
                break;
            case 17:
                if (Chance(50) && GridBracket == 0) {
                    Log("grid bracket");
                    Grid->BeginUpdate();
                    GridBracket = 1 + Rand(5);
                } else if (ItemsBracket == 0) {
                    Log("items bracket");
                    Items()->BeginUpdate();
                    ItemsBracket = 1 + Rand(5);
                }
                break;
            case 18:
                if (Item) {
                    Log("select " + Item->GetFullName());
                    Grid->SelectItem(Item);
                }
                break;
            case 19:
                if (Item && Total < MaxItems / 2) {
                    TZkItemProp* Source = RandomItem();
                    if (IsInSubtree(Item, Source) || IsInSubtree(Source, Item)) break;
                    Log("assign " + Source->GetFullName() + " to " + Item->GetFullName());
                    Item->Assign(Source);
                }
                break;
            case 20:
                if (Chance(50) && Total < MaxItems) {
                    const std::string Line = RandomName() + "." + RandomName() + "=v";
                    Log("strings add " + Line);
                    Grid->GetStrings()->Add(Line);
                } else if (Item) {
                    Log("clear children of " + Item->GetFullName());
                    Item->GetItems()->Clear();
                }
                break;
            default:
                if (Chance(20)) {
                    Log("toggle doShowReadOnly");
                    TILEDisplayOptions Options = Grid->GetDisplayOptions();
                    if (Options.Contains(doShowReadOnly))
                        Options.Exclude(doShowReadOnly);
                    else
                        Options.Include(doShowReadOnly);
                    Grid->SetDisplayOptions(Options);
                } else if (Chance(25)) {
                    Log("grid full collapse");
                    Grid->FullCollapse();
                }
        }
    }
    // Closes brackets whose step count ran out.
    void CountDownBrackets() {
        if (GridBracket > 0 && --GridBracket == 0) {
            Log("grid bracket end");
            Grid->EndUpdate();
        }
        if (ItemsBracket > 0 && --ItemsBracket == 0) {
            Log("items bracket end");
            Items()->EndUpdate();
        }
    }
    std::string HistoryText() const {
        std::string Result;
        for (const std::string& S : History) Result += "\n  " + S;
        return Result;
    }

    std::mt19937 Rng;
    std::deque<std::string> History;
    int GridBracket = 0;   // steps left before the grid's bracket closes
    int ItemsBracket = 0;  // the same for the top collection's
};

}  // namespace

TEST_P(ItemInvariantTest, ListsMatchTheTreeAfterEveryChange) {
    const InvariantCase& C = GetParam();
    Rng.seed(C.Seed);
    if (!C.ShowReadOnly)
        Grid->SetDisplayOptions(Grid->GetDisplayOptions() - TILEDisplayOptions{doShowReadOnly});
    Grid->SetSorted(C.Sorted);
    BuildTree(Items(), "a |e\n  b\n  c |e\n    d\ne");
    for (int I = 0; I < Steps; ++I) {
        try {
            Step();
            CountDownBrackets();
            Check();
        } catch (const std::exception& E) {
            ADD_FAILURE() << "raised " << E.what();
        }
        if (HasFailure()) {
            ADD_FAILURE() << "after step " << I << ", last changes:" << HistoryText();
            break;
        }
        if (I % 50 == 49) (void)W()->grab();  // paints every line of the current tree
    }
    if (GridBracket > 0) Grid->EndUpdate();
    if (ItemsBracket > 0) Items()->EndUpdate();
    GridBracket = ItemsBracket = 0;
    Check();
    // Freeing the whole tree leaves the lists empty.
    Items()->Clear();
    EXPECT_EQ(Grid->GetAllItems().GetCount(), 0);
    EXPECT_EQ(Grid->GetShownItems().GetCount(), 0);
    EXPECT_EQ(Grid->GetLogical(lwLineCount), Grid->GetLogical(lwFixedLines) + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Seeds, ItemInvariantTest,
    ::testing::Values(InvariantCase{1, false, true}, InvariantCase{2, true, true},
                      InvariantCase{3, false, false}, InvariantCase{4, true, false},
                      InvariantCase{5, false, true}, InvariantCase{6, true, false},
                      InvariantCase{7, true, false}, InvariantCase{8, false, false},
                      InvariantCase{9, true, true}, InvariantCase{10, false, true},
                      InvariantCase{11, true, false}, InvariantCase{12, false, false}));

}  // namespace zk::test
