// TCursor: the mouse cursor numbers (crArrow, crHourGlass), their identifiers and text conversions.
#pragma once
#include <functional>
#include <string>

namespace zk {

struct TTypeInfo;

// The stock cursors are zero or negative; applications add their own above zero.
using TCursor = int;
// "TCursor", an alias of Integer.
const TTypeInfo* TypeInfoTCursor();

inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

bool CursorToIdent(int Cursor, std::string& Ident);
// Ignores case.
bool IdentToCursor(const std::string& Ident, int& Cursor);
// The identifier, else the number ("5").
std::string CursorToString(TCursor Cursor);
// An identifier or an integer; anything else raises EConvertError
// "'%s' is not a valid integer value".
TCursor StringToCursor(const std::string& S);
// Every cursor identifier, in table order.
void GetCursorValues(const std::function<void(const std::string&)>& Proc);

}  // namespace zk
