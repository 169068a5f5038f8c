#include "kalvix/gui/simulator/build_file_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "kalvix/core/page/settings.h"
#include "kalvix/core/simulator/build_file.h"
#include "kalvix/gui/framework/page_host.h"

namespace kalvix::gui {

QString BuildFileDialog::filter() {
    // "Name|pattern|…||" becomes Qt's "Name (pattern);;…"; a name that already shows its
    // pattern keeps it as it is.
    const QStringList parts = QString::fromUtf8(kBuildFileFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        const QString pattern = QLatin1Char('(') + parts[i + 1] + QLatin1Char(')');
        filters << (parts[i].endsWith(pattern) ? parts[i] : parts[i] + QLatin1Char(' ') + pattern);
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<QString> BuildFileDialog::choose(PageHost& host, QWidget* parent, bool save,
                                               Settings* settings) {
    PageHost::FileChoice choice{save, filter(), QString::fromLatin1(kBuildFileExtension), {}};
    if (settings)
        if (std::optional<std::string> folder = settings->text(kLastFolderKey))
            if (QDir(QString::fromStdString(*folder)).exists())
                choice.folder = QString::fromStdString(*folder);
    std::optional<QString> path = host.chooseFile(parent, choice);
    if (!path || path->isEmpty())
        return std::nullopt;
    if (settings)
        settings->setText(kLastFolderKey, QFileInfo(*path).absolutePath().toStdString());
    return path;
}

}  // namespace kalvix::gui
