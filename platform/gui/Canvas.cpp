// TCanvas: the framework's drawing operations on a QPainter, with 3D edges and frame controls.
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "platform/core/ClassBuilder.h"
#include "platform/gui/Graphics.h"

namespace zk {

namespace {

QRect ToQRect(const TRect& R) {
    return QRect(R.Left, R.Top, R.Width(), R.Height());
}

QPolygon ToQPolygon(const std::vector<TPoint>& Points) {
    QPolygon Result;
    Result.reserve(static_cast<int>(Points.size()));
    for (const TPoint& P : Points) Result << QPoint(P.X, P.Y);
    return Result;
}

QPainter::CompositionMode CompositionFor(TPenMode Mode) {
    switch (Mode) {
        case pmBlack:
            return QPainter::RasterOp_ClearDestination;
        case pmWhite:
            return QPainter::RasterOp_SetDestination;
        case pmNop:
            return QPainter::CompositionMode_Destination;
        case pmNot:
            return QPainter::RasterOp_NotDestination;
        case pmNotCopy:
            return QPainter::RasterOp_NotSource;
        case pmMergePenNot:
            return QPainter::RasterOp_SourceOrNotDestination;
        case pmMaskPenNot:
            return QPainter::RasterOp_SourceAndNotDestination;
        case pmMergeNotPen:
            return QPainter::RasterOp_NotSourceOrDestination;
        case pmMaskNotPen:
            return QPainter::RasterOp_NotSourceAndDestination;
        case pmMerge:
            return QPainter::RasterOp_SourceOrDestination;
        case pmNotMerge:
            return QPainter::RasterOp_NotSourceAndNotDestination;
        case pmMask:
            return QPainter::RasterOp_SourceAndDestination;
        case pmNotMask:
            return QPainter::RasterOp_NotSourceOrNotDestination;
        case pmXor:
            return QPainter::RasterOp_SourceXorDestination;
        case pmNotXor:
            return QPainter::RasterOp_NotSourceXorDestination;
        default:
            return QPainter::CompositionMode_SourceOver;
    }
}

// Qt's flags for a DrawText format. Vertical alignment only applies to a
// single line, as the framework has it; alignment never mirrors for
// right-to-left text.
int QtTextFlags(unsigned Flags) {
    int Result = Qt::AlignAbsolute;
    if (Flags & DT_CENTER)
        Result |= Qt::AlignHCenter;
    else if (Flags & DT_RIGHT)
        Result |= Qt::AlignRight;
    else
        Result |= Qt::AlignLeft;
    if ((Flags & DT_SINGLELINE) && (Flags & DT_VCENTER))
        Result |= Qt::AlignVCenter;
    else if ((Flags & DT_SINGLELINE) && (Flags & DT_BOTTOM))
        Result |= Qt::AlignBottom;
    else
        Result |= Qt::AlignTop;
    if (Flags & DT_SINGLELINE)
        Result |= Qt::TextSingleLine;
    else if (Flags & DT_WORDBREAK)
        Result |= Qt::TextWordWrap;
    if (Flags & DT_EXPANDTABS) Result |= Qt::TextExpandTabs;
    if (Flags & DT_NOCLIP) Result |= Qt::TextDontClip;
    if (!(Flags & DT_NOPREFIX)) Result |= Qt::TextShowMnemonic;
    return Result;
}

QString ElideFor(const QFontMetrics& Metrics, const QString& Text, unsigned Flags, int Width) {
    if (Flags & DT_PATH_ELLIPSIS) return Metrics.elidedText(Text, Qt::ElideMiddle, Width);
    if (Flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
        return Metrics.elidedText(Text, Qt::ElideRight, Width);
    return Text;
}

}  // namespace

ZK_IMPLEMENT_CLASS(TCanvas)
void TCanvas::DescribeClass(TClassBuilder<TCanvas>&) {}

TCanvas::TCanvas() : FFont(Create<TFont>()), FBrush(Create<TBrush>()), FPen(Create<TPen>()) {
    FFont->SetOnChange(TNotifyEvent(this, &TCanvas::FontChanged));
    FPen->SetOnChange(TNotifyEvent(this, &TCanvas::PenChanged));
    FBrush->SetOnChange(TNotifyEvent(this, &TCanvas::BrushChanged));
    FQFont = FontToQFont(*FFont);
}

TCanvas::~TCanvas() = default;

void TCanvas::SetPainter(QPainter* P) {
    FPainter = P;
    FSelected = 0;
}

void TCanvas::Refresh() {
    FSelected = 0;
}

void TCanvas::FontChanged(TObject*) {
    FQFont = FontToQFont(*FFont);
    FSelected &= ~selFont;
}

void TCanvas::PenChanged(TObject*) {
    FSelected &= ~selPen;
}

void TCanvas::BrushChanged(TObject*) {
    FSelected &= ~selBrush;
}

void TCanvas::CreateHandle() {}

void TCanvas::Changed() {
    if (FOnChange.Assigned()) FOnChange(this);
}

// Selects what an operation needs into the painter. The pen also decides the
// composition mode; operations that do not draw with the pen leave selPen
// clear after changing either.
QPainter& TCanvas::Require(unsigned What) {
    if (!FPainter) CreateHandle();
    if (!FPainter) throw EInvalidOperation("Canvas does not allow drawing");
    const unsigned Missing = What & ~FSelected;
    if (Missing & selFont) FPainter->setFont(FQFont);
    if (Missing & selPen) {
        FPainter->setPen(FPen->ToQPen());
        FPainter->setCompositionMode(CompositionFor(FPen->GetMode()));
    }
    if (Missing & selBrush) FPainter->setBrush(FBrush->ToQBrush());
    FSelected |= Missing;
    return *FPainter;
}

// Fills with a colour regardless of brush and pen: edges, frames, arrows.
void TCanvas::FillSolid(const TRect& R, TColor Color) {
    if (R.IsEmpty()) return;
    QPainter& P = Require(0);
    if (FSelected & selPen) {
        P.setCompositionMode(QPainter::CompositionMode_SourceOver);
        FSelected &= ~selPen;
    }
    P.fillRect(ToQRect(R), ColorToQColor(Color));
}

void TCanvas::Line(int X1, int Y1, int X2, int Y2, TColor Color) {
    FillSolid(Rect(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2) + 1, std::max(Y1, Y2) + 1),
              Color);
}

void TCanvas::FillRect(const TRect& R) {
    QPainter& P = Require(0);
    if (FBrush->GetStyle() == bsClear || R.IsEmpty()) return;
    if (FSelected & selPen) {
        P.setCompositionMode(QPainter::CompositionMode_SourceOver);
        FSelected &= ~selPen;
    }
    P.fillRect(ToQRect(R), FBrush->ToQBrush());
    Changed();
}

void TCanvas::FrameRect(const TRect& R) {
    Require(0);
    if (FBrush->GetStyle() == bsClear || R.IsEmpty()) return;
    const TColor C = FBrush->GetColor();
    FillSolid(Rect(R.Left, R.Top, R.Right, R.Top + 1), C);
    FillSolid(Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), C);
    FillSolid(Rect(R.Left, R.Top, R.Left + 1, R.Bottom), C);
    FillSolid(Rect(R.Right - 1, R.Top, R.Right, R.Bottom), C);
    Changed();
}

// The outline covers X1..X2-1 and Y1..Y2-1, as with exclusive rectangles.
void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    QPainter& P = Require(selPen | selBrush);
    P.drawRect(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1));
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    QPainter& P = Require(selPen | selBrush);
    P.drawEllipse(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1));
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    QPainter& P = Require(selPen | selBrush);
    P.drawRoundedRect(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), X3 / 2.0, Y3 / 2.0,
                      Qt::AbsoluteSize);
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
    QPainter& P = Require(selPen | selBrush);
    P.drawPolygon(ToQPolygon(Points), Qt::OddEvenFill);
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
    QPainter& P = Require(selPen);
    P.drawPolyline(ToQPolygon(Points));
    Changed();
}

void TCanvas::MoveTo(int X, int Y) {
    FPenPos = {X, Y};
}

// The last point is left out by stepping back one pixel along the line's
// longer axis, so that joined lines do not draw their joints twice (which
// matters for pmXor drag lines).
void TCanvas::LineTo(int X, int Y) {
    QPainter& P = Require(selPen);
    const int DX = X - FPenPos.X, DY = Y - FPenPos.Y;
    const int Steps = std::max(std::abs(DX), std::abs(DY));
    if (Steps > 0) {
        const double EndX = X - static_cast<double>(DX) / Steps;
        const double EndY = Y - static_cast<double>(DY) / Steps;
        P.drawLine(QPoint(FPenPos.X, FPenPos.Y), QPoint(qRound(EndX), qRound(EndY)));
    }
    FPenPos = {X, Y};
    Changed();
}

TColor TCanvas::GetPixel(int X, int Y) {
    if (!FPainter) CreateHandle();
    auto* Image = FPainter ? dynamic_cast<QImage*>(FPainter->device()) : nullptr;
    if (!Image || !Image->valid(X, Y)) return clNone;
    return QColorToColor(Image->pixelColor(X, Y));
}

void TCanvas::SetPixel(int X, int Y, TColor Color) {
    FillSolid(Rect(X, Y, X + 1, Y + 1), Color);
    Changed();
}

void TCanvas::TextOut(int X, int Y, const std::string& S) {
    QPainter& P = Require(selFont | selBrush);
    const QString Text = QString::fromUtf8(S);
    const QFontMetrics Metrics(FQFont);
    const int W = TextWidth(S);
    if (FBrush->GetStyle() != bsClear)
        FillSolid(Bounds(X, Y, W, Metrics.height()), FBrush->GetColor());
    P.setCompositionMode(QPainter::CompositionMode_SourceOver);
    P.setPen(ColorToQColor(FFont->GetColor()));
    FSelected &= ~selPen;
    P.drawText(QPoint(X, Y + Metrics.ascent()), Text);
    FPenPos = {X + W, Y};
    Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& S) {
    QPainter& P = Require(selFont | selBrush);
    const unsigned Selected = FSelected;
    P.save();
    P.setClipRect(ToQRect(R), P.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    if (FBrush->GetStyle() != bsClear) FillSolid(R, FBrush->GetColor());
    P.setCompositionMode(QPainter::CompositionMode_SourceOver);
    P.setPen(ColorToQColor(FFont->GetColor()));
    P.drawText(QPoint(X, Y + QFontMetrics(FQFont).ascent()), QString::fromUtf8(S));
    P.restore();
    FSelected = Selected;
    Changed();
}

// Rounded up, as DrawText measures, so that a cell sized by TextWidth never
// clips the text's last pixel.
int TCanvas::TextWidth(const std::string& S) const {
    return static_cast<int>(
        std::ceil(QFontMetricsF(FQFont).horizontalAdvance(QString::fromUtf8(S))));
}

int TCanvas::TextHeight(const std::string&) const {
    return QFontMetrics(FQFont).height();
}

TSize TCanvas::TextExtent(const std::string& S) const {
    return {TextWidth(S), TextHeight(S)};
}

int TCanvas::DrawText(const std::string& S, TRect& R, unsigned Flags) {
    const QFontMetrics Metrics(FQFont);
    const int QtFlags = QtTextFlags(Flags);
    QString Text = QString::fromUtf8(S);
    if (!(Flags & DT_WORDBREAK) || (Flags & DT_SINGLELINE))
        Text = ElideFor(Metrics, Text, Flags, R.Width());
    const QRect Bound = Metrics.boundingRect(ToQRect(R), QtFlags, Text);
    if (Flags & DT_CALCRECT) {
        R.Right = R.Left + Bound.width();
        R.Bottom = R.Top + Bound.height();
        return Bound.height();
    }
    QPainter& P = Require(selFont | selBrush);
    if (FBrush->GetStyle() != bsClear) {
        const TRect Cell = Bounds(Bound.x(), Bound.y(), Bound.width(), Bound.height());
        FillSolid((Flags & DT_NOCLIP) ? Cell : IntersectRect(Cell, R), FBrush->GetColor());
    }
    const Qt::LayoutDirection Direction = P.layoutDirection();
    P.setLayoutDirection((Flags & DT_RTLREADING) ? Qt::RightToLeft : Qt::LeftToRight);
    P.setCompositionMode(QPainter::CompositionMode_SourceOver);
    P.setPen(ColorToQColor(FFont->GetColor()));
    FSelected &= ~selPen;
    P.drawText(ToQRect(R), QtFlags, Text);
    P.setLayoutDirection(Direction);
    Changed();
    return Bound.height();
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
    if (!Graphic || Graphic->GetEmpty()) return;
    Graphic->Draw(this, Bounds(X, Y, Graphic->GetWidth(), Graphic->GetHeight()));
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic) {
    if (!Graphic || Graphic->GetEmpty()) return;
    Graphic->Draw(this, R);
}

void TCanvas::DrawImage(const TRect& R, const QImage& Image) {
    QPainter& P = Require(0);
    if (FSelected & selPen) {
        P.setCompositionMode(QPainter::CompositionMode_SourceOver);
        FSelected &= ~selPen;
    }
    P.drawImage(ToQRect(R), Image);
    Changed();
}

TRect TCanvas::GetClipRect() const {
    if (!FPainter) return TRect{};
    QRect R = FPainter->hasClipping()
                  ? FPainter->clipBoundingRect().toAlignedRect()
                  : QRect(0, 0, FPainter->device()->width(), FPainter->device()->height());
    return Bounds(R.x(), R.y(), R.width(), R.height());
}

void TCanvas::SetClipRect(const TRect& R) {
    Require(0).setClipRect(ToQRect(R), Qt::ReplaceClip);
}

void TCanvas::IntersectClipRect(const TRect& R) {
    QPainter& P = Require(0);
    P.setClipRect(ToQRect(R), P.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TCanvas::RemoveClipRect() {
    Require(0).setClipping(false);
}

}  // namespace zk
