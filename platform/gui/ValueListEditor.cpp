// TValueListEditor: the lines of its Strings as key and value cells, edited through the grid's
// cell editor, with a blank row for adding lines and the value column fitted to the width.
#include "platform/gui/ValueListEditor.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/gui/Graphics.h"

namespace zk {

// The editor's lines: every change outside an update bracket shows in the grid.
class TValueListStrings : public TStringList {
public:
    explicit TValueListStrings(TValueListEditor* Editor) : FEditor(Editor) {}

protected:
    void Changing() override {
        TStringList::Changing();
        if (GetUpdateCount() == 0) FEditor->StringsChanging();
    }
    void Changed() override {
        TStringList::Changed();
        if (GetUpdateCount() == 0) FEditor->StringsChanged();
    }

private:
    TValueListEditor* FEditor;  // owns this list
};

namespace {

const char* const SDuplicateKey = "\"%s\" is already a key of the list";
const char* const SRowOutOfRange = "Grid index out of range";

}  // namespace

ZK_IMPLEMENT_CLASS(TValueListEditor)
void TValueListEditor::DescribeClass(TClassBuilder<TValueListEditor>& C) {
    // The shape follows Strings and the display options; a form stores those.
    for (const char* Derived : {"ColCount", "RowCount", "FixedCols", "FixedRows"})
        C.Redeclare(Derived).Stored(false);
    C.Redeclare("DefaultColWidth").Default(150);
    C.Redeclare("Options").Default(DefaultValueListGridOptions);
    C.Prop("DisplayOptions", &TValueListEditor::GetDisplayOptions,
           &TValueListEditor::SetDisplayOptions)
        .Default(DefaultValueListDisplayOptions);
    C.Prop("KeyOptions", &TValueListEditor::GetKeyOptions, &TValueListEditor::SetKeyOptions)
        .Default(TKeyOptions());
    C.Prop("Strings", &TValueListEditor::GetStrings, &TValueListEditor::SetStrings);
    C.Prop("TitleCaptions", &TValueListEditor::GetTitleCaptions,
           &TValueListEditor::SetTitleCaptions)
        .Stored(&TValueListEditor::IsTitleCaptionsStored);
    C.Prop("OnDrawCell", &TCustomDrawGrid::GetOnDrawCell, &TCustomDrawGrid::SetOnDrawCell);
    C.Prop("OnGetEditMask", &TCustomDrawGrid::GetOnGetEditMask, &TCustomDrawGrid::SetOnGetEditMask);
    C.Prop("OnGetEditText", &TCustomDrawGrid::GetOnGetEditText, &TCustomDrawGrid::SetOnGetEditText);
    C.Prop("OnSelectCell", &TCustomDrawGrid::GetOnSelectCell, &TCustomDrawGrid::SetOnSelectCell);
    C.Prop("OnSetEditText", &TCustomDrawGrid::GetOnSetEditText, &TCustomDrawGrid::SetOnSetEditText);
    C.Prop("OnStringsChange", &TValueListEditor::GetOnStringsChange,
           &TValueListEditor::SetOnStringsChange);
    C.Prop("OnStringsChanging", &TValueListEditor::GetOnStringsChanging,
           &TValueListEditor::SetOnStringsChanging);
    C.Prop("OnTopLeftChanged", &TCustomDrawGrid::GetOnTopLeftChanged,
           &TCustomDrawGrid::SetOnTopLeftChanged);
    C.Prop("OnValidate", &TValueListEditor::GetOnValidate, &TValueListEditor::SetOnValidate);
}

TValueListEditor::TValueListEditor(TComponent* AOwner)
    : TCustomDrawGrid(AOwner),
      FStrings(new TValueListStrings(this)),
      FTitleCaptions(Create<TStringList>()) {
    FTitleCaptions->Add("Key");
    FTitleCaptions->Add("Value");
    FTitleCaptions->SetOnChange(TNotifyEvent([this](TObject*) { InvalidateRow(0); }));
    SetDefaultColWidth(150);
    SetColCount(2);
    UpdateLayout();
    SetOptions(DefaultValueListGridOptions);
    SetBounds(0, 0, 306, 300);
}

TValueListEditor::~TValueListEditor() = default;

TStrings* TValueListEditor::GetStrings() const {
    return FStrings.get();
}

void TValueListEditor::SetStrings(TStrings* Value) {
    FStrings->Assign(Value);
}

TStrings* TValueListEditor::GetTitleCaptions() const {
    return FTitleCaptions.get();
}

void TValueListEditor::SetTitleCaptions(TStrings* Value) {
    FTitleCaptions->Assign(Value);
}

bool TValueListEditor::IsTitleCaptionsStored() const {
    return FTitleCaptions->GetTextStr() != "Key\r\nValue\r\n";
}

void TValueListEditor::SetDisplayOptions(TValueListDisplayOptions Value) {
    if (FDisplayOptions == Value) return;
    FDisplayOptions = Value;
    UpdateLayout();
    InvalidateGrid();
}

void TValueListEditor::SetKeyOptions(TKeyOptions Value) {
    if (Value.Contains(keyAdd) || Value.Contains(keyUnique)) Value.Include(keyEdit);
    if (FKeyOptions == Value) return;
    FKeyOptions = Value;
    if (!Value.Contains(keyAdd)) FBlankRow = false;
    UpdateLayout();
    InvalidateGrid();
}

// ---- lines and rows ----

// Without keyEdit a fixed key column keeps the current cell on the values;
// with it the keys have to stay reachable.
void TValueListEditor::UpdateLayout() {
    const int Fixed = FDisplayOptions.Contains(vdoColumnTitles) ? 1 : 0;
    const int Count = FStrings->GetCount();
    const int Rows = Fixed + Count + (Count == 0 || FBlankRow ? 1 : 0);
    if (Fixed > GetFixedRows()) {
        SetRowCount(Rows);
        SetFixedRows(Fixed);
    } else {
        SetFixedRows(Fixed);
        SetRowCount(Rows);
    }
    const bool KeysFixed =
        FDisplayOptions.Contains(vdoKeyColFixed) && !FKeyOptions.Contains(keyEdit);
    SetFixedCols(KeysFixed ? 1 : 0);
    AutoSizeValueColumn();
}

bool TValueListEditor::IsBlankRow(int ARow) const {
    return ARow >= GetFixedRows() && LineOf(ARow) >= FStrings->GetCount();
}

void TValueListEditor::CheckLineRow(int ARow) const {
    if (ARow < GetFixedRows() || LineOf(ARow) >= FStrings->GetCount())
        throw EInvalidGridOperation(SRowOutOfRange);
}

std::string TValueListEditor::KeyOfLine(int Line) const {
    const std::string S = FStrings->Get(Line);
    return S.substr(0, S.find(FStrings->GetNameValueSeparator()));
}

std::string TValueListEditor::ValueOfLine(int Line) const {
    const std::string S = FStrings->Get(Line);
    const size_t Pos = S.find(FStrings->GetNameValueSeparator());
    return Pos == std::string::npos ? std::string() : S.substr(Pos + 1);
}

// A line without a separator keeps having none while its value is empty.
void TValueListEditor::PutLine(int Line, const std::string& Key, const std::string& Value) {
    const char Sep = FStrings->GetNameValueSeparator();
    const bool HadSeparator = FStrings->Get(Line).find(Sep) != std::string::npos;
    FStrings->Put(Line, Value.empty() && !HadSeparator ? Key : Key + Sep + Value);
}

std::string TValueListEditor::GetCells(int ACol, int ARow) const {
    if (ARow < GetFixedRows())
        return ACol >= 0 && ACol < FTitleCaptions->GetCount() ? FTitleCaptions->Get(ACol)
                                                              : std::string();
    const int Line = LineOf(ARow);
    if (Line >= FStrings->GetCount()) return std::string();
    return ACol == 0 ? KeyOfLine(Line) : ValueOfLine(Line);
}

std::string TValueListEditor::GetKeys(int ARow) const {
    CheckLineRow(ARow);
    return KeyOfLine(LineOf(ARow));
}

void TValueListEditor::SetKeys(int ARow, const std::string& Value) {
    CheckLineRow(ARow);
    PutLine(LineOf(ARow), Value, ValueOfLine(LineOf(ARow)));
}

bool TValueListEditor::FindRow(const std::string& Key, int& ARow) const {
    for (int Line = 0; Line < FStrings->GetCount(); ++Line) {
        if (FStrings->CompareStrings(KeyOfLine(Line), Key) != 0) continue;
        ARow = Line + GetFixedRows();
        return true;
    }
    return false;
}

std::string TValueListEditor::GetValues(const std::string& Key) const {
    int Row = 0;
    return FindRow(Key, Row) ? ValueOfLine(LineOf(Row)) : std::string();
}

void TValueListEditor::SetValues(const std::string& Key, const std::string& Value) {
    int Row = 0;
    if (FindRow(Key, Row))
        PutLine(LineOf(Row), Key, Value);
    else
        InsertRow(Key, Value, true);
}

int TValueListEditor::InsertRow(const std::string& Key, const std::string& Value, bool Append) {
    const int Line = Append || IsBlankRow(GetRow()) || GetRow() < GetFixedRows()
                         ? FStrings->GetCount()
                         : LineOf(GetRow());
    FStrings->Insert(Line, Key + FStrings->GetNameValueSeparator() + Value);
    return Line + GetFixedRows();
}

void TValueListEditor::DeleteRow(int ARow) {
    CheckLineRow(ARow);
    FStrings->Delete(LineOf(ARow));
}

// ---- changes of the lines ----

void TValueListEditor::StringsChanging() {
    if (FOnStringsChanging.Assigned() && !IsDestroying()) FOnStringsChanging(this);
}

// A change made elsewhere ends the blank row and reloads the editor; one
// made by the editor only reshapes the rows.
void TValueListEditor::StringsChanged() {
    if (IsDestroying()) return;
    if (!FEditorWriting) {
        FBlankRow = false;
        FCellModified = false;
    }
    UpdateLayout();
    InvalidateGrid();
    if (!FEditorWriting && GetEditorMode()) InvalidateEditor();
    if (FOnStringsChange.Assigned()) FOnStringsChange(this);
}

// ---- editing ----

std::string TValueListEditor::GetEditText(int ACol, int ARow) {
    FCellModified = false;
    std::string Result = GetCells(ACol, ARow);
    if (GetOnGetEditText().Assigned()) GetOnGetEditText()(this, ACol, ARow, Result);
    return Result;
}

void TValueListEditor::SetEditText(int ACol, int ARow, const std::string& Value) {
    if (ARow >= GetFixedRows() && Value != GetCells(ACol, ARow)) {
        TValueRollback<bool> Guard(FEditorWriting, true);
        const int Line = LineOf(ARow);
        if (Line < FStrings->GetCount()) {
            FCellModified = true;
            if (ACol == 0)
                PutLine(Line, Value, ValueOfLine(Line));
            else
                PutLine(Line, KeyOfLine(Line), Value);
        } else if (CanEditModify()) {
            // The first character typed into the blank row makes it a line.
            FCellModified = true;
            FBlankRow = false;
            FAddedRow = ARow;
            FStrings->Add(ACol == 0 ? Value : FStrings->GetNameValueSeparator() + Value);
        }
    }
    TCustomDrawGrid::SetEditText(ACol, ARow, Value);
}

bool TValueListEditor::CanEditModify() {
    if (!TCustomDrawGrid::CanEditModify()) return false;
    const int Row = GetRow();
    if (Row < GetFixedRows()) return false;
    if (IsBlankRow(Row)) return FKeyOptions.Contains(keyAdd);
    return GetCol() == 1 || FKeyOptions.Contains(keyEdit);
}

void TValueListEditor::ValidateCell() {
    if (!FCellModified) return;
    const int Row = GetRow();
    if (Row < GetFixedRows() || IsBlankRow(Row)) {
        FCellModified = false;
        return;
    }
    const int Line = LineOf(Row);
    const std::string Key = KeyOfLine(Line);
    if (GetCol() == 0 && FKeyOptions.Contains(keyUnique)) {
        for (int Other = 0; Other < FStrings->GetCount(); ++Other)
            if (Other != Line && FStrings->CompareStrings(KeyOfLine(Other), Key) == 0)
                throw EListError(SDuplicateKey, {Key});
    }
    FCellModified = false;
    if (FOnValidate.Assigned()) FOnValidate(this, GetCol(), Row, Key, ValueOfLine(Line));
}

bool TValueListEditor::SelectCell(int ACol, int ARow) {
    if (ACol != GetCol() || ARow != GetRow()) {
        ValidateCell();
        if (ARow != GetRow()) {
            DropBlankRow();
            FAddedRow = -1;
        }
    }
    return TCustomDrawGrid::SelectCell(ACol, ARow);
}

void TValueListEditor::DoExit() {
    TCustomDrawGrid::DoExit();
    if (!IsDestroying()) ValidateCell();
}

void TValueListEditor::AddBlankRow() {
    ValidateCell();
    if (!IsBlankRow(GetRowCount() - 1)) {
        FBlankRow = true;
        UpdateLayout();
    }
    FocusCell(FKeyOptions.Contains(keyEdit) ? 0 : 1, GetRowCount() - 1, true);
}

void TValueListEditor::DropBlankRow() {
    if (!FBlankRow || !IsBlankRow(GetRow()) || FStrings->GetCount() == 0) return;
    FBlankRow = false;
    UpdateLayout();
}

// Insert and Down past the last line add a blank row (keyAdd), Ctrl+Delete
// deletes the current line (keyDelete), Escape leaves an untouched blank row.
void TValueListEditor::KeyDown(uint16_t& Key, TShiftState Shift) {
    const int Row = GetRow();
    const bool OnLine = Row >= GetFixedRows() && !IsBlankRow(Row);
    if (FKeyOptions.Contains(keyAdd) && Shift.Empty() &&
        (Key == VK_INSERT || (Key == VK_DOWN && OnLine && Row == GetRowCount() - 1))) {
        Key = 0;
        AddBlankRow();
        return;
    }
    if (Key == VK_DELETE && Shift == TShiftState{ssCtrl} && FKeyOptions.Contains(keyDelete) &&
        OnLine) {
        Key = 0;
        FCellModified = false;
        DeleteRow(Row);
        return;
    }
    const bool Escape = Key == VK_ESCAPE;
    const bool LeaveBlank = Escape && FBlankRow && IsBlankRow(Row);
    TCustomDrawGrid::KeyDown(Key, Shift);
    if (Escape && Row == FAddedRow) UndoAddedRow();
    if (LeaveBlank && FBlankRow && Row > GetFixedRows()) FocusCell(GetCol(), Row - 1, true);
}

// Escape took back the typing that made the blank row a line: the line goes
// and the row is blank again.
void TValueListEditor::UndoAddedRow() {
    const int Line = LineOf(FAddedRow);
    FAddedRow = -1;
    if (Line >= FStrings->GetCount() || !KeyOfLine(Line).empty() || !ValueOfLine(Line).empty())
        return;
    TValueRollback<bool> Guard(FEditorWriting, true);
    FCellModified = false;
    FBlankRow = FStrings->GetCount() > 1;
    FStrings->Delete(Line);
}

// ---- layout and painting ----

void TValueListEditor::AutoSizeValueColumn() {
    if (!FDisplayOptions.Contains(vdoAutoColResize) || FSizing || GetColCount() < 2) return;
    TValueRollback<bool> Guard(FSizing, true);
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    const int Width = GetClientRect().Width() - GetColWidths(0) - 2 * DI.Horz.EffectiveLineWidth;
    if (Width > 0 && Width != GetColWidths(1)) SetColWidths(1, Width);
}

void TValueListEditor::ColWidthsChanged() {
    TCustomDrawGrid::ColWidthsChanged();
    AutoSizeValueColumn();
}

void TValueListEditor::Resize() {
    TCustomDrawGrid::Resize();
    AutoSizeValueColumn();
}

void TValueListEditor::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (GetDefaultDrawing()) {
        TCanvas* C = GetCanvas();
        const std::string Text = GetCells(ACol, ARow);
        C->GetBrush()->SetStyle(bsClear);
        C->TextRect(ARect, ARect.Left + 2, ARect.Top + (ARect.Height() - C->TextHeight(Text)) / 2,
                    Text);
    }
    TCustomDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

}  // namespace zk
