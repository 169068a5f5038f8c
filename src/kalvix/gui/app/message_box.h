#pragma once
#include <QString>

class QWidget;

namespace kalvix::gui {

// Message and question boxes go through one presenter so tests can answer them.
class MessagePresenter {
  public:
    virtual ~MessagePresenter() = default;
    virtual void inform(QWidget* parent, const QString& text);
    virtual bool ask(QWidget* parent, const QString& text);
};

MessagePresenter& messagePresenter();
// Replaces the presenter (null restores the default); the caller keeps ownership.
void setMessagePresenter(MessagePresenter* presenter);

}  // namespace kalvix::gui
