#pragma once
// Base of the modal windows that show a page model, so each has the same lifecycle. Open: a
// host creates it by title (PageHost::runDialog) and the dialog builds its .ui. First values:
// bindModel writes the model's values into the widgets and puts the focus where the model
// keeps it. Close: the page asks for it (PageModel::closeWindow), or the dialog's own buttons
// and keys end it. Result: Accepted when confirmed, Rejected otherwise.

#include <QDialog>
#include <QString>
#include <memory>

namespace kalvix {
class PageModel;
}

namespace kalvix::gui {

class PageBinder;
class PageHost;
class StatusBar;

class PageDialog : public QDialog {
    Q_OBJECT
  public:
    // With ownStatusBar the dialog shows its page's status messages in a two-field bar of its
    // own (the bottom 20 pixels); without, they go to the host's.
    explicit PageDialog(QWidget* parent = nullptr, bool ownStatusBar = false);
    ~PageDialog() override;

    PageModel* pageModel() const { return model_; }
    PageBinder* binder() const { return binder_; }
    StatusBar* statusBar() const { return statusBar_; }
    // A text that is not empty replaces its field of the dialog's own status bar (first ->
    // field 0, second -> field 1).
    void setStatus(const QString& field0, const QString& field1 = QString());

  protected:
    // Call once, after setupUi: a model of the dialog's own, or one that outlives it (the 技能
    // page keeps its detail dialog's inputs between openings).
    void bindModel(PageHost& host, std::unique_ptr<PageModel> own);
    void bindModel(PageHost& host, PageModel& shared);
    // Drops the binding and a model of the dialog's own; a subclass whose model uses members
    // of the subclass calls it first in its destructor.
    void unbind();
    void resizeEvent(QResizeEvent* event) override;

  private:
    StatusBar* statusBar_ = nullptr;
    std::unique_ptr<PageModel> own_;
    PageModel* model_ = nullptr;
    PageBinder* binder_ = nullptr;
};

}  // namespace kalvix::gui
