// Tests for TStrings and TStringList: sorting, look-ups, text forms, events, files.
#include "platform/core/StringList.h"

#include <gtest/gtest.h>

#include "TestUtil.h"
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"

namespace zk {
namespace {

using TLines = std::vector<std::string>;

TLines LinesOf(const TStrings& S) {
    TLines R;
    for (int I = 0; I < S.GetCount(); ++I) R.push_back(S.Get(I));
    return R;
}

void Fill(TStrings& S, const TLines& Lines) {
    for (const std::string& L : Lines) S.Add(L);
}

// Logs OnChanging/OnChange with the line count each one saw.
class TChangeRecorder {
public:
    explicit TChangeRecorder(TStringList& List) : FList(List) {
        List.SetOnChanging(TNotifyEvent([this](TObject* Sender) { Record("Changing", Sender); }));
        List.SetOnChange(TNotifyEvent([this](TObject* Sender) { Record("Changed", Sender); }));
    }
    TLines Log;

private:
    void Record(const char* What, TObject* Sender) {
        std::string Entry = std::string(What) + " " + std::to_string(FList.GetCount());
        if (Sender != &FList) Entry += " from a stranger";
        Log.push_back(Entry);
    }
    TStringList& FList;
};

// The smallest storage a descendant can give, so the defaults of TStrings run.
class TVectorStrings : public TStrings {
    ZK_CLASS(TVectorStrings, TStrings)
public:
    TVectorStrings() = default;
    int GetCount() const override { return static_cast<int>(FItems.size()); }
    std::string Get(int Index) const override { return FItems.at(Checked(Index)).first; }
    TObject* GetObject(int Index) const override { return FItems.at(Checked(Index)).second; }
    void PutObject(int Index, TObject* AObject) override {
        FItems.at(Checked(Index)).second = AObject;
    }
    void Insert(int Index, const std::string& S) override {
        if (Index < 0 || Index > GetCount()) Error("List index out of bounds (%d)", Index);
        FItems.insert(FItems.begin() + Index, {S, nullptr});
    }
    void Delete(int Index) override { FItems.erase(FItems.begin() + Checked(Index)); }
    void Clear() override { FItems.clear(); }

private:
    int Checked(int Index) const {
        if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
        return Index;
    }
    std::vector<std::pair<std::string, TObject*>> FItems;
};

ZK_IMPLEMENT_CLASS(TVectorStrings)
void TVectorStrings::DescribeClass(TClassBuilder<TVectorStrings>&) {}

// Counts comparisons and hears the update state, for the costs and the bracket contract.
class TProbeList : public TStringList {
public:
    int CompareStrings(const std::string& S1, const std::string& S2) const override {
        ++Compares;
        return TStringList::CompareStrings(S1, S2);
    }
    mutable int Compares = 0;
    std::vector<bool> UpdateStates;

protected:
    void SetUpdateState(bool Updating) override {
        UpdateStates.push_back(Updating);
        TStringList::SetUpdateState(Updating);
    }
};

TObject ObjA, ObjB, ObjC;

// ---------------------------------------------------------------- sorted lists and Find

TEST(StringListSorted, AddPlacesEachLineInOrderAndReturnsWhereItWent) {
    TStringList L;
    L.SetSorted(true);
    EXPECT_EQ(L.Add("m"), 0);
    EXPECT_EQ(L.Add("c"), 0);
    EXPECT_EQ(L.Add("x"), 2);
    EXPECT_EQ(L.Add("e"), 1);
    EXPECT_EQ(LinesOf(L), (TLines{"c", "e", "m", "x"}));
}

TEST(StringListSorted, SettingSortedSortsExistingLinesWithTheirObjects) {
    TStringList L;
    L.AddObject("pear", &ObjA);
    L.AddObject("apple", &ObjB);
    L.AddObject("fig", &ObjC);
    L.SetSorted(true);
    EXPECT_EQ(LinesOf(L), (TLines{"apple", "fig", "pear"}));
    EXPECT_EQ(L.GetObject(0), &ObjB);
    EXPECT_EQ(L.GetObject(1), &ObjC);
    EXPECT_EQ(L.GetObject(2), &ObjA);
}

TEST(StringListSorted, InsertAndPutAreRefusedAndChangeNothing) {
    TStringList L;
    Fill(L, {"b", "a"});
    L.SetSorted(true);
    const char* Msg = "Operation not allowed on sorted list";
    EXPECT_EQ(test::MessageOf<EStringListError>([&] { L.Insert(0, "z"); }), Msg);
    EXPECT_EQ(test::MessageOf<EStringListError>([&] { L.InsertObject(2, "z", &ObjA); }), Msg);
    EXPECT_EQ(test::MessageOf<EStringListError>([&] { L.Put(0, "z"); }), Msg);
    EXPECT_EQ(LinesOf(L), (TLines{"a", "b"}));
}

struct DuplicatesCase {
    TDuplicates Mode;
    int ExpectedIndex;  // Add's result; -1 when it raises
    TLines ExpectedLines;
};
void PrintTo(const DuplicatesCase& C, std::ostream* OS) {
    *OS << "mode " << int(C.Mode);
}

class StringListDuplicates : public ::testing::TestWithParam<DuplicatesCase> {};

TEST_P(StringListDuplicates, AddOfAnExistingLineFollowsTheMode) {
    const DuplicatesCase& C = GetParam();
    TStringList L;
    L.SetDuplicates(C.Mode);
    L.SetSorted(true);
    Fill(L, {"c", "a", "b"});
    TChangeRecorder Events(L);
    if (C.ExpectedIndex < 0) {
        EXPECT_EQ(test::MessageOf<EStringListError>([&] { L.Add("B"); }),
                  "String list does not allow duplicates");
    } else {
        EXPECT_EQ(L.Add("B"), C.ExpectedIndex);
    }
    EXPECT_EQ(LinesOf(L), C.ExpectedLines);
    // Nothing added means nothing announced.
    EXPECT_EQ(Events.Log.empty(), L.GetCount() == 3);
}

INSTANTIATE_TEST_SUITE_P(Modes, StringListDuplicates,
                         ::testing::Values(DuplicatesCase{dupIgnore, 1, {"a", "b", "c"}},
                                           DuplicatesCase{dupAccept, 1, {"a", "B", "b", "c"}},
                                           DuplicatesCase{dupError, -1, {"a", "b", "c"}}));

TEST(StringListSorted, DuplicatesOnlyApplyToSortedLists) {
    TStringList L;
    L.SetDuplicates(dupError);
    L.Add("a");
    EXPECT_EQ(L.Add("a"), 1);
    EXPECT_EQ(L.GetCount(), 2);
}

TEST(StringListSorted, IgnoredDuplicateKeepsTheFirstObject) {
    TStringList L;
    L.SetSorted(true);
    L.AddObject("a", &ObjA);
    EXPECT_EQ(L.AddObject("a", &ObjB), 0);
    EXPECT_EQ(L.GetObject(0), &ObjA);
}

struct FindCase {
    std::string Target;
    bool Found;
    int Index;
};
void PrintTo(const FindCase& C, std::ostream* OS) {
    *OS << '"' << C.Target << '"';
}

class StringListFind : public ::testing::TestWithParam<FindCase> {};

TEST_P(StringListFind, ReportsPresenceAndInsertionPoint) {
    const FindCase& C = GetParam();
    TStringList L;
    L.SetSorted(true);
    Fill(L, {"f", "b", "d"});
    int Index = -7;
    EXPECT_EQ(L.Find(C.Target, Index), C.Found);
    EXPECT_EQ(Index, C.Index);
    EXPECT_EQ(L.IndexOf(C.Target), C.Found ? C.Index : -1);
}

INSTANTIATE_TEST_SUITE_P(Targets, StringListFind,
                         ::testing::Values(FindCase{"a", false, 0}, FindCase{"b", true, 0},
                                           FindCase{"c", false, 1}, FindCase{"D", true, 1},
                                           FindCase{"e", false, 2}, FindCase{"f", true, 2},
                                           FindCase{"g", false, 3}, FindCase{"", false, 0}));

TEST(StringListSorted, FindOnAnEmptyListAnswersZero) {
    TStringList L;
    L.SetSorted(true);
    int Index = -1;
    EXPECT_FALSE(L.Find("x", Index));
    EXPECT_EQ(Index, 0);
}

TEST(StringListSorted, AcceptedDuplicatesAreFoundAtTheirFirstLine) {
    TStringList L;
    L.SetDuplicates(dupAccept);
    L.SetSorted(true);
    Fill(L, {"a", "c"});
    for (int I = 0; I < 50; ++I) L.AddObject("b", I == 0 ? &ObjA : &ObjB);
    int Index = -1;
    EXPECT_TRUE(L.Find("b", Index));
    EXPECT_EQ(Index, 1);
    EXPECT_EQ(L.IndexOf("B"), 1);
    // Each new duplicate goes before the ones already there.
    EXPECT_EQ(L.GetObject(50), &ObjA);
}

TEST(StringListSorted, LookupsAndSortedAddCostLogarithmicComparisons) {
    TProbeList L;
    L.SetSorted(true);
    for (int I = 0; I < 1024; ++I) L.Add("k" + std::to_string(100000 + (I * 7919) % 1024));
    ASSERT_EQ(L.GetCount(), 1024);
    L.Compares = 0;
    EXPECT_EQ(L.IndexOf("k100500"), 500);
    EXPECT_LE(L.Compares, 11);
    L.Compares = 0;
    EXPECT_EQ(L.IndexOf("k0"), -1);
    EXPECT_LE(L.Compares, 11);
    L.Compares = 0;
    L.Add("k100500x");
    EXPECT_LE(L.Compares, 11);
    EXPECT_EQ(L.Get(501), "k100500x");
}

// ---------------------------------------------------------------- case sensitivity

TEST(StringListCase, UnsortedIndexOfIgnoresCaseUnlessCaseSensitive) {
    TStringList L;
    Fill(L, {"Alpha", "beta"});
    EXPECT_EQ(L.IndexOf("ALPHA"), 0);
    EXPECT_EQ(L.IndexOf("Beta"), 1);
    L.SetCaseSensitive(true);
    EXPECT_EQ(L.IndexOf("ALPHA"), -1);
    EXPECT_EQ(L.IndexOf("Alpha"), 0);
    EXPECT_EQ(L.IndexOf("Beta"), -1);
}

TEST(StringListCase, SortedFindFollowsCaseSensitivity) {
    TStringList L;
    L.SetSorted(true);
    Fill(L, {"b", "a", "c"});
    int Index = -1;
    EXPECT_TRUE(L.Find("A", Index));
    EXPECT_EQ(Index, 0);
    L.SetCaseSensitive(true);
    EXPECT_FALSE(L.Find("A", Index));
    EXPECT_EQ(Index, 1);  // "A" sorts after "a" and before "b"
    EXPECT_EQ(L.IndexOf("A"), -1);
}

TEST(StringListCase, CaseSensitiveSortPutsLowerCaseBeforeUpperCase) {
    TStringList L;
    L.SetCaseSensitive(true);
    Fill(L, {"B", "b", "A", "a"});
    L.Sort();
    EXPECT_EQ(LinesOf(L), (TLines{"a", "A", "b", "B"}));
}

TEST(StringListCase, CaseInsensitiveSortedListTreatsCaseVariantsAsDuplicates) {
    TStringList L;
    L.SetSorted(true);
    L.SetDuplicates(dupError);
    L.Add("a");
    EXPECT_EQ(test::MessageOf<EStringListError>([&] { L.Add("A"); }),
              "String list does not allow duplicates");
    L.SetCaseSensitive(true);
    EXPECT_EQ(L.Add("A"), 1);
}

TEST(StringListCase, SwitchingCaseSensitivityResortsASortedList) {
    TStringList L;
    L.SetDuplicates(dupAccept);
    L.SetSorted(true);
    L.AddObject("a", &ObjA);
    L.AddObject("A", &ObjB);  // equal to "a" without case, so it goes first
    ASSERT_EQ(LinesOf(L), (TLines{"A", "a"}));
    L.SetCaseSensitive(true);
    EXPECT_EQ(LinesOf(L), (TLines{"a", "A"}));
    EXPECT_EQ(L.GetObject(0), &ObjA);
    int Index = -1;
    EXPECT_TRUE(L.Find("A", Index));
    EXPECT_EQ(Index, 1);
}

// ---------------------------------------------------------------- sorting

TEST(StringListSort, CustomSortOrdersByTheGivenComparison) {
    TStringList L;
    L.AddObject("ccc", &ObjC);
    L.AddObject("a", &ObjA);
    L.AddObject("bb", &ObjB);
    L.CustomSort([](TStringList* List, int I, int J) {
        return static_cast<int>(List->Get(I).size()) - static_cast<int>(List->Get(J).size());
    });
    EXPECT_EQ(LinesOf(L), (TLines{"a", "bb", "ccc"}));
    EXPECT_EQ(L.GetObject(2), &ObjC);
}

TEST(StringListSort, LargeSortMatchesTheExpectedOrder) {
    TStringList L;
    std::mt19937 Rng(7);
    TLines Expected;
    for (int I = 0; I < 5000; ++I) Expected.push_back("s" + std::to_string(Rng() % 1000));
    Fill(L, Expected);
    L.Sort();
    std::sort(Expected.begin(), Expected.end(),
              [](const std::string& A, const std::string& B) { return AnsiCompareText(A, B) < 0; });
    EXPECT_EQ(LinesOf(L), Expected);
}

TEST(StringListSort, InconsistentComparisonStillKeepsEveryLine) {
    for (unsigned Seed = 1; Seed <= 20; ++Seed) {
        TStringList L;
        TLines Original;
        for (int I = 0; I < 200; ++I) Original.push_back(std::to_string(I));
        Fill(L, Original);
        std::mt19937 Rng(Seed);
        L.CustomSort([&Rng](TStringList*, int, int) { return static_cast<int>(Rng() % 3) - 1; });
        TLines After = LinesOf(L);
        std::sort(After.begin(), After.end());
        std::sort(Original.begin(), Original.end());
        ASSERT_EQ(After, Original) << "seed " << Seed;
    }
}

// ---------------------------------------------------------------- names and values

TEST(StringsNameValue, NamesAreTheTextBeforeTheFirstSeparator) {
    TStringList L;
    Fill(L, {"Color=red", "plain", "=empty name", "a=b=c"});
    EXPECT_EQ(L.GetName(0), "Color");
    EXPECT_EQ(L.GetName(1), "");
    EXPECT_EQ(L.GetName(2), "");
    EXPECT_EQ(L.GetName(3), "a");
    EXPECT_EQ(L.GetValueFromIndex(0), "red");
    EXPECT_EQ(L.GetValueFromIndex(1), "");
    EXPECT_EQ(L.GetValueFromIndex(3), "b=c");
    EXPECT_EQ(L.GetValueFromIndex(-1), "");
}

TEST(StringsNameValue, ValuesAreFoundByNameIgnoringCase) {
    TStringList L;
    Fill(L, {"plain", "ab=1", "Color=red", "color=blue"});
    EXPECT_EQ(L.GetValue("COLOR"), "red");
    EXPECT_EQ(L.IndexOfName("color"), 2);
    EXPECT_EQ(L.IndexOfName("a"), -1);      // a prefix of a name is not the name
    EXPECT_EQ(L.IndexOfName("plain"), -1);  // a line without separator has no name
    EXPECT_EQ(L.GetValue("missing"), "");
}

TEST(StringsNameValue, SetValueReplacesAppendsAndDeletes) {
    TStringList L;
    Fill(L, {"a=1", "b=2", "c=3"});
    L.SetValue("B", "two");
    EXPECT_EQ(LinesOf(L), (TLines{"a=1", "B=two", "c=3"}));
    L.SetValue("d", "4");
    EXPECT_EQ(LinesOf(L), (TLines{"a=1", "B=two", "c=3", "d=4"}));
    L.SetValue("a", "");
    EXPECT_EQ(LinesOf(L), (TLines{"B=two", "c=3", "d=4"}));
    L.SetValue("nothing", "");
    EXPECT_EQ(L.GetCount(), 3);
}

TEST(StringsNameValue, SetValueFromIndexKeepsTheNameOrDeletes) {
    TStringList L;
    L.AddObject("a=1", &ObjA);
    L.Add("bare");
    L.SetValueFromIndex(0, "one");
    EXPECT_EQ(L.Get(0), "a=one");
    EXPECT_EQ(L.GetObject(0), &ObjA);
    L.SetValueFromIndex(1, "x");
    EXPECT_EQ(L.Get(1), "=x");
    L.SetValueFromIndex(-1, "new");
    EXPECT_EQ(L.Get(2), "=new");
    L.SetValueFromIndex(0, "");
    EXPECT_EQ(LinesOf(L), (TLines{"=x", "=new"}));
}

TEST(StringsNameValue, CustomSeparatorReplacesTheEqualsSign) {
    TStringList L;
    L.SetNameValueSeparator(':');
    Fill(L, {"host:example.org", "a=b"});
    EXPECT_EQ(L.GetName(0), "host");
    EXPECT_EQ(L.GetValue("HOST"), "example.org");
    EXPECT_EQ(L.GetName(1), "");
    EXPECT_EQ(L.IndexOfName("a"), -1);
    L.SetValue("port", "80");
    EXPECT_EQ(L.Get(2), "port:80");
}

TEST(StringsNameValue, SetValueWorksOnSortedLists) {
    TStringList L;
    L.SetSorted(true);
    Fill(L, {"b=2", "a=1"});
    L.SetValue("c", "3");
    EXPECT_EQ(LinesOf(L), (TLines{"a=1", "b=2", "c=3"}));
    L.SetValue("a", "");
    EXPECT_EQ(LinesOf(L), (TLines{"b=2", "c=3"}));
}

// ---------------------------------------------------------------- Text

struct TextCase {
    const char* Label;
    std::string Text;
    TLines Lines;
};
void PrintTo(const TextCase& C, std::ostream* OS) {
    *OS << C.Label;
}

class StringsTextRead : public ::testing::TestWithParam<TextCase> {};

TEST_P(StringsTextRead, SplitsAtEachKindOfLineBreak) {
    const TextCase& C = GetParam();
    TStringList L;
    Fill(L, {"old"});
    L.SetText(C.Text);
    EXPECT_EQ(LinesOf(L), C.Lines);
    // Written back, every line ends in CR LF.
    std::string Expected;
    for (const std::string& S : C.Lines) Expected += S + "\r\n";
    EXPECT_EQ(L.GetText(), Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, StringsTextRead,
    ::testing::Values(
        TextCase{"Empty", "", {}}, TextCase{"NoBreak", "a", {"a"}},
        TextCase{"Lf", "a\nb", {"a", "b"}}, TextCase{"CrLf", "a\r\nb", {"a", "b"}},
        TextCase{"Cr", "a\rb", {"a", "b"}}, TextCase{"Mixed", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        TextCase{"TrailingCrLf", "a\r\nb\r\n", {"a", "b"}}, TextCase{"TrailingLf", "a\n", {"a"}},
        TextCase{"OnlyBreak", "\r\n", {""}}, TextCase{"BlankLines", "a\n\n\nb", {"a", "", "", "b"}},
        TextCase{"LfThenCr", "a\n\rb", {"a", "", "b"}},
        TextCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
        TextCase{"TrailingBlank", "a\r\n\r\n", {"a", ""}},
        TextCase{"SpacesKept", " a \t\n", {" a \t"}},
        TextCase{"NulIsData", std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}}));

TEST(StringsText, EmptyLinesSurviveARoundTrip) {
    TStringList L;
    Fill(L, {"", "x", ""});
    EXPECT_EQ(L.GetText(), "\r\nx\r\n\r\n");
    TStringList Copy;
    Copy.SetText(L.GetText());
    EXPECT_TRUE(Copy.Equals(&L));
}

TEST(StringsText, HundredThousandLinesRoundTrip) {
    TStringList L;
    for (int I = 0; I < 100000; ++I) L.Add("line " + std::to_string(I));
    const std::string Text = L.GetText();
    EXPECT_EQ(Text.substr(0, 8), "line 0\r\n");
    EXPECT_EQ(Text.substr(Text.size() - 12), "line 99999\r\n");
    TStringList Back;
    Back.SetText(Text);
    EXPECT_TRUE(Back.Equals(&L));
}

// ---------------------------------------------------------------- CommaText and DelimitedText

struct CommaCase {
    const char* Label;
    TLines Lines;
    std::string Text;
};
void PrintTo(const CommaCase& C, std::ostream* OS) {
    *OS << C.Label;
}

class StringsCommaWrite : public ::testing::TestWithParam<CommaCase> {};

TEST_P(StringsCommaWrite, QuotesOnlyWhatNeedsItAndReadsBack) {
    const CommaCase& C = GetParam();
    TStringList L;
    Fill(L, C.Lines);
    EXPECT_EQ(L.GetCommaText(), C.Text);
    TStringList Back;
    Back.SetCommaText(C.Text);
    EXPECT_EQ(LinesOf(Back), C.Lines);
}

INSTANTIATE_TEST_SUITE_P(
    Items, StringsCommaWrite,
    ::testing::Values(
        CommaCase{"Plain", {"a", "b", "c"}, "a,b,c"}, CommaCase{"Space", {"a b", "c"}, "\"a b\",c"},
        CommaCase{"Quotes", {"say \"hi\""}, "\"say \"\"hi\"\"\""},
        CommaCase{"Comma", {"x,y"}, "\"x,y\""}, CommaCase{"Tab", {"tab\there"}, "\"tab\there\""},
        CommaCase{"LoneEmpty", {""}, "\"\""}, CommaCase{"EmptyInside", {"a", "", "b"}, "a,,b"},
        CommaCase{"EmptyFirst", {"", "a"}, ",a"}, CommaCase{"EmptyLast", {"a", ""}, "a,"},
        CommaCase{"NoLines", {}, ""}, CommaCase{"Utf8NotQuoted", {"caf\xC3\xA9"}, "caf\xC3\xA9"}));

class StringsCommaRead : public ::testing::TestWithParam<CommaCase> {};

TEST_P(StringsCommaRead, SplitsAtCommasAndBlanksOutsideQuotes) {
    const CommaCase& C = GetParam();
    TStringList L;
    Fill(L, {"old"});
    L.SetCommaText(C.Text);
    EXPECT_EQ(LinesOf(L), C.Lines);
}

INSTANTIATE_TEST_SUITE_P(Texts, StringsCommaRead,
                         ::testing::Values(CommaCase{"SpaceSplits", {"a", "b", "c"}, "a b,c"},
                                           CommaCase{"BlanksAroundCommas", {"a", "b"}, "  a , b  "},
                                           CommaCase{"BlankAfterLastComma", {"a"}, "a, "},
                                           CommaCase{
                                               "TextAfterQuote", {"a b", "c", "d"}, "\"a b\"c,d"},
                                           CommaCase{"Unclosed", {"open end"}, "\"open end"},
                                           CommaCase{"TwoEmpty", {"", ""}, "\"\",\"\""},
                                           CommaCase{"OnlyBlanks", {}, "   "}));

TEST(StringsDelimited, UsesTheListsDelimiterAndQuoteWhileCommaTextDoesNot) {
    TStringList L;
    L.SetDelimiter(';');
    L.SetQuoteChar('\'');
    Fill(L, {"a b", "c;d", "it's", "e,f"});
    EXPECT_EQ(L.GetDelimitedText(), "'a b';'c;d';'it''s';e,f");
    EXPECT_EQ(L.GetCommaText(), "\"a b\",c;d,it's,\"e,f\"");
    L.SetDelimitedText("x;'y z';w v,u");
    EXPECT_EQ(LinesOf(L), (TLines{"x", "y z", "w", "v,u"}));
    EXPECT_EQ(L.GetDelimiter(), ';');
}

// ---------------------------------------------------------------- change events

struct EventCase {
    const char* Label;
    std::function<void(TStringList&)> Op;
    int CountAfter;
};
void PrintTo(const EventCase& C, std::ostream* OS) {
    *OS << C.Label;
}

class StringListEvents : public ::testing::TestWithParam<EventCase> {};

TEST_P(StringListEvents, EachOperationAnnouncesOneChangeAroundIt) {
    const EventCase& C = GetParam();
    TStringList L;
    Fill(L, {"c=3", "a=1", "b=2"});
    TChangeRecorder Events(L);
    C.Op(L);
    EXPECT_EQ(L.GetCount(), C.CountAfter);
    EXPECT_EQ(Events.Log, (TLines{"Changing 3", "Changed " + std::to_string(C.CountAfter)}));
}

TStringList* TwoLines() {
    static TStringList Source;
    if (Source.GetCount() == 0) Fill(Source, {"x", "y"});
    return &Source;
}

INSTANTIATE_TEST_SUITE_P(
    Operations, StringListEvents,
    ::testing::Values(
        EventCase{"Add", [](TStringList& L) { L.Add("d"); }, 4},
        EventCase{"AddObject", [](TStringList& L) { L.AddObject("d", &ObjA); }, 4},
        EventCase{"Insert", [](TStringList& L) { L.Insert(1, "d"); }, 4},
        EventCase{"InsertObject", [](TStringList& L) { L.InsertObject(3, "d", &ObjA); }, 4},
        EventCase{"Delete", [](TStringList& L) { L.Delete(1); }, 2},
        EventCase{"Put", [](TStringList& L) { L.Put(0, "z"); }, 3},
        EventCase{"PutObject", [](TStringList& L) { L.PutObject(0, &ObjA); }, 3},
        EventCase{"Exchange", [](TStringList& L) { L.Exchange(0, 2); }, 3},
        EventCase{"Move", [](TStringList& L) { L.Move(0, 2); }, 3},
        EventCase{"Clear", [](TStringList& L) { L.Clear(); }, 0},
        EventCase{"SetText", [](TStringList& L) { L.SetText("p\nq"); }, 2},
        EventCase{"SetCommaText", [](TStringList& L) { L.SetCommaText("p,q,r,s"); }, 4},
        EventCase{"Sort", [](TStringList& L) { L.Sort(); }, 3},
        EventCase{"SetSorted", [](TStringList& L) { L.SetSorted(true); }, 3},
        EventCase{"SetValueExisting", [](TStringList& L) { L.SetValue("a", "9"); }, 3},
        EventCase{"SetValueNew", [](TStringList& L) { L.SetValue("n", "9"); }, 4},
        EventCase{"SetValueEmpty", [](TStringList& L) { L.SetValue("a", ""); }, 2},
        EventCase{"SetValueFromIndex", [](TStringList& L) { L.SetValueFromIndex(0, "7"); }, 3},
        EventCase{"AddStrings", [](TStringList& L) { L.AddStrings(TwoLines()); }, 5},
        EventCase{"Assign", [](TStringList& L) { L.Assign(TwoLines()); }, 2}));

TEST(StringListEventsQuiet, OperationsThatChangeNothingStaySilent) {
    TStringList L;
    TChangeRecorder Events(L);
    L.Clear();
    L.SetSorted(true);
    L.Add("a");
    Events.Log.clear();
    L.Add("A");  // ignored duplicate
    L.Move(0, 0);
    L.Sort();  // already sorted
    L.SetCaseSensitive(false);
    EXPECT_EQ(test::MessageOf<EStringListError>([&] { L.Delete(4); }), "List index out of bounds (4)");
    EXPECT_EQ(L.Get(0), "a");
    EXPECT_EQ(Events.Log, TLines{});
}

TEST(StringListEventsBracket, NestedUpdateFiresOnePairAtTheOutermostEnd) {
    TProbeList L;
    TChangeRecorder Events(L);
    L.BeginUpdate();
    L.BeginUpdate();
    EXPECT_EQ(L.GetUpdateCount(), 2);
    Fill(L, {"a", "b", "c"});
    L.Delete(0);
    L.EndUpdate();
    EXPECT_EQ(Events.Log, (TLines{"Changing 0"}));
    L.EndUpdate();
    EXPECT_EQ(Events.Log, (TLines{"Changing 0", "Changed 2"}));
    EXPECT_EQ(L.UpdateStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(L.GetUpdateCount(), 0);
}

TEST(StringListEventsBracket, FailureInsideAssignStillClosesTheBracket) {
    TStringList Source;
    Fill(Source, {"a", "b", "a"});
    TStringList L;
    L.SetSorted(true);
    L.SetDuplicates(dupError);
    TChangeRecorder Events(L);
    EXPECT_EQ(test::MessageOf<EStringListError>([&] { L.Assign(&Source); }),
              "String list does not allow duplicates");
    EXPECT_EQ(L.GetUpdateCount(), 0);
    EXPECT_EQ(Events.Log, (TLines{"Changing 0", "Changed 2"}));
    L.Add("c");
    EXPECT_EQ(Events.Log.size(), 4u);
}

TEST(StringListEventsBracket, DestroyingAListAnnouncesNothing) {
    TLines Log;
    {
        TStringList L;
        Fill(L, {"a", "b"});
        L.SetOnChanging(TNotifyEvent([&Log](TObject*) { Log.push_back("Changing"); }));
        L.SetOnChange(TNotifyEvent([&Log](TObject*) { Log.push_back("Changed"); }));
    }
    EXPECT_TRUE(Log.empty());
}

// ---------------------------------------------------------------- Assign and Equals

TEST(StringsAssign, CopiesLinesObjectsAndSeparators) {
    TStringList Source;
    Source.AddObject("k:v", &ObjA);
    Source.AddObject("w", &ObjB);
    Source.SetNameValueSeparator(':');
    Source.SetDelimiter(';');
    Source.SetQuoteChar('\'');
    TStringList L;
    Fill(L, {"old", "lines", "here"});
    L.Assign(&Source);
    EXPECT_EQ(LinesOf(L), (TLines{"k:v", "w"}));
    EXPECT_EQ(L.GetObject(0), &ObjA);
    EXPECT_EQ(L.GetObject(1), &ObjB);
    EXPECT_EQ(L.GetValue("k"), "v");
    EXPECT_EQ(L.GetDelimiter(), ';');
    EXPECT_EQ(L.GetQuoteChar(), '\'');
}

TEST(StringsAssign, FromANonStringsObjectRaisesAndKeepsTheLines) {
    TPersistent Other;
    TStringList L;
    Fill(L, {"kept"});
    EXPECT_EQ(test::MessageOf<EConvertError>([&] { L.Assign(&Other); }),
              "Cannot assign a TPersistent to a TStringList");
    EXPECT_EQ(LinesOf(L), (TLines{"kept"}));
}

TEST(StringsAssign, AssigningAListToItselfKeepsItsLines) {
    TStringList L;
    Fill(L, {"a", "b"});
    L.Assign(&L);
    EXPECT_EQ(LinesOf(L), (TLines{"a", "b"}));
}

TEST(StringsAssign, SortedTargetSortsWhatItReceives) {
    TVectorStrings Source;
    Fill(Source, {"c", "a", "b"});
    TStringList L;
    L.SetSorted(true);
    L.Assign(&Source);
    EXPECT_EQ(LinesOf(L), (TLines{"a", "b", "c"}));
}

TEST(StringsAddStrings, AddingAListToItselfDoublesItOnce) {
    TStringList L;
    L.AddObject("a", &ObjA);
    L.Add("b");
    L.AddStrings(&L);
    EXPECT_EQ(LinesOf(L), (TLines{"a", "b", "a", "b"}));
    EXPECT_EQ(L.GetObject(2), &ObjA);
}

TEST(StringsEquals, ComparesCountAndExactTextOnly) {
    TStringList A;
    Fill(A, {"x", "y"});
    TVectorStrings B;
    B.AddObject("x", &ObjA);
    B.Add("y");
    EXPECT_TRUE(A.Equals(&B));  // objects do not count
    B.Put(1, "Y");
    EXPECT_FALSE(A.Equals(&B));  // case does
    B.Put(1, "y");
    B.Add("");
    EXPECT_FALSE(A.Equals(&B));
    EXPECT_FALSE(A.Equals(nullptr));
    TStringList Empty1, Empty2;
    EXPECT_TRUE(Empty1.Equals(&Empty2));
}

// ---------------------------------------------------------------- index errors

struct IndexErrorCase {
    const char* Label;
    std::function<void(TStrings&)> Op;
    std::string Message;
};
void PrintTo(const IndexErrorCase& C, std::ostream* OS) {
    *OS << C.Label;
}

class StringsIndexErrors : public ::testing::TestWithParam<IndexErrorCase> {};

TEST_P(StringsIndexErrors, RaiseTheListErrorAndChangeNothing) {
    const IndexErrorCase& C = GetParam();
    TStringList L;
    L.AddObject("a", &ObjA);
    L.AddObject("b", &ObjB);
    EXPECT_EQ(test::MessageOf<EStringListError>([&] { C.Op(L); }), C.Message);
    EXPECT_EQ(LinesOf(L), (TLines{"a", "b"}));
    EXPECT_EQ(L.GetObject(0), &ObjA);
    EXPECT_EQ(L.GetObject(1), &ObjB);
    // The defaults of TStrings must fail the same way before touching anything.
    TVectorStrings V;
    V.AddObject("a", &ObjA);
    V.AddObject("b", &ObjB);
    EXPECT_EQ(test::MessageOf<EStringListError>([&] { C.Op(V); }), C.Message);
    EXPECT_TRUE(V.Equals(&L));
    EXPECT_EQ(V.GetObject(1), &ObjB);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, StringsIndexErrors,
    ::testing::Values(
        IndexErrorCase{"GetPastEnd", [](TStrings& S) { S.Get(2); }, "List index out of bounds (2)"},
        IndexErrorCase{"GetNegative", [](TStrings& S) { S.Get(-1); },
                       "List index out of bounds (-1)"},
        IndexErrorCase{"Put", [](TStrings& S) { S.Put(2, "x"); }, "List index out of bounds (2)"},
        IndexErrorCase{"GetObject", [](TStrings& S) { S.GetObject(5); },
                       "List index out of bounds (5)"},
        IndexErrorCase{"PutObject", [](TStrings& S) { S.PutObject(-1, &ObjC); },
                       "List index out of bounds (-1)"},
        IndexErrorCase{"Delete", [](TStrings& S) { S.Delete(2); }, "List index out of bounds (2)"},
        IndexErrorCase{"InsertPastEnd", [](TStrings& S) { S.Insert(3, "x"); },
                       "List index out of bounds (3)"},
        IndexErrorCase{"InsertNegative", [](TStrings& S) { S.Insert(-1, "x"); },
                       "List index out of bounds (-1)"},
        IndexErrorCase{"ExchangeSecond", [](TStrings& S) { S.Exchange(0, 2); },
                       "List index out of bounds (2)"},
        IndexErrorCase{"ExchangeFirst", [](TStrings& S) { S.Exchange(-3, 1); },
                       "List index out of bounds (-3)"},
        IndexErrorCase{"MoveTarget", [](TStrings& S) { S.Move(0, 2); },
                       "List index out of bounds (2)"},
        IndexErrorCase{"MoveSource", [](TStrings& S) { S.Move(4, 0); },
                       "List index out of bounds (4)"},
        IndexErrorCase{"Name", [](TStrings& S) { S.GetName(2); }, "List index out of bounds (2)"},
        IndexErrorCase{"ValueFromIndex", [](TStrings& S) { S.GetValueFromIndex(9); },
                       "List index out of bounds (9)"}));

TEST(StringListCapacity, CannotShrinkBelowTheLineCount) {
    TStringList L;
    Fill(L, {"a", "b", "c"});
    EXPECT_EQ(test::MessageOf<EStringListError>([&] { L.SetCapacity(2); }),
              "List capacity out of bounds (2)");
    L.SetCapacity(100);
    EXPECT_GE(L.GetCapacity(), 100);
    L.SetCapacity(3);
    EXPECT_EQ(LinesOf(L), (TLines{"a", "b", "c"}));
}

// ---------------------------------------------------------------- Move and Exchange

class StringsMoveExchange : public ::testing::TestWithParam<bool> {};

// The same checks on TStringList and on the defaults of TStrings.
std::unique_ptr<TStrings> MakeStrings(bool UseList) {
    if (UseList) return std::make_unique<TStringList>();
    return std::make_unique<TVectorStrings>();
}

TEST_P(StringsMoveExchange, ObjectsTravelWithTheirLines) {
    auto S = MakeStrings(GetParam());
    S->AddObject("a", &ObjA);
    S->AddObject("b", &ObjB);
    S->AddObject("c", &ObjC);
    S->Exchange(0, 2);
    EXPECT_EQ(LinesOf(*S), (TLines{"c", "b", "a"}));
    EXPECT_EQ(S->GetObject(0), &ObjC);
    EXPECT_EQ(S->GetObject(2), &ObjA);
    S->Move(0, 2);
    EXPECT_EQ(LinesOf(*S), (TLines{"b", "a", "c"}));
    EXPECT_EQ(S->GetObject(2), &ObjC);
    S->Move(2, 0);
    EXPECT_EQ(LinesOf(*S), (TLines{"c", "b", "a"}));
    EXPECT_EQ(S->GetObject(0), &ObjC);
    EXPECT_EQ(S->GetObject(1), &ObjB);
    EXPECT_EQ(S->IndexOfObject(&ObjA), 2);
    EXPECT_EQ(S->IndexOfObject(nullptr), -1);
}

INSTANTIATE_TEST_SUITE_P(Both, StringsMoveExchange, ::testing::Bool(),
                         [](const auto& Info) { return Info.param ? "StringList" : "Defaults"; });

TEST(StringListSorted, MoveAndExchangeAreAllowedOnSortedLists) {
    TStringList L;
    L.SetSorted(true);
    L.AddObject("a", &ObjA);
    L.AddObject("b", &ObjB);
    L.AddObject("c", &ObjC);
    L.Exchange(0, 1);
    L.Move(2, 0);
    EXPECT_EQ(LinesOf(L), (TLines{"c", "b", "a"}));
    EXPECT_EQ(L.GetObject(0), &ObjC);
    EXPECT_EQ(L.GetObject(2), &ObjA);
}

// ---------------------------------------------------------------- defaults of TStrings

TEST(StringsDefaults, PutReplacesTheLineAndKeepsItsObject) {
    TVectorStrings S;
    S.AddObject("a", &ObjA);
    S.AddObject("b", &ObjB);
    S.Put(0, "z");
    EXPECT_EQ(LinesOf(S), (TLines{"z", "b"}));
    EXPECT_EQ(S.GetObject(0), &ObjA);
}

TEST(StringsDefaults, LookupsIgnoreCaseThroughCompareStrings) {
    TVectorStrings S;
    Fill(S, {"One=1", "Two=2"});
    EXPECT_EQ(S.IndexOf("TWO=2"), 1);
    EXPECT_EQ(S.IndexOfName("one"), 0);
    EXPECT_EQ(S.GetValue("TWO"), "2");
    S.SetValue("two", "");
    EXPECT_EQ(LinesOf(S), (TLines{"One=1"}));
    EXPECT_EQ(S.GetCapacity(), 1);
}

TEST(StringsDefaults, TextFormsWorkOnAnyDescendant) {
    TVectorStrings S;
    S.SetText("a b\r\nc");
    EXPECT_EQ(S.GetCommaText(), "\"a b\",c");
    S.SetCommaText("x,,\"y\"\"z\"");
    EXPECT_EQ(S.GetText(), "x\r\n\r\ny\"z\r\n");
}

TEST(StringsDefaults, AssignBetweenDifferentDescendants) {
    TStringList L;
    L.AddObject("a", &ObjA);
    L.SetNameValueSeparator(':');
    TVectorStrings V;
    V.Assign(&L);
    EXPECT_EQ(LinesOf(V), (TLines{"a"}));
    EXPECT_EQ(V.GetObject(0), &ObjA);
    EXPECT_EQ(V.GetNameValueSeparator(), ':');
    TPersistent Other;
    EXPECT_EQ(test::MessageOf<EConvertError>([&] { V.Assign(&Other); }),
              "Cannot assign a TPersistent to a TVectorStrings");
}

// ---------------------------------------------------------------- files

class StringsFiles : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = std::filesystem::temp_directory_path() /
              ("zk-stringlist-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(Dir);
        std::filesystem::create_directories(Dir);
    }
    void TearDown() override { std::filesystem::remove_all(Dir); }

    std::string PathOf(const std::string& Name) const { return (Dir / Name).string(); }
    std::string BytesOf(const std::string& Name) const {
        std::ifstream In(PathOf(Name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(In), {});
    }
    std::filesystem::path Dir;
};

TEST_F(StringsFiles, SaveWritesCrLfLinesAndLoadReadsThemBack) {
    TStringList L;
    Fill(L, {"first", "", "caf\xC3\xA9 = 1", std::string("nul\0byte", 8)});
    L.SaveToFile(PathOf("out.txt"));
    using namespace std::string_literals;
    EXPECT_EQ(BytesOf("out.txt"), "first\r\n\r\ncaf\xC3\xA9 = 1\r\nnul\0byte\r\n"s);
    TStringList Back;
    Fill(Back, {"replaced"});
    Back.LoadFromFile(PathOf("out.txt"));
    EXPECT_TRUE(Back.Equals(&L));
}

TEST_F(StringsFiles, LoadAcceptsUnixLineBreaks) {
    std::ofstream(PathOf("unix.txt"), std::ios::binary) << "a\nb\n";
    TStringList L;
    L.LoadFromFile(PathOf("unix.txt"));
    EXPECT_EQ(LinesOf(L), (TLines{"a", "b"}));
}

TEST_F(StringsFiles, LoadingAMissingFileNamesItAndKeepsTheLines) {
    TStringList L;
    Fill(L, {"kept"});
    const std::string Name = PathOf("missing.txt");
    EXPECT_EQ(test::MessageOf<EFOpenError>([&] { L.LoadFromFile(Name); }),
              "Cannot open file \"" + Name + "\". No such file or directory");
    EXPECT_EQ(LinesOf(L), (TLines{"kept"}));
}

TEST_F(StringsFiles, LoadingADirectoryIsAnOpenError) {
    TStringList L;
    const std::string Message = test::MessageOf<EFOpenError>([&] { L.LoadFromFile(Dir.string()); });
    EXPECT_EQ(Message.rfind("Cannot open file \"" + Dir.string() + "\". ", 0), 0u) << Message;
}

TEST_F(StringsFiles, SavingIntoAMissingFolderIsACreateError) {
    TStringList L;
    const std::string Name = PathOf("no/such/folder.txt");
    EXPECT_EQ(test::MessageOf<EFCreateError>([&] { L.SaveToFile(Name); }),
              "Cannot create file \"" + Name + "\". No such file or directory");
}

// ---------------------------------------------------------------- class information

TEST(StringListClass, ListIsCreatableByClassAndStringsIsAbstract) {
    const TClassInfo* Info = TStringList::StaticClass();
    EXPECT_EQ(Info->ClassName(), "TStringList");
    EXPECT_EQ(Info->ClassParent(), TStrings::StaticClass());
    EXPECT_TRUE(Info->InheritsFrom(TPersistent::StaticClass()));
    // IsAbstract fills in the virtual constructors, which are built on first use.
    EXPECT_TRUE(TStrings::StaticClass()->IsAbstract());
    ASSERT_FALSE(Info->IsAbstract());
    ASSERT_NE(Info->CreateDefault, nullptr);
    TOwned<TObject> Obj(Info->CreateDefault());
    TStrings* S = DynamicCast<TStrings>(Obj.get());
    ASSERT_NE(S, nullptr);
    EXPECT_EQ(S->ClassName(), "TStringList");
    S->Add("works");
    EXPECT_EQ(S->GetText(), "works\r\n");
}

}  // namespace
}  // namespace zk
