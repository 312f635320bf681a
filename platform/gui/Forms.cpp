// TCustomForm and TForm: creation from form descriptions, the window, showing, closing, focus and
// modal loops.
#include "platform/gui/Forms.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <mutex>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/core/Resources.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/Stream.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/Controls_p.h"

namespace zk {

namespace {

// Posted by Release; frees the form once the handler that asked has returned.
constexpr uint32_t FormReleaseMessage = CM_BASE + 33;
constexpr const char* CannotFocus = "Cannot focus a disabled or invisible window";

// Lets form descriptions reach components of other forms by the form's name.
void RegisterFormFinder() {
    static std::once_flag Once;
    std::call_once(Once, [] {
        RegisterFindGlobalComponent([](const std::string& Name) -> TComponent* {
            if (!Screen) return nullptr;
            for (int I = 0; I < Screen->GetFormCount(); ++I)
                if (TComponent* Form = Screen->GetForm(I); SameText(Form->GetName(), Name))
                    return Form;
            return nullptr;
        });
    });
}

// Hears of freed components among those it was given, for loops that call out.
class TFreeWatch : public TComponent {
public:
    explicit TFreeWatch(std::vector<TBasicAction*>& Watched)
        : TComponent(nullptr), FWatched(Watched) {
        for (TBasicAction* A : Watched) A->FreeNotification(this);
    }
    bool Gone(const TComponent* C) const {
        return std::find(FGone.begin(), FGone.end(), C) != FGone.end();
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (Operation == opRemove) {
            std::replace(FWatched.begin(), FWatched.end(), static_cast<TBasicAction*>(AComponent),
                         static_cast<TBasicAction*>(nullptr));
            FGone.push_back(AComponent);
        }
        TComponent::Notification(AComponent, Operation);
    }

private:
    std::vector<TBasicAction*>& FWatched;
    std::vector<const TComponent*> FGone;
};

bool IsFixedSize(TFormBorderStyle Style) {
    return Style == bsSingle || Style == bsDialog || Style == bsToolWindow;
}

}  // namespace

TCustomForm* GetParentForm(const TControl* Control) {
    if (!Control) return nullptr;
    while (Control->GetParent()) Control = Control->GetParent();
    return DynamicCast<TCustomForm>(const_cast<TControl*>(Control));
}

ZK_IMPLEMENT_CLASS(TCustomForm)
void TCustomForm::DescribeClass(TClassBuilder<TCustomForm>& C) {
    // Forms store their client size; the frame belongs to the platform.
    C.Redeclare("Width").Stored(false);
    C.Redeclare("Height").Stored(false);
    C.Redeclare("Visible").Default(false);
    C.Redeclare("ParentColor").Default(false);
    C.Redeclare("ParentFont").Default(false);
    // A form has no parent to take hints from.
    C.Redeclare("ParentShowHint").Stored(false);
    C.Prop("ActiveControl", &TCustomForm::GetActiveControl, &TCustomForm::SetActiveControl);
    C.Prop("BorderStyle", &TCustomForm::GetBorderStyle, &TCustomForm::SetBorderStyle)
        .Default(bsSizeable);
    C.Prop("Caption", &TControl::GetCaption, &TControl::SetCaption)
        .Type(TypeInfoTCaption())
        .Stored(&TControl::IsCaptionStored);
    C.Prop("ClientHeight", &TControl::GetClientHeight, &TControl::SetClientHeight);
    C.Prop("ClientWidth", &TControl::GetClientWidth, &TControl::SetClientWidth);
    C.Prop("BorderIcons", &TCustomForm::GetBorderIcons, &TCustomForm::SetBorderIcons)
        .Default(DefaultBorderIcons);
    C.Prop("FormStyle", &TCustomForm::GetFormStyle, &TCustomForm::SetFormStyle).Default(fsNormal);
    C.Prop("KeyPreview", &TCustomForm::GetKeyPreview, &TCustomForm::SetKeyPreview).Default(false);
    C.Prop("PixelsPerInch", &TCustomForm::GetPixelsPerInch, &TCustomForm::SetPixelsPerInch)
        .Default(96);
    C.Prop("Position", &TCustomForm::GetPosition, &TCustomForm::SetPosition).Default(poDesigned);
    C.Prop("Scaled", &TCustomForm::GetScaled, &TCustomForm::SetScaled).Default(true);
    C.Prop("WindowState", &TCustomForm::GetWindowState, &TCustomForm::SetWindowState)
        .Default(wsNormal);
    C.Prop("OnActivate", &TCustomForm::GetOnActivate, &TCustomForm::SetOnActivate);
    C.Prop("OnClose", &TCustomForm::GetOnClose, &TCustomForm::SetOnClose);
    C.Prop("OnCloseQuery", &TCustomForm::GetOnCloseQuery, &TCustomForm::SetOnCloseQuery);
    C.Prop("OnCreate", &TCustomForm::GetOnCreate, &TCustomForm::SetOnCreate);
    C.Prop("OnDeactivate", &TCustomForm::GetOnDeactivate, &TCustomForm::SetOnDeactivate);
    C.Prop("OnDestroy", &TCustomForm::GetOnDestroy, &TCustomForm::SetOnDestroy);
    C.Prop("OnHide", &TCustomForm::GetOnHide, &TCustomForm::SetOnHide);
    C.Prop("OnShow", &TCustomForm::GetOnShow, &TCustomForm::SetOnShow);
    C.Message(FormReleaseMessage, &TCustomForm::CMRelease);
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle(
        {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetVisible(false);
    SetColor(clBtnFace);
    SetParentColor(false);
    SetParentFont(false);
    ApplyBorderStyle();
    SetBounds(0, 0, 320, 240);
    if (Screen) Screen->AddForm(this);
    RegisterFormFinder();
}

TCustomForm::~TCustomForm() {
    TCustomForm::BeforeDestruction();
}

void TCustomForm::AfterConstruction() {
    TWinControl::AfterConstruction();
    {
        FFormState.Include(fsCreating);
        TScopeExit Created([this] { FFormState.Exclude(fsCreating); });
        InitInheritedComponent(TForm::StaticClass());
    }
    FCreated = true;
    DoCreate();
    UpdateShowing();
}

void TCustomForm::BeforeDestruction() {
    Destroying();
    if (FModalLoop) FModalLoop->quit();
    UpdateShowing();
    if (FCreated) {
        FCreated = false;
        DoDestroy();
    }
    if (Screen) Screen->RemoveForm(this);
    TWinControl::BeforeDestruction();
}

bool TCustomForm::InitInheritedComponent(const TClassInfo* RootAncestor) {
    std::vector<const TClassInfo*> Chain;
    for (const TClassInfo* C = ClassType();
         C && C != RootAncestor && C != TCustomForm::StaticClass(); C = C->ClassParent())
        Chain.push_back(C);
    bool Found = false;
    for (auto It = Chain.rbegin(); It != Chain.rend(); ++It) {
        const uint8_t* Data = nullptr;
        size_t Size = 0;
        if (!FindResource(UpperCase((*It)->ClassName()), RT_RCDATA, Data, Size)) continue;
        TMemoryStream Stream;
        Stream.WriteBuffer(Data, static_cast<int64_t>(Size));
        Stream.SetPosition(0);
        TReader Reader(&Stream);
        Reader.ReadRootComponent(this);
        Found = true;
    }
    return Found;
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    const int ScreenPpi = Screen ? Screen->GetPixelsPerInch() : 96;
    if (FScaled && FPixelsPerInch > 0 && FPixelsPerInch != ScreenPpi)
        ScaleBy(ScreenPpi, FPixelsPerInch);
    FPixelsPerInch = ScreenPpi;
    ApplyBorderStyle();
}

void TCustomForm::SetPixelsPerInch(int Value) {
    if (Value > 0) FPixelsPerInch = Value;
}

void TCustomForm::ScaleBy(int M, int D) {
    if (M == D || M <= 0 || D <= 0) return;
    auto Scale = [M, D](int V) { return V * M / D; };
    std::function<void(TControl*)> ScaleControl = [&](TControl* C) {
        if (!C->GetParentFont()) {
            C->GetFont()->SetHeight(Scale(C->GetFont()->GetHeight()));
        }
        if (auto* W = DynamicCast<TWinControl>(C)) {
            W->DisableAlign();
            for (int I = 0; I < W->GetControlCount(); ++I) ScaleControl(W->GetControl(I));
            W->EnableAlign();
        }
        if (C != this)
            C->SetBounds(Scale(C->GetLeft()), Scale(C->GetTop()), Scale(C->GetWidth()),
                         Scale(C->GetHeight()));
    };
    ScaleControl(this);
    SetClientWidth(Scale(GetClientWidth()));
    SetClientHeight(Scale(GetClientHeight()));
}

// Forms written elsewhere carry the text height they were designed with; it is not needed here.
void TCustomForm::DefineProperties(TFiler* Filer) {
    TWinControl::DefineProperties(Filer);
    Filer->DefineProperty(
        "TextHeight", [](TReader* R) { R->ReadInteger(); }, [](TWriter*) {}, false);
}

void TCustomForm::SetName(const std::string& NewName) {
    std::string Name = NewName;
    TComponent* Owner = GetOwner();
    if (FFormState.Contains(fsCreating) && Owner && !Name.empty()) {
        auto Taken = [&](const std::string& N) {
            TComponent* Found = Owner->FindComponent(N);
            return Found && Found != this;
        };
        for (int I = 1; Taken(Name); ++I) Name = NewName + "_" + std::to_string(I);
    }
    TWinControl::SetName(Name);
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
    if (Value == fsMDIChild || Value == fsMDIForm) Value = fsNormal;
    if (FFormStyle == Value) return;
    FFormStyle = Value;
    if (!IsLoading()) ApplyBorderStyle();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
    if (FBorderIcons == Value) return;
    FBorderIcons = Value;
    if (!IsLoading()) ApplyBorderStyle();
}

TWindowState TCustomForm::GetWindowState() const {
    const Qt::WindowStates State = GetWidget()->windowState();
    if (!GetWidget()->isVisible()) return FWindowState;
    if (State & Qt::WindowMinimized) return wsMinimized;
    if (State & Qt::WindowMaximized) return wsMaximized;
    return wsNormal;
}

void TCustomForm::SetWindowState(TWindowState Value) {
    FWindowState = Value;
    if (GetShowing()) ApplyWindowState();
}

void TCustomForm::ApplyWindowState() {
    if (!IsTopLevel()) return;
    QWidget* W = GetWidget();
    const Qt::WindowStates Keep = W->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    W->setWindowState(Keep | (FWindowState == wsMinimized   ? Qt::WindowMinimized
                              : FWindowState == wsMaximized ? Qt::WindowMaximized
                                                            : Qt::WindowNoState));
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove) {
        if (AComponent == FActiveControl) FActiveControl = nullptr;
        if (AComponent == FFocusedControl) FFocusedControl = nullptr;
    }
    TWinControl::Notification(AComponent, Operation);
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
    TWinControl::GetChildren(Proc, Root);
    TComponent::GetChildren(Proc, Root);
}

// ---- events ----

void TCustomForm::DoCreate() {
    SafeCall(this, [this] {
        if (FOnCreate.Assigned()) FOnCreate(this);
    });
}

void TCustomForm::DoDestroy() {
    SafeCall(this, [this] {
        if (FOnDestroy.Assigned()) FOnDestroy(this);
    });
}

void TCustomForm::DoShow() {
    SafeCall(this, [this] {
        if (FOnShow.Assigned()) FOnShow(this);
    });
}

void TCustomForm::DoHide() {
    SafeCall(this, [this] {
        if (FOnHide.Assigned()) FOnHide(this);
    });
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (FOnClose.Assigned()) FOnClose(this, Action);
}

void TCustomForm::Activate() {
    if (FOnActivate.Assigned()) FOnActivate(this);
}

void TCustomForm::Deactivate() {
    if (FOnDeactivate.Assigned()) FOnDeactivate(this);
}

// ---- the window ----

TRect TCustomForm::GetClientRect() const {
    if (!IsTopLevel()) return TWinControl::GetClientRect();
    return Rect(0, 0, std::max(0, GetWidth() - FFrameWidth),
                std::max(0, GetHeight() - FFrameHeight));
}

void TCustomForm::UpdateWidgetGeometry() {
    if (!IsTopLevel()) {
        TWinControl::UpdateWidgetGeometry();
        return;
    }
    QWidget* W = GetWidget();
    const TRect Client = GetClientRect();
    W->setMinimumSize(0, 0);
    W->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    W->move(GetLeft(), GetTop());
    W->resize(Client.Width(), Client.Height());
    if (IsFixedSize(FBorderStyle)) {
        W->setFixedSize(Client.Width(), Client.Height());
        return;
    }
    const TSizeConstraints* C = GetConstraints();
    if (C->GetMinWidth() > 0 || C->GetMinHeight() > 0)
        W->setMinimumSize(std::max(0, C->GetMinWidth() - FFrameWidth),
                          std::max(0, C->GetMinHeight() - FFrameHeight));
    if (C->GetMaxWidth() > 0 || C->GetMaxHeight() > 0)
        W->setMaximumSize(
            C->GetMaxWidth() > 0 ? C->GetMaxWidth() - FFrameWidth : QWIDGETSIZE_MAX,
            C->GetMaxHeight() > 0 ? C->GetMaxHeight() - FFrameHeight : QWIDGETSIZE_MAX);
}

// The platform moved or resized the window (or gave it a frame): the bounds
// follow the window, the frame included.
void TCustomForm::SyncGeometryFromWidget() {
    QWidget* W = GetWidget();
    const QRect Frame = W->frameGeometry();
    const QRect Client = W->geometry();
    FFrameWidth = Frame.width() - Client.width();
    FFrameHeight = Frame.height() - Client.height();
    SetBounds(Frame.x(), Frame.y(), Frame.width(), Frame.height());
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (!IsLoading()) ApplyBorderStyle();
}

void TCustomForm::ApplyBorderStyle() {
    if (!IsTopLevel()) return;
    Qt::WindowFlags Flags = Qt::Window;
    switch (FBorderStyle) {
        case bsNone:
            Flags = Qt::Window | Qt::FramelessWindowHint;
            break;
        case bsDialog:
            Flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                    Qt::WindowCloseButtonHint;
            break;
        case bsToolWindow:
            Flags = Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
            break;
        case bsSizeToolWin:
            Flags = Qt::Tool;
            break;
        default:
            break;
    }
    if (FFormStyle == fsStayOnTop) Flags |= Qt::WindowStaysOnTopHint;
    // Only title-bar buttons other than the usual ones need Qt told in detail.
    if (!(FBorderIcons == DefaultBorderIcons) && FBorderStyle != bsNone) {
        Flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (FBorderIcons.Contains(biSystemMenu))
            Flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (FBorderIcons.Contains(biMinimize)) Flags |= Qt::WindowMinimizeButtonHint;
        if (FBorderIcons.Contains(biMaximize)) Flags |= Qt::WindowMaximizeButtonHint;
        if (FBorderIcons.Contains(biHelp)) Flags |= Qt::WindowContextHelpButtonHint;
    }
    QWidget* W = GetWidget();
    if (W->windowFlags() == Flags) {
        UpdateWidgetGeometry();
        return;
    }
    const bool WasVisible = W->isVisible();
    W->setWindowFlags(Flags);
    UpdateWidgetGeometry();
    if (WasVisible) W->show();
}

void TCustomForm::ApplyPosition() {
    int X = GetLeft();
    int Y = GetTop();
    const int W = GetWidth();
    const int H = GetHeight();
    TCustomForm* Ref = nullptr;
    switch (FPosition) {
        case poDefault:
        case poDefaultPosOnly: {
            if (FDefaultPlaced) return;
            static int Cascade = 0;
            X = Y = 24 * (Cascade++ % 8);
            FDefaultPlaced = true;
            break;
        }
        case poOwnerFormCenter:
            Ref = DynamicCast<TCustomForm>(GetOwner());
            [[fallthrough]];
        case poMainFormCenter:
            if (!Ref && Application) Ref = DynamicCast<TCustomForm>(Application->GetMainForm());
            if (Ref && Ref != this) {
                X = Ref->GetLeft() + (Ref->GetWidth() - W) / 2;
                Y = Ref->GetTop() + (Ref->GetHeight() - H) / 2;
                break;
            }
            [[fallthrough]];
        case poScreenCenter:
        case poDesktopCenter:
            if (!Screen) return;
            X = (Screen->GetWidth() - W) / 2;
            Y = (Screen->GetHeight() - H) / 2;
            break;
        default:
            return;
    }
    SetBounds(std::max(X, 0), std::max(Y, 0), W, H);
}

bool TCustomForm::TopLevelMayShow() const {
    return !IsLoading() && !FFormState.Contains(fsCreating);
}

// OnShow runs before the window appears and OnHide before it goes, as the framework has it.
void TCustomForm::ShowingChanged() {
    if (!IsTopLevel()) {
        TWinControl::ShowingChanged();
        return;
    }
    QWidget* W = GetWidget();
    if (GetShowing()) {
        ApplyPosition();
        DoShow();
        if (!GetShowing()) return;
        ApplyWindowState();
        W->show();
        W->activateWindow();
    } else {
        DoHide();
        W->hide();
        FActive = false;
    }
}

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
}

bool TCustomForm::HandleWidgetEvent(QEvent* E) {
    if (IsTopLevel()) {
        switch (E->type()) {
            case QEvent::Move:
            case QEvent::Resize:
                if (E->spontaneous()) SyncGeometryFromWidget();
                break;
            case QEvent::Show:
                SyncGeometryFromWidget();
                break;
            case QEvent::Close:
                Close();
                return true;
            case QEvent::WindowActivate:
                WindowActivated(true);
                return false;
            case QEvent::WindowDeactivate:
                WindowActivated(false);
                return false;
            default:
                break;
        }
    }
    return TWinControl::HandleWidgetEvent(E);
}

void TCustomForm::WindowActivated(bool Active) {
    if (FActive == Active) return;
    FActive = Active;
    if (!Active) {
        Deactivate();
        return;
    }
    if (Screen) Screen->SetActiveForm(this);
    Activate();
    if (FActiveControl && FActiveControl->CanFocus())
        SetWindowFocus();
    else
        SelectFirst();
}

// ---- closing ----

bool TCustomForm::CloseQuery() {
    bool CanClose = true;
    if (FOnCloseQuery.Assigned()) FOnCloseQuery(this, CanClose);
    return CanClose;
}

void TCustomForm::Close() {
    if (FFormState.Contains(fsModal)) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction Action = caHide;
    DoClose(Action);
    if (Action == caNone) return;
    if (Application && Application->GetMainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (Action) {
        case caHide:
            Hide();
            break;
        case caMinimize:
            GetWidget()->showMinimized();
            break;
        case caFree:
            Release();
            break;
        default:
            break;
    }
}

void TCustomForm::Release() {
    PostMessage(this, FormReleaseMessage);
}

void TCustomForm::CMRelease(TMessage&) {
    Free();
}

// ---- modal showing ----

void TCustomForm::SetModalResult(TModalResult Value) {
    FModalResult = Value;
    if (Value != mrNone && FModalLoop) FModalLoop->quit();
}

int TCustomForm::ShowModal() {
    if (GetVisible() || !GetEnabled() || FFormState.Contains(fsModal))
        throw EInvalidOperation("Cannot make a visible window modal");
    SetCaptureControl(nullptr);
    FFormState.Include(fsModal);
    TScopeExit Leave([this] {
        FFormState.Exclude(fsModal);
        if (IsDestroying()) return;
        Hide();
        GetWidget()->setWindowModality(Qt::NonModal);
    });
    FModalResult = mrNone;
    GetWidget()->setWindowModality(Qt::ApplicationModal);
    Show();
    const bool Seam = static_cast<bool>(GetModalHandler());
    const int Result = RunModal(this, [this] { return RunModalLoop(); });
    if (Seam) {
        FModalResult = Result;
        TCloseAction Action = caHide;
        DoClose(Action);
        if (Action == caFree) Release();
    }
    return Result;
}

int TCustomForm::RunModalLoop() {
    QEventLoop Loop;
    FModalLoop = &Loop;
    TScopeExit Reset([this] { FModalLoop = nullptr; });
    auto Terminated = [] { return Application && Application->GetTerminated(); };
    // Terminate has no signal; look for it while the loop waits.
    QTimer Poll;
    QObject::connect(&Poll, &QTimer::timeout, &Loop, [&Loop, Terminated] {
        if (Terminated()) Loop.quit();
    });
    Poll.start(50);
    for (;;) {
        if (FModalResult == mrNone && !Terminated() && !IsDestroying()) Loop.exec();
        if (Terminated() || IsDestroying()) FModalResult = mrCancel;
        if (FModalResult == mrNone) continue;
        CloseModal();
        if (FModalResult != mrNone) break;
    }
    return FModalResult;
}

void TCustomForm::CloseModal() {
    TCloseAction Action = caNone;
    if (IsDestroying()) return;
    if (CloseQuery()) {
        Action = caHide;
        DoClose(Action);
    }
    if (Action == caNone)
        FModalResult = mrNone;
    else if (Action == caFree)
        Release();
}

// ---- focus ----

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (Control && (Control == this || GetParentForm(Control) != this ||
                    (!IsLoading() && !Control->CanFocus())))
        throw EInvalidOperation(CannotFocus);
    FActiveControl = Control;
    if (!IsLoading() && FActive) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
    const bool WasActive = FActive;
    SetActiveControl(Control);
    if (!WasActive) SetFocus();
}

void TCustomForm::SetFocus() {
    if (!GetVisible() || !GetEnabled()) throw EInvalidOperation(CannotFocus);
    SetWindowFocus();
}

// Qt moves the focus only inside the active window; a window that is not
// active yet (it activates asynchronously) gets its OnEnter/OnExit now, and
// Qt's focus-in later finds them done. Activation is asked for only when the
// window lacks it: the activation handler comes here too, and asking again
// from there made two shown forms take turns for ever, each activation
// queueing another behind the other form's.
void TCustomForm::SetWindowFocus() {
    QWidget* W = GetWidget();
    if (!W->isVisible()) return;
    if (!W->isActiveWindow()) W->activateWindow();
    TWinControl* Target = FActiveControl ? FActiveControl : this;
    Target->GetWidget()->setFocus(Qt::OtherFocusReason);
    if (FFocusedControl != Target || (Screen && Screen->GetActiveControl() != Target))
        SetFocusedControl(Target);
}

bool TCustomForm::SendFocusMessage(TWinControl* Control, bool Enter) {
    const int Count = FFocusCount;
    if (Enter)
        Control->DoEnter();
    else
        Control->DoExit();
    return Count == FFocusCount;
}

// Leaves every container of the old focused control that does not hold the
// new one (OnExit, innermost first), then enters each container down to the
// new control (OnEnter, outermost first). A handler that moves the focus
// ends this walk; the new walk has taken over.
bool TCustomForm::SetFocusedControl(TWinControl* Control) {
    if (IsDestroying() || !Control) return false;
    ++FFocusCount;
    FActiveControl = Control != this ? Control : nullptr;
    if (Screen) {
        Screen->SetActiveControl(Control);
        Screen->SetActiveForm(this);
    }
    if (Control->FControlState.Contains(csFocusing)) return false;
    Control->FControlState.Include(csFocusing);
    TScopeExit Done([Control] { Control->FControlState.Exclude(csFocusing); });
    if (!FFocusedControl) FFocusedControl = this;
    while (FFocusedControl && FFocusedControl != Control &&
           !FFocusedControl->ContainsControl(Control)) {
        TWinControl* Leaving = FFocusedControl;
        FFocusedControl = Leaving->GetParent();
        if (!SendFocusMessage(Leaving, false)) return false;
    }
    while (FFocusedControl != Control) {
        TWinControl* Entering = Control;
        while (Entering->GetParent() && Entering->GetParent() != FFocusedControl)
            Entering = Entering->GetParent();
        FFocusedControl = Entering;
        if (!SendFocusMessage(Entering, true)) return false;
    }
    return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
    if (Removing && FFocusedControl && Control->ContainsControl(FFocusedControl))
        FFocusedControl = Control->GetParent();
    if (FActiveControl && Control->ContainsControl(FActiveControl)) {
        FActiveControl = nullptr;
        if (!IsDestroying() && FActive) SetWindowFocus();
    }
}

// ---- actions and shortcuts ----

bool TCustomForm::IsShortCut(uint16_t Key, TShiftState Shift) {
    for (int I = 0; I < GetComponentCount(); ++I)
        if (auto* List = DynamicCast<TCustomActionList>(GetComponents(I)))
            if (List->IsShortCut(Key, Shift)) return true;
    return false;
}

// Hidden clients count too: an action that hides its only control must be
// able to show it again.
void TCustomForm::UpdateActions() {
    if (!GetShowing() || IsDestroying()) return;
    std::vector<TBasicAction*> Actions;
    std::function<void(TWinControl*)> Collect = [&](TWinControl* Container) {
        for (int I = 0; I < Container->GetControlCount(); ++I) {
            TControl* C = Container->GetControl(I);
            if (TBasicAction* A = C->GetAction();
                A && std::find(Actions.begin(), Actions.end(), A) == Actions.end())
                Actions.push_back(A);
            if (auto* W = DynamicCast<TWinControl>(C)) Collect(W);
        }
    };
    Collect(this);
    // An update handler may free actions (or the form); the watch forgets those.
    TOwned<TFreeWatch> Watch(Create<TFreeWatch>(Actions));
    FreeNotification(Watch.get());
    for (TBasicAction*& A : Actions) {
        if (A) A->Update();
        if (Watch->Gone(this)) return;
    }
}

// ---- TForm ----

ZK_IMPLEMENT_CLASS(TForm)
void TForm::DescribeClass(TClassBuilder<TForm>&) {}

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {}

}  // namespace zk
