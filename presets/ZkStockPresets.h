// The eighteen stock presets every new inspector starts with: pick lists of the form's
// components and of font, colour, cursor and modal-result names, editor dialogs behind ellipsis
// buttons, date and time masks with their text conversions, and name fonts for references.
#pragma once
#include <string>

#include "inspector/ZkPropertyPreset.h"
#include "platform/gui/Dialogs.h"

namespace zk {

class TfrmDateEditor;

ZK_ENUM(TStringsView, uint8_t, svNormal, svINI)
ZK_SET(TStringsViews, TStringsView)

// Registers the eighteen classes with the preset-class registry in catalogue
// order (and with the class registry, so stored presets read back); every
// inspector created afterwards holds one preset of each. Idempotent.
void RegisterStockPresets();
// Takes them out again: later inspectors start without them.
void UnregisterStockPresets();

// The handlers below take the row as Sender, as the grid fires them; a
// dialog handler whose Sender is no row does nothing. Every dialog writes its
// result through the row, so it reaches every inspected object (or the
// current column's object with doMultiColValues), and a cancelled dialog
// writes nothing.

// 1. Component references: a pick list of the components on the inspector's
// form that fit the row's class, in the form's order; the name font maroon.
class TZkTComponentPropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTComponentPropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTComponentPropertyPreset(TCollection* Collection);
    // OnGetPickList: the fitting names; one empty entry when there are none,
    // so there is always a way to choose no component.
    void GetComponentNames(TObject* Sender, const std::string& PropName, TStrings* Values);
    // OnSetProperty: an empty name clears the reference; a name no component
    // on the form has writes nothing. The rows are rebuilt afterwards, so the
    // rows under the reference show the new object.
    void SetComponentByName(TObject* Sender, TObject* Instance, const std::string& PropName,
                            const std::string& Value);
};

// 2. The rows under a component reference get a green name font.
class TZkTParentComponentPropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTParentComponentPropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTParentComponentPropertyPreset(TCollection* Collection);
};

// 3. Font names: a pick list of the installed screen fonts.
class TZkTFontNamePropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTFontNamePropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTFontNamePropertyPreset(TCollection* Collection);
    void GetFontNames(TObject* Sender, const std::string& PropName, TStrings* Values);
};

// 4. Colours: identifiers in a pick list and as the text of a value;
// identifiers and numbers are taken back.
class TZkTColorPropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTColorPropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTColorPropertyPreset(TCollection* Collection);
    // Appends every colour identifier in table order; Values is not cleared.
    void GetColorNames(TObject* Sender, const std::string& PropName, TStrings* Values);
    void GetColorText(TObject* Sender, TObject* Instance, const std::string& PropName,
                      std::string& Value);
    // Text that is neither an identifier nor a number raises EConvertError.
    void SetColorText(TObject* Sender, TObject* Instance, const std::string& PropName,
                      const std::string& Value);
};

// 5. Cursors: as colours, with the cursor identifiers.
class TZkTCursorPropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTCursorPropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTCursorPropertyPreset(TCollection* Collection);
    void GetCursorNames(TObject* Sender, const std::string& PropName, TStrings* Values);
    void GetCursorText(TObject* Sender, TObject* Instance, const std::string& PropName,
                       std::string& Value);
    void SetCursorText(TObject* Sender, TObject* Instance, const std::string& PropName,
                       const std::string& Value);
};

// 6. Fonts: the font dialog, starting from the row's font.
class TZkTFontDlgPropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTFontDlgPropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTFontDlgPropertyPreset(TCollection* Collection);
    void EditFont(TObject* Sender);
};

// 7. String lists: the string-list editor with the views StringsViews names.
class TZkTStringsPropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTStringsPropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTStringsPropertyPreset(TCollection* Collection);
    // From another strings preset: StringsViews, then the base's copy.
    void Assign(TPersistent* Source) override;
    // Lines confirmed unchanged are not written, so what the editor cannot
    // show (the list's objects) stays.
    void EditStrings(TObject* Sender);

    TStringsViews GetStringsViews() const { return FStringsViews; }
    void SetStringsViews(TStringsViews Value);

private:
    TStringsViews FStringsViews = {svNormal};
};

// 8. Pictures and bitmaps: the open-picture dialog; the chosen file is
// loaded into a copy, which is then written through the row.
class TZkTPicturePropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTPicturePropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTPicturePropertyPreset(TCollection* Collection);
    void EditPicture(TObject* Sender);
};

// 9. Collections: the modeless collection editor.
class TZkTCollectionPropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTCollectionPropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTCollectionPropertyPreset(TCollection* Collection);
    // Opens the editor linked to the row's inspector, its caption followed by
    // the inspected component's name and the row's path ("ListView1.Columns");
    // an editor already open on that collection comes to the front instead.
    void EditCollection(TObject* Sender);
};

// 10. Dates: a masked "mm/dd/yyyy" text and the date pop-up.
//
// The pop-up is made on the first ellipsis click, reused for later ones and
// freed with the preset.
class TZkTDatePropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTDatePropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTDatePropertyPreset(TCollection* Collection);
    ~TZkTDatePropertyPreset() override;
    void GetDateText(TObject* Sender, TObject* Instance, const std::string& PropName,
                     std::string& Value);
    // Raises EConvertError "'%s' is not a valid date".
    void SetDateText(TObject* Sender, TObject* Instance, const std::string& PropName,
                     const std::string& Value);
    void EditDate(TObject* Sender);
    TfrmDateEditor* GetDateEditor() const { return FDateEditor.get(); }

protected:
    virtual void CreateDateEditor();

private:
    TOwned<TfrmDateEditor> FDateEditor;
};

// 11. Times: a masked "hh:nn:ss AM" text.
class TZkTTimePropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTTimePropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTTimePropertyPreset(TCollection* Collection);
    void GetTimeText(TObject* Sender, TObject* Instance, const std::string& PropName,
                     std::string& Value);
    // Raises EConvertError "'%s' is not a valid time".
    void SetTimeText(TObject* Sender, TObject* Instance, const std::string& PropName,
                     const std::string& Value);
};

// 12. Date and time: a masked text and the date pop-up, which changes the
// date and keeps the time of day.
class TZkTDateTimePropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTDateTimePropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTDateTimePropertyPreset(TCollection* Collection);
    ~TZkTDateTimePropertyPreset() override;
    void GetDateTimeText(TObject* Sender, TObject* Instance, const std::string& PropName,
                         std::string& Value);
    // Raises EConvertError "'%s' is not a valid date and time".
    void SetDateTimeText(TObject* Sender, TObject* Instance, const std::string& PropName,
                         const std::string& Value);
    void EditDateTime(TObject* Sender);
    TfrmDateEditor* GetDateEditor() const { return FDateEditor.get(); }

protected:
    virtual void CreateDateEditor();

private:
    TOwned<TfrmDateEditor> FDateEditor;
};

// 13. File names (type TFilename): the open-file dialog with the preset's
// settings, starting from the row's text.
class TZkTFilenamePropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTFilenamePropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTFilenamePropertyPreset(TCollection* Collection);
    // From another file-name preset: the seven dialog settings, then the base's copy.
    void Assign(TPersistent* Source) override;
    void EditFileName(TObject* Sender);

    int GetFilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int Value) { FFilterIndex = Value; }
    const std::string& GetFilter() const { return FFilter; }
    void SetFilter(const std::string& Value) { FFilter = Value; }
    const std::string& GetInitialDir() const { return FInitialDir; }
    // Drops one trailing path delimiter ('\' or '/'), except from a single
    // character and after a ':' (a drive root such as X:\ keeps it).
    void SetInitialDir(const std::string& Value);
    const std::string& GetDefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& Value) { FDefaultExt = Value; }
    const std::string& GetTitle() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }
    TOpenOptions GetOptions() const { return FOptions; }
    void SetOptions(TOpenOptions Value) { FOptions = Value; }
    TOpenOptionsEx GetOptionsEx() const { return FOptionsEx; }
    void SetOptionsEx(TOpenOptionsEx Value) { FOptionsEx = Value; }

private:
    int FFilterIndex = 1;
    std::string FFilter;
    std::string FInitialDir;
    std::string FDefaultExt;
    std::string FTitle;
    TOpenOptions FOptions = {ofHideReadOnly, ofEnableSizing};
    TOpenOptionsEx FOptionsEx;
};

// 14. Modal results: a pick list of the eleven names; a value is shown as
// the name at its position, and a name not in the list is not written.
class TZkTModalResultPropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTModalResultPropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTModalResultPropertyPreset(TCollection* Collection);
    // A value beyond the list's positions shows as its number.
    void GetModalResultText(TObject* Sender, TObject* Instance, const std::string& PropName,
                            std::string& Value);
    void SetModalResultText(TObject* Sender, TObject* Instance, const std::string& PropName,
                            const std::string& Value);
};

// 15. The Strings of a value list editor or an item-list grid: the
// string-list editor with only its INI view.
class TZkTINIStringsPropertyPreset : public TZkTStringsPropertyPreset {
    ZK_CLASS(TZkTINIStringsPropertyPreset, TZkTStringsPropertyPreset)
public:
    explicit TZkTINIStringsPropertyPreset(TCollection* Collection);
};

// 16. List-view items: the list-view items dialog, which writes into the
// list view itself; the rows are rebuilt afterwards.
class TZkTListItemsDlgPropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTListItemsDlgPropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTListItemsDlgPropertyPreset(TCollection* Collection);
    void EditListItems(TObject* Sender);
};

// 17. Tree-view nodes: the tree-view items dialog, as 16.
class TZkTTreeNodesDlgPropertyPreset : public TZkPropertyPreset {
    ZK_CLASS(TZkTTreeNodesDlgPropertyPreset, TZkPropertyPreset)
public:
    explicit TZkTTreeNodesDlgPropertyPreset(TCollection* Collection);
    void EditTreeNodes(TObject* Sender);
};

// 18. Any long-string property named FileName gets the open-file dialog.
class TZkFilenamePropPropertyPreset : public TZkTFilenamePropertyPreset {
    ZK_CLASS(TZkFilenamePropPropertyPreset, TZkTFilenamePropertyPreset)
public:
    explicit TZkFilenamePropPropertyPreset(TCollection* Collection);
};

}  // namespace zk
