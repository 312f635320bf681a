// Tree views: nodes against the tree widget, selection and editing by mouse and keys, the tree
// text format and the nodes in the form stream.
#include <QLineEdit>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "GuiTestUtil.h"
#include "platform/core/TestUtil.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/TreeView.h"

namespace zk::test {

namespace {

class TreeViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetBounds(0, 0, 300, 300);
        Tree = Create<TTreeView>(Form.get());
        Tree->SetName("TreeView1");
        Tree->SetParent(Form.get());
        Tree->SetBounds(0, 0, 200, 250);
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    // The tree as text, children indented by two blanks per level.
    std::string Shape() const {
        std::string S;
        for (TTreeNode* N = Tree->GetItems()->GetFirstNode(); N; N = N->GetNext())
            S += std::string(2 * N->GetLevel(), ' ') + N->GetText() + ";";
        return S;
    }
    QPoint PointOf(TTreeNode* N) const {
        return Tree->GetTreeWidget()->visualItemRect(N->GetItem()).center();
    }
    QWidget* Viewport() const { return Tree->GetTreeWidget()->viewport(); }

    TOwned<TForm> Form;
    TTreeView* Tree = nullptr;
};

std::string TempFile(const std::string& Name, const std::string& Text) {
    const std::string Path = (std::filesystem::temp_directory_path() / Name).string();
    std::ofstream(Path, std::ios::binary) << Text;
    return Path;
}

}  // namespace

TEST_F(TreeViewTest, NodesLiveInTheWidgetAndIndexesOutOfRangeRaiseTheListIndexError) {
    TTreeNodes* Items = Tree->GetItems();
    TTreeNode* A = Items->Add(nullptr, "a");
    TTreeNode* C = Items->Add(A, "c");
    TTreeNode* B = Items->Insert(C, "b");
    TTreeNode* A1 = Items->AddChild(A, "a1");
    Items->AddChildFirst(A, "a0");
    EXPECT_EQ("a;  a0;  a1;b;c;", Shape());
    EXPECT_EQ(3, Tree->GetTreeWidget()->topLevelItemCount());
    EXPECT_EQ(QString("a1"), Tree->GetTreeWidget()->topLevelItem(0)->child(1)->text(0));
    EXPECT_EQ(5, Items->GetCount());
    EXPECT_EQ(A1, Items->GetItem(2));
    EXPECT_EQ(1, A1->GetLevel());
    EXPECT_EQ(B, A->GetNextSibling());
    EXPECT_EQ(nullptr, C->GetNextSibling());
    EXPECT_EQ(4, C->GetAbsoluteIndex());
    EXPECT_EQ(MessageOf<EListError>([&] { Items->GetItem(5); }), "List index out of bounds (5)");
    EXPECT_EQ(MessageOf<EListError>([&] { A->GetChild(-1); }), "List index out of bounds (-1)");
    A1->MoveTo(C, naAddChild);
    EXPECT_EQ("a;  a0;b;c;  a1;", Shape());
    A->Delete();
    EXPECT_EQ("b;c;  a1;", Shape());
    EXPECT_EQ(3, Items->GetCount());
}

TEST_F(TreeViewTest, ClickingAndKeysChangeTheSelectionAskingOnChangingFirst) {
    TTreeNodes* Items = Tree->GetItems();
    TTreeNode* A = Items->Add(nullptr, "a");
    TTreeNode* B = Items->Add(nullptr, "b");
    TTreeNode* C = Items->Add(nullptr, "c");
    std::vector<std::string> Log;
    bool Refuse = false;
    Tree->SetOnChanging(TTVChangingEvent([&](TObject*, TTreeNode* N, bool& Allow) {
        // The old node is still the selected one while the view asks.
        Log.push_back("changing " + N->GetText() + " from " +
                      (Tree->GetSelected() ? Tree->GetSelected()->GetText() : "-"));
        Allow = !Refuse;
    }));
    Tree->SetOnChange(TTVChangedEvent([&](TObject*, TTreeNode* N) {
        Log.push_back("change " + (N ? N->GetText() : "-"));
    }));
    Form->Show();
    ClickAt(Viewport(), PointOf(B));
    EXPECT_EQ(B, Tree->GetSelected());
    Tree->SetFocus();
    SendKeyTo(Tree->GetTreeWidget(), Qt::Key_Down);
    EXPECT_EQ(C, Tree->GetSelected());
    EXPECT_EQ((std::vector<std::string>{"changing b from -", "change b", "changing c from b",
                                        "change c"}),
              Log);
    Log.clear();
    Refuse = true;
    ClickAt(Viewport(), PointOf(A));
    EXPECT_EQ(C, Tree->GetSelected());
    EXPECT_EQ(C->GetItem(), Tree->GetTreeWidget()->currentItem());
    EXPECT_EQ(std::vector<std::string>{"changing a from c"}, Log);
    // Deleting the selected node moves the selection and says so once.
    Log.clear();
    Refuse = false;
    C->Delete();
    EXPECT_EQ(std::vector<std::string>{"change b"}, Log);
    EXPECT_EQ(B, Tree->GetSelected());
}

TEST_F(TreeViewTest, LabelEditingGoesThroughOnEditingAndOnEdited) {
    TTreeNode* A = Tree->GetItems()->Add(nullptr, "old");
    std::string Seen;
    Tree->SetOnEdited(TTVEditedEvent([&](TObject*, TTreeNode*, std::string& S) {
        Seen = S;
        S += "!";
    }));
    Form->Show();
    Tree->SetFocus();
    Tree->SetSelected(A);
    SendKeyTo(Tree->GetTreeWidget(), Qt::Key_F2);
    ASSERT_TRUE(Tree->IsEditing());
    auto* Editor = Tree->GetTreeWidget()->findChild<QLineEdit*>();
    ASSERT_NE(nullptr, Editor);
    Editor->setText("new");
    SendKeyTo(Editor, Qt::Key_Return);
    QApplication::processEvents();  // the delegate commits from a queued call
    EXPECT_FALSE(Tree->IsEditing());
    EXPECT_EQ("new", Seen);
    EXPECT_EQ("new!", A->GetText());
    EXPECT_EQ(QString("new!"), A->GetItem()->text(0));
    // Read-only trees and a refusing OnEditing start no editor.
    Tree->SetOnEditing(TTVEditingEvent([](TObject*, TTreeNode*, bool& Allow) { Allow = false; }));
    EXPECT_FALSE(A->EditText());
    Tree->SetOnEditing(TTVEditingEvent());
    Tree->SetReadOnly(true);
    EXPECT_FALSE(A->EditText());
}

TEST_F(TreeViewTest, TheTextFormatNestsOddIndentationUnderTheNearestShallowerLine) {
    // Two blanks, six blanks (two levels deeper), three, a tab, none; blank lines make no node.
    Tree->GetItems()->SetTextStr("a\n  b\n      c\r\n\n   d\n\te\nf");
    EXPECT_EQ("a;  b;    c;    d;  e;f;", Shape());
    const std::string Saved = Tree->GetItems()->GetTextStr();
    EXPECT_EQ("a\r\n\tb\r\n\t\tc\r\n\t\td\r\n\te\r\nf\r\n", Saved);
    const std::string Path = TempFile("zk_tree_text.txt", Saved);
    Tree->GetItems()->Clear();
    Tree->LoadFromFile(Path);
    EXPECT_EQ("a;  b;    c;    d;  e;f;", Shape());
    std::filesystem::remove(Path);
}

TEST_F(TreeViewTest, AFileThatCannotBeReadRaisesTheFileErrorAndLeavesTheTree) {
    Tree->GetItems()->SetTextStr("keep\n\tme");
    const std::string Missing = "/nonexistent/zk/tree.txt";
    EXPECT_EQ(MessageOf<EFOpenError>([&] { Tree->LoadFromFile(Missing); }), "Cannot open file \"" + Missing +
                                        "\". No such file or directory");
    const std::string Dir = std::filesystem::temp_directory_path().string();
    EXPECT_THROW(Tree->LoadFromFile(Dir), EFOpenError);
    EXPECT_EQ("keep;  me;", Shape());
}

TEST_F(TreeViewTest, NodesTravelThroughTheFormStreamWithOnlyNonDefaultValues) {
    TTreeNodes* Items = Tree->GetItems();
    TTreeNode* Root = Items->Add(nullptr, "Animals");
    TTreeNode* Cat = Items->AddChild(Root, "Cat");
    Cat->SetImageIndex(2);
    Cat->SetSelectedIndex(3);
    Items->AddChild(Root, "Dog");
    Items->Add(nullptr, "Plants");
    Root->SetExpanded(true);
    const std::string Text = FormTextOf(Form.get());
    EXPECT_NE(std::string::npos, Text.find("Items.Data = (")) << Text;
    EXPECT_NE(std::string::npos, Text.find("ImageIndex")) << Text;
    EXPECT_EQ(std::string::npos, Text.find("StateIndex")) << Text;
    EXPECT_EQ(std::string::npos, Text.find("OverlayIndex")) << Text;

    TOwned<TForm> Copy(Create<TForm>(nullptr));
    ReadFormText(Text, Copy.get());
    auto* Read = DynamicCast<TTreeView>(Copy->FindComponent("TreeView1"));
    ASSERT_NE(nullptr, Read);
    TTreeNodes* R = Read->GetItems();
    ASSERT_EQ(4, R->GetCount());
    EXPECT_EQ("Cat", R->GetItem(1)->GetText());
    EXPECT_EQ(2, R->GetItem(1)->GetImageIndex());
    EXPECT_EQ(3, R->GetItem(1)->GetSelectedIndex());
    EXPECT_EQ(-1, R->GetItem(2)->GetImageIndex());
    EXPECT_TRUE(R->GetItem(0)->GetExpanded());
    EXPECT_FALSE(R->GetItem(1)->GetExpanded());
    EXPECT_EQ(Text, FormTextOf(Copy.get()));
    // An empty tree writes no data.
    Items->Clear();
    EXPECT_EQ(std::string::npos, FormTextOf(Form.get()).find("Items.Data")) << FormTextOf(Form.get());
}

TEST_F(TreeViewTest, ItemsAssignCopiesTheWholeTreeIntoAnotherView) {
    Tree->GetItems()->SetTextStr("a\n\tb\n\t\tc\nd");
    Tree->GetItems()->GetFirstNode()->SetExpanded(true);
    Tree->GetItems()->GetItem(1)->SetStateIndex(4);
    auto* Other = Create<TTreeView>(Form.get());
    Other->GetItems()->Add(nullptr, "gone");
    Other->GetItems()->Assign(Tree->GetItems());
    EXPECT_EQ(Tree->GetItems()->GetTextStr(), Other->GetItems()->GetTextStr());
    EXPECT_EQ(4, Other->GetItems()->GetItem(1)->GetStateIndex());
    EXPECT_TRUE(Other->GetItems()->GetItem(0)->GetExpanded());
    EXPECT_FALSE(Other->GetItems()->GetItem(1)->GetExpanded());
    EXPECT_EQ(Other, Other->GetItems()->GetItem(2)->GetTreeView());
}

TEST_F(TreeViewTest, OnExpandingAndOnCollapsingDecideBeforeTheUsersKeysAndClicksTakeEffect) {
    Tree->GetItems()->SetTextStr("a\n\tb\nc\n\td");
    TTreeNode* A = Tree->GetItems()->GetItem(0);
    TTreeNode* C = Tree->GetItems()->GetItem(2);
    std::vector<std::string> Log;
    Tree->SetOnExpanding(TTVExpandingEvent([&](TObject*, TTreeNode* N, bool& Allow) {
        Log.push_back("expanding " + N->GetText() + (N->GetExpanded() ? " (open)" : ""));
        Allow = N != A;
        // A handler may fill the node it is asked about.
        if (Allow && N->GetCount() == 1) Tree->GetItems()->AddChild(N, "late");
    }));
    Tree->SetOnCollapsing(TTVCollapsingEvent([&](TObject*, TTreeNode* N, bool& Allow) {
        Log.push_back("collapsing " + N->GetText());
        Allow = false;
    }));
    Tree->SetOnExpanded(TTVExpandedEvent([&](TObject*, TTreeNode* N) { Log.push_back("expanded " + N->GetText()); }));
    Tree->SetOnCollapsed(TTVExpandedEvent([&](TObject*, TTreeNode* N) { Log.push_back("collapsed " + N->GetText()); }));
    Form->Show();
    Tree->SetFocus();
    Tree->SetSelected(A);
    SendKeyTo(Tree->GetTreeWidget(), Qt::Key_Right);
    EXPECT_FALSE(A->GetExpanded());
    EXPECT_FALSE(A->GetItem()->isExpanded());
    Tree->SetSelected(C);
    SendKeyTo(Tree->GetTreeWidget(), Qt::Key_Right);
    EXPECT_TRUE(C->GetExpanded());
    EXPECT_EQ("a;  b;c;  d;  late;", Shape());
    // A double click on c asks to collapse it; the refusal keeps it open.
    const QPoint P = PointOf(C);
    SendMouseTo(Viewport(), QEvent::MouseButtonPress, P);
    SendMouseTo(Viewport(), QEvent::MouseButtonRelease, P);
    SendMouseTo(Viewport(), QEvent::MouseButtonDblClick, P);
    SendMouseTo(Viewport(), QEvent::MouseButtonRelease, P);
    EXPECT_TRUE(C->GetExpanded());
    // Code asks the same question.
    A->Expand(false);
    EXPECT_FALSE(A->GetExpanded());
    EXPECT_EQ((std::vector<std::string>{"expanding a", "expanding c", "expanded c", "collapsing c",
                                        "expanding a"}),
              Log);
}

TEST_F(TreeViewTest, SortTypeKeepsSiblingsInOrderAndOnCompareHasTheLastWord) {
    TTreeNodes* Items = Tree->GetItems();
    Items->SetTextStr("pear\n\tz\n\ta\napple\nfig");
    Tree->SetSortType(stText);
    EXPECT_EQ("apple;fig;pear;  a;  z;", Shape());
    Items->Add(nullptr, "banana");
    Items->GetItem(0)->SetText("quince");
    EXPECT_EQ("banana;fig;pear;  a;  z;quince;", Shape());
    // Longest first, then by text.
    Tree->SetOnCompare(TTVCompareEvent([](TObject*, TTreeNode* A, TTreeNode* B, int, int& Compare) {
        if (A->GetText().size() != B->GetText().size())
            Compare = static_cast<int>(B->GetText().size()) - static_cast<int>(A->GetText().size());
    }));
    Tree->SetSortType(stBoth);
    EXPECT_EQ("banana;quince;pear;  a;  z;fig;", Shape());
    // An OnCompare that throws is reported and leaves the tree whole.
    int Reported = 0;
    Application->SetOnException(TExceptionEvent([&](TObject*, const std::exception&) { ++Reported; }));
    Tree->SetOnCompare(TTVCompareEvent([](TObject*, TTreeNode*, TTreeNode*, int, int&) {
        throw EListError("no order");
    }));
    Items->Add(nullptr, "kiwi");
    Application->SetOnException(TExceptionEvent());
    EXPECT_GT(Reported, 0);
    EXPECT_EQ(7, Items->GetCount());
}

TEST_F(TreeViewTest, PublishedPropertiesReachTheTreeWidget) {
    QTreeWidget* W = Tree->GetTreeWidget();
    Tree->GetItems()->SetTextStr("b\na\nc");
    CheckPublished(
        Tree,
        {{"Indent", 25, [&] { return W->indentation() == 25; }},
         {"ReadOnly", true,
          [&] { return W->editTriggers() == QAbstractItemView::NoEditTriggers; }},
         {"ShowRoot", false, [&] { return !W->rootIsDecorated(); }},
         {"RowSelect", true, [&] { return W->allColumnsShowFocus(); }},
         {"HotTrack", true,
          [&] { return W->viewport()->testAttribute(Qt::WA_Hover); }},
         {"BorderStyle", "bsNone",
          [&] { return W->frameShape() == QFrame::NoFrame; }},
         {"SortType", "stText",
          [&] { return W->topLevelItem(0)->text(0) == "a"; }},
         {"HideSelection", false, [&] {
              return W->palette().color(QPalette::Inactive, QPalette::Highlight) ==
                     ColorToQColor(clBtnFace);
          }}});
}

}  // namespace zk::test
