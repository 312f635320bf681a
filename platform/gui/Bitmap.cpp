// TGraphic, TBitmap over QImage with its canvas, and TPicture with its form data.
#include <QBuffer>
#include <QByteArray>
#include <QPainter>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/core/Object.h"
#include "platform/core/Resources.h"
#include "platform/core/Stream.h"
#include "platform/gui/Graphics.h"

namespace zk {

// Draws on its bitmap's image through a painter it opens when first needed
// and ends whenever the image must be read or replaced.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* Bitmap) : FBitmap(Bitmap) {}
    ~TBitmapCanvas() override { FreeHandle(); }

    void FreeHandle() {
        if (!FOwnPainter) return;
        SetPainter(nullptr);
        FOwnPainter->end();
        FOwnPainter.reset();
    }

protected:
    // An empty bitmap draws into a scratch pixel, so drawing on it does nothing.
    void CreateHandle() override {
        QImage& Image = FBitmap->FImage.isNull() ? FScratch : FBitmap->FImage;
        if (Image.isNull()) Image = QImage(1, 1, QImage::Format_RGB32);
        if (Image.format() != QImage::Format_RGB32 &&
            Image.format() != QImage::Format_ARGB32_Premultiplied)
            Image =
                Image.convertToFormat(Image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                              : QImage::Format_RGB32);
        FOwnPainter = std::make_unique<QPainter>(&Image);
        SetPainter(FOwnPainter.get());
    }

private:
    TBitmap* FBitmap;                       // owns this canvas
    std::unique_ptr<QPainter> FOwnPainter;  // open while drawing goes on
    QImage FScratch;
};

namespace {

QByteArray EncodeImage(const QImage& Image, const char* Format) {
    QByteArray Bytes;
    if (Image.isNull()) return Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    if (!Image.save(&Buffer, Format))
        throw EInvalidGraphic("Cannot save the image as %s", {Format});
    return Bytes;
}

QByteArray ReadRest(TStream* Stream) {
    QByteArray Bytes;
    Bytes.resize(static_cast<qsizetype>(Stream->Remaining()));
    if (!Bytes.isEmpty()) Stream->ReadBuffer(Bytes.data(), Bytes.size());
    return Bytes;
}

void WriteBytes(TStream* Stream, const QByteArray& Bytes) {
    if (!Bytes.isEmpty()) Stream->WriteBuffer(Bytes.constData(), Bytes.size());
}

std::string LowerExtension(const std::string& FileName) {
    const size_t Dot = FileName.find_last_of('.');
    const size_t Slash = FileName.find_last_of("/\\");
    if (Dot == std::string::npos || (Slash != std::string::npos && Dot < Slash))
        return std::string();
    return LowerCase(FileName.substr(Dot + 1));
}

const TClassInfo* FindGraphicClass(const std::string& Name) {
    if (SameText(Name, "TBitmap")) return TBitmap::StaticClass();
    const TClassInfo* Class = GetClass(Name);
    if (!Class || !Class->InheritsFrom(TGraphic::StaticClass()) || !Class->CreateDefault)
        throw EInvalidGraphic("Unknown graphic class %s", {Name});
    return Class;
}

}  // namespace

ZK_IMPLEMENT_CLASS(TGraphic)
void TGraphic::DescribeClass(TClassBuilder<TGraphic>&) {}

void TGraphic::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    Changed();
}

void TGraphic::LoadFromFile(const std::string& FileName) {
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyNone);
    LoadFromStream(&Stream);
}

void TGraphic::SaveToFile(const std::string& FileName) {
    TFileStream Stream(FileName, fmCreate);
    SaveToStream(&Stream);
}

void TGraphic::Changed() {
    FModified = true;
    if (FOnChange.Assigned()) FOnChange(this);
}

ZK_IMPLEMENT_CLASS(TBitmap)
void TBitmap::DescribeClass(TClassBuilder<TBitmap>&) {}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() = default;

void TBitmap::FlushCanvas() const {
    if (FCanvas) FCanvas->FreeHandle();
}

void TBitmap::SetSize(int W, int H) {
    W = std::max(W, 0);
    H = std::max(H, 0);
    if (W == GetWidth() && H == GetHeight()) return;
    FlushCanvas();
    QImage Sized;
    if (W > 0 && H > 0) {
        Sized = QImage(W, H, FImage.isNull() ? QImage::Format_RGB32 : FImage.format());
        Sized.fill(Qt::white);
        if (!FImage.isNull()) {
            QPainter P(&Sized);
            P.setCompositionMode(QPainter::CompositionMode_Source);
            P.drawImage(0, 0, FImage);
        }
    }
    FImage = Sized;
    Changed();
}

TCanvas* TBitmap::GetCanvas() {
    if (!FCanvas) {
        FCanvas.reset(Create<TBitmapCanvas>(this));
        FCanvas->SetOnChange(TNotifyEvent(this, &TBitmap::CanvasChanged));
    }
    return FCanvas.get();
}

void TBitmap::CanvasChanged(TObject*) {
    Changed();
}

TColor TBitmap::GetPixel(int X, int Y) const {
    FlushCanvas();
    if (!FImage.valid(X, Y)) return clNone;
    return QColorToColor(FImage.pixelColor(X, Y));
}

const QImage& TBitmap::GetImage() const {
    FlushCanvas();
    return FImage;
}

void TBitmap::SetImage(const QImage& Image) {
    FlushCanvas();
    FImage = Image;
    Changed();
}

TColor TBitmap::GetTransparentColor() const {
    if (FTransparentColor != clDefault || GetEmpty()) return FTransparentColor;
    return GetPixel(0, GetHeight() - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
    if (Value == FTransparentColor) return;
    FTransparentColor = Value;
    Changed();
}

// Images with an alpha channel keep it; everything else becomes 32-bit RGB,
// which every drawing mode can paint on.
void TBitmap::LoadFromBytes(const QByteArray& Bytes) {
    QImage Loaded;
    if (!Bytes.isEmpty()) {
        if (!Loaded.loadFromData(Bytes)) throw EInvalidGraphic("Bitmap image is not valid");
        Loaded = Loaded.convertToFormat(
            Loaded.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    }
    FlushCanvas();
    FImage = Loaded;
    Changed();
}

void TBitmap::LoadFromStream(TStream* Stream) {
    LoadFromBytes(ReadRest(Stream));
}

void TBitmap::SaveToStream(TStream* Stream) {
    WriteBytes(Stream, EncodeImage(GetImage(), "BMP"));
}

void TBitmap::SaveToFile(const std::string& FileName) {
    if (LowerExtension(FileName) != "png") {
        TGraphic::SaveToFile(FileName);
        return;
    }
    const QByteArray Bytes = EncodeImage(GetImage(), "PNG");
    TFileStream Stream(FileName, fmCreate);
    WriteBytes(&Stream, Bytes);
}

void TBitmap::LoadFromResourceName(const std::string& Name) {
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    if (!FindResource(Name, RT_BITMAP, Data, Size))
        throw EResNotFound("Resource %s not found", {Name});
    LoadFromBytes(QByteArray(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size)));
}

void TBitmap::Assign(TPersistent* Source) {
    if (!Source) {
        SetImage(QImage());
        return;
    }
    if (auto* Other = DynamicCast<TBitmap>(Source)) {
        if (Other == this) return;
        FlushCanvas();
        FImage = Other->GetImage();
        FTransparentColor = Other->FTransparentColor;
        SetTransparent(Other->GetTransparent());
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

QImage TBitmap::TransparentImage() const {
    QImage Masked = GetImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb Key = ColorToQColor(GetTransparentColor()).rgb();
    for (int Y = 0; Y < Masked.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Masked.scanLine(Y));
        for (int X = 0; X < Masked.width(); ++X)
            if ((Line[X] | 0xFF000000u) == Key) Line[X] = 0;
    }
    return Masked;
}

void TBitmap::Draw(TCanvas* Canvas, const TRect& R) {
    if (GetEmpty()) return;
    Canvas->DrawImage(R, GetTransparent() ? TransparentImage() : GetImage());
}

void TBitmap::ReadData(TStream* Stream) {
    LoadFromBytes(ReadRest(Stream));
}

void TBitmap::WriteData(TStream* Stream) {
    WriteBytes(Stream, EncodeImage(GetImage(), "PNG"));
}

ZK_IMPLEMENT_CLASS(TPicture)
void TPicture::DescribeClass(TClassBuilder<TPicture>&) {}

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::TakeGraphic(TOwned<TGraphic> Graphic) {
    FGraphic = std::move(Graphic);
    if (FGraphic) FGraphic->SetOnChange(TNotifyEvent(this, &TPicture::Changed));
    Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
    if (!Value) {
        TakeGraphic(nullptr);
        return;
    }
    TOwned<TGraphic> Copy(DynamicCast<TGraphic>(Value->ClassType()->CreateDefault()));
    if (!Copy) throw EInvalidGraphic("Unknown graphic class %s", {Value->ClassName()});
    Copy->Assign(Value);
    TakeGraphic(std::move(Copy));
}

TBitmap* TPicture::GetBitmap() {
    if (!Is<TBitmap>(FGraphic.get())) TakeGraphic(TOwned<TGraphic>(Create<TBitmap>()));
    return static_cast<TBitmap*>(FGraphic.get());
}

int TPicture::GetWidth() const {
    return FGraphic ? FGraphic->GetWidth() : 0;
}

int TPicture::GetHeight() const {
    return FGraphic ? FGraphic->GetHeight() : 0;
}

void TPicture::LoadFromFile(const std::string& FileName) {
    const std::string Ext = LowerExtension(FileName);
    if (Ext != "bmp" && Ext != "png")
        throw EInvalidGraphic("Unknown picture file extension (.%s)", {Ext});
    TOwned<TGraphic> Bitmap(Create<TBitmap>());
    Bitmap->LoadFromFile(FileName);
    TakeGraphic(std::move(Bitmap));
}

void TPicture::SaveToFile(const std::string& FileName) {
    if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::Assign(TPersistent* Source) {
    if (!Source)
        SetGraphic(nullptr);
    else if (auto* Other = DynamicCast<TPicture>(Source))
        SetGraphic(Other->GetGraphic());
    else if (auto* Graphic = DynamicCast<TGraphic>(Source))
        SetGraphic(Graphic);
    else
        TPersistent::Assign(Source);
}

void TPicture::AssignTo(TPersistent* Dest) {
    if (FGraphic && Is<TGraphic>(Dest))
        Dest->Assign(FGraphic.get());
    else
        TPersistent::AssignTo(Dest);
}

void TPicture::Changed(TObject*) {
    if (FOnChange.Assigned()) FOnChange(this);
}

// "Data" is the graphic's class name as a short string (a length byte, then
// the name: "TBitmap"), then the graphic's own data. A bitmap writes PNG:
// lossless, compact, and readable by any tool; it reads BMP as well.
void TPicture::DefineProperties(TFiler* Filer) {
    Filer->DefineBinaryProperty(
        "Data", [this](TStream* Stream) { ReadData(Stream); },
        [this](TStream* Stream) { WriteData(Stream); }, FGraphic != nullptr);
}

void TPicture::ReadData(TStream* Stream) {
    uint8_t Length = 0;
    Stream->ReadBuffer(&Length, 1);
    std::string Name(Length, '\0');
    if (Length) Stream->ReadBuffer(Name.data(), Length);
    if (Name.empty()) {
        TakeGraphic(nullptr);
        return;
    }
    TOwned<TGraphic> Graphic(DynamicCast<TGraphic>(FindGraphicClass(Name)->CreateDefault()));
    Graphic->ReadData(Stream);
    TakeGraphic(std::move(Graphic));
}

void TPicture::WriteData(TStream* Stream) {
    const std::string Name = FGraphic ? FGraphic->ClassName() : std::string();
    const uint8_t Length = static_cast<uint8_t>(Name.size());
    Stream->WriteBuffer(&Length, 1);
    if (Length) Stream->WriteBuffer(Name.data(), Length);
    if (FGraphic) FGraphic->WriteData(Stream);
}

}  // namespace zk
