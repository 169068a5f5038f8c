#include "kalvix/gui/quiz/dlg_dtq.h"

namespace kalvix::gui {

// The page's controls arrive with its calculator; until then it is an empty page.
DLG_dtq::DLG_dtq(QWidget* parent) : PageWidget(parent) {
    setObjectName(QStringLiteral("DLG_dtq"));
}

}  // namespace kalvix::gui
