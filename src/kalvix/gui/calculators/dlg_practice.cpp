#include "kalvix/gui/calculators/dlg_practice.h"

namespace kalvix::gui {

// The page's controls arrive with its calculator; until then it is an empty page.
CDlgPractice::CDlgPractice(QWidget* parent) : PageWidget(parent) { setObjectName(QStringLiteral("CDlgPractice")); }

}  // namespace kalvix::gui
