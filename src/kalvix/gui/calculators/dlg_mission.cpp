#include "kalvix/gui/calculators/dlg_mission.h"

namespace kalvix::gui {

// The page's controls arrive with its calculator; until then it is an empty page.
CDlgMission::CDlgMission(QWidget* parent) : PageWidget(parent) { setObjectName(QStringLiteral("CDlgMission")); }

}  // namespace kalvix::gui
