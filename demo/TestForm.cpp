// The demonstration form: its start-up, the picking of components to inspect and the handlers
// that show how a program customises an inspector.
#include "demo/TestForm.h"

#include <algorithm>
#include <iterator>

#include "dialogs/ZkDialogsRegistration.h"
#include "inspector/ZkInspectorRegistration.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Buttons.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/DateTimePicker.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/GuiRegistration.h"
#include "platform/gui/Image.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/LabeledEdit.h"
#include "platform/gui/ListBox.h"
#include "platform/gui/ListView.h"
#include "platform/gui/MaskEdit.h"
#include "platform/gui/Menus.h"
#include "platform/gui/ProgressBar.h"
#include "platform/gui/RadioGroup.h"
#include "platform/gui/Shape.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TreeView.h"
#include "platform/gui/ValueListEditor.h"
#include "presets/ZkStockPresets.h"

namespace zk {

void RegisterDemoResources();

namespace {

template <class T>
void Bind(TComponent* Form, T*& Field, const char* Name) {
    Field = DynamicCast<T>(Form->FindComponent(Name));
    if (!Field)
        throw EReadError("Component %s of class %s missing from %s",
                         {std::string(Name), std::string(T::StaticClass()->ClassName()),
                          Form->ClassName()});
}

}  // namespace

ZK_IMPLEMENT_CLASS(TTestForm)
void TTestForm::DescribeClass(TClassBuilder<TTestForm>& C) {
    C.Method("FormCreate", &TTestForm::FormCreate);
    C.Method("ComboBox1Change", &TTestForm::ComboBox1Change);
    C.Method("Label1Click", &TTestForm::Label1Click);
    C.Method("Label1MouseDown", &TTestForm::Label1MouseDown);
    C.Method("cbCategorizeClick", &TTestForm::cbCategorizeClick);
    C.Method("cbVertOrientationClick", &TTestForm::cbVertOrientationClick);
    C.Method("CheckBox2Click", &TTestForm::CheckBox2Click);
    C.Method("ZkObjectInspector1Categorize", &TTestForm::ZkObjectInspector1Categorize);
    C.Method("ZkObjectInspector1BeforeScan", &TTestForm::ZkObjectInspector1BeforeScan);
    C.Method("ZkObjectInspector1AfterScan", &TTestForm::ZkObjectInspector1AfterScan);
    C.Method("ZkObjectInspector1Presets18CustomPreset",
             &TTestForm::ZkObjectInspector1Presets18CustomPreset);
}

void RegisterDemoClasses() {
    static const bool Done = [] {
        RegisterGuiClasses();
        RegisterInspectorClasses();
        RegisterDialogsClasses();
        RegisterStockPresets();
        RegisterClass(TTestForm::StaticClass());
        RegisterDemoResources();
        return true;
    }();
    (void)Done;
}

TTestForm::TTestForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterDemoClasses();
}

void TTestForm::Loaded() {
    TForm::Loaded();
    Bind(this, GroupBox1, "GroupBox1");
    Bind(this, GroupBox2, "GroupBox2");
    Bind(this, ComboBox1, "ComboBox1");
    Bind(this, cbCategorize, "cbCategorize");
    Bind(this, cbVertOrientation, "cbVertOrientation");
    Bind(this, CheckBox2, "CheckBox2");
    Bind(this, ZkObjectInspector1, "ZkObjectInspector1");
    Bind(this, Splitter1, "Splitter1");
    Bind(this, Panel2, "Panel2");
    Bind(this, Panel3, "Panel3");
    Bind(this, Memo1, "Memo1");
    Bind(this, PageControl1, "PageControl1");
    Bind(this, tsControls, "tsControls");
    Bind(this, tsObjInsp, "tsObjInsp");
    Bind(this, StatusBar1, "StatusBar1");
    Bind(this, PopupMenu1, "PopupMenu1");
    Bind(this, ImageList1, "ImageList1");
    Bind(this, Label1, "Label1");
    Bind(this, Image1, "Image1");
    Bind(this, SpeedButton1, "SpeedButton1");
    Bind(this, Shape1, "Shape1");
    Bind(this, ListView1, "ListView1");
    Bind(this, ListBox1, "ListBox1");
    Bind(this, RadioGroup1, "RadioGroup1");
    Bind(this, GroupBox3, "GroupBox3");
    Bind(this, TreeView1, "TreeView1");
    Bind(this, DateTimePicker1, "DateTimePicker1");
    Bind(this, ComboBox2, "ComboBox2");
    Bind(this, CheckBox1, "CheckBox1");
    Bind(this, Button1, "Button1");
    Bind(this, BitBtn1, "BitBtn1");
    Bind(this, Panel1, "Panel1");
    Bind(this, LabeledEdit1, "LabeledEdit1");
    Bind(this, MaskEdit1, "MaskEdit1");
    Bind(this, Edit1, "Edit1");
    Bind(this, ProgressBar1, "ProgressBar1");
    Bind(this, RadioButton1, "RadioButton1");
    Bind(this, ValueListEditor1, "ValueListEditor1");
    Bind(this, TrackBar1, "TrackBar1");
    Bind(this, ZkObjectInspector2, "ZkObjectInspector2");
    Bind(this, Button2, "Button2");
}

// ---- start-up ----

void TTestForm::FormCreate(TObject*) {
    PageControl1->SetActivePageIndex(0);
    ComboBox1->SetText("");
    TStrings* Items = ComboBox1->GetItems();
    {
        TStrings::TUpdateGuard Guard(*Items);
        for (int I = 0; I < GetComponentCount(); ++I)
            Items->AddObject(GetComponents(I)->GetName(), GetComponents(I));
    }
    // Every control selects itself when clicked, except those that drive the inspector.
    const TComponent* const Unhooked[] = {ComboBox1, ZkObjectInspector1, cbCategorize,
                                          cbVertOrientation, CheckBox2, Splitter1};
    for (int I = 0; I < GetComponentCount(); ++I) {
        auto* Control = DynamicCast<TControl>(GetComponents(I));
        if (!Control || std::find(std::begin(Unhooked), std::end(Unhooked), Control) !=
                            std::end(Unhooked))
            continue;
        Control->SetOnClick(TNotifyEvent(this, &TTestForm::Label1Click));
        Control->SetOnMouseDown(TMouseEvent(this, &TTestForm::Label1MouseDown));
    }
    ZkObjectInspector1->SetDisplayOptions(ZkObjectInspector1->GetDisplayOptions() +
                                          TILEDisplayOptions{doMultiColValues});
    ZkObjectInspector2->SetInspectedComponent(Button2);
}

// ---- picking ----

void TTestForm::ComboBox1Change(TObject*) {
    const int Index = ComboBox1->GetItemIndex();
    if (Index == -1) {
        ZkObjectInspector1->SetInspectedComponent(nullptr);
        return;
    }
    TObject* Picked = ComboBox1->GetItems()->GetObject(Index);
    // Picking the first of a selection again keeps the selection.
    if (Picked == ZkObjectInspector1->GetInspectedComponent()) return;
    auto* Component = DynamicCast<TComponent>(Picked);
    if (!Component) throw EInvalidCast("Invalid class typecast");
    ZkObjectInspector1->GetObjects()->Clear();
    ZkObjectInspector1->SetInspectedComponent(Component);
}

void TTestForm::Label1Click(TObject*) {}

void TTestForm::Label1MouseDown(TObject* Sender, TMouseButton, TShiftState Shift, int, int) {
    if (!Shift.Contains(ssShift)) {
        ComboBox1->SetItemIndex(ComboBox1->GetItems()->IndexOfObject(Sender));
        ComboBox1Change(ComboBox1);
        return;
    }
    TZkInspectorObjects* Objects = ZkObjectInspector1->GetObjects();
    Objects->AddInstance(Sender);
    std::string Names;
    for (int I = 0; I < Objects->GetCount(); ++I) {
        TComponent* Component = Objects->GetItem(I)->GetComponent();
        if (!Component) continue;
        if (!Names.empty()) Names += '+';
        Names += Component->GetName();
    }
    ComboBox1->SetText(Names);
}

// ---- options ----

void TTestForm::cbCategorizeClick(TObject*) {
    ZkObjectInspector1->SetArrangeByCategory(cbCategorize->GetChecked());
}

void TTestForm::cbVertOrientationClick(TObject*) {
    TZkObjectInspector* Inspector = ZkObjectInspector1;
    if (cbVertOrientation->GetChecked()) {
        Inspector->SetOrientation(goVertical);
        Inspector->SetDisplayOptions(Inspector->GetDisplayOptions() +
                                     TILEDisplayOptions{doAutoColResize});
    } else {
        Inspector->SetDisplayOptions(Inspector->GetDisplayOptions() -
                                     TILEDisplayOptions{doAutoColResize});
        Inspector->SetOrientation(goHorizontal);
    }
}

void TTestForm::CheckBox2Click(TObject*) {
    TZkObjectInspector* Inspector = ZkObjectInspector1;
    if (CheckBox2->GetChecked())
        Inspector->SetDisplayOptions(Inspector->GetDisplayOptions() +
                                     TILEDisplayOptions{doMultiColValues});
    else
        Inspector->SetDisplayOptions(Inspector->GetDisplayOptions() -
                                     TILEDisplayOptions{doMultiColValues});
}

// ---- customising the inspector ----

void TTestForm::ZkObjectInspector1Categorize(TObject*, TZkItemProp*, const std::string& PropName,
                                             std::string& Category) {
    if (PropName == "Font") Category = "Zoo";
}

void TTestForm::ZkObjectInspector1BeforeScan(TObject*, TZkItemProperty* Item, bool&) {
    if (!Item || Item->GetName() != "Font") return;
    TZkItemProperties* SubRows = Item->GetItems();
    SubRows->GetCategories()->Add("Style=Style");
    SubRows->GetCategories()->Add("Color=Style");
    SubRows->SetDefaultCategoryName("Control");
}

void TTestForm::ZkObjectInspector1AfterScan(TObject* Sender, TZkItemProperty* Item) {
    auto* Inspector = DynamicCast<TZkCustomObjectInspector>(Sender);
    if (!Inspector || Inspector->GetArrangeByCategory() || !Item || Item->GetName() != "Font")
        return;
    TZkItemProperties* SubRows = Item->GetItems();
    Inspector->CategorizeItems(SubRows, SubRows->GetCategories(), false);
}

void TTestForm::ZkObjectInspector1Presets18CustomPreset(TObject*, TZkItemProperty* Item) {
    // A row whose collection is not there (nil, or not a collection) keeps its hint.
    auto* Collection = DynamicCast<TCollection>(Item->GetObjectValue(-1));
    if (!Collection) return;
    Item->SetHint(Format("%s (Count=%d)", {std::string(Collection->ClassName()),
                                          Collection->GetCount()}));
}

}  // namespace zk
