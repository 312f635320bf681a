// TToolBar and TToolButton: buttons over QToolButton placed in rows, images from the tool bar's
// image lists, check groups, drop-down menus and the edges of the bar.
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QToolButton>

#include "platform/core/ClassBuilder.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/Application.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/Menus.h"

namespace zk {

namespace {

constexpr int SeparatorWidth = 8;

// A tool button shows an action's Checked as Down.
class TToolButtonActionLink : public TControlActionLink {
public:
    using TControlActionLink::TControlActionLink;

protected:
    const char* CheckedPropName() const override { return "Down"; }
};

}  // namespace

// ---- TToolButton ----

ZK_IMPLEMENT_CLASS(TToolButton)
void TToolButton::DescribeClass(TClassBuilder<TToolButton>& C) {
    C.Redeclare("Height").Stored(false);
    C.Redeclare("Width").Stored(&TToolButton::IsWidthStored);
    C.Prop("AllowAllUp", &TToolButton::GetAllowAllUp, &TToolButton::SetAllowAllUp).Default(false);
    C.Prop("Caption", &TControl::GetCaption, &TControl::SetCaption)
        .Type(TypeInfoTCaption())
        .Stored(&TControl::IsCaptionStored);
    C.Prop("Down", &TToolButton::GetDown, &TToolButton::SetDown)
        .Default(false)
        .Stored(&TToolButton::IsDownStored);
    C.Prop("DropdownMenu", &TToolButton::GetDropdownMenu, &TToolButton::SetDropdownMenu);
    C.Prop("Grouped", &TToolButton::GetGrouped, &TToolButton::SetGrouped).Default(false);
    C.Prop("ImageIndex", &TToolButton::GetImageIndex, &TToolButton::SetImageIndex)
        .Default(-1)
        .Stored(&TToolButton::IsImageIndexStored);
    C.Prop("Indeterminate", &TToolButton::GetIndeterminate, &TToolButton::SetIndeterminate)
        .Default(false);
    C.Prop("Marked", &TToolButton::GetMarked, &TToolButton::SetMarked).Default(false);
    C.Prop("Style", &TToolButton::GetStyle, &TToolButton::SetStyle).Default(tbsButton);
    C.Prop("Wrap", &TToolButton::GetWrap, &TToolButton::SetWrap).Default(false);
}

TToolButton::TToolButton(TComponent* AOwner)
    : TGraphicControl(AOwner, MakeControlWidget<QToolButton>(this)) {
    SetControlStyle({csCaptureMouse, csSetCaption, csDoubleClicks});
    QToolButton* B = GetToolButton();
    B->setToolButtonStyle(Qt::ToolButtonIconOnly);
    QObject::connect(B, &QToolButton::clicked, B, [this] {
        if (!IsDestroying()) SafeCall(this, [this] { Pressed(); });
    });
    SetBounds(0, 0, 23, 22);
}

QToolButton* TToolButton::GetToolButton() const {
    return static_cast<QToolButton*>(GetWidget());
}

bool TToolButton::IsImageIndexStored() const {
    return !GetActionLink() || !GetActionLink()->IsImageIndexLinked();
}

bool TToolButton::IsDownStored() const {
    return !GetActionLink() || !GetActionLink()->IsCheckedLinked();
}

TToolBar* TToolButton::GetToolBar() const {
    return DynamicCast<TToolBar>(GetParent());
}

int TToolButton::GetIndex() const {
    if (TToolBar* Bar = GetToolBar())
        for (int I = 0; I < Bar->GetButtonCount(); ++I)
            if (Bar->GetButton(I) == this) return I;
    return -1;
}

std::string TToolButton::RealGetText() const {
    return GetToolButton()->text().toStdString();
}

void TToolButton::RealSetText(const std::string& Value) {
    GetToolButton()->setText(QString::fromUtf8(Value));
}

void TToolButton::SetParent(TWinControl* AParent) {
    TGraphicControl::SetParent(AParent);
    UpdateFromToolBar();
}

// A check button stays down as Qt's checked state; others are down only while pressed.
bool TToolButton::GetDown() const {
    const QToolButton* B = GetToolButton();
    return B->isCheckable() ? B->isChecked() : B->isDown();
}

void TToolButton::SetDown(bool Value) {
    QToolButton* B = GetToolButton();
    if (B->isCheckable())
        B->setChecked(Value);
    else
        B->setDown(Value);
    if (Value) UpdateGroup();
}

void TToolButton::Pressed() {
    if (FStyle == tbsCheck && FGrouped && !GetDown() && !FAllowAllUp) {
        // The last button of a group stays down unless the group allows all up.
        GetToolButton()->setChecked(true);
        return;
    }
    if (GetDown()) UpdateGroup();
    Click();
}

// Grouped check buttons next to each other (up to a separator or another
// kind of button) are one group: one down releases the others.
void TToolButton::UpdateGroup() {
    TToolBar* Bar = GetToolBar();
    if (!Bar || !FGrouped || FStyle != tbsCheck) return;
    const int Index = GetIndex();
    auto InGroup = [](TToolButton* B) { return B->FGrouped && B->FStyle == tbsCheck; };
    for (int Step : {-1, 1})
        for (int I = Index + Step; I >= 0 && I < Bar->GetButtonCount(); I += Step) {
            TToolButton* B = Bar->GetButton(I);
            if (!InGroup(B)) break;
            B->GetToolButton()->setChecked(false);
        }
}

void TToolButton::Click() {
    TGraphicControl::Click();
}

void TToolButton::SetDropdownMenu(TPopupMenu* Value) {
    if (FDropdownMenu == Value) return;
    if (FDropdownMenu) FDropdownMenu->RemoveFreeNotification(this);
    FDropdownMenu = Value;
    if (Value) Value->FreeNotification(this);
    QMenu* Menu = Value ? Value->GetItems()->GetSubMenu() : nullptr;
    if (Menu)
        QObject::connect(Menu, &QMenu::aboutToShow, GetToolButton(), [this] {
            if (FDropdownMenu)
                SafeCall(this, [this] { FDropdownMenu->GetItems()->InitiateActions(); });
        });
    GetToolButton()->setMenu(Menu);
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FDropdownMenu) {
        FDropdownMenu = nullptr;
        GetToolButton()->setMenu(nullptr);
    }
    TGraphicControl::Notification(AComponent, Operation);
}

void TToolButton::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    UpdateFromToolBar();
}

void TToolButton::SetIndeterminate(bool Value) {
    FIndeterminate = Value;
    GetWidget()->update();
}

void TToolButton::SetMarked(bool Value) {
    FMarked = Value;
    GetWidget()->update();
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
    if (FStyle == Value) return;
    const bool WasSeparator = IsSeparator();
    FStyle = Value;
    QToolButton* B = GetToolButton();
    B->setCheckable(Value == tbsCheck);
    B->setPopupMode(Value == tbsDropDown ? QToolButton::MenuButtonPopup
                                         : QToolButton::DelayedPopup);
    B->setEnabled(GetEnabled() && !IsSeparator());
    if (IsSeparator() && !WasSeparator && !IsLoading())
        SetWidth(SeparatorWidth);
    else if (!IsSeparator() && WasSeparator && GetToolBar())
        SetWidth(GetToolBar()->GetButtonWidth());
    if (TToolBar* Bar = GetToolBar()) Bar->Realign();
    GetWidget()->update();
}

void TToolButton::SetWrap(bool Value) {
    FWrap = Value;
    if (TToolBar* Bar = GetToolBar()) Bar->Realign();
}

void TToolButton::UpdateFromToolBar() {
    QToolButton* B = GetToolButton();
    TToolBar* Bar = GetToolBar();
    TCustomImageList* Images = Bar ? Bar->GetImages() : nullptr;
    QIcon Icon = Images ? Images->GetIcon(FImageIndex) : QIcon();
    if (TCustomImageList* Disabled = Bar ? Bar->GetDisabledImages() : nullptr) {
        const QImage Image = Disabled->GetImage(FImageIndex);
        if (!Image.isNull()) Icon.addPixmap(QPixmap::fromImage(Image), QIcon::Disabled);
    }
    B->setIcon(Icon);
    if (Images) B->setIconSize(QSize(Images->GetWidth(), Images->GetHeight()));
    B->setAutoRaise(Bar && Bar->GetFlat());
    Qt::ToolButtonStyle Style = Qt::ToolButtonIconOnly;
    if (Bar && Bar->GetShowCaptions())
        Style = Bar->GetList() ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonTextUnderIcon;
    B->setToolButtonStyle(Style);
}

void TToolButton::ActionChange(TObject* Sender, bool CheckDefaults) {
    TGraphicControl::ActionChange(Sender, CheckDefaults);
    if (auto* A = DynamicCast<TCustomAction>(Sender))
        if (!CheckDefaults || !GetDown()) SetDown(A->GetChecked());
}

TControlActionLink* TToolButton::CreateActionLink() {
    return new TToolButtonActionLink(this);
}

// Separators are gaps; a divider draws a line down its middle.
bool TToolButton::PaintWidget(QPaintEvent*, QWidget* Device) {
    if (!IsSeparator()) return false;
    if (FStyle == tbsDivider) {
        QPainter P(Device);
        QStyleOption Option;
        Option.initFrom(Device);
        Option.state |= QStyle::State_Horizontal;
        Option.rect = Device->rect();
        Device->style()->drawPrimitive(QStyle::PE_IndicatorToolBarSeparator, &Option, &P, Device);
    }
    return true;
}

// ---- TToolBar ----

ZK_IMPLEMENT_CLASS(TToolBar)
void TToolBar::DescribeClass(TClassBuilder<TToolBar>& C) {
    C.Redeclare("Align").Default(alTop);
    C.Prop("ButtonHeight", &TToolBar::GetButtonHeight, &TToolBar::SetButtonHeight).Default(22);
    C.Prop("ButtonWidth", &TToolBar::GetButtonWidth, &TToolBar::SetButtonWidth).Default(23);
    C.Prop("DisabledImages", &TToolBar::GetDisabledImages, &TToolBar::SetDisabledImages);
    C.Prop("EdgeBorders", &TToolBar::GetEdgeBorders, &TToolBar::SetEdgeBorders)
        .Default(TEdgeBorders{ebTop});
    C.Prop("EdgeInner", &TToolBar::GetEdgeInner, &TToolBar::SetEdgeInner).Default(esRaised);
    C.Prop("EdgeOuter", &TToolBar::GetEdgeOuter, &TToolBar::SetEdgeOuter).Default(esLowered);
    C.Prop("Flat", &TToolBar::GetFlat, &TToolBar::SetFlat).Default(false);
    C.Prop("HotImages", &TToolBar::GetHotImages, &TToolBar::SetHotImages);
    C.Prop("Images", &TToolBar::GetImages, &TToolBar::SetImages);
    C.Prop("Indent", &TToolBar::GetIndent, &TToolBar::SetIndent).Default(0);
    C.Prop("List", &TToolBar::GetList, &TToolBar::SetList).Default(false);
    C.Prop("ShowCaptions", &TToolBar::GetShowCaptions, &TToolBar::SetShowCaptions).Default(false);
    C.Prop("Transparent", &TToolBar::GetTransparent, &TToolBar::SetTransparent).Default(false);
    C.Prop("Wrapable", &TToolBar::GetWrapable, &TToolBar::SetWrapable).Default(true);
}

TToolBar::TToolBar(TComponent* AOwner)
    : TWinControl(AOwner), FImageChangeLink(Create<TChangeLink>()) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csMenuEvents,
                     csSetCaption});
    FImageChangeLink->SetOnChange(TNotifyEvent(this, &TToolBar::ImagesChanged));
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

TToolBar::~TToolBar() {
    FImageChangeLink.reset();
}

int TToolBar::GetButtonCount() const {
    int Count = 0;
    for (int I = 0; I < GetControlCount(); ++I) Count += Is<TToolButton>(GetControl(I));
    return Count;
}

TToolButton* TToolBar::GetButton(int Index) const {
    for (int I = 0; I < GetControlCount(); ++I)
        if (auto* B = DynamicCast<TToolButton>(GetControl(I)))
            if (Index-- == 0) return B;
    throw EListError("List index out of bounds (%d)", {Index});
}

void TToolBar::ButtonsChanged() {
    for (int I = 0; I < GetControlCount(); ++I)
        if (auto* B = DynamicCast<TToolButton>(GetControl(I))) B->UpdateFromToolBar();
    Realign();
    Invalidate();
}

void TToolBar::SetButtonWidth(int Value) {
    if (Value < 0 || FButtonWidth == Value) return;
    FButtonWidth = Value;
    Realign();
}

void TToolBar::SetButtonHeight(int Value) {
    if (Value < 0 || FButtonHeight == Value) return;
    FButtonHeight = Value;
    Realign();
}

void TToolBar::SetEdgeBorders(TEdgeBorders Value) {
    FEdgeBorders = Value;
    Realign();
    Invalidate();
}

void TToolBar::SetEdgeInner(TEdgeStyle Value) {
    FEdgeInner = Value;
    Realign();
    Invalidate();
}

void TToolBar::SetEdgeOuter(TEdgeStyle Value) {
    FEdgeOuter = Value;
    Realign();
    Invalidate();
}

void TToolBar::SetFlat(bool Value) {
    FFlat = Value;
    ButtonsChanged();
}

void TToolBar::SetIndent(int Value) {
    FIndent = std::max(0, Value);
    Realign();
}

void TToolBar::SetList(bool Value) {
    FList = Value;
    ButtonsChanged();
}

void TToolBar::SetShowCaptions(bool Value) {
    FShowCaptions = Value;
    ButtonsChanged();
}

void TToolBar::SetTransparent(bool Value) {
    FTransparent = Value;
    GetWidget()->setAutoFillBackground(!Value);
    Invalidate();
}

void TToolBar::SetWrapable(bool Value) {
    FWrapable = Value;
    Realign();
}

void TToolBar::SetImageList(TCustomImageList*& Field, TCustomImageList* Value) {
    if (Field == Value) return;
    if (Field) {
        Field->UnRegisterChanges(FImageChangeLink.get());
        Field->RemoveFreeNotification(this);
    }
    Field = Value;
    // One link serves the list it last registered with; the others are re-read on any change.
    if (FImages) FImages->RegisterChanges(FImageChangeLink.get());
    if (Value) Value->FreeNotification(this);
    ButtonsChanged();
}

void TToolBar::SetImages(TCustomImageList* Value) {
    SetImageList(FImages, Value);
}

void TToolBar::SetDisabledImages(TCustomImageList* Value) {
    SetImageList(FDisabledImages, Value);
}

void TToolBar::SetHotImages(TCustomImageList* Value) {
    SetImageList(FHotImages, Value);
}

void TToolBar::ImagesChanged(TObject*) {
    ButtonsChanged();
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove) {
        bool Changed = false;
        for (TCustomImageList** Field : {&FImages, &FDisabledImages, &FHotImages})
            if (AComponent == *Field) {
                *Field = nullptr;
                Changed = true;
            }
        if (Changed && !IsDestroying()) ButtonsChanged();
    }
    TWinControl::Notification(AComponent, Operation);
}

// ---- layout and edges ----

int TToolBar::EdgeSize(TEdgeBorder Edge) const {
    if (!FEdgeBorders.Contains(Edge)) return 0;
    return (FEdgeInner != esNone ? 1 : 0) + (FEdgeOuter != esNone ? 1 : 0);
}

void TToolBar::AdjustClientRect(TRect& Rect) const {
    TWinControl::AdjustClientRect(Rect);
    Rect.Left += EdgeSize(ebLeft);
    Rect.Top += EdgeSize(ebTop);
    Rect.Right -= EdgeSize(ebRight);
    Rect.Bottom -= EdgeSize(ebBottom);
}

void TToolBar::AlignControls(TControl*, TRect& Rect) {
    const int Start = Rect.Left + FIndent;
    int X = Start;
    int Y = Rect.Top;
    for (int I = 0; I < GetControlCount(); ++I) {
        TControl* C = GetControl(I);
        if (!C->GetVisible()) continue;
        auto* Button = DynamicCast<TToolButton>(C);
        int W = C->GetWidth();
        int H = C->GetHeight();
        if (Button) {
            H = FButtonHeight;
            if (!Button->IsSeparator()) {
                W = FButtonWidth;
                if (FShowCaptions) W = std::max(W, Button->GetToolButton()->sizeHint().width());
            }
        }
        if (FWrapable && X > Start && X + W > Rect.Right) {
            X = Start;
            Y += FButtonHeight;
        }
        C->SetBounds(X, Y, W, H);
        X += W;
        if (Button && Button->GetWrap()) {
            X = Start;
            Y += FButtonHeight;
        }
    }
}

bool TToolBar::PaintWidget(QPaintEvent*, QWidget* Device) {
    QPainter P(Device);
    if (!FTransparent) P.fillRect(Device->rect(), ColorToQColor(GetColor()));
    TOwned<TCanvas> Canvas(Create<TCanvas>());
    Canvas->SetPainter(&P);
    unsigned Edge = 0;
    if (FEdgeOuter == esRaised) Edge |= BDR_RAISEDOUTER;
    if (FEdgeOuter == esLowered) Edge |= BDR_SUNKENOUTER;
    if (FEdgeInner == esRaised) Edge |= BDR_RAISEDINNER;
    if (FEdgeInner == esLowered) Edge |= BDR_SUNKENINNER;
    unsigned Sides = 0;
    if (FEdgeBorders.Contains(ebLeft)) Sides |= BF_LEFT;
    if (FEdgeBorders.Contains(ebTop)) Sides |= BF_TOP;
    if (FEdgeBorders.Contains(ebRight)) Sides |= BF_RIGHT;
    if (FEdgeBorders.Contains(ebBottom)) Sides |= BF_BOTTOM;
    TRect R = Rect(0, 0, GetWidth(), GetHeight());
    if (Edge && Sides) Canvas->DrawEdge(R, Edge, Sides);
    Canvas->SetPainter(nullptr);
    return true;
}

}  // namespace zk
