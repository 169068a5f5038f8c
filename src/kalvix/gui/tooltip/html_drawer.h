#pragma once
// Draws tooltip markup: parses it, lays it out with the default style sheet and paints it.

#include <QColor>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;
class QPoint;

namespace kalvix::gui {

class PictureProvider;
namespace tip {
struct Flow;
}

class CPPHtmlDrawer {
  public:
    // Icons come from `pictures`; without one the markup's icons are left out.
    explicit CPPHtmlDrawer(const PictureProvider* pictures = nullptr);
    void setPictures(const PictureProvider* pictures) { pictures_ = pictures; }
    ~CPPHtmlDrawer();
    CPPHtmlDrawer(const CPPHtmlDrawer&) = delete;
    CPPHtmlDrawer& operator=(const CPPHtmlDrawer&) = delete;

    // The colour of text that the markup does not colour; takes effect at the next setMarkup.
    void setTextColour(const QColor& colour) { textColour_ = colour; }
    QColor textColour() const { return textColour_; }

    void setMarkup(const QString& markup);
    const QString& markup() const { return markup_; }

    // The size of the drawn markup; empty for an empty text.
    QSize size() const;
    // background: what the markup is drawn on (the tip's base), which its colours must read on.
    void draw(QPainter& painter, const QPoint& topLeft,
              const QColor& background = QColor(Qt::white)) const;

  private:
    const PictureProvider* pictures_;
    QColor textColour_;
    QString markup_;
    std::unique_ptr<tip::Flow> flow_;
};

}  // namespace kalvix::gui
