#include "kalvix/gui/app/screenshot_registry.h"

namespace kalvix::gui {

void registerTooltipShots();
void registerCalculatorShots();

// Each subsystem with pictures of its own adds one call here.
void registerAllShots() {
    registerTooltipShots();
    registerCalculatorShots();
}

}  // namespace kalvix::gui
