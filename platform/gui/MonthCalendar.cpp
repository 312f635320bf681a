// TMonthCalendar over QCalendarWidget: the date as a TDate, limits, bold days per month, clicks
// from the calendar's inner widgets and the hit test.
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTableView>
#include <QTextCharFormat>

#include "platform/core/ClassBuilder.h"
#include "platform/core/DateUtils.h"
#include "platform/core/ScopeExit.h"
#include "platform/gui/Application.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Controls_p.h"

namespace zk {

namespace {

const QDate DateBase(1899, 12, 30);

QDate ToQDate(double Value) {
    return DateBase.addDays(static_cast<qint64>(std::floor(Value)));
}

double FromQDate(const QDate& Date) {
    return static_cast<double>(DateBase.daysTo(Date));
}

// Qt leaves the day before the first of a month in the first row when the
// first falls on the week's first day, so the month never starts top-left.
constexpr int MinimumDayOffset = 1;

}  // namespace

// Carries mouse events of the calendar's inner widgets (title buttons, the
// day table) to the control, whose widget never sees them. A release and a
// double click reach the inner widget first, so that OnClick sees the day
// the click picked, as the framework's calendar selects before it clicks.
class TCalendarFilter : public QObject {
public:
    TCalendarFilter(TMonthCalendar* Calendar, QObject* Parent)
        : QObject(Parent), FCalendar(Calendar) {}
    bool eventFilter(QObject* Watched, QEvent* E) override {
        if (FDelivering) return false;
        switch (E->type()) {
            case QEvent::MouseButtonPress:
                SafeCall(FCalendar, [&] { FCalendar->ChildMouse(Watched, E); });
                return false;
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick: {
                QPointer<QObject> Alive(Watched);
                {
                    TValueRollback<bool> Delivering(FDelivering, true);
                    QCoreApplication::sendEvent(Watched, E);
                }
                if (Alive) SafeCall(FCalendar, [&] { FCalendar->ChildMouse(Watched, E); });
                return true;
            }
            default:
                return false;
        }
    }

private:
    TMonthCalendar* FCalendar;  // owns the widget this filter lives in
    bool FDelivering = false;
};

ZK_IMPLEMENT_CLASS(TMonthCalendar)
void TMonthCalendar::DescribeClass(TClassBuilder<TMonthCalendar>& C) {
    C.Redeclare("TabStop").Default(true);
    C.Prop("Date", &TMonthCalendar::GetDate, &TMonthCalendar::SetDate).Type(TypeInfoTDate());
    C.Prop("FirstDayOfWeek", &TMonthCalendar::GetFirstDayOfWeek, &TMonthCalendar::SetFirstDayOfWeek)
        .Default(dowLocaleDefault);
    C.Prop("MaxDate", &TMonthCalendar::GetMaxDate, &TMonthCalendar::SetMaxDate)
        .Type(TypeInfoTDate());
    C.Prop("MinDate", &TMonthCalendar::GetMinDate, &TMonthCalendar::SetMinDate)
        .Type(TypeInfoTDate());
    C.Prop("MultiSelect", &TMonthCalendar::GetMultiSelect, &TMonthCalendar::SetMultiSelect)
        .Default(false);
    C.Prop("ShowToday", &TMonthCalendar::GetShowToday, &TMonthCalendar::SetShowToday).Default(true);
    C.Prop("ShowTodayCircle", &TMonthCalendar::GetShowTodayCircle,
           &TMonthCalendar::SetShowTodayCircle)
        .Default(true);
    C.Prop("WeekNumbers", &TMonthCalendar::GetWeekNumbers, &TMonthCalendar::SetWeekNumbers)
        .Default(false);
    C.Prop("OnGetMonthInfo", &TMonthCalendar::GetOnGetMonthInfo,
           &TMonthCalendar::SetOnGetMonthInfo);
}

TMonthCalendar::TMonthCalendar(TComponent* AOwner)
    : TWinControl(AOwner, MakeControlWidget<QCalendarWidget>(this)) {
    SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks});
    QCalendarWidget* Cal = GetCalendar();
    Cal->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Cal->setGridVisible(false);
    auto* Filter = new TCalendarFilter(this, Cal);
    for (QWidget* Child : Cal->findChildren<QWidget*>()) Child->installEventFilter(Filter);
    QObject::connect(Cal, &QCalendarWidget::currentPageChanged, Cal, [this](int Year, int Month) {
        if (!IsDestroying()) SafeCall(this, [this, Year, Month] { GetMonthInfo(Year, Month); });
    });
    SetTabStop(true);
    SetBounds(0, 0, 191, 154);
    UpdateTodayFormat();
}

QCalendarWidget* TMonthCalendar::GetCalendar() const {
    return static_cast<QCalendarWidget*>(GetWidget());
}

double TMonthCalendar::GetDate() const {
    return FromQDate(GetCalendar()->selectedDate());
}

void TMonthCalendar::SetDate(double Value) {
    const double Day = std::floor(Value);
    if (FMinDate != 0 && Day < std::floor(FMinDate))
        throw ECommonCalendarError("Date is less than minimum of %s", {DateToStr(FMinDate)});
    if (FMaxDate != 0 && Day > std::floor(FMaxDate))
        throw ECommonCalendarError("Date exceeds maximum of %s", {DateToStr(FMaxDate)});
    const QDate D = ToQDate(Day);
    GetCalendar()->setSelectedDate(D);
    GetCalendar()->setCurrentPage(D.year(), D.month());
}

void TMonthCalendar::SetMinDate(double Value) {
    if (Value != 0 && FMaxDate != 0 && Value > FMaxDate)
        throw ECommonCalendarError("Date exceeds maximum of %s", {DateToStr(FMaxDate)});
    FMinDate = Value;
    GetCalendar()->setMinimumDate(Value != 0 ? ToQDate(Value) : QDate(100, 1, 1));
}

void TMonthCalendar::SetMaxDate(double Value) {
    if (Value != 0 && FMinDate != 0 && Value < FMinDate)
        throw ECommonCalendarError("Date is less than minimum of %s", {DateToStr(FMinDate)});
    FMaxDate = Value;
    GetCalendar()->setMaximumDate(Value != 0 ? ToQDate(Value) : QDate(9999, 12, 31));
}

void TMonthCalendar::SetFirstDayOfWeek(TCalDayOfWeek Value) {
    FFirstDayOfWeek = Value;
    GetCalendar()->setFirstDayOfWeek(
        Value == dowLocaleDefault
            ? QLocale().firstDayOfWeek()
            : static_cast<Qt::DayOfWeek>(static_cast<int>(Qt::Monday) + static_cast<int>(Value)));
}

bool TMonthCalendar::GetWeekNumbers() const {
    return GetCalendar()->verticalHeaderFormat() == QCalendarWidget::ISOWeekNumbers;
}

void TMonthCalendar::SetWeekNumbers(bool Value) {
    GetCalendar()->setVerticalHeaderFormat(Value ? QCalendarWidget::ISOWeekNumbers
                                                 : QCalendarWidget::NoVerticalHeader);
}

void TMonthCalendar::SetShowTodayCircle(bool Value) {
    FShowTodayCircle = Value;
    UpdateTodayFormat();
}

// Today is framed in red, as the calendar's "today circle".
void TMonthCalendar::UpdateTodayFormat() {
    QTextCharFormat Format = GetCalendar()->dateTextFormat(QDate::currentDate());
    Format.setUnderlineStyle(FShowTodayCircle ? QTextCharFormat::SingleUnderline
                                              : QTextCharFormat::NoUnderline);
    Format.setUnderlineColor(Qt::red);
    GetCalendar()->setDateTextFormat(QDate::currentDate(), Format);
}

int TMonthCalendar::GetShownYear() const {
    return GetCalendar()->yearShown();
}

int TMonthCalendar::GetShownMonth() const {
    return GetCalendar()->monthShown();
}

void TMonthCalendar::CreateWnd() {
    TWinControl::CreateWnd();
    GetMonthInfo(GetShownYear(), GetShownMonth());
}

void TMonthCalendar::GetMonthInfo(int Year, int Month) {
    uint32_t Bold = 0;
    if (FOnGetMonthInfo.Assigned()) FOnGetMonthInfo(this, static_cast<uint32_t>(Month), Bold);
    QCalendarWidget* Cal = GetCalendar();
    const QDate First(Year, Month, 1);
    for (int Day = 1; Day <= First.daysInMonth(); ++Day) {
        const QDate D(Year, Month, Day);
        QTextCharFormat Format = Cal->dateTextFormat(D);
        Format.setFontWeight(Bold & (1u << (Day - 1)) ? QFont::Bold : QFont::Normal);
        Cal->setDateTextFormat(D, Format);
    }
}

// ---- mouse and hit test ----

void TMonthCalendar::ChildMouse(QObject* Child, QEvent* E) {
    auto* W = qobject_cast<QWidget*>(Child);
    if (!W || IsDestroying()) return;
    auto* M = static_cast<QMouseEvent*>(E);
    const QPoint P = W->mapTo(GetCalendar(), M->position().toPoint());
    const TShiftState Shift = ShiftStateFromQt(M->modifiers().toInt(), M->buttons().toInt());
    const TMouseButton Button = M->button() == Qt::RightButton    ? mbRight
                                : M->button() == Qt::MiddleButton ? mbMiddle
                                                                  : mbLeft;
    switch (E->type()) {
        case QEvent::MouseButtonPress:
            MouseDown(Button, Shift, P.x(), P.y());
            break;
        case QEvent::MouseButtonDblClick:
            if (Button == mbLeft) DblClick();
            break;
        default:
            MouseUp(Button, Shift, P.x(), P.y());
            if (Button == mbLeft) Click();
            break;
    }
}

unsigned TMonthCalendar::HitTest(TPoint P, double* Date) const {
    QCalendarWidget* Cal = GetCalendar();
    QWidget* Child = Cal->childAt(P.X, P.Y);
    for (QWidget* W = Child; W && W != Cal; W = W->parentWidget()) {
        const QString Name = W->objectName();
        if (Name == QLatin1String("qt_calendar_prevmonth")) return MCHT_TITLEBTNPREV;
        if (Name == QLatin1String("qt_calendar_nextmonth")) return MCHT_TITLEBTNNEXT;
        if (Name == QLatin1String("qt_calendar_monthbutton")) return MCHT_TITLEMONTH;
        if (Name.startsWith(QLatin1String("qt_calendar_year"))) return MCHT_TITLEYEAR;
        if (Name == QLatin1String("qt_calendar_navigationbar")) return MCHT_TITLE;
        auto* View = qobject_cast<QTableView*>(W);
        if (!View) continue;
        const QModelIndex Index = View->indexAt(View->viewport()->mapFrom(Cal, QPoint(P.X, P.Y)));
        if (!Index.isValid()) return MCHT_CALENDAR;
        int Row = Index.row();
        int Column = Index.column();
        if (Cal->horizontalHeaderFormat() != QCalendarWidget::NoHorizontalHeader && Row-- == 0)
            return MCHT_CALENDARDAY;
        if (Cal->verticalHeaderFormat() != QCalendarWidget::NoVerticalHeader && Column-- == 0)
            return MCHT_CALENDARWEEKNUM;
        const QDate First(Cal->yearShown(), Cal->monthShown(), 1);
        int Offset = (First.dayOfWeek() - Cal->firstDayOfWeek() + 7) % 7;
        if (Offset < MinimumDayOffset) Offset += 7;
        if (Date) *Date = FromQDate(First.addDays(7 * Row + Column - Offset));
        return MCHT_CALENDARDATE;
    }
    return MCHT_NOWHERE;
}

}  // namespace zk
