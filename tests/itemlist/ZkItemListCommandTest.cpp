// The input options through real key, mouse and wheel events: tree keys and double clicks that
// never reach the editor's text, the wheel that scrolls without moving or committing, clipboard
// lines through the commit; and each option's default leaving the classic behaviour.
#include <QClipboard>
#include <QTest>
#include <QWheelEvent>

#include "ItemListTestUtil.h"

namespace zk::test {

namespace {

const char* const Tree = R"(Font |e
  Color=clRed
  Style
    fsBold=False
Caption=Hello
Anchors
  akLeft=True
)";

}  // namespace

class ItemListCommandTest : public ItemListTest {
protected:
    void TearDown() override {
        SetMessageBoxHandler(nullptr);
        ItemListTest::TearDown();
    }
    void Key(int QtKey, Qt::KeyboardModifiers Mods) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(QtKey), Mods);
        Application->ProcessMessages();
    }
    // One notch of the wheel over the middle of the grid; Down scrolls towards the end.
    void Wheel(bool Down) {
        const QPoint P = ToWidget(100, 100);
        QWheelEvent E(QPointF(P), QPointF(W()->mapToGlobal(P)), QPoint(),
                      QPoint(0, Down ? -120 : 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
        QApplication::sendEvent(W(), &E);
        Application->ProcessMessages();
    }
    // A double click as the system delivers it: press, release, double click, release.
    void DoubleClickAt(QWidget* Target, QPoint P) {
        QTest::mouseClick(Target, Qt::LeftButton, Qt::NoModifier, P);
        QTest::mouseDClick(Target, Qt::LeftButton, Qt::NoModifier, P);
        QTest::mouseRelease(Target, Qt::LeftButton, Qt::NoModifier, P);
        Application->ProcessMessages();
    }
    QPoint NameCell(const std::string& Path) {
        const TRect R = Grid->CellRect(0, RowOf(Item(Path)));
        return ToWidget(R.Right - 10, (R.Top + R.Bottom) / 2);
    }
    std::vector<std::string>& CatchMessages() {
        SetMessageBoxHandler([this](const std::string& Msg, int, int) {
            Messages.push_back(Msg);
            return static_cast<int>(mrOk);
        });
        return Messages;
    }
    // Many lines, so that the view can scroll.
    void BuildLong() {
        for (int I = 0; I < 60; ++I) {
            TZkItemProp* P = Items()->AddItem();
            P->SetName("Item" + std::to_string(I));
            P->GetValues()->SetTextStr(std::to_string(I));
        }
    }
    std::vector<std::string> Messages;
};

TEST_F(ItemListCommandTest, TreeKeysOpenAndCloseTheCurrentLineWithoutTouchingTheEditorsText) {
    Build(Tree);
    Grid->SetTreeKeys(true);
    TZkInplaceEditList* Editor = EditAt("Font");
    PressChar('x');
    ASSERT_EQ(Editor->GetText(), "x");
    Key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Shown(), "Font,Caption,Anchors");
    Key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Shown(), "Font,Color,Style,Caption,Anchors");
    Key(Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(Shown(), "Font,Color,Style,fsBold,Caption,Anchors");
    EXPECT_EQ(Editor->GetText(), "x");
    EXPECT_TRUE(Editor->GetModified());
    EXPECT_EQ(Grid->GetCurrentItem(), Item("Font"));

    // A double click on a name toggles its item; on the glyph only the first press does.
    DoubleClickAt(W(), NameCell("Anchors"));
    EXPECT_TRUE(Item("Anchors")->GetExpanded());
    const TRect Cell = Grid->CellRect(0, RowOf(Item("Font.Style")));
    const TRect Glyph = Grid->GlyphRect(Cell, Item("Font.Style"));
    const QPoint OnGlyph = ToWidget(Glyph.Left + 2, Glyph.Top + 2);
    DoubleClickAt(W(), OnGlyph);
    EXPECT_FALSE(Item("Font.Style")->GetExpanded());
    // An editable name cell holds the editor: the double click reaches it there.
    Grid->SetPropertyOptions(TILEPropOptions{propEdit});
    Grid->SetLogical(lwColumn, 0);
    Grid->SelectItem(Item("Anchors"));
    Grid->ShowEditor();
    Application->ProcessMessages();
    DoubleClickAt(Grid->GetInplaceEditList()->GetWidget(), QPoint(5, 5));
    EXPECT_FALSE(Item("Anchors")->GetExpanded());
    EXPECT_EQ(Item("Anchors")->GetName(), "Anchors");
}

TEST_F(ItemListCommandTest, WithoutTreeKeysAltArrowsAndDoubleClicksDoWhatTheyDidBefore) {
    Build(Tree);
    TZkInplaceEditList* Editor = EditAt("Anchors");
    Key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_FALSE(Item("Anchors")->GetExpanded());
    EXPECT_EQ(Editor->GetText(), "");
    DoubleClickAt(W(), NameCell("Font.Style"));
    EXPECT_FALSE(Item("Font.Style")->GetExpanded());
    EXPECT_EQ(Grid->GetCurrentItem(), Item("Font.Style"));
}

TEST_F(ItemListCommandTest, TheWheelScrollsTheViewAndNeitherMovesNorCommitsTheCurrentLine) {
    BuildLong();
    int Validated = 0;
    Grid->SetOnValidate(TZkOnValidateEvent([&](TObject*, TZkItemProp*, int) { ++Validated; }));
    Grid->SetWheelScrolls(true);
    TZkInplaceEditList* Editor = EditAt("Item2");
    PressChar('9');
    const int Top = Grid->GetTopLine();
    Wheel(true);
    Wheel(true);
    EXPECT_EQ(Grid->GetTopLine(), Top + 2 * QApplication::wheelScrollLines());
    EXPECT_EQ(Grid->GetCurrentItem(), Item("Item2"));
    EXPECT_EQ(Validated, 0);
    EXPECT_FALSE(Editor->GetVisible());  // its cell is out of view
    Wheel(false);
    Wheel(false);
    EXPECT_EQ(Grid->GetTopLine(), Top);
    EXPECT_TRUE(Editor->GetVisible());
    EXPECT_EQ(Editor->GetText(), "9");
    EXPECT_EQ(Validated, 0);
    Key(Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(Validated, 1);
    EXPECT_EQ(Item("Item2")->GetValue(), "9");
}

TEST_F(ItemListCommandTest, WithoutWheelScrollsTheWheelMovesTheCurrentLineAndCommits) {
    BuildLong();
    int Validated = 0;
    Grid->SetOnValidate(TZkOnValidateEvent([&](TObject*, TZkItemProp*, int) { ++Validated; }));
    EditAt("Item2");
    PressChar('9');
    Wheel(true);
    EXPECT_EQ(Grid->GetCurrentItem(), Item("Item3"));
    EXPECT_EQ(Validated, 1);
}

TEST_F(ItemListCommandTest, ClipboardLinesAreCopiedAndPastedThroughTheCommit) {
    Build(Tree);
    Grid->SetClipboardKeys(true);
    Grid->SetOptions(Grid->GetOptions().Include(goRangeSelect));
    std::vector<std::string> Validated;
    Grid->SetOnValidate(TZkOnValidateEvent([&](TObject*, TZkItemProp* I, int) {
        Validated.push_back(I->GetName());
        if (I->GetValue() == "bad") throw Exception("Refused");
    }));
    EditAt("Font.Color");
    Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Font.Color=clRed");
    // A selection of lines gives a line each.
    Grid->SetFocus();
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Font.Color=clRed\nFont.Style=\nCaption=Hello");

    CatchMessages();
    QGuiApplication::clipboard()->setText("Font.Color=bad\r\nCaption=Bye\r\nMissing=1\r\n");
    Key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Item("Font.Color")->GetValue(), "clRed");  // refused: unchanged
    EXPECT_EQ(Item("Caption")->GetValue(), "Bye");
    EXPECT_EQ(Validated, (std::vector<std::string>{"Color", "Caption"}));
    EXPECT_EQ(Messages, (std::vector<std::string>{"Refused.", "Property not found: Missing."}));
    EXPECT_EQ(Grid->GetInplaceEditList()->GetText(),
              Grid->GetEditText(Grid->GetCol(), Grid->GetRow()));
}

TEST_F(ItemListCommandTest, WithoutClipboardKeysTheClipboardIsLeftAlone) {
    Build(Tree);
    QGuiApplication::clipboard()->setText("Caption=Bye");
    TZkInplaceEditList* Editor = EditAt("Font.Color");
    Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    Key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Caption=Bye");
    EXPECT_EQ(Item("Caption")->GetValue(), "Hello");
    EXPECT_EQ(Editor->GetText(), "clRed");
}

}  // namespace zk::test
