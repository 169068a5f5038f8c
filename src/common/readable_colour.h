#pragma once
// Text colours the programs fix (the trade clock's magenta, the updater's green and red ...)
// were chosen for a light window. Under a dark desktop theme they are lightened until they read
// against it; under a light one they stay exactly as they are. Shared by both programs' widgets.

namespace common {

// A colour by its channels, each from 0 to 1.
struct Rgb {
    double red = 0;
    double green = 0;
    double blue = 0;
};

// Contrast ratio of two colours (WCAG 2), from 1 to 21.
double contrastRatio(const Rgb& a, const Rgb& b);

// The colour itself on a light background; on a dark one, the colour blended towards white
// just enough for a contrast of at least 4.5:1.
Rgb readableOn(const Rgb& colour, const Rgb& background);

}  // namespace common
