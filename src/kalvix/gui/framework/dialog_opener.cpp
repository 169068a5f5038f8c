#include "kalvix/gui/framework/dialog_opener.h"

#include <map>

namespace kalvix::gui {
namespace {
// Filled at start-up, read-only afterwards.
std::map<QString, DialogFactory>& factories() {
    static std::map<QString, DialogFactory> map;
    return map;
}
}  // namespace

void registerDialog(const QString& name, DialogFactory factory) {
    factories()[name] = std::move(factory);
}

void registerDialog(const QString& name, std::function<QDialog*(QWidget* parent)> factory) {
    registerDialog(name, [factory = std::move(factory)](PageHost&, QWidget* parent) {
        return factory(parent);
    });
}

const DialogFactory* registeredDialog(const QString& name) {
    auto it = factories().find(name);
    return it == factories().end() ? nullptr : &it->second;
}

}  // namespace kalvix::gui
