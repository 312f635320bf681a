// Where the focus goes when a page control changes pages under it, on a hidden and on a shown form.
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
    auto* Before = Create<TEdit>(Form.get());
    Before->SetParent(Form.get());
    auto* Pages = Create<TPageControl>(Form.get());
    Pages->SetParent(Form.get());
    std::vector<TTabSheet*> Sheets;
    std::vector<TEdit*> Edits;
    for (int I = 0; I < 3; ++I) {
        Sheets.push_back(Create<TTabSheet>(Form.get()));
        Sheets.back()->SetPageControl(Pages);
        if (I == 2) continue;  // a page with nothing to focus
        Edits.push_back(Create<TEdit>(Form.get()));
        Edits.back()->SetParent(Sheets.back());
    }
    Pages->SetActivePageIndex(0);
    Form->SetActiveControl(Edits[0]);
    Pages->SetActivePageIndex(1);
    EXPECT_EQ(Edits[1], Form->GetActiveControl()) << "the page's own control, not the form's first";
    Pages->SetActivePageIndex(2);
    EXPECT_EQ(Pages, Form->GetActiveControl());
    Pages->SetActivePageIndex(0);
    EXPECT_EQ(Pages, Form->GetActiveControl()) << "the page control kept the focus";

    Form->SetActiveControl(Edits[0]);
    Form->Show();
    Application->ProcessMessages();
    Pages->SetActivePageIndex(1);
    EXPECT_EQ(Edits[1], Form->GetActiveControl());
    if (Form->GetActive()) {
        EXPECT_TRUE(Edits[1]->Focused());
    }
}

}  // namespace zk::test
