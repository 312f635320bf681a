// A QObject with a property of every kind the bridge maps, and setters that refuse, notify or
// destroy their object.
#pragma once
#include <QColor>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSizeF>
#include <QStringList>

namespace zk::test {

class TestSubject : public QObject {
    Q_OBJECT
public:
    enum Shape { Circle = 1, Square = 4, Triangle = 9 };
    Q_ENUM(Shape)
    enum Side { Left = 1, Top = 2, Right = 4, Bottom = 8, Sideways = Left | Right };
    Q_DECLARE_FLAGS(Sides, Side)
    Q_FLAG(Sides)

    Q_PROPERTY(int count MEMBER FCount NOTIFY countChanged)
    Q_PROPERTY(uint unsignedCount MEMBER FUnsigned)
    Q_PROPERTY(qint64 big MEMBER FBig)
    Q_PROPERTY(bool on MEMBER FOn)
    Q_PROPERTY(QString text MEMBER FText)
    Q_PROPERTY(double ratio MEMBER FRatio)
    Q_PROPERTY(Shape shape MEMBER FShape)
    Q_PROPERTY(Sides sides READ sides WRITE setSides)
    Q_PROPERTY(QColor color MEMBER FColor)
    Q_PROPERTY(QFont font MEMBER FFont)
    Q_PROPERTY(QSize size MEMBER FSize)
    Q_PROPERTY(QPoint point MEMBER FPoint)
    Q_PROPERTY(QRect rect MEMBER FRect)
    Q_PROPERTY(QObject* buddy READ buddy WRITE setBuddy)
    Q_PROPERTY(int level READ level)
    Q_PROPERTY(QSizeF extent MEMBER FExtent)
    Q_PROPERTY(QStringList tags MEMBER FTags)
    // 0 to 100; a setter that ignores anything else.
    Q_PROPERTY(int limit READ limit WRITE setLimit)
    // Setting it deletes the object, from inside the write.
    Q_PROPERTY(bool doomed READ doomed WRITE setDoomed)

    explicit TestSubject(QObject* Parent = nullptr) : QObject(Parent) {}

    void setCount(int V) {
        FCount = V;
        emit countChanged();
    }
    Sides sides() const { return FSides; }
    void setSides(Sides V) { FSides = V; }
    QObject* buddy() const { return FBuddy; }
    void setBuddy(QObject* V) { FBuddy = V; }
    int level() const { return 3; }
    int limit() const { return FLimit; }
    void setLimit(int V) {
        if (V >= 0 && V <= 100) FLimit = V;
    }
    bool doomed() const { return false; }
    void setDoomed(bool V) {
        if (V) delete this;
    }

    int FCount = 1;
    uint FUnsigned = 2;
    qint64 FBig = 5000000000;
    bool FOn = true;
    QString FText = QStringLiteral("hello");
    double FRatio = 1.5;
    Shape FShape = Square;
    Sides FSides = Sides(Top) | Right;
    QColor FColor = QColor(255, 0, 0, 128);
    QFont FFont = QFont(QStringLiteral("Sans"), 10);
    QSize FSize = QSize(20, 30);
    QPoint FPoint = QPoint(4, 5);
    QRect FRect = QRect(1, 2, 30, 40);
    QPointer<QObject> FBuddy;
    QSizeF FExtent = QSizeF(1.5, 2.5);
    QStringList FTags = {QStringLiteral("a"), QStringLiteral("b")};
    int FLimit = 50;

signals:
    void countChanged();
};

}  // namespace zk::test
