#include "kalvix/gui/simulator/button_icons.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace kalvix::gui {

QIcon tileIcon(const QString& glyph, const QColor& colour, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour.darker(140));
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), 4, 4);
    QFont font = painter.font();
    font.setPixelSize(size * 2 / 3);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, glyph);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace kalvix::gui
