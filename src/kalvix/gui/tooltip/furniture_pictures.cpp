#include "kalvix/gui/tooltip/furniture_pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix::gui {
namespace {

constexpr int kW = kFurniturePictureWidth;
constexpr int kH = kFurniturePictureHeight;

// One colour per kind 1..10, spread round the colour wheel so neighbouring kinds differ; the
// floor is a muted stone colour.
QColor kindColour(int kind) {
    static const int hues[10] = {0, 30, 200, 280, 100, 330, 170, 50, 240, 30};
    static const int saturations[10] = {120, 120, 120, 120, 120, 120, 120, 120, 120, 45};
    if (kind < 1 || kind > 10)
        return QColor::fromHsv(0, 0, 200);
    return QColor::fromHsv(hues[kind - 1], saturations[kind - 1], 200);
}

QImage canvas() {
    QImage image(kW, kH, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPainterPath cardShape() {
    QPainterPath path;
    path.addRoundedRect(QRectF(1.5, 1.5, kW - 3, kH - 3), 10, 10);
    return path;
}

// A font size at which the text fits the width, from the wanted size down.
QFont fitted(QFont font, const QString& text, int width, int pixels) {
    for (; pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(text) <= width)
            break;
    }
    font.setPixelSize(pixels);
    return font;
}

}  // namespace

QImage furnitureCard(const QString& name, const QString& kind, int kindKey, int grade) {
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor base = kindColour(kindKey);
    const QPainterPath shape = cardShape();

    QLinearGradient paper(0, 0, 0, kH);
    paper.setColorAt(0.0, base.lighter(150));
    paper.setColorAt(1.0, base);
    p.fillPath(shape, paper);

    // The kind on a band across the top.
    p.save();
    p.setClipPath(shape);
    p.fillRect(QRectF(0, 0, kW, 26), base.darker(140));
    p.restore();
    QFont font = p.font();
    font.setBold(true);
    p.setFont(fitted(font, kind, kW - 20, 14));
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, kW, 26), Qt::AlignCenter, kind);

    // The name in the middle.
    p.setFont(fitted(font, name, kW - 16, 22));
    p.setPen(base.darker(300));
    p.drawText(QRectF(0, 30, kW, 58), Qt::AlignCenter, name);

    // One diamond per grade along the bottom.
    const int marks = std::clamp(grade, 0, 4);
    const double step = 18;
    const double left = (kW - step * (marks - 1)) / 2;
    p.setPen(QPen(base.darker(250), 1));
    p.setBrush(QColor(0xf0, 0xc0, 0x40));
    for (int i = 0; i < marks; ++i) {
        const QPointF c(left + i * step, kH - 18);
        const QPointF diamond[4] = {c + QPointF(0, -6), c + QPointF(6, 0), c + QPointF(0, 6),
                                    c + QPointF(-6, 0)};
        p.drawPolygon(diamond, 4);
    }

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(base.darker(200), 2));
    p.drawPath(shape);
    return image;
}

QImage blankFurnitureCard() {
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = cardShape();
    p.fillPath(shape, QColor(0xee, 0xee, 0xee));
    p.setPen(QPen(QColor(0xa0, 0xa0, 0xa0), 2, Qt::DashLine));
    p.drawPath(shape);
    return image;
}

QImage furniturePictureForResource(const Catalogue& catalogue, std::int32_t resource) {
    if (resource == kBlankFurniturePicture)
        return blankFurnitureCard();
    const int slot = catalogue.findFurniture(resource);
    if (slot < 0)
        return {};
    const FurnitureInfo& item = catalogue.furniture[slot];
    return furnitureCard(QString::fromStdString(item.name),
                         QString::fromStdString(catalogue.enumName(kEnumFurnitureKind, item.kind)),
                         item.kind, item.grade);
}

}  // namespace kalvix::gui
