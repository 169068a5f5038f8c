#include "kalvix/gui/framework/html_ctrl.h"

#include <QTextBrowser>
#include <QUrl>

#ifdef KALVIX_HAVE_WEBENGINE
#include <QWebEngineView>
#endif

namespace kalvix::gui {

CHtmlCtrl::CHtmlCtrl(QWidget* parent) : QWidget(parent) {
#ifdef KALVIX_HAVE_WEBENGINE
    view_ = new QWebEngineView(this);
#else
    auto* text = new QTextBrowser(this);
    text->setOpenExternalLinks(true);
    view_ = text;
#endif
    view_->setObjectName(QStringLiteral("browserView"));
    place();
}

bool CHtmlCtrl::hasBrowser() {
#ifdef KALVIX_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

void CHtmlCtrl::navigate(const QString& address) {
    address_ = address;
    ++loads_;
#ifdef KALVIX_HAVE_WEBENGINE
    static_cast<QWebEngineView*>(view_)->load(QUrl(address));
#else
    auto* text = static_cast<QTextBrowser*>(view_);
    text->setHtml(QStringLiteral("<p><a href=\"%1\">%1</a></p>").arg(address.toHtmlEscaped()));
#endif
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
