#pragma once
// The main window: eleven tabs over one page frame, a two-field status bar, and the shared
// current level kept in step between the 人物 and 任务 pages.

#include <QGroupBox>
#include <QPushButton>
#include <QTabBar>
#include <QWidget>

#include "kalvix/gui/app/dlg_query_form.h"
#include "kalvix/gui/app/html_ctrl.h"
#include "kalvix/gui/calculators/dlg_bb.h"
#include "kalvix/gui/calculators/dlg_character.h"
#include "kalvix/gui/calculators/dlg_children.h"
#include "kalvix/gui/calculators/dlg_mission.h"
#include "kalvix/gui/calculators/dlg_practice.h"
#include "kalvix/gui/calculators/dlg_skill.h"
#include "kalvix/gui/guides/dlg_other.h"
#include "kalvix/gui/guides/dlg_raiders.h"
#include "kalvix/gui/quiz/dlg_dtq.h"
#include "kalvix/gui/trade/dlg_pao_shang.h"

namespace kalvix::gui {

class StatusBar;

class CKalvixDlg : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kTabCount = 11;
    static const char* const kTitle;

    explicit CKalvixDlg(QWidget* parent = nullptr);
    ~CKalvixDlg() override;

    QTabBar* tabs() { return &tabs_; }
    // The page shown for a tab (the browser control for 关于).
    QWidget* page(int tab);
    CDlgCharacter& characterPage() { return character_; }
    CDlgMission& missionPage() { return mission_; }
    CHtmlCtrl& browser() { return browser_; }
    QGroupBox& pageFrame() { return frame_; }
    StatusBar* statusBar() const { return statusBar_; }
    // The rectangle pages take inside the frame.
    QRect pageRect() const;
    static QString aboutAddress();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void initialise();
    void switchPage();

    QTabBar tabs_;
    QGroupBox frame_;
    QPushButton okButton_;
    // Pages, in creation order.
    CDlgCharacter character_;
    Dlg_Children children_;
    CDlgSkill skill_;
    CDlgPractice practice_;
    CDlgMission mission_;
    CDlgBB bb_;
    CDlgRaiders raiders_;
    CDlgOther other_;
    CDlgPaoShang paoShang_;
    Dlg_QueryForm queryForm_;
    DLG_dtq dtq_;
    CHtmlCtrl browser_;

    StatusBar* statusBar_ = nullptr;
    int previousTab_ = 0;
    bool aboutLoaded_ = false;
};

}  // namespace kalvix::gui
