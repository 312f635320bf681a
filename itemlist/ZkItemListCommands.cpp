// TZkCustomItemListEditor: the options beyond the classic grid that act on input (tree keys,
// wheel scrolling, clipboard lines) and the view state a rebuild keeps (open items, top line).
#include <QApplication>
#include <QClipboard>
#include <functional>
#include <unordered_set>

#include "itemlist/ZkInplaceEditList.h"
#include "itemlist/ZkItemListEditor.h"
#include "itemlist/ZkItemListEditor_p.h"
#include "platform/core/TypInfo.h"
#include "platform/gui/Application.h"

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
    if (FClipboardKeys && Ctrl && Wide && !Alt && (Key == 'C' || Key == 'V')) {
        QClipboard* Clipboard = QGuiApplication::clipboard();
        if (Key == 'C')
            Clipboard->setText(QString::fromUtf8(CopyLines()));
        else
            PasteLines(Clipboard->text().toUtf8().toStdString());
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

// ---- clipboard lines ----

std::string TZkCustomItemListEditor::CopyLines() {
    const TGridRect Sel = GetSelection();
    const bool Vertical = FOrientation == goVertical;
    const int First = Vertical ? Sel.Top : Sel.Left;
    const int Last = Vertical ? Sel.Bottom : Sel.Right;
    const int Column = GetLogical(lwColumn) > 0 ? GetLogical(lwColumn) : 1;
    std::string Text;
    for (int Line = First; Line <= Last; ++Line) {
        const TGridCoord Name = CellOf(0, Line);
        TZkItemProp* Item = ItemAtCell(Name.X, Name.Y, true);
        if (!Item) continue;
        const TGridCoord Value = CellOf(Column, Line);
        if (!Text.empty()) Text += '\n';
        Text += Item->GetFullName() + "=" + GetCellText(Value.X, Value.Y);
    }
    return Text;
}

int TZkCustomItemListEditor::PasteLines(const std::string& Text) {
    // What is typed in the cell is committed first, as moving off it would;
    // the editor then stands aside and takes its cell's text afresh.
    CommitEdit();
    TEditorHider Hider(*this);
    int Committed = 0;
    size_t Start = 0;
    while (Start <= Text.size()) {
        size_t End = Text.find('\n', Start);
        if (End == std::string::npos) End = Text.size();
        std::string Line = Text.substr(Start, End - Start);
        Start = End + 1;
        if (!Line.empty() && Line.back() == '\r') Line.pop_back();
        if (Line.empty()) continue;
        try {
            if (PasteLine(Line)) ++Committed;
        } catch (...) {
            Application->HandleException(this);
        }
    }
    return Committed;
}

bool TZkCustomItemListEditor::PasteLine(const std::string& Line) {
    const size_t Eq = Line.find('=');
    const std::string Path = Line.substr(0, Eq);
    const std::string Value = Eq == std::string::npos ? std::string() : Line.substr(Eq + 1);
    TZkItemProp* Item = FItems->FindPath(Path);
    if (!Item) throw Exception("Property not found: %s", {Path});
    if (Item->GetReadOnly()) throw EPropertyError("Property is read-only");
    const int Column = GetLogical(lwColumn) > 0 ? GetLogical(lwColumn) : 1;
    TZkItemPropValueStrings* Values = Item->GetValues();
    const std::string Before = Values->GetTextStr();
    try {
        if (Column - 1 < GetValueColCount()) Values->Get(Column - 1);  // fits the list
        while (Values->GetCount() < Column) Values->Add(std::string());
        Values->Put(Column - 1, Value);
        Item->Validate();
    } catch (...) {
        // Validation may have rebuilt the rows: the item is found again by its name.
        if (TZkItemProp* Again = FItems->FindPath(Path)) Again->GetValues()->SetTextStr(Before);
        throw;
    }
    return true;
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
