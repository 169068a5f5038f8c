#include "kalvix/gui/app/kalvix_dlg.h"

#include <QKeyEvent>

#include "kalvix/core/page/shared_state.h"
#include "kalvix/gui/app/app_icon.h"
#include "kalvix/gui/app/dialog_units.h"
#include "kalvix/gui/app/status_bar.h"

namespace kalvix::gui {

const char* const CKalvixDlg::kTitle = "ZentrixQorvane——梦幻西游实用工具箱 V1.0.1.4";

namespace {
const char* const kCaptions[CKalvixDlg::kTabCount] = {
    "人物",     "孩子",     "技能",     "修炼",   "任务", "召唤兽",
    "常用攻略", "常用查询", "跑商助手", "答题器", "关于",
};
}  // namespace

CKalvixDlg::CKalvixDlg(QWidget* parent) : QWidget(parent) {
    initialise();
}

CKalvixDlg::~CKalvixDlg() {
    if (statusBarPointer() == statusBar_)
        statusBarPointer() = nullptr;
}

QString CKalvixDlg::aboutAddress() {
    return QStringLiteral(KALVIX_PORTAL_HOST) +
           QStringLiteral("/xyq20110303.html?curver='1.0.1.4'");
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
    tabs_.setGeometry(dluRect(0, 0, 316, 205).adjusted(0, 0, 0, 0));
    tabs_.setDrawBase(true);
    tabs_.setExpanding(false);
    // Eleven captions must fit the tab control's width without scroll buttons.
    tabs_.setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));
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

    // 4. Status bar: bottom 20 pixels of the client area.
    statusBar_ = new StatusBar(this);
    statusBar_->setGeometry(0, height() - 20, width(), 20);
    statusBarPointer() = statusBar_;

    // 5. Tabs.
    for (const char* caption : kCaptions)
        tabs_.addTab(QString::fromUtf8(caption));
    tabs_.setGeometry(0, 0, dluX(316), tabs_.sizeHint().height());

    // 6. Pages, hidden, in creation order.
    QWidget* framePages[] = {&character_, &children_, &skill_, &practice_, &mission_,
                             &bb_,        &raiders_,  &other_, &paoShang_};
    for (QWidget* p : framePages) {
        p->setParent(&frame_);
        p->hide();
    }
    queryForm_.setParent(this, Qt::Widget);
    queryForm_.hide();
    dtq_.setParent(&frame_);
    dtq_.hide();

    // 7. The browser takes the placeholder's place.
    browser_.setParent(this);
    browser_.setObjectName(QStringLiteral("browser"));
    browser_.setGeometry(dluRect(2, 13, 310, 189));
    browser_.hide();

    // 8. First page.
    tabs_.setCurrentIndex(0);
    aboutLoaded_ = false;
    previousTab_ = 0;
    switchPage();
    connect(&tabs_, &QTabBar::currentChanged, this, [this](int) { switchPage(); });

    // 9. The about page.
    browser_.navigate(aboutAddress());
}

QWidget* CKalvixDlg::page(int tab) {
    switch (tab) {
        case 0:
            return &character_;
        case 1:
            return &children_;
        case 2:
            return &skill_;
        case 3:
            return &practice_;
        case 4:
            return &mission_;
        case 5:
            return &bb_;
        case 6:
            return &raiders_;
        case 7:
            return &other_;
        case 8:
            return &paoShang_;
        case 9:
            return &dtq_;
        case 10:
            return &browser_;
        default:
            return nullptr;
    }
}

void CKalvixDlg::switchPage() {
    const QRect rect = pageRect();
    if (QWidget* previous = page(previousTab_))
        previous->hide();
    const int tab = tabs_.currentIndex();
    if (tab == 10) {
        if (!aboutLoaded_) {
            browser_.navigate(aboutAddress());
            aboutLoaded_ = true;
        }
        browser_.show();
    } else if (auto* p = qobject_cast<PageWidget*>(page(tab))) {
        p->setGeometry(rect);
        if (tab == 0 || tab == 4)
            p->takeSharedLevel();
        p->show();
    }
    previousTab_ = tab;
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
