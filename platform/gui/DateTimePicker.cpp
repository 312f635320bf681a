// TDateTimePicker: TDateTime values to and from the QDateTimeEdit.
#include "platform/gui/DateTimePicker.h"

#include <QDateTimeEdit>
#include <cmath>

#include "platform/core/ClassBuilder.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls_p.h"

namespace zk {

namespace {

const QDate DateBase(1899, 12, 30);

QDateTime ToQt(double Value) {
    const double Day = std::floor(Value);
    const auto Ms = static_cast<int>(std::lround((Value - Day) * 86400000.0));
    QDateTime Result(DateBase.addDays(static_cast<qint64>(Day)), QTime(0, 0));
    return Result.addMSecs(std::min(Ms, 86399999));
}

double FromQt(const QDateTime& Value) {
    return static_cast<double>(DateBase.daysTo(Value.date())) +
           Value.time().msecsSinceStartOfDay() / 86400000.0;
}

}  // namespace

ZK_IMPLEMENT_CLASS(TDateTimePicker)
void TDateTimePicker::DescribeClass(TClassBuilder<TDateTimePicker>& C) {
    C.Redeclare("Color").Default(clWindow);
    C.Redeclare("ParentColor").Default(false);
    C.Redeclare("TabStop").Default(true);
    C.Prop("DateTime", &TDateTimePicker::GetDateTime, &TDateTimePicker::SetDateTime)
        .Type(TypeInfoTDateTime());
    C.Prop("Date", &TDateTimePicker::GetDate, &TDateTimePicker::SetDate)
        .Type(TypeInfoTDate())
        .Stored(false);
    C.Prop("Time", &TDateTimePicker::GetTime, &TDateTimePicker::SetTime)
        .Type(TypeInfoTTime())
        .Stored(false);
    C.Prop("DateFormat", &TDateTimePicker::GetDateFormat, &TDateTimePicker::SetDateFormat)
        .Default(dfShort);
    C.Prop("DateMode", &TDateTimePicker::GetDateMode, &TDateTimePicker::SetDateMode)
        .Default(dmComboBox);
    C.Prop("Kind", &TDateTimePicker::GetKind, &TDateTimePicker::SetKind).Default(dtkDate);
    C.Prop("MaxDate", &TDateTimePicker::GetMaxDate, &TDateTimePicker::SetMaxDate)
        .Type(TypeInfoTDate());
    C.Prop("MinDate", &TDateTimePicker::GetMinDate, &TDateTimePicker::SetMinDate)
        .Type(TypeInfoTDate());
    C.Prop("OnChange", &TDateTimePicker::GetOnChange, &TDateTimePicker::SetOnChange);
}

TDateTimePicker::TDateTimePicker(TComponent* AOwner)
    : TWinControl(AOwner, MakeControlWidget<QDateTimeEdit>(this)) {
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    QDateTimeEdit* E = GetEdit();
    E->setDateTimeRange(QDateTime(QDate(1752, 9, 14), QTime(0, 0)),
                        QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999)));
    E->setDateTime(QDateTime::currentDateTime());
    UpdateFormat();
    QObject::connect(E, &QDateTimeEdit::dateTimeChanged, E, [this] {
        if (!IsLoading() && !IsDestroying()) SafeCall(this, [this] { Change(); });
    });
    SetBounds(0, 0, 186, 21);
}

QDateTimeEdit* TDateTimePicker::GetEdit() const {
    return static_cast<QDateTimeEdit*>(GetWidget());
}

void TDateTimePicker::Change() {
    if (FOnChange.Assigned()) FOnChange(this);
}

double TDateTimePicker::GetDateTime() const {
    return FromQt(GetEdit()->dateTime());
}

void TDateTimePicker::SetDateTime(double Value) {
    GetEdit()->setDateTime(ToQt(Value));
}

double TDateTimePicker::GetDate() const {
    return std::floor(GetDateTime());
}

void TDateTimePicker::SetDate(double Value) {
    const double Old = GetDateTime();
    SetDateTime(std::floor(Value) + (Old - std::floor(Old)));
}

double TDateTimePicker::GetTime() const {
    const double V = GetDateTime();
    return V - std::floor(V);
}

void TDateTimePicker::SetTime(double Value) {
    SetDateTime(GetDate() + (Value - std::floor(Value)));
}

double TDateTimePicker::GetMinDate() const {
    return FromQt(GetEdit()->minimumDateTime());
}

void TDateTimePicker::SetMinDate(double Value) {
    GetEdit()->setMinimumDateTime(ToQt(Value));
}

double TDateTimePicker::GetMaxDate() const {
    return FromQt(GetEdit()->maximumDateTime());
}

void TDateTimePicker::SetMaxDate(double Value) {
    GetEdit()->setMaximumDateTime(ToQt(Value));
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
    if (FKind == Value) return;
    FKind = Value;
    UpdateFormat();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value) {
    if (FDateMode == Value) return;
    FDateMode = Value;
    UpdateFormat();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat Value) {
    if (FDateFormat == Value) return;
    FDateFormat = Value;
    UpdateFormat();
}

// The time kind shows hours to seconds with up-down buttons; the date kind
// the short or long date.
void TDateTimePicker::UpdateFormat() {
    QDateTimeEdit* E = GetEdit();
    const bool Popup = FKind == dtkDate && FDateMode == dmComboBox;
    E->setCalendarPopup(Popup);
    E->setButtonSymbols(Popup ? QAbstractSpinBox::NoButtons : QAbstractSpinBox::UpDownArrows);
    if (FKind == dtkTime)
        E->setDisplayFormat("h:mm:ss AP");
    else
        E->setDisplayFormat(FDateFormat == dfLong ? "dddd, MMMM d, yyyy" : "M/d/yyyy");
}

}  // namespace zk
