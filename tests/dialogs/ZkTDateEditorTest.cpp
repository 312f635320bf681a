// The date pop-up driven through the modal seam with real clicks on the calendar's days, title and
// month buttons, and Escape; where it shows and what the picked value keeps.
#include <QAbstractItemModel>
#include <QCalendarWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <cmath>
#include <limits>

#include "DialogsTestUtil.h"
#include "dialogs/ZkTDateEditor.h"
#include "platform/core/DateUtils.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/ComCtrls.h"

namespace zk::test {

namespace {

class DateEditorTest : public DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        Editor.reset(Create<TfrmDateEditor>(nullptr));
    }
    void TearDown() override {
        Editor.reset();
        DialogsTest::TearDown();
    }

    // While the pop-up is shown, Steps is what the user does.
    void WhileShown(std::function<void(TfrmDateEditor*)> Steps) {
        OnForm = [Steps](TCustomForm* Form) { Steps(DynamicCast<TfrmDateEditor>(Form)); };
    }

    QCalendarWidget* Calendar() const { return Editor->MonthCalendar1->GetCalendar(); }

    // A left click on the day cell that shows Day in the month in view.
    void ClickDay(TDateTime Day) {
        auto* View = Calendar()->findChild<QTableView*>();
        ASSERT_NE(nullptr, View);
        QAbstractItemModel* Model = View->model();
        for (int Row = 0; Row < Model->rowCount(); ++Row) {
            for (int Col = 0; Col < Model->columnCount(); ++Col) {
                const QPoint At = View->visualRect(Model->index(Row, Col)).center();
                const QPoint OnCalendar = View->viewport()->mapTo(Calendar(), At);
                double Shown = 0;
                if (Editor->MonthCalendar1->HitTest({OnCalendar.x(), OnCalendar.y()}, &Shown) !=
                        MCHT_CALENDARDATE ||
                    Shown != Day)
                    continue;
                ClickAt(View->viewport(), At);
                return;
            }
        }
        ADD_FAILURE() << "no cell shows " << DateToStr(Day);
    }

    void ClickCalendarChild(const char* ObjectName) {
        auto* Child = Calendar()->findChild<QWidget*>(ObjectName);
        ASSERT_NE(nullptr, Child) << ObjectName;
        ClickAt(Child, Child->rect().center());
    }

    TOwned<TfrmDateEditor> Editor;
};

const TDateTime April29At2145 = EncodeDate(2003, 4, 29) + EncodeTime(21, 45, 0, 0);

}  // namespace

TEST_F(DateEditorTest, OneClickOnAnotherDayPicksItAndKeepsTheTimeOfDay) {
    TDateTime Value = April29At2145;
    WhileShown([&](TfrmDateEditor*) {
        ClickDay(EncodeDate(2003, 4, 15));
        EXPECT_EQ(mrOk, Editor->GetModalResult());
    });
    EXPECT_TRUE(PickDate(Editor.get(), Value));
    EXPECT_EQ(EncodeDate(2003, 4, 15) + EncodeTime(21, 45, 0, 0), Value);
}

TEST_F(DateEditorTest, TheSelectedDayTheTitleAndTheDayNamesOnlyNavigate) {
    TDateTime Value = April29At2145;
    WhileShown([&](TfrmDateEditor*) {
        ClickDay(EncodeDate(2003, 4, 29));
        ClickCalendarChild("qt_calendar_navigationbar");
        auto* View = Calendar()->findChild<QTableView*>();
        ClickAt(View->viewport(), View->visualRect(View->model()->index(0, 2)).center());
        ClickCalendarChild("qt_calendar_nextmonth");
        EXPECT_EQ(mrNone, Editor->GetModalResult());
        EXPECT_EQ(5, Calendar()->monthShown());
        // The day that the next month shows as selected counts as another one.
        ClickDay(EncodeDate(2003, 5, 29));
        EXPECT_EQ(mrOk, Editor->GetModalResult());
    });
    EXPECT_TRUE(PickDate(Editor.get(), Value));
    EXPECT_EQ(EncodeDate(2003, 5, 29) + EncodeTime(21, 45, 0, 0), Value);
}

// Regression: such a click brought the other month into view first, which
// took the clicked day as already shown, so it could never be picked.
TEST_F(DateEditorTest, ADayOfTheNeighbouringMonthIsPickedByOneClick) {
    TDateTime Value = EncodeDate(2003, 4, 29);
    WhileShown([&](TfrmDateEditor*) {
        ClickDay(EncodeDate(2003, 5, 2));
        EXPECT_EQ(mrOk, Editor->GetModalResult());
    });
    EXPECT_TRUE(PickDate(Editor.get(), Value));
    EXPECT_EQ(EncodeDate(2003, 5, 2), Value);
}

TEST_F(DateEditorTest, EscapeClosesWithCancelAndTheValueStays) {
    TDateTime Value = April29At2145;
    WhileShown([&](TfrmDateEditor*) {
        QWidget* Focus = QApplication::focusWidget();
        ASSERT_NE(nullptr, Focus);
        EXPECT_TRUE(Calendar()->isAncestorOf(Focus)) << "the calendar has the keyboard";
        SendKeyTo(Focus, Qt::Key_Escape, "\x1b");
        EXPECT_EQ(mrCancel, Editor->GetModalResult());
    });
    EXPECT_FALSE(PickDate(Editor.get(), Value));
    EXPECT_EQ(April29At2145, Value);
}

TEST_F(DateEditorTest, ThePopupOpensAtTheCursorAndStaysOnItsScreen) {
    const QRect Area = QGuiApplication::primaryScreen()->availableGeometry();
    std::vector<TPoint> Places;
    WhileShown([&](TfrmDateEditor* E) {
        Places.push_back({E->GetLeft(), E->GetTop()});
        E->SetModalResult(mrCancel);
    });
    TDateTime Value = April29At2145;
    Mouse->SetCursorPos({Area.left() + 40, Area.top() + 30});
    PickDate(Editor.get(), Value);
    Mouse->SetCursorPos({Area.right() - 10, Area.bottom() - 10});
    PickDate(Editor.get(), Value);
    ASSERT_EQ(2u, Places.size());
    const TPoint Cursor = {Area.left() + 40, Area.top() + 30};
    if (Mouse->GetCursorPos().X == Area.right() - 10) {
        EXPECT_EQ(Cursor, Places[0]);
        EXPECT_EQ((TPoint{Area.right() + 1 - 234, Area.bottom() + 1 - 186}), Places[1]);
    } else {
        GTEST_SKIP() << "the platform does not move the cursor";
    }
}

TEST_F(DateEditorTest, AValueThatIsNoDateStartsAtTodayAndIsReplacedByThePick) {
    EXPECT_THROW(Editor->SetDate(std::numeric_limits<double>::quiet_NaN()), EConvertError);
    EXPECT_THROW(Editor->SetDate(1e300), EConvertError);
    // Before 1899-12-30 the whole part is still the day: -1.25 is the 29th.
    Editor->SetDate(-1.25);
    EXPECT_EQ(-1, Editor->GetDate());
    TDateTime Value = std::numeric_limits<double>::infinity();
    const TDateTime Today = Date();
    WhileShown([&](TfrmDateEditor*) {
        EXPECT_EQ(Today, Editor->GetDate());
        ClickDay(Today + (Calendar()->selectedDate().day() < 15 ? 1 : -1));
    });
    EXPECT_TRUE(PickDate(Editor.get(), Value));
    EXPECT_EQ(std::floor(Value), Value);
    EXPECT_EQ(1, std::fabs(Value - Today));
}

}  // namespace zk::test
