// TCustomListBox and TListBox: items, selection, scrolling, owner drawing and the keyboard.
#include "platform/gui/ListBox.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>
#include <cassert>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/Graphics.h"

namespace zk {

// The list box's lines: every change reaches the list box, which keeps its
// selection on the same line where it can.
class TListBoxStrings : public TStringList {
public:
    explicit TListBoxStrings(TCustomListBox* ListBox) : FListBox(ListBox) {}

    void InsertObject(int Index, const std::string& S, TObject* AObject) override {
        TStringList::InsertObject(Index, S, AObject);
        if (Index <= FListBox->FItemIndex) ++FListBox->FItemIndex;
        Notify();
    }
    void Delete(int Index) override {
        TStringList::Delete(Index);
        if (Index == FListBox->FItemIndex)
            FListBox->FItemIndex = -1;
        else if (Index < FListBox->FItemIndex)
            --FListBox->FItemIndex;
        Notify();
    }
    void Clear() override {
        TStringList::Clear();
        FListBox->FItemIndex = -1;
        FListBox->FTopIndex = 0;
        Notify();
    }

protected:
    void Changed() override {
        TStringList::Changed();
        Notify();
    }

private:
    void Notify() {
        if (GetUpdateCount() == 0) FListBox->ItemsChanged();
    }
    TCustomListBox* FListBox;  // owns this list
};

ZK_IMPLEMENT_CLASS(TCustomListBox)
void TCustomListBox::DescribeClass(TClassBuilder<TCustomListBox>& C) {
    C.Redeclare("Color").Default(clWindow);
    C.Redeclare("ParentColor").Default(false);
    C.Redeclare("TabStop").Default(true);
}

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(new TListBoxStrings(this)) {
    SetControlStyle({csSetCaption, csDoubleClicks, csOpaque});
    SetColor(clWindow);
    SetTabStop(true);
    FScrollBar = new QScrollBar(Qt::Vertical, GetWidget());
    FScrollBar->setFocusPolicy(Qt::NoFocus);
    FScrollBar->hide();
    QObject::connect(FScrollBar, &QScrollBar::valueChanged, FScrollBar, [this](int Value) {
        if (!FSyncingScrollBar && !IsDestroying())
            SafeCall(this, [this, Value] { SetTopIndex(Value); });
    });
    SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() = default;

TStrings* TCustomListBox::GetItems() const {
    return FItems.get();
}

void TCustomListBox::SetItems(TStrings* Value) {
    assert(Value && "SetItems(nullptr): assign lines, the list box owns its Items");
    if (Value) FItems->Assign(Value);
}

int TCustomListBox::GetCount() const {
    return FItems->GetCount();
}

void TCustomListBox::Clear() {
    FItems->Clear();
}

bool TCustomListBox::GetSorted() const {
    return FItems->GetSorted();
}

void TCustomListBox::SetSorted(bool Value) {
    FItems->SetSorted(Value);
}

// ---- geometry ----

int TCustomListBox::BorderWidth() const {
    if (FBorderStyle != bsSingle) return 0;
    return GetCtl3D() ? 2 : 1;
}

TPoint TCustomListBox::GetClientOffset() const {
    return {BorderWidth(), BorderWidth()};
}

TRect TCustomListBox::GetClientRect() const {
    const int B = BorderWidth();
    int W = GetWidth() - 2 * B;
    if (ScrollBarNeeded()) W -= GetSystemMetrics(SM_CXVSCROLL);
    return Rect(0, 0, std::max(W, 0), std::max(GetHeight() - 2 * B, 0));
}

int TCustomListBox::GetItemHeight() const {
    if (FStyle == lbStandard) return QFontMetrics(GetWidget()->font()).height();
    return FItemHeight;
}

void TCustomListBox::SetItemHeight(int Value) {
    if (Value <= 0 || FItemHeight == Value) return;
    FItemHeight = Value;
    LayoutChanged();
}

int TCustomListBox::GetVisibleRows() const {
    const int H = GetItemHeight();
    return H > 0 ? (GetHeight() - 2 * BorderWidth()) / H : 0;
}

bool TCustomListBox::ScrollBarNeeded() const {
    return GetCount() > GetVisibleRows();
}

// IntegralHeight keeps whole rows (at least one) below the border.
void TCustomListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const int H = GetItemHeight();
    if (FIntegralHeight && FStyle != lbOwnerDrawVariable && H > 0) {
        const int B2 = 2 * BorderWidth();
        const int Rows = std::max((AHeight - B2) / H, 1);
        AHeight = Rows * H + B2;
    }
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    // More rows may fit now: the top row comes up so that the list stays full.
    SetTopIndex(FTopIndex);
    UpdateScrollBar();
}

void TCustomListBox::SetIntegralHeight(bool Value) {
    if (FIntegralHeight == Value) return;
    FIntegralHeight = Value;
    LayoutChanged();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    LayoutChanged();
}

void TCustomListBox::SetBorderStyle(TFormBorderStyle Value) {
    if (Value != bsSingle) Value = bsNone;
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    LayoutChanged();
}

void TCustomListBox::Ctl3DChanged() {
    LayoutChanged();
}

void TCustomListBox::FontChanged() {
    TCustomControl::FontChanged();
    LayoutChanged();
}

void TCustomListBox::Loaded() {
    TCustomControl::Loaded();
    LayoutChanged();
}

// Row height, border or style changed: snap the height again and rescroll.
void TCustomListBox::LayoutChanged() {
    if (IsLoading()) return;
    AdjustSize();
    SetTopIndex(FTopIndex);
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::UpdateScrollBar() {
    if (!FScrollBar) return;
    const bool Needed = ScrollBarNeeded();
    const int B = BorderWidth();
    const int SW = GetSystemMetrics(SM_CXVSCROLL);
    FSyncingScrollBar = true;
    TScopeExit Done([this] { FSyncingScrollBar = false; });
    FScrollBar->setGeometry(GetWidth() - B - SW, B, SW, std::max(GetHeight() - 2 * B, 0));
    const int Rows = std::max(GetVisibleRows(), 1);
    FScrollBar->setRange(0, std::max(GetCount() - Rows, 0));
    FScrollBar->setPageStep(Rows);
    FScrollBar->setValue(FTopIndex);
    FScrollBar->setVisible(Needed);
}

void TCustomListBox::ItemsChanged() {
    if (FItemIndex >= GetCount()) FItemIndex = -1;
    SetTopIndex(FTopIndex);
    UpdateScrollBar();
    Invalidate();
}

// ---- rows ----

TRect TCustomListBox::ItemRect(int Index) const {
    const int H = GetItemHeight();
    const int Top = (Index - FTopIndex) * H;
    return Rect(0, Top, GetClientRect().Width(), Top + H);
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const {
    const TRect Client = GetClientRect();
    if (!Client.Contains(Pos)) return -1;
    const int H = GetItemHeight();
    if (H <= 0) return -1;
    const int Index = FTopIndex + Pos.Y / H;
    if (Index < GetCount()) return Index;
    return Existing ? -1 : GetCount();
}

void TCustomListBox::SetTopIndex(int Value) {
    const int Max = std::max(GetCount() - std::max(GetVisibleRows(), 1), 0);
    Value = std::clamp(Value, 0, Max);
    if (Value == FTopIndex) return;
    FTopIndex = Value;
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::MakeVisible(int Index) {
    if (Index < 0) return;
    const int Rows = std::max(GetVisibleRows(), 1);
    if (Index < FTopIndex)
        SetTopIndex(Index);
    else if (Index >= FTopIndex + Rows)
        SetTopIndex(Index - Rows + 1);
}

void TCustomListBox::SetItemIndex(int Value) {
    if (Value < -1 || Value >= GetCount()) Value = -1;
    if (Value == FItemIndex) return;
    FItemIndex = Value;
    MakeVisible(Value);
    Invalidate();
}

void TCustomListBox::SelectByUser(int Index) {
    if (Index < 0 || Index >= GetCount() || Index == FItemIndex) return;
    SetItemIndex(Index);
    Click();
}

// ---- painting ----

void TCustomListBox::PaintBorder() {
    TRect R = Rect(0, 0, GetWidth(), GetHeight());
    TCanvas* Canvas = GetCanvas();
    if (BorderWidth() == 2) {
        Canvas->DrawEdge(R, EDGE_SUNKEN, BF_RECT);
    } else if (BorderWidth() == 1) {
        Canvas->GetBrush()->SetColor(clWindowFrame);
        Canvas->FrameRect(R);
    }
}

void TCustomListBox::Paint() {
    TCanvas* Canvas = GetCanvas();
    const TRect Client = GetClientRect();
    int Bottom = 0;
    for (int I = FTopIndex; I < GetCount(); ++I) {
        const TRect R = ItemRect(I);
        if (R.Top >= Client.Bottom) break;
        TOwnerDrawState State;
        if (I == FItemIndex) State.Include(odSelected);
        if (I == FItemIndex && Focused()) State.Include(odFocused);
        if (!GetEnabled()) State.Include(odDisabled);
        Canvas->GetFont()->Assign(GetFont());
        Canvas->GetBrush()->SetColor(GetColor());
        Canvas->GetBrush()->SetStyle(bsSolid);
        if (State.Contains(odSelected)) {
            Canvas->GetBrush()->SetColor(clHighlight);
            Canvas->GetFont()->SetColor(clHighlightText);
        }
        if (FStyle == lbStandard)
            DefaultDrawItem(I, R);
        else
            DrawItem(I, R, State);
        if (State.Contains(odFocused)) {
            Canvas->GetBrush()->SetColor(clHighlightText);
            Canvas->FrameRect(R);
        }
        Bottom = R.Bottom;
    }
    if (Bottom < Client.Bottom) {
        Canvas->GetBrush()->SetColor(GetColor());
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->FillRect(Rect(0, Bottom, Client.Right, Client.Bottom));
    }
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    if (FOnDrawItem.Assigned())
        FOnDrawItem(this, Index, Rect, State);
    else
        DefaultDrawItem(Index, Rect);
}

void TCustomListBox::DefaultDrawItem(int Index, const TRect& Rect) {
    TCanvas* Canvas = GetCanvas();
    Canvas->FillRect(Rect);
    if (Index >= GetCount()) return;
    TRect R = Rect;
    if (UseRightToLeftAlignment())
        R.Right -= 2;
    else
        R.Left += 2;
    unsigned Flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (UseRightToLeftAlignment()) Flags |= DT_RIGHT;
    if (UseRightToLeftReading()) Flags |= DT_RTLREADING;
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->DrawText(FItems->Get(Index), R, Flags);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

// ---- mouse and keyboard ----

// The row is selected first, as the list reacts before the control's own handlers run.
void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        const int Index = ItemAtPos({X, Y}, true);
        if (Index >= 0) SelectByUser(Index);
        if (Shift.Contains(ssDouble)) DblClick();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListBox::MouseMove(TShiftState Shift, int X, int Y) {
    if (Shift.Contains(ssLeft) && GetCount() > 0) {
        const int Rows = std::max(GetVisibleRows(), 1);
        const int H = GetItemHeight();
        int Index = H > 0 ? FTopIndex + (Y < 0 ? -1 : Y / H) : FTopIndex;
        Index = std::clamp(Index, std::max(FTopIndex - 1, 0),
                           std::min(FTopIndex + Rows, GetCount() - 1));
        SelectByUser(Index);
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

bool TCustomListBox::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
    SetTopIndex(FTopIndex + 3);
    return true;
}

bool TCustomListBox::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
    SetTopIndex(FTopIndex - 3);
    return true;
}

void TCustomListBox::KeyDown(uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (!Key || GetCount() == 0) return;
    const int Page = std::max(GetVisibleRows() - 1, 1);
    const int Cur = FItemIndex;
    int Next = Cur;
    switch (Key) {
        case VK_UP:
            Next = Cur < 0 ? 0 : Cur - 1;
            break;
        case VK_DOWN:
            Next = Cur + 1;
            break;
        case VK_PRIOR:
            Next = Cur < 0 ? 0 : Cur - Page;
            break;
        case VK_NEXT:
            Next = Cur < 0 ? 0 : Cur + Page;
            break;
        case VK_HOME:
            Next = 0;
            break;
        case VK_END:
            Next = GetCount() - 1;
            break;
        default:
            return;
    }
    SelectByUser(std::clamp(Next, 0, GetCount() - 1));
    MakeVisible(FItemIndex);
}

// A printable character selects the next line that starts with it.
void TCustomListBox::KeyPress(char& Key) {
    TCustomControl::KeyPress(Key);
    if (static_cast<unsigned char>(Key) < 32 || GetCount() == 0) return;
    const std::string Prefix(1, Key);
    const int Count = GetCount();
    for (int Step = 1; Step <= Count; ++Step) {
        const int I = (std::max(FItemIndex, -1) + Step) % Count;
        const std::string Line = FItems->Get(I);
        if (!Line.empty() && SameText(Line.substr(0, 1), Prefix)) {
            SelectByUser(I);
            return;
        }
    }
}

// ---- TListBox ----

ZK_IMPLEMENT_CLASS(TListBox)
void TListBox::DescribeClass(TClassBuilder<TListBox>& C) {
    C.Prop("BorderStyle", &TCustomListBox::GetBorderStyle, &TCustomListBox::SetBorderStyle)
        .Type(TypeInfoTBorderStyle())
        .Default(bsSingle);
    C.Prop("IntegralHeight", &TCustomListBox::GetIntegralHeight, &TCustomListBox::SetIntegralHeight)
        .Default(false);
    C.Prop("ItemHeight", &TCustomListBox::GetItemHeight, &TCustomListBox::SetItemHeight)
        .Stored(&TCustomListBox::IsItemHeightStored);
    C.Prop("Items", &TCustomListBox::GetItems, &TCustomListBox::SetItems);
    C.Prop("Sorted", &TCustomListBox::GetSorted, &TCustomListBox::SetSorted).Default(false);
    C.Prop("Style", &TCustomListBox::GetStyle, &TCustomListBox::SetStyle).Default(lbStandard);
    C.Prop("OnDrawItem", &TCustomListBox::GetOnDrawItem, &TCustomListBox::SetOnDrawItem);
}

TListBox::TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}

}  // namespace zk
