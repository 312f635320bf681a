// TValueListEditor: a two-column grid of the name=value lines of a TStrings, keys on the left,
// values on the right, edited in place.
#pragma once
#include <cstdint>
#include <string>

#include "platform/core/StringList.h"
#include "platform/gui/Grids.h"

namespace zk {

class TValueListStrings;

// How the grid shows the lines. The value names carry "vdo" so that they
// never meet the item list's display options (doColumnTitles...) in one scope.
ZK_ENUM(TValueListDisplayOption, uint8_t, vdoColumnTitles, vdoAutoColResize, vdoKeyColFixed)
ZK_SET(TValueListDisplayOptions, TValueListDisplayOption)
// What the user may do with keys: rename them, add and delete lines, and
// whether a key must be unique.
ZK_ENUM(TKeyOption, uint8_t, keyEdit, keyAdd, keyDelete, keyUnique)
ZK_SET(TKeyOptions, TKeyOption)

ZK_EVENT(TOnValidateEvent, void(TObject* Sender, int ACol, int ARow, const std::string& KeyName,
                                const std::string& KeyValue))

inline const TValueListDisplayOptions DefaultValueListDisplayOptions = {
    vdoColumnTitles, vdoAutoColResize, vdoKeyColFixed};
inline const TGridOptions DefaultValueListGridOptions = {
    goFixedVertLine, goFixedHorzLine, goVertLine,         goHorzLine,
    goColSizing,     goEditing,       goAlwaysShowEditor, goThumbTracking};

// Row ARow shows line ARow - FixedRows of Strings: the key is the text before
// the first separator (the whole line when it has none), the value the text
// after it. Editing a cell rewrites its line at once, and clearing a value
// keeps the line. Below the lines there is one blank row while Strings is
// empty, or after Insert (or Down on the last line) with keyAdd; typing into
// it adds a line, leaving it blank drops it. Row indexes that show no line
// raise EInvalidGridOperation "Grid index out of range".
class TValueListEditor : public TCustomDrawGrid {
    ZK_CLASS(TValueListEditor, TCustomDrawGrid)
public:
    explicit TValueListEditor(TComponent* AOwner);
    ~TValueListEditor() override;

    // Owned; SetStrings and SetTitleCaptions copy Value.
    TStrings* GetStrings() const;
    void SetStrings(TStrings* Value);
    // The key and value columns' titles, shown with vdoColumnTitles.
    TStrings* GetTitleCaptions() const;
    void SetTitleCaptions(TStrings* Value);
    TValueListDisplayOptions GetDisplayOptions() const { return FDisplayOptions; }
    void SetDisplayOptions(TValueListDisplayOptions Value);
    TKeyOptions GetKeyOptions() const { return FKeyOptions; }
    // keyAdd and keyUnique need keyEdit, and setting them adds it.
    void SetKeyOptions(TKeyOptions Value);

    // The text of any cell: a title, a key or a value; empty beyond the lines.
    std::string GetCells(int ACol, int ARow) const;
    std::string GetKeys(int ARow) const;
    void SetKeys(int ARow, const std::string& Value);
    // The value of the first line with Key; empty when there is none.
    std::string GetValues(const std::string& Key) const;
    // Sets the value in place, or appends Key=Value when no line has Key.
    void SetValues(const std::string& Key, const std::string& Value);
    // The row of the first line with Key.
    bool FindRow(const std::string& Key, int& ARow) const;
    // Adds Key=Value at the end (Append) or before the current line; returns its row.
    int InsertRow(const std::string& Key, const std::string& Value, bool Append);
    void DeleteRow(int ARow) override;

    const TOnValidateEvent& GetOnValidate() const { return FOnValidate; }
    void SetOnValidate(const TOnValidateEvent& Value) { FOnValidate = Value; }
    const TNotifyEvent& GetOnStringsChange() const { return FOnStringsChange; }
    void SetOnStringsChange(const TNotifyEvent& Value) { FOnStringsChange = Value; }
    const TNotifyEvent& GetOnStringsChanging() const { return FOnStringsChanging; }
    void SetOnStringsChanging(const TNotifyEvent& Value) { FOnStringsChanging = Value; }

    bool IsTitleCaptionsStored() const;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    std::string GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const std::string& Value) override;
    // Leaving a changed cell validates it: a duplicate key with keyUnique
    // raises EListError and keeps the current cell; then OnValidate.
    bool SelectCell(int ACol, int ARow) override;
    // Keys take typing only with keyEdit, the blank row only with keyAdd.
    bool CanEditModify() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void DoExit() override;
    void ColWidthsChanged() override;
    void Resize() override;

private:
    friend class TValueListStrings;
    void StringsChanging();
    void StringsChanged();
    // Rows and fixed parts from the lines and the display options.
    void UpdateLayout();
    void AutoSizeValueColumn();
    int LineOf(int ARow) const { return ARow - GetFixedRows(); }
    bool IsBlankRow(int ARow) const;
    void CheckLineRow(int ARow) const;
    std::string KeyOfLine(int Line) const;
    std::string ValueOfLine(int Line) const;
    void PutLine(int Line, const std::string& Key, const std::string& Value);
    // Moves to a new blank row below the lines.
    void AddBlankRow();
    // Drops the blank row when the current cell leaves it unfilled.
    void DropBlankRow();
    void UndoAddedRow();
    void ValidateCell();

    TOwned<TValueListStrings> FStrings;
    TOwned<TStringList> FTitleCaptions;
    TValueListDisplayOptions FDisplayOptions = DefaultValueListDisplayOptions;
    TKeyOptions FKeyOptions;
    bool FBlankRow = false;       // a blank row shows below the lines while they exist
    bool FEditorWriting = false;  // the cell editor's text is going into Strings
    bool FCellModified = false;   // the current cell was edited since it was entered
    int FAddedRow = -1;           // the row that typing made a line, while the cell stays current
    bool FSizing = false;         // the value column is being fitted
    TOnValidateEvent FOnValidate;
    TNotifyEvent FOnStringsChange;
    TNotifyEvent FOnStringsChanging;
};

}  // namespace zk
