// The string-list editor: a modal dialog that edits lines as plain text in a memo or as
// name=value rows of an item-list grid, loads and saves text files, and writes back on OK.
#pragma once
#include <cstdint>

#include "platform/gui/Forms.h"

namespace zk {

class TBevel;
class TButton;
class TLabel;
class TMemo;
class TMenuItem;
class TOpenDialog;
class TPageControl;
class TPopupMenu;
class TSaveDialog;
class TStrings;
class TTabSheet;
class TZkItemListEditor;

// The dialog, loaded from its form description. Lines is the memo's lines,
// the one place the result is read from; the INI page shows the same lines
// as rows and hands them back when the user leaves it or the dialog closes.
// A line without "=" and blank lines come back from the rows as they went in.
// Load and Save act on the page shown.
class TfrmZkStringsEditor : public TForm {
    ZK_CLASS(TfrmZkStringsEditor, TForm)
public:
    explicit TfrmZkStringsEditor(TComponent* AOwner);

    // The memo's lines; setting copies Value (never null) into the memo and the rows.
    TStrings* GetLines() const;
    void SetLines(TStrings* Value);
    // Which views are offered; with one of them its page shows without tabs.
    // Set them before showing the dialog.
    bool GetShowNormal() const { return FShowNormal; }
    void SetShowNormal(bool Value);
    bool GetShowINI() const { return FShowINI; }
    void SetShowINI(bool Value);
    // Owned by the form, on the INI page; created in FormCreate.
    TZkItemListEditor* GetINIEditor() const { return FINIEditor; }

    // Handlers bound by name from the form description.
    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void pcViewsChange(TObject* Sender);
    void Memo1Change(TObject* Sender);
    void Memo1KeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void btnHelpClick(TObject* Sender);
    void Load1Click(TObject* Sender);
    void Save1Click(TObject* Sender);

    // Components of the description; the form owns them.
    TLabel* lblLineCount = nullptr;
    TBevel* Bevel1 = nullptr;
    TPageControl* pcViews = nullptr;
    TTabSheet* tsMemo = nullptr;
    TTabSheet* tsINI = nullptr;
    TMemo* Memo1 = nullptr;
    TButton* btnOK = nullptr;
    TButton* btnCancel = nullptr;
    TButton* btnHelp = nullptr;
    TPopupMenu* StringEditorMenu = nullptr;
    TMenuItem* Load1 = nullptr;
    TMenuItem* Save1 = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;

protected:
    // Finds the components of the description, before OnCreate runs.
    void Loaded() override;

private:
    void UpdateViews();
    // The rows from the memo's lines, and the memo's lines from the rows.
    void LinesToRows();
    void RowsToLines();

    TZkItemListEditor* FINIEditor = nullptr;  // owned by the form as a component
    bool FShowNormal = true;
    bool FShowINI = true;
};

// Opens the editor modally on the lines of Strings with the views asked
// for. When the user ends it with OK after changing the lines, they replace
// those of Strings and the answer is true. Any other ending, OK with the
// lines as they were included, leaves Strings untouched (its objects and
// any bytes the memo could not show as text stay).
bool EditStrings(TStrings* Strings, bool ShowNormal = true, bool ShowINI = true);

}  // namespace zk
