// TZkInplaceEditList, the item-list grid's cell editor with its button and pop-up list, and
// TPopupListbox, that list.
#include "itemlist/ZkInplaceEditList.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <cctype>

#include "itemlist/ZkInplaceEditList_p.h"
#include "itemlist/ZkItemListEditor.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Messages.h"

namespace zk {

namespace {

constexpr uint32_t SearchTimeout = 2000;  // ms without a key before the search starts over
constexpr size_t MaxSearchText = 32;

bool StartsWithText(const std::string& S, const std::string& Prefix) {
    if (S.size() < Prefix.size()) return false;
    for (size_t I = 0; I < Prefix.size(); ++I)
        if (std::tolower(static_cast<unsigned char>(S[I])) !=
            std::tolower(static_cast<unsigned char>(Prefix[I])))
            return false;
    return true;
}

}  // namespace

// ---- TPopupListbox ----

ZK_IMPLEMENT_CLASS(TPopupListbox)
void TPopupListbox::DescribeClass(TClassBuilder<TPopupListbox>&) {}

TPopupListbox::TPopupListbox(TComponent* AOwner) : TCustomListBox(AOwner) {
    QWidget* W = GetWidget();
    // A tool-tip type window is never activated, not even by a click, so the
    // editor keeps the focus on every platform.
    W->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                      Qt::WindowDoesNotAcceptFocus);
    W->setAttribute(Qt::WA_ShowWithoutActivating);
    W->setFocusPolicy(Qt::NoFocus);
    // A press in the list takes the mouse, so that a drag begun on the editor's button goes on
    // here.
    FControlStyle.Include(csCaptureMouse);
    SetVisible(false);
    SetTabStop(false);
}

TZkInplaceEditList* TPopupListbox::Editor() const {
    return DynamicCast<TZkInplaceEditList>(GetOwner());
}

void TPopupListbox::KeyPress(char& Key) {
    const unsigned char Code = static_cast<unsigned char>(Key);
    if (Key == 8 || Key == 27) {
        FSearchText.clear();
    } else if (Code >= 32) {
        const uint32_t Now = CurrentTick();
        if (Now - FSearchTickCount > SearchTimeout) FSearchText.clear();
        FSearchTickCount = Now;
        if (FSearchText.size() < MaxSearchText) FSearchText += Key;
        for (int I = 0; I < GetCount(); ++I) {
            if (!StartsWithText(GetItems()->Get(I), FSearchText)) continue;
            SetItemIndex(I);
            break;
        }
        Key = 0;
    }
    TCustomListBox::KeyPress(Key);
}

void TPopupListbox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomListBox::MouseUp(Button, Shift, X, Y);
    // X and Y are client coordinates; the window's own extent decides, as the
    // border belongs to the list too.
    const TPoint Off = GetClientOffset();
    const int WX = X + Off.X;
    const int WY = Y + Off.Y;
    if (TZkInplaceEditList* E = Editor())
        E->CloseUp(WX >= 0 && WY >= 0 && WX < GetWidth() && WY < GetHeight());
}

// A drop-down's frame: a dark line with a window-coloured line inside.
void TPopupListbox::PaintBorder() {
    TCanvas* Canvas = GetCanvas();
    TRect R = Rect(0, 0, GetWidth(), GetHeight());
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(clWindowFrame);
    Canvas->FrameRect(R);
    R = Rect(1, 1, GetWidth() - 1, GetHeight() - 1);
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->FrameRect(R);
}

// ---- TZkInplaceEditList ----

// While the list shows, a press on any other control tells the editor, as
// that control taking the mouse would: the list closes without accepting.
class TZkInplaceEditList::TPressWatcher : public QObject {
public:
    explicit TPressWatcher(TZkInplaceEditList* Editor) : FEditor(Editor) {}
    bool Filtering() const { return FFiltering; }

protected:
    bool eventFilter(QObject* Watched, QEvent* E) override {
        if (E->type() != QEvent::MouseButtonPress && E->type() != QEvent::MouseButtonDblClick)
            return false;
        auto* W = qobject_cast<QWidget*>(Watched);
        TControl* Control = nullptr;
        for (; W && !Control; W = W->parentWidget()) Control = FindControl(W);
        if (!Control || Control == FEditor || Control == FEditor->FPickList) return false;
        FFiltering = true;
        SafeCall(FEditor, [this, Control] {
            FEditor->Perform(CM_CANCELMODE, 0, reinterpret_cast<intptr_t>(Control));
        });
        FFiltering = false;
        return false;
    }

private:
    TZkInplaceEditList* FEditor;  // owns this watcher
    bool FFiltering = false;
};

ZK_IMPLEMENT_CLASS(TZkInplaceEditList)
void TZkInplaceEditList::DescribeClass(TClassBuilder<TZkInplaceEditList>&) {}

TZkInplaceEditList::TZkInplaceEditList(TComponent* AOwner)
    : TInplaceEdit(AOwner),
      FExpression(Create<TYRegularExpression>()),
      FButtonWidth(GetSystemMetrics(SM_CXVSCROLL)) {
    // Capture is taken for the button only: releasing it after an ordinary
    // click would otherwise cancel the button's tracking before MouseUp sees it.
    FControlStyle.Exclude(csCaptureMouse);
}

TZkInplaceEditList::~TZkInplaceEditList() {
    WatchPresses(false);
}

void TZkInplaceEditList::WatchPresses(bool On) {
    if (On && !FPressWatcher) {
        FPressWatcher = new TPressWatcher(this);
        QApplication::instance()->installEventFilter(FPressWatcher);
    } else if (!On && FPressWatcher) {
        QApplication::instance()->removeEventFilter(FPressWatcher);
        // A press being filtered may be what closes the list: the watcher is still running then.
        if (FPressWatcher->Filtering())
            FPressWatcher->deleteLater();
        else
            delete FPressWatcher;
        FPressWatcher = nullptr;
    }
}

TZkCustomItemListEditor* TZkInplaceEditList::ItemGrid() const {
    return DynamicCast<TZkCustomItemListEditor>(GetGrid());
}

void TZkInplaceEditList::SetButtonWidth(int Value) {
    if (Value == FButtonWidth) return;
    FButtonWidth = Value;
    BoundsChanged();
    Invalidate();
}

void TZkInplaceEditList::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FPickList) {
        if (FActiveList == FPickList) FActiveList = nullptr;
        FPickList = nullptr;
        FListVisible = false;
        WatchPresses(false);
    }
    TInplaceEdit::Notification(AComponent, Operation);
}

// ---- introduced operations ----

TPopupListbox* TZkInplaceEditList::GetPickList() {
    if (!FPickList) {
        TPopupListbox* List = Create<TPopupListbox>(this);
        List->SetIntegralHeight(true);
        List->SetItemHeight(11);
        List->SetOnMouseUp(TMouseEvent(this, &TZkInplaceEditList::ListMouseUp));
        FPickList = List;
    }
    return FPickList;
}

bool TZkInplaceEditList::IsValid() {
    if (!HandleAllocated() || FExpression->GetExpression().empty()) return true;
    return FExpression->Find("\n" + GetEditText() + "\r") > 0;
}

void TZkInplaceEditList::DoDropDownKeys(uint16_t& Key, TShiftState Shift) {
    const bool Alt = Shift.Contains(ssAlt);
    switch (Key) {
        case VK_UP:
        case VK_DOWN:
            if (Alt) {
                if (FListVisible)
                    CloseUp(true);
                else
                    DropDown();
                Key = 0;
            }
            break;
        case VK_RETURN:
        case VK_ESCAPE:
            if (FListVisible && !Alt) {
                const bool Accept = Key == VK_RETURN;
                Key = 0;
                CloseUp(Accept);
            }
            break;
        default:
            break;
    }
}

void TZkInplaceEditList::DoEditButtonClick() {
    if (FOnEditButtonClick.Assigned()) FOnEditButtonClick(GetGrid());
}

void TZkInplaceEditList::RestoreContents() {
    Reset();
    TZkCustomItemListEditor* G = ItemGrid();
    if (G && G->GetCol() >= 0 && G->GetRow() >= 0)
        G->SetEditText(G->GetCol(), G->GetRow(), GetText());
}

void TZkInplaceEditList::LoadPickList() {
    DoGetPickListItems();
}

// ---- dynamic operations ----

void TZkInplaceEditList::SelectTextEntry() {
    if (FPickList) FPickList->SetItemIndex(FPickList->GetItems()->IndexOf(GetText()));
}

void TZkInplaceEditList::DoGetPickListItems() {
    if (FPickListLoaded) return;
    TPopupListbox* List = GetPickList();
    TZkCustomItemListEditor* G = ItemGrid();
    if (FOnGetPickListItems.Assigned() && G)
        FOnGetPickListItems(G->GetCol(), G->GetRow(), List->GetItems());
    FPickListLoaded = List->GetItems()->GetCount() > 0;
    SelectTextEntry();
}

void TZkInplaceEditList::DropDown() {
    if (FListVisible || !FActiveList) return;
    if (TZkCustomItemListEditor* G = ItemGrid()) G->HideItemHint();
    FActiveList->SetWidth(GetWidth());
    if (FActiveList == FPickList) {
        DoGetPickListItems();
        FPickList->SetColor(GetColor());
        FPickList->GetFont()->Assign(GetFont());
        FPickList->GetFont()->SetStyle(TFontStyles{});
        const int ItemHeight = FPickList->GetItemHeight();
        const int Count = FPickList->GetCount();
        int Rows = Count;
        if (FDropDownRows > 0 && Count >= FDropDownRows)
            Rows = FDropDownRows;
        else if (Count == 0)
            Rows = 1;
        FPickList->SetHeight(Rows * ItemHeight + 4);
        if (GetText().empty())
            FPickList->SetItemIndex(-1);
        else
            SelectTextEntry();
        const QFontMetrics Metrics(FontToQFont(*FPickList->GetFont()));
        int Widest = 0;
        for (int I = 0; I < Count; ++I)
            Widest = std::max(Widest, static_cast<int>(Metrics.horizontalAdvance(
                                          QString::fromUtf8(FPickList->GetItems()->Get(I)))));
        if (Widest > FPickList->GetClientWidth()) FPickList->SetClientWidth(Widest);
    }
    const TPoint Origin = ClientToScreen({0, 0});
    int Y = Origin.Y + GetHeight();
    if (Screen && Y + FActiveList->GetHeight() > Screen->GetHeight())
        Y = Origin.Y - FActiveList->GetHeight();
    FActiveList->SetBounds(Origin.X, Y, FActiveList->GetWidth(), FActiveList->GetHeight());
    FActiveList->SetVisible(true);
    FActiveList->BringToFront();
    FListVisible = true;
    WatchPresses(true);
    Invalidate();
}

// The value goes in as typing would put it, so that a value the expression
// refuses can be undone; it is selected, so that typing replaces it.
void TZkInplaceEditList::TakeListValue(const std::string& Value) {
    {
        TValueRollback<bool> Whole(FUndoing, true);
        ReplaceText(Value);
    }
    SelectAll();
}

void TZkInplaceEditList::CloseUp(bool Accept) {
    TZkCustomItemListEditor* G = ItemGrid();
    TZkItemProp* Item = G ? G->GetCurrentItem() : nullptr;
    if (Item && Item->GetReadOnly()) Accept = false;
    if (FListVisible && FActiveList && FActiveList == FPickList) {
        if (GetCaptureControl()) SetCaptureControl(nullptr);
        std::string Value;
        bool Taken = false;
        if (FPickList->GetItemIndex() >= 0) {
            Value = FPickList->GetItems()->Get(FPickList->GetItemIndex());
            Taken = true;
        }
        FPickList->SetVisible(false);
        FListVisible = false;
        WatchPresses(false);
        Invalidate();
        if (Accept && Taken && Value != GetText()) TakeListValue(Value);
    }
    if (!Accept) return;
    ValidateOrUndo(false);
    if (G) G->CommitEdit();
}

// ---- the button ----

TRect TZkInplaceEditList::ButtonRect() const {
    if (UseRightToLeftAlignment()) return Rect(0, 0, FButtonWidth, GetHeight());
    return Rect(GetWidth() - FButtonWidth, 0, GetWidth(), GetHeight());
}

bool TZkInplaceEditList::OverButton(TPoint P) const {
    const TRect R = ButtonRect();
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

void TZkInplaceEditList::TrackButton(int X, int Y) {
    const bool NewState = OverButton({X, Y});
    if (NewState == FPressed) return;
    FPressed = NewState;
    Invalidate();
}

void TZkInplaceEditList::StopTracking() {
    if (!FTracking) return;
    TrackButton(-1, -1);
    FTracking = false;
    SetMouseCapture(false);
}

void TZkInplaceEditList::PaintWindow(TCanvas* Canvas) {
    if (FEditStyle == esSimple) return;
    if (FNativeButtons) {
        PaintNativeButton(Canvas);
        return;
    }
    TRect R = ButtonRect();
    if (FEditStyle == esEllipsis) {
        Canvas->DrawEdge(R, EDGE_RAISED, BF_RECT | BF_MIDDLE | (FPressed ? BF_FLAT : 0u));
        const TRect B = ButtonRect();
        const int Shift = FPressed ? 1 : 0;
        const int X = B.Left + B.Width() / 2 - 1 + Shift;
        const int Y = B.Top + B.Height() / 2 - 1 + Shift;
        const int W = std::max(FButtonWidth / 8, 1);
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(clBlack);
        Canvas->FillRect(Rect(X, Y, X + W, Y + W));
        Canvas->FillRect(Rect(X - 2 * W, Y, X - W, Y + W));
        Canvas->FillRect(Rect(X + 2 * W, Y, X + 3 * W, Y + W));
    } else {
        unsigned Flags = 0;
        if (!FActiveList)
            Flags = DFCS_INACTIVE;
        else if (FPressed)
            Flags = DFCS_FLAT | DFCS_PUSHED;
        Canvas->DrawFrameControl(R, DFC_SCROLL, Flags | DFCS_SCROLLCOMBOBOX);
    }
}

void TZkInplaceEditList::PaintNativeButton(TCanvas* Canvas) {
    QPainter* P = Canvas->GetPainter();
    QWidget* W = GetWidget();
    if (!P) return;
    const TRect B = ButtonRect();
    const QRect R(B.Left, B.Top, B.Width(), B.Height());
    P->save();
    if (FEditStyle == esEllipsis) {
        QStyleOptionButton Option;
        Option.initFrom(W);
        Option.rect = R;
        Option.text = QStringLiteral("...");
        Option.state |= FPressed ? QStyle::State_Sunken : QStyle::State_Raised;
        W->style()->drawControl(QStyle::CE_PushButton, &Option, P, W);
    } else {
        QStyleOptionButton Panel;
        Panel.initFrom(W);
        Panel.rect = R;
        Panel.state |= FPressed && FActiveList ? QStyle::State_Sunken : QStyle::State_Raised;
        if (!FActiveList) Panel.state &= ~QStyle::State_Enabled;
        W->style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &Panel, P, W);
        QStyleOption Arrow = Panel;
        const int Side = std::max(5, R.height() / 3);
        Arrow.rect = QRect(R.center().x() - Side / 2, R.center().y() - Side / 2 + 1, Side, Side);
        W->style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &Arrow, P, W);
    }
    P->restore();
    Canvas->Refresh();
}

void TZkInplaceEditList::BoundsChanged() {
    TRect R = Rect(2, 2, GetWidth() - 2, GetHeight());
    if (FEditStyle != esSimple) {
        if (UseRightToLeftAlignment())
            R.Left += FButtonWidth - 2;
        else
            R.Right -= FButtonWidth;
    }
    SetEditRect(R);
    GetLineEdit()->update();
}

// ---- cells ----

void TZkInplaceEditList::UpdateContents() {
    TInplaceEdit::UpdateContents();
    FActiveList = nullptr;
    FPickListLoaded = false;
    TZkCustomItemListEditor* G = ItemGrid();
    if (!G) return;
    const int ACol = G->GetCol();
    const int ARow = G->GetRow();
    FEditStyle = G->GetEditStyle(ACol, ARow);
    if (FEditStyle == esPickList) FActiveList = GetPickList();
    FExpression->SetExpression(G->GetExpressionMask(ACol, ARow));
    if (TFont* Font = G->GetCellValueFont(ACol, ARow)) SetFont(Font);
    // The native look sizes the button from the font; the classic width comes back after it.
    const bool Native = G->GetNativeLook();
    if (Native && !FNativeButtons) FClassicButtonWidth = FButtonWidth;
    if (!Native && FNativeButtons) SetButtonWidth(FClassicButtonWidth);
    FNativeButtons = Native;
    if (Native) {
        const QFontMetrics Metrics(FontToQFont(*GetFont()));
        SetButtonWidth(std::max(16, Metrics.height() + 6));
    }
}

void TZkInplaceEditList::ValidateOrUndo(bool ListStep) {
    if (!IsValid()) {
        const std::string Message = Format("\"%s\" is not a valid property value", {GetEditText()});
        Undo();
        throw Exception(Message);
    }
    if (ListStep && FPickListLoaded && FEditStyle == esPickList) SelectTextEntry();
}

// A keystroke is kept when the expression matches the whole text from its
// first character, or can still do so once more is typed (from the text's
// start, or from a line start for an anchored expression). Only the first
// rule would refuse the second digit of [0-9]+ (matches are shortest) and
// every keystroke of an anchored expression; the whole value is checked on
// leaving the cell.
void TZkInplaceEditList::Change() {
    TInplaceEdit::Change();
    if (FUndoing || FExpression->GetExpression().empty()) return;
    const std::string Text = GetEditText();
    int MatchLength = 0;
    if (FExpression->Find(Text, 1, MatchLength) == 1 &&
        MatchLength == static_cast<int>(Text.size()))
        return;
    if (FExpression->CanStartMatch(Text) || FExpression->CanStartMatch("\n" + Text)) return;
    FUndoing = true;
    TScopeExit Done([this] { FUndoing = false; });
    Undo();
}

// ---- keys ----

void TZkInplaceEditList::WndProc(TMessage& Message) {
    if ((Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN) && FEditStyle == esPickList) {
        uint16_t Key = static_cast<uint16_t>(Message.WParam);
        const TShiftState Shift = TShiftState::FromInt(static_cast<uint32_t>(Message.LParam));
        DoDropDownKeys(Key, Shift);
        if (Key == 0) {
            Message.Result = 1;
            return;
        }
        if (FListVisible && FPickList) {
            if (QKeyEvent* E = GetPendingKeyEvent()) {
                QKeyEvent Copy(E->type(), E->key(), E->modifiers(), E->text(), E->isAutoRepeat(),
                               E->count());
                QApplication::sendEvent(FPickList->GetWidget(), &Copy);
            } else {
                FPickList->EditorKeyDown(Key, Shift);
            }
            Message.Result = 1;
            return;
        }
    }
    TInplaceEdit::WndProc(Message);
}

void TZkInplaceEditList::KeyDown(uint16_t& Key, TShiftState Shift) {
    TZkCustomItemListEditor* G = ItemGrid();
    if (G) G->HideItemHint();
    // The grid's command keys act on lines, never on the text.
    if (G && G->DoCommandKey(Key, Shift)) {
        Key = 0;
        return;
    }
    switch (Key) {
        case VK_TAB:
            if (!Shift.Contains(ssAlt)) ValidateOrUndo();
            break;
        case VK_ESCAPE:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_UP:
        case VK_DOWN:
            ValidateOrUndo();
            break;
        case VK_RETURN:
            ValidateOrUndo();
            if (G) {
                G->KeyDown(Key, Shift);
                Key = 0;
                return;
            }
            break;
        case VK_INSERT:
            if (Shift.Empty()) ValidateOrUndo();
            break;
        default:
            break;
    }
    TInplaceEdit::KeyDown(Key, Shift);
}

// ---- the mouse ----

void TZkInplaceEditList::DblClick() {
    TZkCustomItemListEditor* G = ItemGrid();
    TZkItemProp* Item = G ? G->GetCurrentItem() : nullptr;
    // An editable name cell: with TreeKeys a double click toggles its item.
    if (G && Item && G->GetTreeKeys() && !G->IsValueCell(G->GetCol(), G->GetRow()) &&
        Item->HasChildren()) {
        Item->SetExpanded(!Item->GetExpanded());
        return;
    }
    const bool ListActive = FActiveList && FActiveList == FPickList;
    if (ListActive && Item && Item->GetReadOnly()) return;
    if (FEditStyle == esSimple || (G && G->GetOnDblClick().Assigned())) {
        TInplaceEdit::DblClick();
    } else if (FEditStyle == esEllipsis) {
        DoEditButtonClick();
    } else if (FEditStyle == esPickList && ListActive && !OverButton(FLastMouse)) {
        DoGetPickListItems();
        const int Count = FPickList->GetCount();
        if (Count > 0) {
            const int Index = FPickList->GetItemIndex();
            const int Next = Index < 0 || Index + 1 >= Count ? 0 : Index + 1;
            FPickList->SetItemIndex(Next);
            TakeListValue(FPickList->GetItems()->Get(Next));
        }
    }
    if (FEditStyle == esPickList && ListActive && G) G->CommitEdit();
}

void TZkInplaceEditList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && FEditStyle != esSimple && OverButton({X, Y})) {
        if (FListVisible) {
            CloseUp(false);
        } else {
            SetMouseCapture(true);
            FTracking = true;
            TrackButton(X, Y);
            if (FActiveList) DropDown();
        }
    }
    TInplaceEdit::MouseDown(Button, Shift, X, Y);
}

void TZkInplaceEditList::MouseMove(TShiftState Shift, int X, int Y) {
    if (FTracking) {
        TrackButton(X, Y);
        if (FListVisible && FActiveList) {
            const TPoint P = FActiveList->ScreenToClient(ClientToScreen({X, Y}));
            const TRect Client = FActiveList->GetClientRect();
            if (P.X >= Client.Left && P.X < Client.Right && P.Y >= Client.Top &&
                P.Y < Client.Bottom) {
                StopTracking();
                // Dragging from the button into the list goes on as a press in the list.
                const TPoint Off =
                    FActiveList == FPickList ? FPickList->ClientOffset() : TPoint{0, 0};
                QWidget* ListWidget = FActiveList->GetWidget();
                const QPoint Local(P.X + Off.X, P.Y + Off.Y);
                QMouseEvent Press(QEvent::MouseButtonPress, QPointF(Local),
                                  QPointF(ListWidget->mapToGlobal(Local)), Qt::LeftButton,
                                  Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(ListWidget, &Press);
            }
        }
    }
    TInplaceEdit::MouseMove(Shift, X, Y);
}

void TZkInplaceEditList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const bool WasPressed = FPressed;
    StopTracking();
    if (Button == mbLeft && FEditStyle == esEllipsis && WasPressed) DoEditButtonClick();
    TInplaceEdit::MouseUp(Button, Shift, X, Y);
}

void TZkInplaceEditList::ListMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    if (Button != mbLeft || !FActiveList) return;
    const TRect Client = FActiveList->GetClientRect();
    CloseUp(X >= Client.Left && X < Client.Right && Y >= Client.Top && Y < Client.Bottom);
}

// Both the plain cancel-mode message (no Sender) and the notification that
// another control took the mouse stop the tracking; only the latter, from a
// control other than this editor and its list, closes the list.
void TZkInplaceEditList::CancelMode(TObject* Sender) {
    StopTracking();
    if (Sender && Sender != this && Sender != FActiveList) CloseUp(false);
}

TCursor TZkInplaceEditList::CursorAt(int X, int Y) {
    if (FEditStyle != esSimple && OverButton({X, Y})) return crArrow;
    return TInplaceEdit::CursorAt(X, Y);
}

// After the list took the mouse from a drag that began on the button, Qt
// still delivers the drag to this widget: it goes on to the list.
bool TZkInplaceEditList::ForwardMouseToList(QEvent* E) {
    if (!FListVisible || !FPickList || GetCaptureControl() != FPickList) return false;
    auto* M = static_cast<QMouseEvent*>(E);
    QWidget* ListWidget = FPickList->GetWidget();
    const QPoint Global = GetWidget()->mapToGlobal(M->position().toPoint());
    const QPoint Local = ListWidget->mapFromGlobal(Global);
    QMouseEvent Copy(M->type(), QPointF(Local), QPointF(Global), M->button(), M->buttons(),
                     M->modifiers());
    QApplication::sendEvent(ListWidget, &Copy);
    return true;
}

bool TZkInplaceEditList::HandleWidgetEvent(QEvent* E) {
    switch (E->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const QPoint P = static_cast<QMouseEvent*>(E)->position().toPoint();
            FLastMouse = {P.x(), P.y()};
            break;
        }
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            if (ForwardMouseToList(E)) return true;
            break;
        case QEvent::FocusOut:
            CloseUp(false);
            break;
        default:
            break;
    }
    return TInplaceEdit::HandleWidgetEvent(E);
}

}  // namespace zk
