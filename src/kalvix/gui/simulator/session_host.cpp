#include "kalvix/gui/simulator/session_host.h"

#include <QVariant>
#include <QWidget>

namespace kalvix::gui {
namespace {
constexpr const char* kProperty = "kalvixSimulatorSession";
}

void attachSimulatorSession(QWidget* owner, SimulatorSession* session) {
    if (owner)
        owner->setProperty(kProperty, QVariant::fromValue(static_cast<void*>(session)));
}

SimulatorSession* simulatorSessionFor(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant v = w->property(kProperty);
        if (v.isValid())
            if (void* p = v.value<void*>())
                return static_cast<SimulatorSession*>(p);
    }
    return nullptr;
}

}  // namespace kalvix::gui
