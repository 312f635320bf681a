// TCustomListView and TListView: a report pane and an icon pane over one item model, selection
// events, caption editing and dragging items inside the list.
#include "platform/gui/ListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <set>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/ItemViews_p.h"
#include "platform/gui/ListView_p.h"

namespace zk {

// A view inside the list view's widget. Mouse, key and focus events reach
// the list view after the view handled them, in the list view's client
// coordinates; while an item drag is pending the view's own mouse handling
// (rubber bands, range selection) is left out.
template <class V>
class TListPane : public V {
public:
    TListPane(TCustomListView* View, QWidget* Parent) : V(Parent), FView(View) {}
    // Called before the list view goes: no event reaches it afterwards.
    void Detach() { FView = nullptr; }

protected:
    // A press on a selected item keeps the selection, so that a drag takes
    // every selected item; the release selects the item alone when no drag came.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& Index,
                                                         const QEvent* E) const override {
        if (FView && E && E->type() == QEvent::MouseButtonPress && Index.isValid() &&
            FView->GetDragMode() == dmAutomatic) {
            const auto* M = static_cast<const QMouseEvent*>(E);
            if (M->button() == Qt::LeftButton && M->modifiers() == Qt::NoModifier &&
                this->selectionModel()->isRowSelected(Index.row(), QModelIndex())) {
                FView->FPressedSelected = true;
                return QItemSelectionModel::NoUpdate;
            }
        }
        return V::selectionCommand(Index, E);
    }
    void mousePressEvent(QMouseEvent* E) override {
        if (FView) FView->FPressedSelected = false;
        Mouse(E, [&] { V::mousePressEvent(E); });
    }
    bool edit(const QModelIndex& Index, QAbstractItemView::EditTrigger Trigger, QEvent* E) override {
        const bool Starts =
            Trigger == QAbstractItemView::AllEditTriggers || (this->editTriggers() & Trigger);
        if (!FView || !Starts || !Index.isValid() || this->state() == QAbstractItemView::EditingState)
            return V::edit(Index, Trigger, E);
        if (FView->GetReadOnly() || FView->GetDragging()) return false;
        bool Allowed = false;
        SafeCall(FView, [&] { Allowed = FView->CanEdit(FView->FItems->ItemOfRow(Index.row())); });
        return Allowed && V::edit(Index, Trigger, E);
    }
    void mouseDoubleClickEvent(QMouseEvent* E) override {
        Mouse(E, [&] { V::mouseDoubleClickEvent(E); });
    }
    void mouseMoveEvent(QMouseEvent* E) override {
        if (Dragging()) return Mouse(E, [] {});
        Mouse(E, [&] { V::mouseMoveEvent(E); });
    }
    void mouseReleaseEvent(QMouseEvent* E) override {
        if (FView && (FView->GetDragging() || FView->FDragCancelled)) return Mouse(E, [] {});
        Mouse(E, [&] { V::mouseReleaseEvent(E); });
    }
    void keyPressEvent(QKeyEvent* E) override {
        Key(E, [&](QKeyEvent* K) { V::keyPressEvent(K); });
    }
    void keyReleaseEvent(QKeyEvent* E) override {
        Key(E, [&](QKeyEvent* K) { V::keyReleaseEvent(K); });
    }
    void focusInEvent(QFocusEvent* E) override {
        V::focusInEvent(E);
        if (FView) TWidgetEvents::Deliver(FView, E);
    }
    void focusOutEvent(QFocusEvent* E) override {
        V::focusOutEvent(E);
        if (FView) TWidgetEvents::Deliver(FView, E);
    }
    bool focusNextPrevChild(bool Next) override {
        if (FView && TWidgetEvents::FocusNext(FView, Next)) return true;
        return V::focusNextPrevChild(Next);
    }

private:
    bool Dragging() const {
        return FView && (FView->FDragging || FView->FDragPending || FView->FDragCancelled);
    }

    template <class F>
    void Mouse(QMouseEvent* E, F Native) {
        QPointer<QObject> Alive(this);
        Native();
        if (!Alive || !FView) return;
        const QPoint P = this->viewport()->mapTo(FView->GetWidget(), E->position().toPoint());
        QMouseEvent Copy(E->type(), QPointF(P), E->globalPosition(), E->button(), E->buttons(),
                         E->modifiers());
        TWidgetEvents::Deliver(FView, &Copy);
        E->accept();
    }
    template <class F>
    void Key(QKeyEvent* E, F Native) {
        QPointer<QObject> Alive(this);
        std::unique_ptr<QKeyEvent> Replacement;
        if (FView && TWidgetEvents::Key(FView, E, Replacement)) {
            E->accept();
            return;
        }
        if (!Alive) return;
        Native(Replacement ? Replacement.get() : E);
        E->accept();
    }

    TCustomListView* FView;  // owns the widget that holds this pane; null once detached
};

// The two panes; the one of the current view style shows and takes the focus.
class TListViewPanes {
public:
    TListPane<QTreeView>* Report = nullptr;  // children of the list view's widget
    TListPane<QListView>* Icons = nullptr;
};

// Paints the selection in the first column only without RowSelect, draws
// grid lines, and hands finished caption edits to the list view.
class TListViewDelegate : public QStyledItemDelegate {
public:
    TListViewDelegate(TCustomListView* View, QObject* Parent)
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
        TCustomListView* V = FView;
        SafeCall(V, [&] {
            TListItem* Item = V->FItems->ItemOfRow(Kept.row());
            if (!Item) return;
            V->Edit(Item, S);
            // OnEdited may have deleted the item.
            if (!Kept.isValid()) return;
            if (TListItem* Still = V->FItems->ItemOfRow(Kept.row())) Still->SetCaption(S);
        });
    }
    void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override {
        QStyleOptionViewItem O(Option);
        if (!FView->GetRowSelect() && Index.column() > 0) O.state &= ~QStyle::State_Selected;
        QStyledItemDelegate::paint(Painter, O, Index);
        if (FView->GetGridLines() && FView->GetViewStyle() == vsReport) {
            Painter->save();
            Painter->setPen(ColorToQColor(clBtnFace));
            Painter->drawLine(O.rect.bottomLeft(), O.rect.bottomRight());
            Painter->drawLine(O.rect.topRight(), O.rect.bottomRight());
            Painter->restore();
        }
    }

private:
    TCustomListView* FView;  // owns the widget that owns this delegate
};

ZK_IMPLEMENT_CLASS(TCustomListView)
void TCustomListView::DescribeClass(TClassBuilder<TCustomListView>& C) {
    C.Redeclare("Color").Default(clWindow);
    C.Redeclare("ParentColor").Default(false);
    C.Redeclare("TabStop").Default(true);
}

TCustomListView::TCustomListView(TComponent* AOwner)
    : TWinControl(AOwner, MakeControlWidget<QWidget>(this)),
      FModel(new QStandardItemModel(GetWidget())),
      FSelection(new QItemSelectionModel(FModel, GetWidget())),
      FPanes(std::make_unique<TListViewPanes>()),
      FColumns(Create<TListColumns>(this)),
      FItems(Create<TListItems>(this)) {
    QWidget* W = GetWidget();
    FModel->setColumnCount(1);
    auto* Delegate = new TListViewDelegate(this, W);
    FImageLink.reset(Create<TChangeLink>());
    FImageLink->SetOnChange(TNotifyEvent([this](TObject*) { UpdateImages(); }));

    auto* Report = new TListPane<QTreeView>(this, W);
    Report->setRootIsDecorated(false);
    Report->setItemsExpandable(false);
    Report->setUniformRowHeights(true);
    Report->header()->setStretchLastSection(false);
    Report->header()->setSectionsClickable(true);
    FPanes->Report = Report;

    auto* Icons = new TListPane<QListView>(this, W);
    Icons->setResizeMode(QListView::Adjust);
    Icons->setMovement(QListView::Static);
    Icons->setWrapping(true);
    FPanes->Icons = Icons;

    for (QAbstractItemView* V : {static_cast<QAbstractItemView*>(Report),
                                 static_cast<QAbstractItemView*>(Icons)}) {
        V->setModel(FModel);
        V->setSelectionModel(FSelection);
        V->setItemDelegate(Delegate);
        V->setSelectionBehavior(QAbstractItemView::SelectRows);
        V->setSelectionMode(QAbstractItemView::SingleSelection);
        V->setFocusPolicy(Qt::StrongFocus);
        V->setFrameShape(QFrame::StyledPanel);
    }
    QObject::connect(FSelection, &QItemSelectionModel::selectionChanged, W,
                     [this](const QItemSelection& Selected, const QItemSelection& Deselected) {
                         if (FSyncing || IsDestroying()) return;
                         std::vector<int> Rows;
                         std::set<int> Seen;
                         for (const QItemSelection* S : {&Deselected, &Selected})
                             for (const QModelIndex& I : S->indexes())
                                 if (Seen.insert(I.row()).second) Rows.push_back(I.row());
                         SafeCall(this, [&] { SelectionChanged(Rows); });
                     });
    QObject::connect(Report->header(), &QHeaderView::sectionClicked, W, [this](int Section) {
        if (IsDestroying() || Section >= FColumns->GetCount()) return;
        SafeCall(this, [&] { ColClick(FColumns->GetItem(Section)); });
    });
    QObject::connect(Report->header(), &QHeaderView::sectionResized, W,
                     [this](int Section, int, int Size) {
                         if (FSyncing || IsDestroying() || Section >= FColumns->GetCount()) return;
                         FColumns->GetItem(Section)->FWidth = Size;
                     });
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    ApplyEditTriggers();
    SetHideSelection(true);
    SetViewStyleNow();
    SetBounds(0, 0, 250, 150);
}

TCustomListView::~TCustomListView() = default;

void TCustomListView::BeforeDestruction() {
    {
        TValueRollback<bool> Guard(FSyncing, true);
        FItems->Clear();
    }
    SetLargeImages(nullptr);
    SetSmallImages(nullptr);
    SetStateImages(nullptr);
    FPanes->Report->Detach();
    FPanes->Icons->Detach();
    TWinControl::BeforeDestruction();
}

QAbstractItemView* TCustomListView::GetItemView() const {
    if (FViewStyle == vsReport) return FPanes->Report;
    return FPanes->Icons;
}

void TCustomListView::SetColumns(TListColumns* Value) {
    FColumns->Assign(Value);
}

void TCustomListView::SetItems(TListItems* Value) {
    FItems->Assign(Value);
}

void TCustomListView::UpdateWidgetGeometry() {
    TWinControl::UpdateWidgetGeometry();
    if (!FPanes || !FPanes->Report) return;
    const QRect R(0, 0, GetWidth(), GetHeight());
    FPanes->Report->setGeometry(R);
    FPanes->Icons->setGeometry(R);
}

void TCustomListView::UpdateWidgetPalette() {
    TWinControl::UpdateWidgetPalette();
    if (!FPanes || !FPanes->Report) return;  // called while the base is built
    for (QAbstractItemView* V : {static_cast<QAbstractItemView*>(FPanes->Report),
                                 static_cast<QAbstractItemView*>(FPanes->Icons)}) {
        QPalette P = V->palette();
        P.setColor(QPalette::Base, ColorToQColor(GetColor()));
        P.setColor(QPalette::Text, ColorToQColor(GetFont()->GetColor()));
        V->setPalette(P);
    }
}

// ---- columns ----

void TCustomListView::ColumnsChanged() {
    if (IsDestroying()) return;
    TValueRollback<bool> Guard(FSyncing, true);
    const int Count = FColumns->GetCount();
    FModel->setColumnCount(std::max(Count, 1));
    QHeaderView* Header = FPanes->Report->header();
    for (int I = 0; I < Count; ++I) {
        TListColumn* Col = FColumns->GetItem(I);
        FModel->setHeaderData(I, Qt::Horizontal, QString::fromUtf8(Col->GetCaption()));
        const Qt::Alignment H = Col->GetAlignment() == taRightJustify ? Qt::AlignRight
                                : Col->GetAlignment() == taCenter     ? Qt::AlignHCenter
                                                                      : Qt::AlignLeft;
        FModel->setHeaderData(I, Qt::Horizontal, QVariant::fromValue(H | Qt::AlignVCenter),
                              Qt::TextAlignmentRole);
        Header->setSectionResizeMode(I, Col->GetAutoSize() ? QHeaderView::Stretch
                                                           : QHeaderView::Interactive);
        if (!Col->GetAutoSize()) Header->resizeSection(I, Col->GetWidth());
    }
    if (Count == 0) FModel->setHeaderData(0, Qt::Horizontal, QString());
    for (int I = 0; I < FItems->GetCount(); ++I) FItems->ItemOfRow(I)->UpdateCells();
}

// ---- selection ----

void TCustomListView::SelectionChanged(const std::vector<int>& Rows) {
    for (int Row : Rows) {
        TListItem* Item = FItems->ItemOfRow(Row);
        if (!Item) continue;
        if (!CanChange(Item, ctState)) {
            // The handler may have deleted the item, too.
            if (FItems->ItemOfRow(Row) != Item) continue;
            TValueRollback<bool> Guard(FSyncing, true);
            FSelection->select(Item->FCell->index(), (Item->GetSelected()
                                                          ? QItemSelectionModel::Deselect
                                                          : QItemSelectionModel::Select) |
                                                         QItemSelectionModel::Rows);
            continue;
        }
        if (FItems->ItemOfRow(Row) != Item) continue;
        Change(Item, ctState);
        // The handler may have deleted the item.
        if (FItems->ItemOfRow(Row) != Item) continue;
        SelectItem(Item, Item->GetSelected());
    }
}

TListItem* TCustomListView::GetSelected() const {
    for (int I = 0; I < FItems->GetCount(); ++I)
        if (FSelection->isRowSelected(I, QModelIndex())) return FItems->ItemOfRow(I);
    return nullptr;
}

void TCustomListView::SetSelected(TListItem* Value) {
    if (!Value) {
        FSelection->clearSelection();
        return;
    }
    FSelection->select(Value->FCell->index(),
                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    FSelection->setCurrentIndex(Value->FCell->index(), QItemSelectionModel::NoUpdate);
}

int TCustomListView::GetSelCount() const {
    return static_cast<int>(FSelection->selectedRows().size());
}

int TCustomListView::GetItemIndex() const {
    TListItem* Item = GetSelected();
    return Item ? Item->GetIndex() : -1;
}

void TCustomListView::SetItemIndex(int Value) {
    SetSelected(Value >= 0 && Value < FItems->GetCount() ? FItems->ItemOfRow(Value) : nullptr);
}

TListItem* TCustomListView::GetItemFocused() const {
    const QModelIndex I = FSelection->currentIndex();
    return I.isValid() ? FItems->ItemOfRow(I.row()) : nullptr;
}

void TCustomListView::SetItemFocused(TListItem* Value) {
    if (Value)
        Value->SetFocused(true);
    else
        FSelection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

TPoint TCustomListView::ToViewport(int X, int Y) const {
    const QPoint P = GetItemView()->viewport()->mapFrom(GetWidget(), QPoint(X, Y));
    return {P.x(), P.y()};
}

TListItem* TCustomListView::GetItemAt(int X, int Y) const {
    const TPoint P = ToViewport(X, Y);
    const QModelIndex I = GetItemView()->indexAt(QPoint(P.X, P.Y));
    return I.isValid() ? FItems->ItemOfRow(I.row()) : nullptr;
}

void TCustomListView::SelectAll() {
    if (GetMultiSelect()) GetItemView()->selectAll();
}

void TCustomListView::ClearSelection() {
    FSelection->clearSelection();
}

void TCustomListView::UpdateItems(int FirstIndex, int LastIndex) {
    for (int I = std::max(FirstIndex, 0); I <= LastIndex && I < FItems->GetCount(); ++I)
        GetItemView()->update(FModel->index(I, 0));
    GetItemView()->viewport()->update();
}

// ---- order ----

int TCustomListView::CompareItems(TListItem* Item1, TListItem* Item2) {
    int Result = FSortType == stData ? 0 : AnsiCompareText(Item1->GetCaption(), Item2->GetCaption());
    if (FOnCompare.Assigned()) FOnCompare(this, Item1, Item2, 0, Result);
    return Result;
}

void TCustomListView::AlphaSort() {
    TValueRollback<bool> Guard(FSyncing, true);
    FModel->sort(0);
}

void TCustomListView::SortIfNeeded() {
    if (FSortType != stNone && FItems->FUpdateCount == 0 && !IsDestroying()) AlphaSort();
}

void TCustomListView::SetSortType(TSortType Value) {
    if (FSortType == Value) return;
    FSortType = Value;
    SortIfNeeded();
}

// ---- events ----

bool TCustomListView::CanChange(TListItem* Item, TItemChange AChange) {
    bool Allow = true;
    if (FOnChanging.Assigned() && !FSyncing && !IsDestroying() && !IsLoading())
        FOnChanging(this, Item, AChange, Allow);
    return Allow;
}

void TCustomListView::Change(TListItem* Item, TItemChange AChange) {
    if (FOnChange.Assigned() && !FSyncing && !IsDestroying()) FOnChange(this, Item, AChange);
}

void TCustomListView::SelectItem(TListItem* Item, bool Selected) {
    if (FOnSelectItem.Assigned()) FOnSelectItem(this, Item, Selected);
}

void TCustomListView::Delete(TListItem* Item) {
    if (FOnDeletion.Assigned() && !IsDestroying()) FOnDeletion(this, Item);
}

void TCustomListView::InsertItem(TListItem* Item) {
    if (FOnInsert.Assigned()) FOnInsert(this, Item);
}

bool TCustomListView::CanEdit(TListItem* Item) {
    bool Allow = true;
    if (FOnEditing.Assigned()) FOnEditing(this, Item, Allow);
    return Allow;
}

void TCustomListView::Edit(TListItem* Item, std::string& S) {
    if (FOnEdited.Assigned()) FOnEdited(this, Item, S);
}

bool TCustomListView::IsEditing() const {
    return FEditors > 0;
}

void TCustomListView::ColClick(TListColumn* Column) {
    if (FOnColumnClick.Assigned()) FOnColumnClick(this, Column);
}

void TCustomListView::ApplyEditTriggers() {
    const auto Triggers = FReadOnly ? QAbstractItemView::NoEditTriggers
                                    : QAbstractItemView::SelectedClicked |
                                          QAbstractItemView::EditKeyPressed;
    FPanes->Report->setEditTriggers(Triggers);
    FPanes->Icons->setEditTriggers(Triggers);
}

// ---- dragging items ----

bool TCustomListView::DragOver(TObject* Source, int X, int Y, TDragState State) {
    bool Accept = false;
    if (FOnDragOver.Assigned()) {
        Accept = true;
        FOnDragOver(this, Source, X, Y, State, Accept);
    }
    return Accept;
}

void TCustomListView::DragDrop(TObject* Source, int X, int Y) {
    if (FOnDragDrop.Assigned()) FOnDragDrop(this, Source, X, Y);
}

void TCustomListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FDragPending = false;
    if (Button == mbLeft && !Shift.Contains(ssDouble) && GetDragMode() == dmAutomatic) {
        TListItem* Item = GetItemAt(X, Y);
        if (Item) {
            FDragPending = true;
            FDragStart = {X, Y};
            // A press on one of several selected items left the selection alone;
            // a Ctrl or Shift click has already made the selection it wants.
            FPressedSelected = !Shift.Contains(ssCtrl) && !Shift.Contains(ssShift) &&
                               (GetSelCount() > 1 || !Item->GetFocused());
        }
    }
    TWinControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListView::MouseMove(TShiftState Shift, int X, int Y) {
    if (FDragPending && !FDragging && Shift.Contains(ssLeft)) {
        const int Threshold = GetSystemMetrics(SM_CXDRAG);
        if (std::abs(X - FDragStart.X) >= Threshold || std::abs(Y - FDragStart.Y) >= Threshold) {
            FDragging = true;
            FDragAccepted = DragOver(this, X, Y, dsDragEnter);
        }
    } else if (FDragging) {
        FDragAccepted = DragOver(this, X, Y, dsDragMove);
    }
    FDragPos = {X, Y};
    if (FDragging)
        GetItemView()->viewport()->setCursor(FDragAccepted ? Qt::DragMoveCursor
                                                           : Qt::ForbiddenCursor);
    TWinControl::MouseMove(Shift, X, Y);
}

void TCustomListView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        if (FDragging) {
            EndDrag(true, X, Y);
        } else if (FDragPending && FPressedSelected) {
            if (TListItem* Item = GetItemAt(X, Y)) SetSelected(Item);
        }
        FDragPending = false;
        FPressedSelected = false;
        FDragCancelled = false;
    }
    TWinControl::MouseUp(Button, Shift, X, Y);
}

void TCustomListView::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (Key == VK_ESCAPE && FDragging) {
        Key = 0;
        FDragCancelled = true;
        EndDrag(false, FDragPos.X, FDragPos.Y);
        return;
    }
    TWinControl::KeyDown(Key, Shift);
}

void TCustomListView::EndDrag(bool Drop, int X, int Y) {
    FDragging = false;
    FDragPending = false;
    GetItemView()->viewport()->unsetCursor();
    const bool Accepted = FDragAccepted && DragOver(this, X, Y, dsDragLeave);
    if (Drop && Accepted) DragDrop(this, X, Y);
}

// ---- images ----

// Icon view shows the large images, the other views the small ones; sub-items
// always take small images.
void TCustomListView::UpdateItemImages(TListItem* Item) {
    if (IsDestroying()) return;
    TCustomImageList* Images = FViewStyle == vsIcon ? FLargeImages : FSmallImages;
    const int I = Item->GetImageIndex();
    Item->FCell->setIcon(
        ItemIcon(Images, I, I, FStateImages, Item->GetStateIndex(), Item->GetOverlayIndex()));
    const int Row = Item->GetIndex();
    for (int Col = 1; Col < FModel->columnCount(); ++Col) {
        QStandardItem* Cell = FModel->item(Row, Col);
        const int Sub = Col - 1;
        if (!Cell) continue;
        const int Image = Sub < static_cast<int>(Item->FSubItemImages.size())
                              ? Item->FSubItemImages[static_cast<size_t>(Sub)]
                              : -1;
        Cell->setIcon(ItemIcon(FSmallImages, Image, Image, nullptr, -1));
    }
}

void TCustomListView::UpdateImages() {
    if (IsDestroying()) return;
    auto Size = [](const TCustomImageList* L, int Default) {
        return L ? QSize(L->GetWidth(), L->GetHeight()) : QSize(Default, Default);
    };
    QSize Small = Size(FSmallImages, 16);
    if (FStateImages) Small.setWidth(Small.width() + FStateImages->GetWidth());
    FPanes->Report->setIconSize(Small);
    FPanes->Icons->setIconSize(FViewStyle == vsIcon ? Size(FLargeImages, 32) : Small);
    for (int I = 0; I < FItems->GetCount(); ++I) UpdateItemImages(FItems->ItemOfRow(I));
}

void TCustomListView::SetImageList(TCustomImageList*& Field, TCustomImageList* Value) {
    if (SetImageListField(this, Field, Value, FImageLink.get())) UpdateImages();
}

void TCustomListView::SetLargeImages(TCustomImageList* Value) {
    SetImageList(FLargeImages, Value);
}

void TCustomListView::SetSmallImages(TCustomImageList* Value) {
    SetImageList(FSmallImages, Value);
}

void TCustomListView::SetStateImages(TCustomImageList* Value) {
    SetImageList(FStateImages, Value);
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FLargeImages) SetLargeImages(nullptr);
    if (AComponent == FSmallImages) SetSmallImages(nullptr);
    if (AComponent == FStateImages) SetStateImages(nullptr);
}

// ---- appearance ----

TFormBorderStyle TCustomListView::GetBorderStyle() const {
    return FPanes->Report->frameShape() == QFrame::NoFrame ? bsNone : bsSingle;
}

void TCustomListView::SetBorderStyle(TFormBorderStyle Value) {
    const auto Shape = Value == bsNone ? QFrame::NoFrame : QFrame::StyledPanel;
    FPanes->Report->setFrameShape(Shape);
    FPanes->Icons->setFrameShape(Shape);
}

void TCustomListView::SetCheckboxes(bool Value) {
    if (FCheckboxes == Value) return;
    FCheckboxes = Value;
    for (int I = 0; I < FItems->GetCount(); ++I) {
        QStandardItem* Cell = FItems->ItemOfRow(I)->FCell;
        Cell->setCheckable(Value);
        Cell->setData(Value ? QVariant(Qt::Unchecked) : QVariant(), Qt::CheckStateRole);
    }
}

bool TCustomListView::GetColumnClick() const {
    return FPanes->Report->header()->sectionsClickable();
}

void TCustomListView::SetColumnClick(bool Value) {
    FPanes->Report->header()->setSectionsClickable(Value);
}

void TCustomListView::SetGridLines(bool Value) {
    if (FGridLines == Value) return;
    FGridLines = Value;
    GetItemView()->viewport()->update();
}

void TCustomListView::SetHideSelection(bool Value) {
    FHideSelection = Value;
    for (QAbstractItemView* V : {static_cast<QAbstractItemView*>(FPanes->Report),
                                 static_cast<QAbstractItemView*>(FPanes->Icons)}) {
        QPalette P = V->palette();
        P.setColor(QPalette::Inactive, QPalette::Highlight,
                   Value ? P.color(QPalette::Active, QPalette::Base) : ColorToQColor(clBtnFace));
        P.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   Value ? P.color(QPalette::Active, QPalette::Text) : ColorToQColor(clBtnText));
        V->setPalette(P);
        V->viewport()->update();
    }
}

bool TCustomListView::GetHotTrack() const {
    return FPanes->Report->viewport()->testAttribute(Qt::WA_Hover);
}

void TCustomListView::SetHotTrack(bool Value) {
    FPanes->Report->viewport()->setAttribute(Qt::WA_Hover, Value);
    FPanes->Icons->viewport()->setAttribute(Qt::WA_Hover, Value);
}

bool TCustomListView::GetMultiSelect() const {
    return FPanes->Report->selectionMode() == QAbstractItemView::ExtendedSelection;
}

void TCustomListView::SetMultiSelect(bool Value) {
    const auto Mode = Value ? QAbstractItemView::ExtendedSelection
                            : QAbstractItemView::SingleSelection;
    FPanes->Report->setSelectionMode(Mode);
    FPanes->Icons->setSelectionMode(Mode);
    // A single-selection list keeps only its first selected item.
    if (!Value && GetSelCount() > 1) SetSelected(GetSelected());
}

void TCustomListView::SetReadOnly(bool Value) {
    if (FReadOnly == Value) return;
    FReadOnly = Value;
    ApplyEditTriggers();
}

void TCustomListView::SetRowSelect(bool Value) {
    if (FRowSelect == Value) return;
    FRowSelect = Value;
    FPanes->Report->setAllColumnsShowFocus(Value);
    FPanes->Report->viewport()->update();
}

bool TCustomListView::GetShowColumnHeaders() const {
    return !FPanes->Report->isHeaderHidden();
}

void TCustomListView::SetShowColumnHeaders(bool Value) {
    FPanes->Report->setHeaderHidden(!Value);
}

void TCustomListView::SetViewStyle(TViewStyle Value) {
    FViewStyle = Value;
    SetViewStyleNow();
}

// Shows the pane of the view style, laid out as that style lays out items.
void TCustomListView::SetViewStyleNow() {
    QListView* Icons = FPanes->Icons;
    switch (FViewStyle) {
        case vsIcon:
            Icons->setViewMode(QListView::IconMode);
            Icons->setFlow(QListView::LeftToRight);
            Icons->setGridSize(QSize(75, 60));
            break;
        case vsSmallIcon:
            Icons->setViewMode(QListView::ListMode);
            Icons->setFlow(QListView::LeftToRight);
            Icons->setGridSize(QSize());
            break;
        case vsList:
            Icons->setViewMode(QListView::ListMode);
            Icons->setFlow(QListView::TopToBottom);
            Icons->setGridSize(QSize());
            break;
        case vsReport:
            break;
    }
    Icons->setWrapping(true);
    Icons->setMovement(QListView::Static);
    const bool Report = FViewStyle == vsReport;
    const bool HadFocus = FPanes->Report->hasFocus() || Icons->hasFocus();
    FPanes->Report->setVisible(Report);
    Icons->setVisible(!Report);
    GetWidget()->setFocusProxy(GetItemView());
    if (HadFocus) GetItemView()->setFocus();
    UpdateImages();
}

// ---- TListView ----

ZK_IMPLEMENT_CLASS(TListView)
void TListView::DescribeClass(TClassBuilder<TListView>& C) {
    C.Prop("BorderStyle", &TCustomListView::GetBorderStyle, &TCustomListView::SetBorderStyle)
        .Type(TypeInfoTBorderStyle())
        .Default(bsSingle);
    C.Prop("Checkboxes", &TCustomListView::GetCheckboxes, &TCustomListView::SetCheckboxes)
        .Default(false);
    C.Prop("Columns", &TCustomListView::GetColumns, &TCustomListView::SetColumns);
    C.Prop("ColumnClick", &TCustomListView::GetColumnClick, &TCustomListView::SetColumnClick)
        .Default(true);
    C.Prop("GridLines", &TCustomListView::GetGridLines, &TCustomListView::SetGridLines)
        .Default(false);
    C.Prop("HideSelection", &TCustomListView::GetHideSelection, &TCustomListView::SetHideSelection)
        .Default(true);
    C.Prop("HotTrack", &TCustomListView::GetHotTrack, &TCustomListView::SetHotTrack).Default(false);
    C.Prop("Items", &TCustomListView::GetItems, &TCustomListView::SetItems);
    C.Prop("LargeImages", &TCustomListView::GetLargeImages, &TCustomListView::SetLargeImages);
    C.Prop("MultiSelect", &TCustomListView::GetMultiSelect, &TCustomListView::SetMultiSelect)
        .Default(false);
    C.Prop("ReadOnly", &TCustomListView::GetReadOnly, &TCustomListView::SetReadOnly).Default(false);
    C.Prop("RowSelect", &TCustomListView::GetRowSelect, &TCustomListView::SetRowSelect)
        .Default(false);
    C.Prop("SmallImages", &TCustomListView::GetSmallImages, &TCustomListView::SetSmallImages);
    C.Prop("StateImages", &TCustomListView::GetStateImages, &TCustomListView::SetStateImages);
    C.Prop("SortType", &TCustomListView::GetSortType, &TCustomListView::SetSortType).Default(stNone);
    C.Prop("ShowColumnHeaders", &TCustomListView::GetShowColumnHeaders,
           &TCustomListView::SetShowColumnHeaders)
        .Default(true);
    C.Prop("ViewStyle", &TCustomListView::GetViewStyle, &TCustomListView::SetViewStyle)
        .Default(vsIcon);
    C.Prop("OnChange", &TCustomListView::GetOnChange, &TCustomListView::SetOnChange);
    C.Prop("OnChanging", &TCustomListView::GetOnChanging, &TCustomListView::SetOnChanging);
    C.Prop("OnColumnClick", &TCustomListView::GetOnColumnClick, &TCustomListView::SetOnColumnClick);
    C.Prop("OnCompare", &TCustomListView::GetOnCompare, &TCustomListView::SetOnCompare);
    C.Prop("OnDeletion", &TCustomListView::GetOnDeletion, &TCustomListView::SetOnDeletion);
    C.Prop("OnDragDrop", &TCustomListView::GetOnDragDrop, &TCustomListView::SetOnDragDrop);
    C.Prop("OnDragOver", &TCustomListView::GetOnDragOver, &TCustomListView::SetOnDragOver);
    C.Prop("OnEdited", &TCustomListView::GetOnEdited, &TCustomListView::SetOnEdited);
    C.Prop("OnEditing", &TCustomListView::GetOnEditing, &TCustomListView::SetOnEditing);
    C.Prop("OnInsert", &TCustomListView::GetOnInsert, &TCustomListView::SetOnInsert);
    C.Prop("OnSelectItem", &TCustomListView::GetOnSelectItem, &TCustomListView::SetOnSelectItem);
}

TListView::TListView(TComponent* AOwner) : TCustomListView(AOwner) {}

}  // namespace zk
