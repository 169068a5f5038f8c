#pragma once
#include <QIcon>

namespace kalvix::gui {

// The toolbox's icon, drawn by our own code at sizes 16, 32 and 48.
QIcon applicationIcon();

}  // namespace kalvix::gui
