// TYRegularExpression, the automaton matcher behind edit masks, and TQQueue, its state queue.
#pragma once
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/List.h"
#include "platform/core/Persistent.h"

namespace zk {

// A first-in first-out list of pointer-sized entries; pushing at the front is Insert(0, ...).
class TQQueue : public TList {
    ZK_CLASS(TQQueue, TList)
public:
    TQQueue() = default;

    // Copies every entry of a TList in order; anything else raises EConvertError.
    virtual void Assign(TObject* Source);
    // Removes and returns the first entry; EListError "List is empty" when there is none.
    virtual void* Pop();
    virtual void Push(void* Item);
    // The first entry, left in place; EListError "List is empty" when there is none.
    virtual void* Peek() const;
    bool IsEmpty() const { return GetCount() == 0; }
};

// What an automaton state does when the simulation reaches it.
enum TRXStateKind : uint8_t {
    skBranch = 0,      // empty transitions to Next1 and Next2
    skAnyChar = 1,     // consumes any character
    skChar = 2,        // consumes Ch
    skCharSet = 3,     // consumes a character of CharSet
    skNotCharSet = 4,  // consumes a character outside CharSet
    skFinal = 5,       // accepts
    skBypassed = 6     // a link removed by Optimize; nothing leads to it any more
};

using TRXCharSet = std::bitset<256>;

// One automaton state; its number is its index in the state list.
struct TRXState {
    int32_t Next1 = -1;  // first successor, -1 for none
    int32_t Next2 = -1;  // second successor, -1 for none
    TRXCharSet CharSet;  // the class of skCharSet and skNotCharSet, by byte value
    uint8_t StateKind = skBranch;
    char Ch = 0;  // the character of skChar
};

// Compiles an expression over single-byte text into a flat automaton once and finds the
// leftmost position where it matches, with the shortest match from there.
// ^ and $ are the characters LF and CR: callers wanting anchors wrap the text in them.
class TYRegularExpression : public TPersistent {
    ZK_CLASS(TYRegularExpression, TPersistent)
public:
    explicit TYRegularExpression(const std::string& AExpression = std::string());

    // Whether the expression matches Text starting exactly at StartPos (1-based);
    // MatchLength receives the length of the shortest such match.
    virtual bool MatchAt(const std::string& Text, int StartPos, int& MatchLength) const;

protected:
    // Short-circuits the link states left by the parser.
    virtual void Optimize();

public:
    // Rebuilds the automaton; raises ERXException on a syntax error and leaves it empty.
    virtual void Compile();
    // 1-based position of the first match in Text, or 0.
    virtual int Find(const std::string& Text, int& MatchLength);
    // 1-based position of the first match at or after StartPos, or 0.
    virtual int Find(const std::string& Text, int StartPos, int& MatchLength);
    int Find(const std::string& Text);
    // Whether Text, read from its first character, is a whole match or the
    // start of one: some continuation (possibly none) makes it match. Lets an
    // editor keep a half-typed value that the expression can still accept.
    // False for an empty expression; raises ERXException when it does not compile.
    bool CanStartMatch(const std::string& Text);

    void Assign(TPersistent* Source) override;

    const std::string& GetExpression() const { return FExpression; }
    void SetExpression(const std::string& Value);
    bool GetCaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    // The compiled automaton, empty when there is none.
    const std::vector<TRXState>& GetStates() const { return FStates; }
    int GetStartState() const { return FStartState; }

private:
    int AddState(uint8_t Kind, char Ch, const TRXCharSet& CharSet, int Next1, int Next2);
    int ParseExpression(const std::string& S);
    int ParseTerm(const std::string& S);
    int ParseFactor(const std::string& S);
    int ParseAtom(const std::string& S);
    int ParseClass(const std::string& S);
    void ParseClassItem(const std::string& S, TRXCharSet& CharSet);
    unsigned char ParseClassChar(const std::string& S);
    char ParseLiteral(const std::string& S);
    char ReadEscaped(const std::string& S);
    int SkipLinks(int State) const;
    unsigned char Fold(unsigned char C) const;

    std::vector<TRXState> FStates;
    std::string FExpression;
    int FParsePos = 1;
    bool FCaseSensitive = true;
    int FStartState = 0;
    int FParseDepth = 0;  // groups and alternatives open while parsing
};

}  // namespace zk
