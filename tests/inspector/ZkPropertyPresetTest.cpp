// Presets: which rows each criterion picks out, the flags their setters switch, what applying
// does, copying, the class registry, and the presets stored with the inspector.
#include <algorithm>

#include "InspectorTestUtil.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/core/FormText.h"
#include "platform/core/Stream.h"

namespace zk::test {

// A preset class whose constructor fills a list, and one derived from it.
class TFontTypePreset : public TZkPropertyPreset {
    ZK_CLASS(TFontTypePreset, TZkPropertyPreset)
public:
    explicit TFontTypePreset(TCollection* Collection) : TZkPropertyPreset(Collection) {
        SetName("Font rows");
        SetTypeKinds(TTypeKinds{tkClass});
        GetTypeNames()->Add("TFont");
        SetHint("a font");
    }
};
ZK_IMPLEMENT_CLASS(TFontTypePreset)
void TFontTypePreset::DescribeClass(TClassBuilder<TFontTypePreset>&) {}

class TBoldFontPreset : public TFontTypePreset {
    ZK_CLASS(TBoldFontPreset, TFontTypePreset)
public:
    explicit TBoldFontPreset(TCollection* Collection) : TFontTypePreset(Collection) {}
};
ZK_IMPLEMENT_CLASS(TBoldFontPreset)
void TBoldFontPreset::DescribeClass(TClassBuilder<TBoldFontPreset>&) {}

namespace {

class PresetTest : public InspectorTest {
protected:
    void SetUp() override {
        InspectorTest::SetUp();
        Inspector->GetPresets()->Clear();
        Sink = Create<TKitchenSink>(Form.get());
        Sink->SetName("Sink");
        Inspect({Sink});
    }
    void TearDown() override {
        UnregisterPropertyPresets({TBoldFontPreset::StaticClass(), TFontTypePreset::StaticClass()});
        InspectorTest::TearDown();
    }
    TZkPropertyPreset* Add() {
        return static_cast<TZkPropertyPreset*>(Inspector->GetPresets()->Add());
    }
    // "Count,Font,...": the rows a preset matches, in order.
    std::string Matches(TZkPropertyPreset* Preset) {
        std::string Result;
        const TZkItemList& All = Inspector->GetAllItems();
        for (int I = 0; I < All.GetCount(); ++I) {
            auto* R = static_cast<TZkItemProperty*>(All[I]);
            if (Preset->IsMatch(R)) Result += (Result.empty() ? "" : ",") + R->GetFullName();
        }
        return Result;
    }
    std::string Text() {
        TMemoryStream Stream;
        WriteComponentToStream(&Stream, Inspector);
        Stream.SetPosition(0);
        TMemoryStream Out;
        ObjectBinaryToText(&Stream, &Out);
        return std::string(reinterpret_cast<const char*>(Out.GetMemory()), static_cast<size_t>(Out.GetSize()));
    }
    TOwned<TZkObjectInspector> ReadBack() {
        TMemoryStream Stream;
        WriteComponentToStream(&Stream, Inspector);
        Stream.SetPosition(0);
        TOwned<TZkObjectInspector> Copy(Create<TZkObjectInspector>(nullptr));
        ReadComponentFromStream(&Stream, Copy.get());
        return Copy;
    }
    TKitchenSink* Sink = nullptr;  // owned by Form
};

}  // namespace

TEST_F(PresetTest, EachCriterionPicksOutItsRows) {
    TZkPropertyPreset* P = Add();
    P->SetInclusive(false);
    EXPECT_EQ(Matches(P), "") << "no criteria, no match, whatever Inclusive says";
    P->SetInclusive(true);
    P->GetPropNames()->Add("text");
    P->GetPropNames()->Add("Coun");
    EXPECT_EQ(Matches(P), "Text") << "whole names, any case";
    P->GetPropNames()->SetTextStr("Font.Color\nColor");
    P->SetMatchTypes(TZkPresetMatchTypes{mtFullPropertyName});
    EXPECT_EQ(Matches(P), "Font.Color") << "the full name only";
    P->GetPropNames()->Clear();
    EXPECT_TRUE(P->GetMatchTypes().Contains(mtFullPropertyName)) << "no list switches it";

    P->SetMatchTypes(TZkPresetMatchTypes{mtPropertyType});
    P->SetTypeKinds(TTypeKinds{tkUnknown});
    const std::string Every = Matches(P);
    EXPECT_EQ(std::count(Every.begin(), Every.end(), ',') + 1, Inspector->GetAllItems().GetCount())
        << "tkUnknown alone matches every row";
    P->SetTypeKinds(TTypeKinds{tkUnknown, tkInt64});
    EXPECT_EQ(Matches(P), "Big");
    P->SetTypeKinds(TTypeKinds{tkClass});
    P->GetTypeNames()->Add("TPersistent");
    EXPECT_EQ(Matches(P), "Buddy,Entries,Font,Lines")
        << "through the class registry and the row's class";
    P->SetTypeKinds(TTypeKinds{tkInteger});
    EXPECT_EQ(Matches(P), "");
    P->GetTypeNames()->Clear();

    P->SetTypeKinds(TTypeKinds());
    P->GetParentTypeNames()->Add("TFont");
    P->SetParentTypeKinds(TTypeKinds{tkClass});
    EXPECT_EQ(Matches(P), "Font.Charset,Font.Color,Font.Height,Font.Name,Font.Pitch,Font.Size,"
                          "Font.Style,Font.Style.fsBold,Font.Style.fsItalic,Font.Style.fsUnderline,"
                          "Font.Style.fsStrikeOut")
        << "the nearest object row is the parent, also of a set's elements";
    P->GetParentTypeNames()->Clear();

    P->GetParentClassNames()->Add("TComponent");
    EXPECT_EQ(Matches(P).empty(), false) << "the inspected object's class or an ancestor";
    P->GetParentClassNames()->SetTextStr("TForm");
    EXPECT_EQ(Matches(P), "");
}

TEST_F(PresetTest, InclusiveFalseOffersOnlyRowsThatMetEveryCriterion) {
    TZkPropertyPreset* P = Add();
    P->GetPropNames()->Add("Count");
    P->SetInclusive(false);
    std::vector<std::string> Offered;
    P->SetOnMatchPreset(TZkItemPropertyQueryEvent([&](TObject* Sender, TZkItemProperty* Item, bool& Result) {
        EXPECT_EQ(Sender, P);
        EXPECT_FALSE(Result);
        Offered.push_back(Item->GetName());
        Result = true;
    }));
    bool InspectorAsked = false;
    Inspector->SetOnMatchPreset(TZkCustomPresetItemQueryEvent(
        [&](TObject*, TZkPropertyPreset*, TZkItemProperty*, bool&) { InspectorAsked = true; }));
    EXPECT_TRUE(P->IsMatch(Row("Text")));
    EXPECT_TRUE(Offered.empty()) << "a row that failed a criterion is never offered";
    EXPECT_TRUE(P->IsMatch(Row("Count")));
    EXPECT_EQ(Offered, std::vector<std::string>{"Count"});
    EXPECT_FALSE(InspectorAsked) << "the preset's own handler goes first";
    P->SetOnMatchPreset(TZkItemPropertyQueryEvent());
    EXPECT_FALSE(P->IsMatch(Row("Count")));
    EXPECT_TRUE(InspectorAsked);
}

TEST_F(PresetTest, SettersSwitchTheirFlags) {
    TZkPropertyPreset* P = Add();
    P->GetPropNames()->Add("Count");
    EXPECT_TRUE(P->GetMatchTypes().Contains(mtPropertyName));
    P->GetPropNames()->Clear();
    EXPECT_FALSE(P->GetMatchTypes().Contains(mtPropertyName));
    P->SetAlias("Number");
    P->SetHint("h");
    P->SetEditMask("999");
    EXPECT_EQ(P->GetActions(), (TZkPropertyPresetTypes{pftAlias, pftHint, pftEditMask}));
    P->SetAlias("");
    EXPECT_FALSE(P->GetActions().Contains(pftAlias));
    P->SetActions(TZkPropertyPresetTypes{pftReadOnly, pftWritable});
    EXPECT_EQ(P->GetActions(), (TZkPropertyPresetTypes{pftHint, pftEditMask})) << "ignored";
    P->SetEditStyle(esEllipsis);
    P->SetEditStyle(esSimple);
    EXPECT_TRUE(P->GetActions().Contains(pftEditStyle)) << "never taken away";
    P->GetPickList()->Add("one");
    EXPECT_EQ(P->GetEditStyle(), esPickList);
    P->GetPickList()->Clear();
    EXPECT_EQ(P->GetEditStyle(), esSimple);
    P->SetOnSetProperty(TZkItemSetPropertyEvent(
        [](TObject*, TObject*, const std::string&, const std::string&) {}));
    EXPECT_TRUE(P->GetActions().Contains(pftValidate));
    P->SetOnSetProperty(TZkItemSetPropertyEvent());
    EXPECT_FALSE(P->GetActions().Contains(pftValidate));
    P->GetValueFont()->SetColor(clRed);
    EXPECT_TRUE(P->GetActions().Contains(pftValueFont));
}

TEST_F(PresetTest, ApplyingChangesRowsAndLaterPresetsWin) {
    TZkPropertyPreset* First = Add();
    First->GetPropNames()->Add("Count");
    First->SetEditStyle(esEllipsis);
    TZkPropertyPreset* Second = Add();
    Second->GetPropNames()->Add("Count");
    Second->SetEditStyle(esPickList);
    Second->GetPickList()->SetTextStr("1\n2");
    TZkPropertyPreset* Renamer = Add();
    Renamer->GetPropNames()->Add("Count");
    Renamer->SetAlias("Number");
    Renamer->SetHint("how many");
    TZkPropertyPreset* Idle = Add();
    Idle->GetPropNames()->Add("Number");
    Idle->SetHint("never");
    Idle->SetActive(false);
    Inspector->PostRescan();
    Settle();
    TZkItemProperty* Number = Row("Number");
    EXPECT_EQ(Number->GetHint(), "how many") << "verbatim; an inactive preset is skipped";
    EXPECT_EQ(Number->GetEditStyle(), esPickList) << "the later preset wins";
    EXPECT_EQ(Number->GetPickList()->GetTextStr(), "1\r\n2\r\n");
    EXPECT_FALSE(Second->IsMatch(Number)) << "matched by its old name no more";

    // An ellipsis without a handler clears the row's handler.
    Number->SetOnEditButtonClick(TNotifyEvent([](TObject*) {}));
    First->Apply(Number);
    EXPECT_FALSE(Number->GetOnEditButtonClick().Assigned());

    // A copy takes everything but the two query handlers, and no empty pick list.
    Renamer->SetOnCustomPreset(TZkItemPropertyEvent([](TObject*, TZkItemProperty*) {}));
    Renamer->SetOnMatchPreset(TZkItemPropertyQueryEvent([](TObject*, TZkItemProperty*, bool&) {}));
    Renamer->GetPickList();
    TZkPropertyPreset* Copy = Add();
    Copy->GetPickList()->Add("stale");
    Copy->Assign(Renamer);
    EXPECT_EQ(Copy->GetAlias(), "Number");
    EXPECT_EQ(Copy->GetPropNames()->GetTextStr(), "Count\r\n");
    EXPECT_FALSE(Copy->GetOnCustomPreset().Assigned());
    EXPECT_FALSE(Copy->GetOnMatchPreset().Assigned());
    EXPECT_FALSE(Copy->HasPickList());
    Copy->SetAlias("Amount");
    Number->Assign(Copy);
    EXPECT_EQ(Number->GetName(), "Amount") << "assigning a preset to a row applies it";
}

TEST_F(PresetTest, ClassesRegisterWithTheirAncestorsAndEveryNewInspectorGetsOneEach) {
    const size_t Before = PropertyPresetClasses().size();
    RegisterPropertyPreset(TBoldFontPreset::StaticClass());
    RegisterPropertyPreset(TFontTypePreset::StaticClass());
    std::vector<const TClassInfo*> Classes = PropertyPresetClasses();
    ASSERT_EQ(Classes.size(), Before + 2);
    EXPECT_EQ(Classes[Before], TBoldFontPreset::StaticClass());
    EXPECT_EQ(Classes[Before + 1], TFontTypePreset::StaticClass()) << "each after its descendant";
    EXPECT_THROW(RegisterPropertyPreset(TKitchenSink::StaticClass()), EInvalidCast);
    TOwned<TZkObjectInspector> Fresh(Create<TZkObjectInspector>(nullptr));
    TZkPropertyPresets* Presets = Fresh->GetPresets();
    EXPECT_EQ(Presets->GetCount(), static_cast<int>(Before + 2));
    Presets->Delete(Presets->IndexOfClass(TFontTypePreset::StaticClass()));
    Fresh->AddRegisteredPresets();
    Fresh->AddRegisteredPresets();
    EXPECT_EQ(Presets->GetCount(), static_cast<int>(Before + 2)) << "only the missing one again";
    EXPECT_EQ(Presets->GetItem(Presets->GetCount() - 1)->ClassType(), TFontTypePreset::StaticClass());
    UnregisterPropertyPreset(TBoldFontPreset::StaticClass());
    EXPECT_EQ(PropertyPresetClasses().size(), Before) << "the ancestor went with it";
}

TEST_F(PresetTest, StoredPresetsReplaceTheDefaultsWithTheirClassesAndMarkers) {
    Inspector->GetObjects()->Clear();
    RegisterPropertyPresets({TBoldFontPreset::StaticClass()});
    TZkPropertyPreset* Plain = Add();
    Plain->GetPropNames()->Add("Count");
    Plain->SetAlias("Number");
    auto* Bold = static_cast<TZkPropertyPreset*>(
        Inspector->GetPresets()->AddPreset(TBoldFontPreset::StaticClass()));
    Bold->GetTypeNames()->Clear();
    const std::string Stored = Text();
    EXPECT_NE(Stored.find("HPresets = <"), std::string::npos) << Stored;
    EXPECT_NE(Stored.find("HiddenItemClass = 'TZkPropertyPreset'"), std::string::npos);
    EXPECT_NE(Stored.find("HiddenItemClass = 'TBoldFontPreset'"), std::string::npos);
    EXPECT_NE(Stored.find("TypeNamesEmpty = True"), std::string::npos);
    EXPECT_NE(Stored.find("PropNames.Strings = (\n        'Count')"), std::string::npos) << Stored;

    TOwned<TZkObjectInspector> Copy = ReadBack();
    TZkPropertyPresets* Read = Copy->GetPresets();
    ASSERT_EQ(Read->GetCount(), 2) << "exactly the stored presets";
    EXPECT_EQ(Read->GetItem(0)->ClassType(), TZkPropertyPreset::StaticClass());
    EXPECT_EQ(Read->GetItem(0)->GetAlias(), "Number");
    EXPECT_EQ(Read->GetItem(1)->ClassType(), TBoldFontPreset::StaticClass());
    EXPECT_EQ(Read->GetItem(1)->GetTypeNames()->GetCount(), 0) << "emptied, though its class fills it";
    EXPECT_FALSE(Read->GetItem(1)->GetMatchTypes().Contains(mtPropertyType));
    EXPECT_EQ(Read->GetItem(1)->GetHint(), "a font");

    // Without presets nothing is stored, and a new inspector keeps its defaults.
    Inspector->GetPresets()->Clear();
    EXPECT_EQ(Text().find("HPresets"), std::string::npos);
    EXPECT_EQ(ReadBack()->GetPresets()->GetCount(), static_cast<int>(PropertyPresetClasses().size()));
}

TEST_F(PresetTest, ABadStoredListFailsClearlyAndKeepsWhatWasWhole) {
    Inspector->GetObjects()->Clear();
    Add()->SetAlias("First");
    Add()->SetAlias("Second");
    std::string Stored = Text();
    const size_t At = Stored.rfind("HiddenItemClass = 'TZkPropertyPreset'");
    ASSERT_NE(At, std::string::npos);
    Stored.replace(At, 38, "HiddenItemClass = 'TNoSuchPreset'");
    TStringStream TextIn(Stored);
    TMemoryStream Binary;
    ObjectTextToBinary(&TextIn, &Binary);
    Binary.SetPosition(0);
    TOwned<TZkObjectInspector> Copy(Create<TZkObjectInspector>(nullptr));
    try {
        ReadComponentFromStream(&Binary, Copy.get());
        FAIL() << "an unknown class is an error";
    } catch (const EClassNotFound& E) {
        EXPECT_NE(E.Message().find("HPresets"), std::string::npos) << E.Message();
        EXPECT_NE(E.Message().find("Class TNoSuchPreset not found"), std::string::npos) << E.Message();
    }
    ASSERT_EQ(Copy->GetPresets()->GetCount(), 1) << "the preset read before stays";
    EXPECT_EQ(Copy->GetPresets()->GetItem(0)->GetAlias(), "First");
    EXPECT_EQ(Copy->GetPresets()->GetUpdateCount(), 0);
}

}  // namespace zk::test
