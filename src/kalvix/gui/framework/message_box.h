#pragma once
#include <QString>

class QWidget;

namespace kalvix::gui {

// Message and question boxes go through a presenter so tests can answer them (the page host
// holds the one in use).
class MessagePresenter {
  public:
    virtual ~MessagePresenter() = default;
    virtual void inform(QWidget* parent, const QString& text);
    virtual bool ask(QWidget* parent, const QString& text);
};

}  // namespace kalvix::gui
