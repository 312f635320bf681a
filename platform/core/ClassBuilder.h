// How a class describes itself: published properties, methods, message
// handlers and virtual constructors, each in one line of its DescribeClass.
#pragma once
#include <functional>
#include <string>
#include <type_traits>

#include "platform/core/Event.h"
#include "platform/core/Object.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TypInfo.h"

namespace zk {

namespace detail {

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {};

template <class T>
struct IsEvent {
    template <class S>
    static std::true_type Test(const TEvent<S>*);
    static std::false_type Test(...);
    static constexpr bool value = decltype(Test(static_cast<const T*>(nullptr)))::value;
};

template <class T>
constexpr bool IsObjectPtr = std::is_pointer_v<T> &&
                             std::is_base_of_v<TObject, std::remove_cv_t<std::remove_pointer_t<T>>>;
template <class T>
constexpr bool IsInterfacePtr =
    std::is_pointer_v<T> && std::is_base_of_v<IInterface, std::remove_cv_t<std::remove_pointer_t<T>>>;
template <class T>
constexpr bool IsInt64 = std::is_same_v<T, int64_t> || std::is_same_v<T, long long> ||
                         std::is_same_v<T, uint64_t>;
template <class T>
constexpr bool IsOrdinal =
    (std::is_integral_v<T> && !IsInt64<T>) || std::is_enum_v<T> || IsSet<T>::value;

template <class T>
int64_t ToOrd(const T& V) {
    if constexpr (IsSet<T>::value) return V.ToInt();
    else if constexpr (std::is_same_v<T, bool>) return V ? 1 : 0;
    else if constexpr (std::is_same_v<T, char>) return static_cast<unsigned char>(V);
    else return static_cast<int64_t>(V);
}
template <class T>
T FromOrd(int64_t V) {
    if constexpr (IsSet<T>::value) return T::FromInt(static_cast<uint32_t>(V));
    else if constexpr (std::is_same_v<T, bool>) return V != 0;
    else return static_cast<T>(V);
}

[[noreturn]] void ReadOnlyProperty();
[[noreturn]] void IncompatibleMethod();
[[noreturn]] void IncompatibleObject(const TObject* Value, const TClassInfo* Expected);

}  // namespace detail

// The type descriptor of a C++ property type.
template <class T>
const TTypeInfo* TypeInfoOf() {
    if constexpr (std::is_same_v<T, bool>) return TypeInfoBoolean();
    else if constexpr (std::is_same_v<T, char>) return TypeInfoChar();
    else if constexpr (std::is_same_v<T, char16_t>) return TypeInfoWideChar();
    else if constexpr (std::is_same_v<T, uint8_t>) return TypeInfoByte();
    else if constexpr (std::is_same_v<T, unsigned>) return TypeInfoCardinal();
    else if constexpr (detail::IsInt64<T>) return TypeInfoInt64();
    else if constexpr (std::is_integral_v<T>) return TypeInfoInteger();
    else if constexpr (std::is_floating_point_v<T>) return TypeInfoDouble();
    else if constexpr (std::is_same_v<T, std::string>) return TypeInfoString();
    else if constexpr (std::is_same_v<T, std::u16string>) return TypeInfoWideString();
    else if constexpr (std::is_same_v<T, TVariant>) return TypeInfoVariant();
    else if constexpr (detail::IsObjectPtr<T>) return std::remove_cv_t<std::remove_pointer_t<T>>::StaticClass()->TypeInfo();
    else if constexpr (detail::IsInterfacePtr<T>) return TypeInfoIInterface();
    else return ZkTypeInfo(static_cast<T*>(nullptr));  // enumerations, sets, events
}

// Reaches a property of class C whose C++ type is T through a getter and an
// optional setter.
template <class C, class T>
class TMemberAccessor final : public TPropAccessor {
public:
    using TGet = std::function<T(const C&)>;
    using TPut = std::function<void(C&, T)>;
    TMemberAccessor(TGet Get, TPut Put) : FGet(std::move(Get)), FPut(std::move(Put)) {}

    bool HasWrite() const override { return static_cast<bool>(FPut); }

    int64_t GetOrd(const TObject* I) const override {
        if constexpr (detail::IsOrdinal<T>) return detail::ToOrd(Get(I));
        else if constexpr (detail::IsInt64<T>) return static_cast<int64_t>(Get(I));
        else if constexpr (detail::IsObjectPtr<T>)
            return static_cast<int64_t>(reinterpret_cast<intptr_t>(static_cast<const TObject*>(Get(I))));
        else return TPropAccessor::GetOrd(I);
    }
    void SetOrd(TObject* I, int64_t V) const override {
        if constexpr (detail::IsOrdinal<T>) Put(I, detail::FromOrd<T>(V));
        else if constexpr (detail::IsInt64<T>) Put(I, static_cast<T>(V));
        else TPropAccessor::SetOrd(I, V);
    }
    int64_t GetInt64(const TObject* I) const override {
        if constexpr (detail::IsInt64<T> || detail::IsOrdinal<T>) return GetOrd(I);
        else return TPropAccessor::GetInt64(I);
    }
    void SetInt64(TObject* I, int64_t V) const override {
        if constexpr (detail::IsInt64<T> || detail::IsOrdinal<T>) SetOrd(I, V);
        else TPropAccessor::SetInt64(I, V);
    }
    double GetFloat(const TObject* I) const override {
        if constexpr (std::is_floating_point_v<T>) return static_cast<double>(Get(I));
        else return TPropAccessor::GetFloat(I);
    }
    void SetFloat(TObject* I, double V) const override {
        if constexpr (std::is_floating_point_v<T>) Put(I, static_cast<T>(V));
        else TPropAccessor::SetFloat(I, V);
    }
    std::string GetStr(const TObject* I) const override {
        if constexpr (std::is_same_v<T, std::string>) return Get(I);
        else if constexpr (std::is_same_v<T, std::u16string>) return Utf16ToUtf8(Get(I));
        else return TPropAccessor::GetStr(I);
    }
    void SetStr(TObject* I, const std::string& V) const override {
        if constexpr (std::is_same_v<T, std::string>) Put(I, V);
        else if constexpr (std::is_same_v<T, std::u16string>) Put(I, Utf8ToUtf16(V));
        else TPropAccessor::SetStr(I, V);
    }
    std::u16string GetWideStr(const TObject* I) const override {
        if constexpr (std::is_same_v<T, std::u16string>) return Get(I);
        else if constexpr (std::is_same_v<T, std::string>) return Utf8ToUtf16(Get(I));
        else return TPropAccessor::GetWideStr(I);
    }
    void SetWideStr(TObject* I, const std::u16string& V) const override {
        if constexpr (std::is_same_v<T, std::u16string>) Put(I, V);
        else if constexpr (std::is_same_v<T, std::string>) Put(I, Utf16ToUtf8(V));
        else TPropAccessor::SetWideStr(I, V);
    }
    TVariant GetVariant(const TObject* I) const override {
        if constexpr (std::is_same_v<T, TVariant>) return Get(I);
        else return TPropAccessor::GetVariant(I);
    }
    void SetVariant(TObject* I, const TVariant& V) const override {
        if constexpr (std::is_same_v<T, TVariant>) Put(I, V);
        else TPropAccessor::SetVariant(I, V);
    }
    TObject* GetObject(const TObject* I) const override {
        if constexpr (detail::IsObjectPtr<T>) return const_cast<TObject*>(static_cast<const TObject*>(Get(I)));
        else return TPropAccessor::GetObject(I);
    }
    void SetObject(TObject* I, TObject* V) const override {
        if constexpr (detail::IsObjectPtr<T>) {
            using D = std::remove_cv_t<std::remove_pointer_t<T>>;
            if (V && !V->InheritsFrom(D::StaticClass())) detail::IncompatibleObject(V, D::StaticClass());
            Put(I, static_cast<D*>(V));
        } else {
            TPropAccessor::SetObject(I, V);
        }
    }
    const TClassInfo* ObjectClass() const override {
        if constexpr (detail::IsObjectPtr<T>) return std::remove_cv_t<std::remove_pointer_t<T>>::StaticClass();
        else return nullptr;
    }
    TMethod GetMethod(const TObject* I) const override {
        if constexpr (detail::IsEvent<T>::value) return Get(I).Method();
        else return TPropAccessor::GetMethod(I);
    }
    void SetMethod(TObject* I, const TMethod& V) const override {
        if constexpr (detail::IsEvent<T>::value) {
            T Event;
            if (!Event.SetMethod(V)) detail::IncompatibleMethod();
            Put(I, Event);
        } else {
            TPropAccessor::SetMethod(I, V);
        }
    }
    IInterface* GetInterface(const TObject* I) const override {
        if constexpr (detail::IsInterfacePtr<T>) return Get(I);
        else return TPropAccessor::GetInterface(I);
    }
    void SetInterface(TObject* I, IInterface* V) const override {
        if constexpr (detail::IsInterfacePtr<T>) {
            using D = std::remove_pointer_t<T>;
            D* Typed = V ? dynamic_cast<D*>(V) : nullptr;
            if (V && !Typed) detail::IncompatibleObject(nullptr, nullptr);
            Put(I, Typed);
        } else {
            TPropAccessor::SetInterface(I, V);
        }
    }

private:
    T Get(const TObject* I) const { return FGet(*static_cast<const C*>(I)); }
    void Put(TObject* I, T V) const {
        if (!FPut) detail::ReadOnlyProperty();
        FPut(*static_cast<C*>(I), std::move(V));
    }
    TGet FGet;
    TPut FPut;
};

// Chained details of one property: .Default(5).Stored(false).Type(TypeInfoTColor()).
template <class C>
class TPropBuilder {
public:
    explicit TPropBuilder(TPropInfo& Prop) : FProp(Prop) {}
    TPropBuilder& Default(int64_t Value) {
        FProp.Default = static_cast<int>(Value);
        return *this;
    }
    template <class E>
    TPropBuilder& Default(TSet<E> Value) {
        FProp.Default = static_cast<int>(Value.ToInt());
        return *this;
    }
    TPropBuilder& NoDefault() {
        FProp.Default = zk::NoDefault;
        return *this;
    }
    TPropBuilder& Stored(bool Value) {
        FProp.StoredConst = Value;
        FProp.StoredProc = nullptr;
        return *this;
    }
    TPropBuilder& Stored(bool (C::*Test)() const) {
        FProp.StoredProc = [Test](const TObject* I) { return (static_cast<const C*>(I)->*Test)(); };
        return *this;
    }
    TPropBuilder& Type(const TTypeInfo* Info) {
        FProp.PropType = Info;
        return *this;
    }

private:
    TPropInfo& FProp;
};

template <class C>
class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo& Info) : FInfo(Info) {}

    // Publishes a property read by Getter and written by Setter (omit it for a
    // read-only property). Getter and Setter may be member functions or callables.
    template <class G, class S = std::nullptr_t>
    TPropBuilder<C> Prop(const std::string& Name, G Getter, S Setter = nullptr) {
        using T = std::decay_t<std::invoke_result_t<G, C&>>;
        typename TMemberAccessor<C, T>::TGet Get = [Getter](const C& Obj) -> T {
            return std::invoke(Getter, const_cast<C&>(Obj));
        };
        typename TMemberAccessor<C, T>::TPut Put;
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            Put = [Setter](C& Obj, T Value) { std::invoke(Setter, Obj, std::move(Value)); };
        TPropInfo& P = FInfo.AddProperty(Name);
        P.PropType = TypeInfoOf<T>();
        P.Access = std::make_shared<TMemberAccessor<C, T>>(std::move(Get), std::move(Put));
        return TPropBuilder<C>(P);
    }

    // Publishes an inherited property again, to give it a new default or stored rule.
    TPropBuilder<C> Redeclare(const std::string& Name);

    // Publishes a method, so that streams can bind events to it by name.
    template <class Base, class R, class... A>
    void Method(const std::string& Name, R (Base::*Member)(A...)) {
        TMethodInfo M;
        M.Name = Name;
        M.Code = MethodCodeOf(Member);
        M.Signature = &typeid(R(A...));
        M.Bind = [Member](TObject* Obj) -> std::shared_ptr<const void> {
            C* Target = static_cast<C*>(Obj);
            return std::make_shared<const std::function<R(A...)>>(
                [Target, Member](A... Args) -> R { return (Target->*Member)(std::forward<A>(Args)...); });
        };
        FInfo.AddMethod(std::move(M));
    }

    // Registers the handler of a message number for Dispatch.
    template <class Base>
    void Message(uint32_t Msg, void (Base::*Handler)(TMessage&)) {
        FInfo.AddMessageHandler(Msg, [Handler](TObject* Obj, TMessage& M) {
            (static_cast<C*>(Obj)->*Handler)(M);
        });
    }

private:
    TClassInfo& FInfo;
};

TPropInfo& RedeclareProperty(TClassInfo& Info, const std::string& Name);

template <class C>
TPropBuilder<C> TClassBuilder<C>::Redeclare(const std::string& Name) {
    return TPropBuilder<C>(RedeclareProperty(FInfo, Name));
}

template <class C>
TClassInfo::TConstructors ConstructorsOf() {
    TClassInfo::TConstructors Result;
    if constexpr (!std::is_abstract_v<C>) {
        if constexpr (std::is_base_of_v<TComponent, C> && std::is_constructible_v<C, TComponent*>) {
            Result.CreateComponent = [](TComponent* Owner) -> TComponent* { return Create<C>(Owner); };
        } else if constexpr (std::is_base_of_v<TCollectionItem, C> &&
                             std::is_constructible_v<C, TCollection*>) {
            Result.CreateItem = [](TCollection* Collection) -> TCollectionItem* {
                return Create<C>(Collection);
            };
        } else if constexpr (std::is_default_constructible_v<C>) {
            Result.CreateDefault = []() -> TObject* { return Create<C>(); };
        }
    }
    return Result;
}

template <class C>
void DescribeClassThunk(TClassInfo& Info) {
    TClassBuilder<C> Builder(Info);
    C::DescribeClass(Builder);
}

}  // namespace zk
