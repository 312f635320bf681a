// Image lists: TCustomImageList and TImageList, equal-sized images drawn by the controls that
// use them, with TChangeLink to tell those controls of changes.
#pragma once
#include <QIcon>
#include <QImage>
#include <cstdint>
#include <vector>

#include "platform/core/Colors.h"
#include "platform/core/Component.h"
#include "platform/core/Event.h"
#include "platform/core/TypInfo.h"

namespace zk {

class TBitmap;
class TCanvas;
class TCustomImageList;
class TStream;

ZK_ENUM(TDrawingStyle, uint8_t, dsFocus, dsSelected, dsNormal, dsTransparent)
ZK_ENUM(TImageType, uint8_t, itImage, itMask)

// A user's subscription to one image list's changes. The user owns the link
// and sets OnChange; the list calls it after every change and clears Sender
// when it goes away, so a user never reaches a freed list through it.
class TChangeLink : public TObject {
    ZK_CLASS(TChangeLink, TObject)
public:
    TChangeLink() = default;
    ~TChangeLink() override;

    TCustomImageList* GetSender() const { return FSender; }
    void SetSender(TCustomImageList* Value) { FSender = Value; }
    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }
    // Called by the list after a change; fires OnChange.
    void Change();

private:
    TCustomImageList* FSender = nullptr;  // the list this link is registered with; not owned
    TNotifyEvent FOnChange;
};

// Images of Width x Height pixels kept as ARGB images. Adding a bitmap that
// is a horizontal strip of several images adds each of them. An index outside
// 0..Count-1 raises EInvalidOperation "Invalid ImageList Index"; a bitmap of
// another size raises EInvalidOperation "Invalid image size". A form stores
// the images as the binary property "Bitmap".
class TCustomImageList : public TComponent {
    ZK_CLASS(TCustomImageList, TComponent)
public:
    explicit TCustomImageList(TComponent* AOwner);
    // A list with images of the given size.
    TCustomImageList(TComponent* AOwner, int AWidth, int AHeight);
    ~TCustomImageList() override;
    void BeforeDestruction() override;

    // Changing the size clears the list, as images of the old size no longer fit.
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value);
    void SetSize(int AWidth, int AHeight);
    int GetCount() const { return static_cast<int>(FImages.size()); }
    int GetAllocBy() const { return FAllocBy; }
    void SetAllocBy(int Value) { FAllocBy = Value < 1 ? 1 : Value; }
    TColor GetBkColor() const { return FBkColor; }
    void SetBkColor(TColor Value);
    TColor GetBlendColor() const { return FBlendColor; }
    void SetBlendColor(TColor Value);
    TDrawingStyle GetDrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TDrawingStyle Value);
    TImageType GetImageType() const { return FImageType; }
    void SetImageType(TImageType Value);
    bool GetMasked() const { return FMasked; }
    void SetMasked(bool Value);
    bool GetShareImages() const { return FShareImages; }
    void SetShareImages(bool Value) { FShareImages = Value; }

    // Image (and Mask, when given, whose black pixels are kept) at the end;
    // returns the index of the first image added.
    int Add(TBitmap* Image, TBitmap* Mask = nullptr);
    // Pixels of MaskColor become transparent; clDefault takes the bitmap's
    // bottom-left pixel, as masked bitmaps are drawn.
    int AddMasked(TBitmap* Image, TColor MaskColor);
    // An image of this list's size, already with its alpha channel.
    int AddImage(const QImage& Image);
    void AddImages(TCustomImageList* Value);
    void Insert(int Index, TBitmap* Image, TBitmap* Mask = nullptr);
    void InsertMasked(int Index, TBitmap* Image, TColor MaskColor);
    void Replace(int Index, TBitmap* Image, TBitmap* Mask = nullptr);
    void ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor);
    // Index -1 deletes every image.
    void Delete(int Index);
    void Move(int CurIndex, int NewIndex);
    void Clear();

    // The image at Index; a null image outside the list.
    QImage GetImage(int Index) const;
    // Qt's icon of the image at Index, with a greyed disabled mode; empty outside the list.
    QIcon GetIcon(int Index) const;
    // Copies the image into Image (resized to the list's size); false outside the list.
    bool GetBitmap(int Index, TBitmap* Image) const;
    // Draws the image at Index with its top-left corner at (X, Y); disabled
    // images are drawn greyed. Nothing is drawn for an index outside the list.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true) const;

    // Users that want to hear of changes; Link stays owned by the caller.
    void RegisterChanges(TChangeLink* Link);
    void UnRegisterChanges(TChangeLink* Link);
    // Copies size, settings and images from another image list.
    void Assign(TPersistent* Source) override;

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

    void DefineProperties(TFiler* Filer) override;

protected:
    // After every change of images or settings (not while loading): tells the
    // links, then fires OnChange.
    virtual void Change();
    void Loaded() override;

private:
    void CheckIndex(int Index) const;
    std::vector<QImage> Split(TBitmap* Image, TBitmap* Mask, TColor MaskColor) const;
    void InsertImages(int Index, std::vector<QImage> Images);
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream);

    int FWidth = 16;
    int FHeight = 16;
    int FAllocBy = 4;
    TColor FBkColor = clNone;
    TColor FBlendColor = clNone;
    TDrawingStyle FDrawingStyle = dsNormal;
    TImageType FImageType = itImage;
    bool FMasked = true;
    bool FShareImages = false;
    bool FChangedWhileLoading = false;
    std::vector<QImage> FImages;       // ARGB32, each FWidth x FHeight
    std::vector<TChangeLink*> FLinks;  // not owned; each link's Sender points back here
    TNotifyEvent FOnChange;
};

class TImageList : public TCustomImageList {
    ZK_CLASS(TImageList, TCustomImageList)
public:
    explicit TImageList(TComponent* AOwner);
};

// Points Field, an image list property of Owner, at Value: Link and Owner's free
// notification move from the old list to the new one. False when Field already was Value.
bool SetImageListField(TComponent* Owner, TCustomImageList*& Field, TCustomImageList* Value,
                       TChangeLink* Link);

}  // namespace zk
