// Tests for TApplication's exception handling, loop and seams, TScreen's bookkeeping and the system
// metrics.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ModalResult.h"
#include "platform/core/StringList.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/Messages.h"

namespace zk {
namespace {

struct TBoxCall {
    std::string Msg;
    int Type;
    int Buttons;
};

// Takes over the message-box and modal seams for one test and puts back what
// was there before.
class ApplicationTest : public testing::Test {
protected:
    void SetUp() override {
        FSavedBox = GetMessageBoxHandler();
        SetMessageBoxHandler([this](const std::string& Msg, int Type, int Buttons) {
            Boxes.push_back({Msg, Type, Buttons});
            return BoxAnswer;
        });
    }
    void TearDown() override {
        SetMessageBoxHandler(FSavedBox);
        SetModalHandler(nullptr);
        Application->SetOnException(TExceptionEvent());
    }

    std::vector<TBoxCall> Boxes;
    int BoxAnswer = mrOk;

private:
    TMessageBoxHandler FSavedBox;
};

TEST_F(ApplicationTest, HandleExceptionGivesTheCurrentExceptionToOnException) {
    TObject* SeenSender = nullptr;
    std::string SeenClass, SeenMessage;
    Application->SetOnException(TExceptionEvent([&](TObject* Sender, const std::exception& E) {
        SeenSender = Sender;
        auto* Z = dynamic_cast<const Exception*>(&E);
        SeenClass = Z ? Z->ClassName() : "?";
        SeenMessage = E.what();
    }));
    try {
        throw EListError("List index out of bounds (%d)", {7});
    } catch (...) {
        Application->HandleException(Application);
    }
    EXPECT_EQ(SeenSender, Application);
    EXPECT_EQ(SeenClass, "EListError");
    EXPECT_EQ(SeenMessage, "List index out of bounds (7)");
    EXPECT_TRUE(Boxes.empty()) << "OnException replaces the message box";
}

TEST_F(ApplicationTest, HandleExceptionWithoutOnExceptionShowsAnErrorBox) {
    try {
        throw EConvertError("'x' is not a valid integer value");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    try {
        throw Exception("Already ends with a period.");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(Boxes[0].Msg, "'x' is not a valid integer value.");
    EXPECT_EQ(Boxes[0].Type, mtError);
    EXPECT_EQ(Boxes[0].Buttons, static_cast<int>(TMsgDlgButtons{mbOK}.ToInt()));
    EXPECT_EQ(Boxes[1].Msg, "Already ends with a period.");
}

TEST_F(ApplicationTest, ExceptionsThatAreNotStdExceptionsAreReportedAsUnknown) {
    std::string Seen;
    Application->SetOnException(
        TExceptionEvent([&](TObject*, const std::exception& E) { Seen = E.what(); }));
    try {
        throw 42;
    } catch (...) {
        Application->HandleException(nullptr);
    }
    EXPECT_EQ(Seen, "Unknown exception");
}

TEST_F(ApplicationTest, ExceptionFromOnExceptionIsSwallowed) {
    Application->SetOnException(TExceptionEvent([](TObject*, const std::exception&) { throw 1; }));
    try {
        throw Exception("first");
    } catch (...) {
        EXPECT_NO_THROW(Application->HandleException(nullptr));
    }
}

TEST_F(ApplicationTest, SafeCallStopsTheExceptionAndReportsItsSender) {
    TObject* SeenSender = nullptr;
    std::string Seen;
    Application->SetOnException(TExceptionEvent([&](TObject* Sender, const std::exception& E) {
        SeenSender = Sender;
        Seen = E.what();
    }));
    bool After = false;
    SafeCall(Screen, [&] {
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
        After = true;
    });
    EXPECT_FALSE(After);
    EXPECT_EQ(SeenSender, Screen);
    EXPECT_EQ(Seen, "Cannot focus a disabled or invisible window");
    int Runs = 0;
    SafeCall(nullptr, [&] { ++Runs; });
    EXPECT_EQ(Runs, 1);
}

TEST_F(ApplicationTest, MessageDlgAndShowMessageGoThroughTheSeam) {
    BoxAnswer = mrNo;
    EXPECT_EQ(MessageDlg("Save changes?", mtConfirmation, mbYesNoCancel, 0), mrNo);
    ShowMessage("Done");
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(Boxes[0].Msg, "Save changes?");
    EXPECT_EQ(Boxes[0].Type, mtConfirmation);
    EXPECT_EQ(TMsgDlgButtons::FromInt(static_cast<uint32_t>(Boxes[0].Buttons)), mbYesNoCancel);
    EXPECT_EQ(Boxes[1].Msg, "Done");
    EXPECT_EQ(Boxes[1].Type, mtCustom);
}

TEST_F(ApplicationTest, HeadlessMessageDlgWithoutHandlerAnswersWithTheFirstButton) {
    SetMessageBoxHandler(nullptr);
    ASSERT_EQ(QGuiApplication::platformName(), "offscreen");
    EXPECT_EQ(MessageDlg("Retry?", mtWarning, mbAbortRetryIgnore, 0), mrAbort);
    EXPECT_EQ(MessageDlg("Really?", mtConfirmation, {mbNo, mbYes}, 0), mrYes)
        << "buttons keep their fixed order whatever the set";
}

TEST_F(ApplicationTest, RunModalUsesTheHandlerInsteadOfTheDefaultLoop) {
    TOwned<TComponent> Dialog(Create<TComponent>(nullptr));
    bool DefaultRan = false;
    auto Default = [&] {
        DefaultRan = true;
        return mrCancel;
    };
    EXPECT_EQ(RunModal(Dialog.get(), Default), mrCancel);
    EXPECT_TRUE(DefaultRan);
    DefaultRan = false;
    TComponent* SeenDialog = nullptr;
    SetModalHandler([&](TComponent* D) {
        SeenDialog = D;
        return mrOk;
    });
    EXPECT_EQ(RunModal(Dialog.get(), Default), mrOk);
    EXPECT_FALSE(DefaultRan);
    EXPECT_EQ(SeenDialog, Dialog.get());
}

// A stand-in main form: a component with a published Visible, as forms have.
class TFakeForm : public TComponent {
    ZK_CLASS(TFakeForm, TComponent)
public:
    explicit TFakeForm(TComponent* AOwner) : TComponent(AOwner) {}
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }

private:
    bool FVisible = false;
};

ZK_IMPLEMENT_CLASS(TFakeForm)
void TFakeForm::DescribeClass(TClassBuilder<TFakeForm>& C) {
    C.Prop("Visible", &TFakeForm::GetVisible, &TFakeForm::SetVisible).Default(false);
}

// Ends a loop from inside it, as a main form's closing would.
class TTerminator : public TObject {
    ZK_CLASS(TTerminator, TObject)
public:
    explicit TTerminator(TApplication* App) : FApp(App), FReceiver(this) {}
    TMessageReceiver* Receiver() { return &FReceiver; }
    bool SawVisibleForm = false;

private:
    void WMTerminate(TMessage&) {
        auto* Form = DynamicCast<TFakeForm>(FApp->GetMainForm());
        SawVisibleForm = Form && Form->GetVisible();
        FApp->Terminate();
    }
    TApplication* FApp;  // not owned
    TMessageReceiver FReceiver;
};

ZK_IMPLEMENT_CLASS(TTerminator)
void TTerminator::DescribeClass(TClassBuilder<TTerminator>& C) {
    C.Message(WM_USER + 1, &TTerminator::WMTerminate);
}

TEST_F(ApplicationTest, RunShowsTheMainFormAndLoopsUntilTerminate) {
    // A private application, so that the global one never ends up terminated.
    TOwned<TApplication> App(Create<TApplication>(nullptr));
    auto* Form = Create<TFakeForm>(App.get());  // owned by App
    App->SetMainForm(Form);
    TTerminator Terminator(App.get());
    PostMessage(Terminator.Receiver(), WM_USER + 1);
    App->Run();
    EXPECT_TRUE(Terminator.SawVisibleForm);
    EXPECT_TRUE(App->GetTerminated());
    App->Run();  // returns at once once terminated
    SUCCEED();
}

TEST_F(ApplicationTest, RunEndsWhenTheLastWindowCloses) {
    TOwned<TApplication> App(Create<TApplication>(nullptr));
    QWidget Window;
    Window.show();
    QTimer::singleShot(0, &Window, [&Window] { Window.close(); });
    bool SafetyNet = false;
    QTimer Safety;  // dies with the test, unlike a single-shot lambda
    Safety.setSingleShot(true);
    QObject::connect(&Safety, &QTimer::timeout, [&] {
        SafetyNet = true;
        App->Terminate();
    });
    Safety.start(5000);
    App->Run();
    EXPECT_TRUE(App->GetTerminated());
    EXPECT_FALSE(SafetyNet) << "Run kept looping after its last window closed";
}

TEST_F(ApplicationTest, MainFormIsClearedWhenTheFormIsFreed) {
    TOwned<TApplication> App(Create<TApplication>(nullptr));
    auto* Form = Create<TFakeForm>(App.get());
    App->SetMainForm(Form);
    EXPECT_EQ(App->GetMainForm(), Form);
    Form->Free();
    EXPECT_EQ(App->GetMainForm(), nullptr);
}

// A message handler that runs ProcessMessages itself, as a long operation does.
class TReentrant : public TObject {
    ZK_CLASS(TReentrant, TObject)
public:
    TReentrant() : FReceiver(this) {}
    TMessageReceiver* Receiver() { return &FReceiver; }
    std::vector<int> Order;

private:
    void WMOuter(TMessage& M) {
        Order.push_back(static_cast<int>(M.WParam));
        PostMessage(&FReceiver, WM_USER + 3, M.WParam * 10);
        Application->ProcessMessages();
        Order.push_back(-static_cast<int>(M.WParam));
    }
    void WMInner(TMessage& M) { Order.push_back(static_cast<int>(M.WParam)); }
    TMessageReceiver FReceiver;
};

ZK_IMPLEMENT_CLASS(TReentrant)
void TReentrant::DescribeClass(TClassBuilder<TReentrant>& C) {
    C.Message(WM_USER + 2, &TReentrant::WMOuter);
    C.Message(WM_USER + 3, &TReentrant::WMInner);
}

TEST_F(ApplicationTest, ProcessMessagesCalledFromAHandlerDeliversEachMessageOnce) {
    TReentrant Target;
    PostMessage(Target.Receiver(), WM_USER + 2, 1);
    PostMessage(Target.Receiver(), WM_USER + 2, 2);
    Application->ProcessMessages();
    // The nested call delivers what is queued behind the outer message.
    EXPECT_EQ(Target.Order, (std::vector<int>{1, 2, 10, 20, -2, -1}));
    EXPECT_EQ(PendingMessageCount(), 0);
}

TEST_F(ApplicationTest, ScreenKeepsItsFormListAndActiveObjectsUpToDateWhenTheyAreFreed) {
    auto* Form1 = Create<TFakeForm>(nullptr);
    auto* Form2 = Create<TFakeForm>(nullptr);
    const int Before = Screen->GetFormCount();
    Screen->AddForm(Form1);
    Screen->AddForm(Form2);
    Screen->AddForm(Form1);
    ASSERT_EQ(Screen->GetFormCount(), Before + 2);
    EXPECT_EQ(Screen->GetForm(Before), Form1);
    int ControlChanges = 0;
    Screen->SetOnActiveControlChange(TNotifyEvent([&](TObject*) { ++ControlChanges; }));
    Screen->SetActiveForm(Form1);
    Screen->SetActiveControl(Form1);
    EXPECT_EQ(ControlChanges, 1);
    Form1->Free();
    EXPECT_EQ(Screen->GetActiveForm(), nullptr);
    EXPECT_EQ(Screen->GetActiveControl(), nullptr);
    EXPECT_EQ(ControlChanges, 2);
    ASSERT_EQ(Screen->GetFormCount(), Before + 1);
    EXPECT_EQ(Screen->GetForm(Before), Form2);
    Screen->RemoveForm(Form2);
    EXPECT_EQ(Screen->GetFormCount(), Before);
    EXPECT_THROW(Screen->GetForm(Before), EListError);
    Screen->SetOnActiveControlChange(TNotifyEvent());
    Form2->Free();
}

TEST_F(ApplicationTest, FormThatStopsBeingActiveIsStillWatchedWhileListed) {
    auto* Form = Create<TFakeForm>(nullptr);
    const int Before = Screen->GetFormCount();
    Screen->AddForm(Form);
    Screen->SetActiveControl(Form);
    Screen->SetActiveForm(Form);
    Screen->SetActiveControl(nullptr);
    Screen->SetActiveForm(nullptr);
    Form->Free();
    EXPECT_EQ(Screen->GetFormCount(), Before) << "a freed form must leave the list";
}

TEST_F(ApplicationTest, ScreenListsInstalledFontFamiliesSorted) {
    TStrings* Fonts = Screen->GetFonts();
    ASSERT_GT(Fonts->GetCount(), 0);
    for (int I = 1; I < Fonts->GetCount(); ++I)
        EXPECT_LE(AnsiCompareText(Fonts->Get(I - 1), Fonts->Get(I)), 0) << Fonts->Get(I);
}

TEST_F(ApplicationTest, ScreenCursorOverridesTheWholeApplicationUntilDefault) {
    Screen->SetCursor(crHourGlass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen->SetCursor(crSizeWE);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::SizeHorCursor);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ApplicationTest, CursorNumbersMapToQtShapes) {
    EXPECT_EQ(CursorToQCursor(crIBeam).shape(), Qt::IBeamCursor);
    EXPECT_EQ(CursorToQCursor(crHSplit).shape(), Qt::SplitHCursor);
    EXPECT_EQ(CursorToQCursor(crHandPoint).shape(), Qt::PointingHandCursor);
    EXPECT_EQ(CursorToQCursor(crNone).shape(), Qt::BlankCursor);
    EXPECT_EQ(CursorToQCursor(42).shape(), Qt::ArrowCursor);
}

TEST_F(ApplicationTest, SystemMetricsGiveTheClassicBorderSizes) {
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CYEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
    EXPECT_GT(GetSystemMetrics(SM_CXVSCROLL), 8);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), Screen->GetWidth());
    EXPECT_EQ(GetSystemMetrics(12345), 0);
}

TEST_F(ApplicationTest, TitleDefaultsToTheExecutableName) {
    EXPECT_EQ(Application->GetTitle(), "zk_platform_gui_tests");
    EXPECT_NE(Application->GetExeName().find("zk_platform_gui_tests"), std::string::npos);
}

TEST_F(ApplicationTest, ApplicationPublishesHintSettingsWithTheirDefaults) {
    const TPropInfo* HintColor = GetPropInfo(Application, "HintColor");
    ASSERT_NE(HintColor, nullptr);
    EXPECT_EQ(HintColor->PropType->Name, "TColor");
    EXPECT_EQ(HintColor->Default, clInfoBk);
    EXPECT_EQ(GetOrdProp(Application, "HintColor"), clInfoBk);
    SetOrdProp(Application, "HintPause", 123);
    EXPECT_EQ(Application->GetHintPause(), 123);
    Application->SetHintPause(500);
    EXPECT_TRUE(IsPublishedProp(Screen, "Cursor"));
}

}  // namespace
}  // namespace zk
