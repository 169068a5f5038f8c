#include "kalvix/gui/calculators/dlg_children.h"

namespace kalvix::gui {

// The page's controls arrive with its calculator; until then it is an empty page.
Dlg_Children::Dlg_Children(QWidget* parent) : PageWidget(parent) {
    setObjectName(QStringLiteral("Dlg_Children"));
}

}  // namespace kalvix::gui
