// TEditMask: the edit-mask rules shared by the masked edit control and the grid's cell editor.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/SysUtils.h"

namespace zk {

// Raised when a masked edit is left with a required position empty or invalid.
ZK_DECLARE_EXCEPTION(EDBEditError, Exception)

// A parsed edit mask "mask[;save[;blank]]". Positions count the characters of the edit
// text: every mask character except the directives ! > < <> and the escaping backslash.
// The edit text (EditText) has exactly GetEditLength() characters, literals in place and
// the blank character where nothing is entered; the saved text (Text) is what a field
// stores. Kept free of any widget toolkit so every editor shares one implementation.
class TEditMask {
public:
    TEditMask() = default;
    explicit TEditMask(const std::string& Mask) { Assign(Mask); }
    TEditMask& operator=(const std::string& Mask) {
        Assign(Mask);
        return *this;
    }
    void Assign(const std::string& Mask);

    const std::string& GetMask() const { return FMask; }
    // No character positions: editors then work unmasked and the texts pass through.
    bool IsEmpty() const { return FPositions.empty(); }
    bool GetMaskSave() const { return FMaskSave; }
    char GetBlank() const { return FBlank; }
    // The '!' directive: missing optional characters are leading rather than trailing.
    bool GetLeadingBlanks() const { return FLeadingBlanks; }
    int GetEditLength() const { return static_cast<int>(FPositions.size()); }

    bool IsLiteral(int Pos) const;
    bool IsRequired(int Pos) const;
    // The character a literal position shows, 0 for other positions.
    char LiteralChar(int Pos) const;
    // C as stored at Pos after case conversion, or 0 when Pos does not take C.
    // Spaces and the blank character mean "nothing entered" and are never accepted.
    char Accepts(int Pos, char C) const;

    // The first non-literal position at or after Pos (GetEditLength() when none) and the
    // last one at or before Pos (-1 when none).
    int NextEditPos(int Pos) const;
    int PrevEditPos(int Pos) const;

    std::string EmptyEditText() const;
    // The edit text showing a saved text; without saved literals Value holds only the
    // entered characters. Spaces in Value are positions left empty.
    std::string FormatText(const std::string& Value) const;
    // The saved text of an edit text: literals only when saved, blanks as spaces, empty
    // positions at the end dropped.
    std::string StripText(const std::string& EditText) const;

    // The first required position left empty or any position holding a character it does
    // not take; -1 when the edit text is complete.
    int FirstInvalidPos(const std::string& EditText) const;
    bool IsComplete(const std::string& EditText) const { return FirstInvalidPos(EditText) < 0; }
    // Raises EDBEditError "Invalid input value" unless the edit text is complete.
    void Validate(const std::string& EditText) const;

    // Typing: overwrites the position at the cursor (skipping literals) and moves the
    // cursor to the next position; a typed literal jumps past that literal. False when
    // the character is refused, leaving text and cursor unchanged.
    bool InsertChar(std::string& EditText, int& CursorPos, char C) const;
    // Blanks the position at the cursor, or with Backspace the one before it (stepping
    // over literals) and moves the cursor there. False when there is nothing to delete.
    bool DeleteChar(std::string& EditText, int& CursorPos, bool Backspace) const;
    // Blanks every non-literal position of the selection.
    void ClearRange(std::string& EditText, int SelStart, int SelLength) const;

private:
    enum class TKind : uint8_t { Literal, Letter, AlphaNum, AnyChar, Digit, DigitSign };
    enum class TCase : uint8_t { Keep, Upper, Lower };
    struct TPosition {
        TKind Kind = TKind::Literal;
        bool Required = false;
        TCase Case = TCase::Keep;
        char Literal = 0;
    };

    void ParseFields(const std::string& Mask);
    void ParseMask(const std::string& Mask);
    void AddPosition(char MaskChar, TCase Case);
    bool InRange(int Pos) const { return Pos >= 0 && Pos < GetEditLength(); }
    bool IsEmptyChar(char C) const { return C == FBlank || C == ' '; }
    char ToEdit(char C) const { return C == ' ' ? FBlank : C; }
    std::string Normalized(const std::string& EditText) const;
    bool LiteralsLineUp(const std::string& Value) const;
    std::string FormatByPosition(const std::string& Value) const;
    std::string FormatByField(const std::string& Value) const;
    std::string FormatEntered(const std::string& Value) const;
    void PlaceField(std::string& EditText, int Start, int End, std::string Piece) const;
    int FieldStart(int Pos) const;
    int FieldEnd(int Pos) const;
    void AlignField(std::string& EditText, int Pos) const;
    bool OverLiteral(int& CursorPos, char C) const;
    bool TypeData(std::string& EditText, int& CursorPos, char C) const;
    bool SkipToLiteral(std::string& EditText, int& CursorPos, char C) const;

    std::string FMask;
    std::vector<TPosition> FPositions;
    bool FMaskSave = true;
    bool FLeadingBlanks = false;
    char FBlank = '_';
};

}  // namespace zk
