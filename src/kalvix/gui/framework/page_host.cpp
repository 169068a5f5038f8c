#include "kalvix/gui/framework/page_host.h"

#include <QDesktopServices>
#include <QDialog>
#include <QUrl>
#include <memory>

#include "kalvix/gui/framework/dialog_opener.h"
#include "kalvix/gui/framework/page_dialog.h"
#include "kalvix/gui/framework/status_bar.h"

namespace kalvix::gui {

void PageHost::showStatus(const QString& text) {
    if (statusBar_)
        statusBar_->setFieldText(0, text);
}

void PageHost::setPresenter(MessagePresenter* presenter) {
    presenter_ = presenter ? presenter : &platformPresenter_;
}

void PageHost::addDialog(const QString& name, DialogFactory factory) {
    dialogs_[name] = std::move(factory);
}

QDialog* PageHost::createDialog(const QString& name, QWidget* parent) {
    if (auto it = dialogs_.find(name); it != dialogs_.end())
        if (QDialog* d = it->second(*this, parent))
            return d;
    if (const DialogFactory* factory = registeredDialog(name))
        if (QDialog* d = (*factory)(*this, parent))
            return d;
    auto* d = new PageDialog(parent, true);
    d->setWindowTitle(name);
    d->resize(400, 300);
    return d;
}

void PageHost::runDialog(const QString& name, QWidget* parent) {
    std::unique_ptr<QDialog> d(createDialog(name, parent));
    if (dialogRunner)
        dialogRunner(d.get());
    else
        d->exec();
}

void PageHost::openAddress(const QString& address) {
    if (addressOpener)
        addressOpener(address);
    else
        QDesktopServices::openUrl(QUrl(address));
}

void PageHost::playSound(const QString& text) {
    if (soundPlayer)
        soundPlayer(text);
}

}  // namespace kalvix::gui
