#pragma once
// Base of the build simulator's dialogs: its own two-field status bar and one rich tooltip
// window for all its controls.

#include <QDialog>
#include <string>

namespace kalvix::gui {

class StatusBar;
class CPPToolTip;

class CMyDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CMyDialog(QWidget* parent = nullptr);

    // A text that is not empty replaces its field (first -> field 0, second -> field 1).
    void setStatus(const QString& field0, const QString& field1 = QString());
    StatusBar* statusBar() const { return statusBar_; }

    // The dialog's tooltip; it watches the controls that have a tip, so the pointer over
    // them reaches it before the controls handle it.
    CPPToolTip& tooltip() const { return *tooltip_; }
    // Attaches or replaces a control's tip; an empty text removes it.
    void setTip(QWidget* control, const QString& markup);
    void setTip(QWidget* control, const std::string& markupUtf8);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    StatusBar* statusBar_;
    CPPToolTip* tooltip_;
};

}  // namespace kalvix::gui
