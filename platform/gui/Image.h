// TImage: a picture on its parent's surface, drawn as it is, centred, stretched or scaled in
// proportion.
#pragma once
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"

namespace zk {

// Picture is owned; SetPicture copies. With AutoSize the control takes the
// picture's size. Transparent leaves the picture's transparent colour
// unpainted, so the parent shows through.
class TImage : public TGraphicControl {
    ZK_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* AOwner);

    TPicture* GetPicture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool GetCenter() const { return FCenter; }
    void SetCenter(bool Value);
    bool GetProportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool GetStretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged();
    void Changed();

    TOwned<TPicture> FPicture;
    bool FAutoSize = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FStretch = false;
    bool FTransparent = false;
};

}  // namespace zk
