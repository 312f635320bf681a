// The date pop-up: a borderless month calendar shown modally at the mouse cursor; one click on
// a day picks it, Escape leaves it.
#pragma once
#include <cstdint>

#include "platform/core/DateUtils.h"
#include "platform/gui/Forms.h"

namespace zk {

class TButton;
class TMonthCalendar;

// The pop-up, loaded from its form description. A click on a day other
// than ShownDate ends it with mrOk; clicks on the title, the day names or
// the month buttons only navigate. Button1 lies under the calendar as the
// cancel button, so Escape ends it with mrCancel.
class TfrmDateEditor : public TForm {
    ZK_CLASS(TfrmDateEditor, TForm)
public:
    explicit TfrmDateEditor(TComponent* AOwner);

    // The calendar's day (no time of day). Setting it also makes it the
    // ShownDate; a value that is no date (not finite, or beyond the years
    // 1..9999) raises EConvertError "Invalid argument to date encode".
    TDateTime GetDate() const;
    void SetDate(TDateTime Value);
    // The day that counts as not picked yet.
    TDateTime GetShownDate() const { return FShownDate; }
    void SetShownDate(TDateTime Value) { FShownDate = Value; }

    // Handlers bound by name from the form description.
    void FormCreate(TObject* Sender);
    void MonthCalendar1Click(TObject* Sender);
    void MonthCalendar1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                 int Y);
    void MonthCalendar1GetMonthInfo(TObject* Sender, uint32_t Month, uint32_t& MonthBoldInfo);

    // Components of the description; the form owns them.
    TMonthCalendar* MonthCalendar1 = nullptr;
    TButton* Button1 = nullptr;

protected:
    // Finds the components of the description, before OnCreate runs.
    void Loaded() override;

private:
    TDateTime FShownDate = 0;
    // A left press landed on a day and its click has not come yet: the month
    // that a click on a neighbouring month's day brings is no navigation.
    bool FDayPressed = false;
};

// Shows Editor modally with its top-left corner at the mouse cursor, kept
// on the cursor's screen, starting at Value's day (today when Value is no
// date). On a pick Value takes the picked day and keeps its own time of day,
// and the answer is true; Escape leaves Value as it was.
bool PickDate(TfrmDateEditor* Editor, TDateTime& Value);

}  // namespace zk
