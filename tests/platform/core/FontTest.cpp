// Tests for TFont: initial values, OnChange, Size and Height, Assign and its published properties.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/Colors.h"
#include "platform/core/Font.h"
#include "platform/core/IntegerConsts.h"
#include "platform/core/Persistent.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TypInfo.h"

namespace zk {
namespace {

// Counts OnChange calls and remembers who sent them.
struct TChangeRecorder {
    int Count = 0;
    std::vector<TObject*> Senders;
    void Attach(TFont& Font) {
        Font.SetOnChange(TNotifyEvent([this](TObject* Sender) {
            ++Count;
            Senders.push_back(Sender);
        }));
    }
};

// Exposes the update bracket and counts Changed() calls, as a descendant would hook in.
class THookedFont : public TFont {
public:
    int ChangedCalls = 0;
    using TFont::BeginUpdate;
    using TFont::EndUpdate;

protected:
    void Changed() override {
        ++ChangedCalls;
        TFont::Changed();
    }
};

TEST(FontTest, InitialValues) {
    TFont F;
    EXPECT_EQ(F.GetCharset(), DEFAULT_CHARSET);
    EXPECT_EQ(F.GetCharset(), 1);
    EXPECT_EQ(F.GetColor(), clWindowText);
    EXPECT_EQ(F.GetHeight(), -11);
    EXPECT_EQ(F.GetName(), "MS Sans Serif");
    EXPECT_EQ(F.GetPitch(), fpDefault);
    EXPECT_EQ(F.GetSize(), 8);
    EXPECT_TRUE(F.GetStyle().Empty());
    EXPECT_EQ(F.GetPixelsPerInch(), 96);
    EXPECT_FALSE(F.GetOnChange().Assigned());
    EXPECT_EQ(F.ClassName(), "TFont");
}

TEST(FontTest, CreatableByClass) {
    const TClassInfo* C = TFont::StaticClass();
    ASSERT_FALSE(C->IsAbstract());  // also describes the class, which sets its constructors
    ASSERT_NE(C->CreateDefault, nullptr);
    TOwned<TObject> Obj(C->CreateDefault());
    EXPECT_TRUE(Is<TFont>(Obj.get()));
    EXPECT_TRUE(Is<TPersistent>(Obj.get()));
}

TEST(FontTest, OnChangeFiresOncePerRealChange) {
    TFont F;
    TChangeRecorder R;
    R.Attach(F);
    F.SetCharset(ANSI_CHARSET);
    F.SetColor(clRed);
    F.SetHeight(-20);
    F.SetName("Arial");
    F.SetPitch(fpFixed);
    F.SetStyle({fsBold});
    F.SetSize(12);
    EXPECT_EQ(R.Count, 7);
    for (TObject* S : R.Senders) EXPECT_EQ(S, &F);
}

TEST(FontTest, SettingTheSameValueFiresNothing) {
    TFont F;
    TChangeRecorder R;
    R.Attach(F);
    F.SetCharset(DEFAULT_CHARSET);
    F.SetColor(clWindowText);
    F.SetHeight(-11);
    F.SetName("MS Sans Serif");
    F.SetName("");  // ignored: a font keeps its family
    F.SetPitch(fpDefault);
    F.SetStyle({});
    F.SetSize(8);  // gives -11 again
    EXPECT_EQ(R.Count, 0);
    EXPECT_EQ(F.GetName(), "MS Sans Serif");
    F.SetStyle({fsItalic});
    F.SetStyle({fsItalic});
    EXPECT_EQ(R.Count, 1);
}

struct TSizeCase {
    int Size;
    int Height;
};

class FontSizeTest : public testing::TestWithParam<TSizeCase> {};

TEST_P(FontSizeTest, SizeAndHeightConvertAtNinetySixPixelsPerInch) {
    TFont F;
    F.SetSize(GetParam().Size);
    EXPECT_EQ(F.GetHeight(), GetParam().Height);
    F.SetHeight(-1);
    F.SetHeight(GetParam().Height);
    EXPECT_EQ(F.GetSize(), GetParam().Size);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FontSizeTest,
                         testing::Values(TSizeCase{8, -11}, TSizeCase{9, -12}, TSizeCase{10, -13},
                                         TSizeCase{11, -15}, TSizeCase{12, -16}, TSizeCase{14, -19},
                                         TSizeCase{18, -24}, TSizeCase{36, -48},
                                         TSizeCase{72, -96}));

TEST(FontTest, SizeRoundsHalfAwayFromZero) {
    TFont F;
    F.SetHeight(-14);  // 10.5 points
    EXPECT_EQ(F.GetSize(), 11);
    F.SetHeight(14);  // a cell height reads as a negative size
    EXPECT_EQ(F.GetSize(), -11);
    F.SetSize(-10);
    EXPECT_EQ(F.GetHeight(), 13);
    F.SetSize(0);
    EXPECT_EQ(F.GetHeight(), 0);
}

TEST(FontTest, AssignCopiesEverythingAndFiresOnce) {
    TFont Source;
    Source.SetCharset(RUSSIAN_CHARSET);
    Source.SetColor(clBlue);
    Source.SetHeight(-16);
    Source.SetName("Courier New");
    Source.SetPitch(fpFixed);
    Source.SetStyle({fsBold, fsUnderline});
    TFont Dest;
    TChangeRecorder R;
    R.Attach(Dest);
    EXPECT_FALSE(Dest.SameAs(Source));
    Dest.Assign(&Source);
    EXPECT_EQ(R.Count, 1);
    EXPECT_TRUE(Dest.SameAs(Source));
    EXPECT_EQ(Dest.GetCharset(), RUSSIAN_CHARSET);
    EXPECT_EQ(Dest.GetColor(), clBlue);
    EXPECT_EQ(Dest.GetHeight(), -16);
    EXPECT_EQ(Dest.GetName(), "Courier New");
    EXPECT_EQ(Dest.GetPitch(), fpFixed);
    EXPECT_EQ(Dest.GetStyle(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(Dest.GetSize(), 12);
    EXPECT_FALSE(Source.GetOnChange().Assigned());  // the handler is not copied

    Dest.Assign(&Source);  // nothing differs now
    Dest.Assign(&Dest);
    EXPECT_EQ(R.Count, 1);

    Source.SetColor(clGreen);
    Dest.Assign(&Source);  // one attribute differs
    EXPECT_EQ(R.Count, 2);
}

TEST(FontTest, ChangedIsCalledOncePerReportedChange) {
    THookedFont F;
    TChangeRecorder R;
    R.Attach(F);
    F.SetColor(clRed);
    EXPECT_EQ(F.ChangedCalls, 1);
    TFont Source;
    Source.SetStyle({fsStrikeOut});
    Source.SetName("Tahoma");
    F.Assign(&Source);
    EXPECT_EQ(F.ChangedCalls, 2);
    EXPECT_EQ(R.Count, 2);

    F.BeginUpdate();
    F.BeginUpdate();
    F.SetHeight(-30);
    F.SetPitch(fpVariable);
    F.EndUpdate();
    EXPECT_EQ(F.ChangedCalls, 2);  // still inside the outer bracket
    F.EndUpdate();
    EXPECT_EQ(F.ChangedCalls, 3);
    F.BeginUpdate();
    F.EndUpdate();  // nothing changed inside
    F.EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(F.ChangedCalls, 3);
    EXPECT_EQ(R.Count, 3);
}

TEST(FontTest, AssignFromAnotherClassRaises) {
    TFont F;
    TPersistent P;
    try {
        F.Assign(&P);
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), "Cannot assign a TPersistent to a TFont");
    }
    try {
        F.Assign(nullptr);
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), "Cannot assign a nil to a TFont");
    }
    TFont Source;
    try {
        P.Assign(&Source);  // a font does not know how to become anything else
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), "Cannot assign a TFont to a TPersistent");
    }
}

TEST(FontTest, PublishedPropertiesInDeclarationOrder) {
    std::vector<const TPropInfo*> Props = GetPropList(TFont::StaticClass(), tkProperties, false);
    std::vector<std::string> Names, Types;
    for (const TPropInfo* P : Props) {
        Names.push_back(P->Name);
        Types.push_back(P->PropType->Name);
    }
    EXPECT_EQ(Names, (std::vector<std::string>{"Charset", "Color", "Height", "Name", "Pitch",
                                               "Size", "Style"}));
    EXPECT_EQ(Types, (std::vector<std::string>{"TFontCharset", "TColor", "Integer", "TFontName",
                                               "TFontPitch", "Integer", "TFontStyles"}));
    ASSERT_EQ(Props.size(), 7u);
    EXPECT_EQ(Props[0]->PropType, TypeInfoTFontCharset());
    EXPECT_EQ(Props[0]->Kind(), tkInteger);
    EXPECT_EQ(Props[1]->PropType, TypeInfoTColor());
    EXPECT_EQ(Props[3]->Kind(), tkLString);
    EXPECT_EQ(Props[4]->Kind(), tkEnumeration);
    EXPECT_EQ(Props[6]->Kind(), tkSet);
    EXPECT_TRUE(GetPropList(TFont::StaticClass(), tkMethods, false).empty());
}

TEST(FontTest, WhatTheFormWriterStores) {
    TFont F;
    for (const char* Name : {"Charset", "Color", "Height", "Name", "Pitch", "Style"})
        EXPECT_TRUE(IsStoredProp(&F, Name)) << Name;
    EXPECT_FALSE(IsStoredProp(&F, "Size"));
    const TClassInfo* C = TFont::StaticClass();
    for (const char* Name : {"Charset", "Color", "Height", "Style"})
        EXPECT_EQ(GetPropInfo(C, Name)->Default, NoDefault) << Name;
    EXPECT_FALSE(IsDefaultPropertyValue(&F, GetPropInfo(C, "Charset")));
    EXPECT_FALSE(IsDefaultPropertyValue(&F, GetPropInfo(C, "Style")));
    EXPECT_EQ(GetPropInfo(C, "Pitch")->Default, fpDefault);
    EXPECT_TRUE(IsDefaultPropertyValue(&F, GetPropInfo(C, "Pitch")));
    F.SetPitch(fpFixed);
    EXPECT_FALSE(IsDefaultPropertyValue(&F, GetPropInfo(C, "Pitch")));
}

TEST(FontTest, GenericPropertyAccess) {
    TFont F;
    TChangeRecorder R;
    R.Attach(F);
    SetPropValue(&F, "Style", TVariant("[fsBold,fsItalic]"));
    EXPECT_EQ(F.GetStyle(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(GetPropValue(&F, "Style").AsString(), "[fsBold,fsItalic]");
    SetPropValue(&F, "Color", TVariant("255"));
    EXPECT_EQ(F.GetColor(), 255);
    EXPECT_EQ(GetOrdProp(&F, "Color"), clRed);
    SetPropValue(&F, "Pitch", TVariant("fpVariable"));
    EXPECT_EQ(F.GetPitch(), fpVariable);
    EXPECT_EQ(GetPropValue(&F, "Pitch").AsString(), "fpVariable");
    SetPropValue(&F, "Size", TVariant(10));
    EXPECT_EQ(F.GetHeight(), -13);
    EXPECT_EQ(GetPropValue(&F, "Size").AsInteger(), 10);
    SetStrProp(&F, "Name", "Verdana");
    EXPECT_EQ(GetStrProp(&F, "Name"), "Verdana");
    SetOrdProp(&F, "Charset", OEM_CHARSET);
    EXPECT_EQ(F.GetCharset(), OEM_CHARSET);
    EXPECT_EQ(R.Count, 6);
}

TEST(FontTest, CharsetIdentifiers) {
    std::string S;
    EXPECT_TRUE(CharsetToIdent(DEFAULT_CHARSET, S));
    EXPECT_EQ(S, "DEFAULT_CHARSET");
    int V = 0;
    EXPECT_TRUE(IdentToCharset("oem_charset", V));
    EXPECT_EQ(V, 255);
    EXPECT_FALSE(CharsetToIdent(3, S));
    RegisterGraphicsConsts();
    ASSERT_NE(FindIntToIdent(TypeInfoTFontCharset()), nullptr);
    EXPECT_TRUE(FindIntToIdent(TypeInfoTFontCharset())(ANSI_CHARSET, S));
    EXPECT_EQ(S, "ANSI_CHARSET");
    EXPECT_EQ(TypeInfoTFontCharset()->Name, "TFontCharset");
    EXPECT_EQ(TypeInfoTFontCharset()->MaxValue, 255);
    EXPECT_EQ(TypeInfoTFontName()->Name, "TFontName");
    EXPECT_EQ(TypeInfoTFontName()->Kind, tkLString);
}

}  // namespace
}  // namespace zk
