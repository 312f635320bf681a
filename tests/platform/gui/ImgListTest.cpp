// Image lists: strips and masks, bad sizes and indexes, change links, drawing and the stored
// image strip.
#include <gtest/gtest.h>

#include <string>

#include "GuiTestUtil.h"
#include "platform/core/ClassBuilder.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/ImgList.h"

namespace zk::test {

namespace {

// A strip of Count squares of Size pixels, square I filled with Colors[I]
// and a white top-left pixel in each.
TOwned<TBitmap> Strip(int Size, std::vector<TColor> Colors) {
    TOwned<TBitmap> B(Create<TBitmap>());
    B->SetSize(Size * static_cast<int>(Colors.size()), Size);
    for (size_t I = 0; I < Colors.size(); ++I) {
        const int X = static_cast<int>(I) * Size;
        B->GetCanvas()->GetBrush()->SetColor(Colors[I]);
        B->GetCanvas()->FillRect(Rect(X, 0, X + Size, Size));
        B->GetCanvas()->SetPixel(X, 0, clWhite);
    }
    return B;
}

QRgb Pixel(const TCustomImageList* List, int Index, int X, int Y) {
    return List->GetImage(Index).pixel(X, Y);
}

}  // namespace

TEST(ImgListTest, AStripAddsOneImagePerWidthAndAMaskColourBecomesTransparent) {
    TOwned<TImageList> List(Create<TImageList>(nullptr));
    List->SetSize(8, 8);
    auto B = Strip(8, {clRed, clLime, clBlue});
    EXPECT_EQ(0, List->Add(B.get()));
    ASSERT_EQ(3, List->GetCount());
    EXPECT_EQ(qRgb(0, 255, 0), Pixel(List.get(), 1, 4, 4));
    EXPECT_EQ(qRgb(255, 255, 255), Pixel(List.get(), 2, 0, 0));
    // Masked by colour: the white corner pixels become see-through.
    EXPECT_EQ(3, List->AddMasked(B.get(), clWhite));
    EXPECT_EQ(0, qAlpha(Pixel(List.get(), 3, 0, 0)));
    EXPECT_EQ(255, qAlpha(Pixel(List.get(), 3, 4, 4)));
    // A mask bitmap: white hides, black keeps.
    auto Mask = Strip(8, {clBlack});
    auto One = Strip(8, {clNavy});
    List->Insert(0, One.get(), Mask.get());
    EXPECT_EQ(7, List->GetCount());
    EXPECT_EQ(0, qAlpha(Pixel(List.get(), 0, 0, 0)));
    EXPECT_EQ(qRgb(0, 0, 128), Pixel(List.get(), 0, 5, 5));
    List->Move(0, 6);
    EXPECT_EQ(qRgb(255, 0, 0), Pixel(List.get(), 0, 4, 4));
    EXPECT_EQ(qRgb(0, 0, 128), Pixel(List.get(), 6, 5, 5));
    // Changing the size drops images of the old size.
    List->SetWidth(16);
    EXPECT_EQ(0, List->GetCount());
}

TEST(ImgListTest, BadSizesAndIndexesFailWithTheirMessageAndChangeNothing) {
    TOwned<TImageList> List(Create<TImageList>(nullptr));
    List->SetSize(8, 8);
    auto Good = Strip(8, {clRed, clLime});
    List->Add(Good.get());
    int Changes = 0;
    List->SetOnChange(TNotifyEvent([&](TObject*) { ++Changes; }));
    auto Odd = Strip(6, {clBlue});
    auto Empty = TOwned<TBitmap>(Create<TBitmap>());
    const std::vector<std::function<void()>> Bad = {
        [&] { List->Add(Odd.get()); },
        [&] { List->Add(Empty.get()); },
        [&] { List->Replace(0, Odd.get()); },
        [&] { List->Replace(2, Good.get()); },
        [&] { List->Delete(5); },
        [&] { List->Move(0, 2); },
        [&] { List->Insert(3, Good.get()); },
    };
    const std::vector<std::string> Messages = {"Invalid image size",      "Invalid image size",
                                               "Invalid image size",      "Invalid ImageList Index",
                                               "Invalid ImageList Index", "Invalid ImageList Index",
                                               "Invalid ImageList Index"};
    for (size_t I = 0; I < Bad.size(); ++I) {
        try {
            Bad[I]();
            ADD_FAILURE() << "case " << I << ": no exception";
        } catch (const EInvalidOperation& E) {
            EXPECT_EQ(Messages[I], E.Message()) << "case " << I;
        }
    }
    EXPECT_EQ(2, List->GetCount());
    EXPECT_EQ(qRgb(255, 0, 0), Pixel(List.get(), 0, 4, 4));
    EXPECT_EQ(0, Changes);
    EXPECT_TRUE(List->GetImage(7).isNull());
    EXPECT_FALSE(List->GetBitmap(-1, Good.get()));
}

TEST(ImgListTest, ChangeLinksHearChangesAndForgetAListThatIsFreed) {
    auto* List = Create<TImageList>(nullptr);
    List->SetSize(4, 4);
    TOwned<TChangeLink> A(Create<TChangeLink>());
    TOwned<TChangeLink> B(Create<TChangeLink>());
    std::vector<std::string> Log;
    A->SetOnChange(TNotifyEvent([&](TObject* Sender) {
        Log.push_back(Sender == List ? "a" : "a?");
        // A handler may drop another link on the way.
        List->UnRegisterChanges(B.get());
    }));
    B->SetOnChange(TNotifyEvent([&](TObject*) { Log.push_back("b"); }));
    List->RegisterChanges(A.get());
    List->RegisterChanges(B.get());
    auto Img = Strip(4, {clRed});
    List->Add(Img.get());
    EXPECT_EQ(std::vector<std::string>{"a"}, Log);
    EXPECT_EQ(nullptr, B->GetSender());
    List->Free();
    EXPECT_EQ(nullptr, A->GetSender());
}

TEST(ImgListTest, DrawingPaintsTheImageAndGreysItWhenDisabled) {
    TOwned<TImageList> List(Create<TImageList>(nullptr));
    List->SetSize(4, 4);
    auto Img = Strip(4, {clRed});
    List->AddMasked(Img.get(), clWhite);
    TOwned<TBitmap> Target(Create<TBitmap>());
    Target->SetSize(20, 10);
    Target->GetCanvas()->GetBrush()->SetColor(clBlue);
    Target->GetCanvas()->FillRect(Rect(0, 0, 20, 10));
    List->Draw(Target->GetCanvas(), 2, 3, 0);
    List->Draw(Target->GetCanvas(), 10, 3, 0, false);
    List->Draw(Target->GetCanvas(), 0, 0, 5);  // outside the list: nothing
    EXPECT_EQ(clRed, Target->GetPixel(4, 5));
    EXPECT_EQ(clBlue, Target->GetPixel(2, 3)) << "the masked corner lets the background through";
    EXPECT_EQ(clBlue, Target->GetPixel(0, 0));
    const TColor Grey = Target->GetPixel(12, 5);
    EXPECT_NE(clRed, Grey);
    EXPECT_NE(clBlue, Grey);
}

TEST(ImgListTest, TheFormStoresTheImagesAndReadsThemBackByteStable) {
    TOwned<TComponent> Root(Create<TComponent>(nullptr));
    Root->SetName("Root");
    auto* List = Create<TImageList>(Root.get());
    List->SetName("ImageList1");
    std::string Empty = FormTextOf(Root.get());
    EXPECT_EQ(std::string::npos, Empty.find("Bitmap")) << Empty;
    List->SetSize(6, 5);
    TOwned<TBitmap> B(Create<TBitmap>());
    B->SetSize(12, 5);
    B->GetCanvas()->GetBrush()->SetColor(clYellow);
    B->GetCanvas()->FillRect(Rect(0, 0, 6, 5));
    B->GetCanvas()->GetBrush()->SetColor(clPurple);
    B->GetCanvas()->FillRect(Rect(6, 0, 12, 5));
    List->AddMasked(B.get(), clPurple);
    const std::string Text = FormTextOf(Root.get());
    EXPECT_NE(std::string::npos, Text.find("Height = 5")) << Text;
    EXPECT_NE(std::string::npos, Text.find("Width = 6")) << Text;
    EXPECT_NE(std::string::npos, Text.find("Bitmap = {")) << Text;

    RegisterClass(TImageList::StaticClass());
    TOwned<TComponent> Copy(Create<TComponent>(nullptr));
    ReadFormText(Text, Copy.get());
    auto* Read = DynamicCast<TImageList>(Copy->FindComponent("ImageList1"));
    ASSERT_NE(nullptr, Read);
    ASSERT_EQ(2, Read->GetCount());
    EXPECT_EQ(qRgb(255, 255, 0), Pixel(Read, 0, 3, 3));
    EXPECT_EQ(0, qAlpha(Pixel(Read, 1, 3, 3)));
    EXPECT_EQ(Text, FormTextOf(Copy.get()));
}

}  // namespace zk::test
