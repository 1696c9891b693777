#include "apps/lumo/dialogs/AboutBox.h"

#include "wingui/DialogRunner.h"

#include <QIcon>
#include <QKeyEvent>
#include <QPainter>

namespace vel::lumo {

namespace {

constexpr int TopMargin = 10;
constexpr int NoticeInset = 10;
const QColor NoticeColor(0x33, 0x33, 0x33);

QFont Scaled(QFont font, int percent, bool bold) {
    if (font.pixelSize() > 0) {
        font.setPixelSize(font.pixelSize() * percent / 100);
    } else {
        font.setPointSizeF(font.pointSizeF() * percent / 100);
    }
    if (bold) {
        font.setWeight(QFont::Bold);
    }
    return font;
}

} // namespace

AboutBox::AboutBox(QWidget* owner, VersionInfo version)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), version_(std::move(version)) {
    setModal(true);
    setFixedSize(Width, Height);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    if (owner != nullptr) {
        const QRect frame = owner->frameGeometry();
        move(frame.left() + (frame.width() - Width) / 2,
             frame.top() + (frame.height() - Height) / 2);
    }
}

void AboutBox::Show(QWidget* owner) {
    AboutBox box(owner);
    wingui::DialogRunner::Exec(box);
}

QString AboutBox::Notice() {
    return QStringLiteral(
        "This program is not open source, but you may copy it, use it and share it freely. "
        "Point your friends to vellumar.example/gourdglowlight for the latest version. "
        "It comes with no warranty of any kind. The animations you make with it are yours "
        "without restriction, to show, share or sell. The audio and video codecs on your "
        "system may come with licence terms of their own. Rather than borrowing other "
        "people's protected recordings, record your own voice and sounds: it is more fun, "
        "and the pumpkin will sound like you. Happy haunting!");
}

void AboutBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QColor(Qt::black));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    const QFont titleFont = Scaled(font(), 140, true);
    const QFont textFont = font();
    int y = TopMargin;
    const auto line = [&](const QFont& lineFont, const std::string& text) {
        painter.setFont(lineFont);
        const int height = QFontMetrics(lineFont).height();
        painter.drawText(QRect(0, y, width(), height), Qt::AlignHCenter | Qt::AlignTop,
                         QString::fromStdString(text));
        return height;
    };
    y += line(titleFont, version_.ProductTitle());
    const int lineHeight = line(textFont, version_.VersionText());
    y += 2 * lineHeight;
    line(textFont, version_.legalCopyright);
    y += 2 * lineHeight;
    const QIcon icon(QStringLiteral(":/wingui/pumpkin.png"));
    icon.paint(&painter, QRect((width() - IconSize) / 2, y, IconSize, IconSize));
    y += IconSize + lineHeight;

    painter.setFont(Scaled(font(), 80, false));
    painter.setPen(NoticeColor);
    painter.drawText(QRect(NoticeInset, y, width() - 2 * NoticeInset, height() - y),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Notice());
}

void AboutBox::mousePressEvent(QMouseEvent*) {
    accept();
}

void AboutBox::keyPressEvent(QKeyEvent*) {
    accept();
}

} // namespace vel::lumo
