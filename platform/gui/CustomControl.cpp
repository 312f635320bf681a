// TGraphicControl and TCustomControl: controls that paint themselves on a canvas.
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/Graphics.h"

namespace zk {

namespace {

// Keeps Canvas drawing on P for one paint event, starting from the control's font and colour.
class TCanvasAttachment {
public:
    TCanvasAttachment(TCanvas* Canvas, QPainter* P, const TControl* Control) : FCanvas(Canvas) {
        FCanvas->SetPainter(P);
        FCanvas->GetFont()->Assign(Control->GetFont());
        FCanvas->GetBrush()->SetColor(Control->GetColor());
        FCanvas->GetBrush()->SetStyle(bsSolid);
    }
    ~TCanvasAttachment() { FCanvas->SetPainter(nullptr); }
    TCanvasAttachment(const TCanvasAttachment&) = delete;
    TCanvasAttachment& operator=(const TCanvasAttachment&) = delete;

private:
    TCanvas* FCanvas;
};

}  // namespace

// ---- TGraphicControl ----

ZK_IMPLEMENT_CLASS(TGraphicControl)
void TGraphicControl::DescribeClass(TClassBuilder<TGraphicControl>&) {}

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(Create<TCanvas>()) {}

TGraphicControl::TGraphicControl(TComponent* AOwner, QWidget* Widget)
    : TControl(AOwner, Widget), FCanvas(Create<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

bool TGraphicControl::PaintWidget(QPaintEvent*, QWidget* Device) {
    QPainter P(Device);
    TCanvasAttachment Attach(FCanvas.get(), &P, this);
    Paint();
    return true;
}

// ---- TCustomControl ----

ZK_IMPLEMENT_CLASS(TCustomControl)
void TCustomControl::DescribeClass(TClassBuilder<TCustomControl>&) {}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TCustomControl(AOwner, MakeControlWidget<QWidget>(this)) {}

TCustomControl::TCustomControl(TComponent* AOwner, QWidget* Widget)
    : TWinControl(AOwner, Widget), FCanvas(Create<TCanvas>()) {}

TCustomControl::~TCustomControl() = default;

// The border first, in widget coordinates; then the client area, moved to
// the client origin and clipped to it.
// Each change of a big tree asks for a repaint; merging the same whole-control
// region again and again is a measurable part of building one.
void TCustomControl::Invalidate() {
    if (FRepaintPending) return;
    TWinControl::Invalidate();
    FRepaintPending = GetWidget()->isVisible();
}

bool TCustomControl::PaintWidget(QPaintEvent*, QWidget* Device) {
    FRepaintPending = false;
    QPainter P(Device);
    TCanvasAttachment Attach(FCanvas.get(), &P, this);
    const TPoint Off = GetClientOffset();
    if (Off.X != 0 || Off.Y != 0) {
        PaintBorder();
        const TRect R = GetClientRect();
        P.translate(Off.X, Off.Y);
        P.setClipRect(QRect(0, 0, R.Width(), R.Height()), Qt::IntersectClip);
        FCanvas->Refresh();
        FCanvas->GetFont()->Assign(GetFont());
        FCanvas->GetBrush()->SetColor(GetColor());
        FCanvas->GetBrush()->SetStyle(bsSolid);
    }
    Paint();
    return true;
}

// An opaque control paints every pixel itself, so Qt need not clear the background first.
void TCustomControl::SetControlStyleOpaque(bool Opaque) {
    TControlStyle S = GetControlStyle();
    if (Opaque)
        S.Include(csOpaque);
    else
        S.Exclude(csOpaque);
    SetControlStyle(S);
    GetWidget()->setAttribute(Qt::WA_OpaquePaintEvent, Opaque);
    GetWidget()->setAutoFillBackground(!Opaque);
}

}  // namespace zk
