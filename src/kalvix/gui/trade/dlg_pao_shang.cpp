#include "kalvix/gui/trade/dlg_pao_shang.h"

namespace kalvix::gui {

// The page's controls arrive with its calculator; until then it is an empty page.
CDlgPaoShang::CDlgPaoShang(QWidget* parent) : PageWidget(parent) {
    setObjectName(QStringLiteral("CDlgPaoShang"));
}

}  // namespace kalvix::gui
