// Identifier table look-ups and the process-wide registry of integer identifiers.
#include "platform/core/IntegerConsts.h"

#include <mutex>
#include <vector>

#include "platform/core/SysUtils.h"

namespace zk {

bool IdentToInt(const std::string& Ident, int& Int, const TIdentMapEntry* Map, size_t Count) {
    for (size_t I = 0; I < Count; ++I) {
        if (SameText(Map[I].Name, Ident)) {
            Int = Map[I].Value;
            return true;
        }
    }
    return false;
}

bool IntToIdent(int Int, std::string& Ident, const TIdentMapEntry* Map, size_t Count) {
    for (size_t I = 0; I < Count; ++I) {
        if (Map[I].Value == Int) {
            Ident = Map[I].Name;
            return true;
        }
    }
    return false;
}

namespace {

struct TIntConstEntry {
    const TTypeInfo* Type;
    TIdentToInt ToInt;
    TIntToIdent ToIdent;
};

// Readers on worker threads may look types up while the library registers them.
struct TIntConstRegistry {
    std::mutex Lock;
    std::vector<TIntConstEntry> Entries;
};

TIntConstRegistry& Registry() {
    static TIntConstRegistry* R = new TIntConstRegistry;  // never destroyed: used until exit
    return *R;
}

const TIntConstEntry* FindEntry(const std::vector<TIntConstEntry>& Entries, const TTypeInfo* Type) {
    for (const TIntConstEntry& E : Entries)
        if (E.Type == Type) return &E;
    return nullptr;
}

}  // namespace

void RegisterIntegerConsts(const TTypeInfo* IntegerType, TIdentToInt IdentToIntFn,
                           TIntToIdent IntToIdentFn) {
    TIntConstRegistry& R = Registry();
    std::lock_guard<std::mutex> Guard(R.Lock);
    for (TIntConstEntry& E : R.Entries) {
        if (E.Type == IntegerType) {
            E.ToInt = IdentToIntFn;
            E.ToIdent = IntToIdentFn;
            return;
        }
    }
    R.Entries.push_back({IntegerType, IdentToIntFn, IntToIdentFn});
}

TIdentToInt FindIdentToInt(const TTypeInfo* IntegerType) {
    TIntConstRegistry& R = Registry();
    std::lock_guard<std::mutex> Guard(R.Lock);
    const TIntConstEntry* E = FindEntry(R.Entries, IntegerType);
    return E ? E->ToInt : nullptr;
}

TIntToIdent FindIntToIdent(const TTypeInfo* IntegerType) {
    TIntConstRegistry& R = Registry();
    std::lock_guard<std::mutex> Guard(R.Lock);
    const TIntConstEntry* E = FindEntry(R.Entries, IntegerType);
    return E ? E->ToIdent : nullptr;
}

}  // namespace zk
