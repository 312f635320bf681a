// Tests for TYRegularExpression: match tables, syntax errors, the automaton it builds and Assign.
#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

#include "platform/core/SysUtils.h"
#include "platform/core/TypInfo.h"
#include "regex/YRegularExpression.h"

namespace zk {
namespace {

// Shows control characters so that failing rows are readable.
std::string Visible(const std::string& S) {
    std::string R;
    for (char C : S) {
        if (C == '\n')
            R += "<LF>";
        else if (C == '\r')
            R += "<CR>";
        else
            R += C;
    }
    return R;
}

struct TMatchCase {
    std::string Expression;
    bool CaseSensitive;
    std::string Text;
    int StartPos;
    int Position;  // expected result of Find, 0 for none
    int Length;    // expected match length when Position > 0
};

std::ostream& operator<<(std::ostream& Out, const TMatchCase& C) {
    return Out << "'" << Visible(C.Expression) << "'" << (C.CaseSensitive ? "" : " (any case)")
               << " in '" << Visible(C.Text) << "' from " << C.StartPos;
}

const std::string LF = "\n";
const std::string CR = "\r";

const TMatchCase MatchCases[] = {
    // Leftmost start, shortest match.
    {"ab", true, "xxab", 1, 3, 2},
    {"ab", true, "xxa", 1, 0, 0},
    {"ab", true, "abab", 2, 3, 2},
    {"ab", true, "abab", 4, 0, 0},
    {"a*", true, "bbb", 1, 1, 0},
    {".*", true, "abc", 1, 1, 0},
    {"a+", true, "aaa", 1, 1, 1},
    {"a+", true, "bbaa", 1, 3, 1},
    {"a|ab", true, "ab", 1, 1, 1},
    {"ab|a", true, "ab", 1, 1, 1},
    {"a.*b", true, "axxbyyb", 1, 1, 4},
    {"b|aab", true, "aab", 1, 1, 3},
    {"abc", true, "ababc", 1, 3, 3},
    // Case folding applies to literals, class members and the text alike.
    {"[a-c]+", false, "ABC", 1, 1, 1},
    {"[a-c]+", false, "abc", 1, 1, 1},
    {"[a-c]+", true, "ABC", 1, 0, 0},
    {"[a-c]+", true, "abc", 1, 1, 1},
    {"^[a-c]+$", false, LF + "AbC" + CR, 1, 1, 5},
    {"^[a-c]+$", true, LF + "AbC" + CR, 1, 0, 0},
    {"abc", false, "xAbC", 1, 2, 3},
    {"abc", true, "xAbC", 1, 0, 0},
    {"[^a]", false, "A", 1, 0, 0},
    {"[^a]", true, "A", 1, 1, 1},
    {"[A-C]", false, "b", 1, 1, 1},
    {"\\a", false, "A", 1, 1, 1},
    {"z", false, "aZ", 1, 2, 1},
    {"Z", false, "az", 1, 2, 1},
    {"[y-z]", false, "Z", 1, 1, 1},
    // Only a-z fold: not the neighbours of the range, nor bytes above 127.
    {"`", false, "@", 1, 0, 0},
    {"{", false, "[", 1, 0, 0},
    {"\xe9", false, "\xc9", 1, 0, 0},
    {"\xe9+", false, "a\xe9\xe9", 1, 2, 1},
    // Anchors are the LF and CR put around the text.
    {"^ab$", true, LF + "ab" + CR, 1, 1, 4},
    {"^ab$", true, LF + "abc" + CR, 1, 0, 0},
    {"^ab$", true, "ab", 1, 0, 0},
    {"ab$", true, LF + "xab" + CR, 1, 3, 3},
    {"\\^", true, "a" + LF, 1, 2, 1},
    {"\\$", true, "a" + CR, 1, 2, 1},
    {"[$]", true, "x" + CR, 1, 2, 1},
    {"[a^]", true, LF, 1, 1, 1},
    {"[^^]", true, LF + "x", 1, 2, 1},
    // Classes.
    {"[^0-9]", true, "5", 1, 0, 0},
    {"[^0-9]", true, "x", 1, 1, 1},
    {"[^0-9]", true, "12a", 1, 3, 1},
    {"[^0-9]", true, "1" + LF, 1, 2, 1},
    {"[\\]]", true, "a]", 1, 2, 1},
    {"[z-a]", true, "m", 1, 1, 1},
    {"[z-a]", true, "M", 1, 0, 0},
    {"[z-a]", false, "M", 1, 1, 1},
    {"[9-0]+x", true, "a55x", 1, 2, 3},
    {"[a\\-z]", true, "-", 1, 1, 1},
    {"[a\\-z]", true, "m", 1, 0, 0},
    {"[.*(|]", true, "x|", 1, 2, 1},
    {"[.*(|]", true, "x", 1, 0, 0},
    {"[ab-dx]", true, "zc", 1, 2, 1},
    // Bytes compare unsigned, so ranges reach past 127.
    {"[\x01-\xff]", true, "\xe9", 1, 1, 1},
    {"[^\x01-\x7f]", true, "a\xe9", 1, 2, 1},
    // Escapes.
    {"\\.", true, "a.", 1, 2, 1},
    {"\\.", true, "ab", 1, 0, 0},
    {"\\*", true, "a*", 1, 2, 1},
    {"\\\\", true, "a\\b", 1, 2, 1},
    {"a\\+b", true, "aab a+b", 1, 5, 3},
    {"\\(x\\)", true, "(x)", 1, 1, 3},
    // Alternation and grouping.
    {"a|b", true, "a", 1, 1, 1},
    {"a|b", true, "b", 1, 1, 1},
    {"a|b", true, "c", 1, 0, 0},
    {"a|b|c", true, "xxc", 1, 3, 1},
    {"(ab|cd)+", true, "xcdab", 1, 2, 2},
    {"^(ab|cd)+$", true, LF + "abcdab" + CR, 1, 1, 8},
    {"^(ab|cd)+$", true, LF + "abc" + CR, 1, 0, 0},
    {"x(ab|cd)*y", true, "xabcdy", 1, 1, 6},
    {"x(ab|cd)*y", true, "xy", 1, 1, 2},
    {"x(ab|cd)*y", true, "xaby xy", 1, 1, 4},
    {"^(a|ab)$", true, LF + "ab" + CR, 1, 1, 4},
    // The ? operator.
    {"ab?c", true, "ac", 1, 1, 2},
    {"ab?c", true, "abc", 1, 1, 3},
    {"ab?c", true, "abbc", 1, 0, 0},
    {"colou?r", true, "the colour", 1, 5, 6},
    {"a?", true, "b", 1, 1, 0},
    {"(ab)?c", true, "abc", 1, 1, 3},
    {"(ab)?c", true, "ac", 1, 2, 1},
    {"a.c", true, "a" + LF + "c", 1, 1, 3},
    // Parsing stops where the expression cannot continue; the rest is ignored.
    {"a)", true, "xa", 1, 2, 1},
    {"a)", true, "a", 1, 1, 1},
    {"a)b", true, "a", 1, 1, 1},
    {"a**", true, "b", 1, 1, 0},
    {"ab-c", true, "abx", 1, 1, 2},
    {"x]y", true, "x", 1, 1, 1},
    {"a+?", true, "aa", 1, 1, 1},
    // Repetitions of what can match nothing make cycles of empty transitions.
    {"(a*)*b", true, "aaab", 1, 1, 4},
    {"(a*)*b", true, "b", 1, 1, 1},
    {"(a*)*b", true, "aaa", 1, 0, 0},
    {"(a?)+b", true, "xaab", 1, 2, 3},
    {"(a*|b)*c", true, "abbac", 1, 1, 5},
    {"(a*)+", true, "aaa", 1, 1, 0},
    {"((a*)*)*x", true, "aax", 1, 1, 3},
    // Dates and identifiers as edit masks use them.
    {"^[0-9][0-9]?/[0-9][0-9]?/[0-9][0-9][0-9][0-9]$", true, LF + "12/31/2024" + CR, 1, 1, 12},
    {"^[0-9][0-9]?/[0-9][0-9]?/[0-9][0-9][0-9][0-9]$", true, LF + "1/3/2024" + CR, 1, 1, 10},
    {"^[0-9][0-9]?/[0-9][0-9]?/[0-9][0-9][0-9][0-9]$", true, LF + "1/3/224" + CR, 1, 0, 0},
    {"^[A-Za-z_][A-Za-z0-9_]*$", true, LF + "Edit_12" + CR, 1, 1, 9},
    {"^[A-Za-z_][A-Za-z0-9_]*$", true, LF + "12Edit" + CR, 1, 0, 0},
    // Nothing to find in nothing.
    {"", true, "abc", 1, 0, 0},
    {"a*", true, "", 1, 0, 0},
};

class RegexMatchTest : public ::testing::TestWithParam<TMatchCase> {};

TEST_P(RegexMatchTest, FindsLeftmostShortestMatch) {
    const TMatchCase& C = GetParam();
    TYRegularExpression R(C.Expression);
    R.SetCaseSensitive(C.CaseSensitive);
    int Length = -1;
    EXPECT_EQ(R.Find(C.Text, C.StartPos, Length), C.Position);
    EXPECT_EQ(Length, C.Position ? C.Length : 0);
    if (C.Position == 0) return;
    // Find is MatchAt tried at each position in turn.
    int AtLength = -1;
    EXPECT_TRUE(R.MatchAt(C.Text, C.Position, AtLength));
    EXPECT_EQ(AtLength, C.Length);
    for (int P = C.StartPos; P < C.Position; ++P)
        EXPECT_FALSE(R.MatchAt(C.Text, P, AtLength)) << "at " << P;
}

INSTANTIATE_TEST_SUITE_P(Table, RegexMatchTest, ::testing::ValuesIn(MatchCases));

TEST(RegexFindTest, OverloadsAgreeOnPositionAndLength) {
    TYRegularExpression R("b+c");
    int Length = 0;
    EXPECT_EQ(R.Find("abbc", Length), 2);
    EXPECT_EQ(Length, 3);
    EXPECT_EQ(R.Find("abbc"), 2);
    EXPECT_EQ(R.Find("abbcbc", 3, Length), 3);
    EXPECT_EQ(Length, 2);
    // A start before the text is its first character.
    EXPECT_EQ(R.Find("bc", 0, Length), 1);
}

TEST(RegexMatchAtTest, MatchesEmptyTextAtItsEnd) {
    TYRegularExpression R("a*");
    int Length = -1;
    EXPECT_TRUE(R.MatchAt("aa", 3, Length));
    EXPECT_EQ(Length, 0);
    EXPECT_TRUE(R.MatchAt("", 1, Length));
    EXPECT_EQ(Length, 0);
    TYRegularExpression A("a");
    EXPECT_FALSE(A.MatchAt("a", 2, Length));
}

TEST(RegexMatchAtTest, RefusesStartsOutsideTheText) {
    TYRegularExpression R("a*");
    int Length = -1;
    EXPECT_FALSE(R.MatchAt("aa", 0, Length));
    EXPECT_EQ(Length, 0);
    EXPECT_FALSE(R.MatchAt("aa", 4, Length));
    EXPECT_FALSE(R.MatchAt("aa", -5, Length));
}

TEST(RegexMatchAtTest, UncompiledExpressionMatchesNothing) {
    TYRegularExpression R;
    int Length = -1;
    EXPECT_FALSE(R.MatchAt("abc", 1, Length));
    EXPECT_EQ(R.Find("abc", Length), 0);
}

TEST(RegexMatchTest, NestedEmptyRepetitionOnLongTextEndsQuickly) {
    TYRegularExpression R("(a*)*b");
    const std::string Text(1000, 'a');
    const auto Begin = std::chrono::steady_clock::now();
    int Length = -1;
    EXPECT_EQ(R.Find(Text, Length), 0);
    EXPECT_EQ(R.Find(Text + "b", Length), 1);
    EXPECT_EQ(Length, 1001);
    const auto Elapsed = std::chrono::steady_clock::now() - Begin;
    // Generous even under sanitizers; an exponential or unbounded walk would not get close.
    EXPECT_LT(Elapsed, std::chrono::seconds(10));
}

TEST(RegexMatchTest, ChangingCaseSensitivityRecompiles) {
    TYRegularExpression R("abc");
    EXPECT_EQ(R.Find("ABC"), 0);
    R.SetCaseSensitive(false);
    EXPECT_EQ(R.Find("xABC"), 2);
    R.SetCaseSensitive(true);
    EXPECT_EQ(R.Find("xABC"), 0);
}

TEST(RegexMatchTest, ChangingTheExpressionRecompiles) {
    TYRegularExpression R("a");
    EXPECT_EQ(R.Find("ba"), 2);
    R.SetExpression("b");
    EXPECT_EQ(R.Find("ab"), 2);
    R.SetExpression("");
    EXPECT_TRUE(R.GetStates().empty());
    EXPECT_EQ(R.Find("ab"), 0);
}

struct TErrorCase {
    std::string Expression;
    std::string Message;
};

std::ostream& operator<<(std::ostream& Out, const TErrorCase& C) {
    return Out << "'" << C.Expression << "'";
}

const std::string MissingParen = "Missing Close Parentheses";
const std::string UnexpectedEnd = "Unexpected end of regular expression";
const std::string UnexpectedMeta = "Unexpected meta character found";

const TErrorCase ErrorCases[] = {
    {"(a", MissingParen},      {"((a)", MissingParen},   {"(a**)", MissingParen},
    {"(a]", MissingParen},     {"x(a|b", MissingParen},  {"(", UnexpectedEnd},
    {"a|", UnexpectedEnd},     {"(a|", UnexpectedEnd},   {"[a", UnexpectedEnd},
    {"[", UnexpectedEnd},      {"[^", UnexpectedEnd},    {"[a-", UnexpectedEnd},
    {"[ab", UnexpectedEnd},    {"a\\", UnexpectedEnd},   {"\\", UnexpectedEnd},
    {"[\\", UnexpectedEnd},    {"[a-\\", UnexpectedEnd}, {"*a", UnexpectedMeta},
    {"+", UnexpectedMeta},     {"?", UnexpectedMeta},    {"|a", UnexpectedMeta},
    {"a||b", UnexpectedMeta},  {"()", UnexpectedMeta},   {")", UnexpectedMeta},
    {"]", UnexpectedMeta},     {"-", UnexpectedMeta},    {"[]", UnexpectedMeta},
    {"[^]", UnexpectedMeta},   {"[a-]", UnexpectedMeta}, {"[-a]", UnexpectedMeta},
    {"[a--]", UnexpectedMeta}, {"a|*", UnexpectedMeta},
};

// The message of the ERXException raised by Fn, or a marker when nothing is raised.
template <typename F>
std::string SyntaxErrorOf(F&& Fn) {
    try {
        Fn();
    } catch (const ERXException& E) {
        return E.Message();
    }
    return "<no exception>";
}

class RegexSyntaxErrorTest : public ::testing::TestWithParam<TErrorCase> {};

TEST_P(RegexSyntaxErrorTest, EveryWayOfCompilingReportsIt) {
    const TErrorCase& C = GetParam();
    EXPECT_EQ(SyntaxErrorOf([&] { TYRegularExpression R(C.Expression); }), C.Message);

    TYRegularExpression R;
    EXPECT_EQ(SyntaxErrorOf([&] { R.SetExpression(C.Expression); }), C.Message);
    // The text stays as given and no partial automaton is left behind.
    EXPECT_EQ(R.GetExpression(), C.Expression);
    EXPECT_TRUE(R.GetStates().empty());
    int Length = 0;
    EXPECT_FALSE(R.MatchAt("a", 1, Length));
    // Find compiles again and so raises again, every time.
    EXPECT_EQ(SyntaxErrorOf([&] { R.Find("abc"); }), C.Message);
    EXPECT_EQ(SyntaxErrorOf([&] { R.Find("abc", 2, Length); }), C.Message);
    EXPECT_EQ(SyntaxErrorOf([&] { R.SetCaseSensitive(false); }), C.Message);
    EXPECT_FALSE(R.GetCaseSensitive());
}

INSTANTIATE_TEST_SUITE_P(Table, RegexSyntaxErrorTest, ::testing::ValuesIn(ErrorCases));

TEST(RegexSyntaxErrorTest, SettingTheSameBadTextAgainDoesNotRecompile) {
    TYRegularExpression R;
    EXPECT_THROW(R.SetExpression("(a"), ERXException);
    EXPECT_NO_THROW(R.SetExpression("(a"));
    EXPECT_THROW(R.Find("a"), ERXException);
    R.SetExpression("(a)");
    EXPECT_EQ(R.Find("ba"), 2);
}

TEST(RegexSyntaxErrorTest, EmptyTextStillReportsTheError) {
    TYRegularExpression R;
    EXPECT_THROW(R.SetExpression("a|"), ERXException);
    EXPECT_THROW(R.Find(""), ERXException);
}

TEST(RegexExpressionTest, KeepsAnchorsInTheStoredText) {
    TYRegularExpression R("^[^a]$");
    EXPECT_EQ(R.GetExpression(), "^[^a]$");
    EXPECT_EQ(SyntaxErrorOf([&] { R.SetExpression("^($"); }), MissingParen);
    EXPECT_EQ(R.GetExpression(), "^($");
}

// Structural checks every compiled automaton must pass.
void ExpectWellFormed(const TYRegularExpression& R) {
    const std::vector<TRXState>& S = R.GetStates();
    ASSERT_FALSE(S.empty());
    const int Count = static_cast<int>(S.size());
    EXPECT_EQ(S.back().StateKind, skFinal);
    EXPECT_EQ(S.back().Next1, -1);
    EXPECT_EQ(S.back().Next2, -1);
    ASSERT_GE(R.GetStartState(), 0);
    ASSERT_LT(R.GetStartState(), Count);
    EXPECT_NE(S[R.GetStartState()].StateKind, skBypassed);
    for (int I = 0; I + 1 < Count; ++I) {
        const TRXState& St = S[I];
        EXPECT_NE(St.StateKind, skFinal) << "state " << I;
        if (St.StateKind == skBypassed) continue;
        ASSERT_GE(St.Next1, 0) << "state " << I;
        ASSERT_LT(St.Next1, Count) << "state " << I;
        EXPECT_NE(S[St.Next1].StateKind, skBypassed) << "state " << I;
        if (St.StateKind != skBranch) {
            EXPECT_EQ(St.Next2, -1) << "state " << I;
            continue;
        }
        ASSERT_GE(St.Next2, 0) << "state " << I;
        ASSERT_LT(St.Next2, Count) << "state " << I;
        EXPECT_NE(S[St.Next2].StateKind, skBypassed) << "state " << I;
    }
}

class RegexAutomatonTest : public ::testing::TestWithParam<std::string> {};

TEST_P(RegexAutomatonTest, IsWellFormedAfterOptimizing) {
    TYRegularExpression R(GetParam());
    ExpectWellFormed(R);
}

INSTANTIATE_TEST_SUITE_P(Table, RegexAutomatonTest,
                         ::testing::Values("a", "ab", "abc", "a*", "a+", "a?", "a|b", "a|b|c",
                                           "(ab|cd)+", "(a*)*b", "a?b?c?", "((a|b)?c)*d",
                                           "[0-9][0-9]?/[0-9]", "x(a|b?)?", ".", "(a)"));

TEST(RegexAutomatonTest, ConcatenationLinksAreBypassed) {
    TYRegularExpression R("ab");
    const std::vector<TRXState>& S = R.GetStates();
    ASSERT_EQ(S.size(), 4u);
    EXPECT_EQ(R.GetStartState(), 0);
    EXPECT_EQ(S[0].StateKind, skChar);
    EXPECT_EQ(S[0].Ch, 'a');
    EXPECT_EQ(S[0].Next1, 2);
    EXPECT_EQ(S[1].StateKind, skBypassed);
    EXPECT_EQ(S[2].StateKind, skChar);
    EXPECT_EQ(S[2].Next1, 3);
    EXPECT_EQ(S[3].StateKind, skFinal);
}

TEST(RegexAutomatonTest, StarBranchFollowsTheAtom) {
    TYRegularExpression R("a*");
    const std::vector<TRXState>& S = R.GetStates();
    ASSERT_EQ(S.size(), 3u);
    EXPECT_EQ(R.GetStartState(), 1);
    EXPECT_EQ(S[0].Next1, 1);
    EXPECT_EQ(S[1].StateKind, skBranch);
    EXPECT_EQ(S[1].Next1, 2);
    EXPECT_EQ(S[1].Next2, 0);
    TYRegularExpression Plus("a+");
    EXPECT_EQ(Plus.GetStartState(), 0);
    EXPECT_EQ(Plus.GetStates()[1].Next2, 0);
}

TEST(RegexAutomatonTest, OptionalAndAlternationJoinAfterTheirBranches) {
    TYRegularExpression Opt("a?");
    const std::vector<TRXState>& S = Opt.GetStates();
    ASSERT_EQ(S.size(), 4u);
    EXPECT_EQ(Opt.GetStartState(), 2);
    EXPECT_EQ(S[1].StateKind, skBypassed);
    EXPECT_EQ(S[2].Next1, 0);
    EXPECT_EQ(S[2].Next2, 3);
    EXPECT_EQ(S[0].Next1, 3);

    TYRegularExpression Alt("a|b");
    const std::vector<TRXState>& T = Alt.GetStates();
    ASSERT_EQ(T.size(), 5u);
    EXPECT_EQ(Alt.GetStartState(), 2);
    EXPECT_EQ(T[2].Next1, 0);
    EXPECT_EQ(T[2].Next2, 3);
    EXPECT_EQ(T[0].Next1, 4);
    EXPECT_EQ(T[3].Next1, 4);
}

TEST(RegexAutomatonTest, ClassesFoldCaseAtCompileTime) {
    TYRegularExpression R("[a-c]");
    R.SetCaseSensitive(false);
    const TRXState& S = R.GetStates()[0];
    EXPECT_EQ(S.StateKind, skCharSet);
    EXPECT_TRUE(S.CharSet['A'] && S.CharSet['B'] && S.CharSet['C']);
    EXPECT_FALSE(S.CharSet['a']);
    EXPECT_EQ(S.CharSet.count(), 3u);
    TYRegularExpression N("[^x]");
    EXPECT_EQ(N.GetStates()[0].StateKind, skNotCharSet);
}

TEST(RegexAssignTest, CopiesTheCompiledAutomaton) {
    TYRegularExpression Source("^[a-c]+$");
    Source.SetCaseSensitive(false);
    TYRegularExpression Copy("zzz");
    Copy.Assign(&Source);
    EXPECT_EQ(Copy.GetExpression(), "^[a-c]+$");
    EXPECT_FALSE(Copy.GetCaseSensitive());
    EXPECT_EQ(Copy.GetStartState(), Source.GetStartState());
    ASSERT_EQ(Copy.GetStates().size(), Source.GetStates().size());
    Source.SetExpression("q");
    Source.SetCaseSensitive(true);
    int Length = 0;
    EXPECT_EQ(Copy.Find("\nAbC\r", Length), 1);
    EXPECT_EQ(Length, 5);
    EXPECT_EQ(Copy.Find("zzz"), 0);
    EXPECT_EQ(Source.Find("\nAbC\r"), 0);
}

TEST(RegexAssignTest, FromAnotherClassRaisesConvertError) {
    TYRegularExpression R("a");
    TPersistent Other;
    try {
        R.Assign(&Other);
        FAIL() << "Assign from a TPersistent returned";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), "Cannot assign a TPersistent to a TYRegularExpression");
    }
    EXPECT_EQ(R.Find("ba"), 2);
    EXPECT_THROW(R.Assign(nullptr), EConvertError);
}

TEST(RegexPropertiesTest, PublishedPropertiesCompile) {
    TYRegularExpression R;
    const TPropInfo* Case = GetPropInfo(&R, "CaseSensitive");
    ASSERT_NE(Case, nullptr);
    EXPECT_EQ(Case->Default, 1);
    SetStrProp(&R, "Expression", "abc");
    EXPECT_EQ(R.Find("xABC"), 0);
    SetOrdProp(&R, "CaseSensitive", 0);
    EXPECT_EQ(R.Find("xABC"), 2);
    EXPECT_EQ(GetStrProp(&R, "Expression"), "abc");
    EXPECT_THROW(SetStrProp(&R, "Expression", "(a"), ERXException);
}

}  // namespace
}  // namespace zk

namespace zk {
namespace {

// Regression: deeply nested groups or long alternations used to recurse without bound.
TEST(RegexHostileInput, DeepNestingIsASyntaxErrorNotAStackOverflow) {
    for (const std::string& Expr : {std::string(100000, '(') + "a", std::string("a") + [] {
             std::string S;
             for (int I = 0; I < 50000; ++I) S += "|a";
             return S;
         }()}) {
        try {
            TYRegularExpression R(Expr);
            FAIL() << "no exception";
        } catch (const ERXException& E) {
            EXPECT_EQ("Regular expression nested too deeply", E.Message());
        }
    }
    TYRegularExpression Ok(std::string(500, '(') + "a" + std::string(500, ')'));
    EXPECT_EQ(1, Ok.Find("a"));
}

// A half-typed value is kept while the expression can still accept it.
TEST(RegexPrefixTest, CanStartMatchAcceptsWholeMatchesAndTheirBeginnings) {
    TYRegularExpression Digits("[0-9]+");
    EXPECT_TRUE(Digits.CanStartMatch("1"));
    EXPECT_TRUE(Digits.CanStartMatch("123"));
    EXPECT_TRUE(Digits.CanStartMatch("")) << "the empty text can still become a match";
    EXPECT_FALSE(Digits.CanStartMatch("12a"));
    EXPECT_FALSE(Digits.CanStartMatch("a"));

    TYRegularExpression Date("^[0-9][0-9]/[0-9][0-9]$");
    EXPECT_TRUE(Date.CanStartMatch("\n1"));
    EXPECT_TRUE(Date.CanStartMatch("\n12/3"));
    EXPECT_TRUE(Date.CanStartMatch("\n12/31"));
    EXPECT_TRUE(Date.CanStartMatch("\n12/31\r"));
    EXPECT_FALSE(Date.CanStartMatch("\n12/31\r1")) << "nothing follows the end of the line";
    EXPECT_FALSE(Date.CanStartMatch("\n123"));
    EXPECT_FALSE(Date.CanStartMatch("12")) << "the line start must come first";

    TYRegularExpression Loop("(a*)*b");
    EXPECT_TRUE(Loop.CanStartMatch(std::string(1000, 'a')));
    EXPECT_FALSE(Loop.CanStartMatch("aaba"));

    TYRegularExpression Caseless("abc");
    Caseless.SetCaseSensitive(false);
    EXPECT_TRUE(Caseless.CanStartMatch("AB"));
    EXPECT_FALSE(TYRegularExpression("").CanStartMatch("x"));
}

}  // namespace
}  // namespace zk
