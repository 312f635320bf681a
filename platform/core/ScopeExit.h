// Scope guards, so that update brackets and re-entry flags close on every path.
#pragma once
#include <utility>

namespace zk {

template <class F>
class TScopeExit {
public:
    explicit TScopeExit(F Fn) : FFn(std::move(Fn)) {}
    ~TScopeExit() { FFn(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    F FFn;
};

// Sets a variable for one scope and restores its old value on every path,
// for re-entry flags and quiet modes.
template <class T>
class TValueRollback {
public:
    TValueRollback(T& Var, T Value) : FVar(Var), FOld(std::move(Var)) { FVar = std::move(Value); }
    ~TValueRollback() { FVar = std::move(FOld); }
    TValueRollback(const TValueRollback&) = delete;
    TValueRollback& operator=(const TValueRollback&) = delete;

private:
    T& FVar;
    T FOld;
};

// Calls Obj.BeginUpdate() now and Obj.EndUpdate() when the scope ends.
template <class T>
class TUpdateGuard {
public:
    explicit TUpdateGuard(T& Obj) : FObj(Obj) { FObj.BeginUpdate(); }
    ~TUpdateGuard() { FObj.EndUpdate(); }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
    T& FObj;
};

}  // namespace zk
