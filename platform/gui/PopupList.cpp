// TPopupListWindow: the drop-down list window.
#include "platform/gui/PopupList.h"

#include <QWidget>
#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls_p.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TPopupListWindow)
void TPopupListWindow::DescribeClass(TClassBuilder<TPopupListWindow>&) {}

TPopupListWindow::TPopupListWindow(TComponent* AOwner) : TCustomListBox(AOwner) {
    QWidget* W = GetWidget();
    // A tool-tip type window: no platform activates it, not even on a click,
    // where a tool window is activated when shown by some platforms.
    W->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                      Qt::WindowDoesNotAcceptFocus);
    W->setAttribute(Qt::WA_ShowWithoutActivating);
    SetVisible(false);
    SetTabStop(false);
    W->setFocusPolicy(Qt::NoFocus);
    SetCtl3D(false);
}

void TPopupListWindow::Popup(int X, int Y) {
    if (Screen) {
        X = std::max(std::min(X, Screen->GetWidth() - GetWidth()), 0);
        Y = std::max(std::min(Y, Screen->GetHeight() - GetHeight()), 0);
    }
    SetBounds(X, Y, GetWidth(), GetHeight());
    SetVisible(true);
    RaiseWindow(GetWidget());
}

void TPopupListWindow::CloseUp() {
    SetVisible(false);
}

}  // namespace zk
