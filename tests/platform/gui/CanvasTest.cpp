// Tests for TCanvas: pixels of every drawing operation, 3D edges and frame controls, text
// measuring, colours and fonts.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/Graphics.h"

namespace zk {
namespace {

// A white bitmap to draw on.
TOwned<TBitmap> NewBitmap(int W, int H) {
    TOwned<TBitmap> B(Create<TBitmap>());
    B->SetSize(W, H);
    return B;
}

int Brightness(TColor C) {
    const TColor Rgb = ColorToRGB(C);
    return (Rgb & 0xFF) + ((Rgb >> 8) & 0xFF) + ((Rgb >> 16) & 0xFF);
}

// Pixels of one colour inside R, with their bounding box.
struct TColorCount {
    int Count = 0;
    TRect Box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
};

TColorCount CountColor(TBitmap* B, const TRect& R, TColor Color) {
    TColorCount Result;
    const TColor Want = ColorToRGB(Color);
    for (int Y = R.Top; Y < R.Bottom; ++Y)
        for (int X = R.Left; X < R.Right; ++X)
            if (B->GetPixel(X, Y) == Want) {
                ++Result.Count;
                Result.Box = {std::min(Result.Box.Left, X), std::min(Result.Box.Top, Y),
                              std::max(Result.Box.Right, X + 1),
                              std::max(Result.Box.Bottom, Y + 1)};
            }
    return Result;
}

TEST(CanvasTest, FillRectFillsExactlyTheExclusiveRectangle) {
    auto B = NewBitmap(20, 20);
    B->GetCanvas()->GetBrush()->SetColor(clRed);
    B->GetCanvas()->FillRect(Rect(5, 5, 15, 15));
    EXPECT_EQ(B->GetPixel(5, 5), clRed);
    EXPECT_EQ(B->GetPixel(14, 14), clRed);
    EXPECT_EQ(B->GetPixel(15, 15), clWhite);
    EXPECT_EQ(B->GetPixel(4, 4), clWhite);
    EXPECT_EQ(CountColor(B.get(), Rect(0, 0, 20, 20), clRed).Count, 100);
}

TEST(CanvasTest, ClearBrushFillsNothing) {
    auto B = NewBitmap(10, 10);
    B->GetCanvas()->GetBrush()->SetColor(clRed);
    B->GetCanvas()->GetBrush()->SetStyle(bsClear);
    B->GetCanvas()->FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(CountColor(B.get(), Rect(0, 0, 10, 10), clWhite).Count, 100);
}

TEST(CanvasTest, SystemColourBrushPaintsThePaletteColour) {
    auto B = NewBitmap(4, 4);
    B->GetCanvas()->GetBrush()->SetColor(clBtnFace);
    B->GetCanvas()->FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(B->GetPixel(2, 2), ColorToRGB(clBtnFace));
}

TEST(CanvasTest, FrameRectDrawsAOnePixelBorderInTheBrushColour) {
    auto B = NewBitmap(20, 20);
    B->GetCanvas()->GetBrush()->SetColor(clBlue);
    B->GetCanvas()->FrameRect(Rect(2, 2, 12, 12));
    for (TPoint P :
         {Point(2, 2), Point(11, 2), Point(2, 11), Point(11, 11), Point(6, 2), Point(11, 6)})
        EXPECT_EQ(B->GetPixel(P.X, P.Y), clBlue) << P.X << "," << P.Y;
    EXPECT_EQ(B->GetPixel(6, 6), clWhite);
    EXPECT_EQ(B->GetPixel(12, 12), clWhite);
    EXPECT_EQ(CountColor(B.get(), Rect(0, 0, 20, 20), clBlue).Count, 36);
}

TEST(CanvasTest, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    auto B = NewBitmap(20, 20);
    TCanvas* C = B->GetCanvas();
    C->GetPen()->SetColor(clBlack);
    C->GetBrush()->SetColor(clLime);
    C->Rectangle(2, 2, 12, 12);
    EXPECT_EQ(B->GetPixel(2, 2), clBlack);
    EXPECT_EQ(B->GetPixel(11, 11), clBlack);
    EXPECT_EQ(B->GetPixel(11, 2), clBlack);
    EXPECT_EQ(B->GetPixel(7, 7), clLime);
    EXPECT_EQ(B->GetPixel(12, 12), clWhite);
    EXPECT_EQ(B->GetPixel(12, 5), clWhite);
    EXPECT_EQ(CountColor(B.get(), Rect(0, 0, 20, 20), clBlack).Count, 36);
}

TEST(CanvasTest, EllipseFillsItsCentreAndLeavesTheCornersAlone) {
    auto B = NewBitmap(30, 30);
    TCanvas* C = B->GetCanvas();
    C->GetPen()->SetColor(clBlack);
    C->GetBrush()->SetColor(clRed);
    C->Ellipse(0, 0, 21, 21);
    EXPECT_EQ(B->GetPixel(10, 10), clRed);
    EXPECT_EQ(B->GetPixel(0, 0), clWhite);
    EXPECT_EQ(B->GetPixel(1, 1), clWhite);
    EXPECT_EQ(B->GetPixel(20, 20), clWhite);
    EXPECT_EQ(B->GetPixel(10, 0), clBlack) << "the outline passes through the top middle";
    EXPECT_EQ(B->GetPixel(22, 10), clWhite) << "nothing right of the bounding rectangle";
}

TEST(CanvasTest, PolygonFillsTheInsideOnly) {
    auto B = NewBitmap(30, 30);
    TCanvas* C = B->GetCanvas();
    C->GetPen()->SetColor(clBlue);
    C->GetBrush()->SetColor(clBlue);
    C->Polygon({Point(0, 0), Point(20, 0), Point(0, 20)});
    EXPECT_EQ(B->GetPixel(3, 3), clBlue);
    EXPECT_EQ(B->GetPixel(18, 18), clWhite);
    EXPECT_EQ(B->GetPixel(25, 2), clWhite);
}

TEST(CanvasTest, LineToLeavesOutItsEndPointAndMovesThePen) {
    auto B = NewBitmap(20, 20);
    TCanvas* C = B->GetCanvas();
    C->GetPen()->SetColor(clRed);
    C->MoveTo(0, 5);
    C->LineTo(10, 5);
    EXPECT_EQ(C->GetPenPos(), Point(10, 5));
    EXPECT_EQ(CountColor(B.get(), Rect(0, 0, 20, 20), clRed).Count, 10);
    EXPECT_EQ(B->GetPixel(9, 5), clRed);
    EXPECT_EQ(B->GetPixel(10, 5), clWhite);
    C->LineTo(10, 15);
    EXPECT_EQ(B->GetPixel(10, 5), clRed) << "the next line starts where the last one stopped";
    EXPECT_EQ(B->GetPixel(10, 15), clWhite);
}

TEST(CanvasTest, NotPenModeDrawnTwiceRestoresTheBackground) {
    auto B = NewBitmap(20, 20);
    TCanvas* C = B->GetCanvas();
    C->GetPen()->SetMode(pmNot);
    C->MoveTo(0, 3);
    C->LineTo(20, 3);
    EXPECT_EQ(B->GetPixel(5, 3), clBlack);
    C->MoveTo(0, 3);
    C->LineTo(20, 3);
    EXPECT_EQ(B->GetPixel(5, 3), clWhite);
    C->GetPen()->SetMode(pmCopy);
    C->GetBrush()->SetColor(clRed);
    C->FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(B->GetPixel(0, 0), clRed) << "fills ignore the pen's mode";
}

TEST(CanvasTest, ClipRectLimitsDrawingUntilRemoved) {
    auto B = NewBitmap(20, 20);
    TCanvas* C = B->GetCanvas();
    C->SetClipRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(C->GetClipRect(), Rect(0, 0, 10, 10));
    C->GetBrush()->SetColor(clRed);
    C->FillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(B->GetPixel(9, 9), clRed);
    EXPECT_EQ(B->GetPixel(10, 10), clWhite);
    EXPECT_EQ(B->GetPixel(15, 2), clWhite);
    C->SetClipRect(Rect(0, 0, 10, 10));
    C->IntersectClipRect(Rect(5, 5, 20, 20));
    EXPECT_EQ(C->GetClipRect(), Rect(5, 5, 10, 10));
    C->RemoveClipRect();
    EXPECT_EQ(C->GetClipRect(), Rect(0, 0, 20, 20));
    C->GetBrush()->SetColor(clBlue);
    C->FillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(B->GetPixel(15, 15), clBlue);
}

TEST(CanvasTest, TextRectNeverDrawsOutsideItsRectangle) {
    auto B = NewBitmap(60, 30);
    TCanvas* C = B->GetCanvas();
    C->GetBrush()->SetColor(clYellow);
    C->TextRect(Rect(0, 0, 10, 10), 0, 0, "WWWWWWWWWW");
    EXPECT_EQ(CountColor(B.get(), Rect(10, 0, 60, 30), clWhite).Count, 50 * 30);
    EXPECT_EQ(CountColor(B.get(), Rect(0, 10, 10, 30), clWhite).Count, 10 * 20);
    EXPECT_GT(CountColor(B.get(), Rect(0, 0, 10, 10), clYellow).Count, 0)
        << "a solid brush fills the rectangle";
}

TEST(CanvasTest, TextOutWithSolidBrushFillsTheTextCellAndMovesThePen) {
    auto B = NewBitmap(100, 40);
    TCanvas* C = B->GetCanvas();
    C->GetBrush()->SetColor(clAqua);
    C->TextOut(5, 5, "Hi");
    EXPECT_EQ(C->GetPenPos(), Point(5 + C->TextWidth("Hi"), 5));
    EXPECT_EQ(B->GetPixel(5, 5), clAqua) << "the top-left of the cell is background";
    EXPECT_EQ(B->GetPixel(4, 5), clWhite);
    EXPECT_EQ(B->GetPixel(5, 5 + C->TextHeight("Hi")), clWhite);
}

TEST(CanvasTest, DrawEdgeRaisedIsLightTopLeftAndDarkBottomRight) {
    auto B = NewBitmap(20, 20);
    TRect R = Rect(0, 0, 20, 20);
    B->GetCanvas()->DrawEdge(R, EDGE_RAISED, BF_RECT);
    EXPECT_GT(Brightness(B->GetPixel(0, 10)), Brightness(B->GetPixel(19, 10)));
    EXPECT_GT(Brightness(B->GetPixel(10, 0)), Brightness(B->GetPixel(10, 19)));
    EXPECT_EQ(B->GetPixel(0, 10), ColorToRGB(cl3DLight));
    EXPECT_EQ(B->GetPixel(1, 10), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(B->GetPixel(19, 10), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(B->GetPixel(18, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(B->GetPixel(0, 19), ColorToRGB(cl3DDkShadow))
        << "the bottom line runs under the left one";
    EXPECT_EQ(B->GetPixel(10, 10), clWhite) << "no BF_MIDDLE: the inside stays";
    EXPECT_EQ(R, Rect(0, 0, 20, 20)) << "no BF_ADJUST: the rectangle stays";
}

TEST(CanvasTest, DrawEdgeSunkenIsDarkTopLeftAndLightBottomRight) {
    auto B = NewBitmap(20, 20);
    TRect R = Rect(0, 0, 20, 20);
    B->GetCanvas()->DrawEdge(R, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
    EXPECT_LT(Brightness(B->GetPixel(0, 10)), Brightness(B->GetPixel(19, 10)));
    EXPECT_LT(Brightness(B->GetPixel(10, 0)), Brightness(B->GetPixel(10, 19)));
    EXPECT_EQ(B->GetPixel(0, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(B->GetPixel(1, 10), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(B->GetPixel(19, 10), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(B->GetPixel(10, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(R, Rect(2, 2, 18, 18));
}

TEST(CanvasTest, DrawEdgeDrawsOnlyTheSidesAsked) {
    auto B = NewBitmap(20, 20);
    TRect R = Rect(0, 0, 20, 20);
    B->GetCanvas()->DrawEdge(R, BDR_RAISEDINNER, BF_BOTTOM | BF_ADJUST);
    EXPECT_EQ(B->GetPixel(10, 19), ColorToRGB(clBtnShadow));
    EXPECT_EQ(B->GetPixel(0, 10), clWhite);
    EXPECT_EQ(B->GetPixel(10, 0), clWhite);
    EXPECT_EQ(R, Rect(0, 0, 20, 19));
}

TEST(CanvasTest, DrawEdgeFlatAndSoft) {
    auto B = NewBitmap(20, 20);
    TRect R = Rect(0, 0, 20, 20);
    B->GetCanvas()->DrawEdge(R, EDGE_RAISED, BF_RECT | BF_FLAT);
    EXPECT_EQ(B->GetPixel(0, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(B->GetPixel(19, 10), ColorToRGB(clBtnShadow));
    R = Rect(0, 0, 20, 20);
    B->GetCanvas()->DrawEdge(R, EDGE_RAISED, BF_RECT | BF_SOFT);
    EXPECT_EQ(B->GetPixel(0, 10), ColorToRGB(clBtnHighlight))
        << "soft: the outer ring is the brightest";
    EXPECT_EQ(B->GetPixel(1, 10), ColorToRGB(cl3DLight));
}

constexpr TRect ButtonRect = {0, 0, 17, 17};
const TRect ButtonFace = {2, 2, 15, 15};

TOwned<TBitmap> DrawComboButton(unsigned State) {
    auto B = NewBitmap(17, 17);
    TRect R = ButtonRect;
    B->GetCanvas()->DrawFrameControl(R, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | State);
    return B;
}

TEST(CanvasTest, ComboButtonHasASmallBlackDownArrowInTheMiddle) {
    auto B = DrawComboButton(0);
    const TColorCount Arrow = CountColor(B.get(), ButtonRect, clBlack);
    EXPECT_EQ(Arrow.Count, 7 + 5 + 3 + 1);
    EXPECT_EQ(Arrow.Box.Width(), 7);
    EXPECT_EQ(Arrow.Box.Height(), 4);
    EXPECT_GE(Arrow.Box.Left, 4);
    EXPECT_LE(Arrow.Box.Right, 13);
    EXPECT_GE(Arrow.Box.Top, 5);
    EXPECT_LE(Arrow.Box.Bottom, 12);
    // Pointing down: the wide row is on top, the tip below it.
    EXPECT_EQ(B->GetPixel(Arrow.Box.Left, Arrow.Box.Top), clBlack);
    EXPECT_EQ(B->GetPixel(Arrow.Box.Left, Arrow.Box.Bottom - 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(B->GetPixel(Arrow.Box.Left + 3, Arrow.Box.Bottom - 1), clBlack);
    // A raised face around it.
    EXPECT_EQ(B->GetPixel(0, 8), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(B->GetPixel(16, 8), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(B->GetPixel(3, 3), ColorToRGB(clBtnFace));
}

TEST(CanvasTest, PushedComboButtonGoesFlatWithTheArrowMovedDownRight) {
    auto Normal = DrawComboButton(0);
    auto Pushed = DrawComboButton(DFCS_PUSHED);
    const TColorCount A = CountColor(Normal.get(), ButtonRect, clBlack);
    const TColorCount P = CountColor(Pushed.get(), ButtonRect, clBlack);
    EXPECT_EQ(P.Count, A.Count);
    EXPECT_EQ(P.Box, OffsetRect(A.Box, 1, 1));
    for (TPoint Border : {Point(0, 8), Point(16, 8), Point(8, 0), Point(8, 16)})
        EXPECT_EQ(Pushed->GetPixel(Border.X, Border.Y), ColorToRGB(clBtnShadow))
            << Border.X << "," << Border.Y;
    EXPECT_EQ(CountColor(Pushed.get(), ButtonRect, clBtnHighlight).Count, 0);
}

TEST(CanvasTest, FlatComboButtonHasAShadowFrameAndTheArrowInPlace) {
    auto Flat = DrawComboButton(DFCS_FLAT);
    EXPECT_EQ(CountColor(Flat.get(), ButtonRect, clBlack).Box,
              CountColor(DrawComboButton(0).get(), ButtonRect, clBlack).Box);
    EXPECT_EQ(Flat->GetPixel(0, 8), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Flat->GetPixel(16, 8), ColorToRGB(clBtnShadow));
    EXPECT_EQ(CountColor(Flat.get(), ButtonRect, clBtnHighlight).Count, 0);
    EXPECT_EQ(CountColor(Flat.get(), ButtonRect, clBlack).Count, 16);
}

TEST(CanvasTest, InactiveComboButtonHasAGreyEmbossedArrowAndNoBlack) {
    auto B = DrawComboButton(DFCS_INACTIVE);
    EXPECT_EQ(CountColor(B.get(), ButtonRect, clBlack).Count, 0);
    const TColorCount Grey = CountColor(B.get(), ButtonFace, clBtnShadow);
    EXPECT_EQ(Grey.Count, 16);
    const TColorCount Light = CountColor(B.get(), ButtonFace, clBtnHighlight);
    EXPECT_GT(Light.Count, 0) << "the white emboss shows below and right of the grey arrow";
    EXPECT_EQ(Light.Box.Right, Grey.Box.Right + 1);
}

TEST(CanvasTest, ScrollArrowsPointTheirWay) {
    auto B = NewBitmap(17, 17);
    TRect R = ButtonRect;
    B->GetCanvas()->DrawFrameControl(R, DFC_SCROLL, DFCS_SCROLLRIGHT);
    const TColorCount Right = CountColor(B.get(), ButtonRect, clBlack);
    EXPECT_EQ(Right.Box.Width(), 4);
    EXPECT_EQ(Right.Box.Height(), 7);
    EXPECT_EQ(B->GetPixel(Right.Box.Left, Right.Box.Top), clBlack) << "base on the left";
    EXPECT_EQ(B->GetPixel(Right.Box.Right - 1, Right.Box.Top), ColorToRGB(clBtnFace));
    R = ButtonRect;
    B->GetCanvas()->DrawFrameControl(R, DFC_SCROLL, DFCS_SCROLLUP);
    const TColorCount Up = CountColor(B.get(), ButtonRect, clBlack);
    EXPECT_EQ(Up.Box.Height(), 4);
    EXPECT_EQ(B->GetPixel(Up.Box.Left, Up.Box.Bottom - 1), clBlack) << "base at the bottom";
}

TEST(CanvasTest, PushButtonIsRaisedNormallyAndSunkenWhenPushed) {
    auto B = NewBitmap(40, 20);
    TRect Normal = Rect(0, 0, 20, 20);
    TRect Pushed = Rect(20, 0, 40, 20);
    B->GetCanvas()->DrawFrameControl(Normal, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    B->GetCanvas()->DrawFrameControl(Pushed, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    EXPECT_EQ(Normal, Rect(2, 2, 18, 18)) << "DFCS_ADJUSTRECT gives the face";
    EXPECT_EQ(Pushed, Rect(20, 0, 40, 20));
    EXPECT_GT(Brightness(B->GetPixel(0, 10)), Brightness(B->GetPixel(19, 10)));
    EXPECT_LT(Brightness(B->GetPixel(20, 10)), Brightness(B->GetPixel(39, 10)));
    EXPECT_EQ(B->GetPixel(10, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(B->GetPixel(30, 10), ColorToRGB(clBtnFace));
}

TEST(CanvasTest, CheckBoxShowsATickOnlyWhenChecked) {
    auto B = NewBitmap(40, 20);
    TRect Off = Rect(0, 0, 20, 20);
    TRect On = Rect(20, 0, 40, 20);
    B->GetCanvas()->DrawFrameControl(Off, DFC_BUTTON, DFCS_BUTTONCHECK);
    B->GetCanvas()->DrawFrameControl(On, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(CountColor(B.get(), Rect(4, 4, 16, 16), clBlack).Count, 0);
    EXPECT_EQ(CountColor(B.get(), Rect(24, 4, 36, 16), clBlack).Count, 21);
    EXPECT_GT(CountColor(B.get(), Rect(24, 4, 36, 16), clWindow).Count, 0);
}

TEST(CanvasTest, TextWidthGrowsWithTheTextAndTheFont) {
    TOwned<TCanvas> C(Create<TCanvas>());
    EXPECT_EQ(C->TextWidth(""), 0);
    EXPECT_GT(C->TextWidth("ab"), 0);
    EXPECT_LT(C->TextWidth("ab"), C->TextWidth("abcdef"));
    EXPECT_GT(C->TextHeight("x"), 0);
    const int Small = C->TextWidth("Inspector");
    const int SmallHeight = C->TextHeight("Inspector");
    C->GetFont()->SetHeight(-22);
    EXPECT_GT(C->TextWidth("Inspector"), Small * 3 / 2);
    EXPECT_GT(C->TextHeight("Inspector"), SmallHeight * 3 / 2);
}

TEST(CanvasTest, DrawTextCalcRectWrapsToMoreHeightInNarrowRectangles) {
    TOwned<TCanvas> C(Create<TCanvas>());
    const std::string Text = "The quick brown fox jumps over the lazy dog again and again";
    TRect Wide = Rect(0, 0, 2000, 0);
    const int WideHeight = C->DrawText(Text, Wide, DT_CALCRECT | DT_WORDBREAK);
    TRect Narrow = Rect(10, 10, 70, 10);
    const int NarrowHeight = C->DrawText(Text, Narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(WideHeight, C->TextHeight(Text));
    EXPECT_EQ(Wide.Height(), WideHeight);
    EXPECT_EQ(Wide.Width(), C->TextWidth(Text))
        << "a single line narrows the rectangle to the text";
    EXPECT_GE(NarrowHeight, 4 * WideHeight);
    EXPECT_EQ(Narrow.Top, 10);
    EXPECT_EQ(Narrow.Bottom, 10 + NarrowHeight);
    EXPECT_LE(Narrow.Width(), 60);
}

TEST(CanvasTest, DrawTextPrefixAmpersandsUnlessNoPrefix) {
    TOwned<TCanvas> C(Create<TCanvas>());
    TRect WithPrefix = Rect(0, 0, 500, 0);
    TRect Literal = Rect(0, 0, 500, 0);
    C->DrawText("&&File", WithPrefix, DT_CALCRECT | DT_SINGLELINE);
    C->DrawText("&&File", Literal, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(WithPrefix.Width(), C->TextWidth("&File"));
    EXPECT_EQ(Literal.Width(), C->TextWidth("&&File"));
}

TEST(CanvasTest, DrawTextCalcRectDrawsNothing) {
    auto B = NewBitmap(100, 30);
    B->GetCanvas()->GetBrush()->SetColor(clRed);
    TRect R = Rect(0, 0, 100, 30);
    B->GetCanvas()->DrawText("Some text", R, DT_CALCRECT);
    EXPECT_EQ(CountColor(B.get(), Rect(0, 0, 100, 30), clWhite).Count, 3000);
}

TEST(CanvasTest, DrawTextStaysInsideItsRectangleUnlessNoClip) {
    auto B = NewBitmap(100, 30);
    TCanvas* C = B->GetCanvas();
    C->GetBrush()->SetStyle(bsClear);
    C->GetFont()->SetColor(clBlack);
    TRect R = Rect(0, 0, 20, 30);
    C->DrawText("WWWWWWWWWWWW", R, DT_SINGLELINE | DT_RTLREADING);
    EXPECT_EQ(CountColor(B.get(), Rect(20, 0, 100, 30), clWhite).Count, 80 * 30);
    EXPECT_LT(CountColor(B.get(), Rect(0, 0, 20, 30), clWhite).Count, 20 * 30)
        << "something was drawn";
}

TEST(CanvasTest, DrawingWithoutAPainterRaisesButMeasuringWorks) {
    TOwned<TCanvas> C(Create<TCanvas>());
    EXPECT_FALSE(C->HandleAllocated());
    EXPECT_THROW(C->FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
    EXPECT_THROW(C->TextOut(0, 0, "x"), EInvalidOperation);
    EXPECT_GT(C->TextWidth("x"), 0);
}

TEST(CanvasTest, AttachedPainterReceivesTheDrawingUntilDetached) {
    QImage Target(10, 10, QImage::Format_RGB32);
    Target.fill(Qt::white);
    TOwned<TCanvas> C(Create<TCanvas>());
    {
        QPainter P(&Target);
        C->SetPainter(&P);
        EXPECT_TRUE(C->HandleAllocated());
        C->GetBrush()->SetColor(clNavy);
        C->FillRect(Rect(0, 0, 5, 5));
        C->SetPainter(nullptr);
    }
    EXPECT_FALSE(C->HandleAllocated());
    EXPECT_EQ(Target.pixelColor(2, 2), QColor(0, 0, 128));
    EXPECT_EQ(Target.pixelColor(7, 7), QColor(255, 255, 255));
}

TEST(CanvasTest, DrawingOnABitmapReportsEachChangeToTheBitmap) {
    auto B = NewBitmap(10, 10);
    int Changes = 0;
    B->SetOnChange(TNotifyEvent([&](TObject*) { ++Changes; }));
    TCanvas* C = B->GetCanvas();
    C->FillRect(Rect(0, 0, 2, 2));
    C->Rectangle(0, 0, 5, 5);
    EXPECT_EQ(Changes, 2);
    C->GetBrush()->SetColor(clRed);
    EXPECT_EQ(Changes, 2) << "choosing a brush draws nothing";
}

struct TColorCase {
    const char* Name;
    TColor Color;
    QColor Expected;
};

std::ostream& operator<<(std::ostream& Out, const TColorCase& C) {
    return Out << C.Name;
}

class ColorMappingTest : public testing::TestWithParam<TColorCase> {};

TEST_P(ColorMappingTest, MapsToTheQtColour) {
    EXPECT_EQ(ColorToQColor(GetParam().Color), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Colors, ColorMappingTest,
    testing::Values(TColorCase{"clRed", clRed, QColor(255, 0, 0)},
                    TColorCase{"clLime", clLime, QColor(0, 255, 0)},
                    TColorCase{"clBlue", clBlue, QColor(0, 0, 255)},
                    TColorCase{"clNavy", clNavy, QColor(0, 0, 128)},
                    TColorCase{"clMaroon", clMaroon, QColor(128, 0, 0)},
                    TColorCase{"clBlack", clBlack, QColor(0, 0, 0)},
                    TColorCase{"clWhite", clWhite, QColor(255, 255, 255)},
                    TColorCase{"Rgb123456", 0x123456, QColor(0x56, 0x34, 0x12)},
                    TColorCase{"clBtnHighlight", clBtnHighlight, QColor(255, 255, 255)},
                    TColorCase{"clWindowText", clWindowText, QColor(0, 0, 0)},
                    TColorCase{"clWindow", clWindow, QColor(255, 255, 255)},
                    TColorCase{"clDefault", clDefault, QColor(255, 255, 255)},
                    TColorCase{"clNone", clNone, QColor(0, 0, 0, 0)}),
    [](const testing::TestParamInfo<TColorCase>& Info) { return std::string(Info.param.Name); });

TEST(ColorMappingTest, EverySystemColourIsOpaqueAndTheBevelColoursAreOrdered) {
    for (int I = 0; I <= 30; ++I) {
        const QColor C = ColorToQColor(clSystemColor | I);
        EXPECT_EQ(C.alpha(), 255) << "system colour " << I;
        EXPECT_EQ(ColorToRGB(clSystemColor | I) & ~0xFFFFFF, 0) << "system colour " << I;
    }
    EXPECT_GT(Brightness(clBtnHighlight), Brightness(clBtnFace));
    EXPECT_GT(Brightness(clBtnFace), Brightness(clBtnShadow));
    EXPECT_GT(Brightness(clBtnShadow), Brightness(cl3DDkShadow));
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(0x02123456), 0x123456);
    EXPECT_EQ(QColorToColor(QColor(1, 2, 3)), 0x030201);
}

TEST(FontMappingTest, HeightStyleAndFamilyMapToTheQtFont) {
    TFont F;
    QFont Q = FontToQFont(F);
    EXPECT_EQ(Q.pixelSize(), 11);
    EXPECT_EQ(Q.family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family())
        << "the framework's dialog font is the platform's sans font";
    EXPECT_FALSE(Q.bold());
    F.SetHeight(12);
    F.SetStyle({fsBold, fsItalic, fsUnderline, fsStrikeOut});
    F.SetName("Courier New");
    F.SetPitch(fpFixed);
    Q = FontToQFont(F);
    // A positive height is the cell height; the characters get four fifths of it.
    EXPECT_EQ(Q.pixelSize(), 9);
    EXPECT_TRUE(Q.bold());
    EXPECT_TRUE(Q.italic());
    EXPECT_TRUE(Q.underline());
    EXPECT_TRUE(Q.strikeOut());
    EXPECT_EQ(Q.family(), "Courier New");
    EXPECT_TRUE(Q.fixedPitch());
}

// Not a check of looks (fonts differ between machines) but the picture to look at.
TEST(CanvasSampleTest, RendersTheClassicSampleToPng) {
    auto B = NewBitmap(260, 150);
    TCanvas* C = B->GetCanvas();
    C->GetBrush()->SetColor(clBtnFace);
    C->FillRect(Rect(0, 0, 260, 150));
    const unsigned States[] = {0, DFCS_PUSHED, DFCS_FLAT, DFCS_INACTIVE};
    for (int I = 0; I < 4; ++I) {
        TRect R = Bounds(10 + I * 24, 10, 17, 17);
        C->DrawFrameControl(R, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | States[I]);
        R = Bounds(10 + I * 24, 34, 17, 17);
        C->DrawFrameControl(R, DFC_BUTTON, DFCS_BUTTONPUSH | States[I]);
        C->GetBrush()->SetColor(clBlack);
        for (int D = 0; D < 3; ++D) C->FillRect(Bounds(R.Left + 4 + D * 4, R.Top + 11, 2, 2));
    }
    TRect Edge = Bounds(120, 10, 60, 20);
    C->DrawEdge(Edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    Edge = Bounds(190, 10, 60, 20);
    C->DrawEdge(Edge, EDGE_SUNKEN, BF_RECT);
    C->GetBrush()->SetColor(clWindow);
    C->FillRect(Bounds(192, 12, 56, 16));
    Edge = Bounds(120, 36, 60, 20);
    C->DrawEdge(Edge, EDGE_ETCHED, BF_RECT);
    TRect Check = Bounds(190, 36, 20, 20);
    C->DrawFrameControl(Check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    Check = Bounds(214, 36, 20, 20);
    C->DrawFrameControl(Check, DFC_BUTTON, DFCS_BUTTONCHECK);
    C->GetPen()->SetColor(clNavy);
    C->GetBrush()->SetColor(clYellow);
    C->Rectangle(10, 64, 60, 100);
    C->GetBrush()->SetColor(clRed);
    C->Ellipse(70, 64, 120, 100);
    C->GetBrush()->SetColor(clLime);
    C->Polygon({Point(130, 100), Point(155, 64), Point(180, 100)});
    C->GetBrush()->SetColor(clSkyBlue);
    C->RoundRect(190, 64, 250, 100, 10, 10);
    C->GetBrush()->SetStyle(bsClear);
    C->GetFont()->SetColor(clBtnText);
    C->TextOut(10, 110, "Object Inspector");
    TRect Text = Rect(130, 106, 250, 146);
    C->GetFont()->SetStyle({fsBold});
    C->DrawText("Word-wrapped text in a narrow box", Text, DT_WORDBREAK | DT_CENTER);
    // ZK_CANVAS_SAMPLE names a file to keep the picture in.
    QTemporaryDir Dir;
    const QByteArray Keep = qgetenv("ZK_CANVAS_SAMPLE");
    const std::string File =
        Keep.isEmpty() ? Dir.filePath("sample.png").toStdString() : Keep.toStdString();
    B->SaveToFile(File);
    TOwned<TBitmap> Read(Create<TBitmap>());
    Read->LoadFromFile(File);
    EXPECT_EQ(Read->GetWidth(), 260);
    EXPECT_EQ(Read->GetPixel(17, 18), B->GetPixel(17, 18));
}

}  // namespace
}  // namespace zk
