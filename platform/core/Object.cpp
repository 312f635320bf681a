// TObject, class information, the class registry and interface support.
#include "platform/core/Object.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <unordered_map>

#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TypInfo.h"

namespace zk {

// ---- TClassInfo ----

TClassInfo::TClassInfo(const char* Name, TParentFn Parent, TDescribeFn Describe,
                       TConstructors Constructors)
    : CreateDefault(Constructors.CreateDefault),
      CreateComponent(Constructors.CreateComponent),
      CreateItem(Constructors.CreateItem),
      FName(Name),
      FParentFn(Parent),
      FDescribeFn(Describe),
      FTypeInfo(std::make_unique<TTypeInfo>()) {
    FTypeInfo->Kind = tkClass;
    FTypeInfo->Name = FName;
    FTypeInfo->ClassType = this;
}

TClassInfo::TClassInfo(std::string Name, const TClassInfo* Parent, std::vector<TPropInfo> Props)
    : TClassInfo(Name.c_str(), nullptr, nullptr, TConstructors{}) {
    FParent = Parent;
    for (TPropInfo& P : Props) {
        if (FPropIndex.count(P.Name)) continue;  // the first of a name wins, as in a look-up
        FOwnProps.push_back(std::make_unique<TPropInfo>(std::move(P)));
        TPropInfo& Own = *FOwnProps.back();
        Own.Declarer = this;
        Own.NameIndex = static_cast<int>(FProps.size());
        FProps.push_back(&Own);
        FPropIndex.emplace(Own.Name, &Own);
    }
    SortByName();
    // Complete already: there is nothing to inherit and no DescribeClass to run.
    std::call_once(FDescribed, [] {});
}

TClassInfo::~TClassInfo() = default;

const TClassInfo* TClassInfo::ClassParent() const {
    if (FParent) return FParent;
    return FParentFn ? FParentFn() : nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo* Ancestor) const {
    for (const TClassInfo* C = this; C; C = C->ClassParent())
        if (C == Ancestor) return true;
    return false;
}

bool TClassInfo::ClassNameIs(const std::string& Name) const {
    return SameText(FName, Name);
}

void TClassInfo::EnsureDescribed() const {
    std::call_once(FDescribed, [this] { const_cast<TClassInfo*>(this)->Describe(); });
}

void TClassInfo::Describe() {
    if (FDescribeFn) FDescribeFn(*this);
    const TClassInfo* Parent = ClassParent();
    if (Parent) FProps = Parent->Properties();
    for (const auto& Own : FOwnProps) {
        auto It = std::find_if(FProps.begin(), FProps.end(),
                               [&](const TPropInfo* P) { return SameText(P->Name, Own->Name); });
        if (It != FProps.end()) {
            Own->NameIndex = (*It)->NameIndex;
            *It = Own.get();
        } else {
            Own->NameIndex = static_cast<int>(FProps.size());
            FProps.push_back(Own.get());
        }
    }
    FPropIndex.reserve(FProps.size());
    for (const TPropInfo* P : FProps) FPropIndex.emplace(P->Name, P);
    SortByName();
}

void TClassInfo::SortByName() {
    FPropsByName = FProps;
    std::stable_sort(FPropsByName.begin(), FPropsByName.end(),
                     [](const TPropInfo* A, const TPropInfo* B) { return CompareText(A->Name, B->Name) < 0; });
}

size_t TClassInfo::TFoldHash::operator()(const std::string& S) const {
    size_t H = 14695981039346656037ull;
    for (unsigned char C : S) H = (H ^ static_cast<size_t>(C >= 'A' && C <= 'Z' ? C + 32 : C)) * 1099511628211ull;
    return H;
}

bool TClassInfo::TFoldEqual::operator()(const std::string& A, const std::string& B) const {
    return SameText(A, B);
}

const std::vector<const TPropInfo*>& TClassInfo::Properties() const {
    EnsureDescribed();
    return FProps;
}

const std::vector<const TPropInfo*>& TClassInfo::PropertiesByName() const {
    EnsureDescribed();
    return FPropsByName;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& Name) const {
    EnsureDescribed();
    auto It = FPropIndex.find(Name);
    return It == FPropIndex.end() ? nullptr : It->second;
}

const TMethodInfo* TClassInfo::FindMethod(const std::string& Name) const {
    for (const TClassInfo* C = this; C; C = C->ClassParent()) {
        C->EnsureDescribed();
        for (const TMethodInfo& M : C->FMethods)
            if (SameText(M.Name, Name)) return &M;
    }
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethodByCode(const TMethodCode& Code) const {
    for (const TClassInfo* C = this; C; C = C->ClassParent()) {
        C->EnsureDescribed();
        for (const TMethodInfo& M : C->FMethods)
            if (M.Code == Code) return &M;
    }
    return nullptr;
}

const TMessageHandler* TClassInfo::FindMessageHandler(uint32_t Msg) const {
    for (const TClassInfo* C = this; C; C = C->ClassParent()) {
        C->EnsureDescribed();
        for (const auto& [Number, Handler] : C->FHandlers)
            if (Number == Msg) return &Handler;
    }
    return nullptr;
}

TPropInfo& TClassInfo::AddProperty(const std::string& Name) {
    if (TPropInfo* Existing = OwnProperty(Name)) return *Existing;
    FOwnProps.push_back(std::make_unique<TPropInfo>());
    TPropInfo& P = *FOwnProps.back();
    P.Name = Name;
    P.Declarer = this;
    return P;
}

TPropInfo* TClassInfo::OwnProperty(const std::string& Name) {
    for (auto& P : FOwnProps)
        if (SameText(P->Name, Name)) return P.get();
    return nullptr;
}

void TClassInfo::AddMethod(TMethodInfo Info) {
    FMethods.push_back(std::move(Info));
}

void TClassInfo::AddMessageHandler(uint32_t Msg, TMessageHandler Handler) {
    FHandlers.emplace_back(Msg, std::move(Handler));
}

TPropInfo& RedeclareProperty(TClassInfo& Info, const std::string& Name) {
    const TClassInfo* Parent = Info.ClassParent();
    const TPropInfo* Inherited = Parent ? Parent->FindProperty(Name) : nullptr;
    if (!Inherited) throw EPropertyError(Format("Property %s does not exist", {Name}));
    TPropInfo& P = Info.AddProperty(Inherited->Name);
    TClassInfo* Declarer = const_cast<TClassInfo*>(P.Declarer);
    P = *Inherited;
    P.Declarer = Declarer;
    return P;
}

TMethod BindMethod(TObject* Instance, const TMethodInfo& Method) {
    TMethod M;
    M.Data = Instance;
    M.Code = Method.Code;
    M.Signature = Method.Signature;
    M.Fn = Method.Bind(Instance);
    return M;
}

const TMethod& EmptyMethod() {
    static const TMethod Empty;
    return Empty;
}

TMethodCode NewCallableCode() {
    static std::atomic<uint64_t> Serial{0};
    TMethodCode Code;
    // A marker byte no member function pointer of ours has in this position keeps
    // serial codes apart from member codes.
    uint64_t N = ++Serial;
    Code.Bytes[15] = 0xC5;
    for (int I = 0; I < 8; ++I) Code.Bytes[I] = static_cast<unsigned char>(N >> (8 * I));
    return Code;
}

// ---- TObject ----

const TClassInfo* TObject::StaticClass() {
    static TClassInfo Info("TObject", nullptr, &DescribeClassThunk<TObject>, ConstructorsOf<TObject>());
    return &Info;
}

void TObject::DescribeClass(TClassBuilder<TObject>&) {}

void TObject::Free() {
    BeforeDestruction();
    delete this;
}

void TObject::Dispatch(TMessage& Message) {
    if (const TMessageHandler* Handler = ClassType()->FindMessageHandler(Message.Msg))
        (*Handler)(this, Message);
    else
        DefaultHandler(Message);
}

void TObject::DefaultHandler(TMessage&) {}

const TMethodInfo* TObject::MethodAddress(const std::string& Name) const {
    return ClassType()->FindMethod(Name);
}

std::string TObject::MethodName(const TMethodCode& Code) const {
    const TMethodInfo* M = ClassType()->FindMethodByCode(Code);
    return M ? M->Name : std::string();
}

// ---- class registry ----

namespace {

struct TClassRegistry {
    std::mutex Lock;
    std::unordered_map<std::string, const TClassInfo*> ByName;  // upper-case name
};

TClassRegistry& Registry() {
    static TClassRegistry R;
    return R;
}

}  // namespace

void RegisterClass(const TClassInfo* Class) {
    if (!Class) return;
    TClassRegistry& R = Registry();
    std::lock_guard<std::mutex> Guard(R.Lock);
    R.ByName.emplace(UpperCase(Class->ClassName()), Class);
}

void RegisterClasses(std::initializer_list<const TClassInfo*> Classes) {
    for (const TClassInfo* C : Classes) RegisterClass(C);
}

void UnRegisterClass(const TClassInfo* Class) {
    if (!Class) return;
    TClassRegistry& R = Registry();
    std::lock_guard<std::mutex> Guard(R.Lock);
    auto It = R.ByName.find(UpperCase(Class->ClassName()));
    if (It != R.ByName.end() && It->second == Class) R.ByName.erase(It);
}

const TClassInfo* GetClass(const std::string& Name) {
    TClassRegistry& R = Registry();
    std::lock_guard<std::mutex> Guard(R.Lock);
    auto It = R.ByName.find(UpperCase(Name));
    return It == R.ByName.end() ? nullptr : It->second;
}

const TClassInfo* FindClass(const std::string& Name) {
    const TClassInfo* C = GetClass(Name);
    if (!C) throw EClassNotFound("Class %s not found", {Name});
    return C;
}

// ---- interfaces ----

TGUID TGUID::FromString(const std::string& S) {
    TGUID G;
    unsigned D[11] = {};
    if (std::sscanf(S.c_str(), "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}", &D[0], &D[1], &D[2],
                    &D[3], &D[4], &D[5], &D[6], &D[7], &D[8], &D[9], &D[10]) != 11)
        throw EConvertError(Format("'%s' is not a valid GUID value", {S}));
    G.D1 = D[0];
    G.D2 = static_cast<uint16_t>(D[1]);
    G.D3 = static_cast<uint16_t>(D[2]);
    for (int I = 0; I < 8; ++I) G.D4[I] = static_cast<uint8_t>(D[3 + I]);
    return G;
}

std::string TGUID::ToString() const {
    char Buf[40];
    std::snprintf(Buf, sizeof Buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", D1, D2, D3,
                  D4[0], D4[1], D4[2], D4[3], D4[4], D4[5], D4[6], D4[7]);
    return Buf;
}

const TGUID IInterfaceComponentReference::IID =
    TGUID{0xE28B1858, 0xEC86, 0x4559, {0x8F, 0xCD, 0x6B, 0x4F, 0x82, 0x41, 0x51, 0xED}};

bool Supports(IInterface* Intf, const TGUID& IID, void** Obj) {
    if (Obj) *Obj = nullptr;
    return Intf && Intf->QueryInterface(IID, Obj);
}

}  // namespace zk
