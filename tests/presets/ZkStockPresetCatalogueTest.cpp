// The stock presets as a new inspector holds them: their order and settings, the rows each
// picks out on real controls, and their stored form.
#include <cstring>

#include "StockPresetTestUtil.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/core/FormText.h"
#include "platform/core/Stream.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/Buttons.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/DateTimePicker.h"
#include "platform/gui/Image.h"
#include "platform/gui/ListView.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TreeView.h"
#include "platform/gui/ValueListEditor.h"

namespace zk::test {

// A property named FileName of a plain string type, and a file name under another name.
class TFileHolder : public TComponent {
    ZK_CLASS(TFileHolder, TComponent)
public:
    explicit TFileHolder(TComponent* AOwner) : TComponent(AOwner) {}
    std::string FFileName;
    std::string FLogFile;
};
ZK_IMPLEMENT_CLASS(TFileHolder)
void TFileHolder::DescribeClass(TClassBuilder<TFileHolder>& C) {
    C.Prop(
        "FileName", [](TFileHolder& H) { return H.FFileName; },
        [](TFileHolder& H, std::string V) { H.FFileName = V; });
    C.Prop(
         "LogFile", [](TFileHolder& H) { return H.FLogFile; },
         [](TFileHolder& H, std::string V) { H.FLogFile = V; })
        .Type(TypeInfoTFileName());
}

namespace {

using TActs = TZkPropertyPresetTypes;
using TMatch = TZkPresetMatchTypes;

struct TCatalogueEntry {
    const TClassInfo* Class;
    const char* Name;
    TActs Actions;
    TMatch MatchTypes;
    TTypeKinds TypeKinds;
    const char* TypeNames;  // comma text
    TEditStyle EditStyle;
};

}  // namespace

TEST_F(StockPresetTest, ANewInspectorHoldsTheEighteenInCatalogueOrder) {
    const TTypeKinds Cls{tkClass};
    const TActs Ellipsis{pftEditStyle};
    const TMatch ByType{mtPropertyType};
    const TActs PickValidate{pftEditStyle, pftValidate};
    const TActs Dates{pftEditStyle, pftEditMask, pftValidate};
    // clang-format off
    const std::vector<TCatalogueEntry> Catalogue = {
        {TZkTComponentPropertyPreset::StaticClass(), "TComponent Drop Down List Property Editor",
         {pftEditStyle, pftValidate, pftFont}, ByType, Cls, "TComponent", esPickList},
        {TZkTParentComponentPropertyPreset::StaticClass(), "TComponent Subcomponent Properties Font",
         {pftFont}, {mtParentPropertyType}, {}, "", esSimple},
        {TZkTFontNamePropertyPreset::StaticClass(), "Font Drop Down List Property Editor",
         {pftEditStyle}, ByType, {tkString, tkLString, tkWString}, "TFontName", esPickList},
        {TZkTColorPropertyPreset::StaticClass(), "Color Drop Down List Property Editor",
         PickValidate, ByType, {tkInteger}, "TColor", esPickList},
        {TZkTCursorPropertyPreset::StaticClass(), "Cursor Drop Down List Property Editor",
         PickValidate, ByType, {tkInteger}, "TCursor", esPickList},
        {TZkTFontDlgPropertyPreset::StaticClass(), "Font Editor Dialog Property Editor",
         Ellipsis, ByType, Cls, "TFont", esEllipsis},
        {TZkTStringsPropertyPreset::StaticClass(), "TStrings Property Editor",
         Ellipsis, ByType, Cls, "TStrings", esEllipsis},
        {TZkTPicturePropertyPreset::StaticClass(), "TPicture Property Editor",
         Ellipsis, ByType, Cls, "TPicture,TBitmap", esEllipsis},
        {TZkTCollectionPropertyPreset::StaticClass(), "TCollection Property Editor",
         Ellipsis, ByType, Cls, "TCollection", esEllipsis},
        {TZkTDatePropertyPreset::StaticClass(), "TDate Property Editor",
         Dates, ByType, {tkFloat}, "TDate", esEllipsis},
        {TZkTTimePropertyPreset::StaticClass(), "TTime Property Editor",
         {pftEditMask, pftValidate}, ByType, {tkFloat}, "TTime", esSimple},
        {TZkTDateTimePropertyPreset::StaticClass(), "TDateTime Property Editor",
         Dates, ByType, {tkFloat}, "TDateTime", esEllipsis},
        {TZkTFilenamePropertyPreset::StaticClass(), "TFilename Dialog Property editor",
         Ellipsis, ByType, {tkLString}, "TFilename", esEllipsis},
        {TZkTModalResultPropertyPreset::StaticClass(), "TModalResult Property Editor",
         PickValidate, ByType, {tkInteger}, "TModalResult", esPickList},
        {TZkTINIStringsPropertyPreset::StaticClass(), "INI TStrings Property Editor",
         Ellipsis, {mtPropertyName, mtPropertyType, mtClassName}, Cls, "TStrings,TStrings",
         esEllipsis},
        {TZkTListItemsDlgPropertyPreset::StaticClass(), "TListItems Dialog Property Editor",
         Ellipsis, ByType, Cls, "TListItems", esEllipsis},
        {TZkTTreeNodesDlgPropertyPreset::StaticClass(), "TTreeNodes Dialog Property Editor",
         Ellipsis, ByType, Cls, "TTreeNodes", esEllipsis},
        {TZkFilenamePropPropertyPreset::StaticClass(), "Filename property Dialog Property Editor",
         Ellipsis, {mtPropertyName, mtPropertyType}, {tkLString}, "", esEllipsis},
    };
    // clang-format on
    auto Check = [&](TZkPropertyPresets* Presets) {
        ASSERT_EQ(Presets->GetCount(), static_cast<int>(Catalogue.size()));
        for (size_t I = 0; I < Catalogue.size(); ++I) {
            const TCatalogueEntry& E = Catalogue[I];
            TZkPropertyPreset* P = Presets->GetItem(static_cast<int>(I));
            SCOPED_TRACE(E.Name);
            EXPECT_EQ(P->ClassType(), E.Class);
            EXPECT_EQ(P->GetName(), E.Name);
            EXPECT_EQ(P->GetActions(), E.Actions);
            EXPECT_EQ(P->GetMatchTypes(), E.MatchTypes);
            EXPECT_EQ(P->GetTypeKinds(), E.TypeKinds);
            EXPECT_EQ(P->GetTypeNames()->GetCommaText(), E.TypeNames);
            EXPECT_EQ(P->GetEditStyle(), E.EditStyle);
        }
    };
    Check(Inspector->GetPresets());
    EXPECT_EQ(Preset<TZkTComponentPropertyPreset>()->GetFont()->GetColor(), clMaroon);
    EXPECT_EQ(Preset<TZkTParentComponentPropertyPreset>()->GetFont()->GetColor(), clGreen);
    EXPECT_EQ(Preset<TZkTParentComponentPropertyPreset>()->GetParentTypeNames()->GetTextStr(),
              "TComponent\r\n");

    // Registering again changes nothing; without them a new inspector starts empty.
    RegisterStockPresets();
    EXPECT_EQ(PropertyPresetClasses().size(), Catalogue.size());
    UnregisterStockPresets();
    EXPECT_EQ(
        TOwned<TZkObjectInspector>(Create<TZkObjectInspector>(nullptr))->GetPresets()->GetCount(),
        0);
    RegisterStockPresets();
    Check(TOwned<TZkObjectInspector>(Create<TZkObjectInspector>(nullptr))->GetPresets());
}

TEST_F(StockPresetTest, EachPresetPicksOutItsRowsOnRealControls) {
    auto* Button = Add<TButton>("Button1");
    auto* Actions = Add<TActionList>("ActionList1");
    auto* Action = Create<TAction>(Form.get());
    Action->SetName("Action1");
    Action->SetActionList(Actions);
    Button->SetAction(Action);
    // Preset number: the rows it matches; presets that match nothing are left out.
    const std::string Plain = "1:Action,PopupMenu 3:Font.Name 4:Color,Font.Color 5:Cursor 6:Font";
    const std::vector<std::pair<TObject*, std::string>> Table = {
        {Button,
         "1:Action,PopupMenu 2:Action.AutoCheck,Action.Caption,Action.Category,Action.Checked,"
         "Action.Enabled,Action.GroupIndex,Action.HelpContext,Action.HelpKeyword,"
         "Action.HelpType,Action.Hint,Action.ImageIndex,Action.Name,Action.SecondaryShortCuts,"
         "Action.ShortCut,Action.Tag,Action.Visible 3:Font.Name 4:Color,Font.Color 5:Cursor "
         "6:Font 7:Action.SecondaryShortCuts 14:ModalResult"},
        {Add<TImage>("Image1"), Plain + " 8:Picture"},
        {Add<TBitBtn>("BitBtn1"), Plain + " 8:Glyph 14:ModalResult"},
        {Add<TMemo>("Memo1"), Plain + " 7:Lines"},
        {Add<TValueListEditor>("ValueListEditor1"),
         "1:Action,PopupMenu 3:Font.Name 4:Color,FixedColor,Font.Color 5:Cursor 6:Font "
         "7:Strings,TitleCaptions 15:Strings"},
        {Add<TListView>("ListView1"),
         "1:Action,LargeImages,PopupMenu,SmallImages,StateImages 3:Font.Name "
         "4:Color,Font.Color 5:Cursor 6:Font 9:Columns 16:Items"},
        {Add<TTreeView>("TreeView1"),
         "1:Action,Images,PopupMenu,StateImages 3:Font.Name "
         "4:Color,Font.Color 5:Cursor 6:Font 17:Items"},
        {Add<TDateTimePicker>("DateTimePicker1"),
         Plain + " 10:Date,MaxDate,MinDate 11:Time 12:DateTime"},
        {Add<TOpenDialog>("OpenDialog1"), "13:FileName 18:FileName"},
        {Add<TFileHolder>("Holder1"), "13:LogFile 18:FileName"},
    };
    for (const auto& [Object, Expected] : Table) {
        SCOPED_TRACE(Object->ClassName());
        Inspect({Object});
        std::string Got;
        for (int I = 0; I < Inspector->GetPresets()->GetCount(); ++I)
            if (std::string M = Matches(Inspector->GetPresets()->GetItem(I)); !M.empty())
                Got += (Got.empty() ? "" : " ") + std::to_string(I + 1) + ":" + M;
        EXPECT_EQ(Got, Expected);
    }
    // The masks reach the rows; a time has no pop-up.
    Inspect({Table[7].first});
    EXPECT_EQ(Row("Date")->GetEditMask(), "!90/00/0000;1;_");
    EXPECT_EQ(Row("Time")->GetEditMask(), "!90:00:00 >LL;1;_");
    EXPECT_EQ(Row("Time")->GetEditStyle(), esSimple);
    EXPECT_EQ(Row("DateTime")->GetEditMask(), "!90/00/0000 90:00:00 >LL;1;_");
}

TEST_F(StockPresetTest, TheStoredPresetListReadsBackAsItsTextForm) {
    Preset<TZkTFilenamePropertyPreset>()->SetInitialDir("X:\\Temp\\");
    TMemoryStream Binary;
    WriteComponentToStream(&Binary, Inspector);
    Binary.SetPosition(0);
    TMemoryStream TextOut;
    ObjectBinaryToText(&Binary, &TextOut);
    const std::string Text(reinterpret_cast<const char*>(TextOut.GetMemory()),
                           static_cast<size_t>(TextOut.GetSize()));
    // A class writes what differs from its own defaults: the component preset
    // only its EditStyle, the file-name preset (which redeclares none) its
    // match settings and style, and every dialog setting that was changed.
    EXPECT_NE(Text.find("      Name = 'TComponent Drop Down List Property Editor'\n"
                        "      EditStyle = esPickList\n      ParentClassNamesEmpty"),
              std::string::npos)
        << Text;
    EXPECT_NE(Text.find("      MatchTypes = [mtPropertyType]\n      TypeKinds = [tkLString]\n"
                        "      TypeNames.Strings = (\n        'TFilename')\n"),
              std::string::npos);
    EXPECT_NE(Text.find("      Name = 'TFilename Dialog Property editor'\n"
                        "      EditStyle = esEllipsis\n      Actions = [pftEditStyle]\n"
                        "      InitialDir = 'X:\\Temp'\n"),
              std::string::npos);

    // The text form makes the same stream again, and reads back as the same presets.
    TStringStream TextIn(Text);
    TMemoryStream Again;
    ObjectTextToBinary(&TextIn, &Again);
    ASSERT_EQ(Again.GetSize(), Binary.GetSize());
    EXPECT_EQ(
        std::memcmp(Again.GetMemory(), Binary.GetMemory(), static_cast<size_t>(Binary.GetSize())),
        0);
    Again.SetPosition(0);
    TOwned<TZkObjectInspector> Copy(Create<TZkObjectInspector>(nullptr));
    ReadComponentFromStream(&Again, Copy.get());
    TZkPropertyPresets* Read = Copy->GetPresets();
    ASSERT_EQ(Read->GetCount(), 18);
    for (int I = 0; I < 18; ++I)
        EXPECT_EQ(Read->GetItem(I)->ClassType(), Inspector->GetPresets()->GetItem(I)->ClassType());
    EXPECT_EQ(static_cast<TZkTFilenamePropertyPreset*>(Read->GetItem(12))->GetInitialDir(),
              "X:\\Temp");
    EXPECT_TRUE(Read->GetItem(13)->GetOnSetProperty().Assigned())
        << "the handlers come with the class";
}

TEST_F(StockPresetTest, TheInitialDirLosesOneTrailingDelimiterButADriveRootKeepsIt) {
    auto* Files = Preset<TZkTFilenamePropertyPreset>();
    const std::vector<std::pair<std::string, std::string>> Dirs = {
        {"X:\\Temp\\", "X:\\Temp"},     {"X:\\", "X:\\"}, {"/home/u/", "/home/u"}, {"/", "/"},
        {"X:\\Temp\\\\", "X:\\Temp\\"}, {"", ""}};
    for (const auto& [Given, Stored] : Dirs) {
        Files->SetInitialDir(Given);
        EXPECT_EQ(Files->GetInitialDir(), Stored) << Given;
    }
}

}  // namespace zk::test
