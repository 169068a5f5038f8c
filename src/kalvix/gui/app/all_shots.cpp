#include "kalvix/gui/app/screenshot_registry.h"

namespace kalvix::gui {

void registerTooltipShots();
void registerCalculatorShots();
void registerGuideShots();
void registerTradeShots();
void registerQuizShots();
void registerChildrenShots();
void registerFurnitureShots();
void registerSimulationShots();
void registerEquipmentShots();

// Each subsystem with pictures of its own adds one call here.
void registerAllShots() {
    registerTooltipShots();
    registerCalculatorShots();
    registerGuideShots();
    registerTradeShots();
    registerQuizShots();
    registerChildrenShots();
    registerFurnitureShots();
    registerSimulationShots();
    registerEquipmentShots();
}

}  // namespace kalvix::gui
