// Forms: TCustomForm and TForm, top-level windows loaded from their form descriptions, with modal
// showing.
#pragma once
#include <cstdint>

#include "platform/core/ModalResult.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls.h"

class QEventLoop;

namespace zk {

ZK_ENUM(TPosition, uint8_t, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly,
        poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
ZK_ENUM(TCloseAction, uint8_t, caNone, caHide, caFree, caMinimize)
ZK_ENUM(TFormStateItem, uint8_t, fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild,
        fsActivated)
ZK_SET(TFormState, TFormStateItem)
ZK_ENUM(TFormStyle, uint8_t, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
ZK_ENUM(TBorderIcon, uint8_t, biSystemMenu, biMinimize, biMaximize, biHelp)
ZK_SET(TBorderIcons, TBorderIcon)
ZK_ENUM(TWindowState, uint8_t, wsNormal, wsMinimized, wsMaximized)
inline constexpr TBorderIcons DefaultBorderIcons = {biSystemMenu, biMinimize, biMaximize};

ZK_EVENT(TCloseEvent, void(TObject* Sender, TCloseAction& Action))
ZK_EVENT(TCloseQueryEvent, void(TObject* Sender, bool& CanClose))

// A form is a top-level window. Create forms with Create<TMyForm>(Owner) or
// CreateForm: the form description resource of each class below TForm
// (Resources.h, type "RCDATA", named after the class in upper case, e.g.
// "TFORM1") is read in AfterConstruction, once the object is whole, and
// OnCreate fires after it. Forms join Screen's forms while they live and can
// be reached by name from other forms' descriptions ("Form2.Button1").
class TCustomForm : public TWinControl {
    ZK_CLASS(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    // Reads the form descriptions, then fires OnCreate and shows the form when Visible.
    void AfterConstruction() override;
    // Fires OnDestroy and leaves Screen while the form is whole.
    void BeforeDestruction() override;

    bool IsTopLevel() const override { return GetParent() == nullptr; }
    TRect GetClientRect() const override;

    // Visible and brought to the front.
    void Show();
    void Hide() { SetVisible(false); }
    // Asks OnCloseQuery, then OnClose decides: hide (the default), free,
    // minimise or stay. Closing the main form ends the application; closing
    // a modal form sets ModalResult to mrCancel.
    void Close();
    virtual bool CloseQuery();
    // Frees the form from the event loop, after the running handler returns.
    void Release();

    // Shows the form modally through the modal seam (RunModal) and returns
    // the modal result. Raises EInvalidOperation "Cannot make a visible
    // window modal" for a visible or disabled form. With a modal handler the
    // handler's answer is the result; OnClose still fires and the form hides.
    virtual int ShowModal();
    TModalResult GetModalResult() const { return FModalResult; }
    // While modal, a result other than mrNone ends the modal loop.
    void SetModalResult(TModalResult Value);

    // The control that has (or gets, when the form is activated) the focus.
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window"
    // for a control of another form or one that cannot take the focus.
    TWinControl* GetActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Control);
    // The control whose OnEnter fired last; OnExit/OnEnter run for every
    // container left or entered on the way to Control.
    TWinControl* GetFocusedControl() const { return FFocusedControl; }
    bool SetFocusedControl(TWinControl* Control);
    // Control (or its parent chain, when Removing) gives up being active or focused.
    void DefocusControl(TWinControl* Control, bool Removing);
    void FocusControl(TWinControl* Control);
    bool GetActive() const { return FActive; }
    void SetFocus() override;

    TPosition GetPosition() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    bool GetKeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    TFormState GetFormState() const { return FFormState; }
    // fsStayOnTop keeps the window above the others; the MDI styles are
    // taken as fsNormal, as Qt has no MDI frames for top-level windows.
    TFormStyle GetFormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    // The buttons of the title bar.
    TBorderIcons GetBorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TWindowState GetWindowState() const;
    void SetWindowState(TWindowState Value);
    // A loaded form whose PixelsPerInch differs from the screen's is scaled
    // to the screen when Scaled is set; afterwards PixelsPerInch is the screen's.
    bool GetScaled() const { return FScaled; }
    void SetScaled(bool Value) { FScaled = Value; }
    int GetPixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value);
    // Scales the bounds and fonts of the form and every control on it by M / D.
    void ScaleBy(int M, int D);
    // A form description read while the form is created names the form; a
    // name another component of the owner has becomes unique ("Form1_1"),
    // so a form class can be created twice under one owner.
    void SetName(const std::string& NewName) override;
    void DefineProperties(TFiler* Filer) override;

    const TNotifyEvent& GetOnActivate() const { return FOnActivate; }
    void SetOnActivate(const TNotifyEvent& Value) { FOnActivate = Value; }
    const TCloseEvent& GetOnClose() const { return FOnClose; }
    void SetOnClose(const TCloseEvent& Value) { FOnClose = Value; }
    const TCloseQueryEvent& GetOnCloseQuery() const { return FOnCloseQuery; }
    void SetOnCloseQuery(const TCloseQueryEvent& Value) { FOnCloseQuery = Value; }
    const TNotifyEvent& GetOnCreate() const { return FOnCreate; }
    void SetOnCreate(const TNotifyEvent& Value) { FOnCreate = Value; }
    const TNotifyEvent& GetOnDeactivate() const { return FOnDeactivate; }
    void SetOnDeactivate(const TNotifyEvent& Value) { FOnDeactivate = Value; }
    const TNotifyEvent& GetOnDestroy() const { return FOnDestroy; }
    void SetOnDestroy(const TNotifyEvent& Value) { FOnDestroy = Value; }
    const TNotifyEvent& GetOnHide() const { return FOnHide; }
    void SetOnHide(const TNotifyEvent& Value) { FOnHide = Value; }
    const TNotifyEvent& GetOnShow() const { return FOnShow; }
    void SetOnShow(const TNotifyEvent& Value) { FOnShow = Value; }

    // Keys the focused control left: the form's action lists run the action
    // with this shortcut. True when one ran.
    virtual bool IsShortCut(uint16_t Key, TShiftState Shift);
    // Updates the action of every control of a showing form, each action
    // once; the application does this whenever it goes idle.
    virtual void UpdateActions();

    // Controls first (those the root owns), then the root's other components.
    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

protected:
    // Reads the form description of every class from the one below
    // RootAncestor down to this form's own class; false when none exists.
    bool InitInheritedComponent(const TClassInfo* RootAncestor);

    // Each fires its event; exceptions from OnCreate and OnDestroy go to the application.
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();

    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void UpdateWidgetGeometry() override;
    void ShowingChanged() override;
    bool TopLevelMayShow() const override;
    bool HandleWidgetEvent(QEvent* E) override;
    void CMRelease(TMessage& Message);

private:
    void ApplyPosition();
    void ApplyBorderStyle();
    void ApplyWindowState();
    void SyncGeometryFromWidget();
    void SetWindowFocus();
    void CloseModal();
    int RunModalLoop();
    void WindowActivated(bool Active);
    bool SendFocusMessage(TWinControl* Control, bool Enter);

    TWinControl* FActiveControl = nullptr;  // a control inside this form; cleared by DefocusControl
    TWinControl* FFocusedControl = nullptr;  // likewise
    TModalResult FModalResult = mrNone;
    TPosition FPosition = poDesigned;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TFormStyle FFormStyle = fsNormal;
    TBorderIcons FBorderIcons = DefaultBorderIcons;
    TWindowState FWindowState = wsNormal;
    bool FScaled = true;
    int FPixelsPerInch = 96;
    bool FKeyPreview = false;
    bool FActive = false;
    bool FCreated = false;  // OnCreate has run, so OnDestroy will
    bool FDefaultPlaced = false;
    TFormState FFormState;
    int FFocusCount = 0;
    int FFrameWidth = 0;  // window frame around the client area, as the platform reports it
    int FFrameHeight = 0;
    QEventLoop* FModalLoop = nullptr;  // the running modal loop, on ShowModal's stack
    TNotifyEvent FOnActivate;
    TCloseEvent FOnClose;
    TCloseQueryEvent FOnCloseQuery;
    TNotifyEvent FOnCreate;
    TNotifyEvent FOnDeactivate;
    TNotifyEvent FOnDestroy;
    TNotifyEvent FOnHide;
    TNotifyEvent FOnShow;
};

class TForm : public TCustomForm {
    ZK_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* AOwner);
};

// The form at the top of Control's parent chain; null when that is not a form.
TCustomForm* GetParentForm(const TControl* Control);

// Creates a T owned by the application; the first form created becomes the main form.
template <class T>
void CreateForm(T*& Ref) {
    Ref = Create<T>(Application);
    if (!Application->GetMainForm() && Is<TCustomForm>(Ref)) Application->SetMainForm(Ref);
}

}  // namespace zk
