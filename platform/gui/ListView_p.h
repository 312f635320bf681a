// The list view's internals: the model role of its items and the sub-item list.
#pragma once
#include <QStandardItem>
#include <Qt>

#include "platform/core/StringList.h"
#include "platform/gui/Application.h"
#include "platform/gui/ListView.h"

namespace zk {

// The model role whose value in a row's first cell is the row's TListItem.
inline constexpr int ListItemRole = Qt::UserRole + 1;

// A row's first cell, which orders rows as the list view's CompareItems does.
class TListItemCell : public QStandardItem {
public:
    bool operator<(const QStandardItem& Other) const override {
        TListItem* A = ItemOf(this);
        TListItem* B = ItemOf(&Other);
        if (!A || !B) return QStandardItem::operator<(Other);
        TCustomListView* View = A->GetListView();
        int Result = 0;
        // OnCompare runs inside Qt's sort, which no exception may cross.
        SafeCall(View, [&] { Result = View->CompareItems(A, B); });
        return Result < 0;
    }

private:
    static TListItem* ItemOf(const QStandardItem* Cell) {
        return reinterpret_cast<TListItem*>(Cell->data(ListItemRole).value<quintptr>());
    }
};

// Keeps each sub-item's image beside it when lines come and go, and shows
// every change in the item's row.
class TSubItems : public TStringList {
public:
    explicit TSubItems(TListItem* Item) : FItem(Item) {}

    void InsertObject(int Index, const std::string& S, TObject* AObject) override {
        auto& Images = FItem->FSubItemImages;
        if (Index >= 0 && Index <= GetCount() && Images.size() == static_cast<size_t>(GetCount()))
            Images.insert(Images.begin() + Index, -1);
        TStringList::InsertObject(Index, S, AObject);
    }
    void Delete(int Index) override {
        auto& Images = FItem->FSubItemImages;
        if (Index >= 0 && Index < GetCount() && Images.size() == static_cast<size_t>(GetCount()))
            Images.erase(Images.begin() + Index);
        TStringList::Delete(Index);
    }
    void Clear() override {
        FItem->FSubItemImages.clear();
        TStringList::Clear();
    }

protected:
    void Changed() override {
        TStringList::Changed();
        if (GetUpdateCount() == 0) FItem->SubItemsChanged();
    }

private:
    TListItem* FItem;  // owns this list
};

}  // namespace zk
