#include "kalvix/gui/calculators/dlg_bb.h"

namespace kalvix::gui {

// The page's controls arrive with its calculator; until then it is an empty page.
CDlgBB::CDlgBB(QWidget* parent) : PageWidget(parent) { setObjectName(QStringLiteral("CDlgBB")); }

}  // namespace kalvix::gui
