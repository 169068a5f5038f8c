#pragma once
#include <QIcon>
#include <QImage>

namespace kalvix::gui {

// The toolbox's icon drawn by our own code at one size (pixels square), for the window and
// for the desktop menu's icon files.
QImage applicationIconImage(int size);

// The icon at sizes 16, 32 and 48.
QIcon applicationIcon();

}  // namespace kalvix::gui
