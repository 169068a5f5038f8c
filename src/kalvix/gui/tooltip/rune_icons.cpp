#include "kalvix/gui/tooltip/rune_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix::gui {
namespace {

QColor mix(const QColor& a, const QColor& b, double t) {
    const auto channel = [t](int x, int y) {
        return static_cast<int>(std::lround(x + (y - x) * t));
    };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()), channel(a.alpha(), b.alpha()));
}

// Everything is drawn on a 48-unit square and scaled to the size asked for.
QImage canvas(int size) {
    QImage image(std::max(1, size), std::max(1, size), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter& p, int size) {
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
}

void drawSocket(QPainter& p, bool deep) {
    const QPointF centre(24, 24);
    QRadialGradient plate(centre, 23);
    plate.setColorAt(0.0, QColor(0x4a, 0x4a, 0x5a));
    plate.setColorAt(0.85, QColor(0x25, 0x25, 0x30));
    plate.setColorAt(1.0, QColor(0x10, 0x10, 0x16));
    p.setPen(QPen(QColor(0x9a, 0x8a, 0x60), 1.2));
    p.setBrush(plate);
    p.drawEllipse(centre, 22.5, 22.5);
    if (deep) {
        // A recess lit from the top left: dark at the top, a faint rim at the bottom.
        QRadialGradient hole(QPointF(26, 27), 17);
        hole.setColorAt(0.0, QColor(0x1c, 0x1c, 0x24));
        hole.setColorAt(0.8, QColor(0x08, 0x08, 0x0c));
        hole.setColorAt(1.0, QColor(0x60, 0x60, 0x70));
        p.setPen(QPen(QColor(0x05, 0x05, 0x08), 1.0));
        p.setBrush(hole);
        p.drawEllipse(QPointF(24, 23), 14, 14);
    }
}

QPolygonF regular(int sides, double radius, QPointF centre, double rotation) {
    QPolygonF polygon;
    for (int i = 0; i < sides; ++i) {
        const double a = rotation + 2 * std::numbers::pi * i / sides;
        polygon << centre + QPointF(radius * std::cos(a), radius * std::sin(a));
    }
    return polygon;
}

// A faceted cut: an outer ring of facets shaded by how much they face the light (top left)
// around a flat table.
void drawCut(QPainter& p, const QColor& base, int sides, QPointF centre) {
    const double rotation = std::numbers::pi / sides - std::numbers::pi / 2;
    const QPolygonF outer = regular(sides, 15, centre, rotation);
    const QPolygonF table = regular(sides, 8, centre, rotation);
    const QColor edge = mix(base, Qt::black, 0.6);
    p.setPen(QPen(edge, 0.8));
    for (int i = 0; i < sides; ++i) {
        const int j = (i + 1) % sides;
        QPolygonF facet;
        facet << outer[i] << outer[j] << table[j] << table[i];
        const QPointF mid = (outer[i] + outer[j]) / 2 - centre;
        const double facing =
            (-mid.x() - mid.y()) / (std::hypot(mid.x(), mid.y()) * std::sqrt(2.0));
        p.setBrush(facing >= 0 ? mix(base, Qt::white, 0.45 * facing)
                               : mix(base, Qt::black, -0.5 * facing));
        p.drawPolygon(facet);
    }
    p.setBrush(mix(base, Qt::white, 0.15));
    p.drawPolygon(table);
    p.setPen(QPen(edge, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(outer);
}

void drawCabochon(QPainter& p, const QColor& base, QPointF centre) {
    QRadialGradient body(centre + QPointF(-4, -5), 16);
    body.setColorAt(0.0, mix(base, Qt::white, 0.55));
    body.setColorAt(0.5, base);
    body.setColorAt(1.0, mix(base, Qt::black, 0.55));
    p.setPen(QPen(mix(base, Qt::black, 0.6), 1.2));
    p.setBrush(body);
    p.drawEllipse(centre, 13.5, 12.5);
}

void drawSparkle(QPainter& p, QPointF centre) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 190));
    p.drawEllipse(centre + QPointF(-6, -6), 3.0, 2.0);
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawEllipse(centre + QPointF(-2.5, -8), 1.2, 1.2);
}

void drawPips(QPainter& p, int level) {
    const int count = std::clamp(level, 0, 3);
    const double spacing = 7;
    const double left = 24 - spacing * (count - 1) / 2.0;
    p.setPen(QPen(QColor(0x50, 0x38, 0x00), 0.8));
    p.setBrush(QColor(0xff, 0xd2, 0x4a));
    for (int i = 0; i < count; ++i) {
        const QPointF c(left + spacing * i, 41.5);
        QPolygonF diamond;
        diamond << c + QPointF(0, -3) << c + QPointF(2.6, 0) << c + QPointF(0, 3)
                << c + QPointF(-2.6, 0);
        p.drawPolygon(diamond);
    }
}

}  // namespace

QColor runeColour(int colour) {
    switch (colour) {
        case 0:
            return QColor(255, 0, 0);
        case 1:
            return QColor(255, 255, 0);
        case 2:
            return QColor(0, 128, 0);
        case 3:
            return QColor(0, 0, 255);
        case 4:
            return QColor(255, 255, 255);
        case 5:
            return QColor(0, 0, 0);
        case 6:
            return QColor(128, 0, 128);
        default:
            return QColor(128, 128, 128);
    }
}

QImage runeStoneIcon(int colour, int level, int size) {
    QImage image = canvas(size);
    QPainter p(&image);
    prepare(p, image.width());
    drawSocket(p, false);
    // Pure black and white would show no facets: lift black a little, dim white a little.
    QColor base = runeColour(colour);
    if (colour == 5)
        base = QColor(0x2a, 0x2a, 0x30);
    if (colour == 4)
        base = QColor(0xe8, 0xec, 0xf2);
    const QPointF centre(24, 21);
    if (level <= 1)
        drawCabochon(p, base, centre);
    else
        drawCut(p, base, level == 2 ? 6 : 8, centre);
    drawSparkle(p, centre);
    drawPips(p, level);
    return image;
}

QImage emptyHoleIcon(int size) {
    QImage image = canvas(size);
    QPainter p(&image);
    prepare(p, image.width());
    drawSocket(p, true);
    return image;
}

QImage runeIconForResource(const Catalogue& catalogue, std::int32_t resource) {
    if (resource == kEmptyHoleResource)
        return emptyHoleIcon();
    const int slot = catalogue.FindRuneStone(resource);
    if (slot < 1)
        return {};
    const RuneStone& stone = catalogue.runeStones[static_cast<std::size_t>(slot)];
    return runeStoneIcon(stone.colour, stone.level);
}

}  // namespace kalvix::gui
