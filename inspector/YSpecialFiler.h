// TYSpecialFiler: writes and reads a collection whose items are of several classes, each item
// tagged with its class name, through the form stream's writer or reader.
#pragma once

#include "platform/core/Filer.h"

namespace zk {

class TYSpecialFiler : public TObject {
    ZK_CLASS(TYSpecialFiler, TObject)
public:
    TYSpecialFiler() = default;
    explicit TYSpecialFiler(TWriter* AWriter) { FWriter = AWriter; }
    explicit TYSpecialFiler(TReader* AReader) { FReader = AReader; }

    // The collection marker, then per item a list holding "HiddenItemClass"
    // with the item's class name and the item's properties, then the end of
    // the list. EStreamError "No TWriter defined for filer" without a writer.
    void WriteCollection(TCollection* Collection);
    // Replaces the items of Collection by the stored ones, each made from its
    // stored class (which must be registered) by its virtual constructor.
    // EStreamError "No TReader defined for filer" without a reader; a failure
    // keeps the items read so far and closes the collection's update bracket.
    void ReadCollection(TCollection* Collection);

    TWriter* GetWriter() const { return FWriter; }
    TReader* GetReader() const { return FReader; }

private:
    TWriter* FWriter = nullptr;  // not owned
    TReader* FReader = nullptr;  // not owned
};

}  // namespace zk
