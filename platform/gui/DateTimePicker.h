// TDateTimePicker over QDateTimeEdit: a TDateTime edited as a date (with a calendar drop-down or
// up-down buttons) or as a time.
#pragma once
#include <cstdint>

#include "platform/gui/Controls.h"

class QDateTimeEdit;

namespace zk {

ZK_ENUM(TDateTimeKind, uint8_t, dtkDate, dtkTime)
ZK_ENUM(TDTDateMode, uint8_t, dmComboBox, dmUpDown)
ZK_ENUM(TDTDateFormat, uint8_t, dfShort, dfLong)

// DateTime is the widget's value, days since 1899-12-30 with the time of
// day as the fraction; Date and Time read and set one part and keep the
// other. The user's edits and code fire OnChange.
class TDateTimePicker : public TWinControl {
    ZK_CLASS(TDateTimePicker, TWinControl)
public:
    explicit TDateTimePicker(TComponent* AOwner);
    QDateTimeEdit* GetEdit() const;

    double GetDateTime() const;
    void SetDateTime(double Value);
    double GetDate() const;
    void SetDate(double Value);
    double GetTime() const;
    void SetTime(double Value);
    double GetMinDate() const;
    void SetMinDate(double Value);
    double GetMaxDate() const;
    void SetMaxDate(double Value);
    TDateTimeKind GetKind() const { return FKind; }
    void SetKind(TDateTimeKind Value);
    TDTDateMode GetDateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode Value);
    TDTDateFormat GetDateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat Value);

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

protected:
    virtual void Change();
    bool FocusesOnClick() const override { return true; }

private:
    void UpdateFormat();

    TDateTimeKind FKind = dtkDate;
    TDTDateFormat FDateFormat = dfShort;
    TDTDateMode FDateMode = dmComboBox;
    TNotifyEvent FOnChange;
};

}  // namespace zk
