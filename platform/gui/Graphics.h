// Drawing: colour and font mapping, TBrush, TPen, TCanvas over QPainter, and
// TGraphic/TBitmap/TPicture.
#pragma once
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Colors.h"
#include "platform/core/Event.h"
#include "platform/core/Font.h"
#include "platform/core/Persistent.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TypInfo.h"
#include "platform/core/Types.h"

class QPainter;

namespace zk {

class TStream;
class TFiler;

ZK_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
ZK_DECLARE_EXCEPTION(EResNotFound, Exception)

// A colour as Qt paints it: system colours from the fixed classic 3D scheme,
// clNone fully transparent, clDefault as clWindow.
QColor ColorToQColor(TColor Color);
// A plain $00BBGGRR colour: system colours resolved, anything else masked to 24 bits.
TColor ColorToRGB(TColor Color);
// The opaque $00BBGGRR colour of a Qt colour (alpha ignored).
TColor QColorToColor(const QColor& Color);
// The Qt font of a framework font. A negative Height is a pixel size, a
// positive one a point size; the framework's default dialog families map to
// the platform's general sans family.
QFont FontToQFont(const TFont& Font);

ZK_ENUM(TBrushStyle, uint8_t, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal,
        bsCross, bsDiagCross)
ZK_ENUM(TPenStyle, uint8_t, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)
ZK_ENUM(TPenMode, uint8_t, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot,
        pmMaskPenNot, pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor,
        pmNotXor)

// Brushes and pens report each real change through OnChange, so a canvas
// re-selects them only when they changed.
class TGraphicsObject : public TPersistent {
    ZK_CLASS(TGraphicsObject, TPersistent)
public:
    TGraphicsObject() = default;
    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

protected:
    // Called after every real change; fires OnChange.
    virtual void Changed();

private:
    TNotifyEvent FOnChange;
};

class TBrush : public TGraphicsObject {
    ZK_CLASS(TBrush, TGraphicsObject)
public:
    TBrush() = default;
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    // bsClear: fills nothing and lets text be drawn without a background.
    TBrushStyle GetStyle() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    void Assign(TPersistent* Source) override;
    QBrush ToQBrush() const;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

class TPen : public TGraphicsObject {
    ZK_CLASS(TPen, TGraphicsObject)
public:
    TPen() = default;
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    // Below 1 draws one pixel wide.
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle GetStyle() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    // How the pen combines with what is below: pmNot and pmXor invert (drag
    // lines). Raster modes work on bitmaps and widgets, which Qt paints
    // through its raster engine.
    TPenMode GetMode() const { return FMode; }
    void SetMode(TPenMode Value);
    void Assign(TPersistent* Source) override;
    QPen ToQPen() const;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

// DrawText formats.
inline constexpr unsigned DT_TOP = 0x0;
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_EXPANDTABS = 0x40;
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;
inline constexpr unsigned DT_EDITCONTROL = 0x2000;
inline constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;
inline constexpr unsigned DT_RTLREADING = 0x20000;
inline constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;

// DrawEdge edges and flags.
inline constexpr unsigned BDR_RAISEDOUTER = 0x1;
inline constexpr unsigned BDR_SUNKENOUTER = 0x2;
inline constexpr unsigned BDR_RAISEDINNER = 0x4;
inline constexpr unsigned BDR_SUNKENINNER = 0x8;
inline constexpr unsigned BDR_OUTER = 0x3;
inline constexpr unsigned BDR_INNER = 0xC;
inline constexpr unsigned BDR_RAISED = 0x5;
inline constexpr unsigned BDR_SUNKEN = 0xA;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
inline constexpr unsigned BF_LEFT = 0x1;
inline constexpr unsigned BF_TOP = 0x2;
inline constexpr unsigned BF_RIGHT = 0x4;
inline constexpr unsigned BF_BOTTOM = 0x8;
inline constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr unsigned BF_MIDDLE = 0x800;
inline constexpr unsigned BF_SOFT = 0x1000;
inline constexpr unsigned BF_ADJUST = 0x2000;
inline constexpr unsigned BF_FLAT = 0x4000;
inline constexpr unsigned BF_MONO = 0x8000;

// DrawFrameControl types and states.
inline constexpr unsigned DFC_CAPTION = 1;
inline constexpr unsigned DFC_MENU = 2;
inline constexpr unsigned DFC_SCROLL = 3;
inline constexpr unsigned DFC_BUTTON = 4;
inline constexpr unsigned DFCS_BUTTONCHECK = 0x0;
inline constexpr unsigned DFCS_BUTTONPUSH = 0x10;
inline constexpr unsigned DFCS_SCROLLUP = 0x0;
inline constexpr unsigned DFCS_SCROLLDOWN = 0x1;
inline constexpr unsigned DFCS_SCROLLLEFT = 0x2;
inline constexpr unsigned DFCS_SCROLLRIGHT = 0x3;
inline constexpr unsigned DFCS_SCROLLCOMBOBOX = 0x5;
inline constexpr unsigned DFCS_INACTIVE = 0x100;
inline constexpr unsigned DFCS_PUSHED = 0x200;
inline constexpr unsigned DFCS_CHECKED = 0x400;
inline constexpr unsigned DFCS_HOT = 0x1000;
inline constexpr unsigned DFCS_ADJUSTRECT = 0x2000;
inline constexpr unsigned DFCS_FLAT = 0x4000;
inline constexpr unsigned DFCS_MONO = 0x8000;

class TGraphic;

// Drawing with the framework's operations on a QPainter. A control's paint
// handler attaches the widget's painter for the duration of Paint; a bitmap's
// canvas opens a painter on its image when first used. Rectangles have
// exclusive Right/Bottom. Drawing without a painter raises EInvalidOperation
// "Canvas does not allow drawing"; measuring text needs no painter.
class TCanvas : public TPersistent {
    ZK_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TBrush* GetBrush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
    TPen* GetPen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TPoint GetPenPos() const { return FPenPos; }
    void SetPenPos(TPoint Value) { FPenPos = Value; }

    // P is not owned and must stay valid until detached with nullptr.
    void SetPainter(QPainter* P);
    QPainter* GetPainter() const { return FPainter; }
    bool HandleAllocated() const { return FPainter != nullptr; }
    // Forgets what was selected into the painter, so the next operation
    // selects font, pen and brush again (after someone else used the painter).
    void Refresh();

    void FillRect(const TRect& R);
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& R);
    // Outlined with the pen, filled with the brush.
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    // X3, Y3: width and height of the corner ellipses.
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Polygon(const std::vector<TPoint>& Points);
    void Polyline(const std::vector<TPoint>& Points);
    void MoveTo(int X, int Y);
    // Draws from PenPos up to, not including, (X, Y), then moves PenPos there.
    void LineTo(int X, int Y);
    TColor GetPixel(int X, int Y);  // clNone when the device cannot be read
    void SetPixel(int X, int Y, TColor Color);

    // Text at (X, Y) as its top-left corner; with a solid brush the text cell
    // is filled first. PenPos moves to the end of the text.
    void TextOut(int X, int Y, const std::string& S);
    // Text clipped to R; with a solid brush R is filled first.
    void TextRect(const TRect& R, int X, int Y, const std::string& S);
    int TextWidth(const std::string& S) const;
    int TextHeight(const std::string& S) const;
    TSize TextExtent(const std::string& S) const;
    // Formatted text in R; with DT_CALCRECT only measures, widening or
    // narrowing R to the text and extending its bottom. Returns the text height.
    int DrawText(const std::string& S, TRect& R, unsigned Flags);

    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& R, TGraphic* Graphic);
    // Draws Image scaled into R; graphics draw themselves through this.
    void DrawImage(const TRect& R, const QImage& Image);

    // The clip rectangle; the whole device when nothing clips.
    TRect GetClipRect() const;
    void SetClipRect(const TRect& R);
    void IntersectClipRect(const TRect& R);
    void RemoveClipRect();

    // 3D borders; BF_ADJUST shrinks R by what was drawn.
    void DrawEdge(TRect& R, unsigned Edge, unsigned Flags);
    // Push buttons, check boxes and arrow buttons in the classic 3D look;
    // DFCS_ADJUSTRECT shrinks R to the face inside the border.
    void DrawFrameControl(TRect& R, unsigned Type, unsigned State);

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

protected:
    // Called when an operation needs a painter and none is attached; the base
    // raises EInvalidOperation, a bitmap's canvas opens one on its image.
    virtual void CreateHandle();
    // Called after every drawing operation; fires OnChange.
    virtual void Changed();

private:
    enum TSelected : uint8_t { selFont = 1, selPen = 2, selBrush = 4 };
    QPainter& Require(unsigned What);
    void FontChanged(TObject* Sender);
    void PenChanged(TObject* Sender);
    void BrushChanged(TObject* Sender);
    void FillSolid(const TRect& R, TColor Color);
    void Line(int X1, int Y1, int X2, int Y2, TColor Color);
    void DrawEdgeLines(const TRect& R, TColor TopLeft, TColor BottomRight, unsigned Flags);
    void DrawArrow(const TRect& R, unsigned Direction, TColor Color);
    void DrawButtonFace(TRect& R, unsigned State);
    void DrawCheckBox(TRect& R, unsigned State);

    TOwned<TFont> FFont;
    TOwned<TBrush> FBrush;
    TOwned<TPen> FPen;
    TPoint FPenPos;
    QFont FQFont;                  // FFont mapped, kept in step by FontChanged
    QPainter* FPainter = nullptr;  // not owned: the widget's paint handler or the bitmap canvas
    unsigned FSelected = 0;        // TSelected bits of what the painter holds now
    TNotifyEvent FOnChange;
};

// An image that can be drawn on a canvas, loaded and saved.
class TGraphic : public TPersistent {
    ZK_CLASS(TGraphic, TPersistent)
public:
    TGraphic() = default;

    virtual int GetWidth() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual int GetHeight() const = 0;
    virtual void SetHeight(int Value) = 0;
    virtual bool GetEmpty() const = 0;
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool GetModified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }

    // Files go through streams; failures raise EFOpenError/EFCreateError or
    // EInvalidGraphic.
    virtual void LoadFromFile(const std::string& FileName);
    virtual void SaveToFile(const std::string& FileName);
    virtual void LoadFromStream(TStream* Stream) = 0;
    virtual void SaveToStream(TStream* Stream) = 0;

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

    // Draws the whole image scaled into R of Canvas's painter.
    virtual void Draw(TCanvas* Canvas, const TRect& R) = 0;
    // Form data, as TPicture stores it: WriteData writes the image, ReadData
    // reads it back from the rest of Stream.
    virtual void ReadData(TStream* Stream) = 0;
    virtual void WriteData(TStream* Stream) = 0;

protected:
    // Called after every change to the image; sets Modified, fires OnChange.
    virtual void Changed();

private:
    bool FTransparent = false;
    bool FModified = false;
    TNotifyEvent FOnChange;
};

class TBitmapCanvas;

// A raster image held in a QImage. New bitmaps are 0 x 0 and empty.
class TBitmap : public TGraphic {
    ZK_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    ~TBitmap() override;

    int GetWidth() const override { return FImage.width(); }
    void SetWidth(int Value) override { SetSize(Value, GetHeight()); }
    int GetHeight() const override { return FImage.height(); }
    void SetHeight(int Value) override { SetSize(GetWidth(), Value); }
    bool GetEmpty() const override { return FImage.isNull(); }
    // Keeps the overlapping part of the image; new pixels are white.
    void SetSize(int W, int H);

    // Draws on the image; stays valid as long as the bitmap.
    TCanvas* GetCanvas();
    // The pixel as $00BBGGRR; clNone outside the image.
    TColor GetPixel(int X, int Y) const;
    // The image with every drawing so far applied.
    const QImage& GetImage() const;
    void SetImage(const QImage& Image);

    // The colour that becomes see-through when Transparent is set; by default
    // (clDefault) the bottom-left pixel's, as bitmaps drawn with a mask colour expect.
    TColor GetTransparentColor() const;
    void SetTransparentColor(TColor Value);

    // BMP or PNG by content; SaveToStream writes BMP, SaveToFile writes PNG
    // for a ".png" name and BMP otherwise.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    void SaveToFile(const std::string& FileName) override;
    // An image embedded in the program (Resources.h, type "BITMAP");
    // EResNotFound "Resource %s not found" when there is none.
    void LoadFromResourceName(const std::string& Name);

    void Assign(TPersistent* Source) override;
    void Draw(TCanvas* Canvas, const TRect& R) override;
    void ReadData(TStream* Stream) override;
    void WriteData(TStream* Stream) override;

private:
    friend class TBitmapCanvas;
    void CanvasChanged(TObject* Sender);
    // Ends drawing on the image so it can be read, copied or replaced.
    void FlushCanvas() const;
    void LoadFromBytes(const QByteArray& Bytes);
    QImage TransparentImage() const;

    QImage FImage;
    TColor FTransparentColor = clDefault;
    TOwned<TBitmapCanvas> FCanvas;  // created on first GetCanvas
};

// Holds one graphic for a published property (an image on a form). Forms
// store it as the binary property "Data".
class TPicture : public TPersistent {
    ZK_CLASS(TPicture, TPersistent)
public:
    TPicture();
    ~TPicture() override;

    // Null when empty. SetGraphic stores a copy of Value (null clears).
    TGraphic* GetGraphic() const { return FGraphic.get(); }
    void SetGraphic(TGraphic* Value);
    // The graphic as a bitmap; replaces any other graphic with an empty bitmap.
    TBitmap* GetBitmap();
    int GetWidth() const;
    int GetHeight() const;

    // The file's extension picks the graphic class: .bmp and .png make a
    // TBitmap; anything else raises EInvalidGraphic "Unknown picture file extension (.%s)".
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler* Filer) override;

protected:
    void AssignTo(TPersistent* Dest) override;
    // Called when the graphic is replaced or changes; fires OnChange.
    virtual void Changed(TObject* Sender);

private:
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream);
    void TakeGraphic(TOwned<TGraphic> Graphic);

    TOwned<TGraphic> FGraphic;
    TNotifyEvent FOnChange;
};

}  // namespace zk
