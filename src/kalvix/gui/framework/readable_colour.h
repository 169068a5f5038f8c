#pragma once
// Text colours the pages fix (the refresh periods' magenta, the countdown's blue, the better and
// worse of the build comparison) were chosen for a light window. Under a dark desktop theme they
// are lightened until they read against it; under a light one they stay exactly as they are.

#include <QColor>

namespace kalvix::gui {

// Contrast ratio of two colours (WCAG 2), from 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);

// The colour itself on a light background; on a dark one, the colour blended towards white
// just enough for a contrast of at least 4.5:1.
QColor readableOn(const QColor& colour, const QColor& background);

}  // namespace kalvix::gui
