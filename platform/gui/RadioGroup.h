// TRadioGroup: a captioned frame of radio buttons, one per line of Items, in columns.
#pragma once
#include "platform/core/StringList.h"
#include "platform/gui/Controls.h"

class QGroupBox;

namespace zk {

class TRadioGroupItems;

// The buttons follow Items at once and fill Columns columns top to bottom.
// ItemIndex is the checked button, -1 for none; the user's click fires OnClick.
class TCustomRadioGroup : public TWinControl {
    ZK_CLASS(TCustomRadioGroup, TWinControl)
public:
    explicit TCustomRadioGroup(TComponent* AOwner);
    ~TCustomRadioGroup() override;
    QGroupBox* GetGroupBox() const;

    // Owned; SetItems copies Value.
    TStrings* GetItems() const;
    void SetItems(TStrings* Value);
    int GetItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int GetColumns() const { return FColumns; }
    void SetColumns(int Value);
    // The button widget of line Index; null outside Items.
    QWidget* GetButton(int Index) const;

protected:
    void UpdateWidgetGeometry() override;
    std::string RealGetText() const override;
    void RealSetText(const std::string& Value) override;

private:
    friend class TRadioGroupItems;
    void UpdateButtons();
    void ArrangeButtons();

    TOwned<TRadioGroupItems> FItems;
    int FItemIndex = -1;
    int FColumns = 1;
};

class TRadioGroup : public TCustomRadioGroup {
    ZK_CLASS(TRadioGroup, TCustomRadioGroup)
public:
    explicit TRadioGroup(TComponent* AOwner);
};

}  // namespace zk
