// The stock presets for dates, times and date-times: edit masks, text conversions and the date
// pop-up.
#include <limits>
#include <string>

#include "dialogs/ZkTDateEditor.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/DateUtils.h"
#include "presets/ZkStockPresets.h"
#include "presets/ZkStockPresets_p.h"

namespace zk {

namespace {

// The masks fit the texts DateToStr and TimeToStr give ("12/31/2024", "09:30:00 PM").
const std::string DateMaskText = "90/00/0000";
const std::string TimeMaskText = "90:00:00 >LL";

std::string MaskOf(const std::string& Text) {
    return "!" + Text + ";1;_";
}

// The value of the current value column's object as it is now; NaN when
// the row stands for no property (the pop-up then starts at today). Not the
// row's captured value: a refresh through the row's text hook leaves that as
// the rescan found it, so after an edit it would be stale and its time of
// day would overwrite the new one.
TDateTime CurrentDateTime(TZkItemProperty* Row) {
    if (!Row->GetIsProperty()) return std::numeric_limits<double>::quiet_NaN();
    return Row->GetFloatValue(-1);
}

// Shows Editor for Row and writes the picked day through the row as Format
// makes it text; Escape writes nothing.
void PickDateFor(TZkItemProperty* Row, TfrmDateEditor* Editor, std::string (*Format)(TDateTime)) {
    TDateTime Value = CurrentDateTime(Row);
    TOwned<TRowHold> Hold(Create<TRowHold>(Row));
    if (!PickDate(Editor, Value)) return;
    TZkItemProperty* Current = Hold->Row();
    if (!Current) return;
    Current->SetValue(Format(Value));
    Current->Validate();
}

}  // namespace

// ---- 10. dates ----

ZK_IMPLEMENT_CLASS(TZkTDatePropertyPreset)
void TZkTDatePropertyPreset::DescribeClass(TClassBuilder<TZkTDatePropertyPreset>& C) {
    C.Redeclare("Actions").Default(stock::EllipsisMaskValidate);
    C.Redeclare("MatchTypes").Default(stock::ByType);
    C.Redeclare("TypeKinds").Default(stock::Floats);
    C.Redeclare("EditStyle").Default(esEllipsis);
}

TZkTDatePropertyPreset::TZkTDatePropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "TDate Property Editor", stock::Floats, "TDate", esEllipsis);
    SetEditMask(MaskOf(DateMaskText));
    SetOnGetProperty(TZkItemGetPropertyEvent(this, &TZkTDatePropertyPreset::GetDateText));
    SetOnSetProperty(TZkItemSetPropertyEvent(this, &TZkTDatePropertyPreset::SetDateText));
    SetOnEditButtonClick(TNotifyEvent(this, &TZkTDatePropertyPreset::EditDate));
}

TZkTDatePropertyPreset::~TZkTDatePropertyPreset() = default;

void TZkTDatePropertyPreset::CreateDateEditor() {
    FDateEditor.reset(Create<TfrmDateEditor>(nullptr));
}

void TZkTDatePropertyPreset::GetDateText(TObject*, TObject* Instance, const std::string& PropName,
                                         std::string& Value) {
    Value = DateToStr(GetFloatProp(Instance, PropName));
}

void TZkTDatePropertyPreset::SetDateText(TObject*, TObject* Instance, const std::string& PropName,
                                         const std::string& Value) {
    SetFloatProp(Instance, PropName, StrToDate(Value));
}

void TZkTDatePropertyPreset::EditDate(TObject* Sender) {
    TZkItemProperty* Row = SenderRow(Sender);
    if (!Row) return;
    if (!FDateEditor) CreateDateEditor();
    PickDateFor(Row, FDateEditor.get(), &DateToStr);
}

// ---- 11. times ----

ZK_IMPLEMENT_CLASS(TZkTTimePropertyPreset)
void TZkTTimePropertyPreset::DescribeClass(TClassBuilder<TZkTTimePropertyPreset>& C) {
    C.Redeclare("Actions").Default(stock::MaskValidate);
    C.Redeclare("MatchTypes").Default(stock::ByType);
    C.Redeclare("TypeKinds").Default(stock::Floats);
}

TZkTTimePropertyPreset::TZkTTimePropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "TTime Property Editor", stock::Floats, "TTime", esSimple);
    SetEditMask(MaskOf(TimeMaskText));
    SetOnGetProperty(TZkItemGetPropertyEvent(this, &TZkTTimePropertyPreset::GetTimeText));
    SetOnSetProperty(TZkItemSetPropertyEvent(this, &TZkTTimePropertyPreset::SetTimeText));
}

void TZkTTimePropertyPreset::GetTimeText(TObject*, TObject* Instance, const std::string& PropName,
                                         std::string& Value) {
    Value = TimeToStr(GetFloatProp(Instance, PropName));
}

void TZkTTimePropertyPreset::SetTimeText(TObject*, TObject* Instance, const std::string& PropName,
                                         const std::string& Value) {
    SetFloatProp(Instance, PropName, StrToTime(Value));
}

// ---- 12. dates and times ----

ZK_IMPLEMENT_CLASS(TZkTDateTimePropertyPreset)
void TZkTDateTimePropertyPreset::DescribeClass(TClassBuilder<TZkTDateTimePropertyPreset>& C) {
    C.Redeclare("Actions").Default(stock::EllipsisMaskValidate);
    C.Redeclare("MatchTypes").Default(stock::ByType);
    C.Redeclare("TypeKinds").Default(stock::Floats);
    C.Redeclare("EditStyle").Default(esEllipsis);
}

TZkTDateTimePropertyPreset::TZkTDateTimePropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "TDateTime Property Editor", stock::Floats, "TDateTime", esEllipsis);
    SetEditMask(MaskOf(DateMaskText + " " + TimeMaskText));
    SetOnGetProperty(TZkItemGetPropertyEvent(this, &TZkTDateTimePropertyPreset::GetDateTimeText));
    SetOnSetProperty(TZkItemSetPropertyEvent(this, &TZkTDateTimePropertyPreset::SetDateTimeText));
    SetOnEditButtonClick(TNotifyEvent(this, &TZkTDateTimePropertyPreset::EditDateTime));
}

TZkTDateTimePropertyPreset::~TZkTDateTimePropertyPreset() = default;

void TZkTDateTimePropertyPreset::CreateDateEditor() {
    FDateEditor.reset(Create<TfrmDateEditor>(nullptr));
}

void TZkTDateTimePropertyPreset::GetDateTimeText(TObject*, TObject* Instance,
                                                 const std::string& PropName, std::string& Value) {
    Value = DateTimeToStr(GetFloatProp(Instance, PropName));
}

void TZkTDateTimePropertyPreset::SetDateTimeText(TObject*, TObject* Instance,
                                                 const std::string& PropName,
                                                 const std::string& Value) {
    SetFloatProp(Instance, PropName, StrToDateTime(Value));
}

// The picked day replaces the date and keeps the row's time of day.
void TZkTDateTimePropertyPreset::EditDateTime(TObject* Sender) {
    TZkItemProperty* Row = SenderRow(Sender);
    if (!Row) return;
    if (!FDateEditor) CreateDateEditor();
    PickDateFor(Row, FDateEditor.get(), &DateTimeToStr);
}

}  // namespace zk
