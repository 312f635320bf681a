// TCanvas's 3D edges and frame controls: bevels, push buttons, arrow buttons and check boxes.
#include <algorithm>

#include "platform/gui/Graphics.h"

namespace zk {

namespace {

struct TEdgeColors {
    TColor TopLeft;
    TColor BottomRight;
};

// Colours of the outer ring for BDR_RAISEDOUTER/BDR_SUNKENOUTER. BF_SOFT
// swaps the raised ring's light colour for the brighter one, as buttons use.
TEdgeColors OuterColors(unsigned Edge, unsigned Flags) {
    if (Flags & BF_MONO) return {clWindowFrame, clWindowFrame};
    if (Flags & BF_FLAT) return {clBtnShadow, clBtnShadow};
    const bool Soft = Flags & BF_SOFT;
    if (Edge & BDR_RAISEDOUTER) return {Soft ? clBtnHighlight : cl3DLight, cl3DDkShadow};
    return {Soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight};
}

TEdgeColors InnerColors(unsigned Edge, unsigned Flags) {
    if (Flags & BF_MONO) return {clWindow, clWindow};
    if (Flags & BF_FLAT) return {clBtnFace, clBtnFace};
    const bool Soft = Flags & BF_SOFT;
    if (Edge & BDR_RAISEDINNER) return {Soft ? cl3DLight : clBtnHighlight, clBtnShadow};
    return {Soft ? clBtnShadow : cl3DDkShadow, cl3DLight};
}

// The rectangle inside a one-pixel ring on the sides named in Flags.
TRect ShrinkBySides(TRect R, unsigned Flags) {
    if (Flags & BF_LEFT) ++R.Left;
    if (Flags & BF_TOP) ++R.Top;
    if (Flags & BF_RIGHT) --R.Right;
    if (Flags & BF_BOTTOM) --R.Bottom;
    return R;
}

// Rows of an arrow of the given height: 2n-1, 2n-3, ... 1 pixels wide.
int ArrowRows(const TRect& R) {
    return std::clamp(std::min(R.Width(), R.Height()) / 3, 2, 8);
}

}  // namespace

// Top and left first, then bottom and right over the full length, so that
// the bottom-left and top-right corners take the dark colour of a raised ring.
void TCanvas::DrawEdgeLines(const TRect& R, TColor TopLeft, TColor BottomRight, unsigned Flags) {
    if (R.IsEmpty()) return;
    if (Flags & BF_TOP) FillSolid(Rect(R.Left, R.Top, R.Right - 1, R.Top + 1), TopLeft);
    if (Flags & BF_LEFT) FillSolid(Rect(R.Left, R.Top, R.Left + 1, R.Bottom - 1), TopLeft);
    if (Flags & BF_BOTTOM) FillSolid(Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), BottomRight);
    if (Flags & BF_RIGHT) FillSolid(Rect(R.Right - 1, R.Top, R.Right, R.Bottom), BottomRight);
}

void TCanvas::DrawEdge(TRect& R, unsigned Edge, unsigned Flags) {
    Require(0);
    TRect Inner = R;
    if (Edge & BDR_OUTER) {
        const TEdgeColors C = OuterColors(Edge, Flags);
        DrawEdgeLines(Inner, C.TopLeft, C.BottomRight, Flags);
        Inner = ShrinkBySides(Inner, Flags);
    }
    if (Edge & BDR_INNER) {
        const TEdgeColors C = InnerColors(Edge, Flags);
        DrawEdgeLines(Inner, C.TopLeft, C.BottomRight, Flags);
        Inner = ShrinkBySides(Inner, Flags);
    }
    if (Flags & BF_MIDDLE) FillSolid(Inner, (Flags & BF_MONO) ? clWindow : clBtnFace);
    if (Flags & BF_ADJUST) R = Inner;
    Changed();
}

// A classic button face: raised with the bright outer ring; sunken when
// pushed; a single shadow-coloured frame when flat. R becomes the face.
void TCanvas::DrawButtonFace(TRect& R, unsigned State) {
    if (State & DFCS_FLAT)
        DrawEdge(R, EDGE_SUNKEN, BF_RECT | BF_FLAT | BF_MIDDLE | BF_ADJUST);
    else if (State & (DFCS_PUSHED | DFCS_CHECKED))
        DrawEdge(R, EDGE_SUNKEN, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
    else
        DrawEdge(R, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
}

// A solid triangle centred in R, built from pixel rows so that it stays crisp:
// 7, 5, 3, 1 pixels for a down arrow on a 16-pixel button.
void TCanvas::DrawArrow(const TRect& R, unsigned Direction, TColor Color) {
    const int N = ArrowRows(R);
    const bool Vertical = Direction == DFCS_SCROLLUP || Direction == DFCS_SCROLLDOWN;
    const int Across = 2 * N - 1;  // the arrow's base
    const int X0 = R.Left + (R.Width() - (Vertical ? Across : N)) / 2;
    const int Y0 = R.Top + (R.Height() - (Vertical ? N : Across)) / 2;
    for (int I = 0; I < N; ++I) {
        // Row I counted from the base; the base faces away from the direction.
        const bool BaseFirst = Direction == DFCS_SCROLLDOWN || Direction == DFCS_SCROLLRIGHT;
        const int Offset = BaseFirst ? I : N - 1 - I;
        if (Vertical)
            FillSolid(Rect(X0 + I, Y0 + Offset, X0 + Across - I, Y0 + Offset + 1), Color);
        else
            FillSolid(Rect(X0 + Offset, Y0 + I, X0 + Offset + 1, Y0 + Across - I), Color);
    }
}

void TCanvas::DrawCheckBox(TRect& R, unsigned State) {
    const int Size = std::min({R.Width(), R.Height(), 13});
    TRect Box =
        Bounds(R.Left + (R.Width() - Size) / 2, R.Top + (R.Height() - Size) / 2, Size, Size);
    const bool Inactive = State & DFCS_INACTIVE;
    if (State & (DFCS_FLAT | DFCS_MONO))
        DrawEdge(Box, BDR_OUTER, BF_RECT | BF_MONO | BF_ADJUST);
    else
        DrawEdge(Box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillSolid(Box, (Inactive || (State & DFCS_PUSHED)) ? clBtnFace : clWindow);
    if (State & DFCS_CHECKED) {
        // The classic tick: seven columns three pixels tall, down then up.
        static const int Tops[7] = {2, 3, 4, 3, 2, 1, 0};
        const int X0 = Box.Left + (Box.Width() - 7) / 2;
        const int Y0 = Box.Top + (Box.Height() - 7) / 2;
        const TColor Tick = Inactive ? clGrayText : clWindowText;
        for (int I = 0; I < 7; ++I)
            FillSolid(Rect(X0 + I, Y0 + Tops[I], X0 + I + 1, Y0 + Tops[I] + 3), Tick);
    }
    if (State & DFCS_ADJUSTRECT) R = Box;
}

void TCanvas::DrawFrameControl(TRect& R, unsigned Type, unsigned State) {
    Require(0);
    TRect Face = R;
    if (Type == DFC_BUTTON) {
        if ((State & 0xFF) == DFCS_BUTTONPUSH)
            DrawButtonFace(Face, State);
        else
            DrawCheckBox(Face, State);
    } else if (Type == DFC_SCROLL) {
        // A pushed arrow button goes flat rather than sunken; only its glyph moves.
        if (State & (DFCS_PUSHED | DFCS_FLAT))
            DrawEdge(Face, EDGE_SUNKEN, BF_RECT | BF_FLAT | BF_MIDDLE | BF_ADJUST);
        else
            DrawButtonFace(Face, State);
        const unsigned Kind = State & 0xFF;
        const unsigned Direction =
            Kind == DFCS_SCROLLCOMBOBOX ? DFCS_SCROLLDOWN : std::min(Kind, DFCS_SCROLLRIGHT);
        // A pushed button's glyph moves with the face, one pixel down and right.
        const TRect Glyph = (State & DFCS_PUSHED) ? OffsetRect(Face, 1, 1) : Face;
        if (State & DFCS_INACTIVE) {
            DrawArrow(OffsetRect(Glyph, 1, 1), Direction, clBtnHighlight);
            DrawArrow(Glyph, Direction, clBtnShadow);
        } else {
            DrawArrow(Glyph, Direction, clBtnText);
        }
    } else {
        DrawButtonFace(Face, State);
    }
    if (State & DFCS_ADJUSTRECT) R = Face;
    Changed();
}

}  // namespace zk
