#include "common/readable_colour.h"

#include <algorithm>
#include <cmath>

namespace common {
namespace {

double channel(double c) {
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const Rgb& c) {
    return 0.2126 * channel(c.red) + 0.7152 * channel(c.green) + 0.0722 * channel(c.blue);
}

}  // namespace

double contrastRatio(const Rgb& a, const Rgb& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb readableOn(const Rgb& colour, const Rgb& background) {
    if (luminance(background) >= 0.2)
        return colour;
    for (int step = 0; step <= 20; ++step) {
        const double t = step / 20.0;
        const Rgb mixed{colour.red + (1 - colour.red) * t, colour.green + (1 - colour.green) * t,
                        colour.blue + (1 - colour.blue) * t};
        if (contrastRatio(mixed, background) >= 4.5)
            return mixed;
    }
    return Rgb{1, 1, 1};
}

}  // namespace common
