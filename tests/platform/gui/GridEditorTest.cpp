// The grid's cell editor: when it shows and hides, when SetEditText comes, keys, masks and the
// editor's own hooks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/core/DateUtils.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Grids.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

using TSetCall = std::tuple<int, int, std::string>;

// An editor that records the grid's calls and its own hooks.
class TRecordingEditor : public TInplaceEdit {
public:
    explicit TRecordingEditor(TComponent* AOwner) : TInplaceEdit(AOwner) {}
    int Contents = 0;
    int BoundsCalls = 0;
    int Painted = 0;
    int Exits = 0;
    bool Strip = false;
    std::vector<uint16_t> KeyMessages;
    std::vector<TObject*> CancelSenders;
    using TCustomMaskEdit::GetLineEdit;

    void UpdateContents() override {
        ++Contents;
        TInplaceEdit::UpdateContents();
    }
    void BoundsChanged() override {
        ++BoundsCalls;
        TInplaceEdit::BoundsChanged();
        if (Strip) SetEditRect(Rect(2, 2, GetWidth() - 16, GetHeight()));
    }

protected:
    // F9 is swallowed before the edit sees it.
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_KEYDOWN) {
            KeyMessages.push_back(static_cast<uint16_t>(Message.WParam));
            if (Message.WParam == VK_F9) {
                Message.Result = 1;
                return;
            }
        }
        TInplaceEdit::WndProc(Message);
    }
    void PaintWindow(TCanvas* Canvas) override {
        ++Painted;
        if (!Strip) return;
        Canvas->GetBrush()->SetColor(clRed);
        Canvas->FillRect(Rect(GetWidth() - 16, 0, GetWidth(), GetHeight()));
    }
    void CancelMode(TObject* Sender) override { CancelSenders.push_back(Sender); }
    void DoExit() override {
        ++Exits;
        TInplaceEdit::DoExit();
    }
};

// A grid of text cells "c,r" that records every SetEditText.
class TCellGrid : public TCustomDrawGrid {
public:
    explicit TCellGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
    std::map<std::pair<int, int>, std::string> Cells;
    std::vector<TSetCall> SetCalls;
    std::string Mask;
    int Created = 0;
    bool ReadOnly = false;
    TRecordingEditor* Editor() const { return static_cast<TRecordingEditor*>(GetInplaceEditor()); }
    std::string Cell(int C, int R) const {
        auto It = Cells.find({C, R});
        return It == Cells.end() ? std::to_string(C) + "," + std::to_string(R) : It->second;
    }

protected:
    TInplaceEdit* CreateEditor() override {
        ++Created;
        return Create<TRecordingEditor>(this);
    }
    std::string GetEditText(int C, int R) override { return Cell(C, R); }
    std::string GetEditMask(int, int) override { return Mask; }
    void SetEditText(int C, int R, const std::string& Value) override {
        SetCalls.emplace_back(C, R, Value);
        Cells[{C, R}] = Value;
        TCustomDrawGrid::SetEditText(C, R, Value);
    }
    bool CanEditModify() override { return !ReadOnly; }
};

int QtKeyOf(char C) {
    if (C >= 'a' && C <= 'z') return Qt::Key_A + (C - 'a');
    if (C >= 'A' && C <= 'Z') return Qt::Key_A + (C - 'A');
    return C;
}

class GridEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetBounds(30, 30, 500, 400);
        Grid = Create<TCellGrid>(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(8, 8, 340, 260);
        Grid->SetRowCount(12);
        Grid->SetOptions(Grid->GetOptions() + TGridOptions{goEditing});
        Other = Create<TEdit>(Form.get());
        Other->SetParent(Form.get());
        Other->SetBounds(8, 300, 100, 21);
        Form->Show();
        Application->ProcessMessages();
        Grid->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    QWidget* Focus() const { return QApplication::focusWidget(); }
    QWidget* EditorWidget() const { return Grid->Editor() ? Grid->Editor()->GetWidget() : nullptr; }
    bool EditorShown() const { return Grid->Editor() && Grid->Editor()->GetVisible(); }
    void Key(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        QKeyEvent Press(QEvent::KeyPress, QtKey, Mods);
        QApplication::sendEvent(Focus(), &Press);
        QKeyEvent Release(QEvent::KeyRelease, QtKey, Mods);
        QApplication::sendEvent(Focus(), &Release);
    }
    // Types into whatever has the focus, as the keyboard would.
    void Type(const std::string& Text) {
        for (char C : Text) {
            QKeyEvent Press(QEvent::KeyPress, QtKeyOf(C), Qt::NoModifier, QString(QChar(C)));
            QApplication::sendEvent(Focus(), &Press);
        }
    }
    void ClickCell(int C, int R) {
        const TRect Rc = Grid->CellRect(C, R);
        const QPoint P(Rc.Left + 2 + 5, Rc.Top + 2 + 5);
        QMouseEvent Press(QEvent::MouseButtonPress, QPointF(P),
                          QPointF(Grid->GetWidget()->mapToGlobal(P)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Grid->GetWidget(), &Press);
        QMouseEvent Release(QEvent::MouseButtonRelease, QPointF(P),
                            QPointF(Grid->GetWidget()->mapToGlobal(P)), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Grid->GetWidget(), &Release);
    }
    TOwned<TForm> Form;
    TCellGrid* Grid = nullptr;  // owned by Form
    TEdit* Other = nullptr;     // owned by Form
};

}  // namespace

TEST_F(GridEditorTest, TypingOnTheGridStartsEditingAndEveryChangeReachesSetEditText) {
    ASSERT_EQ(Focus(), Grid->GetWidget());
    Type("ab");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Focus(), EditorWidget());
    EXPECT_EQ(Grid->Editor()->GetText(), "ab") << "the first key replaced the cell's text";
    EXPECT_EQ(Grid->SetCalls, (std::vector<TSetCall>{{1, 1, "a"}, {1, 1, "ab"}}));
    Key(Qt::Key_Down);
    EXPECT_EQ(Grid->GetRow(), 2);
    EXPECT_FALSE(EditorShown()) << "moving ends editing without goAlwaysShowEditor";
    EXPECT_EQ(Grid->SetCalls, (std::vector<TSetCall>{{1, 1, "a"}, {1, 1, "ab"}, {1, 1, "ab"}}))
        << "the text is taken over once more as the editor leaves";
    EXPECT_EQ(Focus(), Grid->GetWidget());
    EXPECT_EQ(Grid->Created, 1);
}

TEST_F(GridEditorTest, EnterTogglesTheEditorAndLoadingItIsNoChange) {
    Key(Qt::Key_Return);
    ASSERT_TRUE(EditorShown());
    EXPECT_TRUE(Grid->GetEditorMode());
    EXPECT_EQ(Grid->Editor()->GetText(), "1,1");
    EXPECT_EQ(Grid->Editor()->GetLineEdit()->selectedText().toStdString(), "1,1");
    EXPECT_TRUE(Grid->SetCalls.empty()) << "loading the cell's text is not an edit";
    EXPECT_EQ(Grid->Editor()->GetBoundsRect(), Grid->CellRect(1, 1));
    Key(Qt::Key_Return);
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(Grid->GetEditorMode());
    EXPECT_EQ(Grid->SetCalls, (std::vector<TSetCall>{{1, 1, "1,1"}}));
    EXPECT_EQ(Grid->Editor()->Exits, 1) << "the editor's window lost the focus to the grid";
    EXPECT_EQ(Focus(), Grid->GetWidget());
    Key(Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_FALSE(Grid->Editor()->GetLineEdit()->hasSelectedText())
        << "F2 leaves the caret, not a selection";
    EXPECT_EQ(Grid->Created, 1);
}

TEST_F(GridEditorTest, EscapeGoesBackToTheTextEditingBeganWith) {
    Type("xyz");
    ASSERT_TRUE(EditorShown());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Grid->Cell(1, 1), "1,1");
    ASSERT_FALSE(Grid->SetCalls.empty());
    EXPECT_EQ(std::get<2>(Grid->SetCalls.back()), "1,1");
}

TEST_F(GridEditorTest, AlwaysShowEditorFollowsTheCurrentCell) {
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goAlwaysShowEditor});
    ASSERT_TRUE(EditorShown());
    TRecordingEditor* E = Grid->Editor();
    const int Contents = E->Contents;
    const int Bounds = E->BoundsCalls;
    Key(Qt::Key_Down);
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Grid->GetRow(), 2);
    EXPECT_EQ(E->GetBoundsRect(), Grid->CellRect(1, 2));
    EXPECT_EQ(E->GetText(), "1,2");
    EXPECT_EQ(E->Contents, Contents + 1);
    EXPECT_GT(E->BoundsCalls, Bounds);
    EXPECT_EQ(Grid->SetCalls, (std::vector<TSetCall>{{1, 1, "1,1"}}));
    // At the text's left edge Left leaves the cell.
    E->GetLineEdit()->setCursorPosition(0);
    Key(Qt::Key_Left);
    EXPECT_EQ(Grid->GetCol(), 1) << "column 0 is fixed";
    E->GetLineEdit()->setCursorPosition(3);
    Key(Qt::Key_Right);
    EXPECT_EQ(Grid->GetCol(), 2);
    EXPECT_EQ(E->GetText(), "2,2");
    Key(Qt::Key_Return);
    EXPECT_TRUE(EditorShown()) << "Enter does not hide an always-shown editor";
}

TEST_F(GridEditorTest, ScrollingMovesTheEditorWithItsCell) {
    Grid->SetRowCount(200);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goAlwaysShowEditor});
    Grid->SetRow(5);
    ASSERT_TRUE(EditorShown());
    Grid->SetTopRow(3);
    EXPECT_EQ(Grid->Editor()->GetBoundsRect(), Grid->CellRect(1, 5));
    Grid->SetTopRow(100);
    EXPECT_FALSE(EditorShown()) << "the cell scrolled out of view";
    Grid->SetTopRow(4);
    EXPECT_TRUE(EditorShown());
}

TEST_F(GridEditorTest, InvalidateEditorReloadsWithoutHandingTheTextOver) {
    Key(Qt::Key_Return);
    Grid->Cells[{1, 1}] = "changed elsewhere";
    Grid->InvalidateEditor();
    EXPECT_EQ(Grid->Editor()->GetText(), "changed elsewhere");
    EXPECT_TRUE(Grid->SetCalls.empty());
}

TEST_F(GridEditorTest, HideEditKeepsEditorModeAndHideEditorEndsIt) {
    Grid->ShowEditor();
    ASSERT_TRUE(EditorShown());
    Grid->HideEdit();
    EXPECT_FALSE(EditorShown());
    EXPECT_TRUE(Grid->GetEditorMode());
    EXPECT_EQ(Grid->SetCalls.size(), 1u);
    Grid->ShowEditor();
    Grid->HideEditor();
    EXPECT_FALSE(Grid->GetEditorMode());
    EXPECT_EQ(Grid->SetCalls.size(), 2u);
    Grid->HideEditor();
    EXPECT_EQ(Grid->SetCalls.size(), 2u) << "a hidden editor has no text to hand over";
}

TEST_F(GridEditorTest, ClickingAnotherCellTakesTheTextOver) {
    Type("q");
    ClickCell(3, 4);
    EXPECT_EQ(Grid->GetCol(), 3);
    EXPECT_EQ(Grid->GetRow(), 4);
    EXPECT_EQ(Grid->SetCalls, (std::vector<TSetCall>{{1, 1, "q"}, {1, 1, "q"}}));
    EXPECT_FALSE(EditorShown());
    ClickCell(3, 4);
    EXPECT_TRUE(EditorShown()) << "a click on the current cell edits it";
    EXPECT_EQ(Grid->Editor()->GetText(), "3,4");
}

TEST_F(GridEditorTest, LeavingTheGridHidesTheEditorAndTakesTheTextOver) {
    Type("w");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Form->GetActiveControl(), Grid) << "the editor's focus counts as the grid's";
    EXPECT_TRUE(Grid->IsActiveControl());
    Other->SetFocus();
    Application->ProcessMessages();
    EXPECT_FALSE(EditorShown());
    ASSERT_FALSE(Grid->SetCalls.empty());
    EXPECT_EQ(Grid->SetCalls.back(), (TSetCall{1, 1, "w"}));
    EXPECT_EQ(Grid->SetCalls.size(), 2u);
}

TEST_F(GridEditorTest, AnEditorIsNotShownWithoutGoEditingOrWithRowSelect) {
    Grid->SetOptions(Grid->GetOptions() - TGridOptions{goEditing});
    Key(Qt::Key_Return);
    Type("a");
    EXPECT_FALSE(EditorShown());
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goEditing, goRowSelect});
    Grid->ShowEditor();
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Grid->Created, 0);
}

TEST_F(GridEditorTest, AMaskedCellTypesThroughTheMaskAndHandsOverTheSavedText) {
    Grid->Mask = "!90/00/0000;1;_";
    Grid->Cells[{1, 1}] = DateToStr(EncodeDate(2024, 3, 5));
    Key(Qt::Key_Return);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Grid->Editor()->GetEditText(), "03/05/2024");
    Type("12312023");
    EXPECT_EQ(Grid->Editor()->GetEditText(), "12/31/2023");
    Type("x");
    EXPECT_EQ(Grid->Editor()->GetEditText(), "12/31/2023") << "the mask refuses a letter";
    ASSERT_FALSE(Grid->SetCalls.empty());
    EXPECT_EQ(std::get<2>(Grid->SetCalls.back()), "12/31/2023");
    Key(Qt::Key_Down);
    EXPECT_EQ(StrToDate(Grid->Cell(1, 1)), EncodeDate(2023, 12, 31));

    Grid->Mask = "!90:00:00 >LL;1;_";
    Grid->Cells[{1, 2}] = "";
    Key(Qt::Key_Return);
    EXPECT_EQ(Grid->Editor()->GetEditText(), "__:__:__ __");
    Type("1:05:09 pm");
    EXPECT_EQ(Grid->Editor()->GetEditText(), "_1:05:09 PM");
    EXPECT_EQ(Grid->Editor()->GetText(), " 1:05:09 PM");
    Key(Qt::Key_Return);
    EXPECT_EQ(StrToTime(Grid->Cell(1, 2)), EncodeTime(13, 5, 9, 0));

    Grid->Mask = "!90/00/0000 90:00:00 >LL;1;_";
    Grid->Cells[{1, 2}] = DateTimeToStr(EncodeDate(2001, 1, 9) + EncodeTime(8, 4, 0, 0));
    Key(Qt::Key_Return);
    EXPECT_EQ(Grid->Editor()->GetEditText(), "01/09/2001 08:04:00 AM");
}

TEST_F(GridEditorTest, BackspaceInAMaskedCellBlanksThePositionBefore) {
    Grid->Mask = "!90/00/0000;1;_";
    Grid->Cells[{1, 1}] = "03/05/2024";
    Key(Qt::Key_F2);
    Grid->Editor()->GetLineEdit()->setCursorPosition(10);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Grid->Editor()->GetEditText(), "03/05/202_");
    ASSERT_FALSE(Grid->SetCalls.empty());
    EXPECT_EQ(std::get<2>(Grid->SetCalls.back()), "03/05/202");
}

TEST_F(GridEditorTest, AReadOnlyCellRefusesTyping) {
    Grid->ReadOnly = true;
    Key(Qt::Key_Return);
    ASSERT_TRUE(EditorShown());
    Type("zz");
    Key(Qt::Key_Delete);
    EXPECT_EQ(Grid->Editor()->GetText(), "1,1");
    EXPECT_TRUE(Grid->SetCalls.empty());
}

TEST_F(GridEditorTest, UndoTakesBackOnlyTheLastEdit) {
    Type("ab");
    Grid->Editor()->Undo();
    EXPECT_EQ(Grid->Editor()->GetText(), "a");
    ASSERT_FALSE(Grid->SetCalls.empty());
    EXPECT_EQ(std::get<2>(Grid->SetCalls.back()), "a");
    Grid->Editor()->Undo();
    EXPECT_EQ(Grid->Editor()->GetText(), "ab") << "a second undo redoes";
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Grid->Editor()->GetText(), "a");
}

TEST_F(GridEditorTest, TheEditorsKeysPassItsWndProcFirst) {
    Key(Qt::Key_Return);
    TRecordingEditor* E = Grid->Editor();
    int GridKeys = 0;
    Grid->SetOnKeyDown(TKeyEvent([&](TObject* Sender, uint16_t&, TShiftState) {
        EXPECT_EQ(Sender, Grid);
        ++GridKeys;
    }));
    Key(Qt::Key_F9);
    EXPECT_EQ(E->KeyMessages, (std::vector<uint16_t>{VK_F9}));
    EXPECT_EQ(GridKeys, 0) << "the message was consumed before the key steps";
    Key(Qt::Key_F8);
    EXPECT_EQ(GridKeys, 1) << "the grid's OnKeyDown sees the editor's keys";
    Key(Qt::Key_Down);
    EXPECT_EQ(GridKeys, 2);
    EXPECT_EQ(Grid->GetRow(), 2);
}

TEST_F(GridEditorTest, CancelModeReachesTheEditorWithTheNewCaptureHolder) {
    Key(Qt::Key_Return);
    SetCaptureControl(Grid->Editor());
    SetCaptureControl(Grid);
    SetCaptureControl(nullptr);
    EXPECT_EQ(Grid->Editor()->CancelSenders, (std::vector<TObject*>{Grid}));
}

TEST_F(GridEditorTest, PaintWindowPaintsAStripThatTheTextLeavesAlone) {
    Grid->Cells[{1, 1}] = "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
    Grid->SetColWidths(1, 120);
    Key(Qt::Key_Return);
    TRecordingEditor* E = Grid->Editor();
    E->Strip = true;
    Grid->InvalidateEditor();
    const QImage Image = E->GetWidget()->grab().toImage();
    EXPECT_GT(E->Painted, 0);
    EXPECT_EQ(E->GetLineEdit()->textMargins().right(), 16);
    EXPECT_EQ(QColorToColor(Image.pixelColor(E->GetWidth() - 8, E->GetHeight() / 2)), clRed);
    EXPECT_EQ(E->GetEditRect(), Rect(2, 2, E->GetWidth() - 16, E->GetHeight()));
}

TEST_F(GridEditorTest, FreeingTheEditorLetsTheGridMakeANewOne) {
    Key(Qt::Key_Return);
    Grid->GetInplaceEditor()->Free();
    EXPECT_EQ(Grid->GetInplaceEditor(), nullptr);
    Grid->HideEditor();
    Grid->SetFocus();
    Application->ProcessMessages();
    Key(Qt::Key_Return);
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Grid->Created, 2);
}

// A grid whose options wanted the editor from the start got it only with the
// first key, and focus given to the grid stayed there, so typing went to the
// end of the cell's text instead of replacing it.
TEST(GridEditorAlwaysShown, TheEditorComesWithTheWindowAndTakesTheFocusTheGridGets) {
    TOwned<TForm> F(Create<TForm>(nullptr));
    F->SetBounds(30, 30, 400, 300);
    auto* Edit = Create<TEdit>(F.get());
    Edit->SetParent(F.get());
    Edit->SetBounds(8, 250, 100, 21);
    auto* G = Create<TCellGrid>(F.get());
    G->SetParent(F.get());
    G->SetBounds(8, 8, 340, 200);
    G->SetOptions(G->GetOptions() + TGridOptions{goEditing, goAlwaysShowEditor});
    F->Show();
    Application->ProcessMessages();
    ASSERT_NE(nullptr, G->Editor());
    EXPECT_TRUE(G->Editor()->GetVisible());
    EXPECT_EQ("1,1", G->Editor()->GetText());
    Edit->SetFocus();
    Application->ProcessMessages();
    G->SetFocus();
    Application->ProcessMessages();
    ASSERT_EQ(G->Editor()->GetWidget(), QApplication::focusWidget());
    QKeyEvent Press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    QApplication::sendEvent(QApplication::focusWidget(), &Press);
    EXPECT_EQ("x", G->Cell(1, 1));
    F.reset();
    Application->ProcessMessages();
}

}  // namespace zk::test
