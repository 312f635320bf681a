// The sample controls: published properties against their widgets, user actions, streaming, and
// one form with all of them rendered.
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTreeWidget>
#include <cstdlib>

#include "GuiTestUtil.h"
#include "platform/gui/Buttons.h"
#include "platform/gui/ComboBoxEx.h"
#include "platform/gui/DateTimePicker.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Image.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/LabeledEdit.h"
#include "platform/gui/ListView.h"
#include "platform/gui/ProgressBar.h"
#include "platform/gui/RadioGroup.h"
#include "platform/gui/Shape.h"
#include "platform/gui/TreeView.h"
#include "platform/gui/ValueListEditor.h"

namespace zk::test {

namespace {

class SampleControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetBounds(0, 0, 640, 420);
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    template <class T>
    T* Add(const char* Name, int L, int T0, int W, int H) {
        T* C = Create<T>(Form.get());
        C->SetName(Name);
        C->SetParent(Form.get());
        C->SetBounds(L, T0, W, H);
        return C;
    }
    TOwned<TForm> Form;
};

}  // namespace

TEST_F(SampleControlsTest, RangeControlsPublishTheirWidgetsState) {
    auto* Bar = Add<TProgressBar>("ProgressBar1", 0, 0, 150, 17);
    QProgressBar* Q = Bar->GetProgressBar();
    CheckPublished(Bar, {{"Max", 200, [&] { return Q->maximum() == 200; }},
                         {"Position", 45, [&] { return Q->value() == 45; }},
                         {"Orientation", "pbVertical", [&] { return Q->orientation() == Qt::Vertical; }},
                         {"Smooth", true, [&] { return !Q->isTextVisible(); }}});
    // Positions beyond the range are clamped, not ignored.
    Bar->SetPosition(500);
    EXPECT_EQ(200, Q->value());

    auto* Track = Add<TTrackBar>("TrackBar1", 0, 30, 150, 45);
    QSlider* S = Track->GetSlider();
    int Changes = 0;
    Track->SetOnChange(TNotifyEvent([&](TObject*) { ++Changes; }));
    CheckPublished(Track, {{"Max", 20, [&] { return S->maximum() == 20; }},
                           {"Position", 5, [&] { return S->value() == 5; }},
                           {"Frequency", 5, [&] { return S->tickInterval() == 5; }},
                           {"PageSize", 4, [&] { return S->pageStep() == 4; }},
                           {"TickMarks", "tmBoth",
                            [&] { return S->tickPosition() == QSlider::TicksBothSides; }},
                           {"TickStyle", "tsNone", [&] { return S->tickPosition() == QSlider::NoTicks; }}});
    EXPECT_EQ(1, Changes);
    Form->Show();
    Track->SetFocus();
    SendKeyTo(S, Qt::Key_PageUp);
    EXPECT_EQ(9, Track->GetPosition());
    EXPECT_EQ(2, Changes);
}

TEST_F(SampleControlsTest, ADateTimePickerHoldsATDateTimeAndKeepsTheOtherPart) {
    auto* P = Add<TDateTimePicker>("DateTimePicker1", 0, 0, 186, 21);
    QDateTimeEdit* E = P->GetEdit();
    SetFloatProp(P, "DateTime", 37740.9064668981);
    EXPECT_EQ(QDateTime(QDate(2003, 4, 29), QTime(21, 45, 18, 740)), E->dateTime());
    CheckPublished(P, {{"Kind", "dtkTime", [&] { return E->displayFormat().contains("mm"); }},
                       {"DateMode", "dmUpDown", [&] { return !E->calendarPopup(); }}});
    P->SetDate(37741.0);
    EXPECT_NEAR(37741.9064668981, P->GetDateTime(), 1e-8);
    P->SetTime(0.5);
    EXPECT_NEAR(37741.5, P->GetDateTime(), 1e-8);
    // Only DateTime is stored; Date and Time are views of it.
    const std::string Text = FormTextOf(Form.get());
    EXPECT_NE(std::string::npos, Text.find("DateTime = 37741.5")) << Text;
    EXPECT_EQ(std::string::npos, Text.find("  Date =")) << Text;
}

TEST_F(SampleControlsTest, ARadioGroupChecksTheClickedButtonAndStreamsItsItemsFirst) {
    auto* G = Add<TRadioGroup>("RadioGroup1", 0, 0, 185, 105);
    G->GetItems()->SetCommaText("One,Two,Three");
    CheckPublished(G, {{"Caption", "Pick", [&] { return G->GetGroupBox()->title() == "Pick"; }},
                       {"ItemIndex", 1,
                        [&] { return static_cast<QRadioButton*>(G->GetButton(1))->isChecked(); }},
                       {"Columns", 2, [&] { return G->GetButton(2)->x() > G->GetButton(0)->x(); }}});
    int Clicks = 0;
    G->SetOnClick(TNotifyEvent([&](TObject*) { ++Clicks; }));
    Form->Show();
    ClickAt(G->GetButton(2), G->GetButton(2)->rect().center());
    EXPECT_EQ(2, G->GetItemIndex());
    EXPECT_FALSE(static_cast<QRadioButton*>(G->GetButton(1))->isChecked());
    EXPECT_EQ(1, Clicks);
    TOwned<TForm> Copy(Create<TForm>(nullptr));
    ReadFormText(FormTextOf(Form.get()), Copy.get());
    auto* Read = DynamicCast<TRadioGroup>(Copy->FindComponent("RadioGroup1"));
    ASSERT_NE(nullptr, Read);
    EXPECT_EQ(2, Read->GetItemIndex());
    EXPECT_EQ(3, Read->GetItems()->GetCount());
}

TEST_F(SampleControlsTest, ALabeledEditsLabelFollowsTheEditAndStreamsAsASubComponent) {
    auto* E = Add<TLabeledEdit>("LabeledEdit1", 100, 50, 121, 21);
    E->GetEditLabel()->SetCaption("&Caption");
    TBoundLabel* L = E->GetEditLabel();
    EXPECT_EQ(Form.get(), L->GetParent());
    EXPECT_EQ(E->GetTop() - 3, L->GetTop() + L->GetHeight());
    CheckPublished(E, {{"LabelPosition", "lpLeft",
                        [&] { return L->GetLeft() + L->GetWidth() + 3 == E->GetLeft(); }},
                       {"LabelSpacing", 10,
                        [&] { return L->GetLeft() + L->GetWidth() + 10 == E->GetLeft(); }}});
    E->SetLeft(200);
    EXPECT_EQ(200, L->GetLeft() + L->GetWidth() + 10);
    const std::string Text = FormTextOf(Form.get());
    EXPECT_NE(std::string::npos, Text.find("EditLabel.Caption = '&Caption'")) << Text;
    EXPECT_EQ(std::string::npos, Text.find("EditLabel.Left")) << Text;
    TOwned<TForm> Copy(Create<TForm>(nullptr));
    ReadFormText(Text, Copy.get());
    auto* Read = DynamicCast<TLabeledEdit>(Copy->FindComponent("LabeledEdit1"));
    ASSERT_NE(nullptr, Read);
    EXPECT_EQ("&Caption", Read->GetEditLabel()->GetCaption());
}

TEST_F(SampleControlsTest, ButtonsShowGlyphsKindsAndGroupedDownStates) {
    auto* B = Add<TBitBtn>("BitBtn1", 0, 0, 75, 25);
    QPushButton* Q = B->GetPushButton();
    CheckPublished(B, {{"Kind", "bkOK", [&] { return Q->text() == "OK" && !Q->icon().isNull(); }}});
    EXPECT_EQ(mrOk, B->GetModalResult());
    EXPECT_EQ(std::string::npos, FormTextOf(Form.get()).find("Caption"));
    B->GetGlyph()->SetSize(16, 16);
    B->GetGlyph()->GetCanvas()->GetBrush()->SetColor(clRed);
    B->GetGlyph()->GetCanvas()->FillRect(Rect(0, 0, 16, 16));
    EXPECT_EQ(qRgb(255, 0, 0), Q->icon().pixmap(16, 16).toImage().pixel(8, 8));

    auto* S1 = Add<TSpeedButton>("SpeedButton1", 0, 40, 23, 22);
    auto* S2 = Add<TSpeedButton>("SpeedButton2", 30, 40, 23, 22);
    CheckPublished(S1, {{"GroupIndex", 1, [] { return true; }},
                        {"Down", true, [&] { return S1->GetDown(); }}});
    S2->SetGroupIndex(1);
    Form->Show();
    ClickAt(S2->GetWidget(), {5, 5});
    EXPECT_TRUE(S2->GetDown());
    EXPECT_FALSE(S1->GetDown());
    // Without AllowAllUp a down button stays down when clicked again.
    ClickAt(S2->GetWidget(), {5, 5});
    EXPECT_TRUE(S2->GetDown());
}

TEST_F(SampleControlsTest, ShapesAndImagesPaintWhereTheirSettingsSay) {
    auto* Sh = Add<TShape>("Shape1", 0, 0, 100, 50);
    Sh->GetBrush()->SetColor(clLime);
    CheckPublished(Sh, {{"Shape", "stCircle", [&] {
                             const QImage I = Sh->GetWidget()->grab().toImage();
                             // A circle of the smaller side, centred: the corners stay unpainted.
                             return I.pixel(50, 25) == qRgb(0, 255, 0) &&
                                    I.pixel(20, 25) != qRgb(0, 255, 0);
                         }}});
    auto* Img = Add<TImage>("Image1", 0, 60, 100, 50);
    TBitmap* Bmp = Img->GetPicture()->GetBitmap();
    Bmp->SetSize(20, 10);
    Bmp->GetCanvas()->GetBrush()->SetColor(clBlue);
    Bmp->GetCanvas()->FillRect(Rect(0, 0, 20, 10));
    CheckPublished(Img, {{"Stretch", true, [&] { return Img->DestRect() == Rect(0, 0, 100, 50); }},
                         {"Proportional", true,
                          [&] { return Img->DestRect() == Rect(0, 0, 100, 50); }},
                         {"Center", true, [&] { return Img->DestRect() == Rect(0, 0, 100, 50); }}});
    Img->SetBounds(0, 60, 100, 100);
    EXPECT_EQ(Rect(0, 25, 100, 75), Img->DestRect());
    Img->SetStretch(false);
    EXPECT_EQ(Rect(40, 45, 60, 55), Img->DestRect());
    EXPECT_EQ(qRgb(0, 0, 255), Img->GetWidget()->grab().toImage().pixel(50, 50));
}

// Renders a form with every item and sample control; ZK_RENDER_DIR keeps the picture.
TEST_F(SampleControlsTest, AFormWithAllTheseControlsRenders) {
    auto* Images = Create<TImageList>(Form.get());
    for (QRgb C : {qRgb(200, 40, 40), qRgb(40, 160, 40), qRgb(40, 40, 200)}) {
        QImage I(16, 16, QImage::Format_ARGB32);
        I.fill(C);
        Images->AddImage(I);
    }
    auto* Tree = Add<TTreeView>("TreeView1", 8, 8, 180, 150);
    Tree->SetImages(Images);
    Tree->GetItems()->SetTextStr("Animals\n\tCat\n\tDog\nPlants\n\tTree");
    for (int I = 0; I < Tree->GetItems()->GetCount(); ++I)
        Tree->GetItems()->GetItem(I)->SetImageIndex(I % 3);
    Tree->FullExpand();
    auto* List = Add<TListView>("ListView1", 196, 8, 240, 150);
    List->SetViewStyle(vsReport);
    List->SetSmallImages(Images);
    List->SetRowSelect(true);
    List->GetColumns()->Add()->SetCaption("Name");
    List->GetColumns()->Add()->SetCaption("Size");
    for (const char* N : {"alpha", "beta", "gamma"}) {
        TListItem* It = List->GetItems()->Add();
        It->SetCaption(N);
        It->SetImageIndex(List->GetItems()->GetCount() - 1);
        It->GetSubItems()->Add(std::to_string(It->GetIndex() * 10 + 3) + " KB");
    }
    List->GetItems()->GetItem(1)->SetSelected(true);
    auto* Shape = Add<TShape>("Shape1", 444, 8, 80, 50);
    Shape->SetShape(stRoundRect);
    Shape->GetBrush()->SetColor(clYellow);
    auto* Img = Add<TImage>("Image1", 532, 8, 60, 50);
    Img->GetPicture()->GetBitmap()->SetSize(30, 20);
    Img->GetPicture()->GetBitmap()->GetCanvas()->GetBrush()->SetColor(clTeal);
    Img->GetPicture()->GetBitmap()->GetCanvas()->FillRect(Rect(0, 0, 30, 20));
    Img->SetProportional(true);
    Img->SetStretch(true);
    auto* Radio = Add<TRadioGroup>("RadioGroup1", 444, 66, 180, 92);
    Radio->SetCaption("RadioGroup1");
    Radio->GetItems()->SetCommaText("One,Two,Three");
    Radio->SetItemIndex(0);
    auto* Edit = Add<TLabeledEdit>("LabeledEdit1", 8, 190, 150, 21);
    Edit->GetEditLabel()->SetCaption("LabeledEdit1");
    Add<TDateTimePicker>("DateTimePicker1", 170, 190, 186, 24)->SetDateTime(37740.9064668981);
    Add<TProgressBar>("ProgressBar1", 8, 230, 200, 17)->SetPosition(45);
    Add<TTrackBar>("TrackBar1", 220, 225, 200, 45)->SetPosition(3);
    auto* Bit = Add<TBitBtn>("BitBtn1", 440, 190, 90, 27);
    Bit->SetKind(bkOK);
    auto* Speed = Add<TSpeedButton>("SpeedButton1", 540, 190, 60, 27);
    Speed->SetCaption("Speed");
    auto* Combo = Add<TComboBoxEx>("ComboBoxEx1", 8, 290, 160, 24);
    Combo->SetImages(Images);
    Combo->SetStyle(csExDropDownList);
    for (int I = 0; I < 3; ++I) Combo->GetItemsEx()->AddItem("Image " + std::to_string(I), I);
    Combo->SetItemIndex(2);
    auto* Values = Add<TValueListEditor>("ValueListEditor1", 180, 290, 260, 110);
    Values->GetStrings()->SetText("Name=Zk\r\nColor=clNavy\r\nSize=10\r\n");
    Form->Show();
    const QImage Shot = Form->GetWidget()->grab().toImage();
    if (const char* Dir = std::getenv("ZK_RENDER_DIR"))
        Shot.save(QString::fromUtf8(Dir) + "/item-views.png");
    // The selected row and the shape's brush are really painted.
    EXPECT_EQ(ColorToQColor(clYellow).rgb(), Shot.pixel(484, 33));
    // The closed image combo shows its line's image, the value list its title row.
    bool ComboIcon = false;
    for (int X = 8; X < 60; ++X) ComboIcon = ComboIcon || Shot.pixel(X, 302) == qRgb(40, 40, 200);
    EXPECT_TRUE(ComboIcon);
    EXPECT_EQ(ColorToQColor(clBtnFace).rgb(), Shot.pixel(180 + 100, 290 + 4));
    const QImage TreeShot = Tree->GetTreeWidget()->viewport()->grab().toImage();
    const QRect Row = Tree->GetTreeWidget()->visualItemRect(Tree->GetItems()->GetItem(0)->GetItem());
    bool IconShown = false;
    for (int X = 0; X < Row.right(); ++X)
        IconShown = IconShown || TreeShot.pixel(X, Row.center().y()) == qRgb(200, 40, 40);
    EXPECT_TRUE(IconShown);
}

}  // namespace zk::test
