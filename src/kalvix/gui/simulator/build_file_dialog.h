#pragma once
// The platform's open and save dialogs for build files (*.PSF). Tests name the file the next
// dialog would choose instead of showing it; nothing else of the load and save path changes.

#include <QString>
#include <optional>

class QWidget;

namespace kalvix {
class Settings;
}

namespace kalvix::gui {

class BuildFileDialog {
  public:
    // The chosen path, or nullopt when the player cancels. The dialog opens in the folder of
    // the last build file chosen, which settings (when given) keep.
    static std::optional<QString> choose(QWidget* parent, bool save, Settings* settings = nullptr);
    static constexpr const char* kLastFolderKey = "simulator/lastFolder";
    // Qt's form of the build file filter.
    static QString filter();

    // The next choose() returns this without showing a dialog; an empty name stands for a
    // cancelled dialog.
    static void setNextFileName(const QString& name);
};

}  // namespace kalvix::gui
