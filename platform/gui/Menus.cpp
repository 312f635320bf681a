// Menus: shortcut texts, TMenuItem over QAction and QMenu, TMenu and TPopupMenu with the modal
// seam around the pop-up.
#include "platform/gui/Menus.h"

#include <QAction>
#include <QFont>
#include <QKeySequence>
#include <QMenu>
#include <algorithm>
#include <cassert>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ModalResult.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/Application.h"
#include "platform/gui/ImgList.h"

namespace zk {

// ---- shortcuts ----

const TTypeInfo* TypeInfoTShortCut() {
    static const TTypeInfo* Info = MakeAliasType("TShortCut", TypeInfoInteger());
    return Info;
}

namespace {

struct TKeyName {
    uint16_t Key;
    const char* Name;
    int QtKey;
};

const TKeyName KeyNames[] = {
    {VK_BACK, "BkSp", Qt::Key_Backspace},
    {VK_TAB, "Tab", Qt::Key_Tab},
    {VK_ESCAPE, "Esc", Qt::Key_Escape},
    {VK_RETURN, "Enter", Qt::Key_Return},
    {VK_SPACE, "Space", Qt::Key_Space},
    {VK_PRIOR, "PgUp", Qt::Key_PageUp},
    {VK_NEXT, "PgDn", Qt::Key_PageDown},
    {VK_END, "End", Qt::Key_End},
    {VK_HOME, "Home", Qt::Key_Home},
    {VK_LEFT, "Left", Qt::Key_Left},
    {VK_UP, "Up", Qt::Key_Up},
    {VK_RIGHT, "Right", Qt::Key_Right},
    {VK_DOWN, "Down", Qt::Key_Down},
    {VK_INSERT, "Ins", Qt::Key_Insert},
    {VK_DELETE, "Del", Qt::Key_Delete},
    {VK_MULTIPLY, "Num *", Qt::Key_Asterisk},
    {VK_ADD, "Num +", Qt::Key_Plus},
    {VK_SUBTRACT, "Num -", Qt::Key_Minus},
    {VK_DECIMAL, "Num .", Qt::Key_Period},
    {VK_DIVIDE, "Num /", Qt::Key_Slash},
    {VK_OEM_1, ";", Qt::Key_Semicolon},
    {VK_OEM_PLUS, "=", Qt::Key_Equal},
    {VK_OEM_COMMA, ",", Qt::Key_Comma},
    {VK_OEM_MINUS, "-", Qt::Key_Minus},
    {VK_OEM_PERIOD, ".", Qt::Key_Period},
    {VK_OEM_2, "/", Qt::Key_Slash},
    {VK_OEM_3, "`", Qt::Key_QuoteLeft},
    {VK_OEM_4, "[", Qt::Key_BracketLeft},
    {VK_OEM_5, "\\", Qt::Key_Backslash},
    {VK_OEM_6, "]", Qt::Key_BracketRight},
    {VK_OEM_7, "'", Qt::Key_Apostrophe},
};

// The name of a key as shortcut texts write it; empty for keys without one.
std::string KeyName(uint16_t Key) {
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z'))
        return std::string(1, static_cast<char>(Key));
    if (Key >= VK_F1 && Key <= VK_F24) return "F" + std::to_string(Key - VK_F1 + 1);
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return "Num " + std::to_string(Key - VK_NUMPAD0);
    for (const TKeyName& K : KeyNames)
        if (K.Key == Key) return K.Name;
    return std::string();
}

int QtKeyOf(uint16_t Key) {
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return Key;
    if (Key >= VK_F1 && Key <= VK_F24) return Qt::Key_F1 + (Key - VK_F1);
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return Qt::Key_0 + (Key - VK_NUMPAD0);
    for (const TKeyName& K : KeyNames)
        if (K.Key == Key) return K.QtKey;
    return 0;
}

QKeySequence KeySequenceOf(TShortCut Value) {
    uint16_t Key = 0;
    TShiftState Shift;
    ShortCutToKey(Value, Key, Shift);
    const int Qt = QtKeyOf(Key);
    if (!Qt) return QKeySequence();
    int Mods = 0;
    if (Shift.Contains(ssShift)) Mods |= Qt::SHIFT;
    if (Shift.Contains(ssCtrl)) Mods |= Qt::CTRL;
    if (Shift.Contains(ssAlt)) Mods |= Qt::ALT;
    return QKeySequence(Qt | Mods);
}

bool StartsWithText(const std::string& S, const std::string& Prefix) {
    return S.size() >= Prefix.size() && SameText(S.substr(0, Prefix.size()), Prefix);
}

}  // namespace

TShortCut ShortCut(uint16_t Key, TShiftState Shift) {
    if (Key == 0 || (Key & 0xFF00)) return 0;
    TShortCut Result = Key;
    if (Shift.Contains(ssShift)) Result |= scShift;
    if (Shift.Contains(ssCtrl)) Result |= scCtrl;
    if (Shift.Contains(ssAlt)) Result |= scAlt;
    return Result;
}

void ShortCutToKey(TShortCut Value, uint16_t& Key, TShiftState& Shift) {
    Key = Value & 0xFF;
    Shift = {};
    if (Value & scShift) Shift.Include(ssShift);
    if (Value & scCtrl) Shift.Include(ssCtrl);
    if (Value & scAlt) Shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut Value) {
    const std::string Name = KeyName(Value & 0xFF);
    if (Name.empty()) return std::string();
    std::string Result;
    if (Value & scShift) Result += "Shift+";
    if (Value & scCtrl) Result += "Ctrl+";
    if (Value & scAlt) Result += "Alt+";
    return Result + Name;
}

TShortCut TextToShortCut(const std::string& Text) {
    std::string Rest = Text;
    TShortCut Mods = 0;
    for (bool Found = true; Found;) {
        Found = false;
        for (auto [Prefix, Bit] : {std::pair<const char*, TShortCut>{"Shift+", scShift},
                                   {"Ctrl+", scCtrl},
                                   {"Alt+", scAlt}}) {
            if (Rest.size() > std::string(Prefix).size() && StartsWithText(Rest, Prefix)) {
                Rest = Rest.substr(std::string(Prefix).size());
                Mods |= Bit;
                Found = true;
            }
        }
    }
    if (Rest.empty()) return 0;
    for (int Key = 1; Key < 256; ++Key)
        if (const std::string Name = KeyName(static_cast<uint16_t>(Key));
            !Name.empty() && SameText(Name, Rest))
            return static_cast<TShortCut>(Key | Mods);
    return 0;
}

ZK_IMPLEMENT_CLASS(TShortCutList)
void TShortCutList::DescribeClass(TClassBuilder<TShortCutList>&) {}

int TShortCutList::IndexOfShortCut(TShortCut Value) const {
    for (int I = 0; I < GetCount(); ++I)
        if (GetShortCut(I) == Value) return I;
    return -1;
}

// ---- the action link of menu items ----

class TMenuActionLink : public TActionLink {
public:
    explicit TMenuActionLink(TMenuItem* Client) : FClient(Client) {}

    bool IsCaptionLinked() const override {
        return A() && FClient->GetCaption() == A()->GetCaption();
    }
    bool IsCheckedLinked() const override {
        return A() && FClient->GetChecked() == A()->GetChecked();
    }
    bool IsEnabledLinked() const override {
        return A() && FClient->GetEnabled() == A()->GetEnabled();
    }
    bool IsHelpContextLinked() const override {
        return A() && FClient->GetHelpContext() == A()->GetHelpContext();
    }
    bool IsHintLinked() const override { return A() && FClient->GetHint() == A()->GetHint(); }
    bool IsImageIndexLinked() const override {
        return A() && FClient->GetImageIndex() == A()->GetImageIndex();
    }
    bool IsShortCutLinked() const override {
        return A() && FClient->GetShortCut() == A()->GetShortCut();
    }
    bool IsVisibleLinked() const override {
        return A() && FClient->GetVisible() == A()->GetVisible();
    }
    bool IsOnExecuteLinked() const override {
        return GetAction() && FClient->GetOnClick() == GetAction()->GetOnExecute();
    }
    void SetCaption(const std::string& V) override {
        if (IsCaptionLinked()) FClient->SetCaption(V);
    }
    void SetChecked(bool V) override {
        if (IsCheckedLinked()) FClient->SetChecked(V);
    }
    void SetEnabled(bool V) override {
        if (IsEnabledLinked()) FClient->SetEnabled(V);
    }
    void SetHelpContext(int V) override {
        if (IsHelpContextLinked()) FClient->SetHelpContext(V);
    }
    void SetHint(const std::string& V) override {
        if (IsHintLinked()) FClient->SetHint(V);
    }
    void SetImageIndex(int V) override {
        if (IsImageIndexLinked()) FClient->SetImageIndex(V);
    }
    void SetShortCut(TShortCut V) override {
        if (IsShortCutLinked()) FClient->SetShortCut(V);
    }
    void SetVisible(bool V) override {
        if (IsVisibleLinked()) FClient->SetVisible(V);
    }

private:
    const TCustomAction* A() const { return DynamicCast<TCustomAction>(GetAction()); }
    TMenuItem* FClient;  // owns this link
};

// ---- TMenuItem ----

ZK_IMPLEMENT_CLASS(TMenuItem)
void TMenuItem::DescribeClass(TClassBuilder<TMenuItem>& C) {
    C.Prop("Action", &TMenuItem::GetAction, &TMenuItem::SetAction);
    C.Prop("AutoCheck", &TMenuItem::GetAutoCheck, &TMenuItem::SetAutoCheck).Default(false);
    C.Prop("Caption", &TMenuItem::GetCaption, &TMenuItem::SetCaption)
        .Type(TypeInfoTCaption())
        .Stored(&TMenuItem::IsCaptionStored);
    C.Prop("Checked", &TMenuItem::GetChecked, &TMenuItem::SetChecked)
        .Default(false)
        .Stored(&TMenuItem::IsCheckedStored);
    C.Prop("Default", &TMenuItem::GetDefault, &TMenuItem::SetDefault).Default(false);
    C.Prop("Enabled", &TMenuItem::GetEnabled, &TMenuItem::SetEnabled)
        .Default(true)
        .Stored(&TMenuItem::IsEnabledStored);
    C.Prop("GroupIndex", &TMenuItem::GetGroupIndex, &TMenuItem::SetGroupIndex).Default(0);
    C.Prop("HelpContext", &TMenuItem::GetHelpContext, &TMenuItem::SetHelpContext).Default(0);
    C.Prop("Hint", &TMenuItem::GetHint, &TMenuItem::SetHint).Stored(&TMenuItem::IsHintStored);
    C.Prop("ImageIndex", &TMenuItem::GetImageIndex, &TMenuItem::SetImageIndex)
        .Default(-1)
        .Stored(&TMenuItem::IsImageIndexStored);
    C.Prop("RadioItem", &TMenuItem::GetRadioItem, &TMenuItem::SetRadioItem).Default(false);
    C.Prop("ShortCut", &TMenuItem::GetShortCut, &TMenuItem::SetShortCut)
        .Type(TypeInfoTShortCut())
        .Default(0)
        .Stored(&TMenuItem::IsShortCutStored);
    C.Prop("Visible", &TMenuItem::GetVisible, &TMenuItem::SetVisible)
        .Default(true)
        .Stored(&TMenuItem::IsVisibleStored);
    C.Prop("OnClick", &TMenuItem::GetOnClick, &TMenuItem::SetOnClick)
        .Stored(&TMenuItem::IsOnClickStored);
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FQAction(new QAction()) {
    FQAction->setShortcutContext(Qt::WidgetShortcut);
    FQAction->setIconVisibleInMenu(true);
    QObject::connect(FQAction, &QAction::triggered, FQAction, [this](bool Checked) {
        if (!IsDestroying()) SafeCall(this, [this, Checked] { Triggered(Checked); });
    });
}

TMenuItem::~TMenuItem() {
    TMenuItem::BeforeDestruction();
    FSubMenu.reset();
    delete FQAction;
}

void TMenuItem::BeforeDestruction() {
    Destroying();
    if (FParent) FParent->Remove(this);
    // The items below go first, whoever owns them; each leaves FItems as it goes.
    while (!FItems.empty()) FItems.back()->Free();
    FActionLink.reset();
    TComponent::BeforeDestruction();
}

QMenu* TMenuItem::GetSubMenu() {
    if (!FSubMenu) {
        FSubMenu = std::make_unique<QMenu>();
        FSubMenu->setTitle(QString::fromUtf8(FCaption));
        if (!FMenu) FQAction->setMenu(FSubMenu.get());
    }
    return FSubMenu.get();
}

TMenuItem* TMenuItem::GetItem(int Index) const {
    if (Index < 0 || Index >= GetCount()) throw EMenuError("Menu index out of range");
    return FItems[static_cast<size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) {
    Insert(GetCount(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    assert(Item && "TMenuItem::Insert(nullptr)");
    if (Item->FParent) throw EMenuError("Menu inserted twice");
    if (Index < 0 || Index > GetCount()) throw EMenuError("Menu index out of range");
    for (const TMenuItem* P = this; P; P = P->FParent)
        if (P == Item) throw EMenuError("Menu inserted twice");
    QAction* Before = Index < GetCount() ? FItems[static_cast<size_t>(Index)]->FQAction : nullptr;
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    GetSubMenu()->insertAction(Before, Item->FQAction);
    Item->UpdateImage();
}

void TMenuItem::Delete(int Index) {
    Remove(GetItem(Index));
}

void TMenuItem::Remove(TMenuItem* Item) {
    auto It = std::find(FItems.begin(), FItems.end(), Item);
    if (It == FItems.end()) return;
    FItems.erase(It);
    Item->FParent = nullptr;
    if (FSubMenu) FSubMenu->removeAction(Item->FQAction);
    // An item without items is a command again, not a sub-menu.
    if (FItems.empty() && !FMenu && FSubMenu) {
        FQAction->setMenu(static_cast<QMenu*>(nullptr));
        FSubMenu.reset();
    }
}

void TMenuItem::Clear() {
    while (!FItems.empty()) FItems.back()->Free();
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    auto It = std::find(FItems.begin(), FItems.end(), Item);
    return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

int TMenuItem::GetMenuIndex() const {
    return FParent ? FParent->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int Value) {
    if (!FParent) return;
    TMenuItem* Parent = FParent;
    Value = std::clamp(Value, 0, Parent->GetCount() - 1);
    if (Value == GetMenuIndex()) return;
    Parent->Remove(this);
    Parent->Insert(Value, this);
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* Item = this;
    while (Item->FParent) Item = Item->FParent;
    return Item->FMenu;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut Value) {
    if (Value == 0) return nullptr;
    for (TMenuItem* Item : FItems) {
        if (Item->FShortCut == Value) return Item;
        if (TMenuItem* Found = Item->FindShortCut(Value)) return Found;
    }
    return nullptr;
}

void TMenuItem::InitiateActions() {
    const std::vector<TMenuItem*> Items = FItems;
    for (TMenuItem* Item : Items) {
        if (Item->FActionLink) Item->FActionLink->Update();
        Item->InitiateActions();
    }
}

// Qt toggled a checkable action on its own; the state is the item's to decide.
void TMenuItem::Triggered(bool Checked) {
    if (FQAction->isCheckable()) FQAction->setChecked(!Checked);
    Click();
}

void TMenuItem::Click() {
    if (!GetEnabled()) return;
    const auto* Custom =
        FActionLink ? DynamicCast<TCustomAction>(FActionLink->GetAction()) : nullptr;
    // An action that checks itself also checks this item through the link.
    if (FAutoCheck && !(Custom && Custom->GetAutoCheck())) SetChecked(!GetChecked());
    if (FOnClick.Assigned() && FActionLink &&
        !(FOnClick == FActionLink->GetAction()->GetOnExecute()))
        FOnClick(this);
    else if (FActionLink)
        FActionLink->Execute(this);
    else if (FOnClick.Assigned())
        FOnClick(this);
}

// ---- properties ----

TBasicAction* TMenuItem::GetAction() const {
    return FActionLink ? FActionLink->GetAction() : nullptr;
}

void TMenuItem::SetAction(TBasicAction* Value) {
    if (GetAction() == Value) return;
    if (TBasicAction* Old = GetAction()) Old->RemoveFreeNotification(this);
    if (!Value) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) {
        FActionLink = std::make_unique<TMenuActionLink>(this);
    }
    FActionLink->SetAction(Value);
    ActionChange(Value, Value->IsLoading() || IsLoading());
    Value->FreeNotification(this);
}

// With CheckDefaults only what still holds its default takes the action's value.
void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults) {
    auto* A = DynamicCast<TCustomAction>(Sender);
    if (!A) return;
    if (!CheckDefaults || !FAutoCheck) SetAutoCheck(A->GetAutoCheck());
    if (!CheckDefaults || FCaption.empty()) SetCaption(A->GetCaption());
    if (!CheckDefaults || !GetChecked()) SetChecked(A->GetChecked());
    if (!CheckDefaults || GetEnabled()) SetEnabled(A->GetEnabled());
    if (!CheckDefaults || FHelpContext == 0) SetHelpContext(A->GetHelpContext());
    if (!CheckDefaults || FHint.empty()) SetHint(A->GetHint());
    if (!CheckDefaults || FImageIndex == -1) SetImageIndex(A->GetImageIndex());
    if (!CheckDefaults || FShortCut == 0) SetShortCut(A->GetShortCut());
    if (!CheckDefaults || GetVisible()) SetVisible(A->GetVisible());
}

void TMenuItem::SetAutoCheck(bool Value) {
    FAutoCheck = Value;
    UpdateCheckable();
}

void TMenuItem::SetCaption(const std::string& Value) {
    FCaption = Value;
    FQAction->setText(QString::fromUtf8(Value));
    FQAction->setSeparator(IsLine());
    if (FSubMenu) FSubMenu->setTitle(QString::fromUtf8(Value));
}

bool TMenuItem::GetChecked() const {
    return FQAction->isChecked();
}

void TMenuItem::SetChecked(bool Value) {
    if (Value) FQAction->setCheckable(true);
    FQAction->setChecked(Value);
    UpdateCheckable();
    if (!Value || !FRadioItem || !FParent) return;
    for (TMenuItem* Sibling : FParent->FItems)
        if (Sibling != this && Sibling->FRadioItem && Sibling->FGroupIndex == FGroupIndex)
            Sibling->SetChecked(false);
}

// Qt draws a check box only for checkable actions; a plain command stays plain.
void TMenuItem::UpdateCheckable() {
    FQAction->setCheckable(FAutoCheck || FRadioItem || FQAction->isChecked());
}

void TMenuItem::SetDefault(bool Value) {
    FDefault = Value;
    QFont F = FQAction->font();
    F.setBold(Value);
    FQAction->setFont(F);
}

bool TMenuItem::GetEnabled() const {
    return FQAction->isEnabled();
}

void TMenuItem::SetEnabled(bool Value) {
    FQAction->setEnabled(Value);
}

void TMenuItem::SetHint(const std::string& Value) {
    FHint = Value;
    FQAction->setStatusTip(QString::fromUtf8(Value));
}

void TMenuItem::SetImageIndex(int Value) {
    FImageIndex = Value;
    UpdateImage();
}

void TMenuItem::UpdateImage() {
    TMenu* Menu = GetParentMenu();
    TCustomImageList* Images = Menu ? Menu->GetImages() : nullptr;
    FQAction->setIcon(Images ? Images->GetIcon(FImageIndex) : QIcon());
}

void TMenuItem::SetRadioItem(bool Value) {
    FRadioItem = Value;
    UpdateCheckable();
}

void TMenuItem::SetShortCut(TShortCut Value) {
    FShortCut = Value;
    FQAction->setShortcut(KeySequenceOf(Value));
}

bool TMenuItem::GetVisible() const {
    return FQAction->isVisible();
}

void TMenuItem::SetVisible(bool Value) {
    FQAction->setVisible(Value);
}

bool TMenuItem::IsCaptionStored() const {
    return !FActionLink || !FActionLink->IsCaptionLinked();
}
bool TMenuItem::IsCheckedStored() const {
    return !FActionLink || !FActionLink->IsCheckedLinked();
}
bool TMenuItem::IsEnabledStored() const {
    return !FActionLink || !FActionLink->IsEnabledLinked();
}
bool TMenuItem::IsHintStored() const {
    return !FActionLink || !FActionLink->IsHintLinked();
}
bool TMenuItem::IsImageIndexStored() const {
    return !FActionLink || !FActionLink->IsImageIndexLinked();
}
bool TMenuItem::IsShortCutStored() const {
    return !FActionLink || !FActionLink->IsShortCutLinked();
}
bool TMenuItem::IsVisibleStored() const {
    return !FActionLink || !FActionLink->IsVisibleLinked();
}
bool TMenuItem::IsOnClickStored() const {
    return !FActionLink || !FActionLink->IsOnExecuteLinked();
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && FActionLink && AComponent == FActionLink->GetAction())
        FActionLink.reset();
    TComponent::Notification(AComponent, Operation);
}

// ---- streaming ----

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (FParent) FParent->Remove(this);
    if (auto* Menu = DynamicCast<TMenu>(Value))
        Menu->GetItems()->Add(this);
    else if (auto* Item = DynamicCast<TMenuItem>(Value))
        Item->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
    for (TMenuItem* Item : FItems)
        if (Item->GetOwner() == Root) Proc(Item);
}

// ---- TMenu ----

ZK_IMPLEMENT_CLASS(TMenu)
void TMenu::DescribeClass(TClassBuilder<TMenu>& C) {
    C.Prop("Images", &TMenu::GetImages, &TMenu::SetImages);
}

TMenu::TMenu(TComponent* AOwner)
    : TComponent(AOwner), FItems(Create<TMenuItem>(this)), FImageChangeLink(Create<TChangeLink>()) {
    FItems->FMenu = this;
    FImageChangeLink->SetOnChange(TNotifyEvent(this, &TMenu::ImagesChanged));
}

TMenu::~TMenu() {
    TMenu::BeforeDestruction();
}

void TMenu::BeforeDestruction() {
    Destroying();
    FImageChangeLink.reset();
    TComponent::BeforeDestruction();
}

void TMenu::SetImages(TCustomImageList* Value) {
    if (SetImageListField(this, FImages, Value, FImageChangeLink.get())) ImagesChanged(this);
}

void TMenu::ImagesChanged(TObject*) {
    std::function<void(TMenuItem*)> Walk = [&](TMenuItem* Item) {
        for (int I = 0; I < Item->GetCount(); ++I) {
            Item->GetItem(I)->UpdateImage();
            Walk(Item->GetItem(I));
        }
    };
    Walk(FItems);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        if (!IsDestroying()) ImagesChanged(this);
    }
    TComponent::Notification(AComponent, Operation);
}

// An item whose action is disabled does not take its key; the key goes on.
bool TMenu::IsShortCut(uint16_t Key, TShiftState Shift) {
    TMenuItem* Item = FItems->FindShortCut(ShortCut(Key, Shift));
    if (!Item) return false;
    if (Item->FActionLink) Item->FActionLink->Update();
    if (!Item->GetEnabled() || !Item->GetVisible()) return false;
    Item->Click();
    return true;
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
    FItems->GetChildren(Proc, Root);
}

// ---- TPopupMenu ----

ZK_IMPLEMENT_CLASS(TPopupMenu)
void TPopupMenu::DescribeClass(TClassBuilder<TPopupMenu>& C) {
    C.Prop("Alignment", &TPopupMenu::GetAlignment, &TPopupMenu::SetAlignment).Default(paLeft);
    C.Prop("AutoPopup", &TPopupMenu::GetAutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
    C.Prop("OnPopup", &TPopupMenu::GetOnPopup, &TPopupMenu::SetOnPopup);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
    if (FPopupComponent == Value) return;
    if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
    FPopupComponent = Value;
    if (Value) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
    TMenu::Notification(AComponent, Operation);
}

void TPopupMenu::DoPopup(TObject* Sender) {
    if (FOnPopup.Assigned()) FOnPopup(Sender);
}

void TPopupMenu::Popup(int X, int Y) {
    FPopupPoint = {X, Y};
    DoPopup(this);
    GetItems()->InitiateActions();
    if (GetItems()->GetCount() == 0) return;
    QMenu* Menu = GetItems()->GetSubMenu();
    const int Width = Menu->sizeHint().width();
    if (FAlignment == paRight) X -= Width;
    if (FAlignment == paCenter) X -= Width / 2;
    RunModal(this, [Menu, X, Y] { return Menu->exec(QPoint(X, Y)) ? mrOk : mrCancel; });
}

}  // namespace zk
