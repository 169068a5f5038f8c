#include "kalvix/gui/app/dialog_opener.h"

#include <QMap>
#include <memory>

#include "kalvix/gui/app/my_dialog.h"

namespace kalvix::gui {
namespace {
QMap<QString, DialogFactory>& factories() {
    static QMap<QString, DialogFactory> map;
    return map;
}
}  // namespace

void registerDialog(const QString& name, DialogFactory factory) {
    factories()[name] = std::move(factory);
}

QDialog* createDialog(const QString& name, QWidget* parent) {
    auto it = factories().constFind(name);
    if (it != factories().constEnd())
        if (QDialog* d = (*it)(parent))
            return d;
    auto* d = new CMyDialog(parent);
    d->setWindowTitle(name);
    d->resize(400, 300);
    return d;
}

std::function<void(QDialog*)>& dialogRunner() {
    static std::function<void(QDialog*)> run = [](QDialog* d) { d->exec(); };
    return run;
}

void runDialog(const QString& name, QWidget* parent) {
    std::unique_ptr<QDialog> d(createDialog(name, parent));
    dialogRunner()(d.get());
}

}  // namespace kalvix::gui
