// TCustomMaskEdit and TMaskEdit: a QLineEdit whose typing goes through the edit-mask engine.
#include "platform/gui/MaskEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/gui/Application.h"
#include "platform/gui/Graphics.h"

namespace zk {

namespace {

QString ToQ(const std::string& S) {
    return QString::fromUtf8(S);
}

}  // namespace

const TTypeInfo* TypeInfoTMaskedText() {
    static const TTypeInfo* Info = MakeAliasType("TMaskedText", TypeInfoString());
    return Info;
}

// Paints the control's PaintWindow over the line edit: a child widget is
// painted after its parent, and mouse events pass through it to the edit.
class TCustomMaskEdit::TOverlay : public QWidget {
public:
    TOverlay(TCustomMaskEdit* Edit, QWidget* Parent) : QWidget(Parent), FEdit(Edit) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(Parent->rect());
        show();
    }
    void Detach() { FEdit = nullptr; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!FEdit || FEdit->IsDestroying()) return;
        SafeCall(FEdit, [this] { FEdit->PaintOverlay(this); });
    }

private:
    TCustomMaskEdit*
        FEdit;  // the control whose widget is this overlay's parent; null once it is gone
};

// ---- TCustomMaskEdit ----

ZK_IMPLEMENT_CLASS(TCustomMaskEdit)
void TCustomMaskEdit::DescribeClass(TClassBuilder<TCustomMaskEdit>& C) {
    C.Message(CM_CANCELMODE, &TCustomMaskEdit::CMCancelMode);
}

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner)
    : TCustomEdit(AOwner), FCanvas(Create<TCanvas>()) {
    FOverlay = new TOverlay(this, GetLineEdit());
}

TCustomMaskEdit::~TCustomMaskEdit() {
    if (FOverlay) FOverlay->Detach();
}

void TCustomMaskEdit::Dispatch(TMessage& Message) {
    WndProc(Message);
}

void TCustomMaskEdit::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP: {
            if (FPendingKey.Event) {
                QKeyEvent* E = FPendingKey.Event;
                FPendingKey.Event = nullptr;
                Message.Result = TCustomEdit::HandleKeyEvent(E, *FPendingKey.Replacement) ? 1 : 0;
                return;
            }
            // Sent by code: only the key steps run.
            uint16_t Key = static_cast<uint16_t>(Message.WParam);
            const TShiftState Shift = TShiftState::FromInt(static_cast<uint32_t>(Message.LParam));
            if (Message.Msg == WM_KEYUP)
                KeyUp(Key, Shift);
            else
                KeyDown(Key, Shift);
            Message.Result = Key == 0 ? 1 : 0;
            return;
        }
        default:
            TCustomEdit::Dispatch(Message);
    }
}

bool TCustomMaskEdit::HandleKeyEvent(QKeyEvent* E, std::unique_ptr<QKeyEvent>& Replacement) {
    const bool Press = E->type() == QEvent::KeyPress;
    if (!Press && E->type() != QEvent::KeyRelease)
        return TCustomEdit::HandleKeyEvent(E, Replacement);
    TMessage M;
    M.Msg =
        !Press ? WM_KEYUP : (E->modifiers().testFlag(Qt::AltModifier) ? WM_SYSKEYDOWN : WM_KEYDOWN);
    M.WParam = VirtualKeyFromQtKey(E->key(), E->modifiers().testFlag(Qt::KeypadModifier));
    M.LParam = static_cast<intptr_t>(ShiftStateFromQt(E->modifiers().toInt(), 0).ToInt());
    if (Press) {
        FKeyText = GetEditText();
        SelectionRange(FKeySel.Start, FKeySel.Length);
    }
    const TPendingKey Saved = FPendingKey;
    FPendingKey = {E, &Replacement};
    TScopeExit Restore([this, Saved] { FPendingKey = Saved; });
    WndProc(M);
    return M.Result != 0;
}

// ---- text ----

std::string TCustomMaskEdit::GetEditText() const {
    return GetLineEdit()->text().toStdString();
}

void TCustomMaskEdit::SetEditText(const std::string& Value) {
    SetWidgetText(Value, true);
    FOldValue = FLastText = FUndoText = GetEditText();
}

std::string TCustomMaskEdit::RealGetText() const {
    return IsMasked() ? FMask.StripText(GetEditText()) : TCustomEdit::RealGetText();
}

void TCustomMaskEdit::RealSetText(const std::string& Value) {
    {
        TValueRollback<bool> Setting(FSettingText, true);
        if (IsMasked())
            GetLineEdit()->setText(ToQ(FMask.FormatText(Value)));
        else
            TCustomEdit::RealSetText(Value);
    }
    FOldValue = FLastText = FUndoText = GetEditText();
}

// Programmatic sets cannot be undone and do not count as modifications.
void TCustomMaskEdit::SetWidgetText(const std::string& Value, bool Programmatic) {
    TValueRollback<bool> Setting(FSettingText, Programmatic);
    if (GetEditText() != Value) GetLineEdit()->setText(ToQ(Value));
}

void TCustomMaskEdit::SetEditMask(const std::string& Value) {
    if (Value == FMask.GetMask()) return;
    const std::string Saved = GetText();
    FMask.Assign(Value);
    UpdateMaskedWidget();
    {
        TValueRollback<bool> Setting(FSettingText, true);
        GetLineEdit()->setText(ToQ(IsMasked() ? FMask.FormatText(Saved) : Saved));
    }
    FOldValue = GetEditText();
}

// A masked edit keeps the mask's length and refuses text that bypasses the
// mask (drops, the context menu's paste).
void TCustomMaskEdit::UpdateMaskedWidget() {
    QLineEdit* E = GetLineEdit();
    E->setMaxLength(IsMasked() ? FMask.GetEditLength() : 32767);
    E->setAcceptDrops(!IsMasked());
    E->setContextMenuPolicy(IsMasked() ? Qt::NoContextMenu : Qt::DefaultContextMenu);
}

void TCustomMaskEdit::Change() {
    const std::string Now = GetEditText();
    if (Now != FLastText) {
        // A key changed the text it arrived at: undoing goes back to that selection too.
        FUndoSel = !FSettingText && FKeyText == FLastText ? FKeySel : TSel{};
        FUndoText = FSettingText ? Now : FLastText;
        FLastText = Now;
    }
    TCustomEdit::Change();
}

void TCustomMaskEdit::Undo() {
    if (!CanUndo()) return;
    const std::string Target = FUndoText;
    const TSel Sel = FUndoSel;
    SetWidgetText(Target, false);
    SetModified(true);
    if (Sel.Start >= 0) {
        QLineEdit* E = GetLineEdit();
        const int Length = static_cast<int>(E->text().size());
        const int Start = std::min(Sel.Start, Length);
        E->setSelection(Start, std::min(Sel.Length, Length - Start));
    }
}

void TCustomMaskEdit::ReplaceText(const std::string& Value) {
    SetWidgetText(Value, false);
    SetModified(true);
}

void TCustomMaskEdit::KeepText() {
    FOldValue = GetEditText();
    SetModified(false);
}

bool TCustomMaskEdit::CanUndo() const {
    return FUndoText != GetEditText();
}

void TCustomMaskEdit::Reset() {
    if (!GetModified()) return;
    SetWidgetText(FOldValue, true);
    SetModified(false);
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked() || !GetModified()) return;
    const std::string Text = GetEditText();
    const int Pos = FMask.FirstInvalidPos(Text);
    if (Pos < 0) return;
    GetLineEdit()->setCursorPosition(Pos);
    FMask.Validate(Text);
}

bool TCustomMaskEdit::EditCanModify() const {
    return !GetReadOnly();
}

// ---- keys ----

bool TCustomMaskEdit::WantsKey(uint16_t Key, TShiftState Shift) const {
    if (Key == VK_ESCAPE && IsMasked() && GetModified()) return true;
    return TCustomEdit::WantsKey(Key, Shift);
}

void TCustomMaskEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
    TCustomEdit::KeyDown(Key, Shift);
    if (Key == 0) return;
    const bool Ctrl = Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    if (Ctrl && Key == 'Z') {
        Undo();
        Key = 0;
        return;
    }
    if (!IsMasked() || Shift.Contains(ssAlt)) return;
    const bool ShiftOnly = Shift.Contains(ssShift) && !Shift.Contains(ssCtrl);
    if (Key == VK_ESCAPE) {
        Reset();
        Key = 0;
    } else if (Key == VK_UP || Key == VK_DOWN) {
        Key = 0;
    } else if ((Ctrl && Key == 'V') || (ShiftOnly && Key == VK_INSERT)) {
        if (EditCanModify()) PasteMasked();
        Key = 0;
    } else if ((Ctrl && Key == 'X') || (ShiftOnly && Key == VK_DELETE)) {
        if (EditCanModify()) CutMasked();
        Key = 0;
    } else if (Key == VK_DELETE || Key == VK_BACK) {
        if (EditCanModify()) DeleteMaskedKeys(Key);
        Key = 0;
    }
}

void TCustomMaskEdit::KeyPress(char& Key) {
    TCustomEdit::KeyPress(Key);
    if (!IsMasked() || Key == 0) return;
    // Copying stays with the line edit; pasting and cutting went through KeyDown.
    if (Key == 3 || Key == 22 || Key == 24) return;
    if (Key == 27)
        Reset();
    else if (EditCanModify() && static_cast<unsigned char>(Key) >= 32)
        TypeMaskedChar(Key);
    Key = 0;
}

void TCustomMaskEdit::SelectionRange(int& Start, int& Length) const {
    const QLineEdit* E = GetLineEdit();
    Start = E->hasSelectedText() ? E->selectionStart() : E->cursorPosition();
    Length = E->hasSelectedText() ? E->selectionLength() : 0;
}

void TCustomMaskEdit::ApplyMaskedEdit(const std::string& NewText, int Cursor) {
    SetWidgetText(NewText, false);
    GetLineEdit()->setCursorPosition(Cursor);
    SetModified(true);
}

// A typed character replaces the selection; a refused one changes nothing.
void TCustomMaskEdit::TypeMaskedChar(char Key) {
    std::string Text = GetEditText();
    int Start = 0, Length = 0;
    SelectionRange(Start, Length);
    if (Length > 0) FMask.ClearRange(Text, Start, Length);
    int Cursor = Start;
    if (FMask.InsertChar(Text, Cursor, Key)) ApplyMaskedEdit(Text, Cursor);
}

void TCustomMaskEdit::DeleteMaskedKeys(uint16_t Key) {
    std::string Text = GetEditText();
    int Start = 0, Length = 0;
    SelectionRange(Start, Length);
    if (Length > 0) {
        FMask.ClearRange(Text, Start, Length);
        ApplyMaskedEdit(Text, Start);
        return;
    }
    int Cursor = Start;
    if (FMask.DeleteChar(Text, Cursor, Key == VK_BACK)) ApplyMaskedEdit(Text, Cursor);
}

// Pasted characters are typed one by one; those the mask refuses are skipped.
void TCustomMaskEdit::PasteMasked() {
    const std::string Clip = QGuiApplication::clipboard()->text().toStdString();
    std::string Text = GetEditText();
    int Start = 0, Length = 0;
    SelectionRange(Start, Length);
    if (Length > 0) FMask.ClearRange(Text, Start, Length);
    int Cursor = Start;
    for (char C : Clip) FMask.InsertChar(Text, Cursor, C);
    ApplyMaskedEdit(Text, Cursor);
}

void TCustomMaskEdit::CutMasked() {
    int Start = 0, Length = 0;
    SelectionRange(Start, Length);
    if (Length == 0) return;
    GetLineEdit()->copy();
    std::string Text = GetEditText();
    FMask.ClearRange(Text, Start, Length);
    ApplyMaskedEdit(Text, Start);
}

// ---- focus ----

void TCustomMaskEdit::DoEnter() {
    FOldValue = GetEditText();
    TCustomEdit::DoEnter();
}

// An unfilled mask keeps the focus and reports the error.
void TCustomMaskEdit::DoExit() {
    try {
        ValidateEdit();
    } catch (...) {
        if (CanFocus()) SetFocus();
        throw;
    }
    TCustomEdit::DoExit();
}

// ---- painting, cursor and cancel mode ----

TRect TCustomMaskEdit::GetEditRect() const {
    return FHasEditRect ? FEditRect : Rect(0, 0, GetWidth(), GetHeight());
}

void TCustomMaskEdit::SetEditRect(const TRect& R) {
    FEditRect = R;
    FHasEditRect = true;
    ApplyEditRect();
}

void TCustomMaskEdit::ApplyEditRect() {
    if (!FHasEditRect) {
        GetLineEdit()->setTextMargins(0, 0, 0, 0);
        return;
    }
    const int Right = std::max(0, GetWidth() - FEditRect.Right);
    const int Bottom = std::max(0, GetHeight() - FEditRect.Bottom);
    GetLineEdit()->setTextMargins(std::max(0, FEditRect.Left), std::max(0, FEditRect.Top), Right,
                                  Bottom);
}

void TCustomMaskEdit::PaintWindow(TCanvas*) {}

void TCustomMaskEdit::PaintOverlay(QWidget* Device) {
    QPainter P(Device);
    FCanvas->SetPainter(&P);
    TScopeExit Detach([this] { FCanvas->SetPainter(nullptr); });
    FCanvas->GetFont()->Assign(GetFont());
    FCanvas->GetBrush()->SetColor(GetColor());
    FCanvas->GetBrush()->SetStyle(bsSolid);
    PaintWindow(FCanvas.get());
}

TCursor TCustomMaskEdit::CursorAt(int, int) {
    return crDefault;
}

bool TCustomMaskEdit::HandleWidgetEvent(QEvent* E) {
    if (E->type() == QEvent::Resize) {
        FOverlay->setGeometry(GetLineEdit()->rect());
        FOverlay->raise();
        ApplyEditRect();
    } else if (E->type() == QEvent::MouseMove) {
        const QPoint P = static_cast<QMouseEvent*>(E)->position().toPoint();
        const TCursor Shape = CursorAt(P.x(), P.y());
        if (Shape != crDefault)
            GetLineEdit()->setCursor(CursorToQCursor(Shape));
        else
            GetLineEdit()->setCursor(GetCursor() == crDefault ? QCursor(Qt::IBeamCursor)
                                                              : CursorToQCursor(GetCursor()));
    }
    return TCustomEdit::HandleWidgetEvent(E);
}

void TCustomMaskEdit::CMCancelMode(TMessage& Message) {
    CancelMode(reinterpret_cast<TObject*>(Message.LParam));
}

void TCustomMaskEdit::CancelMode(TObject*) {}

// ---- TMaskEdit ----

ZK_IMPLEMENT_CLASS(TMaskEdit)
void TMaskEdit::DescribeClass(TClassBuilder<TMaskEdit>& C) {
    C.Prop("AutoSelect", &TCustomEdit::GetAutoSelect, &TCustomEdit::SetAutoSelect).Default(true);
    C.Prop("AutoSize", &TCustomEdit::GetAutoSize, &TCustomEdit::SetAutoSize).Default(true);
    C.Prop("BorderStyle", &TCustomEdit::GetBorderStyle, &TCustomEdit::SetBorderStyle)
        .Type(TypeInfoTBorderStyle())
        .Default(bsSingle);
    C.Prop("CharCase", &TCustomEdit::GetCharCase, &TCustomEdit::SetCharCase).Default(ecNormal);
    C.Prop("EditMask", &TCustomMaskEdit::GetEditMask, &TCustomMaskEdit::SetEditMask);
    C.Prop("MaxLength", &TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength).Default(0);
    C.Prop("PasswordChar", &TCustomEdit::GetPasswordChar, &TCustomEdit::SetPasswordChar).Default(0);
    C.Prop("ReadOnly", &TCustomEdit::GetReadOnly, &TCustomEdit::SetReadOnly).Default(false);
    C.Prop("Text", &TControl::GetText, &TControl::SetText).Type(TypeInfoTMaskedText());
    C.Prop("OnChange", &TCustomEdit::GetOnChange, &TCustomEdit::SetOnChange);
}

TMaskEdit::TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}

}  // namespace zk
