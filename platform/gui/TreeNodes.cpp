// TTreeNode and TTreeNodes: nodes over the tree widget's items, the tree text format and the
// nodes' form data.
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <algorithm>
#include <cassert>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/Stream.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/TreeView.h"

namespace zk {

namespace {

// The item role that holds the node of an item.
constexpr int NodeRole = Qt::UserRole + 1;

[[noreturn]] void IndexError(int Index) {
    throw EListError("List index out of bounds (%d)", {Index});
}

// One line of the text format: its indentation width and its text.
struct TTextLine {
    int Indent;
    std::string Text;
};

std::vector<TTextLine> ParseTreeText(const std::string& Text) {
    std::vector<TTextLine> Lines;
    size_t Pos = 0;
    if (Text.compare(0, 3, "\xEF\xBB\xBF") == 0) Pos = 3;
    while (Pos < Text.size()) {
        size_t End = Text.find_first_of("\r\n", Pos);
        if (End == std::string::npos) End = Text.size();
        const std::string Line = Text.substr(Pos, End - Pos);
        Pos = End;
        if (Pos < Text.size() && Text[Pos] == '\r') ++Pos;
        if (Pos < Text.size() && Text[Pos] == '\n') ++Pos;
        const size_t First = Line.find_first_not_of(" \t");
        if (First == std::string::npos) continue;  // blank lines make no nodes
        Lines.push_back({static_cast<int>(First), Line.substr(First)});
    }
    return Lines;
}

// Items order as their view's SortType and OnCompare say; by text (ASCII
// letters folded, then bytes) outside a view.
class TNodeItem : public QTreeWidgetItem {
public:
    bool operator<(const QTreeWidgetItem& Other) const override {
        TTreeNode* A = NodeOfItem(this);
        TTreeNode* B = NodeOfItem(&Other);
        if (!A || !B)
            return AnsiCompareText(text(0).toStdString(), Other.text(0).toStdString()) < 0;
        TCustomTreeView* View = A->GetTreeView();
        int Result = 0;
        // OnCompare runs inside Qt's sort, which no exception may cross.
        SafeCall(View, [&] { Result = View->CompareNodes(A, B); });
        return Result < 0;
    }

private:
    static TTreeNode* NodeOfItem(const QTreeWidgetItem* Item) {
        return reinterpret_cast<TTreeNode*>(Item->data(0, NodeRole).value<quintptr>());
    }
};

}  // namespace

// ---- TTreeNode ----

ZK_IMPLEMENT_CLASS(TTreeNode)
void TTreeNode::DescribeClass(TClassBuilder<TTreeNode>&) {}

TTreeNode::TTreeNode(TTreeNodes* Owner) : FOwner(Owner), FItem(new TNodeItem()) {
    FItem->setData(0, NodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
    FItem->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
}

TTreeNode::~TTreeNode() {
    delete FItem;
}

TPersistent* TTreeNode::GetOwner() const {
    return FOwner;
}

TCustomTreeView* TTreeNode::GetTreeView() const {
    return FOwner->FOwner;
}

void TTreeNode::UpdateItem() {
    FItem->setText(0, QString::fromUtf8(FText));
    GetTreeView()->UpdateNodeImages(this);
}

void TTreeNode::SetText(const std::string& Value) {
    if (FText == Value) return;
    FText = Value;
    FItem->setText(0, QString::fromUtf8(FText));
    GetTreeView()->ApplySort(FItem->parent());
}

void TTreeNode::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    GetTreeView()->UpdateNodeImages(this);
}

void TTreeNode::SetSelectedIndex(int Value) {
    if (FSelectedIndex == Value) return;
    FSelectedIndex = Value;
    GetTreeView()->UpdateNodeImages(this);
}

void TTreeNode::SetStateIndex(int Value) {
    if (FStateIndex == Value) return;
    FStateIndex = Value;
    GetTreeView()->UpdateNodeImages(this);
}

void TTreeNode::SetOverlayIndex(int Value) {
    if (FOverlayIndex == Value) return;
    FOverlayIndex = Value;
    GetTreeView()->UpdateNodeImages(this);
}

TTreeNode* TTreeNode::GetParent() const {
    return FOwner->NodeOf(FItem->parent());
}

int TTreeNode::GetCount() const {
    return FItem->childCount();
}

TTreeNode* TTreeNode::GetChild(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    return FOwner->NodeOf(FItem->child(Index));
}

int TTreeNode::GetIndex() const {
    if (QTreeWidgetItem* P = FItem->parent()) return P->indexOfChild(FItem);
    return FOwner->Widget()->indexOfTopLevelItem(FItem);
}

int TTreeNode::GetLevel() const {
    int Level = 0;
    for (QTreeWidgetItem* P = FItem->parent(); P; P = P->parent()) ++Level;
    return Level;
}

int TTreeNode::GetAbsoluteIndex() const {
    int Index = 0;
    for (const TTreeNode* N = GetPrev(); N; N = N->GetPrev()) ++Index;
    return Index;
}

TTreeNode* TTreeNode::GetFirstChild() const {
    return GetCount() ? FOwner->NodeOf(FItem->child(0)) : nullptr;
}

TTreeNode* TTreeNode::GetLastChild() const {
    return GetCount() ? FOwner->NodeOf(FItem->child(GetCount() - 1)) : nullptr;
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const int Index = GetIndex() + 1;
    if (QTreeWidgetItem* P = FItem->parent())
        return Index < P->childCount() ? FOwner->NodeOf(P->child(Index)) : nullptr;
    return FOwner->NodeOf(FOwner->Widget()->topLevelItem(Index));
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    const int Index = GetIndex() - 1;
    if (Index < 0) return nullptr;
    if (QTreeWidgetItem* P = FItem->parent()) return FOwner->NodeOf(P->child(Index));
    return FOwner->NodeOf(FOwner->Widget()->topLevelItem(Index));
}

TTreeNode* TTreeNode::GetNext() const {
    if (TTreeNode* Child = GetFirstChild()) return Child;
    for (const TTreeNode* N = this; N; N = N->GetParent())
        if (TTreeNode* Sibling = N->GetNextSibling()) return Sibling;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
    TTreeNode* N = GetPrevSibling();
    if (!N) return GetParent();
    while (TTreeNode* Last = N->GetLastChild()) N = Last;
    return N;
}

bool TTreeNode::HasAsParent(const TTreeNode* Value) const {
    for (TTreeNode* P = GetParent(); P; P = P->GetParent())
        if (P == Value) return true;
    return false;
}

bool TTreeNode::GetExpanded() const {
    return FItem->isExpanded();
}

void TTreeNode::SetExpanded(bool Value) {
    FItem->setExpanded(Value);
}

void TTreeNode::Expand(bool Recurse) {
    SetExpanded(true);
    if (Recurse)
        for (int I = 0; I < GetCount(); ++I) GetChild(I)->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
    SetExpanded(false);
    if (Recurse)
        for (int I = 0; I < GetCount(); ++I) GetChild(I)->Collapse(true);
}

bool TTreeNode::GetSelected() const {
    return GetTreeView()->GetSelected() == this;
}

void TTreeNode::SetSelected(bool Value) {
    if (Value)
        GetTreeView()->SetSelected(this);
    else if (GetSelected())
        GetTreeView()->SetSelected(nullptr);
}

void TTreeNode::MakeVisible() {
    FOwner->Widget()->scrollToItem(FItem);
}

bool TTreeNode::EditText() {
    TCustomTreeView* View = GetTreeView();
    // Asked here, so that a refusal never reaches the widget's edit call.
    if (View->GetReadOnly() || !View->CanEdit(this)) return false;
    TValueRollback<bool> Approved(View->FEditApproved, true);
    FOwner->Widget()->editItem(FItem, 0);
    return GetTreeView()->IsEditing();
}

void TTreeNode::MoveTo(TTreeNode* Destination, TNodeAttachMode Mode) {
    if (Destination == this || (Destination && Destination->HasAsParent(this))) return;
    TCustomTreeView* View = GetTreeView();
    const bool WasExpanded = GetExpanded();
    const bool WasSelected = GetSelected();
    {
        TValueRollback<bool> Guard(View->FSyncing, true);
        QTreeWidget* W = FOwner->Widget();
        if (QTreeWidgetItem* P = FItem->parent())
            P->takeChild(P->indexOfChild(FItem));
        else
            W->takeTopLevelItem(W->indexOfTopLevelItem(FItem));
        QTreeWidgetItem* Parent = nullptr;
        int Index = 0;
        if (!Destination) {
            Index = Mode == naAddFirst || Mode == naAddChildFirst ? 0 : W->topLevelItemCount();
        } else if (Mode == naAddChild || Mode == naAddChildFirst) {
            Parent = Destination->FItem;
            Index = Mode == naAddChildFirst ? 0 : Parent->childCount();
        } else {
            Parent = Destination->FItem->parent();
            const int Count = Parent ? Parent->childCount() : W->topLevelItemCount();
            Index = Mode == naAddFirst ? 0 : Mode == naInsert ? Destination->GetIndex() : Count;
        }
        if (Parent)
            Parent->insertChild(Index, FItem);
        else
            W->insertTopLevelItem(Index, FItem);
        FItem->setExpanded(WasExpanded);
        if (WasSelected) W->setCurrentItem(FItem);
    }
    View->SyncSelected(false);
}

void TTreeNode::Delete() {
    FOwner->Delete(this);
}

void TTreeNode::DeleteChildren() {
    FOwner->BeginUpdate();
    TScopeExit Done([this] { FOwner->EndUpdate(); });
    while (GetCount() > 0) FOwner->Delete(GetLastChild());
}

void TTreeNode::Assign(TPersistent* Source) {
    auto* S = DynamicCast<TTreeNode>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    SetText(S->FText);
    SetData(S->FData);
    SetImageIndex(S->FImageIndex);
    SetSelectedIndex(S->FSelectedIndex);
    SetStateIndex(S->FStateIndex);
    SetOverlayIndex(S->FOverlayIndex);
}

// ---- TTreeNodes ----

ZK_IMPLEMENT_CLASS(TTreeNodes)
void TTreeNodes::DescribeClass(TClassBuilder<TTreeNodes>&) {}

TTreeNodes::TTreeNodes(TCustomTreeView* Owner) : FOwner(Owner) {}

TTreeNodes::~TTreeNodes() = default;

TPersistent* TTreeNodes::GetOwner() const {
    return FOwner;
}

QTreeWidget* TTreeNodes::Widget() const {
    return FOwner->GetTreeWidget();
}

TTreeNode* TTreeNodes::NodeOf(const QTreeWidgetItem* Item) const {
    if (!Item) return nullptr;
    return reinterpret_cast<TTreeNode*>(Item->data(0, NodeRole).value<quintptr>());
}

TTreeNode* TTreeNodes::GetItem(int Index) const {
    if (Index < 0 || Index >= FCount) IndexError(Index);
    TTreeNode* N = GetFirstNode();
    for (int I = 0; I < Index && N; ++I) N = N->GetNext();
    return N;
}

TTreeNode* TTreeNodes::GetFirstNode() const {
    return NodeOf(Widget()->topLevelItem(0));
}

TTreeNode* TTreeNodes::NewNode(QTreeWidgetItem* Parent, int Index, const std::string& S,
                               void* Data) {
    auto* Node = new TTreeNode(this);
    Node->FText = S;
    Node->FData = Data;
    if (Parent)
        Parent->insertChild(Index, Node->FItem);
    else
        Widget()->insertTopLevelItem(Index, Node->FItem);
    ++FCount;
    Node->UpdateItem();
    if (FUpdateCount == 0) FOwner->ApplySort(Parent);
    return Node;
}

TTreeNode* TTreeNodes::AddNode(TTreeNode* Relative, const std::string& S, void* Data,
                               TNodeAttachMode Mode) {
    QTreeWidgetItem* Parent = nullptr;
    int Index = 0;
    if (Mode == naAddChild || Mode == naAddChildFirst) {
        Parent = Relative ? Relative->FItem : nullptr;
    } else if (Relative) {
        Parent = Relative->FItem->parent();
    }
    const int Count = Parent ? Parent->childCount() : Widget()->topLevelItemCount();
    switch (Mode) {
        case naAdd:
        case naAddChild:
            Index = Count;
            break;
        case naAddFirst:
        case naAddChildFirst:
            Index = 0;
            break;
        case naInsert:
            Index = Relative ? Relative->GetIndex() : Count;
            break;
    }
    return NewNode(Parent, Index, S, Data);
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& S) {
    return AddNode(Sibling, S, nullptr, naAdd);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const std::string& S, void* Data) {
    return AddNode(Sibling, S, Data, naAdd);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* Sibling, const std::string& S) {
    return AddNode(Sibling, S, nullptr, naAddFirst);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& S) {
    return AddNode(Parent, S, nullptr, naAddChild);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& S, void* Data) {
    return AddNode(Parent, S, Data, naAddChild);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const std::string& S) {
    return AddNode(Parent, S, nullptr, naAddChildFirst);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const std::string& S) {
    return AddNode(Sibling, S, nullptr, naInsert);
}

TTreeNode* TTreeNodes::InsertObject(TTreeNode* Sibling, const std::string& S, void* Data) {
    return AddNode(Sibling, S, Data, naInsert);
}

// Children first, so OnDeletion sees every node while its parent still stands.
void TTreeNodes::FreeNode(TTreeNode* Node) {
    while (Node->GetCount() > 0) FreeNode(Node->GetLastChild());
    FOwner->Delete(Node);
    QTreeWidgetItem* Item = Node->FItem;
    if (QTreeWidgetItem* P = Item->parent())
        P->takeChild(P->indexOfChild(Item));
    else
        Widget()->takeTopLevelItem(Widget()->indexOfTopLevelItem(Item));
    --FCount;
    delete Node;
}

void TTreeNodes::Delete(TTreeNode* Node) {
    if (!Node) return;
    assert(Node->FOwner == this && "TTreeNodes::Delete: the node belongs to another tree");
    TTreeNode* Selected = FOwner->FSelected;
    const bool LosesSelection = Selected && (Selected == Node || Selected->HasAsParent(Node));
    if (LosesSelection) FOwner->FSelected = nullptr;
    {
        TValueRollback<bool> Guard(FOwner->FSyncing, true);
        FreeNode(Node);
    }
    FOwner->SyncSelected(LosesSelection);
}

void TTreeNodes::Clear() {
    BeginUpdate();
    TScopeExit Done([this] { EndUpdate(); });
    const bool HadSelection = FOwner->FSelected != nullptr;
    FOwner->FSelected = nullptr;
    {
        TValueRollback<bool> Guard(FOwner->FSyncing, true);
        while (Widget()->topLevelItemCount() > 0)
            FreeNode(NodeOf(Widget()->topLevelItem(Widget()->topLevelItemCount() - 1)));
    }
    FOwner->SyncSelected(HadSelection);
}

void TTreeNodes::BeginUpdate() {
    if (FUpdateCount++ == 0) Widget()->setUpdatesEnabled(false);
}

void TTreeNodes::EndUpdate() {
    assert(FUpdateCount > 0 && "TTreeNodes::EndUpdate without BeginUpdate");
    if (--FUpdateCount > 0) return;
    if (FOwner->GetSortType() != stNone) FOwner->AlphaSort();
    Widget()->setUpdatesEnabled(true);
}

void TTreeNodes::Assign(TPersistent* Source) {
    auto* S = DynamicCast<TTreeNodes>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    if (S == this) return;
    BeginUpdate();
    TScopeExit Done([this] { EndUpdate(); });
    Clear();
    // Depth-first copy; expansion last, as Qt expands only items with children.
    std::vector<std::pair<TTreeNode*, const TTreeNode*>> Pending;
    for (const TTreeNode* N = S->GetFirstNode(); N; N = N->GetNextSibling())
        Pending.push_back({nullptr, N});
    std::vector<std::pair<TTreeNode*, bool>> Expansion;
    for (size_t I = 0; I < Pending.size(); ++I) {
        auto [Parent, From] = Pending[I];
        TTreeNode* To = AddChild(Parent, From->FText);
        To->Assign(const_cast<TTreeNode*>(From));
        Expansion.push_back({To, From->GetExpanded()});
        for (const TTreeNode* C = From->GetFirstChild(); C; C = C->GetNextSibling())
            Pending.push_back({To, C});
    }
    for (auto [Node, Expanded] : Expansion) Node->SetExpanded(Expanded);
}

// ---- the tree text format ----

void TTreeNodes::SetTextStr(const std::string& Text) {
    const std::vector<TTextLine> Lines = ParseTreeText(Text);
    BeginUpdate();
    TScopeExit Done([this] { EndUpdate(); });
    Clear();
    // The ancestors of the current line with their indentation; a line hangs
    // under the nearest one indented less, however deep it is indented.
    std::vector<std::pair<int, TTreeNode*>> Path;
    for (const TTextLine& Line : Lines) {
        while (!Path.empty() && Path.back().first >= Line.Indent) Path.pop_back();
        TTreeNode* Node = AddChild(Path.empty() ? nullptr : Path.back().second, Line.Text);
        Path.push_back({Line.Indent, Node});
    }
}

std::string TTreeNodes::GetTextStr() const {
    std::string Text;
    for (const TTreeNode* N = GetFirstNode(); N; N = N->GetNext()) {
        Text.append(static_cast<size_t>(N->GetLevel()), '\t');
        Text += N->FText;
        Text += "\r\n";
    }
    return Text;
}

void TTreeNodes::LoadFromStream(TStream* Stream) {
    std::string Text;
    char Buffer[4096];
    for (int64_t N; (N = Stream->Read(Buffer, sizeof Buffer)) > 0;)
        Text.append(Buffer, static_cast<size_t>(N));
    SetTextStr(Text);
}

void TTreeNodes::LoadFromFile(const std::string& FileName) {
    // A directory opens like a file here but reads nothing; it must not empty the tree.
    std::error_code Error;
    if (std::filesystem::is_directory(FileName, Error))
        throw EFOpenError("Cannot open file \"%s\". %s",
                          {FileName, std::make_error_code(std::errc::is_a_directory).message()});
    std::string Text;
    {
        TFileStream Stream(FileName, fmOpenRead);
        char Buffer[4096];
        for (int64_t N; (N = Stream.Read(Buffer, sizeof Buffer)) > 0;)
            Text.append(Buffer, static_cast<size_t>(N));
    }
    SetTextStr(Text);
}

void TTreeNodes::SaveToStream(TStream* Stream) const {
    const std::string Text = GetTextStr();
    Stream->WriteBuffer(Text.data(), static_cast<int64_t>(Text.size()));
}

void TTreeNodes::SaveToFile(const std::string& FileName) const {
    TFileStream Stream(FileName, fmCreate);
    SaveToStream(&Stream);
}

// ---- form data ----

void TTreeNodes::DefineProperties(TFiler* Filer) {
    TPersistent::DefineProperties(Filer);
    Filer->DefineProperty(
        "Data", [this](TReader* Reader) { ReadData(Reader); },
        [this](TWriter* Writer) { WriteData(Writer); }, FCount > 0);
}

void TTreeNodes::WriteData(TWriter* Writer) const {
    Writer->WriteListBegin();
    for (const TTreeNode* N = GetFirstNode(); N; N = N->GetNextSibling()) WriteNode(Writer, N);
    Writer->WriteListEnd();
}

// A node is a list: its text, then a name and a value for each index that
// is not -1 and for Expanded when set, then one list per child.
void TTreeNodes::WriteNode(TWriter* Writer, const TTreeNode* Node) const {
    Writer->WriteListBegin();
    Writer->WriteString(Node->FText);
    auto Index = [Writer](const char* Name, int Value) {
        if (Value == -1) return;
        Writer->WriteIdent(Name);
        Writer->WriteInteger(Value);
    };
    Index("ImageIndex", Node->FImageIndex);
    Index("SelectedIndex", Node->FSelectedIndex);
    Index("StateIndex", Node->FStateIndex);
    Index("OverlayIndex", Node->FOverlayIndex);
    if (Node->GetExpanded() && Node->HasChildren()) {
        Writer->WriteIdent("Expanded");
        Writer->WriteBoolean(true);
    }
    for (const TTreeNode* C = Node->GetFirstChild(); C; C = C->GetNextSibling())
        WriteNode(Writer, C);
    Writer->WriteListEnd();
}

void TTreeNodes::ReadData(TReader* Reader) {
    BeginUpdate();
    TScopeExit Done([this] { EndUpdate(); });
    Clear();
    Reader->ReadListBegin();
    while (!Reader->EndOfList()) ReadNode(Reader, nullptr);
    Reader->ReadListEnd();
}

void TTreeNodes::ReadNode(TReader* Reader, TTreeNode* Parent) {
    Reader->ReadListBegin();
    TTreeNode* Node = AddChild(Parent, Reader->ReadString());
    bool Expanded = false;
    while (!Reader->EndOfList()) {
        if (Reader->NextValue() == vaList) {
            ReadNode(Reader, Node);
            continue;
        }
        const std::string Name = Reader->ReadIdent();
        if (SameText(Name, "Expanded"))
            Expanded = Reader->ReadBoolean();
        else if (SameText(Name, "ImageIndex"))
            Node->SetImageIndex(Reader->ReadInteger());
        else if (SameText(Name, "SelectedIndex"))
            Node->SetSelectedIndex(Reader->ReadInteger());
        else if (SameText(Name, "StateIndex"))
            Node->SetStateIndex(Reader->ReadInteger());
        else if (SameText(Name, "OverlayIndex"))
            Node->SetOverlayIndex(Reader->ReadInteger());
        else
            throw EReadError("Invalid property value: %s", {Name});
    }
    Reader->ReadListEnd();
    if (Expanded) Node->SetExpanded(true);
}

}  // namespace zk
