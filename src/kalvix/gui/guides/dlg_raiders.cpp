#include "kalvix/gui/guides/dlg_raiders.h"

namespace kalvix::gui {

// The page's controls arrive with its calculator; until then it is an empty page.
CDlgRaiders::CDlgRaiders(QWidget* parent) : PageWidget(parent) {
    setObjectName(QStringLiteral("CDlgRaiders"));
}

}  // namespace kalvix::gui
