// TStrings, the abstract list of text lines with an object per line, and TStringList.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/core/Event.h"
#include "platform/core/List.h"
#include "platform/core/Persistent.h"

namespace zk {

// Lines of text, each with an object that the list does not own. Descendants
// supply the storage (Get, GetCount, Insert, Delete, Clear and usually
// GetObject/PutObject); everything else is built on those steps. A line index
// outside 0..Count-1 raises EStringListError "List index out of bounds (%d)";
// lines without objects report null.
class TStrings : public TPersistent {
    ZK_CLASS(TStrings, TPersistent)
public:
    TStrings() = default;

    // Brackets a batch of changes with BeginUpdate/EndUpdate, also when the
    // batch throws, so the update count can never stay raised.
    class TUpdateGuard {
    public:
        explicit TUpdateGuard(TStrings& Strings);
        ~TUpdateGuard() noexcept(false);
        TUpdateGuard(const TUpdateGuard&) = delete;
        TUpdateGuard& operator=(const TUpdateGuard&) = delete;

    private:
        TStrings& FStrings;
        int FUncaught;
    };

    // Storage steps.
    virtual int GetCount() const = 0;
    virtual std::string Get(int Index) const = 0;
    // Replaces a line; the default deletes and re-inserts it with its object.
    virtual void Put(int Index, const std::string& S);
    virtual TObject* GetObject(int Index) const;          // null unless overridden
    virtual void PutObject(int Index, TObject* AObject);  // ignored unless overridden
    // Index may be Count, which appends.
    virtual void Insert(int Index, const std::string& S) = 0;
    virtual void InsertObject(int Index, const std::string& S, TObject* AObject);
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    // Returns where the line landed, which need not be the end.
    virtual int Add(const std::string& S);
    virtual int AddObject(const std::string& S, TObject* AObject);
    void Append(const std::string& S) { Add(S); }
    void AddStrings(TStrings* Strings);
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);
    virtual int GetCapacity() const { return GetCount(); }
    virtual void SetCapacity(int NewCapacity);

    // Searches with CompareStrings; -1 when absent.
    virtual int IndexOf(const std::string& S) const;
    // The first line whose name compares equal; lines without a separator have no name.
    virtual int IndexOfName(const std::string& Name) const;
    int IndexOfObject(const TObject* AObject) const;
    // Case-insensitive here; negative, zero or positive like strcmp.
    virtual int CompareStrings(const std::string& S1, const std::string& S2) const;
    // Same count and the same lines, byte for byte; objects are not compared.
    bool Equals(const TStrings* Strings) const;

    // Copies the lines, objects and separators of another TStrings.
    // Streams the lines as the defined property "Strings", a list of strings.
    void DefineProperties(TFiler* Filer) override;
    void Assign(TPersistent* Source) override;

    // Lines joined by CR LF, one after every line; reading splits at CR LF, LF or CR.
    std::string GetText() const { return GetTextStr(); }
    void SetText(const std::string& Value) { SetTextStr(Value); }
    virtual std::string GetTextStr() const;
    virtual void SetTextStr(const std::string& Value);
    // DelimitedText with ',' and '"' whatever Delimiter and QuoteChar are.
    std::string GetCommaText() const;
    void SetCommaText(const std::string& Value);
    // Items quoted when they hold a delimiter, quote, space or control char;
    // reading splits at delimiters and at white space outside quotes.
    std::string GetDelimitedText() const;
    void SetDelimitedText(const std::string& Value);
    char GetDelimiter() const { return FDelimiter; }
    void SetDelimiter(char Value) { FDelimiter = Value; }
    char GetQuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(char Value) { FQuoteChar = Value; }

    // Name=value lines.
    std::string GetName(int Index) const;                 // empty when the line has no separator
    std::string GetValue(const std::string& Name) const;  // empty when no line has Name
    // An empty Value deletes the line; an unknown Name appends "Name=Value".
    void SetValue(const std::string& Name, const std::string& Value);
    std::string GetValueFromIndex(int Index) const;  // empty for Index < 0 or no separator
    void SetValueFromIndex(int Index, const std::string& Value);
    char GetNameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(char Value) { FNameValueSeparator = Value; }

    // Nested; SetUpdateState hears only the outermost bracket.
    void BeginUpdate();
    void EndUpdate();
    int GetUpdateCount() const { return FUpdateCount; }

    // The file's bytes, as they are; EFOpenError / EFCreateError name the file and the cause.
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName) const;

protected:
    // Raised around every change by lists that report changes; no-ops here.
    virtual void Changing() {}
    virtual void Changed() {}
    // True when the first BeginUpdate opens a bracket, false when the last EndUpdate closes it.
    virtual void SetUpdateState(bool Updating);
    // Raises EStringListError with Msg formatted with Data.
    [[noreturn]] virtual void Error(const char* Msg, int Data) const;

private:
    std::string BuildDelimited(char Delimiter, char QuoteChar) const;
    void ParseDelimited(const std::string& Value, char Delimiter, char QuoteChar);
    size_t SeparatorPos(const std::string& S) const;

    int FUpdateCount = 0;
    char FDelimiter = ',';
    char FQuoteChar = '"';
    char FNameValueSeparator = '=';
};

class TStringList;

// Orders two lines of List by index: negative, zero or positive.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

// TStrings kept in memory, optionally sorted. OnChanging/OnChange fire around
// every change while no update bracket is open; a bracket fires one pair.
class TStringList : public TStrings {
    ZK_CLASS(TStringList, TStrings)
public:
    TStringList() = default;
    ~TStringList() override;

    int GetCount() const override { return static_cast<int>(FList.size()); }
    std::string Get(int Index) const override;
    // The line itself, for readers that scan many lists; it stays valid
    // until the list changes. Raises as Get does, and is not virtual: it
    // reads what the list holds, not what a descendant makes of it.
    const std::string& GetLine(int Index) const;
    // Both raise "Operation not allowed on sorted list" when Sorted.
    void Put(int Index, const std::string& S) override;
    void Insert(int Index, const std::string& S) override;
    void InsertObject(int Index, const std::string& S, TObject* AObject) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void Delete(int Index) override;
    void Clear() override;  // no events when already empty
    // Sorted lists insert in order and apply Duplicates.
    int Add(const std::string& S) override;
    int AddObject(const std::string& S, TObject* AObject) override;
    // Allowed on sorted lists too; the caller keeps the order meaningful.
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    int GetCapacity() const override { return static_cast<int>(FList.capacity()); }
    void SetCapacity(int NewCapacity) override;
    std::string GetTextStr() const override;

    int IndexOf(const std::string& S) const override;  // binary search when Sorted
    int CompareStrings(const std::string& S1, const std::string& S2) const override;
    // Binary search: true when S is present; Index is where S is or would go
    // (the first match when duplicates are accepted). Meaningful only on a sorted list.
    bool Find(const std::string& S, int& Index) const;
    // Neither reorders a list that is already Sorted.
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates GetDuplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool GetCaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);  // re-sorts a sorted list

    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }
    TNotifyEvent GetOnChanging() const { return FOnChanging; }
    void SetOnChanging(const TNotifyEvent& Value) { FOnChanging = Value; }

protected:
    void Changing() override;
    void Changed() override;
    void SetUpdateState(bool Updating) override;

private:
    struct TStringItem {
        std::string FString;
        TObject* FObject = nullptr;  // not owned
    };

    void CheckIndex(int Index) const;
    void InsertItem(int Index, const std::string& S, TObject* AObject);
    void QuickSort(int L, int R, const TStringListSortCompare& Compare);

    std::vector<TStringItem> FList;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    bool FCaseSensitive = false;
    TNotifyEvent FOnChange;
    TNotifyEvent FOnChanging;
};

}  // namespace zk
