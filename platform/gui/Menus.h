// Menus: TMenuItem over QAction (sub-menus over QMenu), TMenu and TPopupMenu, and the
// shortcut values and texts menus and actions share.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Event.h"
#include "platform/core/StringList.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TypInfo.h"
#include "platform/gui/Controls.h"

class QAction;
class QMenu;

namespace zk {

class TBasicAction;
class TChangeLink;
class TCustomImageList;
class TMenu;
class TMenuActionLink;

// A key with its modifiers in one word: the virtual key in the low byte,
// scShift, scCtrl and scAlt above it. Reported as type "TShortCut".
using TShortCut = uint16_t;
const TTypeInfo* TypeInfoTShortCut();
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

TShortCut ShortCut(uint16_t Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, uint16_t& Key, TShiftState& Shift);
// "Ctrl+Up", "Shift+Ins", "F5", "A"; empty for scNone.
std::string ShortCutToText(TShortCut ShortCut);
// The reverse, ignoring case and the order of the modifiers; 0 when Text
// names no key.
TShortCut TextToShortCut(const std::string& Text);

// Shortcut texts, one per line, as an action's SecondaryShortCuts stores them.
class TShortCutList : public TStringList {
    ZK_CLASS(TShortCutList, TStringList)
public:
    TShortCutList() = default;
    TShortCut GetShortCut(int Index) const { return TextToShortCut(Get(Index)); }
    // -1 when no line names ShortCut.
    int IndexOfShortCut(TShortCut ShortCut) const;
};

ZK_ENUM(TPopupAlignment, uint8_t, paLeft, paRight, paCenter)

// One command of a menu, shown by a QAction; an item with items of its own
// shows a sub-menu. The caption "-" makes a separator, '&' marks the
// accelerator. An item frees the items below it. Clicking (or Click)
// toggles Checked with AutoCheck, then runs OnClick, or the action's
// execution when OnClick is not assigned.
class TMenuItem : public TComponent {
    ZK_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    void BeforeDestruction() override;

    QAction* GetQAction() const { return FQAction; }
    // The sub-menu of the items below; created with the first of them.
    QMenu* GetSubMenu();

    int GetCount() const { return static_cast<int>(FItems.size()); }
    // EMenuError "Menu index out of range" outside 0..Count-1.
    TMenuItem* GetItem(int Index) const;
    void Add(TMenuItem* Item);
    // Raises EMenuError "Menu inserted twice" for an item that already has a parent.
    void Insert(int Index, TMenuItem* Item);
    void Delete(int Index);
    void Remove(TMenuItem* Item);
    void Clear();
    int IndexOf(const TMenuItem* Item) const;
    TMenuItem* GetParent() const { return FParent; }
    int GetMenuIndex() const;
    void SetMenuIndex(int Value);
    // The menu this item belongs to, through its parents; null when none.
    TMenu* GetParentMenu() const;
    // The item (this one or below) with ShortCut that is enabled and visible.
    TMenuItem* FindShortCut(TShortCut Value);

    virtual void Click();
    // Updates the actions of the items below, as before the menu shows.
    void InitiateActions();

    TBasicAction* GetAction() const;
    void SetAction(TBasicAction* Value);
    bool GetAutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value);
    std::string GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool GetChecked() const;
    // Checking a RadioItem unchecks the RadioItems of its GroupIndex beside it.
    void SetChecked(bool Value);
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    bool GetEnabled() const;
    void SetEnabled(bool Value);
    uint8_t GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(uint8_t Value) { FGroupIndex = Value; }
    int GetHelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }
    const std::string& GetHint() const { return FHint; }
    void SetHint(const std::string& Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool GetRadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    TShortCut GetShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    bool GetVisible() const;
    void SetVisible(bool Value);
    bool IsLine() const { return FCaption == "-"; }

    const TNotifyEvent& GetOnClick() const { return FOnClick; }
    void SetOnClick(const TNotifyEvent& Value) { FOnClick = Value; }

    // Streaming: items are children of their parent item or menu.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

    // What the action link leaves out of the stream.
    bool IsCaptionStored() const;
    bool IsCheckedStored() const;
    bool IsEnabledStored() const;
    bool IsHintStored() const;
    bool IsImageIndexStored() const;
    bool IsShortCutStored() const;
    bool IsVisibleStored() const;
    bool IsOnClickStored() const;
    // Reloads the icon from the menu's images.
    void UpdateImage();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The action was set: take over its properties (with CheckDefaults only
    // those still at their defaults).
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);

private:
    friend class TMenu;
    friend class TMenuActionLink;
    void Triggered(bool Checked);
    void UpdateCheckable();

    QAction* FQAction;                // owned
    std::unique_ptr<QMenu> FSubMenu;  // owned; made for the first sub-item
    std::vector<TMenuItem*> FItems;   // freed with this item
    TMenuItem* FParent = nullptr;     // lists this item in its FItems
    TMenu* FMenu = nullptr;           // set on a menu's root item only
    std::unique_ptr<TMenuActionLink> FActionLink;
    std::string FCaption;
    bool FAutoCheck = false;
    bool FDefault = false;
    uint8_t FGroupIndex = 0;
    int FHelpContext = 0;
    std::string FHint;
    int FImageIndex = -1;
    bool FRadioItem = false;
    TShortCut FShortCut = 0;
    TNotifyEvent FOnClick;
};

// A menu: a root item (Items, owned) whose items the menu shows, and the
// images they draw from.
class TMenu : public TComponent {
    ZK_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    void BeforeDestruction() override;

    TMenuItem* GetItems() const { return FItems; }
    // Not owned; cleared when freed. Items redraw their icons on every change.
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // Runs the enabled, visible item with this shortcut; false when none takes it.
    bool IsShortCut(uint16_t Key, TShiftState Shift);

    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void ImagesChanged(TObject* Sender);

    TMenuItem* FItems;                    // owned as a component of this menu
    TCustomImageList* FImages = nullptr;  // not owned; free-notified
    TOwned<TChangeLink> FImageChangeLink;
};

// A menu shown at a point, by Popup or by a right click on a control whose
// PopupMenu it is (with AutoPopup). Popup goes through the modal seam: a
// test's handler gets the menu and may click an item instead of a user.
class TPopupMenu : public TMenu {
    ZK_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* AOwner);

    // Fires OnPopup, updates the items' actions and shows the menu with its
    // top-left corner at the screen point (X, Y) until the user picks or leaves.
    virtual void Popup(int X, int Y);
    // The control that was right-clicked; not owned, cleared when freed.
    TComponent* GetPopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value);
    TPoint GetPopupPoint() const { return FPopupPoint; }

    TPopupAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    bool GetAutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    const TNotifyEvent& GetOnPopup() const { return FOnPopup; }
    void SetOnPopup(const TNotifyEvent& Value) { FOnPopup = Value; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void DoPopup(TObject* Sender);

private:
    TComponent* FPopupComponent = nullptr;  // not owned; free-notified
    TPoint FPopupPoint;
    TPopupAlignment FAlignment = paLeft;
    bool FAutoPopup = true;
    TNotifyEvent FOnPopup;
};

ZK_DECLARE_EXCEPTION(EMenuError, Exception)

}  // namespace zk
