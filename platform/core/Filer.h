// Component streaming: TFiler, TWriter and TReader over the binary form format.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Object.h"
#include "platform/core/TypInfo.h"
#include "platform/core/ValueTypes.h"

namespace zk {

class TStream;
class TPersistent;
class TComponent;
class TCollection;
class TReader;
class TWriter;

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

// What readers and writers share: the stream, the root component and the way
// a class adds properties of its own (DefineProperties calls these).
class TFiler : public TObject {
    ZK_CLASS(TFiler, TObject)
public:
    explicit TFiler(TStream* Stream);

    // Declares a property the class reads and writes itself. The writer writes
    // it only when HasData; the reader calls ReadData when the stream holds it.
    virtual void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                                const TWriterProc& WriteData, bool HasData) = 0;
    virtual void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                      const TStreamProc& WriteData, bool HasData) = 0;

    TStream* GetStream() const { return FStream; }
    TComponent* GetRoot() const { return FRoot; }
    void SetRoot(TComponent* Value) { FRoot = Value; }
    // The component whose names references and event handlers are looked up in.
    TComponent* GetLookupRoot() const { return FLookupRoot; }

protected:
    TStream* FStream;                   // not owned
    TComponent* FRoot = nullptr;        // not owned
    TComponent* FLookupRoot = nullptr;  // not owned
};

// Writes components and values. Values go through the Write* calls; a class's
// DefineProperties uses them between WritePropName and the next property.
class TWriter : public TFiler {
    ZK_CLASS(TWriter, TFiler)
public:
    explicit TWriter(TStream* Stream);

    void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                              const TStreamProc& WriteData, bool HasData) override;

    void WriteSignature();
    // Writes Root with the signature, its properties and its children.
    void WriteRootComponent(TComponent* Root);
    // Asks Component to write itself (WriteState), which comes back to WriteData.
    void WriteComponent(TComponent* Component);
    // A component's header, properties and children.
    void WriteData(TComponent* Instance);
    // Published properties in declaration order (stored, not default), then defined ones.
    void WriteProperties(TPersistent* Instance);
    void WriteProperty(TPersistent* Instance, const TPropInfo* Prop);
    void WriteCollection(TCollection* Collection);

    void WriteValue(TValueType Value);
    void WriteListBegin();
    void WriteListEnd();
    void WritePropName(const std::string& PropName);
    void WriteStr(const std::string& Value);  // a short string, at most 255 bytes
    void WriteString(const std::string& Value);
    void WriteWideString(const std::u16string& Value);
    void WriteInteger(int64_t Value);
    void WriteBoolean(bool Value);
    void WriteIdent(const std::string& Ident);  // True/False/nil/Null become their markers
    void WriteFloat(double Value);
    void WriteDate(double Value);
    void WriteVariant(const TVariant& Value);
    void WriteBinary(const TStreamProc& WriteData);

private:
    void WriteBuffer(const void* Data, int64_t Count);
    void WriteOrdProp(TPersistent* Instance, const TPropInfo* Prop);
    void WriteObjectProp(TPersistent* Instance, const TPropInfo* Prop);
    void WriteMethodProp(TPersistent* Instance, const TPropInfo* Prop);
    void WriteChildren(TComponent* Component);

    std::string FPropPath;  // prefix of sub-object properties ("Font.")
};

// Reads components and values; raises EReadError with a clear message for any
// stream it cannot take, freeing whatever the failed read created.
class TReader : public TFiler {
    ZK_CLASS(TReader, TFiler)
public:
    explicit TReader(TStream* Stream);
    ~TReader() override;

    void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                              const TStreamProc& WriteData, bool HasData) override;

    void ReadSignature();
    // Reads a whole stream into Root (created from the stream's class when
    // null), sets csLoading/csReading while reading, fixes references and
    // calls Loaded on every component read. Returns the root.
    TComponent* ReadRootComponent(TComponent* Root);
    // Reads one component (without signature) into Component, or creates it.
    TComponent* ReadComponent(TComponent* Component);
    void ReadProperty(TPersistent* Instance);
    void ReadCollection(TCollection* Collection);
    // The properties and children of Instance, up to the end of its lists.
    void ReadData(TComponent* Instance);

    TValueType ReadValue();
    TValueType NextValue();  // peeks
    bool EndOfList();
    void ReadListBegin();
    void ReadListEnd();
    std::string ReadStr();  // a short string
    std::string ReadString();
    std::u16string ReadWideString();
    int ReadInteger();
    int64_t ReadInt64();
    bool ReadBoolean();
    std::string ReadIdent();
    double ReadFloat();
    double ReadDate();
    TVariant ReadVariant();
    void SkipValue();
    // The owner of components read as children; the root unless set.
    TComponent* GetOwner() const { return FOwner; }
    void SetOwner(TComponent* Value) { FOwner = Value; }
    TComponent* GetParent() const { return FParent; }
    void SetParent(TComponent* Value) { FParent = Value; }

private:
    struct TFixup;
    class TNesting;
    void CheckValue(TValueType Expected);
    bool NextIsPrefix();  // a component prefix byte ($F0 | flags) comes next
    [[noreturn]] void InvalidValue();
    void ReadPropValue(TPersistent* Instance, const TPropInfo* Prop);
    void ReadOrdValue(TPersistent* Instance, const TPropInfo* Prop);
    void ReadObjectValue(TPersistent* Instance, const TPropInfo* Prop);
    void ReadMethodValue(TPersistent* Instance, const TPropInfo* Prop);
    bool ReadDefinedProperty(TPersistent* Instance, const std::string& Name);
    void ReadBuffer(void* Data, int64_t Count);
    void CheckLength(int64_t Length);
    std::string ReadCountedBytes(int64_t Length);
    void ResolveFixups();
    void FreeCreated();
    [[noreturn]] void PropertyError(TPersistent* Instance, const std::string& Name, const std::string& Why);

    TComponent* FOwner = nullptr;   // not owned
    TComponent* FParent = nullptr;  // not owned
    std::string FPropName;          // the defined property being looked for
    bool FFoundDefined = false;
    int FDepth = 0;
    std::vector<TComponent*> FLoaded;   // read components, in reading order
    std::vector<TComponent*> FCreated;  // created by this reader; freed if the read fails
    std::vector<TFixup> FFixups;
};

// Component-level conveniences over a stream.
void WriteComponentToStream(TStream* Stream, TComponent* Root);
TComponent* ReadComponentFromStream(TStream* Stream, TComponent* Root);

// Reads the embedded form description ResName (type RCDATA) into Instance;
// false when there is none.
bool ReadComponentRes(const std::string& ResName, TComponent* Instance);
// Reads into Instance the form description of each class from the one below
// RootAncestor down to Instance's own class, base-most first, each found under
// its class name. False when no class has one.
bool InitInheritedComponent(TComponent* Instance, const TClassInfo* RootAncestor);

// Other roots that references of the form "Form2.Button1" can reach.
void RegisterFindGlobalComponent(const std::function<TComponent*(const std::string& Name)>& Find);
void UnregisterFindGlobalComponents();
TComponent* FindGlobalComponent(const std::string& Name);
// Follows a dotted path of component names below Root ("Panel1.Button1").
TComponent* FindNestedComponent(TComponent* Root, const std::string& Path);

}  // namespace zk
