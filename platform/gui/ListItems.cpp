// TListColumn/TListColumns and TListItem/TListItems: columns and rows of a list view over its
// item model, and the items' form data.
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QWidget>
#include <algorithm>
#include <cassert>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/ListView.h"
#include "platform/gui/ListView_p.h"

namespace zk {

namespace {

[[noreturn]] void IndexError(int Index) {
    throw EListError("List index out of bounds (%d)", {Index});
}

}  // namespace

// ---- TListColumn ----

ZK_IMPLEMENT_CLASS(TListColumn)
void TListColumn::DescribeClass(TClassBuilder<TListColumn>& C) {
    C.Prop("Alignment", &TListColumn::GetAlignment, &TListColumn::SetAlignment)
        .Default(taLeftJustify);
    C.Prop("AutoSize", &TListColumn::GetAutoSize, &TListColumn::SetAutoSize).Default(false);
    C.Prop("Caption", &TListColumn::GetCaption, &TListColumn::SetCaption);
    C.Prop("ImageIndex", &TListColumn::GetImageIndex, &TListColumn::SetImageIndex).Default(-1);
    C.Prop("MaxWidth", &TListColumn::GetMaxWidth, &TListColumn::SetMaxWidth).Default(0);
    C.Prop("MinWidth", &TListColumn::GetMinWidth, &TListColumn::SetMinWidth).Default(0);
    C.Prop("Width", &TListColumn::GetWidth, &TListColumn::SetWidth).Default(50);
}

TListColumn::TListColumn(TCollection* Collection) : TCollectionItem(Collection) {}

void TListColumn::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Changed(false);
}

void TListColumn::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    Changed(false);
}

void TListColumn::SetCaption(const std::string& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    Changed(false);
}

void TListColumn::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Changed(false);
}

void TListColumn::SetMaxWidth(int Value) {
    FMaxWidth = std::max(Value, 0);
    if (FMaxWidth > 0 && FWidth > FMaxWidth) FWidth = FMaxWidth;
    Changed(false);
}

void TListColumn::SetMinWidth(int Value) {
    FMinWidth = std::max(Value, 0);
    if (FWidth < FMinWidth) FWidth = FMinWidth;
    Changed(false);
}

// The header section's width, which the user may have dragged.
int TListColumn::GetWidth() const {
    return FWidth;
}

void TListColumn::SetWidth(int Value) {
    if (FMaxWidth > 0) Value = std::min(Value, FMaxWidth);
    Value = std::max(Value, FMinWidth);
    if (FWidth == Value) return;
    FWidth = Value;
    Changed(false);
}

std::string TListColumn::GetDisplayName() const {
    return FCaption.empty() ? TCollectionItem::GetDisplayName() : FCaption;
}

void TListColumn::Assign(TPersistent* Source) {
    auto* S = DynamicCast<TListColumn>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    FAlignment = S->FAlignment;
    FAutoSize = S->FAutoSize;
    FCaption = S->FCaption;
    FImageIndex = S->FImageIndex;
    FMaxWidth = S->FMaxWidth;
    FMinWidth = S->FMinWidth;
    FWidth = S->FWidth;
    Changed(false);
}

// ---- TListColumns ----

ZK_IMPLEMENT_CLASS(TListColumns)
void TListColumns::DescribeClass(TClassBuilder<TListColumns>&) {}

TListColumns::TListColumns(TCustomListView* Owner)
    : TCollection(TListColumn::StaticClass()), FOwner(Owner) {}

TPersistent* TListColumns::GetOwner() const {
    return FOwner;
}

void TListColumns::Update(TCollectionItem* Item) {
    TCollection::Update(Item);
    FOwner->ColumnsChanged();
}

// ---- TListItem ----

ZK_IMPLEMENT_CLASS(TListItem)
void TListItem::DescribeClass(TClassBuilder<TListItem>&) {}

TListItem::TListItem(TListItems* Owner)
    : FOwner(Owner), FCell(new TListItemCell()), FSubItems(new TSubItems(this)) {
    FCell->setData(QVariant::fromValue(reinterpret_cast<quintptr>(this)), ListItemRole);
    FCell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable |
                    (Owner->FOwner->GetCheckboxes() ? Qt::ItemIsUserCheckable : Qt::NoItemFlags));
    if (Owner->FOwner->GetCheckboxes()) FCell->setCheckState(Qt::Unchecked);
}

// The model deletes the row's cells.
TListItem::~TListItem() = default;

TPersistent* TListItem::GetOwner() const {
    return FOwner;
}

TCustomListView* TListItem::GetListView() const {
    return FOwner->FOwner;
}

int TListItem::GetIndex() const {
    return FCell->row();
}

void TListItem::SetCaption(const std::string& Value) {
    if (FCaption == Value || !GetListView()->CanChange(this, ctText)) return;
    FCaption = Value;
    FCell->setText(QString::fromUtf8(Value));
    GetListView()->SortIfNeeded();
    GetListView()->Change(this, ctText);
}

void TListItem::SetImageIndex(int Value) {
    if (FImageIndex == Value || !GetListView()->CanChange(this, ctImage)) return;
    FImageIndex = Value;
    GetListView()->UpdateItemImages(this);
    GetListView()->Change(this, ctImage);
}

void TListItem::SetStateIndex(int Value) {
    if (FStateIndex == Value || !GetListView()->CanChange(this, ctImage)) return;
    FStateIndex = Value;
    GetListView()->UpdateItemImages(this);
    GetListView()->Change(this, ctImage);
}

void TListItem::SetOverlayIndex(int Value) {
    if (FOverlayIndex == Value || !GetListView()->CanChange(this, ctImage)) return;
    FOverlayIndex = Value;
    GetListView()->UpdateItemImages(this);
    GetListView()->Change(this, ctImage);
}

bool TListItem::GetChecked() const {
    return FCell->checkState() == Qt::Checked;
}

void TListItem::SetChecked(bool Value) {
    FCell->setCheckState(Value ? Qt::Checked : Qt::Unchecked);
}

bool TListItem::GetSelected() const {
    return GetListView()->FSelection->isRowSelected(GetIndex(), QModelIndex());
}

void TListItem::SetSelected(bool Value) {
    if (GetSelected() == Value) return;
    GetListView()->FSelection->select(FCell->index(), (Value ? QItemSelectionModel::Select
                                                             : QItemSelectionModel::Deselect) |
                                                          QItemSelectionModel::Rows);
}

bool TListItem::GetFocused() const {
    return GetListView()->FSelection->currentIndex().row() == GetIndex();
}

void TListItem::SetFocused(bool Value) {
    QItemSelectionModel* S = GetListView()->FSelection;
    if (Value)
        S->setCurrentIndex(FCell->index(), QItemSelectionModel::NoUpdate);
    else if (GetFocused())
        S->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

TStrings* TListItem::GetSubItems() const {
    return FSubItems.get();
}

void TListItem::SetSubItems(TStrings* Value) {
    FSubItems->Assign(Value);
}

int TListItem::GetSubItemImages(int Index) const {
    if (Index < 0 || Index >= FSubItems->GetCount()) IndexError(Index);
    return FSubItemImages[static_cast<size_t>(Index)];
}

void TListItem::SetSubItemImages(int Index, int Value) {
    if (Index < 0 || Index >= FSubItems->GetCount()) IndexError(Index);
    if (FSubItemImages[static_cast<size_t>(Index)] == Value) return;
    FSubItemImages[static_cast<size_t>(Index)] = Value;
    GetListView()->UpdateItemImages(this);
    GetListView()->Change(this, ctImage);
}

void TListItem::SubItemsChanged() {
    FSubItemImages.resize(static_cast<size_t>(FSubItems->GetCount()), -1);
    UpdateCells();
    GetListView()->Change(this, ctText);
}

// The sub-items go into the cells of the report view's columns.
void TListItem::UpdateCells() {
    QStandardItemModel* Model = GetListView()->FModel;
    const int Row = GetIndex();
    if (Row < 0) return;
    TListColumns* Columns = GetListView()->GetColumns();
    for (int Col = 0; Col < Model->columnCount(); ++Col) {
        QStandardItem* Cell = Col == 0 ? FCell : Model->item(Row, Col);
        if (!Cell) {
            Cell = new QStandardItem();
            Cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            Model->setItem(Row, Col, Cell);
        }
        if (Col > 0) {
            const int Sub = Col - 1;
            Cell->setText(Sub < FSubItems->GetCount() ? QString::fromUtf8(FSubItems->Get(Sub))
                                                      : QString());
        }
        const TAlignment A = Col < Columns->GetCount() ? Columns->GetItem(Col)->GetAlignment()
                                                       : taLeftJustify;
        const Qt::Alignment H = A == taRightJustify ? Qt::AlignRight
                                : A == taCenter     ? Qt::AlignHCenter
                                                    : Qt::AlignLeft;
        Cell->setTextAlignment(H | Qt::AlignVCenter);
    }
    GetListView()->UpdateItemImages(this);
}

void TListItem::MakeVisible(bool) {
    GetListView()->GetItemView()->scrollTo(FCell->index());
}

bool TListItem::EditCaption() {
    if (GetListView()->GetReadOnly()) return false;
    GetListView()->GetItemView()->edit(FCell->index());
    return GetListView()->IsEditing();
}

void TListItem::Delete() {
    FOwner->Delete(GetIndex());
}

void TListItem::Assign(TPersistent* Source) {
    auto* S = DynamicCast<TListItem>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    SetCaption(S->FCaption);
    SetData(S->FData);
    SetImageIndex(S->FImageIndex);
    SetStateIndex(S->FStateIndex);
    SetOverlayIndex(S->FOverlayIndex);
    FSubItems->Assign(S->FSubItems.get());
    FSubItemImages = S->FSubItemImages;
    GetListView()->UpdateItemImages(this);
}

// ---- TListItems ----

ZK_IMPLEMENT_CLASS(TListItems)
void TListItems::DescribeClass(TClassBuilder<TListItems>&) {}

TListItems::TListItems(TCustomListView* Owner) : FOwner(Owner) {}

TListItems::~TListItems() = default;

TPersistent* TListItems::GetOwner() const {
    return FOwner;
}

int TListItems::GetCount() const {
    return FOwner->FModel->rowCount();
}

TListItem* TListItems::ItemOfRow(int Row) const {
    QStandardItem* Cell = FOwner->FModel->item(Row, 0);
    return Cell ? reinterpret_cast<TListItem*>(Cell->data(ListItemRole).value<quintptr>()) : nullptr;
}

TListItem* TListItems::GetItem(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    return ItemOfRow(Index);
}

int TListItems::IndexOf(const TListItem* Item) const {
    return Item && Item->FOwner == this ? Item->GetIndex() : -1;
}

TListItem* TListItems::Add() {
    return Insert(GetCount());
}

TListItem* TListItems::Insert(int Index) {
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    auto* Item = new TListItem(this);
    {
        TValueRollback<bool> Guard(FOwner->FSyncing, true);
        FOwner->FModel->insertRow(Index, QList<QStandardItem*>{Item->FCell});
    }
    Item->UpdateCells();
    FOwner->SortIfNeeded();
    FOwner->InsertItem(Item);
    return Item;
}

void TListItems::Delete(int Index) {
    TListItem* Item = GetItem(Index);
    FOwner->Delete(Item);
    // OnDeletion may have moved the item.
    const int Row = Item->GetIndex();
    {
        TValueRollback<bool> Guard(FOwner->FSyncing, true);
        FOwner->FModel->removeRow(Row);
    }
    delete Item;
}

void TListItems::Clear() {
    BeginUpdate();
    TScopeExit Done([this] { EndUpdate(); });
    while (GetCount() > 0) Delete(GetCount() - 1);
}

void TListItems::BeginUpdate() {
    if (FUpdateCount++ == 0) FOwner->GetWidget()->setUpdatesEnabled(false);
}

void TListItems::EndUpdate() {
    assert(FUpdateCount > 0 && "TListItems::EndUpdate without BeginUpdate");
    if (--FUpdateCount > 0) return;
    FOwner->SortIfNeeded();
    FOwner->GetWidget()->setUpdatesEnabled(true);
}

void TListItems::Assign(TPersistent* Source) {
    auto* S = DynamicCast<TListItems>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    if (S == this) return;
    BeginUpdate();
    TScopeExit Done([this] { EndUpdate(); });
    Clear();
    for (int I = 0; I < S->GetCount(); ++I) Add()->Assign(S->GetItem(I));
}

// ---- form data ----

void TListItems::DefineProperties(TFiler* Filer) {
    TPersistent::DefineProperties(Filer);
    Filer->DefineProperty(
        "Data", [this](TReader* Reader) { ReadData(Reader); },
        [this](TWriter* Writer) { WriteData(Writer); }, GetCount() > 0);
}

// An item is a list: its caption, then a name and a value for each index
// that is not -1, for Checked when set, for its sub-items when it has any and
// for their images when one is not -1.
void TListItems::WriteData(TWriter* Writer) const {
    Writer->WriteListBegin();
    for (int I = 0; I < GetCount(); ++I) {
        const TListItem* Item = ItemOfRow(I);
        Writer->WriteListBegin();
        Writer->WriteString(Item->FCaption);
        auto Index = [Writer](const char* Name, int Value) {
            if (Value == -1) return;
            Writer->WriteIdent(Name);
            Writer->WriteInteger(Value);
        };
        Index("ImageIndex", Item->FImageIndex);
        Index("StateIndex", Item->FStateIndex);
        Index("OverlayIndex", Item->FOverlayIndex);
        if (Item->GetChecked()) {
            Writer->WriteIdent("Checked");
            Writer->WriteBoolean(true);
        }
        if (Item->FSubItems->GetCount() > 0) {
            Writer->WriteIdent("SubItems");
            Writer->WriteListBegin();
            for (int S = 0; S < Item->FSubItems->GetCount(); ++S)
                Writer->WriteString(Item->FSubItems->Get(S));
            Writer->WriteListEnd();
        }
        const auto& Images = Item->FSubItemImages;
        if (std::any_of(Images.begin(), Images.end(), [](int V) { return V != -1; })) {
            Writer->WriteIdent("SubItemImages");
            Writer->WriteListBegin();
            for (int V : Images) Writer->WriteInteger(V);
            Writer->WriteListEnd();
        }
        Writer->WriteListEnd();
    }
    Writer->WriteListEnd();
}

void TListItems::ReadData(TReader* Reader) {
    BeginUpdate();
    TScopeExit Done([this] { EndUpdate(); });
    Clear();
    Reader->ReadListBegin();
    while (!Reader->EndOfList()) {
        Reader->ReadListBegin();
        TListItem* Item = Add();
        Item->SetCaption(Reader->ReadString());
        std::vector<int> Images;
        while (!Reader->EndOfList()) {
            const std::string Name = Reader->ReadIdent();
            if (SameText(Name, "ImageIndex")) {
                Item->SetImageIndex(Reader->ReadInteger());
            } else if (SameText(Name, "StateIndex")) {
                Item->SetStateIndex(Reader->ReadInteger());
            } else if (SameText(Name, "OverlayIndex")) {
                Item->SetOverlayIndex(Reader->ReadInteger());
            } else if (SameText(Name, "Checked")) {
                Item->SetChecked(Reader->ReadBoolean());
            } else if (SameText(Name, "SubItems")) {
                Reader->ReadListBegin();
                TStrings::TUpdateGuard Guard(*Item->FSubItems);
                while (!Reader->EndOfList()) Item->FSubItems->Add(Reader->ReadString());
                Reader->ReadListEnd();
            } else if (SameText(Name, "SubItemImages")) {
                Reader->ReadListBegin();
                while (!Reader->EndOfList()) Images.push_back(Reader->ReadInteger());
                Reader->ReadListEnd();
            } else {
                throw EReadError("Invalid property value: %s", {Name});
            }
        }
        Reader->ReadListEnd();
        // Images beyond the sub-items have nothing to show on.
        for (size_t S = 0; S < Images.size() && S < Item->FSubItemImages.size(); ++S)
            Item->FSubItemImages[S] = Images[S];
        FOwner->UpdateItemImages(Item);
    }
    Reader->ReadListEnd();
}

}  // namespace zk
