// TYSpecialFiler: collections of items of several classes in the form stream.
#include "inspector/YSpecialFiler.h"

#include "platform/core/ClassBuilder.h"
#include "platform/core/Collection.h"
#include "platform/core/SysUtils.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TYSpecialFiler)
void TYSpecialFiler::DescribeClass(TClassBuilder<TYSpecialFiler>&) {}

void TYSpecialFiler::WriteCollection(TCollection* Collection) {
    if (!FWriter) throw EStreamError("No TWriter defined for filer");
    FWriter->WriteValue(vaCollection);
    for (int I = 0; Collection && I < Collection->GetCount(); ++I) {
        TCollectionItem* Item = Collection->GetItem(I);
        FWriter->WriteListBegin();
        FWriter->WritePropName("HiddenItemClass");
        FWriter->WriteString(Item->ClassName());
        FWriter->WriteProperties(Item);
        FWriter->WriteListEnd();
    }
    FWriter->WriteListEnd();
}

void TYSpecialFiler::ReadCollection(TCollection* Collection) {
    if (!FReader) throw EStreamError("No TReader defined for filer");
    Collection->BeginUpdate();
    try {
        Collection->Clear();
        FReader->ReadValue();
        while (!FReader->EndOfList()) {
            FReader->ReadListBegin();
            FReader->ReadStr();  // HiddenItemClass
            const std::string ClassName = FReader->ReadString();
            const TClassInfo* Class = FindClass(ClassName);
            if (!Class->CreateItem || !Class->InheritsFrom(Collection->GetItemClass()))
                throw EReadError("Invalid property value");
            TCollectionItem* Item = Class->CreateItem(Collection);
            try {
                while (!FReader->EndOfList()) FReader->ReadProperty(Item);
                FReader->ReadListEnd();
            } catch (...) {
                Item->Free();  // a half-read item does not stay
                throw;
            }
        }
        FReader->ReadListEnd();
    } catch (...) {
        Collection->EndUpdate();
        throw;
    }
    Collection->EndUpdate();
}

}  // namespace zk
