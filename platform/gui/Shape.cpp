// TShape: painting each shape with the canvas.
#include "platform/gui/Shape.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TShape)
void TShape::DescribeClass(TClassBuilder<TShape>& C) {
    C.Prop("Brush", &TShape::GetBrush, &TShape::SetBrush);
    C.Prop("Pen", &TShape::GetPen, &TShape::SetPen);
    C.Prop("Shape", &TShape::GetShape, &TShape::SetShape).Default(stRectangle);
}

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FPen(Create<TPen>()), FBrush(Create<TBrush>()) {
    SetControlStyle(GetControlStyle() + TControlStyle{csReplicatable});
    FPen->SetOnChange(TNotifyEvent([this](TObject*) { Invalidate(); }));
    FBrush->SetOnChange(TNotifyEvent([this](TObject*) { Invalidate(); }));
    SetBounds(0, 0, 65, 65);
}

void TShape::SetShape(TShapeType Value) {
    if (FShape == Value) return;
    FShape = Value;
    Invalidate();
}

void TShape::Paint() {
    TCanvas* Canvas = GetCanvas();
    Canvas->SetPen(FPen.get());
    Canvas->SetBrush(FBrush.get());
    // The pen's width stays inside the control.
    const int PW = FPen->GetWidth();
    int X = PW / 2;
    int Y = X;
    int W = GetWidth() - PW + 1;
    int H = GetHeight() - PW + 1;
    if (PW == 0) {
        --W;
        --H;
    }
    if (W < H && (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle)) {
        Y += (H - W) / 2;
        H = W;
    } else if (H < W && (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle)) {
        X += (W - H) / 2;
        W = H;
    }
    const int Corner = std::min(W, H) / 4;
    switch (FShape) {
        case stRectangle:
        case stSquare:
            Canvas->Rectangle(X, Y, X + W, Y + H);
            break;
        case stRoundRect:
        case stRoundSquare:
            Canvas->RoundRect(X, Y, X + W, Y + H, Corner, Corner);
            break;
        case stEllipse:
        case stCircle:
            Canvas->Ellipse(X, Y, X + W, Y + H);
            break;
    }
}

}  // namespace zk
