#pragma once
// The main window: eleven tabs over one page frame, a two-field status bar, and the page host
// every page gets (the shared current level, the status bar, the message boxes, the dialogs).

#include <QGroupBox>
#include <QPushButton>
#include <QTabBar>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"
#include "kalvix/gui/app/dlg_query_form.h"
#include "kalvix/gui/app/user_settings.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/framework/platform_desktop.h"

namespace kalvix::gui {

class CHtmlCtrl;
class PageWidget;
class StatusBar;

class CKalvixDlg : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kTabCount = 11;
    static const char* const kTitle;

    explicit CKalvixDlg(QWidget* parent = nullptr);
    ~CKalvixDlg() override;

    QTabBar* tabs() { return &tabs_; }
    // The page shown for a tab: its widget, or the browser control for 关于, created the first
    // time it is shown or asked for here (tools and tests that look at hidden pages).
    QWidget* page(int tab);
    // The page widget of a tab, by caption, created as page() does; null for 关于 and unknown
    // captions.
    PageWidget* pageWidget(const QString& caption);
    QWidget& characterPage() { return *page(0); }
    QWidget& missionPage() { return *page(4); }
    CHtmlCtrl& browser();
    QGroupBox& pageFrame() { return frame_; }
    StatusBar* statusBar() const { return statusBar_; }
    PageHost& host() { return host_; }
    // Opens 人物模拟加点系统 over the 人物 page with that build file loaded (a file the
    // desktop hands over: kalvix FILE.PSF).
    void openBuildFile(const QString& path);
    PageContext& context() { return context_; }
    // The rectangle pages take inside the frame.
    QRect pageRect() const;
    static QString aboutAddress();

    // Keys of what the window keeps between starts.
    static constexpr const char* kStayOnTopKey = "window/stayOnTop";
    static constexpr const char* kLastTabKey = "window/lastTab";
    static constexpr const char* kLeftKey = "window/left";
    static constexpr const char* kTopKey = "window/top";

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void initialise();
    void createPages();
    void presentOpeningMessages(PageModel& model);
    void createBrowser();
    void switchPage();
    void addTabKeys();
    void restoreState();
    void saveState();

    UserSettings settings_;  // before the context, which points at it
    PlatformDesktop desktop_;
    PageContext context_;
    PictureProvider pictures_;
    PageHost host_;
    QTabBar tabs_;
    QGroupBox frame_;
    QPushButton okButton_;
    Dlg_QueryForm queryForm_;
    // By tab: every page's model exists from the start (the shared level, the status texts);
    // its widget, owned by the frame, from the first time the tab is shown.
    struct Tab {
        std::string caption;
        std::unique_ptr<PageModel> model;  // until the widget takes it
        QWidget* widget = nullptr;         // the browser, owned by this window, for 关于
    };
    std::vector<Tab> pages_;
    int aboutTab_ = -1;
    CHtmlCtrl* browser_ = nullptr;

    StatusBar* statusBar_ = nullptr;
    int previousTab_ = 0;
    bool aboutLoaded_ = false;
};

}  // namespace kalvix::gui
