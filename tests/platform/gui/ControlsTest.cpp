// Controls: published properties backed by the widget, parents, fonts and colours that follow them,
// mouse and key events from synthetic Qt events, focus order, messages, windows and painting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QWheelEvent>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

constexpr uint32_t WM_PRIVATE_A = 2475;
constexpr uint32_t WM_PRIVATE_B = 2476;

// Records the steps and messages a control goes through.
class TProbeControl : public TCustomControl {
    ZK_CLASS(TProbeControl, TCustomControl)
public:
    explicit TProbeControl(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 40, 30); }
    std::vector<std::string> Log;
    int CreateWndCount = 0;
    TColor PaintColor = clRed;
    void HandlePrivate(TMessage& M) {
        Log.push_back("msg " + std::to_string(M.Msg) + " " + std::to_string(M.WParam));
        M.Result = 7;
    }
    void HandleCancelMode(TMessage&) { Log.push_back("cancelmode"); }

protected:
    void CreateWnd() override {
        TCustomControl::CreateWnd();
        ++CreateWndCount;
    }
    void FontChanged() override {
        TCustomControl::FontChanged();
        Log.push_back("fontchanged");
    }
    void ShowingChanged() override {
        TCustomControl::ShowingChanged();
        Log.push_back(GetShowing() ? "showing" : "hidden");
    }
    void MouseLeave() override { Log.push_back("mouseleave"); }
    void MouseEnter() override { Log.push_back("mouseenter"); }
    void Paint() override {
        GetCanvas()->GetBrush()->SetColor(PaintColor);
        GetCanvas()->FillRect(Rect(2, 2, 10, 10));
    }
};

ZK_IMPLEMENT_CLASS(TProbeControl)
void TProbeControl::DescribeClass(TClassBuilder<TProbeControl>& C) {
    C.Message(WM_PRIVATE_A, &TProbeControl::HandlePrivate);
    C.Message(WM_PRIVATE_B, &TProbeControl::HandlePrivate);
    C.Message(CM_CANCELMODE, &TProbeControl::HandleCancelMode);
}

std::string ShiftText(TShiftState S) {
    return SetToString(ZkTypeInfo(static_cast<TShiftState*>(nullptr)), S.ToInt());
}

std::string ButtonText(TMouseButton B) {
    return GetEnumName(ZkTypeInfo(static_cast<TMouseButton*>(nullptr)), B);
}

void SendMouse(QWidget* W, QEvent::Type Type, QPoint Pos, Qt::MouseButton Button,
               Qt::MouseButtons Buttons, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    QMouseEvent E(Type, QPointF(Pos), QPointF(W->mapToGlobal(Pos)), Button, Buttons, Mods);
    QApplication::sendEvent(W, &E);
}

bool SendKeyPress(QWidget* W, int QtKey, const QString& Text,
                  Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    QKeyEvent E(QEvent::KeyPress, QtKey, Mods, Text);
    QApplication::sendEvent(W, &E);
    return E.isAccepted();
}

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetClientWidth(300);
        Form->SetClientHeight(200);
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    template <class T>
    T* Add(TWinControl* Parent, const char* Name = "") {
        T* C = Create<T>(Form.get());
        C->SetName(Name);
        C->SetParent(Parent);
        return C;
    }
    TOwned<TForm> Form;
};

}  // namespace

TEST_F(ControlsTest, PublishedPropertiesWriteTheWidget) {
    auto* B = Add<TButton>(Form.get(), "Button1");
    SetStrProp(B, "Caption", "Press &me");
    EXPECT_EQ(QString("Press &me"), B->GetPushButton()->text());
    B->GetPushButton()->setText("From Qt");
    EXPECT_EQ("From Qt", GetStrProp(B, "Caption"));

    SetPropValue(B, "Enabled", false);
    EXPECT_FALSE(B->GetWidget()->isEnabled());
    SetPropValue(B, "Left", 12);
    SetPropValue(B, "Top", 34);
    SetPropValue(B, "Width", 56);
    SetPropValue(B, "Height", 27);
    EXPECT_EQ(QRect(12, 34, 56, 27), B->GetWidget()->geometry());

    Form->Show();
    EXPECT_TRUE(B->GetWidget()->isVisible());
    SetPropValue(B, "Visible", false);
    EXPECT_FALSE(B->GetWidget()->isVisible());
    EXPECT_FALSE(B->GetWidget()->isVisibleTo(Form->GetWidget()));

    auto* P = Add<TPanel>(Form.get(), "Panel1");
    SetOrdProp(P, "Color", clRed);
    EXPECT_EQ(QColor(255, 0, 0), P->GetWidget()->palette().color(P->GetWidget()->backgroundRole()));
    SetOrdProp(P->GetFont(), "Height", -23);
    EXPECT_EQ(23, P->GetWidget()->font().pixelSize());
    SetOrdProp(P->GetFont(), "Color", clBlue);
    EXPECT_EQ(QColor(0, 0, 255),
              P->GetWidget()->palette().color(QPalette::Active, P->GetWidget()->foregroundRole()));

    SetOrdProp(P, "Cursor", crHandPoint);
    EXPECT_EQ(Qt::PointingHandCursor, P->GetWidget()->cursor().shape());
    SetStrProp(P, "Hint", "Short|Long explanation");
    EXPECT_EQ(QString(), P->GetWidget()->toolTip());
    SetPropValue(P, "ShowHint", true);
    EXPECT_EQ(QString("Short"), P->GetWidget()->toolTip());
    SetEnumProp(P, "BiDiMode", "bdRightToLeft");
    EXPECT_EQ(Qt::RightToLeft, P->GetWidget()->layoutDirection());
    SetPropValue(P, "TabStop", true);
    EXPECT_EQ(Qt::StrongFocus, P->GetWidget()->focusPolicy());
}

TEST_F(ControlsTest, PublishedPropertiesHaveTheFrameworksDefaultsAndTypeNames) {
    auto* P = Add<TPanel>(Form.get());
    auto* L = Add<TLabel>(P);
    EXPECT_EQ("TColor", GetPropInfo(P, "Color")->PropType->Name);
    EXPECT_EQ("TCursor", GetPropInfo(P, "Cursor")->PropType->Name);
    EXPECT_EQ("TAnchors", GetPropInfo(P, "Anchors")->PropType->Name);
    EXPECT_EQ("TCaption", GetPropInfo(P, "Caption")->PropType->Name);
    EXPECT_EQ("TBorderStyle", GetPropInfo(P, "BorderStyle")->PropType->Name);
    EXPECT_EQ("TModalResult",
              GetPropInfo(Create<TButton>(Form.get()), "ModalResult")->PropType->Name);
    EXPECT_EQ(nullptr, GetPropInfo(L, "TabOrder"));
    for (const char* Name : {"Align",       "Anchors",     "BiDiMode",
                             "Color",       "Constraints", "Cursor",
                             "DragKind",    "DragMode",    "Enabled",
                             "Font",        "HelpContext", "HelpKeyword",
                             "HelpType",    "Hint",        "ParentBiDiMode",
                             "ParentColor", "ParentFont",  "ParentShowHint",
                             "PopupMenu",   "Action",      "ShowHint",
                             "Visible",     "Tag",         "Ctl3D",
                             "ParentCtl3D", "TabOrder",    "TabStop",
                             "OnEnter",     "OnExit"})
        EXPECT_TRUE(IsPublishedProp(P, Name)) << Name;
    EXPECT_EQ("[akLeft,akTop]", GetSetProp(P, "Anchors"));
    EXPECT_EQ(alNone, GetOrdProp(P, "Align"));
    EXPECT_EQ(htContext, GetOrdProp(P, "HelpType"));
    EXPECT_EQ(-1, GetPropInfo(P, "TabOrder")->Default);
    EXPECT_TRUE(L->GetParentColor());
    EXPECT_TRUE(IsDefaultPropertyValue(L, GetPropInfo(L, "Visible")));
    EXPECT_FALSE(IsStoredProp(L, "Color"));
    EXPECT_FALSE(IsStoredProp(L, "Font"));
}

TEST_F(ControlsTest, ChildrenFollowTheParentsFontUntilGivenTheirOwn) {
    auto* P = Add<TPanel>(Form.get());
    auto* Follows = Add<TLabel>(P);
    auto* Own = Add<TLabel>(P);
    auto* Later = Create<TEdit>(Form.get());
    Own->GetFont()->SetHeight(-30);
    EXPECT_FALSE(Own->GetParentFont());
    Form->GetFont()->SetHeight(-18);
    Form->GetFont()->SetStyle({fsItalic});
    EXPECT_EQ(-18, P->GetFont()->GetHeight());
    EXPECT_EQ(-18, Follows->GetFont()->GetHeight());
    EXPECT_TRUE(Follows->GetFont()->GetStyle().Contains(fsItalic));
    EXPECT_TRUE(Follows->GetParentFont());
    EXPECT_EQ(18, Follows->GetWidget()->font().pixelSize());
    EXPECT_TRUE(Follows->GetWidget()->font().italic());
    EXPECT_EQ(-30, Own->GetFont()->GetHeight());
    EXPECT_EQ(30, Own->GetWidget()->font().pixelSize());
    // A control joining a parent takes its font.
    Later->SetParent(P);
    EXPECT_EQ(-18, Later->GetFont()->GetHeight());
    // Turning ParentFont back on takes the parent's font again.
    Own->SetParentFont(true);
    EXPECT_EQ(-18, Own->GetFont()->GetHeight());
    EXPECT_TRUE(Own->GetParentFont());
}

TEST_F(ControlsTest, ChildrenFollowTheParentsColourAndHintSwitch) {
    auto* P = Add<TPanel>(Form.get());
    auto* L = Add<TLabel>(P);
    P->SetColor(clYellow);
    EXPECT_EQ(clYellow, L->GetColor());
    EXPECT_TRUE(L->GetParentColor());
    L->SetColor(clLime);
    EXPECT_FALSE(L->GetParentColor());
    P->SetColor(clAqua);
    EXPECT_EQ(clLime, L->GetColor());

    L->SetHint("tip");
    P->SetShowHint(true);
    EXPECT_TRUE(L->GetShowHint());
    EXPECT_EQ(QString("tip"), L->GetWidget()->toolTip());
    EXPECT_FALSE(IsStoredProp(L, "ShowHint"));
    L->SetShowHint(false);
    EXPECT_FALSE(L->GetParentShowHint());
    EXPECT_EQ(QString(), L->GetWidget()->toolTip());
}

TEST_F(ControlsTest, ParentsListTheirControlsGraphicOnesFirst) {
    auto* P = Add<TPanel>(Form.get());
    auto* E = Add<TEdit>(P, "E");
    auto* L = Add<TLabel>(P, "L");
    ASSERT_EQ(2, P->GetControlCount());
    EXPECT_EQ(L, P->GetControl(0));
    EXPECT_EQ(E, P->GetControl(1));
    EXPECT_EQ(P->GetWidget(), L->GetWidget()->parentWidget());
    EXPECT_TRUE(P->ContainsControl(L));
    EXPECT_TRUE(Form->ContainsControl(L));
    try {
        P->GetControl(2);
        FAIL() << "no exception";
    } catch (const EListError& Ex) {
        EXPECT_EQ("List index out of bounds (2)", Ex.Message());
    }
    try {
        P->SetParent(P);
        FAIL() << "no exception";
    } catch (const EInvalidOperation& Ex) {
        EXPECT_EQ("A control cannot have itself as its parent", Ex.Message());
    }
    L->SetParent(nullptr);
    EXPECT_EQ(1, P->GetControlCount());
    EXPECT_EQ(nullptr, L->GetWidget()->parentWidget());
    EXPECT_FALSE(L->GetWidget()->isVisible());
}

TEST_F(ControlsTest, FreeingAParentFreesItsChildrenWhoeverOwnsThem) {
    TOwned<TComponent> OtherOwner(Create<TComponent>(nullptr));
    auto* P = Add<TPanel>(Form.get());
    auto* Child = Create<TEdit>(OtherOwner.get());
    Child->SetName("Child");
    Child->SetParent(P);
    ASSERT_EQ(1, OtherOwner->GetComponentCount());
    P->Free();
    EXPECT_EQ(0, OtherOwner->GetComponentCount());
    EXPECT_EQ(nullptr, Form->FindComponent("Child"));
}

TEST_F(ControlsTest, ReferencesToFreedComponentsAreCleared) {
    auto* P = Add<TPanel>(Form.get());
    auto* Menu = Create<TPopupMenu>(nullptr);
    auto* Action = Create<TAction>(nullptr);
    P->SetPopupMenu(Menu);
    P->SetAction(Action);
    EXPECT_EQ(Menu, GetObjectProp(P, "PopupMenu"));
    Menu->Free();
    EXPECT_EQ(nullptr, P->GetPopupMenu());
    EXPECT_EQ(Action, P->GetAction());
    Action->Free();
    EXPECT_EQ(nullptr, P->GetAction());
}

TEST_F(ControlsTest, MouseEventsCarryTheFrameworksButtonsShiftAndClientPosition) {
    auto* C = Add<TProbeControl>(Form.get());
    C->SetBounds(10, 10, 100, 50);
    std::vector<std::string> Log;
    C->SetOnMouseDown(TMouseEvent([&](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
        EXPECT_EQ(C, S);
        Log.push_back("down " + ButtonText(B) + " " + ShiftText(Sh) + " " + std::to_string(X) +
                      "," + std::to_string(Y));
    }));
    C->SetOnMouseUp(TMouseEvent([&](TObject*, TMouseButton B, TShiftState Sh, int X, int Y) {
        Log.push_back("up " + ButtonText(B) + " " + ShiftText(Sh) + " " + std::to_string(X) + "," +
                      std::to_string(Y));
    }));
    C->SetOnMouseMove(TMouseMoveEvent([&](TObject*, TShiftState Sh, int X, int Y) {
        Log.push_back("move " + ShiftText(Sh) + " " + std::to_string(X) + "," + std::to_string(Y));
    }));
    C->SetOnClick(TNotifyEvent([&](TObject*) { Log.push_back("click"); }));
    C->SetOnDblClick(TNotifyEvent([&](TObject*) { Log.push_back("dblclick"); }));
    QWidget* W = C->GetWidget();
    SendMouse(W, QEvent::MouseButtonPress, {5, 6}, Qt::LeftButton, Qt::LeftButton,
              Qt::ShiftModifier);
    SendMouse(W, QEvent::MouseMove, {7, 8}, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    SendMouse(W, QEvent::MouseButtonRelease, {7, 8}, Qt::LeftButton, Qt::NoButton);
    SendMouse(W, QEvent::MouseButtonDblClick, {7, 8}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(W, QEvent::MouseButtonRelease, {7, 8}, Qt::LeftButton, Qt::NoButton);
    SendMouse(W, QEvent::MouseButtonPress, {1, 2}, Qt::RightButton,
              Qt::RightButton | Qt::MiddleButton, Qt::AltModifier);
    // A release outside the control ends the press without a click.
    SendMouse(W, QEvent::MouseButtonPress, {1, 2}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(W, QEvent::MouseButtonRelease, {150, 2}, Qt::LeftButton, Qt::NoButton);
    const std::vector<std::string> Expected = {
        "down mbLeft [ssShift,ssLeft] 5,6",
        "move [ssCtrl,ssLeft] 7,8",
        "click",
        "up mbLeft [] 7,8",
        "dblclick",
        "down mbLeft [ssLeft,ssDouble] 7,8",
        "up mbLeft [] 7,8",
        "down mbRight [ssAlt,ssRight,ssMiddle] 1,2",
        "down mbLeft [ssLeft] 1,2",
        "up mbLeft [] 150,2",
    };
    EXPECT_EQ(Expected, Log);
}

TEST_F(ControlsTest, MouseCaptureFollowsTheLeftButtonAndCancelsThePreviousHolder) {
    auto* A = Add<TProbeControl>(Form.get());
    auto* B = Add<TProbeControl>(Form.get());
    SendMouse(A->GetWidget(), QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(A, GetCaptureControl());
    EXPECT_TRUE(A->GetMouseCapture());
    B->SetMouseCapture(true);
    EXPECT_EQ(std::vector<std::string>{"cancelmode"}, A->Log);
    SendMouse(B->GetWidget(), QEvent::MouseButtonRelease, {1, 1}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(nullptr, GetCaptureControl());
    // A control freed while holding the capture lets it go.
    A->SetMouseCapture(true);
    A->Free();
    EXPECT_EQ(nullptr, GetCaptureControl());
}

TEST_F(ControlsTest, EnterAndLeaveReachTheMouseSteps) {
    auto* C = Add<TProbeControl>(Form.get());
    QEnterEvent Enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(C->GetWidget(), &Enter);
    QEvent Leave(QEvent::Leave);
    QApplication::sendEvent(C->GetWidget(), &Leave);
    EXPECT_EQ((std::vector<std::string>{"mouseenter", "mouseleave"}), C->Log);
}

TEST_F(ControlsTest, WheelNotchesBecomeWheelUpAndDownSteps) {
    auto* C = Add<TProbeControl>(Form.get());
    std::vector<std::string> Log;
    C->SetOnMouseWheelUp(TMouseWheelUpDownEvent([&](TObject*, TShiftState, TPoint, bool& Handled) {
        Log.push_back("up");
        Handled = true;
    }));
    C->SetOnMouseWheelDown(
        TMouseWheelUpDownEvent([&](TObject*, TShiftState Sh, TPoint, bool& Handled) {
            Log.push_back("down " + ShiftText(Sh));
            Handled = true;
        }));
    auto Wheel = [&](int Delta, Qt::KeyboardModifiers Mods) {
        QWheelEvent E(QPointF(3, 3), QPointF(3, 3), QPoint(), QPoint(0, Delta), Qt::NoButton, Mods,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(C->GetWidget(), &E);
        return E.isAccepted();
    };
    EXPECT_TRUE(Wheel(120, Qt::NoModifier));
    EXPECT_TRUE(Wheel(-240, Qt::ControlModifier));
    Wheel(60, Qt::NoModifier);  // half a notch waits for the other half
    Wheel(60, Qt::NoModifier);
    EXPECT_EQ((std::vector<std::string>{"up", "down [ssCtrl]", "down [ssCtrl]", "up"}), Log);
}

TEST_F(ControlsTest, KeysReachKeyDownKeyPressAndKeyUpWithVirtualKeyCodes) {
    auto* E = Add<TEdit>(Form.get());
    Form->Show();
    E->SetFocus();
    std::vector<std::string> Log;
    E->SetOnKeyDown(TKeyEvent([&](TObject*, uint16_t& Key, TShiftState Sh) {
        Log.push_back("down " + std::to_string(Key) + " " + ShiftText(Sh));
        if (Key == VK_DELETE) Key = 0;
    }));
    E->SetOnKeyPress(TKeyPressEvent([&](TObject*, char& Key) {
        Log.push_back(std::string("press ") + Key);
        if (Key == 'q') Key = 0;
        if (Key == 'x') Key = 'y';
    }));
    E->SetOnKeyUp(TKeyEvent([&](TObject*, uint16_t& Key, TShiftState Sh) {
        Log.push_back("up " + std::to_string(Key) + " " + ShiftText(Sh));
    }));
    QWidget* W = E->GetWidget();
    SendKeyPress(W, Qt::Key_A, "A", Qt::ShiftModifier);
    QKeyEvent Up(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier, "A");
    QApplication::sendEvent(W, &Up);
    SendKeyPress(W, Qt::Key_Q, "q");
    SendKeyPress(W, Qt::Key_X, "x");
    SendKeyPress(W, Qt::Key_Home, QString());
    SendKeyPress(W, Qt::Key_Delete, QString());
    const std::vector<std::string> Expected = {"down 65 [ssShift]", "press A",    "up 65 [ssShift]",
                                               "down 81 []",        "press q",    "down 88 []",
                                               "press x",           "down 36 []", "down 46 []"};
    EXPECT_EQ(Expected, Log);
    // q was kept from the edit, x became y, and Delete at the start removed nothing.
    EXPECT_EQ("Ay", E->GetText());
    EXPECT_EQ(0, E->GetSelStart());
}

struct TKeyCase {
    int QtKey;
    bool Keypad;
    uint16_t Expected;
};

class VirtualKeyTest : public ::testing::TestWithParam<TKeyCase> {};

TEST_P(VirtualKeyTest, MapsQtKeysToTheFrameworksCodes) {
    EXPECT_EQ(GetParam().Expected, VirtualKeyFromQtKey(GetParam().QtKey, GetParam().Keypad));
}

INSTANTIATE_TEST_SUITE_P(
    QtKeys, VirtualKeyTest,
    ::testing::Values(
        TKeyCase{Qt::Key_A, false, 'A'}, TKeyCase{Qt::Key_Z, false, 'Z'},
        TKeyCase{Qt::Key_0, false, '0'}, TKeyCase{Qt::Key_7, true, VK_NUMPAD7},
        TKeyCase{Qt::Key_Plus, true, VK_ADD}, TKeyCase{Qt::Key_Plus, false, VK_OEM_PLUS},
        TKeyCase{Qt::Key_Return, false, VK_RETURN}, TKeyCase{Qt::Key_Enter, true, VK_RETURN},
        TKeyCase{Qt::Key_Escape, false, VK_ESCAPE}, TKeyCase{Qt::Key_Tab, false, VK_TAB},
        TKeyCase{Qt::Key_Backtab, false, VK_TAB}, TKeyCase{Qt::Key_Backspace, false, VK_BACK},
        TKeyCase{Qt::Key_F1, false, VK_F1}, TKeyCase{Qt::Key_F12, false, VK_F12},
        TKeyCase{Qt::Key_PageUp, false, VK_PRIOR}, TKeyCase{Qt::Key_PageDown, false, VK_NEXT},
        TKeyCase{Qt::Key_Left, false, VK_LEFT}, TKeyCase{Qt::Key_Down, false, VK_DOWN},
        TKeyCase{Qt::Key_Insert, false, VK_INSERT}, TKeyCase{Qt::Key_Delete, false, VK_DELETE},
        TKeyCase{Qt::Key_Shift, false, VK_SHIFT}, TKeyCase{Qt::Key_Control, false, VK_CONTROL},
        TKeyCase{Qt::Key_Alt, false, VK_MENU}, TKeyCase{Qt::Key_Space, false, VK_SPACE},
        TKeyCase{Qt::Key_Comma, false, VK_OEM_COMMA}, TKeyCase{Qt::Key_Period, true, VK_DECIMAL},
        TKeyCase{Qt::Key_unknown, false, 0}));

TEST_F(ControlsTest, FocusEntersAndExitsEveryContainerOnTheWay) {
    auto* P1 = Add<TPanel>(Form.get(), "P1");
    auto* E1 = Add<TEdit>(P1, "E1");
    auto* P2 = Add<TPanel>(Form.get(), "P2");
    auto* E2 = Add<TEdit>(P2, "E2");
    auto* E3 = Add<TEdit>(P2, "E3");
    std::vector<std::string> Log;
    for (TWinControl* C : std::vector<TWinControl*>{P1, E1, P2, E2, E3}) {
        C->SetOnEnter(
            TNotifyEvent([&Log, C](TObject*) { Log.push_back("enter " + C->GetName()); }));
        C->SetOnExit(TNotifyEvent([&Log, C](TObject*) { Log.push_back("exit " + C->GetName()); }));
    }
    Form->Show();
    E1->SetFocus();
    E2->SetFocus();
    E3->SetFocus();
    Application->ProcessMessages();
    const std::vector<std::string> Expected = {"enter P1", "enter E1", "exit E1", "exit P1",
                                               "enter P2", "enter E2", "exit E2", "enter E3"};
    EXPECT_EQ(Expected, Log);
    EXPECT_EQ(E3, Form->GetActiveControl());
    EXPECT_EQ(E3, Screen->GetActiveControl());
    EXPECT_TRUE(E3->Focused());
    EXPECT_FALSE(E2->Focused());
}

TEST_F(ControlsTest, HiddenOrDisabledControlsCannotTakeTheFocus) {
    auto* P = Add<TPanel>(Form.get());
    auto* E = Add<TEdit>(P);
    EXPECT_TRUE(E->CanFocus());
    P->SetEnabled(false);
    EXPECT_FALSE(E->CanFocus());
    try {
        E->SetFocus();
        FAIL() << "no exception";
    } catch (const EInvalidOperation& Ex) {
        EXPECT_EQ("Cannot focus a disabled or invisible window", Ex.Message());
    }
    auto* Orphan = Create<TEdit>(Form.get());
    EXPECT_FALSE(Orphan->CanFocus());
}

TEST_F(ControlsTest, TabWalksTheTabOrder) {
    auto* A = Add<TEdit>(Form.get(), "A");
    auto* B = Add<TEdit>(Form.get(), "B");
    auto* C = Add<TEdit>(Form.get(), "C");
    EXPECT_EQ(0, A->GetTabOrder());
    EXPECT_EQ(2, C->GetTabOrder());
    C->SetTabOrder(0);
    EXPECT_EQ(0, C->GetTabOrder());
    EXPECT_EQ(1, A->GetTabOrder());
    EXPECT_EQ(B, Form->FindNextControl(A, true, true, false));
    EXPECT_EQ(C, Form->FindNextControl(A, false, true, false));
    EXPECT_EQ(C, Form->FindNextControl(B, true, true, false));
    // Tab and Shift+Tab walk the same order, whatever Qt's own focus chain says.
    Form->Show();
    C->SetFocus();
    SendKeyPress(C->GetWidget(), Qt::Key_Tab, "\t");
    EXPECT_EQ(A, Form->GetActiveControl());
    SendKeyPress(A->GetWidget(), Qt::Key_Tab, "\t");
    EXPECT_EQ(B, Form->GetActiveControl());
    SendKeyPress(B->GetWidget(), Qt::Key_Tab, "\t");
    EXPECT_EQ(C, Form->GetActiveControl());
    SendKeyPress(C->GetWidget(), Qt::Key_Backtab, "", Qt::ShiftModifier);
    EXPECT_EQ(B, Form->GetActiveControl());
    // Controls without TabStop are passed over.
    A->SetTabStop(false);
    SendKeyPress(B->GetWidget(), Qt::Key_Tab, "\t");
    EXPECT_EQ(C, Form->GetActiveControl());
    SendKeyPress(C->GetWidget(), Qt::Key_Tab, "\t");
    EXPECT_EQ(B, Form->GetActiveControl());
}

TEST_F(ControlsTest, PostedMessagesRunLaterInOrderAndDieWithTheControl) {
    auto* C = Add<TProbeControl>(Form.get());
    PostMessage(C, WM_PRIVATE_A, 1);
    PostMessage(C, WM_PRIVATE_B, 2);
    EXPECT_TRUE(C->Log.empty());
    EXPECT_EQ(7, C->Perform(WM_PRIVATE_A, 3));
    Application->ProcessMessages();
    EXPECT_EQ((std::vector<std::string>{"msg 2475 3", "msg 2475 1", "msg 2476 2"}), C->Log);
    PostMessage(C, WM_PRIVATE_A, 4);
    C->Free();
    Application->ProcessMessages();
    EXPECT_EQ(0, PendingMessageCount());
}

TEST_F(ControlsTest, FontChangesReachTheOverridableStep) {
    auto* C = Add<TProbeControl>(Form.get());
    C->Log.clear();
    Form->GetFont()->SetHeight(-15);
    EXPECT_EQ(std::vector<std::string>{"fontchanged"}, C->Log);
    C->GetFont()->SetSize(12);
    EXPECT_EQ(2u, C->Log.size());
}

TEST_F(ControlsTest, TheWindowIsCreatedWhenFirstShownAndShowingFollowsTheParents) {
    auto* P = Add<TPanel>(Form.get());
    auto* C = Add<TProbeControl>(P);
    EXPECT_FALSE(C->HandleAllocated());
    EXPECT_FALSE(C->GetShowing());
    Form->Show();
    EXPECT_TRUE(C->HandleAllocated());
    EXPECT_EQ(1, C->CreateWndCount);
    EXPECT_TRUE(C->GetShowing());
    P->Hide();
    EXPECT_FALSE(C->GetShowing());
    EXPECT_TRUE(C->GetVisible());
    P->Show();
    Form->Hide();
    EXPECT_EQ((std::vector<std::string>{"showing", "hidden", "showing", "hidden"}), C->Log);
    EXPECT_EQ(1, C->CreateWndCount);

    auto* D = Add<TProbeControl>(Form.get());
    D->HandleNeeded();
    EXPECT_TRUE(D->HandleAllocated());
    EXPECT_EQ(1, D->CreateWndCount);
}

TEST_F(ControlsTest, ExceptionsFromHandlersGoToTheApplication) {
    auto* C = Add<TProbeControl>(Form.get());
    std::vector<std::string> Reported;
    TExceptionEvent Saved = Application->GetOnException();
    Application->SetOnException(TExceptionEvent([&](TObject* Sender, const std::exception& E) {
        Reported.push_back(std::string(E.what()) + (Sender == C ? " from C" : ""));
    }));
    C->SetOnMouseDown(TMouseEvent(
        [](TObject*, TMouseButton, TShiftState, int, int) -> void { throw EConvertError("bad"); }));
    SendMouse(C->GetWidget(), QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton);
    Application->SetOnException(Saved);
    EXPECT_EQ(std::vector<std::string>{"bad from C"}, Reported);
}

TEST_F(ControlsTest, AControlFreedByItsOwnClickHandlerGoesSafely) {
    auto* B = Add<TButton>(Form.get(), "Doomed");
    bool Clicked = false;
    B->SetOnClick(TNotifyEvent([&](TObject* Sender) {
        Clicked = true;
        static_cast<TControl*>(Sender)->Free();
    }));
    Form->Show();
    QWidget* W = B->GetWidget();
    SendMouse(W, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(W, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(Clicked);
    EXPECT_EQ(nullptr, Form->FindComponent("Doomed"));
    EXPECT_EQ(0, Form->GetControlCount());
    Application->ProcessMessages();
}

TEST_F(ControlsTest, ClientCoordinatesMapToTheScreen) {
    Form->SetBounds(100, 50, 300, 200);
    auto* P = Add<TPanel>(Form.get());
    P->SetBounds(20, 30, 100, 100);
    auto* C = Add<TProbeControl>(P);
    C->SetBounds(5, 6, 20, 20);
    Form->Show();
    Application->ProcessMessages();
    const QPoint G = Form->GetWidget()->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ((TPoint{G.x() + 25 + 3, G.y() + 36 + 4}), C->ClientToScreen({3, 4}));
    EXPECT_EQ((TPoint{3, 4}), C->ScreenToClient(C->ClientToScreen({3, 4})));
}

TEST_F(ControlsTest, PaintDrawsWithTheCanvasIntoTheWidget) {
    auto* C = Add<TProbeControl>(Form.get());
    C->SetColor(clWhite);
    C->PaintColor = clBlue;
    const QImage Image = C->GetWidget()->grab().toImage();
    ASSERT_EQ(QSize(40, 30), Image.size());
    EXPECT_EQ(qRgb(0, 0, 255), Image.pixel(2, 2));
    EXPECT_EQ(qRgb(0, 0, 255), Image.pixel(9, 9));
    EXPECT_EQ(qRgb(255, 255, 255), Image.pixel(10, 10));
    EXPECT_EQ(qRgb(255, 255, 255), Image.pixel(1, 1));
}

TEST_F(ControlsTest, TheFormWritesItsControlsThenItsOtherComponents) {
    auto* Timerish = Create<TComponent>(Form.get());
    Timerish->SetName("Plain");
    auto* P = Add<TPanel>(Form.get(), "P");
    auto* E = Add<TEdit>(P, "E");
    auto* Foreign = Create<TEdit>(nullptr);
    Foreign->SetName("Foreign");
    Foreign->SetParent(P);
    std::vector<TComponent*> FormChildren;
    Form->GetChildren([&](TComponent* C) { FormChildren.push_back(C); }, Form.get());
    EXPECT_EQ((std::vector<TComponent*>{P, Timerish}), FormChildren);
    std::vector<TComponent*> PanelChildren;
    P->GetChildren([&](TComponent* C) { PanelChildren.push_back(C); }, Form.get());
    EXPECT_EQ(std::vector<TComponent*>{E}, PanelChildren);
    EXPECT_EQ(P, E->GetParentComponent());
    EXPECT_TRUE(E->HasParent());
}

}  // namespace zk::test
