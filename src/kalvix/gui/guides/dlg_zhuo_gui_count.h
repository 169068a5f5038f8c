#pragma once
#include <QDialog>
#include <memory>

namespace kalvix {
class ZhuoGuiPage;
}

namespace kalvix::gui {

class PageBinder;
class PageHost;

// 捉鬼计算器: a modal window with a model of its own, so every opening starts afresh.
class CZhuoGuiCount : public QDialog {
    Q_OBJECT
  public:
    explicit CZhuoGuiCount(PageHost& host, QWidget* parent = nullptr);
    ~CZhuoGuiCount() override;
    ZhuoGuiPage& model() { return *model_; }
    PageBinder* binder() { return binder_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::unique_ptr<ZhuoGuiPage> model_;
    PageBinder* binder_ = nullptr;
};

}  // namespace kalvix::gui
