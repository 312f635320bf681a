// The date pop-up through the modal seam: real clicks on days, the title and the month buttons,
// Escape, where it shows and what the picked value keeps.
#include <QCalendarWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QTableView>
#include <cmath>
#include <limits>

#include "DialogsTestUtil.h"
#include "dialogs/ZkTDateEditor.h"
#include "platform/gui/ComCtrls.h"

namespace zk::test {

namespace {

class DateEditorTest : public DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        Editor.reset(Create<TfrmDateEditor>(nullptr));
        OnForm = [this](TCustomForm*) { Steps(); };
    }
    void TearDown() override {
        Editor.reset();
        DialogsTest::TearDown();
    }
    QCalendarWidget* Calendar() const { return Editor->MonthCalendar1->GetCalendar(); }

    // A left click on the cell that shows Day.
    void ClickDay(TDateTime Day) {
        auto* View = Calendar()->findChild<QTableView*>();
        for (int Row = 0; Row < View->model()->rowCount(); ++Row) {
            for (int Col = 0; Col < View->model()->columnCount(); ++Col) {
                const QPoint At = View->visualRect(View->model()->index(Row, Col)).center();
                const QPoint P = View->viewport()->mapTo(Calendar(), At);
                double Shown = 0;
                if (Editor->MonthCalendar1->HitTest({P.x(), P.y()}, &Shown) == MCHT_CALENDARDATE &&
                    Shown == Day)
                    return ClickAt(View->viewport(), At);
            }
        }
        ADD_FAILURE() << "no cell shows " << DateToStr(Day);
    }
    void ClickChild(const char* ObjectName) {
        auto* Child = Calendar()->findChild<QWidget*>(ObjectName);
        ClickAt(Child, Child->rect().center());
    }

    TOwned<TfrmDateEditor> Editor;
    std::function<void()> Steps;
    TDateTime Value = EncodeDate(2003, 4, 29) + EncodeTime(21, 45, 0, 0);
};

const TDateTime Evening = EncodeTime(21, 45, 0, 0);

}  // namespace

TEST_F(DateEditorTest, OneClickOnAnotherDayPicksItAndKeepsTheTimeOfDay) {
    Steps = [&] { ClickDay(EncodeDate(2003, 4, 15)); };
    EXPECT_TRUE(PickDate(Editor.get(), Value));
    EXPECT_EQ(EncodeDate(2003, 4, 15) + Evening, Value);
}

TEST_F(DateEditorTest, TheSelectedDayTheTitleAndTheDayNamesOnlyNavigate) {
    Steps = [&] {
        ClickDay(EncodeDate(2003, 4, 29));
        ClickChild("qt_calendar_navigationbar");
        auto* View = Calendar()->findChild<QTableView*>();
        ClickAt(View->viewport(), View->visualRect(View->model()->index(0, 2)).center());
        ClickChild("qt_calendar_nextmonth");
        EXPECT_EQ(mrNone, Editor->GetModalResult());
        EXPECT_EQ(5, Calendar()->monthShown());
        ClickDay(EncodeDate(2003, 5, 29));
    };
    EXPECT_TRUE(PickDate(Editor.get(), Value));
    EXPECT_EQ(EncodeDate(2003, 5, 29) + Evening, Value);
}

// Regression: the click brought that month into view first, which made the
// clicked day count as shown, so it could never be picked.
TEST_F(DateEditorTest, ADayOfTheNeighbouringMonthIsPickedByOneClick) {
    Steps = [&] { ClickDay(EncodeDate(2003, 5, 2)); };
    EXPECT_TRUE(PickDate(Editor.get(), Value));
    EXPECT_EQ(EncodeDate(2003, 5, 2) + Evening, Value);
}

TEST_F(DateEditorTest, EscapeOnTheCalendarClosesWithCancelAndTheValueStays) {
    const TDateTime Before = Value;
    Steps = [&] {
        QWidget* Focus = QApplication::focusWidget();
        ASSERT_TRUE(Focus && Calendar()->isAncestorOf(Focus));
        SendKeyTo(Focus, Qt::Key_Escape, "\x1b");
        EXPECT_EQ(mrCancel, Editor->GetModalResult());
    };
    EXPECT_FALSE(PickDate(Editor.get(), Value));
    EXPECT_EQ(Before, Value);
}

TEST_F(DateEditorTest, ThePopupOpensAtTheCursorAndStaysOnTheScreen) {
    const QRect Area = QGuiApplication::primaryScreen()->availableGeometry();
    std::vector<TPoint> Places;
    Steps = [&] {
        Places.push_back({Editor->GetLeft(), Editor->GetTop()});
        Editor->SetModalResult(mrCancel);
    };
    for (const TPoint At : {TPoint{Area.left() + 40, Area.top() + 30},
                            TPoint{Area.right() - 10, Area.bottom() - 10}}) {
        Mouse->SetCursorPos(At);
        PickDate(Editor.get(), Value);
    }
    EXPECT_EQ((std::vector<TPoint>{{Area.left() + 40, Area.top() + 30},
                                   {Area.right() + 1 - 234, Area.bottom() + 1 - 186}}),
              Places);
}

TEST_F(DateEditorTest, AValueThatIsNoDateStartsAtTodayAndTakesThePick) {
    EXPECT_THROW(Editor->SetDate(1e300), EConvertError);
    Editor->SetDate(-1.25);
    EXPECT_EQ(-1, Editor->GetDate()) << "before 1899-12-30 the whole part is the day too";
    const TDateTime Today = Date();
    int Year = 0, Month = 0, Day = 0;
    DecodeDate(Today, Year, Month, Day);
    const TDateTime Other = Today + (Day < 15 ? 1 : -1);  // in the month in view
    Value = std::numeric_limits<double>::quiet_NaN();
    Steps = [&] {
        EXPECT_EQ(Today, Editor->GetDate());
        ClickDay(Other);
    };
    EXPECT_TRUE(PickDate(Editor.get(), Value));
    EXPECT_EQ(Other, Value);
}

}  // namespace zk::test
