#pragma once
// Base of the tab pages: a plain child widget of the main window's page frame, bound to its
// model through the page's host.

#include <QWidget>
#include <memory>

#include "kalvix/core/page/page_model.h"
#include "kalvix/gui/framework/page_host.h"

namespace kalvix::gui {

class PageBinder;

class PageWidget : public QWidget {
    Q_OBJECT
  public:
    explicit PageWidget(PageHost& host, QWidget* parent = nullptr);
    ~PageWidget() override;

    // The main window pushes the shared current level into the 人物 and 任务 pages when they
    // are shown; other pages ignore it.
    virtual void takeSharedLevel() {}

    PageModel* model() { return model_.get(); }
    PageBinder* binder() { return binder_; }
    PageHost& host() { return host_; }

  protected:
    // Takes the page's model and binds it to the widgets of the page's .ui (call it after
    // setupUi).
    void setModel(std::unique_ptr<PageModel> model);
    // Enter moves the focus to the next control instead of acting on a default button.
    void setEnterMovesFocus(bool on) { enterMovesFocus_ = on; }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    PageHost& host_;
    std::unique_ptr<PageModel> model_;
    PageBinder* binder_ = nullptr;
    bool enterMovesFocus_ = false;
};

// A tab whose page has no widget of its own yet: shown empty.
class EmptyPage : public PageWidget {
    Q_OBJECT
  public:
    EmptyPage(PageHost& host, const QString& caption, QWidget* parent = nullptr);
};

}  // namespace kalvix::gui
