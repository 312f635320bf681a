// TProgressBar and TTrackBar: their published state is the Qt widget's.
#include "platform/gui/ProgressBar.h"

#include <QProgressBar>
#include <QSlider>

#include "platform/core/ClassBuilder.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls_p.h"

namespace zk {

// ---- TProgressBar ----

ZK_IMPLEMENT_CLASS(TProgressBar)
void TProgressBar::DescribeClass(TClassBuilder<TProgressBar>& C) {
    C.Prop("Max", &TProgressBar::GetMax, &TProgressBar::SetMax).Default(100);
    C.Prop("Min", &TProgressBar::GetMin, &TProgressBar::SetMin).Default(0);
    C.Prop("Orientation", &TProgressBar::GetOrientation, &TProgressBar::SetOrientation)
        .Default(pbHorizontal);
    C.Prop("Position", &TProgressBar::GetPosition, &TProgressBar::SetPosition).Default(0);
    C.Prop("Smooth", &TProgressBar::GetSmooth, &TProgressBar::SetSmooth).Default(false);
    C.Prop("Step", &TProgressBar::GetStep, &TProgressBar::SetStep).Default(10);
}

TProgressBar::TProgressBar(TComponent* AOwner)
    : TWinControl(AOwner, MakeControlWidget<QProgressBar>(this)) {
    QProgressBar* B = GetProgressBar();
    B->setRange(0, 100);
    B->setValue(0);
    B->setTextVisible(true);
    SetBounds(0, 0, 150, 17);
}

QProgressBar* TProgressBar::GetProgressBar() const {
    return static_cast<QProgressBar*>(GetWidget());
}

int TProgressBar::GetMin() const {
    return GetProgressBar()->minimum();
}

void TProgressBar::SetMin(int Value) {
    GetProgressBar()->setMinimum(Value);
}

int TProgressBar::GetMax() const {
    return GetProgressBar()->maximum();
}

void TProgressBar::SetMax(int Value) {
    GetProgressBar()->setMaximum(Value);
}

int TProgressBar::GetPosition() const {
    return GetProgressBar()->value();
}

// Qt ignores a value outside the range; the bar clamps it instead.
void TProgressBar::SetPosition(int Value) {
    GetProgressBar()->setValue(std::clamp(Value, GetMin(), std::max(GetMin(), GetMax())));
}

TProgressBarOrientation TProgressBar::GetOrientation() const {
    return GetProgressBar()->orientation() == Qt::Vertical ? pbVertical : pbHorizontal;
}

void TProgressBar::SetOrientation(TProgressBarOrientation Value) {
    GetProgressBar()->setOrientation(Value == pbVertical ? Qt::Vertical : Qt::Horizontal);
}

bool TProgressBar::GetSmooth() const {
    return !GetProgressBar()->isTextVisible();
}

void TProgressBar::SetSmooth(bool Value) {
    GetProgressBar()->setTextVisible(!Value);
}

// ---- TTrackBar ----

ZK_IMPLEMENT_CLASS(TTrackBar)
void TTrackBar::DescribeClass(TClassBuilder<TTrackBar>& C) {
    C.Redeclare("TabStop").Default(true);
    C.Prop("Frequency", &TTrackBar::GetFrequency, &TTrackBar::SetFrequency).Default(1);
    C.Prop("LineSize", &TTrackBar::GetLineSize, &TTrackBar::SetLineSize).Default(1);
    C.Prop("Max", &TTrackBar::GetMax, &TTrackBar::SetMax).Default(10);
    C.Prop("Min", &TTrackBar::GetMin, &TTrackBar::SetMin).Default(0);
    C.Prop("Orientation", &TTrackBar::GetOrientation, &TTrackBar::SetOrientation)
        .Default(trHorizontal);
    C.Prop("PageSize", &TTrackBar::GetPageSize, &TTrackBar::SetPageSize).Default(2);
    C.Prop("Position", &TTrackBar::GetPosition, &TTrackBar::SetPosition).Default(0);
    C.Prop("TickMarks", &TTrackBar::GetTickMarks, &TTrackBar::SetTickMarks).Default(tmBottomRight);
    C.Prop("TickStyle", &TTrackBar::GetTickStyle, &TTrackBar::SetTickStyle).Default(tsAuto);
    C.Prop("OnChange", &TTrackBar::GetOnChange, &TTrackBar::SetOnChange);
}

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner, MakeControlWidget<QSlider>(this)) {
    QSlider* S = GetSlider();
    S->setOrientation(Qt::Horizontal);
    S->setRange(0, 10);
    S->setSingleStep(1);
    S->setPageStep(2);
    S->setTickInterval(1);
    SetTabStop(true);
    UpdateTicks();
    QObject::connect(S, &QSlider::valueChanged, S, [this] {
        if (!IsLoading() && !IsDestroying()) SafeCall(this, [this] { Changed(); });
    });
    SetBounds(0, 0, 150, 45);
}

QSlider* TTrackBar::GetSlider() const {
    return static_cast<QSlider*>(GetWidget());
}

void TTrackBar::Changed() {
    if (FOnChange.Assigned()) FOnChange(this);
}

int TTrackBar::GetMin() const {
    return GetSlider()->minimum();
}

void TTrackBar::SetMin(int Value) {
    GetSlider()->setMinimum(Value);
}

int TTrackBar::GetMax() const {
    return GetSlider()->maximum();
}

void TTrackBar::SetMax(int Value) {
    GetSlider()->setMaximum(Value);
}

int TTrackBar::GetPosition() const {
    return GetSlider()->value();
}

void TTrackBar::SetPosition(int Value) {
    GetSlider()->setValue(Value);
}

int TTrackBar::GetFrequency() const {
    return GetSlider()->tickInterval();
}

void TTrackBar::SetFrequency(int Value) {
    GetSlider()->setTickInterval(Value);
}

int TTrackBar::GetLineSize() const {
    return GetSlider()->singleStep();
}

void TTrackBar::SetLineSize(int Value) {
    GetSlider()->setSingleStep(Value);
}

int TTrackBar::GetPageSize() const {
    return GetSlider()->pageStep();
}

void TTrackBar::SetPageSize(int Value) {
    GetSlider()->setPageStep(Value);
}

TTrackBarOrientation TTrackBar::GetOrientation() const {
    return GetSlider()->orientation() == Qt::Vertical ? trVertical : trHorizontal;
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
    GetSlider()->setOrientation(Value == trVertical ? Qt::Vertical : Qt::Horizontal);
    UpdateTicks();
}

void TTrackBar::SetTickMarks(TTickMark Value) {
    FTickMarks = Value;
    UpdateTicks();
}

void TTrackBar::SetTickStyle(TTickStyle Value) {
    FTickStyle = Value;
    UpdateTicks();
}

// Bottom/right and top/left are the same sides of Qt's slider in either orientation.
void TTrackBar::UpdateTicks() {
    QSlider::TickPosition P = QSlider::NoTicks;
    if (FTickStyle != tsNone) {
        switch (FTickMarks) {
            case tmBottomRight:
                P = QSlider::TicksBelow;
                break;
            case tmTopLeft:
                P = QSlider::TicksAbove;
                break;
            case tmBoth:
                P = QSlider::TicksBothSides;
                break;
        }
    }
    GetSlider()->setTickPosition(P);
}

}  // namespace zk
