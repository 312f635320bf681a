// TApplication, TScreen, TMouse, the globals, the exception guard, the modal and message-box seams
// and the clock.
#include "platform/gui/Application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QStyleHints>
#include <algorithm>
#include <cassert>
#include <cstdio>
#include <iterator>
#include <map>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ModalResult.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/StringList.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Messages.h"
#include "platform/gui/Timer.h"

namespace zk {

TApplication* Application = nullptr;
TScreen* Screen = nullptr;
TMouse* Mouse = nullptr;

namespace {

std::unique_ptr<QApplication> GOwnedQApp;  // only when InitApplication created it
TModalHandler GModalHandler;
TMessageBoxHandler GMessageBoxHandler;
std::function<uint32_t()> GTickSource;

// A handler that keeps re-posting would otherwise hold ProcessMessages forever.
constexpr int MaxDeliveryRounds = 100;

std::string MessageOf(const std::exception& E) {
    if (auto* Z = dynamic_cast<const Exception*>(&E)) return Z->Message();
    return E.what();
}

bool IsHeadless() {
    const QString Platform = QGuiApplication::platformName();
    return Platform == QLatin1String("offscreen") || Platform == QLatin1String("minimal");
}

}  // namespace

ZK_IMPLEMENT_CLASS(TApplication)
void TApplication::DescribeClass(TClassBuilder<TApplication>& C) {
    C.Prop("HintColor", &TApplication::GetHintColor, &TApplication::SetHintColor)
        .Type(TypeInfoTColor())
        .Default(clInfoBk);
    C.Prop("HintHidePause", &TApplication::GetHintHidePause, &TApplication::SetHintHidePause)
        .Default(2500);
    C.Prop("HintPause", &TApplication::GetHintPause, &TApplication::SetHintPause).Default(500);
    C.Prop("HintShortPause", &TApplication::GetHintShortPause, &TApplication::SetHintShortPause)
        .Default(50);
    C.Prop("ShowHint", &TApplication::GetShowHint, &TApplication::SetShowHint).Default(true);
    C.Prop("ShowMainForm", &TApplication::GetShowMainForm, &TApplication::SetShowMainForm)
        .Default(true);
    C.Prop("Title", &TApplication::GetTitle, &TApplication::SetTitle);
    C.Prop("ExeName", &TApplication::GetExeName);
    C.Prop("MainForm", &TApplication::GetMainForm);
    C.Prop("OnException", &TApplication::GetOnException, &TApplication::SetOnException);
    C.Prop("OnIdle", &TApplication::GetOnIdle, &TApplication::SetOnIdle);
    C.Prop("OnHelp", &TApplication::GetOnHelp, &TApplication::SetOnHelp);
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() = default;

// The Qt application's own loop, so that Qt reports the last window closing.
void TApplication::Run() {
    assert(QCoreApplication::instance() && "Application->Run before InitApplication");
    assert(!FRunning && "Application->Run called again while running");
    if (FMainForm && FShowMainForm && IsPublishedProp(FMainForm, "Visible"))
        SafeCall(this, [this] { SetOrdProp(FMainForm, "Visible", 1); });
    if (FTerminated) return;
    const auto Connection =
        QObject::connect(qApp, &QGuiApplication::lastWindowClosed, qApp, [this] { Terminate(); });
    FRunning = true;
    TScopeExit Reset([this, &Connection] {
        FRunning = false;
        QObject::disconnect(Connection);
    });
    QCoreApplication::exec();
}

void TApplication::Terminate() {
    FTerminated = true;
    if (FRunning) QCoreApplication::exit(0);
}

// Qt leaves events posted during a delivery pass for the next pass, so pass
// again until none of ours is left.
void TApplication::ProcessMessages() {
    if (!QCoreApplication::instance()) return;
    for (int Round = 0; Round < MaxDeliveryRounds; ++Round) {
        QCoreApplication::sendPostedEvents(nullptr, 0);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        FireDueTimers();
        if (PendingMessageCount() == 0) return;
    }
}

void TApplication::Idle() {
    if (FInIdle || !Screen) return;
    FInIdle = true;
    TScopeExit Done([this] { FInIdle = false; });
    SafeCall(this, [this] {
        // A form's update may free forms; walk a copy and skip those gone.
        std::vector<TComponent*> Forms;
        for (int I = 0; I < Screen->GetFormCount(); ++I) Forms.push_back(Screen->GetForm(I));
        for (TComponent* F : Forms) {
            bool Alive = false;
            for (int I = 0; I < Screen->GetFormCount() && !Alive; ++I)
                Alive = Screen->GetForm(I) == F;
            if (auto* Form = Alive ? DynamicCast<TCustomForm>(F) : nullptr) Form->UpdateActions();
        }
        bool IdleDone = true;
        if (FOnIdle.Assigned()) FOnIdle(this, IdleDone);
    });
}

void TApplication::HandleException(TObject* Sender) {
    std::exception_ptr Current = std::current_exception();
    if (!Current) return;
    auto Report = [this, Sender](const std::exception& E) {
        try {
            if (FOnException.Assigned())
                FOnException(Sender, E);
            else
                ShowException(E);
        } catch (...) {
            // An exception from the exception handler has nowhere left to go.
            std::fprintf(stderr, "Exception while handling an exception: %s\n",
                         MessageOf(E).c_str());
        }
    };
    try {
        std::rethrow_exception(Current);
    } catch (const std::exception& E) {
        Report(E);
    } catch (...) {
        Report(Exception("Unknown exception"));
    }
}

void TApplication::ShowException(const std::exception& E) {
    std::string Msg = MessageOf(E);
    if (!Msg.empty() && Msg.back() > '.') Msg += '.';
    MessageDlg(Msg, mtError, {mbOK}, 0);
}

bool TApplication::HelpContext(int Context) {
    return HelpCommand(HELP_CONTEXT, Context);
}

// There is no help viewer of the platform's own: the program's OnHelp is the help.
bool TApplication::HelpCommand(uint16_t Command, intptr_t Data) {
    bool CallHelp = true;
    return FOnHelp.Assigned() && FOnHelp(Command, Data, CallHelp);
}

void TApplication::SetMainForm(TComponent* Value) {
    if (FMainForm == Value) return;
    if (FMainForm) FMainForm->RemoveFreeNotification(this);
    FMainForm = Value;
    if (FMainForm) FMainForm->FreeNotification(this);
}

std::string TApplication::GetTitle() const {
    if (!FTitle.empty() || !QCoreApplication::instance()) return FTitle;
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
}

void TApplication::SetTitle(const std::string& Value) {
    FTitle = Value;
    if (QCoreApplication::instance())
        QGuiApplication::setApplicationDisplayName(QString::fromUtf8(Value));
}

std::string TApplication::GetExeName() const {
    if (!QCoreApplication::instance()) return std::string();
    return QCoreApplication::applicationFilePath().toStdString();
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
    TComponent::Notification(AComponent, Operation);
}

ZK_IMPLEMENT_CLASS(TScreen)
void TScreen::DescribeClass(TClassBuilder<TScreen>& C) {
    C.Prop("Cursor", &TScreen::GetCursor, &TScreen::SetCursor)
        .Type(TypeInfoTCursor())
        .Default(crDefault);
    C.Prop("Fonts", &TScreen::GetFonts);
    C.Prop("FormCount", &TScreen::GetFormCount);
    C.Prop("Height", &TScreen::GetHeight);
    C.Prop("PixelsPerInch", &TScreen::GetPixelsPerInch);
    C.Prop("Width", &TScreen::GetWidth);
    C.Prop("OnActiveControlChange", &TScreen::GetOnActiveControlChange,
           &TScreen::SetOnActiveControlChange);
    C.Prop("OnActiveFormChange", &TScreen::GetOnActiveFormChange, &TScreen::SetOnActiveFormChange);
}

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TScreen::~TScreen() {
    if (FCursorOverridden && QGuiApplication::instance()) QGuiApplication::restoreOverrideCursor();
}

TStrings* TScreen::GetFonts() {
    if (!FFonts) {
        FFonts.reset(Create<TStringList>());
        FFonts->SetSorted(true);
        if (QGuiApplication::instance())
            for (const QString& Family : QFontDatabase::families())
                FFonts->Add(Family.toStdString());
    }
    return FFonts.get();
}

int TScreen::GetWidth() const {
    QScreen* S = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    return S ? S->geometry().width() : 0;
}

int TScreen::GetHeight() const {
    QScreen* S = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    return S ? S->geometry().height() : 0;
}

TRect TScreen::GetWorkAreaRect() const {
    QScreen* S = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    if (!S) return TRect{};
    const QRect R = S->availableGeometry();
    return Bounds(R.x(), R.y(), R.width(), R.height());
}

void TScreen::SetActiveControl(TObject* Value) {
    if (FActiveControl == Value) return;
    auto* Old = DynamicCast<TComponent>(FActiveControl);
    FActiveControl = Value;
    if (auto* New = DynamicCast<TComponent>(Value)) New->FreeNotification(this);
    Unlink(Old);
    if (FOnActiveControlChange.Assigned()) FOnActiveControlChange(this);
}

void TScreen::SetActiveForm(TComponent* Value) {
    if (FActiveForm == Value) return;
    TComponent* Old = FActiveForm;
    FActiveForm = Value;
    if (Value) Value->FreeNotification(this);
    Unlink(Old);
    if (FOnActiveFormChange.Assigned()) FOnActiveFormChange(this);
}

// One free-notification link serves every place that holds a component, so
// it goes only when the last of them lets go.
void TScreen::Unlink(TComponent* Component) {
    if (!Component || Component == FActiveControl || Component == FActiveForm) return;
    if (std::find(FForms.begin(), FForms.end(), Component) != FForms.end()) return;
    Component->RemoveFreeNotification(this);
}

void TScreen::SetCursor(TCursor Value) {
    if (Value == FCursor) return;
    FCursor = Value;
    if (!QGuiApplication::instance()) return;
    if (Value == crDefault) {
        if (FCursorOverridden) QGuiApplication::restoreOverrideCursor();
        FCursorOverridden = false;
    } else if (FCursorOverridden) {
        QGuiApplication::changeOverrideCursor(CursorToQCursor(Value));
    } else {
        QGuiApplication::setOverrideCursor(CursorToQCursor(Value));
        FCursorOverridden = true;
    }
}

TComponent* TScreen::GetForm(int Index) const {
    if (Index < 0 || Index >= GetFormCount())
        throw EListError("List index out of bounds (%d)", {Index});
    return FForms[static_cast<size_t>(Index)];
}

void TScreen::AddForm(TComponent* Form) {
    assert(Form && "Screen->AddForm(nullptr)");
    if (std::find(FForms.begin(), FForms.end(), Form) != FForms.end()) return;
    FForms.push_back(Form);
    Form->FreeNotification(this);
}

void TScreen::RemoveForm(TComponent* Form) {
    auto It = std::find(FForms.begin(), FForms.end(), Form);
    if (It == FForms.end()) return;
    FForms.erase(It);
    Unlink(Form);
}

void TScreen::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove) {
        if (AComponent == FActiveControl) SetActiveControl(nullptr);
        if (AComponent == FActiveForm) SetActiveForm(nullptr);
        FForms.erase(std::remove(FForms.begin(), FForms.end(), AComponent), FForms.end());
    }
    TComponent::Notification(AComponent, Operation);
}

ZK_IMPLEMENT_CLASS(TMouse)
void TMouse::DescribeClass(TClassBuilder<TMouse>&) {}

TPoint TMouse::GetCursorPos() const {
    const QPoint P = QCursor::pos();
    return {P.x(), P.y()};
}

void TMouse::SetCursorPos(TPoint Value) {
    QCursor::setPos(Value.X, Value.Y);
}

void InitApplication(int& argc, char** argv) {
    if (!QCoreApplication::instance()) GOwnedQApp = std::make_unique<QApplication>(argc, argv);
    // Run decides when the program ends, not Qt.
    if (auto* App = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        App->setQuitOnLastWindowClosed(false);
    if (!Application) {
        Application = Create<TApplication>(nullptr);
        // Idle time is when the loop is about to wait for the next event.
        if (auto* Dispatcher = QAbstractEventDispatcher::instance())
            QObject::connect(Dispatcher, &QAbstractEventDispatcher::aboutToBlock, Dispatcher, [] {
                if (Application) Application->Idle();
            });
    }
    if (!Screen) Screen = Create<TScreen>(nullptr);
    if (!Mouse) Mouse = Create<TMouse>();
}

void DoneApplication() {
    ReleaseCaptureOf(GetCaptureControl());
    if (Application) {
        Application->Free();  // frees the forms it owns while the other globals still exist
        Application = nullptr;
    }
    if (Screen) {
        Screen->Free();
        Screen = nullptr;
    }
    if (Mouse) {
        Mouse->Free();
        Mouse = nullptr;
    }
    GModalHandler = nullptr;
    GMessageBoxHandler = nullptr;
    GTickSource = nullptr;
    if (GOwnedQApp) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        GOwnedQApp.reset();
    }
}

void RegisterApplicationClasses() {
    RegisterClasses({TBrush::StaticClass(), TPen::StaticClass(), TBitmap::StaticClass(),
                     TPicture::StaticClass(), TTimer::StaticClass()});
}

void HandleExceptionNoApplication(TObject*) {
    try {
        throw;
    } catch (const std::exception& E) {
        std::fprintf(stderr, "Unhandled exception: %s\n", MessageOf(E).c_str());
    } catch (...) {
        std::fprintf(stderr, "Unhandled exception\n");
    }
}

void SetModalHandler(TModalHandler Handler) {
    GModalHandler = std::move(Handler);
}

const TModalHandler& GetModalHandler() {
    return GModalHandler;
}

int RunModal(TComponent* Form, const std::function<int()>& Default) {
    if (GModalHandler) return GModalHandler(Form);
    return Default ? Default() : mrNone;
}

void SetMessageBoxHandler(TMessageBoxHandler Handler) {
    GMessageBoxHandler = std::move(Handler);
}

const TMessageBoxHandler& GetMessageBoxHandler() {
    return GMessageBoxHandler;
}

namespace {

// The result of each button, in the order the headless report picks the first.
const std::pair<TMsgDlgBtn, TModalResult> ButtonResults[] = {
    {mbYes, mrYes},           {mbNo, mrNo},       {mbOK, mrOk},
    {mbCancel, mrCancel},     {mbAbort, mrAbort}, {mbRetry, mrRetry},
    {mbIgnore, mrIgnore},     {mbAll, mrAll},     {mbNoToAll, mrNoToAll},
    {mbYesToAll, mrYesToAll}, {mbHelp, mrNone},
};

}  // namespace

// The message dialog is a form shown modally, so a test's modal handler
// answers it like any other form (it may click its buttons by name).
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    if (GMessageBoxHandler)
        return GMessageBoxHandler(Msg, DlgType, static_cast<int>(Buttons.ToInt()));
    if (!QGuiApplication::instance() || !Screen || (IsHeadless() && !GModalHandler)) {
        // Nobody can click on the headless platform: report and take the first button.
        std::fprintf(stderr, "%s\n", Msg.c_str());
        for (const auto& [Button, Result] : ButtonResults)
            if (Buttons.Contains(Button)) return Result;
        return mrNone;
    }
    TOwned<TForm> Dialog(CreateMessageDialog(Msg, DlgType, Buttons));
    Dialog->SetHelpContext(HelpCtx);
    return Dialog->ShowModal();
}

void ShowMessage(const std::string& Msg) {
    MessageDlg(Msg, mtCustom, {mbOK}, 0);
}

void SetTickSource(std::function<uint32_t()> Source) {
    GTickSource = std::move(Source);
    RestartTimers();
}

uint32_t CurrentTick() {
    return GTickSource ? GTickSource() : GetTickCount();
}

QCursor CursorToQCursor(TCursor Cursor) {
    static const std::map<TCursor, Qt::CursorShape> Shapes = {
        {crDefault, Qt::ArrowCursor},      {crNone, Qt::BlankCursor},
        {crArrow, Qt::ArrowCursor},        {crCross, Qt::CrossCursor},
        {crIBeam, Qt::IBeamCursor},        {-5, Qt::SizeAllCursor},
        {crSizeNESW, Qt::SizeBDiagCursor}, {crSizeNS, Qt::SizeVerCursor},
        {crSizeNWSE, Qt::SizeFDiagCursor}, {crSizeWE, Qt::SizeHorCursor},
        {crUpArrow, Qt::UpArrowCursor},    {crHourGlass, Qt::WaitCursor},
        {crDrag, Qt::DragMoveCursor},      {crNoDrop, Qt::ForbiddenCursor},
        {crHSplit, Qt::SplitHCursor},      {crVSplit, Qt::SplitVCursor},
        {crMultiDrag, Qt::DragCopyCursor}, {crSQLWait, Qt::WaitCursor},
        {crNo, Qt::ForbiddenCursor},       {crAppStart, Qt::BusyCursor},
        {crHelp, Qt::WhatsThisCursor},     {crHandPoint, Qt::PointingHandCursor},
        {crSizeAll, Qt::SizeAllCursor},
    };
    auto It = Shapes.find(Cursor);
    return QCursor(It != Shapes.end() ? It->second : Qt::ArrowCursor);
}

namespace {

int ScrollBarExtent() {
    auto* App = qobject_cast<QApplication*>(QCoreApplication::instance());
    return App ? QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
}

}  // namespace

int GetSystemMetrics(int Index) {
    switch (Index) {
        case SM_CXSCREEN:
            return Screen ? Screen->GetWidth() : 0;
        case SM_CYSCREEN:
            return Screen ? Screen->GetHeight() : 0;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB:
            return ScrollBarExtent();
        case SM_CYCAPTION:
            return 19;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return 1;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
            return 4;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        case SM_CXDRAG:
        case SM_CYDRAG:
            return QGuiApplication::instance() ? QGuiApplication::styleHints()->startDragDistance()
                                               : 4;
        default:
            return 0;
    }
}

}  // namespace zk
