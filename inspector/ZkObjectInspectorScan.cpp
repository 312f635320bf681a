// TZkCustomObjectInspector: the scan that builds the rows from type information (common
// properties, nested objects, set elements, collection items, string-list lines), filters and
// presets.
#include <unordered_map>

#include "inspector/ZkObjectInspector.h"
#include "inspector/ZkPropertyPresets.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/StringList.h"
#include "platform/core/SysUtils.h"

namespace zk {

namespace {

// A temporary list of objects, watched by nobody.
TOwned<TZkInspectorObjects> TemporaryList(const std::vector<TObject*>& Instances) {
    TOwned<TZkInspectorObjects> List(Create<TZkInspectorObjects>(nullptr));
    List->AddInstances(Instances);
    return List;
}

// The text before the first separator; the whole line without one.
std::string NameOf(const std::string& Line, char Sep) {
    const size_t At = Line.find(Sep);
    return At == std::string::npos ? Line : Line.substr(0, At);
}

std::string ValueOf(const std::string& Line, char Sep) {
    const size_t At = Line.find(Sep);
    return At == std::string::npos ? std::string() : Line.substr(At + 1);
}

}  // namespace

// ---- the scan ----

bool TZkCustomObjectInspector::DoBeforeScan(TZkItemProperty* Item) {
    bool Result = true;
    if (FOnBeforeScan.Assigned()) FOnBeforeScan(this, Item, Result);
    if (!Item && Result) {
        GetItems()->BeginUpdate();
        BeginUpdate();
        FScanning = true;
    }
    return Result;
}

void TZkCustomObjectInspector::DoAfterScan(TZkItemProperty* Item) {
    if (!Item && FScanning) {
        FScanning = false;
        EndUpdate();
        GetItems()->EndUpdate();
    }
    if (FOnAfterScan.Assigned()) FOnAfterScan(this, Item);
}

void TZkCustomObjectInspector::Rescan() {
    if (IsLoading() || IsDestroying() || FObjects->GetUpdateCount() > 0) return;
    if (TZkItemProp* Current = GetCurrentItem()) FSelectedPath = Current->GetFullName();
    // The view as the user left it, by full names, which survive the rebuild.
    std::vector<std::string> Opened;
    std::string TopPath;
    const int TopLine = GetTopLine();
    if (FKeepExpansion) {
        Opened = GetExpandedPaths();
        const TGridCoord TopCell = CellOf(0, TopLine);
        if (TZkItemProp* Top = ItemAtCell(TopCell.X, TopCell.Y, true)) TopPath = Top->GetFullName();
    }
    const bool Scanning = DoBeforeScan(nullptr);
    try {
        GetItems()->Clear();
        TPropReadBatch Batch;  // the parts of one value come from one read of it
        if (Scanning) ScanAll();
        LayoutChanged();
    } catch (...) {
        DoAfterScan(nullptr);
        throw;
    }
    DoAfterScan(nullptr);
    if (FKeepExpansion) ExpandPaths(Opened);
    // The rows are new: a search that runs covers them too.
    if (!GetFilterText().empty()) ApplyFilter();
    const std::string Path = std::move(FSelectedPath);
    FSelectedPath.clear();
    if (!Path.empty())
        if (TZkItemProperty* Row = GetItems()->FindPath(Path)) SelectItem(Row);
    if (FKeepExpansion) {
        TZkItemProperty* Top = TopPath.empty() ? nullptr : GetItems()->FindPath(TopPath);
        const int Index = Top ? GetShownItems().IndexOf(Top) : -1;
        SetTopLine(Index >= 0 ? GetLogical(lwFixedLines) + Index : TopLine);
    }
}

void TZkCustomObjectInspector::ScanAll() {
    const bool Multi = GetDisplayOptions().Contains(doMultiColValues);
    if (FObjects->GetCount() == 0 || !FObjects->GetItem(0)->GetInstance()) {
        if (Multi) SetLogical(lwColCount, 2);
        return;
    }
    TOwned<TZkInspectorObjects> List(Create<TZkInspectorObjects>(nullptr));
    List->AssignAssigned(FObjects.get());
    BeginUpdate();
    TScopeExit Done([this] {
        EndUpdate();
        FVisitedInstances.clear();
    });
    if (List->GetCount() == 0) return;
    SetLogical(lwColCount, Multi ? List->GetCount() + 1 : 2);
    ScanProperties(List.get(), GetItems(), nullptr);
    ApplyFilters();
    ApplyPresets();
}

bool TZkCustomObjectInspector::IsVisited(const TObject* Instance) const {
    return FVisitedInstances.count(Instance) > 0;
}

// Objects of one class share their properties, so classes are compared once each.
bool TZkCustomObjectInspector::IsCommonProperty(TZkInspectorObjects* Objects,
                                                const TPropInfo* Descriptor) const {
    if (Objects->GetCount() <= 1) return true;
    std::unordered_map<const TClassInfo*, bool> Checked;
    for (int I = 0; I < Objects->GetCount(); ++I) {
        TObject* Instance = Objects->GetItem(I)->GetInstance();
        if (!Instance) return false;
        const TClassInfo* Class = Instance->ClassType();
        auto [It, New] = Checked.try_emplace(Class, false);
        if (New) {
            const TPropInfo* P = GetPropInfo(Class, Descriptor->Name);
            It->second = P && P->Kind() == Descriptor->Kind() &&
                         P->PropType->Name == Descriptor->PropType->Name;
        }
        if (!It->second) return false;
    }
    return true;
}

void TZkCustomObjectInspector::ScanProperties(TZkInspectorObjects* Objects,
                                              TZkItemProperties* Rows,
                                              TZkInspectorObjects* ParentObjects) {
    if (Objects->GetCount() == 0) return;
    for (int I = 0; I < Objects->GetCount(); ++I)
        FVisitedInstances.insert(Objects->GetItem(I)->GetInstance());
    TObject* Inst0 = Objects->GetItem(0)->GetInstance();
    const TClassInfo* Class = Inst0 ? Inst0->ClassType() : nullptr;
    if (!Class) return;
    const std::vector<const TPropInfo*> Props = GetPropList(Class, FDisplayKinds, true);
    // Objects of one class have every property in common; that is asked once, not per property.
    bool OneClass = true;
    for (int I = 1; I < Objects->GetCount() && OneClass; ++I)
        OneClass = Objects->GetItem(I)->GetInstance() && Objects->GetItem(I)->GetInstance()->ClassType() == Class;
    TUpdateGuard<TZkItemProperties> Guard(*Rows);
    Rows->SetCapacity(Rows->GetCount() + static_cast<int>(Props.size()));
    // Many objects of one class in one value column are compared object by object first
    // (CompareObjects). Then a read of the first object that fails otherwise than with an OLE
    // error fails the scan where that property's row would have been made, as it always did.
    const size_t PropCount = Props.size();
    const bool Compare =
        OneClass && Objects->GetCount() > 1 && !GetDisplayOptions().Contains(doMultiColValues);
    std::vector<TScanProbe> Probes;
    auto ProbeFirst = [&](const TPropInfo* Prop, TScanProbe& Probe) {
        if (Prop->Kind() == tkInterface)
            GetInterfaceProp(Inst0, Prop);
        else
            Probe.Value0 = GetPropValue(Inst0, Prop, false);
    };
    if (Compare) {
        Probes.resize(PropCount);
        for (size_t K = 0; K < PropCount; ++K) {
            try {
                ProbeFirst(Props[K], Probes[K]);
            } catch (const EOleException&) {
                Probes[K].Skipped = true;
            } catch (...) {
                Probes[K].Error = std::current_exception();
            }
        }
        CompareObjects(Objects, Props, Probes);
    }
    for (size_t K = 0; K < PropCount; ++K) {
        const TPropInfo* Prop = Props[K];
        TScanProbe Single;
        if (Compare) {
            if (Probes[K].Skipped) continue;
            if (Probes[K].Error) std::rethrow_exception(Probes[K].Error);
        } else {
            try {
                ProbeFirst(Prop, Single);
            } catch (const EOleException&) {
                continue;
            }
        }
        if (!OneClass && !IsCommonProperty(Objects, Prop)) continue;
        TZkItemProperty* Row = Rows->AddItem();
        InitPropertyRow(Row, Objects, Prop, Compare ? &Probes[K] : &Single);
        // Filed under its first category when it was named; the copies go under the others.
        if (GetArrangeByCategory())
            if (TZkItemProperty* Parent = Row->GetParentRow(); Parent && Parent->GetCategory())
                CategorizeItem(Row, Parent->GetItemCollection()->GetCategories(), true);
    }
    TZkItemProperty* Owner = Rows->GetParentRow();
    if (!Owner) return;
    if (FInplaceCollections && Owner->GetItemType() == itCollection && Owner->GetIsAllEqual())
        ScanCollectionItems(Owner, Rows, ParentObjects);
    else if (FInplaceTStrings && Owner->GetKind() == tkClass && Owner->GetIsAllEqual() &&
             DynamicCast<TStrings>(Owner->GetObjectValue(-1)))
        ScanStrings(Owner);
}

// Many objects of one class in one value column: whether each property shows the same text on
// all of them. The objects are taken one by one, each with all its properties while it is in
// the cache, instead of property by property over all objects; a property stops being read
// once it differs, as the rows would stop. A read that fails leaves the property to its row.
void TZkCustomObjectInspector::CompareObjects(TZkInspectorObjects* Objects,
                                              const std::vector<const TPropInfo*>& Props,
                                              std::vector<TScanProbe>& Probes) {
    const int Count = Objects->GetCount();
    std::vector<std::string> Texts0(Props.size());
    std::vector<size_t> Open;  // properties equal on every object so far
    for (size_t K = 0; K < Props.size(); ++K) {
        if (Probes[K].Skipped || Probes[K].Error || Props[K]->Kind() == tkInterface) continue;
        Texts0[K] = ValueText(Probes[K].Value0, Props[K]);
        Probes[K].AllEqual = true;
        Open.push_back(K);
    }
    for (int I = 1; I < Count && !Open.empty(); ++I) {
        TObject* Instance = Objects->GetItem(I)->GetInstance();
        size_t Kept = 0;
        for (size_t K : Open) {
            try {
                // The same value of the same type shows the same text; only others are spelled out.
                const TVariant Value = GetPropValue(Instance, Props[K], false);
                const TVariant& Value0 = Probes[K].Value0;
                if (!(Value.VarType() == Value0.VarType() && Value == Value0) &&
                    !SameText(ValueText(Value, Props[K]), Texts0[K])) {
                    Probes[K].AllEqual = false;
                    continue;
                }
            } catch (...) {
                Probes[K].AllEqual.reset();
                continue;
            }
            Open[Kept++] = K;
        }
        Open.resize(Kept);
    }
}

void TZkCustomObjectInspector::ScanCollectionItems(TZkItemProperty* Owner, TZkItemProperties* Rows,
                                                   TZkInspectorObjects* ParentObjects) {
    if (!ParentObjects || ParentObjects->GetCount() == 0) return;
    const std::string& PropName = Owner->GetPropName();
    std::string Path = PropName;
    TObject* Holder = ResolveInstance(ParentObjects->GetItem(0)->GetInstance(), Path, Owner);
    const TPropInfo* Prop = Holder ? GetPropInfo(Holder, PropName) : nullptr;
    auto* Collection = Prop ? DynamicCast<TCollection>(GetObjectProp(Holder, Prop)) : nullptr;
    // The inspector's own rows would grow while they are listed.
    if (!Collection || Collection == static_cast<TCollection*>(GetItems())) return;
    for (int I = 0; I < ParentObjects->GetCount(); ++I) {
        TObject* Parent = ParentObjects->GetItem(I)->GetInstance();
        const TPropInfo* P = Parent ? GetPropInfo(Parent, PropName) : nullptr;
        auto* Other = P ? DynamicCast<TCollection>(GetObjectProp(Parent, P)) : nullptr;
        if (!Other || Other->GetCount() != Collection->GetCount()) return;
    }
    for (int K = 0; K < Collection->GetCount(); ++K)
        AddCollectionItemRow(PropName, Collection, Collection->GetItem(K), ParentObjects,
                             Rows->AddItem());
}

void TZkCustomObjectInspector::InitPropertyRow(TZkItemProperty* Row, TZkInspectorObjects* Objects,
                                               const std::string& PropName) {
    const TPropInfo* Prop = GetPropInfo(Objects->GetItem(0)->GetInstance(), PropName);
    if (!Prop) throw EPropertyError("Property %s does not exist", {PropName});
    InitPropertyRow(Row, Objects, Prop, nullptr);
}

void TZkCustomObjectInspector::InitPropertyRow(TZkItemProperty* Row, TZkInspectorObjects* Objects,
                                               const TPropInfo* Prop, const TScanProbe* Probe) {
    TObject* Inst0 = Objects->GetItem(0)->GetInstance();
    const std::string& PropName = Prop->Name;
    Row->SetName(PropName);
    Row->SetPropName(PropName);
    const TTypeKind Kind = Prop->Kind();
    Row->SetKind(Kind);
    Row->SetTypeName(Prop->PropType->Name);
    const bool Multi = GetDisplayOptions().Contains(doMultiColValues);
    const int Count = Objects->GetCount();
    // Objects of Inst0's class share its descriptor; others are looked up by name.
    auto PropOf = [&](TObject* Instance) {
        return Instance->ClassType() == Inst0->ClassType() ? Prop : GetPropInfo(Instance, PropName);
    };
    // Each object's value is read once; its text comes from what was read.
    auto ReadOf = [&](TObject* Instance) {
        return Kind == tkInterface ? TVariant() : GetPropValue(Instance, PropOf(Instance), false);
    };
    auto TextOf = [&](TObject* Instance, const TVariant& Value) { return ValueText(Value, PropOf(Instance)); };
    const TVariant Captured0 = Probe ? Probe->Value0 : ReadOf(Inst0);
    if (Kind != tkInterface) Row->SetCapturedValue(0, Captured0);
    TObject* Object0 = Kind == tkClass ? reinterpret_cast<TObject*>(
                                             static_cast<intptr_t>(Captured0.AsInt64()))
                                       : nullptr;
    Row->SetItemType(Kind == tkClass && DynamicCast<TCollection>(Object0) ? itCollection
                     : Kind == tkSet                                       ? itSet
                                                                           : itPlain);
    const std::string Text0 = TextOf(Inst0, Captured0);
    bool AllEqual = true;
    if (Multi) {
        TZkItemPropValueStrings* Values = Row->GetValues();
        TStrings::TUpdateGuard Guard(*Values);
        Values->Clear();
        Values->Add(Text0);
        for (int I = 1; I < Count; ++I) {
            TObject* Instance = Objects->GetItem(I)->GetInstance();
            const TVariant Value = ReadOf(Instance);
            if (Kind != tkInterface) Row->SetCapturedValue(I, Value);
            Values->Add(TextOf(Instance, Value));
        }
        AllEqual = Count == 1;
    } else if (Probe && Probe->AllEqual) {
        Row->SetValue(Text0);
        AllEqual = *Probe->AllEqual;
    } else {
        Row->SetValue(Text0);
        for (int I = 1; I < Count && AllEqual; ++I) {
            TObject* Instance = Objects->GetItem(I)->GetInstance();
            AllEqual = SameText(TextOf(Instance, ReadOf(Instance)), Text0);
        }
    }
    Row->SetIsProperty(Kind != tkInterface);
    Row->SetIsAllEqual(AllEqual);
    // An empty object property and a component reference stay editable.
    Row->SetReadOnly(!Prop->HasWrite() || Kind == tkMethod || Kind == tkInterface ||
                     (Kind == tkClass && !Text0.empty() && !DynamicCast<TComponent>(Object0)));
    switch (Kind) {
        case tkEnumeration: {
            const TTypeInfo* Base = Prop->PropType->BaseType ? Prop->PropType->BaseType : Prop->PropType;
            TStringList* PickList = Row->GetPickList();
            TStrings::TUpdateGuard Guard(*PickList);
            PickList->Clear();
            static const std::vector<std::string> BoolNames{"False", "True"};
            const std::vector<std::string>& Names =
                Base->Name == "WordBool" || Base->Name == "LongBool" ? BoolNames : Prop->PropType->Names;
            // Names in strictly rising order are sorted already, and a sort would give the same.
            bool Rising = true;
            PickList->SetCapacity(static_cast<int>(Names.size()));
            for (size_t N = 0; N < Names.size(); ++N) {
                PickList->Add(Names[N]);
                Rising = Rising && (N == 0 || PickList->CompareStrings(Names[N - 1], Names[N]) < 0);
            }
            if (!Rising) PickList->Sort();
            break;
        }
        case tkSet:
            AddElementRows(Row, Prop->PropType, Multi ? Count : 1);
            break;
        case tkClass:
        case tkInterface:
            ScanNested(Row, Objects);
            break;
        default:
            break;
    }
}

void TZkCustomObjectInspector::AddElementRows(TZkItemProperty* Row, const TTypeInfo* SetType,
                                              int Columns) {
    const TTypeInfo* Elements = SetType->CompType;
    if (!Elements) return;
    TZkItemProperties* Rows = Row->GetItems();
    Rows->SetSorted(false);  // elements keep their declared order
    Rows->SetCapacity(static_cast<int>(Elements->Names.size()));
    const bool Several = GetDisplayOptions().Contains(doMultiColValues) && Columns > 1;
    const std::vector<TVariant>& Sets = Row->GetCapturedValues();
    for (size_t N = 0; N < Elements->Names.size(); ++N) {
        TZkItemProperty* Element = Rows->AddItem();
        Element->SetName(Elements->Names[N]);
        Element->SetPropName(Elements->Names[N]);
        const int Bit = static_cast<int>(Elements->MinValue) + static_cast<int>(N);
        TZkItemPropValueStrings* Values = Element->GetValues();
        TStrings::TUpdateGuard Guard(*Values);
        Values->Clear();
        for (int C = 0; C < Columns; ++C) {
            Element->SetCapturedValue(C, TVariant(Bit));
            const bool On = static_cast<size_t>(C) < Sets.size() && !Sets[C].IsEmpty() &&
                            Bit >= 0 && Bit < 32 && (Sets[C].AsInt64() >> Bit & 1);
            Values->Add(On ? "True" : "False");
        }
        Element->SetItemType(itSetElement);
        Element->SetKind(tkEnumeration);
        Element->SetTypeName("Boolean");
        Element->SetIsProperty(false);
        Element->SetIsAllEqual(!Several);
        TStringList* PickList = Element->GetPickList();
        TStrings::TUpdateGuard PickGuard(*PickList);
        PickList->SetCapacity(2);
        PickList->Add("False");  // already in the order a sort would give
        PickList->Add("True");
    }
}

void TZkCustomObjectInspector::ScanNested(TZkItemProperty* Row, TZkInspectorObjects* Objects) {
    const std::string& PropName = Row->GetPropName();
    std::vector<TObject*> Counted;
    Counted.reserve(static_cast<size_t>(Objects->GetCount()));
    const TClassInfo* LastClass = nullptr;  // objects of one class share the descriptor
    const TPropInfo* Prop = nullptr;
    for (int I = 0; I < Objects->GetCount(); ++I) {
        TObject* Instance = Objects->GetItem(I)->GetInstance();
        if (const TClassInfo* Class = Instance ? Instance->ClassType() : nullptr; Class != LastClass || !Class) {
            Prop = GetPropInfo(Instance, PropName);
            LastClass = Class;
        }
        TObject* Value = nullptr;
        if (Prop && Prop->Kind() == tkInterface) {
            void* Ref = nullptr;
            if (FInplaceComponents &&
                Supports(GetInterfaceProp(Instance, Prop), IInterfaceComponentReference::IID, &Ref))
                Value = static_cast<IInterfaceComponentReference*>(Ref)->GetComponent();
        } else if (Prop) {
            Value = GetObjectProp(Instance, Prop);
            if (Value && !FInplaceComponents && DynamicCast<TComponent>(Value)) Value = nullptr;
        }
        // A nil (or already scanned) object in one of them: no sub-rows at all.
        if (!Value || IsVisited(Value)) return;
        Counted.push_back(Value);
    }
    if (Counted.empty()) return;
    if (DoBeforeScan(Row)) {
        TOwned<TZkInspectorObjects> List = TemporaryList(Counted);
        ScanProperties(List.get(), Row->GetItems(), Objects);
    }
    DoAfterScan(Row);
}

void TZkCustomObjectInspector::AddCollectionItemRow(const std::string& PropName,
                                                    TCollection* Collection, TCollectionItem* Item,
                                                    TZkInspectorObjects* ParentObjects,
                                                    TZkItemProperty* Row) {
    if (!ParentObjects || ParentObjects->GetCount() == 0) return;
    const std::string Name = Format(FCollectionItemFormat, {Item->GetIndex()});
    Row->SetName(Name);
    Row->SetPropName(Name);
    Row->SetKind(tkClass);
    Row->SetTypeName(Collection->GetItemClass() ? Collection->GetItemClass()->ClassName()
                                                : std::string());
    const int Columns = GetValueColCount();
    TZkItemPropValueStrings* Values = Row->GetValues();
    {
        TStrings::TUpdateGuard Guard(*Values);
        Values->Clear();
        for (int C = 0; C < Columns; ++C) {
            Row->SetCapturedValue(C, TVariant(Item->GetIndex()));
            Values->Add(Item->GetDisplayName());
        }
    }
    Row->SetIsProperty(false);
    Row->SetItemType(itCollectionItem);
    Row->SetIsAllEqual(true);
    Row->SetReadOnly(true);
    std::vector<TObject*> Counted;
    for (int I = 0; I < ParentObjects->GetCount(); ++I) {
        TObject* Parent = ParentObjects->GetItem(I)->GetInstance();
        const TPropInfo* Prop = Parent ? GetPropInfo(Parent, PropName) : nullptr;
        auto* Own = Prop ? DynamicCast<TCollection>(GetObjectProp(Parent, Prop)) : nullptr;
        if (!Own || Item->GetIndex() >= Own->GetCount()) continue;
        TCollectionItem* Same = Own->GetItem(Item->GetIndex());
        if (!IsVisited(Same)) Counted.push_back(Same);
    }
    if (Counted.empty()) return;
    if (DoBeforeScan(Row)) {
        TOwned<TZkInspectorObjects> List = TemporaryList(Counted);
        ScanProperties(List.get(), Row->GetItems(), nullptr);
    }
    DoAfterScan(Row);
}

// ---- string-list lines ----

void TZkCustomObjectInspector::ScanStrings(TZkItemProperty* Row) {
    TZkItemProperties* Rows = Row->GetItems();
    Rows->SetSorted(FInplaceTStringsOptions.Contains(isSort));
    const int Count = FObjects->GetCount();
    std::vector<TStrings*> Lists;
    for (int I = 0; I < Count; ++I) {
        auto* List = DynamicCast<TStrings>(Row->GetObjectValue(I));
        if (!List || (!Lists.empty() && List->GetCount() != Lists[0]->GetCount())) return;
        Lists.push_back(List);
    }
    auto* List = DynamicCast<TStrings>(Row->GetObjectValue(-1));
    if (Lists.empty() || !List || List->GetCount() < 1) return;
    const char Sep = List->GetNameValueSeparator();
    const bool Multi = GetDisplayOptions().Contains(doMultiColValues);
    const TZkItemGetPropertyEvent ReadLine(this, &TZkCustomObjectInspector::ReadLine);
    const TZkItemSetPropertyEvent WriteLine(this, &TZkCustomObjectInspector::WriteLine);
    const TZkItemGetPropertyEvent ReadNameValue(this, &TZkCustomObjectInspector::ReadNameValue);
    const TZkItemSetPropertyEvent WriteNameValue(this, &TZkCustomObjectInspector::WriteNameValue);
    for (int N = 0; N < List->GetCount(); ++N) {
        std::vector<std::string> Lines;
        Lines.reserve(Lists.size());
        for (TStrings* L : Lists) Lines.push_back(L->Get(N));
        bool NameValue = FInplaceTStringsOptions.Contains(isUseNameValue);
        for (const std::string& Line : Lines)
            NameValue = NameValue && (Line.empty() || Line.find(Sep) != std::string::npos) &&
                        NameOf(Line, Sep) == NameOf(Lines[0], Sep);
        TZkItemProperty* LineRow = nullptr;
        bool AllEqual = true;
        if (NameValue) {
            const std::string Name = NameOf(Lines[0], Sep);
            TZkItemProperty* Existing = Rows->FindPath(Name);
            LineRow = Rows->AddPath(Name, std::string(), !(Existing && Existing->HasChildren()));
            // The rows that group a nested name read and write lines of their own.
            for (TZkItemProperty* Group = LineRow->GetParentRow(); Group && Group != Row;
                 Group = Group->GetParentRow()) {
                if (Group->GetOnGetProperty().Assigned()) continue;
                Group->SetIsAllEqual(true);
                for (int C = 0; C < GetValueColCount(); ++C) Group->SetCapturedValue(C, TVariant(-1));
                Group->SetOnGetProperty(ReadNameValue);
                Group->SetOnSetProperty(WriteNameValue);
                Group->SetKind(tkString);
                Group->SetTypeName("TStrings Item");
            }
            for (const std::string& Line : Lines)
                AllEqual = AllEqual && (Multi ? ValueOf(Line, Sep) == ValueOf(Lines[0], Sep)
                                              : Line == Lines[0]);
            TZkItemPropValueStrings* Values = LineRow->GetValues();
            TStrings::TUpdateGuard Guard(*Values);
            Values->Clear();
            for (size_t I = 0; I < (Multi ? Lines.size() : 1); ++I) {
                LineRow->SetCapturedValue(static_cast<int>(I), TVariant(N));
                Values->Add(ValueOf(Lines[I], Sep));
            }
            const bool Whole = List->Get(N).empty();
            LineRow->SetOnGetProperty(Whole ? ReadLine : ReadNameValue);
            LineRow->SetOnSetProperty(Whole ? WriteLine : WriteNameValue);
        } else {
            LineRow = Rows->AddItem();
            LineRow->SetName(Format(FStringsItemFormat, {N}));
            for (const std::string& Line : Lines) AllEqual = AllEqual && Line == Lines[0];
            TZkItemPropValueStrings* Values = LineRow->GetValues();
            TStrings::TUpdateGuard Guard(*Values);
            Values->Clear();
            for (size_t I = 0; I < (Multi ? Lines.size() : 1); ++I) {
                LineRow->SetCapturedValue(static_cast<int>(I), TVariant(N));
                Values->Add(Multi ? Lines[I] : List->Get(N));
            }
            LineRow->SetOnGetProperty(ReadLine);
            LineRow->SetOnSetProperty(WriteLine);
        }
        LineRow->SetIsAllEqual(AllEqual);
        LineRow->SetKind(tkString);
        LineRow->SetTypeName("TStrings Item");
    }
}

// A line row reads the list it is a line of: the object its path leads to,
// or else the list of the row that holds it.
TStrings* TZkCustomObjectInspector::LineList(TZkItemProperty* Row, TObject* Instance,
                                             bool NameValue) const {
    if (auto* List = DynamicCast<TStrings>(Instance)) return List;
    TZkItemProperty* Holder = NameValue ? Row->FindAncestorOfKind(tkClass, std::string())
                                        : Row->GetParentRow();
    return Holder ? DynamicCast<TStrings>(Holder->GetObjectValue(-1)) : nullptr;
}

namespace {

int LineIndexOf(const TZkItemProperty* Row) {
    const std::vector<TVariant>& Captured = Row->GetCapturedValues();
    return Captured.empty() || Captured[0].IsEmpty() ? -1 : Captured[0].AsInteger();
}

}  // namespace

void TZkCustomObjectInspector::ReadLine(TObject* Sender, TObject* Instance, const std::string&,
                                        std::string& Value) {
    auto* Row = DynamicCast<TZkItemProperty>(Sender);
    TStrings* List = Row ? LineList(Row, Instance, false) : nullptr;
    const int Line = Row ? LineIndexOf(Row) : -1;
    Value = List && Line >= 0 && Line < List->GetCount() ? List->Get(Line) : std::string();
}

void TZkCustomObjectInspector::WriteLine(TObject* Sender, TObject* Instance, const std::string&,
                                         const std::string& Value) {
    auto* Row = DynamicCast<TZkItemProperty>(Sender);
    TStrings* List = Row ? LineList(Row, Instance, false) : nullptr;
    const int Line = Row ? LineIndexOf(Row) : -1;
    if (!List || Line < 0 || Line >= List->GetCount()) return;
    List->Put(Line, Value);
    PostRescan();
}

void TZkCustomObjectInspector::ReadNameValue(TObject* Sender, TObject* Instance,
                                             const std::string&, std::string& Value) {
    auto* Row = DynamicCast<TZkItemProperty>(Sender);
    TStrings* List = Row ? LineList(Row, Instance, true) : nullptr;
    const int Line = Row ? LineIndexOf(Row) : -1;
    // A row that only groups nested names has no line: it shows nothing.
    Value = List && Line >= 0 && Line < List->GetCount()
                ? ValueOf(List->Get(Line), List->GetNameValueSeparator())
                : std::string();
}

void TZkCustomObjectInspector::WriteNameValue(TObject* Sender, TObject* Instance,
                                              const std::string&, const std::string& Value) {
    auto* Row = DynamicCast<TZkItemProperty>(Sender);
    TStrings* List = Row ? LineList(Row, Instance, true) : nullptr;
    if (!List) return;
    // The name is the row's path below the string-list row.
    TZkItemProperty* Holder = Row->FindAncestorOfKind(tkClass, std::string());
    std::string Name = Row->GetPropName();
    for (TZkItemProperty* P = Row->GetParentRow(); P && P != Holder; P = P->GetParentRow())
        Name = P->GetPropName() + GetPathDelimiter() + Name;
    const std::string Line = Name + List->GetNameValueSeparator() + Value;
    const int Index = LineIndexOf(Row);
    if (Index >= 0 && Index < List->GetCount())
        List->Put(Index, Line);
    else
        List->Add(Line);
    PostRescan();
}

// ---- filters and presets ----

void TZkCustomObjectInspector::ApplyFilters() {
    if (FFilters->GetCount() == 0) return;
    const TZkItemList& All = GetAllItems();
    for (int I = All.GetCount() - 1; I >= 0; --I) {
        if (I >= All.GetCount()) continue;
        TZkItemProp* Row = All[I];
        if (FFilters->IndexOf(Row->GetName()) >= 0 || FFilters->IndexOf(Row->GetFullName()) >= 0)
            Row->Free();
    }
}

void TZkCustomObjectInspector::ItemNotify(TZkItemProp* Item, TCollectionNotification Action) {
    if (FTrackingRows) {
        if (Action == cnExtracting)
            FDetachedRows.insert(Item);
        else if (Action == cnAdded)
            FDetachedRows.erase(Item);
    }
    TZkCustomItemListEditor::ItemNotify(Item, Action);
}

// The rows are taken first: a preset may rename a row (a sorted level moves
// it) or file it elsewhere, and a handler may free rows.
void TZkCustomObjectInspector::ApplyPresets() {
    if (IsDestroying() || !FPresets || FPresets->GetCount() == 0 || FTrackingRows) return;
    const TZkItemList& All = GetAllItems();
    std::vector<TZkItemProperty*> Rows;
    Rows.reserve(static_cast<size_t>(All.GetCount()));
    for (int I = 0; I < All.GetCount(); ++I) Rows.push_back(static_cast<TZkItemProperty*>(All[I]));
    TValueRollback<bool> Tracking(FTrackingRows, true);
    TScopeExit Forget([this] { FDetachedRows.clear(); });
    for (TZkItemProperty* Row : Rows)
        if (!FDetachedRows.count(Row)) FPresets->ApplyToItem(Row);
}

}  // namespace zk
