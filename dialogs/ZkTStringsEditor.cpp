// The string-list editor: its handlers, the two views of the lines, file loading and saving,
// and the entry call that edits a TStrings.
#include "dialogs/ZkTStringsEditor.h"

#include <cassert>

#include "dialogs/ZkDialogsRegistration.h"
#include "dialogs/ZkDialogs_p.h"
#include "itemlist/ZkItemListEditor.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/StringList.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"

namespace zk {

namespace {

const char* const SLine = "line";
const char* const SLines = "lines";

// The Data of a row whose line had no "=": it goes back without one while
// its value stays empty, so "[Section]" does not come back as "[Section]=".
constexpr int NoSeparatorLine = 1;

}  // namespace

ZK_IMPLEMENT_CLASS(TfrmZkStringsEditor)
void TfrmZkStringsEditor::DescribeClass(TClassBuilder<TfrmZkStringsEditor>& C) {
    C.Method("FormCreate", &TfrmZkStringsEditor::FormCreate);
    C.Method("FormClose", &TfrmZkStringsEditor::FormClose);
    C.Method("pcViewsChange", &TfrmZkStringsEditor::pcViewsChange);
    C.Method("Memo1Change", &TfrmZkStringsEditor::Memo1Change);
    C.Method("Memo1KeyDown", &TfrmZkStringsEditor::Memo1KeyDown);
    C.Method("btnHelpClick", &TfrmZkStringsEditor::btnHelpClick);
    C.Method("Load1Click", &TfrmZkStringsEditor::Load1Click);
    C.Method("Save1Click", &TfrmZkStringsEditor::Save1Click);
}

TfrmZkStringsEditor::TfrmZkStringsEditor(TComponent* AOwner) : TForm(AOwner) {
    RegisterDialogsClasses();
}

void TfrmZkStringsEditor::Loaded() {
    TForm::Loaded();
    BindComponent(this, lblLineCount, "lblLineCount");
    BindComponent(this, Bevel1, "Bevel1");
    BindComponent(this, pcViews, "pcViews");
    BindComponent(this, tsMemo, "tsMemo");
    BindComponent(this, tsINI, "tsINI");
    BindComponent(this, Memo1, "Memo1");
    BindComponent(this, btnOK, "btnOK");
    BindComponent(this, btnCancel, "btnCancel");
    BindComponent(this, btnHelp, "btnHelp");
    BindComponent(this, StringEditorMenu, "StringEditorMenu");
    BindComponent(this, Load1, "Load1");
    BindComponent(this, Save1, "Save1");
    BindComponent(this, OpenDialog1, "OpenDialog1");
    BindComponent(this, SaveDialog1, "SaveDialog1");
}

void TfrmZkStringsEditor::FormCreate(TObject*) {
    FINIEditor = Create<TZkItemListEditor>(this);
    FINIEditor->SetName("INIEditor");
    FINIEditor->SetParent(tsINI);
    FINIEditor->SetAlign(alClient);
    FINIEditor->SetPropertyOptions({propEdit, propAdd, propDelete});
    FINIEditor->SetCol(0);
    FINIEditor->SetPopupMenu(StringEditorMenu);
    FINIEditor->SetOptions(FINIEditor->GetOptions() + TGridOptions{goTabs});
    // Lines are flat: a dot in a name is part of it, not a path into a subtree.
    FINIEditor->SetPathDelimiter("");
    // Blank lines of the text are rows the user sees; moving over one keeps it.
    FINIEditor->SetDropBlankLines(false);
    FShowINI = true;
    FShowNormal = true;
}

TStrings* TfrmZkStringsEditor::GetLines() const {
    return Memo1->GetLines();
}

void TfrmZkStringsEditor::SetLines(TStrings* Value) {
    assert(Value && "SetLines(nullptr): give the lines to edit, an empty list for none");
    // One text for the whole memo: line by line would report every line as a change.
    Memo1->GetLines()->SetTextStr(Value->GetTextStr());
    LinesToRows();
}

void TfrmZkStringsEditor::SetShowNormal(bool Value) {
    if (FShowNormal == Value) return;
    FShowNormal = Value;
    UpdateViews();
}

void TfrmZkStringsEditor::SetShowINI(bool Value) {
    if (FShowINI == Value) return;
    FShowINI = Value;
    UpdateViews();
}

// Tabs show only while there is a choice; offering a view again brings them back.
void TfrmZkStringsEditor::UpdateViews() {
    const bool Both = FShowNormal && FShowINI;
    tsMemo->SetTabVisible(Both);
    tsINI->SetTabVisible(Both);
    if (FShowINI && !FShowNormal) {
        pcViews->SetActivePageIndex(1);
        SetActiveControl(FINIEditor);
    } else if (FShowNormal && !FShowINI) {
        pcViews->SetActivePageIndex(0);
        SetActiveControl(Memo1);
    }
}

void TfrmZkStringsEditor::LinesToRows() {
    TOwned<TStringList> Lines(Create<TStringList>());
    Lines->SetTextStr(Memo1->GetLines()->GetTextStr());
    FINIEditor->BeginUpdate();
    TScopeExit Done([this] { FINIEditor->EndUpdate(); });
    FINIEditor->SetStrings(Lines.get());
    TZkItemProps* Rows = FINIEditor->GetItems();
    for (int I = 0; I < Lines->GetCount() && I < Rows->GetCount(); ++I)
        if (Lines->Get(I).find('=') == std::string::npos)
            Rows->GetItem(I)->SetData(NoSeparatorLine);
}

void TfrmZkStringsEditor::RowsToLines() {
    TOwned<TStringList> Lines(Create<TStringList>());
    const TZkItemList& Rows = FINIEditor->GetAllItems();
    for (int I = 0; I < Rows.GetCount(); ++I) {
        TZkItemProp* Row = Rows[I];
        TStrings* Values = Row->GetValues();
        // The value as stored: the rows' own text view trims trailing blanks.
        const std::string Value = Values->GetCount() > 0 ? Values->Get(0) : std::string();
        const std::string& Name = Row->GetName();
        if (Value.empty() && (Name.empty() || Row->GetData() == NoSeparatorLine))
            Lines->Add(Name);
        else
            Lines->Add(Name + "=" + Value);
    }
    Memo1->GetLines()->SetTextStr(Lines->GetTextStr());
}

void TfrmZkStringsEditor::FormClose(TObject*, TCloseAction&) {
    if (pcViews->GetActivePageIndex() == 1) RowsToLines();
}

void TfrmZkStringsEditor::pcViewsChange(TObject*) {
    switch (pcViews->GetActivePageIndex()) {
        case 0:
            RowsToLines();
            break;
        case 1:
            LinesToRows();
            break;
        default:
            break;
    }
}

void TfrmZkStringsEditor::Memo1Change(TObject*) {
    const int Count = Memo1->GetLines()->GetCount();
    lblLineCount->SetCaption(Format("%d %s", {Count, Count == 1 ? SLine : SLines}));
}

void TfrmZkStringsEditor::Memo1KeyDown(TObject*, uint16_t& Key, TShiftState) {
    if (Key == VK_ESCAPE) btnCancel->Click();
}

void TfrmZkStringsEditor::btnHelpClick(TObject*) {
    Application->HelpContext(GetHelpContext());
}

// Both commands act on the page the user sees. The file is read whole before
// anything changes, so a file that cannot be read leaves the lines as they were.
void TfrmZkStringsEditor::Load1Click(TObject*) {
    if (!OpenDialog1->Execute()) return;
    TOwned<TStringList> Loaded(Create<TStringList>());
    Loaded->LoadFromFile(OpenDialog1->GetFileName());
    Memo1->GetLines()->SetTextStr(Loaded->GetTextStr());
    if (pcViews->GetActivePageIndex() == 1) LinesToRows();
}

void TfrmZkStringsEditor::Save1Click(TObject*) {
    SaveDialog1->SetFileName(OpenDialog1->GetFileName());
    if (!SaveDialog1->Execute()) return;
    if (pcViews->GetActivePageIndex() == 1) RowsToLines();
    const std::string& FileName = SaveDialog1->GetFileName();
    try {
        Memo1->GetLines()->SaveToFile(FileName);
    } catch (const EWriteError& E) {
        // A write that fails after the file was created (a full disk) names the file too.
        throw EFCreateError("Cannot create file \"%s\". %s", {FileName, E.Message()});
    }
}

bool EditStrings(TStrings* Strings, bool ShowNormal, bool ShowINI) {
    assert(Strings && "EditStrings(nullptr): there are no lines to edit");
    TOwned<TfrmZkStringsEditor> Editor(Create<TfrmZkStringsEditor>(nullptr));
    Editor->SetLines(Strings);
    Editor->SetShowINI(ShowINI);
    Editor->SetShowNormal(ShowNormal);
    // What the memo made of the lines: bytes it cannot show as text come back
    // changed, so only an edit may write them.
    const std::string Before = Editor->GetLines()->GetTextStr();
    if (Editor->ShowModal() != mrOk) return false;
    const std::string After = Editor->GetLines()->GetTextStr();
    if (After == Before) return false;
    Strings->SetTextStr(After);
    return true;
}

}  // namespace zk
