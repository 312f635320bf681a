// TZkCustomItemListEditor: the options beyond the classic grid that act on input (tree keys,
// wheel scrolling) and the view state a rebuild keeps (open items, top line).
#include <QApplication>
#include <functional>
#include <unordered_set>

#include "itemlist/ZkItemListEditor.h"
#include "itemlist/ZkItemListEditor_p.h"

namespace zk {

// ---- keys ----

bool TZkCustomItemListEditor::DoCommandKey(uint16_t Key, TShiftState Shift) {
    const bool Alt = Shift.Contains(ssAlt);
    const bool Ctrl = Shift.Contains(ssCtrl);
    const bool Wide = Shift.Contains(ssShift);
    if (FTreeKeys && Alt && !Ctrl && (Key == VK_RIGHT || Key == VK_LEFT)) {
        if (TZkItemProp* Item = GetCurrentItem()) {
            if (Key == VK_LEFT)
                Item->Collapse();
            else if (Wide)
                Item->FullExpand();
            else
                Item->Expand();
        }
        return true;
    }
    return false;
}

// ---- the wheel ----

bool TZkCustomItemListEditor::WheelScroll(int Lines) {
    SetTopLine(GetTopLine() + Lines);
    return true;
}

// The handlers of the wheel events come first, as the grid base has them.
bool TZkCustomItemListEditor::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (!FWheelScrolls) return TCustomDrawGrid::DoMouseWheelDown(Shift, MousePos);
    if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
    return WheelScroll(QApplication::wheelScrollLines());
}

bool TZkCustomItemListEditor::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (!FWheelScrolls) return TCustomDrawGrid::DoMouseWheelUp(Shift, MousePos);
    if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
    return WheelScroll(-QApplication::wheelScrollLines());
}

// ---- view state ----

int TZkCustomItemListEditor::GetTopLine() const {
    return FOrientation == goVertical ? GetTopRow() : GetLeftCol();
}

void TZkCustomItemListEditor::SetTopLine(int Value) {
    if (FOrientation == goVertical)
        SetTopRow(Value);
    else
        SetLeftCol(Value);
}

namespace {

void CollectExpanded(const TZkItemProps* Items, std::string& Path, const std::string& Delimiter,
                     std::vector<std::string>& Out,
                     const std::function<bool(const TZkItemProp*)>& OpenedByUser) {
    for (int I = 0; I < Items->GetCount(); ++I) {
        const TZkItemProp* Item = Items->GetItem(I);
        if (!Item->HasChildren()) continue;
        const size_t Base = Path.size();
        if (Base > 0) Path += Delimiter;
        Path += Item->GetName();
        if (OpenedByUser(Item)) Out.push_back(Path);
        CollectExpanded(Item->GetItems(), Path, Delimiter, Out, OpenedByUser);
        Path.resize(Base);
    }
}

}  // namespace

std::vector<std::string> TZkCustomItemListEditor::GetExpandedPaths() const {
    std::vector<std::string> Result;
    if (!FItems) return Result;
    std::string Path;
    CollectExpanded(FItems.get(), Path, FPathDelimiter, Result, [](const TZkItemProp* Item) {
        return Item->FExpandedFlag && !Item->FFilterExpanded;
    });
    return Result;
}

void TZkCustomItemListEditor::ExpandPaths(const std::vector<std::string>& Paths) {
    if (!FItems || Paths.empty()) return;
    const std::unordered_set<std::string> Wanted(Paths.begin(), Paths.end());
    // One walk over the tree and one recount, not a notification per item.
    std::function<void(TZkItemProps*, std::string&)> Walk = [&](TZkItemProps* Items,
                                                                std::string& Path) {
        for (int I = 0; I < Items->GetCount(); ++I) {
            TZkItemProp* Item = Items->GetItem(I);
            if (!Item->HasChildren()) continue;
            const size_t Base = Path.size();
            if (Base > 0) Path += FPathDelimiter;
            Path += Item->GetName();
            if (Wanted.count(Path)) Item->FExpandedFlag = true;
            Walk(Item->FItems.get(), Path);
            Path.resize(Base);
        }
    };
    TZkItemProp* Current = GetCurrentItem();
    const int Column = GetLogical(lwColumn);
    TEditorHold Hold(*this);
    std::string Path;
    Walk(FItems.get(), Path);
    FItems->RecountShown();
    LayoutChanged();
    if (!ReturnTo(Current, Column)) Hold.Reload();
}

}  // namespace zk
