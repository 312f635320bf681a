// TComboBoxEx: ItemsEx kept in step with the rows of the QComboBox, images from the image list
// and indented lines in the drop-down list.
#include "platform/gui/ComboBoxEx.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QComboBox>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/gui/Application.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/ItemViews_p.h"

namespace zk {

namespace {

// Qt::UserRole holds the line's object, as in every combo box.
constexpr int ItemIdRole = Qt::UserRole + 1;
constexpr int IndentRole = Qt::UserRole + 2;
constexpr int IndentStep = 10;

}  // namespace

// Shifts each line of the drop-down list right by its indent and leaves the
// drawing to the delegate the combo box chose for its style.
class TCustomComboBoxEx::TIndentDelegate : public QAbstractItemDelegate {
public:
    TIndentDelegate(QAbstractItemDelegate* Inner, QObject* Parent)
        : QAbstractItemDelegate(Parent), FInner(Inner) {}

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override {
        QStyleOptionViewItem O(Option);
        O.rect.setLeft(O.rect.left() + Indent(Index));
        FInner->paint(Painter, O, Index);
    }
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
        return FInner->sizeHint(Option, Index) + QSize(Indent(Index), 0);
    }

private:
    static int Indent(const QModelIndex& Index) {
        return std::max(Index.data(IndentRole).toInt(), 0) * IndentStep;
    }

    QAbstractItemDelegate* FInner;  // Qt's delegate, a child of the combo box
};

// ---- TComboExItem ----

ZK_IMPLEMENT_CLASS(TComboExItem)
void TComboExItem::DescribeClass(TClassBuilder<TComboExItem>& C) {
    C.Prop("Caption", &TComboExItem::GetCaption, &TComboExItem::SetCaption);
    C.Prop("ImageIndex", &TComboExItem::GetImageIndex, &TComboExItem::SetImageIndex).Default(-1);
    C.Prop("SelectedImageIndex", &TComboExItem::GetSelectedImageIndex,
           &TComboExItem::SetSelectedImageIndex)
        .Default(-1);
    C.Prop("OverlayImageIndex", &TComboExItem::GetOverlayImageIndex,
           &TComboExItem::SetOverlayImageIndex)
        .Default(-1);
    C.Prop("Indent", &TComboExItem::GetIndent, &TComboExItem::SetIndent).Default(0);
}

TComboExItem::TComboExItem(TCollection* Collection) : TCollectionItem(Collection) {}

void TComboExItem::SetCaption(const std::string& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    Changed(false);
}

void TComboExItem::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Changed(false);
}

void TComboExItem::SetSelectedImageIndex(int Value) {
    if (FSelectedImageIndex == Value) return;
    FSelectedImageIndex = Value;
    Changed(false);
}

void TComboExItem::SetOverlayImageIndex(int Value) {
    if (FOverlayImageIndex == Value) return;
    FOverlayImageIndex = Value;
    Changed(false);
}

void TComboExItem::SetIndent(int Value) {
    Value = std::max(Value, 0);
    if (FIndent == Value) return;
    FIndent = Value;
    Changed(false);
}

void TComboExItem::SetData(void* Value) {
    if (FData == Value) return;
    FData = Value;
    Changed(false);
}

std::string TComboExItem::GetDisplayName() const {
    return FCaption.empty() ? TCollectionItem::GetDisplayName() : FCaption;
}

void TComboExItem::Assign(TPersistent* Source) {
    auto* S = DynamicCast<TComboExItem>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = S->FCaption;
    FImageIndex = S->FImageIndex;
    FSelectedImageIndex = S->FSelectedImageIndex;
    FOverlayImageIndex = S->FOverlayImageIndex;
    FIndent = S->FIndent;
    FData = S->FData;
    Changed(false);
}

// ---- TComboExItems ----

ZK_IMPLEMENT_CLASS(TComboExItems)
void TComboExItems::DescribeClass(TClassBuilder<TComboExItems>&) {}

TComboExItems::TComboExItems(TCustomComboBoxEx* Owner)
    : TCollection(TComboExItem::StaticClass()), FOwner(Owner) {}

TPersistent* TComboExItems::GetOwner() const {
    return FOwner;
}

TComboExItem* TComboExItems::AddItem(const std::string& Caption, int ImageIndex,
                                     int SelectedImageIndex, int OverlayImageIndex, int Indent,
                                     void* Data) {
    BeginUpdate();
    TScopeExit Done([this] { EndUpdate(); });
    TComboExItem* Item = Add();
    Item->SetCaption(Caption);
    Item->SetImageIndex(ImageIndex);
    Item->SetSelectedImageIndex(SelectedImageIndex);
    Item->SetOverlayImageIndex(OverlayImageIndex);
    Item->SetIndent(Indent);
    Item->SetData(Data);
    return Item;
}

void TComboExItems::Update(TCollectionItem* Item) {
    TCollection::Update(Item);
    if (FOwner->FSyncing || FOwner->IsDestroying()) return;
    if (Item)
        FOwner->UpdateRow(static_cast<TComboExItem*>(Item));
    else
        FOwner->RebuildRows();
}

// ---- TCustomComboBoxEx ----

ZK_IMPLEMENT_CLASS(TCustomComboBoxEx)
void TCustomComboBoxEx::DescribeClass(TClassBuilder<TCustomComboBoxEx>&) {}

TCustomComboBoxEx::TCustomComboBoxEx(TComponent* AOwner)
    : TCustomComboBox(AOwner), FItemsEx(Create<TComboExItems>(this)) {
    QComboBox* Box = GetComboBox();
    Box->setItemDelegate(new TIndentDelegate(Box->itemDelegate(), Box));
    FImageLink.reset(Create<TChangeLink>());
    FImageLink->SetOnChange(TNotifyEvent([this](TObject*) { UpdateImages(); }));
    QAbstractItemModel* Model = Box->model();
    auto Guarded = [this](auto Step) {
        return [this, Step](const QModelIndex& Parent, int First, int Last) {
            if (FSyncing || IsDestroying() || Parent.isValid()) return;
            SafeCall(this, [&] { (this->*Step)(First, Last); });
        };
    };
    QObject::connect(Model, &QAbstractItemModel::rowsInserted, Box,
                     Guarded(&TCustomComboBoxEx::RowsInserted));
    QObject::connect(Model, &QAbstractItemModel::rowsRemoved, Box,
                     Guarded(&TCustomComboBoxEx::RowsRemoved));
    QObject::connect(Model, &QAbstractItemModel::dataChanged, Box,
                     [this](const QModelIndex& TopLeft, const QModelIndex& BottomRight) {
                         if (FSyncing || IsDestroying()) return;
                         SafeCall(this, [&] { RowsChanged(TopLeft.row(), BottomRight.row()); });
                     });
    QObject::connect(Model, &QAbstractItemModel::modelReset, Box, [this] {
        if (FSyncing || IsDestroying()) return;
        SafeCall(this, [this] {
            {
                TValueRollback<bool> Guard(FSyncing, true);
                FItemsEx->Clear();
            }
            if (GetComboBox()->count() > 0) RowsInserted(0, GetComboBox()->count() - 1);
        });
    });
}

TCustomComboBoxEx::~TCustomComboBoxEx() = default;

void TCustomComboBoxEx::BeforeDestruction() {
    SetImages(nullptr);
    TCustomComboBox::BeforeDestruction();
}

void TCustomComboBoxEx::SetItemsEx(TComboExItems* Value) {
    FItemsEx->Assign(Value);
}

void TCustomComboBoxEx::SetStyle(TComboBoxExStyle Value) {
    FStyleEx = Value;
    TCustomComboBox::SetStyle(Value == csExSimple         ? csSimple
                              : Value == csExDropDownList ? csDropDownList
                                                          : csDropDown);
}

void TCustomComboBoxEx::UpdateRow(const TComboExItem* Item) {
    QComboBox* Box = GetComboBox();
    const int Row = Item->GetIndex();
    if (Row < 0 || Row >= Box->count()) return;
    TValueRollback<bool> Guard(FSyncing, true);
    Box->setItemText(Row, QString::fromUtf8(Item->FCaption));
    Box->setItemIcon(Row, ItemIcon(FImages, Item->FImageIndex, Item->FSelectedImageIndex, nullptr,
                                   -1, Item->FOverlayImageIndex));
    Box->setItemData(Row, QVariant::fromValue(reinterpret_cast<quintptr>(Item->FData)));
    Box->setItemData(Row, Item->GetID(), ItemIdRole);
    Box->setItemData(Row, Item->FIndent, IndentRole);
}

void TCustomComboBoxEx::RebuildRows() {
    QComboBox* Box = GetComboBox();
    const int Current = Box->currentIndex();
    const QVariant SelectedId = Current >= 0 ? Box->itemData(Current, ItemIdRole) : QVariant();
    const QString Text = Box->currentText();
    {
        TValueRollback<bool> Guard(FSyncing, true);
        const int Count = FItemsEx->GetCount();
        while (Box->count() > Count) Box->removeItem(Box->count() - 1);
        while (Box->count() < Count) Box->addItem(QString());
    }
    int Selected = -1;
    for (int I = 0; I < FItemsEx->GetCount(); ++I) {
        const TComboExItem* Item = FItemsEx->GetItem(I);
        UpdateRow(Item);
        if (SelectedId.isValid() && Item->GetID() == SelectedId.toInt()) Selected = I;
    }
    TValueRollback<bool> Guard(FSyncing, true);
    Box->setCurrentIndex(Selected);
    // Typed text that is no line's stays, as a plain combo box keeps it.
    if (Selected < 0 && Box->isEditable()) Box->setEditText(Current < 0 ? Text : QString());
}

void TCustomComboBoxEx::RowsInserted(int First, int Last) {
    QComboBox* Box = GetComboBox();
    for (int Row = First; Row <= Last; ++Row) {
        TComboExItem* Item = nullptr;
        {
            TValueRollback<bool> Guard(FSyncing, true);
            Item = static_cast<TComboExItem*>(FItemsEx->Insert(Row));
            Item->FCaption = Box->itemText(Row).toStdString();
            Item->FData = reinterpret_cast<void*>(Box->itemData(Row).value<quintptr>());
        }
        UpdateRow(Item);
    }
}

void TCustomComboBoxEx::RowsRemoved(int First, int Last) {
    TValueRollback<bool> Guard(FSyncing, true);
    for (int Row = Last; Row >= First; --Row)
        if (Row < FItemsEx->GetCount()) FItemsEx->Delete(Row);
}

void TCustomComboBoxEx::RowsChanged(int First, int Last) {
    QComboBox* Box = GetComboBox();
    for (int Row = std::max(First, 0); Row <= Last && Row < FItemsEx->GetCount(); ++Row) {
        TComboExItem* Item = FItemsEx->GetItem(Row);
        Item->FCaption = Box->itemText(Row).toStdString();
        Item->FData = reinterpret_cast<void*>(Box->itemData(Row).value<quintptr>());
    }
}

// ---- images ----

void TCustomComboBoxEx::UpdateImages() {
    if (IsDestroying()) return;
    GetComboBox()->setIconSize(FImages ? QSize(FImages->GetWidth(), FImages->GetHeight())
                                       : QSize(16, 16));
    for (int I = 0; I < FItemsEx->GetCount(); ++I) UpdateRow(FItemsEx->GetItem(I));
}

void TCustomComboBoxEx::SetImages(TCustomImageList* Value) {
    if (SetImageListField(this, FImages, Value, FImageLink.get())) UpdateImages();
}

void TCustomComboBoxEx::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

// ---- TComboBoxEx ----

ZK_IMPLEMENT_CLASS(TComboBoxEx)
void TComboBoxEx::DescribeClass(TClassBuilder<TComboBoxEx>& C) {
    C.Prop("Style", &TCustomComboBoxEx::GetStyle, &TCustomComboBoxEx::SetStyle)
        .Default(csExDropDown);
    C.Prop("AutoComplete", &TCustomComboBox::GetAutoComplete, &TCustomComboBox::SetAutoComplete)
        .Default(true);
    C.Prop("DropDownCount", &TCustomComboBox::GetDropDownCount, &TCustomComboBox::SetDropDownCount)
        .Default(8);
    C.Prop("Images", &TCustomComboBoxEx::GetImages, &TCustomComboBoxEx::SetImages);
    C.Prop("MaxLength", &TCustomComboBox::GetMaxLength, &TCustomComboBox::SetMaxLength).Default(0);
    // ItemsEx before ItemIndex, so a form reads the lines before the selected one.
    C.Prop("ItemsEx", &TCustomComboBoxEx::GetItemsEx, &TCustomComboBoxEx::SetItemsEx);
    C.Prop("ItemIndex", &TCustomComboBox::GetItemIndex, &TCustomComboBox::SetItemIndex).Default(-1);
    C.Prop("Text", &TControl::GetText, &TControl::SetText)
        .Type(TypeInfoTCaption())
        .Stored(&TCustomComboBox::IsTextStored);
    C.Prop("OnChange", &TCustomComboBox::GetOnChange, &TCustomComboBox::SetOnChange);
    C.Prop("OnCloseUp", &TCustomComboBox::GetOnCloseUp, &TCustomComboBox::SetOnCloseUp);
    C.Prop("OnDropDown", &TCustomComboBox::GetOnDropDown, &TCustomComboBox::SetOnDropDown);
    C.Prop("OnSelect", &TCustomComboBox::GetOnSelect, &TCustomComboBox::SetOnSelect);
}

TComboBoxEx::TComboBoxEx(TComponent* AOwner) : TCustomComboBoxEx(AOwner) {}

}  // namespace zk
