// Common controls: TPageControl with its TTabSheet pages (over QTabBar), TStatusBar with its
// panels (QStatusBar), TToolBar with TToolButton (QToolButton) and TMonthCalendar
// (QCalendarWidget).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Collection.h"
#include "platform/core/Event.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Types.h"
#include "platform/gui/Controls.h"

class QCalendarWidget;
class QLabel;
class QStatusBar;
class QTabBar;
class QToolButton;

namespace zk {

class TChangeLink;
class TCustomImageList;
class TPageControl;
class TPopupMenu;
class TToolBar;

ZK_ENUM(TTabPosition, uint8_t, tpTop, tpBottom, tpLeft, tpRight)
ZK_ENUM(TTabStyle, uint8_t, tsTabs, tsButtons, tsFlatButtons)
ZK_EVENT(TTabChangingEvent, void(TObject* Sender, bool& AllowChange))

// One page of a page control: a container shown while it is the active
// page, with a tab on the page control's tab bar. Its bounds come from the
// page control and are not stored.
class TTabSheet : public TWinControl {
    ZK_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    void BeforeDestruction() override;

    // Setting it (or the parent) moves the page to that page control's end.
    TPageControl* GetPageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* Value);
    void SetParent(TWinControl* AParent) override;
    // The position among the pages; -1 without a page control.
    int GetPageIndex() const;
    void SetPageIndex(int Value);
    // The position among the visible tabs; -1 when the tab is hidden.
    int GetTabIndex() const;
    bool GetTabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool GetHighlighted() const { return FHighlighted; }
    void SetHighlighted(bool Value);

    const TNotifyEvent& GetOnShow() const { return FOnShow; }
    void SetOnShow(const TNotifyEvent& Value) { FOnShow = Value; }
    const TNotifyEvent& GetOnHide() const { return FOnHide; }
    void SetOnHide(const TNotifyEvent& Value) { FOnHide = Value; }

protected:
    void RealSetText(const std::string& Value) override;
    void VisibleChanged() override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;  // lists this page; cleared when it goes
    bool FTabVisible = true;
    int FImageIndex = -1;
    bool FHighlighted = false;
    TNotifyEvent FOnShow;
    TNotifyEvent FOnHide;
};

// Pages with tabs. The tab bar is a QTabBar inside the control, on the side
// TabPosition names; the pages fill the framed rest. ActivePage set by code
// fires nothing; a tab the user picks asks OnChanging, then fires OnChange.
// With no visible tab the tab bar takes no room.
class TPageControl : public TWinControl {
    ZK_CLASS(TPageControl, TWinControl)
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    void BeforeDestruction() override;

    QTabBar* GetTabBar() const { return FTabBar; }
    int GetPageCount() const { return static_cast<int>(FPages.size()); }
    // EListError "List index out of bounds (%d)" outside 0..PageCount-1.
    TTabSheet* GetPage(int Index) const;
    // Null or a page of this control; another control's page is refused
    // with EInvalidOperation "Page %s does not belong to %s".
    TTabSheet* GetActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* Value);
    // -1 for no page; an index outside the pages selects none.
    int GetActivePageIndex() const;
    void SetActivePageIndex(int Value);
    // The next page after Current (before it when going back), wrapping round.
    TTabSheet* FindNextPage(TTabSheet* Current, bool GoForward, bool CheckTabVisible) const;
    // As the user's Ctrl+Tab: asks OnChanging and fires OnChange.
    void SelectNextPage(bool GoForward, bool CheckTabVisible = true);
    // Where the pages go, in client coordinates.
    TRect GetDisplayRect() const;

    TTabPosition GetTabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition Value);
    TTabStyle GetStyle() const { return FStyle; }
    void SetStyle(TTabStyle Value);
    bool GetHotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value);
    bool GetMultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    bool GetRaggedRight() const { return FRaggedRight; }
    void SetRaggedRight(bool Value) { FRaggedRight = Value; }
    bool GetScrollOpposite() const { return FScrollOpposite; }
    void SetScrollOpposite(bool Value) { FScrollOpposite = Value; }
    bool GetOwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool Value) { FOwnerDraw = Value; }
    // 0: the tab's own size.
    int GetTabHeight() const { return FTabHeight; }
    void SetTabHeight(int Value);
    int GetTabWidth() const { return FTabWidth; }
    void SetTabWidth(int Value);
    // Not owned; tabs show the image of their page's ImageIndex.
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }
    const TTabChangingEvent& GetOnChanging() const { return FOnChanging; }
    void SetOnChanging(const TTabChangingEvent& Value) { FOnChanging = Value; }

    // Pages in page order.
    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

protected:
    // A user's pick: CanChange fires OnChanging, Change fires OnChange.
    virtual bool CanChange();
    virtual void Change();
    void AlignControls(TControl* AControl, TRect& Rect) override;
    bool PaintWidget(QPaintEvent* E, QWidget* Device) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void FontChanged() override;
    void Loaded() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void MovePage(TTabSheet* Page, int Index);
    void ShowPage(TTabSheet* Page);
    void UpdateTab(TTabSheet* Page);
    void SyncTabIndex();
    void TabPicked(int Index);
    void ImagesChanged(TObject* Sender);
    int TabBarExtent() const;

    QTabBar* FTabBar;                // a child of the widget, deleted with it
    std::vector<TTabSheet*> FPages;  // not owned: pages are controls of this one
    TTabSheet* FActivePage = nullptr;
    TTabPosition FTabPosition = tpTop;
    TTabStyle FStyle = tsTabs;
    bool FHotTrack = false;
    bool FMultiLine = false;
    bool FRaggedRight = false;
    bool FScrollOpposite = false;
    bool FOwnerDraw = false;
    int FTabHeight = 0;
    int FTabWidth = 0;
    bool FSyncing = false;                // the tab bar is being set by code
    TCustomImageList* FImages = nullptr;  // not owned; free-notified
    TOwned<TChangeLink> FImageChangeLink;
    TNotifyEvent FOnChange;
    TTabChangingEvent FOnChanging;
};

ZK_ENUM(TStatusPanelBevel, uint8_t, pbNone, pbLowered, pbRaised)
ZK_ENUM(TStatusPanelStyle, uint8_t, psText, psOwnerDraw)

class TStatusBar;

// One panel of a status bar, shown by a QLabel of the status bar's widget.
class TStatusPanel : public TCollectionItem {
    ZK_CLASS(TStatusPanel, TCollectionItem)
public:
    explicit TStatusPanel(TCollection* Collection);

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TStatusPanelBevel GetBevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel Value);
    TStatusPanelStyle GetStyle() const { return FStyle; }
    void SetStyle(TStatusPanelStyle Value);
    const std::string& GetText() const { return FText; }
    void SetText(const std::string& Value);
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    std::string GetDisplayName() const override;
    void Assign(TPersistent* Source) override;

private:
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
    TStatusPanelStyle FStyle = psText;
    std::string FText;
    int FWidth = 50;
};

class TStatusPanels : public TCollection {
    ZK_CLASS(TStatusPanels, TCollection)
public:
    explicit TStatusPanels(TStatusBar* StatusBar);
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* GetItem(int Index) const {
        return static_cast<TStatusPanel*>(TCollection::GetItem(Index));
    }
    TPersistent* GetOwner() const override;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TStatusBar* FStatusBar;  // owns this collection
};

ZK_EVENT(TDrawPanelEvent, void(TStatusBar* StatusBar, TStatusPanel* Panel, TRect Rect))

// A bar of panels, usually along the bottom of a form. Each panel is as
// wide as its Width; the last one takes the rest. SimplePanel shows
// SimpleText across the whole bar instead.
class TStatusBar : public TWinControl {
    ZK_CLASS(TStatusBar, TWinControl)
public:
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;

    QStatusBar* GetStatusBar() const;
    // The label showing panel Index; null outside the panels.
    QLabel* GetPanelLabel(int Index) const;
    // Owned; SetPanels copies Value.
    TStatusPanels* GetPanels() const { return FPanels.get(); }
    void SetPanels(TStatusPanels* Value);
    bool GetSimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool Value);
    const std::string& GetSimpleText() const { return FSimpleText; }
    void SetSimpleText(const std::string& Value);
    bool GetSizeGrip() const;
    void SetSizeGrip(bool Value);
    bool GetAutoHint() const { return FAutoHint; }
    void SetAutoHint(bool Value) { FAutoHint = Value; }
    bool GetUseSystemFont() const { return FUseSystemFont; }
    void SetUseSystemFont(bool Value) { FUseSystemFont = Value; }

    const TDrawPanelEvent& GetOnDrawPanel() const { return FOnDrawPanel; }
    void SetOnDrawPanel(const TDrawPanelEvent& Value) { FOnDrawPanel = Value; }

private:
    friend class TStatusPanels;
    void PanelsChanged();
    void UpdateSimpleText();

    TOwned<TStatusPanels> FPanels;
    std::vector<QLabel*> FLabels;  // children of the widget, one per panel
    bool FSimplePanel = false;
    std::string FSimpleText;
    bool FAutoHint = false;
    bool FUseSystemFont = true;
    TDrawPanelEvent FOnDrawPanel;
};

ZK_ENUM(TToolButtonStyle, uint8_t, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider)
ZK_ENUM(TEdgeBorder, uint8_t, ebLeft, ebTop, ebRight, ebBottom)
ZK_SET(TEdgeBorders, TEdgeBorder)
ZK_ENUM(TEdgeStyle, uint8_t, esNone, esRaised, esLowered)

// A button of a tool bar over QToolButton, sized and placed by the tool
// bar. It shows the tool bar's image of ImageIndex; separators and dividers
// are gaps, a divider with a line. tbsCheck buttons stay Down when clicked;
// Grouped check buttons next to each other act as radio buttons.
class TToolButton : public TGraphicControl {
    ZK_CLASS(TToolButton, TGraphicControl)
public:
    explicit TToolButton(TComponent* AOwner);

    QToolButton* GetToolButton() const;
    TToolBar* GetToolBar() const;
    int GetIndex() const;

    bool GetAllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool GetDown() const;
    void SetDown(bool Value);
    // Not owned; a tbsDropDown button opens it from its arrow.
    TPopupMenu* GetDropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(TPopupMenu* Value);
    bool GetGrouped() const { return FGrouped; }
    void SetGrouped(bool Value) { FGrouped = Value; }
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool GetIndeterminate() const { return FIndeterminate; }
    void SetIndeterminate(bool Value);
    bool GetMarked() const { return FMarked; }
    void SetMarked(bool Value);
    TToolButtonStyle GetStyle() const { return FStyle; }
    void SetStyle(TToolButtonStyle Value);
    bool GetWrap() const { return FWrap; }
    void SetWrap(bool Value);
    bool IsSeparator() const { return FStyle == tbsSeparator || FStyle == tbsDivider; }
    bool IsWidthStored() const { return IsSeparator(); }
    bool IsImageIndexStored() const;
    bool IsDownStored() const;

    void Click() override;
    void SetParent(TWinControl* AParent) override;
    // Reloads the icon, the text style and the flat look from the tool bar.
    void UpdateFromToolBar();

protected:
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    TControlActionLink* CreateActionLink() override;
    bool PaintWidget(QPaintEvent* E, QWidget* Device) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    std::string RealGetText() const override;
    void RealSetText(const std::string& Value) override;

private:
    void Pressed();
    void UpdateGroup();

    bool FAllowAllUp = false;
    TPopupMenu* FDropdownMenu = nullptr;  // not owned; free-notified
    bool FGrouped = false;
    int FImageIndex = -1;
    bool FIndeterminate = false;
    bool FMarked = false;
    TToolButtonStyle FStyle = tbsButton;
    bool FWrap = false;
};

// A row (or rows, when Wrapable) of tool buttons placed left to right in
// Controls order, ButtonWidth x ButtonHeight each (separators their own
// Width), from Indent on. EdgeBorders draw edges that take room.
class TToolBar : public TWinControl {
    ZK_CLASS(TToolBar, TWinControl)
public:
    explicit TToolBar(TComponent* AOwner);
    ~TToolBar() override;

    int GetButtonCount() const;
    TToolButton* GetButton(int Index) const;
    int GetButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    int GetButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int Value);
    TEdgeBorders GetEdgeBorders() const { return FEdgeBorders; }
    void SetEdgeBorders(TEdgeBorders Value);
    TEdgeStyle GetEdgeInner() const { return FEdgeInner; }
    void SetEdgeInner(TEdgeStyle Value);
    TEdgeStyle GetEdgeOuter() const { return FEdgeOuter; }
    void SetEdgeOuter(TEdgeStyle Value);
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    int GetIndent() const { return FIndent; }
    void SetIndent(int Value);
    bool GetList() const { return FList; }
    void SetList(bool Value);
    bool GetShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool Value);
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool GetWrapable() const { return FWrapable; }
    void SetWrapable(bool Value);
    // Not owned; each button shows its ImageIndex from Images (from
    // DisabledImages while disabled, when set).
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TCustomImageList* GetDisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList* Value);
    TCustomImageList* GetHotImages() const { return FHotImages; }
    void SetHotImages(TCustomImageList* Value);

protected:
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void AdjustClientRect(TRect& Rect) const override;
    bool PaintWidget(QPaintEvent* E, QWidget* Device) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void ButtonsChanged();
    void ImagesChanged(TObject* Sender);
    void SetImageList(TCustomImageList*& Field, TCustomImageList* Value);
    int EdgeSize(TEdgeBorder Edge) const;

    int FButtonWidth = 23;
    int FButtonHeight = 22;
    TEdgeBorders FEdgeBorders = {ebTop};
    TEdgeStyle FEdgeInner = esRaised;
    TEdgeStyle FEdgeOuter = esLowered;
    bool FFlat = false;
    int FIndent = 0;
    bool FList = false;
    bool FShowCaptions = false;
    bool FTransparent = false;
    bool FWrapable = true;
    TCustomImageList* FImages = nullptr;          // not owned; free-notified
    TCustomImageList* FDisabledImages = nullptr;  // likewise
    TCustomImageList* FHotImages = nullptr;       // likewise
    TOwned<TChangeLink> FImageChangeLink;
};

ZK_ENUM(TCalDayOfWeek, uint8_t, dowMonday, dowTuesday, dowWednesday, dowThursday, dowFriday,
        dowSaturday, dowSunday, dowLocaleDefault)
ZK_EVENT(TOnGetMonthInfoEvent, void(TObject* Sender, uint32_t Month, uint32_t& MonthBoldInfo))

// Hit-test results of a month calendar: the title (with its month and year,
// and the buttons to the next and previous month), the day-of-week row, a
// week number, a day, or nothing.
inline constexpr unsigned MCHT_NOWHERE = 0x00000000;
inline constexpr unsigned MCHT_TITLE = 0x00010000;
inline constexpr unsigned MCHT_CALENDAR = 0x00020000;
inline constexpr unsigned MCHT_TODAYLINK = 0x00030000;
inline constexpr unsigned MCHT_NEXT = 0x01000000;
inline constexpr unsigned MCHT_PREV = 0x02000000;
inline constexpr unsigned MCHT_TITLEMONTH = MCHT_TITLE | 0x0001;
inline constexpr unsigned MCHT_TITLEYEAR = MCHT_TITLE | 0x0002;
inline constexpr unsigned MCHT_TITLEBTNNEXT = MCHT_NEXT | MCHT_TITLE | 0x0003;
inline constexpr unsigned MCHT_TITLEBTNPREV = MCHT_PREV | MCHT_TITLE | 0x0003;
inline constexpr unsigned MCHT_CALENDARDATE = MCHT_CALENDAR | 0x0001;
inline constexpr unsigned MCHT_CALENDARDAY = MCHT_CALENDAR | 0x0002;
inline constexpr unsigned MCHT_CALENDARWEEKNUM = MCHT_CALENDAR | 0x0003;

// A month calendar over QCalendarWidget. Date is the selected day (a TDate,
// days since 1899-12-30, time of day dropped). OnGetMonthInfo fires whenever
// another month comes into view (and when the calendar first shows); the
// bits it sets in MonthBoldInfo show days 1..31 in bold. Clicks anywhere on
// the calendar, its title included, fire OnClick; HitTest tells where.
class TMonthCalendar : public TWinControl {
    ZK_CLASS(TMonthCalendar, TWinControl)
public:
    explicit TMonthCalendar(TComponent* AOwner);

    QCalendarWidget* GetCalendar() const;

    double GetDate() const;
    // Outside MinDate..MaxDate raises ECommonCalendarError "Date exceeds maximum of %s" or
    // "Date is less than minimum of %s".
    void SetDate(double Value);
    // 0: no limit.
    double GetMinDate() const { return FMinDate; }
    void SetMinDate(double Value);
    double GetMaxDate() const { return FMaxDate; }
    void SetMaxDate(double Value);
    TCalDayOfWeek GetFirstDayOfWeek() const { return FFirstDayOfWeek; }
    void SetFirstDayOfWeek(TCalDayOfWeek Value);
    bool GetWeekNumbers() const;
    void SetWeekNumbers(bool Value);
    bool GetShowToday() const { return FShowToday; }
    void SetShowToday(bool Value) { FShowToday = Value; }
    bool GetShowTodayCircle() const { return FShowTodayCircle; }
    void SetShowTodayCircle(bool Value);
    bool GetMultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value) { FMultiSelect = Value; }
    // The year and month in view.
    int GetShownYear() const;
    int GetShownMonth() const;

    // What lies at P (client coordinates): an MCHT_ value; for a day, Date
    // (when given) receives it.
    unsigned HitTest(TPoint P, double* Date = nullptr) const;

    const TOnGetMonthInfoEvent& GetOnGetMonthInfo() const { return FOnGetMonthInfo; }
    void SetOnGetMonthInfo(const TOnGetMonthInfoEvent& Value) { FOnGetMonthInfo = Value; }

protected:
    // Another month came into view; fires OnGetMonthInfo and applies the bold days.
    virtual void GetMonthInfo(int Year, int Month);
    void CreateWnd() override;
    bool FocusesOnClick() const override { return true; }

private:
    friend class TCalendarFilter;
    void ChildMouse(QObject* Child, QEvent* E);
    void UpdateTodayFormat();

    double FMinDate = 0;
    double FMaxDate = 0;
    TCalDayOfWeek FFirstDayOfWeek = dowLocaleDefault;
    bool FShowToday = true;
    bool FShowTodayCircle = true;
    bool FMultiSelect = false;
    TOnGetMonthInfoEvent FOnGetMonthInfo;
};

ZK_DECLARE_EXCEPTION(ECommonCalendarError, Exception)

}  // namespace zk
