#pragma once
// Lower bounds for delays that Qt's timers keep. Tests wait for the condition itself and then
// check that it did not come too soon; they never bound it from above, so a slow machine only
// makes them slower.

#include <QtGlobal>

namespace test_support {

// The earliest a coarse QTimer (Qt's default kind) set to intervalMs may fire: Qt lets it go
// up to 5 % early to group wake-ups.
constexpr qint64 earliestFiring(qint64 intervalMs) {
    return intervalMs - intervalMs / 20;
}

}  // namespace test_support
