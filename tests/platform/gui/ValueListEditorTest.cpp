// The value list editor: its lines as key and value cells, editing them by keyboard, adding and
// deleting lines, key checks, and the lines in the form stream.
#include <QApplication>
#include <QKeyEvent>

#include "GuiTestUtil.h"
#include "platform/gui/Forms.h"
#include "platform/gui/ValueListEditor.h"

namespace zk::test {

namespace {

class ValueListEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetBounds(0, 0, 360, 280);
        Editor = Create<TValueListEditor>(Form.get());
        Editor->SetName("ValueListEditor1");
        Editor->SetParent(Form.get());
        Editor->SetBounds(8, 8, 300, 200);
        Editor->GetStrings()->SetText("Name=Zk\r\nSize=10\r\n");
    }
    void TearDown() override {
        Application->SetOnException(TExceptionEvent());
        Form.reset();
        Application->ProcessMessages();
    }
    void ShowFocused() {
        Form->Show();
        Application->ProcessMessages();
        Editor->SetFocus();
        Application->ProcessMessages();
    }
    QWidget* Focus() const { return QApplication::focusWidget(); }
    void Key(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        SendKeyTo(Focus(), QtKey, {}, Mods);
    }
    // Replaces the current cell's text as a user would: select all, then type.
    void Retype(const std::string& Text) {
        Key(Qt::Key_A, Qt::ControlModifier);
        Key(Qt::Key_Backspace);
        TypeText(Focus(), Text);
    }
    std::string Lines() const { return Editor->GetStrings()->GetText(); }
    std::string EditorText() const {
        return Editor->GetInplaceEditor() ? Editor->GetInplaceEditor()->GetText() : "<none>";
    }

    TOwned<TForm> Form;
    TValueListEditor* Editor = nullptr;
};

}  // namespace

TEST_F(ValueListEditorTest, PublishedPropertiesShapeTheGrid) {
    CheckPublished(Editor,
                   {{"DisplayOptions", "[vdoColumnTitles]",
                     [&] { return Editor->GetFixedRows() == 1 && Editor->GetFixedCols() == 0; }},
                    {"DisplayOptions", "[vdoKeyColFixed]",
                     [&] {
                         return Editor->GetFixedRows() == 0 && Editor->GetFixedCols() == 1 &&
                                Editor->GetRowCount() == 2 && Editor->GetCells(0, 0) == "Name";
                     }},
                    {"KeyOptions", "[keyEdit,keyAdd]", [&] { return Editor->GetFixedCols() == 0; }},
                    {"DefaultColWidth", 90, [&] { return Editor->GetColWidths(0) == 90; }},
                    {"DisplayOptions", "[vdoColumnTitles,vdoAutoColResize,vdoKeyColFixed]", [&] {
                         return Editor->GetRowCount() == 3 && Editor->GetCells(1, 0) == "Value";
                     }}});
    // keyAdd and keyUnique cannot work without keyEdit.
    SetSetProp(Editor, "KeyOptions", "[keyUnique]");
    EXPECT_EQ("[keyEdit,keyUnique]", GetSetProp(Editor, "KeyOptions"));
    // The value column takes what the key column leaves of the width.
    TGridDrawInfo DI;
    Editor->CalcDrawInfo(DI);
    EXPECT_EQ(Editor->GetClientRect().Width(),
              Editor->GetColWidths(0) + Editor->GetColWidths(1) + 2 * DI.Horz.EffectiveLineWidth);
    Editor->SetWidth(400);
    Editor->CalcDrawInfo(DI);
    EXPECT_EQ(Editor->GetClientRect().Width(),
              Editor->GetColWidths(0) + Editor->GetColWidths(1) + 2 * DI.Horz.EffectiveLineWidth);
}

// SetValueFromIndex deletes a line whose value becomes empty; a user who
// clears a value to retype it must not lose the line.
TEST_F(ValueListEditorTest, TypingRewritesTheLineAndAnEmptiedValueKeepsIt) {
    std::vector<std::string> Validated;
    Editor->SetOnValidate(TOnValidateEvent([&](TObject*, int ACol, int ARow, const std::string& K,
                                               const std::string& V) {
        Validated.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + K + "=" + V);
    }));
    int Changes = 0;
    Editor->SetOnStringsChange(TNotifyEvent([&](TObject*) { ++Changes; }));
    ShowFocused();
    ASSERT_EQ("Zk", EditorText()) << "the editor always shows, on the first value";
    Retype("Qt");
    EXPECT_EQ("Name=Qt\r\nSize=10\r\n", Lines());
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Backspace);
    EXPECT_EQ("Name=\r\nSize=10\r\n", Lines());
    EXPECT_EQ(2, Editor->GetRowCount() - Editor->GetFixedRows());
    EXPECT_TRUE(Validated.empty()) << "validation waits until the cell is left";
    Key(Qt::Key_Down);
    EXPECT_EQ(std::vector<std::string>{"1,1 Name="}, Validated);
    EXPECT_EQ("10", EditorText());
    // Leaving an untouched cell validates nothing; Escape takes a cell's typing back.
    Key(Qt::Key_Up);
    Key(Qt::Key_Down);
    TypeText(Focus(), "0");
    Key(Qt::Key_Escape);
    EXPECT_EQ("Name=\r\nSize=10\r\n", Lines());
    EXPECT_EQ(1u, Validated.size());
    EXPECT_GT(Changes, 0);
    // Without keyEdit the keys are read-only.
    EXPECT_EQ(1, Editor->GetFixedCols());
    Editor->SetDisplayOptions({vdoColumnTitles});
    Editor->SetCol(0);
    TypeText(Focus(), "x");
    EXPECT_EQ("Name=\r\nSize=10\r\n", Lines());
}

TEST_F(ValueListEditorTest, InsertAddsALineCtrlDeleteDeletesItAndABlankRowLeftEmptyGoes) {
    Editor->SetKeyOptions({keyEdit, keyAdd, keyDelete});
    ShowFocused();
    Key(Qt::Key_Insert);
    EXPECT_EQ(4, Editor->GetRowCount());
    EXPECT_EQ(0, Editor->GetCol());
    EXPECT_EQ(3, Editor->GetRow());
    TypeText(Focus(), "Color");
    EXPECT_EQ("Name=Zk\r\nSize=10\r\nColor\r\n", Lines());
    Key(Qt::Key_Right);  // at the text's end the grid moves on
    ASSERT_EQ(1, Editor->GetCol());
    TypeText(Focus(), "red");
    EXPECT_EQ("Name=Zk\r\nSize=10\r\nColor=red\r\n", Lines());
    // Down below the last line opens a blank row; leaving it blank drops it.
    Key(Qt::Key_Down);
    EXPECT_EQ(5, Editor->GetRowCount());
    EXPECT_EQ(4, Editor->GetRow());
    Key(Qt::Key_Up);
    EXPECT_EQ(4, Editor->GetRowCount());
    // Escape after typing into a blank row takes the new line back.
    Key(Qt::Key_Insert);
    TypeText(Focus(), "x");
    EXPECT_EQ(4u, static_cast<size_t>(Editor->GetStrings()->GetCount()));
    Key(Qt::Key_Escape);
    EXPECT_EQ("Name=Zk\r\nSize=10\r\nColor=red\r\n", Lines());
    Key(Qt::Key_Escape);
    EXPECT_EQ(4, Editor->GetRowCount());
    EXPECT_EQ(3, Editor->GetRow());
    // Ctrl+Delete deletes the current line; the editor shows the next one.
    Editor->SetRow(1);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ("Size=10\r\nColor=red\r\n", Lines());
    EXPECT_EQ("Size", EditorText());
    EXPECT_THROW(Editor->DeleteRow(0), EInvalidGridOperation);
    EXPECT_THROW(Editor->DeleteRow(3), EInvalidGridOperation);
}

TEST_F(ValueListEditorTest, ADuplicateKeyIsRefusedWhenTheCellIsLeftWithKeyUnique) {
    Editor->SetKeyOptions({keyUnique});
    std::vector<std::string> Errors;
    Application->SetOnException(
        TExceptionEvent([&](TObject*, const std::exception& E) { Errors.push_back(E.what()); }));
    ShowFocused();
    Editor->SetRow(2);
    Editor->SetCol(0);
    Retype("name");
    Key(Qt::Key_Up);
    EXPECT_EQ(std::vector<std::string>{"\"name\" is already a key of the list"}, Errors);
    EXPECT_EQ(2, Editor->GetRow()) << "the current cell stays on the duplicate";
    Retype("Mass");
    Key(Qt::Key_Up);
    EXPECT_EQ(1u, Errors.size());
    EXPECT_EQ(1, Editor->GetRow());
    EXPECT_EQ("Name=Zk\r\nMass=10\r\n", Lines());
}

TEST_F(ValueListEditorTest, LinesChangedElsewhereShowAtOnceAndAnEmptyListKeepsOneRow) {
    ShowFocused();
    Editor->SetRow(2);
    Editor->GetStrings()->SetText("a=1\r\nb=2\r\nc=3\r\n");
    EXPECT_EQ(4, Editor->GetRowCount());
    EXPECT_EQ("2", EditorText()) << "the editor shows the new line of its row";
    EXPECT_EQ("3", Editor->GetValues("C"));
    Editor->SetValues("b", "");
    Editor->SetValues("d", "4");
    EXPECT_EQ("a=1\r\nb=\r\nc=3\r\nd=4\r\n", Lines());
    int Row = 0;
    ASSERT_TRUE(Editor->FindRow("d", Row));
    EXPECT_EQ(4, Row);
    Editor->SetKeys(Row, "e");
    EXPECT_EQ("e", Editor->GetKeys(4));
    EXPECT_THROW(Editor->GetKeys(5), EInvalidGridOperation);
    Editor->GetStrings()->Clear();
    EXPECT_EQ(2, Editor->GetRowCount());
    // Without keyAdd the empty list's row takes no typing.
    TypeText(Focus(), "v");
    EXPECT_EQ(0, Editor->GetStrings()->GetCount());
    // keyAdd brings keyEdit, which frees the key column: the typing names the line.
    Editor->SetKeyOptions({keyAdd});
    ASSERT_EQ(0, Editor->GetCol());
    TypeText(Focus(), "v");
    EXPECT_EQ("v\r\n", Lines());
}

TEST_F(ValueListEditorTest, LinesAndTitlesTravelThroughTheFormStream) {
    Editor->GetTitleCaptions()->SetText("Setting\r\nValue\r\n");
    Editor->SetKeyOptions({keyEdit});
    const std::string Text = FormTextOf(Form.get());
    EXPECT_NE(std::string::npos, Text.find("'Name=Zk'")) << Text;
    EXPECT_NE(std::string::npos, Text.find("'Setting'")) << Text;
    EXPECT_EQ(std::string::npos, Text.find("RowCount")) << Text;
    EXPECT_EQ(std::string::npos, Text.find("FixedCols")) << Text;
    EXPECT_EQ(std::string::npos, Text.find("DisplayOptions")) << Text;
    TOwned<TForm> Copy(Create<TForm>(nullptr));
    ReadFormText(Text, Copy.get());
    auto* Read = DynamicCast<TValueListEditor>(Copy->FindComponent("ValueListEditor1"));
    ASSERT_NE(nullptr, Read);
    EXPECT_EQ("Zk", Read->GetValues("Name"));
    EXPECT_EQ("Setting", Read->GetCells(0, 0));
    EXPECT_EQ(3, Read->GetRowCount());
    EXPECT_EQ(0, Read->GetFixedCols());
    EXPECT_EQ(Text, FormTextOf(Copy.get()));
    // Default titles are not written.
    Editor->GetTitleCaptions()->SetText("Key\r\nValue\r\n");
    EXPECT_EQ(std::string::npos, FormTextOf(Form.get()).find("TitleCaptions"));
}

}  // namespace zk::test
