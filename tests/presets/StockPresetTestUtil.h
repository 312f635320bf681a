// The stock presets' fixture: an inspector with the eighteen presets over real controls on a
// form, and the steps of a user: drop a row's list down, click an entry, click its ellipsis
// button and answer the dialog that shows.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "../inspector/InspectorTestUtil.h"
#include "platform/gui/GuiTestUtil.h"
#include "presets/ZkStockPresets.h"

namespace zk::test {

class StockPresetTest : public InspectorTest {
protected:
    void SetUp() override;
    void TearDown() override;

    template <class T>
    T* Preset() const {
        TZkPropertyPresets* Presets = Inspector->GetPresets();
        return static_cast<T*>(Presets->GetItem(Presets->IndexOfClass(T::StaticClass())));
    }
    // "Action,PopupMenu": the rows Preset matches, in the order of all rows.
    std::string Matches(TZkPropertyPreset* Preset) const;
    // Alt+Down on the row's value cell; the entries the list then offers, as a comma text.
    std::string DropDown(const std::string& Path);
    // Drops the row's list down and clicks Entry.
    void Choose(const std::string& Path, const std::string& Entry);
    // Clicks the ellipsis button of the row's value cell. Answer fills in the
    // dialog of class D that shows and returns how it ends; the result is the
    // number of modal dialogs shown.
    template <class D>
    int ClickEllipsis(const std::string& Path, std::function<int(D*)> Answer) {
        return ClickButton(Path, [Answer](TComponent* Shown) {
            auto* Dialog = DynamicCast<D>(Shown);
            if (Dialog) return Answer(Dialog);
            ADD_FAILURE() << "unexpected modal " << Shown->ClassName();
            return static_cast<int>(mrCancel);
        });
    }

    template <class T>
    T* Add(const std::string& Name) {
        T* Control = Create<T>(Form.get());
        Control->SetName(Name);
        if constexpr (std::is_base_of_v<TControl, T>) Control->SetParent(Form.get());
        return Control;
    }

private:
    TZkInplaceEditList* EditValue(const std::string& Path);
    int ClickButton(const std::string& Path, std::function<int(TComponent*)> Answer);

    std::function<int(TComponent*)> FAnswer;
    int FShown = 0;
};

}  // namespace zk::test
