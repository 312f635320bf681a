// What the tree and list views and the image combo box share: icons built from their image lists.
#pragma once
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include "platform/gui/ImgList.h"

namespace zk {

// The icon of an item: the state image (when there is one) left of the
// image at Index, with the image at OverlayIndex drawn over it, and the image
// at SelectedIndex in the selected and active modes. Empty when no list has
// the image.
inline QIcon ItemIcon(const TCustomImageList* Images, int Index, int SelectedIndex,
                      const TCustomImageList* StateImages, int StateIndex, int OverlayIndex = -1) {
    auto Image = [](const TCustomImageList* List, int I) {
        return List && I >= 0 && I < List->GetCount() ? List->GetImage(I) : QImage();
    };
    const QImage State = Image(StateImages, StateIndex);
    const QImage Overlay = Image(Images, OverlayIndex);
    auto Compose = [&State, &Overlay](QImage Main) {
        if (!Main.isNull() && !Overlay.isNull()) {
            Main = Main.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QPainter P(&Main);
            P.drawImage(0, 0, Overlay);
        }
        if (State.isNull()) return Main;
        if (Main.isNull()) return State;
        QImage Both(State.width() + Main.width(), std::max(State.height(), Main.height()),
                    QImage::Format_ARGB32_Premultiplied);
        Both.fill(Qt::transparent);
        QPainter P(&Both);
        P.drawImage(0, 0, State);
        P.drawImage(State.width(), 0, Main);
        return Both;
    };
    const QImage Normal = Compose(Image(Images, Index));
    if (Normal.isNull()) return QIcon();
    QIcon Icon(QPixmap::fromImage(Normal));
    const QImage Selected = Compose(Image(Images, SelectedIndex));
    if (!Selected.isNull() && SelectedIndex != Index) {
        Icon.addPixmap(QPixmap::fromImage(Selected), QIcon::Selected);
        Icon.addPixmap(QPixmap::fromImage(Selected), QIcon::Active);
    }
    return Icon;
}

}  // namespace zk
