// The stock presets' shared machinery: the way back to a row across a dialog, and the flags
// each class starts with.
#pragma once
#include <string>

#include "inspector/ZkObjectInspector.h"
#include "presets/ZkStockPresets.h"

namespace zk {

// The row a dialog handler started from, found again after the dialog: the
// message loop that runs while a dialog is shown may rebuild the rows or
// free the inspector (and with it the preset whose handler is running).
// The row is looked up by its full name; the inspector is watched.
class TRowHold : public TComponent {
    ZK_CLASS(TRowHold, TComponent)
public:
    // Row must be in an inspector.
    explicit TRowHold(TZkItemProperty* Row);
    // Lets go of the inspector quietly.
    void BeforeDestruction() override;
    // Null when the inspector has gone; a handler that sees this must not
    // touch its preset any more.
    TZkCustomObjectInspector* GetInspector() const { return FInspector; }
    // The row of that full name now; null when there is none.
    TZkItemProperty* Row() const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TZkCustomObjectInspector* FInspector;  // cleared by free notification
    std::string FFullName;
};

// The row behind an ellipsis click or a value hook: Sender when it is a row
// in an inspector, else null.
TZkItemProperty* SenderRow(TObject* Sender);

// The preset catalogue's settings, shared by a constructor and the class's
// redeclared stream defaults.
namespace stock {
inline const TZkPresetMatchTypes ByType = {mtPropertyType};
inline const TZkPropertyPresetTypes PickList = {pftEditStyle};
inline const TZkPropertyPresetTypes PickListValidate = {pftEditStyle, pftValidate};
inline const TZkPropertyPresetTypes Ellipsis = {pftEditStyle};
inline const TZkPropertyPresetTypes MaskValidate = {pftEditMask, pftValidate};
inline const TZkPropertyPresetTypes EllipsisMaskValidate = {pftEditStyle, pftEditMask,
                                                            pftValidate};
inline const TTypeKinds Classes = {tkClass};
inline const TTypeKinds Floats = {tkFloat};
inline const TTypeKinds Integers = {tkInteger};
inline const TTypeKinds Strings = {tkString, tkLString, tkWString};
inline const TTypeKinds LongStrings = {tkLString};
}  // namespace stock

// Sets a constructor's common steps: name, the type it matches (kinds and
// one type name) and the edit style.
void InitTypePreset(TZkPropertyPreset* Preset, const char* Name, TTypeKinds Kinds,
                    const char* TypeName, TEditStyle Style);

}  // namespace zk
