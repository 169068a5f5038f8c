#include "kalvix/gui/app/screenshot_registry.h"

namespace kalvix::gui {

std::vector<Shot>& shots() {
    static std::vector<Shot> list;
    return list;
}

void registerShot(const QString& name, std::function<QWidget*(PageHost& host)> create) {
    shots().push_back({name, std::move(create)});
}

void registerShot(const QString& name, std::function<QWidget*()> create) {
    registerShot(name, [create = std::move(create)](PageHost&) { return create(); });
}

}  // namespace kalvix::gui
