#pragma once
// Base of the build simulator's dialogs: its own two-field status bar and one rich tooltip
// window for all its controls.

#include <string>

#include "kalvix/gui/framework/page_dialog.h"

namespace kalvix::gui {

class CPPToolTip;

class CMyDialog : public PageDialog {
    Q_OBJECT
  public:
    explicit CMyDialog(QWidget* parent = nullptr);

    // The dialog's tooltip; it watches the controls that have a tip, so the pointer over
    // them reaches it before the controls handle it.
    CPPToolTip& tooltip() const { return *tooltip_; }
    // Attaches or replaces a control's tip; an empty text removes it.
    void setTip(QWidget* control, const QString& markup);
    void setTip(QWidget* control, const std::string& markupUtf8);

  private:
    CPPToolTip* tooltip_;
};

}  // namespace kalvix::gui
