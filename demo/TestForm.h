// The demonstration form: pick any of its components, from the combo box or by clicking it, and
// inspect it; Shift-click inspects several at once.
#pragma once

#include "inspector/ZkObjectInspector.h"
#include "platform/gui/Forms.h"

namespace zk {

class TBitBtn;
class TButton;
class TCheckBox;
class TComboBox;
class TDateTimePicker;
class TEdit;
class TGroupBox;
class TImage;
class TImageList;
class TLabel;
class TLabeledEdit;
class TListBox;
class TListView;
class TMaskEdit;
class TMemo;
class TPageControl;
class TPanel;
class TPopupMenu;
class TProgressBar;
class TRadioButton;
class TRadioGroup;
class TShape;
class TSpeedButton;
class TSplitter;
class TStatusBar;
class TTabSheet;
class TTrackBar;
class TTreeView;
class TValueListEditor;

class TTestForm : public TForm {
    ZK_CLASS(TTestForm, TForm)
public:
    explicit TTestForm(TComponent* AOwner);

    // ---- components of the form description ----
    TGroupBox* GroupBox1 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TCheckBox* cbCategorize = nullptr;
    TCheckBox* cbVertOrientation = nullptr;
    TCheckBox* CheckBox2 = nullptr;
    TZkObjectInspector* ZkObjectInspector1 = nullptr;
    TSplitter* Splitter1 = nullptr;
    TPanel* Panel2 = nullptr;
    TPanel* Panel3 = nullptr;
    TMemo* Memo1 = nullptr;
    TPageControl* PageControl1 = nullptr;
    TTabSheet* tsControls = nullptr;
    TTabSheet* tsObjInsp = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TLabel* Label1 = nullptr;
    TImage* Image1 = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TShape* Shape1 = nullptr;
    TListView* ListView1 = nullptr;
    TListBox* ListBox1 = nullptr;
    TRadioGroup* RadioGroup1 = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TTreeView* TreeView1 = nullptr;
    TDateTimePicker* DateTimePicker1 = nullptr;
    TComboBox* ComboBox2 = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TButton* Button1 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabeledEdit* LabeledEdit1 = nullptr;
    TMaskEdit* MaskEdit1 = nullptr;
    TEdit* Edit1 = nullptr;
    TProgressBar* ProgressBar1 = nullptr;
    TRadioButton* RadioButton1 = nullptr;
    TValueListEditor* ValueListEditor1 = nullptr;
    TTrackBar* TrackBar1 = nullptr;
    TZkObjectInspector* ZkObjectInspector2 = nullptr;
    TButton* Button2 = nullptr;

    // ---- handlers named in the form description ----
    void FormCreate(TObject* Sender);
    void ComboBox1Change(TObject* Sender);
    void Label1Click(TObject* Sender);
    void Label1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void cbCategorizeClick(TObject* Sender);
    void cbVertOrientationClick(TObject* Sender);
    void CheckBox2Click(TObject* Sender);
    void ZkObjectInspector1Categorize(TObject* Sender, TZkItemProp* Item,
                                      const std::string& PropName, std::string& Category);
    void ZkObjectInspector1BeforeScan(TObject* Sender, TZkItemProperty* Item, bool& Result);
    void ZkObjectInspector1AfterScan(TObject* Sender, TZkItemProperty* Item);
    void ZkObjectInspector1Presets18CustomPreset(TObject* Sender, TZkItemProperty* Item);

protected:
    void Loaded() override;
};

// Registers the demonstration form's classes, every class its description names and the
// description itself; safe to call again.
void RegisterDemoClasses();

}  // namespace zk
