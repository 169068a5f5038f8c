#include "kalvix/shots/screenshot_registry.h"

namespace kalvix::gui {

void ShotList::add(const QString& name, std::function<QWidget*(PageHost& host)> create) {
    shots_.push_back({name, std::move(create)});
}

void ShotList::add(const QString& name, std::function<QWidget*()> create) {
    add(name, [create = std::move(create)](PageHost&) { return create(); });
}

}  // namespace kalvix::gui
