#include "kalvix/gui/framework/page_host.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QUrl>
#include <QtGlobal>
#include <memory>

#include "kalvix/gui/framework/status_bar.h"

namespace kalvix::gui {

StatusBar* PageHost::statusBar() const {
    if (statusBar_ || !parent_)
        return statusBar_;
    return parent_->statusBar();
}

void PageHost::showStatus(const QString& text) {
    if (StatusBar* bar = statusBar())
        bar->setFieldText(0, text);
}

MessagePresenter& PageHost::presenter() {
    if (presenter_)
        return *presenter_;
    return parent_ ? parent_->presenter() : platformPresenter_;
}

void PageHost::addDialog(const QString& name, DialogFactory factory) {
    dialogs_[name] = std::move(factory);
}

void PageHost::addDialog(const QString& name, std::function<QDialog*(QWidget* parent)> factory) {
    addDialog(name, [factory = std::move(factory)](PageHost&, QWidget* parent) {
        return factory(parent);
    });
}

QDialog* PageHost::createDialog(const QString& name, QWidget* parent) {
    if (auto it = dialogs_.find(name); it != dialogs_.end())
        return it->second(*this, parent);
    return parent_ ? parent_->createDialog(name, parent) : nullptr;
}

void PageHost::runDialog(const QString& name, QWidget* parent) {
    std::unique_ptr<QDialog> d(createDialog(name, parent));
    if (!d) {
        qCritical("No dialog is known by the title %s", qUtf8Printable(name));
        return;
    }
    run(d.get());
}

void PageHost::run(QDialog* dialog) {
    if (dialogRunner)
        dialogRunner(dialog);
    else if (parent_)
        parent_->run(dialog);
    else
        dialog->exec();
}

std::optional<QString> PageHost::chooseFile(QWidget* parent, const FileChoice& choice) {
    if (fileChooser)
        return fileChooser(parent, choice);
    if (parent_)
        return parent_->chooseFile(parent, choice);
    QFileDialog dialog(parent);
    if (!choice.folder.isEmpty())
        dialog.setDirectory(choice.folder);
    dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(choice.filter);
    dialog.setDefaultSuffix(choice.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void PageHost::openAddress(const QString& address) {
    if (addressOpener)
        addressOpener(address);
    else if (parent_)
        parent_->openAddress(address);
    else
        QDesktopServices::openUrl(QUrl(address));
}

const PictureProvider& PageHost::pictures() const {
    if (pictures_)
        return *pictures_;
    return parent_ ? parent_->pictures() : noPictures_;
}

void PageHost::playSound(const QString& text) {
    if (soundPlayer)
        soundPlayer(text);
    else if (parent_)
        parent_->playSound(text);
}

}  // namespace kalvix::gui
