#include "kalvix/gui/guides/dlg_other.h"

namespace kalvix::gui {

// The page's controls arrive with its calculator; until then it is an empty page.
CDlgOther::CDlgOther(QWidget* parent) : PageWidget(parent) {
    setObjectName(QStringLiteral("CDlgOther"));
}

}  // namespace kalvix::gui
