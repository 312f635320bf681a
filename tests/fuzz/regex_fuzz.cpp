// libFuzzer target: compiles arbitrary expressions and checks Find, MatchAt and CanStartMatch
// against each other.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/core/SysUtils.h"
#include "regex/YRegularExpression.h"

namespace {

using zk::TYRegularExpression;

void Check(bool Condition) {
    if (!Condition) std::abort();
}

// The automaton must be complete: a final state last and every successor inside the list.
void CheckAutomaton(const TYRegularExpression& R) {
    const auto& States = R.GetStates();
    if (States.empty()) return;
    const int Count = static_cast<int>(States.size());
    Check(States.back().StateKind == zk::skFinal);
    Check(R.GetStartState() >= 0 && R.GetStartState() < Count);
    for (int I = 0; I + 1 < Count; ++I) {
        const zk::TRXState& S = States[I];
        if (S.StateKind == zk::skBypassed) continue;
        Check(S.Next1 >= 0 && S.Next1 < Count);
        Check(S.StateKind == zk::skBranch ? S.Next2 >= 0 && S.Next2 < Count : S.Next2 == -1);
    }
}

// Find from StartPos must be the first position from there where MatchAt succeeds, with
// the same length, and a match must lie inside the text.
void CheckFind(TYRegularExpression& R, const std::string& Text, int StartPos) {
    const int Len = static_cast<int>(Text.size());
    int Length = -1;
    const int Pos = R.Find(Text, StartPos, Length);
    Check(Pos == 0 || (Pos >= 1 && Pos >= StartPos && Pos <= Len));
    Check(Length >= 0);
    if (Pos != 0) Check(Pos + Length - 1 <= Len);
    const int Last = Pos ? Pos : Len;
    for (int P = StartPos < 1 ? 1 : StartPos; P <= Last; ++P) {
        int AtLength = -1;
        const bool Matched = R.MatchAt(Text, P, AtLength);
        Check(AtLength >= 0 && P + AtLength - 1 <= Len);
        Check(Matched == (P == Pos));
        if (Matched) Check(AtLength == Length);
    }
}

void Exercise(TYRegularExpression& R, const std::string& Text) {
    CheckAutomaton(R);
    const int Len = static_cast<int>(Text.size());
    for (int StartPos : {1, 2, Len / 2, Len, Len + 1}) CheckFind(R, Text, StartPos);
    int Length = -1;
    if (R.MatchAt(Text, Len + 1, Length)) Check(Length == 0);
    // A text that can start a match has every prefix able to; a match from the
    // first character can start one.
    if (!R.GetExpression().empty() && R.CanStartMatch(Text))
        Check(R.CanStartMatch(Text.substr(0, static_cast<size_t>(Len / 2))));
    if (R.MatchAt(Text, 1, Length) && !R.GetExpression().empty())
        Check(R.CanStartMatch(Text.substr(0, static_cast<size_t>(Length))));
}

}  // namespace

// The first byte is the length of the expression; the rest after the expression is the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    const size_t ExprLen = Data[0] < Size - 1 ? Data[0] : Size - 1;
    const std::string Expression(reinterpret_cast<const char*>(Data + 1), ExprLen);
    const std::string Text(reinterpret_cast<const char*>(Data + 1 + ExprLen), Size - 1 - ExprLen);
    for (bool CaseSensitive : {true, false}) {
        TYRegularExpression R;
        try {
            R.SetCaseSensitive(CaseSensitive);
            R.SetExpression(Expression);
        } catch (const zk::ERXException&) {
            // A failed compile leaves nothing to walk, and Find reports the error again.
            Check(R.GetStates().empty() && R.GetExpression() == Expression);
            bool Raised = false;
            try {
                R.Find(Text);
            } catch (const zk::ERXException&) {
                Raised = true;
            }
            Check(Raised);
            continue;
        }
        Exercise(R, Text);
        TYRegularExpression Copy;
        Copy.Assign(&R);
        int A = -1, B = -1;
        Check(Copy.Find(Text, A) == R.Find(Text, B) && A == B);
    }
    return 0;
}
