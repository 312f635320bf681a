// The collection editor: a modeless window listing the items of one collection, whose selection
// is what a linked object inspector shows, and the entry calls that open or reuse it.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/gui/Forms.h"
#include "platform/gui/ListView.h"

namespace zk {

class TAction;
class TActionList;
class TCollection;
class TCollectionItem;
class TImageList;
class TMenuItem;
class TPopupMenu;
class TStatusBar;
class TThreadList;
class TToolBar;
class TToolButton;
class TZkCustomObjectInspector;
class TZkInspectorObjects;

// The editor, loaded from its form description. Every list entry's Data is
// the collection item it shows. The list is rebuilt only by the editor's own
// operations (add, delete, move, drop, reset, setting the collection), so an
// item renamed elsewhere shows its new name after the next one.
//
// Null behaviour: without a collection the list is empty and the item
// actions are disabled; without an inspector the selection goes nowhere.
// The inspector, the collection's owner and the saved objects are watched:
// freeing any of them empties the editor instead of leaving it on freed
// objects.
class TfrmCollectionEditor : public TForm {
    ZK_CLASS(TfrmCollectionEditor, TForm)
public:
    explicit TfrmCollectionEditor(TComponent* AOwner);
    ~TfrmCollectionEditor() override;
    // Leaves the open editors and lets go of the inspector and the collection.
    void BeforeDestruction() override;

    // ---- introduced operations, in slot order ----
    // Prunes the inspector's objects, adds an item of ItemClass to the
    // collection and selects its entry, so that the inspector shows it.
    // Answers the new entry's position, -1 when nothing was added.
    virtual int AddCollectionItem(const TClassInfo* ItemClass);
    // Moves every selected item one place up (or down); the selection follows its items.
    virtual void MoveSelected(bool Up);
    // An entry of the list changed; nothing by default.
    virtual void ListChange();
    // An entry's selection changed: the inspector follows.
    virtual void ItemSelected();
    // Fills the Add button's drop-down menu with one command per registered preset class.
    virtual void BuildAddMenu();
    // Drops from the inspector's objects all that are not selected items of this list.
    virtual void PruneInspectorObjects();
    // Takes the selected items out of the inspector and the saved objects, then frees them.
    virtual void DeleteSelected();
    virtual void SelectAll();
    virtual void SelectNone();
    // The inspector's objects := the selected items, in list order.
    virtual void UpdateInspector();
    // Adds the registered presets the inspector lacks.
    virtual void ResetPresets();
    // Rebuilds the entries from the collection, keeping the selection by item.
    virtual void UpdateList();

    // ---- properties ----
    TCollection* GetCollection() const { return FCollection; }
    void SetCollection(TCollection* Value);
    TComponent* GetObjectInspector() const { return FObjectInspector; }
    void SetObjectInspector(TComponent* Value);
    // The first component up the collection's owner chain; null when none.
    TComponent* GetCollectionOwner() const { return FCollectionOwner; }
    // The inspector's objects as they were when the collection was set.
    TZkInspectorObjects* GetSavedObjects() const { return FSavedObjects.get(); }

    // Handlers bound by name from the form description.
    void FormClose(TObject* Sender, TCloseAction& Action);
    void AddItem1Execute(TObject* Sender);
    void AddItem1Update(TObject* Sender);
    void DeleteSelected1Execute(TObject* Sender);
    void DeleteSelected1Update(TObject* Sender);
    void MoveSelectedUp1Execute(TObject* Sender);
    void MoveSelectedDown1Execute(TObject* Sender);
    void SelectAll1Execute(TObject* Sender);
    void SelectAll1Update(TObject* Sender);
    void SelectNone1Execute(TObject* Sender);
    void SelectNone1Update(TObject* Sender);
    void Reset1Execute(TObject* Sender);
    void Reset1Update(TObject* Sender);
    void AddNew2Click(TObject* Sender);
    void Action1Execute(TObject* Sender);
    void ListView1Change(TObject* Sender, TListItem* Item, TItemChange Change);
    void ListView1SelectItem(TObject* Sender, TListItem* Item, bool Selected);
    void ListView1DragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State,
                           bool& Accept);
    void ListView1DragDrop(TObject* Sender, TObject* Source, int X, int Y);
    void ListView1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    // Components of the description; the form owns them.
    TToolBar* ToolBar1 = nullptr;
    TToolButton* ToolButton1 = nullptr;
    TToolButton* ToolButton2 = nullptr;
    TToolButton* ToolButton4 = nullptr;
    TToolButton* ToolButton5 = nullptr;
    TToolButton* ToolButton7 = nullptr;
    TListView* ListView1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TActionList* ActionList1 = nullptr;
    TAction* AddItem1 = nullptr;
    TAction* DeleteSelected1 = nullptr;
    TAction* MoveSelectedUp1 = nullptr;
    TAction* MoveSelectedDown1 = nullptr;
    TAction* SelectAll1 = nullptr;
    TAction* SelectNone1 = nullptr;
    TAction* Reset1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* AddNew2 = nullptr;
    TMenuItem* oolbar1 = nullptr;
    TPopupMenu* PopupMenu2 = nullptr;

protected:
    // Finds the components of the description, before OnCreate runs.
    void Loaded() override;
    // The inspector, the collection's owner or a saved object is being freed.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TZkCustomObjectInspector* Inspector() const;
    // The item an entry shows, while the collection still holds it; null otherwise.
    TCollectionItem* ItemOf(const TListItem* Entry) const;
    int IndexOfItem(const TCollectionItem* Item) const;
    bool IsPresetList() const;
    // The saved objects watch their components through this form; these keep
    // the form's own links alive beside theirs.
    void KeepWatching();
    bool IsWatchedBySavedObjects(const TComponent* Component) const;
    void Unwatch(TComponent* Component);
    // Gives the inspector back what it showed before, when it still shows this editor's items.
    void RestoreInspector();
    void ClearAddMenu();

    TCollection* FCollection = nullptr;         // not owned; emptied when its owner goes
    TComponent* FObjectInspector = nullptr;     // not owned; free-notified
    TComponent* FCollectionOwner = nullptr;     // not owned; free-notified
    TOwned<TZkInspectorObjects> FSavedObjects;  // watches its objects through this form
    // The class each command of the Add drop-down menu adds; the menu owns the commands.
    std::unordered_map<const TMenuItem*, const TClassInfo*> FAddClasses;
    bool FRebuilding = false;  // UpdateList is refilling the list; selection events wait
};

// Opens an editor of Collection linked to ObjectInspector and shows it
// modelessly. With Reuse an editor already open on the same inspector and
// collection is brought to the front instead. CaptionSuffix follows the
// caption after a blank.
TfrmCollectionEditor* ShowCollectionEditor(TComponent* ObjectInspector, TCollection* Collection,
                                           const std::string& CaptionSuffix, bool Reuse);
// The same with an editor of EditorClass, a descendant of TfrmCollectionEditor.
TfrmCollectionEditor* ShowCollectionEditorOfClass(const TClassInfo* EditorClass,
                                                  TComponent* ObjectInspector,
                                                  TCollection* Collection, bool Reuse,
                                                  const std::string& CaptionSuffix);
// The open editors, guarded by their lock; null until an entry call asked for reuse.
TThreadList* OpenEditors();

}  // namespace zk
