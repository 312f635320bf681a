// TObject, class information, message dispatch, interfaces and the class registry.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <typeinfo>
#include <unordered_map>
#include <vector>

namespace zk {

class TObject;
class TClassInfo;
class TComponent;
class TCollection;
class TCollectionItem;
struct TTypeInfo;
struct TPropInfo;
template <class C>
class TClassBuilder;

// A message sent or posted to an object; handlers are found by Msg.
struct TMessage {
    uint32_t Msg = 0;
    intptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

// Identity of a bound method: the bytes of a member function pointer, or a
// serial number for a bound callable. Equal codes on the same object mean the
// same handler.
struct TMethodCode {
    std::array<unsigned char, 16> Bytes{};
    bool IsNull() const {
        for (unsigned char B : Bytes)
            if (B) return false;
        return true;
    }
    bool operator==(const TMethodCode&) const = default;
};

// A published method: a name, its code and a way to bind it to an instance.
struct TMethodInfo {
    std::string Name;
    TMethodCode Code;
    const std::type_info* Signature = nullptr;
    // Returns a std::function<Signature> bound to the instance, type-erased.
    std::function<std::shared_ptr<const void>(TObject*)> Bind;
};

using TMessageHandler = std::function<void(TObject*, TMessage&)>;

// What the framework knows of a class at run time. One per class, built lazily
// on first use from the class's DescribeClass, never destroyed.
class TClassInfo {
public:
    using TParentFn = const TClassInfo* (*)();
    using TDescribeFn = void (*)(TClassInfo&);
    // The virtual constructors a class offers; null where it has none.
    struct TConstructors {
        TObject* (*CreateDefault)() = nullptr;
        TComponent* (*CreateComponent)(TComponent* AOwner) = nullptr;
        TCollectionItem* (*CreateItem)(TCollection* Collection) = nullptr;
    };

    TClassInfo(const char* Name, TParentFn Parent, TDescribeFn Describe, TConstructors Constructors);
    // A class described at run time, for objects whose published properties
    // are known only once they exist (an adapter that presents the properties
    // of another object model answers one from ClassType()). It descends from
    // Parent for InheritsFrom and casts, but publishes exactly Props, in their
    // order, and none of Parent's; it has no virtual constructor.
    TClassInfo(std::string Name, const TClassInfo* Parent, std::vector<TPropInfo> Props);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;
    ~TClassInfo();

    const std::string& ClassName() const { return FName; }
    const TClassInfo* ClassParent() const;
    bool InheritsFrom(const TClassInfo* Ancestor) const;
    bool ClassNameIs(const std::string& Name) const;
    // The tkClass type descriptor of this class.
    const TTypeInfo* TypeInfo() const { return FTypeInfo.get(); }

    // Virtual constructors; null when the class offers none.
    TObject* (*const CreateDefault)();
    TComponent* (*const CreateComponent)(TComponent* AOwner);
    TCollectionItem* (*const CreateItem)(TCollection* Collection);
    bool IsAbstract() const { return !CreateDefault && !CreateComponent && !CreateItem; }

    // Published properties, inherited first, in declaration order; a property
    // published again by a descendant keeps its place and takes the new details.
    const std::vector<const TPropInfo*>& Properties() const;
    // The same list sorted by name (case-insensitive, stable), kept for every list that asks.
    const std::vector<const TPropInfo*>& PropertiesByName() const;
    const TPropInfo* FindProperty(const std::string& Name) const;  // case-insensitive
    // Published methods of this class and its ancestors.
    const TMethodInfo* FindMethod(const std::string& Name) const;
    const TMethodInfo* FindMethodByCode(const TMethodCode& Code) const;
    // The handler of Msg in this class or its nearest ancestor; null if none.
    const TMessageHandler* FindMessageHandler(uint32_t Msg) const;

    // Used by TClassBuilder while the class describes itself.
    TPropInfo& AddProperty(const std::string& Name);
    TPropInfo* OwnProperty(const std::string& Name);
    void AddMethod(TMethodInfo Info);
    void AddMessageHandler(uint32_t Msg, TMessageHandler Handler);

private:
    void EnsureDescribed() const;
    void Describe();
    void SortByName();

    std::string FName;
    TParentFn FParentFn;
    const TClassInfo* FParent = nullptr;  // a run-time class's parent, instead of FParentFn
    TDescribeFn FDescribeFn;
    std::unique_ptr<TTypeInfo> FTypeInfo;
    mutable std::once_flag FDescribed;
    std::vector<std::unique_ptr<TPropInfo>> FOwnProps;  // declared or redeclared here
    std::vector<const TPropInfo*> FProps;              // the full list, built once
    std::vector<const TPropInfo*> FPropsByName;        // FProps sorted by name
    // FProps by name, ASCII case folded: every by-name access asks it.
    struct TFoldHash {
        size_t operator()(const std::string& S) const;
    };
    struct TFoldEqual {
        bool operator()(const std::string& A, const std::string& B) const;
    };
    std::unordered_map<std::string, const TPropInfo*, TFoldHash, TFoldEqual> FPropIndex;
    std::vector<TMethodInfo> FMethods;
    std::vector<std::pair<uint32_t, TMessageHandler>> FHandlers;
};

// Declares a class's run-time information inside its body. Leaves access private.
#define ZK_CLASS(Class, Parent)                                                   \
public:                                                                           \
    using inherited = Parent;                                                     \
    static const ::zk::TClassInfo* StaticClass();                                 \
    const ::zk::TClassInfo* ClassType() const override { return StaticClass(); }  \
    static void DescribeClass(::zk::TClassBuilder<Class>& C);                     \
                                                                                  \
private:

// Defines StaticClass(); DescribeClass follows as an ordinary function body:
//   ZK_IMPLEMENT_CLASS(TFoo)
//   void TFoo::DescribeClass(TClassBuilder<TFoo>& C) { C.Prop("Bar", &TFoo::GetBar, &TFoo::SetBar); }
#define ZK_IMPLEMENT_CLASS(Class)                                                          \
    const ::zk::TClassInfo* Class::StaticClass() {                                         \
        static ::zk::TClassInfo Info(#Class, &Class::inherited::StaticClass,                \
                                     &::zk::DescribeClassThunk<Class>,                     \
                                     ::zk::ConstructorsOf<Class>());                       \
        return &Info;                                                                      \
    }

// Root of every framework object.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo* StaticClass();
    virtual const TClassInfo* ClassType() const { return StaticClass(); }
    static void DescribeClass(TClassBuilder<TObject>& C);

    const std::string& ClassName() const { return ClassType()->ClassName(); }
    const TClassInfo* ClassParent() const { return ClassType()->ClassParent(); }
    bool InheritsFrom(const TClassInfo* Class) const { return ClassType()->InheritsFrom(Class); }
    bool ClassNameIs(const std::string& Name) const { return ClassType()->ClassNameIs(Name); }

    // Called once the most derived constructor has finished, by the virtual
    // constructors and by Create<T>(); the first point where virtual calls on
    // the object reach its own class.
    virtual void AfterConstruction() {}
    // Called by Free() before any destructor body runs, while the object is whole.
    virtual void BeforeDestruction() {}
    // Runs BeforeDestruction, then deletes. Owning pointers free through this.
    void Free();

    // Sends Message to the handler registered for its number in this class or
    // an ancestor; DefaultHandler when there is none.
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    // Published methods by name and by code, as the form stream needs them.
    const TMethodInfo* MethodAddress(const std::string& Name) const;
    std::string MethodName(const TMethodCode& Code) const;
};

// Constructs a T and runs its AfterConstruction; the way to create objects
// whose construction completes there (collection items join their collection).
template <class T, class... A>
T* Create(A&&... Args) {
    T* Obj = new T(std::forward<A>(Args)...);
    try {
        Obj->AfterConstruction();
    } catch (...) {
        delete Obj;
        throw;
    }
    return Obj;
}

// Frees Obj when it is not null.
inline void FreeObject(TObject* Obj) {
    if (Obj) Obj->Free();
}

// Deleter for owning smart pointers, so that owned objects go through Free().
struct TFreeDeleter {
    void operator()(TObject* Obj) const { FreeObject(Obj); }
};
template <class T>
using TOwned = std::unique_ptr<T, TFreeDeleter>;

// Checked down-cast by run-time class information; null when Obj is not a T.
template <class T>
T* DynamicCast(TObject* Obj) {
    return Obj && Obj->InheritsFrom(T::StaticClass()) ? static_cast<T*>(Obj) : nullptr;
}
template <class T>
const T* DynamicCast(const TObject* Obj) {
    return Obj && Obj->InheritsFrom(T::StaticClass()) ? static_cast<const T*>(Obj) : nullptr;
}
template <class T>
bool Is(const TObject* Obj) {
    return Obj && Obj->InheritsFrom(T::StaticClass());
}

// The framework's class registry: only registered classes can be created by
// name when a stream is read.
void RegisterClass(const TClassInfo* Class);
void RegisterClasses(std::initializer_list<const TClassInfo*> Classes);
void UnRegisterClass(const TClassInfo* Class);
const TClassInfo* GetClass(const std::string& Name);   // null when unknown
const TClassInfo* FindClass(const std::string& Name);  // EClassNotFound "Class %s not found"

// Interfaces. Objects are owned by the object model, so there is no reference counting.
struct TGUID {
    uint32_t D1 = 0;
    uint16_t D2 = 0, D3 = 0;
    std::array<uint8_t, 8> D4{};
    bool operator==(const TGUID&) const = default;
    static TGUID FromString(const std::string& S);  // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
    std::string ToString() const;
};

class IInterface {
public:
    virtual ~IInterface() = default;
    // Sets Obj to the interface IID of this object and answers true when it has it.
    virtual bool QueryInterface(const TGUID& IID, void** Obj) = 0;
};

class IInterfaceComponentReference : public IInterface {
public:
    static const TGUID IID;  // {E28B1858-EC86-4559-8FCD-6B4F824151ED}
    virtual TComponent* GetComponent() = 0;
};

// Queries Intf for IID; null-safe.
bool Supports(IInterface* Intf, const TGUID& IID, void** Obj);

template <class C>
void DescribeClassThunk(TClassInfo& Info);
template <class C>
TClassInfo::TConstructors ConstructorsOf();

}  // namespace zk
