// Filing items under category headings: the default category, Categories lines, extra
// categories as copies or as deeper levels, OnCategorize, and nothing moving while loading.
#include "ItemListTestUtil.h"

namespace zk::test {

namespace {

class ItemCategoryTest : public ItemListTest {
protected:
    // The names of a collection's items, categories marked with '*'.
    static std::string Outline(const TZkItemProps* Items) {
        std::string Result;
        for (int I = 0; I < Items->GetCount(); ++I) {
            TZkItemProp* Item = Items->GetItem(I);
            if (I > 0) Result += ',';
            Result += Item->GetName() + (Item->GetCategory() ? "*" : "");
            if (Item->HasChildren()) Result += "(" + Outline(Item->GetItems()) + ")";
        }
        return Result;
    }
};

}  // namespace

TEST_F(ItemCategoryTest, ARenamedItemWithoutALineLandsUnderTheDefaultCategory) {
    Grid->SetArrangeByCategory(true);
    TZkItemProp* Item = Items()->AddItem();
    Item->SetName("Caption");
    EXPECT_EQ(Outline(Items()), "Miscellaneous*(Caption)");
    TZkItemProp* Misc = Items()->GetDefaultCategoryItem();
    ASSERT_NE(Misc, nullptr);
    EXPECT_TRUE(Misc->GetDefaultCategory());
    EXPECT_TRUE(Misc->GetReadOnly()) << "a category heading is read-only";
    EXPECT_EQ(Item->GetFullName(), "Miscellaneous.Caption");

    Items()->GetCategories()->Add("Color=Look");
    TZkItemProp* Color = Items()->AddItem();
    Color->SetName("Color");
    EXPECT_EQ(Outline(Items()), "Miscellaneous*(Caption),Look*(Color)");
}

TEST_F(ItemCategoryTest, WithoutADefaultCategoryNameUnlistedItemsStayWhereTheyAre) {
    Grid->SetArrangeByCategory(true);
    Items()->SetDefaultCategoryName("");
    Items()->GetCategories()->Add("Color=Look");
    TZkItemProp* Caption = Items()->AddItem();
    Caption->SetName("Caption");
    TZkItemProp* Color = Items()->AddItem();
    Color->SetName("Color");
    EXPECT_EQ(Outline(Items()), "Caption,Look*(Color)");
    EXPECT_EQ(Items()->GetDefaultCategoryItem(), nullptr);
}

TEST_F(ItemCategoryTest, OneDefaultCategoryPerCollection) {
    TZkItemProp* A = Items()->AddCategory("A");
    TZkItemProp* B = Items()->AddCategory("B");
    A->SetDefaultCategory(true);
    EXPECT_EQ(Items()->GetDefaultCategoryItem(), A);
    B->SetDefaultCategory(true);
    EXPECT_EQ(Items()->GetDefaultCategoryItem(), B);
    EXPECT_FALSE(A->GetDefaultCategory()) << "the previous default lost its flag";
    B->SetCategory(false);
    EXPECT_FALSE(B->GetDefaultCategory());
    EXPECT_EQ(Items()->GetDefaultCategoryItem(), nullptr);
    A->SetDefaultCategory(true);
    A->Free();
    EXPECT_EQ(Items()->GetDefaultCategoryItem(), nullptr) << "a freed default is forgotten";
}

TEST_F(ItemCategoryTest, ExtraCategoryLinesGiveCopiesWithMultiCategory) {
    Build("Font\n  Color=clRed\n  Size=8");
    TZkItemProps* Sub = Item("Font")->GetItems();
    Sub->GetCategories()->Add("Color=Style");
    TOwned<TStringList> Lines(Create<TStringList>());
    Lines->Add("Color=Style");
    Lines->Add("Color=Look");
    Grid->CategorizeItems(Sub, Lines.get(), true);
    EXPECT_EQ(Outline(Sub), "Color,Size,Style*(Color),Look*(Color)")
        << "copies go under each category; the originals stay with MultiCategory, and only "
           "the top level makes a default category of its own";
    EXPECT_EQ(Item("Font.Look.Color")->GetValues()->Get(0), "clRed");
}

TEST_F(ItemCategoryTest, ExtraCategoryLinesFileDeeperWithoutMultiCategory) {
    Build("Font\n  Color=clRed");
    TZkItemProps* Sub = Item("Font")->GetItems();
    Sub->SetDefaultCategoryName("");
    Sub->GetCategories()->Add("Color=Style");
    TOwned<TStringList> Lines(Create<TStringList>());
    Lines->Add("Color=Style");
    Lines->Add("Color=Look");
    Grid->CategorizeItems(Sub, Lines.get(), false);
    EXPECT_EQ(Outline(Sub), "Style*(Look*(Color))");
}

TEST_F(ItemCategoryTest, OnCategorizeNamesACategoryWithoutALine) {
    Build("Font\n  Color\n  Size");
    std::vector<std::string> Asked;
    Grid->SetOnCategorize(TZkGetCategoryEvent(
        [&](TObject* Sender, TZkItemProp* Item, const std::string& Name, std::string& Category) {
            EXPECT_EQ(Sender, Grid);
            EXPECT_EQ(Item->GetName(), Name);
            Asked.push_back(Name);
            if (Name == "Size") Category = "Metrics";
        }));
    TZkItemProps* Sub = Item("Font")->GetItems();
    Sub->SetDefaultCategoryName("");
    Grid->CategorizeItems(Sub, nullptr, false);
    EXPECT_EQ(Outline(Sub), "Color,Metrics*(Size)");
    EXPECT_EQ(Asked, (std::vector<std::string>{"Color", "Size"}));
}

TEST_F(ItemCategoryTest, NothingMovesWhileTheGridIsLoading) {
    Grid->SetArrangeByCategory(true);
    Build("Font\n  Color");
    const std::string Before = Outline(Items());
    TOwned<TForm> Other(Create<TForm>(nullptr));
    auto* Loaded = Create<TTestItemGrid>(Other.get());
    Loaded->SetArrangeByCategory(true);
    Loaded->SetComponentStateItem(csLoading, true);
    TZkItemProp* Top = Loaded->GetItems()->AddItem();
    Top->SetName("Caption");
    TZkItemProp* Child = Top->GetItems()->AddItem();
    Child->SetName("Color");
    EXPECT_EQ(Outline(Loaded->GetItems()), "Caption(Color)");
    Loaded->SetComponentStateItem(csLoading, false);
    EXPECT_FALSE(Before.empty());
}

}  // namespace zk::test
