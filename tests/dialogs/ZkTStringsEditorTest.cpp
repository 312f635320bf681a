// The string-list editor driven as a user drives it through the modal seam: the memo, rows on the
// INI page, page switches, the buttons, the pop-up menu with real files, and what reaches the list.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTabBar>

#include "DialogsTestUtil.h"
#include "dialogs/ZkTStringsEditor.h"
#include "itemlist/ZkInplaceEditList.h"
#include "itemlist/ZkItemListEditor.h"
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
    void WhileShown(std::function<void(TfrmZkStringsEditor*)> Steps) {
        OnForm = [Steps](TCustomForm* F) { Steps(DynamicCast<TfrmZkStringsEditor>(F)); };
    }

    static void ClickTab(TfrmZkStringsEditor* E, int Index) {
        ClickAt(E->pcViews->GetTabBar(), E->pcViews->GetTabBar()->tabRect(Index).center());
    }
    // Keys and text go where the focus is, the grid or its cell editor.
    static void Press(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        SendKeyTo(QApplication::focusWidget(), QtKey, {}, Mods);
        Application->ProcessMessages();
    }
    static void Type(QWidget* W, const std::string& Text) {
        TypeText(W, Text);
        Application->ProcessMessages();
    }
    // The focused cell editor on a row and column of the INI page, as a click there gives.
    static void GoToCell(TfrmZkStringsEditor* E, int Row, int Column) {
        TZkItemListEditor* Grid = E->GetINIEditor();
        Grid->SetLogical(lwLine, Grid->GetLogical(lwFixedLines) + Row);
        Grid->SetLogical(lwColumn, Column);
        Grid->ShowEditor();
        Grid->GetInplaceEditList()->SetFocus();
        Grid->GetInplaceEditList()->SelectAll();
        Application->ProcessMessages();
    }
    static void TypeInCell(TfrmZkStringsEditor* E, int Row, int Column, const std::string& Text) {
        GoToCell(E, Row, Column);
        Type(QApplication::focusWidget(), Text + "\n");
    }
    static std::string Rows(TfrmZkStringsEditor* E) {
        return E->GetINIEditor()->GetStrings()->GetTextStr();
    }
    void WriteFile(const std::string& Name, const std::string& Bytes) {
        QFile F(QString::fromStdString(Path(Name)));
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(Bytes.data(), static_cast<qint64>(Bytes.size()));
    }
    std::string ReadFile(const std::string& Name) {
        QFile F(QString::fromStdString(Path(Name)));
        return F.open(QIODevice::ReadOnly) ? F.readAll().toStdString() : "<unreadable>";
    }

    TOwned<TStringList> Strings;
};

}  // namespace

TEST_F(StringsEditorTest, EditsInBothViewsCarryAcrossAndOkWritesTheGridsLines) {
    Strings->SetTextStr("a=1\r\n");
    WhileShown([&](TfrmZkStringsEditor* E) {
        QWidget* Memo = E->Memo1->GetWidget();
        EXPECT_EQ(E->Memo1, E->GetActiveControl());
        EXPECT_EQ("1 line", E->lblLineCount->GetCaption());
        SendKeyTo(Memo, Qt::Key_End, {}, Qt::ControlModifier);
        Type(Memo, "b=2\nc=3");
        EXPECT_EQ("3 lines", E->lblLineCount->GetCaption());

        ClickTab(E, 1);
        EXPECT_EQ("a=1\r\nb=2\r\nc=3\r\n", Rows(E));
        TypeInCell(E, 1, 1, "20");
        // Down on the last row opens a new one; Tab goes from its name to its value.
        GoToCell(E, 2, 0);
        Press(Qt::Key_Down);
        Type(QApplication::focusWidget(), "d");
        Press(Qt::Key_Tab);
        Type(QApplication::focusWidget(), "4\n");
        GoToCell(E, 0, 0);
        Press(Qt::Key_Delete, Qt::ControlModifier);

        ClickTab(E, 0);
        EXPECT_EQ("b=20\r\nc=3\r\nd=4\r\n", E->GetLines()->GetTextStr());
        SendKeyTo(Memo, Qt::Key_End, {}, Qt::ControlModifier);
        Type(Memo, "e=5");
        ClickTab(E, 1);
        TypeInCell(E, 1, 1, "30");
        ClickControl(E->btnOK);  // while the rows show: they are the result
    });
    EXPECT_TRUE(EditStrings(Strings.get()));
    EXPECT_EQ("b=20\r\nc=30\r\nd=4\r\ne=5\r\n", Strings->GetTextStr());
}

TEST_F(StringsEditorTest, CancelEscapeInTheMemoAndTheCloseBoxWriteNothing) {
    const std::vector<std::function<void(TfrmZkStringsEditor*)>> Ways = {
        [](TfrmZkStringsEditor* E) { ClickControl(E->btnCancel); },
        [](TfrmZkStringsEditor* E) {
            ClickTab(E, 0);
            SendKeyTo(E->Memo1->GetWidget(), Qt::Key_Escape, "\x1b");
        },
        [](TfrmZkStringsEditor* E) { E->GetWidget()->close(); },
    };
    for (size_t I = 0; I < Ways.size(); ++I) {
        SCOPED_TRACE(I);
        WhileShown([&](TfrmZkStringsEditor* E) {
            EXPECT_EQ("0 lines", E->lblLineCount->GetCaption());
            Type(E->Memo1->GetWidget(), "x");
            ClickTab(E, 1);
            TypeInCell(E, 0, 1, "2");
            Ways[I](E);
            EXPECT_EQ(mrCancel, E->GetModalResult());
        });
        EXPECT_FALSE(EditStrings(Strings.get()));
        EXPECT_EQ(0, Strings->GetCount());
    }
}

// Regression: the rows split dotted names into subtrees, gave lines without
// "=" one and dropped blank lines passed over, so OK on an untouched INI
// view changed the list.
TEST_F(StringsEditorTest, TheINIViewAloneShowsNoTabsAndGivesBackExactlyItsLines) {
    const std::string Text = "[Main]\r\nfile.ext=1\r\n\r\nNote=two words  \r\nlast=\r\n";
    Strings->SetTextStr(Text);
    Strings->PutObject(1, Strings.get());
    WhileShown([&](TfrmZkStringsEditor* E) {
        QTabBar* Bar = E->pcViews->GetTabBar();
        EXPECT_FALSE(Bar->isTabVisible(0) || Bar->isTabVisible(1));
        EXPECT_EQ(E->GetINIEditor(), E->GetActiveControl());
        GoToCell(E, 1, 1);
        Press(Qt::Key_Down);
        Press(Qt::Key_Down);
        ClickControl(E->btnOK);
    });
    EXPECT_FALSE(EditStrings(Strings.get(), false, true)) << "nothing changed";
    EXPECT_EQ(Text, Strings->GetTextStr());
    EXPECT_EQ(Strings.get(), Strings->GetObject(1)) << "an unchanged list is not rewritten";

    WhileShown([&](TfrmZkStringsEditor* E) {
        TypeInCell(E, 1, 1, "2");
        TypeInCell(E, 0, 1, "on");
        ClickControl(E->btnOK);
    });
    EXPECT_TRUE(EditStrings(Strings.get(), false, true));
    EXPECT_EQ("[Main]=on\r\nfile.ext=2\r\n\r\nNote=two words  \r\nlast=\r\n",
              Strings->GetTextStr());
}

TEST_F(StringsEditorTest, NeitherViewShowsTheFirstPageAndOfferingBothBringsTheTabsBack) {
    TOwned<TfrmZkStringsEditor> E(Create<TfrmZkStringsEditor>(nullptr));
    QTabBar* Bar = E->pcViews->GetTabBar();
    E->SetShowINI(false);
    E->SetShowNormal(false);
    EXPECT_FALSE(Bar->isTabVisible(0) || Bar->isTabVisible(1));
    EXPECT_EQ(E->tsMemo, E->pcViews->GetActivePage());
    E->SetShowINI(true);
    E->SetShowNormal(true);
    EXPECT_TRUE(Bar->isTabVisible(0) && Bar->isTabVisible(1));
}

TEST_F(StringsEditorTest, LoadAndSaveRealFilesFromEitherPage) {
    WriteFile("in.txt", "one\r\ntwo\nthree");
    WriteFile("in.ini", "k=v\r\n");
    WhileShown([&](TfrmZkStringsEditor* E) {
        PickFromMenu(E->Memo1, E->Load1, Path("in.txt"));
        EXPECT_EQ("one\r\ntwo\r\nthree\r\n", E->GetLines()->GetTextStr());
        SendKeyTo(E->Memo1->GetWidget(), Qt::Key_End, {}, Qt::ControlModifier);
        Type(E->Memo1->GetWidget(), "four");
        FileName.clear();
        PickFromMenu(E->Memo1, E->Save1);
        EXPECT_EQ(Path("in.txt"), E->SaveDialog1->GetFileName()) << "offered the file loaded";
        PickFromMenu(E->Memo1, E->Save1, Path("out.txt"));
        EXPECT_EQ("one\r\ntwo\r\nthree\r\nfour\r\n", ReadFile("out.txt"));

        // On the INI page the rows show what is loaded and are what is saved.
        ClickTab(E, 1);
        PickFromMenu(E->GetINIEditor(), E->Load1, Path("in.ini"));
        EXPECT_EQ("k=v\r\n", Rows(E));
        TypeInCell(E, 0, 1, "w");
        PickFromMenu(E->GetINIEditor(), E->Save1, Path("out.ini"));
        EXPECT_EQ("k=w\r\n", ReadFile("out.ini"));
        ClickControl(E->btnCancel);
    });
    EXPECT_FALSE(EditStrings(Strings.get()));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(StringsEditorTest, AFileThatCannotBeReadOrWrittenIsReportedAndChangesNothing) {
    WriteFile("locked.txt", "secret\r\n");
    QFile::setPermissions(QString::fromStdString(Path("locked.txt")), QFileDevice::Permissions());
    ASSERT_TRUE(QDir(Dir.path()).mkdir("folder.txt"));  // named so no extension is added
    std::vector<std::string> Unreadable = {Path("missing.txt"), Path("folder.txt")};
    if (access(Path("locked.txt").c_str(), R_OK) != 0) Unreadable.push_back(Path("locked.txt"));
    std::vector<std::string> Unwritable = {Path("folder.txt"), Path("no/folder.txt")};
    if (access("/dev/full", W_OK) == 0) Unwritable.push_back("/dev/full");
    Strings->SetTextStr("before\r\n");
    WhileShown([&](TfrmZkStringsEditor* E) {
        for (const auto& [Names, Item, Prefix] :
             {std::tuple{Unreadable, E->Load1, "Cannot open file \""},
              std::tuple{Unwritable, E->Save1, "Cannot create file \""}}) {
            for (const std::string& Name : Names) {
                Messages.clear();
                PickFromMenu(E->Memo1, Item, Name);
                ASSERT_EQ(1u, Messages.size()) << Name;
                EXPECT_EQ(0u, Messages[0].find(Prefix + Name + "\". ")) << Messages[0];
                EXPECT_EQ("before\r\n", E->GetLines()->GetTextStr());
            }
        }
        EXPECT_EQ(mrNone, E->GetModalResult()) << "the dialog stays open";
        ClickControl(E->btnOK);
    });
    EXPECT_FALSE(EditStrings(Strings.get()));
}

TEST_F(StringsEditorTest, ABinaryFileLoadsAsLinesOfItsBytes) {
    std::string Bytes = "head\r\n";
    for (int B = 0; B < 256; ++B)
        if (B != '\r' && B != '\n') Bytes += static_cast<char>(B);
    WriteFile("blob.bin", Bytes + "\xC3\x28\r\ntail");
    WhileShown([&](TfrmZkStringsEditor* E) {
        PickFromMenu(E->Memo1, E->Load1, Path("blob.bin"));
        ClickTab(E, 1);
        EXPECT_EQ(3, E->GetINIEditor()->GetAllItems().GetCount());
        ClickControl(E->btnOK);
    });
    EXPECT_TRUE(EditStrings(Strings.get()));
    ASSERT_EQ(3, Strings->GetCount());
    EXPECT_EQ("head", Strings->Get(0));
    EXPECT_EQ("tail", Strings->Get(2));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(StringsEditorTest, HelpAsksTheProgramForTheDialogsTopic) {
    std::vector<intptr_t> Asked;
    Application->SetOnHelp(THelpEvent([&](uint16_t Command, intptr_t Data, bool&) {
        if (Command == HELP_CONTEXT) Asked.push_back(Data);
        return true;
    }));
    WhileShown([&](TfrmZkStringsEditor* E) {
        ClickControl(E->btnHelp);
        EXPECT_EQ(mrNone, E->GetModalResult());
        ClickControl(E->btnOK);
    });
    EditStrings(Strings.get());
    Application->SetOnHelp(THelpEvent());
    EXPECT_EQ(std::vector<intptr_t>{26000}, Asked);
}

}  // namespace zk::test
