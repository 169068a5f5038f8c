#include "kalvix/gui/framework/readable_colour.h"

#include <algorithm>
#include <cmath>

namespace kalvix::gui {
namespace {

double channel(double c) {
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c) {
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& colour, const QColor& background) {
    if (luminance(background) >= 0.2)
        return colour;
    for (int step = 0; step <= 20; ++step) {
        const double t = step / 20.0;
        const QColor mixed =
            QColor::fromRgbF(static_cast<float>(colour.redF() + (1 - colour.redF()) * t),
                             static_cast<float>(colour.greenF() + (1 - colour.greenF()) * t),
                             static_cast<float>(colour.blueF() + (1 - colour.blueF()) * t));
        if (contrastRatio(mixed, background) >= 4.5)
            return mixed;
    }
    return Qt::white;
}

}  // namespace kalvix::gui
