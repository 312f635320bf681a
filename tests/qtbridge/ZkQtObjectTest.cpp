// The bridge under a real inspector: the type mapping of every kind of property, edits the
// object takes and refuses, notify-driven refresh, dynamic properties, and the object's
// destruction at any moment.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include "TestSubject.h"
#include "tests/inspector/InspectorTestUtil.h"
#include "inspector/ZkObjectInspector.h"
#include "itemlist/ZkInplaceEditList.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"
#include "qtbridge/ZkQtObject.h"

namespace zk::test {

// The same object with a stricter setter: it takes no limit above 10.
class StrictSubject : public TestSubject {
    Q_OBJECT
    Q_PROPERTY(int limit READ limit WRITE setStrictLimit)
public:
    void setStrictLimit(int V) {
        if (V <= 10) setLimit(V);
    }
};

// A rectangle whose reads are counted.
class CountingSubject : public TestSubject {
    Q_OBJECT
    Q_PROPERTY(QRect frame READ frame WRITE setFrame)
public:
    QRect frame() const {
        ++Reads;
        return FFrame;
    }
    void setFrame(const QRect& V) { FFrame = V; }
    QRect FFrame{1, 2, 30, 40};
    mutable int Reads = 0;
};

// The inspector fixture, inspecting a test subject and its buddy through the bridge.
class QtBridgeTest : public InspectorTest {
protected:
    void SetUp() override {
        InspectorTest::SetUp();
        Subject = new TestSubject;
        Subject->setObjectName(QStringLiteral("subject"));
        Subject->setProperty("note", QStringLiteral("jot"));
        Pal.setObjectName(QStringLiteral("pal"));
        Subject->setBuddy(&Pal);
        Inspect({Subject});
    }
    void TearDown() override {
        InspectorTest::TearDown();
        delete Subject;
        Settle();
    }

    void Inspect(std::initializer_list<QObject*> Objects) {
        Inspector->GetObjects()->Clear();
        for (QObject* O : Objects)
            Inspector->GetObjects()->AddInstance(TZkQtObject::Of(O, Inspector));
        Settle();
    }
    // Null (and a failure) when there is no such row, so a test can go on.
    TZkItemProperty* Row(const std::string& Path) const {
        TZkItemProperty* Result = Inspector->GetItems()->FindPath(Path);
        if (!Result) ADD_FAILURE() << "no row " << Path;
        return Result;
    }
    std::string Shown(const std::string& Path) const {
        return Row(Path) ? InspectorTest::Shown(Path) : "<none>";
    }
    // Nested rows are committed with their parents expanded, as a user reaches them.
    void Commit(const std::string& Path, const std::string& Text) {
        TZkItemProperty* R = Row(Path);
        ASSERT_NE(R, nullptr);
        for (TZkItemProp* P = R->GetParentItem(); P; P = P->GetParentItem()) P->Expand();
        InspectorTest::Commit(Path, Text);
    }

    TestSubject* Subject = nullptr;           // deleted by a test that destroys it
    QObject Pal;
};

TEST_F(QtBridgeTest, EveryKindOfPropertyMapsToTheRowTheInspectorKnows) {
    struct TExpect {
        const char* Path;
        TTypeKind Kind;
        const char* TypeName;
        const char* Text;
        bool ReadOnly;
    };
    const std::string Scope = "zk::test::TestSubject::";
    const TExpect Table[] = {
        {"count", tkInteger, "Integer", "1", false},
        {"unsignedCount", tkInteger, "Cardinal", "2", false},
        {"big", tkInt64, "Int64", "5000000000", false},
        {"on", tkEnumeration, "Boolean", "True", false},
        {"text", tkLString, "string", "hello", false},
        {"objectName", tkLString, "string", "subject", false},
        {"note", tkLString, "string", "jot", false},  // dynamic
        {"ratio", tkFloat, "Double", "1.5", false},
        {"shape", tkEnumeration, "Shape", "Square", false},
        {"sides", tkSet, "Sides", "[Top,Right]", true},  // edited through its elements
        {"sides.Left", tkEnumeration, "Boolean", "False", false},
        {"sides.Right", tkEnumeration, "Boolean", "True", false},
        {"color", tkInteger, "TColor", "255", false},  // $0000FF, alpha left out
        {"font", tkClass, "QFont", "(QFont)", true},
        {"font.Family", tkLString, "string", "Sans", false},
        {"font.PointSize", tkInteger, "Integer", "10", false},
        {"font.Weight", tkEnumeration, "QFont::Weight", "Normal", false},
        {"font.Bold", tkEnumeration, "Boolean", "False", false},
        {"size.Width", tkInteger, "Integer", "20", false},
        {"point.Y", tkInteger, "Integer", "5", false},
        {"rect.Height", tkInteger, "Integer", "40", false},
        {"buddy", tkClass, "QObject", "pal", false},  // a component reference
        {"buddy.objectName", tkLString, "string", "pal", false},
        {"level", tkInteger, "Integer", "3", true},  // no WRITE
        {"extent", tkLString, "QSizeF", "(QSizeF)", true},
        {"tags", tkLString, "QStringList", "a, b", true},
    };
    for (const TExpect& E : Table) {
        SCOPED_TRACE(E.Path);
        TZkItemProperty* R = Row(E.Path);
        if (!R) continue;
        EXPECT_EQ(R->GetKind(), E.Kind);
        const std::string TypeName = R->GetTypeName();
        const bool Scoped =
            std::string(E.TypeName) == "Shape" || std::string(E.TypeName) == "Sides";
        EXPECT_EQ(TypeName, Scoped ? Scope + E.TypeName : E.TypeName);
        EXPECT_EQ(Shown(E.Path), E.Text);
        EXPECT_EQ(R->GetReadOnly(), E.ReadOnly);
    }
    // Names as pick lists; flags as one element row per bit, in declared order.
    EXPECT_EQ(Row("shape")->GetPickList()->GetCommaText(), "Circle,Square,Triangle");
    std::vector<std::string> Elements;
    for (int I = 0; I < Row("sides")->GetItems()->GetCount(); ++I)
        Elements.push_back(Row("sides")->GetItems()->GetItem(I)->GetName());
    EXPECT_EQ(Elements, (std::vector<std::string>{"Left", "Top", "Right", "Bottom"}));
    // Rows of the QObject, nothing of the adapter's own.
    EXPECT_EQ(Inspector->GetItems()->FindPath("Name"), nullptr);
    EXPECT_EQ(Inspector->GetItems()->FindPath("Tag"), nullptr);
}

TEST_F(QtBridgeTest, TypedValuesAreWrittenIntoTheObject) {
    struct TEdit {
        const char* Path;
        const char* Text;
        std::function<QString(const TestSubject&)> Read;
        const char* Expected;
    };
    const TEdit Table[] = {
        {"count", "42", [](auto& S) { return QString::number(S.FCount); }, "42"},
        {"big", "6000000000", [](auto& S) { return QString::number(S.FBig); }, "6000000000"},
        {"ratio", "2.25", [](auto& S) { return QString::number(S.FRatio); }, "2.25"},
        {"text", "bye", [](auto& S) { return S.FText; }, "bye"},
        {"on", "False", [](auto& S) { return QString::number(S.FOn); }, "0"},
        {"shape", "Triangle", [](auto& S) { return QString::number(S.FShape); }, "9"},
        {"sides.Bottom", "True", [](auto& S) { return QString::number(S.FSides.toInt()); }, "14"},
        // Green, keeping the colour's alpha.
        {"color", "65280", [](auto& S) { return S.FColor.name(QColor::HexArgb); }, "#8000ff00"},
        {"size.Width", "64", [](auto& S) { return QString::number(S.FSize.width()); }, "64"},
        // X moves the rectangle; it keeps its size.
        {"rect.X", "7",
         [](auto& S) { return QString("%1,%2").arg(S.FRect.x()).arg(S.FRect.width()); }, "7,30"},
        {"font.Bold", "True", [](auto& S) { return QString::number(S.FFont.bold()); }, "1"},
        {"note", "done", [](auto& S) { return S.property("note").toString(); }, "done"},
    };
    auto& Shown_ = CatchMessages();
    for (const TEdit& E : Table) {
        SCOPED_TRACE(E.Path);
        Commit(E.Path, E.Text);
        EXPECT_EQ(E.Read(*Subject).toStdString(), E.Expected);
    }
    EXPECT_TRUE(Shown_.empty()) << Shown_.front();
    EXPECT_EQ(Shown("sides"), "[Top,Right,Bottom]");
    EXPECT_EQ(Shown("color"), "65280");
}

TEST_F(QtBridgeTest, AWriteTheObjectRefusesIsReportedAndChangesNothing) {
    // Each refusal on a row of its own, since the grid loses the first
    // keystroke after a rejected commit.
    auto& Shown_ = CatchMessages();
    Commit("limit", "500");
    ASSERT_EQ(Shown_.size(), 1u);
    EXPECT_EQ(
        Shown_[0],
        "\"500\" is not a valid Integer value: zk::test::TestSubject.limit refused the value.");
    EXPECT_EQ(Subject->FLimit, 50);
    EXPECT_EQ(Shown("limit"), "50");

    // A part of a value: QFont ignores a point size of 0.
    Inspect({Subject});
    Commit("font.PointSize", "0");
    ASSERT_EQ(Shown_.size(), 2u);
    EXPECT_EQ(Shown_[1], "\"0\" is not a valid Integer value: QFont.PointSize refused the value.");
    EXPECT_EQ(Subject->FFont.pointSize(), 10);

    // With two objects, the one that refuses undoes the write into the other.
    StrictSubject Strict;
    Inspect({Subject, &Strict});
    Commit("limit", "70");
    ASSERT_EQ(Shown_.size(), 3u);
    EXPECT_EQ(Subject->FLimit, 50);
    EXPECT_EQ(Strict.FLimit, 50);
}

TEST_F(QtBridgeTest, NotifySignalsAndDynamicPropertiesRefreshTheRows) {
    Subject->setCount(7);
    Subject->setCount(8);  // one refresh for the burst
    Settle();
    EXPECT_EQ(Shown("count"), "8");

    Subject->setProperty("extra", 12);
    Settle();
    EXPECT_EQ(Shown("extra"), "12");
    Subject->setProperty("extra", 13);
    Settle();
    EXPECT_EQ(Shown("extra"), "13");
    Subject->setProperty("extra", QVariant());
    Settle();
    EXPECT_EQ(Inspector->GetItems()->FindPath("extra"), nullptr);
}

TEST_F(QtBridgeTest, ADestroyedObjectLeavesTheInspectorLikeAFreedComponent) {
    // A referenced object: the refresh after the next commit finds it gone.
    auto* Other = new QObject;
    Other->setObjectName(QStringLiteral("other"));
    Subject->setBuddy(Other);
    Inspector->Rescan();
    EXPECT_EQ(Shown("buddy.objectName"), "other");
    delete Other;
    Commit("count", "5");
    Settle();
    EXPECT_EQ(Shown("buddy"), "");
    EXPECT_EQ(Inspector->GetItems()->FindPath("buddy.objectName"), nullptr);

    // The object itself, from inside a write of its own property.
    auto& Shown_ = CatchMessages();
    Commit("doomed", "True");
    Subject = nullptr;  // deleted by its setter
    Settle();
    EXPECT_TRUE(Shown_.empty()) << Shown_.front();
    EXPECT_EQ(Inspector->GetObjects()->GetCount(), 0);
    EXPECT_EQ(Inspector->GetItems()->GetCount(), 0);

    // A button deleted between two events.
    auto* Button = new QPushButton(QStringLiteral("Press"));
    Inspect({Button});
    EXPECT_EQ(Shown("text"), "Press");
    Commit("text", "Go");
    EXPECT_EQ(Button->text(), QStringLiteral("Go"));
    delete Button;
    EXPECT_EQ(Inspector->GetObjects()->GetCount(), 0);
    Settle();
    EXPECT_EQ(Inspector->GetItems()->GetCount(), 0);
}

TEST_F(QtBridgeTest, PartsShareOneReadOfTheirValueInsideAScanAndReadAfreshOutsideOne) {
    CountingSubject Counting;
    Inspect({&Counting});
    Counting.Reads = 0;
    Inspector->Rescan();
    EXPECT_EQ(Counting.Reads, 1);
    EXPECT_EQ(Shown("frame.Width"), "30");

    Counting.FFrame = QRect(5, 6, 70, 80);
    Inspector->RefreshAll();
    EXPECT_EQ(Counting.Reads, 2);
    EXPECT_EQ(Shown("frame.X"), "5");
    EXPECT_EQ(Shown("frame.Height"), "80");

    // Outside a batch every read is fresh, and a write inside one is seen by the next read.
    TObject* Adapter = Inspector->GetObjects()->GetItem(0)->GetInstance();
    TObject* Frame = GetObjectProp(Adapter, "frame");
    ASSERT_NE(Frame, nullptr);
    EXPECT_EQ(GetOrdProp(Frame, "Width"), 70);
    Counting.FFrame.setWidth(71);
    EXPECT_EQ(GetOrdProp(Frame, "Width"), 71);
    {
        TPropReadBatch Batch;
        EXPECT_EQ(GetOrdProp(Frame, "Height"), 80);
        SetOrdProp(Frame, "Height", 90);
        EXPECT_EQ(GetOrdProp(Frame, "Height"), 90);
        EXPECT_EQ(Counting.FFrame.height(), 90);
    }
}

}  // namespace zk::test

#include "ZkQtObjectTest.moc"
