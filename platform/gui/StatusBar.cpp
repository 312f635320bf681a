// TStatusBar over QStatusBar with one QLabel per panel, and its panels collection.
#include <QLabel>
#include <QStatusBar>

#include "platform/core/ClassBuilder.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Controls_p.h"

namespace zk {

// ---- TStatusPanel ----

ZK_IMPLEMENT_CLASS(TStatusPanel)
void TStatusPanel::DescribeClass(TClassBuilder<TStatusPanel>& C) {
    C.Prop("Alignment", &TStatusPanel::GetAlignment, &TStatusPanel::SetAlignment)
        .Default(taLeftJustify);
    C.Prop("Bevel", &TStatusPanel::GetBevel, &TStatusPanel::SetBevel).Default(pbLowered);
    C.Prop("Style", &TStatusPanel::GetStyle, &TStatusPanel::SetStyle).Default(psText);
    C.Prop("Text", &TStatusPanel::GetText, &TStatusPanel::SetText);
    C.Prop("Width", &TStatusPanel::GetWidth, &TStatusPanel::SetWidth);
}

TStatusPanel::TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}

void TStatusPanel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
    if (FBevel == Value) return;
    FBevel = Value;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    Changed(false);
}

void TStatusPanel::SetText(const std::string& Value) {
    if (FText == Value) return;
    FText = Value;
    Changed(false);
}

void TStatusPanel::SetWidth(int Value) {
    if (Value < 0) Value = 0;
    if (FWidth == Value) return;
    FWidth = Value;
    Changed(true);
}

std::string TStatusPanel::GetDisplayName() const {
    return FText.empty() ? TCollectionItem::GetDisplayName() : FText;
}

void TStatusPanel::Assign(TPersistent* Source) {
    auto* S = DynamicCast<TStatusPanel>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    FAlignment = S->FAlignment;
    FBevel = S->FBevel;
    FStyle = S->FStyle;
    FText = S->FText;
    FWidth = S->FWidth;
    Changed(true);
}

// ---- TStatusPanels ----

ZK_IMPLEMENT_CLASS(TStatusPanels)
void TStatusPanels::DescribeClass(TClassBuilder<TStatusPanels>&) {}

TStatusPanels::TStatusPanels(TStatusBar* StatusBar)
    : TCollection(TStatusPanel::StaticClass()), FStatusBar(StatusBar) {}

TPersistent* TStatusPanels::GetOwner() const {
    return FStatusBar;
}

void TStatusPanels::Update(TCollectionItem* Item) {
    TCollection::Update(Item);
    FStatusBar->PanelsChanged();
}

// ---- TStatusBar ----

ZK_IMPLEMENT_CLASS(TStatusBar)
void TStatusBar::DescribeClass(TClassBuilder<TStatusBar>& C) {
    C.Redeclare("Align").Default(alBottom);
    C.Prop("AutoHint", &TStatusBar::GetAutoHint, &TStatusBar::SetAutoHint).Default(false);
    C.Prop("Panels", &TStatusBar::GetPanels, &TStatusBar::SetPanels);
    C.Prop("SimplePanel", &TStatusBar::GetSimplePanel, &TStatusBar::SetSimplePanel).Default(false);
    C.Prop("SimpleText", &TStatusBar::GetSimpleText, &TStatusBar::SetSimpleText);
    C.Prop("SizeGrip", &TStatusBar::GetSizeGrip, &TStatusBar::SetSizeGrip).Default(true);
    C.Prop("UseSystemFont", &TStatusBar::GetUseSystemFont, &TStatusBar::SetUseSystemFont)
        .Default(true);
    C.Prop("OnDrawPanel", &TStatusBar::GetOnDrawPanel, &TStatusBar::SetOnDrawPanel);
}

TStatusBar::TStatusBar(TComponent* AOwner)
    : TWinControl(AOwner, MakeControlWidget<QStatusBar>(this)), FPanels(new TStatusPanels(this)) {
    SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks});
    GetStatusBar()->setSizeGripEnabled(true);
    SetBounds(0, 0, 185, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() {
    // The panels go while the labels they reach still exist.
    FPanels.reset();
}

QStatusBar* TStatusBar::GetStatusBar() const {
    return static_cast<QStatusBar*>(GetWidget());
}

QLabel* TStatusBar::GetPanelLabel(int Index) const {
    return Index >= 0 && Index < static_cast<int>(FLabels.size())
               ? FLabels[static_cast<size_t>(Index)]
               : nullptr;
}

void TStatusBar::SetPanels(TStatusPanels* Value) {
    if (Value) FPanels->Assign(Value);
}

// The labels are made again on every change of the panels; a status bar has few.
void TStatusBar::PanelsChanged() {
    if (IsDestroying() || !FPanels) return;
    QStatusBar* Bar = GetStatusBar();
    for (QLabel* L : FLabels) {
        Bar->removeWidget(L);
        delete L;
    }
    FLabels.clear();
    const int Count = FPanels->GetCount();
    for (int I = 0; I < Count; ++I) {
        const TStatusPanel* P = FPanels->GetItem(I);
        auto* L = new QLabel(QString::fromUtf8(P->GetText()), Bar);
        L->setFrameShape(P->GetBevel() == pbNone ? QFrame::NoFrame : QFrame::Panel);
        L->setFrameShadow(P->GetBevel() == pbRaised ? QFrame::Raised : QFrame::Sunken);
        L->setAlignment((P->GetAlignment() == taCenter         ? Qt::AlignHCenter
                         : P->GetAlignment() == taRightJustify ? Qt::AlignRight
                                                               : Qt::AlignLeft) |
                        Qt::AlignVCenter);
        const bool Last = I == Count - 1;
        if (Last)
            L->setMinimumWidth(P->GetWidth());
        else
            L->setFixedWidth(P->GetWidth());
        Bar->addWidget(L, Last ? 1 : 0);
        FLabels.push_back(L);
    }
    UpdateSimpleText();
}

void TStatusBar::SetSimplePanel(bool Value) {
    if (FSimplePanel == Value) return;
    FSimplePanel = Value;
    UpdateSimpleText();
}

void TStatusBar::SetSimpleText(const std::string& Value) {
    FSimpleText = Value;
    UpdateSimpleText();
}

// Qt's temporary message hides the panels while it shows, as the simple panel does.
void TStatusBar::UpdateSimpleText() {
    if (FSimplePanel)
        GetStatusBar()->showMessage(QString::fromUtf8(FSimpleText.empty() ? " " : FSimpleText));
    else
        GetStatusBar()->clearMessage();
}

bool TStatusBar::GetSizeGrip() const {
    return GetStatusBar()->isSizeGripEnabled();
}

void TStatusBar::SetSizeGrip(bool Value) {
    GetStatusBar()->setSizeGripEnabled(Value);
}

}  // namespace zk
