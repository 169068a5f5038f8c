#pragma once
// The open and save dialogs for build files (*.PSF), through the host's file chooser (the
// platform's dialog, or a test's answer), in the folder of the last build file chosen.

#include <QString>
#include <optional>

class QWidget;

namespace kalvix {
class Settings;
}

namespace kalvix::gui {

class PageHost;

class BuildFileDialog {
  public:
    // The chosen path, or nullopt when the player cancels. The dialog opens in the folder of
    // the last build file chosen, which settings (when given) keep.
    static std::optional<QString> choose(PageHost& host, QWidget* parent, bool save,
                                         Settings* settings = nullptr);
    static constexpr const char* kLastFolderKey = "simulator/lastFolder";
    // Qt's form of the build file filter.
    static QString filter();
};

}  // namespace kalvix::gui
