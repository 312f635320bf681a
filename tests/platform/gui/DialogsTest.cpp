// Common dialogs and message boxes driven headless: through the modal seam filling the real Qt
// dialog, and once through Qt's own modal loop.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include "GuiTestUtil.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

const char* const TextFilter =
    "Text files (*.TXT)|*.TXT|Config files (*.SYS;*.INI)|*.SYS;*.INI|Batch files (*.BAT)|*.BAT|"
    "All files (*.*)|*.*";

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        for (const char* Name : {"a.txt", "b.INI"}) {
            QFile F(Dir.filePath(Name));
            ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        }
        Owner.reset(Create<TComponent>(nullptr));
    }
    void TearDown() override {
        Owner.reset();
        Application->ProcessMessages();
    }
    std::string Path(const char* Name) const { return Dir.filePath(Name).toStdString(); }
    QTemporaryDir Dir;
    TOwned<TComponent> Owner;
};

}  // namespace

TEST_F(DialogsTest, FileDialogPropertiesSetUpTheQtDialog) {
    auto* Save = Create<TSaveDialog>(Owner.get());
    QFileDialog* Seen = nullptr;
    std::function<void(QFileDialog*)> Check;
    TModalScope Seam([&](TComponent* D) {
        EXPECT_EQ(Save, D);
        Seen = Save->GetFileDialog();
        if (Seen && Check) Check(Seen);
        return static_cast<int>(mrCancel);
    });
    const std::vector<std::pair<TPropCase, std::function<void(QFileDialog*)>>> Table = {
        {{"Title", "Save string list", {}},
         [](QFileDialog* Q) { EXPECT_EQ(QString("Save string list"), Q->windowTitle()); }},
        {{"DefaultExt", "TXT", {}},
         [](QFileDialog* Q) { EXPECT_EQ(QString("TXT"), Q->defaultSuffix()); }},
        {{"InitialDir", Dir.path().toStdString(), {}},
         [&](QFileDialog* Q) { EXPECT_EQ(QDir(Dir.path()), Q->directory()); }},
        {{"Options", "[ofOverwritePrompt,ofHideReadOnly,ofEnableSizing]", {}},
         [](QFileDialog* Q) {
             EXPECT_FALSE(Q->testOption(QFileDialog::DontConfirmOverwrite));
             EXPECT_EQ(QFileDialog::AcceptSave, Q->acceptMode());
         }},
        {{"Filter", TextFilter, {}},
         [](QFileDialog* Q) {
             EXPECT_EQ((QStringList{"Text files (*.TXT) (*.TXT *.txt)",
                                    "Config files (*.SYS;*.INI) (*.SYS *.sys *.INI *.ini)",
                                    "Batch files (*.BAT) (*.BAT *.bat)", "All files (*.*) (*)"}),
                       Q->nameFilters());
         }},
        {{"FilterIndex", 2, {}},
         [](QFileDialog* Q) { EXPECT_EQ(Q->nameFilters()[1], Q->selectedNameFilter()); }},
    };
    for (const auto& [Case, DialogShows] : Table) {
        SCOPED_TRACE(Case.Name);
        SetPropValue(Save, Case.Name, Case.Value);
        Check = DialogShows;
        Seen = nullptr;
        EXPECT_FALSE(Save->Execute());
        EXPECT_NE(nullptr, Seen);
    }
    EXPECT_EQ(nullptr, Save->GetFileDialog()) << "the Qt dialog lives only while Execute runs";
    // An open dialog with multi-select lets the user pick several existing files.
    auto* Open = Create<TOpenDialog>(Owner.get());
    Open->SetOptions({ofAllowMultiSelect, ofFileMustExist});
    Check = [](QFileDialog* Q) { EXPECT_EQ(QFileDialog::ExistingFiles, Q->fileMode()); };
    TModalScope Seam2([&](TComponent*) {
        Check(Open->GetFileDialog());
        return static_cast<int>(mrCancel);
    });
    Open->Execute();
}

TEST_F(DialogsTest, AConfirmedFileDialogTakesTheFileTheFilterAndTheDefaultExtension) {
    auto* Open = Create<TOpenDialog>(Owner.get());
    Open->SetFilter(TextFilter);
    Open->SetFilterIndex(4);
    Open->SetDefaultExt("TXT");
    Open->SetInitialDir(Dir.path().toStdString());
    std::vector<std::string> Events;
    Open->SetOnShow(TNotifyEvent([&](TObject*) { Events.push_back("show"); }));
    Open->SetOnClose(TNotifyEvent([&](TObject*) { Events.push_back("close"); }));
    TModalScope Seam([&](TComponent*) {
        QFileDialog* Q = Open->GetFileDialog();
        Q->selectNameFilter(Q->nameFilters()[1]);
        Open->SetFileName(Path("notes"));
        return static_cast<int>(mrOk);
    });
    EXPECT_TRUE(Open->Execute());
    EXPECT_EQ(Path("notes") + ".TXT", Open->GetFileName());
    EXPECT_EQ(2, Open->GetFilterIndex());
    ASSERT_EQ(1, Open->GetFiles()->GetCount());
    EXPECT_EQ(Open->GetFileName(), Open->GetFiles()->Get(0));
    EXPECT_EQ((std::vector<std::string>{"show", "close"}), Events);
}

TEST_F(DialogsTest, ACancelledOrRefusedFileDialogChangesNothing) {
    auto* Open = Create<TOpenDialog>(Owner.get());
    Open->SetFilter(TextFilter);
    Open->SetFileName("kept.txt");
    int Answer = mrCancel;
    TModalScope Seam([&](TComponent*) {
        QFileDialog* Q = Open->GetFileDialog();
        Q->selectNameFilter(Q->nameFilters()[2]);
        Open->SetFileName(Path("a.txt"));
        return Answer;
    });
    EXPECT_FALSE(Open->Execute());
    EXPECT_EQ("kept.txt", Open->GetFileName());
    EXPECT_EQ(1, Open->GetFilterIndex());
    EXPECT_EQ(0, Open->GetFiles()->GetCount());
    // OnCanClose sees the choice and may refuse it.
    std::string Offered;
    Open->SetOnCanClose(TCloseQueryEvent([&](TObject*, bool& CanClose) {
        Offered = Open->GetFileName();
        CanClose = false;
    }));
    Answer = mrOk;
    EXPECT_FALSE(Open->Execute());
    EXPECT_EQ(Path("a.txt"), Offered);
    EXPECT_EQ("kept.txt", Open->GetFileName());
    EXPECT_EQ(1, Open->GetFilterIndex());
}

TEST_F(DialogsTest, TheRealSaveDialogTakesANameTypedByTheUser) {
    auto* Save = Create<TSaveDialog>(Owner.get());
    Save->SetInitialDir(Dir.path().toStdString());
    Save->SetDefaultExt("txt");
    QTimer::singleShot(50, [] {
        auto* Q = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!Q) return;
        auto* Name = Q->findChild<QLineEdit*>("fileNameEdit");
        if (!Name) return Q->reject();
        Name->setText("typed");
        SendKeyTo(Name, Qt::Key_Return, "\r");
    });
    QTimer::singleShot(3000, [] {
        if (QWidget* W = QApplication::activeModalWidget()) W->close();
    });
    ASSERT_TRUE(Save->Execute());
    EXPECT_EQ(Path("typed.txt"), Save->GetFileName());
}

TEST_F(DialogsTest, ThePictureDialogPreviewsTheFileUnderTheCursor) {
    auto* Pic = Create<TOpenPictureDialog>(Owner.get());
    EXPECT_FALSE(Pic->IsFilterStored());
    QImage Image(20, 10, QImage::Format_RGB32);
    Image.fill(Qt::red);
    ASSERT_TRUE(Image.save(Dir.filePath("red.png")));
    Pic->SetInitialDir(Dir.path().toStdString());
    bool Previewed = false;
    TModalScope Seam([&](TComponent*) {
        QFileDialog* Q = Pic->GetFileDialog();
        auto* Preview = Q->findChild<QLabel*>("PicturePreview");
        EXPECT_NE(nullptr, Preview);
        emit Q->currentChanged(Dir.filePath("red.png"));
        Previewed = Preview && !Preview->pixmap().isNull() && Preview->pixmap().width() == 20;
        Q->selectFile(Dir.filePath("red.png"));
        return static_cast<int>(mrOk);
    });
    EXPECT_TRUE(Pic->Execute());
    EXPECT_TRUE(Previewed);
    EXPECT_EQ(Path("red.png"), Pic->GetFileName());
}

TEST_F(DialogsTest, TheFontDialogTakesTheUsersChangesAndKeepsWhatItDidNotChange) {
    auto* Dlg = Create<TFontDialog>(Owner.get());
    Dlg->GetFont()->SetName("MS Sans Serif");
    Dlg->GetFont()->SetHeight(-13);
    Dlg->GetFont()->SetColor(clNavy);
    std::function<void(QFontDialog*)> User;
    int Answer = mrOk;
    TModalScope Seam([&](TComponent*) {
        if (User) User(Dlg->GetFontDialog());
        return Answer;
    });
    // Confirmed unchanged: nothing changes, not even the name Qt shows for it.
    EXPECT_TRUE(Dlg->Execute());
    EXPECT_EQ("MS Sans Serif", Dlg->GetFont()->GetName());
    EXPECT_EQ(-13, Dlg->GetFont()->GetHeight());
    // The user picks a face that has a bold style, bold, underlined, 20 pixels.
    QString Family;
    for (const QString& F : QFontDatabase::families())
        if (QFontDatabase::styles(F).contains("Bold")) {
            Family = F;
            break;
        }
    ASSERT_FALSE(Family.isEmpty());
    User = [&](QFontDialog* Q) {
        QFont F(Family);
        F.setBold(true);
        F.setUnderline(true);
        F.setPixelSize(20);
        Q->setCurrentFont(F);
    };
    Answer = mrCancel;
    EXPECT_FALSE(Dlg->Execute());
    EXPECT_TRUE(Dlg->GetFont()->GetStyle().Empty());
    Answer = mrOk;
    EXPECT_TRUE(Dlg->Execute());
    EXPECT_EQ((TFontStyles{fsBold, fsUnderline}), Dlg->GetFont()->GetStyle());
    EXPECT_EQ(-20, Dlg->GetFont()->GetHeight());
    EXPECT_EQ(Family.toStdString(), Dlg->GetFont()->GetName());
    EXPECT_EQ(clNavy, Dlg->GetFont()->GetColor());
}

TEST_F(DialogsTest, MessageBoxesAreFormsTheModalSeamAnswers) {
    std::string Text;
    std::vector<std::string> Buttons;
    std::string Action = "No";
    TModalScope Seam([&](TComponent* D) {
        auto* Form = DynamicCast<TForm>(D);
        EXPECT_NE(nullptr, Form);
        if (!Form) return static_cast<int>(mrNone);
        Text = DynamicCast<TLabel>(Form->FindComponent("Message"))->GetCaption();
        Buttons.clear();
        for (int I = 0; I < Form->GetComponentCount(); ++I)
            if (auto* B = DynamicCast<TButton>(Form->GetComponents(I)))
                Buttons.push_back(B->GetName() + "=" + B->GetCaption());
        if (Action == "Escape")
            SendKeyTo(Form->GetWidget(), Qt::Key_Escape, "\x1b");
        else
            DynamicCast<TButton>(Form->FindComponent(Action))->Click();
        return static_cast<int>(Form->GetModalResult());
    });
    EXPECT_EQ(mrNo, MessageDlg("Save changes?", mtConfirmation, mbYesNoCancel, 0));
    EXPECT_EQ("Save changes?", Text);
    EXPECT_EQ((std::vector<std::string>{"Yes=&Yes", "No=&No", "Cancel=Cancel"}), Buttons);
    Action = "Escape";
    EXPECT_EQ(mrCancel, MessageDlg("Really?", mtWarning, mbYesNoCancel, 0));
    Action = "OK";
    ShowMessage("Done");
    EXPECT_EQ("Done", Text);
    EXPECT_EQ(std::vector<std::string>{"OK=OK"}, Buttons);
}

}  // namespace zk::test
