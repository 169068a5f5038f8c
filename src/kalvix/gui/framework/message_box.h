#pragma once
#include <QString>

class QWidget;

namespace kalvix::gui {

// Message and question boxes go through a presenter so tests can answer them (the page host
// holds the one in use). Their texts may carry names and values from files, so they are shown
// as plain text, never as markup with links.
class MessagePresenter {
  public:
    virtual ~MessagePresenter() = default;
    virtual void inform(QWidget* parent, const QString& text);
    // An empty caption gives the box the program's name.
    virtual bool ask(QWidget* parent, const QString& text, const QString& caption);
};

// A tooltip that shows text from a file as it is: tooltips render anything that looks like
// markup, pictures and links included, so the text goes in escaped.
QString plainToolTip(const QString& text);

}  // namespace kalvix::gui
