// TShape: a rectangle, square, rounded rectangle or square, ellipse or circle drawn with a pen
// and a brush.
#pragma once
#include <cstdint>

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"

namespace zk {

ZK_ENUM(TShapeType, uint8_t, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse,
        stCircle)

// Squares and circles take the smaller side and sit centred. Pen and Brush
// are owned; their setters copy, and every change repaints.
class TShape : public TGraphicControl {
    ZK_CLASS(TShape, TGraphicControl)
public:
    explicit TShape(TComponent* AOwner);

    TShapeType GetShape() const { return FShape; }
    void SetShape(TShapeType Value);
    TPen* GetPen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* GetBrush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

protected:
    void Paint() override;

private:
    TShapeType FShape = stRectangle;
    TOwned<TPen> FPen;
    TOwned<TBrush> FBrush;
};

}  // namespace zk
