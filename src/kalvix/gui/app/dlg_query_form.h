#pragma once
#include <QDialog>

namespace kalvix::gui {

// The query host form: an empty form with 确定 and 取消 that the main window keeps hidden.
class Dlg_QueryForm : public QDialog {
    Q_OBJECT
  public:
    explicit Dlg_QueryForm(QWidget* parent = nullptr);
};

}  // namespace kalvix::gui
