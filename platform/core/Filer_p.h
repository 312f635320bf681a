// Reader internals shared by its implementation files.
#pragma once
#include <string>

#include "platform/core/Filer.h"
#include "platform/core/SysUtils.h"

namespace zk {

// A reference read before the component it names may exist.
struct TReader::TFixup {
    TPersistent* Instance;
    const TPropInfo* Prop;
    std::string Name;
    std::string Owner;  // the instance's name, for the error message
};

// Counts nesting of lists, collections and components; too deep is an error,
// not a stack overflow.
class TReader::TNesting {
public:
    explicit TNesting(TReader& R) : FReader(R) {
        if (++FReader.FDepth > MaxFilerNesting) {
            --FReader.FDepth;
            throw EReadError("Nesting too deep");
        }
    }
    ~TNesting() { --FReader.FDepth; }
    TNesting(const TNesting&) = delete;
    TNesting& operator=(const TNesting&) = delete;

private:
    TReader& FReader;
};

}  // namespace zk
