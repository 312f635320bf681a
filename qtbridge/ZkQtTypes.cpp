// Qt's property types as type descriptors, the accessors over the meta-object, and the
// property lists of meta-objects and of dynamic properties.
#include <QColor>
#include <QFont>
#include <QObject>
#include <QStringList>
#include <bit>
#include <cstring>
#include <map>
#include <unordered_map>

#include "platform/core/Colors.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Graphics.h"
#include "qtbridge/ZkQtObject.h"
#include "qtbridge/ZkQtTypes_p.h"
#include "qtbridge/ZkQtValue.h"

namespace zk {

namespace {

// Type descriptors live for the whole program, like the classes they describe;
// each Qt type gets one, found again by its name.
const TTypeInfo* Descriptor(const std::string& Key, TTypeKind Kind, const std::string& Name,
                            TTypeInfo* (*Fill)(TTypeInfo*) = nullptr) {
    static auto* Known = new std::map<std::string, const TTypeInfo*>;
    auto It = Known->find(Key);
    if (It != Known->end()) return It->second;
    auto* T = new TTypeInfo;
    T->Kind = Kind;
    T->Name = Name;
    T->BaseType = T;
    if (Fill) Fill(T);
    Known->emplace(Key, T);
    return T;
}

std::string QualifiedName(const QMetaEnum& Enum, bool FlagsName) {
    const std::string Name = FlagsName ? Enum.name() : Enum.enumName();
    return Enum.scope() ? std::string(Enum.scope()) + "::" + Name : Name;
}

// An enumeration of the enumerator's keys, in their declared order.
void MapEnum(TQtType& T, const QMetaEnum& Enum) {
    T.Shape = qsEnum;
    std::vector<std::string> Names;
    for (int I = 0; I < Enum.keyCount(); ++I) {
        T.Keys.push_back(Enum.value(I));
        Names.push_back(Enum.key(I));
    }
    const std::string Name = QualifiedName(Enum, false);
    TTypeInfo* Info = const_cast<TTypeInfo*>(Descriptor("enum " + Name, tkEnumeration, Name));
    if (Info->Names.empty() && !Names.empty()) {
        Info->Names = std::move(Names);
        Info->MaxValue = static_cast<int64_t>(Info->Names.size()) - 1;
    }
    T.Info = Info;
}

// A set of the flag's one-bit keys (the first key of each bit, at most 32);
// keys that combine bits are names for sets, not elements.
void MapFlags(TQtType& T, const QMetaEnum& Enum) {
    T.Shape = qsFlags;
    std::vector<std::string> Names;
    unsigned Seen = 0;
    for (int I = 0; I < Enum.keyCount() && T.Keys.size() < 32; ++I) {
        const unsigned Bit = static_cast<unsigned>(Enum.value(I));
        if (std::popcount(Bit) != 1 || (Seen & Bit)) continue;
        Seen |= Bit;
        T.Keys.push_back(static_cast<int>(Bit));
        Names.push_back(Enum.key(I));
    }
    const std::string ElementName = QualifiedName(Enum, false);
    auto* Element =
        const_cast<TTypeInfo*>(Descriptor("flag " + ElementName, tkEnumeration, ElementName));
    if (Element->Names.empty() && !Names.empty()) {
        Element->Names = std::move(Names);
        Element->MaxValue = static_cast<int64_t>(Element->Names.size()) - 1;
    }
    const std::string SetName = QualifiedName(Enum, true);
    auto* Set = const_cast<TTypeInfo*>(Descriptor("set " + SetName, tkSet, SetName));
    Set->CompType = Element;
    T.Info = Set;
}

// The enumerator of an enumeration type that is not a property's own (a
// dynamic property's value); invalid when Qt has none registered for it.
QMetaEnum EnumOfType(QMetaType Type) {
    const QMetaObject* Scope = Type.metaObject();
    if (!Scope || !(Type.flags() & QMetaType::IsEnumeration)) return QMetaEnum();
    std::string Name = Type.name();
    const size_t At = Name.rfind("::");
    if (At != std::string::npos) Name = Name.substr(At + 2);
    const int Index = Scope->indexOfEnumerator(Name.c_str());
    return Index >= 0 ? Scope->enumerator(Index) : QMetaEnum();
}

// An enumeration's or a flag's value, from the bytes Qt keeps it in.
int64_t RawOf(const QVariant& V) {
    if (!V.isValid()) return 0;
    const QMetaType Type = V.metaType();
    if (Type.id() < QMetaType::User || Type.sizeOf() < 1 || Type.sizeOf() > 8)
        return V.toLongLong();
    switch (Type.sizeOf()) {
        case 1:
            return *static_cast<const int8_t*>(V.constData());
        case 2:
            return *static_cast<const int16_t*>(V.constData());
        case 8:
            return *static_cast<const int64_t*>(V.constData());
        default:
            return *static_cast<const int32_t*>(V.constData());
    }
}

// What a value that is only shown reads as: its text where Qt has one,
// else its type name in parentheses, as the inspector shows other objects.
std::string TextOf(const QVariant& V) {
    if (!V.isValid()) return std::string();
    if (V.metaType() == QMetaType::fromType<QStringList>())
        return V.toStringList().join(QStringLiteral(", ")).toStdString();
    if (V.canConvert<QString>()) return V.toString().toStdString();
    return "(" + std::string(V.metaType().name()) + ")";
}

}  // namespace

TQtType MapQtType(QMetaType Type, const QMetaEnum* Enum, bool Writable) {
    TQtType T;
    T.Type = Type;
    if (Enum && Enum->isValid()) {
        if (Enum->isFlag())
            MapFlags(T, *Enum);
        else
            MapEnum(T, *Enum);
        return T;
    }
    if (const QMetaEnum Own = EnumOfType(Type); Own.isValid() && !Own.isFlag()) {
        MapEnum(T, Own);
        return T;
    }
    switch (Type.id()) {
        case QMetaType::Bool:
            T.Shape = qsBoolean;
            T.Info = TypeInfoBoolean();
            return T;
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Char:
            T.Shape = qsInteger;
            T.Info = TypeInfoInteger();
            return T;
        case QMetaType::UInt:
            T.Shape = qsInteger;
            T.Info = TypeInfoCardinal();
            return T;
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            T.Shape = qsInt64;
            T.Info = TypeInfoInt64();
            return T;
        case QMetaType::Double:
        case QMetaType::Float:
            T.Shape = qsFloat;
            T.Info = TypeInfoDouble();
            return T;
        case QMetaType::QString:
            T.Shape = qsString;
            T.Info = TypeInfoString();
            return T;
        case QMetaType::QColor:
            T.Shape = qsColor;
            T.Info = TypeInfoTColor();
            return T;
        default:
            break;
    }
    if (Type.flags() & QMetaType::PointerToQObject) {
        std::string Name = Type.name();
        if (!Name.empty() && Name.back() == '*') Name.pop_back();
        T.Shape = qsObject;
        T.Info = Descriptor("class " + Name, tkClass, Name, [](TTypeInfo* I) {
            I->ClassType = TZkQtObject::StaticClass();
            return I;
        });
        return T;
    }
    if (const TClassInfo* Class = QtValueClass(Type, Writable)) {
        T.Shape = qsValue;
        T.ValueClass = Class;
        T.Info = Class->TypeInfo();
        return T;
    }
    const std::string Name = Type.isValid() ? Type.name() : "QVariant";
    T.Info = Descriptor("text " + Name, tkLString, Name);
    return T;
}

// ---- TQtAccessor ----

TQtAccessor::TQtAccessor(std::string Name, TQtType Type, bool Writable)
    : FName(std::move(Name)),
      FType(std::move(Type)),
      FWritable(Writable && FType.Shape != qsText) {}

const TClassInfo* TQtAccessor::ObjectClass() const {
    if (FType.Shape == qsValue) return FType.ValueClass;
    if (FType.Shape == qsObject) return TZkQtObject::StaticClass();
    return nullptr;
}

void TQtAccessor::Refused(const TObject* Instance) const {
    throw EPropertyError("%s.%s refused the value", {Instance->ClassName(), FName});
}

template <class T, class R>
void TQtAccessor::Put(TObject* Instance, const QVariant& Value, const T& New, R Now) const {
    if (!FWritable) Refused(Instance);
    const T Old = Now();
    TZkQtObject* Adapter = AdapterOf(Instance);
    {
        TZkQtObject::TWriteGuard Guard(Adapter);
        if (!WriteQt(Instance, Value)) Refused(Instance);
    }
    // A setter that ignores a value it does not accept leaves the old one;
    // one that destroyed its object took the value with it.
    if (Adapter->GetTarget() && New != Old && Now() == Old) Refused(Instance);
}

// A value of the property's own type from an integer: through Qt's
// conversions for numbers, byte for byte for enumerations and flags.
QVariant TQtAccessor::OfType(int64_t Raw) const {
    const QMetaType Type = FType.Type;
    if ((FType.Shape == qsEnum || FType.Shape == qsFlags) && Type.id() >= QMetaType::User &&
        Type.sizeOf() >= 1) {
        QVariant V(Type, nullptr);
        std::memcpy(V.data(), &Raw, static_cast<size_t>(std::min<qsizetype>(Type.sizeOf(), 8)));
        return V;
    }
    QVariant V = QVariant::fromValue(static_cast<qlonglong>(Raw));
    if (Type.isValid() && !V.convert(Type)) return QVariant();
    return V;
}

int64_t TQtAccessor::GetOrd(const TObject* I) const {
    switch (FType.Shape) {
        case qsInteger:
        case qsInt64:
            return ReadQt(I).toLongLong();
        case qsBoolean:
            return ReadQt(I).toBool() ? 1 : 0;
        case qsEnum: {
            const int Value = static_cast<int>(RawOf(ReadQt(I)));
            for (size_t N = 0; N < FType.Keys.size(); ++N)
                if (FType.Keys[N] == Value) return static_cast<int64_t>(N);
            return -1;
        }
        case qsFlags: {
            const int64_t Value = RawOf(ReadQt(I));
            int64_t Set = 0;
            for (size_t N = 0; N < FType.Keys.size(); ++N)
                if (Value & FType.Keys[N]) Set |= int64_t(1) << N;
            return Set;
        }
        case qsColor: {
            const QColor C = ReadQt(I).value<QColor>();
            return C.isValid() ? QColorToColor(C) : clNone;
        }
        case qsObject:
        case qsValue:
            return static_cast<int64_t>(reinterpret_cast<intptr_t>(GetObject(I)));
        default:
            return TPropAccessor::GetOrd(I);
    }
}

void TQtAccessor::SetOrd(TObject* I, int64_t Value) const {
    auto Now = [this, I] { return GetOrd(I); };
    switch (FType.Shape) {
        case qsInteger:
        case qsInt64: {
            const QVariant V = OfType(Value);
            // Qt would wrap a number its type cannot hold.
            if (!V.isValid() || V.toLongLong() != Value) Refused(I);
            Put(I, V, Value, Now);
            return;
        }
        case qsBoolean:
            Put(I, QVariant(Value != 0), Value != 0 ? int64_t(1) : int64_t(0), Now);
            return;
        case qsEnum:
            if (Value < 0 || Value >= static_cast<int64_t>(FType.Keys.size())) Refused(I);
            Put(I, OfType(FType.Keys[static_cast<size_t>(Value)]), Value, Now);
            return;
        case qsFlags: {
            // Bits no element stands for keep their state.
            int64_t Covered = 0, Bits = 0;
            for (size_t N = 0; N < FType.Keys.size(); ++N) {
                Covered |= FType.Keys[N];
                if (Value & (int64_t(1) << N)) Bits |= FType.Keys[N];
            }
            const int64_t Raw = (RawOf(ReadQt(I)) & ~Covered) | Bits;
            Put(I, OfType(Raw), Value & ((int64_t(1) << FType.Keys.size()) - 1), Now);
            return;
        }
        case qsColor: {
            QColor C;
            if (Value != clNone) {
                const QColor Old = ReadQt(I).value<QColor>();
                C = ColorToQColor(static_cast<TColor>(Value));
                if (Old.isValid()) C.setAlpha(Old.alpha());
            }
            // System colours read back as the colour they stand for.
            Put(I, QVariant(C),
                Value == clNone ? Value : int64_t(ColorToRGB(static_cast<TColor>(Value))), Now);
            return;
        }
        default:
            TPropAccessor::SetOrd(I, Value);
    }
}

int64_t TQtAccessor::GetInt64(const TObject* I) const {
    return GetOrd(I);
}

void TQtAccessor::SetInt64(TObject* I, int64_t Value) const {
    SetOrd(I, Value);
}

double TQtAccessor::GetFloat(const TObject* I) const {
    if (FType.Shape != qsFloat) return TPropAccessor::GetFloat(I);
    return ReadQt(I).toDouble();
}

void TQtAccessor::SetFloat(TObject* I, double Value) const {
    if (FType.Shape != qsFloat) return TPropAccessor::SetFloat(I, Value);
    QVariant V(Value);
    if (!V.convert(FType.Type)) Refused(I);
    Put(I, V, Value, [this, I] { return GetFloat(I); });
}

std::string TQtAccessor::GetStr(const TObject* I) const {
    if (FType.Shape == qsString) return ReadQt(I).toString().toStdString();
    if (FType.Shape == qsText) return TextOf(ReadQt(I));
    return TPropAccessor::GetStr(I);
}

void TQtAccessor::SetStr(TObject* I, const std::string& Value) const {
    if (FType.Shape != qsString) return TPropAccessor::SetStr(I, Value);
    Put(I, QVariant(QString::fromStdString(Value)), Value, [this, I] { return GetStr(I); });
}

std::u16string TQtAccessor::GetWideStr(const TObject* I) const {
    return Utf8ToUtf16(GetStr(I));
}

void TQtAccessor::SetWideStr(TObject* I, const std::u16string& Value) const {
    SetStr(I, Utf16ToUtf8(Value));
}

TObject* TQtAccessor::GetObject(const TObject* I) const {
    TZkQtObject* Adapter = AdapterOf(I);
    if (FType.Shape == qsObject) {
        QObject* Object = ReadQt(I).value<QObject*>();
        return Adapter ? Adapter->Referenced(Object) : nullptr;
    }
    if (FType.Shape == qsValue) {
        if (!Adapter || !Adapter->GetTarget()) return nullptr;
        return Adapter->ValueOf(shared_from_this());
    }
    return TPropAccessor::GetObject(I);
}

void TQtAccessor::SetObject(TObject* I, TObject* Value) const {
    if (FType.Shape != qsObject) return TPropAccessor::SetObject(I, Value);
    QObject* Object = nullptr;
    if (Value) {
        auto* Other = DynamicCast<TZkQtObject>(Value);
        if (!Other || !Other->GetTarget()) Refused(I);
        Object = Other->GetTarget();
    }
    QVariant V = QVariant::fromValue(Object);
    if (!V.convert(FType.Type)) Refused(I);
    Put(I, V, static_cast<TObject*>(Value), [this, I] { return GetObject(I); });
}

// ---- TQtPropertyAccessor ----

TQtPropertyAccessor::TQtPropertyAccessor(std::string Name, TQtType Type, bool Writable,
                                         QMetaProperty Meta)
    : TQtAccessor(std::move(Name), std::move(Type), Writable), FMeta(Meta) {}

TQtPropertyAccessor::TQtPropertyAccessor(QByteArray DynamicName, TQtType Type)
    : TQtAccessor(DynamicName.toStdString(), std::move(Type), true),
      FDynamicName(std::move(DynamicName)) {}

TZkQtObject* TQtPropertyAccessor::AdapterOf(const TObject* I) const {
    return const_cast<TZkQtObject*>(static_cast<const TZkQtObject*>(I));
}

QVariant TQtPropertyAccessor::ReadQt(const TObject* I) const {
    QObject* Target = AdapterOf(I)->GetTarget();
    if (!Target) return QVariant();
    return FMeta.isValid() ? FMeta.read(Target) : Target->property(FDynamicName.constData());
}

bool TQtPropertyAccessor::WriteQt(TObject* I, const QVariant& Value) const {
    QObject* Target = AdapterOf(I)->GetTarget();
    if (!Target || !Value.isValid()) return false;
    if (FMeta.isValid()) return FMeta.write(Target, Value);
    // setProperty answers false for every dynamic property it sets.
    Target->setProperty(FDynamicName.constData(), Value);
    return true;
}

// ---- property lists ----

namespace {

TPropInfo PublishedOf(std::shared_ptr<TQtAccessor> Access) {
    TPropInfo P;
    P.Name = Access->GetName();
    P.PropType = Access->GetType().Info;
    // Qt declares no defaults, and adapters are never streamed: a value
    // counts as changed from no default, and none is stored.
    P.Default = NoDefault;
    P.StoredConst = false;
    P.Access = std::move(Access);
    return P;
}

}  // namespace

const std::vector<TPropInfo>& QtStaticProperties(const QMetaObject* Meta) {
    static std::unordered_map<const QMetaObject*, std::vector<TPropInfo>> Known;
    auto It = Known.find(Meta);
    if (It != Known.end()) return It->second;
    std::vector<TPropInfo> List;
    std::map<std::string, size_t> Places;
    for (int I = 0; I < Meta->propertyCount(); ++I) {
        const QMetaProperty Meta1 = Meta->property(I);
        if (!Meta1.isReadable()) continue;
        const QMetaEnum Enum = Meta1.isEnumType() ? Meta1.enumerator() : QMetaEnum();
        TQtType Type = MapQtType(Meta1.metaType(), &Enum, Meta1.isWritable());
        TPropInfo P = PublishedOf(std::make_shared<TQtPropertyAccessor>(
            Meta1.name(), std::move(Type), Meta1.isWritable(), Meta1));
        auto [Place, New] = Places.try_emplace(UpperCase(P.Name), List.size());
        if (New)
            List.push_back(std::move(P));
        else
            List[Place->second] = std::move(P);
    }
    return Known.emplace(Meta, std::move(List)).first->second;
}

std::vector<std::pair<QByteArray, int>> QtDynamicSignature(const QObject* Object) {
    std::vector<std::pair<QByteArray, int>> Result;
    if (!Object) return Result;
    for (const QByteArray& Name : Object->dynamicPropertyNames())
        if (!Name.startsWith("_q_"))
            Result.emplace_back(Name, Object->property(Name.constData()).metaType().id());
    return Result;
}

std::vector<TPropInfo> QtDynamicProperties(const QObject* Object,
                                           std::vector<std::pair<QByteArray, int>>* Signature) {
    std::vector<TPropInfo> List;
    std::vector<std::pair<QByteArray, int>> Names = QtDynamicSignature(Object);
    for (const auto& [Name, TypeId] : Names)
        List.push_back(PublishedOf(std::make_shared<TQtPropertyAccessor>(
            Name, MapQtType(QMetaType(TypeId), nullptr, true))));
    if (Signature) *Signature = std::move(Names);
    return List;
}

}  // namespace zk
