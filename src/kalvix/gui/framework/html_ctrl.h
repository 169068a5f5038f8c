#pragma once
// A web page shown as an ordinary child control. Without the browser module (browser_module.h)
// it shows the address as a link instead.

#include <QString>
#include <QWidget>

namespace kalvix::gui {

class CHtmlCtrl : public QWidget {
    Q_OBJECT
  public:
    explicit CHtmlCtrl(QWidget* parent = nullptr);

    // Loads the address with default options.
    void navigate(const QString& address);
    // Shifts the shown document inside the control.
    void setLeftTop(int left, int top);

    QString address() const { return address_; }
    int loadCount() const { return loads_; }
    static bool hasBrowser();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void place();

    QWidget* view_ = nullptr;
    bool web_ = false;  // view_ is the browser module's view
    QString address_;
    int loads_ = 0;
    int left_ = 0;
    int top_ = 0;
};

}  // namespace kalvix::gui
