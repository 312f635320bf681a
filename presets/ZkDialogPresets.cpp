// The stock presets behind ellipsis buttons: fonts, string lists, pictures, collections, file
// names, list-view items and tree-view nodes.
#include "dialogs/ZkCollectionEditor.h"
#include "dialogs/ZkItemsDlg.h"
#include "dialogs/ZkTStringsEditor.h"
#include "platform/core/ClassBuilder.h"
#include "platform/gui/Graphics.h"
#include "presets/ZkStockPresets.h"
#include "presets/ZkStockPresets_p.h"

namespace zk {

// ---- 6. fonts ----

ZK_IMPLEMENT_CLASS(TZkTFontDlgPropertyPreset)
void TZkTFontDlgPropertyPreset::DescribeClass(TClassBuilder<TZkTFontDlgPropertyPreset>& C) {
    C.Redeclare("Actions").Default(stock::Ellipsis);
    C.Redeclare("MatchTypes").Default(stock::ByType);
    C.Redeclare("TypeKinds").Default(stock::Classes);
    C.Redeclare("EditStyle").Default(esEllipsis);
}

TZkTFontDlgPropertyPreset::TZkTFontDlgPropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "Font Editor Dialog Property Editor", stock::Classes, "TFont", esEllipsis);
    SetOnEditButtonClick(TNotifyEvent(this, &TZkTFontDlgPropertyPreset::EditFont));
}

void TZkTFontDlgPropertyPreset::EditFont(TObject* Sender) {
    TZkItemProperty* Row = SenderRow(Sender);
    auto* Font = Row ? DynamicCast<TFont>(Row->GetObjectValue()) : nullptr;
    if (!Font) return;
    TOwned<TFontDialog> Dialog(Create<TFontDialog>(nullptr));
    Dialog->SetFont(Font);
    TOwned<TRowHold> Hold(Create<TRowHold>(Row));
    if (!Dialog->Execute()) return;
    if (TZkItemProperty* Current = Hold->Row()) Current->SetObjectValue(Dialog->GetFont());
}

// ---- 7. string lists ----

ZK_IMPLEMENT_CLASS(TZkTStringsPropertyPreset)
void TZkTStringsPropertyPreset::DescribeClass(TClassBuilder<TZkTStringsPropertyPreset>& C) {
    using P = TZkTStringsPropertyPreset;
    C.Redeclare("Actions").Default(stock::Ellipsis);
    C.Redeclare("MatchTypes").Default(stock::ByType);
    C.Redeclare("TypeKinds").Default(stock::Classes);
    C.Redeclare("EditStyle").Default(esEllipsis);
    C.Prop("StringsViews", &P::GetStringsViews, &P::SetStringsViews)
        .Default(TStringsViews{svNormal});
}

TZkTStringsPropertyPreset::TZkTStringsPropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "TStrings Property Editor", stock::Classes, "TStrings", esEllipsis);
    SetOnEditButtonClick(TNotifyEvent(this, &TZkTStringsPropertyPreset::EditStrings));
}

void TZkTStringsPropertyPreset::Assign(TPersistent* Source) {
    if (auto* Src = DynamicCast<TZkTStringsPropertyPreset>(Source))
        FStringsViews = Src->FStringsViews;
    TZkPropertyPreset::Assign(Source);
}

void TZkTStringsPropertyPreset::SetStringsViews(TStringsViews Value) {
    if (Value == FStringsViews) return;
    FStringsViews = Value;
    Notify();
}

void TZkTStringsPropertyPreset::EditStrings(TObject* Sender) {
    TZkItemProperty* Row = SenderRow(Sender);
    if (!Row) return;
    TOwned<TfrmZkStringsEditor> Editor(Create<TfrmZkStringsEditor>(nullptr));
    if (auto* Lines = DynamicCast<TStrings>(Row->GetObjectValue())) Editor->SetLines(Lines);
    Editor->SetShowINI(FStringsViews.Contains(svINI));
    Editor->SetShowNormal(FStringsViews.Contains(svNormal));
    // As the memo shows them: lines it cannot show as text would come back changed.
    const std::string Before = Editor->GetLines()->GetTextStr();
    TOwned<TRowHold> Hold(Create<TRowHold>(Row));
    if (Editor->ShowModal() != mrOk) return;
    const std::string After = Editor->GetLines()->GetTextStr();
    TZkItemProperty* Current = Hold->Row();
    if (!Current || After == Before) return;
    // A plain list fits a property declared as any kind of string list.
    TOwned<TStringList> Result(Create<TStringList>());
    Result->SetTextStr(After);
    Current->SetObjectValue(Result.get());
    Hold->GetInspector()->PostRescan();
}

// ---- 8. pictures ----

ZK_IMPLEMENT_CLASS(TZkTPicturePropertyPreset)
void TZkTPicturePropertyPreset::DescribeClass(TClassBuilder<TZkTPicturePropertyPreset>& C) {
    C.Redeclare("Actions").Default(stock::Ellipsis);
    C.Redeclare("MatchTypes").Default(stock::ByType);
    C.Redeclare("TypeKinds").Default(stock::Classes);
    C.Redeclare("EditStyle").Default(esEllipsis);
}

TZkTPicturePropertyPreset::TZkTPicturePropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "TPicture Property Editor", stock::Classes, "TPicture", esEllipsis);
    GetTypeNames()->Add("TBitmap");
    SetOnEditButtonClick(TNotifyEvent(this, &TZkTPicturePropertyPreset::EditPicture));
}

namespace {

// The chosen file as a new object of the row's kind, or null for a row that
// holds neither a picture nor a bitmap. A file that cannot be loaded raises
// before anything is written.
TOwned<TPersistent> LoadPictureFile(const TClassInfo* Kind, const std::string& FileName) {
    if (Kind && Kind->InheritsFrom(TPicture::StaticClass())) {
        TOwned<TPicture> Picture(Create<TPicture>());
        Picture->LoadFromFile(FileName);
        return TOwned<TPersistent>(Picture.release());
    }
    if (Kind && Kind->InheritsFrom(TBitmap::StaticClass())) {
        TOwned<TBitmap> Bitmap(Create<TBitmap>());
        Bitmap->LoadFromFile(FileName);
        return TOwned<TPersistent>(Bitmap.release());
    }
    return TOwned<TPersistent>();
}

}  // namespace

void TZkTPicturePropertyPreset::EditPicture(TObject* Sender) {
    TZkItemProperty* Row = SenderRow(Sender);
    if (!Row) return;
    TObject* Current = Row->GetObjectValue();
    const TClassInfo* Kind = Current ? Current->ClassType() : Row->GetObjectClass();
    TOwned<TOpenPictureDialog> Dialog(Create<TOpenPictureDialog>(nullptr));
    TOwned<TRowHold> Hold(Create<TRowHold>(Row));
    if (!Dialog->Execute()) return;
    TOwned<TPersistent> Loaded = LoadPictureFile(Kind, Dialog->GetFileName());
    // Through the row, as the other dialogs write, so every inspected object takes it.
    if (TZkItemProperty* Now = Hold->Row(); Now && Loaded) Now->SetObjectValue(Loaded.get());
}

// ---- 9. collections ----

ZK_IMPLEMENT_CLASS(TZkTCollectionPropertyPreset)
void TZkTCollectionPropertyPreset::DescribeClass(TClassBuilder<TZkTCollectionPropertyPreset>& C) {
    C.Redeclare("Actions").Default(stock::Ellipsis);
    C.Redeclare("MatchTypes").Default(stock::ByType);
    C.Redeclare("TypeKinds").Default(stock::Classes);
    C.Redeclare("EditStyle").Default(esEllipsis);
}

TZkTCollectionPropertyPreset::TZkTCollectionPropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "TCollection Property Editor", stock::Classes, "TCollection", esEllipsis);
    SetOnEditButtonClick(TNotifyEvent(this, &TZkTCollectionPropertyPreset::EditCollection));
}

void TZkTCollectionPropertyPreset::EditCollection(TObject* Sender) {
    TZkItemProperty* Row = SenderRow(Sender);
    auto* Collection = Row ? DynamicCast<TCollection>(Row->GetObjectValue()) : nullptr;
    if (!Collection) return;
    TZkCustomObjectInspector* Inspector = Row->GetInspector();
    std::string Suffix = Row->GetFullName();
    if (TComponent* Inspected = Inspector->GetInspectedComponent())
        Suffix = Inspected->GetName() + Inspector->GetPathDelimiter() + Suffix;
    ShowCollectionEditor(Inspector, Collection, Suffix, true);
}

// ---- 13. file names ----

ZK_IMPLEMENT_CLASS(TZkTFilenamePropertyPreset)
void TZkTFilenamePropertyPreset::DescribeClass(TClassBuilder<TZkTFilenamePropertyPreset>& C) {
    using P = TZkTFilenamePropertyPreset;
    C.Prop("DefaultExt", &P::GetDefaultExt, &P::SetDefaultExt);
    C.Prop("Filter", &P::GetFilter, &P::SetFilter);
    C.Prop("FilterIndex", &P::GetFilterIndex, &P::SetFilterIndex).Default(1);
    C.Prop("InitialDir", &P::GetInitialDir, &P::SetInitialDir);
    C.Prop("Options", &P::GetOptions, &P::SetOptions)
        .Default(TOpenOptions{ofHideReadOnly, ofEnableSizing});
    C.Prop("OptionsEx", &P::GetOptionsEx, &P::SetOptionsEx).Default(TOpenOptionsEx{});
    C.Prop("Title", &P::GetTitle, &P::SetTitle);
}

TZkTFilenamePropertyPreset::TZkTFilenamePropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "TFilename Dialog Property editor", stock::LongStrings, "TFilename",
                   esEllipsis);
    SetOnEditButtonClick(TNotifyEvent(this, &TZkTFilenamePropertyPreset::EditFileName));
}

void TZkTFilenamePropertyPreset::Assign(TPersistent* Source) {
    if (auto* Src = DynamicCast<TZkTFilenamePropertyPreset>(Source)) {
        FFilterIndex = Src->FFilterIndex;
        FFilter = Src->FFilter;
        FInitialDir = Src->FInitialDir;
        FDefaultExt = Src->FDefaultExt;
        FTitle = Src->FTitle;
        FOptions = Src->FOptions;
        FOptionsEx = Src->FOptionsEx;
    }
    TZkPropertyPreset::Assign(Source);
}

void TZkTFilenamePropertyPreset::SetInitialDir(const std::string& Value) {
    std::string Dir = Value;
    const size_t N = Dir.size();
    if (N > 1 && (Dir[N - 1] == '\\' || Dir[N - 1] == '/') && Dir[N - 2] != ':') Dir.pop_back();
    FInitialDir = Dir;
}

void TZkTFilenamePropertyPreset::EditFileName(TObject* Sender) {
    TZkItemProperty* Row = SenderRow(Sender);
    if (!Row) return;
    TOwned<TOpenDialog> Dialog(Create<TOpenDialog>(nullptr));
    Dialog->SetFilterIndex(FFilterIndex);
    Dialog->SetFilter(FFilter);
    Dialog->SetInitialDir(FInitialDir);
    Dialog->SetDefaultExt(FDefaultExt);
    Dialog->SetTitle(FTitle);
    Dialog->SetOptions(FOptions);
    Dialog->SetOptionsEx(FOptionsEx);
    Dialog->SetFileName(Row->GetValue());
    TOwned<TRowHold> Hold(Create<TRowHold>(Row));
    if (!Dialog->Execute()) return;
    TZkItemProperty* Current = Hold->Row();
    if (!Current) return;
    Current->SetValue(Dialog->GetFileName());
    Current->Validate();
}

// ---- 15. the Strings of value list editors and item-list grids ----

ZK_IMPLEMENT_CLASS(TZkTINIStringsPropertyPreset)
void TZkTINIStringsPropertyPreset::DescribeClass(TClassBuilder<TZkTINIStringsPropertyPreset>& C) {
    C.Redeclare("MatchTypes")
        .Default(TZkPresetMatchTypes{mtPropertyName, mtPropertyType, mtClassName});
    C.Redeclare("StringsViews").Default(TStringsViews{svINI});
}

TZkTINIStringsPropertyPreset::TZkTINIStringsPropertyPreset(TCollection* Collection)
    : TZkTStringsPropertyPreset(Collection) {
    SetName("INI TStrings Property Editor");
    SetStringsViews(TStringsViews{svINI});
    SetMatchTypes(TZkPresetMatchTypes{mtPropertyName, mtPropertyType, mtClassName});
    GetPropNames()->Add("Strings");
    GetTypeNames()->Add("TStrings");
    GetParentClassNames()->Add("TValueListEditor");
    GetParentClassNames()->Add("TZkCustomItemListEditor");
}

// ---- 16, 17. list-view items and tree-view nodes ----

ZK_IMPLEMENT_CLASS(TZkTListItemsDlgPropertyPreset)
void TZkTListItemsDlgPropertyPreset::DescribeClass(
    TClassBuilder<TZkTListItemsDlgPropertyPreset>& C) {
    C.Redeclare("Actions").Default(stock::Ellipsis);
    C.Redeclare("MatchTypes").Default(stock::ByType);
    C.Redeclare("TypeKinds").Default(stock::Classes);
    C.Redeclare("EditStyle").Default(esEllipsis);
}

TZkTListItemsDlgPropertyPreset::TZkTListItemsDlgPropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "TListItems Dialog Property Editor", stock::Classes, "TListItems",
                   esEllipsis);
    SetOnEditButtonClick(TNotifyEvent(this, &TZkTListItemsDlgPropertyPreset::EditListItems));
}

void TZkTListItemsDlgPropertyPreset::EditListItems(TObject* Sender) {
    TZkItemProperty* Row = SenderRow(Sender);
    auto* Items = Row ? DynamicCast<TListItems>(Row->GetObjectValue()) : nullptr;
    if (!Items || !Items->GetListView()) return;
    TOwned<TRowHold> Hold(Create<TRowHold>(Row));
    EditListViewItems(Items->GetListView());
    if (TZkCustomObjectInspector* Inspector = Hold->GetInspector()) Inspector->PostRescan();
}

ZK_IMPLEMENT_CLASS(TZkTTreeNodesDlgPropertyPreset)
void TZkTTreeNodesDlgPropertyPreset::DescribeClass(
    TClassBuilder<TZkTTreeNodesDlgPropertyPreset>& C) {
    C.Redeclare("Actions").Default(stock::Ellipsis);
    C.Redeclare("MatchTypes").Default(stock::ByType);
    C.Redeclare("TypeKinds").Default(stock::Classes);
    C.Redeclare("EditStyle").Default(esEllipsis);
}

TZkTTreeNodesDlgPropertyPreset::TZkTTreeNodesDlgPropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "TTreeNodes Dialog Property Editor", stock::Classes, "TTreeNodes",
                   esEllipsis);
    SetOnEditButtonClick(TNotifyEvent(this, &TZkTTreeNodesDlgPropertyPreset::EditTreeNodes));
}

void TZkTTreeNodesDlgPropertyPreset::EditTreeNodes(TObject* Sender) {
    TZkItemProperty* Row = SenderRow(Sender);
    auto* Nodes = Row ? DynamicCast<TTreeNodes>(Row->GetObjectValue()) : nullptr;
    auto* Tree = Nodes ? DynamicCast<TCustomTreeView>(Nodes->GetOwner()) : nullptr;
    if (!Tree) return;
    TOwned<TRowHold> Hold(Create<TRowHold>(Row));
    EditTreeViewNodes(Tree);
    if (TZkCustomObjectInspector* Inspector = Hold->GetInspector()) Inspector->PostRescan();
}

// ---- 18. any property named FileName ----

ZK_IMPLEMENT_CLASS(TZkFilenamePropPropertyPreset)
void TZkFilenamePropPropertyPreset::DescribeClass(TClassBuilder<TZkFilenamePropPropertyPreset>& C) {
    C.Redeclare("MatchTypes").Default(TZkPresetMatchTypes{mtPropertyName, mtPropertyType});
    C.Redeclare("TypeKinds").Default(stock::LongStrings);
}

TZkFilenamePropPropertyPreset::TZkFilenamePropPropertyPreset(TCollection* Collection)
    : TZkTFilenamePropertyPreset(Collection) {
    SetName("Filename property Dialog Property Editor");
    GetTypeNames()->Clear();  // any type name; switches mtPropertyType off
    SetMatchTypes(TZkPresetMatchTypes{mtPropertyName, mtPropertyType});
    SetTypeKinds(stock::LongStrings);
    GetPropNames()->Add("filename");
}

}  // namespace zk
