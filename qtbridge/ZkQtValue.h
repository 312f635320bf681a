// TZkQtValue: the object standing for a QFont, QSize, QPoint or QRect property, so that the
// inspector shows its parts as nested rows.
#pragma once
#include <QVariant>
#include <memory>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Persistent.h"

namespace zk {

class TZkQtObject;
class TQtAccessor;

// A view, not a copy: every read takes the property's current value from
// the QObject, and every write of a part writes the whole value back. Inside
// one property read batch (TPropReadBatch) the parts share one read of the
// whole value, so that a scan reads a rectangle once, not once per side.
// Its run-time class is named after the Qt type ("QSize") and publishes the
// parts (Width, Height, ...), read-only when the property is.
// Null behaviour: without its adapter's object, parts read as empty and
// writes are refused.
class TZkQtValue : public TPersistent {
    // ZK_CLASS without its ClassType(): a value answers its Qt type's class.
public:
    using inherited = TPersistent;
    static const TClassInfo* StaticClass();
    static void DescribeClass(TClassBuilder<TZkQtValue>& C);

    // Stands for the property that Whole reaches on Adapter.
    TZkQtValue(TZkQtObject* Adapter, std::shared_ptr<const TQtAccessor> Whole,
               const TClassInfo* Class);

    const TClassInfo* ClassType() const override { return FClass; }
    TZkQtObject* GetAdapter() const { return FAdapter; }
    QVariant ReadWhole() const;
    // False when the object did not take the value.
    bool WriteWhole(const QVariant& Value);

private:
    TZkQtObject* FAdapter;  // not owned: the adapter owns this value
    std::shared_ptr<const TQtAccessor> FWhole;
    const TClassInfo* FClass;  // shared by every value of this Qt type
    mutable QVariant FBatchValue;     // the whole value as read in batch FBatch
    mutable uint64_t FBatch = 0;      // 0: nothing kept
};

}  // namespace zk
