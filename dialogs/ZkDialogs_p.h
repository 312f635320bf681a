// Helpers shared by the dialogs: finding the components their form descriptions made.
#pragma once
#include <string>

#include "platform/core/Component.h"
#include "platform/core/SysUtils.h"

namespace zk {

// Field := Form's component Name, which the form description must have made
// with class T; a description without it raises EReadError.
template <class T>
void BindComponent(TComponent* Form, T*& Field, const std::string& Name) {
    Field = DynamicCast<T>(Form->FindComponent(Name));
    if (!Field)
        throw EReadError("Component %s of class %s missing from %s",
                         {Name, std::string(T::StaticClass()->ClassName()), Form->ClassName()});
}

}  // namespace zk
