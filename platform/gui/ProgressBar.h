// TProgressBar over QProgressBar, and TTrackBar over QSlider.
#pragma once
#include <cstdint>

#include "platform/gui/Controls.h"

class QProgressBar;
class QSlider;

namespace zk {

ZK_ENUM(TProgressBarOrientation, uint8_t, pbHorizontal, pbVertical)
ZK_ENUM(TTrackBarOrientation, uint8_t, trHorizontal, trVertical)
ZK_ENUM(TTickMark, uint8_t, tmBottomRight, tmTopLeft, tmBoth)
ZK_ENUM(TTickStyle, uint8_t, tsNone, tsAuto, tsManual)

// Min, Max and Position are the bar's; Position stays within Min..Max.
class TProgressBar : public TWinControl {
    ZK_CLASS(TProgressBar, TWinControl)
public:
    explicit TProgressBar(TComponent* AOwner);
    QProgressBar* GetProgressBar() const;

    int GetMin() const;
    void SetMin(int Value);
    int GetMax() const;
    void SetMax(int Value);
    int GetPosition() const;
    void SetPosition(int Value);
    int GetStep() const { return FStep; }
    void SetStep(int Value) { FStep = Value; }
    TProgressBarOrientation GetOrientation() const;
    void SetOrientation(TProgressBarOrientation Value);
    // Smooth draws a continuous bar, otherwise the bar shows its percentage.
    bool GetSmooth() const;
    void SetSmooth(bool Value);
    void StepIt() { SetPosition(GetPosition() + FStep); }
    void StepBy(int Delta) { SetPosition(GetPosition() + Delta); }

private:
    int FStep = 10;
};

// A slider. Moving it, by the user or by code, fires OnChange.
class TTrackBar : public TWinControl {
    ZK_CLASS(TTrackBar, TWinControl)
public:
    explicit TTrackBar(TComponent* AOwner);
    QSlider* GetSlider() const;

    int GetMin() const;
    void SetMin(int Value);
    int GetMax() const;
    void SetMax(int Value);
    int GetPosition() const;
    void SetPosition(int Value);
    // Ticks every Frequency positions.
    int GetFrequency() const;
    void SetFrequency(int Value);
    int GetLineSize() const;
    void SetLineSize(int Value);
    int GetPageSize() const;
    void SetPageSize(int Value);
    TTrackBarOrientation GetOrientation() const;
    void SetOrientation(TTrackBarOrientation Value);
    TTickMark GetTickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMark Value);
    TTickStyle GetTickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle Value);

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

protected:
    virtual void Changed();
    bool FocusesOnClick() const override { return true; }

private:
    void UpdateTicks();

    TTickMark FTickMarks = tmBottomRight;
    TTickStyle FTickStyle = tsAuto;
    TNotifyEvent FOnChange;
};

}  // namespace zk
