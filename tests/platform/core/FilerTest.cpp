// Component streaming: round trips through the binary form format, what is
// written and what is not, references, events, defined properties and every
// error path of the reader.
#include <gtest/gtest.h>

#include "TestUtil.h"

#include "platform/core/ClassBuilder.h"
#include "platform/core/Collection.h"
#include "platform/core/Colors.h"
#include "platform/core/Component.h"
#include "platform/core/Filer.h"
#include "platform/core/Font.h"
#include "platform/core/FormText.h"
#include "platform/core/Stream.h"
#include "platform/core/StringList.h"
#include "platform/core/SysUtils.h"

namespace zk::test {

ZK_ENUM(TStreamKind, uint8_t, skNone, skSome, skMany)
ZK_SET(TStreamKinds, TStreamKind)

class TStreamItem : public TCollectionItem {
    ZK_CLASS(TStreamItem, TCollectionItem)
public:
    explicit TStreamItem(TCollection* C) : TCollectionItem(C) {}
    std::string FName;
    int FValue = 0;
    std::string FExtra;  // a defined property
    void DefineProperties(TFiler* Filer) override {
        TCollectionItem::DefineProperties(Filer);
        Filer->DefineProperty(
            "Extra", [this](TReader* R) { FExtra = R->ReadString(); },
            [this](TWriter* W) { W->WriteString(FExtra); }, !FExtra.empty());
    }
};

// A descendant item class, so that one collection can hold items of two classes.
class TStreamItemPlus : public TStreamItem {
    ZK_CLASS(TStreamItemPlus, TStreamItem)
public:
    explicit TStreamItemPlus(TCollection* C) : TStreamItem(C) {}
    int FPlus = 0;
};

class TStreamComp : public TComponent {
    ZK_CLASS(TStreamComp, TComponent)
public:
    explicit TStreamComp(TComponent* AOwner)
        : TComponent(AOwner),
          FFont(new TFont),
          FLines(new TStringList),
          FItems(new TOwnedCollection(this, TStreamItem::StaticClass())),
          FSub(new TComponent(this)) {
        FSub->SetName("Sub");
        FSub->SetSubComponent(true);
    }
    int FInt = 0;
    int64_t FBig = 0;
    bool FFlag = false;
    int FColor = clWindow;
    TStreamKind FKind = skNone;
    TStreamKinds FKinds;
    double FRatio = 0;
    double FWhen = 0;
    std::string FText;
    std::u16string FWide;
    TVariant FVar;
    char FChar = 'x';
    TOwned<TFont> FFont;
    TOwned<TStringList> FLines;
    TOwned<TOwnedCollection> FItems;
    TComponent* FSub;                // owned through the component list
    TComponent* FRef = nullptr;      // not owned; cleared by free notification
    TNotifyEvent FOnClick;
    std::vector<int> FCustom;        // a defined property
    std::string FBlob;               // a defined binary property
    std::vector<std::string> Calls;

    void SetRef(TComponent* V) {
        if (FRef) FRef->RemoveFreeNotification(this);
        FRef = V;
        if (V) V->FreeNotification(this);
    }
    void HandleClick(TObject* Sender) { Calls.push_back(static_cast<TComponent*>(Sender)->GetName()); }
    std::vector<std::string> LoadedLog;
    void Loaded() override {
        TComponent::Loaded();
        LoadedLog.push_back(GetName() + (FRef ? ":ref=" + FRef->GetName() : std::string()));
    }
    void DefineProperties(TFiler* Filer) override {
        TComponent::DefineProperties(Filer);
        Filer->DefineProperty(
            "Custom",
            [this](TReader* R) {
                FCustom.clear();
                R->ReadListBegin();
                while (!R->EndOfList()) FCustom.push_back(R->ReadInteger());
                R->ReadListEnd();
            },
            [this](TWriter* W) {
                W->WriteListBegin();
                for (int V : FCustom) W->WriteInteger(V);
                W->WriteListEnd();
            },
            !FCustom.empty());
        Filer->DefineBinaryProperty(
            "Blob",
            [this](TStream* S) {
                FBlob.resize(static_cast<size_t>(S->GetSize()));
                S->ReadBuffer(FBlob.data(), S->GetSize());
            },
            [this](TStream* S) { S->WriteBuffer(FBlob.data(), static_cast<int64_t>(FBlob.size())); },
            !FBlob.empty());
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (Operation == opRemove && AComponent == FRef) FRef = nullptr;
        TComponent::Notification(AComponent, Operation);
    }
};

ZK_IMPLEMENT_CLASS(TStreamItem)
void TStreamItem::DescribeClass(TClassBuilder<TStreamItem>& C) {
    using T = TStreamItem;
    C.Prop("Name", [](T& O) { return O.FName; }, [](T& O, std::string V) { O.FName = V; });
    C.Prop("Value", [](T& O) { return O.FValue; }, [](T& O, int V) { O.FValue = V; }).Default(0);
}

ZK_IMPLEMENT_CLASS(TStreamItemPlus)
void TStreamItemPlus::DescribeClass(TClassBuilder<TStreamItemPlus>& C) {
    C.Prop("Plus", [](TStreamItemPlus& O) { return O.FPlus; }, [](TStreamItemPlus& O, int V) { O.FPlus = V; });
}

ZK_IMPLEMENT_CLASS(TStreamComp)
void TStreamComp::DescribeClass(TClassBuilder<TStreamComp>& C) {
    using T = TStreamComp;
    C.Prop("Int", [](T& O) { return O.FInt; }, [](T& O, int V) { O.FInt = V; }).Default(0);
    C.Prop("IntCopy", [](T& O) { return O.FInt; }).NoDefault();  // read-only: never written
    C.Prop("Big", [](T& O) { return O.FBig; }, [](T& O, int64_t V) { O.FBig = V; });
    C.Prop("Flag", [](T& O) { return O.FFlag; }, [](T& O, bool V) { O.FFlag = V; }).Default(false);
    C.Prop("Color", [](T& O) { return O.FColor; }, [](T& O, int V) { O.FColor = V; })
        .Type(TypeInfoTColor()).Default(clWindow);
    C.Prop("Kind", [](T& O) { return O.FKind; }, [](T& O, TStreamKind V) { O.FKind = V; }).Default(skNone);
    C.Prop("Kinds", [](T& O) { return O.FKinds; }, [](T& O, TStreamKinds V) { O.FKinds = V; }).Default(0);
    C.Prop("Ratio", [](T& O) { return O.FRatio; }, [](T& O, double V) { O.FRatio = V; });
    C.Prop("When", [](T& O) { return O.FWhen; }, [](T& O, double V) { O.FWhen = V; }).Type(TypeInfoTDateTime());
    C.Prop("Text", [](T& O) { return O.FText; }, [](T& O, std::string V) { O.FText = V; });
    C.Prop("Wide", [](T& O) { return O.FWide; }, [](T& O, std::u16string V) { O.FWide = V; });
    C.Prop("Var", [](T& O) { return O.FVar; }, [](T& O, TVariant V) { O.FVar = V; });
    C.Prop("Ch", [](T& O) { return O.FChar; }, [](T& O, char V) { O.FChar = V; }).Default('x');
    C.Prop("Font", [](T& O) { return O.FFont.get(); }, [](T& O, TFont* V) { O.FFont->Assign(V); });
    C.Prop("Lines", [](T& O) { return static_cast<TStrings*>(O.FLines.get()); },
           [](T& O, TStrings* V) { O.FLines->Assign(V); });
    C.Prop("Items", [](T& O) { return static_cast<TCollection*>(O.FItems.get()); });
    C.Prop("Sub", [](T& O) { return O.FSub; });
    C.Prop("Ref", [](T& O) { return O.FRef; }, &T::SetRef);
    C.Prop("OnClick", [](T& O) { return O.FOnClick; }, [](T& O, TNotifyEvent V) { O.FOnClick = V; });
    C.Method("HandleClick", &T::HandleClick);
}

namespace {

class Streaming : public ::testing::Test {
protected:
    void SetUp() override { RegisterClasses({TStreamComp::StaticClass(), TComponent::StaticClass()}); }

    static std::string Write(TComponent* Root) {
        TStringStream S;
        WriteComponentToStream(&S, Root);
        return S.GetDataString();
    }
    static TStreamComp* Read(const std::string& Data, TComponent* Root = nullptr) {
        TStringStream S(Data);
        return static_cast<TStreamComp*>(ReadComponentFromStream(&S, Root));
    }
    // The names of the root's top-level properties, in stream order.
    static std::vector<std::string> PropNames(const std::string& Data) {
        TStringStream S(Data);
        TReader R(&S);
        R.ReadSignature();
        R.ReadStr();
        R.ReadStr();
        std::vector<std::string> Names;
        while (!R.EndOfList()) {
            Names.push_back(R.ReadStr());
            R.SkipValue();
        }
        return Names;
    }
};

TEST_F(Streaming, DefaultsAreNotWritten) {
    TStreamComp Root(nullptr);
    Root.SetName("Root");
    Root.FLines->Clear();
    // Only properties without a default that always write, and the font's always-stored ones.
    EXPECT_EQ((std::vector<std::string>{"Font.Charset", "Font.Color", "Font.Height", "Font.Name", "Font.Style",
                                        "Items"}),
              PropNames(Write(&Root)));
    Root.FInt = 3;
    Root.FColor = clRed;
    Root.FFlag = true;
    // A read-only property would make the stream unreadable: it is left out.
    auto Names = PropNames(Write(&Root));
    EXPECT_EQ("Int", Names[0]);
    EXPECT_EQ("Flag", Names[1]);
    EXPECT_EQ("Color", Names[2]);
}

TEST_F(Streaming, EveryKindRoundTrips) {
    TStreamComp Root(nullptr);
    Root.SetName("Root");
    Root.FInt = -129;
    Root.FBig = int64_t(1) << 40;
    Root.FFlag = true;
    Root.FColor = clBtnFace;
    Root.FKind = skMany;
    Root.FKinds = {skNone, skMany};
    Root.FRatio = 0.1;
    Root.FWhen = 45000.25;
    Root.FText = "caf\xC3\xA9 'quoted'";
    Root.FWide = u"wide \x20AC";
    Root.FVar = TVariant(int64_t(7));
    Root.FChar = 'Q';
    Root.FFont->SetStyle({fsBold});
    Root.FFont->SetColor(clRed);
    Root.FLines->SetText("one\r\ntwo\r\n");
    auto* Item = static_cast<TStreamItem*>(Root.FItems->Add());
    Item->FName = "first";
    Item->FValue = 5;
    Item->FExtra = "defined";
    Root.FItems->Add();
    Root.FCustom = {1, 300, -70000};
    Root.FBlob = std::string("\0\1\2\xFF", 4);
    Root.FSub->SetTag(5);  // a read-only sub-component's properties travel as "Sub.Tag"

    std::string Data = Write(&Root);
    TOwned<TStreamComp> Copy(Read(Data));
    EXPECT_EQ("Root", Copy->GetName());
    EXPECT_EQ(-129, Copy->FInt);
    EXPECT_EQ(int64_t(1) << 40, Copy->FBig);
    EXPECT_TRUE(Copy->FFlag);
    EXPECT_EQ(clBtnFace, Copy->FColor);
    EXPECT_EQ(skMany, Copy->FKind);
    EXPECT_EQ((TStreamKinds{skNone, skMany}), Copy->FKinds);
    EXPECT_EQ(0.1, Copy->FRatio);
    EXPECT_EQ(45000.25, Copy->FWhen);
    EXPECT_EQ(Root.FText, Copy->FText);
    EXPECT_EQ(Root.FWide, Copy->FWide);
    EXPECT_EQ(TVariant(7), Copy->FVar);
    EXPECT_EQ('Q', Copy->FChar);
    EXPECT_TRUE(Copy->FFont->SameAs(*Root.FFont));
    EXPECT_EQ("one\r\ntwo\r\n", Copy->FLines->GetText());
    ASSERT_EQ(2, Copy->FItems->GetCount());
    auto* CopyItem = static_cast<TStreamItem*>(Copy->FItems->GetItem(0));
    EXPECT_EQ("first", CopyItem->FName);
    EXPECT_EQ(5, CopyItem->FValue);
    EXPECT_EQ("defined", CopyItem->FExtra);
    EXPECT_EQ((std::vector<int>{1, 300, -70000}), Copy->FCustom);
    EXPECT_EQ(Root.FBlob, Copy->FBlob);
    EXPECT_EQ(5, Copy->FSub->GetTag());
    EXPECT_NE(std::string::npos, Data.find("Sub.Tag"));
    // Writing the copy gives the same bytes.
    EXPECT_EQ(Data, Write(Copy.get()));
}

TEST_F(Streaming, ChildrenReferencesAndEventsAreRestored) {
    TStreamComp Root(nullptr);
    Root.SetName("Form1");
    auto* A = new TStreamComp(&Root);
    A->SetName("A");
    auto* B = new TStreamComp(&Root);
    B->SetName("B");
    A->SetRef(B);  // a reference to a component read later
    B->SetRef(&Root);
    B->FOnClick = TNotifyEvent(&Root, &TStreamComp::HandleClick);
    Root.FOnClick = TNotifyEvent([](TObject*) {});  // not a published method: not written

    TOwned<TStreamComp> Copy(Read(Write(&Root)));
    ASSERT_EQ(3, Copy->GetComponentCount());  // its sub-component, A and B
    auto* CA = static_cast<TStreamComp*>(Copy->FindComponent("A"));
    auto* CB = static_cast<TStreamComp*>(Copy->FindComponent("B"));
    ASSERT_TRUE(CA && CB);
    EXPECT_EQ(CB, CA->FRef);
    EXPECT_EQ(Copy.get(), CB->FRef);
    ASSERT_TRUE(CB->FOnClick.Assigned());
    CB->FOnClick(CB);
    EXPECT_EQ(std::vector<std::string>{"B"}, Copy->Calls);
    EXPECT_FALSE(Copy->FOnClick.Assigned());
    // Loaded runs after every reference is fixed, root first.
    EXPECT_EQ(std::vector<std::string>{"Form1"}, Copy->LoadedLog);
    EXPECT_EQ(std::vector<std::string>{"A:ref=B"}, CA->LoadedLog);
    EXPECT_FALSE(CA->IsLoading());
    EXPECT_FALSE(CA->GetComponentState().Contains(csReading));
}

TEST_F(Streaming, ReadingIntoAnExistingRootKeepsIt) {
    TStreamComp Source(nullptr);
    Source.SetName("Form1");
    Source.FInt = 9;
    TStreamComp Target(nullptr);
    EXPECT_EQ(&Target, Read(Write(&Source), &Target));
    EXPECT_EQ(9, Target.FInt);
    EXPECT_EQ("Form1", Target.GetName());
}

TEST_F(Streaming, UnknownClassFailsAndFreesWhatWasCreated) {
    TStreamComp Root(nullptr);
    Root.SetName("Form1");
    (new TStreamComp(&Root))->SetName("Child");
    std::string Data = Write(&Root);
    UnRegisterClass(TStreamComp::StaticClass());
    EXPECT_EQ("Class TStreamComp not found", MessageOf([&] { Read(Data); }));
    RegisterClass(TStreamComp::StaticClass());
    // Into an existing root: the child was created before the failure is freed again.
    TStreamComp Target(nullptr);
    std::string Broken = Data;
    size_t Pos = Broken.find("Child");
    ASSERT_NE(std::string::npos, Pos);
    TStringStream Half(Broken.substr(0, Pos + 8));
    EXPECT_THROW(ReadComponentFromStream(&Half, &Target), EReadError);
    EXPECT_EQ(1, Target.GetComponentCount());  // only its own sub-component
    EXPECT_FALSE(Target.IsLoading());
}

TEST_F(Streaming, UnknownPropertyAndBadValuesNameTheProperty) {
    TMemoryStream S;
    TWriter W(&S);
    W.WriteSignature();
    W.WriteStr("TStreamComp");
    W.WriteStr("Root");
    W.WritePropName("Nope");
    W.WriteInteger(1);
    W.WriteListEnd();
    W.WriteListEnd();
    std::string Data(reinterpret_cast<const char*>(S.GetMemory()), static_cast<size_t>(S.GetSize()));
    EXPECT_EQ("Error reading Root.Nope: Property Nope does not exist", MessageOf([&] { Read(Data); }));

    auto WithKind = [](const std::string& Ident) {
        TStringStream Out;
        TWriter W(&Out);
        W.WriteSignature();
        W.WriteStr("TStreamComp");
        W.WriteStr("Root");
        W.WritePropName("Kind");
        W.WriteIdent(Ident);
        W.WriteListEnd();
        W.WriteListEnd();
        return Out.GetDataString();
    };
    EXPECT_EQ("Error reading Root.Kind: Invalid property value", MessageOf([&] { Read(WithKind("skLots")); }));
    TOwned<TStreamComp> Ok(Read(WithKind("skSome")));
    EXPECT_EQ(skSome, Ok->FKind);
}

TEST_F(Streaming, MissingHandlerAndUnresolvedReferenceFail) {
    TStreamComp Root(nullptr);
    Root.SetName("Form1");
    auto* A = new TStreamComp(&Root);
    A->SetName("A");
    A->FOnClick = TNotifyEvent(&Root, &TStreamComp::HandleClick);
    std::string Data = Write(&Root);
    std::string Renamed = Data;
    Renamed.replace(Renamed.find("HandleClick"), 11, "HandleClack");
    EXPECT_EQ("Error reading A.OnClick: Method 'HandleClack' not found", MessageOf([&] { Read(Renamed); }));

    A->FOnClick = TNotifyEvent();
    auto* B = new TStreamComp(&Root);
    B->SetName("B");
    A->SetRef(B);
    std::string WithRef = Write(&Root);
    WithRef.replace(WithRef.find("\x07\x01" "B"), 3, std::string("\x07\x01" "Q"));
    EXPECT_EQ("Error reading A.Ref: Component Q not found", MessageOf([&] { Read(WithRef); }));
}

TEST_F(Streaming, WrongSignatureAndEveryTruncationAreReadErrors) {
    EXPECT_EQ("Invalid stream format", MessageOf([] { Read("TPF1"); }));
    EXPECT_EQ("Invalid stream format", MessageOf([] { Read(""); }));
    TStreamComp Root(nullptr);
    Root.SetName("Root");
    Root.FText = std::string(300, 'a');
    (new TStreamComp(&Root))->SetName("Child");
    static_cast<TStreamItem*>(Root.FItems->Add())->FExtra = "x";
    std::string Data = Write(&Root);
    for (size_t N = 0; N < Data.size(); ++N) {
        TStreamComp Target(nullptr);
        TStringStream S(Data.substr(0, N));
        EXPECT_THROW(ReadComponentFromStream(&S, &Target), EReadError) << "prefix " << N;
        EXPECT_EQ(1, Target.GetComponentCount()) << "prefix " << N;
    }
}

TEST_F(Streaming, HostileLengthsAndNestingAreRejected) {
    std::string Data = "TPF0";
    Data += "\x0BTStreamComp\x04Root\x04Text";
    Data += static_cast<char>(vaLString);
    Data += std::string("\xFF\xFF\xFF\x7F", 4);  // claims 2 GB
    EXPECT_EQ("Error reading Root.Text: Stream read error", MessageOf([&] { Read(Data); }));

    TMemoryStream Deep;
    TWriter W(&Deep);
    W.WriteSignature();
    for (int I = 0; I < 300; ++I) {
        W.WriteStr("TStreamComp");
        W.WriteStr("C" + std::to_string(I));
        W.WriteListEnd();
    }
    for (int I = 0; I < 600; ++I) W.WriteListEnd();
    std::string Nested(reinterpret_cast<const char*>(Deep.GetMemory()), static_cast<size_t>(Deep.GetSize()));
    EXPECT_EQ("Nesting too deep", MessageOf([&] { Read(Nested); }));
}

TEST_F(Streaming, ValueLevelApiWritesTheSmallestIntegers) {
    struct TCase {
        int64_t Value;
        TValueType Marker;
    };
    for (TCase C : {TCase{-128, vaInt8}, TCase{127, vaInt8}, TCase{-129, vaInt16}, TCase{128, vaInt16},
                    TCase{32767, vaInt16}, TCase{-32768, vaInt16}, TCase{32768, vaInt32}, TCase{-32769, vaInt32},
                    TCase{INT32_MAX, vaInt32}, TCase{INT32_MIN, vaInt32}, TCase{int64_t(INT32_MAX) + 1, vaInt64},
                    TCase{INT64_MIN, vaInt64}, TCase{INT64_MAX, vaInt64}}) {
        TStringStream S;
        TWriter W(&S);
        W.WriteInteger(C.Value);
        S.SetPosition(0);
        TReader R(&S);
        EXPECT_EQ(C.Marker, R.NextValue()) << C.Value;
        EXPECT_EQ(C.Value, R.ReadInt64());
    }
    TStringStream S;
    TWriter W(&S);
    W.WriteString(std::string(255, 'a'));
    W.WriteString(std::string(256, 'a'));
    W.WriteString("\xC3\xA9");
    W.WriteFloat(1.5);
    W.WriteBoolean(true);
    W.WriteIdent("nil");
    W.WriteVariant(TVariant("v"));
    S.SetPosition(0);
    TReader R(&S);
    EXPECT_EQ(vaString, R.NextValue());
    EXPECT_EQ(255u, R.ReadString().size());
    EXPECT_EQ(vaLString, R.NextValue());
    EXPECT_EQ(256u, R.ReadString().size());
    EXPECT_EQ(vaUTF8String, R.NextValue());
    EXPECT_EQ("\xC3\xA9", R.ReadString());
    EXPECT_EQ(1.5, R.ReadFloat());
    EXPECT_TRUE(R.ReadBoolean());
    EXPECT_EQ("nil", R.ReadIdent());
    EXPECT_EQ(TVariant("v"), R.ReadVariant());
    EXPECT_EQ("Stream read error", MessageOf([&] { R.ReadValue(); }));
}

TEST_F(Streaming, EmbeddedFormDescriptionsLoadIntoTheirClass) {
    TStreamComp Root(nullptr);
    ASSERT_TRUE(InitInheritedComponent(&Root, TComponent::StaticClass()));
    EXPECT_EQ("StoredRoot", Root.GetName());
    EXPECT_EQ(42, Root.FInt);
    EXPECT_EQ(clRed, Root.FColor);
    EXPECT_EQ((TStreamKinds{skSome, skMany}), Root.FKinds);
    EXPECT_EQ("from a 'form'", Root.FText);
    EXPECT_EQ("alpha\r\nbeta\r\n", Root.FLines->GetText());
    ASSERT_EQ(1, Root.FItems->GetCount());
    EXPECT_EQ(3, static_cast<TStreamItem*>(Root.FItems->GetItem(0))->FValue);
    auto* Child = static_cast<TStreamComp*>(Root.FindComponent("Child"));
    ASSERT_NE(nullptr, Child);
    EXPECT_EQ(&Root, Child->FRef);
    Child->FOnClick(Child);
    EXPECT_EQ(std::vector<std::string>{"Child"}, Root.Calls);
    EXPECT_FALSE(ReadComponentRes("TNOSUCHFORM", &Root));
}

TEST_F(Streaming, ReferencesToAnotherRootUseItsName) {
    TStreamComp Other(nullptr);
    Other.SetName("Form2");
    auto* Target = new TStreamComp(&Other);
    Target->SetName("Button1");
    RegisterFindGlobalComponent([&](const std::string& Name) -> TComponent* {
        return SameText(Name, "Form2") ? &Other : nullptr;
    });
    TStreamComp Root(nullptr);
    Root.SetName("Form1");
    Root.SetRef(Target);
    std::string Data = Write(&Root);
    EXPECT_NE(std::string::npos, Data.find("Form2.Button1"));
    TOwned<TStreamComp> Copy(Read(Data));
    EXPECT_EQ(Target, Copy->FRef);
    UnregisterFindGlobalComponents();
    EXPECT_EQ("Error reading Form1.Ref: Component Form2.Button1 not found", MessageOf([&] { Read(Data); }));
}

TEST_F(Streaming, WrittenStreamsSurviveTheTextFormByteForByte) {
    TStreamComp Root(nullptr);
    Root.SetName("Form1");
    Root.FInt = 70000;
    Root.FRatio = -2.5e-3;
    Root.FWhen = 45000.5;
    Root.FText = std::string(300, 'x') + "\xC3\xA9";
    Root.FWide = u"ascii only";
    Root.FFont->SetStyle({fsItalic, fsUnderline});
    Root.FLines->SetText("a\r\nb\r\n");
    static_cast<TStreamItem*>(Root.FItems->Add())->FExtra = "e";
    Root.FBlob = std::string(100, '\x7F');
    Root.FCustom = {-1};
    auto* Child = new TStreamComp(&Root);
    Child->SetName("Child");
    Child->FWide = u"\x20AC uro";
    Child->FOnClick = TNotifyEvent(&Root, &TStreamComp::HandleClick);
    Child->SetRef(&Root);
    std::string Binary = Write(&Root);
    std::string Text = ObjectBinaryToText(Binary);
    EXPECT_NE(std::string::npos, Text.find("object Form1: TStreamComp"));
    EXPECT_NE(std::string::npos, Text.find("OnClick = HandleClick"));
    EXPECT_EQ(Binary, ObjectTextToBinary(Text));
    TOwned<TStreamComp> Copy(Read(ObjectTextToBinary(Text)));
    EXPECT_EQ(u"\x20AC uro", static_cast<TStreamComp*>(Copy->FindComponent("Child"))->FWide);
}

TEST_F(Streaming, MixedItemClassesTravelThroughTheValueLevelApi) {
    // A collection whose items are of several classes, each item tagged with its class.
    TOwnedCollection Source(nullptr, TStreamItem::StaticClass());
    static_cast<TStreamItem*>(Source.Add())->FName = "plain";
    auto* Plus = Create<TStreamItemPlus>(&Source);
    Plus->FName = "plus";
    Plus->FPlus = 9;
    TStringStream S;
    {
        TWriter W(&S);
        W.WriteValue(vaCollection);
        for (int I = 0; I < Source.GetCount(); ++I) {
            W.WriteListBegin();
            W.WritePropName("HiddenItemClass");
            W.WriteString(Source.GetItem(I)->ClassName());
            W.WriteProperties(Source.GetItem(I));
            W.WriteListEnd();
        }
        W.WriteListEnd();
    }
    RegisterClasses({TStreamItem::StaticClass(), TStreamItemPlus::StaticClass()});
    TOwnedCollection Target(nullptr, TStreamItem::StaticClass());
    S.SetPosition(0);
    TReader R(&S);
    R.ReadValue();
    while (!R.EndOfList()) {
        R.ReadListBegin();
        EXPECT_EQ("HiddenItemClass", R.ReadStr());
        const TClassInfo* Class = FindClass(R.ReadString());
        TCollectionItem* Item = Class->CreateItem(&Target);
        while (!R.EndOfList()) R.ReadProperty(Item);
        R.ReadListEnd();
    }
    R.ReadListEnd();
    ASSERT_EQ(2, Target.GetCount());
    EXPECT_EQ("TStreamItem", Target.GetItem(0)->ClassName());
    auto* Read = DynamicCast<TStreamItemPlus>(Target.GetItem(1));
    ASSERT_NE(nullptr, Read);
    EXPECT_EQ("plus", Read->FName);
    EXPECT_EQ(9, Read->FPlus);
}

}  // namespace
}  // namespace zk::test
