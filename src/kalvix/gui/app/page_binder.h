#pragma once
// Connects a page model to the widgets of its .ui by object name: every user action becomes a
// model call, after which every bound widget is written back from the model and the messages
// the model showed are presented.

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>

#include "kalvix/core/page/page_model.h"

class QWidget;

namespace kalvix::gui {

class PageBinder : public QObject {
    Q_OBJECT
  public:
    // statusSink receives status messages; null sends them to the main window's status bar.
    PageBinder(QWidget* root, PageModel& model,
               std::function<void(const QString&)> statusSink = {});

    // Writes every control from the model and presents pending messages.
    void refresh();
    QWidget* widgetFor(const std::string& caption) const;
    PageModel& model() { return model_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void bind(const Control& c, QWidget* w);
    void afterAction();
    void writeControl(const Control& c, QWidget* w);
    void presentMessages();
    void applyFieldRequests(const std::vector<FieldRequest>& requests);

    QWidget* root_;
    PageModel& model_;
    std::function<void(const QString&)> statusSink_;
    std::map<std::string, QPointer<QWidget>> widgets_;  // by caption
    std::map<QObject*, std::string> captions_;          // by widget
    bool updating_ = false;
    bool inFocusIn_ = false;
};

}  // namespace kalvix::gui
