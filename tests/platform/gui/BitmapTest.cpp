// Tests for TBitmap and TPicture: sizes, files, streams, resources, transparency and form data.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Component.h"
#include "platform/core/Filer.h"
#include "platform/core/Resources.h"
#include "platform/core/Stream.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Graphics.h"

namespace zk {
namespace {

TOwned<TBitmap> NewBitmap(int W, int H) {
    TOwned<TBitmap> B(Create<TBitmap>());
    B->SetSize(W, H);
    return B;
}

// A 4 x 3 bitmap with a different colour in each corner, so that flips,
// swaps and offsets all show.
TOwned<TBitmap> PatternBitmap() {
    auto B = NewBitmap(4, 3);
    TCanvas* C = B->GetCanvas();
    C->GetBrush()->SetColor(clRed);
    C->FillRect(Rect(0, 0, 1, 1));
    C->GetBrush()->SetColor(clLime);
    C->FillRect(Rect(3, 0, 4, 1));
    C->GetBrush()->SetColor(clBlue);
    C->FillRect(Rect(0, 2, 1, 3));
    C->GetBrush()->SetColor(0x123456);
    C->FillRect(Rect(3, 2, 4, 3));
    return B;
}

void ExpectSamePixels(TBitmap* A, TBitmap* B) {
    ASSERT_EQ(A->GetWidth(), B->GetWidth());
    ASSERT_EQ(A->GetHeight(), B->GetHeight());
    for (int Y = 0; Y < A->GetHeight(); ++Y)
        for (int X = 0; X < A->GetWidth(); ++X)
            EXPECT_EQ(A->GetPixel(X, Y), B->GetPixel(X, Y)) << X << "," << Y;
}

std::string FileStart(const std::string& FileName, int Count) {
    QFile F(QString::fromStdString(FileName));
    if (!F.open(QIODevice::ReadOnly)) return std::string();
    return F.read(Count).toStdString();
}

TEST(BitmapTest, NewBitmapIsEmptyAndSetSizeKeepsTheOverlapAndWhitensTheRest) {
    TOwned<TBitmap> B(Create<TBitmap>());
    EXPECT_TRUE(B->GetEmpty());
    EXPECT_EQ(B->GetPixel(0, 0), clNone);
    B = PatternBitmap();
    B->SetSize(6, 2);
    EXPECT_EQ(B->GetPixel(0, 0), clRed);
    EXPECT_EQ(B->GetPixel(3, 0), clLime);
    EXPECT_EQ(B->GetPixel(5, 1), clWhite);
    EXPECT_EQ(B->GetPixel(0, 2), clNone) << "outside the image";
    B->SetSize(0, 5);
    EXPECT_TRUE(B->GetEmpty());
}

TEST(BitmapTest, DrawingOnAnEmptyBitmapDoesNothing) {
    TOwned<TBitmap> B(Create<TBitmap>());
    EXPECT_NO_THROW(B->GetCanvas()->FillRect(Rect(0, 0, 5, 5)));
    EXPECT_TRUE(B->GetEmpty());
}

TEST(BitmapTest, ReadingPixelsBetweenDrawingsSeesEveryDrawing) {
    auto B = NewBitmap(4, 4);
    TCanvas* C = B->GetCanvas();
    C->GetBrush()->SetColor(clRed);
    C->FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(B->GetPixel(0, 0), clRed);
    C->GetBrush()->SetColor(clBlue);
    C->FillRect(Rect(1, 1, 2, 2));
    EXPECT_EQ(B->GetPixel(1, 1), clBlue);
    EXPECT_EQ(C->GetPixel(1, 1), clBlue);
}

TEST(BitmapTest, AssignedCopyDoesNotFollowLaterDrawingOnTheOriginal) {
    auto Original = PatternBitmap();
    TOwned<TBitmap> Copy(Create<TBitmap>());
    Copy->Assign(Original.get());
    ExpectSamePixels(Copy.get(), Original.get());
    Original->GetCanvas()->GetBrush()->SetColor(clBlack);
    Original->GetCanvas()->FillRect(Rect(0, 0, 4, 3));
    EXPECT_EQ(Copy->GetPixel(0, 0), clRed);
    const QImage Image = Original->GetImage();
    Original->GetCanvas()->GetBrush()->SetColor(clWhite);
    Original->GetCanvas()->FillRect(Rect(0, 0, 4, 3));
    EXPECT_EQ(Image.pixelColor(0, 0), QColor(0, 0, 0)) << "an image handed out is a snapshot";
}

TEST(BitmapTest, BmpFileRoundTrip) {
    QTemporaryDir Dir;
    const std::string File = Dir.filePath("pattern.bmp").toStdString();
    auto B = PatternBitmap();
    B->SaveToFile(File);
    EXPECT_EQ(FileStart(File, 2), "BM");
    TOwned<TBitmap> Read(Create<TBitmap>());
    Read->LoadFromFile(File);
    ExpectSamePixels(Read.get(), B.get());
}

TEST(BitmapTest, PngFileRoundTrip) {
    QTemporaryDir Dir;
    const std::string File = Dir.filePath("pattern.PNG").toStdString();
    auto B = PatternBitmap();
    B->SaveToFile(File);
    EXPECT_EQ(FileStart(File, 4), "\x89PNG");
    TOwned<TBitmap> Read(Create<TBitmap>());
    Read->LoadFromFile(File);
    ExpectSamePixels(Read.get(), B.get());
}

TEST(BitmapTest, StreamsHoldBmp) {
    auto B = PatternBitmap();
    TMemoryStream Stream;
    B->SaveToStream(&Stream);
    ASSERT_GT(Stream.GetSize(), 2);
    EXPECT_EQ(Stream.GetMemory()[0], 'B');
    Stream.SetPosition(0);
    TOwned<TBitmap> Read(Create<TBitmap>());
    Read->LoadFromStream(&Stream);
    ExpectSamePixels(Read.get(), B.get());
}

TEST(BitmapTest, InvalidDataRaisesAndKeepsTheImage) {
    auto B = PatternBitmap();
    TStringStream Garbage("this is not an image at all");
    EXPECT_THROW(B->LoadFromStream(&Garbage), EInvalidGraphic);
    EXPECT_EQ(B->GetPixel(0, 0), clRed);
    EXPECT_THROW(B->LoadFromFile("/nonexistent/dir/none.bmp"), EFOpenError);
    EXPECT_EQ(B->GetWidth(), 4);
}

TEST(BitmapTest, LoadsImagesEmbeddedInTheProgramByName) {
    static const QByteArray Png = [] {
        QByteArray Bytes;
        QBuffer Buffer(&Bytes);
        Buffer.open(QIODevice::WriteOnly);
        PatternBitmap()->GetImage().save(&Buffer, "PNG");
        return Bytes;
    }();
    RegisterResource("G1_TEST_PATTERN", RT_BITMAP,
                     reinterpret_cast<const uint8_t*>(Png.constData()),
                     static_cast<size_t>(Png.size()));
    TOwned<TBitmap> B(Create<TBitmap>());
    B->LoadFromResourceName("g1_test_pattern");
    ExpectSamePixels(B.get(), PatternBitmap().get());
    try {
        B->LoadFromResourceName("NO_SUCH_IMAGE");
        FAIL() << "no exception";
    } catch (const EResNotFound& E) {
        EXPECT_EQ(E.Message(), "Resource NO_SUCH_IMAGE not found");
    }
}

TEST(BitmapTest, TransparentBitmapLeavesItsKeyColourUnpainted) {
    auto Sprite = NewBitmap(4, 4);
    Sprite->GetCanvas()->GetBrush()->SetColor(clRed);
    Sprite->GetCanvas()->FillRect(Rect(0, 0, 4, 4));
    Sprite->GetCanvas()->GetBrush()->SetColor(clBlue);
    Sprite->GetCanvas()->FillRect(Rect(1, 1, 3, 3));
    EXPECT_EQ(Sprite->GetTransparentColor(), clRed) << "the bottom-left pixel by default";
    Sprite->SetTransparent(true);
    auto Target = NewBitmap(10, 10);
    Target->GetCanvas()->Draw(2, 2, Sprite.get());
    EXPECT_EQ(Target->GetPixel(2, 2), clWhite);
    EXPECT_EQ(Target->GetPixel(3, 3), clBlue);
    Sprite->SetTransparent(false);
    Target->GetCanvas()->Draw(5, 5, Sprite.get());
    EXPECT_EQ(Target->GetPixel(5, 5), clRed);
}

TEST(BitmapTest, StretchDrawScalesIntoTheRectangle) {
    auto Small = NewBitmap(2, 2);
    Small->GetCanvas()->GetBrush()->SetColor(clGreen);
    Small->GetCanvas()->FillRect(Rect(1, 1, 2, 2));
    auto Target = NewBitmap(10, 10);
    Target->GetCanvas()->StretchDraw(Rect(0, 0, 10, 10), Small.get());
    EXPECT_EQ(Target->GetPixel(7, 7), clGreen);
    EXPECT_EQ(Target->GetPixel(2, 2), clWhite);
    EXPECT_EQ(Target->GetPixel(2, 7), clWhite);
}

// A component with a picture, as a form with an image on it.
class TPictureHolder : public TComponent {
    ZK_CLASS(TPictureHolder, TComponent)
public:
    explicit TPictureHolder(TComponent* AOwner)
        : TComponent(AOwner), FPicture(Create<TPicture>()) {}
    TPicture* GetPicture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }

private:
    TOwned<TPicture> FPicture;
};

ZK_IMPLEMENT_CLASS(TPictureHolder)
void TPictureHolder::DescribeClass(TClassBuilder<TPictureHolder>& C) {
    C.Prop("Picture", &TPictureHolder::GetPicture, &TPictureHolder::SetPicture);
}

std::string Contents(TMemoryStream& Stream) {
    return std::string(reinterpret_cast<const char*>(Stream.GetMemory()),
                       static_cast<size_t>(Stream.GetSize()));
}

TEST(PictureTest, PictureIsStoredInTheFormAsClassNameAndPng) {
    RegisterClass(TPictureHolder::StaticClass());
    TOwned<TPictureHolder> Holder(Create<TPictureHolder>(nullptr));
    Holder->SetName("Image1");
    Holder->GetPicture()->SetGraphic(PatternBitmap().get());
    TMemoryStream Stream;
    WriteComponentToStream(&Stream, Holder.get());
    const std::string Bytes = Contents(Stream);
    EXPECT_NE(Bytes.find("Picture.Data"), std::string::npos);
    EXPECT_NE(Bytes.find(std::string("\x07TBitmap\x89PNG", 12)), std::string::npos);
    Stream.SetPosition(0);
    TOwned<TComponent> Read(ReadComponentFromStream(&Stream, nullptr));
    auto* Copy = DynamicCast<TPictureHolder>(Read.get());
    ASSERT_NE(Copy, nullptr);
    auto* Bitmap = DynamicCast<TBitmap>(Copy->GetPicture()->GetGraphic());
    ASSERT_NE(Bitmap, nullptr);
    ExpectSamePixels(Bitmap, PatternBitmap().get());
}

TEST(PictureTest, EmptyPictureWritesNoData) {
    RegisterClass(TPictureHolder::StaticClass());
    TOwned<TPictureHolder> Holder(Create<TPictureHolder>(nullptr));
    TMemoryStream Stream;
    WriteComponentToStream(&Stream, Holder.get());
    EXPECT_EQ(Contents(Stream).find("Picture.Data"), std::string::npos);
}

TEST(PictureTest, UnknownGraphicClassInTheDataFailsTheRead) {
    RegisterClass(TPictureHolder::StaticClass());
    TOwned<TPictureHolder> Holder(Create<TPictureHolder>(nullptr));
    Holder->GetPicture()->SetGraphic(PatternBitmap().get());
    TMemoryStream Stream;
    WriteComponentToStream(&Stream, Holder.get());
    std::string Bytes = Contents(Stream);
    const size_t At = Bytes.find("\x07TBitmap");
    ASSERT_NE(At, std::string::npos);
    Bytes.replace(At, 8, "\x07TBogus!");
    TStringStream Corrupt(Bytes);
    try {
        ReadComponentFromStream(&Corrupt, nullptr);
        FAIL() << "no exception";
    } catch (const Exception& E) {
        EXPECT_NE(E.Message().find("Unknown graphic class TBogus!"), std::string::npos)
            << E.Message();
    }
}

TEST(PictureTest, GetBitmapCreatesOneAndChangesAreReported) {
    TOwned<TPicture> Picture(Create<TPicture>());
    int Changes = 0;
    Picture->SetOnChange(TNotifyEvent([&](TObject*) { ++Changes; }));
    EXPECT_EQ(Picture->GetGraphic(), nullptr);
    EXPECT_EQ(Picture->GetWidth(), 0);
    TBitmap* B = Picture->GetBitmap();
    EXPECT_EQ(Picture->GetGraphic(), B);
    EXPECT_EQ(Changes, 1);
    B->SetSize(5, 6);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Picture->GetWidth(), 5);
    EXPECT_EQ(Picture->GetHeight(), 6);
    B->GetCanvas()->FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(Picture->GetBitmap(), B) << "an existing bitmap is kept";
}

TEST(PictureTest, SetGraphicStoresACopy) {
    TOwned<TPicture> Picture(Create<TPicture>());
    auto Source = PatternBitmap();
    Picture->SetGraphic(Source.get());
    EXPECT_NE(Picture->GetGraphic(), Source.get());
    Source->SetSize(1, 1);
    EXPECT_EQ(Picture->GetWidth(), 4);
    TOwned<TPicture> Other(Create<TPicture>());
    Other->Assign(Picture.get());
    ExpectSamePixels(Other->GetBitmap(), Picture->GetBitmap());
    Other->Assign(nullptr);
    EXPECT_EQ(Other->GetGraphic(), nullptr);
}

TEST(PictureTest, FilesByExtension) {
    QTemporaryDir Dir;
    const std::string Png = Dir.filePath("p.png").toStdString();
    PatternBitmap()->SaveToFile(Png);
    TOwned<TPicture> Picture(Create<TPicture>());
    Picture->LoadFromFile(Png);
    ExpectSamePixels(Picture->GetBitmap(), PatternBitmap().get());
    const std::string Bmp = Dir.filePath("copy.bmp").toStdString();
    Picture->SaveToFile(Bmp);
    EXPECT_EQ(FileStart(Bmp, 2), "BM");
    try {
        Picture->LoadFromFile(Dir.filePath("p.gif").toStdString());
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& E) {
        EXPECT_EQ(E.Message(), "Unknown picture file extension (.gif)");
    }
    EXPECT_EQ(Picture->GetWidth(), 4) << "a failed load keeps the picture";
}

}  // namespace
}  // namespace zk
