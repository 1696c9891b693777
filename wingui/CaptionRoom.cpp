#include "wingui/CaptionRoom.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace vel::wingui {

void MakeRoomForCaption(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) {
        return;
    }
    // Title bars set the caption in bold, and put a window icon and three
    // buttons beside it, each about as wide as the bar is high; the frame
    // leaves some space on either side.
    QFont bold = box.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int bar = metrics.height() + 8;
    const int width = metrics.horizontalAdvance(box.windowTitle()) + 6 * bar;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace vel::wingui
