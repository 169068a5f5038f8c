#pragma once
#include <QHash>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>

class QMenu;

#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/simulator/check_frame.h"
#include "kalvix/gui/simulator/my_dialog.h"

namespace kalvix {
class Settings;
class SimulationPage;
class SimulatorSession;
}  // namespace kalvix

namespace kalvix::gui {

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

    // Writes what the binder does not: the rich tooltips, the two frames and the list of
    // recent files.
    void decorate();

    // Loads a build file as 读取 would (a file given on the command line, dropped on the
    // page or chosen among the recent ones): one step to undo, a damaged file its message.
    void load(const QString& path);

    // The build files last saved or loaded, newest first, at most kRecentFiles; kept in the
    // settings.
    static constexpr int kRecentFiles = 8;
    static QStringList recentFiles(const Settings& settings);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void decorateAfterEveryAction();
    void rememberFile();
    void fillRecentMenu();

    Settings& settings_;
    std::unique_ptr<SimulatorSession> session_;
    PageHost sessionHost_;  // the main window's host, with the editors of this build
    std::unique_ptr<SimulationPage> page_;
    CCheckFrame equipmentFrame_;
    CCheckFrame summaryFrame_;
    QHash<QWidget*, std::string> tips_;
    std::optional<QString> nextPath_;  // what 读取 takes instead of asking
    std::string remembered_;           // the page's file last put in the recent list
    QMenu* recentMenu_ = nullptr;
};

// Lets host open the simulator's windows by their titles: 人物模拟加点系统, 坐骑, the six
// editors, 符石模拟 and 家具.
void addSimulatorDialogs(PageHost& host);

}  // namespace kalvix::gui
