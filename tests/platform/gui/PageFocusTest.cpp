// Where the focus goes when a page control changes pages under it.
#include <gtest/gtest.h>

#include "GuiTestUtil.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

// Regression: leaving the page that held the active control focused the
// form's first control, which raised "Cannot focus a disabled or invisible
// window" while the form was not showing.
TEST(PageFocusTest, TheNewPagesFirstControlBecomesActiveAlsoOnAHiddenForm) {
    TOwned<TForm> Form(Create<TForm>(nullptr));
    Create<TEdit>(Form.get())->SetParent(Form.get());
    auto* Pages = Create<TPageControl>(Form.get());
    Pages->SetParent(Form.get());
    std::vector<TEdit*> Edits;
    for (int I = 0; I < 3; ++I) {
        auto* Sheet = Create<TTabSheet>(Form.get());
        Sheet->SetPageControl(Pages);
        Edits.push_back(I < 2 ? Create<TEdit>(Form.get()) : nullptr);  // the last page: nothing
        if (Edits.back()) Edits.back()->SetParent(Sheet);
    }
    Pages->SetActivePageIndex(0);
    Form->SetActiveControl(Edits[0]);
    Pages->SetActivePageIndex(1);
    EXPECT_EQ(Edits[1], Form->GetActiveControl()) << "the page's own control, not the form's first";
    Pages->SetActivePageIndex(2);
    EXPECT_EQ(Pages, Form->GetActiveControl());
}

}  // namespace zk::test
