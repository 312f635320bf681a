// Shared fixtures of the item-list tests: a shown grid on a form, trees built from an indented
// outline, name lists of the grid's views and a brute-force walk to compare them with.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <cctype>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "itemlist/ZkInplaceEditList.h"
#include "itemlist/ZkItemListEditor.h"
#include "itemlist/ZkItemProp.h"
#include "platform/core/Filer.h"
#include "platform/core/FormText.h"
#include "platform/core/Stream.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"

namespace zk::test {

// The published grid with its protected steps in reach of the tests.
class TTestItemGrid : public TZkItemListEditor {
public:
    explicit TTestItemGrid(TComponent* AOwner) : TZkItemListEditor(AOwner) {}
    using TCustomGrid::GetClientOffset;
    using TZkCustomItemListEditor::CalcSizingState;
    using TZkCustomItemListEditor::GetEditMask;
    using TZkCustomItemListEditor::GetEditText;
    using TZkCustomItemListEditor::KeyDown;
    using TZkCustomItemListEditor::MouseDown;
    using TZkCustomItemListEditor::RowMoved;
    using TZkCustomItemListEditor::SelectCell;
    using TZkCustomItemListEditor::SetEditText;
};

// Builds a tree under Items from an outline, one item a line, two spaces of indent a level:
//   "A=1;2 |e"  item A with the value lines "1" and "2", expanded.
// Flags after " |": e expanded, r read-only, h hidden, c category, d disabled.
// Flags are applied once the whole tree stands, so expanding sees the children.
inline void BuildTree(TZkItemProps* Items, const std::string& Outline) {
    std::vector<std::pair<TZkItemProp*, std::string>> Flags;
    std::vector<TZkItemProp*> Parents;  // Parents[level - 1]: the last item of that level
    std::istringstream In(Outline);
    std::string Line;
    while (std::getline(In, Line)) {
        if (Line.find_first_not_of(' ') == std::string::npos) continue;
        const size_t Indent = Line.find_first_not_of(' ');
        const size_t Level = Indent / 2;
        if (Level > Parents.size()) throw std::logic_error("outline skips a level: " + Line);
        std::string Text = Line.substr(Indent);
        std::string FlagText;
        if (const size_t Bar = Text.find(" |"); Bar != std::string::npos) {
            FlagText = Text.substr(Bar + 2);
            Text.erase(Bar);
        }
        std::string Name = Text, Values;
        if (const size_t Eq = Text.find('='); Eq != std::string::npos) {
            Name = Text.substr(0, Eq);
            Values = Text.substr(Eq + 1);
            for (char& C : Values)
                if (C == ';') C = '\n';
        }
        TZkItemProps* Target = Level == 0 ? Items : Parents[Level - 1]->GetItems();
        TZkItemProp* Item = Target->AddItem();
        Item->SetName(Name);
        if (!Values.empty()) Item->GetValues()->SetTextStr(Values);
        Parents.resize(Level);
        Parents.push_back(Item);
        if (!FlagText.empty()) Flags.emplace_back(Item, FlagText);
    }
    for (auto& [Item, F] : Flags) {
        for (char C : F) {
            switch (C) {
                case 'e':
                    Item->SetExpanded(true);
                    break;
                case 'r':
                    Item->SetReadOnly(true);
                    break;
                case 'h':
                    Item->SetVisible(false);
                    break;
                case 'c':
                    Item->SetCategory(true);
                    break;
                case 'd':
                    Item->SetEnabled(false);
                    break;
                default:
                    throw std::logic_error(std::string("unknown outline flag ") + C);
            }
        }
    }
}

// "A,B,C": the names of a view's items in order.
inline std::string Names(const TZkItemList& List) {
    std::string Result;
    for (int I = 0; I < List.GetCount(); ++I) {
        if (I > 0) Result += ',';
        Result += List[I]->GetName();
    }
    return Result;
}

// "A,B,C": the names of one collection's items in order.
inline std::string Names(const TZkItemProps* Items) {
    std::string Result;
    for (int I = 0; I < Items->GetCount(); ++I) {
        if (I > 0) Result += ',';
        Result += Items->GetItem(I)->GetName();
    }
    return Result;
}

// The pre-order walk of the tree, every item or (ShownOnly) the items that report IsShowing,
// descending only into shown, expanded items.
inline void PreOrder(const TZkItemProps* Items, bool ShownOnly, std::vector<TZkItemProp*>& Out) {
    for (int I = 0; I < Items->GetCount(); ++I) {
        TZkItemProp* Item = Items->GetItem(I);
        if (ShownOnly && !Item->IsShowing()) continue;
        Out.push_back(Item);
        if (!ShownOnly || Item->GetExpanded()) PreOrder(Item->GetItems(), ShownOnly, Out);
    }
}

inline std::vector<TZkItemProp*> ToVector(const TZkItemList& List) {
    std::vector<TZkItemProp*> Result;
    for (int I = 0; I < List.GetCount(); ++I) Result.push_back(List[I]);
    return Result;
}

inline void SendMouse(QWidget* W, QEvent::Type Type, QPoint Pos, Qt::MouseButtons Buttons,
                      Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    const Qt::MouseButton Button = Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent E(Type, QPointF(Pos), QPointF(W->mapToGlobal(Pos)), Button, Buttons, Mods);
    QApplication::sendEvent(W, &E);
}

// A TTestItemGrid (default size 306 x 300) shown on a form.
class ItemListTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetBounds(20, 20, 600, 500);
        Grid = Create<TTestItemGrid>(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetLeft(8);
        Grid->SetTop(8);
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }

    TZkItemProps* Items() const { return Grid->GetItems(); }
    void Build(const std::string& Outline) const { BuildTree(Items(), Outline); }
    // The item at a path of the grid's tree; a missing one fails the test.
    TZkItemProp* Item(const std::string& Path) const {
        TZkItemProp* Result = Items()->FindPath(Path);
        if (!Result) throw std::logic_error("no item " + Path);
        return Result;
    }
    std::string Shown() const { return Names(Grid->GetShownItems()); }
    std::string All() const { return Names(Grid->GetAllItems()); }
    // The logical line (the grid row when vertical) of a shown item.
    int RowOf(const TZkItemProp* I) const {
        return Grid->GetLogical(lwFixedLines) + Grid->GetShownItems().IndexOf(I);
    }

    QWidget* W() const { return Grid->GetWidget(); }
    // Client coordinates to the widget's: the border lies around the client area.
    QPoint ToWidget(int X, int Y) const {
        const TPoint O = Grid->GetClientOffset();
        return QPoint(X + O.X, Y + O.Y);
    }
    void Click(QPoint P) {
        SendMouse(W(), QEvent::MouseButtonPress, P, Qt::LeftButton);
        SendMouse(W(), QEvent::MouseButtonRelease, P, Qt::NoButton);
    }
    void DoubleClick(QPoint P) {
        Click(P);
        SendMouse(W(), QEvent::MouseButtonDblClick, P, Qt::LeftButton);
        SendMouse(W(), QEvent::MouseButtonRelease, P, Qt::NoButton);
    }
    // A key pressed on whatever has the focus (the grid or its editor), through Qt.
    void Press(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier,
               const QString& Text = QString()) {
        QWidget* Target = QApplication::focusWidget();
        ASSERT_NE(Target, nullptr);
        QKeyEvent Down(QEvent::KeyPress, QtKey, Mods, Text);
        QApplication::sendEvent(Target, &Down);
        QKeyEvent Up(QEvent::KeyRelease, QtKey, Mods, Text);
        QApplication::sendEvent(Target, &Up);
        Application->ProcessMessages();
    }
    // A letter or digit typed as the user would.
    void PressChar(char C) {
        const int Key = std::isdigit(static_cast<unsigned char>(C))
                            ? Qt::Key_0 + (C - '0')
                        : std::isalpha(static_cast<unsigned char>(C))
                            ? Qt::Key_A + (std::toupper(static_cast<unsigned char>(C)) - 'A')
                            : static_cast<int>(C);
        Press(Key, Qt::NoModifier, QString(QChar(C)));
    }
    // Puts the editor on the value cell of Name and gives it the focus.
    TZkInplaceEditList* EditAt(const std::string& Name, int ValueColumn = 1) {
        Grid->SetLogical(lwLine, RowOf(Item(Name)));
        Grid->SetLogical(lwColumn, ValueColumn);
        Grid->ShowEditor();
        TZkInplaceEditList* Editor = Grid->GetInplaceEditList();
        if (!Editor) throw std::logic_error("no editor");
        Editor->SetFocus();
        Application->ProcessMessages();
        return Editor;
    }
    // Replaces the text of the editor over the current cell by typing Text.
    void TypeOver(const std::string& Text) {
        Grid->ShowEditor();
        TZkInplaceEditList* Editor = Grid->GetInplaceEditList();
        if (!Editor) throw std::logic_error("no editor");
        Editor->SetFocus();
        Editor->SelectAll();
        for (char C : Text) PressChar(C);
    }
    void Drag(QPoint From, QPoint To) {
        SendMouse(W(), QEvent::MouseButtonPress, From, Qt::LeftButton);
        SendMouse(W(), QEvent::MouseMove, To, Qt::LeftButton);
        SendMouse(W(), QEvent::MouseButtonRelease, To, Qt::NoButton);
    }

    // The readable text form of Root as written to a stream.
    static std::string WriteText(TComponent* Root) {
        TMemoryStream Stream;
        WriteComponentToStream(&Stream, Root);
        Stream.SetPosition(0);
        TMemoryStream Text;
        ObjectBinaryToText(&Stream, &Text);
        return std::string(reinterpret_cast<const char*>(Text.GetMemory()),
                           static_cast<size_t>(Text.GetSize()));
    }

    TOwned<TForm> Form;
    TTestItemGrid* Grid = nullptr;  // owned by Form
};

}  // namespace zk::test
