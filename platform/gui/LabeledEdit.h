// TLabeledEdit: an edit with its own label, a sub-component that follows the edit around.
#pragma once
#include <cstdint>

#include "platform/gui/StdCtrls.h"

namespace zk {

ZK_ENUM(TLabelPosition, uint8_t, lpAbove, lpBelow, lpLeft, lpRight)

class TCustomLabeledEdit;

// The label of a labeled edit; its position is the edit's business, so
// Left/Top/Width/Height are not stored with it.
class TBoundLabel : public TLabel {
    ZK_CLASS(TBoundLabel, TLabel)
public:
    explicit TBoundLabel(TComponent* AOwner);

protected:
    void AdjustBounds() override;
};

// The label sits LabelSpacing pixels beside the edit, on the side
// LabelPosition names, with the edit's parent and visibility.
class TCustomLabeledEdit : public TCustomEdit {
    ZK_CLASS(TCustomLabeledEdit, TCustomEdit)
public:
    explicit TCustomLabeledEdit(TComponent* AOwner);

    TBoundLabel* GetEditLabel() const { return FEditLabel; }
    TLabelPosition GetLabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    int GetLabelSpacing() const { return FLabelSpacing; }
    void SetLabelSpacing(int Value);

    void SetParent(TWinControl* AParent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetVisible(bool Value) override;
    // Places the label again, as after a change of its text or font.
    void PlaceLabel();

protected:
    void EnabledChanged() override;

private:
    TBoundLabel* FEditLabel;  // owned as a component of this edit
    TLabelPosition FLabelPosition = lpAbove;
    int FLabelSpacing = 3;
    bool FPlacing = false;
};

class TLabeledEdit : public TCustomLabeledEdit {
    ZK_CLASS(TLabeledEdit, TCustomLabeledEdit)
public:
    explicit TLabeledEdit(TComponent* AOwner);
};

}  // namespace zk
