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
    C.Prop("FileName", [](TFileHolder& H) { return H.FFileName; },
           [](TFileHolder& H, std::string V) { H.FFileName = V; });
    C.Prop("LogFile", [](TFileHolder& H) { return H.FLogFile; },
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
    const char* TypeNames;  // one per line
    TEditStyle EditStyle;
};

// The class of every stored preset item, one a line.
std::string StoredItems(const std::string& Text) {
    std::string Result;
    size_t At = Text.find("HPresets = <");
    while ((At = Text.find("HiddenItemClass = '", At)) != std::string::npos) {
        At += 19;
        Result += Text.substr(At, Text.find('\'', At) - At) + "\n";
    }
    return Result;
}

}  // namespace

TEST_F(StockPresetTest, ANewInspectorHoldsTheEighteenInCatalogueOrder) {
    const TTypeKinds Cls{tkClass};
    const TActs Ellipsis{pftEditStyle};
    const TMatch ByType{mtPropertyType};
    const std::vector<TCatalogueEntry> Catalogue = {
        {TZkTComponentPropertyPreset::StaticClass(), "TComponent Drop Down List Property Editor",
         {pftEditStyle, pftValidate, pftFont}, ByType, Cls, "TComponent", esPickList},
        {TZkTParentComponentPropertyPreset::StaticClass(), "TComponent Subcomponent Properties Font",
         {pftFont}, {mtParentPropertyType}, {}, "", esSimple},
        {TZkTFontNamePropertyPreset::StaticClass(), "Font Drop Down List Property Editor",
         {pftEditStyle}, ByType, {tkString, tkLString, tkWString}, "TFontName", esPickList},
        {TZkTColorPropertyPreset::StaticClass(), "Color Drop Down List Property Editor",
         {pftEditStyle, pftValidate}, ByType, {tkInteger}, "TColor", esPickList},
        {TZkTCursorPropertyPreset::StaticClass(), "Cursor Drop Down List Property Editor",
         {pftEditStyle, pftValidate}, ByType, {tkInteger}, "TCursor", esPickList},
        {TZkTFontDlgPropertyPreset::StaticClass(), "Font Editor Dialog Property Editor", Ellipsis,
         ByType, Cls, "TFont", esEllipsis},
        {TZkTStringsPropertyPreset::StaticClass(), "TStrings Property Editor", Ellipsis, ByType,
         Cls, "TStrings", esEllipsis},
        {TZkTPicturePropertyPreset::StaticClass(), "TPicture Property Editor", Ellipsis, ByType,
         Cls, "TPicture\nTBitmap", esEllipsis},
        {TZkTCollectionPropertyPreset::StaticClass(), "TCollection Property Editor", Ellipsis,
         ByType, Cls, "TCollection", esEllipsis},
        {TZkTDatePropertyPreset::StaticClass(), "TDate Property Editor",
         {pftEditStyle, pftEditMask, pftValidate}, ByType, {tkFloat}, "TDate", esEllipsis},
        {TZkTTimePropertyPreset::StaticClass(), "TTime Property Editor", {pftEditMask, pftValidate},
         ByType, {tkFloat}, "TTime", esSimple},
        {TZkTDateTimePropertyPreset::StaticClass(), "TDateTime Property Editor",
         {pftEditStyle, pftEditMask, pftValidate}, ByType, {tkFloat}, "TDateTime", esEllipsis},
        {TZkTFilenamePropertyPreset::StaticClass(), "TFilename Dialog Property editor", Ellipsis,
         ByType, {tkLString}, "TFilename", esEllipsis},
        {TZkTModalResultPropertyPreset::StaticClass(), "TModalResult Property Editor",
         {pftEditStyle, pftValidate}, ByType, {tkInteger}, "TModalResult", esPickList},
        {TZkTINIStringsPropertyPreset::StaticClass(), "INI TStrings Property Editor", Ellipsis,
         {mtPropertyName, mtPropertyType, mtClassName}, Cls, "TStrings\nTStrings", esEllipsis},
        {TZkTListItemsDlgPropertyPreset::StaticClass(), "TListItems Dialog Property Editor",
         Ellipsis, ByType, Cls, "TListItems", esEllipsis},
        {TZkTTreeNodesDlgPropertyPreset::StaticClass(), "TTreeNodes Dialog Property Editor",
         Ellipsis, ByType, Cls, "TTreeNodes", esEllipsis},
        {TZkFilenamePropPropertyPreset::StaticClass(), "Filename property Dialog Property Editor",
         Ellipsis, {mtPropertyName, mtPropertyType}, {tkLString}, "", esEllipsis},
    };
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
            TOwned<TStringList> Names(Create<TStringList>());
            Names->SetTextStr(E.TypeNames);
            EXPECT_EQ(P->GetTypeNames()->GetTextStr(), Names->GetTextStr());
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
    EXPECT_EQ(TOwned<TZkObjectInspector>(Create<TZkObjectInspector>(nullptr))->GetPresets()->GetCount(), 0);
    RegisterStockPresets();
    TOwned<TZkObjectInspector> Fresh(Create<TZkObjectInspector>(nullptr));
    Check(Fresh->GetPresets());
}

TEST_F(StockPresetTest, EachPresetPicksOutItsRowsOnRealControls) {
    auto* Button = Add<TButton>("Button1");
    auto* Actions = Add<TActionList>("ActionList1");
    auto* Action = Create<TAction>(Form.get());
    Action->SetName("Action1");
    Action->SetActionList(Actions);
    Button->SetAction(Action);
    // Preset number: the rows it matches; presets that match nothing are left out.
    const std::vector<std::pair<TObject*, std::string>> Table = {
        {Button,
         "1:Action,PopupMenu 2:Action.AutoCheck,Action.Caption,Action.Category,Action.Checked,"
         "Action.Enabled,Action.GroupIndex,Action.HelpContext,Action.HelpKeyword,"
         "Action.HelpType,Action.Hint,Action.ImageIndex,Action.Name,Action.SecondaryShortCuts,"
         "Action.ShortCut,Action.Tag,Action.Visible 3:Font.Name 4:Color,Font.Color 5:Cursor "
         "6:Font 7:Action.SecondaryShortCuts 14:ModalResult"},
        {Add<TImage>("Image1"), "1:Action,PopupMenu 3:Font.Name 4:Color,Font.Color 5:Cursor "
                                "6:Font 8:Picture"},
        {Add<TBitBtn>("BitBtn1"), "1:Action,PopupMenu 3:Font.Name 4:Color,Font.Color 5:Cursor "
                                  "6:Font 8:Glyph 14:ModalResult"},
        {Add<TMemo>("Memo1"), "1:Action,PopupMenu 3:Font.Name 4:Color,Font.Color 5:Cursor "
                              "6:Font 7:Lines"},
        {Add<TValueListEditor>("ValueListEditor1"),
         "1:Action,PopupMenu 3:Font.Name 4:Color,FixedColor,Font.Color 5:Cursor 6:Font "
         "7:Strings,TitleCaptions 15:Strings"},
        {Add<TListView>("ListView1"),
         "1:Action,LargeImages,PopupMenu,SmallImages,StateImages 3:Font.Name "
         "4:Color,Font.Color 5:Cursor 6:Font 9:Columns 16:Items"},
        {Add<TTreeView>("TreeView1"), "1:Action,Images,PopupMenu,StateImages 3:Font.Name "
                                      "4:Color,Font.Color 5:Cursor 6:Font 17:Items"},
        {Add<TDateTimePicker>("DateTimePicker1"),
         "1:Action,PopupMenu 3:Font.Name 4:Color,Font.Color 5:Cursor 6:Font "
         "10:Date,MaxDate,MinDate 11:Time 12:DateTime"},
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
    // The rows carry what the presets gave them.
    Inspect({Button});
    EXPECT_EQ(Row("Action")->GetFont()->GetColor(), clMaroon);
    EXPECT_EQ(Row("Action.Caption")->GetFont()->GetColor(), clGreen);
    EXPECT_EQ(Row("Color")->GetEditStyle(), esPickList);
    EXPECT_EQ(Row("Font")->GetEditStyle(), esEllipsis);
    Inspect({Table[7].first});
    EXPECT_EQ(Row("Date")->GetEditMask(), "!90/00/0000;1;_");
    EXPECT_EQ(Row("Time")->GetEditMask(), "!90:00:00 >LL;1;_");
    EXPECT_EQ(Row("Time")->GetEditStyle(), esSimple) << "no pop-up for a time";
    EXPECT_EQ(Row("DateTime")->GetEditMask(), "!90/00/0000 90:00:00 >LL;1;_");
}

TEST_F(StockPresetTest, TheStoredPresetListReadsBackAsItsTextForm) {
    Preset<TZkTFilenamePropertyPreset>()->SetInitialDir("X:\\Temp\\");
    Preset<TZkTStringsPropertyPreset>()->GetTypeNames()->Clear();
    TMemoryStream Binary;
    WriteComponentToStream(&Binary, Inspector);
    Binary.SetPosition(0);
    TMemoryStream TextOut;
    ObjectBinaryToText(&Binary, &TextOut);
    const std::string Text(reinterpret_cast<const char*>(TextOut.GetMemory()),
                           static_cast<size_t>(TextOut.GetSize()));
    // The component preset keeps its class's defaults of everything but its
    // EditStyle; the file-name preset has none of its own and writes them.
    const std::string Component =
        "      HiddenItemClass = 'TZkTComponentPropertyPreset'\n"
        "      TypeNames.Strings = (\n"
        "        'TComponent')\n"
        "      Font.Charset = DEFAULT_CHARSET\n"
        "      Font.Color = clMaroon\n"
        "      Font.Height = -11\n"
        "      Font.Name = 'MS Sans Serif'\n"
        "      Font.Style = []\n"
        "      ValueFont.Charset = DEFAULT_CHARSET\n"
        "      ValueFont.Color = clWindowText\n"
        "      ValueFont.Height = -11\n"
        "      ValueFont.Name = 'MS Sans Serif'\n"
        "      ValueFont.Style = []\n"
        "      Name = 'TComponent Drop Down List Property Editor'\n"
        "      EditStyle = esPickList\n"
        "      ParentClassNamesEmpty = True\n"
        "      PropNamesEmpty = True\n"
        "      ParentPropNamesEmpty = True\n"
        "      ParentTypeNamesEmpty = True\n"
        "      PickListEmpty = True\n"
        "    end\n";
    EXPECT_NE(Text.find(Component), std::string::npos) << Text;
    const std::string File =
        "      Name = 'TFilename Dialog Property editor'\n"
        "      EditStyle = esEllipsis\n"
        "      Actions = [pftEditStyle]\n"
        "      InitialDir = 'X:\\Temp'\n";
    EXPECT_NE(Text.find("      MatchTypes = [mtPropertyType]\n      TypeKinds = [tkLString]\n"
                        "      TypeNames.Strings = (\n        'TFilename')\n"),
              std::string::npos);
    EXPECT_NE(Text.find(File), std::string::npos) << Text;
    EXPECT_NE(Text.find("'TZkTStringsPropertyPreset'\n      MatchTypes = []\n      Font."),
              std::string::npos)
        << "an emptied list is not written, and its criterion went...";
    EXPECT_NE(Text.find("TypeNamesEmpty = True\n      ParentClassNamesEmpty"), std::string::npos)
        << "...but marked empty";

    // The text form makes the same stream again, and reads back as the same presets.
    TStringStream TextIn(Text);
    TMemoryStream Again;
    ObjectTextToBinary(&TextIn, &Again);
    ASSERT_EQ(Again.GetSize(), Binary.GetSize());
    EXPECT_EQ(std::memcmp(Again.GetMemory(), Binary.GetMemory(), static_cast<size_t>(Binary.GetSize())), 0);
    Again.SetPosition(0);
    TOwned<TZkObjectInspector> Copy(Create<TZkObjectInspector>(nullptr));
    ReadComponentFromStream(&Again, Copy.get());
    TZkPropertyPresets* Read = Copy->GetPresets();
    ASSERT_EQ(Read->GetCount(), 18);
    std::string Classes;
    for (int I = 0; I < 18; ++I) Classes += std::string(Read->GetItem(I)->ClassName()) + "\n";
    EXPECT_EQ(Classes, StoredItems(Text));
    auto* Strings = static_cast<TZkTStringsPropertyPreset*>(Read->GetItem(6));
    EXPECT_EQ(Strings->GetTypeNames()->GetCount(), 0) << "though its constructor fills it";
    EXPECT_FALSE(Strings->GetMatchTypes().Contains(mtPropertyType));
    auto* Files = static_cast<TZkTFilenamePropertyPreset*>(Read->GetItem(12));
    EXPECT_EQ(Files->GetInitialDir(), "X:\\Temp");
    auto* Results = static_cast<TZkTModalResultPropertyPreset*>(Read->GetItem(13));
    EXPECT_EQ(Results->GetPickList()->GetCount(), 11);
    EXPECT_TRUE(Results->GetOnSetProperty().Assigned()) << "its own handlers come with its class";
}

TEST_F(StockPresetTest, TheFileDialogSettingsCopyAndTheInitialDirLosesOneTrailingDelimiter) {
    auto* Files = Preset<TZkTFilenamePropertyPreset>();
    const std::vector<std::pair<std::string, std::string>> Dirs = {
        {"X:\\Temp\\", "X:\\Temp"}, {"X:\\", "X:\\"}, {"/home/u/", "/home/u"}, {"/", "/"},
        {"X:\\Temp\\\\", "X:\\Temp\\"}, {"", ""}};
    for (const auto& [Given, Stored] : Dirs) {
        Files->SetInitialDir(Given);
        EXPECT_EQ(Files->GetInitialDir(), Stored) << Given;
    }
    Files->SetFilter("Text files (*.txt)|*.txt");
    Files->SetFilterIndex(2);
    Files->SetTitle("Pick");
    Files->SetOptions(TOpenOptions{ofFileMustExist});
    auto* Named = Preset<TZkFilenamePropPropertyPreset>();
    Named->Assign(Files);
    EXPECT_EQ(Named->GetFilter(), "Text files (*.txt)|*.txt");
    EXPECT_EQ(Named->GetFilterIndex(), 2);
    EXPECT_EQ(Named->GetTitle(), "Pick");
    EXPECT_EQ(Named->GetOptions(), TOpenOptions{ofFileMustExist});
    EXPECT_EQ(Named->GetTypeNames()->GetTextStr(), "TFilename\r\n") << "and the base's settings";
    auto* Ini = Preset<TZkTINIStringsPropertyPreset>();
    Preset<TZkTStringsPropertyPreset>()->Assign(Ini);
    EXPECT_EQ(Preset<TZkTStringsPropertyPreset>()->GetStringsViews(), TStringsViews{svINI});
}

}  // namespace zk::test
