#pragma once
// Sample tips in the shapes the simulator writes, for the screenshot pages and the tests.

#include <QString>

namespace kalvix::gui {

QString sampleWeaponSummaryTip();
QString sampleRuneStoneTip(int stoneId);
QString sampleRuneSummaryTip();
QString sampleHouseRulesTip();
QString sampleSchoolSkillTip();
QString sampleSkillLevelTip();

// Adds the pages of sample tips and of the rune icons to the screenshots.
void registerTooltipShots();

}  // namespace kalvix::gui
