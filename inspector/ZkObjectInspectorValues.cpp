// TZkCustomObjectInspector: reaching the object behind a row, reading a property as text,
// writing text into every inspected object (all of them or none), and refreshing the rows.
#include "inspector/ZkObjectInspector.h"
#include "itemlist/ZkInplaceEditList.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"

namespace zk {

namespace {

// The object a class or interface property leads to; null where it leads nowhere.
TObject* Follow(TObject* Holder, const TPropInfo* Prop) {
    if (Prop->Kind() == tkClass) return GetObjectProp(Holder, Prop);
    if (Prop->Kind() != tkInterface) return nullptr;
    void* Ref = nullptr;
    if (!Supports(GetInterfaceProp(Holder, Prop), IInterfaceComponentReference::IID, &Ref))
        return nullptr;
    return static_cast<IInterfaceComponentReference*>(Ref)->GetComponent();
}

// A WordBool property takes its text as a Boolean.
TVariant WriteValueOf(const TZkItemProperty* Row, const std::string& Text) {
    if (Row->GetKind() == tkEnumeration && Row->GetTypeName() == "WordBool")
        return TVariant(TVariant(Text).AsBoolean());
    return TVariant(Text);
}

}  // namespace

TObject* TZkCustomObjectInspector::ResolveInstance(TObject* Instance, std::string& Path,
                                                   const TZkItemProperty* Row) const {
    if (!Instance) return nullptr;
    // The rows from the top-level ancestor down go beside the path's segments.
    std::vector<const TZkItemProperty*> Chain;
    for (const TZkItemProperty* R = Row; R; R = R->GetParentRow()) Chain.push_back(R);
    size_t At = Chain.size();
    const std::string& Delimiter = GetPathDelimiter();
    TObject* Current = Instance;
    for (size_t Split; !Delimiter.empty() && (Split = Path.find(Delimiter)) != std::string::npos;) {
        const std::string Segment = Path.substr(0, Split);
        Path.erase(0, Split + Delimiter.size());
        const TZkItemProperty* SegmentRow = At > 0 ? Chain[--At] : nullptr;
        if (SegmentRow && SegmentRow->GetCategory()) continue;  // no object step
        if (FInplaceCollections && SegmentRow && SegmentRow->GetItemType() == itCollectionItem) {
            auto* Collection = DynamicCast<TCollection>(Current);
            const std::vector<TVariant>& Captured = SegmentRow->GetCapturedValues();
            if (!Collection || Captured.empty() || Captured[0].IsEmpty()) return nullptr;
            const int64_t Index = Captured[0].AsInt64();
            if (Index < 0 || Index >= Collection->GetCount()) return nullptr;
            Current = Collection->GetItem(static_cast<int>(Index));
        } else {
            const TPropInfo* Prop = GetPropInfo(Current, Segment);
            if (!Prop) return nullptr;
            Current = Follow(Current, Prop);
        }
        if (!Current) return nullptr;
    }
    return Current;
}

std::string TZkCustomObjectInspector::GetPropertyText(TObject* Instance,
                                                      const TZkItemProperty* Row) const {
    if (Row->GetOnGetProperty().Assigned()) {
        std::string Value;
        Row->GetOnGetProperty()(const_cast<TZkItemProperty*>(Row), Instance, Row->GetPropName(),
                                Value);
        return Value;
    }
    const TPropInfo* Prop = GetPropInfo(Instance, Row->GetPropName());
    if (!Prop) throw EPropertyError("Property %s does not exist", {Row->GetPropName()});
    return PropertyText(Instance, Prop);
}

// One read per property: the scan makes its rows' texts from the values it captured (ValueText),
// so a read that is dear (a bridged object's getter, a computed value) is not repeated.
std::string TZkCustomObjectInspector::PropertyText(TObject* Instance, const TPropInfo* Prop) {
    if (Prop->Kind() == tkInterface) return Prop->PropType->Name;  // nothing read for it
    return ValueText(GetPropValue(Instance, Prop, false), Prop);
}

std::string TZkCustomObjectInspector::ValueText(const TVariant& Value, const TPropInfo* Prop) {
    switch (Prop->Kind()) {
        case tkInteger:
        case tkChar:
        case tkWChar:
        case tkInt64:
            return IntToStr(Value.AsInt64());
        case tkEnumeration:
            return GetEnumName(Prop->PropType, Value.VarType() == varBoolean
                                                   ? (Value.AsBoolean() ? 1 : 0)
                                                   : Value.AsInt64());
        case tkSet:
            return SetToString(Prop->PropType, static_cast<uint32_t>(Value.AsInt64()), true);
        case tkFloat:
            return FloatToStr(Value.AsDouble());
        case tkString:
        case tkLString:
            return Value.AsString();
        case tkWString:
            return Utf16ToUtf8(Value.AsWideString());
        case tkClass: {
            auto* Object = reinterpret_cast<TObject*>(static_cast<intptr_t>(Value.AsInt64()));
            if (!Object) return std::string();
            if (auto* Component = DynamicCast<TComponent>(Object)) return Component->GetName();
            return "(" + Prop->PropType->Name + ")";
        }
        case tkMethod:
        case tkInterface:
            return Prop->PropType->Name;
        case tkVariant:
            return VarToStr(Value);
        default:
            throw EPropertyConvertError("Invalid property type: %s", {Prop->PropType->Name});
    }
}

bool TZkCustomObjectInspector::SetPropertyValue(TObject* Instance, TZkItemProperty* Row,
                                                const std::string& Text) {
    std::string Path = Row->GetPropPath();
    TObject* Target = ResolveInstance(Instance, Path, Row);
    if (Row->GetOnSetProperty().Assigned()) {
        // The handler knows its own way (a string-list line needs no object of its own).
        const bool Differs =
            (Target || Row->GetOnGetProperty().Assigned()) && GetPropertyText(Target, Row) != Text;
        Row->GetOnSetProperty()(Row, Target, Path, Text);
        return Differs;
    }
    if (!Target) return false;
    const bool Differs = GetPropertyText(Target, Row) != Text;
    SetPropValue(Target, Path, WriteValueOf(Row, Text));
    return Differs;
}

// All or none: every object's text is checked before the first write, and
// when a setter still refuses, the objects written before it get their old
// values back.
void TZkCustomObjectInspector::WriteRowToObjects(TZkItemProperty* Row) {
    DoPropertyChanging(Row);
    const int Index = GetAllItems().IndexOf(Row);
    TScopeExit Announce([this, Index] { DoPropertyChanged(Index); });
    const bool Multi = GetDisplayOptions().Contains(doMultiColValues);
    const bool Handled = Row->GetOnSetProperty().Assigned();
    struct TWrite {
        TObject* Instance;
        std::string Text;
        std::string Old;
        bool HasOld = false;
    };
    std::vector<TWrite> Writes;
    for (int I = 0; I < FObjects->GetCount(); ++I) {
        TWrite W{FObjects->GetItem(I)->GetInstance(), Row->GetValues()->Get(Multi ? I : 0), {}};
        std::string Path = Row->GetPropPath();
        if (TObject* Target = ResolveInstance(W.Instance, Path, Row)) {
            if (!Handled) {
                const TPropInfo* Prop = GetPropInfo(Target, Path);
                if (!Prop) throw EPropertyError("Property %s does not exist", {Path});
                CheckPropValue(Prop, WriteValueOf(Row, W.Text));
            }
            W.Old = GetPropertyText(Target, Row);
            W.HasOld = true;
        }
        Writes.push_back(std::move(W));
    }
    for (size_t I = 0; I < Writes.size(); ++I) {
        try {
            SetPropertyValue(Writes[I].Instance, Row, Writes[I].Text);
        } catch (...) {
            for (size_t J = I; J-- > 0;) {
                if (!Writes[J].HasOld) continue;
                try {
                    SetPropertyValue(Writes[J].Instance, Row, Writes[J].Old);
                } catch (...) {
                    // The old value is the best there is; the first error is the one to report.
                }
            }
            throw;
        }
    }
}

// ---- refreshing ----

bool TZkCustomObjectInspector::RefreshValues(TZkItemProperties* Collection) {
    if (IsDestroying() || FObjects->GetUpdateCount() > 0 || !Collection) return true;
    const bool Outermost = GetUpdateLock() == 0;
    bool Result = true;
    {
        BeginUpdate();
        TScopeExit Done([this] { EndUpdate(); });
        TPropReadBatch Batch;  // the parts of one value come from one read of it
        for (int I = 0; I < Collection->GetCount() && Result; ++I) {
            TZkItemProperty* Row = Collection->GetItem(I);
            Result = Row->RefreshValue() && (!Row->HasChildren() || RefreshValues(Row->GetItems()));
        }
    }
    Invalidate();
    // The cell's value may read differently now; an editor with typing of
    // its own since the commit keeps it.
    if (Outermost)
        if (TInplaceEdit* Editor = GetInplaceEditor();
            Editor && GetEditorMode() && Editor->GetVisible() && !Editor->GetModified() &&
            Editor->GetEditText() != GetEditText(GetCol(), GetRow()))
            InvalidateEditor();
    return Result;
}

void TZkCustomObjectInspector::RefreshAll() {
    if (IsDestroying() || FObjects->GetUpdateCount() > 0) return;
    if (!RefreshValues(GetItems())) PostRescan();
}

}  // namespace zk
