// Exceptions, message formatting and the string and number helpers every layer uses.
#pragma once
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <variant>

namespace zk {

// One argument of Format: what the framework's formatting routine accepts.
class TVarRec {
public:
    TVarRec(int V) : FValue(static_cast<int64_t>(V)) {}
    TVarRec(unsigned V) : FValue(static_cast<int64_t>(V)) {}
    TVarRec(long V) : FValue(static_cast<int64_t>(V)) {}
    TVarRec(long long V) : FValue(static_cast<int64_t>(V)) {}
    TVarRec(unsigned long V) : FValue(static_cast<int64_t>(V)) {}
    TVarRec(unsigned long long V) : FValue(static_cast<int64_t>(V)) {}
    TVarRec(double V) : FValue(V) {}
    TVarRec(char V) : FValue(std::string(1, V)) {}
    TVarRec(const char* V) : FValue(std::string(V ? V : "")) {}
    TVarRec(const std::string& V) : FValue(V) {}
    TVarRec(const void* V) : FValue(V) {}

    bool IsInteger() const { return std::holds_alternative<int64_t>(FValue); }
    bool IsFloat() const { return std::holds_alternative<double>(FValue); }
    bool IsString() const { return std::holds_alternative<std::string>(FValue); }
    bool IsPointer() const { return std::holds_alternative<const void*>(FValue); }
    int64_t AsInteger() const { return std::get<int64_t>(FValue); }
    double AsFloat() const { return std::get<double>(FValue); }
    const std::string& AsString() const { return std::get<std::string>(FValue); }
    const void* AsPointer() const { return std::get<const void*>(FValue); }

private:
    std::variant<int64_t, double, std::string, const void*> FValue;
};

// The framework's formatting: %[index:][-][width][.precision]type with the types
// d u x s g f e n m p and %%. A bad format or argument raises EConvertError.
std::string Format(const std::string& Fmt, std::initializer_list<TVarRec> Args);

// Root of every exception the system raises; Message() is the text shown to the user.
class Exception : public std::exception {
public:
    explicit Exception(std::string Msg) : FMessage(std::move(Msg)) {}
    Exception(const std::string& Fmt, std::initializer_list<TVarRec> Args)
        : FMessage(Format(Fmt, Args)) {}
    const std::string& Message() const { return FMessage; }
    void SetMessage(const std::string& Msg) { FMessage = Msg; }
    const char* what() const noexcept override { return FMessage.c_str(); }
    // The class name the framework would report ("EConvertError").
    virtual const char* ClassName() const { return "Exception"; }

private:
    std::string FMessage;
};

#define ZK_DECLARE_EXCEPTION(Name, Base)                               \
    class Name : public Base {                                         \
    public:                                                            \
        using Base::Base;                                              \
        const char* ClassName() const override { return #Name; }       \
    };

ZK_DECLARE_EXCEPTION(EConvertError, Exception)
ZK_DECLARE_EXCEPTION(EListError, Exception)
ZK_DECLARE_EXCEPTION(EStringListError, Exception)
ZK_DECLARE_EXCEPTION(EStreamError, Exception)
ZK_DECLARE_EXCEPTION(EFilerError, EStreamError)
ZK_DECLARE_EXCEPTION(EReadError, EFilerError)
ZK_DECLARE_EXCEPTION(EWriteError, EFilerError)
ZK_DECLARE_EXCEPTION(EClassNotFound, EFilerError)
ZK_DECLARE_EXCEPTION(EFOpenError, EStreamError)
ZK_DECLARE_EXCEPTION(EFCreateError, EStreamError)
ZK_DECLARE_EXCEPTION(EPropertyError, Exception)
ZK_DECLARE_EXCEPTION(EPropertyConvertError, Exception)
ZK_DECLARE_EXCEPTION(EVariantError, Exception)
ZK_DECLARE_EXCEPTION(EOleException, Exception)
ZK_DECLARE_EXCEPTION(EComponentError, Exception)
ZK_DECLARE_EXCEPTION(EInvalidOperation, Exception)
ZK_DECLARE_EXCEPTION(EInvalidCast, Exception)
ZK_DECLARE_EXCEPTION(EOutOfResources, Exception)
ZK_DECLARE_EXCEPTION(ERXException, Exception)

// Integers and floats to and from text, with the framework's messages.
std::string IntToStr(int64_t Value);
std::string IntToHex(int64_t Value, int Digits);
int StrToInt(const std::string& S);                  // "'%s' is not a valid integer value"
int64_t StrToInt64(const std::string& S);            // same message
int StrToIntDef(const std::string& S, int Default);
bool TryStrToInt(const std::string& S, int& Value);
bool TryStrToInt64(const std::string& S, int64_t& Value);
std::string FloatToStr(double Value);                 // general format, 15 significant digits
double StrToFloat(const std::string& S);              // "'%s' is not a valid floating point value"
bool TryStrToFloat(const std::string& S, double& Value);
std::string BoolToStr(bool B, bool UseBoolStrs = false);  // "-1"/"0", or "True"/"False"

// Text helpers. Case folding is ASCII only and comparisons are locale-free.
std::string Trim(const std::string& S);
std::string TrimLeft(const std::string& S);
std::string TrimRight(const std::string& S);
std::string UpperCase(const std::string& S);
std::string LowerCase(const std::string& S);
bool SameText(const std::string& S1, const std::string& S2);
int CompareText(const std::string& S1, const std::string& S2);
int CompareStr(const std::string& S1, const std::string& S2);
int AnsiCompareText(const std::string& S1, const std::string& S2);
int AnsiCompareStr(const std::string& S1, const std::string& S2);
bool IsValidIdent(const std::string& Ident, bool AllowDots = false);
std::string QuotedStr(const std::string& S);
std::string StringReplaceAll(const std::string& S, const std::string& From, const std::string& To);

// Milliseconds since an arbitrary start; wraps like the framework's 32-bit counter.
uint32_t GetTickCount();

}  // namespace zk
