#pragma once
#include <memory>

#include "kalvix/gui/simulator/my_dialog.h"

namespace kalvix {
class RunePage;
}

namespace kalvix::gui {

class PageHost;
class PictureProvider;

// 符石模拟: the holes of a piece, their colours and stones, and the combination they form.
// Opened by its title it runs in free mode; an equipment editor runs it on the editor-mode
// model it made.
class CDlgRune : public CMyDialog {
    Q_OBJECT
  public:
    static constexpr const char* kTitle = "符石模拟";

    // Free mode, on a model of its own.
    explicit CDlgRune(PageHost& host, QWidget* parent = nullptr);
    // On a model the opener keeps (editor mode).
    CDlgRune(PageHost& host, RunePage& model, QWidget* parent = nullptr);

    RunePage& model() { return *model_; }
    // Icons, colour swatches and tips from the model; every action of the dialog ends here.
    void showExtras();

  private:
    void setUp(PageHost& host, std::unique_ptr<RunePage> own);

    RunePage* model_;
    const PictureProvider* pictures_ = nullptr;
};

// Lets host open 符石模拟 (free mode) by its title.
void addRuneDialog(PageHost& host);

}  // namespace kalvix::gui
