// TCustomTreeView and TTreeView: the tree widget, its selection events and label editing.
#include "platform/gui/TreeView.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/ItemViews_p.h"

namespace zk {

// The tree widget: label editing asks the view first, and expand buttons
// are drawn only with ShowButtons.
class TTreeViewWidget : public TControlWidget<QTreeWidget> {
public:
    explicit TTreeViewWidget(TCustomTreeView* View) : TControlWidget<QTreeWidget>(View) {}

protected:
    TCustomTreeView* View() const { return static_cast<TCustomTreeView*>(GetControl()); }

    bool edit(const QModelIndex& Index, EditTrigger Trigger, QEvent* Event) override {
        TCustomTreeView* V = View();
        const bool Starts = Trigger == AllEditTriggers || (editTriggers() & Trigger);
        if (!V || !Starts || !Index.isValid() || state() == EditingState)
            return QTreeWidget::edit(Index, Trigger, Event);
        if (V->GetReadOnly()) return false;
        bool Allowed = V->FEditApproved;
        if (!Allowed)
            SafeCall(V, [&] { Allowed = V->CanEdit(V->FNodes->NodeOf(itemFromIndex(Index))); });
        return Allowed && QTreeWidget::edit(Index, Trigger, Event);
    }

    void drawBranches(QPainter* Painter, const QRect& Rect, const QModelIndex& Index) const override {
        if (View() && !View()->GetShowButtons()) return;
        QTreeWidget::drawBranches(Painter, Rect, Index);
    }
};

// Hands a finished label edit to the view, which may change the text in OnEdited.
class TTreeViewDelegate : public QStyledItemDelegate {
public:
    TTreeViewDelegate(TCustomTreeView* View, QObject* Parent)
        : QStyledItemDelegate(Parent), FView(View) {}

    QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem& Option,
                          const QModelIndex& Index) const override {
        ++FView->FEditors;
        return QStyledItemDelegate::createEditor(Parent, Option, Index);
    }
    void destroyEditor(QWidget* Editor, const QModelIndex& Index) const override {
        --FView->FEditors;
        QStyledItemDelegate::destroyEditor(Editor, Index);
    }
    void setModelData(QWidget* Editor, QAbstractItemModel*, const QModelIndex& Index) const override {
        auto* Line = qobject_cast<QLineEdit*>(Editor);
        if (!Line) return;
        const QPersistentModelIndex Kept(Index);
        std::string S = Line->text().toStdString();
        TCustomTreeView* V = FView;
        SafeCall(V, [&] {
            QTreeWidget* W = V->GetTreeWidget();
            TTreeNode* Node = V->FNodes->NodeOf(W->itemFromIndex(Kept));
            if (!Node) return;
            V->Edit(Node, S);
            // OnEdited may have deleted the node.
            if (TTreeNode* Still = V->FNodes->NodeOf(W->itemFromIndex(Kept))) Still->SetText(S);
        });
    }

private:
    TCustomTreeView* FView;  // owns the widget that owns this delegate
};

ZK_IMPLEMENT_CLASS(TCustomTreeView)
void TCustomTreeView::DescribeClass(TClassBuilder<TCustomTreeView>& C) {
    C.Redeclare("Color").Default(clWindow);
    C.Redeclare("ParentColor").Default(false);
    C.Redeclare("TabStop").Default(true);
}

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TWinControl(AOwner, new TTreeViewWidget(this)), FNodes(Create<TTreeNodes>(this)) {
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    QTreeWidget* W = GetTreeWidget();
    W->setColumnCount(1);
    W->setHeaderHidden(true);
    W->setSelectionMode(QAbstractItemView::SingleSelection);
    W->setItemDelegate(new TTreeViewDelegate(this, W));
    W->setIndentation(19);
    W->setUniformRowHeights(true);
    FImageLink.reset(Create<TChangeLink>());
    FImageLink->SetOnChange(TNotifyEvent([this](TObject*) { UpdateImages(); }));
    ApplyEditTriggers();
    SetHideSelection(true);
    QObject::connect(W, &QTreeWidget::currentItemChanged, W, [this] {
        if (!FSyncing && !IsDestroying()) SafeCall(this, [this] { CurrentItemChanged(); });
    });
    QObject::connect(W, &QTreeWidget::itemExpanded, W, [this](QTreeWidgetItem* Item) {
        if (!FExpanding && !IsDestroying()) SafeCall(this, [&] { ExpansionChanged(Item, true); });
    });
    QObject::connect(W, &QTreeWidget::itemCollapsed, W, [this](QTreeWidgetItem* Item) {
        if (!FExpanding && !IsDestroying()) SafeCall(this, [&] { ExpansionChanged(Item, false); });
    });
    SetBounds(0, 0, 121, 97);
}

TCustomTreeView::~TCustomTreeView() = default;

void TCustomTreeView::BeforeDestruction() {
    {
        TValueRollback<bool> Guard(FSyncing, true);
        FNodes->Clear();
    }
    SetImages(nullptr);
    SetStateImages(nullptr);
    TWinControl::BeforeDestruction();
}

QTreeWidget* TCustomTreeView::GetTreeWidget() const {
    return static_cast<QTreeWidget*>(GetWidget());
}

void TCustomTreeView::SetItems(TTreeNodes* Value) {
    FNodes->Assign(Value);
}

void TCustomTreeView::UpdateWidgetPalette() {
    TWinControl::UpdateWidgetPalette();
    QWidget* Viewport = GetTreeWidget()->viewport();
    QPalette P = GetTreeWidget()->palette();
    P.setColor(QPalette::Base, ColorToQColor(GetColor()));
    P.setColor(QPalette::Text, ColorToQColor(GetFont()->GetColor()));
    GetTreeWidget()->setPalette(P);
    Viewport->setPalette(P);
}

// ---- selection ----

bool TCustomTreeView::CanChange(TTreeNode* Node) {
    bool Allow = true;
    if (FOnChanging.Assigned()) FOnChanging(this, Node, Allow);
    return Allow;
}

void TCustomTreeView::Change(TTreeNode* Node) {
    if (FAutoExpand && Node) Node->Expand(false);
    if (FOnChange.Assigned()) FOnChange(this, Node);
}

// The widget moved its current item (click, key, code): ask first, and put
// it back when OnChanging refuses.
void TCustomTreeView::CurrentItemChanged() {
    TTreeNode* New = FNodes->NodeOf(GetTreeWidget()->currentItem());
    if (New == FSelected) return;
    if (!CanChange(New)) {
        TValueRollback<bool> Guard(FSyncing, true);
        GetTreeWidget()->setCurrentItem(FSelected ? FSelected->GetItem() : nullptr);
        if (!FSelected) GetTreeWidget()->clearSelection();
        return;
    }
    FSelected = New;
    Change(New);
}

void TCustomTreeView::SyncSelected(bool Force) {
    TTreeNode* New = FNodes->NodeOf(GetTreeWidget()->currentItem());
    if (New == FSelected && !Force) return;
    FSelected = New;
    if (!IsDestroying()) Change(New);
}

void TCustomTreeView::SetSelected(TTreeNode* Value) {
    if (Value == FSelected) return;
    QTreeWidget* W = GetTreeWidget();
    if (Value) {
        W->setCurrentItem(Value->GetItem());
        if (FSelected == Value) W->scrollToItem(Value->GetItem());
    } else {
        W->setCurrentItem(nullptr);
        if (!FSelected) W->clearSelection();
    }
}

TTreeNode* TCustomTreeView::GetTopItem() const {
    return FNodes->NodeOf(GetTreeWidget()->itemAt(1, 1));
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) const {
    return FNodes->NodeOf(GetTreeWidget()->itemAt(X, Y));
}

// ---- expansion ----

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
    bool Allow = true;
    if (FOnExpanding.Assigned()) FOnExpanding(this, Node, Allow);
    return Allow;
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node) {
    bool Allow = true;
    if (FOnCollapsing.Assigned()) FOnCollapsing(this, Node, Allow);
    return Allow;
}

void TCustomTreeView::Expand(TTreeNode* Node) {
    if (FOnExpanded.Assigned()) FOnExpanded(this, Node);
}

void TCustomTreeView::Collapse(TTreeNode* Node) {
    if (FOnCollapsed.Assigned()) FOnCollapsed(this, Node);
}

// Qt tells of an expansion only after it happened, so the node goes back to
// its old state while OnExpanding (OnCollapsing) decides, which also lets a
// handler add the children it is about to show.
void TCustomTreeView::ExpansionChanged(QTreeWidgetItem* Item, bool Expanded) {
    TTreeNode* Node = FNodes->NodeOf(Item);
    if (!Node || IsLoading()) return;
    QTreeWidget* W = GetTreeWidget();
    const QPersistentModelIndex Kept(W->indexFromItem(Item));
    {
        TValueRollback<bool> Guard(FExpanding, true);
        Item->setExpanded(!Expanded);
    }
    const bool Allowed = Expanded ? CanExpand(Node) : CanCollapse(Node);
    // The handler may have deleted the node.
    if (!Allowed || !Kept.isValid() || FNodes->NodeOf(W->itemFromIndex(Kept)) != Node) return;
    {
        TValueRollback<bool> Guard(FExpanding, true);
        Item->setExpanded(Expanded);
    }
    if (Expanded)
        Expand(Node);
    else
        Collapse(Node);
}

// ---- editing and deletion ----

bool TCustomTreeView::CanEdit(TTreeNode* Node) {
    bool Allow = true;
    if (FOnEditing.Assigned()) FOnEditing(this, Node, Allow);
    return Allow;
}

void TCustomTreeView::Edit(TTreeNode* Node, std::string& S) {
    if (FOnEdited.Assigned()) FOnEdited(this, Node, S);
}

bool TCustomTreeView::IsEditing() const {
    return FEditors > 0;
}

bool TCustomTreeView::WantsKey(uint16_t Key, TShiftState Shift) const {
    if ((Key == VK_RETURN || Key == VK_ESCAPE) && IsEditing()) return true;
    return TWinControl::WantsKey(Key, Shift);
}

void TCustomTreeView::Delete(TTreeNode* Node) {
    if (FOnDeletion.Assigned() && !IsDestroying()) FOnDeletion(this, Node);
}

void TCustomTreeView::ApplyEditTriggers() {
    GetTreeWidget()->setEditTriggers(FReadOnly ? QAbstractItemView::NoEditTriggers
                                               : QAbstractItemView::SelectedClicked |
                                                     QAbstractItemView::EditKeyPressed);
}

// ---- expansion and order ----

void TCustomTreeView::FullExpand() {
    GetTreeWidget()->expandAll();
}

void TCustomTreeView::FullCollapse() {
    GetTreeWidget()->collapseAll();
}

void TCustomTreeView::AlphaSort() {
    GetTreeWidget()->sortItems(0, Qt::AscendingOrder);
}

int TCustomTreeView::CompareNodes(TTreeNode* Node1, TTreeNode* Node2) {
    int Result = FSortType == stData ? 0 : AnsiCompareText(Node1->GetText(), Node2->GetText());
    if (FOnCompare.Assigned()) FOnCompare(this, Node1, Node2, 0, Result);
    return Result;
}

void TCustomTreeView::ApplySort(QTreeWidgetItem* Parent) {
    if (FSortType == stNone) return;
    (Parent ? Parent : GetTreeWidget()->invisibleRootItem())->sortChildren(0, Qt::AscendingOrder);
}

void TCustomTreeView::SetSortType(TSortType Value) {
    if (FSortType == Value) return;
    FSortType = Value;
    if (Value != stNone) AlphaSort();
}

// ---- images ----

void TCustomTreeView::UpdateNodeImages(TTreeNode* Node) {
    Node->GetItem()->setIcon(0, ItemIcon(FImages, Node->GetImageIndex(), Node->GetSelectedIndex(),
                                         FStateImages, Node->GetStateIndex(),
                                         Node->GetOverlayIndex()));
}

void TCustomTreeView::UpdateImages() {
    if (IsDestroying()) return;
    const TCustomImageList* Sized = FImages ? FImages : FStateImages;
    const int W = (FImages ? FImages->GetWidth() : 0) + (FStateImages ? FStateImages->GetWidth() : 0);
    GetTreeWidget()->setIconSize(Sized ? QSize(W, Sized->GetHeight()) : QSize(16, 16));
    for (TTreeNode* N = FNodes->GetFirstNode(); N; N = N->GetNext()) UpdateNodeImages(N);
}

void TCustomTreeView::SetImageList(TCustomImageList*& Field, TCustomImageList* Value) {
    if (SetImageListField(this, Field, Value, FImageLink.get())) UpdateImages();
}

void TCustomTreeView::SetImages(TCustomImageList* Value) {
    SetImageList(FImages, Value);
}

void TCustomTreeView::SetStateImages(TCustomImageList* Value) {
    SetImageList(FStateImages, Value);
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) SetImages(nullptr);
    if (AComponent == FStateImages) SetStateImages(nullptr);
}

// ---- appearance ----

void TCustomTreeView::SetAutoExpand(bool Value) {
    FAutoExpand = Value;
}

TFormBorderStyle TCustomTreeView::GetBorderStyle() const {
    return GetTreeWidget()->frameShape() == QFrame::NoFrame ? bsNone : bsSingle;
}

void TCustomTreeView::SetBorderStyle(TFormBorderStyle Value) {
    GetTreeWidget()->setFrameShape(Value == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

// Without the focus the selection shows in the button face colour, or not at all.
void TCustomTreeView::SetHideSelection(bool Value) {
    FHideSelection = Value;
    QTreeWidget* W = GetTreeWidget();
    QPalette P = W->palette();
    if (Value) {
        P.setColor(QPalette::Inactive, QPalette::Highlight, P.color(QPalette::Active, QPalette::Base));
        P.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   P.color(QPalette::Active, QPalette::Text));
    } else {
        P.setColor(QPalette::Inactive, QPalette::Highlight, ColorToQColor(clBtnFace));
        P.setColor(QPalette::Inactive, QPalette::HighlightedText, ColorToQColor(clBtnText));
    }
    W->setPalette(P);
    W->viewport()->update();
}

bool TCustomTreeView::GetHotTrack() const {
    return GetTreeWidget()->viewport()->testAttribute(Qt::WA_Hover);
}

void TCustomTreeView::SetHotTrack(bool Value) {
    GetTreeWidget()->viewport()->setAttribute(Qt::WA_Hover, Value);
}

int TCustomTreeView::GetIndent() const {
    return GetTreeWidget()->indentation();
}

void TCustomTreeView::SetIndent(int Value) {
    GetTreeWidget()->setIndentation(Value < 0 ? 0 : Value);
}

void TCustomTreeView::SetReadOnly(bool Value) {
    if (FReadOnly == Value) return;
    FReadOnly = Value;
    ApplyEditTriggers();
}

bool TCustomTreeView::GetRowSelect() const {
    return GetTreeWidget()->allColumnsShowFocus();
}

void TCustomTreeView::SetRowSelect(bool Value) {
    GetTreeWidget()->setAllColumnsShowFocus(Value);
}

void TCustomTreeView::SetShowButtons(bool Value) {
    if (FShowButtons == Value) return;
    FShowButtons = Value;
    GetTreeWidget()->viewport()->update();
}

bool TCustomTreeView::GetShowRoot() const {
    return GetTreeWidget()->rootIsDecorated();
}

void TCustomTreeView::SetShowRoot(bool Value) {
    GetTreeWidget()->setRootIsDecorated(Value);
}

// ---- TTreeView ----

ZK_IMPLEMENT_CLASS(TTreeView)
void TTreeView::DescribeClass(TClassBuilder<TTreeView>& C) {
    C.Prop("AutoExpand", &TCustomTreeView::GetAutoExpand, &TCustomTreeView::SetAutoExpand)
        .Default(false);
    C.Prop("BorderStyle", &TCustomTreeView::GetBorderStyle, &TCustomTreeView::SetBorderStyle)
        .Type(TypeInfoTBorderStyle())
        .Default(bsSingle);
    C.Prop("HideSelection", &TCustomTreeView::GetHideSelection, &TCustomTreeView::SetHideSelection)
        .Default(true);
    C.Prop("HotTrack", &TCustomTreeView::GetHotTrack, &TCustomTreeView::SetHotTrack).Default(false);
    C.Prop("Images", &TCustomTreeView::GetImages, &TCustomTreeView::SetImages);
    C.Prop("Indent", &TCustomTreeView::GetIndent, &TCustomTreeView::SetIndent).Default(19);
    C.Prop("Items", &TCustomTreeView::GetItems, &TCustomTreeView::SetItems);
    C.Prop("ReadOnly", &TCustomTreeView::GetReadOnly, &TCustomTreeView::SetReadOnly).Default(false);
    C.Prop("RowSelect", &TCustomTreeView::GetRowSelect, &TCustomTreeView::SetRowSelect)
        .Default(false);
    C.Prop("ShowButtons", &TCustomTreeView::GetShowButtons, &TCustomTreeView::SetShowButtons)
        .Default(true);
    C.Prop("ShowRoot", &TCustomTreeView::GetShowRoot, &TCustomTreeView::SetShowRoot).Default(true);
    C.Prop("StateImages", &TCustomTreeView::GetStateImages, &TCustomTreeView::SetStateImages);
    C.Prop("SortType", &TCustomTreeView::GetSortType, &TCustomTreeView::SetSortType).Default(stNone);
    C.Prop("ToolTips", &TCustomTreeView::GetToolTips, &TCustomTreeView::SetToolTips).Default(true);
    C.Prop("OnChange", &TCustomTreeView::GetOnChange, &TCustomTreeView::SetOnChange);
    C.Prop("OnChanging", &TCustomTreeView::GetOnChanging, &TCustomTreeView::SetOnChanging);
    C.Prop("OnCollapsed", &TCustomTreeView::GetOnCollapsed, &TCustomTreeView::SetOnCollapsed);
    C.Prop("OnDeletion", &TCustomTreeView::GetOnDeletion, &TCustomTreeView::SetOnDeletion);
    C.Prop("OnEdited", &TCustomTreeView::GetOnEdited, &TCustomTreeView::SetOnEdited);
    C.Prop("OnCollapsing", &TCustomTreeView::GetOnCollapsing, &TCustomTreeView::SetOnCollapsing);
    C.Prop("OnCompare", &TCustomTreeView::GetOnCompare, &TCustomTreeView::SetOnCompare);
    C.Prop("OnEditing", &TCustomTreeView::GetOnEditing, &TCustomTreeView::SetOnEditing);
    C.Prop("OnExpanded", &TCustomTreeView::GetOnExpanded, &TCustomTreeView::SetOnExpanded);
    C.Prop("OnExpanding", &TCustomTreeView::GetOnExpanding, &TCustomTreeView::SetOnExpanding);
}

TTreeView::TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}

}  // namespace zk
