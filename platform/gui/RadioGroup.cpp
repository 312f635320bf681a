// TRadioGroup: QRadioButtons inside the QGroupBox, rebuilt whenever Items change.
#include "platform/gui/RadioGroup.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QGroupBox>
#include <QRadioButton>
#include <QStyle>

#include "platform/core/ClassBuilder.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls_p.h"

namespace zk {

// The group's lines: every change rebuilds the buttons.
class TRadioGroupItems : public TStringList {
public:
    explicit TRadioGroupItems(TCustomRadioGroup* Group) : FGroup(Group) {}

protected:
    void Changed() override {
        TStringList::Changed();
        if (GetUpdateCount() == 0) FGroup->UpdateButtons();
    }

private:
    TCustomRadioGroup* FGroup;  // owns this list
};

ZK_IMPLEMENT_CLASS(TCustomRadioGroup)
void TCustomRadioGroup::DescribeClass(TClassBuilder<TCustomRadioGroup>&) {}

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TWinControl(AOwner, MakeControlWidget<QGroupBox>(this)), FItems(new TRadioGroupItems(this)) {
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 185, 105);
}

TCustomRadioGroup::~TCustomRadioGroup() = default;

QGroupBox* TCustomRadioGroup::GetGroupBox() const {
    return static_cast<QGroupBox*>(GetWidget());
}

std::string TCustomRadioGroup::RealGetText() const {
    return GetGroupBox()->title().toStdString();
}

void TCustomRadioGroup::RealSetText(const std::string& Value) {
    GetGroupBox()->setTitle(QString::fromUtf8(Value));
}

TStrings* TCustomRadioGroup::GetItems() const {
    return FItems.get();
}

void TCustomRadioGroup::SetItems(TStrings* Value) {
    FItems->Assign(Value);
}

QWidget* TCustomRadioGroup::GetButton(int Index) const {
    const QList<QRadioButton*> Buttons =
        GetGroupBox()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    return Index >= 0 && Index < Buttons.size() ? Buttons[Index] : nullptr;
}

void TCustomRadioGroup::UpdateButtons() {
    QGroupBox* Box = GetGroupBox();
    for (QRadioButton* B : Box->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) delete B;
    if (FItemIndex >= FItems->GetCount()) FItemIndex = -1;
    for (int I = 0; I < FItems->GetCount(); ++I) {
        auto* B = new QRadioButton(QString::fromUtf8(FItems->Get(I)), Box);
        B->setAutoExclusive(false);
        B->setChecked(I == FItemIndex);
        B->show();
        QObject::connect(B, &QRadioButton::clicked, B, [this, I] {
            if (IsDestroying()) return;
            SafeCall(this, [this, I] {
                SetItemIndex(I);
                Click();
            });
        });
    }
    ArrangeButtons();
}

// Columns of equal width; rows share the height below the caption.
void TCustomRadioGroup::ArrangeButtons() {
    const QList<QRadioButton*> Buttons =
        GetGroupBox()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    if (Buttons.isEmpty()) return;
    const int Top = QFontMetrics(GetGroupBox()->font()).height() + 2;
    const int Cols = std::max(FColumns, 1);
    const int Rows = (static_cast<int>(Buttons.size()) + Cols - 1) / Cols;
    const int W = (GetWidth() - 16) / Cols;
    const int H = std::max((GetHeight() - Top - 6) / std::max(Rows, 1), 1);
    for (int I = 0; I < Buttons.size(); ++I)
        Buttons[I]->setGeometry(8 + (I / Rows) * W, Top + (I % Rows) * H, W, H);
}

void TCustomRadioGroup::UpdateWidgetGeometry() {
    TWinControl::UpdateWidgetGeometry();
    if (FItems) ArrangeButtons();
}

void TCustomRadioGroup::SetItemIndex(int Value) {
    if (Value < -1 || Value >= FItems->GetCount()) Value = -1;
    FItemIndex = Value;
    const QList<QRadioButton*> Buttons =
        GetGroupBox()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    for (int I = 0; I < Buttons.size(); ++I) Buttons[I]->setChecked(I == Value);
}

void TCustomRadioGroup::SetColumns(int Value) {
    Value = std::clamp(Value, 1, 16);
    if (FColumns == Value) return;
    FColumns = Value;
    ArrangeButtons();
}

// ---- TRadioGroup ----

ZK_IMPLEMENT_CLASS(TRadioGroup)
void TRadioGroup::DescribeClass(TClassBuilder<TRadioGroup>& C) {
    C.Prop("Caption", &TControl::GetCaption, &TControl::SetCaption).Type(TypeInfoTCaption());
    C.Prop("Columns", &TCustomRadioGroup::GetColumns, &TCustomRadioGroup::SetColumns).Default(1);
    // Items before ItemIndex, so a form reads the lines before the checked one.
    C.Prop("Items", &TCustomRadioGroup::GetItems, &TCustomRadioGroup::SetItems);
    C.Prop("ItemIndex", &TCustomRadioGroup::GetItemIndex, &TCustomRadioGroup::SetItemIndex)
        .Default(-1);
}

TRadioGroup::TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}

}  // namespace zk
