// TPageControl and TTabSheet: pages kept in step with the QTabBar, the active page, the user's
// picks and the framed page area.
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/Forms.h"
#include "platform/gui/ImgList.h"

namespace zk {

namespace {

// The room between the frame of the page area and the pages.
constexpr int PageInset = 2;

QTabBar::Shape ShapeOf(TTabPosition Position) {
    switch (Position) {
        case tpBottom:
            return QTabBar::RoundedSouth;
        case tpLeft:
            return QTabBar::RoundedWest;
        case tpRight:
            return QTabBar::RoundedEast;
        default:
            return QTabBar::RoundedNorth;
    }
}

}  // namespace

// ---- TTabSheet ----

ZK_IMPLEMENT_CLASS(TTabSheet)
void TTabSheet::DescribeClass(TClassBuilder<TTabSheet>& C) {
    // The page control places and shows its pages.
    for (const char* Name : {"Left", "Top", "Width", "Height", "Visible", "TabOrder"})
        C.Redeclare(Name).Stored(false);
    C.Prop("Caption", &TControl::GetCaption, &TControl::SetCaption)
        .Type(TypeInfoTCaption())
        .Stored(&TControl::IsCaptionStored);
    C.Prop("Highlighted", &TTabSheet::GetHighlighted, &TTabSheet::SetHighlighted).Default(false);
    C.Prop("ImageIndex", &TTabSheet::GetImageIndex, &TTabSheet::SetImageIndex).Default(-1);
    C.Prop("PageIndex", &TTabSheet::GetPageIndex, &TTabSheet::SetPageIndex).Stored(false);
    C.Prop("TabVisible", &TTabSheet::GetTabVisible, &TTabSheet::SetTabVisible).Default(true);
    C.Prop("OnHide", &TTabSheet::GetOnHide, &TTabSheet::SetOnHide);
    C.Prop("OnShow", &TTabSheet::GetOnShow, &TTabSheet::SetOnShow);
}

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csAcceptsControls, csClickEvents, csSetCaption, csDoubleClicks});
    SetVisible(false);
}

TTabSheet::~TTabSheet() {
    TTabSheet::BeforeDestruction();
}

void TTabSheet::BeforeDestruction() {
    Destroying();
    if (FPageControl) FPageControl->RemovePage(this);
    TWinControl::BeforeDestruction();
}

void TTabSheet::SetParent(TWinControl* AParent) {
    if (AParent == GetParent()) return;
    TPageControl* Old = FPageControl;
    TWinControl::SetParent(AParent);
    if (Old) Old->RemovePage(this);
    if (auto* PC = DynamicCast<TPageControl>(AParent)) PC->InsertPage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
    SetParent(Value);
}

int TTabSheet::GetPageIndex() const {
    if (!FPageControl) return -1;
    const auto& Pages = FPageControl->FPages;
    return static_cast<int>(std::find(Pages.begin(), Pages.end(), this) - Pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
    if (FPageControl) FPageControl->MovePage(this, Value);
}

int TTabSheet::GetTabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    int Index = 0;
    for (TTabSheet* P : FPageControl->FPages) {
        if (P == this) return Index;
        if (P->FTabVisible) ++Index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
    if (FTabVisible == Value) return;
    FTabVisible = Value;
    if (FPageControl) FPageControl->UpdateTab(this);
}

void TTabSheet::SetImageIndex(int Value) {
    FImageIndex = Value;
    if (FPageControl) FPageControl->UpdateTab(this);
}

void TTabSheet::SetHighlighted(bool Value) {
    FHighlighted = Value;
    if (FPageControl) FPageControl->UpdateTab(this);
}

void TTabSheet::RealSetText(const std::string& Value) {
    TWinControl::RealSetText(Value);
    if (FPageControl) FPageControl->UpdateTab(this);
}

void TTabSheet::VisibleChanged() {
    TWinControl::VisibleChanged();
    if (!FPageControl || IsLoading() || IsDestroying()) return;
    const TNotifyEvent& Event = GetVisible() ? FOnShow : FOnHide;
    if (Event.Assigned()) Event(this);
}

// ---- TPageControl ----

ZK_IMPLEMENT_CLASS(TPageControl)
void TPageControl::DescribeClass(TClassBuilder<TPageControl>& C) {
    C.Redeclare("TabStop").Default(true);
    C.Prop("ActivePage", &TPageControl::GetActivePage, &TPageControl::SetActivePage);
    C.Prop("HotTrack", &TPageControl::GetHotTrack, &TPageControl::SetHotTrack).Default(false);
    C.Prop("Images", &TPageControl::GetImages, &TPageControl::SetImages);
    C.Prop("MultiLine", &TPageControl::GetMultiLine, &TPageControl::SetMultiLine).Default(false);
    C.Prop("OwnerDraw", &TPageControl::GetOwnerDraw, &TPageControl::SetOwnerDraw).Default(false);
    C.Prop("RaggedRight", &TPageControl::GetRaggedRight, &TPageControl::SetRaggedRight)
        .Default(false);
    C.Prop("ScrollOpposite", &TPageControl::GetScrollOpposite, &TPageControl::SetScrollOpposite)
        .Default(false);
    C.Prop("Style", &TPageControl::GetStyle, &TPageControl::SetStyle).Default(tsTabs);
    C.Prop("TabHeight", &TPageControl::GetTabHeight, &TPageControl::SetTabHeight).Default(0);
    C.Prop("TabPosition", &TPageControl::GetTabPosition, &TPageControl::SetTabPosition)
        .Default(tpTop);
    C.Prop("TabWidth", &TPageControl::GetTabWidth, &TPageControl::SetTabWidth).Default(0);
    C.Prop("OnChange", &TPageControl::GetOnChange, &TPageControl::SetOnChange);
    C.Prop("OnChanging", &TPageControl::GetOnChanging, &TPageControl::SetOnChanging);
}

TPageControl::TPageControl(TComponent* AOwner)
    : TWinControl(AOwner), FImageChangeLink(Create<TChangeLink>()) {
    SetControlStyle({csDoubleClicks, csClickEvents, csCaptureMouse});
    FTabBar = new QTabBar(GetWidget());
    FTabBar->setDrawBase(false);
    FTabBar->setExpanding(false);
    FTabBar->setFocusPolicy(Qt::NoFocus);
    FTabBar->hide();
    QObject::connect(FTabBar, &QTabBar::currentChanged, FTabBar, [this](int Index) {
        if (!FSyncing && !IsDestroying()) SafeCall(this, [this, Index] { TabPicked(Index); });
    });
    FImageChangeLink->SetOnChange(TNotifyEvent(this, &TPageControl::ImagesChanged));
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
    TPageControl::BeforeDestruction();
}

void TPageControl::BeforeDestruction() {
    Destroying();
    FImageChangeLink.reset();
    TWinControl::BeforeDestruction();
}

TTabSheet* TPageControl::GetPage(int Index) const {
    if (Index < 0 || Index >= GetPageCount())
        throw EListError("List index out of bounds (%d)", {Index});
    return FPages[static_cast<size_t>(Index)];
}

// ---- pages ----

void TPageControl::InsertPage(TTabSheet* Page) {
    FPages.push_back(Page);
    Page->FPageControl = this;
    {
        TValueRollback<bool> Sync(FSyncing, true);
        FTabBar->addTab(QString());
    }
    UpdateTab(Page);
    if (!FActivePage && !IsLoading() && !Page->IsLoading())
        SetActivePage(Page);
    else
        ShowPage(FActivePage);
    Realign();
}

void TPageControl::RemovePage(TTabSheet* Page) {
    auto It = std::find(FPages.begin(), FPages.end(), Page);
    if (It == FPages.end()) return;
    const int Index = static_cast<int>(It - FPages.begin());
    TTabSheet* Next = FActivePage == Page ? FindNextPage(Page, true, false) : FActivePage;
    if (Next == Page) Next = nullptr;
    FPages.erase(It);
    Page->FPageControl = nullptr;
    {
        TValueRollback<bool> Sync(FSyncing, true);
        FTabBar->removeTab(Index);
    }
    if (IsDestroying()) {
        FActivePage = nullptr;
        return;
    }
    if (FActivePage == Page) FActivePage = nullptr;
    SetActivePage(Next);
    Realign();
}

void TPageControl::MovePage(TTabSheet* Page, int Index) {
    const int From = Page->GetPageIndex();
    Index = std::clamp(Index, 0, GetPageCount() - 1);
    if (From < 0 || From == Index) return;
    FPages.erase(FPages.begin() + From);
    FPages.insert(FPages.begin() + Index, Page);
    TValueRollback<bool> Sync(FSyncing, true);
    FTabBar->moveTab(From, Index);
    SyncTabIndex();
}

void TPageControl::UpdateTab(TTabSheet* Page) {
    const int Index = Page->GetPageIndex();
    if (Index < 0) return;
    TValueRollback<bool> Sync(FSyncing, true);
    const bool WasVisible = FTabBar->isTabVisible(Index);
    FTabBar->setTabText(Index, QString::fromUtf8(Page->GetCaption()));
    FTabBar->setTabIcon(Index, FImages ? FImages->GetIcon(Page->FImageIndex) : QIcon());
    FTabBar->setTabVisible(Index, Page->FTabVisible);
    if (Page->FHighlighted) {
        FTabBar->setTabTextColor(Index, FTabBar->palette().color(QPalette::Highlight));
    } else {
        FTabBar->setTabTextColor(Index, QColor());
    }
    SyncTabIndex();
    if (WasVisible != Page->FTabVisible) Realign();
}

// The tab bar shows the active page's tab; Qt moves its current tab on its own
// when tabs come and go, which is no pick of the user's.
void TPageControl::SyncTabIndex() {
    TValueRollback<bool> Sync(FSyncing, true);
    const int Index = FActivePage ? FActivePage->GetPageIndex() : -1;
    if (Index >= 0 && FTabBar->isTabVisible(Index)) FTabBar->setCurrentIndex(Index);
}

void TPageControl::ShowPage(TTabSheet* Page) {
    for (TTabSheet* P : FPages)
        if (P != Page) P->SetVisible(false);
    if (Page) Page->SetVisible(true);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* Current, bool GoForward,
                                      bool CheckTabVisible) const {
    const int Count = GetPageCount();
    if (Count == 0) return nullptr;
    int Start = Current ? Current->GetPageIndex() : -1;
    if (Start < 0) Start = GoForward ? Count - 1 : 0;
    int I = Start;
    do {
        I = GoForward ? (I + 1) % Count : (I + Count - 1) % Count;
        TTabSheet* P = FPages[static_cast<size_t>(I)];
        if (!CheckTabVisible || P->FTabVisible) return P;
    } while (I != Start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible) {
    TTabSheet* Next = FindNextPage(FActivePage, GoForward, CheckTabVisible);
    if (!Next || Next == FActivePage || !CanChange()) return;
    SetActivePage(Next);
    Change();
}

void TPageControl::SetActivePage(TTabSheet* Value) {
    if (Value && Value->FPageControl != this)
        throw EInvalidOperation("Page %s does not belong to %s", {Value->GetName(), GetName()});
    if (FActivePage == Value) return;
    // The focus leaves a page that goes out of sight.
    TCustomForm* Form = GetParentForm(this);
    const bool HadFocus = Form && FActivePage && Form->GetActiveControl() &&
                          FActivePage->ContainsControl(Form->GetActiveControl());
    TTabSheet* Old = FActivePage;
    FActivePage = Value;
    ShowPage(Value);
    SyncTabIndex();
    // The new page's first control, else the page control, becomes active;
    // a form that is not showing only remembers it.
    if (HadFocus) {
        if (Value && Value->CanFocus()) Value->SelectFirst();
        if (Old->ContainsControl(Form->GetActiveControl()) && CanFocus())
            Form->SetActiveControl(this);
    }
}

int TPageControl::GetActivePageIndex() const {
    return FActivePage ? FActivePage->GetPageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int Value) {
    SetActivePage(Value >= 0 && Value < GetPageCount() ? FPages[static_cast<size_t>(Value)]
                                                       : nullptr);
}

void TPageControl::TabPicked(int Index) {
    if (Index < 0 || Index >= GetPageCount() || Index == GetActivePageIndex()) return;
    if (!CanChange()) {
        SyncTabIndex();
        return;
    }
    SetActivePage(FPages[static_cast<size_t>(Index)]);
    Change();
}

bool TPageControl::CanChange() {
    bool Allow = true;
    if (FOnChanging.Assigned()) FOnChanging(this, Allow);
    return Allow;
}

void TPageControl::Change() {
    if (FOnChange.Assigned()) FOnChange(this);
}

void TPageControl::Loaded() {
    TWinControl::Loaded();
    if (!FActivePage && !FPages.empty()) SetActivePage(FindNextPage(nullptr, true, true));
    ShowPage(FActivePage);
    SyncTabIndex();
}

void TPageControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
    for (TTabSheet* P : FPages)
        if (P->GetOwner() == Root) Proc(P);
    for (int I = 0; I < GetControlCount(); ++I) {
        TControl* C = GetControl(I);
        if (!Is<TTabSheet>(C) && C->GetOwner() == Root) Proc(C);
    }
}

// ---- appearance and layout ----

void TPageControl::SetTabPosition(TTabPosition Value) {
    if (FTabPosition == Value) return;
    FTabPosition = Value;
    FTabBar->setShape(ShapeOf(Value));
    Realign();
    Invalidate();
}

void TPageControl::SetStyle(TTabStyle Value) {
    FStyle = Value;
    FTabBar->setDocumentMode(Value != tsTabs);
    Invalidate();
}

void TPageControl::SetHotTrack(bool Value) {
    FHotTrack = Value;
    FTabBar->setAttribute(Qt::WA_Hover, Value);
}

void TPageControl::SetMultiLine(bool Value) {
    FMultiLine = Value;
    FTabBar->setUsesScrollButtons(!Value);
    FTabBar->setElideMode(Value ? Qt::ElideRight : Qt::ElideNone);
    Realign();
}

namespace {

void ApplyTabSize(QTabBar* Bar, int Width, int Height) {
    QString Sheet;
    if (Width > 0) Sheet += QStringLiteral("width: %1px;").arg(Width);
    if (Height > 0) Sheet += QStringLiteral("height: %1px;").arg(Height);
    Bar->setStyleSheet(Sheet.isEmpty() ? QString()
                                       : QStringLiteral("QTabBar::tab { %1 }").arg(Sheet));
}

}  // namespace

void TPageControl::SetTabHeight(int Value) {
    FTabHeight = std::max(0, Value);
    ApplyTabSize(FTabBar, FTabWidth, FTabHeight);
    Realign();
}

void TPageControl::SetTabWidth(int Value) {
    FTabWidth = std::max(0, Value);
    ApplyTabSize(FTabBar, FTabWidth, FTabHeight);
    Realign();
}

void TPageControl::SetImages(TCustomImageList* Value) {
    if (SetImageListField(this, FImages, Value, FImageChangeLink.get())) ImagesChanged(this);
}

void TPageControl::ImagesChanged(TObject*) {
    for (TTabSheet* P : FPages) UpdateTab(P);
}

void TPageControl::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        if (!IsDestroying()) ImagesChanged(this);
    }
    TWinControl::Notification(AComponent, Operation);
}

void TPageControl::FontChanged() {
    TWinControl::FontChanged();
    Realign();
}

int TPageControl::TabBarExtent() const {
    bool Any = false;
    for (TTabSheet* P : FPages) Any |= P->FTabVisible;
    if (!Any) return 0;
    const QSize Hint = FTabBar->sizeHint();
    return FTabPosition == tpTop || FTabPosition == tpBottom ? Hint.height() : Hint.width();
}

TRect TPageControl::GetDisplayRect() const {
    TRect R = GetClientRect();
    const int Extent = TabBarExtent();
    switch (FTabPosition) {
        case tpBottom:
            R.Bottom -= Extent;
            break;
        case tpLeft:
            R.Left += Extent;
            break;
        case tpRight:
            R.Right -= Extent;
            break;
        default:
            R.Top += Extent;
            break;
    }
    return InflateRect(R, -PageInset, -PageInset);
}

void TPageControl::AlignControls(TControl* AControl, TRect& Rect) {
    const TRect Client = GetClientRect();
    const int Extent = TabBarExtent();
    const int W = Client.Width();
    const int H = Client.Height();
    switch (FTabPosition) {
        case tpBottom:
            FTabBar->setGeometry(0, H - Extent, W, Extent);
            break;
        case tpLeft:
            FTabBar->setGeometry(0, 0, Extent, H);
            break;
        case tpRight:
            FTabBar->setGeometry(W - Extent, 0, Extent, H);
            break;
        default:
            FTabBar->setGeometry(0, 0, W, Extent);
            break;
    }
    FTabBar->setVisible(Extent > 0);
    const TRect Display = GetDisplayRect();
    for (TTabSheet* P : FPages) P->SetBoundsRect(Display);
    Rect = Display;
    TWinControl::AlignControls(AControl, Rect);
}

// The frame around the page area, as the style draws tab widgets.
bool TPageControl::PaintWidget(QPaintEvent*, QWidget* Device) {
    QPainter P(Device);
    P.fillRect(Device->rect(), Device->palette().color(QPalette::Window));
    QStyleOptionTabWidgetFrame Option;
    Option.initFrom(Device);
    const TRect R = InflateRect(GetDisplayRect(), PageInset, PageInset);
    Option.rect = QRect(R.Left, R.Top, R.Width(), R.Height());
    Option.shape = ShapeOf(FTabPosition);
    Option.tabBarSize = FTabBar->isVisible() ? FTabBar->sizeHint() : QSize();
    Option.lineWidth = Device->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, Device);
    Device->style()->drawPrimitive(QStyle::PE_FrameTabWidget, &Option, &P, Device);
    return true;
}

}  // namespace zk
