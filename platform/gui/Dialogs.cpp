// Common dialogs: file dialogs over QFileDialog with the framework's filters and options, the
// picture preview, the font dialog over QFontDialog, and the message dialog form.
#include "platform/gui/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"

namespace zk {

namespace {

bool IsHeadless() {
    const QString Platform = QGuiApplication::platformName();
    return Platform == QLatin1String("offscreen") || Platform == QLatin1String("minimal");
}

// Dialogs sit over the active form.
QWidget* DialogParent() {
    auto* Form = Screen ? DynamicCast<TCustomForm>(Screen->GetActiveForm()) : nullptr;
    return Form && Form->GetWidget()->isVisible() ? Form->GetWidget() : nullptr;
}

std::vector<std::string> Split(const std::string& S, char Sep) {
    std::vector<std::string> Parts;
    size_t Start = 0;
    for (size_t I = 0; I <= S.size(); ++I)
        if (I == S.size() || S[I] == Sep) {
            Parts.push_back(S.substr(Start, I - Start));
            Start = I + 1;
        }
    return Parts;
}

// Qt's file dialog that asks its component before it takes the user's OK.
class TFileDialogWidget : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    std::function<bool()> OnAccept;
    void accept() override {
        bool Take = true;
        if (OnAccept) SafeCall(nullptr, [&] { Take = OnAccept(); });
        if (Take) QFileDialog::accept();
    }
};

}  // namespace

// ---- TCommonDialog ----

ZK_IMPLEMENT_CLASS(TCommonDialog)
void TCommonDialog::DescribeClass(TClassBuilder<TCommonDialog>& C) {
    C.Prop("Ctl3D", &TCommonDialog::GetCtl3D, &TCommonDialog::SetCtl3D).Default(true);
    C.Prop("HelpContext", &TCommonDialog::GetHelpContext, &TCommonDialog::SetHelpContext)
        .Default(0);
    C.Prop("OnClose", &TCommonDialog::GetOnClose, &TCommonDialog::SetOnClose);
    C.Prop("OnShow", &TCommonDialog::GetOnShow, &TCommonDialog::SetOnShow);
}

TCommonDialog::TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}

void TCommonDialog::DoShow() {
    if (FOnShow.Assigned()) FOnShow(this);
}

void TCommonDialog::DoClose() {
    if (FOnClose.Assigned()) FOnClose(this);
}

int TCommonDialog::RunDialog(QWidget* Dialog) {
    DoShow();
    auto* D = static_cast<QDialog*>(Dialog);
    const int Result =
        RunModal(this, [D] { return D->exec() == QDialog::Accepted ? mrOk : mrCancel; });
    DoClose();
    return Result;
}

// ---- TOpenDialog ----

ZK_IMPLEMENT_CLASS(TOpenDialog)
void TOpenDialog::DescribeClass(TClassBuilder<TOpenDialog>& C) {
    C.Prop("DefaultExt", &TOpenDialog::GetDefaultExt, &TOpenDialog::SetDefaultExt);
    C.Prop("FileName", &TOpenDialog::GetFileName, &TOpenDialog::SetFileName)
        .Type(TypeInfoTFileName());
    C.Prop("Filter", &TOpenDialog::GetFilter, &TOpenDialog::SetFilter);
    C.Prop("FilterIndex", &TOpenDialog::GetFilterIndex, &TOpenDialog::SetFilterIndex).Default(1);
    C.Prop("InitialDir", &TOpenDialog::GetInitialDir, &TOpenDialog::SetInitialDir);
    C.Prop("Options", &TOpenDialog::GetOptions, &TOpenDialog::SetOptions)
        .Default(TOpenOptions{ofHideReadOnly, ofEnableSizing});
    C.Prop("OptionsEx", &TOpenDialog::GetOptionsEx, &TOpenDialog::SetOptionsEx)
        .Default(TOpenOptionsEx{});
    C.Prop("Title", &TOpenDialog::GetTitle, &TOpenDialog::SetTitle);
    C.Prop("OnCanClose", &TOpenDialog::GetOnCanClose, &TOpenDialog::SetOnCanClose);
    C.Prop("OnFolderChange", &TOpenDialog::GetOnFolderChange, &TOpenDialog::SetOnFolderChange);
    C.Prop("OnSelectionChange", &TOpenDialog::GetOnSelectionChange,
           &TOpenDialog::SetOnSelectionChange);
    C.Prop("OnTypeChange", &TOpenDialog::GetOnTypeChange, &TOpenDialog::SetOnTypeChange);
}

TOpenDialog::TOpenDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FFiles(Create<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

void TOpenDialog::SetDefaultExt(const std::string& Value) {
    // Stored without a leading dot, as "TXT".
    FDefaultExt = !Value.empty() && Value[0] == '.' ? Value.substr(1) : Value;
}

void TOpenDialog::SetFileName(const std::string& Value) {
    FFileName = Value;
    if (FFileDialog) FFileDialog->selectFile(QString::fromUtf8(Value));
}

// "*.*" means every file, as the framework's dialogs take it; Qt would want a dot.
std::vector<std::string> TOpenDialog::QtNameFilters(const std::string& Filter) {
    std::vector<std::string> Result;
    if (Trim(Filter).empty()) return Result;
    const std::vector<std::string> Parts = Split(Filter, '|');
    for (size_t I = 0; I < Parts.size(); I += 2) {
        const std::string Description = Trim(Parts[I]);
        std::string Patterns = I + 1 < Parts.size() ? Parts[I + 1] : std::string();
        if (Patterns.empty()) {
            // A description alone names its patterns in its last parentheses.
            const size_t Open = Description.rfind('(');
            const size_t Close = Description.rfind(')');
            Patterns = Open != std::string::npos && Close != std::string::npos && Close > Open
                           ? Description.substr(Open + 1, Close - Open - 1)
                           : "*";
        }
        std::vector<std::string> Qt;
        auto AddPattern = [&Qt](const std::string& P) {
            if (!P.empty() && std::find(Qt.begin(), Qt.end(), P) == Qt.end()) Qt.push_back(P);
        };
        for (std::string P : Split(Patterns, ';')) {
            P = Trim(P);
            if (P == "*.*") P = "*";
            AddPattern(P);
            AddPattern(LowerCase(P));
            AddPattern(UpperCase(P));
        }
        std::string Joined;
        for (const std::string& P : Qt) Joined += (Joined.empty() ? "" : " ") + P;
        Result.push_back(Description + " (" + Joined + ")");
    }
    return Result;
}

void TOpenDialog::Prepare(QFileDialog& Dialog) {
    if (IsHeadless()) Dialog.setOption(QFileDialog::DontUseNativeDialog);
    Dialog.setWindowTitle(QString::fromUtf8(FTitle.empty() ? DefaultTitle() : FTitle));
    Dialog.setAcceptMode(IsSaveDialog() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (IsSaveDialog())
        Dialog.setFileMode(QFileDialog::AnyFile);
    else if (FOptions.Contains(ofAllowMultiSelect))
        Dialog.setFileMode(QFileDialog::ExistingFiles);
    else
        Dialog.setFileMode(FOptions.Contains(ofFileMustExist) ? QFileDialog::ExistingFile
                                                              : QFileDialog::AnyFile);
    Dialog.setOption(QFileDialog::DontConfirmOverwrite, !FOptions.Contains(ofOverwritePrompt));
    if (FOptions.Contains(ofForceShowHidden)) Dialog.setFilter(Dialog.filter() | QDir::Hidden);
    Dialog.setSizeGripEnabled(FOptions.Contains(ofEnableSizing));
    if (FOptionsEx.Contains(ofExNoPlacesBar)) Dialog.setSidebarUrls({});
    QStringList Filters;
    for (const std::string& F : QtNameFilters(FFilter)) Filters << QString::fromUtf8(F);
    if (!Filters.isEmpty()) {
        Dialog.setNameFilters(Filters);
        if (FFilterIndex >= 1 && FFilterIndex <= Filters.size())
            Dialog.selectNameFilter(Filters[FFilterIndex - 1]);
    }
    if (!FDefaultExt.empty()) Dialog.setDefaultSuffix(QString::fromUtf8(FDefaultExt));
    Dialog.setDirectory(FInitialDir.empty() ? QDir::currentPath() : QString::fromUtf8(FInitialDir));
    if (!FFileName.empty()) Dialog.selectFile(QString::fromUtf8(FFileName));
    QObject::connect(&Dialog, &QFileDialog::currentChanged, &Dialog, [this] {
        SafeCall(this, [this] {
            if (FOnSelectionChange.Assigned()) FOnSelectionChange(this);
        });
    });
    QObject::connect(&Dialog, &QFileDialog::directoryEntered, &Dialog, [this] {
        SafeCall(this, [this] {
            if (FOnFolderChange.Assigned()) FOnFolderChange(this);
        });
    });
    QObject::connect(
        &Dialog, &QFileDialog::filterSelected, &Dialog, [this, &Dialog](const QString& Filter) {
            SafeCall(this, [&] {
                FFilterIndex = static_cast<int>(Dialog.nameFilters().indexOf(Filter)) + 1;
                if (FOnTypeChange.Assigned()) FOnTypeChange(this);
            });
        });
}

void TOpenDialog::TakeResult(QFileDialog& Dialog) {
    const QStringList Chosen = Dialog.selectedFiles();
    FFiles->Clear();
    for (const QString& F : Chosen) {
        std::string Name = F.toStdString();
        if (!FDefaultExt.empty() && QFileInfo(F).suffix().isEmpty()) Name += "." + FDefaultExt;
        FFiles->Add(Name);
    }
    FFileName = FFiles->GetCount() > 0 ? FFiles->Get(0) : std::string();
    const int Index = static_cast<int>(Dialog.nameFilters().indexOf(Dialog.selectedNameFilter()));
    if (Index >= 0) FFilterIndex = Index + 1;
}

bool TOpenDialog::CanClose() {
    bool Result = true;
    if (FOnCanClose.Assigned()) FOnCanClose(this, Result);
    return Result;
}

// The user's choice is taken, shown to OnCanClose, and given back when the
// dialog is refused or cancelled.
bool TOpenDialog::Execute() {
    const std::string OldName = FFileName;
    const int OldIndex = FFilterIndex;
    TOwned<TStringList> OldFiles(Create<TStringList>());
    OldFiles->Assign(FFiles.get());
    auto Restore = [&] {
        FFileName = OldName;
        FFilterIndex = OldIndex;
        FFiles->Assign(OldFiles.get());
    };
    TFileDialogWidget Dialog(DialogParent());
    Prepare(Dialog);
    bool Taken = false;
    Dialog.OnAccept = [&] {
        TakeResult(Dialog);
        Taken = CanClose();
        if (!Taken) Restore();
        return Taken;
    };
    FFileDialog = &Dialog;
    TScopeExit Reset([this] { FFileDialog = nullptr; });
    const int Result = RunDialog(&Dialog);
    if (Result == mrOk && !Taken) {
        TakeResult(Dialog);
        Taken = CanClose();
    }
    if (Result != mrOk || !Taken) {
        Restore();
        return false;
    }
    return true;
}

// ---- TSaveDialog ----

ZK_IMPLEMENT_CLASS(TSaveDialog)
void TSaveDialog::DescribeClass(TClassBuilder<TSaveDialog>&) {}

TSaveDialog::TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

// ---- TOpenPictureDialog ----

ZK_IMPLEMENT_CLASS(TOpenPictureDialog)
void TOpenPictureDialog::DescribeClass(TClassBuilder<TOpenPictureDialog>& C) {
    C.Redeclare("Filter").Stored(&TOpenPictureDialog::IsFilterStored);
}

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner) : TOpenDialog(AOwner) {
    SetFilter(GraphicFilter());
}

std::string TOpenPictureDialog::GraphicFilter() {
    return "All (*.bmp;*.png)|*.bmp;*.png|Bitmaps (*.bmp)|*.bmp|PNG images (*.png)|*.png";
}

// The preview needs Qt's own dialog, whose grid gets a column for it.
void TOpenPictureDialog::Prepare(QFileDialog& Dialog) {
    TOpenDialog::Prepare(Dialog);
    Dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* Grid = qobject_cast<QGridLayout*>(Dialog.layout());
    if (!Grid) return;
    auto* Preview = new QLabel(QStringLiteral("(None)"), &Dialog);
    Preview->setObjectName(QStringLiteral("PicturePreview"));
    Preview->setFixedSize(160, 160);
    Preview->setAlignment(Qt::AlignCenter);
    Preview->setFrameShape(QFrame::StyledPanel);
    Grid->addWidget(Preview, 0, Grid->columnCount(), Grid->rowCount(), 1);
    QObject::connect(
        &Dialog, &QFileDialog::currentChanged, Preview, [Preview](const QString& Path) {
            const QImage Image(Path);
            if (Image.isNull()) {
                Preview->setText(QStringLiteral("(None)"));
                return;
            }
            Preview->setPixmap(QPixmap::fromImage(
                Image.width() > 150 || Image.height() > 150
                    ? Image.scaled(150, 150, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                    : Image));
            Preview->setToolTip(QStringLiteral("%1 x %2").arg(Image.width()).arg(Image.height()));
        });
}

// ---- TFontDialog ----

ZK_IMPLEMENT_CLASS(TFontDialog)
void TFontDialog::DescribeClass(TClassBuilder<TFontDialog>& C) {
    C.Prop("Font", &TFontDialog::GetFont, &TFontDialog::SetFont);
    C.Prop("Device", &TFontDialog::GetDevice, &TFontDialog::SetDevice).Default(fdScreen);
    C.Prop("MinFontSize", &TFontDialog::GetMinFontSize, &TFontDialog::SetMinFontSize).Default(0);
    C.Prop("MaxFontSize", &TFontDialog::GetMaxFontSize, &TFontDialog::SetMaxFontSize).Default(0);
    C.Prop("Options", &TFontDialog::GetOptions, &TFontDialog::SetOptions)
        .Default(TFontDialogOptions{fdEffects});
    C.Prop("OnApply", &TFontDialog::GetOnApply, &TFontDialog::SetOnApply);
}

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFont(Create<TFont>()) {}

TFontDialog::~TFontDialog() = default;

void TFontDialog::SetFont(TFont* Value) {
    if (Value) FFont->Assign(Value);
}

namespace {

int PixelHeight(const QFont& F) {
    return F.pixelSize() > 0 ? F.pixelSize() : qRound(F.pointSizeF() * 96.0 / 72.0);
}

}  // namespace

void TFontDialog::TakeFont(const QFont& Chosen) {
    const QFont Before = FontToQFont(*FFont);
    TOwned<TFont> New(Create<TFont>());
    New->Assign(FFont.get());
    if (Chosen.family() != Before.family()) New->SetName(Chosen.family().toStdString());
    int Height = PixelHeight(Chosen);
    if (FOptions.Contains(fdLimitSize) && FMaxFontSize > 0)
        Height = std::min(Height, qRound(FMaxFontSize * 96.0 / 72.0));
    if (FOptions.Contains(fdLimitSize) && FMinFontSize > 0)
        Height = std::max(Height, qRound(FMinFontSize * 96.0 / 72.0));
    if (Height != PixelHeight(Before)) New->SetHeight(-Height);
    TFontStyles Style;
    if (Chosen.bold()) Style.Include(fsBold);
    if (Chosen.italic()) Style.Include(fsItalic);
    if (Chosen.underline()) Style.Include(fsUnderline);
    if (Chosen.strikeOut()) Style.Include(fsStrikeOut);
    New->SetStyle(Style);
    FFont->Assign(New.get());
}

bool TFontDialog::Execute() {
    QFontDialog Dialog(DialogParent());
    if (IsHeadless()) Dialog.setOption(QFontDialog::DontUseNativeDialog);
    Dialog.setOption(QFontDialog::MonospacedFonts, FOptions.Contains(fdFixedPitchOnly));
    Dialog.setOption(QFontDialog::ScalableFonts, FOptions.Contains(fdScalableOnly));
    Dialog.setCurrentFont(FontToQFont(*FFont));
    FFontDialog = &Dialog;
    TScopeExit Reset([this] { FFontDialog = nullptr; });
    if (RunDialog(&Dialog) != mrOk) return false;
    TakeFont(Dialog.currentFont());
    return true;
}

// ---- the message dialog ----

namespace {

struct TButtonInfo {
    TMsgDlgBtn Button;
    const char* Name;
    const char* Caption;
    TModalResult Result;
};

const TButtonInfo ButtonInfos[] = {
    {mbYes, "Yes", "&Yes", mrYes},
    {mbNo, "No", "&No", mrNo},
    {mbOK, "OK", "OK", mrOk},
    {mbCancel, "Cancel", "Cancel", mrCancel},
    {mbAbort, "Abort", "&Abort", mrAbort},
    {mbRetry, "Retry", "&Retry", mrRetry},
    {mbIgnore, "Ignore", "&Ignore", mrIgnore},
    {mbAll, "All", "&All", mrAll},
    {mbNoToAll, "NoToAll", "N&o to All", mrNoToAll},
    {mbYesToAll, "YesToAll", "Yes to &All", mrYesToAll},
    {mbHelp, "Help", "&Help", mrNone},
};

std::string DialogCaption(TMsgDlgType DlgType) {
    switch (DlgType) {
        case mtWarning:
            return "Warning";
        case mtError:
            return "Error";
        case mtInformation:
            return "Information";
        case mtConfirmation:
            return "Confirm";
        default:
            return Application ? Application->GetTitle() : std::string();
    }
}

// The type's icon, as the style draws message boxes.
class TMessageIcon : public TGraphicControl {
public:
    TMessageIcon(TComponent* AOwner, TMsgDlgType DlgType)
        : TGraphicControl(AOwner), FType(DlgType) {
        SetBounds(16, 16, 32, 32);
    }

protected:
    void Paint() override {
        QStyle::StandardPixmap Pixmap;
        switch (FType) {
            case mtWarning:
                Pixmap = QStyle::SP_MessageBoxWarning;
                break;
            case mtError:
                Pixmap = QStyle::SP_MessageBoxCritical;
                break;
            case mtInformation:
                Pixmap = QStyle::SP_MessageBoxInformation;
                break;
            case mtConfirmation:
                Pixmap = QStyle::SP_MessageBoxQuestion;
                break;
            default:
                return;
        }
        const QIcon Icon = QApplication::style()->standardIcon(Pixmap);
        GetCanvas()->GetPainter()->drawPixmap(0, 0, Icon.pixmap(32, 32));
    }

private:
    TMsgDlgType FType;
};

}  // namespace

TForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    TOwned<TForm> Form(Create<TForm>(nullptr));
    Form->SetBorderStyle(bsDialog);
    Form->SetPosition(poScreenCenter);
    Form->SetCaption(DialogCaption(DlgType));
    const bool HasIcon = DlgType != mtCustom;
    if (HasIcon) {
        auto* Icon = new TMessageIcon(Form.get(), DlgType);
        Icon->AfterConstruction();
        Icon->SetName("Image");
        Icon->SetParent(Form.get());
    }
    auto* Label = Create<TLabel>(Form.get());
    Label->SetName("Message");
    Label->SetParent(Form.get());
    Label->SetLeft(HasIcon ? 60 : 16);
    Label->SetTop(16);
    Label->SetCaption(Msg);
    if (Label->GetWidth() > 400) {
        Label->SetAutoSize(false);
        Label->SetWidth(400);
        Label->SetWordWrap(true);
        Label->SetAutoSize(true);
    }
    std::vector<TButton*> Added;
    const TMsgDlgBtn DefaultButton = Buttons.Contains(mbOK) ? mbOK : mbYes;
    const TMsgDlgBtn CancelButton = Buttons.Contains(mbCancel) ? mbCancel
                                    : Buttons.Contains(mbNo)   ? mbNo
                                                               : mbOK;
    for (const TButtonInfo& Info : ButtonInfos) {
        if (!Buttons.Contains(Info.Button)) continue;
        auto* B = Create<TButton>(Form.get());
        B->SetName(Info.Name);
        B->SetParent(Form.get());
        B->SetCaption(Info.Caption);
        B->SetModalResult(Info.Result);
        B->SetDefault(Info.Button == DefaultButton);
        B->SetCancel(Info.Button == CancelButton);
        Added.push_back(B);
    }
    const int ButtonsWidth = static_cast<int>(Added.size()) * 83 - 8;
    const int TextBottom = std::max(Label->GetTop() + Label->GetHeight(), HasIcon ? 48 : 0);
    const int Width = std::max(Label->GetLeft() + Label->GetWidth() + 16, ButtonsWidth + 32);
    Form->SetClientWidth(Width);
    Form->SetClientHeight(TextBottom + 20 + 25 + 12);
    int X = (Width - ButtonsWidth) / 2;
    for (TButton* B : Added) {
        B->SetBounds(X, TextBottom + 20, 75, 25);
        X += 83;
    }
    return Form.release();
}

}  // namespace zk
