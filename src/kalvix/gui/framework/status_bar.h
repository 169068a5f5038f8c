#pragma once
#include <QStatusBar>

class QLabel;

namespace kalvix::gui {

// The two-field status bar of the main window and of the simulator's dialogs: field 0 ends at
// x = 320 (or where a narrower window ends), field 1 takes the rest. Starts with "准备就绪" and
// "ZentrixQorvane".
class StatusBar : public QStatusBar {
    Q_OBJECT
  public:
    explicit StatusBar(QWidget* parent);
    void setFieldText(int field, const QString& text);
    QString fieldText(int field) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QLabel* fields_[2];
};

}  // namespace kalvix::gui
