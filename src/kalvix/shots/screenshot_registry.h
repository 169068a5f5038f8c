#pragma once
// Extra pictures for scripts/screenshot beyond the main window's tabs: dialogs, sample
// tooltips. Each subsystem adds its own in an add...Shots function that allShots calls.

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

class ShotList {
  public:
    void add(const QString& name, std::function<QWidget*(PageHost& host)> create);
    void add(const QString& name, std::function<QWidget*()> create);
    const std::vector<Shot>& shots() const { return shots_; }

  private:
    std::vector<Shot> shots_;
};

// Every subsystem's pictures, in a fixed order.
std::vector<Shot> allShots();

}  // namespace kalvix::gui
