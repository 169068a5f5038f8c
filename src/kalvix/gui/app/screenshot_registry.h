#pragma once
// Extra pictures for scripts/screenshot beyond the main window's tabs: dialogs, sample
// tooltips. Each subsystem adds its own with registerShot in a function listed in
// screenshot_registry.cpp.

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace kalvix::gui {

class PageHost;

struct Shot {
    QString name;                               // file name without extension
    std::function<QWidget*(PageHost&)> create;  // a top-level widget; the caller deletes it
};

std::vector<Shot>& shots();
void registerShot(const QString& name, std::function<QWidget*(PageHost& host)> create);
void registerShot(const QString& name, std::function<QWidget*()> create);

}  // namespace kalvix::gui
