// The stock presets' fixture steps.
#include "StockPresetTestUtil.h"

#include "itemlist/ZkInplaceEditList_p.h"

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

std::vector<std::string> StockPresetTest::DropDown(const std::string& Path) {
    Inspector->SelectItem(Row(Path));
    Inspector->SetLogical(lwColumn, 1);
    Inspector->ShowEditor();
    TZkInplaceEditList* Editor = Inspector->GetInplaceEditList();
    if (!Editor) throw std::logic_error("no editor on " + Path);
    Editor->SetFocus();
    Editor->DropDown();
    Settle();
    std::vector<std::string> Result;
    TStrings* Items = Editor->GetPickList()->GetItems();
    for (int I = 0; I < Items->GetCount(); ++I) Result.push_back(Items->Get(I));
    return Result;
}

void StockPresetTest::Choose(const std::string& Path, const std::string& Entry) {
    const std::vector<std::string> Entries = DropDown(Path);
    const auto At = std::find(Entries.begin(), Entries.end(), Entry);
    ASSERT_NE(At, Entries.end()) << Entry << " is not offered";
    TZkInplaceEditList* Editor = Inspector->GetInplaceEditList();
    Editor->GetPickList()->SetItemIndex(static_cast<int>(At - Entries.begin()));
    SafeCall(Editor, [Editor] { Editor->CloseUp(true); });
    Settle();
}

int StockPresetTest::ClickEllipsis(const std::string& Path,
                                   std::function<int(TComponent*)> Answer) {
    Inspector->SelectItem(Row(Path));
    Inspector->SetLogical(lwColumn, 1);
    Inspector->ShowEditor();
    TZkInplaceEditList* Editor = Inspector->GetInplaceEditList();
    if (!Editor || Editor->GetEditStyle() != esEllipsis)
        throw std::logic_error("no ellipsis button on " + Path);
    Editor->SetFocus();
    Settle();
    FAnswer = std::move(Answer);
    FShown = 0;
    QWidget* W = Editor->GetWidget();
    const TRect R = Editor->ButtonRect();
    const QPoint At((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    for (auto [Type, Buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                 std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
        QMouseEvent E(Type, QPointF(At), QPointF(W->mapToGlobal(At)), Qt::LeftButton, Buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(W, &E);
    }
    Settle();
    FAnswer = nullptr;
    return FShown;
}

}  // namespace zk::test
