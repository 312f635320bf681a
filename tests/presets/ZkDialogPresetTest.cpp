// The stock presets' ellipsis buttons clicked on a real inspector: the dialog that shows, filled
// in through the modal seam and confirmed or cancelled, and what the inspected objects hold after.
#include <QFile>
#include <QFontDialog>
#include <QImage>
#include <QTemporaryDir>

#include "StockPresetTestUtil.h"
#include "dialogs/ZkCollectionEditor.h"
#include "dialogs/ZkItemsDlg.h"
#include "dialogs/ZkTDateEditor.h"
#include "dialogs/ZkTStringsEditor.h"
#include "platform/core/DateUtils.h"
#include "platform/core/List.h"
#include "platform/gui/Buttons.h"
#include "platform/gui/DateTimePicker.h"
#include "platform/gui/Image.h"
#include "platform/gui/LabeledEdit.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/ValueListEditor.h"

namespace zk::test {

namespace {

class DialogPresetTest : public StockPresetTest {
protected:
    std::string Path(const std::string& Name) const {
        return Dir.filePath(QString::fromStdString(Name)).toStdString();
    }
    std::string WriteFile(const std::string& Name, const QByteArray& Bytes) {
        QFile F(QString::fromStdString(Path(Name)));
        EXPECT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(Bytes);
        return Path(Name);
    }
    QTemporaryDir Dir;
};

const auto Cancel = [](auto*) { return static_cast<int>(mrCancel); };

}  // namespace

TEST_F(DialogPresetTest, TheFontDialogStartsFromTheRowsFontAndChangesEveryObjectsFont) {
    auto* One = Add<TButton>("Button1");
    auto* Two = Add<TButton>("Button2");
    One->GetFont()->SetHeight(-20);
    Two->GetFont()->SetHeight(-20);
    Inspect({One, Two});
    EXPECT_EQ(ClickEllipsis<TFontDialog>("Font", Cancel), 1);
    EXPECT_EQ(Row("Font.Style")->GetValue(), "[]");
    EXPECT_EQ(ClickEllipsis<TFontDialog>("Font",
                                         [](TFontDialog* D) {
                                             EXPECT_EQ(D->GetFont()->GetHeight(), -20);
                                             QFont F = D->GetFontDialog()->currentFont();
                                             F.setUnderline(true);
                                             D->GetFontDialog()->setCurrentFont(F);
                                             return static_cast<int>(mrOk);
                                         }),
              1);
    for (TButton* B : {One, Two}) {
        EXPECT_EQ(B->GetFont()->GetStyle(), TFontStyles{fsUnderline});
        EXPECT_EQ(B->GetFont()->GetHeight(), -20);
    }
    EXPECT_EQ(Shown("Font.Style"), "[fsUnderline]") << "the rows were refreshed";
}

TEST_F(DialogPresetTest, TheStringListEditorOffersTheViewsOfItsPresetAndWritesConfirmedLines) {
    auto* Memo = Add<TMemo>("Memo1");
    auto* Other = Add<TMemo>("Memo2");
    Memo->GetLines()->SetTextStr("one\n");
    Other->GetLines()->SetTextStr("one\n");
    Inspector->SetInplaceTStrings(true);
    Inspect({Memo, Other});
    ClickEllipsis<TfrmZkStringsEditor>("Lines", [](TfrmZkStringsEditor* E) {
        EXPECT_TRUE(E->GetShowNormal());
        EXPECT_FALSE(E->GetShowINI());
        E->GetLines()->SetTextStr("dropped\n");
        return static_cast<int>(mrCancel);
    });
    EXPECT_EQ(Memo->GetLines()->GetTextStr(), "one\r\n");
    ClickEllipsis<TfrmZkStringsEditor>("Lines", [](TfrmZkStringsEditor* E) {
        EXPECT_EQ(E->GetLines()->GetTextStr(), "one\r\n");
        E->GetLines()->SetTextStr("one\ntwo\n");
        return static_cast<int>(mrOk);
    });
    EXPECT_EQ(Memo->GetLines()->GetTextStr(), "one\r\ntwo\r\n");
    EXPECT_EQ(Other->GetLines()->GetTextStr(), "one\r\ntwo\r\n");
    EXPECT_EQ(Shown("Lines.Items[1]"), "two") << "the line rows were rebuilt";

    // A value list editor's Strings: the later INI preset wins and offers only its view.
    Inspect({Add<TValueListEditor>("ValueListEditor1")});
    ClickEllipsis<TfrmZkStringsEditor>("Strings", [](TfrmZkStringsEditor* E) {
        EXPECT_FALSE(E->GetShowNormal());
        EXPECT_TRUE(E->GetShowINI());
        return static_cast<int>(mrCancel);
    });
}

TEST_F(DialogPresetTest, APictureFileIsLoadedIntoThePictureOrBitmapOfTheRow) {
    std::vector<std::string>& Msgs = CatchMessages();
    const std::string Png = Path("seven.png");
    ASSERT_TRUE(QImage(7, 5, QImage::Format_RGB32).save(QString::fromStdString(Png)));
    const std::string Bad = WriteFile("bad.png", "not a picture");
    auto* Image = Add<TImage>("Image1");
    auto* Glyph = Add<TBitBtn>("BitBtn1");
    auto Pick = [](const std::string& Name) {
        return [Name](TOpenPictureDialog* D) {
            D->SetFileName(Name);
            return static_cast<int>(mrOk);
        };
    };
    Inspect({Image});
    ClickEllipsis<TOpenPictureDialog>("Picture", Cancel);
    EXPECT_EQ(Image->GetPicture()->GetWidth(), 0);
    ClickEllipsis<TOpenPictureDialog>("Picture", Pick(Png));
    EXPECT_EQ(Image->GetPicture()->GetWidth(), 7);
    // A file that does not load is reported and costs nothing.
    ClickEllipsis<TOpenPictureDialog>("Picture", Pick(Bad));
    EXPECT_EQ(Msgs, std::vector<std::string>{"Bitmap image is not valid."});
    EXPECT_EQ(Image->GetPicture()->GetWidth(), 7);

    Inspect({Glyph});
    ClickEllipsis<TOpenPictureDialog>("Glyph", Pick(Png));
    EXPECT_EQ(Glyph->GetGlyph()->GetHeight(), 5);
}

TEST_F(DialogPresetTest, TheFileDialogGetsThePresetsSettingsAndTheRowsText) {
    const std::string Old = WriteFile("old.txt", "");
    const std::string New = WriteFile("new.txt", "");
    auto* Dialog = Add<TOpenDialog>("OpenDialog1");
    Dialog->SetFileName(Old);
    // A file name property named FileName: the later, name-matching preset acts.
    auto* Named = Preset<TZkFilenamePropPropertyPreset>();
    Named->SetFilter("Text (*.txt)|*.txt|All (*.*)|*.*");
    Named->SetFilterIndex(2);
    Named->SetTitle("Choose");
    Named->SetInitialDir(Dir.path().toStdString() + "/");
    Inspect({Dialog});
    ClickEllipsis<TOpenDialog>("FileName", Cancel);
    EXPECT_EQ(Dialog->GetFileName(), Old);
    ClickEllipsis<TOpenDialog>("FileName", [&](TOpenDialog* D) {
        EXPECT_EQ(D->GetFileName(), Old);
        EXPECT_EQ(D->GetFilter(), Named->GetFilter());
        EXPECT_EQ(D->GetFilterIndex(), 2);
        EXPECT_EQ(D->GetTitle(), "Choose");
        EXPECT_EQ(D->GetInitialDir(), Dir.path().toStdString());
        EXPECT_EQ(D->GetOptions(), (TOpenOptions{ofHideReadOnly, ofEnableSizing}));
        D->SetFileName(New);
        return static_cast<int>(mrOk);
    });
    EXPECT_EQ(Dialog->GetFileName(), New);
    EXPECT_EQ(Shown("FileName"), New);
}

TEST_F(DialogPresetTest, TheDatePopUpPicksTheDayAndADateTimeKeepsItsCurrentTimeOfDay) {
    auto* Picker = Add<TDateTimePicker>("Picker1");
    const TDateTime Morning = EncodeTime(9, 30, 0, 0);
    Picker->SetDateTime(EncodeDate(2024, 3, 5) + Morning);
    auto PickDay = [](TDateTime Expected, TDateTime Day) {
        return [=](TfrmDateEditor* E) {
            EXPECT_EQ(E->GetDate(), Expected) << "starts at the row's day";
            E->SetDate(Day);
            return static_cast<int>(mrOk);
        };
    };
    Inspect({Picker});
    ClickEllipsis<TfrmDateEditor>("Date",
                                  PickDay(EncodeDate(2024, 3, 5), EncodeDate(2024, 12, 25)));
    EXPECT_EQ(Picker->GetDateTime(), EncodeDate(2024, 12, 25) + Morning);
    EXPECT_EQ(Shown("Date"), "12/25/2024");
    TfrmDateEditor* PopUp = Preset<TZkTDatePropertyPreset>()->GetDateEditor();
    ClickEllipsis<TfrmDateEditor>("Date", Cancel);
    EXPECT_EQ(Preset<TZkTDatePropertyPreset>()->GetDateEditor(), PopUp) << "kept for reuse";
    EXPECT_EQ(Picker->GetDate(), EncodeDate(2024, 12, 25));

    // The pop-up starts from, and keeps the time of, the value as it is now,
    // not as the last rescan found it: a time typed in meanwhile used to be
    // overwritten by the old one.
    Commit("Time", "10:15:00 PM");
    ClickEllipsis<TfrmDateEditor>("DateTime",
                                  PickDay(EncodeDate(2024, 12, 25), EncodeDate(2025, 1, 2)));
    EXPECT_NEAR(Picker->GetDateTime(), EncodeDate(2025, 1, 2) + EncodeTime(22, 15, 0, 0), 1e-8);
    EXPECT_EQ(Shown("DateTime"), "01/02/2025 10:15:00 PM");
}

TEST_F(DialogPresetTest, TheCollectionEditorOpensOnceWithTheRowsPathInItsCaption) {
    auto* List = Add<TListView>("ListView1");
    Inspect({List});
    EXPECT_EQ(ClickEllipsis<TComponent>("Columns", Cancel), 0) << "modeless";
    auto Open = [] {
        TThreadList::TLock Editors(*OpenEditors());
        return Editors->GetCount() == 1 ? static_cast<TfrmCollectionEditor*>(Editors->Get(0))
                                        : nullptr;
    };
    TOwned<TfrmCollectionEditor> Editor(Open());
    ASSERT_NE(Editor, nullptr);
    EXPECT_EQ(Editor->GetCollection(), List->GetColumns());
    EXPECT_EQ(Editor->GetObjectInspector(), Inspector);
    const std::string Caption = Editor->GetCaption();
    EXPECT_EQ(Caption.substr(Caption.size() - 18), " ListView1.Columns");
    ClickEllipsis<TComponent>("Columns", Cancel);
    EXPECT_EQ(Open(), Editor.get()) << "brought to the front, not opened again";
}

TEST_F(DialogPresetTest, TheItemsDialogsEditTheListViewOrTreeViewThatOwnsTheRow) {
    auto* List = Add<TListView>("ListView1");
    List->GetItems()->Add()->SetCaption("First");
    auto* Tree = Add<TTreeView>("TreeView1");
    Tree->GetItems()->Add(nullptr, "Root");
    Inspect({List});
    EXPECT_EQ(ClickEllipsis<TfrmTListItemsDlg>("Items",
                                               [&](TfrmTListItemsDlg* D) {
                                                   EXPECT_EQ(D->GetListItems(), List->GetItems());
                                                   return static_cast<int>(mrCancel);
                                               }),
              1);
    Inspect({Tree});
    ClickEllipsis<TfrmTTreeNodesDlg>("Items", [&](TfrmTTreeNodesDlg* D) {
        EXPECT_EQ(D->GetTreeNodes(), Tree->GetItems());
        // As a user renames the node: select it, retype its caption, press OK.
        D->TreeView1->SetSelected(D->TreeView1->GetItems()->GetFirstNode());
        QWidget* Caption = D->leCaption->GetWidget();
        ClickAt(Caption, Caption->rect().center());
        SendKeyTo(Caption, Qt::Key_A, QString(), Qt::ControlModifier);
        SendKeyTo(Caption, Qt::Key_Delete);
        TypeText(Caption, "Trunk");
        D->UpdateActions();
        ClickAt(D->OKBtn->GetWidget(), D->OKBtn->GetWidget()->rect().center());
        return D->GetModalResult();
    });
    EXPECT_EQ(Tree->GetItems()->GetFirstNode()->GetText(), "Trunk");
}

// A dialog handler must not outlive its row: the dialog's message loop may
// rebuild the rows, and the result then goes to the row of the same name.
TEST_F(DialogPresetTest, AResultReachesTheRowEvenWhenTheRowsWereRebuiltMeanwhile) {
    auto* Dialog = Add<TOpenDialog>("OpenDialog1");
    const std::string New = WriteFile("new.txt", "");
    Inspect({Dialog});
    ClickEllipsis<TOpenDialog>("FileName", [&](TOpenDialog* D) {
        Inspector->Rescan();
        D->SetFileName(New);
        return static_cast<int>(mrOk);
    });
    EXPECT_EQ(Dialog->GetFileName(), New);
}

}  // namespace zk::test
