// The stock presets' fixture: an inspector with the eighteen presets over real controls on a
// form, and the steps of a user: drop a row's list down, pick from it, click its ellipsis
// button and answer the dialog that shows.
#pragma once
#include <QMouseEvent>
#include <functional>
#include <string>
#include <vector>

#include "../inspector/InspectorTestUtil.h"
#include "presets/ZkStockPresets.h"

namespace zk::test {

class StockPresetTest : public InspectorTest {
protected:
    void SetUp() override;
    void TearDown() override;

    template <class T>
    T* Preset() const {
        TZkPropertyPresets* Presets = Inspector->GetPresets();
        const int Index = Presets->IndexOfClass(T::StaticClass());
        return Index < 0 ? nullptr : static_cast<T*>(Presets->GetItem(Index));
    }
    // "Action,PopupMenu": the rows Preset matches, in the order of all rows.
    std::string Matches(TZkPropertyPreset* Preset) const;
    // The entries the row's drop-down list offers.
    std::vector<std::string> DropDown(const std::string& Path);
    // Drops the row's list down and picks Entry; a failure is reported as a
    // message, as it is from a click.
    void Choose(const std::string& Path, const std::string& Entry);
    // Clicks the ellipsis button of the row's value cell. Answer fills in the
    // dialog that shows and returns how it ends; the number of dialogs shown
    // is the result.
    int ClickEllipsis(const std::string& Path, std::function<int(TComponent*)> Answer);

    template <class T>
    T* Add(const std::string& Name) {
        T* Control = Create<T>(Form.get());
        Control->SetName(Name);
        if constexpr (std::is_base_of_v<TControl, T>) Control->SetParent(Form.get());
        return Control;
    }

private:
    std::function<int(TComponent*)> FAnswer;
    int FShown = 0;
};

}  // namespace zk::test
