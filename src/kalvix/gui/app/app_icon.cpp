#include "kalvix/gui/app/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kalvix::gui {

QImage applicationIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    // A blue rounded tile with a golden cloud swirl.
    p.setBrush(QColor(30, 80, 160));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s / 5, s / 5);
    QPen pen(QColor(255, 200, 60), qMax<qreal>(1.5, s / 12));
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath swirl;
    swirl.moveTo(s * 0.2, s * 0.65);
    swirl.cubicTo(s * 0.2, s * 0.3, s * 0.65, s * 0.25, s * 0.7, s * 0.5);
    swirl.cubicTo(s * 0.72, s * 0.62, s * 0.55, s * 0.68, s * 0.5, s * 0.55);
    p.drawPath(swirl);
    p.drawLine(QPointF(s * 0.2, s * 0.78), QPointF(s * 0.8, s * 0.78));
    p.end();
    return image;
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(applicationIconImage(size)));
    return icon;
}

}  // namespace kalvix::gui
