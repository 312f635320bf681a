// TZkCustomItemListEditor: the search that shows only the lines whose name, value or full name
// contains a text, with their ancestors, and marks the part it found.
#include <algorithm>
#include <cstring>
#include <memory>

#include "itemlist/ZkItemListEditor.h"
#include "itemlist/ZkItemListEditor_p.h"
#include "platform/core/ScopeExit.h"

namespace zk {

namespace {

// ASCII letters folded to lower case, every other byte as it is.
struct TFoldTable {
    unsigned char Map[256];
    constexpr TFoldTable() : Map() {
        for (int C = 0; C < 256; ++C)
            Map[C] = static_cast<unsigned char>(C >= 'A' && C <= 'Z' ? C + ('a' - 'A') : C);
    }
};
constexpr TFoldTable Fold;

std::string FoldedCopy(const std::string& S) {
    std::string R(S);
    for (char& C : R) C = static_cast<char>(Fold.Map[static_cast<unsigned char>(C)]);
    return R;
}

// Where Needle (folded already) starts in Hay[From..Size), or npos. A search
// runs over every name and value of big trees at each keystroke, so this
// stays on raw bytes.
size_t FindFolded(const char* Hay, size_t Size, const std::string& Needle, size_t From = 0) {
    const size_t N = Needle.size();
    if (N == 0 || Size < N) return std::string::npos;
    const auto* H = reinterpret_cast<const unsigned char*>(Hay);
    const auto* P = reinterpret_cast<const unsigned char*>(Needle.data());
    const unsigned char First = P[0];
    for (size_t I = From, Last = Size - N; I <= Last; ++I) {
        if (Fold.Map[H[I]] != First) continue;
        size_t K = 1;
        while (K < N && Fold.Map[H[I + K]] == P[K]) ++K;
        if (K == N) return I;
    }
    return std::string::npos;
}

size_t FindFolded(const std::string& Hay, const std::string& Needle, size_t From = 0) {
    return FindFolded(Hay.data(), Hay.size(), Needle, From);
}

}  // namespace

void TZkCustomItemListEditor::TFilterPath::Append(const char* Data, size_t Length) {
    if (Size + Length > Capacity) {
        const size_t NewCapacity = std::max(Capacity * 2, Size + Length + 64);
        std::unique_ptr<char[]> Grown(new char[NewCapacity]);
        if (Size > 0) std::memcpy(Grown.get(), Bytes.get(), Size);
        Bytes = std::move(Grown);
        Capacity = NewCapacity;
    }
    std::memcpy(Bytes.get() + Size, Data, Length);
    Size += Length;
}

void TZkCustomItemListEditor::SetFilterText(const std::string& Value) {
    if (Value == FFilterText) return;
    FFilterText = Value;
    FFilterFolded = FoldedCopy(Value);
    ApplyFilter();
}

void TZkCustomItemListEditor::SetFilterCollapsed(bool Value) {
    if (Value == FFilterCollapsed) return;
    FFilterCollapsed = Value;
    if (!FFilterText.empty()) ApplyFilter();
}

size_t TZkCustomItemListEditor::FilterMatch(const std::string& Text) const {
    return FFilterFolded.empty() ? std::string::npos : FindFolded(Text, FFilterFolded);
}

void TZkCustomItemListEditor::ApplyFilter() {
    if (!FItems || !FConstructed || IsLoading()) return;
    TZkItemProp* Current = GetCurrentItem();
    const int Column = GetLogical(lwColumn);
    TEditorHold Hold(*this);
    HideItemHint();
    // A new text starts from the tree the user left: what the last search
    // opened closes again (the walk does that on its way when there is a text).
    if (FFilterFolded.empty()) {
        ClearFilterMarks(FItems.get());
    } else {
        TFilterPath Path;
        FilterLevel(FItems.get(), Path, false);
    }
    // The marks changed without notifications: every level is recounted at
    // once, which costs one pass instead of one resize per item.
    FItems->RecountShown();
    LayoutChanged();
    if (ReturnTo(Current, Column)) return;
    Hold.Reload();
    if (GetLogical(lwLineCount) > GetLogical(lwFixedLines)) {
        TValueRollback<bool> Quiet(FMovingQuietly, true);
        const TGridCoord First = CellOf(std::max(Column, 0), GetLogical(lwFixedLines));
        FocusCell(First.X, First.Y, true);
    }
}

bool TZkCustomItemListEditor::FilterLevel(TZkItemProps* Items, TFilterPath& Path, bool Inherited) {
    const size_t NeedleSize = FFilterFolded.size();
    const std::string& Delimiter = FPathDelimiter;
    bool AnyOwn = false;
    for (int I = 0, Count = Items->GetCount(); I < Count; ++I) {
        TZkItemProp* Item = Items->GetItem(I);
        // What the last search opened closes first: this one decides afresh.
        if (Item->FFilterExpanded) {
            Item->FFilterExpanded = false;
            Item->FExpandedFlag = false;
        }
        const size_t Base = Path.Size;
        if (Base > 0) Path.Append(Delimiter.data(), Delimiter.size());
        Path.Append(Item->FName.data(), Item->FName.size());
        // A match inside the parent's full name was found there already
        // (Inherited); only one that reaches into this item's part is new.
        const size_t From = Base + 1 > NeedleSize ? Base + 1 - NeedleSize : 0;
        const bool InPath =
            FindFolded(Path.Bytes.get(), Path.Size, FFilterFolded, From) != std::string::npos;
        bool Own = InPath;
        const TStringList* Values = Item->FValues.get();
        for (int V = 0, Lines = Values->GetCount(); !Own && V < Lines; ++V)
            Own = FindFolded(Values->GetLine(V), FFilterFolded) != std::string::npos;
        bool Below = false;
        TZkItemProps* Children = Item->FItems.get();
        if (Children && Children->GetCount() > 0)
            Below = FilterLevel(Children, Path, Inherited || InPath);
        Path.Size = Base;
        // Lines under a name that matched all contain the text in their full
        // name; they show when their parent is opened, but do not open it.
        bool Pass = Own || Inherited;
        if (Below) {
            if (FFilterCollapsed && !Item->FExpandedFlag) {
                Item->FExpandedFlag = true;
                Item->FFilterExpanded = true;
            }
            Pass = Pass || Item->FExpandedFlag;
        }
        Item->FFilteredOut = !Pass;
        // A find under a closed item is out of sight and shows no ancestor.
        AnyOwn = AnyOwn || Own || (Below && Item->FExpandedFlag);
    }
    return AnyOwn;
}

void TZkCustomItemListEditor::ClearFilterMarks(TZkItemProps* Items) {
    for (int I = 0; I < Items->GetCount(); ++I) {
        TZkItemProp* Item = Items->GetItem(I);
        Item->FFilteredOut = false;
        if (Item->FFilterExpanded) {
            Item->FFilterExpanded = false;
            Item->FExpandedFlag = false;
        }
        if (Item->FItems) ClearFilterMarks(Item->FItems.get());
    }
}

void TZkCustomItemListEditor::MarkFilterMatch(const std::string& Text, const TRect& Clip, int X,
                                              int Y) {
    const size_t At = FilterMatch(Text);
    if (At == std::string::npos) return;
    TCanvas* C = GetCanvas();
    const int Left = X + C->TextWidth(Text.substr(0, At));
    const int Right = Left + C->TextWidth(Text.substr(At, FFilterFolded.size()));
    TRect Mark{std::max(Left, Clip.Left), std::max(Y - 1, Clip.Top), std::min(Right, Clip.Right),
               std::min(Y + C->TextHeight(Text) + 1, Clip.Bottom)};
    if (Mark.Left >= Mark.Right || Mark.Top >= Mark.Bottom) return;
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clYellow);
    C->FillRect(Mark);
}

}  // namespace zk
