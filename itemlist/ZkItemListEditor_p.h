// Internal machinery of the item-list grid shared by its implementation files.
#pragma once
#include <exception>

#include "itemlist/ZkItemListEditor.h"

namespace zk {

// Holds the editor while the lines shift under the cell it edits (see
// TCustomGrid::HoldEditor); Reload when the edited item went away.
class TZkCustomItemListEditor::TEditorHold {
public:
    explicit TEditorHold(TZkCustomItemListEditor& Grid)
        : FGrid(Grid), FExceptions(std::uncaught_exceptions()) {
        Grid.HoldEditor();
    }
    ~TEditorHold() noexcept(false) {
        if (std::uncaught_exceptions() == FExceptions) {
            FGrid.ReleaseEditor(FReload);
            return;
        }
        try {
            FGrid.ReleaseEditor(FReload);
        } catch (...) {
            // The error in flight is the one to report.
        }
    }
    TEditorHold(const TEditorHold&) = delete;
    TEditorHold& operator=(const TEditorHold&) = delete;
    void Reload() { FReload = true; }

private:
    TZkCustomItemListEditor& FGrid;
    int FExceptions;
    bool FReload = false;
};

}  // namespace zk
