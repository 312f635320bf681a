// Image combo boxes: ItemsEx against the widget's rows and Items, images from the image list,
// the user's picks, and the items in the form stream.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QStyleOptionViewItem>

#include "GuiTestUtil.h"
#include "platform/gui/ComboBoxEx.h"
#include "platform/gui/Forms.h"
#include "platform/gui/ImgList.h"

namespace zk::test {

namespace {

class ComboBoxExTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetBounds(0, 0, 300, 200);
        Combo = Create<TComboBoxEx>(Form.get());
        Combo->SetName("ComboBoxEx1");
        Combo->SetParent(Form.get());
        Combo->SetBounds(8, 8, 145, 22);
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    QComboBox* Box() const { return Combo->GetComboBox(); }
    // The rows as the widget shows them.
    std::string Rows() const {
        std::string S;
        for (int I = 0; I < Box()->count(); ++I) S += Box()->itemText(I).toStdString() + ";";
        return S;
    }
    std::string Captions() const {
        std::string S;
        TComboExItems* Items = Combo->GetItemsEx();
        for (int I = 0; I < Items->GetCount(); ++I) S += Items->GetItem(I)->GetCaption() + ";";
        return S;
    }
    // Images of one colour each, with a last one opaque only in its top-left quarter.
    TImageList* MakeImages() {
        auto* L = Create<TImageList>(Form.get());
        for (QRgb C : {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200)}) {
            QImage I(16, 16, QImage::Format_ARGB32);
            I.fill(C);
            L->AddImage(I);
        }
        QImage Corner(16, 16, QImage::Format_ARGB32);
        Corner.fill(Qt::transparent);
        for (int Y = 0; Y < 8; ++Y)
            for (int X = 0; X < 8; ++X) Corner.setPixel(X, Y, qRgb(250, 250, 0));
        L->AddImage(Corner);
        return L;
    }
    static QRgb Pixel(const QIcon& Icon, QIcon::Mode Mode, int X, int Y) {
        return Icon.isNull() ? 0 : Icon.pixmap(QSize(16, 16), Mode).toImage().pixel(X, Y);
    }

    TOwned<TForm> Form;
    TComboBoxEx* Combo = nullptr;
};

}  // namespace

TEST_F(ComboBoxExTest, PublishedPropertiesAreTheWidgetsState) {
    Combo->GetItemsEx()->AddItem("one");
    Combo->GetItemsEx()->AddItem("two");
    CheckPublished(Combo, {{"Style", "csExDropDownList", [&] { return !Box()->isEditable(); }},
                           {"ItemIndex", 1, [&] { return Box()->currentIndex() == 1; }},
                           {"Style", "csExSimple",
                            [&] { return Box()->isEditable() && Box()->currentIndex() == 1; }},
                           {"Text", "free", [&] { return Box()->lineEdit()->text() == "free"; }},
                           {"DropDownCount", 4, [&] { return Box()->maxVisibleItems() == 4; }},
                           {"MaxLength", 6, [&] { return Box()->lineEdit()->maxLength() == 6; }},
                           {"Style", "csExDropDown", [&] { return Box()->isEditable(); }}});
    // The inherited owner-drawn styles and the plain Items are not the image combo's to store.
    EXPECT_EQ("TComboBoxExStyle", GetPropInfo(Combo, "Style")->PropType->Name);
    EXPECT_EQ(nullptr, GetPropInfo(Combo, "Items"));
}

TEST_F(ComboBoxExTest, ItemsExAndItemsAreTwoViewsOfTheSameLines) {
    TComboExItems* Ex = Combo->GetItemsEx();
    TStrings* Items = Combo->GetItems();
    Ex->AddItem("b", 1, -1, -1, 0, Form.get());
    Items->AddObject("c", Combo);
    Items->Insert(0, "a");
    EXPECT_EQ("a;b;c;", Rows());
    EXPECT_EQ("a;b;c;", Captions());
    EXPECT_EQ(Form.get(), Items->GetObject(1));
    EXPECT_EQ(Combo, Ex->GetItem(2)->GetData());
    EXPECT_EQ(1, Ex->GetItem(1)->GetImageIndex()) << "lines added through Items leave it alone";
    Items->Put(2, "C");
    Items->PutObject(0, Form.get());
    EXPECT_EQ("C", Ex->GetItem(2)->GetCaption());
    EXPECT_EQ(Form.get(), Ex->GetItem(0)->GetData());
    Ex->GetItem(0)->SetCaption("A");
    EXPECT_EQ("A", Items->Get(0));

    // The selected line follows its item when the lines move or others go.
    Combo->SetItemIndex(1);
    TComboExItem* B = Ex->GetItem(1);
    B->SetIndex(2);
    EXPECT_EQ("A;C;b;", Rows());
    EXPECT_EQ(2, Combo->GetItemIndex());
    Ex->Delete(0);
    EXPECT_EQ(1, Combo->GetItemIndex());
    EXPECT_EQ("b", Combo->GetText());
    Ex->Delete(1);
    EXPECT_EQ(-1, Combo->GetItemIndex()) << "the selected line went";
    Items->Delete(0);
    EXPECT_EQ(0, Ex->GetCount());
    // A bracket adds its lines once, as a dialog fills its image combos.
    Ex->BeginUpdate();
    for (int I = 0; I < 3; ++I) Ex->AddItem(std::to_string(I), I);
    EXPECT_EQ(0, Box()->count());
    Ex->EndUpdate();
    EXPECT_EQ("0;1;2;", Rows());
    Items->Clear();
    EXPECT_EQ(0, Ex->GetCount());
}

TEST_F(ComboBoxExTest, RowsShowTheirImagesIndentedUntilTheImageListIsFreed) {
    TImageList* Images = MakeImages();
    Combo->SetImages(Images);
    TComboExItem* Red = Combo->GetItemsEx()->AddItem("red", 0, 1, 3);
    Combo->GetItemsEx()->AddItem("blue", 2, -1, -1, 2);
    const QIcon Icon = Box()->itemIcon(0);
    EXPECT_EQ(qRgb(250, 250, 0), Pixel(Icon, QIcon::Normal, 2, 2)) << "the overlay";
    EXPECT_EQ(qRgb(200, 0, 0), Pixel(Icon, QIcon::Normal, 12, 12));
    EXPECT_EQ(qRgb(0, 200, 0), Pixel(Icon, QIcon::Selected, 12, 12));
    EXPECT_EQ(qRgb(0, 0, 200), Pixel(Box()->itemIcon(1), QIcon::Normal, 12, 12));
    Red->SetImageIndex(2);
    EXPECT_EQ(qRgb(0, 0, 200), Pixel(Box()->itemIcon(0), QIcon::Normal, 12, 12));

    // Indent 2 widens the line in the drop-down list by two steps.
    QAbstractItemView* View = Box()->view();
    QStyleOptionViewItem Option;
    Option.initFrom(View);
    const QSize Plain = View->itemDelegate()->sizeHint(Option, Box()->model()->index(0, 0));
    Red->SetIndent(2);
    const QSize Indented = View->itemDelegate()->sizeHint(Option, Box()->model()->index(0, 0));
    EXPECT_EQ(Plain.width() + 20, Indented.width());

    Images->Free();
    EXPECT_EQ(nullptr, Combo->GetImages());
    EXPECT_TRUE(Box()->itemIcon(0).isNull());
}

TEST_F(ComboBoxExTest, TheUsersPickSelectsAnItemAndFiresOnSelect) {
    for (const char* C : {"zero", "one", "two"}) Combo->GetItemsEx()->AddItem(C);
    Combo->SetStyle(csExDropDownList);
    std::vector<std::string> Log;
    Combo->SetOnSelect(
        TNotifyEvent([&](TObject*) { Log.push_back("select " + Combo->GetText()); }));
    Combo->SetOnChange(TNotifyEvent([&](TObject*) { Log.push_back("change"); }));
    Form->Show();
    Combo->SetItemIndex(0);
    Combo->SetFocus();
    SendKeyTo(Box(), Qt::Key_Down);
    EXPECT_EQ(1, Combo->GetItemIndex());
    EXPECT_EQ(std::vector<std::string>{"select one"}, Log);
}

TEST_F(ComboBoxExTest, ItemsExTravelThroughTheFormStreamWithTheSelectedLine) {
    Combo->GetItemsEx()->AddItem("plain");
    Combo->GetItemsEx()->AddItem("rich", 2, -1, -1, 1);
    Combo->SetStyle(csExDropDownList);
    Combo->SetItemIndex(1);
    const std::string Text = FormTextOf(Form.get());
    EXPECT_NE(std::string::npos, Text.find("ItemsEx = <")) << Text;
    EXPECT_NE(std::string::npos, Text.find("Indent = 1")) << Text;
    EXPECT_EQ(std::string::npos, Text.find("SelectedImageIndex")) << Text;
    EXPECT_EQ(std::string::npos, Text.find("Items.Strings")) << Text;
    EXPECT_EQ(std::string::npos, Text.find("Text =")) << "no edit field, no stored text";

    TOwned<TForm> Copy(Create<TForm>(nullptr));
    ReadFormText(Text, Copy.get());
    auto* Read = DynamicCast<TComboBoxEx>(Copy->FindComponent("ComboBoxEx1"));
    ASSERT_NE(nullptr, Read);
    EXPECT_EQ("plain\r\nrich\r\n", Read->GetItems()->GetText());
    EXPECT_EQ(2, Read->GetItemsEx()->GetItem(1)->GetImageIndex());
    EXPECT_EQ(1, Read->GetItemIndex());
    EXPECT_EQ(Text, FormTextOf(Copy.get()));
}

}  // namespace zk::test
