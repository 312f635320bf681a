// TQQueue and TYRegularExpression: parsing into automaton states, optimizing and simulating them.
#include "regex/YRegularExpression.h"

#include "platform/core/ScopeExit.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <utility>

#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"

namespace zk {

namespace {
constexpr int MaxParseDepth = 2000;
}  // namespace


ZK_IMPLEMENT_CLASS(TQQueue)
void TQQueue::DescribeClass(TClassBuilder<TQQueue>&) {}

void TQQueue::Assign(TObject* Source) {
    if (TList* SourceList = DynamicCast<TList>(Source)) {
        // Clearing first would empty the source too when it is this queue.
        if (SourceList != this) TList::Assign(SourceList);
        return;
    }
    throw EConvertError("Error assigning %s to %s",
                        {Source ? Source->ClassName() : std::string("nil"), ClassName()});
}

void* TQQueue::Pop() {
    void* Item = Peek();
    Delete(0);
    return Item;
}

void TQQueue::Push(void* Item) {
    Add(Item);
}

void* TQQueue::Peek() const {
    if (IsEmpty()) throw EListError(std::string("List is empty"));
    return Get(0);
}

namespace {

// Queue entry separating the states of one text position from those of the next.
constexpr int32_t ScanMarker = -2;

const char* const EndMessage = "Unexpected end of regular expression";
const char* const MetaMessage = "Unexpected meta character found";

[[noreturn]] void SyntaxError(const char* Message) {
    throw ERXException(std::string(Message));
}

bool IsMeta(char C) {
    return std::string_view("$()*+-.?[]^|").find(C) != std::string_view::npos;
}

unsigned char UpCase(unsigned char C) {
    return C >= 'a' && C <= 'z' ? static_cast<unsigned char>(C - ('a' - 'A')) : C;
}

bool AtEnd(const std::string& S, int Pos) {
    return Pos > static_cast<int>(S.size());
}
char CharAt(const std::string& S, int Pos) {
    return S[Pos - 1];
}

// Whether the character at Pos can begin another term of a concatenation. A backslash is
// not a meta character, so an escape continues the term.
bool StartsTerm(const std::string& S, int Pos) {
    if (AtEnd(S, Pos)) return false;
    const char C = CharAt(S, Pos);
    return C == '(' || C == '.' || C == '[' || !IsMeta(C);
}

// ^ and $ stand for the LF and CR that callers put around the text; a class opened with ^
// must keep its negation after the substitution.
std::string SubstituteAnchors(const std::string& Expression) {
    std::string S = Expression;
    for (char& C : S) {
        if (C == '^')
            C = '\n';
        else if (C == '$')
            C = '\r';
    }
    for (size_t I = 0; I + 1 < S.size(); ++I)
        if (S[I] == '[' && S[I + 1] == '\n') S[I + 1] = '^';
    return S;
}

// The simulation's double-ended queue: a ring buffer of state numbers, plus for every state
// the last text positions it was queued for. A state is queued at most once per position, so
// cycles of empty transitions end and the ring never holds more than 2 * states + 1 entries.
// Positions count up across calls, so the marks never need clearing between matches.
class TStateDeque {
public:
    void Reset(size_t StateCount, size_t Positions) {
        size_t Capacity = 16;
        while (Capacity < 2 * StateCount + 4) Capacity *= 2;
        if (FRing.size() < Capacity) FRing.resize(Capacity);
        FMask = static_cast<uint32_t>(FRing.size() - 1);
        FHead = FTail = 0;
        if (FMarks.size() < 2 * StateCount) FMarks.resize(2 * StateCount, 0);
        if (FPosition > std::numeric_limits<uint32_t>::max() - Positions - 8) {
            std::fill(FMarks.begin(), FMarks.end(), 0);
            FPosition = 0;
        }
        // The previous call may have marked states up to FPosition + 1.
        FPosition += 2;
    }
    bool IsEmpty() const { return FHead == FTail; }
    int32_t PopFront() {
        const int32_t State = FRing[FHead];
        FHead = (FHead + 1) & FMask;
        return State;
    }
    void PushMarker() {
        FRing[FTail] = ScanMarker;
        FTail = (FTail + 1) & FMask;
    }
    // Queues State for the position being scanned, ahead of everything else.
    void PushFront(int32_t State) {
        if (!Claim(State, FPosition)) return;
        FHead = (FHead - 1) & FMask;
        FRing[FHead] = State;
    }
    // Queues State for the next position.
    void PushBack(int32_t State) {
        if (!Claim(State, FPosition + 1)) return;
        FRing[FTail] = State;
        FTail = (FTail + 1) & FMask;
    }
    void NextPosition() { ++FPosition; }

private:
    // Two marks per state, by parity, because a state can wait for this position and the
    // next at the same time.
    bool Claim(int32_t State, uint32_t Position) {
        uint32_t& Mark = FMarks[2 * static_cast<size_t>(State) + (Position & 1)];
        if (Mark == Position) return false;
        Mark = Position;
        return true;
    }

    std::vector<int32_t> FRing;
    std::vector<uint32_t> FMarks;
    uint32_t FMask = 0, FHead = 0, FTail = 0;
    uint32_t FPosition = 0;
};

// One per thread, so matching allocates nothing once the buffers have grown.
TStateDeque& ScratchDeque() {
    thread_local TStateDeque Deque;
    return Deque;
}

// Runs one queued state against the current character C; true when it is the final state.
inline bool Advance(const TRXState& S, unsigned char C, TStateDeque& Q) {
    switch (S.StateKind) {
        case skBranch:
            // Next1 goes in front so that it is taken first.
            Q.PushFront(S.Next2);
            Q.PushFront(S.Next1);
            return false;
        case skAnyChar:
            Q.PushBack(S.Next1);
            return false;
        case skChar:
            if (C == static_cast<unsigned char>(S.Ch)) Q.PushBack(S.Next1);
            return false;
        case skCharSet:
            if (S.CharSet[C]) Q.PushBack(S.Next1);
            return false;
        case skNotCharSet:
            if (!S.CharSet[C]) Q.PushBack(S.Next1);
            return false;
        case skFinal:
            return true;
        default:
            return false;
    }
}

// Once the text is used up only empty transitions can still lead to the final state.
bool DrainReachesFinal(const TRXState* States, TStateDeque& Q) {
    while (!Q.IsEmpty()) {
        const int32_t N = Q.PopFront();
        if (N == ScanMarker) continue;
        const TRXState& S = States[N];
        if (S.StateKind == skFinal) return true;
        if (S.StateKind == skBranch) {
            Q.PushFront(S.Next2);
            Q.PushFront(S.Next1);
        }
    }
    return false;
}

}  // namespace

ZK_IMPLEMENT_CLASS(TYRegularExpression)
void TYRegularExpression::DescribeClass(TClassBuilder<TYRegularExpression>& C) {
    C.Prop("Expression", &TYRegularExpression::GetExpression, &TYRegularExpression::SetExpression);
    C.Prop("CaseSensitive", &TYRegularExpression::GetCaseSensitive,
           &TYRegularExpression::SetCaseSensitive)
        .Default(true);
}

TYRegularExpression::TYRegularExpression(const std::string& AExpression) {
    SetCaseSensitive(true);
    SetExpression(AExpression);
}

void TYRegularExpression::SetExpression(const std::string& Value) {
    if (Value == FExpression) return;
    // Stored before compiling, so that a syntax error still leaves the text in place.
    FExpression = Value;
    Compile();
}

void TYRegularExpression::SetCaseSensitive(bool Value) {
    if (Value == FCaseSensitive) return;
    FCaseSensitive = Value;
    Compile();
}

void TYRegularExpression::Assign(TPersistent* Source) {
    if (const TYRegularExpression* R = DynamicCast<TYRegularExpression>(Source)) {
        FStates = R->FStates;
        FExpression = R->FExpression;
        FParsePos = R->FParsePos;
        FCaseSensitive = R->FCaseSensitive;
        FStartState = R->FStartState;
        return;
    }
    inherited::Assign(Source);
}

unsigned char TYRegularExpression::Fold(unsigned char C) const {
    return FCaseSensitive ? C : UpCase(C);
}

void TYRegularExpression::Compile() {
    FStates.clear();
    FParseDepth = 0;
    FStartState = 0;
    if (FExpression.empty()) return;
    // The parser reads an anchor-substituted copy, so FExpression keeps the caller's text
    // whether parsing succeeds or not.
    const std::string S = SubstituteAnchors(FExpression);
    FParsePos = 1;
    try {
        FStartState = ParseExpression(S);
    } catch (...) {
        // A half-built automaton has unset successors and no final state. Leaving none makes
        // the next Find compile again and raise the same error instead of walking it.
        FStates.clear();
        FStartState = 0;
        throw;
    }
    // Whatever follows the top-level expression (an unmatched ')', a second postfix
    // operator...) is ignored.
    AddState(skFinal, 0, TRXCharSet(), -1, -1);
    Optimize();
}

int TYRegularExpression::AddState(uint8_t Kind, char Ch, const TRXCharSet& CharSet, int Next1,
                                  int Next2) {
    const int Number = static_cast<int>(FStates.size());
    TRXState& S = FStates.emplace_back();
    S.StateKind = Kind;
    S.Ch = Ch;
    S.CharSet = CharSet;
    if (Kind >= skAnyChar && Kind <= skNotCharSet) {
        // A consuming state continues with whatever the parser builds next.
        S.Next1 = Number + 1;
        S.Next2 = -1;
    } else {
        S.Next1 = Next1;
        S.Next2 = Next2;
    }
    return Number;
}

// expression := term ['|' expression]
int TYRegularExpression::ParseExpression(const std::string& S) {
    // Groups and alternatives recurse; a hostile expression must not exhaust the stack.
    if (FParseDepth >= MaxParseDepth) SyntaxError("Regular expression nested too deeply");
    ++FParseDepth;
    TScopeExit Leave([this] { --FParseDepth; });
    const int Left = ParseTerm(S);
    if (AtEnd(S, FParsePos) || CharAt(S, FParsePos) != '|') return Left;
    ++FParsePos;
    // The left term runs into Exit, which is pointed past the right side once that exists.
    const int Exit = AddState(skBranch, 0, TRXCharSet(), -1, -1);
    const int Fork = AddState(skBranch, 0, TRXCharSet(), Left, -1);
    const int Right = ParseExpression(S);
    FStates[Fork].Next2 = Right;
    FStates[Exit].Next1 = static_cast<int>(FStates.size());
    return Fork;
}

// term := factor [term]. A loop rather than recursion, so long literal masks cost no stack;
// each factor's last state runs into a link pointing at the next factor's start.
int TYRegularExpression::ParseTerm(const std::string& S) {
    const int Start = ParseFactor(S);
    while (StartsTerm(S, FParsePos)) {
        const int Link = AddState(skBranch, 0, TRXCharSet(), -1, -1);
        const int Next = ParseFactor(S);
        FStates[Link].Next1 = Next;
    }
    return Start;
}

// factor := atom ['*' | '+' | '?']; a second postfix operator ends the term.
int TYRegularExpression::ParseFactor(const std::string& S) {
    const int Atom = ParseAtom(S);
    if (AtEnd(S, FParsePos)) return Atom;
    const int Following = static_cast<int>(FStates.size()) + 1;
    switch (CharAt(S, FParsePos)) {
        case '*':
            ++FParsePos;
            return AddState(skBranch, 0, TRXCharSet(), Following, Atom);
        case '+':
            ++FParsePos;
            AddState(skBranch, 0, TRXCharSet(), Following, Atom);
            return Atom;
        case '?': {
            ++FParsePos;
            // The atom runs into Skip, which joins the bypass once the next state is known.
            const int Skip = AddState(skBranch, 0, TRXCharSet(), -1, -1);
            const int Fork = AddState(skBranch, 0, TRXCharSet(), Atom, Skip);
            FStates[Skip].Next1 = static_cast<int>(FStates.size());
            return Fork;
        }
        default:
            return Atom;
    }
}

// atom := '(' expression ')' | '.' | '[' class ']' | '[^' class ']' | literal
int TYRegularExpression::ParseAtom(const std::string& S) {
    if (AtEnd(S, FParsePos)) SyntaxError(EndMessage);
    switch (CharAt(S, FParsePos)) {
        case '(': {
            ++FParsePos;
            const int Start = ParseExpression(S);
            if (AtEnd(S, FParsePos) || CharAt(S, FParsePos) != ')')
                SyntaxError("Missing Close Parentheses");
            ++FParsePos;
            return Start;
        }
        case '.':
            ++FParsePos;
            return AddState(skAnyChar, 0, TRXCharSet(), -1, -1);
        case '[':
            ++FParsePos;
            return ParseClass(S);
        default:
            return AddState(skChar, ParseLiteral(S), TRXCharSet(), -1, -1);
    }
}

// The part of a class after '[': an optional '^', items, and the closing ']'.
int TYRegularExpression::ParseClass(const std::string& S) {
    uint8_t Kind = skCharSet;
    if (!AtEnd(S, FParsePos) && CharAt(S, FParsePos) == '^') {
        Kind = skNotCharSet;
        ++FParsePos;
    }
    TRXCharSet Set;
    // Items are read until a ']' shows up, so an unclosed class runs out of text inside an
    // item and reports the end of the expression.
    do ParseClassItem(S, Set);
    while (AtEnd(S, FParsePos) || CharAt(S, FParsePos) != ']');
    if (AtEnd(S, FParsePos) || CharAt(S, FParsePos) != ']') SyntaxError("Missing Close Bracket");
    ++FParsePos;
    return AddState(Kind, 0, Set, -1, -1);
}

// item := c | c '-' c
void TYRegularExpression::ParseClassItem(const std::string& S, TRXCharSet& CharSet) {
    unsigned char Low = ParseClassChar(S);
    unsigned char High = Low;
    if (!AtEnd(S, FParsePos) && CharAt(S, FParsePos) == '-') {
        ++FParsePos;
        High = ParseClassChar(S);
        if (High < Low) std::swap(Low, High);
    }
    for (unsigned C = Low; C <= High; ++C) CharSet.set(Fold(static_cast<unsigned char>(C)));
}

// Any character but '-' and ']' (other meta characters are plain inside a class), or an escape.
unsigned char TYRegularExpression::ParseClassChar(const std::string& S) {
    if (AtEnd(S, FParsePos)) SyntaxError(EndMessage);
    const char C = CharAt(S, FParsePos);
    if (C == '-' || C == ']') SyntaxError(MetaMessage);
    if (C == '\\') return static_cast<unsigned char>(ReadEscaped(S));
    ++FParsePos;
    return static_cast<unsigned char>(C);
}

// literal := a character that is not a meta character | '\' any character
char TYRegularExpression::ParseLiteral(const std::string& S) {
    if (AtEnd(S, FParsePos)) SyntaxError(EndMessage);
    char C = CharAt(S, FParsePos);
    if (C == '\\') {
        C = ReadEscaped(S);
    } else {
        if (IsMeta(C)) SyntaxError(MetaMessage);
        ++FParsePos;
    }
    return static_cast<char>(Fold(static_cast<unsigned char>(C)));
}

// The character after a backslash. A backslash ending the expression escapes nothing, so it
// is reported like any other expression that stops where a character is required.
char TYRegularExpression::ReadEscaped(const std::string& S) {
    ++FParsePos;
    if (AtEnd(S, FParsePos)) SyntaxError(EndMessage);
    return CharAt(S, FParsePos++);
}

// Where a chain of links starting at State really leads. Links always point at states
// created after them, so the walk ends.
int TYRegularExpression::SkipLinks(int State) const {
    while (State >= 0 && FStates[State].StateKind == skBranch && FStates[State].Next2 == -1)
        State = FStates[State].Next1;
    return State;
}

void TYRegularExpression::Optimize() {
    const int Last = static_cast<int>(FStates.size()) - 1;
    for (int I = 0; I < Last; ++I) {
        TRXState& S = FStates[I];
        S.Next1 = SkipLinks(S.Next1);
        if (S.Next2 != -1) S.Next2 = SkipLinks(S.Next2);
    }
    // Nothing leads to a link any more; marking it keeps the simulation from stepping on it.
    for (int I = 0; I < Last; ++I)
        if (FStates[I].StateKind == skBranch && FStates[I].Next2 == -1)
            FStates[I].StateKind = skBypassed;
}

bool TYRegularExpression::MatchAt(const std::string& Text, int StartPos, int& MatchLength) const {
    MatchLength = 0;
    const int Len = static_cast<int>(Text.size());
    // Outside 1..Len+1 there is no text to start from; scanning would count absent characters.
    if (FStates.empty() || StartPos < 1 || StartPos > Len + 1) return false;
    TStateDeque& Q = ScratchDeque();
    Q.Reset(FStates.size(), Text.size());
    Q.PushMarker();
    Q.PushBack(FStartState);
    const TRXState* States = FStates.data();
    int I = StartPos - 1;
    unsigned char C = 0;
    // Every state of one position is run before the next character is read, so the first
    // final state reached belongs to the shortest match.
    while (I <= Len && !Q.IsEmpty()) {
        const int32_t N = Q.PopFront();
        if (N != ScanMarker) {
            if (Advance(States[N], C, Q)) {
                MatchLength = I - StartPos;
                return true;
            }
            continue;
        }
        if (Q.IsEmpty()) break;
        ++I;
        Q.NextPosition();
        if (I <= Len) C = Fold(static_cast<unsigned char>(Text[I - 1]));
        Q.PushMarker();
    }
    if (!DrainReachesFinal(States, Q)) return false;
    MatchLength = I - StartPos;
    return true;
}

int TYRegularExpression::Find(const std::string& Text, int& MatchLength) {
    return Find(Text, 1, MatchLength);
}

int TYRegularExpression::Find(const std::string& Text, int StartPos, int& MatchLength) {
    MatchLength = 0;
    if (FStates.empty()) Compile();
    if (FExpression.empty() || Text.empty()) return 0;
    const int Len = static_cast<int>(Text.size());
    // A start before the text begins is taken as its first character.
    for (int P = std::max(StartPos, 1); P <= Len; ++P)
        if (MatchAt(Text, P, MatchLength)) return P;
    return 0;
}

bool TYRegularExpression::CanStartMatch(const std::string& Text) {
    if (FStates.empty()) Compile();
    if (FExpression.empty() || FStates.empty()) return false;
    const int Len = static_cast<int>(Text.size());
    TStateDeque& Q = ScratchDeque();
    Q.Reset(FStates.size(), Text.size());
    Q.PushMarker();
    Q.PushBack(FStartState);
    const TRXState* States = FStates.data();
    int I = 0;
    unsigned char C = 0;
    // As MatchAt, but a final state does not end the walk: what counts is
    // whether any state is still alive once the whole text is read.
    while (!Q.IsEmpty()) {
        const int32_t N = Q.PopFront();
        if (N != ScanMarker) {
            Advance(States[N], C, Q);
            continue;
        }
        if (Q.IsEmpty()) return false;
        if (I == Len) return true;
        ++I;
        Q.NextPosition();
        C = Fold(static_cast<unsigned char>(Text[I - 1]));
        Q.PushMarker();
    }
    return false;
}

int TYRegularExpression::Find(const std::string& Text) {
    int MatchLength = 0;
    return Find(Text, MatchLength);
}

}  // namespace zk
