// Cursor identifiers and cursor text conversions.
#include "platform/core/Cursors.h"

#include <iterator>

#include "platform/core/IntegerConsts.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TypInfo.h"

namespace zk {

namespace {

const TIdentMapEntry CursorMap[] = {
    {crDefault, "crDefault"},     {crNone, "crNone"},           {crArrow, "crArrow"},
    {crCross, "crCross"},         {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},   {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},       {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},     {crNo, "crNo"},
    {crAppStart, "crAppStart"},   {crHelp, "crHelp"},           {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},
};

}  // namespace

const TTypeInfo* TypeInfoTCursor() {
    static const TTypeInfo* T = MakeAliasType("TCursor", TypeInfoInteger());
    return T;
}

bool CursorToIdent(int Cursor, std::string& Ident) {
    return IntToIdent(Cursor, Ident, CursorMap, std::size(CursorMap));
}

bool IdentToCursor(const std::string& Ident, int& Cursor) {
    return IdentToInt(Ident, Cursor, CursorMap, std::size(CursorMap));
}

std::string CursorToString(TCursor Cursor) {
    std::string Ident;
    if (CursorToIdent(Cursor, Ident)) return Ident;
    return IntToStr(Cursor);
}

TCursor StringToCursor(const std::string& S) {
    int Cursor;
    if (IdentToCursor(S, Cursor)) return Cursor;
    return StrToInt(S);
}

void GetCursorValues(const std::function<void(const std::string&)>& Proc) {
    for (const TIdentMapEntry& E : CursorMap) Proc(E.Name);
}

}  // namespace zk
