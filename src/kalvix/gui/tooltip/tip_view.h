#pragma once
// Markup drawn in place, in the tooltip's colours and frame: an info pane, or a tip laid out
// on a page for looking at.

#include <QWidget>

#include "kalvix/gui/tooltip/html_drawer.h"

namespace kalvix::gui {

class TipView : public QWidget {
    Q_OBJECT
  public:
    explicit TipView(const QString& markup = QString(), QWidget* parent = nullptr,
                     const PictureProvider* pictures = nullptr);
    void setMarkup(const QString& markup);
    QString markup() const { return drawer_.markup(); }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    CPPHtmlDrawer drawer_;
};

}  // namespace kalvix::gui
