// RegisterGuiClasses: the class registry entries of the GUI library.
#include "platform/gui/GuiRegistration.h"

#include <mutex>

#include "platform/core/CoreRegistration.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/Application.h"
#include "platform/gui/Buttons.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ComboBoxEx.h"
#include "platform/gui/DateTimePicker.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Grids.h"
#include "platform/gui/GuiRegistration.h"
#include "platform/gui/HintWindow.h"
#include "platform/gui/Image.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/LabeledEdit.h"
#include "platform/gui/ListBox.h"
#include "platform/gui/ListView.h"
#include "platform/gui/Menus.h"
#include "platform/gui/PopupList.h"
#include "platform/gui/ProgressBar.h"
#include "platform/gui/RadioGroup.h"
#include "platform/gui/Shape.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/Timer.h"
#include "platform/gui/TreeView.h"
#include "platform/gui/ValueListEditor.h"

namespace zk {

void RegisterGuiClasses() {
    static std::once_flag Once;
    std::call_once(Once, [] {
        RegisterCoreClasses();
        RegisterApplicationClasses();
        RegisterGridClasses();
        RegisterClasses({TForm::StaticClass(),
                         TLabel::StaticClass(),
                         TEdit::StaticClass(),
                         TButton::StaticClass(),
                         TMemo::StaticClass(),
                         TCheckBox::StaticClass(),
                         TRadioButton::StaticClass(),
                         TComboBox::StaticClass(),
                         TGroupBox::StaticClass(),
                         TPanel::StaticClass(),
                         TListBox::StaticClass(),
                         THintWindow::StaticClass(),
                         TPopupListWindow::StaticClass(),
                         TTimer::StaticClass(),
                         TImageList::StaticClass(),
                         TPopupMenu::StaticClass(),
                         TMenuItem::StaticClass(),
                         TActionList::StaticClass(),
                         TAction::StaticClass(),
                         TOpenDialog::StaticClass(),
                         TSaveDialog::StaticClass(),
                         TOpenPictureDialog::StaticClass(),
                         TFontDialog::StaticClass(),
                         TPageControl::StaticClass(),
                         TTabSheet::StaticClass(),
                         TStatusBar::StaticClass(),
                         TToolBar::StaticClass(),
                         TToolButton::StaticClass(),
                         TMonthCalendar::StaticClass(),
                         TBevel::StaticClass(),
                         TSplitter::StaticClass(),
                         TTreeView::StaticClass(),
                         TListView::StaticClass(),
                         TImage::StaticClass(),
                         TShape::StaticClass(),
                         TSpeedButton::StaticClass(),
                         TBitBtn::StaticClass(),
                         TRadioGroup::StaticClass(),
                         TLabeledEdit::StaticClass(),
                         TDateTimePicker::StaticClass(),
                         TProgressBar::StaticClass(),
                         TTrackBar::StaticClass(),
                         TComboBoxEx::StaticClass(),
                         TValueListEditor::StaticClass()});
    });
}

}  // namespace zk
