// How Qt's property types map onto the framework's type descriptors, and the accessors that
// read and write them through the meta-object.
#pragma once
#include <QByteArray>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QMetaType>
#include <QVariant>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/TypInfo.h"

class QObject;

namespace zk {

class TZkQtObject;

// A property's value as the framework sees it.
enum TQtShape : uint8_t {
    qsInteger,  // integer types up to 32 bits: Integer, or Cardinal when unsigned
    qsInt64,    // 64-bit integers: Int64
    qsBoolean,  // bool: the Boolean enumeration
    qsFloat,    // double and float: Double
    qsString,   // QString: string
    qsEnum,     // a Q_ENUM: an enumeration of its keys
    qsFlags,    // a Q_FLAG: a set of its one-bit keys
    qsColor,    // QColor: TColor, alpha kept as it is
    qsObject,   // a QObject pointer: the adapter of the object
    qsValue,    // QFont, QSize, QPoint, QRect: a TZkQtValue, shown as nested rows
    qsText,     // anything else: its text, read-only
};

struct TQtType {
    TQtShape Shape = qsText;
    const TTypeInfo* Info = nullptr;
    QMetaType Type;
    // qsEnum: the Qt value of each ordinal; qsFlags: the Qt bit of each element.
    std::vector<int> Keys;
    const TClassInfo* ValueClass = nullptr;  // qsValue
};

// The mapping of Type; Enum is the property's enumerator when it has one.
// Writable picks the class of a nested value, whose parts are read-only
// when the property is.
TQtType MapQtType(QMetaType Type, const QMetaEnum* Enum, bool Writable);

// Reaches a property's value on an instance and converts it by its shape.
// A write that the object does not take, or takes without changing a value
// that differs, raises EPropertyError "%s.%s refused the value".
class TQtAccessor : public TPropAccessor, public std::enable_shared_from_this<TQtAccessor> {
public:
    TQtAccessor(std::string Name, TQtType Type, bool Writable);

    const std::string& GetName() const { return FName; }
    const TQtType& GetType() const { return FType; }
    // The whole value on Instance; invalid when the object is gone.
    virtual QVariant ReadQt(const TObject* Instance) const = 0;
    // False when the object did not take Value.
    virtual bool WriteQt(TObject* Instance, const QVariant& Value) const = 0;
    virtual TZkQtObject* AdapterOf(const TObject* Instance) const = 0;

    bool HasWrite() const override { return FWritable; }
    const TClassInfo* ObjectClass() const override;
    int64_t GetOrd(const TObject* Instance) const override;
    void SetOrd(TObject* Instance, int64_t Value) const override;
    int64_t GetInt64(const TObject* Instance) const override;
    void SetInt64(TObject* Instance, int64_t Value) const override;
    double GetFloat(const TObject* Instance) const override;
    void SetFloat(TObject* Instance, double Value) const override;
    std::string GetStr(const TObject* Instance) const override;
    void SetStr(TObject* Instance, const std::string& Value) const override;
    std::u16string GetWideStr(const TObject* Instance) const override;
    void SetWideStr(TObject* Instance, const std::u16string& Value) const override;
    TObject* GetObject(const TObject* Instance) const override;
    void SetObject(TObject* Instance, TObject* Value) const override;

private:
    // Writes Value, then checks that the object took it: Now reads the
    // property back in the framework's terms, New is what was asked for.
    template <class T, class R>
    void Put(TObject* Instance, const QVariant& Value, const T& New, R Now) const;
    [[noreturn]] void Refused(const TObject* Instance) const;
    QVariant OfType(int64_t Raw) const;

    std::string FName;
    TQtType FType;
    bool FWritable;
};

// A Q_PROPERTY (by its index) or a dynamic property (by its name) of an adapter's object.
class TQtPropertyAccessor final : public TQtAccessor {
public:
    TQtPropertyAccessor(std::string Name, TQtType Type, bool Writable, QMetaProperty Meta);
    TQtPropertyAccessor(QByteArray DynamicName, TQtType Type);
    QVariant ReadQt(const TObject* Instance) const override;
    bool WriteQt(TObject* Instance, const QVariant& Value) const override;
    TZkQtObject* AdapterOf(const TObject* Instance) const override;

private:
    QMetaProperty FMeta;  // invalid for a dynamic property
    QByteArray FDynamicName;
};

// The class of the nested value standing for a QFont, QSize, QPoint or
// QRect; null for any other type.
const TClassInfo* QtValueClass(QMetaType Type, bool Writable);

// The published properties of a meta-object's Q_PROPERTYs, inherited ones
// included, a redeclared one in its first place with the last details;
// built once per meta-object.
const std::vector<TPropInfo>& QtStaticProperties(const QMetaObject* Meta);
// The published properties of Object's dynamic properties, without Qt's
// own ("_q_..."); Signature receives their names and types, to tell later
// whether the list changed.
std::vector<TPropInfo> QtDynamicProperties(const QObject* Object,
                                           std::vector<std::pair<QByteArray, int>>* Signature);
std::vector<std::pair<QByteArray, int>> QtDynamicSignature(const QObject* Object);

}  // namespace zk
