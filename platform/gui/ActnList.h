// Actions: TBasicAction and its links to the controls and menu items that use it, TCustomAction /
// TAction with their propagated properties, and TCustomActionList / TActionList.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Event.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Menus.h"

namespace zk {

class TBasicAction;
class TCustomActionList;
class TCustomImageList;

// Ties one client (a control, a menu item) to an action; a link that copies
// properties (TActionLink) hears each property as it changes. The client
// owns the link; the action only lists it and clears Action when it goes.
class TBasicActionLink : public TObject {
    ZK_CLASS(TBasicActionLink, TObject)
public:
    TBasicActionLink() = default;
    ~TBasicActionLink() override;

    TBasicAction* GetAction() const { return FAction; }
    void SetAction(TBasicAction* Value);
    // Runs the action for AComponent; false when nobody executed it.
    virtual bool Execute(TComponent* AComponent);
    // Runs the action's update; false when nobody handled it.
    virtual bool Update();

private:
    TBasicAction* FAction = nullptr;  // registered with it; cleared when the action goes
};

// A link that mirrors the properties of a TCustomAction in its client while
// the client still shows the action's value ("linked"); a client whose value
// was changed on its own keeps it.
class TActionLink : public TBasicActionLink {
    ZK_CLASS(TActionLink, TBasicActionLink)
public:
    TActionLink() = default;

    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsEnabledLinked() const;
    virtual bool IsHelpContextLinked() const;
    virtual bool IsHintLinked() const;
    virtual bool IsImageIndexLinked() const;
    virtual bool IsShortCutLinked() const;
    virtual bool IsVisibleLinked() const;
    virtual bool IsOnExecuteLinked() const;

    // Called by the action before it stores a new value.
    virtual void SetCaption(const std::string&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetHelpContext(int) {}
    virtual void SetHint(const std::string&) {}
    virtual void SetImageIndex(int) {}
    virtual void SetShortCut(TShortCut) {}
    virtual void SetVisible(bool) {}
};

// The action link of a control: Caption, Enabled, Hint, Visible and
// HelpContext through the control, Checked and ImageIndex through the
// control's published properties of those names when it has them.
class TControlActionLink : public TActionLink {
    ZK_CLASS(TControlActionLink, TActionLink)
public:
    explicit TControlActionLink(TControl* Client) : FClient(Client) {}

    bool IsCaptionLinked() const override;
    bool IsCheckedLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHelpContextLinked() const override;
    bool IsHintLinked() const override;
    bool IsImageIndexLinked() const override;
    bool IsVisibleLinked() const override;
    bool IsOnExecuteLinked() const override;
    void SetCaption(const std::string& Value) override;
    void SetChecked(bool Value) override;
    void SetEnabled(bool Value) override;
    void SetHelpContext(int Value) override;
    void SetHint(const std::string& Value) override;
    void SetImageIndex(int Value) override;
    void SetVisible(bool Value) override;

protected:
    TControl* GetClient() const { return FClient; }
    // The client's published property that shows Checked ("Checked"; a tool button's "Down").
    virtual const char* CheckedPropName() const { return "Checked"; }

private:
    TControl* FClient;  // owns this link
};

ZK_EVENT(TActionEvent, void(TBasicAction* Action, bool& Handled))
ZK_EVENT(THintEvent, void(std::string& HintStr, bool& CanShow))

// An action: what runs (OnExecute) and what decides its state (OnUpdate),
// shared by every client linked to it.
class TBasicAction : public TComponent {
    ZK_CLASS(TBasicAction, TComponent)
public:
    explicit TBasicAction(TComponent* AOwner);
    ~TBasicAction() override;
    void BeforeDestruction() override;

    // Fires OnExecute; false when it is not assigned.
    virtual bool Execute();
    // Fires OnUpdate; false when it is not assigned.
    virtual bool Update();
    // The component that executed the action, while it runs.
    TComponent* GetActionComponent() const { return FActionComponent; }
    void SetActionComponent(TComponent* Value) { FActionComponent = Value; }
    int GetClientCount() const { return static_cast<int>(FClients.size()); }
    TBasicActionLink* GetClient(int Index) const { return FClients[static_cast<size_t>(Index)]; }

    const TNotifyEvent& GetOnExecute() const { return FOnExecute; }
    void SetOnExecute(const TNotifyEvent& Value);
    const TNotifyEvent& GetOnUpdate() const { return FOnUpdate; }
    void SetOnUpdate(const TNotifyEvent& Value);

protected:
    friend class TBasicActionLink;
    // After a change of the action itself (clients heard of it already).
    virtual void Change();
    void RegisterChanges(TBasicActionLink* Link);
    void UnRegisterChanges(TBasicActionLink* Link);
    // The links, as the property setters walk them; a snapshot, as a client may go meanwhile.
    std::vector<TBasicActionLink*> Clients() const { return FClients; }

private:
    std::vector<TBasicActionLink*> FClients;  // not owned; each link's Action points back
    TComponent* FActionComponent = nullptr;
    TNotifyEvent FOnExecute;
    TNotifyEvent FOnUpdate;
};

// An action that sits in an action list, which may handle its execution
// and update first.
class TContainedAction : public TBasicAction {
    ZK_CLASS(TContainedAction, TBasicAction)
public:
    explicit TContainedAction(TComponent* AOwner);
    ~TContainedAction() override;
    void BeforeDestruction() override;

    bool Execute() override;
    bool Update() override;
    TCustomActionList* GetActionList() const { return FActionList; }
    void SetActionList(TCustomActionList* Value);
    int GetIndex() const;
    void SetIndex(int Value);
    const std::string& GetCategory() const { return FCategory; }
    void SetCategory(const std::string& Value);

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

protected:
    // Tells the list, which fires its OnChange.
    void Change() override;

private:
    friend class TCustomActionList;
    TCustomActionList* FActionList = nullptr;  // lists this action; clears this when it goes
    std::string FCategory;
};

// An action with the properties its clients show. Setting one hands it to
// every linked client, so controls and menu items follow at once.
class TCustomAction : public TContainedAction {
    ZK_CLASS(TCustomAction, TContainedAction)
public:
    explicit TCustomAction(TComponent* AOwner);
    ~TCustomAction() override;

    // Updates first; a disabled action does not run. AutoCheck toggles Checked.
    bool Execute() override;

    bool GetAutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value);
    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool GetChecked() const { return FChecked; }
    // With a GroupIndex, checking unchecks the other actions of the group in the same list.
    void SetChecked(bool Value);
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    int GetHelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value);
    const std::string& GetHelpKeyword() const { return FHelpKeyword; }
    void SetHelpKeyword(const std::string& Value) { FHelpKeyword = Value; }
    THelpType GetHelpType() const { return FHelpType; }
    void SetHelpType(THelpType Value) { FHelpType = Value; }
    const std::string& GetHint() const { return FHint; }
    void SetHint(const std::string& Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TShortCut GetShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    // Owned; SetSecondaryShortCuts copies Value.
    TShortCutList* GetSecondaryShortCuts() const { return FSecondaryShortCuts.get(); }
    void SetSecondaryShortCuts(TShortCutList* Value);
    bool IsSecondaryShortCutsStored() const { return FSecondaryShortCuts->GetCount() > 0; }
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    // ShortCut or one of the SecondaryShortCuts.
    bool HasShortCut(TShortCut Value) const;

    const THintEvent& GetOnHint() const { return FOnHint; }
    void SetOnHint(const THintEvent& Value) { FOnHint = Value; }

private:
    template <class V, class F>
    void Propagate(V& Field, const V& Value, F ToLink);

    bool FAutoCheck = false;
    std::string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    int FGroupIndex = 0;
    int FHelpContext = 0;
    std::string FHelpKeyword;
    THelpType FHelpType = htKeyword;
    std::string FHint;
    int FImageIndex = -1;
    TShortCut FShortCut = 0;
    TOwned<TShortCutList> FSecondaryShortCuts;
    bool FVisible = true;
    THintEvent FOnHint;
};

class TAction : public TCustomAction {
    ZK_CLASS(TAction, TCustomAction)
public:
    explicit TAction(TComponent* AOwner);
};

// A list of actions (which are components of the form, not of the list).
// Its OnExecute and OnUpdate see every action first and may handle it.
class TCustomActionList : public TComponent {
    ZK_CLASS(TCustomActionList, TComponent)
public:
    explicit TCustomActionList(TComponent* AOwner);
    ~TCustomActionList() override;
    void BeforeDestruction() override;

    int GetActionCount() const { return static_cast<int>(FActions.size()); }
    // EListError "List index out of bounds (%d)" outside 0..ActionCount-1.
    TContainedAction* GetAction(int Index) const;
    int IndexOfAction(const TContainedAction* Action) const;
    // Fires OnExecute / OnUpdate; true when the handler says it handled the action.
    virtual bool ExecuteAction(TBasicAction* Action);
    virtual bool UpdateAction(TBasicAction* Action);
    // Executes the enabled action that has this shortcut; false when none does.
    bool IsShortCut(uint16_t Key, TShiftState Shift);

    // Not owned; cleared when freed.
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }
    const TActionEvent& GetOnExecute() const { return FOnExecute; }
    void SetOnExecute(const TActionEvent& Value) { FOnExecute = Value; }
    const TActionEvent& GetOnUpdate() const { return FOnUpdate; }
    void SetOnUpdate(const TActionEvent& Value) { FOnUpdate = Value; }

    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // After actions come, go or move; fires OnChange.
    virtual void Change();

private:
    friend class TContainedAction;
    void AddAction(TContainedAction* Action);
    void RemoveAction(TContainedAction* Action);

    std::vector<TContainedAction*> FActions;  // not owned; each action's ActionList points back
    TCustomImageList* FImages = nullptr;      // not owned; free-notified
    TNotifyEvent FOnChange;
    TActionEvent FOnExecute;
    TActionEvent FOnUpdate;
};

class TActionList : public TCustomActionList {
    ZK_CLASS(TActionList, TCustomActionList)
public:
    explicit TActionList(TComponent* AOwner);
};

}  // namespace zk
