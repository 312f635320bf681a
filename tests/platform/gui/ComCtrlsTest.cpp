// Page controls, status bars, tool bars and month calendars against their Qt widgets: published
// properties, the user's tab picks and calendar clicks, tool-button groups and actions.
#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTextCharFormat>
#include <QToolButton>

#include "GuiTestUtil.h"
#include "platform/core/DateUtils.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

class ComCtrlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetName("Form1");
        Form->SetClientWidth(400);
        Form->SetClientHeight(300);
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    template <class T>
    T* Add(TWinControl* Parent, const std::string& Name) {
        T* C = Create<T>(Form.get());
        C->SetName(Name);
        C->SetParent(Parent);
        return C;
    }
    TNotifyEvent Logger(const std::string& What) {
        return TNotifyEvent([this, What](TObject*) { Log.push_back(What); });
    }
    // A list of Count images of 16 x 16.
    TImageList* Images(int Count) {
        auto* List = Create<TImageList>(Form.get());
        TOwned<TBitmap> B(Create<TBitmap>());
        B->SetSize(16 * Count, 16);
        List->Add(B.get());
        return List;
    }
    TOwned<TForm> Form;
    std::vector<std::string> Log;
};

}  // namespace

TEST_F(ComCtrlsTest, PageControlPublishedPropertiesAreTheTabBarsState) {
    auto* PC = Add<TPageControl>(Form.get(), "PageControl1");
    PC->SetBounds(0, 0, 300, 200);
    auto* Memo = Add<TTabSheet>(PC, "tsMemo");
    auto* Ini = Add<TTabSheet>(PC, "tsINI");
    QTabBar* Bar = PC->GetTabBar();
    PC->SetImages(Images(3));
    CheckPublished(Memo, {
                             {"Caption", "&Memo", [&] { return Bar->tabText(0) == "&Memo"; }},
                             {"ImageIndex", 2, [&] { return !Bar->tabIcon(0).isNull(); }},
                             {"TabVisible", false, [&] { return !Bar->isTabVisible(0); }},
                             {"TabVisible", true, [&] { return Bar->isTabVisible(0); }},
                         });
    SetStrProp(Ini, "Caption", "&INI");
    CheckPublished(
        PC, {
                {"TabPosition", "tpBottom",
                 [&] {
                     return Bar->shape() == QTabBar::RoundedSouth &&
                            Bar->geometry().top() >= PC->GetDisplayRect().Bottom;
                 }},
                {"TabPosition", "tpLeft", [&] { return Bar->shape() == QTabBar::RoundedWest; }},
                {"TabPosition", "tpTop",
                 [&] { return Bar->geometry().top() == 0 && PC->GetDisplayRect().Top > 10; }},
                {"Style", "tsFlatButtons", [&] { return Bar->documentMode(); }},
                {"MultiLine", true, [&] { return !Bar->usesScrollButtons(); }},
                {"TabHeight", 30, [&] { return Bar->sizeHint().height() >= 30; }},
            });
    SetObjectProp(PC, "ActivePage", Ini);
    EXPECT_EQ(1, Bar->currentIndex());
    EXPECT_TRUE(Ini->GetVisible());
    EXPECT_FALSE(Memo->GetVisible());
    EXPECT_EQ(PC->GetDisplayRect(), Ini->GetBoundsRect());
    EXPECT_EQ("TTabSheet", GetPropInfo(PC, "ActivePage")->PropType->Name);
}

TEST_F(ComCtrlsTest, AUsersTabPickAsksOnChangingAndFiresOnChangeButCodeDoesNot) {
    auto* PC = Add<TPageControl>(Form.get(), "PageControl1");
    PC->SetBounds(0, 0, 300, 200);
    auto* A = Add<TTabSheet>(PC, "tsA");
    auto* B = Add<TTabSheet>(PC, "tsB");
    auto* C = Add<TTabSheet>(PC, "tsC");
    A->SetCaption("Alpha");
    B->SetCaption("Beta");
    C->SetCaption("Gamma");
    A->SetOnShow(Logger("show A"));
    B->SetOnShow(Logger("show B"));
    A->SetOnHide(Logger("hide A"));
    bool Allow = true;
    PC->SetOnChanging(TTabChangingEvent([&](TObject*, bool& AllowChange) {
        Log.push_back("changing");
        AllowChange = Allow;
    }));
    PC->SetOnChange(Logger("change"));
    Form->Show();
    EXPECT_EQ(A, PC->GetActivePage()) << "the first page shows by itself";
    QTabBar* Bar = PC->GetTabBar();
    ClickAt(Bar, Bar->tabRect(1).center());
    EXPECT_EQ(B, PC->GetActivePage());
    EXPECT_EQ((std::vector<std::string>{"changing", "hide A", "show B", "change"}), Log);
    // A refused pick leaves page and tab as they were.
    Log.clear();
    Allow = false;
    ClickAt(Bar, Bar->tabRect(2).center());
    EXPECT_EQ(B, PC->GetActivePage());
    EXPECT_EQ(1, Bar->currentIndex());
    EXPECT_EQ(std::vector<std::string>{"changing"}, Log);
    // Code changes pages silently.
    Log.clear();
    PC->SetActivePageIndex(2);
    EXPECT_EQ(C, PC->GetActivePage());
    PC->SetActivePageIndex(7);
    EXPECT_EQ(nullptr, PC->GetActivePage());
    PC->SetActivePage(A);
    EXPECT_EQ((std::vector<std::string>{"show A"}), Log);
    // Freeing the active page shows the next one.
    A->Free();
    EXPECT_EQ(B, PC->GetActivePage());
    EXPECT_EQ(2, PC->GetPageCount());
    EXPECT_EQ(2, Bar->count());
}

TEST_F(ComCtrlsTest, APageControlWithAllTabsHiddenShowsItsActivePageAlone) {
    auto* PC = Add<TPageControl>(Form.get(), "pcViews");
    PC->SetBounds(0, 0, 300, 200);
    auto* Memo = Add<TTabSheet>(PC, "tsMemo");
    auto* Ini = Add<TTabSheet>(PC, "tsINI");
    Form->Show();
    const TRect WithTabs = PC->GetDisplayRect();
    Memo->SetTabVisible(false);
    Ini->SetTabVisible(false);
    PC->SetActivePageIndex(1);
    EXPECT_FALSE(PC->GetTabBar()->isVisible());
    EXPECT_LT(PC->GetDisplayRect().Top, WithTabs.Top);
    EXPECT_TRUE(Ini->GetVisible());
    EXPECT_EQ(PC->GetDisplayRect(), Ini->GetBoundsRect());
    // Another control's page cannot become active.
    TOwned<TForm> Other(Create<TForm>(nullptr));
    auto* Foreign = Create<TPageControl>(Other.get());
    Foreign->SetParent(Other.get());
    auto* Stranger = Create<TTabSheet>(Other.get());
    Stranger->SetName("Stranger");
    Stranger->SetPageControl(Foreign);
    EXPECT_THROW(PC->SetActivePage(Stranger), EInvalidOperation);
    EXPECT_EQ(Ini, PC->GetActivePage());
}

TEST_F(ComCtrlsTest, StatusBarPanelsAreLabelsOfTheQtStatusBar) {
    auto* Bar = Add<TStatusBar>(Form.get(), "StatusBar1");
    for (const char* Text : {"Panel 1", "Panel 2", "Panel 3"}) {
        TStatusPanel* P = Bar->GetPanels()->Add();
        P->SetText(Text);
    }
    Form->Show();
    EXPECT_EQ(Form->GetClientHeight() - Bar->GetHeight(), Bar->GetTop()) << "aligned to the bottom";
    TStatusPanel* First = Bar->GetPanels()->GetItem(0);
    CheckPublished(
        First, {
                   {"Text", "Ready", [&] { return Bar->GetPanelLabel(0)->text() == "Ready"; }},
                   {"Width", 80, [&] { return Bar->GetPanelLabel(0)->width() == 80; }},
                   {"Bevel", "pbNone",
                    [&] { return Bar->GetPanelLabel(0)->frameShape() == QFrame::NoFrame; }},
                   {"Alignment", "taRightJustify",
                    [&] { return Bar->GetPanelLabel(0)->alignment().testFlag(Qt::AlignRight); }},
               });
    CheckPublished(
        Bar,
        {
            {"SimpleText", "Loading...", nullptr},
            {"SimplePanel", true,
             [&] { return Bar->GetStatusBar()->currentMessage() == "Loading..."; }},
            {"SimplePanel", false, [&] { return Bar->GetStatusBar()->currentMessage().isEmpty(); }},
            {"SizeGrip", false, [&] { return !Bar->GetStatusBar()->isSizeGripEnabled(); }},
        });
    Bar->GetPanels()->Delete(1);
    EXPECT_EQ(nullptr, Bar->GetPanelLabel(2));
    EXPECT_EQ(QString("Panel 3"), Bar->GetPanelLabel(1)->text());
}

TEST_F(ComCtrlsTest, ToolButtonsAreLaidOutDrawnFromTheImagesAndFollowTheirActions) {
    auto* Bar = Add<TToolBar>(Form.get(), "ToolBar1");
    Bar->SetImages(Images(5));
    auto* List = Create<TActionList>(Form.get());
    auto* Add1 = Create<TAction>(Form.get());
    Add1->SetActionList(List);
    Add1->SetCaption("Add Item");
    Add1->SetImageIndex(3);
    Add1->SetOnExecute(Logger("add"));
    auto* B1 = Add<TToolButton>(Bar, "ToolButton1");
    B1->SetAction(Add1);
    auto* Sep = Add<TToolButton>(Bar, "ToolButton2");
    Sep->SetStyle(tbsSeparator);
    auto* B3 = Add<TToolButton>(Bar, "ToolButton3");
    B3->SetImageIndex(0);
    Form->Show();
    EXPECT_EQ(Bounds(0, 2, 23, 22), B1->GetBoundsRect()) << "below the top edge";
    EXPECT_EQ(Bounds(23, 2, 8, 22), Sep->GetBoundsRect());
    EXPECT_EQ(Bounds(31, 2, 23, 22), B3->GetBoundsRect());
    EXPECT_FALSE(B1->GetToolButton()->icon().isNull());
    EXPECT_EQ("Add Item", B1->GetCaption());
    CheckPublished(
        Bar,
        {
            {"Flat", true, [&] { return B1->GetToolButton()->autoRaise(); }},
            {"ButtonWidth", 30, [&] { return B3->GetLeft() == 38; }},
            {"Indent", 4, [&] { return B1->GetLeft() == 4; }},
            {"EdgeBorders", "[]", [&] { return B1->GetTop() == 0; }},
            {"ShowCaptions", true,
             [&] { return B1->GetToolButton()->toolButtonStyle() == Qt::ToolButtonTextUnderIcon; }},
        });
    QToolButton* Q3 = B3->GetToolButton();
    CheckPublished(B3, {
                           {"Caption", "Move", [&] { return Q3->text() == "Move"; }},
                           {"ImageIndex", 4, [&] { return !Q3->icon().isNull(); }},
                           {"Style", "tbsCheck", [&] { return Q3->isCheckable(); }},
                           {"Down", true, [&] { return Q3->isChecked(); }},
                           {"Enabled", false, [&] { return !Q3->isEnabled(); }},
                           {"Hint", "Move Selected Up", [&] { return Q3->toolTip().isEmpty(); }},
                           {"ShowHint", true,
                            [&] { return Q3->toolTip() == "Move Selected Up"; }},
                       });
    Add1->SetEnabled(false);
    EXPECT_FALSE(B1->GetToolButton()->isEnabled());
    Add1->SetEnabled(true);
    ClickAt(B1->GetToolButton(), {5, 5});
    EXPECT_EQ(std::vector<std::string>{"add"}, Log);
    // A drop-down button opens its menu.
    auto* Menu = Create<TPopupMenu>(Form.get());
    auto* Item = Create<TMenuItem>(Form.get());
    Item->SetCaption("Add TStrings preset");
    Menu->GetItems()->Add(Item);
    B1->SetStyle(tbsDropDown);
    B1->SetDropdownMenu(Menu);
    EXPECT_EQ(QToolButton::MenuButtonPopup, B1->GetToolButton()->popupMode());
    EXPECT_TRUE(B1->GetToolButton()->menu()->actions().contains(Item->GetQAction()));
}

TEST_F(ComCtrlsTest, GroupedCheckButtonsActAsRadioButtons) {
    auto* Bar = Add<TToolBar>(Form.get(), "ToolBar1");
    std::vector<TToolButton*> Group;
    for (int I = 0; I < 3; ++I) {
        auto* B = Add<TToolButton>(Bar, "Check" + std::to_string(I));
        B->SetStyle(tbsCheck);
        B->SetGrouped(true);
        Group.push_back(B);
    }
    auto* Alone = Add<TToolButton>(Bar, "Alone");
    Alone->SetStyle(tbsCheck);
    Form->Show();
    Alone->SetDown(true);
    ClickAt(Group[0]->GetToolButton(), {5, 5});
    ClickAt(Group[2]->GetToolButton(), {5, 5});
    EXPECT_FALSE(Group[0]->GetDown());
    EXPECT_TRUE(Group[2]->GetDown());
    EXPECT_TRUE(Alone->GetDown()) << "an ungrouped button is no part of the group";
    ClickAt(Group[2]->GetToolButton(), {5, 5});
    EXPECT_TRUE(Group[2]->GetDown()) << "without AllowAllUp one stays down";
    Group[2]->SetAllowAllUp(true);
    ClickAt(Group[2]->GetToolButton(), {5, 5});
    EXPECT_FALSE(Group[2]->GetDown());
}

TEST_F(ComCtrlsTest, MonthCalendarPublishedPropertiesAreTheCalendarsState) {
    auto* Cal = Add<TMonthCalendar>(Form.get(), "MonthCalendar1");
    QCalendarWidget* Q = Cal->GetCalendar();
    const double April29 = EncodeDate(2003, 4, 29);
    CheckPublished(
        Cal, {
                 {"Date", TVariant::FromDate(April29),
                  [&] { return Q->selectedDate() == QDate(2003, 4, 29); }},
                 {"FirstDayOfWeek", "dowSunday", [&] { return Q->firstDayOfWeek() == Qt::Sunday; }},
                 {"WeekNumbers", true,
                  [&] { return Q->verticalHeaderFormat() == QCalendarWidget::ISOWeekNumbers; }},
                 {"MinDate", TVariant::FromDate(EncodeDate(2003, 1, 1)),
                  [&] { return Q->minimumDate() == QDate(2003, 1, 1); }},
                 {"MaxDate", TVariant::FromDate(EncodeDate(2003, 12, 31)),
                  [&] { return Q->maximumDate() == QDate(2003, 12, 31); }},
             });
    EXPECT_EQ("TDate", GetPropInfo(Cal, "Date")->PropType->Name);
    // Outside the limits: the error, and the date stays.
    try {
        Cal->SetDate(EncodeDate(2004, 2, 1));
        FAIL() << "no exception";
    } catch (const ECommonCalendarError& E) {
        EXPECT_EQ("Date exceeds maximum of " + DateToStr(EncodeDate(2003, 12, 31)), E.Message());
    }
    EXPECT_EQ(April29, Cal->GetDate());
    EXPECT_THROW(Cal->SetDate(EncodeDate(2002, 12, 31)), ECommonCalendarError);
    EXPECT_EQ(QDate(2003, 4, 29), Q->selectedDate());
}

TEST_F(ComCtrlsTest, MonthCalendarClicksTellTheTitleFromADayAndMonthsAskForBoldDays) {
    auto* Cal = Add<TMonthCalendar>(Form.get(), "MonthCalendar1");
    Cal->SetBounds(0, 0, 260, 200);
    Cal->SetDate(EncodeDate(2003, 4, 29));
    std::vector<uint32_t> Months;
    Cal->SetOnGetMonthInfo(TOnGetMonthInfoEvent([&](TObject*, uint32_t Month, uint32_t& Bold) {
        Months.push_back(Month);
        Bold = 1u << 14;  // the 15th
    }));
    std::vector<double> ClickDates;
    Cal->SetOnClick(TNotifyEvent([&](TObject*) { ClickDates.push_back(Cal->GetDate()); }));
    Form->Show();
    QCalendarWidget* Q = Cal->GetCalendar();
    EXPECT_EQ(std::vector<uint32_t>{4}, Months) << "the first month shown asks too";
    EXPECT_EQ(QFont::Bold, Q->dateTextFormat(QDate(2003, 4, 15)).fontWeight());
    // Click a day in the table: the day is picked and the hit test agrees.
    auto* View = Q->findChild<QTableView*>("qt_calendar_calendarview");
    ASSERT_NE(nullptr, View);
    const QModelIndex Cell = View->model()->index(3, 2);
    const QPoint InView = View->visualRect(Cell).center();
    const QPoint InCal = View->viewport()->mapTo(Q, InView);
    double HitDate = 0;
    EXPECT_EQ(MCHT_CALENDARDATE, Cal->HitTest({InCal.x(), InCal.y()}, &HitDate));
    ClickAt(View->viewport(), InView);
    ASSERT_EQ(1u, ClickDates.size());
    EXPECT_EQ(HitDate, ClickDates[0]);
    EXPECT_EQ(static_cast<double>(QDate(1899, 12, 30).daysTo(Q->selectedDate())), HitDate);
    // The title's next-month button: a click, no pick, another month asks for bold days.
    auto* Next = Q->findChild<QToolButton*>("qt_calendar_nextmonth");
    ASSERT_NE(nullptr, Next);
    const QPoint NextInCal = Next->mapTo(Q, Next->rect().center());
    EXPECT_EQ(MCHT_TITLEBTNNEXT, Cal->HitTest({NextInCal.x(), NextInCal.y()}));
    ClickAt(Next, Next->rect().center());
    EXPECT_EQ(2u, ClickDates.size());
    EXPECT_EQ(ClickDates[0], ClickDates[1]);
    EXPECT_EQ((std::vector<uint32_t>{4, 5}), Months);
    const QWidget* Header = Q->findChild<QWidget*>("qt_calendar_navigationbar");
    EXPECT_EQ(MCHT_TITLE, Cal->HitTest({Header->x() + 2, Header->y() + 2}) & MCHT_TITLE);
}

}  // namespace zk::test
