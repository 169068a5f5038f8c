#include "kalvix/shots/screenshot_registry.h"

namespace kalvix::gui {

void addTooltipShots(ShotList& shots);
void addCalculatorShots(ShotList& shots);
void addGuideShots(ShotList& shots);
void addTradeShots(ShotList& shots);
void addQuizShots(ShotList& shots);
void addChildrenShots(ShotList& shots);
void addFurnitureShots(ShotList& shots);
void addSimulationShots(ShotList& shots);
void addEquipmentShots(ShotList& shots);
void addMessageBoxShots(ShotList& shots);

// Each subsystem with pictures of its own adds one call here.
std::vector<Shot> allShots() {
    ShotList shots;
    addTooltipShots(shots);
    addCalculatorShots(shots);
    addGuideShots(shots);
    addTradeShots(shots);
    addQuizShots(shots);
    addChildrenShots(shots);
    addFurnitureShots(shots);
    addSimulationShots(shots);
    addEquipmentShots(shots);
    addMessageBoxShots(shots);
    return shots.shots();
}

}  // namespace kalvix::gui
