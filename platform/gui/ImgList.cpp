// TCustomImageList and TImageList: adding, replacing and drawing images, change links and the
// stored image strip.
#include "platform/gui/ImgList.h"

#include <QBuffer>
#include <QPainter>
#include <algorithm>
#include <cassert>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/core/Stream.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Graphics.h"

namespace zk {

namespace {

constexpr const char* IndexError = "Invalid ImageList Index";
constexpr const char* SizeError = "Invalid image size";

// A disabled image: grey levels at half opacity, as disabled glyphs look.
QImage Greyed(const QImage& Image) {
    QImage Result = Image.convertToFormat(QImage::Format_ARGB32);
    for (int Y = 0; Y < Result.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Result.scanLine(Y));
        for (int X = 0; X < Result.width(); ++X) {
            const int G = 128 + qGray(Line[X]) / 2;
            Line[X] = qRgba(G, G, G, qAlpha(Line[X]) / 2);
        }
    }
    return Result;
}

}  // namespace

// ---- TChangeLink ----

ZK_IMPLEMENT_CLASS(TChangeLink)
void TChangeLink::DescribeClass(TClassBuilder<TChangeLink>&) {}

TChangeLink::~TChangeLink() {
    if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (FOnChange.Assigned()) FOnChange(FSender);
}

// ---- TCustomImageList ----

ZK_IMPLEMENT_CLASS(TCustomImageList)
void TCustomImageList::DescribeClass(TClassBuilder<TCustomImageList>&) {}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(TComponent* AOwner, int AWidth, int AHeight)
    : TComponent(AOwner), FWidth(std::max(1, AWidth)), FHeight(std::max(1, AHeight)) {}

TCustomImageList::~TCustomImageList() {
    TCustomImageList::BeforeDestruction();
}

void TCustomImageList::BeforeDestruction() {
    for (TChangeLink* Link : FLinks) Link->SetSender(nullptr);
    FLinks.clear();
    TComponent::BeforeDestruction();
}

void TCustomImageList::RegisterChanges(TChangeLink* Link) {
    assert(Link && "RegisterChanges(nullptr)");
    if (Link->GetSender() == this) return;
    if (Link->GetSender()) Link->GetSender()->UnRegisterChanges(Link);
    Link->SetSender(this);
    FLinks.push_back(Link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Link) {
    auto It = std::find(FLinks.begin(), FLinks.end(), Link);
    if (It == FLinks.end()) return;
    FLinks.erase(It);
    Link->SetSender(nullptr);
}

void TCustomImageList::Change() {
    if (IsLoading()) {
        FChangedWhileLoading = true;
        return;
    }
    // A link's handler may unregister links; walk a copy and skip those gone.
    const std::vector<TChangeLink*> Links = FLinks;
    for (TChangeLink* Link : Links)
        if (std::find(FLinks.begin(), FLinks.end(), Link) != FLinks.end()) Link->Change();
    if (FOnChange.Assigned()) FOnChange(this);
}

void TCustomImageList::Loaded() {
    TComponent::Loaded();
    if (FChangedWhileLoading) {
        FChangedWhileLoading = false;
        Change();
    }
}

// ---- settings ----

void TCustomImageList::SetWidth(int Value) {
    SetSize(Value, FHeight);
}

void TCustomImageList::SetHeight(int Value) {
    SetSize(FWidth, Value);
}

void TCustomImageList::SetSize(int AWidth, int AHeight) {
    AWidth = std::max(1, AWidth);
    AHeight = std::max(1, AHeight);
    if (AWidth == FWidth && AHeight == FHeight) return;
    FWidth = AWidth;
    FHeight = AHeight;
    FImages.clear();
    Change();
}

void TCustomImageList::SetBkColor(TColor Value) {
    if (FBkColor == Value) return;
    FBkColor = Value;
    Change();
}

void TCustomImageList::SetBlendColor(TColor Value) {
    if (FBlendColor == Value) return;
    FBlendColor = Value;
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
    if (FDrawingStyle == Value) return;
    FDrawingStyle = Value;
    Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
    if (FImageType == Value) return;
    FImageType = Value;
    Change();
}

void TCustomImageList::SetMasked(bool Value) {
    if (FMasked == Value) return;
    FMasked = Value;
    Change();
}

// ---- images ----

void TCustomImageList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount()) throw EInvalidOperation(IndexError);
}

// Cuts Image into images of the list's size, applying Mask (black keeps a
// pixel) or MaskColor (clNone: none). Checks everything before anything changes.
std::vector<QImage> TCustomImageList::Split(TBitmap* Image, TBitmap* Mask, TColor MaskColor) const {
    if (!Image || Image->GetEmpty()) throw EInvalidOperation(SizeError);
    const int W = Image->GetWidth();
    if (Image->GetHeight() != FHeight || W % FWidth != 0) throw EInvalidOperation(SizeError);
    if (Mask && !Mask->GetEmpty() &&
        (Mask->GetWidth() != W || Mask->GetHeight() != Image->GetHeight()))
        throw EInvalidOperation(SizeError);
    QImage Strip = Image->GetImage().convertToFormat(QImage::Format_ARGB32);
    const QImage MaskImage = Mask && !Mask->GetEmpty()
                                 ? Mask->GetImage().convertToFormat(QImage::Format_RGB32)
                                 : QImage();
    const QRgb Key = MaskColor == clDefault
                         ? (Image->GetImage().pixel(0, FHeight - 1) | 0xFF000000u)
                         : ColorToQColor(MaskColor).rgb();
    for (int Y = 0; Y < Strip.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Strip.scanLine(Y));
        for (int X = 0; X < Strip.width(); ++X) {
            const bool Hidden = !MaskImage.isNull()   ? qGray(MaskImage.pixel(X, Y)) >= 128
                                : MaskColor != clNone ? (Line[X] | 0xFF000000u) == Key
                                                      : false;
            if (Hidden) Line[X] = 0;
        }
    }
    std::vector<QImage> Result;
    for (int X = 0; X < W; X += FWidth) Result.push_back(Strip.copy(X, 0, FWidth, FHeight));
    return Result;
}

void TCustomImageList::InsertImages(int Index, std::vector<QImage> Images) {
    FImages.insert(FImages.begin() + Index, std::make_move_iterator(Images.begin()),
                   std::make_move_iterator(Images.end()));
    Change();
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
    const int First = GetCount();
    InsertImages(First, Split(Image, Mask, clNone));
    return First;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
    const int First = GetCount();
    InsertImages(First, Split(Image, nullptr, MaskColor));
    return First;
}

int TCustomImageList::AddImage(const QImage& Image) {
    if (Image.width() != FWidth || Image.height() != FHeight) throw EInvalidOperation(SizeError);
    const int First = GetCount();
    InsertImages(First, {Image.convertToFormat(QImage::Format_ARGB32)});
    return First;
}

void TCustomImageList::AddImages(TCustomImageList* Value) {
    if (!Value || Value->GetCount() == 0) return;
    if (Value->FWidth != FWidth || Value->FHeight != FHeight) throw EInvalidOperation(SizeError);
    std::vector<QImage> Copy = Value->FImages;
    InsertImages(GetCount(), std::move(Copy));
}

void TCustomImageList::Insert(int Index, TBitmap* Image, TBitmap* Mask) {
    if (Index < 0 || Index > GetCount()) throw EInvalidOperation(IndexError);
    InsertImages(Index, Split(Image, Mask, clNone));
}

void TCustomImageList::InsertMasked(int Index, TBitmap* Image, TColor MaskColor) {
    if (Index < 0 || Index > GetCount()) throw EInvalidOperation(IndexError);
    InsertImages(Index, Split(Image, nullptr, MaskColor));
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
    CheckIndex(Index);
    std::vector<QImage> Images = Split(Image, Mask, clNone);
    FImages[static_cast<size_t>(Index)] = Images.front();
    Change();
}

void TCustomImageList::ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor) {
    CheckIndex(Index);
    std::vector<QImage> Images = Split(NewImage, nullptr, MaskColor);
    FImages[static_cast<size_t>(Index)] = Images.front();
    Change();
}

void TCustomImageList::Delete(int Index) {
    if (Index == -1) {
        Clear();
        return;
    }
    CheckIndex(Index);
    FImages.erase(FImages.begin() + Index);
    Change();
}

void TCustomImageList::Move(int CurIndex, int NewIndex) {
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    if (CurIndex == NewIndex) return;
    QImage Moved = std::move(FImages[static_cast<size_t>(CurIndex)]);
    FImages.erase(FImages.begin() + CurIndex);
    FImages.insert(FImages.begin() + NewIndex, std::move(Moved));
    Change();
}

void TCustomImageList::Clear() {
    if (FImages.empty()) return;
    FImages.clear();
    Change();
}

QImage TCustomImageList::GetImage(int Index) const {
    if (Index < 0 || Index >= GetCount()) return QImage();
    return FImages[static_cast<size_t>(Index)];
}

QIcon TCustomImageList::GetIcon(int Index) const {
    const QImage Image = GetImage(Index);
    if (Image.isNull()) return QIcon();
    QIcon Icon(QPixmap::fromImage(Image));
    Icon.addPixmap(QPixmap::fromImage(Greyed(Image)), QIcon::Disabled);
    return Icon;
}

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image) const {
    if (!Image || Index < 0 || Index >= GetCount()) return false;
    Image->SetImage(FImages[static_cast<size_t>(Index)]);
    return true;
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) const {
    if (!Canvas || Index < 0 || Index >= GetCount()) return;
    const QImage& Image = FImages[static_cast<size_t>(Index)];
    Canvas->DrawImage(Bounds(X, Y, FWidth, FHeight), Enabled ? Image : Greyed(Image));
}

void TCustomImageList::Assign(TPersistent* Source) {
    auto* S = DynamicCast<TCustomImageList>(Source);
    if (!S) {
        TComponent::Assign(Source);
        return;
    }
    FWidth = S->FWidth;
    FHeight = S->FHeight;
    FAllocBy = S->FAllocBy;
    FBkColor = S->FBkColor;
    FBlendColor = S->FBlendColor;
    FDrawingStyle = S->FDrawingStyle;
    FImageType = S->FImageType;
    FMasked = S->FMasked;
    FImages = S->FImages;
    Change();
}

// ---- streaming: the images side by side in one PNG strip ----

void TCustomImageList::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    Filer->DefineBinaryProperty(
        "Bitmap", [this](TStream* S) { ReadData(S); }, [this](TStream* S) { WriteData(S); },
        !FImages.empty());
}

void TCustomImageList::ReadData(TStream* Stream) {
    QByteArray Bytes;
    Bytes.resize(static_cast<qsizetype>(Stream->Remaining()));
    if (!Bytes.isEmpty()) Stream->ReadBuffer(Bytes.data(), Bytes.size());
    QImage Strip;
    if (!Strip.loadFromData(Bytes, "PNG")) throw EInvalidGraphic("Bitmap image is not valid");
    if (Strip.height() != FHeight || Strip.width() % FWidth != 0)
        throw EInvalidOperation(SizeError);
    Strip = Strip.convertToFormat(QImage::Format_ARGB32);
    std::vector<QImage> Images;
    for (int X = 0; X < Strip.width(); X += FWidth)
        Images.push_back(Strip.copy(X, 0, FWidth, FHeight));
    FImages = std::move(Images);
    Change();
}

void TCustomImageList::WriteData(TStream* Stream) {
    QImage Strip(FWidth * GetCount(), FHeight, QImage::Format_ARGB32);
    Strip.fill(Qt::transparent);
    {
        QPainter P(&Strip);
        P.setCompositionMode(QPainter::CompositionMode_Source);
        for (int I = 0; I < GetCount(); ++I)
            P.drawImage(I * FWidth, 0, FImages[static_cast<size_t>(I)]);
    }
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    Strip.save(&Buffer, "PNG");
    Stream->WriteBuffer(Bytes.constData(), Bytes.size());
}

// ---- TImageList ----

ZK_IMPLEMENT_CLASS(TImageList)
void TImageList::DescribeClass(TClassBuilder<TImageList>& C) {
    C.Prop("AllocBy", &TCustomImageList::GetAllocBy, &TCustomImageList::SetAllocBy).Default(4);
    C.Prop("BkColor", &TCustomImageList::GetBkColor, &TCustomImageList::SetBkColor)
        .Type(TypeInfoTColor())
        .Default(clNone);
    C.Prop("BlendColor", &TCustomImageList::GetBlendColor, &TCustomImageList::SetBlendColor)
        .Type(TypeInfoTColor())
        .Default(clNone);
    C.Prop("DrawingStyle", &TCustomImageList::GetDrawingStyle, &TCustomImageList::SetDrawingStyle)
        .Default(dsNormal);
    C.Prop("Height", &TCustomImageList::GetHeight, &TCustomImageList::SetHeight).Default(16);
    C.Prop("ImageType", &TCustomImageList::GetImageType, &TCustomImageList::SetImageType)
        .Default(itImage);
    C.Prop("Masked", &TCustomImageList::GetMasked, &TCustomImageList::SetMasked).Default(true);
    C.Prop("ShareImages", &TCustomImageList::GetShareImages, &TCustomImageList::SetShareImages)
        .Default(false);
    C.Prop("Width", &TCustomImageList::GetWidth, &TCustomImageList::SetWidth).Default(16);
    C.Prop("OnChange", &TCustomImageList::GetOnChange, &TCustomImageList::SetOnChange);
}

TImageList::TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}

bool SetImageListField(TComponent* Owner, TCustomImageList*& Field, TCustomImageList* Value,
                       TChangeLink* Link) {
    if (Field == Value) return false;
    if (Field) {
        Field->UnRegisterChanges(Link);
        Field->RemoveFreeNotification(Owner);
    }
    Field = Value;
    if (Value) {
        Value->RegisterChanges(Link);
        Value->FreeNotification(Owner);
    }
    return true;
}

}  // namespace zk
