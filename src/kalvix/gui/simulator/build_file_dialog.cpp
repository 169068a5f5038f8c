#include "kalvix/gui/simulator/build_file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "kalvix/core/page/settings.h"
#include "kalvix/core/simulator/build_file.h"

namespace kalvix::gui {
namespace {

std::optional<QString>& nextName() {
    static std::optional<QString> name;
    return name;
}

std::optional<QString> chosen(const QString& path, Settings* settings) {
    if (settings)
        settings->setText(BuildFileDialog::kLastFolderKey,
                          QFileInfo(path).absolutePath().toStdString());
    return path;
}

}  // namespace

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

void BuildFileDialog::setNextFileName(const QString& name) {
    nextName() = name;
}

std::optional<QString> BuildFileDialog::choose(QWidget* parent, bool save, Settings* settings) {
    if (std::optional<QString> next = nextName()) {
        nextName().reset();
        return next->isEmpty() ? std::nullopt : chosen(*next, settings);
    }
    QFileDialog dialog(parent);
    if (settings)
        if (std::optional<std::string> folder = settings->text(kLastFolderKey))
            if (QDir(QString::fromStdString(*folder)).exists())
                dialog.setDirectory(QString::fromStdString(*folder));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(filter());
    dialog.setDefaultSuffix(QString::fromLatin1(kBuildFileExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return chosen(dialog.selectedFiles().constFirst(), settings);
}

}  // namespace kalvix::gui
