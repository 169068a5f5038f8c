#pragma once
// Dialog layouts are given in dialog units of a 9-point dialog font; one fixed conversion keeps
// every window the same size whatever font the platform picks.

#include <QRect>

namespace kalvix::gui {

inline int dluX(int x) {
    return (x * 7 + 2) / 4;
}  // 1.75 px per horizontal unit
inline int dluY(int y) {
    return (y * 15 + 4) / 8;
}  // 1.875 px per vertical unit
inline QRect dluRect(int x, int y, int w, int h) {
    return QRect(dluX(x), dluY(y), dluX(w), dluY(h));
}

}  // namespace kalvix::gui
