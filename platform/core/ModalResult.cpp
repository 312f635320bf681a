// Modal result identifiers and their text conversions.
#include "platform/core/ModalResult.h"

#include <iterator>

#include "platform/core/IntegerConsts.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TypInfo.h"

namespace zk {

namespace {

const TIdentMapEntry ModalResultMap[] = {
    {mrNone, "mrNone"},         {mrOk, "mrOk"},
    {mrCancel, "mrCancel"},     {mrAbort, "mrAbort"},
    {mrRetry, "mrRetry"},       {mrIgnore, "mrIgnore"},
    {mrYes, "mrYes"},           {mrNo, "mrNo"},
    {mrAll, "mrAll"},           {mrNoToAll, "mrNoToAll"},
    {mrYesToAll, "mrYesToAll"},
};

}  // namespace

const TTypeInfo* TypeInfoTModalResult() {
    static const TTypeInfo* T = MakeAliasType("TModalResult", TypeInfoInteger());
    return T;
}

bool ModalResultToIdent(int ModalResult, std::string& Ident) {
    return IntToIdent(ModalResult, Ident, ModalResultMap, std::size(ModalResultMap));
}

bool IdentToModalResult(const std::string& Ident, int& ModalResult) {
    return IdentToInt(Ident, ModalResult, ModalResultMap, std::size(ModalResultMap));
}

std::string ModalResultToString(TModalResult ModalResult) {
    std::string Ident;
    if (ModalResultToIdent(ModalResult, Ident)) return Ident;
    return IntToStr(ModalResult);
}

TModalResult StringToModalResult(const std::string& S) {
    int ModalResult;
    if (IdentToModalResult(S, ModalResult)) return ModalResult;
    return StrToInt(S);
}

void GetModalResultValues(const std::function<void(const std::string&)>& Proc) {
    for (const TIdentMapEntry& E : ModalResultMap) Proc(E.Name);
}

}  // namespace zk
