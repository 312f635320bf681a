// The date pop-up: its handlers, what counts as a pick, and the entry call that places it at the
// cursor.
#include "dialogs/ZkTDateEditor.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "dialogs/ZkDialogsRegistration.h"
#include "dialogs/ZkDialogs_p.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/StdCtrls.h"

namespace zk {

namespace {

// 0001-01-01 and the day after 9999-12-31, as days since 1899-12-30.
constexpr double MinDateValue = -693593;
constexpr double EndDateValue = 2958466;

bool IsDateValue(TDateTime Value) {
    return std::isfinite(Value) && Value >= MinDateValue && Value < EndDateValue;
}

}  // namespace

ZK_IMPLEMENT_CLASS(TfrmDateEditor)
void TfrmDateEditor::DescribeClass(TClassBuilder<TfrmDateEditor>& C) {
    C.Method("FormCreate", &TfrmDateEditor::FormCreate);
    C.Method("MonthCalendar1Click", &TfrmDateEditor::MonthCalendar1Click);
    C.Method("MonthCalendar1MouseDown", &TfrmDateEditor::MonthCalendar1MouseDown);
    C.Method("MonthCalendar1GetMonthInfo", &TfrmDateEditor::MonthCalendar1GetMonthInfo);
}

TfrmDateEditor::TfrmDateEditor(TComponent* AOwner) : TForm(AOwner) {
    RegisterDialogsClasses();
}

void TfrmDateEditor::Loaded() {
    TForm::Loaded();
    BindComponent(this, MonthCalendar1, "MonthCalendar1");
    BindComponent(this, Button1, "Button1");
}

void TfrmDateEditor::FormCreate(TObject*) {
    SetDate(Now());
}

TDateTime TfrmDateEditor::GetDate() const {
    return MonthCalendar1->GetDate();
}

void TfrmDateEditor::SetDate(TDateTime Value) {
    if (!IsDateValue(Value)) throw EConvertError("Invalid argument to date encode");
    // The day of a date before 1899-12-30 is its whole part too: -1.25 is the 29th, 6 AM.
    MonthCalendar1->SetDate(std::trunc(Value));
    // As the calendar holds it: a time of day would make its own day look picked.
    FShownDate = MonthCalendar1->GetDate();
    FDayPressed = false;
}

void TfrmDateEditor::MonthCalendar1MouseDown(TObject*, TMouseButton Button, TShiftState, int X,
                                             int Y) {
    FDayPressed = Button == mbLeft && MonthCalendar1->HitTest({X, Y}) == MCHT_CALENDARDATE;
}

// Only a click that began on a day picks: the title with its month buttons,
// the day names and the week numbers navigate. Where they lie is the
// calendar's to say, so the hit test decides, not a fixed height.
void TfrmDateEditor::MonthCalendar1Click(TObject*) {
    const bool OnDay = FDayPressed;
    FDayPressed = false;
    if (OnDay && MonthCalendar1->GetDate() != FShownDate) SetModalResult(mrOk);
}

// Another month came into view: the date that came with it is no pick,
// unless a click on a day of that month brought it.
void TfrmDateEditor::MonthCalendar1GetMonthInfo(TObject*, uint32_t, uint32_t& MonthBoldInfo) {
    MonthBoldInfo = 0;
    if (!FDayPressed) FShownDate = MonthCalendar1->GetDate();
}

bool PickDate(TfrmDateEditor* Editor, TDateTime& Value) {
    const bool Valid = IsDateValue(Value);
    Editor->SetDate(Valid ? Value : Date());
    // At the cursor, moved back inside the screen the cursor is on when it would stick out.
    const TPoint Cursor = Mouse->GetCursorPos();
    const QPoint At(Cursor.X, Cursor.Y);
    QScreen* S = QGuiApplication::screenAt(At);
    if (!S) S = QGuiApplication::primaryScreen();
    int X = At.x();
    int Y = At.y();
    if (S) {
        const QRect Area = S->availableGeometry();
        X = std::max(Area.left(), std::min(X, Area.right() + 1 - Editor->GetWidth()));
        Y = std::max(Area.top(), std::min(Y, Area.bottom() + 1 - Editor->GetHeight()));
    }
    Editor->SetBounds(X, Y, Editor->GetWidth(), Editor->GetHeight());
    if (Editor->ShowModal() != mrOk) return false;
    if (Valid) {
        ReplaceDate(Value, Editor->GetDate());
    } else {
        Value = Editor->GetDate();
    }
    return true;
}

}  // namespace zk
