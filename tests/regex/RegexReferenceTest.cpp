// Checks TYRegularExpression against a direct evaluation of random expression trees.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "regex/YRegularExpression.h"

namespace zk {
namespace {

// An expression tree, rendered to text for the matcher and evaluated here without any
// automaton: a node maps a start position to the set of positions where it can end.
struct TNode {
    enum TKind { Lit, Any, Class, Concat, Alt, Star, Plus, Opt };
    TKind Kind = Lit;
    char Ch = 0;          // Lit
    std::string Members;  // Class, raw characters before any case folding
    bool Negated = false;
    std::string Text;  // rendering of a Lit or Class
    std::unique_ptr<TNode> A, B;
};

using TNodePtr = std::unique_ptr<TNode>;
using TEnds = std::set<int>;

struct TPiece {
    const char* Text;
    std::string Chars;
};

// Literals and class items with the characters they stand for; ^ and $ are LF and CR.
const TPiece Literals[] = {{"a", "a"},  {"b", "b"},  {"A", "A"},   {"\\*", "*"},
                           {"^", "\n"}, {"$", "\r"}, {"\\.", "."}, {"\\]", "]"}};
const TPiece ClassItems[] = {{"a", "a"},    {"b", "b"},   {"B", "B"},  {"\\*", "*"}, {"a-b", "ab"},
                             {"b-a", "ab"}, {"\\]", "]"}, {"$", "\r"}, {"B-a", ""}};
const char TextAlphabet[] = {'a', 'b', 'A', 'B', '*', '.', ']', '\n', '\r', '_'};

class TReference {
public:
    explicit TReference(unsigned Seed) : FRandom(Seed) {}

    int Pick(int N) { return std::uniform_int_distribution<int>(0, N - 1)(FRandom); }

    TNodePtr Leaf() {
        auto N = std::make_unique<TNode>();
        const int Choice = Pick(10);
        if (Choice < 6) {
            const TPiece& P = Literals[Pick(std::size(Literals))];
            N->Kind = TNode::Lit;
            N->Ch = P.Chars[0];
            N->Text = P.Text;
        } else if (Choice < 7) {
            N->Kind = TNode::Any;
            N->Text = ".";
        } else {
            N->Kind = TNode::Class;
            N->Negated = Pick(3) == 0;
            N->Text = N->Negated ? "[^" : "[";
            for (int I = 0, Count = 1 + Pick(3); I < Count; ++I) AddClassItem(*N);
            N->Text += "]";
        }
        return N;
    }

    TNodePtr Tree(int Depth) {
        const int Choice = Depth == 0 ? 0 : Pick(10);
        if (Choice < 3) return Leaf();
        auto N = std::make_unique<TNode>();
        static const TNode::TKind Kinds[] = {TNode::Concat, TNode::Concat, TNode::Alt,
                                             TNode::Star,   TNode::Plus,   TNode::Opt,
                                             TNode::Concat};
        N->Kind = Kinds[Choice - 3];
        N->A = Tree(Depth - 1);
        if (N->Kind == TNode::Concat || N->Kind == TNode::Alt) N->B = Tree(Depth - 1);
        return N;
    }

    std::string RandomText() {
        std::string S;
        for (int I = 0, Len = Pick(9); I < Len; ++I)
            S += TextAlphabet[Pick(std::size(TextAlphabet))];
        return S;
    }

private:
    void AddClassItem(TNode& N) {
        const TPiece& P = ClassItems[Pick(std::size(ClassItems))];
        N.Text += P.Text;
        if (P.Chars.empty())  // the wide range B-a
            for (char C = 'B'; C <= 'a'; ++C) N.Members += C;
        else
            N.Members += P.Chars;
    }

    std::mt19937 FRandom;
};

// Alternation binds loosest, then concatenation, then the postfix operators.
int Precedence(const TNode& N) {
    switch (N.Kind) {
        case TNode::Alt:
            return 0;
        case TNode::Concat:
            return 1;
        case TNode::Star:
        case TNode::Plus:
        case TNode::Opt:
            return 2;
        default:
            return 3;
    }
}

std::string Render(const TNode& N, int MinPrecedence) {
    std::string S;
    switch (N.Kind) {
        case TNode::Concat:
            S = Render(*N.A, 1) + Render(*N.B, 1);
            break;
        case TNode::Alt:
            S = Render(*N.A, 1) + "|" + Render(*N.B, 0);
            break;
        case TNode::Star:
            S = Render(*N.A, 3) + "*";
            break;
        case TNode::Plus:
            S = Render(*N.A, 3) + "+";
            break;
        case TNode::Opt:
            S = Render(*N.A, 3) + "?";
            break;
        default:
            S = N.Text;
            break;
    }
    return Precedence(N) < MinPrecedence ? "(" + S + ")" : S;
}

char Fold(char C, bool CaseSensitive) {
    return !CaseSensitive && C >= 'a' && C <= 'z' ? static_cast<char>(C - 32) : C;
}

struct TEvaluator {
    const std::string& Text;
    bool CaseSensitive;

    bool Consumes(const TNode& N, int Pos) const {
        if (Pos >= static_cast<int>(Text.size())) return false;
        const char C = Fold(Text[Pos], CaseSensitive);
        if (N.Kind == TNode::Any) return true;
        if (N.Kind == TNode::Lit) return C == Fold(N.Ch, CaseSensitive);
        bool Member = false;
        for (char M : N.Members) Member = Member || Fold(M, CaseSensitive) == C;
        return Member != N.Negated;
    }

    // Every end reachable by repeating N zero or more times from the positions in From.
    TEnds Closure(const TNode& N, TEnds From) const {
        std::vector<int> Work(From.begin(), From.end());
        while (!Work.empty()) {
            const int P = Work.back();
            Work.pop_back();
            for (int E : Ends(N, P))
                if (From.insert(E).second) Work.push_back(E);
        }
        return From;
    }

    TEnds Ends(const TNode& N, int Pos) const {
        TEnds R;
        switch (N.Kind) {
            case TNode::Concat:
                for (int E : Ends(*N.A, Pos)) R.merge(Ends(*N.B, E));
                return R;
            case TNode::Alt:
                R = Ends(*N.A, Pos);
                R.merge(Ends(*N.B, Pos));
                return R;
            case TNode::Star:
                return Closure(*N.A, {Pos});
            case TNode::Plus:
                return Closure(*N.A, Ends(*N.A, Pos));
            case TNode::Opt:
                R = Ends(*N.A, Pos);
                R.insert(Pos);
                return R;
            default:
                if (Consumes(N, Pos)) R.insert(Pos + 1);
                return R;
        }
    }
};

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

// Every position and length must agree with the tree, for MatchAt at each start and for Find.
void Compare(const TNode& Root, TYRegularExpression& R, const std::string& Text, int StartPos) {
    const TEvaluator Eval{Text, R.GetCaseSensitive()};
    const int Len = static_cast<int>(Text.size());
    int ExpectedPos = 0, ExpectedLength = 0;
    for (int P = 1; P <= Len + 1; ++P) {
        const TEnds Ends = Eval.Ends(Root, P - 1);
        int Length = -1;
        const bool Matched = R.MatchAt(Text, P, Length);
        ASSERT_EQ(Matched, !Ends.empty()) << "MatchAt " << P;
        if (!Matched) continue;
        ASSERT_EQ(Length, *Ends.begin() - (P - 1)) << "MatchAt " << P;
        if (ExpectedPos == 0 && P >= StartPos && P <= Len) {
            ExpectedPos = P;
            ExpectedLength = Length;
        }
    }
    int Length = -1;
    EXPECT_EQ(R.Find(Text, StartPos, Length), ExpectedPos);
    EXPECT_EQ(Length, ExpectedLength);
}

TEST(RegexReferenceTest, RandomExpressionsAgreeWithDirectEvaluation) {
    TReference Gen(20240531);
    for (int Round = 0; Round < 3000; ++Round) {
        const TNodePtr Root = Gen.Tree(1 + Gen.Pick(4));
        const std::string Expression = Render(*Root, 0);
        TYRegularExpression R(Expression);
        for (bool CaseSensitive : {true, false}) {
            R.SetCaseSensitive(CaseSensitive);
            for (int T = 0; T < 6; ++T) {
                const std::string Text = Gen.RandomText();
                const int StartPos = 1 + Gen.Pick(3);
                SCOPED_TRACE("'" + Visible(Expression) + "' in '" + Visible(Text) + "'" +
                             (CaseSensitive ? "" : " any case"));
                Compare(*Root, R, Text, StartPos);
                if (HasFatalFailure() || HasNonfatalFailure()) return;
            }
        }
    }
}

}  // namespace
}  // namespace zk
