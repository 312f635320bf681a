// The stock presets that offer pick lists: component references and the rows under them,
// font names, colours, cursors and modal results.
#include "platform/core/ClassBuilder.h"
#include "platform/core/Colors.h"
#include "platform/core/Cursors.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "presets/ZkStockPresets.h"
#include "presets/ZkStockPresets_p.h"

namespace zk {

// ---- 1. component references ----

ZK_IMPLEMENT_CLASS(TZkTComponentPropertyPreset)
void TZkTComponentPropertyPreset::DescribeClass(TClassBuilder<TZkTComponentPropertyPreset>& C) {
    C.Redeclare("Actions").Default(TZkPropertyPresetTypes{pftEditStyle, pftValidate, pftFont});
    C.Redeclare("MatchTypes").Default(stock::ByType);
    C.Redeclare("TypeKinds").Default(stock::Classes);
}

TZkTComponentPropertyPreset::TZkTComponentPropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "TComponent Drop Down List Property Editor", stock::Classes,
                   "TComponent", esPickList);
    SetOnGetPickList(TZkGetPickListEvent(this, &TZkTComponentPropertyPreset::GetComponentNames));
    // No reader: the row shows a reference as the inspector does, by name.
    SetOnSetProperty(
        TZkItemSetPropertyEvent(this, &TZkTComponentPropertyPreset::SetComponentByName));
    GetFont()->SetColor(clMaroon);
}

void TZkTComponentPropertyPreset::GetComponentNames(TObject* Sender, const std::string& PropName,
                                                    TStrings* Values) {
    TZkItemProperty* Row = FindItemProperty(Sender, PropName);
    if (!Row) return;
    TStrings::TUpdateGuard Guard(*Values);
    TZkCustomObjectInspector* Inspector = GetInspector();
    TComponent* Form = Inspector ? Inspector->GetOwner() : nullptr;
    const TClassInfo* Class = Row->GetIsProperty() ? Row->GetObjectClass() : nullptr;
    if (Form && Class)
        for (int I = 0; I < Form->GetComponentCount(); ++I) {
            TComponent* C = Form->GetComponents(I);
            // An unnamed component cannot be chosen by name.
            if (!C->GetName().empty() && C->InheritsFrom(Class)) Values->Add(C->GetName());
        }
    if (Values->GetCount() == 0) Values->Add(std::string());
}

void TZkTComponentPropertyPreset::SetComponentByName(TObject* Sender, TObject* Instance,
                                                     const std::string& PropName,
                                                     const std::string& Value) {
    TZkCustomObjectInspector* Inspector = GetInspector();
    TComponent* Form = Inspector ? Inspector->GetOwner() : nullptr;
    TComponent* Found = Form ? Form->FindComponent(Value) : nullptr;
    // A mistyped name must not cost the reference; only the empty name clears it.
    if (!Found && !Value.empty()) return;
    SetObjectProp(Instance, PropName, Found);
    if (TZkItemProperty* Row = SenderRow(Sender)) Row->GetInspector()->PostRescan();
}

// ---- 2. the rows under a component reference ----

ZK_IMPLEMENT_CLASS(TZkTParentComponentPropertyPreset)
void TZkTParentComponentPropertyPreset::DescribeClass(
    TClassBuilder<TZkTParentComponentPropertyPreset>& C) {
    C.Redeclare("Actions").Default(TZkPropertyPresetTypes{pftFont});
    C.Redeclare("ParentTypeKinds").Default(stock::Classes);
}

TZkTParentComponentPropertyPreset::TZkTParentComponentPropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    SetName("TComponent Subcomponent Properties Font");
    SetParentTypeKinds(stock::Classes);
    GetParentTypeNames()->Add("TComponent");  // switches mtParentPropertyType on
    GetFont()->SetColor(clGreen);
}

// ---- 3. font names ----

ZK_IMPLEMENT_CLASS(TZkTFontNamePropertyPreset)
void TZkTFontNamePropertyPreset::DescribeClass(TClassBuilder<TZkTFontNamePropertyPreset>& C) {
    C.Redeclare("Actions").Default(stock::PickList);
    C.Redeclare("MatchTypes").Default(stock::ByType);
    C.Redeclare("TypeKinds").Default(stock::Strings);
}

TZkTFontNamePropertyPreset::TZkTFontNamePropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "Font Drop Down List Property Editor", stock::Strings, "TFontName",
                   esPickList);
    SetOnGetPickList(TZkGetPickListEvent(this, &TZkTFontNamePropertyPreset::GetFontNames));
}

void TZkTFontNamePropertyPreset::GetFontNames(TObject* Sender, const std::string& PropName,
                                              TStrings* Values) {
    if (!FindItemProperty(Sender, PropName) || !Screen) return;
    Values->Assign(Screen->GetFonts());
}

// ---- 4. colours ----

ZK_IMPLEMENT_CLASS(TZkTColorPropertyPreset)
void TZkTColorPropertyPreset::DescribeClass(TClassBuilder<TZkTColorPropertyPreset>& C) {
    C.Redeclare("Actions").Default(stock::PickListValidate);
    C.Redeclare("MatchTypes").Default(stock::ByType);
    C.Redeclare("TypeKinds").Default(stock::Integers);
    C.Redeclare("EditStyle").Default(esPickList);
}

TZkTColorPropertyPreset::TZkTColorPropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "Color Drop Down List Property Editor", stock::Integers, "TColor",
                   esPickList);
    SetOnGetPickList(TZkGetPickListEvent(this, &TZkTColorPropertyPreset::GetColorNames));
    SetOnGetProperty(TZkItemGetPropertyEvent(this, &TZkTColorPropertyPreset::GetColorText));
    SetOnSetProperty(TZkItemSetPropertyEvent(this, &TZkTColorPropertyPreset::SetColorText));
}

void TZkTColorPropertyPreset::GetColorNames(TObject*, const std::string&, TStrings* Values) {
    TStrings::TUpdateGuard Guard(*Values);
    GetColorValues([Values](const std::string& Ident) { Values->Add(Ident); });
}

void TZkTColorPropertyPreset::GetColorText(TObject*, TObject* Instance,
                                           const std::string& PropName, std::string& Value) {
    Value = ColorToString(static_cast<TColor>(GetOrdProp(Instance, PropName)));
}

void TZkTColorPropertyPreset::SetColorText(TObject*, TObject* Instance,
                                           const std::string& PropName, const std::string& Value) {
    SetOrdProp(Instance, PropName, StringToColor(Value));
}

// ---- 5. cursors ----

ZK_IMPLEMENT_CLASS(TZkTCursorPropertyPreset)
void TZkTCursorPropertyPreset::DescribeClass(TClassBuilder<TZkTCursorPropertyPreset>& C) {
    C.Redeclare("Actions").Default(stock::PickListValidate);
    C.Redeclare("MatchTypes").Default(stock::ByType);
    C.Redeclare("TypeKinds").Default(stock::Integers);
    C.Redeclare("EditStyle").Default(esPickList);
}

TZkTCursorPropertyPreset::TZkTCursorPropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "Cursor Drop Down List Property Editor", stock::Integers, "TCursor",
                   esPickList);
    SetOnGetPickList(TZkGetPickListEvent(this, &TZkTCursorPropertyPreset::GetCursorNames));
    SetOnGetProperty(TZkItemGetPropertyEvent(this, &TZkTCursorPropertyPreset::GetCursorText));
    SetOnSetProperty(TZkItemSetPropertyEvent(this, &TZkTCursorPropertyPreset::SetCursorText));
}

void TZkTCursorPropertyPreset::GetCursorNames(TObject*, const std::string&, TStrings* Values) {
    TStrings::TUpdateGuard Guard(*Values);
    GetCursorValues([Values](const std::string& Ident) { Values->Add(Ident); });
}

void TZkTCursorPropertyPreset::GetCursorText(TObject*, TObject* Instance,
                                             const std::string& PropName, std::string& Value) {
    Value = CursorToString(static_cast<TCursor>(GetOrdProp(Instance, PropName)));
}

void TZkTCursorPropertyPreset::SetCursorText(TObject*, TObject* Instance,
                                             const std::string& PropName,
                                             const std::string& Value) {
    SetOrdProp(Instance, PropName, StringToCursor(Value));
}

// ---- 14. modal results ----

ZK_IMPLEMENT_CLASS(TZkTModalResultPropertyPreset)
void TZkTModalResultPropertyPreset::DescribeClass(
    TClassBuilder<TZkTModalResultPropertyPreset>& C) {
    C.Redeclare("Actions").Default(stock::PickListValidate);
    C.Redeclare("MatchTypes").Default(stock::ByType);
    C.Redeclare("TypeKinds").Default(stock::Integers);
    C.Redeclare("EditStyle").Default(esPickList);
}

TZkTModalResultPropertyPreset::TZkTModalResultPropertyPreset(TCollection* Collection)
    : TZkPropertyPreset(Collection) {
    InitTypePreset(this, "TModalResult Property Editor", stock::Integers, "TModalResult",
                   esSimple);
    // A value is the position of its name; the list's change makes the row a pick list.
    TStringList* Names = GetPickList();
    {
        TStrings::TUpdateGuard Guard(*Names);
        for (const char* Name : {"mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore",
                                 "mrYes", "mrNo", "mrAll", "mrNoToAll", "mrYesToAll"})
            Names->Add(Name);
    }
    SetOnGetProperty(
        TZkItemGetPropertyEvent(this, &TZkTModalResultPropertyPreset::GetModalResultText));
    SetOnSetProperty(
        TZkItemSetPropertyEvent(this, &TZkTModalResultPropertyPreset::SetModalResultText));
}

// A value the list has no name for (a form's own result, say) must still show,
// or no row of the object could be read.
void TZkTModalResultPropertyPreset::GetModalResultText(TObject*, TObject* Instance,
                                                       const std::string& PropName,
                                                       std::string& Value) {
    const int64_t Ordinal = GetOrdProp(Instance, PropName);
    TStringList* Names = GetPickList();
    Value = Ordinal >= 0 && Ordinal < Names->GetCount() ? Names->Get(static_cast<int>(Ordinal))
                                                        : IntToStr(Ordinal);
}

void TZkTModalResultPropertyPreset::SetModalResultText(TObject*, TObject* Instance,
                                                       const std::string& PropName,
                                                       const std::string& Value) {
    const int Index = GetPickList()->IndexOf(Value);
    if (Index >= 0) SetOrdProp(Instance, PropName, Index);
}

}  // namespace zk
