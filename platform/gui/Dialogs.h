// Common dialogs over Qt's own: TOpenDialog, TSaveDialog and TOpenPictureDialog (QFileDialog),
// TFontDialog (QFontDialog), and the message dialog that MessageDlg shows.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Event.h"
#include "platform/core/Font.h"
#include "platform/core/StringList.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"

class QFileDialog;
class QFontDialog;

namespace zk {

ZK_ENUM(TOpenOption, uint8_t, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir,
        ofShowHelp, ofNoValidate, ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist,
        ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate,
        ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
        ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden)
ZK_SET(TOpenOptions, TOpenOption)
ZK_ENUM(TOpenOptionEx, uint8_t, ofExNoPlacesBar)
ZK_SET(TOpenOptionsEx, TOpenOptionEx)
ZK_ENUM(TFontDialogDevice, uint8_t, fdScreen, fdPrinter, fdBoth)
ZK_ENUM(TFontDialogOption, uint8_t, fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly,
        fdForceFontExist, fdNoFaceSel, fdNoOEMFonts, fdNoSimulations, fdNoSizeSel, fdNoStyleSel,
        fdNoVectorFonts, fdShowHelp, fdWysiwyg, fdLimitSize, fdScalableOnly, fdApplyButton)
ZK_SET(TFontDialogOptions, TFontDialogOption)

// A dialog component: Execute shows the real dialog through the modal seam
// and answers whether the user confirmed. While it runs, the Qt dialog is
// reachable (GetFileDialog, GetFontDialog), so a test's modal handler can
// fill it in as a user would and answer mrOk or mrCancel. Only a confirmed
// dialog changes the component's properties.
class TCommonDialog : public TComponent {
    ZK_CLASS(TCommonDialog, TComponent)
public:
    explicit TCommonDialog(TComponent* AOwner);

    virtual bool Execute() = 0;

    bool GetCtl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value) { FCtl3D = Value; }
    int GetHelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }
    const TNotifyEvent& GetOnClose() const { return FOnClose; }
    void SetOnClose(const TNotifyEvent& Value) { FOnClose = Value; }
    const TNotifyEvent& GetOnShow() const { return FOnShow; }
    void SetOnShow(const TNotifyEvent& Value) { FOnShow = Value; }

protected:
    // Fire OnShow before the dialog shows and OnClose after it went.
    virtual void DoShow();
    virtual void DoClose();
    // Shows Dialog (a QDialog) modally through the seam, between DoShow and DoClose.
    int RunDialog(QWidget* Dialog);

private:
    bool FCtl3D = true;
    int FHelpContext = 0;
    TNotifyEvent FOnClose;
    TNotifyEvent FOnShow;
};

// A file dialog. Filter holds description|patterns pairs, patterns split by
// ';' ("Text files (*.TXT)|*.TXT|All files (*.*)|*.*"), matched without
// regard to case; FilterIndex counts them from 1. A chosen name without an
// extension gets DefaultExt.
class TOpenDialog : public TCommonDialog {
    ZK_CLASS(TOpenDialog, TCommonDialog)
public:
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;

    bool Execute() override;
    // The Qt dialog while Execute runs; null otherwise.
    QFileDialog* GetFileDialog() const { return FFileDialog; }

    const std::string& GetDefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& Value);
    const std::string& GetFileName() const { return FFileName; }
    // While the dialog runs this also selects the file in it.
    void SetFileName(const std::string& Value);
    // Every chosen file (several with ofAllowMultiSelect); owned.
    TStrings* GetFiles() const { return FFiles.get(); }
    const std::string& GetFilter() const { return FFilter; }
    void SetFilter(const std::string& Value) { FFilter = Value; }
    int GetFilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int Value) { FFilterIndex = Value; }
    const std::string& GetInitialDir() const { return FInitialDir; }
    void SetInitialDir(const std::string& Value) { FInitialDir = Value; }
    TOpenOptions GetOptions() const { return FOptions; }
    void SetOptions(TOpenOptions Value) { FOptions = Value; }
    TOpenOptionsEx GetOptionsEx() const { return FOptionsEx; }
    void SetOptionsEx(TOpenOptionsEx Value) { FOptionsEx = Value; }
    const std::string& GetTitle() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }

    const TCloseQueryEvent& GetOnCanClose() const { return FOnCanClose; }
    void SetOnCanClose(const TCloseQueryEvent& Value) { FOnCanClose = Value; }
    const TNotifyEvent& GetOnFolderChange() const { return FOnFolderChange; }
    void SetOnFolderChange(const TNotifyEvent& Value) { FOnFolderChange = Value; }
    const TNotifyEvent& GetOnSelectionChange() const { return FOnSelectionChange; }
    void SetOnSelectionChange(const TNotifyEvent& Value) { FOnSelectionChange = Value; }
    const TNotifyEvent& GetOnTypeChange() const { return FOnTypeChange; }
    void SetOnTypeChange(const TNotifyEvent& Value) { FOnTypeChange = Value; }

    // The Qt name filters of Filter, one per pair; patterns in both cases.
    static std::vector<std::string> QtNameFilters(const std::string& Filter);

protected:
    // Whether the chosen file may be taken; fires OnCanClose.
    virtual bool CanClose();
    // Sets up the Qt dialog from the properties; descendants add to it.
    virtual void Prepare(QFileDialog& Dialog);
    virtual bool IsSaveDialog() const { return false; }
    virtual std::string DefaultTitle() const { return "Open"; }

private:
    void TakeResult(QFileDialog& Dialog);

    std::string FDefaultExt;
    std::string FFileName;
    TOwned<TStringList> FFiles;
    std::string FFilter;
    int FFilterIndex = 1;
    std::string FInitialDir;
    TOpenOptions FOptions = {ofHideReadOnly, ofEnableSizing};
    TOpenOptionsEx FOptionsEx;
    std::string FTitle;
    QFileDialog* FFileDialog = nullptr;  // on Execute's stack while it runs
    TCloseQueryEvent FOnCanClose;
    TNotifyEvent FOnFolderChange;
    TNotifyEvent FOnSelectionChange;
    TNotifyEvent FOnTypeChange;
};

// Asks for a name to save under; with ofOverwritePrompt an existing file
// is confirmed first.
class TSaveDialog : public TOpenDialog {
    ZK_CLASS(TSaveDialog, TOpenDialog)
public:
    explicit TSaveDialog(TComponent* AOwner);

protected:
    bool IsSaveDialog() const override { return true; }
    std::string DefaultTitle() const override { return "Save As"; }
};

// An open dialog for pictures, with a preview of the file under the cursor
// and the picture types as its default Filter.
class TOpenPictureDialog : public TOpenDialog {
    ZK_CLASS(TOpenPictureDialog, TOpenDialog)
public:
    explicit TOpenPictureDialog(TComponent* AOwner);
    static std::string GraphicFilter();
    bool IsFilterStored() const { return GetFilter() != GraphicFilter(); }

protected:
    void Prepare(QFileDialog& Dialog) override;
};

// Picks a font; Font (owned) goes into the dialog and comes back changed
// when the user confirms. The name and size the dialog did not change keep
// their framework values ("MS Sans Serif" is not replaced by the face Qt
// shows for it).
class TFontDialog : public TCommonDialog {
    ZK_CLASS(TFontDialog, TCommonDialog)
public:
    explicit TFontDialog(TComponent* AOwner);
    ~TFontDialog() override;

    bool Execute() override;
    // The Qt dialog while Execute runs; null otherwise.
    QFontDialog* GetFontDialog() const { return FFontDialog; }

    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value);
    TFontDialogDevice GetDevice() const { return FDevice; }
    void SetDevice(TFontDialogDevice Value) { FDevice = Value; }
    int GetMinFontSize() const { return FMinFontSize; }
    void SetMinFontSize(int Value) { FMinFontSize = Value; }
    int GetMaxFontSize() const { return FMaxFontSize; }
    void SetMaxFontSize(int Value) { FMaxFontSize = Value; }
    TFontDialogOptions GetOptions() const { return FOptions; }
    void SetOptions(TFontDialogOptions Value) { FOptions = Value; }
    const TNotifyEvent& GetOnApply() const { return FOnApply; }
    void SetOnApply(const TNotifyEvent& Value) { FOnApply = Value; }

private:
    void TakeFont(const QFont& Chosen);

    TOwned<TFont> FFont;
    TFontDialogDevice FDevice = fdScreen;
    int FMinFontSize = 0;
    int FMaxFontSize = 0;
    TFontDialogOptions FOptions = {fdEffects};
    QFontDialog* FFontDialog = nullptr;  // on Execute's stack while it runs
    TNotifyEvent FOnApply;
};

// The form MessageDlg shows: the message in a label named "Message", an
// icon for the type, and one button per TMsgDlgBtn named after it ("Yes",
// "OK", "NoToAll"...) with its modal result. The first of OK and Yes is the
// default button; Cancel (or else No, or else OK) answers Escape. The
// caller owns the form.
TForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);

}  // namespace zk
