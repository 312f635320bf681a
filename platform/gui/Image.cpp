// TImage: placing and painting the picture.
#include "platform/gui/Image.h"

#include <QWidget>

#include "platform/core/ClassBuilder.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TImage)
void TImage::DescribeClass(TClassBuilder<TImage>& C) {
    C.Prop("AutoSize", &TImage::GetAutoSize, &TImage::SetAutoSize).Default(false);
    C.Prop("Center", &TImage::GetCenter, &TImage::SetCenter).Default(false);
    C.Prop("Picture", &TImage::GetPicture, &TImage::SetPicture);
    C.Prop("Proportional", &TImage::GetProportional, &TImage::SetProportional).Default(false);
    C.Prop("Stretch", &TImage::GetStretch, &TImage::SetStretch).Default(false);
    C.Prop("Transparent", &TImage::GetTransparent, &TImage::SetTransparent).Default(false);
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(Create<TPicture>()) {
    SetControlStyle(GetControlStyle() + TControlStyle{csReplicatable});
    FPicture->SetOnChange(TNotifyEvent([this](TObject*) { PictureChanged(); }));
    SetBounds(0, 0, 105, 105);
}

void TImage::PictureChanged() {
    if (TGraphic* G = FPicture->GetGraphic()) G->SetTransparent(FTransparent);
    if (FAutoSize && FPicture->GetWidth() > 0 && FPicture->GetHeight() > 0)
        SetBounds(GetLeft(), GetTop(), FPicture->GetWidth(), FPicture->GetHeight());
    Invalidate();
}

void TImage::Changed() {
    Invalidate();
}

void TImage::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    PictureChanged();
}

void TImage::SetCenter(bool Value) {
    if (FCenter == Value) return;
    FCenter = Value;
    Changed();
}

void TImage::SetProportional(bool Value) {
    if (FProportional == Value) return;
    FProportional = Value;
    Changed();
}

void TImage::SetStretch(bool Value) {
    if (FStretch == Value) return;
    FStretch = Value;
    Changed();
}

void TImage::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    GetWidget()->setAttribute(Qt::WA_OpaquePaintEvent, false);
    PictureChanged();
}

// Stretch fills the control; Proportional scales to fit keeping the aspect
// (and never enlarges unless Stretch is on too); Center centres what is left.
TRect TImage::DestRect() const {
    const int CW = GetWidth();
    const int CH = GetHeight();
    int W = FPicture->GetWidth();
    int H = FPicture->GetHeight();
    if (W <= 0 || H <= 0) return Rect(0, 0, 0, 0);
    if (FStretch || (FProportional && (W > CW || H > CH))) {
        if (FProportional) {
            const double Scale = std::min(double(CW) / W, double(CH) / H);
            W = static_cast<int>(W * Scale);
            H = static_cast<int>(H * Scale);
        } else {
            W = CW;
            H = CH;
        }
    }
    int X = 0;
    int Y = 0;
    if (FCenter) {
        X = (CW - W) / 2;
        Y = (CH - H) / 2;
    }
    return Rect(X, Y, X + W, Y + H);
}

void TImage::Paint() {
    TGraphic* G = FPicture->GetGraphic();
    if (!G || G->GetEmpty()) return;
    GetCanvas()->StretchDraw(DestRect(), G);
}

}  // namespace zk
