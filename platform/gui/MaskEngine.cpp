// Parsing of edit masks and the text, validation and typing rules built on them.
#include "platform/gui/MaskEngine.h"

#include <algorithm>

#include "platform/core/DateUtils.h"

namespace zk {

namespace {

bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}
bool IsLetter(char C) {
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z');
}

}  // namespace

void TEditMask::Assign(const std::string& Mask) {
    FMask = Mask;
    FPositions.clear();
    FMaskSave = true;
    FLeadingBlanks = false;
    FBlank = '_';
    ParseFields(Mask);
}

// The mask ends at the first ';' that is not escaped; the save flag and the blank
// character follow, each optional.
void TEditMask::ParseFields(const std::string& Mask) {
    size_t I = 0;
    while (I < Mask.size() && Mask[I] != ';') I += Mask[I] == '\\' ? 2 : 1;
    I = std::min(I, Mask.size());
    ParseMask(Mask.substr(0, I));
    if (I >= Mask.size()) return;
    const size_t Second = Mask.find(';', I + 1);
    const std::string Save =
        Mask.substr(I + 1, Second == std::string::npos ? std::string::npos : Second - I - 1);
    FMaskSave = Save.empty() || Save[0] != '0';
    if (Second != std::string::npos && Second + 1 < Mask.size()) FBlank = Mask[Second + 1];
}

void TEditMask::ParseMask(const std::string& Mask) {
    TCase Case = TCase::Keep;
    for (size_t I = 0; I < Mask.size(); ++I) {
        switch (Mask[I]) {
            case '\\':
                // An escaped character is shown as it is, whatever it would mean unescaped.
                if (I + 1 < Mask.size()) {
                    TPosition P;
                    P.Literal = Mask[++I];
                    FPositions.push_back(P);
                }
                break;
            case '!':
                FLeadingBlanks = true;
                break;
            case '>':
                Case = TCase::Upper;
                break;
            case '<':
                if (I + 1 < Mask.size() && Mask[I + 1] == '>') {
                    Case = TCase::Keep;
                    ++I;
                } else {
                    Case = TCase::Lower;
                }
                break;
            default:
                AddPosition(Mask[I], Case);
        }
    }
}

void TEditMask::AddPosition(char MaskChar, TCase Case) {
    TPosition P;
    P.Case = Case;
    switch (MaskChar) {
        case 'L':
            P.Required = true;
            [[fallthrough]];
        case 'l':
            P.Kind = TKind::Letter;
            break;
        case 'A':
            P.Required = true;
            [[fallthrough]];
        case 'a':
            P.Kind = TKind::AlphaNum;
            break;
        case 'C':
            P.Required = true;
            [[fallthrough]];
        case 'c':
            P.Kind = TKind::AnyChar;
            break;
        case '0':
            P.Required = true;
            [[fallthrough]];
        case '9':
            P.Kind = TKind::Digit;
            break;
        case '#':
            P.Kind = TKind::DigitSign;
            break;
        case ':':
            P.Literal = FormatSettings().TimeSeparator;
            break;
        case '/':
            P.Literal = FormatSettings().DateSeparator;
            break;
        case '_':
            P.Literal = ' ';
            break;
        default:
            P.Literal = MaskChar;
    }
    FPositions.push_back(P);
}

bool TEditMask::IsLiteral(int Pos) const {
    return InRange(Pos) && FPositions[Pos].Kind == TKind::Literal;
}

bool TEditMask::IsRequired(int Pos) const {
    return InRange(Pos) && FPositions[Pos].Required;
}

char TEditMask::LiteralChar(int Pos) const {
    return IsLiteral(Pos) ? FPositions[Pos].Literal : 0;
}

char TEditMask::Accepts(int Pos, char C) const {
    if (!InRange(Pos) || IsEmptyChar(C)) return 0;
    const TPosition& P = FPositions[Pos];
    const auto U = static_cast<unsigned char>(C);
    bool Ok = false;
    switch (P.Kind) {
        case TKind::Literal:
            return 0;
        case TKind::Letter:
            Ok = IsLetter(C);
            break;
        case TKind::AlphaNum:
            Ok = IsLetter(C) || IsDigit(C);
            break;
        case TKind::AnyChar:
            Ok = U >= 0x20 && U != 0x7F;
            break;
        case TKind::Digit:
            Ok = IsDigit(C);
            break;
        case TKind::DigitSign:
            Ok = IsDigit(C) || C == '+' || C == '-';
            break;
    }
    if (!Ok) return 0;
    if (P.Case == TCase::Upper && C >= 'a' && C <= 'z') return static_cast<char>(C - 'a' + 'A');
    if (P.Case == TCase::Lower && C >= 'A' && C <= 'Z') return static_cast<char>(C - 'A' + 'a');
    return C;
}

int TEditMask::NextEditPos(int Pos) const {
    Pos = std::max(Pos, 0);
    while (Pos < GetEditLength() && IsLiteral(Pos)) ++Pos;
    return std::min(Pos, GetEditLength());
}

int TEditMask::PrevEditPos(int Pos) const {
    Pos = std::min(Pos, GetEditLength() - 1);
    while (Pos >= 0 && IsLiteral(Pos)) --Pos;
    return std::max(Pos, -1);
}

std::string TEditMask::EmptyEditText() const {
    std::string S;
    S.reserve(FPositions.size());
    for (const TPosition& P : FPositions) S += P.Kind == TKind::Literal ? P.Literal : FBlank;
    return S;
}

// Editors may hand over texts of another length; missing positions count as empty.
std::string TEditMask::Normalized(const std::string& EditText) const {
    const size_t Len = FPositions.size();
    if (EditText.size() >= Len) return EditText.substr(0, Len);
    return EditText + EmptyEditText().substr(EditText.size());
}

std::string TEditMask::FormatText(const std::string& Value) const {
    if (IsEmpty()) return Value;
    if (!FMaskSave) return FormatEntered(Value);
    return LiteralsLineUp(Value) ? FormatByPosition(Value) : FormatByField(Value);
}

// Saved texts written by StripText have every literal at its own position.
bool TEditMask::LiteralsLineUp(const std::string& Value) const {
    if (Value.size() > FPositions.size()) return false;
    for (size_t I = 0; I < Value.size(); ++I) {
        if (IsLiteral(static_cast<int>(I)) && Value[I] != FPositions[I].Literal) return false;
    }
    return true;
}

std::string TEditMask::FormatByPosition(const std::string& Value) const {
    std::string Out = EmptyEditText();
    for (size_t I = 0; I < Value.size(); ++I) {
        if (!IsLiteral(static_cast<int>(I))) Out[I] = ToEdit(Value[I]);
    }
    return Out;
}

// Values typed elsewhere ("3/5/2024") are split at the literals, each piece filling its
// run of positions, aligned to the end with '!'.
std::string TEditMask::FormatByField(const std::string& Value) const {
    std::string Out = EmptyEditText();
    const int Len = GetEditLength();
    size_t V = 0;
    int Pos = 0;
    while (Pos < Len) {
        if (IsLiteral(Pos)) {
            if (V < Value.size() && Value[V] == FPositions[Pos].Literal) ++V;
            ++Pos;
            continue;
        }
        const int End = FieldEnd(Pos);
        size_t Stop = End < Len ? Value.find(FPositions[End].Literal, V) : std::string::npos;
        if (Stop == std::string::npos) Stop = Value.size();
        PlaceField(Out, Pos, End, Value.substr(V, Stop - V));
        V = Stop;
        Pos = End;
    }
    return Out;
}

void TEditMask::PlaceField(std::string& EditText, int Start, int End, std::string Piece) const {
    const size_t Width = static_cast<size_t>(End - Start);
    if (Piece.size() > Width) Piece.resize(Width);
    const size_t Offset = FLeadingBlanks ? Width - Piece.size() : 0;
    for (size_t K = 0; K < Piece.size(); ++K) EditText[Start + Offset + K] = ToEdit(Piece[K]);
}

// Without saved literals the value is just the entered characters, filling the
// positions from the start, or from the end with '!'.
std::string TEditMask::FormatEntered(const std::string& Value) const {
    std::string Out = EmptyEditText();
    std::vector<int> Slots;
    for (int I = 0; I < GetEditLength(); ++I) {
        if (!IsLiteral(I)) Slots.push_back(I);
    }
    const size_t N = std::min(Value.size(), Slots.size());
    const size_t SlotFirst = FLeadingBlanks ? Slots.size() - N : 0;
    const size_t ValueFirst = FLeadingBlanks ? Value.size() - N : 0;
    for (size_t K = 0; K < N; ++K) Out[Slots[SlotFirst + K]] = ToEdit(Value[ValueFirst + K]);
    return Out;
}

std::string TEditMask::StripText(const std::string& EditText) const {
    if (IsEmpty()) return EditText;
    const std::string Text = Normalized(EditText);
    const int Len = GetEditLength();
    int Last = -1;
    for (int I = 0; I < Len; ++I) {
        if (!IsLiteral(I) && !IsEmptyChar(Text[I])) Last = I;
    }
    if (Last < 0) return "";
    // Literals after the last entry go with the empty positions they follow.
    const int Cut = FMaskSave && NextEditPos(Last + 1) < Len ? Last + 1 : Len;
    std::string Out;
    for (int I = 0; I < Cut; ++I) {
        if (!IsLiteral(I)) {
            Out += IsEmptyChar(Text[I]) ? ' ' : Text[I];
        } else if (FMaskSave) {
            Out += FPositions[I].Literal;
        }
    }
    if (FMaskSave) return Out;
    // FormatText re-aligns to the same end, so only the other end may be trimmed.
    if (FLeadingBlanks) return Out.substr(Out.find_first_not_of(' '));
    return Out.substr(0, Out.find_last_not_of(' ') + 1);
}

int TEditMask::FirstInvalidPos(const std::string& EditText) const {
    const std::string Text = Normalized(EditText);
    for (int I = 0; I < GetEditLength(); ++I) {
        if (IsLiteral(I)) continue;
        if (IsEmptyChar(Text[I]) ? IsRequired(I) : Accepts(I, Text[I]) == 0) return I;
    }
    return -1;
}

void TEditMask::Validate(const std::string& EditText) const {
    if (!IsComplete(EditText)) throw EDBEditError("Invalid input value");
}

int TEditMask::FieldStart(int Pos) const {
    while (Pos > 0 && !IsLiteral(Pos - 1)) --Pos;
    return Pos;
}

int TEditMask::FieldEnd(int Pos) const {
    while (Pos < GetEditLength() && !IsLiteral(Pos)) ++Pos;
    return Pos;
}

// Leaving a run of positions by typing its separator moves what was entered to the end
// of the run under '!', so a lone "3" typed as the month reads " 3".
void TEditMask::AlignField(std::string& EditText, int Pos) const {
    if (!FLeadingBlanks || !InRange(Pos) || IsLiteral(Pos)) return;
    const int Start = FieldStart(Pos);
    const int End = FieldEnd(Pos);
    std::string Entered;
    for (int I = Start; I < End; ++I) {
        if (!IsEmptyChar(EditText[I])) Entered += EditText[I];
    }
    const int First = End - static_cast<int>(Entered.size());
    for (int I = Start; I < First; ++I) {
        if (IsRequired(I)) return;
    }
    for (int I = First; I < End; ++I) {
        if (Accepts(I, Entered[I - First]) == 0) return;
    }
    for (int I = Start; I < End; ++I) EditText[I] = I < First ? FBlank : Entered[I - First];
}

bool TEditMask::OverLiteral(int& CursorPos, char C) const {
    // A literal under the cursor is typed over rather than taken as data further on.
    for (int I = CursorPos; IsLiteral(I); ++I) {
        if (FPositions[I].Literal == C) {
            CursorPos = NextEditPos(I + 1);
            return true;
        }
    }
    // The cursor already stepped over the literal the user types now.
    for (int I = CursorPos - 1; IsLiteral(I); --I) {
        if (FPositions[I].Literal == C) return true;
    }
    return false;
}

bool TEditMask::TypeData(std::string& EditText, int& CursorPos, char C) const {
    const int P = NextEditPos(CursorPos);
    char Stored = Accepts(P, C);
    // A space leaves an optional position empty, so " 3" can be typed as it reads.
    if (Stored == 0 && C == ' ' && InRange(P) && !IsRequired(P)) Stored = FBlank;
    if (Stored == 0) return false;
    EditText[P] = Stored;
    CursorPos = NextEditPos(P + 1);
    return true;
}

// A separator typed early ends the current run of positions and jumps past it.
bool TEditMask::SkipToLiteral(std::string& EditText, int& CursorPos, char C) const {
    for (int I = CursorPos; I < GetEditLength(); ++I) {
        if (IsLiteral(I) && FPositions[I].Literal == C) {
            AlignField(EditText, CursorPos);
            CursorPos = NextEditPos(I + 1);
            return true;
        }
    }
    return false;
}

bool TEditMask::InsertChar(std::string& EditText, int& CursorPos, char C) const {
    if (IsEmpty()) {
        CursorPos = std::clamp(CursorPos, 0, static_cast<int>(EditText.size()));
        EditText.insert(EditText.begin() + CursorPos++, C);
        return true;
    }
    std::string Text = Normalized(EditText);
    int Cursor = std::clamp(CursorPos, 0, GetEditLength());
    if (!OverLiteral(Cursor, C) && !TypeData(Text, Cursor, C) && !SkipToLiteral(Text, Cursor, C)) {
        return false;
    }
    EditText = Text;
    CursorPos = Cursor;
    return true;
}

bool TEditMask::DeleteChar(std::string& EditText, int& CursorPos, bool Backspace) const {
    if (IsEmpty()) {
        const int Size = static_cast<int>(EditText.size());
        const int At = std::clamp(CursorPos, 0, Size) - (Backspace ? 1 : 0);
        if (At < 0 || At >= Size) return false;
        EditText.erase(static_cast<size_t>(At), 1);
        CursorPos = At;
        return true;
    }
    const int Cursor = std::clamp(CursorPos, 0, GetEditLength());
    const int P = Backspace ? PrevEditPos(Cursor - 1) : NextEditPos(Cursor);
    if (!InRange(P)) return false;
    EditText = Normalized(EditText);
    EditText[P] = FBlank;
    CursorPos = P;
    return true;
}

void TEditMask::ClearRange(std::string& EditText, int SelStart, int SelLength) const {
    const long long Start = std::max(SelStart, 0);
    const long long Stop = static_cast<long long>(SelStart) + SelLength;
    if (IsEmpty()) {
        const long long End = std::min<long long>(Stop, static_cast<long long>(EditText.size()));
        if (End > Start)
            EditText.erase(static_cast<size_t>(Start), static_cast<size_t>(End - Start));
        return;
    }
    EditText = Normalized(EditText);
    const long long End = std::min<long long>(Stop, GetEditLength());
    for (long long I = Start; I < End; ++I) {
        if (!IsLiteral(static_cast<int>(I))) EditText[static_cast<size_t>(I)] = FBlank;
    }
}

}  // namespace zk
