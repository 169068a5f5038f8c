#pragma once
// The icons of the simulator page's icon buttons (equipment, mount, school skills), drawn by
// the program: one character on a coloured tile.

#include <QColor>
#include <QIcon>
#include <QString>

namespace kalvix::gui {

QIcon tileIcon(const QString& glyph, const QColor& colour, int size = 24);

}  // namespace kalvix::gui
