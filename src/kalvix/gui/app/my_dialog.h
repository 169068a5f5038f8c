#pragma once
// Base of the build simulator's dialogs: its own two-field status bar (and, with the tooltip
// window, one rich tooltip per dialog).

#include <QDialog>

namespace kalvix::gui {

class StatusBar;

class CMyDialog : public QDialog {
    Q_OBJECT
public:
    explicit CMyDialog(QWidget* parent = nullptr);

    // A text that is not empty replaces its field (first -> field 0, second -> field 1).
    void setStatus(const QString& field0, const QString& field1 = QString());
    StatusBar* statusBar() const { return statusBar_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    StatusBar* statusBar_;
};

}  // namespace kalvix::gui
