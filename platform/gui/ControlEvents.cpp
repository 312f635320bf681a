// Qt mouse, wheel, key and focus events turned into the controls' steps, with the framework's
// buttons, shift states and key codes.
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <unordered_map>

#include "platform/gui/ActnList.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"

namespace zk {

namespace {

constexpr int WheelDelta = 120;

const std::unordered_map<int, uint16_t>& KeyTable() {
    static const std::unordered_map<int, uint16_t> Table = {
        {Qt::Key_Backspace, VK_BACK},
        {Qt::Key_Tab, VK_TAB},
        {Qt::Key_Backtab, VK_TAB},
        {Qt::Key_Clear, VK_CLEAR},
        {Qt::Key_Return, VK_RETURN},
        {Qt::Key_Enter, VK_RETURN},
        {Qt::Key_Shift, VK_SHIFT},
        {Qt::Key_Control, VK_CONTROL},
        {Qt::Key_Alt, VK_MENU},
        {Qt::Key_Pause, VK_PAUSE},
        {Qt::Key_CapsLock, VK_CAPITAL},
        {Qt::Key_Escape, VK_ESCAPE},
        {Qt::Key_Space, VK_SPACE},
        {Qt::Key_PageUp, VK_PRIOR},
        {Qt::Key_PageDown, VK_NEXT},
        {Qt::Key_End, VK_END},
        {Qt::Key_Home, VK_HOME},
        {Qt::Key_Left, VK_LEFT},
        {Qt::Key_Up, VK_UP},
        {Qt::Key_Right, VK_RIGHT},
        {Qt::Key_Down, VK_DOWN},
        {Qt::Key_Select, VK_SELECT},
        {Qt::Key_Printer, VK_PRINT},
        {Qt::Key_Execute, VK_EXECUTE},
        {Qt::Key_Print, VK_SNAPSHOT},
        {Qt::Key_Insert, VK_INSERT},
        {Qt::Key_Delete, VK_DELETE},
        {Qt::Key_Help, VK_HELP},
        {Qt::Key_Meta, VK_LWIN},
        {Qt::Key_Super_L, VK_LWIN},
        {Qt::Key_Super_R, VK_RWIN},
        {Qt::Key_Menu, VK_APPS},
        {Qt::Key_NumLock, VK_NUMLOCK},
        {Qt::Key_ScrollLock, VK_SCROLL},
        {Qt::Key_Semicolon, VK_OEM_1},
        {Qt::Key_Colon, VK_OEM_1},
        {Qt::Key_Equal, VK_OEM_PLUS},
        {Qt::Key_Plus, VK_OEM_PLUS},
        {Qt::Key_Comma, VK_OEM_COMMA},
        {Qt::Key_Less, VK_OEM_COMMA},
        {Qt::Key_Minus, VK_OEM_MINUS},
        {Qt::Key_Underscore, VK_OEM_MINUS},
        {Qt::Key_Period, VK_OEM_PERIOD},
        {Qt::Key_Greater, VK_OEM_PERIOD},
        {Qt::Key_Slash, VK_OEM_2},
        {Qt::Key_Question, VK_OEM_2},
        {Qt::Key_QuoteLeft, VK_OEM_3},
        {Qt::Key_AsciiTilde, VK_OEM_3},
        {Qt::Key_BracketLeft, VK_OEM_4},
        {Qt::Key_BraceLeft, VK_OEM_4},
        {Qt::Key_Backslash, VK_OEM_5},
        {Qt::Key_Bar, VK_OEM_5},
        {Qt::Key_BracketRight, VK_OEM_6},
        {Qt::Key_BraceRight, VK_OEM_6},
        {Qt::Key_Apostrophe, VK_OEM_7},
        {Qt::Key_QuoteDbl, VK_OEM_7},
        {Qt::Key_Exclam, '1'},
        {Qt::Key_At, '2'},
        {Qt::Key_NumberSign, '3'},
        {Qt::Key_Dollar, '4'},
        {Qt::Key_Percent, '5'},
        {Qt::Key_AsciiCircum, '6'},
        {Qt::Key_Ampersand, '7'},
        {Qt::Key_Asterisk, '8'},
        {Qt::Key_ParenLeft, '9'},
        {Qt::Key_ParenRight, '0'},
    };
    return Table;
}

uint16_t KeypadKey(int QtKey) {
    if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9)
        return static_cast<uint16_t>(VK_NUMPAD0 + (QtKey - Qt::Key_0));
    switch (QtKey) {
        case Qt::Key_Asterisk:
            return VK_MULTIPLY;
        case Qt::Key_Plus:
            return VK_ADD;
        case Qt::Key_Minus:
            return VK_SUBTRACT;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return VK_DECIMAL;
        case Qt::Key_Slash:
            return VK_DIVIDE;
        default:
            return 0;
    }
}

TMouseButton ButtonOf(Qt::MouseButton B) {
    switch (B) {
        case Qt::RightButton:
            return mbRight;
        case Qt::MiddleButton:
            return mbMiddle;
        default:
            return mbLeft;
    }
}

bool IsFrameworkButton(Qt::MouseButton B) {
    return B == Qt::LeftButton || B == Qt::RightButton || B == Qt::MiddleButton;
}

}  // namespace

uint16_t VirtualKeyFromQtKey(int QtKey, bool Keypad) {
    if (Keypad)
        if (uint16_t K = KeypadKey(QtKey)) return K;
    if ((QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9) || (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z))
        return static_cast<uint16_t>(QtKey);
    if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F24)
        return static_cast<uint16_t>(VK_F1 + (QtKey - Qt::Key_F1));
    auto It = KeyTable().find(QtKey);
    return It == KeyTable().end() ? 0 : It->second;
}

TShiftState ShiftStateFromQt(int Modifiers, int Buttons) {
    TShiftState S;
    if (Modifiers & Qt::ShiftModifier) S.Include(ssShift);
    if (Modifiers & Qt::AltModifier) S.Include(ssAlt);
    if (Modifiers & Qt::ControlModifier) S.Include(ssCtrl);
    if (Buttons & Qt::LeftButton) S.Include(ssLeft);
    if (Buttons & Qt::RightButton) S.Include(ssRight);
    if (Buttons & Qt::MiddleButton) S.Include(ssMiddle);
    return S;
}

// ---- TControl ----

bool TControl::HandleWidgetEvent(QEvent* E) {
    switch (E->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return HandleMouseEvent(E);
        case QEvent::Wheel:
            return HandleWheel(E);
        case QEvent::Enter:
            Perform(CM_MOUSEENTER);
            return false;
        case QEvent::Leave:
            Perform(CM_MOUSELEAVE);
            return false;
        case QEvent::ContextMenu:
            return ShowPopupMenu(E);
        default:
            return false;
    }
}

bool TControl::HandleMouseEvent(QEvent* E) {
    auto* M = static_cast<QMouseEvent*>(E);
    const TPoint Off = GetClientOffset();
    const QPoint Pos = M->position().toPoint();
    const int X = Pos.x() - Off.X;
    const int Y = Pos.y() - Off.Y;
    const TShiftState Shift = ShiftStateFromQt(M->modifiers().toInt(), M->buttons().toInt());
    switch (E->type()) {
        case QEvent::MouseButtonPress:
            if (IsFrameworkButton(M->button()))
                DispatchMouseDown(ButtonOf(M->button()), Shift, X, Y, false);
            break;
        case QEvent::MouseButtonDblClick:
            if (IsFrameworkButton(M->button()))
                DispatchMouseDown(ButtonOf(M->button()), Shift + TShiftState{ssDouble}, X, Y, true);
            break;
        case QEvent::MouseButtonRelease:
            if (IsFrameworkButton(M->button())) DispatchMouseUp(ButtonOf(M->button()), Shift, X, Y);
            break;
        default:
            MouseMove(Shift, X, Y);
            break;
    }
    return false;
}

void TControl::DispatchMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y,
                                 bool Double) {
    if (Button == mbLeft) {
        if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
        if (Double) {
            if (FControlStyle.Contains(csClickEvents)) DblClick();
        } else if (FControlStyle.Contains(csClickEvents)) {
            FControlState.Include(csClicked);
        }
    }
    if (!FControlStyle.Contains(csNoStdEvents)) MouseDown(Button, Shift, X, Y);
}

void TControl::DispatchMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
        if (FControlState.Contains(csClicked)) {
            FControlState.Exclude(csClicked);
            if (GetClientRect().Contains({X, Y})) Click();
        }
    }
    if (!FControlStyle.Contains(csNoStdEvents)) MouseUp(Button, Shift, X, Y);
}

bool TControl::HandleWheel(QEvent* E) {
    auto* W = static_cast<QWheelEvent*>(E);
    const QPoint G = W->globalPosition().toPoint();
    const TShiftState Shift = ShiftStateFromQt(W->modifiers().toInt(), W->buttons().toInt());
    return DoMouseWheel(Shift, W->angleDelta().y(), {G.x(), G.y()});
}

void TControl::Click() {
    TBasicAction* Action = GetAction();
    if (FOnClick.Assigned() && Action && !(FOnClick == Action->GetOnExecute()))
        FOnClick(this);
    else if (FActionLink)
        FActionLink->Execute(this);
    else if (FOnClick.Assigned())
        FOnClick(this);
}

// A right click shows the control's pop-up menu; without one the parent's
// turn comes, as the event travels up the widgets.
bool TControl::ShowPopupMenu(QEvent* E) {
    if (!FPopupMenu || !FPopupMenu->GetAutoPopup()) return false;
    const QPoint At = static_cast<QContextMenuEvent*>(E)->globalPos();
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(At.x(), At.y());
    return true;
}

void TControl::DblClick() {
    if (FOnDblClick.Assigned()) FOnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FOnMouseDown.Assigned()) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (FOnMouseMove.Assigned()) FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FOnMouseUp.Assigned()) FOnMouseUp(this, Button, Shift, X, Y);
}

// Whole notches become wheel-down and wheel-up steps; a remainder waits for the next event.
bool TControl::DoMouseWheel(TShiftState Shift, int Delta, TPoint MousePos) {
    bool Result = false;
    if (FOnMouseWheel.Assigned()) FOnMouseWheel(this, Shift, Delta, MousePos, Result);
    if (Result) return true;
    FWheelAccumulator += Delta;
    while (FWheelAccumulator >= WheelDelta || FWheelAccumulator <= -WheelDelta) {
        if (FWheelAccumulator < 0) {
            FWheelAccumulator += WheelDelta;
            Result = DoMouseWheelDown(Shift, MousePos);
        } else {
            FWheelAccumulator -= WheelDelta;
            Result = DoMouseWheelUp(Shift, MousePos);
        }
    }
    return Result;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    bool Result = false;
    if (FOnMouseWheelDown.Assigned()) FOnMouseWheelDown(this, Shift, MousePos, Result);
    return Result;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    bool Result = false;
    if (FOnMouseWheelUp.Assigned()) FOnMouseWheelUp(this, Shift, MousePos, Result);
    return Result;
}

void TControl::Resize() {
    if (FOnResize.Assigned()) FOnResize(this);
}

bool TControl::HandleKeyEvent(QKeyEvent*, std::unique_ptr<QKeyEvent>&) {
    return false;
}

// ---- TWinControl ----

bool TWinControl::HandleWidgetEvent(QEvent* E) {
    if (E->type() == QEvent::FocusIn) {
        if (TCustomForm* Form = GetParentForm(this); Form && Form != this)
            Form->SetFocusedControl(this);
        return false;
    }
    return TControl::HandleWidgetEvent(E);
}

bool TWinControl::HandleKeyEvent(QKeyEvent* E, std::unique_ptr<QKeyEvent>& Replacement) {
    if (E->type() == QEvent::KeyPress) return HandleKeyPress(E, Replacement);
    if (E->type() == QEvent::KeyRelease) return HandleKeyRelease(E);
    return false;
}

// The order of the framework: dialog keys (Enter, Escape) the control does
// not want go to the form's buttons; then the form's preview and KeyDown;
// then the character through the form's preview and KeyPress.
bool TWinControl::HandleKeyPress(QKeyEvent* E, std::unique_ptr<QKeyEvent>& Replacement) {
    uint16_t Key = VirtualKeyFromQtKey(E->key(), E->modifiers().testFlag(Qt::KeypadModifier));
    const TShiftState Shift = ShiftStateFromQt(E->modifiers().toInt(), 0);
    if (Key && IsMenuKey(Key, Shift)) return true;
    if (Key == VK_RETURN || Key == VK_ESCAPE) {
        TCustomForm* Form = GetParentForm(this);
        if (Form && !WantsKey(Key, Shift) && Form->DialogKey(Key, Shift)) return true;
    }
    if (Key && DoKeyDownSteps(Key, Shift)) return true;
    const QString Text = E->text();
    if (Text.size() != 1 || Text[0].unicode() >= 128) return false;
    const char Original = static_cast<char>(Text[0].unicode());
    char Ch = Original;
    if (DoKeyPressSteps(Ch)) return true;
    if (Ch != Original)
        Replacement =
            std::make_unique<QKeyEvent>(E->type(), E->key(), E->modifiers(), QString(QChar(Ch)),
                                        E->isAutoRepeat(), static_cast<ushort>(E->count()));
    return false;
}

bool TWinControl::IsMenuKey(uint16_t Key, TShiftState Shift) {
    for (TControl* C = this; C; C = C->GetParent())
        if (TPopupMenu* Menu = C->GetPopupMenu(); Menu && Menu->IsShortCut(Key, Shift)) return true;
    TCustomForm* Form = GetParentForm(this);
    return Form && Form->IsShortCut(Key, Shift);
}

bool TWinControl::HandleKeyRelease(QKeyEvent* E) {
    uint16_t Key = VirtualKeyFromQtKey(E->key(), E->modifiers().testFlag(Qt::KeypadModifier));
    if (!Key) return false;
    const TShiftState Shift = ShiftStateFromQt(E->modifiers().toInt(), 0);
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->GetKeyPreview()) {
        static_cast<TWinControl*>(Form)->KeyUp(Key, Shift);
        if (!Key) return true;
    }
    KeyUp(Key, Shift);
    return Key == 0;
}

bool TWinControl::DoKeyDownSteps(uint16_t& Key, TShiftState Shift) {
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->GetKeyPreview()) {
        static_cast<TWinControl*>(Form)->KeyDown(Key, Shift);
        if (!Key) return true;
    }
    KeyDown(Key, Shift);
    return Key == 0;
}

bool TWinControl::DoKeyPressSteps(char& Key) {
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->GetKeyPreview()) {
        static_cast<TWinControl*>(Form)->KeyPress(Key);
        if (!Key) return true;
    }
    KeyPress(Key);
    return Key == 0;
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (FOnKeyDown.Assigned()) FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    if (FOnKeyPress.Assigned()) FOnKeyPress(this, Key);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift) {
    if (FOnKeyUp.Assigned()) FOnKeyUp(this, Key, Shift);
}

bool TWinControl::WantsKey(uint16_t, TShiftState) const {
    return false;
}

bool TWinControl::DialogKey(uint16_t Key, TShiftState Shift) {
    for (size_t I = 0; I < FWinControls.size(); ++I)
        if (FWinControls[I]->DialogKey(Key, Shift)) return true;
    return false;
}

void TWinControl::DoEnter() {
    if (FOnEnter.Assigned()) FOnEnter(this);
}

void TWinControl::DoExit() {
    if (FOnExit.Assigned()) FOnExit(this);
}

}  // namespace zk
