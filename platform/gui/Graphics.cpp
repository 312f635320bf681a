// Colour and font mapping to Qt, and the brush and pen a canvas draws with.
#include "platform/gui/Graphics.h"

#include <algorithm>

#include <QFontDatabase>
#include <QGuiApplication>
#include <iterator>

#include "platform/core/ClassBuilder.h"

namespace zk {

namespace {

// The classic 3D scheme, indexed by system colour number, as $RRGGBB. A fixed
// table rather than the desktop's palette, so that bevels keep their light and
// dark sides on every platform and pictures of controls are reproducible.
const uint32_t SystemColors[] = {
    0xC8C8C8,  // clScrollBar
    0x3A6EA5,  // clBackground
    0x0A246A,  // clActiveCaption
    0x808080,  // clInactiveCaption
    0xD4D0C8,  // clMenu
    0xFFFFFF,  // clWindow
    0x000000,  // clWindowFrame
    0x000000,  // clMenuText
    0x000000,  // clWindowText
    0xFFFFFF,  // clCaptionText
    0xD4D0C8,  // clActiveBorder
    0xD4D0C8,  // clInactiveBorder
    0x808080,  // clAppWorkSpace
    0x0A246A,  // clHighlight
    0xFFFFFF,  // clHighlightText
    0xD4D0C8,  // clBtnFace
    0x808080,  // clBtnShadow
    0x808080,  // clGrayText
    0x000000,  // clBtnText
    0xD4D0C8,  // clInactiveCaptionText
    0xFFFFFF,  // clBtnHighlight
    0x404040,  // cl3DDkShadow
    0xD4D0C8,  // cl3DLight
    0x000000,  // clInfoText
    0xFFFFE1,  // clInfoBk
    0xB5B5B5,  // (unused index 25)
    0x000080,  // clHotLight
    0xA6CAF0,  // clGradientActiveCaption
    0xC0C0C0,  // clGradientInactiveCaption
    0x316AC5,  // clMenuHighlight
    0xD4D0C8,  // clMenuBar
};

// The family the framework's forms name for "the dialog font".
bool IsDefaultFamily(const std::string& Name) {
    return Name.empty() || SameText(Name, "MS Sans Serif");
}

QString DefaultFamily() {
    static QString Family;
    if (Family.isEmpty() && QGuiApplication::instance())
        Family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return Family;
}

}  // namespace

TColor ColorToRGB(TColor Color) {
    if (IsSystemColor(Color)) {
        const int Index = SystemColorIndex(Color);
        const uint32_t Rgb = Index >= 0 && Index < static_cast<int>(std::size(SystemColors))
                                 ? SystemColors[Index]
                                 : 0;
        return static_cast<TColor>(((Rgb & 0xFF) << 16) | (Rgb & 0xFF00) | ((Rgb >> 16) & 0xFF));
    }
    if (Color == clDefault) return ColorToRGB(clWindow);
    return Color & 0xFFFFFF;
}

QColor ColorToQColor(TColor Color) {
    if (Color == clNone) return QColor(0, 0, 0, 0);
    const TColor Rgb = ColorToRGB(Color);
    return QColor(Rgb & 0xFF, (Rgb >> 8) & 0xFF, (Rgb >> 16) & 0xFF);
}

TColor QColorToColor(const QColor& Color) {
    return static_cast<TColor>(Color.red() | (Color.green() << 8) | (Color.blue() << 16));
}

QFont FontToQFont(const TFont& Font) {
    QFont Result;
    if (IsDefaultFamily(Font.GetName())) {
        const QString Family = DefaultFamily();
        if (!Family.isEmpty()) Result.setFamily(Family);
        Result.setStyleHint(QFont::SansSerif);
    } else {
        Result.setFamily(QString::fromUtf8(Font.GetName()));
    }
    if (Font.GetPitch() == fpFixed) {
        Result.setFixedPitch(true);
        Result.setStyleHint(QFont::TypeWriter);
    }
    // A negative height is the character height in pixels; a positive one is
    // the cell height, internal leading included, so the characters get a bit
    // less (about a fifth goes to the leading in the usual sans faces).
    if (Font.GetHeight() < 0)
        Result.setPixelSize(-Font.GetHeight());
    else if (Font.GetHeight() > 0)
        Result.setPixelSize(std::max(1, Font.GetHeight() * 4 / 5));
    const TFontStyles Style = Font.GetStyle();
    Result.setBold(Style.Contains(fsBold));
    Result.setItalic(Style.Contains(fsItalic));
    Result.setUnderline(Style.Contains(fsUnderline));
    Result.setStrikeOut(Style.Contains(fsStrikeOut));
    return Result;
}

ZK_IMPLEMENT_CLASS(TGraphicsObject)
void TGraphicsObject::DescribeClass(TClassBuilder<TGraphicsObject>&) {}

void TGraphicsObject::Changed() {
    if (FOnChange.Assigned()) FOnChange(this);
}

ZK_IMPLEMENT_CLASS(TBrush)
void TBrush::DescribeClass(TClassBuilder<TBrush>& C) {
    C.Prop("Color", &TBrush::GetColor, &TBrush::SetColor).Type(TypeInfoTColor()).Default(clWhite);
    C.Prop("Style", &TBrush::GetStyle, &TBrush::SetStyle).Default(bsSolid);
}

void TBrush::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TBrush::Assign(TPersistent* Source) {
    if (auto* Other = DynamicCast<TBrush>(Source)) {
        if (Other->FColor == FColor && Other->FStyle == FStyle) return;
        FColor = Other->FColor;
        FStyle = Other->FStyle;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

QBrush TBrush::ToQBrush() const {
    static const Qt::BrushStyle Styles[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                            Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                            Qt::CrossPattern, Qt::DiagCrossPattern};
    if (FColor == clNone) return QBrush(Qt::NoBrush);
    return QBrush(ColorToQColor(FColor), Styles[FStyle]);
}

ZK_IMPLEMENT_CLASS(TPen)
void TPen::DescribeClass(TClassBuilder<TPen>& C) {
    C.Prop("Color", &TPen::GetColor, &TPen::SetColor).Type(TypeInfoTColor()).Default(clBlack);
    C.Prop("Mode", &TPen::GetMode, &TPen::SetMode).Default(pmCopy);
    C.Prop("Style", &TPen::GetStyle, &TPen::SetStyle).Default(psSolid);
    C.Prop("Width", &TPen::GetWidth, &TPen::SetWidth).Default(1);
}

void TPen::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Changed();
}

void TPen::SetWidth(int Value) {
    if (Value == FWidth) return;
    FWidth = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value) {
    if (Value == FMode) return;
    FMode = Value;
    Changed();
}

void TPen::Assign(TPersistent* Source) {
    if (auto* Other = DynamicCast<TPen>(Source)) {
        if (Other->FColor == FColor && Other->FWidth == FWidth && Other->FStyle == FStyle &&
            Other->FMode == FMode)
            return;
        FColor = Other->FColor;
        FWidth = Other->FWidth;
        FStyle = Other->FStyle;
        FMode = Other->FMode;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

QPen TPen::ToQPen() const {
    static const Qt::PenStyle Styles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                          Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen,
                                          Qt::SolidLine};
    if (FStyle == psClear || FColor == clNone) return QPen(Qt::NoPen);
    QPen Pen(ColorToQColor(FColor));
    Pen.setWidth(FWidth < 1 ? 1 : FWidth);
    Pen.setStyle(Styles[FStyle]);
    Pen.setJoinStyle(Qt::MiterJoin);
    Pen.setCapStyle(FWidth <= 1 ? Qt::SquareCap : Qt::FlatCap);
    return Pen;
}

}  // namespace zk
