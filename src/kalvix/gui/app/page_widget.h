#pragma once
// Base of the tab pages: a plain child widget of the main window's page frame.

#include <QWidget>
#include <memory>

#include "kalvix/core/page/page_model.h"

namespace kalvix::gui {

class PageBinder;

class PageWidget : public QWidget {
    Q_OBJECT
  public:
    explicit PageWidget(QWidget* parent = nullptr);
    ~PageWidget() override;

    // The main window pushes the shared current level into the 人物 and 任务 pages when they
    // are shown; other pages ignore it.
    virtual void takeSharedLevel() {}

    PageModel* model() { return model_.get(); }
    PageBinder* binder() { return binder_; }

  protected:
    // Takes the page's model and binds it to the widgets of the page's .ui.
    void setModel(std::unique_ptr<PageModel> model);
    // Enter moves the focus to the next control instead of acting on a default button.
    void setEnterMovesFocus(bool on) { enterMovesFocus_ = on; }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::unique_ptr<PageModel> model_;
    PageBinder* binder_ = nullptr;
    bool enterMovesFocus_ = false;
};

}  // namespace kalvix::gui
