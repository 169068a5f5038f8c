#pragma once
#include <QHash>
#include <memory>
#include <string>

#include "kalvix/gui/framework/my_dialog.h"
#include "kalvix/gui/simulator/check_frame.h"

namespace kalvix {
class SimulationPage;
class SimulatorSession;
}  // namespace kalvix

namespace kalvix::gui {

class PageBinder;
class PageHost;

// 人物模拟加点系统: the character build simulator. It owns the session that its equipment and
// mount editors work on, and opens at the host's shared level.
class CDlgSimulation : public CMyDialog {
    Q_OBJECT
  public:
    explicit CDlgSimulation(PageHost& host, QWidget* parent = nullptr);
    ~CDlgSimulation() override;
    SimulationPage& page() { return *page_; }
    SimulatorSession& session() { return *session_; }
    PageBinder* binder() { return binder_; }

    // Writes what the binder does not: the school radios' and skill buttons' captions, the
    // rich tooltips, and the two frames.
    void decorate();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void decorateAfterEveryAction();

    std::unique_ptr<SimulatorSession> session_;
    std::unique_ptr<SimulationPage> page_;
    PageBinder* binder_ = nullptr;
    CCheckFrame equipmentFrame_;
    CCheckFrame summaryFrame_;
    QHash<QWidget*, std::string> tips_;
};

// Registers 人物模拟加点系统 and 坐骑 with the dialog opener.
void registerSimulatorDialogs();

}  // namespace kalvix::gui
