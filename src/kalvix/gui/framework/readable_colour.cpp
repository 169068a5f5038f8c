#include "kalvix/gui/framework/readable_colour.h"

#include "common/readable_colour.h"

namespace kalvix::gui {
namespace {

common::Rgb rgb(const QColor& c) {
    return {c.redF(), c.greenF(), c.blueF()};
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    return common::contrastRatio(rgb(a), rgb(b));
}

QColor readableOn(const QColor& colour, const QColor& background) {
    const common::Rgb c = common::readableOn(rgb(colour), rgb(background));
    return QColor::fromRgbF(static_cast<float>(c.red), static_cast<float>(c.green),
                            static_cast<float>(c.blue));
}

}  // namespace kalvix::gui
