// Rows bound to properties of every kind: the text each shows, a typed value written back
// through the editor for one object and several, the accessors of rows that are no property,
// the value-changed font, and rejected values (all objects or none).
#include "InspectorTestUtil.h"
#include "itemlist/ZkDeltaFont.h"
#include "platform/core/Stream.h"
#include "platform/core/Filer.h"

namespace zk::test {

namespace {

class ItemPropertyTest : public InspectorTest {
protected:
    void SetUp() override {
        InspectorTest::SetUp();
        Sink = Create<TKitchenSink>(Form.get());
        Sink->SetName("Sink");
    }
    TKitchenSink* Sink = nullptr;  // owned by Form
};

// "Count,Sides,sdLeft,...": every row in order.
std::string Names(const TZkCustomObjectInspector* I) {
    std::string Result;
    for (int N = 0; N < I->GetAllItems().GetCount(); ++N) Result += I->GetAllItems()[N]->GetName() + ",";
    return Result;
}

struct TKindCase {
    const char* Path;
    const char* Shown;    // the text before the edit
    const char* Typed;    // what the user types; null for a row that is not typed into
    std::function<bool(TKitchenSink*)> Took;
};

}  // namespace

TEST_F(ItemPropertyTest, EveryKindShowsItsTextAndTakesATypedValue) {
    const std::vector<TKindCase> Cases = {
        {"Count", "0", "42", [](TKitchenSink* S) { return S->FCount == 42; }},
        {"Limit", "10", "11", [](TKitchenSink* S) { return S->FLimit == 11; }},
        {"Letter", "97", "98", [](TKitchenSink* S) { return S->FLetter == 'b'; }},
        {"Wide", "119", "120", [](TKitchenSink* S) { return S->FWide == u'x'; }},
        {"Shape", "shCircle", "shTriangle", [](TKitchenSink* S) { return S->FShape == shTriangle; }},
        {"On", "False", "True", [](TKitchenSink* S) { return S->FOn; }},
        {"Legacy", "False", "True", [](TKitchenSink* S) { return S->FLegacy; }},
        {"Ratio", "1.5", "2.25", [](TKitchenSink* S) { return S->FRatio == 2.25; }},
        {"When", "0", "45000", [](TKitchenSink* S) { return S->FWhen == 45000; }},
        {"Text", "text", "hello", [](TKitchenSink* S) { return S->FText == "hello"; }},
        {"WideText", "wide", "wider", [](TKitchenSink* S) { return S->FWideText == u"wider"; }},
        {"Big", "1", "12345678901", [](TKitchenSink* S) { return S->FBig == 12345678901LL; }},
        {"Any", "7", "abc", [](TKitchenSink* S) { return S->FAny.AsString() == "abc"; }},
        {"Hidden", "", "x", [](TKitchenSink* S) { return S->FHidden == "x"; }},
        {"Sides", "[sdLeft,sdTop]", nullptr, nullptr},
        {"Sides.sdRight", "False", "True",
         [](TKitchenSink* S) { return S->FSides == TSinkSides{sdLeft, sdTop, sdRight}; }},
        {"Font", "(TFont)", nullptr, nullptr},
        {"Lines", "(TStringList)", nullptr, nullptr},
        {"Buddy", "", nullptr, nullptr},
        {"ReadOnlyCount", "42", nullptr, nullptr},
    };
    Inspect({Sink});
    for (const TKindCase& C : Cases) {
        SCOPED_TRACE(C.Path);
        EXPECT_EQ(Shown(C.Path), C.Shown);
        if (!C.Typed) continue;
        ASSERT_FALSE(Row(C.Path)->GetReadOnly());
        Commit(C.Path, C.Typed);
        EXPECT_TRUE(C.Took(Sink));
        EXPECT_EQ(Shown(C.Path), C.Typed) << "read back after the refresh";
    }
    EXPECT_EQ(Shown("Sides"), "[sdLeft,sdTop,sdRight]") << "the whole set was written";
    for (const char* ReadOnly : {"Sides", "Font", "ReadOnlyCount"})
        EXPECT_TRUE(Row(ReadOnly)->GetReadOnly()) << ReadOnly;
    EXPECT_FALSE(Row("Buddy")->GetReadOnly()) << "an empty component reference stays editable";
    EXPECT_EQ(Row("Shape")->GetPickList()->GetTextStr(), "shCircle\r\nshSquare\r\nshTriangle\r\n");
    EXPECT_EQ(Row("Legacy")->GetPickList()->GetTextStr(), "False\r\nTrue\r\n");
}

TEST_F(ItemPropertyTest, SeveralObjectsShareOneColumnOrHaveOneEach) {
    auto* Second = Create<TKitchenSink>(Form.get());
    Second->SetName("Second");
    Second->FCount = 5;
    Second->FAny = TVariant("7");  // another type, the same text
    Second->FText = "TEXT";        // texts compare without case
    auto* Third = Create<TKitchenSink>(Form.get());
    Third->FRatio = 2.5;  // only the last object differs
    Third->FCount = 5;
    Third->FAny = TVariant(7);
    Inspect({Sink, Second, Third});
    EXPECT_EQ(Shown("Count"), "") << "differing values show nothing";
    EXPECT_EQ(Shown("Ratio"), "");
    EXPECT_EQ(Shown("Any"), "7");
    EXPECT_EQ(Shown("Text"), "text");
    Third->Free();
    Settle();
    Commit("Count", "7");
    EXPECT_EQ(Sink->FCount, 7);
    EXPECT_EQ(Second->FCount, 7);
    EXPECT_EQ(Shown("Count"), "7");

    Inspector->SetDisplayOptions(Inspector->GetDisplayOptions() +
                                 TILEDisplayOptions{doMultiColValues, doColumnTitles});
    Inspector->SetDynamicTitleCaptions(true);
    Settle();
    ASSERT_EQ(Inspector->GetValueColCount(), 2);
    EXPECT_EQ(Inspector->GetCellText(2, 0), "Second") << "the title names the object";
    Commit("Count", "9", 2);
    EXPECT_EQ(Sink->FCount, 7);
    EXPECT_EQ(Second->FCount, 9);
    EXPECT_EQ(Shown("Count", 1), "7");
    EXPECT_EQ(Shown("Count", 2), "9");
    Commit("Sides.sdBottom", "True", 2);
    EXPECT_EQ(Second->FSides, (TSinkSides{sdLeft, sdTop, sdBottom}));
    EXPECT_EQ(Sink->FSides, (TSinkSides{sdLeft, sdTop}));
}

TEST_F(ItemPropertyTest, ARejectedValueShowsTheMessageAndChangesNoObject) {
    std::vector<std::string>& Shown = CatchMessages();
    auto* Other = Create<TOtherSink>(Form.get());
    Inspect({Sink, Other});
    Commit("Count", "12x");
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].rfind("\"12x\" is not a valid Integer value: ", 0), 0u) << Shown[0];
    EXPECT_EQ(Sink->FCount, 0);
    EXPECT_EQ(Other->FCount, 3);
    // The first object takes -1, the second refuses it: neither keeps it.
    Commit("Count", "-1");
    ASSERT_EQ(Shown.size(), 2u);
    EXPECT_NE(Shown[1].find("-1 is out of range"), std::string::npos) << Shown[1];
    EXPECT_EQ(Sink->FCount, 0);
    EXPECT_EQ(Other->FCount, 3);
    EXPECT_NE(Inspector->GetInplaceEditList()->GetText(), "-1") << "the editor's text went back";
    // Typing into the next row before the refresh of a commit arrives: the refresh keeps
    // the typed text, and Enter writes it.
    Inspect({Sink});
    Commit("Count", "12x");
    Commit("Limit", "5");
    EXPECT_EQ(Sink->FLimit, 5);
    EXPECT_EQ(Shown.size(), 3u);
}

TEST_F(ItemPropertyTest, RowsThatAreNoPropertyFailOrKeepTheirOwnValue) {
    Inspect({Sink});
    TZkItemProperty* Element = Row("Sides.sdTop");
    try {
        Element->GetOrdValue();
        FAIL() << "an element row is no property";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), "Item \"Sides.sdTop\" is not a real property");
    }
    EXPECT_THROW(Element->SetObjectValue(nullptr), Exception);
    Element->SetStrValue("abc");
    EXPECT_EQ(Element->GetValue(), "abc");
    EXPECT_EQ(Element->GetKind(), tkString);
    EXPECT_EQ(Row("Count")->GetOrdValue(), 0);
    Row("Count")->SetOrdValue(12);
    EXPECT_EQ(Sink->FCount, 12);
    EXPECT_EQ(Row("Font")->GetObjectValue(), Sink->GetFont());
    EXPECT_EQ(Row("Font")->GetObjectClass(), TFont::StaticClass());
    EXPECT_EQ(Row("Font.Size")->GetPropPath(), "Font.Size");
}

TEST_F(ItemPropertyTest, ValuesApartFromTheirDefaultTakeTheChangedFont) {
    Inspect({Sink});
    TFont* Changed = Inspector->GetValueChangedFont();
    EXPECT_TRUE(Changed->GetStyle().Contains(fsBold));
    EXPECT_EQ(Row("Count")->GetColumnValueFont(0), Changed) << "stored, without a default";
    EXPECT_EQ(Row("Text")->GetColumnValueFont(0), Changed) << "a stored string always counts";
    EXPECT_NE(Row("Hidden")->GetColumnValueFont(0), Changed) << "not stored";
    EXPECT_NE(Row("Limit")->GetColumnValueFont(0), Changed) << "at its default";
    Commit("Limit", "3");
    EXPECT_EQ(Row("Limit")->GetColumnValueFont(0), Changed);
    Inspector->SetShowValueChangedFont(false);
    EXPECT_NE(Row("Limit")->GetColumnValueFont(0), Changed);
    Inspector->GetValueFont()->SetSize(14);
    EXPECT_EQ(Changed->GetSize(), 14) << "it follows the value font";
    EXPECT_TRUE(Changed->GetStyle().Contains(fsBold));
}

TEST_F(ItemPropertyTest, ARowCarriesItsTypeDataThroughAFormStream) {
    Inspector->SetName("Inspector1");
    Inspect({Sink});
    TMemoryStream Stream;
    WriteComponentToStream(&Stream, Form.get());
    Stream.SetPosition(0);
    TOwned<TForm> Copy(Create<TForm>(nullptr));
    ReadComponentFromStream(&Stream, Copy.get());
    auto* Read = DynamicCast<TZkObjectInspector>(Copy->FindComponent("Inspector1"));
    ASSERT_NE(Read, nullptr);
    EXPECT_EQ(Read->GetInspectedComponent(), Copy->FindComponent("Sink"));
    TZkItemProperty* Count = Read->GetItems()->FindPath("Count");
    ASSERT_NE(Count, nullptr);
    EXPECT_TRUE(Count->GetIsProperty());
    EXPECT_EQ(Count->GetKind(), tkInteger);
    EXPECT_EQ(Count->GetTypeName(), "Integer");
    EXPECT_TRUE(Count->GetIsAllEqual());
    EXPECT_EQ(Names(Read), Names(Inspector));
}

}  // namespace zk::test
