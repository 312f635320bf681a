// TPersistent.
#include "platform/core/Persistent.h"

#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TPersistent)
void TPersistent::DescribeClass(TClassBuilder<TPersistent>&) {}

void TPersistent::Assign(TPersistent* Source) {
    if (Source)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) {
    Dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* Source) {
    std::string SourceName = Source ? Source->ClassName() : std::string("nil");
    throw EConvertError("Cannot assign a %s to a %s", {SourceName, ClassName()});
}

std::string TPersistent::GetNamePath() const {
    std::string Result = ClassName();
    if (TPersistent* Owner = GetOwner()) {
        std::string S = Owner->GetNamePath();
        if (!S.empty()) Result = S + "." + Result;
    }
    return Result;
}

void TPersistent::DefineProperties(TFiler*) {}

}  // namespace zk
