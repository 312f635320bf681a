// The one-byte value markers of the binary form stream and its fixed limits.
#pragma once
#include <cstdint>

namespace zk {

enum TValueType : uint8_t {
    vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue,
    vaBinary, vaSet, vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString,
    vaInt64, vaUTF8String, vaDouble
};
inline constexpr uint8_t vaLast = vaDouble;

// Component prefix flags: a prefix byte is $F0 | flags.
inline constexpr uint8_t ffInherited = 1;
inline constexpr uint8_t ffChildPos = 2;
inline constexpr uint8_t ffInline = 4;

// "TPF0", the signature that starts every component stream.
inline constexpr char FilerSignature[4] = {'T', 'P', 'F', '0'};

// Lists, collections and components nested deeper than this are rejected.
inline constexpr int MaxFilerNesting = 256;

// The 10 little-endian bytes of a vaExtended value as the nearest double.
double ExtendedToDouble(const uint8_t* Bytes);

}  // namespace zk
