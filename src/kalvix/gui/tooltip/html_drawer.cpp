#include "kalvix/gui/tooltip/html_drawer.h"

#include <QPainter>

#include "kalvix/core/tooltip/markup_parser.h"
#include "kalvix/gui/framework/picture_provider.h"
#include "kalvix/gui/tooltip/tip_layout.h"

namespace kalvix::gui {

CPPHtmlDrawer::CPPHtmlDrawer(const PictureProvider* pictures)
    : pictures_(pictures), textColour_(Qt::black) {}

CPPHtmlDrawer::~CPPHtmlDrawer() = default;

void CPPHtmlDrawer::setMarkup(const QString& markup) {
    markup_ = markup;
    flow_.reset();
    if (markup.isEmpty())
        return;
    const QByteArray utf8 = markup.toUtf8();
    const tooltip::Document document = tooltip::parseMarkup(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    tip::Environment environment;
    environment.pictures = pictures_;
    environment.textColour = textColour_;
    flow_ = std::make_unique<tip::Flow>(tip::buildFlow(document.root, environment));
    flow_->arrange(0);
}

QSize CPPHtmlDrawer::size() const {
    return flow_ ? QSize(flow_->width, flow_->height) : QSize();
}

void CPPHtmlDrawer::draw(QPainter& painter, const QPoint& topLeft, const QColor& background) const {
    if (!flow_)
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    flow_->paint(painter, topLeft, background);
    painter.restore();
}

}  // namespace kalvix::gui
