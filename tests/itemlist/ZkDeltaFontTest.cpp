// TZkCustomDeltaFont: the delta against the parent font, following the parent, and the guard
// that keeps its own changes from recomputing the delta.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "itemlist/ZkDeltaFont.h"
#include "platform/core/Font.h"

namespace zk::test {

namespace {

// A delta font whose parent is Parent (when Linked), recording each OnChange with the delta
// it saw and each time it asked for its parent.
class DeltaFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        Font->SetOnGetParentFont(TZkGetParentFontEvent([this](TObject* Sender, TFont*& P) {
            EXPECT_EQ(Font.get(), Sender);
            ++ParentQueries;
            if (Linked) P = Parent.get();
        }));
        Font->SetOnChange(TNotifyEvent([this](TObject* Sender) {
            EXPECT_EQ(Font.get(), Sender);
            Changes.push_back(Font->GetDelta().ToInt());
            if (OnChange) OnChange();
        }));
    }

    TOwned<TFont> Parent{Create<TFont>()};
    TOwned<TZkCustomDeltaFont> Font{Create<TZkCustomDeltaFont>()};
    bool Linked = true;
    int ParentQueries = 0;
    std::vector<uint32_t> Changes;  // Delta as seen by each OnChange
    std::function<void()> OnChange;
};

}  // namespace

TEST_F(DeltaFontTest, EachAttributeThatDiffersSetsItsOwnBit) {
    struct Case {
        const char* What;
        std::function<void(TFont*)> Change;
        uint32_t Bit;
    };
    const std::vector<Case> Cases = {
        {"bold", [](TFont* F) { F->SetStyle({fsBold}); }, 1},
        {"colour", [](TFont* F) { F->SetColor(clRed); }, 2},
        {"name", [](TFont* F) { F->SetName("Courier New"); }, 4},
        {"italic", [](TFont* F) { F->SetStyle({fsItalic}); }, 8},
        {"size", [](TFont* F) { F->SetSize(14); }, 16},
        {"strike-out", [](TFont* F) { F->SetStyle({fsStrikeOut}); }, 32},
        {"underline", [](TFont* F) { F->SetStyle({fsUnderline}); }, 64},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.What);
        TOwned<TFont> P(Create<TFont>());
        TOwned<TZkCustomDeltaFont> F(Create<TZkCustomDeltaFont>());
        F->Assign(P.get());
        C.Change(F.get());
        F->ComputeDelta(P.get());
        EXPECT_EQ(C.Bit, F->GetDelta().ToInt());
        // The same difference on the parent's side counts the same.
        F->Assign(P.get());
        C.Change(P.get());
        F->ComputeDelta(P.get());
        EXPECT_EQ(C.Bit, F->GetDelta().ToInt());
        F->Assign(P.get());
        F->ComputeDelta(P.get());
        EXPECT_EQ(0u, F->GetDelta().ToInt());
    }
}

TEST_F(DeltaFontTest, NameDifferingOnlyInCaseIsADelta) {
    Font->Assign(Parent.get());
    Font->SetName("ms sans serif");
    EXPECT_EQ(TZkFontDelta({fdName}), Font->GetDelta());
}

TEST_F(DeltaFontTest, AHeightOneSizeCannotShowStillCountsAsADifferentSize) {
    // Heights -14 and -15 are both 11 points; only Height tells them apart.
    Parent->SetHeight(-14);
    Font->Assign(Parent.get());
    Font->SetHeight(-15);
    ASSERT_EQ(Parent->GetSize(), Font->GetSize());
    EXPECT_EQ(TZkFontDelta({fdSize}), Font->GetDelta());
}

TEST_F(DeltaFontTest, AChangeRecordsTheDeltaBeforeOnChangeFires) {
    Font->Assign(Parent.get());
    Changes.clear();
    Font->SetStyle({fsBold, fsItalic});
    Font->SetColor(TColor(0x800080));
    EXPECT_EQ((std::vector<uint32_t>{1 | 8, 1 | 8 | 2}), Changes);
    Font->SetStyle({fsItalic});
    EXPECT_EQ(TZkFontDelta({fdColor, fdItalic}), Font->GetDelta());
}

TEST_F(DeltaFontTest, WithoutAParentTheDeltaStaysAndOnChangeStillFires) {
    Font->Assign(Parent.get());
    Font->SetStyle({fsBold});
    ASSERT_EQ(TZkFontDelta({fdBold}), Font->GetDelta());
    Linked = false;
    Changes.clear();
    Font->SetColor(clRed);
    EXPECT_EQ(std::vector<uint32_t>{1}, Changes);
    EXPECT_EQ(TZkFontDelta({fdBold}), Font->GetDelta());

    Font->SetOnGetParentFont(nullptr);
    Font->SetName("Courier New");
    EXPECT_EQ(2u, Changes.size());
    EXPECT_EQ(TZkFontDelta({fdBold}), Font->GetDelta());
}

TEST_F(DeltaFontTest, FollowParentCopiesOnlyWhatIsNotInTheDelta) {
    Parent->SetStyle({fsItalic});
    Font->SetStyle({fsBold, fsUnderline});
    Font->SetColor(clRed);
    Font->SetName("Courier New");
    Font->SetHeight(-20);
    Font->SetDelta({fdBold, fdColor, fdName});
    Changes.clear();
    ParentQueries = 0;
    Font->FollowParent(Parent.get());
    // Bold stays (in the delta), italic arrives, underline goes; colour and name stay.
    EXPECT_EQ(TFontStyles({fsBold, fsItalic}), Font->GetStyle());
    EXPECT_EQ(clRed, Font->GetColor());
    EXPECT_EQ("Courier New", Font->GetName());
    EXPECT_EQ(Parent->GetHeight(), Font->GetHeight());
    // Style and height changed: OnChange twice, and the delta was not recomputed.
    EXPECT_EQ((std::vector<uint32_t>{7, 7}), Changes);
    EXPECT_EQ(0, ParentQueries);
    EXPECT_EQ(TZkFontDelta({fdBold, fdColor, fdName}), Font->GetDelta());
    EXPECT_FALSE(Font->GetUpdating());
}

TEST_F(DeltaFontTest, FollowParentWithAnEmptyDeltaMakesTheFontTheParents) {
    Parent->SetStyle({fsStrikeOut});
    Parent->SetColor(clGreen);
    Parent->SetName("Arial");
    Parent->SetSize(12);
    Font->SetStyle({fsBold});
    Font->SetDelta({});
    Changes.clear();
    Font->FollowParent(Parent.get());
    EXPECT_EQ(Parent->GetStyle(), Font->GetStyle());
    EXPECT_EQ(clGreen, Font->GetColor());
    EXPECT_EQ("Arial", Font->GetName());
    EXPECT_EQ(Parent->GetHeight(), Font->GetHeight());
    EXPECT_EQ(4u, Changes.size());
}

TEST_F(DeltaFontTest, ABoldPurpleFontFollowsTheParentsNameAndSizeButStaysBoldAndPurple) {
    Font->Assign(Parent.get());
    Font->SetStyle(Font->GetStyle() + TFontStyles({fsBold}));
    Font->SetColor(TColor(0x800080));
    EXPECT_EQ(TZkFontDelta({fdBold, fdColor}), Font->GetDelta());
    EXPECT_EQ(3u, Font->GetDelta().ToInt());

    Parent->SetName("Arial");
    Parent->SetSize(12);
    Font->FollowParent(Parent.get());
    EXPECT_EQ("Arial", Font->GetName());
    EXPECT_EQ(12, Font->GetSize());
    EXPECT_EQ(Parent->GetHeight(), Font->GetHeight());
    EXPECT_EQ(TFontStyles({fsBold}), Font->GetStyle());
    EXPECT_EQ(TColor(0x800080), Font->GetColor());
    EXPECT_EQ(TZkFontDelta({fdBold, fdColor}), Font->GetDelta());

    // A colour set later is still a delta, so the parent's new colour does not reach it...
    Font->SetColor(clBlue);
    Parent->SetColor(clGreen);
    Font->FollowParent(Parent.get());
    EXPECT_EQ(clBlue, Font->GetColor());
    // ...while bold taken away again, now equal to the parent, follows the parent from then on.
    Font->SetStyle({});
    EXPECT_EQ(TZkFontDelta({fdColor}), Font->GetDelta());
    Parent->SetStyle({fsUnderline});
    Font->FollowParent(Parent.get());
    EXPECT_EQ(TFontStyles({fsUnderline}), Font->GetStyle());
    EXPECT_EQ(clBlue, Font->GetColor());
}

TEST_F(DeltaFontTest, AColourSetBackToTheParentsFollowsTheParentAgain) {
    Font->Assign(Parent.get());
    Font->SetColor(clRed);
    Font->SetColor(Parent->GetColor());
    EXPECT_EQ(TZkFontDelta(), Font->GetDelta());
    Parent->SetColor(clGreen);
    Font->FollowParent(Parent.get());
    EXPECT_EQ(clGreen, Font->GetColor());
}

TEST_F(DeltaFontTest, ComputeDeltaAndFollowParentAreIgnoredWhileTheFontUpdates) {
    Font->Assign(Parent.get());
    Font->SetColor(clRed);
    Parent->SetName("Arial");
    Parent->SetStyle({fsItalic});
    // Each OnChange during FollowParent tries to recompute the delta and to follow again;
    // both must be no-ops, or the delta would lose colour and the follow would nest.
    int Nested = 0;
    OnChange = [&] {
        EXPECT_TRUE(Font->GetUpdating());
        Font->ComputeDelta(Parent.get());
        Font->FollowParent(Parent.get());
        ++Nested;
    };
    Changes.clear();
    Font->FollowParent(Parent.get());
    EXPECT_EQ(2, Nested);
    EXPECT_EQ((std::vector<uint32_t>{2, 2}), Changes);
    EXPECT_EQ(TZkFontDelta({fdColor}), Font->GetDelta());
    EXPECT_EQ(clRed, Font->GetColor());
    EXPECT_EQ("Arial", Font->GetName());
}

TEST_F(DeltaFontTest, AChangeMadeFromOnChangeRecomputesTheDeltaOnceAndEnds) {
    // OnChange changes the font again; each round recomputes the delta once and ends as soon
    // as the value no longer changes.
    Font->Assign(Parent.get());
    int Depth = 0;
    OnChange = [&] {
        ASSERT_LT(++Depth, 10);
        Font->SetColor(clRed);
    };
    Changes.clear();
    ParentQueries = 0;
    Font->SetName("Arial");
    EXPECT_EQ((std::vector<uint32_t>{4, 6}), Changes);
    EXPECT_EQ(2, ParentQueries);
}

TEST_F(DeltaFontTest, AnExceptionFromOnChangeDuringFollowParentLeavesTheFontUsable) {
    Font->Assign(Parent.get());
    Parent->SetStyle({fsBold});
    OnChange = [] { throw std::runtime_error("refused"); };
    EXPECT_THROW(Font->FollowParent(Parent.get()), std::runtime_error);
    EXPECT_FALSE(Font->GetUpdating());
    OnChange = nullptr;
    // A change of its own recomputes the delta again: bold came from the parent, red is new.
    Font->SetColor(clRed);
    EXPECT_EQ(TZkFontDelta({fdColor}), Font->GetDelta());
}

TEST_F(DeltaFontTest, ANullParentIsIgnored) {
    Font->SetDelta({fdName});
    Font->ComputeDelta(nullptr);
    Font->FollowParent(nullptr);
    EXPECT_EQ(TZkFontDelta({fdName}), Font->GetDelta());
    EXPECT_TRUE(Changes.empty());
}

}  // namespace zk::test
