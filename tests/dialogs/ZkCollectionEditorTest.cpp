// The collection editor driven by clicks, keys and drags on a list view's real columns: the
// collection, the list and the inspector's objects after every step, reuse of an open editor,
// preset lists, and freeing what the editor refers to while it is open.
#include <QAbstractItemView>
#include <QStandardItemModel>

#include "HostedDialogsTestUtil.h"
#include "dialogs/ZkCollectionEditor.h"
#include "inspector/ZkObjectInspector.h"
#include "inspector/ZkPropertyPresets.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/List.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/ListView.h"
#include "platform/gui/Menus.h"

namespace zk::test {

// Two preset classes of this test, for the Add commands of a preset list.
class TFirstTestPreset : public TZkPropertyPreset {
    ZK_CLASS(TFirstTestPreset, TZkPropertyPreset)
public:
    explicit TFirstTestPreset(TCollection* Collection) : TZkPropertyPreset(Collection) {}
};
ZK_IMPLEMENT_CLASS(TFirstTestPreset)
void TFirstTestPreset::DescribeClass(TClassBuilder<TFirstTestPreset>&) {}

class TSecondTestPreset : public TZkPropertyPreset {
    ZK_CLASS(TSecondTestPreset, TZkPropertyPreset)
public:
    explicit TSecondTestPreset(TCollection* Collection) : TZkPropertyPreset(Collection) {}
};
ZK_IMPLEMENT_CLASS(TSecondTestPreset)
void TSecondTestPreset::DescribeClass(TClassBuilder<TSecondTestPreset>&) {}

namespace {

class CollectionEditorTest : public HostedDialogsTest {
protected:
    void SetUp() override {
        HostedDialogsTest::SetUp();
        Columns = AddToHost<TListView>("ListView1", 8, 8, 200, 150);
        Columns->SetViewStyle(vsReport);
        for (const char* C : {"A", "B", "C", "D", "E"}) Columns->GetColumns()->Add()->SetCaption(C);
        Inspector = AddToHost<TZkObjectInspector>("Inspector1", 210, 8, 180, 280);
        Inspector->SetInspectedComponent(Columns);
        Application->ProcessMessages();
    }
    void TearDown() override {
        // Open editors belong to the application; each test leaves none behind.
        if (TThreadList* Editors = OpenEditors()) {
            std::vector<TfrmCollectionEditor*> Open;
            {
                TThreadList::TLock List(*Editors);
                for (int I = 0; I < List->GetCount(); ++I)
                    Open.push_back(static_cast<TfrmCollectionEditor*>(List->Get(I)));
            }
            for (TfrmCollectionEditor* E : Open) E->Free();
        }
        HostedDialogsTest::TearDown();
    }

    TfrmCollectionEditor* Open(TCollection* Collection, bool Reuse = true) {
        TfrmCollectionEditor* E = ShowCollectionEditor(Inspector, Collection, "Suffix", Reuse);
        E->GetWidget()->activateWindow();
        Application->ProcessMessages();
        UpdateAll(E);
        return E;
    }

    // The items of a collection by display name, "A,B,C".
    static std::string Names(TCollection* Collection) {
        std::string S;
        for (int I = 0; I < Collection->GetCount(); ++I)
            S += (I ? "," : "") + Collection->GetItem(I)->GetDisplayName();
        return S;
    }
    // The list's entries, "0 - A|1 - B", with a * after each selected one.
    static std::string Entries(TfrmCollectionEditor* E) {
        std::string S;
        TListItems* Items = E->ListView1->GetItems();
        for (int I = 0; I < Items->GetCount(); ++I)
            S += (I ? "|" : "") + Items->GetItem(I)->GetCaption() +
                 (Items->GetItem(I)->GetSelected() ? "*" : "");
        return S;
    }
    // What the inspector shows, by display name, in its order.
    std::string Inspected() const {
        std::string S;
        TZkInspectorObjects* Objects = Inspector->GetObjects();
        for (int I = 0; I < Objects->GetCount(); ++I) {
            auto* Item = DynamicCast<TCollectionItem>(Objects->GetItem(I)->GetInstance());
            S += (I ? "," : "") +
                 (Item ? Item->GetDisplayName() : Objects->GetItem(I)->GetDisplayName());
        }
        return S;
    }

    // The action updates the idle loop runs, and those opening the pop-up menu runs.
    static void UpdateAll(TfrmCollectionEditor* E) {
        E->UpdateActions();
        E->PopupMenu1->GetItems()->InitiateActions();
    }
    static QAbstractItemView* View(TfrmCollectionEditor* E) { return E->ListView1->GetItemView(); }
    static QPoint EntryPoint(TfrmCollectionEditor* E, int Row) {
        return View(E)->visualRect(E->ListView1->GetModel()->index(Row, 0)).center();
    }
    static void ClickEntry(TfrmCollectionEditor* E, int Row,
                           Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        Click(View(E)->viewport(), EntryPoint(E, Row), Mods);
    }
    static void PressOnList(TfrmCollectionEditor* E, int QtKey,
                            Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        Key(View(E), QtKey, Mods);
        UpdateAll(E);
    }
    // A left-button drag from one entry to a point of the list's viewport.
    static void Drag(TfrmCollectionEditor* E, int FromRow, QPoint To) {
        QWidget* Port = View(E)->viewport();
        const QPoint From = EntryPoint(E, FromRow);
        SendMouseTo(Port, QEvent::MouseButtonPress, From);
        SendMouseTo(Port, QEvent::MouseMove, From + QPoint(0, 4));
        SendMouseTo(Port, QEvent::MouseMove, To - QPoint(0, 1));
        SendMouseTo(Port, QEvent::MouseMove, To);
        SendMouseTo(Port, QEvent::MouseButtonRelease, To);
        Application->ProcessMessages();
    }

    TListView* Columns = nullptr;
    TZkObjectInspector* Inspector = nullptr;
};

TEST_F(CollectionEditorTest, CommandsKeepCollectionListInspectorAndActionsInStep) {
    TfrmCollectionEditor* E = Open(Columns->GetColumns());
    EXPECT_EQ("Editing Suffix", E->GetCaption());
    EXPECT_FALSE(E->Reset1->GetVisible());
    auto Menu = [E](const char* Name) { return static_cast<TMenuItem*>(E->FindComponent(Name)); };

    struct TStep {
        const char* What;
        std::function<void()> Do;
        const char* Collection;
        const char* List;
        const char* Inspector;
        const char* Enabled;  // Add, Delete and the moves, select All, select None
    };
    const std::vector<TStep> Steps = {
        {"open", [] {}, "A,B,C,D,E", "0 - A|1 - B|2 - C|3 - D|4 - E", "ListView1", "+A"},
        {"click B", [&] { ClickEntry(E, 1); }, "A,B,C,D,E", "0 - A|1 - B*|2 - C|3 - D|4 - E", "B",
         "+-AN"},
        {"ctrl-click D", [&] { ClickEntry(E, 3, Qt::ControlModifier); }, "A,B,C,D,E",
         "0 - A|1 - B*|2 - C|3 - D*|4 - E", "B,D", "+-AN"},
        {"Ctrl+Up", [&] { PressOnList(E, Qt::Key_Up, Qt::ControlModifier); }, "B,A,D,C,E",
         "0 - B*|1 - A|2 - D*|3 - C|4 - E", "B,D", "+-AN"},
        // The top item stays; D goes on up.
        {"Ctrl+Up again", [&] { PressOnList(E, Qt::Key_Up, Qt::ControlModifier); }, "B,D,A,C,E",
         "0 - B*|1 - D*|2 - A|3 - C|4 - E", "B,D", "+-AN"},
        // Two selected at the top swap places.
        {"Ctrl+Up at the top", [&] { PressOnList(E, Qt::Key_Up, Qt::ControlModifier); },
         "D,B,A,C,E", "0 - D*|1 - B*|2 - A|3 - C|4 - E", "D,B", "+-AN"},
        {"move down button", [&] { ClickControl(E->ToolButton5); }, "A,D,B,C,E",
         "0 - A|1 - D*|2 - B*|3 - C|4 - E", "D,B", "+-AN"},
        {"Del", [&] { PressOnList(E, Qt::Key_Delete); }, "A,C,E", "0 - A|1 - C|2 - E", "", "+A"},
        {"click E, then Ins",
         [&] {
             ClickEntry(E, 2);
             PressOnList(E, Qt::Key_Insert);
         },
         "A,C,E,TListColumn", "0 - A|1 - C|2 - E|3 - TListColumn*", "TListColumn", "+-AN"},
        {"Ctrl+Down at the bottom", [&] { PressOnList(E, Qt::Key_Down, Qt::ControlModifier); },
         "A,C,E,TListColumn", "0 - A|1 - C|2 - E|3 - TListColumn*", "TListColumn", "+-AN"},
        {"add button", [&] { ClickControl(E->ToolButton1); }, "A,C,E,TListColumn,TListColumn",
         "0 - A|1 - C|2 - E|3 - TListColumn|4 - TListColumn*", "TListColumn", "+-AN"},
        {"Ctrl+A", [&] { PressOnList(E, Qt::Key_A, Qt::ControlModifier); },
         "A,C,E,TListColumn,TListColumn", "0 - A*|1 - C*|2 - E*|3 - TListColumn*|4 - TListColumn*",
         "A,C,E,TListColumn,TListColumn", "+-AN"},
        {"Select None from the pop-up menu",
         [&] { PickFromMenu(E->ListView1, Menu("SelectNone2")); }, "A,C,E,TListColumn,TListColumn",
         "0 - A|1 - C|2 - E|3 - TListColumn|4 - TListColumn", "", "+A"},
    };
    for (const TStep& Step : Steps) {
        SCOPED_TRACE(Step.What);
        Step.Do();
        EXPECT_EQ(Step.Collection, Names(Columns->GetColumns()));
        EXPECT_EQ(Step.List, Entries(E));
        EXPECT_EQ(Step.Inspector, Inspected());
        UpdateAll(E);
        std::string Enabled;
        for (auto [Action, Letter] : {std::pair{E->AddItem1, '+'},
                                      {E->DeleteSelected1, '-'},
                                      {E->SelectAll1, 'A'},
                                      {E->SelectNone1, 'N'}})
            if (Action->GetEnabled()) Enabled += Letter;
        EXPECT_EQ(Step.Enabled, Enabled);
        EXPECT_EQ(E->DeleteSelected1->GetEnabled(), E->MoveSelectedUp1->GetEnabled());
    }
    // The inspected items are watched through the collection's owner.
    ClickEntry(E, 0);
    ASSERT_EQ(1, Inspector->GetObjects()->GetCount());
    EXPECT_EQ(Columns, Inspector->GetObjects()->GetItem(0)->GetNotifyComponent());
    // The Toolbar command hides and shows the tool bar.
    PickFromMenu(E->ListView1, E->oolbar1);
    EXPECT_FALSE(E->ToolBar1->GetVisible());
    PickFromMenu(E->ListView1, E->oolbar1);
    EXPECT_TRUE(E->ToolBar1->GetVisible());
}

TEST_F(CollectionEditorTest, DraggingSelectedEntriesMovesThemAsABlock) {
    TfrmCollectionEditor* E = Open(Columns->GetColumns());
    struct TCase {
        const char* What;
        std::vector<int> Selected;
        int DropRow;  // -1: below the last entry
        const char* Result;
    };
    const std::vector<TCase> Cases = {
        {"upward, landing from the target on", {3, 4}, 1, "A,D,E,B,C"},
        {"downward, ending at the target", {0, 1}, 3, "C,D,A,B,E"},
        {"onto no entry", {1}, -1, "A,B,C,D,E"},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.What);
        TListColumns* Cols = Columns->GetColumns();
        for (int I = 0; I < Cols->GetCount(); ++I)
            Cols->GetItem(I)->SetCaption(std::string(1, static_cast<char>('A' + I)));
        E->UpdateList();
        ClickEntry(E, Case.Selected[0]);
        for (size_t I = 1; I < Case.Selected.size(); ++I)
            ClickEntry(E, Case.Selected[I], Qt::ControlModifier);
        const QPoint To = Case.DropRow >= 0 ? EntryPoint(E, Case.DropRow)
                                            : QPoint(10, View(E)->viewport()->height() - 5);
        Drag(E, Case.Selected.back(), To);
        EXPECT_FALSE(E->ListView1->GetDragging());
        EXPECT_EQ(Case.Result, Names(Cols));
        // The selection follows its items, and so does the inspector.
        std::string Selected;
        for (int I = 0; I < E->ListView1->GetItems()->GetCount(); ++I)
            if (E->ListView1->GetItems()->GetItem(I)->GetSelected())
                Selected += (Selected.empty() ? "" : ",") + Cols->GetItem(I)->GetDisplayName();
        EXPECT_EQ(Selected, Inspected());
    }
}

TEST_F(CollectionEditorTest, AnOpenEditorIsReusedAndClosingGivesTheInspectorItsObjectsBack) {
    TfrmCollectionEditor* First = Open(Columns->GetColumns());
    ClickEntry(First, 1);
    EXPECT_EQ("B", Inspected());
    EXPECT_EQ(First, Open(Columns->GetColumns()));
    EXPECT_EQ("Editing Suffix", First->GetCaption());
    // Without reuse, or for another collection, a new one.
    TfrmCollectionEditor* Second = Open(Columns->GetColumns(), false);
    EXPECT_NE(First, Second);
    Second->Close();

    First->Close();
    EXPECT_FALSE(First->GetVisible());
    EXPECT_EQ(nullptr, First->GetCollection());
    EXPECT_EQ(nullptr, First->GetObjectInspector());
    EXPECT_EQ("ListView1", Inspected());
    TfrmCollectionEditor* Third = Open(Columns->GetColumns());
    EXPECT_NE(First, Third);
    EXPECT_NE(Second, Third);

    // Objects the user chose elsewhere meanwhile are not taken back.
    ClickEntry(Third, 0);
    auto* Other = AddToHost<TPanel>("Panel1", 0, 200, 50, 50);
    Inspector->SetInspectedComponent(Other);
    Third->Close();
    EXPECT_EQ("Panel1", Inspected());
}

// What is freed while the editor is open: the inspector, the collection's
// owner, or the object the inspector showed when the editor opened.
enum TFreed { frInspector, frOwner, frSavedObject };

class CollectionEditorFreeTest : public CollectionEditorTest,
                                 public ::testing::WithParamInterface<TFreed> {};

TEST_P(CollectionEditorFreeTest, FreeingWhatTheEditorRefersToEmptiesIt) {
    auto* Panel = AddToHost<TPanel>("Panel1", 0, 200, 50, 50);
    if (GetParam() == frSavedObject) {
        Inspector->SetInspectedComponent(Panel);
        Application->ProcessMessages();
    }
    TfrmCollectionEditor* E = Open(Columns->GetColumns());
    ClickEntry(E, 1);
    ClickEntry(E, 2, Qt::ControlModifier);
    switch (GetParam()) {
        case frInspector:
            Inspector->Free();
            break;
        case frOwner:
            Columns->Free();
            break;
        case frSavedObject:
            Panel->Free();
            break;
    }
    Application->ProcessMessages();
    EXPECT_EQ(nullptr, E->GetCollection());
    EXPECT_EQ(nullptr, E->GetCollectionOwner());
    EXPECT_EQ(0, E->ListView1->GetItems()->GetCount());
    EXPECT_EQ(0, E->GetSavedObjects()->GetCount());
    UpdateAll(E);
    EXPECT_FALSE(E->AddItem1->GetEnabled());
    EXPECT_FALSE(E->DeleteSelected1->GetEnabled());
    if (GetParam() != frInspector) {
        EXPECT_EQ(E, E->GetObjectInspector() ? E : nullptr);
        EXPECT_EQ("", Inspected());
    }
    // Nothing the editor still offers reaches a freed object.
    E->AddNew2->Click();
    E->Close();
    E->Free();
}

INSTANTIATE_TEST_SUITE_P(Freed, CollectionEditorFreeTest,
                         ::testing::Values(frInspector, frOwner, frSavedObject));

TEST_F(CollectionEditorTest, APresetListOffersAnAddCommandPerPresetClassAndReset) {
    struct TRegistered {  // the two test classes, for this test only
        TRegistered() {
            RegisterPropertyPresets(
                {TFirstTestPreset::StaticClass(), TSecondTestPreset::StaticClass()});
        }
        ~TRegistered() {
            UnregisterPropertyPresets(
                {TFirstTestPreset::StaticClass(), TSecondTestPreset::StaticClass()});
        }
    } Registered;
    auto* Own = AddToHost<TZkObjectInspector>("Inspector2", 0, 160, 100, 100);
    TfrmCollectionEditor* E =
        ShowCollectionEditor(Own, Own->GetPresets(), "Inspector2.Presets", true);
    Application->ProcessMessages();
    const std::string First = Own->GetPresets()->GetItem(0)->GetDisplayName();
    const std::string Second = Own->GetPresets()->GetItem(1)->GetDisplayName();
    EXPECT_EQ("0 - " + First + " (TFirstTestPreset)|1 - " + Second + " (TSecondTestPreset)",
              Entries(E));
    UpdateAll(E);
    EXPECT_TRUE(E->Reset1->GetVisible());
    EXPECT_TRUE(E->ToolButton7->GetVisible());
    EXPECT_EQ(E->PopupMenu2, E->ToolButton1->GetDropdownMenu());
    TMenuItem* Menu = E->PopupMenu2->GetItems();
    ASSERT_EQ(3, Menu->GetCount());
    EXPECT_EQ("Add Item", Menu->GetItem(0)->GetCaption());
    EXPECT_EQ("Add TFirstTestPreset", Menu->GetItem(1)->GetCaption());
    EXPECT_EQ("Add TSecondTestPreset", Menu->GetItem(2)->GetCaption());

    Menu->GetItem(2)->Click();
    ASSERT_EQ(3, Own->GetPresets()->GetCount());
    EXPECT_EQ("TSecondTestPreset", Own->GetPresets()->GetItem(2)->ClassName());
    EXPECT_TRUE(E->ListView1->GetItems()->GetItem(2)->GetSelected());
    // Delete the first preset; Reset adds one of its class again, at the end.
    ClickEntry(E, 0);
    E->DeleteSelected1->Execute();
    EXPECT_EQ("TSecondTestPreset", Own->GetPresets()->GetItem(0)->ClassName());
    ClickControl(E->ToolButton7);
    ASSERT_EQ(3, Own->GetPresets()->GetCount());
    EXPECT_EQ("TFirstTestPreset", Own->GetPresets()->GetItem(2)->ClassName());
    EXPECT_EQ(3, E->ListView1->GetItems()->GetCount());

    // Any other collection: no Reset, no drop-down menu.
    E->SetCollection(Columns->GetColumns());
    UpdateAll(E);
    EXPECT_FALSE(E->Reset1->GetVisible());
    EXPECT_EQ(nullptr, E->ToolButton1->GetDropdownMenu());
}

}  // namespace
}  // namespace zk::test
