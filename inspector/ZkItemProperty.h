// The inspector's rows: TZkItemProperty, one per published property, set element, collection
// item or string-list line, and their collection TZkItemProperties.
#pragma once
#include <string>
#include <vector>

#include "itemlist/ZkItemProp.h"
#include "platform/core/TypInfo.h"

namespace zk {

class IInterface;
class TZkCustomObjectInspector;
class TZkItemProperties;
class TZkItemProperty;

ZK_EVENT(TZkItemPropertyEvent, void(TObject* Sender, TZkItemProperty* Item))
ZK_EVENT(TZkItemPropertyQueryEvent, void(TObject* Sender, TZkItemProperty* Item, bool& Result))
ZK_EVENT(TZkItemGetPropertyEvent, void(TObject* Sender, TObject* Instance,
                                       const std::string& PropName, std::string& Value))
ZK_EVENT(TZkItemSetPropertyEvent, void(TObject* Sender, TObject* Instance,
                                       const std::string& PropName, const std::string& Value))

// What a row stands for (its ItemType).
enum : uint8_t {
    itPlain = 0,           // a property, or a string-list line
    itSet = 1,             // a set-typed property; CapturedValues hold the set per object
    itSetElement = 2,      // an element row of a set; CapturedValues hold its bit number
    itCollection = 3,      // a property whose value is a collection
    itCollectionItem = 4,  // an item row of a collection; CapturedValues hold its index
};

// A row of the inspector. ObjectIndex, in the accessors, selects an
// inspected object; -1 means the object of the current value column.
//
// Null behaviour: outside an inspector a real property row reads nothing
// (zero, empty, null) and the value operations do nothing; an unreachable
// target (a nil sub-object, a missing property, a collection index out of
// range) reads nothing and writes nothing.
class TZkItemProperty : public TZkItemProp {
    ZK_CLASS(TZkItemProperty, TZkItemProp)
public:
    explicit TZkItemProperty(TCollection* Collection);

    // Copies the row's own fields, then the base item's.
    void Assign(TPersistent* Source) override;
    // "TypeData" (for property rows) and "IsAllEqual" (when set).
    void DefineProperties(TFiler* Filer) override;
    // The inspector's ValueChangedFont for a property whose value is not its default.
    TFont* GetValueFont() const override;
    TFont* GetColumnValueFont(int ValueIndex) const override;
    // The base rule, and a set row is edited through its elements.
    bool GetReadOnly() const override;
    // A row named before it has a PropName takes the name as its PropName.
    void SetName(const std::string& Value) override;
    // Also the value read, write and refresh handlers.
    void AssignEvents(TZkItemProp* Source) override;
    // The validation events, then the value goes to the objects; a failure
    // becomes the inspector's message and takes the editor's text back.
    void Validate() override;

    // ---- introduced operations, in slot order ----
    virtual bool GetIsAllEqual() const;
    // Every captured value equals the first.
    virtual bool AllValuesEqual() const;
    // The property of object ObjectIndex does not hold its declared default.
    virtual bool IsValueChanged(int ObjectIndex) const;
    virtual void SetIsAllEqual(bool Value);
    virtual void SetPropName(const std::string& Value);
    virtual void SetKind(TTypeKind Value);
    virtual void SetTypeName(const std::string& Value);
    // Stores Value for object ObjectIndex when it differs.
    virtual void SetCapturedValue(int ObjectIndex, const TVariant& Value);
    virtual void SetItemType(uint8_t Value);
    virtual void SetIsProperty(bool Value);
    // An element row changed: a set row writes the set its elements make.
    virtual void ChildValueChanged(TZkItemProperty* Child);
    virtual double GetFloatValue(int ObjectIndex = -1) const;
    virtual int64_t GetInt64Value(int ObjectIndex = -1) const;
    virtual IInterface* GetInterfaceValue(int ObjectIndex = -1) const;
    virtual TMethod GetMethodValue(int ObjectIndex = -1) const;
    virtual TObject* GetObjectValue(int ObjectIndex = -1) const;
    virtual const TClassInfo* GetObjectClass() const;
    virtual int64_t GetOrdValue(int ObjectIndex = -1) const;
    virtual std::string GetStrValue(int ObjectIndex = -1) const;
    virtual TVariant GetVariantValue(int ObjectIndex = -1) const;
    virtual void SetFloatValue(double Value, int ObjectIndex = -1);
    virtual void SetInt64Value(int64_t Value, int ObjectIndex = -1);
    virtual void SetInterfaceValue(IInterface* Value, int ObjectIndex = -1);
    virtual void SetMethodValue(const TMethod& Value, int ObjectIndex = -1);
    virtual void SetObjectValue(TObject* Value, int ObjectIndex = -1);
    virtual void SetOrdValue(int64_t Value, int ObjectIndex = -1);
    virtual void SetStrValue(const std::string& Value, int ObjectIndex = -1);
    virtual void SetVariantValue(const TVariant& Value, int ObjectIndex = -1);
    // The row's values go to the objects (or, for an element row, to its set).
    virtual void ApplyValue();
    // Reads the values again; false when an inspected object's target is gone.
    virtual bool RefreshValue();

    // ---- fields ----
    const std::string& GetPropName() const { return FPropName; }
    const std::string& GetTypeName() const { return FTypeName; }
    TTypeKind GetKind() const { return FKind; }
    uint8_t GetItemType() const { return FItemType; }
    bool GetIsProperty() const { return FIsProperty; }
    // One entry per value column; new entries are empty.
    const std::vector<TVariant>& GetCapturedValues() const;
    const TZkItemGetPropertyEvent& GetOnGetProperty() const { return FOnGetProperty; }
    void SetOnGetProperty(const TZkItemGetPropertyEvent& Value) { FOnGetProperty = Value; }
    const TZkItemSetPropertyEvent& GetOnSetProperty() const { return FOnSetProperty; }
    void SetOnSetProperty(const TZkItemSetPropertyEvent& Value) { FOnSetProperty = Value; }
    const TZkItemPropertyEvent& GetOnRefreshValue() const { return FOnRefreshValue; }
    void SetOnRefreshValue(const TZkItemPropertyEvent& Value) { FOnRefreshValue = Value; }

    // ---- place ----
    TZkItemProperties* GetItems() const;
    void SetItems(TZkItemProperties* Value);
    TZkItemProperty* GetParentRow() const;
    // The inspector the row is in; null outside one.
    TZkCustomObjectInspector* GetInspector() const;
    // PropNames from the top-level row down, joined by the PathDelimiter.
    std::string GetPropPath() const;
    // The nearest ancestor row of Kind (and TypeName, ignoring case, when given).
    TZkItemProperty* FindAncestorOfKind(TTypeKind Kind, const std::string& TypeName) const;
    TZkItemProperty* FindAncestorOfItemType(uint8_t ItemType) const;
    // IsValueChanged for the one value column, or for any inspected object.
    bool AnyValueChanged() const;

protected:
    TZkItemProps* CreateItems() override;
    bool IsShownHere() const override;
    // Message 2475: the row reads its value again.
    void WMPropertyChanged(TMessage& Message);

private:
    // The objects a write with ObjectIndex goes to.
    std::vector<int> WriteTargets(int ObjectIndex) const;
    int ReadTarget(int ObjectIndex) const;
    // Object ObjectIndex's instance and the object holding this row's
    // property, with the property's descriptor; null when unreachable.
    TObject* Target(int ObjectIndex, const TPropInfo** Prop) const;
    [[noreturn]] void NotAProperty() const;
    // A real property row reaches its property; other rows fail.
    void RequireProperty() const;
    // Typed writes: to each target, then the inspector's changed message when Announce.
    template <class F>
    void WriteEach(int ObjectIndex, bool Announce, F&& Write);
    // A value for a row that is no property: its text, and the kind it now has.
    void StoreValueText(const std::string& Text, TTypeKind Kind);
    // The set text column Column's element rows make, without brackets.
    std::string SetTextOfElements(int Column) const;
    void ReadTypeData(TReader* Reader);
    void WriteTypeData(TWriter* Writer);
    void ReadIsAllEqual(TReader* Reader);
    void WriteIsAllEqual(TWriter* Writer);

    bool FIsAllEqual = false;
    std::string FPropName;
    std::string FTypeName;
    TTypeKind FKind = tkUnknown;
    mutable std::vector<TVariant> FCapturedValues;
    TZkItemSetPropertyEvent FOnSetProperty;
    TZkItemGetPropertyEvent FOnGetProperty;
    bool FIsProperty = false;
    uint8_t FItemType = itPlain;
    TZkItemPropertyEvent FOnRefreshValue;
};

// The rows of one level, typed.
class TZkItemProperties : public TZkItemProps {
    ZK_CLASS(TZkItemProperties, TZkItemProps)
public:
    TZkItemProperties(TPersistent* AOwner, const TClassInfo* ItemClass);
    TZkItemProperty* GetItem(int Index) const;
    TZkItemProperty* AddItem();
    TZkItemProperty* AddPath(const std::string& Path, const std::string& ValueText,
                             bool AlwaysAddLeaf);
    TZkItemProperty* FindPath(const std::string& Path) const;
    // The row owning this level; null at the top.
    TZkItemProperty* GetParentRow() const;
};

}  // namespace zk
