// A scope guard, so that update brackets and re-entry flags close on every path.
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

// Gives a variable a value for the length of a scope and restores the old one
// after, on every path (a re-entry flag, a mode).
template <class T>
class TValueRollback {
public:
    TValueRollback(T& Var, T Value) : FVar(Var), FOld(std::exchange(Var, std::move(Value))) {}
    ~TValueRollback() { FVar = std::move(FOld); }
    TValueRollback(const TValueRollback&) = delete;
    TValueRollback& operator=(const TValueRollback&) = delete;

private:
    T& FVar;
    T FOld;
};

}  // namespace zk
