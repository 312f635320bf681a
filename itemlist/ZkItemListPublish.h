// The item-list grid's published properties, for the classes that publish the grid.
#pragma once

#include "itemlist/ZkDeltaFont.h"
#include "itemlist/ZkHintWindow.h"
#include "itemlist/ZkItemListEditor.h"
#include "platform/core/ClassBuilder.h"

namespace zk {

template <class C>
void TZkCustomItemListEditor::PublishGridProperties(TClassBuilder<C>& B,
                                                    bool FilterCollapsedDefault) {
    using G = TZkCustomItemListEditor;
    B.Prop("ArrangeByCategory", &G::GetArrangeByCategory, &G::SetArrangeByCategory).Default(false);
    B.Prop("CaseSensitive", &G::GetCaseSensitive, &G::SetCaseSensitive).Default(false);
    B.Prop("ColCount", &G::GetColCount, &G::SetColCountProp).Default(2);
    B.Redeclare("DefaultColWidth").Default(150);
    B.Redeclare("DefaultRowHeight").Default(18);
    B.Prop("DisplayOptions", &G::GetDisplayOptions, &G::SetDisplayOptions).Default(
        TILEDisplayOptions::FromInt(15));
    B.Prop("DropDownRows", &G::GetDropDownRows, &G::SetDropDownRows).Default(8);
    B.Redeclare("FixedCols").Default(0);
    B.Prop("ValueFont", &G::GetValueFont, &G::SetValueFont);
    B.Prop("CategoryFont", &G::GetCategoryFont, &G::SetCategoryFont);
    B.Prop("TitleCaptionFont", &G::GetTitleCaptionFont, &G::SetTitleCaptionFont);
    B.Prop("HintWindow", &G::GetHintWindow);
    B.Prop("HideSelection", &G::GetHideSelection, &G::SetHideSelection).Default(true);
    B.Prop("Indent", &G::GetIndent, &G::SetIndent).Default(17);
    B.Prop("Items", &G::GetItems, &G::SetItems);
    B.Prop("MinusGlyph", &G::GetMinusGlyph, &G::SetMinusGlyph);
    B.Prop("PlusGlyph", &G::GetPlusGlyph, &G::SetPlusGlyph);
    B.Prop("Options", &G::GetOptions, &G::SetOptionsProp).Default(TGridOptions::FromInt(25743));
    B.Prop("Orientation", &G::GetOrientation, &G::SetOrientation).Default(goVertical);
    B.Prop("PathDelimiter", &G::GetPathDelimiter, &G::SetPathDelimiter);
    B.Prop("PropertyOptions", &G::GetPropertyOptions, &G::SetPropertyOptions)
        .Default(TILEPropOptions());
    B.Prop("Sorted", &G::GetSorted, &G::SetSorted).Default(false);
    B.Prop("ShowItemHintStyle", &G::GetShowItemHintStyle, &G::SetShowItemHintStyle)
        .Default(shValueAndHint);
    B.Prop("Strings", &G::GetStrings, &G::SetStrings).Stored(false);
    B.Prop("TitleCaptions", &G::GetTitleCaptions, &G::SetTitleCaptions)
        .Stored(&G::IsTitleCaptionsStored);
    B.Redeclare("RowCount").Default(2);
    B.Prop("FilterText", &G::GetFilterText, &G::SetFilterText);
    B.Prop("FilterCollapsed", &G::GetFilterCollapsed, &G::SetFilterCollapsed)
        .Default(FilterCollapsedDefault);
    B.Prop("TreeKeys", &G::GetTreeKeys, &G::SetTreeKeys).Default(false);
    B.Prop("WheelScrolls", &G::GetWheelScrolls, &G::SetWheelScrolls).Default(false);
    B.Prop("ClipboardKeys", &G::GetClipboardKeys, &G::SetClipboardKeys).Default(false);
    B.Prop("AccessibleTree", &G::GetAccessibleTree, &G::SetAccessibleTree).Default(false);
    B.Prop("NativeLook", &G::GetNativeLook, &G::SetNativeLook).Default(false);
    B.Prop("OnCategorize", &G::GetOnCategorize, &G::SetOnCategorize);
    B.Prop("OnEditButtonClick", &G::GetOnEditButtonClick, &G::SetOnEditButtonClick);
    B.Prop("OnGetPickList", &G::GetOnGetPickList, &G::SetOnGetPickList);
    B.Prop("OnShowHints", &G::GetOnShowHints, &G::SetOnShowHints);
    B.Prop("OnValidate", &G::GetOnValidate, &G::SetOnValidate);
    B.Prop("OnDrawCell", &G::GetOnDrawCell, &G::SetOnDrawCell);
    B.Prop("OnGetEditMask", &G::GetOnGetEditMask, &G::SetOnGetEditMask);
    B.Prop("OnGetEditText", &G::GetOnGetEditText, &G::SetOnGetEditText);
    B.Prop("OnRowMoved", &G::GetOnRowMoved, &G::SetOnRowMoved);
    B.Prop("OnSelectCell", &G::GetOnSelectCell, &G::SetOnSelectCell);
    B.Prop("OnSetEditText", &G::GetOnSetEditText, &G::SetOnSetEditText);
    B.Prop("OnTopLeftChanged", &G::GetOnTopLeftChanged, &G::SetOnTopLeftChanged);
}

}  // namespace zk
