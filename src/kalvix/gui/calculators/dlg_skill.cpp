#include "kalvix/gui/calculators/dlg_skill.h"

namespace kalvix::gui {

// The page's controls arrive with its calculator; until then it is an empty page.
CDlgSkill::CDlgSkill(QWidget* parent) : PageWidget(parent) { setObjectName(QStringLiteral("CDlgSkill")); }

}  // namespace kalvix::gui
