// Identifier tables for integer types (clRed, crArrow, mrOk) and their registry by type.
#pragma once
#include <cstddef>
#include <string>

namespace zk {

struct TTypeInfo;

// One named value of an integer type.
struct TIdentMapEntry {
    int Value;
    const char* Name;
};

// Looks Ident up in Map, ignoring case; Int is untouched when it is not there.
bool IdentToInt(const std::string& Ident, int& Int, const TIdentMapEntry* Map, size_t Count);
// The first name of Int in Map; Ident is untouched when it has none.
bool IntToIdent(int Int, std::string& Ident, const TIdentMapEntry* Map, size_t Count);

using TIdentToInt = bool (*)(const std::string& Ident, int& Int);
using TIntToIdent = bool (*)(int Int, std::string& Ident);

// Makes the identifiers of an integer type known to the form reader and writer and
// to the inspector. Types are matched by descriptor pointer, so an alias ("TColor")
// has its own entry apart from "Integer". Registering a type again replaces its pair.
void RegisterIntegerConsts(const TTypeInfo* IntegerType, TIdentToInt IdentToIntFn,
                           TIntToIdent IntToIdentFn);
// The converters registered for IntegerType; null when there are none.
TIdentToInt FindIdentToInt(const TTypeInfo* IntegerType);
TIntToIdent FindIntToIdent(const TTypeInfo* IntegerType);

}  // namespace zk
