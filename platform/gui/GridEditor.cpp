// In-place editing: TInplaceEdit and the grid's side of it (showing, moving, hiding, handing the
// text over).
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <cassert>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Grids.h"

namespace zk {

// ---- TInplaceEdit ----

ZK_IMPLEMENT_CLASS(TInplaceEdit)
void TInplaceEdit::DescribeClass(TClassBuilder<TInplaceEdit>&) {}

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    SetAutoSize(false);
    SetParentCtl3D(false);
    SetCtl3D(false);
    SetTabStop(false);
    SetBorderStyle(bsNone);
    SetVisible(false);
    // The grid leaves the cell under the editor unpainted, and a frameless
    // line edit does not fill its margins: the editor paints all of its
    // rectangle, or whatever was drawn there last (a dragged border) stays.
    GetWidget()->setAutoFillBackground(true);
}

TInplaceEdit::~TInplaceEdit() = default;

void TInplaceEdit::UpdateContents() {
    if (!FGrid) return;
    const bool Old = FLoadingContents;
    FLoadingContents = true;
    try {
        const int ACol = FGrid->GetCol();
        const int ARow = FGrid->GetRow();
        SetEditText(std::string());
        SetEditMask(FGrid->GetEditMask(ACol, ARow));
        const std::string Text = FGrid->GetEditText(ACol, ARow);
        SetEditText(IsMasked() ? GetMask().FormatText(Text) : Text);
        if (!IsMasked()) SetMaxLength(FGrid->GetEditLimit());
        SetModified(false);
    } catch (...) {
        FLoadingContents = Old;
        throw;
    }
    FLoadingContents = Old;
}

void TInplaceEdit::BoundsChanged() {
    SetEditRect(Rect(2, 2, GetWidth() - 2, GetHeight()));
    GetLineEdit()->update();
}

void TInplaceEdit::Move(const TRect& Loc) {
    InternalMove(Loc, true);
}

void TInplaceEdit::UpdateLoc(const TRect& Loc) {
    InternalMove(Loc, false);
}

void TInplaceEdit::InternalMove(const TRect& Loc, bool Redraw) {
    if (Loc.IsEmpty()) {
        Hide();
        return;
    }
    const bool WasHidden = !GetVisible();
    SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
    SetVisible(true);
    BoundsChanged();
    if (Redraw || WasHidden) Invalidate();
    if (FGrid && FGrid->GetWidget()->hasFocus()) GetWidget()->setFocus(Qt::OtherFocusReason);
}

// The grid takes the focus first, so that Qt does not pass it on to another control.
void TInplaceEdit::Hide() {
    if (!GetVisible()) return;
    Invalidate();
    TValueRollback<bool> Guard(FHiding, true);
    if (FGrid && GetWidget()->hasFocus()) FGrid->GetWidget()->setFocus(Qt::OtherFocusReason);
    SetVisible(false);
}

void TInplaceEdit::Deselect() {
    GetLineEdit()->deselect();
}

void TInplaceEdit::Invalidate() {
    TCustomMaskEdit::Invalidate();
    if (FGrid) FGrid->InvalidateRect(GetBoundsRect());
}

void TInplaceEdit::SetFocus() {
    if (GetVisible()) GetWidget()->setFocus(Qt::OtherFocusReason);
}

void TInplaceEdit::Change() {
    TCustomMaskEdit::Change();
    if (FGrid && !FLoadingContents) FGrid->UpdateText();
}

bool TInplaceEdit::EditCanModify() const {
    return TCustomMaskEdit::EditCanModify() && (!FGrid || FGrid->CanEditModify());
}

bool TInplaceEdit::WantsKey(uint16_t Key, TShiftState Shift) const {
    if (Key == VK_RETURN || Key == VK_ESCAPE) return true;
    if (Key == VK_TAB)
        return FGrid && FGrid->GetOptions().Contains(goTabs) && !Shift.Contains(ssAlt);
    return TCustomMaskEdit::WantsKey(Key, Shift);
}

bool TInplaceEdit::HandleWidgetEvent(QEvent* E) {
    if (E->type() == QEvent::FocusIn && FGrid) {
        if (TCustomForm* Form = GetParentForm(this)) Form->SetFocusedControl(FGrid);
        return false;
    }
    if (E->type() == QEvent::FocusOut && FGrid) DoExit();
    return TCustomMaskEdit::HandleWidgetEvent(E);
}

// Leaving is the grid's business; the editor does not validate its mask here.
void TInplaceEdit::DoExit() {
    TCustomEdit::DoExit();
}

void TInplaceEdit::SendToGrid(uint16_t& Key, TShiftState Shift) {
    FGrid->KeyDown(Key, Shift);
    Key = 0;
}

void TInplaceEdit::FireGridKeyDown(uint16_t& Key, TShiftState Shift) {
    const TKeyEvent& Event = FGrid->GetOnKeyDown();
    if (Event.Assigned()) Event(FGrid, Key, Shift);
}

// Caret at the start, with nothing or everything selected.
bool TInplaceEdit::AtLeftEdge() const {
    const QLineEdit* E = GetLineEdit();
    const int Len = static_cast<int>(E->text().size());
    const int Start = E->hasSelectedText() ? E->selectionStart() : E->cursorPosition();
    const int End = E->hasSelectedText() ? Start + E->selectionLength() : Start;
    return Start == 0 && (End == 0 || End == Len);
}

bool TInplaceEdit::AtRightEdge() const {
    const QLineEdit* E = GetLineEdit();
    const int Len = static_cast<int>(E->text().size());
    const int Start = E->hasSelectedText() ? E->selectionStart() : E->cursorPosition();
    const int End = E->hasSelectedText() ? Start + E->selectionLength() : Start;
    return (Start == 0 || End == Start) && End == Len;
}

void TInplaceEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (!FGrid) {
        TCustomMaskEdit::KeyDown(Key, Shift);
        return;
    }
    const bool Forward = FGrid->GetOptions().Contains(goAlwaysShowEditor);
    const bool Ctrl = Shift.Contains(ssCtrl);
    switch (Key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_ESCAPE:
        case VK_RETURN:
            SendToGrid(Key, Shift);
            break;
        case VK_INSERT:
            if (Shift.Empty())
                SendToGrid(Key, Shift);
            else if (Shift == TShiftState{ssShift} && !FGrid->CanEditModify())
                Key = 0;
            break;
        case VK_LEFT:
        case VK_HOME:
            if (Forward && (Ctrl || AtLeftEdge())) SendToGrid(Key, Shift);
            break;
        case VK_RIGHT:
        case VK_END:
            if (Forward && (Ctrl || AtRightEdge())) SendToGrid(Key, Shift);
            break;
        case VK_TAB:
            if (!Shift.Contains(ssAlt)) SendToGrid(Key, Shift);
            break;
        case VK_DELETE:
            if (Ctrl)
                SendToGrid(Key, Shift);
            else if (!FGrid->CanEditModify())
                Key = 0;
            break;
        default:
            break;
    }
    if (Key == 0) return;
    FireGridKeyDown(Key, Shift);
    if (Key != 0) TCustomMaskEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyUp(uint16_t& Key, TShiftState Shift) {
    if (FGrid) FGrid->KeyUp(Key, Shift);
    if (Key != 0) TCustomMaskEdit::KeyUp(Key, Shift);
}

// The grid sees each character first (OnKeyPress); Enter toggles between
// selecting everything and nothing.
void TInplaceEdit::KeyPress(char& Key) {
    if (FGrid) {
        FGrid->KeyPress(Key);
        const unsigned char Code = static_cast<unsigned char>(Key);
        if (Code >= 32 && !FGrid->CanEditAcceptKey(Key)) Key = 0;
        switch (Key) {
            case '\t':
            case 27:
                Key = 0;
                break;
            case '\r':
                if (AtLeftEdge() && AtRightEdge() && GetLineEdit()->hasSelectedText())
                    Deselect();
                else
                    SelectAll();
                Key = 0;
                break;
            case 8:
            case 22:
            case 24:
                if (!FGrid->CanEditModify()) Key = 0;
                break;
            default:
                if (static_cast<unsigned char>(Key) >= 32 && !FGrid->CanEditModify()) Key = 0;
                break;
        }
    }
    if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

void TInplaceEdit::DblClick() {
    if (FGrid) FGrid->DblClick();
}

// ---- the grid's side ----

TInplaceEdit* TCustomGrid::CreateEditor() {
    return Create<TInplaceEdit>(this);
}

bool TCustomGrid::IsActiveControl() const {
    if (TCustomForm* Form = GetParentForm(this)) {
        const TWinControl* Active = Form->GetActiveControl();
        return Active && (Active == this || Active == FInplaceEdit);
    }
    const QWidget* Focus = QApplication::focusWidget();
    return Focus && (Focus == GetWidget() || GetWidget()->isAncestorOf(Focus));
}

bool TCustomGrid::CanEditShow() {
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode &&
           !GetComponentState().Contains(csDesigning) && HandleAllocated() &&
           (FOptions.Contains(goAlwaysShowEditor) || IsActiveControl());
}

void TCustomGrid::SetEditorMode(bool Value) {
    if (!Value) {
        HideEditor();
        return;
    }
    ShowEditor();
    if (FInplaceEdit) FInplaceEdit->Deselect();
}

void TCustomGrid::ShowEditor() {
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor() {
    FEditorMode = false;
    HideEdit();
}

void TCustomGrid::HideEdit() {
    if (!FInplaceEdit) return;
    try {
        UpdateText();
    } catch (...) {
        EndHideEdit();
        throw;
    }
    EndHideEdit();
}

void TCustomGrid::EndHideEdit() {
    FInplaceCol = -1;
    FInplaceRow = -1;
    if (FInplaceEdit) FInplaceEdit->Hide();
}

void TCustomGrid::UpdateText() {
    if (FEditorHold > 0) return;
    if (FInplaceCol != -1 && FInplaceRow != -1 && FInplaceEdit)
        SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->GetText());
}

void TCustomGrid::InvalidateEditor() {
    FInplaceCol = -1;
    FInplaceRow = -1;
    UpdateEdit();
}

void TCustomGrid::HoldEditor() {
    if (FEditorHold++ == 0) FEditorReload = false;
}

void TCustomGrid::ReleaseEditor(bool Reload) {
    assert(FEditorHold > 0 && "ReleaseEditor without HoldEditor");
    FEditorReload = FEditorReload || Reload;
    if (--FEditorHold > 0) return;
    // The editor belongs to the current cell now, unless it was let go meanwhile.
    if (FInplaceEdit && FInplaceCol != -1) {
        if (FEditorReload) {
            FInplaceCol = FInplaceRow = -1;
        } else {
            FInplaceCol = FCurrent.X;
            FInplaceRow = FCurrent.Y;
        }
    }
    if (FEditorMode) UpdateEdit();
}

void TCustomGrid::UpdateEdit() {
    if (FEditorHold > 0 || !CanEditShow()) return;
    if (!FInplaceEdit) {
        TInplaceEdit* Editor = CreateEditor();
        assert(Editor && Editor->GetOwner() == this &&
               "CreateEditor must return an editor the grid owns");
        FInplaceEdit = Editor;
        Editor->SetGrid(this);
        Editor->SetParent(this);
        UpdateEditor();
    } else if (FCurrent.X != FInplaceCol || FCurrent.Y != FInplaceRow) {
        HideEdit();
        // SetEditText may have rebuilt the grid or freed the editor.
        if (!FInplaceEdit) return;
        UpdateEditor();
    }
    if (FInplaceEdit && CanEditShow()) FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
}

void TCustomGrid::UpdateEditor() {
    FInplaceCol = FCurrent.X;
    FInplaceRow = FCurrent.Y;
    FInplaceEdit->UpdateContents();
    FInplaceEdit->SelectAll();
}

void TCustomGrid::ShowEditorChar(char Ch) {
    ShowEditor();
    if (!FInplaceEdit || !FInplaceEdit->GetVisible()) return;
    QKeyEvent Event(QEvent::KeyPress, Ch == 8 ? Qt::Key_Backspace : Qt::Key_unknown, Qt::NoModifier,
                    QString(QChar(static_cast<unsigned char>(Ch))));
    QCoreApplication::sendEvent(FInplaceEdit->GetWidget(), &Event);
}

// Typing is meant for an editor that shows (with goAlwaysShowEditor it
// shows before the grid has the focus), so the focus goes on to it, with its
// text selected as an edit that is entered has it.
bool TCustomGrid::HandleWidgetEvent(QEvent* E) {
    const bool Result = TCustomControl::HandleWidgetEvent(E);
    if (E->type() == QEvent::FocusIn && FEditorMode && FInplaceEdit && !IsDestroying() &&
        FInplaceEdit->GetVisible() && !FInplaceEdit->FHiding) {
        FInplaceEdit->SetFocus();
        FInplaceEdit->SelectAll();
    }
    return Result;
}

void TCustomGrid::DoExit() {
    TCustomControl::DoExit();
    if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
}

// ---- default answers ----

std::string TCustomGrid::GetEditText(int, int) {
    return std::string();
}

std::string TCustomGrid::GetEditMask(int, int) {
    return std::string();
}

void TCustomGrid::SetEditText(int, int, const std::string&) {}

TEditStyle TCustomGrid::GetEditStyle(int, int) {
    return esSimple;
}

bool TCustomGrid::CanEditModify() {
    return true;
}

bool TCustomGrid::CanEditAcceptKey(char) {
    return true;
}

int TCustomGrid::GetEditLimit() {
    return 0;
}

}  // namespace zk
