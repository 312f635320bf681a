// TStrings and TStringList.
#include "platform/core/StringList.h"

#include "platform/core/Sort.h"

#include "platform/core/Filer.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Sort.h"
#include "platform/core/SysUtils.h"

namespace zk {

namespace {

constexpr const char* SListIndexError = "List index out of bounds (%d)";
constexpr const char* SListCapacityError = "List capacity out of bounds (%d)";
constexpr const char* SSortedListError = "Operation not allowed on sorted list";
constexpr const char* SDuplicateString = "String list does not allow duplicates";

// Spaces, control characters and NUL all separate unquoted items.
bool IsBlank(char C) {
    return static_cast<unsigned char>(C) <= ' ';
}

size_t SkipBlanks(const std::string& S, size_t P) {
    while (P < S.size() && IsBlank(S[P])) ++P;
    return P;
}

bool NeedsQuotes(const std::string& S, char Delimiter, char QuoteChar) {
    return std::any_of(S.begin(), S.end(),
                       [&](char C) { return IsBlank(C) || C == Delimiter || C == QuoteChar; });
}

std::string Quoted(const std::string& S, char QuoteChar) {
    std::string R(1, QuoteChar);
    for (char C : S) {
        R += C;
        if (C == QuoteChar) R += C;
    }
    R += QuoteChar;
    return R;
}

// Reads the quoted item starting at the quote at P into Item and returns the
// position after its closing quote; an unclosed quote takes the rest of S.
size_t ExtractQuoted(const std::string& S, size_t P, char QuoteChar, std::string& Item) {
    for (++P; P < S.size(); ++P) {
        if (S[P] == QuoteChar) {
            if (P + 1 >= S.size() || S[P + 1] != QuoteChar) return P + 1;
            ++P;  // a doubled quote stands for one
        }
        Item += S[P];
    }
    return P;
}

std::string SystemErrorText(int Err) {
    return Err ? std::generic_category().message(Err) : std::string("Unknown error");
}

}  // namespace

// ---------------------------------------------------------------- TStrings

ZK_IMPLEMENT_CLASS(TStrings)
void TStrings::DescribeClass(TClassBuilder<TStrings>&) {}

TStrings::TUpdateGuard::TUpdateGuard(TStrings& Strings)
    : FStrings(Strings), FUncaught(std::uncaught_exceptions()) {
    FStrings.BeginUpdate();
}

TStrings::TUpdateGuard::~TUpdateGuard() noexcept(false) {
    if (std::uncaught_exceptions() <= FUncaught) {
        FStrings.EndUpdate();
        return;
    }
    // Already unwinding: a change handler raising now would terminate the program.
    try {
        FStrings.EndUpdate();
    } catch (...) {
    }
}

void TStrings::Error(const char* Msg, int Data) const {
    throw EStringListError(Msg, {Data});
}

void TStrings::SetUpdateState(bool) {}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    assert(FUpdateCount > 0 && "TStrings::EndUpdate without a matching BeginUpdate");
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Put(int Index, const std::string& S) {
    TObject* Obj = GetObject(Index);
    TUpdateGuard Update(*this);
    Delete(Index);
    InsertObject(Index, S, Obj);
}

TObject* TStrings::GetObject(int) const {
    return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
    TUpdateGuard Update(*this);
    Insert(Index, S);
    PutObject(Index, AObject);
}

int TStrings::Add(const std::string& S) {
    const int Index = GetCount();
    Insert(Index, S);
    return Index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
    TUpdateGuard Update(*this);
    const int Index = Add(S);
    PutObject(Index, AObject);
    return Index;
}

void TStrings::AddStrings(TStrings* Strings) {
    if (!Strings) return;
    TUpdateGuard Update(*this);
    // The count is taken once, so adding a list to itself doubles it instead of looping.
    const int Count = Strings->GetCount();
    for (int I = 0; I < Count; ++I) AddObject(Strings->Get(I), Strings->GetObject(I));
}

void TStrings::Exchange(int Index1, int Index2) {
    const std::string S1 = Get(Index1);
    const std::string S2 = Get(Index2);
    TObject* Obj1 = GetObject(Index1);
    TObject* Obj2 = GetObject(Index2);
    TUpdateGuard Update(*this);
    Put(Index1, S2);
    PutObject(Index1, Obj2);
    Put(Index2, S1);
    PutObject(Index2, Obj1);
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    const std::string S = Get(CurIndex);
    TObject* Obj = GetObject(CurIndex);
    // Checked before the line leaves, so a bad target loses nothing.
    if (NewIndex < 0 || NewIndex >= GetCount()) Error(SListIndexError, NewIndex);
    TUpdateGuard Update(*this);
    Delete(CurIndex);
    InsertObject(NewIndex, S, Obj);
}

void TStrings::SetCapacity(int) {}

int TStrings::IndexOf(const std::string& S) const {
    const int Count = GetCount();
    for (int I = 0; I < Count; ++I)
        if (CompareStrings(Get(I), S) == 0) return I;
    return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
    const int Count = GetCount();
    for (int I = 0; I < Count; ++I) {
        const std::string S = Get(I);
        const size_t P = SeparatorPos(S);
        if (P != std::string::npos && CompareStrings(S.substr(0, P), Name) == 0) return I;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
    const int Count = GetCount();
    for (int I = 0; I < Count; ++I)
        if (GetObject(I) == AObject) return I;
    return -1;
}

int TStrings::CompareStrings(const std::string& S1, const std::string& S2) const {
    return AnsiCompareText(S1, S2);
}

bool TStrings::Equals(const TStrings* Strings) const {
    if (!Strings) return false;
    const int Count = GetCount();
    if (Count != Strings->GetCount()) return false;
    for (int I = 0; I < Count; ++I)
        if (Get(I) != Strings->Get(I)) return false;
    return true;
}

void TStrings::Assign(TPersistent* Source) {
    TStrings* Src = DynamicCast<TStrings>(Source);
    if (!Src) {
        inherited::Assign(Source);
        return;
    }
    // Clearing first would leave nothing to copy.
    if (Src == this) return;
    TUpdateGuard Update(*this);
    Clear();
    FNameValueSeparator = Src->FNameValueSeparator;
    FDelimiter = Src->FDelimiter;
    FQuoteChar = Src->FQuoteChar;
    AddStrings(Src);
}

std::string TStrings::GetTextStr() const {
    std::string Result;
    const int Count = GetCount();
    for (int I = 0; I < Count; ++I) {
        Result += Get(I);
        Result += "\r\n";
    }
    return Result;
}

void TStrings::SetTextStr(const std::string& Value) {
    const size_t N = Value.size();
    // One line, the usual case: no copy of it, and into an empty list no bracket either.
    const bool OneLine = N > 0 && Value.find_first_of("\r\n") == std::string::npos;
    if (OneLine && GetCount() == 0) {
        Add(Value);
        return;
    }
    TUpdateGuard Update(*this);
    Clear();
    if (OneLine) {
        Add(Value);
        return;
    }
    size_t P = 0;
    while (P < N) {
        const size_t Start = P;
        P = std::min(Value.find_first_of("\r\n", Start), N);
        Add(Value.substr(Start, P - Start));
        if (P < N && Value[P] == '\r') ++P;
        if (P < N && Value[P] == '\n') ++P;
    }
}

std::string TStrings::BuildDelimited(char Delimiter, char QuoteChar) const {
    const int Count = GetCount();
    // A lone empty line must still read back as one line.
    if (Count == 1 && Get(0).empty()) return std::string(2, QuoteChar);
    std::string Result;
    for (int I = 0; I < Count; ++I) {
        const std::string S = Get(I);
        if (I > 0) Result += Delimiter;
        Result += NeedsQuotes(S, Delimiter, QuoteChar) ? Quoted(S, QuoteChar) : S;
    }
    return Result;
}

void TStrings::ParseDelimited(const std::string& Value, char Delimiter, char QuoteChar) {
    TUpdateGuard Update(*this);
    Clear();
    const size_t N = Value.size();
    size_t P = SkipBlanks(Value, 0);
    while (P < N) {
        std::string Item;
        if (Value[P] == QuoteChar) {
            P = ExtractQuoted(Value, P, QuoteChar, Item);
        } else {
            const size_t Start = P;
            while (P < N && !IsBlank(Value[P]) && Value[P] != Delimiter) ++P;
            Item = Value.substr(Start, P - Start);
        }
        Add(Item);
        P = SkipBlanks(Value, P);
        if (P < N && Value[P] == Delimiter) {
            // Only a delimiter that ends the text announces an empty last item.
            if (P + 1 == N) Add("");
            P = SkipBlanks(Value, P + 1);
        }
    }
}

std::string TStrings::GetCommaText() const {
    return BuildDelimited(',', '"');
}

void TStrings::SetCommaText(const std::string& Value) {
    ParseDelimited(Value, ',', '"');
}

std::string TStrings::GetDelimitedText() const {
    return BuildDelimited(FDelimiter, FQuoteChar);
}

void TStrings::SetDelimitedText(const std::string& Value) {
    ParseDelimited(Value, FDelimiter, FQuoteChar);
}

size_t TStrings::SeparatorPos(const std::string& S) const {
    return S.find(FNameValueSeparator);
}

std::string TStrings::GetName(int Index) const {
    const std::string S = Get(Index);
    const size_t P = SeparatorPos(S);
    return P == std::string::npos ? std::string() : S.substr(0, P);
}

std::string TStrings::GetValue(const std::string& Name) const {
    const int I = IndexOfName(Name);
    if (I < 0) return std::string();
    // The matched name is as long as Name, so the value starts after it and the separator.
    const std::string S = Get(I);
    return Name.size() < S.size() ? S.substr(Name.size() + 1) : std::string();
}

void TStrings::SetValue(const std::string& Name, const std::string& Value) {
    const int I = IndexOfName(Name);
    if (Value.empty()) {
        if (I >= 0) Delete(I);
        return;
    }
    const std::string Line = Name + FNameValueSeparator + Value;
    if (I < 0)
        Add(Line);
    else
        Put(I, Line);
}

std::string TStrings::GetValueFromIndex(int Index) const {
    if (Index < 0) return std::string();
    const std::string S = Get(Index);
    const size_t P = SeparatorPos(S);
    return P == std::string::npos ? std::string() : S.substr(P + 1);
}

void TStrings::SetValueFromIndex(int Index, const std::string& Value) {
    if (Value.empty()) {
        if (Index >= 0) Delete(Index);
        return;
    }
    if (Index < 0)
        Add(FNameValueSeparator + Value);
    else
        Put(Index, GetName(Index) + FNameValueSeparator + Value);
}

void TStrings::LoadFromFile(const std::string& FileName) {
    errno = 0;
    std::ifstream In(FileName, std::ios::binary);
    if (!In) throw EFOpenError("Cannot open file \"%s\". %s", {FileName, SystemErrorText(errno)});
    std::string Data;
    char Buffer[65536];
    while (In.read(Buffer, sizeof Buffer) || In.gcount() > 0)
        Data.append(Buffer, static_cast<size_t>(In.gcount()));
    // A directory opens but cannot be read; it is still a file we could not open.
    if (In.bad())
        throw EFOpenError("Cannot open file \"%s\". %s", {FileName, SystemErrorText(errno)});
    SetTextStr(Data);
}

void TStrings::SaveToFile(const std::string& FileName) const {
    errno = 0;
    std::ofstream Out(FileName, std::ios::binary | std::ios::trunc);
    if (!Out)
        throw EFCreateError("Cannot create file \"%s\". %s", {FileName, SystemErrorText(errno)});
    const std::string Text = GetTextStr();
    Out.write(Text.data(), static_cast<std::streamsize>(Text.size()));
    Out.close();
    if (!Out) throw EWriteError(std::string("Stream write error"));
}

// ---------------------------------------------------------------- TStringList

ZK_IMPLEMENT_CLASS(TStringList)
void TStringList::DescribeClass(TClassBuilder<TStringList>&) {}

TStringList::~TStringList() {
    FOnChange = TNotifyEvent();
    FOnChanging = TNotifyEvent();
}

void TStringList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount()) Error(SListIndexError, Index);
}

void TStringList::Changing() {
    if (GetUpdateCount() == 0 && FOnChanging.Assigned()) FOnChanging(this);
}

void TStringList::Changed() {
    if (GetUpdateCount() == 0 && FOnChange.Assigned()) FOnChange(this);
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

std::string TStringList::Get(int Index) const {
    CheckIndex(Index);
    return FList[Index].FString;
}

const std::string& TStringList::GetLine(int Index) const {
    CheckIndex(Index);
    return FList[Index].FString;
}

TObject* TStringList::GetObject(int Index) const {
    CheckIndex(Index);
    return FList[Index].FObject;
}

// The OnChanging handlers may edit the list, so indexes are checked again after them.
void TStringList::Put(int Index, const std::string& S) {
    if (FSorted) Error(SSortedListError, 0);
    CheckIndex(Index);
    Changing();
    CheckIndex(Index);
    FList[Index].FString = S;
    Changed();
}

void TStringList::PutObject(int Index, TObject* AObject) {
    CheckIndex(Index);
    Changing();
    CheckIndex(Index);
    FList[Index].FObject = AObject;
    Changed();
}

void TStringList::Insert(int Index, const std::string& S) {
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const std::string& S, TObject* AObject) {
    if (FSorted) Error(SSortedListError, 0);
    if (Index < 0 || Index > GetCount()) Error(SListIndexError, Index);
    InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject) {
    Changing();
    if (Index > GetCount()) Error(SListIndexError, Index);
    if (Index == GetCount())
        FList.push_back(TStringItem{S, AObject});
    else
        FList.insert(FList.begin() + Index, TStringItem{S, AObject});
    Changed();
}

int TStringList::Add(const std::string& S) {
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const std::string& S, TObject* AObject) {
    int Index = GetCount();
    if (FSorted && Find(S, Index)) {
        if (FDuplicates == dupIgnore) return Index;
        if (FDuplicates == dupError) Error(SDuplicateString, 0);
    }
    InsertItem(Index, S, AObject);
    return Index;
}

void TStringList::Delete(int Index) {
    CheckIndex(Index);
    Changing();
    CheckIndex(Index);
    FList.erase(FList.begin() + Index);
    Changed();
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    std::vector<TStringItem>().swap(FList);  // gives the memory back, as a cleared list should
    Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FList[Index1], FList[Index2]);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    Changing();
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    const auto Begin = FList.begin();
    if (CurIndex < NewIndex)
        std::rotate(Begin + CurIndex, Begin + CurIndex + 1, Begin + NewIndex + 1);
    else
        std::rotate(Begin + NewIndex, Begin + CurIndex, Begin + CurIndex + 1);
    Changed();
}

void TStringList::SetCapacity(int NewCapacity) {
    if (NewCapacity < GetCount()) Error(SListCapacityError, NewCapacity);
    const size_t Wanted = static_cast<size_t>(NewCapacity);
    if (Wanted > FList.capacity()) {
        FList.reserve(Wanted);
    } else if (Wanted < FList.capacity()) {
        std::vector<TStringItem> Smaller;
        Smaller.reserve(Wanted);
        std::move(FList.begin(), FList.end(), std::back_inserter(Smaller));
        FList.swap(Smaller);
    }
}

std::string TStringList::GetTextStr() const {
    size_t Size = 0;
    for (const TStringItem& Item : FList) Size += Item.FString.size() + 2;
    std::string Result;
    Result.reserve(Size);
    for (const TStringItem& Item : FList) {
        Result += Item.FString;
        Result += "\r\n";
    }
    return Result;
}

int TStringList::CompareStrings(const std::string& S1, const std::string& S2) const {
    return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

int TStringList::IndexOf(const std::string& S) const {
    if (!FSorted) return TStrings::IndexOf(S);
    int Index = -1;
    return Find(S, Index) ? Index : -1;
}

bool TStringList::Find(const std::string& S, int& Index) const {
    bool Found = false;
    int L = 0;
    int H = GetCount() - 1;
    while (L <= H) {
        const int I = L + (H - L) / 2;
        const int C = CompareStrings(FList[I].FString, S);
        if (C < 0) {
            L = I + 1;
        } else {
            H = I - 1;
            if (C == 0) {
                Found = true;
                // Without duplicates any match is the match; with them, keep
                // narrowing towards the first one.
                if (FDuplicates != dupAccept) L = I;
            }
        }
    }
    Index = L;
    return Found;
}

void TStringList::Sort() {
    CustomSort([](TStringList* List, int I, int J) {
        return List->CompareStrings(List->FList[I].FString, List->FList[J].FString);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
    if (FSorted || GetCount() < 2) return;
    Changing();
    QuickSort(0, GetCount() - 1, Compare);
    Changed();
}

void TStringList::QuickSort(int L, int R, const TStringListSortCompare& Compare) {
    BoundedQuickSort(
        L, R, [this, &Compare](int I, int J) { return Compare(this, I, J); },
        [this](int I, int J) { std::swap(FList[I], FList[J]); });
}

void TStringList::SetSorted(bool Value) {
    if (FSorted == Value) return;
    if (Value) Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (FCaseSensitive == Value) return;
    FCaseSensitive = Value;
    // Sort leaves a list that is already Sorted alone, so drop the flag first.
    if (FSorted) {
        FSorted = false;
        SetSorted(true);
    }
}

void TStrings::DefineProperties(TFiler* Filer) {
    Filer->DefineProperty(
        "Strings",
        [this](TReader* Reader) {
            Reader->ReadListBegin();
            TUpdateGuard Guard(*this);
            Clear();
            while (!Reader->EndOfList()) Add(Reader->ReadString());
            Reader->ReadListEnd();
        },
        [this](TWriter* Writer) {
            Writer->WriteListBegin();
            for (int I = 0; I < GetCount(); ++I) Writer->WriteString(Get(I));
            Writer->WriteListEnd();
        },
        GetCount() > 0);
}

}  // namespace zk
