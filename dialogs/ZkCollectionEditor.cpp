// The collection editor: its list of items, the commands that add, delete and reorder them, the
// inspector that follows the selection, free notification, and the registry of open editors.
#include "dialogs/ZkCollectionEditor.h"

#include <algorithm>
#include <cassert>
#include <mutex>
#include <unordered_set>
#include <vector>

#include "dialogs/ZkDialogsRegistration.h"
#include "dialogs/ZkDialogs_p.h"
#include "inspector/ZkInspectorObjects.h"
#include "inspector/ZkObjectInspector.h"
#include "inspector/ZkPropertyPresets.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/Collection.h"
#include "platform/core/List.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/Menus.h"

namespace zk {

namespace {

// Created by the first entry call that asks for reuse; freed when the program ends.
TOwned<TThreadList>& Registry() {
    static TOwned<TThreadList> List;
    return List;
}

void EnsureRegistry() {
    static std::once_flag Once;
    std::call_once(Once, [] { Registry().reset(new TThreadList()); });
}

// The first component up the owner chain of Collection. The depth bound only
// guards against an owner chain that loops.
TComponent* OwnerComponentOf(TCollection* Collection) {
    TPersistent* P = Collection ? Collection->GetOwner() : nullptr;
    for (int Depth = 0; P && Depth < 64; ++Depth) {
        if (auto* C = DynamicCast<TComponent>(P)) return C;
        P = P->GetOwner();
    }
    return nullptr;
}

}  // namespace

TThreadList* OpenEditors() {
    return Registry().get();
}

ZK_IMPLEMENT_CLASS(TfrmCollectionEditor)
void TfrmCollectionEditor::DescribeClass(TClassBuilder<TfrmCollectionEditor>& C) {
    using F = TfrmCollectionEditor;
    C.Method("FormClose", &F::FormClose);
    C.Method("AddItem1Execute", &F::AddItem1Execute);
    C.Method("AddItem1Update", &F::AddItem1Update);
    C.Method("DeleteSelected1Execute", &F::DeleteSelected1Execute);
    C.Method("DeleteSelected1Update", &F::DeleteSelected1Update);
    C.Method("MoveSelectedUp1Execute", &F::MoveSelectedUp1Execute);
    C.Method("MoveSelectedDown1Execute", &F::MoveSelectedDown1Execute);
    C.Method("SelectAll1Execute", &F::SelectAll1Execute);
    C.Method("SelectAll1Update", &F::SelectAll1Update);
    C.Method("SelectNone1Execute", &F::SelectNone1Execute);
    C.Method("SelectNone1Update", &F::SelectNone1Update);
    C.Method("Reset1Execute", &F::Reset1Execute);
    C.Method("Reset1Update", &F::Reset1Update);
    C.Method("AddNew2Click", &F::AddNew2Click);
    C.Method("Action1Execute", &F::Action1Execute);
    C.Method("ListView1Change", &F::ListView1Change);
    C.Method("ListView1SelectItem", &F::ListView1SelectItem);
    C.Method("ListView1DragOver", &F::ListView1DragOver);
    C.Method("ListView1DragDrop", &F::ListView1DragDrop);
    C.Method("ListView1MouseDown", &F::ListView1MouseDown);
}

TfrmCollectionEditor::TfrmCollectionEditor(TComponent* AOwner) : TForm(AOwner) {
    RegisterDialogsClasses();
    FSavedObjects.reset(Create<TZkInspectorObjects>(this));
    if (TThreadList* Editors = OpenEditors()) Editors->Add(this);
}

TfrmCollectionEditor::~TfrmCollectionEditor() {
    if (TThreadList* Editors = OpenEditors()) Editors->Remove(this);
}

void TfrmCollectionEditor::BeforeDestruction() {
    // Freed while still open: the inspector gets its objects back, as on closing.
    if (FObjectInspector) RestoreInspector();
    Destroying();
    SetObjectInspector(nullptr);
    SetCollection(nullptr);
    // The saved objects stop watching through this form while it is whole.
    FSavedObjects.reset();
    TForm::BeforeDestruction();
}

void TfrmCollectionEditor::Loaded() {
    TForm::Loaded();
    BindComponent(this, ToolBar1, "ToolBar1");
    BindComponent(this, ToolButton1, "ToolButton1");
    BindComponent(this, ToolButton2, "ToolButton2");
    BindComponent(this, ToolButton4, "ToolButton4");
    BindComponent(this, ToolButton5, "ToolButton5");
    BindComponent(this, ToolButton7, "ToolButton7");
    BindComponent(this, ListView1, "ListView1");
    BindComponent(this, StatusBar1, "StatusBar1");
    BindComponent(this, ActionList1, "ActionList1");
    BindComponent(this, AddItem1, "AddItem1");
    BindComponent(this, DeleteSelected1, "DeleteSelected1");
    BindComponent(this, MoveSelectedUp1, "MoveSelectedUp1");
    BindComponent(this, MoveSelectedDown1, "MoveSelectedDown1");
    BindComponent(this, SelectAll1, "SelectAll1");
    BindComponent(this, SelectNone1, "SelectNone1");
    BindComponent(this, Reset1, "Reset1");
    BindComponent(this, ImageList1, "ImageList1");
    BindComponent(this, PopupMenu1, "PopupMenu1");
    BindComponent(this, AddNew2, "AddNew2");
    BindComponent(this, oolbar1, "oolbar1");
    BindComponent(this, PopupMenu2, "PopupMenu2");
}

// ---- what the editor refers to ----

TZkCustomObjectInspector* TfrmCollectionEditor::Inspector() const {
    return DynamicCast<TZkCustomObjectInspector>(FObjectInspector);
}

bool TfrmCollectionEditor::IsPresetList() const {
    return Is<TZkPropertyPresets>(FCollection);
}

// Pointers are only compared here: an item freed behind the editor's back
// is never touched through a stale entry.
int TfrmCollectionEditor::IndexOfItem(const TCollectionItem* Item) const {
    if (!FCollection || !Item) return -1;
    for (int I = 0; I < FCollection->GetCount(); ++I)
        if (FCollection->GetItem(I) == Item) return I;
    return -1;
}

TCollectionItem* TfrmCollectionEditor::ItemOf(const TListItem* Entry) const {
    if (!FCollection || !Entry || !Entry->GetData()) return nullptr;
    // The entries mirror the collection, so the entry's own position is the first guess.
    const int Guess = Entry->GetIndex();
    if (Guess >= 0 && Guess < FCollection->GetCount() &&
        FCollection->GetItem(Guess) == Entry->GetData())
        return FCollection->GetItem(Guess);
    const int Index = IndexOfItem(static_cast<const TCollectionItem*>(Entry->GetData()));
    return Index >= 0 ? FCollection->GetItem(Index) : nullptr;
}

// The saved objects watch their components through this form, and dropping
// one of them drops the form's link to that component; the links this form
// needs for itself are asked for again afterwards.
void TfrmCollectionEditor::KeepWatching() {
    if (FObjectInspector) FreeNotification(FObjectInspector);
    if (FCollectionOwner) FreeNotification(FCollectionOwner);
}

bool TfrmCollectionEditor::IsWatchedBySavedObjects(const TComponent* Component) const {
    if (!FSavedObjects) return false;
    for (int I = 0; I < FSavedObjects->GetCount(); ++I) {
        const TZkInspectorObject* Entry = FSavedObjects->GetItem(I);
        if (Entry->GetInstance() == Component || Entry->GetNotifyComponent() == Component)
            return true;
    }
    return false;
}

void TfrmCollectionEditor::Unwatch(TComponent* Component) {
    if (!Component || Component == FObjectInspector || Component == FCollectionOwner ||
        IsWatchedBySavedObjects(Component))
        return;
    RemoveFreeNotification(Component);
}

// ---- properties ----

void TfrmCollectionEditor::SetObjectInspector(TComponent* Value) {
    if (FObjectInspector == Value) return;
    TComponent* Old = FObjectInspector;
    FObjectInspector = Value;
    Unwatch(Old);
    {
        // Entries leaving the list say nothing to the new inspector.
        TValueRollback<bool> Quiet(FRebuilding, true);
        if (ListView1) ListView1->GetItems()->Clear();
    }
    if (FSavedObjects) FSavedObjects->Clear();
    KeepWatching();
    if (!Value) SetCollection(nullptr);
}

void TfrmCollectionEditor::SetCollection(TCollection* Value) {
    TComponent* OldOwner = FCollectionOwner;
    FCollection = Value;
    FCollectionOwner = OwnerComponentOf(Value);
    Unwatch(OldOwner);
    KeepWatching();
    if (!IsDestroying()) {
        if (IsPresetList())
            BuildAddMenu();
        else
            ClearAddMenu();
    }
    if (FSavedObjects) {
        FSavedObjects->Clear();
        // Without a collection the editor takes nothing over, so there is
        // nothing to give back on closing.
        if (TZkCustomObjectInspector* Insp = Inspector(); Insp && Value && !IsDestroying())
            FSavedObjects->Assign(Insp->GetObjects());
        KeepWatching();
    }
    UpdateList();
}

// ---- the list ----

void TfrmCollectionEditor::UpdateList() {
    if (IsDestroying() || !ListView1) return;
    TListItems* Entries = ListView1->GetItems();
    bool SelectionTouched = false;
    {
        // The entries are refilled quietly; the inspector follows once at the end.
        TValueRollback<bool> Quiet(FRebuilding, true);
        TUpdateGuard<TListItems> Guard(*Entries);
        std::unordered_set<const void*> Selected;  // compared only, never followed
        for (int I = 0; I < Entries->GetCount(); ++I)
            if (TListItem* Entry = Entries->GetItem(I); Entry->GetSelected())
                Selected.insert(Entry->GetData());
        SelectionTouched = !Selected.empty();
        if (!FCollection) ListView1->ClearSelection();
        Entries->Clear();
        const bool Presets = IsPresetList();
        for (int I = 0; FCollection && I < FCollection->GetCount(); ++I) {
            TCollectionItem* Item = FCollection->GetItem(I);
            std::string Caption = IntToStr(I) + " - " + Item->GetDisplayName();
            if (Presets) Caption += " (" + Item->ClassName() + ")";
            TListItem* Entry = Entries->Add();
            Entry->SetCaption(Caption);
            Entry->SetData(Item);
            if (Selected.count(Item)) {
                Entry->SetSelected(true);
                SelectionTouched = true;
            }
        }
    }
    if (SelectionTouched) ItemSelected();
}

void TfrmCollectionEditor::ListChange() {}

void TfrmCollectionEditor::ItemSelected() {
    UpdateInspector();
}

void TfrmCollectionEditor::UpdateInspector() {
    TZkCustomObjectInspector* Insp = Inspector();
    if (!Insp || IsDestroying() || !ListView1) return;
    TZkInspectorObjects* Objects = Insp->GetObjects();
    TUpdateGuard<TZkInspectorObjects> Guard(*Objects);
    Objects->Clear();
    TListItems* Entries = ListView1->GetItems();
    for (int I = 0; I < Entries->GetCount(); ++I) {
        TListItem* Entry = Entries->GetItem(I);
        if (!Entry->GetSelected()) continue;
        if (TCollectionItem* Item = ItemOf(Entry))
            Objects->AddOwnedInstance(FCollectionOwner, Item);
    }
}

void TfrmCollectionEditor::PruneInspectorObjects() {
    TZkCustomObjectInspector* Insp = Inspector();
    if (!Insp) return;
    std::unordered_set<const TCollectionItem*> Shown;
    TListItems* Entries = ListView1->GetItems();
    for (int I = 0; I < Entries->GetCount(); ++I)
        if (TListItem* Entry = Entries->GetItem(I); Entry->GetSelected())
            if (TCollectionItem* Item = ItemOf(Entry)) Shown.insert(Item);
    TZkInspectorObjects* Objects = Insp->GetObjects();
    TUpdateGuard<TZkInspectorObjects> Guard(*Objects);
    for (int I = Objects->GetCount() - 1; I >= 0; --I) {
        auto* Item = DynamicCast<TCollectionItem>(Objects->GetItem(I)->GetInstance());
        if (!Item || !Shown.count(Item)) Objects->Delete(I);
    }
}

// ---- commands ----

int TfrmCollectionEditor::AddCollectionItem(const TClassInfo* ItemClass) {
    if (!FCollection || !ItemClass || !ItemClass->CreateItem ||
        !ItemClass->InheritsFrom(FCollection->GetItemClass()))
        return -1;
    PruneInspectorObjects();
    TCollectionItem* Item = ItemClass->CreateItem(FCollection);
    ListView1->ClearSelection();
    UpdateList();
    TListItems* Entries = ListView1->GetItems();
    for (int I = Entries->GetCount() - 1; I >= 0; --I) {
        TListItem* Entry = Entries->GetItem(I);
        if (Entry->GetData() != Item) continue;
        Entry->SetSelected(true);
        ListView1->SetItemFocused(Entry);
        Entry->MakeVisible(false);
        return I;
    }
    return -1;
}

void TfrmCollectionEditor::DeleteSelected() {
    if (FCollection) {
        TZkCustomObjectInspector* Insp = Inspector();
        TListItems* Entries = ListView1->GetItems();
        for (int I = Entries->GetCount() - 1; I >= 0; --I) {
            TListItem* Entry = Entries->GetItem(I);
            if (!Entry->GetSelected()) continue;
            TCollectionItem* Item = ItemOf(Entry);
            if (!Item) continue;
            // Nobody may look at the item once it is freed.
            if (Insp) Insp->GetObjects()->RemoveInstance(Item);
            FSavedObjects->RemoveInstance(Item);
            FCollection->Delete(Item->GetIndex());
        }
        KeepWatching();
    }
    UpdateList();
}

// The selection is read by list position while the items move, as the list
// is only refreshed at the end.
void TfrmCollectionEditor::MoveSelected(bool Up) {
    if (FCollection) {
        TListItems* Entries = ListView1->GetItems();
        const int Count = Entries->GetCount();
        auto IsSelected = [Entries](int I) { return Entries->GetItem(I)->GetSelected(); };
        TUpdateGuard<TCollection> Guard(*FCollection);
        if (Up) {
            for (int I = 1; I < Count && I < FCollection->GetCount(); ++I)
                if (IsSelected(I)) FCollection->GetItem(I)->SetIndex(I - 1);
        } else {
            for (int I = std::min(Count, FCollection->GetCount()) - 2; I >= 0; --I)
                if (IsSelected(I)) FCollection->GetItem(I)->SetIndex(I + 1);
        }
    }
    UpdateList();
}

void TfrmCollectionEditor::SelectAll() {
    ListView1->SelectAll();
}

void TfrmCollectionEditor::SelectNone() {
    ListView1->ClearSelection();
}

void TfrmCollectionEditor::ResetPresets() {
    if (auto* Insp = DynamicCast<TZkCustomObjectInspector>(FCollectionOwner))
        Insp->AddRegisteredPresets();
    UpdateList();
}

void TfrmCollectionEditor::BuildAddMenu() {
    if (IsDestroying()) return;
    ClearAddMenu();
    TMenuItem* Root = PopupMenu2->GetItems();
    TMenuItem* AddItem = Create<TMenuItem>(this);
    AddItem->SetAction(AddItem1);
    Root->Add(AddItem);
    ForEachPropertyPresetClass([this, Root](const TClassInfo* PresetClass) {
        TMenuItem* Command = Create<TMenuItem>(this);
        Command->SetCaption("Add " + PresetClass->ClassName());
        Command->SetOnClick(TNotifyEvent(this, &TfrmCollectionEditor::AddNew2Click));
        Root->Add(Command);
        FAddClasses[Command] = PresetClass;
    });
    // The arrow shows only while there is a menu to open.
    ToolButton1->SetStyle(tbsDropDown);
    ToolButton1->SetDropdownMenu(PopupMenu2);
}

void TfrmCollectionEditor::ClearAddMenu() {
    if (!ToolButton1) return;
    ToolButton1->SetDropdownMenu(nullptr);
    ToolButton1->SetStyle(tbsButton);
    PopupMenu2->GetItems()->Clear();
    FAddClasses.clear();
}

// ---- closing and free notification ----

void TfrmCollectionEditor::RestoreInspector() {
    TZkCustomObjectInspector* Insp = Inspector();
    if (!Insp || Insp->IsDestroying() || !FSavedObjects) return;
    TZkInspectorObjects* Objects = Insp->GetObjects();
    // Only a selection this editor made is taken back; objects someone else
    // chose meanwhile stay.
    for (int I = 0; I < Objects->GetCount(); ++I)
        if (IndexOfItem(DynamicCast<TCollectionItem>(Objects->GetItem(I)->GetInstance())) < 0)
            return;
    if (Objects->GetCount() == 0 && FSavedObjects->GetCount() == 0) return;
    Objects->AssignAssigned(FSavedObjects.get());
}

void TfrmCollectionEditor::FormClose(TObject*, TCloseAction&) {
    RestoreInspector();
    SetObjectInspector(nullptr);
    SetCollection(nullptr);
}

void TfrmCollectionEditor::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FObjectInspector) {
        SetObjectInspector(nullptr);
    } else if (FSavedObjects) {
        // Every entry that refers to it goes: it may be one entry's instance
        // and the owner of others.
        bool Found = false;
        while (FSavedObjects->RemoveInstance(AComponent) >= 0) Found = true;
        KeepWatching();
        if (Found) SetCollection(nullptr);
    }
    if (AComponent == FCollectionOwner) SetCollection(nullptr);
}

// ---- handlers ----

void TfrmCollectionEditor::AddItem1Execute(TObject*) {
    if (FCollection) AddCollectionItem(FCollection->GetItemClass());
}

void TfrmCollectionEditor::AddItem1Update(TObject*) {
    AddItem1->SetEnabled(FCollection != nullptr);
}

void TfrmCollectionEditor::DeleteSelected1Execute(TObject*) {
    DeleteSelected();
}

void TfrmCollectionEditor::DeleteSelected1Update(TObject* Sender) {
    if (auto* Action = DynamicCast<TCustomAction>(Sender))
        Action->SetEnabled(FSavedObjects && FCollection && ListView1->GetSelCount() > 0);
}

void TfrmCollectionEditor::MoveSelectedUp1Execute(TObject*) {
    MoveSelected(true);
}

void TfrmCollectionEditor::MoveSelectedDown1Execute(TObject*) {
    MoveSelected(false);
}

void TfrmCollectionEditor::SelectAll1Execute(TObject*) {
    SelectAll();
}

void TfrmCollectionEditor::SelectAll1Update(TObject*) {
    SelectAll1->SetEnabled(ListView1->GetItems()->GetCount() > 0);
}

void TfrmCollectionEditor::SelectNone1Execute(TObject*) {
    SelectNone();
}

void TfrmCollectionEditor::SelectNone1Update(TObject*) {
    SelectNone1->SetEnabled(ListView1->GetSelCount() > 0);
}

void TfrmCollectionEditor::Reset1Execute(TObject*) {
    ResetPresets();
}

void TfrmCollectionEditor::Reset1Update(TObject*) {
    Reset1->SetVisible(IsPresetList() && Is<TZkCustomObjectInspector>(FCollectionOwner));
}

void TfrmCollectionEditor::AddNew2Click(TObject* Sender) {
    if (!FCollection) return;
    const auto It = FAddClasses.find(static_cast<const TMenuItem*>(Sender));
    AddCollectionItem(It != FAddClasses.end() ? It->second : FCollection->GetItemClass());
}

void TfrmCollectionEditor::Action1Execute(TObject*) {
    ToolBar1->SetVisible(oolbar1->GetChecked());
}

void TfrmCollectionEditor::ListView1Change(TObject*, TListItem*, TItemChange) {
    ListChange();
}

void TfrmCollectionEditor::ListView1SelectItem(TObject*, TListItem*, bool) {
    if (!FRebuilding) ItemSelected();
}

void TfrmCollectionEditor::ListView1DragOver(TObject*, TObject* Source, int, int, TDragState,
                                             bool& Accept) {
    Accept = Source == ListView1;
}

// Items dragged upward land as a block starting at the target; items dragged
// downward end at it.
void TfrmCollectionEditor::ListView1DragDrop(TObject*, TObject*, int X, int Y) {
    TListItem* At = ListView1->GetItemAt(X, Y);
    if (!At || !FCollection || FCollection->GetCount() == 0) return;
    int Target = std::min(At->GetIndex(), FCollection->GetCount() - 1);
    std::vector<TCollectionItem*> Moving;
    TListItems* Entries = ListView1->GetItems();
    for (int I = 0; I < Entries->GetCount(); ++I)
        if (TListItem* Entry = Entries->GetItem(I); Entry->GetSelected())
            if (TCollectionItem* Item = ItemOf(Entry)) Moving.push_back(Item);
    {
        TUpdateGuard<TCollection> Guard(*FCollection);
        for (TCollectionItem* Item : Moving) {
            const int Former = Item->GetIndex();
            Item->SetIndex(Target);
            if (Former > Target && Target < FCollection->GetCount()) ++Target;
        }
    }
    UpdateList();
}

void TfrmCollectionEditor::ListView1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {}

// ---- entry calls ----

namespace {

TfrmCollectionEditor* NewEditor(const TClassInfo* EditorClass) {
    assert(EditorClass && EditorClass->InheritsFrom(TfrmCollectionEditor::StaticClass()) &&
           EditorClass->CreateComponent &&
           "the editor class must derive from TfrmCollectionEditor");
    return static_cast<TfrmCollectionEditor*>(EditorClass->CreateComponent(Application));
}

}  // namespace

TfrmCollectionEditor* ShowCollectionEditor(TComponent* ObjectInspector, TCollection* Collection,
                                           const std::string& CaptionSuffix, bool Reuse) {
    return ShowCollectionEditorOfClass(TfrmCollectionEditor::StaticClass(), ObjectInspector,
                                       Collection, Reuse, CaptionSuffix);
}

TfrmCollectionEditor* ShowCollectionEditorOfClass(const TClassInfo* EditorClass,
                                                  TComponent* ObjectInspector,
                                                  TCollection* Collection, bool Reuse,
                                                  const std::string& CaptionSuffix) {
    TfrmCollectionEditor* Editor = nullptr;
    if (Reuse) {
        EnsureRegistry();
        TThreadList::TLock Editors(*OpenEditors());
        for (int I = 0; I < Editors->GetCount(); ++I) {
            auto* Open = static_cast<TfrmCollectionEditor*>(Editors->Get(I));
            // A closed editor holds no collection, so it is never found again.
            if (Collection && Open->GetObjectInspector() == ObjectInspector &&
                Open->GetCollection() == Collection) {
                Open->Show();
                return Open;
            }
        }
        Editor = NewEditor(EditorClass);
    } else {
        Editor = NewEditor(EditorClass);
    }
    Editor->SetObjectInspector(ObjectInspector);
    Editor->SetCollection(Collection);
    Editor->SetCaption(Editor->GetCaption() + " " + CaptionSuffix);
    Editor->Show();
    return Editor;
}

}  // namespace zk
