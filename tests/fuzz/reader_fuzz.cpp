// libFuzzer target: arbitrary bytes read as a component stream must either
// load or raise an exception, never crash, hang or leak.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Collection.h"
#include "platform/core/Colors.h"
#include "platform/core/Component.h"
#include "platform/core/CoreRegistration.h"
#include "platform/core/Filer.h"
#include "platform/core/Font.h"
#include "platform/core/FormText.h"
#include "platform/core/Stream.h"
#include "platform/core/StringList.h"

namespace zk {

ZK_ENUM(TFuzzKind, uint8_t, fkA, fkB, fkC)
ZK_SET(TFuzzKinds, TFuzzKind)

class TFuzzItem : public TCollectionItem {
    ZK_CLASS(TFuzzItem, TCollectionItem)
public:
    explicit TFuzzItem(TCollection* C) : TCollectionItem(C) {}
    std::string FName;
};

class TFuzzComp : public TComponent {
    ZK_CLASS(TFuzzComp, TComponent)
public:
    explicit TFuzzComp(TComponent* AOwner)
        : TComponent(AOwner),
          FFont(new TFont),
          FLines(new TStringList),
          FItems(new TOwnedCollection(this, TFuzzItem::StaticClass())) {}
    int FInt = 0;
    int FColor = 0;
    std::string FText;
    TFuzzKinds FKinds;
    TFuzzKind FKind = fkA;
    double FRatio = 0;
    TOwned<TFont> FFont;
    TOwned<TStringList> FLines;
    TOwned<TOwnedCollection> FItems;
    TComponent* FRef = nullptr;  // not owned; cleared by free notification
    TNotifyEvent FOnEvent;
    void SetRef(TComponent* V) {
        if (FRef) FRef->RemoveFreeNotification(this);
        FRef = V;
        if (V) V->FreeNotification(this);
    }
    void Handler(TObject*) {}

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (Operation == opRemove && AComponent == FRef) FRef = nullptr;
        TComponent::Notification(AComponent, Operation);
    }
};

ZK_IMPLEMENT_CLASS(TFuzzItem)
void TFuzzItem::DescribeClass(TClassBuilder<TFuzzItem>& C) {
    C.Prop("Name", [](TFuzzItem& O) { return O.FName; }, [](TFuzzItem& O, std::string V) { O.FName = V; });
}

ZK_IMPLEMENT_CLASS(TFuzzComp)
void TFuzzComp::DescribeClass(TClassBuilder<TFuzzComp>& C) {
    using T = TFuzzComp;
    C.Prop("Int", [](T& O) { return O.FInt; }, [](T& O, int V) { O.FInt = V; });
    C.Prop("Color", [](T& O) { return O.FColor; }, [](T& O, int V) { O.FColor = V; }).Type(TypeInfoTColor());
    C.Prop("Text", [](T& O) { return O.FText; }, [](T& O, std::string V) { O.FText = V; });
    C.Prop("Kinds", [](T& O) { return O.FKinds; }, [](T& O, TFuzzKinds V) { O.FKinds = V; });
    C.Prop("Kind", [](T& O) { return O.FKind; }, [](T& O, TFuzzKind V) { O.FKind = V; });
    C.Prop("Ratio", [](T& O) { return O.FRatio; }, [](T& O, double V) { O.FRatio = V; });
    C.Prop("Font", [](T& O) { return O.FFont.get(); }, [](T& O, TFont* V) { O.FFont->Assign(V); });
    C.Prop("Lines", [](T& O) { return static_cast<TStrings*>(O.FLines.get()); },
           [](T& O, TStrings* V) { O.FLines->Assign(V); });
    C.Prop("Items", [](T& O) { return static_cast<TCollection*>(O.FItems.get()); });
    C.Prop("Ref", [](T& O) { return O.FRef; }, &T::SetRef);
    C.Prop("OnEvent", [](T& O) { return O.FOnEvent; }, [](T& O, TNotifyEvent V) { O.FOnEvent = V; });
    C.Method("Handler", &T::Handler);
}

}  // namespace zk

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static bool Registered = [] {
        zk::RegisterCoreClasses();
        zk::RegisterClass(zk::TFuzzComp::StaticClass());
        return true;
    }();
    (void)Registered;
    std::string Bytes(reinterpret_cast<const char*>(Data), Size);
    // The same bytes as a binary stream, and (when they parse) as a text form.
    for (int Pass = 0; Pass < 2; ++Pass) {
        std::string Stream = Bytes;
        if (Pass == 1) {
            try {
                Stream = zk::ObjectTextToBinary(Bytes);
            } catch (const zk::Exception&) {
                break;
            }
        }
        try {
            zk::TStringStream S(Stream);
            zk::TOwned<zk::TComponent> Root(zk::ReadComponentFromStream(&S, nullptr));
        } catch (const zk::Exception&) {
        }
        try {
            zk::TFuzzComp Existing(nullptr);
            zk::TStringStream S(Stream);
            zk::ReadComponentFromStream(&S, &Existing);
        } catch (const zk::Exception&) {
        }
    }
    return 0;
}
