#pragma once
// The toolbox's settings in the user's configuration folder, $XDG_CONFIG_HOME/kalvix/kalvix.ini
// (~/.config/kalvix/kalvix.ini when it is not set), the file the simulator's recent build
// files have always been kept in.

#include <QSettings>
#include <QString>

#include "kalvix/core/page/settings.h"

namespace kalvix::gui {

class UserSettings final : public Settings {
  public:
    // The file for the environment as it is now.
    static QString defaultFile();
    explicit UserSettings(const QString& file = defaultFile());

    std::optional<std::string> text(const std::string& key) const override;
    void setText(const std::string& key, const std::string& value) override;
    std::vector<std::string> list(const std::string& key) const override;
    void setList(const std::string& key, const std::vector<std::string>& values) override;

    // Writes what changed to the file now (it is written by itself soon after a change).
    void sync() { settings_.sync(); }

  private:
    QSettings settings_;
};

}  // namespace kalvix::gui
