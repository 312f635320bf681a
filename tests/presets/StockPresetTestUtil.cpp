// The stock presets' fixture steps.
#include "StockPresetTestUtil.h"

#include "itemlist/ZkInplaceEditList_p.h"
#include "platform/gui/ListBox.h"

namespace zk::test {

void StockPresetTest::SetUp() {
    InspectorTest::SetUp();
    SetModalHandler([this](TComponent* Shown) {
        ++FShown;
        if (FAnswer) return FAnswer(Shown);
        ADD_FAILURE() << "unexpected modal " << Shown->ClassName();
        return static_cast<int>(mrCancel);
    });
}

void StockPresetTest::TearDown() {
    SetModalHandler(nullptr);
    InspectorTest::TearDown();
}

std::string StockPresetTest::Matches(TZkPropertyPreset* Preset) const {
    std::string Result;
    const TZkItemList& All = Inspector->GetAllItems();
    for (int I = 0; I < All.GetCount(); ++I) {
        auto* R = static_cast<TZkItemProperty*>(All[I]);
        if (Preset->IsMatch(R)) Result += (Result.empty() ? "" : ",") + R->GetFullName();
    }
    return Result;
}

TZkInplaceEditList* StockPresetTest::EditValue(const std::string& Path) {
    Inspector->SelectItem(Row(Path));
    Inspector->SetLogical(lwColumn, 1);
    Inspector->ShowEditor();
    TZkInplaceEditList* Editor = Inspector->GetInplaceEditList();
    if (!Editor) throw std::logic_error("no editor on " + Path);
    Editor->SetFocus();
    Settle();
    return Editor;
}

std::string StockPresetTest::DropDown(const std::string& Path) {
    TZkInplaceEditList* Editor = EditValue(Path);
    Press(Qt::Key_Down, Qt::AltModifier);
    if (!Editor->GetListVisible()) throw std::logic_error("no list on " + Path);
    return Editor->GetPickList()->GetItems()->GetCommaText();
}

void StockPresetTest::Choose(const std::string& Path, const std::string& Entry) {
    DropDown(Path);
    TPopupListbox* List = Inspector->GetInplaceEditList()->GetPickList();
    const int Index = List->GetItems()->IndexOf(Entry);
    ASSERT_GE(Index, 0) << Entry << " is not offered";
    List->SetTopIndex(Index);
    const TRect R = List->ItemRect(Index);
    const TPoint At = List->ClientToScreen({R.Left + 5, R.Top + 2});
    ClickAt(List->GetWidget(), List->GetWidget()->mapFromGlobal(QPoint(At.X, At.Y)));
    Settle();
}

int StockPresetTest::ClickButton(const std::string& Path, std::function<int(TComponent*)> Answer) {
    TZkInplaceEditList* Editor = EditValue(Path);
    if (Editor->GetEditStyle() != esEllipsis)
        throw std::logic_error("no ellipsis button on " + Path);
    FAnswer = std::move(Answer);
    FShown = 0;
    const TRect R = Editor->ButtonRect();
    ClickAt(Editor->GetWidget(), QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
    // The headless platform gives the form no activation back after a dialog.
    Form->GetWidget()->activateWindow();
    Settle();
    FAnswer = nullptr;
    return FShown;
}

}  // namespace zk::test
