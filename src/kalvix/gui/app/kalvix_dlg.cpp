#include "kalvix/gui/app/kalvix_dlg.h"

#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include "kalvix/build_config.h"
#include "kalvix/core/calculators/about_page.h"
#include "kalvix/core/registry/page_registry.h"
#include "kalvix/core/simulator/simulator_session.h"
#include "kalvix/gui/app/app_icon.h"
#include "kalvix/gui/app/page_widgets.h"
#include "kalvix/gui/app/usage_report_runner.h"
#include "kalvix/gui/framework/dialog_units.h"
#include "kalvix/gui/framework/html_ctrl.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_widget.h"
#include "kalvix/gui/framework/status_bar.h"
#include "kalvix/gui/simulator/dlg_simulation.h"
#include "kalvix/gui/tooltip/program_pictures.h"

namespace kalvix::gui {

const char* const CKalvixDlg::kTitle = config::kMainWindowTitle;

CKalvixDlg::CKalvixDlg(QWidget* parent)
    : QWidget(parent), pictures_(programPictures(context_.catalogue())), host_(context_) {
    context_.setDesktop(&desktop_);
    host_.setPictures(&pictures_);
    context_.setSettings(&settings_);
    initialise();
    addTabKeys();
    restoreState();
}

CKalvixDlg::~CKalvixDlg() {
    // Pages talk to the host while they go; the status bar goes with them.
    host_.setStatusBar(nullptr);
}

QString CKalvixDlg::aboutAddress() {
    return QString::fromStdString(AboutPage::address());
}

QRect CKalvixDlg::pageRect() const {
    QRect r = frame_.rect();  // frame coordinates
    return QRect(QPoint(r.left() + 1, r.top() + 10), QPoint(r.right() - 2, r.bottom() - 10));
}

void CKalvixDlg::initialise() {
    // 1. The window and its controls.
    setWindowTitle(QString::fromUtf8(kTitle));
    setObjectName(QStringLiteral("CKalvixDlg"));
    setFixedSize(dluX(321), dluY(217));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    tabs_.setParent(this);
    tabs_.setObjectName(QStringLiteral("tabControl"));
    tabs_.setDrawBase(true);
    tabs_.setExpanding(false);
    // Eleven captions must fit the tab control's width without scroll buttons; the current
    // tab's caption is bold in the highlight colour, so the page shown is plain to see.
    tabs_.setStyleSheet(
        QStringLiteral("QTabBar::tab { padding: 3px 5px; }"
                       "QTabBar::tab:selected { color: palette(highlight); font-weight: bold; }"));
    frame_.setParent(this);
    frame_.setObjectName(QStringLiteral("pageFrame"));
    frame_.setGeometry(dluRect(2, 11, 310, 189));
    okButton_.setParent(this);
    okButton_.setText(QStringLiteral("确定"));
    okButton_.setGeometry(dluRect(194, 196, 50, 14));
    okButton_.hide();  // Enter in the main window does nothing

    // 2. Icons.
    setWindowIcon(applicationIcon());

    // 3. The skin library has no counterpart here.

    // 4. Status bar, before any page exists, so messages pages show while opening stay.
    statusBar_ = new StatusBar(this);
    statusBar_->setGeometry(0, height() - 20, width(), 20);
    host_.setStatusBar(statusBar_);

    // 5, 6. Tabs and their pages' models, from the page registry in tab order; each page's
    // widget follows, hidden, when its tab is first shown.
    addStandardDialogs(host_);
    createPages();
    tabs_.setGeometry(0, 0, dluX(316), tabs_.sizeHint().height());
    queryForm_.setParent(this, Qt::Widget);
    queryForm_.hide();

    // 7 and 9 wait until 关于 is first shown: the embedded browser takes long to start.

    // 8. First page.
    tabs_.setCurrentIndex(0);
    aboutLoaded_ = false;
    previousTab_ = 0;
    switchPage();
    connect(&tabs_, &QTabBar::currentChanged, this, [this](int) { switchPage(); });

    // 10. The usage report and the updater, once the first frame is on the screen.
    UsageReportRunner::startAfterFirstFrame(this);
}

void CKalvixDlg::createPages() {
    for (const PageEntry* entry : tabPages()) {
        tabs_.addTab(QString::fromStdString(entry->caption));
        Tab tab;
        tab.caption = entry->caption;
        if (entry->alias == "about")
            aboutTab_ = static_cast<int>(pages_.size());  // the browser, once created
        else if (entry->create)
            tab.model = entry->create(context_);
        if (tab.model)
            presentOpeningMessages(*tab.model);
        pages_.push_back(std::move(tab));
    }
}

void CKalvixDlg::presentOpeningMessages(PageModel& model) {
    // What a page shows while it opens shows at start, as when every page was built then; a
    // field it would focus takes the focus when its widget exists.
    for (const PageMessage& m : model.takeMessages()) {
        switch (m.where) {
            case MessageWhere::Status:
                host_.showStatus(QString::fromStdString(m.text));
                break;
            case MessageWhere::Sound:
                host_.playSound(QString::fromStdString(m.text));
                break;
            case MessageWhere::Open:
                host_.openAddress(QString::fromStdString(m.text));
                break;
            case MessageWhere::Box:
            case MessageWhere::Field:
                host_.presenter().inform(this, QString::fromStdString(m.text));
                if (!m.field.empty())
                    model.moveFocus(m.field);
                break;
        }
    }
}

void CKalvixDlg::createBrowser() {
    if (browser_)
        return;
    // 7. The browser takes the placeholder's place, hidden.
    browser_ = new CHtmlCtrl(this);
    browser_->setObjectName(QStringLiteral("browser"));
    browser_->setGeometry(dluRect(2, 13, 310, 189));
    browser_->hide();
    if (aboutTab_ >= 0)
        pages_[static_cast<std::size_t>(aboutTab_)].widget = browser_;
    // 9. The about page.
    browser_->navigate(aboutAddress());
}

CHtmlCtrl& CKalvixDlg::browser() {
    createBrowser();
    return *browser_;
}

QWidget* CKalvixDlg::page(int tab) {
    if (tab < 0 || tab >= static_cast<int>(pages_.size()))
        return nullptr;
    if (tab == aboutTab_)
        return &browser();
    Tab& t = pages_[static_cast<std::size_t>(tab)];
    if (!t.widget) {
        PageWidget* widget = createPageWidget(t.caption, host_, std::move(t.model));
        widget->setParent(&frame_);
        widget->hide();
        t.widget = widget;
    }
    return t.widget;
}

PageWidget* CKalvixDlg::pageWidget(const QString& caption) {
    for (int i = 0; i < tabs_.count(); ++i)
        if (tabs_.tabText(i) == caption && i != aboutTab_)
            return qobject_cast<PageWidget*>(page(i));
    return nullptr;
}

void CKalvixDlg::switchPage() {
    const QRect rect = pageRect();
    if (QWidget* previous = pages_[static_cast<std::size_t>(previousTab_)].widget)
        previous->hide();
    const int tab = tabs_.currentIndex();
    if (tab == aboutTab_) {
        CHtmlCtrl& b = browser();
        if (!aboutLoaded_) {
            b.navigate(aboutAddress());
            aboutLoaded_ = true;
        }
        b.show();
    } else if (auto* p = qobject_cast<PageWidget*>(page(tab))) {
        p->setGeometry(rect);
        p->takeSharedLevel();  // only 人物 and 任务 take it
        // What pages share (the stay-on-top state of two pages) may have changed meanwhile.
        if (p->binder())
            p->binder()->refresh();
        p->show();
    }
    previousTab_ = tab;
}

void CKalvixDlg::openBuildFile(const QString& path) {
    std::unique_ptr<QDialog> d(host_.createDialog(QString::fromUtf8(kSimulationTitle), page(0)));
    if (auto* simulation = qobject_cast<CDlgSimulation*>(d.get()))
        simulation->load(path);
    host_.run(d.get());
}

void CKalvixDlg::addTabKeys() {
    // The desktop's usual keys between tabs: Ctrl+Tab and Ctrl+Shift+Tab go round, Alt+1 to
    // Alt+9 and Alt+0 pick the first ten.
    const auto key = [this](const QKeySequence& keys, auto go) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, go);
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_Tab),
        [this] { tabs_.setCurrentIndex((tabs_.currentIndex() + 1) % tabs_.count()); });
    const auto back = [this] {
        tabs_.setCurrentIndex((tabs_.currentIndex() + tabs_.count() - 1) % tabs_.count());
    };
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), back);
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), back);
    for (int i = 0; i < 10 && i < tabs_.count(); ++i)
        key(QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_0 + (i + 1) % 10)),
            [this, i] { tabs_.setCurrentIndex(i); });
}

void CKalvixDlg::restoreState() {
    Settings& settings = context_.settings();
    if (settings.flag(kStayOnTopKey, false)) {
        context_.setStayOnTop(true);
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    // Only where the title bar is still on a screen: monitors come and go.
    const std::optional<int> left = settings.number(kLeftKey);
    const std::optional<int> top = settings.number(kTopKey);
    if (left && top && QGuiApplication::screenAt(QPoint(*left + width() / 2, *top + 10)))
        move(*left, *top);
    const std::optional<int> tab = settings.number(kLastTabKey);
    if (tab && *tab > 0 && *tab < tabs_.count())
        tabs_.setCurrentIndex(*tab);
}

void CKalvixDlg::saveState() {
    Settings& settings = context_.settings();
    settings.setFlag(kStayOnTopKey, context_.stayOnTop());
    settings.setNumber(kLastTabKey, tabs_.currentIndex());
    settings.setNumber(kLeftKey, pos().x());
    settings.setNumber(kTopKey, pos().y());
    settings_.sync();
}

void CKalvixDlg::closeEvent(QCloseEvent* event) {
    saveState();
    QWidget::closeEvent(event);
}

void CKalvixDlg::keyPressEvent(QKeyEvent* event) {
    // Neither Enter nor Escape closes the toolbox; only the close box does.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace kalvix::gui
