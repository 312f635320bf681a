// TApplication, TScreen and TMouse, the exception guard, the modal and message-box seams and the
// clock.
#pragma once
#include <QCursor>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Colors.h"
#include "platform/core/Component.h"
#include "platform/core/Cursors.h"
#include "platform/core/Event.h"
#include "platform/core/TypInfo.h"
#include "platform/core/Types.h"

namespace zk {

class TStrings;
class TStringList;

ZK_EVENT(TExceptionEvent, void(TObject* Sender, const std::exception& E))
ZK_EVENT(TIdleEvent, void(TObject* Sender, bool& Done))
// Command is a help command (HELP_CONTEXT...), Data its argument; the
// handler clears CallHelp when it showed the help itself.
ZK_EVENT(THelpEvent, bool(uint16_t Command, intptr_t Data, bool& CallHelp))

// Help commands.
inline constexpr uint16_t HELP_CONTEXT = 1;

ZK_ENUM(TMsgDlgType, uint8_t, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom)
ZK_ENUM(TMsgDlgBtn, uint8_t, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll,
        mbNoToAll, mbYesToAll, mbHelp)
ZK_SET(TMsgDlgButtons, TMsgDlgBtn)
inline constexpr TMsgDlgButtons mbYesNoCancel = {mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbYesAllNoAllCancel = {mbYes, mbYesToAll, mbNo, mbNoToAll,
                                                       mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel = {mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore = {mbAbort, mbRetry, mbIgnore};

class TApplication : public TComponent {
    ZK_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    void Initialize() {}
    // Shows the main form (when ShowMainForm) and runs the Qt event loop until
    // Terminate is called or the last window closes. Returns at once when
    // already terminated.
    void Run();
    // Ends Run; also the answer to the main form closing.
    void Terminate();
    bool GetTerminated() const { return FTerminated; }
    // Delivers every posted message (including those posted meanwhile), pending
    // Qt event, paint and due timer, then returns. May be called from a handler
    // it runs.
    void ProcessMessages();

    // The event loop has nothing left to do: the actions of every showing
    // form are updated (their OnUpdate runs), then OnIdle fires. Runs by
    // itself whenever the Qt loop is about to wait; never re-entered.
    void Idle();

    // Call inside a catch block: hands the exception being handled to
    // OnException when assigned, else shows its message through the
    // message-box seam. Never throws.
    void HandleException(TObject* Sender);
    // Shows E's message as an error box through the message-box seam.
    void ShowException(const std::exception& E);

    // Asks the program's help for topic Context: OnHelp shows it. True when
    // help was shown; without a handler there is no help to show.
    bool HelpContext(int Context);
    bool HelpCommand(uint16_t Command, intptr_t Data);

    // The first form created by CreateForm; cleared when that form is freed.
    TComponent* GetMainForm() const { return FMainForm; }
    void SetMainForm(TComponent* Value);
    bool GetShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool Value) { FShowMainForm = Value; }

    TColor GetHintColor() const { return FHintColor; }
    void SetHintColor(TColor Value) { FHintColor = Value; }
    // Milliseconds before a hint shows, before it hides, and between hints
    // while the mouse moves from one control to the next.
    int GetHintPause() const { return FHintPause; }
    void SetHintPause(int Value) { FHintPause = Value; }
    int GetHintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int Value) { FHintHidePause = Value; }
    int GetHintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int Value) { FHintShortPause = Value; }
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value) { FShowHint = Value; }

    // Defaults to the executable's base name without extension.
    std::string GetTitle() const;
    void SetTitle(const std::string& Value);
    // Full path of the running executable.
    std::string GetExeName() const;

    const TExceptionEvent& GetOnException() const { return FOnException; }
    void SetOnException(const TExceptionEvent& Value) { FOnException = Value; }
    const TIdleEvent& GetOnIdle() const { return FOnIdle; }
    void SetOnIdle(const TIdleEvent& Value) { FOnIdle = Value; }
    const THelpEvent& GetOnHelp() const { return FOnHelp; }
    void SetOnHelp(const THelpEvent& Value) { FOnHelp = Value; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TComponent* FMainForm = nullptr;  // owned by this application as a component; free-notified
    bool FRunning = false;            // inside Run's event loop
    bool FTerminated = false;
    bool FShowMainForm = true;
    TColor FHintColor = clInfoBk;
    int FHintPause = 500;
    int FHintHidePause = 2500;
    int FHintShortPause = 50;
    bool FShowHint = true;
    std::string FTitle;
    bool FInIdle = false;
    TExceptionEvent FOnException;
    TIdleEvent FOnIdle;
    THelpEvent FOnHelp;
};

class TScreen : public TComponent {
    ZK_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    // Installed font families, sorted; filled on first use.
    TStrings* GetFonts();
    int GetWidth() const;
    int GetHeight() const;
    // Forms are laid out at this resolution.
    int GetPixelsPerInch() const { return 96; }
    // The primary screen's area not taken by task bars.
    TRect GetWorkAreaRect() const;

    // The focused control and its form, as the controls report focus changes.
    // Both are cleared when the object is freed (when it is a component).
    TObject* GetActiveControl() const { return FActiveControl; }
    void SetActiveControl(TObject* Value);
    TComponent* GetActiveForm() const { return FActiveForm; }
    void SetActiveForm(TComponent* Value);

    // A cursor for the whole application (crHourGlass during long work);
    // crDefault lets each control show its own.
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);

    // Every form that exists, in creation order; forms add and remove themselves.
    int GetFormCount() const { return static_cast<int>(FForms.size()); }
    TComponent* GetForm(int Index) const;
    void AddForm(TComponent* Form);
    void RemoveForm(TComponent* Form);

    const TNotifyEvent& GetOnActiveControlChange() const { return FOnActiveControlChange; }
    void SetOnActiveControlChange(const TNotifyEvent& Value) { FOnActiveControlChange = Value; }
    const TNotifyEvent& GetOnActiveFormChange() const { return FOnActiveFormChange; }
    void SetOnActiveFormChange(const TNotifyEvent& Value) { FOnActiveFormChange = Value; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Unlink(TComponent* Component);

    TOwned<TStringList> FFonts;
    TObject* FActiveControl = nullptr;  // not owned; cleared by free notification
    TComponent* FActiveForm = nullptr;  // not owned; cleared by free notification
    std::vector<TComponent*> FForms;    // not owned; forms remove themselves
    TCursor FCursor = crDefault;
    bool FCursorOverridden = false;
    TNotifyEvent FOnActiveControlChange;
    TNotifyEvent FOnActiveFormChange;
};

class TMouse : public TObject {
    ZK_CLASS(TMouse, TObject)
public:
    TMouse() = default;
    TPoint GetCursorPos() const;
    void SetCursorPos(TPoint Value);
};

// Created by InitApplication, freed by DoneApplication; null outside.
extern TApplication* Application;
extern TScreen* Screen;
extern TMouse* Mouse;

// Creates the QApplication when there is none (argc must outlive it, as
// main's does) and the three globals. Idempotent.
void InitApplication(int& argc, char** argv);
// Frees the globals (the application frees the forms it owns) and the
// QApplication when InitApplication created it.
void DoneApplication();

// Registers the streamable classes of the graphics and timer units
// (TBitmap, TPicture, TBrush, TPen, TTimer). Idempotent.
void RegisterApplicationClasses();

// SafeCall's fallback before InitApplication and after DoneApplication:
// writes the exception being handled to stderr.
void HandleExceptionNoApplication(TObject* Sender);
// The exception guard of every entry from Qt into our code: runs Fn and hands
// anything it throws to Application->HandleException(Sender).
template <class F>
void SafeCall(TObject* Sender, F&& Fn) noexcept {
    try {
        std::forward<F>(Fn)();
    } catch (...) {
        if (Application)
            Application->HandleException(Sender);
        else
            HandleExceptionNoApplication(Sender);
    }
}

// The modal seam: a test decides what any modal form or dialog answers.
// RunModal uses the handler when one is set, else runs Default (the real
// modal loop) and returns its result.
using TModalHandler = std::function<int(TComponent* Dialog)>;
void SetModalHandler(TModalHandler Handler);
const TModalHandler& GetModalHandler();
int RunModal(TComponent* Form, const std::function<int()>& Default);

// The message-box seam. The handler gets the text, the TMsgDlgType and the
// TMsgDlgButtons as an integer, and returns a modal result (mrOk, mrYes...).
// Without it MessageDlg shows the message dialog form (CreateMessageDialog)
// modally, so a modal handler answers it as any form; on the headless
// platform with neither handler the text goes to stderr and the first
// button answers.
using TMessageBoxHandler = std::function<int(const std::string& Msg, int Type, int Buttons)>;
void SetMessageBoxHandler(TMessageBoxHandler Handler);
const TMessageBoxHandler& GetMessageBoxHandler();
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
void ShowMessage(const std::string& Msg);

// The clock timers and hint pauses read, in milliseconds. Tests install a fake
// one and advance it; a null source restores the real clock. Changing the
// source restarts every enabled timer's interval from the new clock.
void SetTickSource(std::function<uint32_t()> Source);
uint32_t CurrentTick();

// Qt's cursor for a framework cursor number; the arrow for unknown numbers.
QCursor CursorToQCursor(TCursor Cursor);

inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYHSCROLL = 3;
inline constexpr int SM_CYCAPTION = 4;
inline constexpr int SM_CXBORDER = 5;
inline constexpr int SM_CYBORDER = 6;
inline constexpr int SM_CYVTHUMB = 9;
inline constexpr int SM_CXHTHUMB = 10;
inline constexpr int SM_CXDOUBLECLK = 36;
inline constexpr int SM_CYDOUBLECLK = 37;
inline constexpr int SM_CXEDGE = 45;
inline constexpr int SM_CYEDGE = 46;
inline constexpr int SM_CXDRAG = 68;
inline constexpr int SM_CYDRAG = 69;
// Sizes of standard screen elements in pixels; 0 for an unknown index.
int GetSystemMetrics(int Index);

}  // namespace zk
