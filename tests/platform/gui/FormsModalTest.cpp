// Forms as windows and modal dialogs: published window properties against the Qt window, modal
// results by keys through the seam, unique names, scaling and descriptions that fail to load.
#include <gtest/gtest.h>

#include <memory>

#include "GuiTestUtil.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/Resources.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

void RegisterDescription(const std::string& ResourceName, const std::string& Text) {
    static std::vector<std::unique_ptr<std::string>> Kept;  // resources must outlive the program
    Kept.push_back(std::make_unique<std::string>(ObjectTextToBinary(Text)));
    RegisterResource(ResourceName, RT_RCDATA, reinterpret_cast<const uint8_t*>(Kept.back()->data()),
                     Kept.back()->size());
}

class FormsModalTest : public ::testing::Test {
protected:
    void TearDown() override { Application->ProcessMessages(); }
};

}  // namespace

// A dialog form whose description binds its memo's event by name.
class TNotesDialog : public TForm {
    ZK_CLASS(TNotesDialog, TForm)
public:
    explicit TNotesDialog(TComponent* AOwner) : TForm(AOwner) {}
    void Memo1Change(TObject*) { ++Changes; }
    int Changes = 0;
};

ZK_IMPLEMENT_CLASS(TNotesDialog)
void TNotesDialog::DescribeClass(TClassBuilder<TNotesDialog>& C) {
    C.Method("Memo1Change", &TNotesDialog::Memo1Change);
}

TEST_F(FormsModalTest, WindowPropertiesAreTheQtWindowsState) {
    TOwned<TForm> Form(Create<TForm>(nullptr));
    QWidget* W = Form->GetWidget();
    CheckPublished(
        Form.get(),
        {
            {"Caption", "Editing", [&] { return W->windowTitle() == "Editing"; }},
            {"ClientWidth", 244, [&] { return W->width() == 244; }},
            {"ClientHeight", 376, [&] { return W->height() == 376; }},
            {"BorderStyle", "bsDialog", [&] { return W->windowType() == Qt::Dialog; }},
            {"BorderStyle", "bsNone",
             [&] { return W->windowFlags().testFlag(Qt::FramelessWindowHint); }},
            {"BorderStyle", "bsSizeable", [&] { return W->windowType() == Qt::Window; }},
            {"FormStyle", "fsStayOnTop",
             [&] { return W->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }},
            {"FormStyle", "fsNormal",
             [&] { return !W->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }},
            {"BorderIcons", "[biSystemMenu]",
             [&] {
                 return W->windowFlags().testFlag(Qt::WindowCloseButtonHint) &&
                        !W->windowFlags().testFlag(Qt::WindowMinimizeButtonHint);
             }},
            {"Color", static_cast<int>(clYellow),
             [&] { return W->palette().color(QPalette::Window) == QColor(255, 255, 0); }},
            {"Enabled", false, [&] { return !W->isEnabled(); }},
        });
    Form->SetEnabled(true);
    SetEnumProp(Form.get(), "WindowState", "wsMaximized");
    Form->Show();
    EXPECT_TRUE(W->windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(wsMaximized, Form->GetWindowState());
}

TEST_F(FormsModalTest, EnterAndEscapeEndAModalFormThroughTheDefaultAndCancelButtons) {
    TOwned<TForm> Form(Create<TForm>(nullptr));
    auto* Memo = Create<TMemo>(Form.get());
    Memo->SetParent(Form.get());
    Memo->SetWantReturns(false);
    auto* Ok = Create<TButton>(Form.get());
    Ok->SetParent(Form.get());
    Ok->SetDefault(true);
    Ok->SetModalResult(mrOk);
    auto* Cancel = Create<TButton>(Form.get());
    Cancel->SetParent(Form.get());
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);
    std::vector<std::string> Closes;
    Form->SetOnClose(TCloseEvent([&](TObject*, TCloseAction& Action) {
        Closes.push_back(Form->GetModalResult() == mrOk ? "ok" : "cancel");
        EXPECT_EQ(caHide, Action);
    }));
    int Key = Qt::Key_Return;
    TModalScope Seam([&](TComponent* D) {
        auto* F = static_cast<TCustomForm*>(D);
        EXPECT_TRUE(F->GetWidget()->isVisible());
        Memo->SetFocus();
        SendKeyTo(Memo->GetWidget(), Key, Key == Qt::Key_Return ? "\r" : "\x1b");
        return static_cast<int>(F->GetModalResult());
    });
    EXPECT_EQ(mrOk, Form->ShowModal());
    Key = Qt::Key_Escape;
    EXPECT_EQ(mrCancel, Form->ShowModal());
    EXPECT_EQ((std::vector<std::string>{"ok", "cancel"}), Closes);
    EXPECT_FALSE(Form->GetVisible());
    EXPECT_EQ("", Memo->GetText()) << "Enter went to the default button, not into the memo";
}

TEST_F(FormsModalTest, AFormClassCreatedTwiceUnderOneOwnerGetsAUniqueName) {
    RegisterClass(TNotesDialog::StaticClass());
    RegisterDescription("TNOTESDIALOG", R"(object NotesDialog: TNotesDialog
  Caption = 'Notes'
  ClientHeight = 120
  ClientWidth = 200
  object Memo1: TMemo
    Left = 0
    Top = 0
    Width = 200
    Height = 120
    Align = alClient
    TabOrder = 0
    OnChange = Memo1Change
  end
end
)");
    TOwned<TComponent> Owner(Create<TComponent>(nullptr));
    auto* First = Create<TNotesDialog>(Owner.get());
    auto* Second = Create<TNotesDialog>(Owner.get());
    auto* Third = Create<TNotesDialog>(Owner.get());
    EXPECT_EQ("NotesDialog", First->GetName());
    EXPECT_EQ("NotesDialog_1", Second->GetName());
    EXPECT_EQ("NotesDialog_2", Third->GetName());
    // Each is whole, with its own bound events.
    DynamicCast<TMemo>(Second->FindComponent("Memo1"))->SetText("x");
    EXPECT_EQ(0, First->Changes);
    EXPECT_EQ(1, Second->Changes);
    // Renaming by code still refuses a taken name.
    EXPECT_THROW(Third->SetName("NotesDialog"), EComponentError);
}

TEST_F(FormsModalTest, AFormDesignedAtAnotherResolutionIsScaledUnlessScaledIsOff) {
    const std::string Text = R"(object Form1: TForm
  Left = 0
  Top = 0
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -15
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  ClientHeight = 150
  ClientWidth = 300
  PixelsPerInch = 120
  TextHeight = 16
  object Button1: TButton
    Left = 10
    Top = 20
    Width = 100
    Height = 30
    TabOrder = 0
  end
end
)";
    TOwned<TForm> Scaled(Create<TForm>(nullptr));
    ReadFormText(Text, Scaled.get());
    EXPECT_EQ(240, Scaled->GetClientWidth());
    EXPECT_EQ(-12, Scaled->GetFont()->GetHeight());
    EXPECT_EQ(Bounds(8, 16, 80, 24),
              DynamicCast<TControl>(Scaled->FindComponent("Button1"))->GetBoundsRect());
    EXPECT_EQ(96, Scaled->GetPixelsPerInch());
    TOwned<TForm> Kept(Create<TForm>(nullptr));
    std::string Unscaled = Text;
    Unscaled.replace(Unscaled.find("  PixelsPerInch"), 0, "  Scaled = False\n");
    ReadFormText(Unscaled, Kept.get());
    EXPECT_EQ(300, Kept->GetClientWidth());
    EXPECT_EQ(Bounds(10, 20, 100, 30),
              DynamicCast<TControl>(Kept->FindComponent("Button1"))->GetBoundsRect());
}

TEST_F(FormsModalTest, ABadDescriptionFailsWithTheReadersMessageAndFreesWhatItMade) {
    RegisterClass(TNotesDialog::StaticClass());
    const std::string Head = "object Form9: TForm\n  object Memo9: TMemo\n";
    const std::vector<std::pair<std::string, std::string>> Cases = {
        {"    Wrap = True\n", "Error reading Memo9.Wrap: Property Wrap does not exist"},
        {"    ScrollBars = ssDiagonal\n", "Error reading Memo9.ScrollBars: Invalid property value"},
        {"    OnChange = Memo9Change\n",
         "Error reading Memo9.OnChange: Method 'Memo9Change' not found"},
    };
    for (const auto& [Line, Message] : Cases) {
        const int Forms = Screen->GetFormCount();
        auto* Form = Create<TNotesDialog>(nullptr);
        try {
            ReadFormText(Head + Line + "  end\nend\n", Form);
            ADD_FAILURE() << "no exception for " << Line;
        } catch (const EReadError& E) {
            EXPECT_EQ(Message, E.Message());
        }
        EXPECT_EQ(nullptr, Form->FindComponent("Memo9")) << "the memo read so far is freed";
        Form->Free();
        EXPECT_EQ(Forms, Screen->GetFormCount());
    }
    EXPECT_FALSE(Application->GetTerminated());
}

}  // namespace zk::test
