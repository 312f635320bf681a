// Internal machinery of the item-list grid shared by its implementation files.
#pragma once
#include <cstddef>
#include <exception>
#include <memory>

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

// Hides the editor for a scope and shows it again when the scope ends,
// also when an exception passes.
class TZkCustomItemListEditor::TEditorHider {
public:
    explicit TEditorHider(TZkCustomItemListEditor& Grid) : FGrid(Grid) {
        FWasShown = Grid.GetEditorMode();
        if (FWasShown) Grid.HideEditor();
    }
    ~TEditorHider() {
        if (!FWasShown) return;
        try {
            FGrid.ShowEditor();
        } catch (...) {
            // Showing again is a courtesy; an error here must not mask the one in flight.
        }
    }
    TEditorHider(const TEditorHider&) = delete;
    TEditorHider& operator=(const TEditorHider&) = delete;

private:
    TZkCustomItemListEditor& FGrid;
    bool FWasShown = false;
};

// The full name of the item a search is at, grown in place: the walk
// appends and cuts back one name per item of the tree.
struct TZkCustomItemListEditor::TFilterPath {
    std::unique_ptr<char[]> Bytes;
    size_t Size = 0;
    size_t Capacity = 0;
    void Append(const char* Data, size_t Length);
};

}  // namespace zk
