// Extra controls: TPanel, a bevelled container with a centred caption.
#pragma once
#include <cstdint>

#include "platform/gui/Controls.h"

namespace zk {

ZK_ENUM(TBevelCut, uint8_t, bvNone, bvLowered, bvRaised, bvSpace)

// Bevels and borders take their width off every side of the area that
// aligned children share.
class TCustomPanel : public TCustomControl {
    ZK_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TBevelCut GetBevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut GetBevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    int GetBevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    int GetBorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    // bsSingle adds a sunken edge (a flat line without Ctl3D).
    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& Rect) const override;
    void Ctl3DChanged() override;

private:
    int BorderStyleWidth() const;
    void Changed();
    void DrawBevel(TRect& R, TBevelCut Bevel);

    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TFormBorderStyle FBorderStyle = bsNone;
};

class TPanel : public TCustomPanel {
    ZK_CLASS(TPanel, TCustomPanel)
public:
    explicit TPanel(TComponent* AOwner);
};

}  // namespace zk
