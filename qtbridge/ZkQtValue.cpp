// TZkQtValue and the parts of QFont, QSize, QPoint and QRect it publishes.
#include "qtbridge/ZkQtValue.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <map>

#include "qtbridge/ZkQtObject.h"
#include "qtbridge/ZkQtTypes_p.h"

namespace zk {

namespace {

// One part of a value type: how to read it from the whole value, and how to
// change it in a copy of the whole value.
struct TQtPart {
    const char* Name;
    QMetaType Type;
    QVariant (*Get)(const QVariant& Whole);
    void (*Set)(QVariant& Whole, const QVariant& Part);
    const QMetaEnum* Enum = nullptr;
};

template <class V, class F>
void Change(QVariant& Whole, F Edit) {
    V Value = Whole.value<V>();
    Edit(Value);
    Whole = QVariant::fromValue(Value);
}

const QMetaEnum* FontWeightEnum() {
    static const QMetaEnum Enum =
        QFont::staticMetaObject.enumerator(QFont::staticMetaObject.indexOfEnumerator("Weight"));
    return &Enum;
}

// Rectangles move when X or Y changes and keep their size, as a user of a
// geometry expects; QRect's own setX would move only the left edge.
const std::vector<TQtPart>& PartsOf(int TypeId) {
    static const QMetaType Int = QMetaType::fromType<int>();
    static const QMetaType Bool = QMetaType::fromType<bool>();
    static const std::map<int, std::vector<TQtPart>> Parts = {
        {QMetaType::QSize,
         {{"Width", Int, [](const QVariant& W) { return QVariant(W.toSize().width()); },
           [](QVariant& W, const QVariant& P) {
               Change<QSize>(W, [&](QSize& S) { S.setWidth(P.toInt()); });
           }},
          {"Height", Int, [](const QVariant& W) { return QVariant(W.toSize().height()); },
           [](QVariant& W, const QVariant& P) {
               Change<QSize>(W, [&](QSize& S) { S.setHeight(P.toInt()); });
           }}}},
        {QMetaType::QPoint,
         {{"X", Int, [](const QVariant& W) { return QVariant(W.toPoint().x()); },
           [](QVariant& W, const QVariant& P) {
               Change<QPoint>(W, [&](QPoint& S) { S.setX(P.toInt()); });
           }},
          {"Y", Int, [](const QVariant& W) { return QVariant(W.toPoint().y()); },
           [](QVariant& W, const QVariant& P) {
               Change<QPoint>(W, [&](QPoint& S) { S.setY(P.toInt()); });
           }}}},
        {QMetaType::QRect,
         {{"X", Int, [](const QVariant& W) { return QVariant(W.toRect().x()); },
           [](QVariant& W, const QVariant& P) {
               Change<QRect>(W, [&](QRect& R) { R.moveLeft(P.toInt()); });
           }},
          {"Y", Int, [](const QVariant& W) { return QVariant(W.toRect().y()); },
           [](QVariant& W, const QVariant& P) {
               Change<QRect>(W, [&](QRect& R) { R.moveTop(P.toInt()); });
           }},
          {"Width", Int, [](const QVariant& W) { return QVariant(W.toRect().width()); },
           [](QVariant& W, const QVariant& P) {
               Change<QRect>(W, [&](QRect& R) { R.setWidth(P.toInt()); });
           }},
          {"Height", Int, [](const QVariant& W) { return QVariant(W.toRect().height()); },
           [](QVariant& W, const QVariant& P) {
               Change<QRect>(W, [&](QRect& R) { R.setHeight(P.toInt()); });
           }}}},
        {QMetaType::QFont,
         {{"Family", QMetaType::fromType<QString>(),
           [](const QVariant& W) { return QVariant(W.value<QFont>().family()); },
           [](QVariant& W, const QVariant& P) {
               Change<QFont>(W, [&](QFont& F) { F.setFamily(P.toString()); });
           }},
          // -1 while the font is sized the other way.
          {"PointSize", Int,
           [](const QVariant& W) { return QVariant(W.value<QFont>().pointSize()); },
           [](QVariant& W, const QVariant& P) {
               Change<QFont>(W, [&](QFont& F) { F.setPointSize(P.toInt()); });
           }},
          {"PixelSize", Int,
           [](const QVariant& W) { return QVariant(W.value<QFont>().pixelSize()); },
           [](QVariant& W, const QVariant& P) {
               Change<QFont>(W, [&](QFont& F) { F.setPixelSize(P.toInt()); });
           }},
          {"Weight", QMetaType::fromType<QFont::Weight>(),
           [](const QVariant& W) { return QVariant::fromValue(W.value<QFont>().weight()); },
           [](QVariant& W, const QVariant& P) {
               Change<QFont>(W, [&](QFont& F) { F.setWeight(P.value<QFont::Weight>()); });
           },
           FontWeightEnum()},
          {"Bold", Bool, [](const QVariant& W) { return QVariant(W.value<QFont>().bold()); },
           [](QVariant& W, const QVariant& P) {
               Change<QFont>(W, [&](QFont& F) { F.setBold(P.toBool()); });
           }},
          {"Italic", Bool, [](const QVariant& W) { return QVariant(W.value<QFont>().italic()); },
           [](QVariant& W, const QVariant& P) {
               Change<QFont>(W, [&](QFont& F) { F.setItalic(P.toBool()); });
           }},
          {"Underline", Bool,
           [](const QVariant& W) { return QVariant(W.value<QFont>().underline()); },
           [](QVariant& W, const QVariant& P) {
               Change<QFont>(W, [&](QFont& F) { F.setUnderline(P.toBool()); });
           }},
          {"StrikeOut", Bool,
           [](const QVariant& W) { return QVariant(W.value<QFont>().strikeOut()); },
           [](QVariant& W, const QVariant& P) {
               Change<QFont>(W, [&](QFont& F) { F.setStrikeOut(P.toBool()); });
           }},
          {"FixedPitch", Bool,
           [](const QVariant& W) { return QVariant(W.value<QFont>().fixedPitch()); },
           [](QVariant& W, const QVariant& P) {
               Change<QFont>(W, [&](QFont& F) { F.setFixedPitch(P.toBool()); });
           }}}},
    };
    static const std::vector<TQtPart> None;
    auto It = Parts.find(TypeId);
    return It == Parts.end() ? None : It->second;
}

// A part of the value a TZkQtValue stands for.
class TQtPartAccessor final : public TQtAccessor {
public:
    TQtPartAccessor(const TQtPart& Part, bool Writable)
        : TQtAccessor(Part.Name, MapQtType(Part.Type, Part.Enum, Writable), Writable),
          FPart(Part) {}

    QVariant ReadQt(const TObject* I) const override {
        const QVariant Whole = Value(I)->ReadWhole();
        return Whole.isValid() ? FPart.Get(Whole) : QVariant();
    }
    bool WriteQt(TObject* I, const QVariant& Part) const override {
        QVariant Whole = Value(I)->ReadWhole();
        if (!Whole.isValid()) return false;
        FPart.Set(Whole, Part);
        return Value(I)->WriteWhole(Whole);
    }
    TZkQtObject* AdapterOf(const TObject* I) const override { return Value(I)->GetAdapter(); }

private:
    static TZkQtValue* Value(const TObject* I) {
        return const_cast<TZkQtValue*>(static_cast<const TZkQtValue*>(I));
    }
    const TQtPart& FPart;  // an entry of the static table
};

}  // namespace

const TClassInfo* QtValueClass(QMetaType Type, bool Writable) {
    const std::vector<TQtPart>& Parts = PartsOf(Type.id());
    if (Parts.empty()) return nullptr;
    // One class per type and writability, for the whole program.
    static std::map<std::pair<int, bool>, std::unique_ptr<TClassInfo>> Classes;
    std::unique_ptr<TClassInfo>& Class = Classes[{Type.id(), Writable}];
    if (!Class) {
        std::vector<TPropInfo> Props;
        for (const TQtPart& Part : Parts) {
            TPropInfo P;
            P.Name = Part.Name;
            auto Access = std::make_shared<TQtPartAccessor>(Part, Writable);
            P.PropType = Access->GetType().Info;
            P.StoredConst = false;
            P.Access = std::move(Access);
            Props.push_back(std::move(P));
        }
        Class =
            std::make_unique<TClassInfo>(Type.name(), TZkQtValue::StaticClass(), std::move(Props));
    }
    return Class.get();
}

// ---- TZkQtValue ----

ZK_IMPLEMENT_CLASS(TZkQtValue)
void TZkQtValue::DescribeClass(TClassBuilder<TZkQtValue>&) {}

TZkQtValue::TZkQtValue(TZkQtObject* Adapter, std::shared_ptr<const TQtAccessor> Whole,
                       const TClassInfo* Class)
    : FAdapter(Adapter), FWhole(std::move(Whole)), FClass(Class) {}

QVariant TZkQtValue::ReadWhole() const {
    const uint64_t Batch = TPropReadBatch::Current();
    if (Batch && Batch == FBatch) return FBatchValue;
    QVariant Value = FWhole->ReadQt(FAdapter);
    FBatchValue = Batch ? Value : QVariant();
    FBatch = Batch;
    return Value;
}

bool TZkQtValue::WriteWhole(const QVariant& Value) {
    FBatch = 0;
    FBatchValue = QVariant();
    return FWhole->WriteQt(FAdapter, Value);
}

}  // namespace zk
