#include "kalvix/gui/framework/html_ctrl.h"

#include <QTextBrowser>
#include <QUrl>

#include "kalvix/gui/framework/browser_module.h"

namespace kalvix::gui {

CHtmlCtrl::CHtmlCtrl(QWidget* parent) : QWidget(parent) {
    if (BrowserFactory makeView = browserFactory()) {
        view_ = makeView(this);
        web_ = true;
    } else {
        auto* text = new QTextBrowser(this);
        text->setOpenExternalLinks(true);
        view_ = text;
    }
    view_->setObjectName(QStringLiteral("browserView"));
    place();
}

bool CHtmlCtrl::hasBrowser() {
    return browserFactory() != nullptr;
}

void CHtmlCtrl::navigate(const QString& address) {
    address_ = address;
    ++loads_;
    if (web_) {
        view_->setProperty("url", QUrl(address));  // the view's load()
        return;
    }
    auto* text = static_cast<QTextBrowser*>(view_);
    text->setHtml(QStringLiteral("<p><a href=\"%1\">%1</a></p>").arg(address.toHtmlEscaped()));
}

void CHtmlCtrl::setLeftTop(int left, int top) {
    left_ = left;
    top_ = top;
    place();
}

void CHtmlCtrl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place();
}

void CHtmlCtrl::place() {
    // Moving the view inside the control shifts the document; the control clips it.
    view_->setGeometry(left_, top_, width() - left_, height() - top_);
}

}  // namespace kalvix::gui
