// Align, Anchors and Constraints: children laid out after resizes, against hand-computed
// rectangles.
#include <gtest/gtest.h>

#include <QWidget>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

// A form with a client area of 400 x 300, freed at the end of each test.
class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetClientWidth(400);
        Form->SetClientHeight(300);
    }
    TPanel* AddPanel(const char* Name, TWinControl* Parent, TRect Bounds, TAlign Align = alNone) {
        auto* P = Create<TPanel>(Form.get());
        P->SetName(Name);
        P->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        P->SetAlign(Align);
        P->SetParent(Parent);
        return P;
    }
    TOwned<TForm> Form;
};

// The control's bounds, and the widget's geometry must agree with them.
TRect BoundsOf(const TControl* C) {
    const QRect G = C->GetWidget()->geometry();
    EXPECT_EQ(Bounds(G.x(), G.y(), G.width(), G.height()), C->GetBoundsRect()) << C->GetName();
    return C->GetBoundsRect();
}

}  // namespace

TEST_F(LayoutTest, MixedAlignedChildrenStackInTheFrameworkOrder) {
    // Created out of order: the stacking follows Top, Bottom, Left and Right, not creation.
    TPanel* C = AddPanel("C", Form.get(), Bounds(0, 0, 10, 10), alClient);
    TPanel* T2 = AddPanel("T2", Form.get(), Bounds(0, 50, 10, 20), alTop);
    TPanel* B2 = AddPanel("B2", Form.get(), Bounds(0, 200, 10, 15), alBottom);
    TPanel* R1 = AddPanel("R1", Form.get(), Bounds(0, 0, 50, 10), alRight);
    TPanel* T1 = AddPanel("T1", Form.get(), Bounds(0, 0, 10, 30), alTop);
    TPanel* L1 = AddPanel("L1", Form.get(), Bounds(0, 0, 40, 10), alLeft);
    TPanel* B1 = AddPanel("B1", Form.get(), Bounds(0, 280, 10, 25), alBottom);

    EXPECT_EQ(Bounds(0, 0, 400, 30), BoundsOf(T1));
    EXPECT_EQ(Bounds(0, 30, 400, 20), BoundsOf(T2));
    EXPECT_EQ(Bounds(0, 275, 400, 25), BoundsOf(B1));
    EXPECT_EQ(Bounds(0, 260, 400, 15), BoundsOf(B2));
    EXPECT_EQ(Bounds(0, 50, 40, 210), BoundsOf(L1));
    EXPECT_EQ(Bounds(350, 50, 50, 210), BoundsOf(R1));
    EXPECT_EQ(Bounds(40, 50, 310, 210), BoundsOf(C));

    Form->SetClientWidth(500);
    Form->SetClientHeight(400);
    EXPECT_EQ(Bounds(0, 0, 500, 30), BoundsOf(T1));
    EXPECT_EQ(Bounds(0, 30, 500, 20), BoundsOf(T2));
    EXPECT_EQ(Bounds(0, 375, 500, 25), BoundsOf(B1));
    EXPECT_EQ(Bounds(0, 360, 500, 15), BoundsOf(B2));
    EXPECT_EQ(Bounds(0, 50, 40, 310), BoundsOf(L1));
    EXPECT_EQ(Bounds(450, 50, 50, 310), BoundsOf(R1));
    EXPECT_EQ(Bounds(40, 50, 410, 310), BoundsOf(C));
}

TEST_F(LayoutTest, TheChangedControlGoesFirstAmongEqualPlaces) {
    TPanel* T1 = AddPanel("T1", Form.get(), Bounds(0, 0, 10, 30), alTop);
    TPanel* T2 = AddPanel("T2", Form.get(), Bounds(0, 40, 10, 20), alTop);
    EXPECT_EQ(0, T1->GetTop());
    EXPECT_EQ(30, T2->GetTop());
    // Moving T2 to the top puts it above T1, which already was there.
    T2->SetTop(0);
    EXPECT_EQ(Bounds(0, 0, 400, 20), BoundsOf(T2));
    EXPECT_EQ(Bounds(0, 20, 400, 30), BoundsOf(T1));
    // A taller T1 pushes T2's neighbours down at once.
    T1->SetHeight(50);
    EXPECT_EQ(Bounds(0, 20, 400, 50), BoundsOf(T1));
}

TEST_F(LayoutTest, HiddenAlignedChildrenGiveUpTheirPlace) {
    TPanel* T1 = AddPanel("T1", Form.get(), Bounds(0, 0, 10, 30), alTop);
    TPanel* T2 = AddPanel("T2", Form.get(), Bounds(0, 30, 10, 20), alTop);
    TPanel* C = AddPanel("C", Form.get(), Bounds(0, 0, 10, 10), alClient);
    T1->SetVisible(false);
    EXPECT_EQ(Bounds(0, 0, 400, 20), BoundsOf(T2));
    EXPECT_EQ(Bounds(0, 20, 400, 280), BoundsOf(C));
    T1->SetVisible(true);
    EXPECT_EQ(Bounds(0, 0, 400, 30), BoundsOf(T1));
    EXPECT_EQ(Bounds(0, 30, 400, 20), BoundsOf(T2));
    EXPECT_EQ(Bounds(0, 50, 400, 250), BoundsOf(C));
}

TEST_F(LayoutTest, AnchorsKeepTheirDistancesToTheAnchoredEdges) {
    TPanel* RB = AddPanel("RB", Form.get(), Bounds(300, 250, 80, 30));
    RB->SetAnchors({akRight, akBottom});
    TPanel* LTR = AddPanel("LTR", Form.get(), Bounds(10, 10, 380, 20));
    LTR->SetAnchors({akLeft, akTop, akRight});
    TPanel* All = AddPanel("All", Form.get(), Bounds(10, 40, 380, 200));
    All->SetAnchors({akLeft, akTop, akRight, akBottom});
    TPanel* None = AddPanel("None", Form.get(), Bounds(150, 100, 20, 20));
    None->SetAnchors({});
    TPanel* Plain = AddPanel("Plain", Form.get(), Bounds(5, 260, 30, 30));

    Form->SetClientWidth(500);
    Form->SetClientHeight(350);
    EXPECT_EQ(Bounds(400, 300, 80, 30), BoundsOf(RB));
    EXPECT_EQ(Bounds(10, 10, 480, 20), BoundsOf(LTR));
    EXPECT_EQ(Bounds(10, 40, 480, 250), BoundsOf(All));
    EXPECT_EQ(Bounds(150, 100, 20, 20), BoundsOf(None));
    EXPECT_EQ(Bounds(5, 260, 30, 30), BoundsOf(Plain));

    // Shrinking below the design size keeps the same distances; sizes stop at zero.
    Form->SetClientWidth(100);
    Form->SetClientHeight(100);
    EXPECT_EQ(Bounds(0, 50, 80, 30), BoundsOf(RB));
    EXPECT_EQ(Bounds(10, 10, 80, 20), BoundsOf(LTR));
    EXPECT_EQ(Bounds(10, 40, 80, 0), BoundsOf(All));
    // Growing back restores the design exactly.
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
    EXPECT_EQ(Bounds(300, 250, 80, 30), BoundsOf(RB));
    EXPECT_EQ(Bounds(10, 40, 380, 200), BoundsOf(All));
}

TEST_F(LayoutTest, MovingAnAnchoredControlTakesNewDistances) {
    TPanel* RB = AddPanel("RB", Form.get(), Bounds(300, 250, 80, 30));
    RB->SetAnchors({akRight, akBottom});
    RB->SetLeft(200);
    Form->SetClientWidth(450);
    EXPECT_EQ(250, RB->GetLeft());
}

TEST_F(LayoutTest, ConstraintsBoundAlignedAndAnchoredSizes) {
    TPanel* T = AddPanel("T", Form.get(), Bounds(0, 0, 10, 30), alTop);
    T->GetConstraints()->SetMinHeight(50);
    TPanel* C = AddPanel("C", Form.get(), Bounds(0, 0, 10, 10), alClient);
    C->GetConstraints()->SetMaxWidth(200);
    EXPECT_EQ(Bounds(0, 0, 400, 50), BoundsOf(T));
    // The client control keeps its limit; the rest stays empty.
    EXPECT_EQ(Bounds(0, 50, 200, 250), BoundsOf(C));

    TPanel* S = AddPanel("S", C, Bounds(10, 10, 100, 20));
    S->SetAnchors({akLeft, akTop, akRight});
    S->GetConstraints()->SetMaxWidth(120);
    C->GetConstraints()->SetMaxWidth(0);
    EXPECT_EQ(400, C->GetWidth());
    EXPECT_EQ(Bounds(10, 10, 120, 20), BoundsOf(S));

    // A minimum above the maximum raises the maximum.
    S->GetConstraints()->SetMinWidth(150);
    EXPECT_EQ(150, S->GetConstraints()->GetMaxWidth());
    EXPECT_EQ(150, S->GetWidth());
}

TEST_F(LayoutTest, PanelBevelsAndBorderShrinkTheAlignedArea) {
    TPanel* P = AddPanel("P", Form.get(), Bounds(0, 0, 200, 100));
    P->SetBevelWidth(2);
    P->SetBorderWidth(3);
    P->SetBevelInner(bvLowered);
    TPanel* Inner = AddPanel("Inner", P, Bounds(0, 0, 10, 10), alClient);
    // Outer bevel 2 + border 3 + inner bevel 2 on each side.
    EXPECT_EQ(Bounds(7, 7, 186, 86), BoundsOf(Inner));
    P->SetBevelInner(bvNone);
    EXPECT_EQ(Bounds(5, 5, 190, 90), BoundsOf(Inner));
}

TEST_F(LayoutTest, TurningARowIntoAColumnSwapsWidthAndHeight) {
    TPanel* P = AddPanel("P", Form.get(), Bounds(0, 0, 10, 30), alTop);
    EXPECT_EQ(Bounds(0, 0, 400, 30), BoundsOf(P));
    P->SetAlign(alLeft);
    EXPECT_EQ(Bounds(0, 0, 30, 300), BoundsOf(P));
    EXPECT_EQ((TAnchors{akLeft, akTop, akBottom}), P->GetAnchors());
    P->SetAlign(alNone);
    EXPECT_EQ((TAnchors{akLeft, akTop}), P->GetAnchors());
}

TEST_F(LayoutTest, AnAreaTooSmallLeavesTheControlsOwnWidth) {
    TPanel* L = AddPanel("L", Form.get(), Bounds(0, 0, 300, 10), alLeft);
    TPanel* R = AddPanel("R", Form.get(), Bounds(0, 0, 300, 10), alRight);
    TPanel* T = AddPanel("T", Form.get(), Bounds(0, 0, 77, 30), alTop);
    (void)L;
    (void)R;
    // Tops come first and take the full width of 400.
    EXPECT_EQ(Bounds(0, 0, 400, 30), BoundsOf(T));
    TPanel* C = AddPanel("C", Form.get(), Bounds(0, 0, 55, 10), alClient);
    // Left and right took 600 of 400: the client area has a negative width, so C keeps its own.
    EXPECT_EQ(55, C->GetWidth());
    EXPECT_EQ(300, C->GetLeft());
}

TEST_F(LayoutTest, LayoutWaitsWhileDisabledAndRunsOnceAtTheEnd) {
    TPanel* T = AddPanel("T", Form.get(), Bounds(0, 0, 10, 30), alTop);
    Form->DisableAlign();
    Form->SetClientWidth(250);
    EXPECT_EQ(400, T->GetWidth());
    Form->EnableAlign();
    EXPECT_EQ(250, T->GetWidth());
}

TEST_F(LayoutTest, ReparentingLaysOutBothParents) {
    TPanel* A = AddPanel("A", Form.get(), Bounds(0, 0, 200, 300), alLeft);
    TPanel* B = AddPanel("B", Form.get(), Bounds(0, 0, 10, 10), alClient);
    TPanel* Child = AddPanel("Child", A, Bounds(0, 0, 10, 40), alTop);
    EXPECT_EQ(Bounds(1, 1, 198, 40), BoundsOf(Child));  // inside A's raised bevel of 1
    Child->SetParent(B);
    EXPECT_EQ(B->GetWidget(), Child->GetWidget()->parentWidget());
    EXPECT_EQ(Bounds(1, 1, 198, 40), BoundsOf(Child));
    EXPECT_EQ(0, A->GetControlCount());
    EXPECT_EQ(Child, B->GetControl(0));
}

}  // namespace zk::test
