// First look at an inspector over a button.
#include <QImage>
#include <QPixmap>

#include "InspectorTestUtil.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

TEST_F(InspectorTest, AButtonShowsItsProperties) {
    auto* Button = Create<TButton>(Form.get());
    Button->SetName("Button1");
    Button->SetCaption("Press");
    Inspector->SetInspectedComponent(Button);
    Settle();
    EXPECT_GT(Inspector->GetItems()->GetCount(), 10);
    EXPECT_EQ(Shown("Caption"), "Press");
    Commit("Caption", "Save");
    EXPECT_EQ(Button->GetCaption(), "Save");
    Row("Font")->Expand();
    Row("Anchors")->Expand();
    Settle();
    Form->GetWidget()->grab().save("/tmp/inspector.png");
}

}  // namespace zk::test
