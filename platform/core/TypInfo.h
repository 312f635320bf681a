// Run-time type information of published properties: kinds, type and property
// descriptors, and the generic reads and writes the inspector is built on.
#pragma once
#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Event.h"
#include "platform/core/Object.h"
#include "platform/core/Set.h"
#include "platform/core/Variant.h"

namespace zk {

enum TTypeKind : uint8_t {
    tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod,
    tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray
};
using TTypeKinds = TSet<TTypeKind>;
const TTypeInfo* ZkTypeInfo(TTypeKind*);
const TTypeInfo* ZkTypeInfo(TTypeKinds*);

inline constexpr int NoDefault = INT_MIN;
inline const TTypeKinds tkAny = TTypeKinds::FromInt((1u << 18) - 1);
inline const TTypeKinds tkProperties = tkAny - TTypeKinds{tkMethod};
inline const TTypeKinds tkMethods = TTypeKinds{tkMethod};

// A type descriptor. Enumerations have MinValue..MaxValue, Names and BaseType;
// sets have CompType; classes have ClassType.
struct TTypeInfo {
    TTypeKind Kind = tkUnknown;
    std::string Name;
    int64_t MinValue = 0;
    int64_t MaxValue = 0;
    const TTypeInfo* BaseType = nullptr;  // an enumeration's base; itself when not an alias
    std::vector<std::string> Names;       // enumeration value names, MinValue first
    const TTypeInfo* CompType = nullptr;  // a set's element type
    const TClassInfo* ClassType = nullptr;
};

// Type descriptors of the basic types, by the framework's names.
const TTypeInfo* TypeInfoInteger();   // "Integer"
const TTypeInfo* TypeInfoCardinal();  // "Cardinal"
const TTypeInfo* TypeInfoByte();      // "Byte"
const TTypeInfo* TypeInfoBoolean();   // "Boolean": False, True
const TTypeInfo* TypeInfoWordBool();  // "WordBool": negative minimum, "True" is -1
const TTypeInfo* TypeInfoLongBool();  // "LongBool"
const TTypeInfo* TypeInfoChar();      // "Char"
const TTypeInfo* TypeInfoWideChar();  // "WideChar"
const TTypeInfo* TypeInfoInt64();     // "Int64"
const TTypeInfo* TypeInfoDouble();    // "Double"
const TTypeInfo* TypeInfoExtended();  // "Extended"
const TTypeInfo* TypeInfoString();    // "string", kind tkLString
const TTypeInfo* TypeInfoWideString();
const TTypeInfo* TypeInfoVariant();
const TTypeInfo* TypeInfoTDateTime();  // tkFloat
const TTypeInfo* TypeInfoTDate();
const TTypeInfo* TypeInfoTTime();
const TTypeInfo* TypeInfoTCaption();   // string aliases
const TTypeInfo* TypeInfoTFileName();
const TTypeInfo* TypeInfoTComponentName();
const TTypeInfo* TypeInfoIInterface();

// Builders for declared types. Names is the enumeration's value list as written
// in its declaration ("alNone, alTop, ...").
const TTypeInfo* MakeEnumType(const char* Name, const char* Names);
const TTypeInfo* MakeSetType(const char* Name, const TTypeInfo* CompType);
// Another name for an existing type, with the same kind and range ("TColor" is an Integer).
const TTypeInfo* MakeAliasType(const char* Name, const TTypeInfo* Of);

// Declares an enumeration with its type information in one line:
//   ZK_ENUM(TEditStyle, uint8_t, esSimple, esEllipsis, esPickList)
#define ZK_ENUM(Name, Underlying, ...)                                            \
    enum Name : Underlying { __VA_ARGS__ };                                       \
    inline const ::zk::TTypeInfo* ZkTypeInfo(Name*) {                             \
        static const ::zk::TTypeInfo* Info = ::zk::MakeEnumType(#Name, #__VA_ARGS__); \
        return Info;                                                              \
    }
// Declares a set of an enumeration declared with ZK_ENUM.
#define ZK_SET(Name, Enum)                                                        \
    using Name = ::zk::TSet<Enum>;                                                \
    inline const ::zk::TTypeInfo* ZkTypeInfo(Name*) {                             \
        static const ::zk::TTypeInfo* Info =                                      \
            ::zk::MakeSetType(#Name, ZkTypeInfo(static_cast<Enum*>(nullptr)));    \
        return Info;                                                              \
    }

// How a property's value is reached. Each property uses the operations of its
// representation; the others raise EPropertyConvertError.
class TPropAccessor {
public:
    virtual ~TPropAccessor() = default;
    virtual int64_t GetOrd(const TObject* Instance) const;
    virtual void SetOrd(TObject* Instance, int64_t Value) const;
    virtual int64_t GetInt64(const TObject* Instance) const;
    virtual void SetInt64(TObject* Instance, int64_t Value) const;
    virtual double GetFloat(const TObject* Instance) const;
    virtual void SetFloat(TObject* Instance, double Value) const;
    virtual std::string GetStr(const TObject* Instance) const;
    virtual void SetStr(TObject* Instance, const std::string& Value) const;
    virtual std::u16string GetWideStr(const TObject* Instance) const;
    virtual void SetWideStr(TObject* Instance, const std::u16string& Value) const;
    virtual TVariant GetVariant(const TObject* Instance) const;
    virtual void SetVariant(TObject* Instance, const TVariant& Value) const;
    virtual TObject* GetObject(const TObject* Instance) const;
    virtual void SetObject(TObject* Instance, TObject* Value) const;
    virtual TMethod GetMethod(const TObject* Instance) const;
    virtual void SetMethod(TObject* Instance, const TMethod& Value) const;
    virtual IInterface* GetInterface(const TObject* Instance) const;
    virtual void SetInterface(TObject* Instance, IInterface* Value) const;
    // False for a read-only property.
    virtual bool HasWrite() const = 0;
    // The declared class of an object property.
    virtual const TClassInfo* ObjectClass() const { return nullptr; }
};

// A span in which a reader takes many properties at once (an inspector's scan or refresh):
// an accessor whose values are dear to read (a bridged value type whose parts are separate
// properties) may hand out what it read earlier in the same batch. Outside any batch, and
// after a write, every read is fresh. Batches nest; the outermost one counts.
class TPropReadBatch {
public:
    TPropReadBatch();
    ~TPropReadBatch();
    TPropReadBatch(const TPropReadBatch&) = delete;
    TPropReadBatch& operator=(const TPropReadBatch&) = delete;
    // This thread's open batch, 0 when none; every outermost batch has a new number.
    static uint64_t Current();
};

// A published property.
struct TPropInfo {
    std::string Name;
    const TTypeInfo* PropType = nullptr;
    std::shared_ptr<const TPropAccessor> Access;
    int Default = NoDefault;  // ordinal default; NoDefault when none
    int NameIndex = 0;        // declaration position within the class chain
    bool StoredConst = true;
    std::function<bool(const TObject*)> StoredProc;  // overrides StoredConst when set
    const TClassInfo* Declarer = nullptr;

    bool HasWrite() const { return Access && Access->HasWrite(); }
    TTypeKind Kind() const { return PropType ? PropType->Kind : tkUnknown; }
};

// Property lists: every published property whose kind is in Kinds, sorted by
// name (case-insensitive) or in declaration order.
std::vector<const TPropInfo*> GetPropList(const TClassInfo* Class, TTypeKinds Kinds = tkAny,
                                          bool SortList = true);
int GetPropList(const TClassInfo* Class, TTypeKinds Kinds, const TPropInfo** List,
                bool SortList = true);  // List may be null to count
std::vector<const TPropInfo*> GetPropInfos(const TClassInfo* Class);  // declaration order

const TPropInfo* GetPropInfo(const TClassInfo* Class, const std::string& Name,
                             TTypeKinds Kinds = tkAny);
const TPropInfo* GetPropInfo(const TObject* Instance, const std::string& Name,
                             TTypeKinds Kinds = tkAny);
bool IsPublishedProp(const TObject* Instance, const std::string& Name);
bool IsPublishedProp(const TClassInfo* Class, const std::string& Name);
// Kind by name; EPropertyError "Property %s does not exist" when there is none.
TTypeKind PropType(const TObject* Instance, const std::string& Name);
bool PropIsType(const TObject* Instance, const std::string& Name, TTypeKind Kind);
bool IsStoredProp(const TObject* Instance, const TPropInfo* Prop);
bool IsStoredProp(const TObject* Instance, const std::string& Name);

// Enumerations. GetEnumValue answers -1 for a name the type lacks; for
// Boolean-like types with a negative minimum "False" is 0 and "True" -1.
std::string GetEnumName(const TTypeInfo* Type, int64_t Value);
int64_t GetEnumValue(const TTypeInfo* Type, const std::string& Name);
// Sets: "[a,b]" (or without brackets) from an ordinal and back.
std::string SetToString(const TTypeInfo* SetType, uint32_t Value, bool Brackets = true);
uint32_t StringToSet(const TTypeInfo* SetType, const std::string& Value);

// Typed reads and writes by descriptor.
int64_t GetOrdProp(const TObject* Instance, const TPropInfo* Prop);
void SetOrdProp(TObject* Instance, const TPropInfo* Prop, int64_t Value);
std::string GetEnumProp(const TObject* Instance, const TPropInfo* Prop);
void SetEnumProp(TObject* Instance, const TPropInfo* Prop, const std::string& Value);
std::string GetSetProp(const TObject* Instance, const TPropInfo* Prop, bool Brackets = true);
void SetSetProp(TObject* Instance, const TPropInfo* Prop, const std::string& Value);
std::string GetStrProp(const TObject* Instance, const TPropInfo* Prop);
void SetStrProp(TObject* Instance, const TPropInfo* Prop, const std::string& Value);
std::u16string GetWideStrProp(const TObject* Instance, const TPropInfo* Prop);
void SetWideStrProp(TObject* Instance, const TPropInfo* Prop, const std::u16string& Value);
double GetFloatProp(const TObject* Instance, const TPropInfo* Prop);
void SetFloatProp(TObject* Instance, const TPropInfo* Prop, double Value);
TVariant GetVariantProp(const TObject* Instance, const TPropInfo* Prop);
void SetVariantProp(TObject* Instance, const TPropInfo* Prop, const TVariant& Value);
TMethod GetMethodProp(const TObject* Instance, const TPropInfo* Prop);
void SetMethodProp(TObject* Instance, const TPropInfo* Prop, const TMethod& Value);
int64_t GetInt64Prop(const TObject* Instance, const TPropInfo* Prop);
void SetInt64Prop(TObject* Instance, const TPropInfo* Prop, int64_t Value);
TObject* GetObjectProp(const TObject* Instance, const TPropInfo* Prop,
                       const TClassInfo* MinClass = nullptr);
void SetObjectProp(TObject* Instance, const TPropInfo* Prop, TObject* Value);
const TClassInfo* GetObjectPropClass(const TPropInfo* Prop);
IInterface* GetInterfaceProp(const TObject* Instance, const TPropInfo* Prop);
void SetInterfaceProp(TObject* Instance, const TPropInfo* Prop, IInterface* Value);

// The same by name; a name the class lacks raises EPropertyError "Property %s does not exist".
int64_t GetOrdProp(const TObject* Instance, const std::string& Name);
void SetOrdProp(TObject* Instance, const std::string& Name, int64_t Value);
std::string GetEnumProp(const TObject* Instance, const std::string& Name);
void SetEnumProp(TObject* Instance, const std::string& Name, const std::string& Value);
std::string GetSetProp(const TObject* Instance, const std::string& Name, bool Brackets = true);
void SetSetProp(TObject* Instance, const std::string& Name, const std::string& Value);
std::string GetStrProp(const TObject* Instance, const std::string& Name);
void SetStrProp(TObject* Instance, const std::string& Name, const std::string& Value);
std::u16string GetWideStrProp(const TObject* Instance, const std::string& Name);
void SetWideStrProp(TObject* Instance, const std::string& Name, const std::u16string& Value);
double GetFloatProp(const TObject* Instance, const std::string& Name);
void SetFloatProp(TObject* Instance, const std::string& Name, double Value);
TVariant GetVariantProp(const TObject* Instance, const std::string& Name);
void SetVariantProp(TObject* Instance, const std::string& Name, const TVariant& Value);
TMethod GetMethodProp(const TObject* Instance, const std::string& Name);
void SetMethodProp(TObject* Instance, const std::string& Name, const TMethod& Value);
int64_t GetInt64Prop(const TObject* Instance, const std::string& Name);
void SetInt64Prop(TObject* Instance, const std::string& Name, int64_t Value);
TObject* GetObjectProp(const TObject* Instance, const std::string& Name,
                       const TClassInfo* MinClass = nullptr);
void SetObjectProp(TObject* Instance, const std::string& Name, TObject* Value);
const TClassInfo* GetObjectPropClass(const TObject* Instance, const std::string& Name);
IInterface* GetInterfaceProp(const TObject* Instance, const std::string& Name);
void SetInterfaceProp(TObject* Instance, const std::string& Name, IInterface* Value);

// Generic access. A read preferring strings gives enumerations by name and sets
// as text; otherwise ordinals, and a Boolean property as a Boolean. A write
// converts the variant per kind; unsupported kinds raise EPropertyConvertError
// "Invalid property type: %s".
TVariant GetPropValue(const TObject* Instance, const TPropInfo* Prop, bool PreferStrings = true);
TVariant GetPropValue(const TObject* Instance, const std::string& Name, bool PreferStrings = true);
void SetPropValue(TObject* Instance, const TPropInfo* Prop, const TVariant& Value);
void SetPropValue(TObject* Instance, const std::string& Name, const TVariant& Value);
// Raises what SetPropValue would raise for Value, without writing anything.
void CheckPropValue(const TPropInfo* Prop, const TVariant& Value);

// Whether the property holds its declared default, as the form writer decides it.
bool IsDefaultPropertyValue(const TObject* Instance, const TPropInfo* Prop);

}  // namespace zk
