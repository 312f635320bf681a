// The string-list editor driven as a user drives it, through the modal seam: typing in the memo,
// editing rows on the INI page, switching pages, the buttons, the pop-up menu with real files, and
// what reaches the edited TStrings.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTabBar>

#include "DialogsTestUtil.h"
#include "dialogs/ZkTStringsEditor.h"
#include "itemlist/ZkInplaceEditList.h"
#include "itemlist/ZkItemListEditor.h"
#include "platform/core/StringList.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

class StringsEditorTest : public DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        Strings.reset(Create<TStringList>());
    }

    // While the editor is shown, Steps is what the user does.
    void WhileShown(std::function<void(TfrmZkStringsEditor*)> Steps) {
        OnForm = [Steps](TCustomForm* Form) {
            auto* Editor = DynamicCast<TfrmZkStringsEditor>(Form);
            ASSERT_NE(nullptr, Editor);
            Steps(Editor);
        };
    }

    static void ClickTab(TPageControl* Pages, int Index) {
        QTabBar* Bar = Pages->GetTabBar();
        ClickAt(Bar, Bar->tabRect(Index).center());
    }

    // Keys go where the focus is, the grid or its cell editor.
    static void Press(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        QWidget* Focus = QApplication::focusWidget();
        ASSERT_NE(nullptr, Focus);
        SendKeyTo(Focus, QtKey, {}, Mods);
    }
    static void Type(const std::string& Text) {
        QWidget* Focus = QApplication::focusWidget();
        ASSERT_NE(nullptr, Focus);
        TypeText(Focus, Text);
    }

    // Puts the grid's focused editor on a row and column, as a click there would.
    static void CellEditor(TZkItemListEditor* Grid, int Row, int Column) {
        Grid->SetLogical(lwLine, Grid->GetLogical(lwFixedLines) + Row);
        Grid->SetLogical(lwColumn, Column);
        Grid->ShowEditor();
        TZkInplaceEditList* Editor = Grid->GetInplaceEditList();
        ASSERT_NE(nullptr, Editor);
        Editor->SetFocus();
        Application->ProcessMessages();
    }

    // Types Text over the cell's text and presses Enter.
    static void TypeInCell(TZkItemListEditor* Grid, int Row, int Column, const std::string& Text) {
        CellEditor(Grid, Row, Column);
        Grid->GetInplaceEditList()->SelectAll();
        Type(Text + "\n");
    }

    static std::string Rows(TZkItemListEditor* Grid) { return Grid->GetStrings()->GetTextStr(); }

    void WriteFile(const std::string& Name, const std::string& Bytes) {
        QFile F(QString::fromStdString(Path(Name)));
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(Bytes.data(), static_cast<qint64>(Bytes.size()));
    }

    std::string ReadFile(const std::string& Name) {
        QFile F(QString::fromStdString(Path(Name)));
        if (!F.open(QIODevice::ReadOnly)) return "<unreadable>";
        return F.readAll().toStdString();
    }

    TOwned<TStringList> Strings;
};

}  // namespace

TEST_F(StringsEditorTest, EditsInBothViewsCarryAcrossAndOkWritesTheGridsLines) {
    Strings->SetTextStr("a=1\r\nb=2\r\n");
    WhileShown([&](TfrmZkStringsEditor* E) {
        QWidget* Memo = E->Memo1->GetWidget();
        EXPECT_EQ("2 lines", E->lblLineCount->GetCaption());
        // The text ends in a line break: the caret at its end starts a line.
        SendKeyTo(Memo, Qt::Key_End, {}, Qt::ControlModifier);
        TypeText(Memo, "c=3");
        EXPECT_EQ("3 lines", E->lblLineCount->GetCaption());

        ClickTab(E->pcViews, 1);
        TZkItemListEditor* Grid = E->GetINIEditor();
        ASSERT_EQ(E->tsINI, E->pcViews->GetActivePage());
        EXPECT_EQ("a=1\r\nb=2\r\nc=3\r\n", Rows(Grid));
        TypeInCell(Grid, 1, 1, "20");
        // Down on the last row opens a new one; Tab goes from its name to its value.
        CellEditor(Grid, 2, 0);
        Press(Qt::Key_Down);
        Type("d");
        Press(Qt::Key_Tab);
        Type("4\n");
        CellEditor(Grid, 0, 0);
        Press(Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ("b=20\r\nc=3\r\nd=4\r\n", Rows(Grid));

        ClickTab(E->pcViews, 0);
        EXPECT_EQ("b=20\r\nc=3\r\nd=4\r\n", E->GetLines()->GetTextStr());
        EXPECT_EQ("3 lines", E->lblLineCount->GetCaption());
        SendKeyTo(Memo, Qt::Key_End, {}, Qt::ControlModifier);
        TypeText(Memo, "e=5");
        ClickTab(E->pcViews, 1);
        EXPECT_EQ("b=20\r\nc=3\r\nd=4\r\ne=5\r\n", Rows(Grid));
        TypeInCell(Grid, 1, 1, "30");
        // OK while the grid shows: its lines are the result.
        ClickControl(E->btnOK);
        EXPECT_EQ(mrOk, E->GetModalResult());
    });
    EXPECT_TRUE(EditStrings(Strings.get()));
    EXPECT_EQ("b=20\r\nc=30\r\nd=4\r\ne=5\r\n", Strings->GetTextStr());
    EXPECT_TRUE(Messages.empty());
}

TEST_F(StringsEditorTest, CancelEscapeInTheMemoAndTheCloseBoxWriteNothing) {
    Strings->SetTextStr("kept=1\r\n");
    const std::vector<std::pair<std::string, std::function<void(TfrmZkStringsEditor*)>>> Ways = {
        {"Cancel", [](TfrmZkStringsEditor* E) { ClickControl(E->btnCancel); }},
        {"Escape",
         [](TfrmZkStringsEditor* E) { SendKeyTo(E->Memo1->GetWidget(), Qt::Key_Escape, "\x1b"); }},
        {"close box", [](TfrmZkStringsEditor* E) { E->GetWidget()->close(); }},
    };
    for (const auto& [Name, Leave] : Ways) {
        SCOPED_TRACE(Name);
        WhileShown([&](TfrmZkStringsEditor* E) {
            TypeText(E->Memo1->GetWidget(), "x\n");
            ClickTab(E->pcViews, 1);
            TypeInCell(E->GetINIEditor(), 0, 1, "2");
            // Escape belongs to the memo; the others leave from the INI page.
            if (Name == "Escape") ClickTab(E->pcViews, 0);
            Leave(E);
            EXPECT_EQ(mrCancel, E->GetModalResult());
        });
        EXPECT_FALSE(EditStrings(Strings.get()));
        EXPECT_EQ("kept=1\r\n", Strings->GetTextStr());
    }
}

// Regression: the rows split dotted names into subtrees, gave lines without
// "=" one and dropped blank lines passed over, so OK on an untouched INI
// view changed the list.
TEST_F(StringsEditorTest, TheINIViewAloneShowsNoTabsAndGivesBackExactlyItsLines) {
    const std::string Text = "[Main]\r\nfile.ext=1\r\n\r\nNote=two words  \r\nlast=\r\n";
    Strings->SetTextStr(Text);
    TObject* Marker = Strings.get();
    Strings->PutObject(1, Marker);
    WhileShown([&](TfrmZkStringsEditor* E) {
        QTabBar* Bar = E->pcViews->GetTabBar();
        EXPECT_FALSE(Bar->isTabVisible(0) || Bar->isTabVisible(1));
        EXPECT_EQ(E->tsINI, E->pcViews->GetActivePage());
        EXPECT_EQ(E->GetINIEditor(), E->GetActiveControl());
        EXPECT_EQ(5, E->GetINIEditor()->GetAllItems().GetCount());
        // Down over the blank row keeps it.
        CellEditor(E->GetINIEditor(), 1, 1);
        Press(Qt::Key_Down);
        Press(Qt::Key_Down);
        EXPECT_EQ(E->GetINIEditor()->GetLogical(lwFixedLines) + 3, E->GetINIEditor()->GetRow());
        EXPECT_EQ(5, E->GetINIEditor()->GetAllItems().GetCount());
        ClickControl(E->btnOK);
    });
    EXPECT_FALSE(EditStrings(Strings.get(), false, true)) << "nothing changed";
    EXPECT_EQ(Text, Strings->GetTextStr());
    EXPECT_EQ(Marker, Strings->GetObject(1)) << "an unchanged list is not rewritten";

    WhileShown([&](TfrmZkStringsEditor* E) {
        TypeInCell(E->GetINIEditor(), 1, 1, "2");
        TypeInCell(E->GetINIEditor(), 0, 1, "on");
        ClickControl(E->btnOK);
    });
    EXPECT_TRUE(EditStrings(Strings.get(), false, true));
    EXPECT_EQ("[Main]=on\r\nfile.ext=2\r\n\r\nNote=two words  \r\nlast=\r\n",
              Strings->GetTextStr());
}

TEST_F(StringsEditorTest, TabsShowOnlyWhileBothViewsAreOffered) {
    TOwned<TfrmZkStringsEditor> E(Create<TfrmZkStringsEditor>(nullptr));
    QTabBar* Bar = E->pcViews->GetTabBar();
    // In the order the entry call sets them.
    E->SetShowINI(false);
    E->SetShowNormal(false);
    EXPECT_FALSE(Bar->isTabVisible(0) || Bar->isTabVisible(1));
    EXPECT_EQ(E->tsMemo, E->pcViews->GetActivePage());
    E->SetShowINI(true);
    EXPECT_EQ(E->tsINI, E->pcViews->GetActivePage());
    E->SetShowNormal(true);
    EXPECT_TRUE(Bar->isTabVisible(0) && Bar->isTabVisible(1))
        << "offered again, the tabs come back";
}

TEST_F(StringsEditorTest, TheCounterNamesOneLineInTheSingular) {
    TOwned<TfrmZkStringsEditor> E(Create<TfrmZkStringsEditor>(nullptr));
    E->Show();
    QWidget* Memo = E->Memo1->GetWidget();
    EXPECT_EQ("0 lines", E->lblLineCount->GetCaption());
    TypeText(Memo, "a");
    EXPECT_EQ("1 line", E->lblLineCount->GetCaption());
    TypeText(Memo, "\nb");
    EXPECT_EQ("2 lines", E->lblLineCount->GetCaption());
    E->SetLines(Strings.get());
    EXPECT_EQ("0 lines", E->lblLineCount->GetCaption());
}

TEST_F(StringsEditorTest, LoadAndSaveWorkOnRealFilesFromEitherPage) {
    WriteFile("in.txt", "one\r\ntwo\nthree");
    WriteFile("in.ini", "k=v\r\n");
    WhileShown([&](TfrmZkStringsEditor* E) {
        OnFile = [&](TOpenDialog* D) {
            EXPECT_EQ(E->OpenDialog1, D);
            EXPECT_EQ(QString("Load string list"), D->GetFileDialog()->windowTitle());
            D->SetFileName(Path("in.txt"));
            return static_cast<int>(mrOk);
        };
        PickFromMenu(E->Memo1, E->Load1);
        EXPECT_EQ("one\r\ntwo\r\nthree\r\n", E->GetLines()->GetTextStr());
        EXPECT_EQ("3 lines", E->lblLineCount->GetCaption());
        SendKeyTo(E->Memo1->GetWidget(), Qt::Key_End, {}, Qt::ControlModifier);
        TypeText(E->Memo1->GetWidget(), "four");
        OnFile = [&](TOpenDialog* D) {
            EXPECT_EQ(E->SaveDialog1, D);
            EXPECT_EQ(Path("in.txt"), D->GetFileName()) << "offered the file last loaded";
            D->SetFileName(Path("out.txt"));
            return static_cast<int>(mrOk);
        };
        PickFromMenu(E->Memo1, E->Save1);
        EXPECT_EQ("one\r\ntwo\r\nthree\r\nfour\r\n", ReadFile("out.txt"));

        // On the INI page the rows show what was loaded and are what is saved.
        ClickTab(E->pcViews, 1);
        TZkItemListEditor* Grid = E->GetINIEditor();
        ChooseFile(Path("in.ini"));
        PickFromMenu(Grid, E->Load1);
        EXPECT_EQ("k=v\r\n", Rows(Grid));
        TypeInCell(Grid, 0, 1, "w");
        ChooseFile(Path("out.ini"));
        PickFromMenu(Grid, E->Save1);
        EXPECT_EQ("k=w\r\n", ReadFile("out.ini"));
        // A cancelled file dialog does nothing.
        ChooseFile("");
        PickFromMenu(Grid, E->Load1);
        EXPECT_EQ("k=w\r\n", Rows(Grid));
        ClickControl(E->btnCancel);
    });
    EXPECT_FALSE(EditStrings(Strings.get()));
    EXPECT_EQ(0, Strings->GetCount());
    EXPECT_TRUE(Messages.empty());
}

TEST_F(StringsEditorTest, AFileThatCannotBeReadOrWrittenIsReportedAndTheDialogStaysAsItWas) {
    WriteFile("locked.txt", "secret\r\n");
    QFile::setPermissions(QString::fromStdString(Path("locked.txt")), QFileDevice::Permissions());
    // A folder named like a file, so the dialogs add no extension to it.
    ASSERT_TRUE(QDir(Dir.path()).mkdir("folder.txt"));
    std::vector<std::string> Unreadable = {Path("missing.txt"), Path("folder.txt")};
    if (access(Path("locked.txt").c_str(), R_OK) != 0) Unreadable.push_back(Path("locked.txt"));
    std::vector<std::string> Unwritable = {Path("folder.txt"), Path("no/such/folder.txt")};
    if (access("/dev/full", W_OK) == 0) Unwritable.push_back("/dev/full");
    Strings->SetTextStr("before\r\n");
    WhileShown([&](TfrmZkStringsEditor* E) {
        for (const std::string& Name : Unreadable) {
            SCOPED_TRACE(Name);
            Messages.clear();
            ChooseFile(Name);
            PickFromMenu(E->Memo1, E->Load1);
            ASSERT_EQ(1u, Messages.size());
            EXPECT_EQ(0u, Messages[0].find("Cannot open file \"" + Name + "\". ")) << Messages[0];
            EXPECT_EQ("before\r\n", E->GetLines()->GetTextStr());
        }
        for (const std::string& Name : Unwritable) {
            SCOPED_TRACE(Name);
            Messages.clear();
            ChooseFile(Name);
            PickFromMenu(E->Memo1, E->Save1);
            ASSERT_EQ(1u, Messages.size());
            EXPECT_EQ(0u, Messages[0].find("Cannot create file \"" + Name + "\". ")) << Messages[0];
            EXPECT_EQ("before\r\n", E->GetLines()->GetTextStr());
        }
        EXPECT_EQ(mrNone, E->GetModalResult()) << "the dialog stays open";
        EXPECT_TRUE(E->GetWidget()->isVisible());
        ClickControl(E->btnOK);
    });
    EXPECT_FALSE(EditStrings(Strings.get()));
    EXPECT_EQ("before\r\n", Strings->GetTextStr());
}

TEST_F(StringsEditorTest, ABinaryFileLoadsAsLinesOfItsBytes) {
    std::string Bytes = "head\r\n";
    for (int B = 0; B < 256; ++B)
        if (B != '\r' && B != '\n') Bytes += static_cast<char>(B);
    Bytes += "\xC3\x28\xFF\r\ntail";
    WriteFile("blob.bin", Bytes);
    WhileShown([&](TfrmZkStringsEditor* E) {
        ChooseFile(Path("blob.bin"));
        PickFromMenu(E->Memo1, E->Load1);
        TStrings* Lines = E->GetLines();
        ASSERT_EQ(3, Lines->GetCount());
        EXPECT_EQ("head", Lines->Get(0));
        EXPECT_EQ("tail", Lines->Get(2));
        EXPECT_EQ("3 lines", E->lblLineCount->GetCaption());
        ClickTab(E->pcViews, 1);
        EXPECT_EQ(3, E->GetINIEditor()->GetAllItems().GetCount());
        ClickControl(E->btnOK);
    });
    EXPECT_TRUE(EditStrings(Strings.get()));
    EXPECT_EQ(3, Strings->GetCount());
    EXPECT_TRUE(Messages.empty());
}

TEST_F(StringsEditorTest, HelpAsksTheProgramForTheDialogsTopic) {
    std::vector<std::pair<int, intptr_t>> Asked;
    Application->SetOnHelp(THelpEvent([&](uint16_t Command, intptr_t Data, bool& CallHelp) {
        Asked.emplace_back(Command, Data);
        CallHelp = false;
        return true;
    }));
    WhileShown([&](TfrmZkStringsEditor* E) {
        ClickControl(E->btnHelp);
        EXPECT_EQ(mrNone, E->GetModalResult());
        ClickControl(E->btnOK);
    });
    EditStrings(Strings.get());
    Application->SetOnHelp(THelpEvent());
    EXPECT_EQ((std::vector<std::pair<int, intptr_t>>{{HELP_CONTEXT, 26000}}), Asked);
}

}  // namespace zk::test
