// TPersistent: objects that can be assigned to each other and streamed.
#pragma once
#include <string>

#include "platform/core/Object.h"

namespace zk {

class TFiler;

class TPersistent : public TObject {
    ZK_CLASS(TPersistent, TObject)
public:
    TPersistent() = default;

    // Copies Source into this object. The base asks Source to AssignTo this and
    // raises "Cannot assign a %s to a %s" when nobody knows how.
    virtual void Assign(TPersistent* Source);
    // Dotted path of this object from its root ("Form1.Button1.Font").
    virtual std::string GetNamePath() const;
    // The object this one belongs to for naming and streaming; null by default.
    virtual TPersistent* GetOwner() const { return nullptr; }
    // Adds properties that are streamed without being published.
    virtual void DefineProperties(TFiler* Filer);

protected:
    // Copies this object into Dest; the base raises the assignment error.
    virtual void AssignTo(TPersistent* Dest);
    [[noreturn]] void AssignError(TPersistent* Source);
};

}  // namespace zk
