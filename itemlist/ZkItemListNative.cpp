// TZkCustomItemListEditor: the native look, drawn through the widget's QStyle and palette with
// sizes taken from the font and the device pixel ratio.
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "itemlist/ZkDeltaFont.h"
#include "itemlist/ZkInplaceEditList.h"
#include "itemlist/ZkItemListEditor.h"

namespace zk {

namespace {

QString Q(const std::string& S) {
    return QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size()));
}

// Text that does not fit Width loses its end to "...": three dots, as
// everywhere else in the program, not the typographic ellipsis.
QString Elided(const QString& Text, const QFontMetrics& Metrics, int Width) {
    if (Metrics.horizontalAdvance(Text) <= Width) return Text;
    const QString Dots = QStringLiteral("...");
    int Low = 0;
    int High = static_cast<int>(Text.size());
    while (Low < High) {  // the longest prefix that fits with the dots
        const int Mid = (Low + High + 1) / 2;
        if (Metrics.horizontalAdvance(Text.left(Mid) + Dots) <= Width)
            Low = Mid;
        else
            High = Mid - 1;
    }
    return Low > 0 ? Text.left(Low) + Dots
                   : (Metrics.horizontalAdvance(Dots) <= Width ? Dots : QString());
}

QColor Mix(const QColor& A, const QColor& B, double Share) {
    return QColor::fromRgbF(static_cast<float>(A.redF() * (1 - Share) + B.redF() * Share),
                            static_cast<float>(A.greenF() * (1 - Share) + B.greenF() * Share),
                            static_cast<float>(A.blueF() * (1 - Share) + B.blueF() * Share));
}

}  // namespace

void TZkCustomItemListEditor::SetNativeLook(bool Value) {
    if (Value == FNativeLook) return;
    FNativeLook = Value;
    // The line height follows the font natively; the classic one comes back as it was.
    if (Value) {
        FClassicRowHeight = GetDefaultRowHeight();
        SetDefaultRowHeight(NativeRowHeight());
    } else {
        SetDefaultRowHeight(FClassicRowHeight);
    }
    if (GetInplaceEditor() && GetEditorMode()) InvalidateEditor();
    Invalidate();
}

int TZkCustomItemListEditor::NativeRowHeight() const {
    const QFontMetrics Metrics(FontToQFont(*GetFont()));
    return Metrics.height() + std::max(4, Metrics.height() / 3);
}

// Odd, so the arrow has a middle pixel, and whole on the device: at a
// fractional scale a glyph between pixels blurs.
int TZkCustomItemListEditor::NativeGlyphSize() const {
    const QFontMetrics Metrics(FontToQFont(*GetFont()));
    const double Ratio = GetWidget() ? GetWidget()->devicePixelRatioF() : 1.0;
    int Device = static_cast<int>(std::lround(Metrics.height() * 0.6 * Ratio));
    if (Device % 2 == 0) ++Device;
    return std::max(7, static_cast<int>(std::lround(Device / Ratio)));
}

int TZkCustomItemListEditor::LevelIndent() const {
    return FNativeLook ? std::max(FIndent, NativeGlyphSize() + 6) : FIndent;
}

void TZkCustomItemListEditor::DrawNativeTitle(int ACol, int ARow, const TRect& ARect) {
    QPainter* P = GetCanvas()->GetPainter();
    QWidget* W = GetWidget();
    QStyleOptionHeader Option;
    Option.initFrom(W);
    Option.rect = QRect(ARect.Left, ARect.Top, ARect.Width(), ARect.Height());
    Option.section = LogicalColumnOf(ACol, ARow);
    Option.text = Q(GetCellText(ACol, ARow));
    Option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    Option.position = QStyleOptionHeader::Middle;
    P->save();
    P->setFont(FontToQFont(*FTitleCaptionFont));
    W->style()->drawControl(QStyle::CE_Header, &Option, P, W);
    P->restore();
}

void TZkCustomItemListEditor::DrawNativeCell(int ACol, int ARow, const TRect& ARect,
                                             TGridDrawState AState) {
    TCanvas* C = GetCanvas();
    QPainter* P = C->GetPainter();
    QWidget* W = GetWidget();
    if (!P || !W) return;
    if (LogicalLineOf(ACol, ARow) < GetLogical(lwFixedLines)) {
        DrawNativeTitle(ACol, ARow, ARect);
        C->Refresh();
        TCustomDrawGrid::DrawCell(ACol, ARow, ARect, AState);
        return;
    }
    TZkItemProp* Item = ItemAtCell(ACol, ARow, true);
    const QPalette& Palette = W->palette();
    const bool Active = W->isActiveWindow();
    const QPalette::ColorGroup Group = Active ? QPalette::Active : QPalette::Inactive;
    const QRect Cell(ARect.Left, ARect.Top, ARect.Width(), ARect.Height());
    const bool Current = Item && LogicalLineOf(ACol, ARow) == GetLogical(lwLine) &&
                         (!FHideSelection || HasFocus() || !Active);
    const bool Band = Item && Item->GetCategory();

    QColor Back = Palette.color(Group, QPalette::Base);
    QColor Fore = Palette.color(Group, QPalette::Text);
    if (Band) {
        Back =
            Mix(Palette.color(Group, QPalette::Button), Palette.color(Group, QPalette::Mid), 0.25);
        Fore = Palette.color(Group, QPalette::ButtonText);
    }
    if (Current) {
        // Muted while the window is inactive: the line stays findable without shouting.
        const QColor Highlight = Palette.color(QPalette::Active, QPalette::Highlight);
        const bool Strong = Active && HasFocus();
        Back = Strong ? Highlight : Mix(Palette.color(Group, QPalette::Base), Highlight, 0.35);
        Fore = Strong ? Palette.color(QPalette::Active, QPalette::HighlightedText)
                      : Palette.color(Group, QPalette::Text);
    }
    P->save();
    if (Band && !Current) {
        QLinearGradient Shade(Cell.topLeft(), Cell.bottomLeft());
        Shade.setColorAt(0, Back.lighter(106));
        Shade.setColorAt(1, Back.darker(104));
        P->fillRect(Cell, Shade);
    } else {
        P->fillRect(Cell, Back);
    }

    int TextLeft = ARect.Left + 4;
    if (Item && !IsValueCell(ACol, ARow)) {
        const int Indent = LevelIndent();
        if (Item->HasChildren()) {
            const TRect G = GlyphRect(ARect, Item);
            QStyleOption Option;
            Option.initFrom(W);
            Option.rect = QRect(G.Left, G.Top, G.Width(), G.Height());
            Option.state = QStyle::State_Children | QStyle::State_Item |
                           (Item->GetExpanded() ? QStyle::State_Open : QStyle::State_None) |
                           (Active ? QStyle::State_Active : QStyle::State_None);
            Option.palette.setColor(QPalette::Text, Fore);
            Option.palette.setColor(QPalette::WindowText, Fore);
            Option.palette.setColor(QPalette::ButtonText, Fore);
            W->style()->drawPrimitive(QStyle::PE_IndicatorBranch, &Option, P, W);
        }
        TextLeft = ARect.Left + (Item->GetLevel() + 1) * Indent + 4;
    }

    bool Disabled = false;
    TFont* Font = CellFont(Item, ACol, ARow, Disabled);
    QFont QtFont = FontToQFont(*Font);
    if (Band) QtFont.setBold(true);
    const std::string Text = GetCellText(ACol, ARow);
    const QFontMetrics Metrics(QtFont);
    const int Room = std::max(0, ARect.Right - TextLeft - 2);
    const int TextTop = ARect.Top + (ARect.Height() - Metrics.height()) / 2;
    P->restore();
    // The search mark goes under the text, through the canvas like the classic look's.
    if (Item && !FFilterFolded.empty()) {
        C->Refresh();
        C->GetFont()->Assign(Font);
        TRect Clip = ARect;
        Clip.Left = std::max(Clip.Left, std::min(TextLeft, Clip.Right));
        MarkFilterMatch(Text, Clip, TextLeft, TextTop);
    }
    P->save();
    P->setClipRect(Cell);
    P->setFont(QtFont);
    // Values keep the colours of their fonts (the inspector marks changed ones);
    // the highlight and disabled items take the palette's.
    QColor Pen = Fore;
    if (!Current && !Band && Font->GetColor() != clWindowText)
        Pen = QColor(ColorToQColor(Font->GetColor()));
    if (Disabled) Pen = Palette.color(QPalette::Disabled, QPalette::Text);
    P->setPen(Pen);
    P->drawText(QRect(TextLeft, TextTop, Room, Metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                Elided(Q(Text), Metrics, Room));
    P->restore();
    C->Refresh();
    TCustomDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

}  // namespace zk
