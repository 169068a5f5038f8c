#pragma once
// Connects a page model to the widgets of its .ui by object name: every user action becomes a
// model call, after which the widgets whose control changed are written back from the model
// and the messages the model showed are presented.

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <vector>

#include "kalvix/gui/framework/page_host.h"

#include "kalvix/core/page/control_watch.h"
#include "kalvix/core/page/page_actions.h"
#include "kalvix/core/page/page_model.h"

class QAbstractButton;
class QWidget;

namespace kalvix::gui {

class PageBinder : public QObject {
    Q_OBJECT
  public:
    // Every control whose id names no widget under root is listed in missingWidgets().
    // statusSink receives status messages (a dialog's own status bar); null sends them to the
    // host's status bar.
    PageBinder(QWidget* root, PageModel& model, PageHost& host,
               std::function<void(const QString&)> statusSink = {});

    // Writes the controls whose state changed from the model and presents pending messages.
    void refresh();
    QWidget* widgetFor(const std::string& caption) const;
    PageModel& model() { return model_; }
    PageActions& actions() { return actions_; }
    PageHost& host() { return host_; }
    // Ids of the model's controls that found no widget (a renamed widget in a .ui).
    const std::vector<std::string>& missingWidgets() const { return missing_; }
    // What the window does when its page asks to close, once the action is through (a
    // dialog ends, confirmed or not); without it the request is dropped.
    std::function<void(bool confirmed)> closer;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void bind(const Control& c, QWidget* w);
    void afterAction();
    void writeControls();
    void writeControl(const Control& c, const ControlState& s, QWidget* w);
    void writeLabel(const Control& c, const ControlState& s, QAbstractButton* b);
    void presentMessages();
    void applyFieldRequests(const std::vector<FieldRequest>& requests);

    QWidget* root_;
    PageModel& model_;
    PageHost& host_;
    PageActions actions_;
    ControlWatch watch_;
    std::vector<std::string> missing_;
    std::function<void(const QString&)> statusSink_;
    std::map<std::string, QPointer<QWidget>> widgets_;  // by caption
    std::map<QObject*, std::string> captions_;          // by widget
    bool updating_ = false;
    bool inFocusIn_ = false;
};

}  // namespace kalvix::gui
