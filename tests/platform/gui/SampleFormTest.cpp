// The sample form with every control: loaded from its embedded description, written back byte
// for byte, run by keys and clicks, and rendered for a look.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QTabBar>
#include <QToolButton>

#include "GuiTestUtil.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/Resources.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"

namespace zk {
void RegisterGuiTestResources();  // generated from the test form descriptions
}

namespace zk::test {

// The form forms/SampleControls.form describes, with the handlers it names.
class TSampleControlsForm : public TForm {
    ZK_CLASS(TSampleControlsForm, TForm)
public:
    explicit TSampleControlsForm(TComponent* AOwner) : TForm(AOwner) {}
    void AddItem1Execute(TObject*) { ++Added; }
    void DeleteSelected1Update(TObject* Sender) {
        ++Updates;
        static_cast<TAction*>(Sender)->SetEnabled(AllowDelete);
    }
    int Added = 0;
    int Updates = 0;
    bool AllowDelete = false;
};

ZK_IMPLEMENT_CLASS(TSampleControlsForm)
void TSampleControlsForm::DescribeClass(TClassBuilder<TSampleControlsForm>& C) {
    C.Method("AddItem1Execute", &TSampleControlsForm::AddItem1Execute);
    C.Method("DeleteSelected1Update", &TSampleControlsForm::DeleteSelected1Update);
}

namespace {

class SampleFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterGuiTestResources();
        RegisterClass(TSampleControlsForm::StaticClass());
    }
    void TearDown() override { Application->ProcessMessages(); }
    template <class T>
    static T* Find(TComponent* Root, const std::string& Name) {
        auto* C = DynamicCast<T>(Root->FindComponent(Name));
        EXPECT_NE(nullptr, C) << Name;
        return C;
    }
};

}  // namespace

TEST_F(SampleFormTest, TheSampleFormLoadsEveryControlAndWritesItsDescriptionBackByteForByte) {
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    ASSERT_TRUE(FindResource("TSAMPLECONTROLSFORM", RT_RCDATA, Data, Size));
    const std::string Stored(reinterpret_cast<const char*>(Data), Size);
    TOwned<TSampleControlsForm> Form(Create<TSampleControlsForm>(nullptr));
    EXPECT_EQ(QString("Sample Controls"), Form->GetWidget()->windowTitle());
    EXPECT_EQ(5, Find<TImageList>(Form.get(), "ImageList1")->GetCount());
    EXPECT_EQ("Two", Find<TComboBox>(Form.get(), "ComboBox1")->GetText());
    EXPECT_EQ(3, Find<TMemo>(Form.get(), "Memo1")->GetLines()->GetCount());
    EXPECT_EQ(Find<TTabSheet>(Form.get(), "tsControls"),
              Find<TPageControl>(Form.get(), "PageControl1")->GetActivePage());
    EXPECT_EQ(QString("Add Item"), Find<TMenuItem>(Form.get(), "AddNew2")->GetQAction()->text());
    EXPECT_EQ(QKeySequence(Qt::CTRL | Qt::Key_A),
              Find<TMenuItem>(Form.get(), "SelectAll1")->GetQAction()->shortcut());
    EXPECT_FALSE(Find<TToolButton>(Form.get(), "ToolButton1")->GetToolButton()->icon().isNull());
    EXPECT_EQ(3, Find<TStatusBar>(Form.get(), "StatusBar1")->GetPanels()->GetCount());

    TMemoryStream Written;
    WriteComponentToStream(&Written, Form.get());
    const std::string Bytes(reinterpret_cast<const char*>(Written.GetMemory()),
                            static_cast<size_t>(Written.GetSize()));
    EXPECT_EQ(ObjectBinaryToText(Stored), ObjectBinaryToText(Bytes));
    EXPECT_TRUE(Stored == Bytes) << "the written stream differs from the stored one";
}

TEST_F(SampleFormTest, TheSampleFormRunsItsActionsAndRendersAsADesktopWindow) {
    TOwned<TSampleControlsForm> Form(Create<TSampleControlsForm>(nullptr));
    Form->Show();
    Application->ProcessMessages();
    Application->Idle();
    EXPECT_GT(Form->Updates, 0);
    auto* Delete = Find<TToolButton>(Form.get(), "ToolButton2");
    EXPECT_FALSE(Delete->GetToolButton()->isEnabled()) << "its action's update disabled it";
    Form->AllowDelete = true;
    Application->Idle();
    EXPECT_TRUE(Delete->GetToolButton()->isEnabled());
    // Ins runs AddItem1 from anywhere on the form; the tool button runs it too.
    auto* Edit = Find<TEdit>(Form.get(), "Edit1");
    Edit->SetFocus();
    SendKeyTo(Edit->GetWidget(), Qt::Key_Insert);
    ClickAt(Find<TToolButton>(Form.get(), "ToolButton1")->GetToolButton(), {5, 5});
    EXPECT_EQ(2, Form->Added);
    // The user switches pages with the tab bar at the bottom.
    auto* Pages = Find<TPageControl>(Form.get(), "PageControl1");
    QTabBar* Tabs = Pages->GetTabBar();
    EXPECT_GT(Tabs->geometry().top(), Pages->GetHeight() / 2);
    ClickAt(Tabs, Tabs->tabRect(1).center());
    EXPECT_EQ(Find<TTabSheet>(Form.get(), "tsObjInsp"), Pages->GetActivePage());
    ClickAt(Tabs, Tabs->tabRect(0).center());

    const QImage Image = Form->GetWidget()->grab().toImage();
    ASSERT_EQ(QSize(640, 440), Image.size());
    // ZK_FORM_SAMPLE names a file to keep the picture in, for a look at it.
    if (const QByteArray Keep = qgetenv("ZK_FORM_SAMPLE"); !Keep.isEmpty()) {
        EXPECT_TRUE(Image.save(QString::fromLocal8Bit(Keep)));
    }
    // The status bar along the bottom, the selected combo text and the tool bar's edges.
    auto* Status = Find<TStatusBar>(Form.get(), "StatusBar1");
    EXPECT_EQ(440 - Status->GetHeight(), Status->GetTop());
    EXPECT_EQ(ColorToQColor(clBtnHighlight).rgb(), Image.pixel(300, 1))
        << "the tool bar's top edge";
}

}  // namespace zk::test
