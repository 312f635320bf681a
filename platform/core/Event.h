// Events: bound method pointers that can be copied, compared and named.
#pragma once
#include <atomic>
#include <cassert>
#include <cstring>
#include <functional>
#include <memory>
#include <typeinfo>

#include "platform/core/Object.h"

namespace zk {

// The type-erased form of any event, as run-time type information reads and
// writes it: the bound object, the code identity and the callable.
struct TMethod {
    TObject* Data = nullptr;
    TMethodCode Code;
    std::shared_ptr<const void> Fn;  // a std::function of Signature
    const std::type_info* Signature = nullptr;

    bool Assigned() const { return Fn != nullptr; }
    bool operator==(const TMethod& O) const { return Data == O.Data && Code == O.Code; }
};

template <class M>
TMethodCode MethodCodeOf(M Member) {
    static_assert(sizeof(M) <= sizeof(TMethodCode::Bytes), "member pointer too large");
    TMethodCode Code;
    std::memcpy(Code.Bytes.data(), &Member, sizeof(M));
    return Code;
}

// A serial code for a callable bound without a member function.
TMethodCode NewCallableCode();

// Binds a published method (found by name or code) to Instance, as a stream
// reader binds an event to a handler of the root component.
TMethod BindMethod(TObject* Instance, const TMethodInfo& Method);

template <class Sig>
class TEvent;

// An unassigned event, as Method() reports one.
const TMethod& EmptyMethod();

// An event holds one shared pointer to its binding, so that the many events
// of a control or an item cost two words each while unassigned.
template <class R, class... A>
class TEvent<R(A...)> {
public:
    using TSignature = R(A...);
    using TFunction = std::function<R(A...)>;

    TEvent() = default;
    TEvent(std::nullptr_t) {}
    // Binds Obj's method; Obj is not owned.
    template <class C, class Base>
    TEvent(C* Obj, R (Base::*Member)(A...)) {
        auto M = std::make_shared<TMethod>();
        M->Data = Obj;
        M->Code = MethodCodeOf(Member);
        M->Fn = std::make_shared<const TFunction>(
            [Obj, Member](A... Args) -> R { return (Obj->*Member)(std::forward<A>(Args)...); });
        M->Signature = &typeid(TSignature);
        FBinding = std::move(M);
    }
    // Binds any callable; Data is the object it belongs to (may be null).
    template <class F, class = std::enable_if_t<std::is_invocable_r_v<R, F, A...> &&
                                                !std::is_same_v<std::decay_t<F>, TEvent>>>
    TEvent(F&& Callable, TObject* Data = nullptr) {
        auto M = std::make_shared<TMethod>();
        M->Data = Data;
        M->Code = NewCallableCode();
        M->Fn = std::make_shared<const TFunction>(std::forward<F>(Callable));
        M->Signature = &typeid(TSignature);
        FBinding = std::move(M);
    }

    bool Assigned() const { return FBinding != nullptr; }
    explicit operator bool() const { return Assigned(); }
    TObject* Data() const { return FBinding ? FBinding->Data : nullptr; }

    R operator()(A... Args) const {
        assert(Assigned() && "calling an unassigned event; test Assigned() first");
        return (*static_cast<const TFunction*>(FBinding->Fn.get()))(std::forward<A>(Args)...);
    }

    const TMethod& Method() const { return FBinding ? *FBinding : EmptyMethod(); }
    // Takes over a type-erased method; false (and no change) when its signature differs.
    bool SetMethod(const TMethod& M) {
        if (M.Assigned() && (!M.Signature || *M.Signature != typeid(TSignature))) return false;
        FBinding = M.Assigned() ? std::make_shared<const TMethod>(M) : nullptr;
        return true;
    }

    bool operator==(const TEvent& O) const { return Method() == O.Method(); }

private:
    std::shared_ptr<const TMethod> FBinding;  // null while unassigned; never changed in place
};

// Declares an event type with its own type name, as the type information reports it.
#define ZK_EVENT(Name, ...)                                                        \
    struct Name : ::zk::TEvent<__VA_ARGS__> {                                      \
        using TEvent::TEvent;                                                      \
        Name() = default;                                                          \
        Name(const ::zk::TEvent<__VA_ARGS__>& E) : TEvent(E) {}                    \
    };                                                                             \
    inline const ::zk::TTypeInfo* ZkTypeInfo(Name*) {                              \
        static const ::zk::TTypeInfo* Info = ::zk::MakeMethodType(#Name);          \
        return Info;                                                               \
    }

const TTypeInfo* MakeMethodType(const char* Name);

ZK_EVENT(TNotifyEvent, void(TObject* Sender))

}  // namespace zk
