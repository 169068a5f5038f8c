#include "kalvix/gui/framework/page_dialog.h"

#include "kalvix/core/page/page_model.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/status_bar.h"

namespace kalvix::gui {

PageDialog::PageDialog(QWidget* parent, bool ownStatusBar)
    : QDialog(parent), statusBar_(ownStatusBar ? new StatusBar(this) : nullptr) {}

PageDialog::~PageDialog() {
    unbind();
}

void PageDialog::setStatus(const QString& field0, const QString& field1) {
    if (!statusBar_)
        return;
    if (!field0.isEmpty())
        statusBar_->setFieldText(0, field0);
    if (!field1.isEmpty())
        statusBar_->setFieldText(1, field1);
}

void PageDialog::bindModel(PageHost& host, std::unique_ptr<PageModel> own) {
    own_ = std::move(own);
    bindModel(host, *own_);
}

void PageDialog::bindModel(PageHost& host, PageModel& shared) {
    model_ = &shared;
    std::function<void(const QString&)> sink;
    if (statusBar_)
        sink = [this](const QString& text) { setStatus(text); };
    binder_ = new PageBinder(this, shared, host, std::move(sink));
    binder_->closer = [this](bool confirmed) { done(confirmed ? Accepted : Rejected); };
}

void PageDialog::unbind() {
    // The binder watches the widgets and acts on the model: it goes first.
    delete binder_;
    binder_ = nullptr;
    model_ = nullptr;
    own_.reset();
}

void PageDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!statusBar_)
        return;
    // The bottom 20 pixels of the client area, full width.
    statusBar_->setGeometry(0, height() - 20, width(), 20);
    statusBar_->raise();
}

}  // namespace kalvix::gui
