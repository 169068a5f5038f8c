#include "kalvix/gui/app/user_settings.h"

#include <QStandardPaths>
#include <QStringList>

namespace kalvix::gui {
namespace {

QString key(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QString UserSettings::defaultFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/kalvix/kalvix.ini");
}

UserSettings::UserSettings(const QString& file) : settings_(file, QSettings::IniFormat) {}

std::optional<std::string> UserSettings::text(const std::string& name) const {
    const QVariant value = settings_.value(key(name));
    if (!value.isValid() || !value.canConvert<QString>())
        return std::nullopt;
    return value.toString().toStdString();
}

void UserSettings::setText(const std::string& name, const std::string& value) {
    settings_.setValue(key(name), QString::fromStdString(value));
}

std::vector<std::string> UserSettings::list(const std::string& name) const {
    std::vector<std::string> values;
    for (const QString& value : settings_.value(key(name)).toStringList())
        values.push_back(value.toStdString());
    return values;
}

void UserSettings::setList(const std::string& name, const std::vector<std::string>& values) {
    QStringList list;
    for (const std::string& value : values)
        list << QString::fromStdString(value);
    settings_.setValue(key(name), list);
}

}  // namespace kalvix::gui
