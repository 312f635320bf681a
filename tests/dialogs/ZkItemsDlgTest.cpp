// The list-view and tree-view items dialogs driven by clicks and keys while they show: edits,
// sub-items and their images, bad index text, loading a file, and OK vs Cancel vs Apply.
#include <QImage>
#include <QTreeWidget>
#include <fstream>

#include "HostedDialogsTestUtil.h"
#include "dialogs/ZkItemsDlg.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/ComboBoxEx.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/LabeledEdit.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {
namespace {

class ItemsDlgTest : public HostedDialogsTest {
protected:
    void SetUp() override {
        HostedDialogsTest::SetUp();
        List = AddToHost<TListView>("ListView1", 8, 8, 200, 120);
        List->SetViewStyle(vsReport);
        List->SetSmallImages(Images(4));
        List->SetLargeImages(Images(2));
        TListItem* First = List->GetItems()->Add();
        First->SetCaption("First");
        First->SetImageIndex(1);
        First->SetStateIndex(0);
        First->GetSubItems()->Add("sub one");
        First->GetSubItems()->Add("sub two");
        First->SetSubItemImages(0, 2);
        First->SetSubItemImages(1, 3);
        List->GetItems()->Add()->SetCaption("Second");
        Tree = AddToHost<TTreeView>("TreeView1", 8, 140, 200, 120);
        TTreeNode* Root = Tree->GetItems()->Add(nullptr, "Root");
        Tree->GetItems()->AddChild(Root, "Leaf")->SetImageIndex(2);
    }

    TImageList* Images(int Count) {
        auto* Result = Create<TImageList>(Host.get());
        for (int I = 0; I < Count; ++I) {
            QImage Image(16, 16, QImage::Format_ARGB32);
            Image.fill(QColor::fromHsv(I * 70, 200, 200));
            Result->AddImage(Image);
        }
        return Result;
    }

    // Shows the dialog for List (or Tree) with User doing its part; answers its modal result.
    int Edit(bool ListDialog, std::function<void(TfrmCustomItemsDlg*)> User) {
        Result = mrNone;
        OnForm = [this, User](TCustomForm* Form) {
            auto* D = static_cast<TfrmCustomItemsDlg*>(Form);
            D->TreeView1->FullExpand();
            D->UpdateActions();
            User(D);
            Result = Form->GetModalResult();
        };
        if (ListDialog)
            EditListViewItems(List);
        else
            EditTreeViewNodes(Tree);
        return Result;
    }

    // "First|-sub one|Second": one entry per node, a dash per level.
    static std::string Dump(TTreeView* View) {
        std::string S;
        for (TTreeNode* N = View->GetItems()->GetFirstNode(); N; N = N->GetNext())
            S += (S.empty() ? "" : "|") + std::string(size_t(N->GetLevel()), '-') + N->GetText();
        return S;
    }
    // "First:1/0/-1[sub one:2]": caption, image, state and overlay index, sub-items with images.
    std::string Items() const {
        std::string S;
        for (int I = 0; I < List->GetItems()->GetCount(); ++I) {
            TListItem* It = List->GetItems()->GetItem(I);
            S += (I ? "|" : "") + It->GetCaption() + ":" + IntToStr(It->GetImageIndex()) + "/" +
                 IntToStr(It->GetStateIndex()) + "/" + IntToStr(It->GetOverlayIndex()) + "[";
            for (int J = 0; J < It->GetSubItems()->GetCount(); ++J)
                S += (J ? "," : "") + It->GetSubItems()->Get(J) + ":" +
                     IntToStr(It->GetSubItemImages(J));
            S += "]";
        }
        return S;
    }

    static TTreeNode* Node(TfrmCustomItemsDlg* D, const std::string& Text) {
        for (TTreeNode* N = D->TreeView1->GetItems()->GetFirstNode(); N; N = N->GetNext())
            if (N->GetText() == Text) return N;
        ADD_FAILURE() << "no node " << Text;
        return nullptr;
    }
    static void ClickNode(TfrmCustomItemsDlg* D, const std::string& Text) {
        auto* W = static_cast<QTreeWidget*>(D->TreeView1->GetWidget());
        Click(W->viewport(), W->visualItemRect(Node(D, Text)->GetItem()).center());
    }
    // Clicks into Control, replaces its text by typing, as a user does.
    static void TypeInto(TWinControl* Control, const std::string& Text) {
        ClickControl(Control);
        Key(Control->GetWidget(), Qt::Key_A, Qt::ControlModifier);
        Key(Control->GetWidget(), Qt::Key_Delete);
        Type(Control->GetWidget(), Text);
    }
    // A button click between the action updates the idle loop runs.
    static void Press(TfrmCustomItemsDlg* D, TButton* Button) {
        D->UpdateActions();
        ClickControl(Button);
        D->UpdateActions();
    }

    TListView* List = nullptr;
    TTreeView* Tree = nullptr;
    int Result = 0;
};

TEST_F(ItemsDlgTest, ListItemsWithSubItemsAndImagesEditedAndApplied) {
    const std::string Before = Items();
    EXPECT_EQ("First:1/0/-1[sub one:2,sub two:3]|Second:-1/-1/-1[]", Before);
    Edit(true, [&](TfrmCustomItemsDlg* D) {
        EXPECT_EQ("ListView Items Editor", D->GetCaption());
        struct TStep {
            const char* What;
            std::function<void()> Do;
            const char* Tree;
        };
        const std::vector<TStep> Steps = {
            {"a sub-item's image",
             [&] {
                 ClickNode(D, "sub two");
                 TypeInto(D->cbeImageIndex, "1");
             },
             "First|-sub one|-sub two|Second"},
            // Under a sub-item node the new sub-item goes last into the same item.
            {"new sub-item",
             [&] {
                 ClickNode(D, "sub one");
                 Press(D, D->btnNewSubItem);
             },
             "First|-sub one|-sub two|-|Second"},
            {"its caption, key by key", [&] { TypeInto(D->leCaption, "sub 3"); },
             "First|-sub one|-sub two|-sub 3|Second"},
            {"delete a sub-item",
             [&] {
                 ClickNode(D, "sub one");
                 Press(D, D->btnDeleteItem);
             },
             "First|-sub two|-sub 3|Second"},
            {"an item's overlay",
             [&] {
                 ClickNode(D, "Second");
                 TypeInto(D->cbeCustomIndex, "1");
             },
             "First|-sub two|-sub 3|Second"},
            // Enter is the New Item button's.
            {"Enter", [&] { Key(D->leCaption->GetWidget(), Qt::Key_Return); },
             "First|-sub two|-sub 3|Second|"},
            {"its caption", [&] { TypeInto(D->leCaption, "Third"); },
             "First|-sub two|-sub 3|Second|Third"},
            // Enter ends the label edit and adds nothing.
            {"label edit in the tree",
             [&] {
                 ClickNode(D, "Second");
                 Key(D->TreeView1->GetWidget(), Qt::Key_F2);
                 QWidget* Editor = QApplication::focusWidget();
                 Key(Editor, Qt::Key_A, Qt::ControlModifier);
                 Type(Editor, "2nd");
                 Key(Editor, Qt::Key_Return);
                 EXPECT_EQ("2nd", D->leCaption->GetText());
             },
             "First|-sub two|-sub 3|2nd|Third"},
        };
        for (const TStep& Step : Steps) {
            SCOPED_TRACE(Step.What);
            Step.Do();
            EXPECT_EQ(Step.Tree, Dump(D->TreeView1));
            EXPECT_TRUE(D->GetModified());
            EXPECT_EQ(Before, Items()) << "nothing is written before Apply";
        }
        // Only a list item has a state and an overlay.
        ClickNode(D, "sub two");
        EXPECT_FALSE(D->cbeStateIndex->GetEnabled());
        EXPECT_EQ("1", D->cbeImageIndex->GetText());
        ClickNode(D, "First");
        EXPECT_TRUE(D->cbeStateIndex->GetEnabled());

        Press(D, D->ApplyBtn);
        EXPECT_FALSE(D->GetModified());
        EXPECT_FALSE(D->actApply->GetEnabled());
        // Cancel after Apply keeps what was applied, and only that.
        TypeInto(D->leCaption, "Erste");
        ClickControl(D->CancelBtn);
    });
    EXPECT_EQ(mrCancel, Result);
    EXPECT_EQ("First:1/0/-1[sub two:1,sub 3:-1]|2nd:-1/-1/1[]|Third:-1/-1/-1[]", Items());
}

// Focusing the tree selects its first node, which fills the editors; that
// alone must not make OK rewrite the control (and lose what the copies
// do not hold, such as a list item's Data).
TEST_F(ItemsDlgTest, SelectingANodeIsNoEditSoOkWritesNothingBack) {
    int Data = 0;
    List->GetItems()->GetItem(0)->SetData(&Data);
    TListItem* Kept = List->GetItems()->GetItem(0);
    Edit(true, [&](TfrmCustomItemsDlg* D) {
        ClickNode(D, "sub two");
        ClickNode(D, "Second");
        EXPECT_FALSE(D->GetModified());
        ClickControl(D->OKBtn);
    });
    EXPECT_EQ(mrOk, Result);
    ASSERT_EQ(Kept, List->GetItems()->GetItem(0));
    EXPECT_EQ(&Data, Kept->GetData());
}

TEST_F(ItemsDlgTest, TreeNodesOkCancelAndApply) {
    struct TCase {
        const char* What;
        bool Rename, Apply;
        int Close;  // the button: mrOk or mrCancel
        const char* Tree;
    };
    const std::vector<TCase> Cases = {
        {"OK untouched", false, false, mrOk, "Root|-Leaf"},
        {"OK", true, false, mrOk, "Root|-Twig"},
        {"Cancel", true, false, mrCancel, "Root|-Leaf"},
        {"Apply, then Cancel", true, true, mrCancel, "Root|-Twig"},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.What);
        Tree->GetItems()->SetTextStr("Root\r\n\tLeaf\r\n");
        TTreeNode* Untouched = Tree->GetItems()->GetFirstNode();
        Edit(false, [&](TfrmCustomItemsDlg* D) {
            EXPECT_EQ("TreeView Items Editor", D->GetCaption());
            EXPECT_EQ("Selected I&ndex", D->lblOverlayIndex->GetCaption());
            if (Case.Rename) {
                ClickNode(D, "Leaf");
                TypeInto(D->leCaption, "Twig");
            }
            if (Case.Apply) Press(D, D->ApplyBtn);
            ClickControl(Case.Close == mrOk ? D->OKBtn : D->CancelBtn);
        });
        EXPECT_EQ(Case.Close, Result);
        EXPECT_EQ(Case.Tree, Dump(Tree));
        if (!Case.Rename) {
            EXPECT_EQ(Untouched, Tree->GetItems()->GetFirstNode());
        }
    }
}

TEST_F(ItemsDlgTest, AnIndexThatIsNoIntegerKeepsTheFocusAndTheOldValue) {
    Edit(true, [&](TfrmCustomItemsDlg* D) {
        ClickNode(D, "First");
        TypeInto(D->cbeImageIndex, "x1");
        ClickNode(D, "Second");
        ASSERT_EQ(1u, Messages.size());
        EXPECT_EQ("'x1' is not a valid integer value.", Messages[0]);
        EXPECT_EQ(Node(D, "First"), D->TreeView1->GetSelected());
        EXPECT_EQ(D->cbeImageIndex, D->GetActiveControl());
        EXPECT_EQ(1, D->NodeItemOf(Node(D, "First"))->GetImageIndex());
        // Leaving for Cancel asks nothing more.
        ClickControl(D->CancelBtn);
    });
    EXPECT_EQ(1u, Messages.size());
    EXPECT_EQ(mrCancel, Result);
    EXPECT_EQ(1, List->GetItems()->GetItem(0)->GetImageIndex());
}

TEST_F(ItemsDlgTest, LoadingAFile) {
    const std::string Deep = Path("deep.txt");
    std::ofstream(Deep) << "A\r\n\tA1\r\n\t\tA11\r\nB\r\n";
    struct TCase {
        const char* What;
        bool ListDialog;
        std::string File;
        const char* Tree;     // the dialog's, after loading
        const char* Written;  // the control's, after OK
    };
    const std::vector<TCase> Cases = {
        {"a file that cannot be read", true, Path("missing.txt"), "First|-sub one|-sub two|Second",
         "First:1/0/-1[sub one:2,sub two:3]|Second:-1/-1/-1[]"},
        {"list: items and sub-items", true, Deep, "A|-A1|B", "A:-1/-1/-1[A1:-1]|B:-1/-1/-1[]"},
        {"tree: every level", false, Deep, "A|-A1|--A11|B", "A|-A1|--A11|B"},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.What);
        Messages.clear();
        FileName = Case.File;
        Edit(Case.ListDialog, [&](TfrmCustomItemsDlg* D) {
            ClickControl(D->btnLoad);
            EXPECT_EQ(Case.Tree, Dump(D->TreeView1));
            EXPECT_EQ(Case.File == Deep, D->GetModified());
            ClickControl(D->OKBtn);
        });
        EXPECT_EQ(Case.Written, Case.ListDialog ? Items() : Dump(Tree));
        EXPECT_EQ(Case.File == Deep ? 0u : 1u, Messages.size());
    }
}

// The image combo lists the large images for a list item in icon view, else the small ones.
TEST_F(ItemsDlgTest, ImageComboFollowsTheViewStyle) {
    struct TCase {
        TViewStyle Style;
        const char* Node;
        bool Large;
    };
    for (const TCase& Case : {TCase{vsIcon, "First", true}, TCase{vsIcon, "sub one", false},
                              TCase{vsReport, "First", false}}) {
        SCOPED_TRACE(std::string(Case.Node) + (Case.Style == vsIcon ? " in icon view" : ""));
        List->SetViewStyle(Case.Style);
        Edit(true, [&](TfrmCustomItemsDlg* D) {
            ClickNode(D, "Second");
            ClickNode(D, Case.Node);
            TCustomImageList* Expected =
                Case.Large ? List->GetLargeImages() : List->GetSmallImages();
            EXPECT_EQ(Expected, D->cbeImageIndex->GetImages());
            EXPECT_EQ(Expected->GetCount(), D->cbeImageIndex->GetItems()->GetCount());
            ClickControl(D->CancelBtn);
        });
    }
}

// Deleting every item, then applying with nothing selected, and the list
// view freed while the dialog shows: nothing reaches freed memory (ASan).
TEST_F(ItemsDlgTest, DeletingEverythingAndFreeingTheListView) {
    Edit(true, [&](TfrmCustomItemsDlg* D) {
        ClickNode(D, "First");
        while (D->TreeView1->GetSelected()) Press(D, D->btnDeleteItem);
        EXPECT_EQ("", Dump(D->TreeView1));
        EXPECT_FALSE(D->actDeleteItem->GetEnabled());
        EXPECT_FALSE(D->gbItemProperties->GetEnabled());
        Press(D, D->ApplyBtn);
        EXPECT_EQ("", Items());
        Press(D, D->btnNewItem);
        List->Free();
        List = nullptr;
        Press(D, D->ApplyBtn);
        ClickControl(D->OKBtn);
    });
    EXPECT_EQ(mrOk, Result);
    EXPECT_TRUE(Messages.empty());
}

}  // namespace
}  // namespace zk::test
