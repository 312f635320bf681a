// TModalResult: what a modal form or dialog button reports (mrOk, mrCancel), with identifiers.
#pragma once
#include <functional>
#include <string>

namespace zk {

struct TTypeInfo;

using TModalResult = int;
// "TModalResult", an alias of Integer.
const TTypeInfo* TypeInfoTModalResult();

inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

bool ModalResultToIdent(int ModalResult, std::string& Ident);
// Ignores case.
bool IdentToModalResult(const std::string& Ident, int& ModalResult);
// The identifier, else the number.
std::string ModalResultToString(TModalResult ModalResult);
// An identifier or an integer; anything else raises EConvertError
// "'%s' is not a valid integer value".
TModalResult StringToModalResult(const std::string& S);
// Every modal result identifier, in table order.
void GetModalResultValues(const std::function<void(const std::string&)>& Proc);

}  // namespace zk
