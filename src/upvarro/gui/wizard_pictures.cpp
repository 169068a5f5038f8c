#include "upvarro/gui/wizard_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "upvarro/core/installation_picture.h"

namespace upvarro::gui {
namespace {

// An arrow pointing down into a tray: the updater's mark.
void drawMark(QPainter& p, QPointF centre, double size, const QColor& colour) {
    QPainterPath arrow;
    const double w = size * 0.22;
    arrow.moveTo(centre.x() - w, centre.y() - size * 0.5);
    arrow.lineTo(centre.x() + w, centre.y() - size * 0.5);
    arrow.lineTo(centre.x() + w, centre.y());
    arrow.lineTo(centre.x() + size * 0.45, centre.y());
    arrow.lineTo(centre.x(), centre.y() + size * 0.42);
    arrow.lineTo(centre.x() - size * 0.45, centre.y());
    arrow.lineTo(centre.x() - w, centre.y());
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(arrow);
    QPen tray(colour, size * 0.09, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(tray);
    p.setBrush(Qt::NoBrush);
    const double y = centre.y() + size * 0.52;
    p.drawPolyline(QPolygonF(
        {QPointF(centre.x() - size * 0.55, y - size * 0.2), QPointF(centre.x() - size * 0.55, y),
         QPointF(centre.x() + size * 0.55, y), QPointF(centre.x() + size * 0.55, y - size * 0.2)}));
}

}  // namespace

QPixmap generatedWatermark() {
    QPixmap pixmap(164, 314);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 314);
    sky.setColorAt(0, QColor(24, 62, 122));
    sky.setColorAt(0.6, QColor(38, 118, 160));
    sky.setColorAt(1, QColor(120, 196, 190));
    p.fillRect(pixmap.rect(), sky);
    // Soft rings, like ripples on water.
    for (int i = 0; i < 6; ++i) {
        QColor ring(255, 255, 255, 26 + i * 6);
        p.setPen(QPen(ring, 2));
        p.setBrush(Qt::NoBrush);
        const double r = 30 + i * 22;
        p.drawEllipse(QPointF(82, 250), r, r * 0.38);
    }
    QRadialGradient glow(QPointF(82, 120), 70);
    glow.setColorAt(0, QColor(255, 255, 255, 90));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(82, 120), 70, 70);
    drawMark(p, QPointF(82, 112), 64, QColor(255, 255, 255, 235));
    return pixmap;
}

QPixmap generatedBanner() {
    QPixmap pixmap(180, 56);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 180, 0);
    band.setColorAt(0, QColor(255, 255, 255, 0));
    band.setColorAt(1, QColor(176, 206, 236));
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRoundedRect(QRectF(0, 4, 180, 48), 6, 6);
    drawMark(p, QPointF(150, 24), 30, QColor(40, 100, 170, 220));
    return pixmap;
}

QPixmap stateIcon(int state) {
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(1.5, 1.5, 15, 15);
    auto circle = [&](const QColor& fill) {
        p.setPen(QPen(fill.darker(140), 1));
        p.setBrush(fill);
        p.drawEllipse(disc);
    };
    QPen white(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (state) {
        case 0:  // waiting: a clock
            circle(QColor(150, 150, 150));
            p.setPen(white);
            p.drawLine(QPointF(9, 9), QPointF(9, 5));
            p.drawLine(QPointF(9, 9), QPointF(12, 11));
            break;
        case 1:  // downloading: an arrow down
            circle(QColor(40, 120, 220));
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawPolygon(
                QPolygonF({QPointF(7, 4), QPointF(11, 4), QPointF(11, 8), QPointF(13.5, 8),
                           QPointF(9, 13.5), QPointF(4.5, 8), QPointF(7, 8)}));
            break;
        case 2:  // paused: two bars
            circle(QColor(235, 150, 30));
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(6, 5, 2.2, 8));
            p.drawRect(QRectF(9.8, 5, 2.2, 8));
            break;
        case 3:  // downloaded: a tick
            circle(QColor(40, 170, 70));
            p.setPen(white);
            p.drawPolyline(QPolygonF({QPointF(5, 9.5), QPointF(8, 12.5), QPointF(13, 6)}));
            break;
        case 4:  // failed: a cross
            circle(QColor(210, 40, 40));
            p.setPen(white);
            p.drawLine(QPointF(6, 6), QPointF(12, 12));
            p.drawLine(QPointF(12, 6), QPointF(6, 12));
            break;
        default:  // not to be downloaded: a bar
            circle(QColor(200, 200, 200));
            p.setPen(white);
            p.drawLine(QPointF(5.5, 9), QPointF(12.5, 9));
            break;
    }
    return pixmap;
}

QFont wizardFont() {
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"),
                      QStringLiteral("WenQuanYi Micro Hei")});
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    return font;
}

QPixmap loadPicture(const QString& installationFolder, const QString& relativePath,
                    const QPixmap& fallback) {
    if (relativePath.isEmpty())
        return fallback;
    auto bytes =
        readInstallationPicture(installationFolder.toStdString(), relativePath.toStdString());
    QPixmap picture;
    if (!bytes || !picture.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                                        static_cast<uint>(bytes->size())))
        return fallback;
    return picture;
}

}  // namespace upvarro::gui
