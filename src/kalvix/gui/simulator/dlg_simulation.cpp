#include "kalvix/gui/simulator/dlg_simulation.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QUrl>
#include <utility>

#include "kalvix/core/catalogue/school_skill_info.h"
#include "kalvix/core/simulator/simulation_page.h"
#include "kalvix/gui/framework/digits_only.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/framework/readable_colour.h"
#include "kalvix/gui/simulator/build_file_dialog.h"
#include "kalvix/gui/simulator/button_icons.h"
#include "kalvix/gui/simulator/dlg_equipment.h"
#include "kalvix/gui/simulator/dlg_furniture.h"
#include "kalvix/gui/simulator/dlg_mount.h"
#include "kalvix/gui/simulator/dlg_rune.h"
#include "kalvix/gui/tooltip/pp_tooltip.h"
#include "ui_dlg_simulation.h"

namespace kalvix::gui {

CDlgSimulation::CDlgSimulation(PageHost& host, QWidget* parent)
    : CMyDialog(parent),
      settings_(host.context().settings()),
      session_(std::make_unique<SimulatorSession>(host.context().catalogue())),
      sessionHost_(host) {
    tooltip().setPictures(&host.pictures());
    Ui::CDlgSimulation ui;
    ui.setupUi(this);
    setWindowTitle(QString::fromUtf8(kSimulationTitle));
    setFixedSize(size());
    setDigitsOnly(this,
                  {"editQuickCon", "editQuickMag", "editQuickStr", "editQuickEnd", "editQuickAgi"});
    // Icon buttons: a tile per piece, the mount and each school-skill slot.
    const struct {
        QPushButton* button;
        const char* glyph;
        QColor colour;
    } icons[] = {
        {ui.buttonWeapon, "武", QColor(0xb0, 0x40, 0x30)},
        {ui.buttonClothing, "衣", QColor(0x30, 0x70, 0xb0)},
        {ui.buttonHead, "盔", QColor(0x50, 0x80, 0x40)},
        {ui.buttonNecklace, "链", QColor(0x90, 0x50, 0xa0)},
        {ui.buttonBelt, "带", QColor(0xa0, 0x70, 0x20)},
        {ui.buttonBoot, "靴", QColor(0x40, 0x80, 0x90)},
        {ui.buttonMount, "骑", QColor(0x80, 0x60, 0x40)},
        {ui.buttonSkill1, "血", QColor(0xc0, 0x30, 0x30)},
        {ui.buttonSkill2, "法", QColor(0x30, 0x50, 0xc0)},
        {ui.buttonSkill3, "命", QColor(0x40, 0x90, 0x40)},
        {ui.buttonSkill4, "伤", QColor(0xb0, 0x50, 0x20)},
        {ui.buttonSkill5, "防", QColor(0x60, 0x60, 0x70)},
        {ui.buttonSkill6, "速", QColor(0x20, 0x90, 0xa0)},
        {ui.buttonSkill7, "躲", QColor(0x70, 0x50, 0x90)},
        {ui.buttonSkill8, "灵", QColor(0xa0, 0x40, 0x90)},
    };
    for (const auto& icon : icons)
        icon.button->setIcon(tileIcon(QString::fromUtf8(icon.glyph), icon.colour));
    // The page has no OK button: Enter in a field must not press whichever button comes first.
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);
    // The comparison column: names and three numbers, every row in view.
    ui.tableCompare->verticalHeader()->hide();
    ui.tableCompare->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Undo and redo with the desktop's usual keys and icons.
    ui.buttonUndo->setIcon(
        QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
    ui.buttonRedo->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"),
                                            style()->standardIcon(QStyle::SP_ArrowForward)));
    const auto shortcut = [this](const QKeySequence& keys, QPushButton* button) {
        auto* s = new QShortcut(keys, this);
        // A key pressed while the step is not to be had does nothing, as the button shows.
        connect(s, &QShortcut::activated, button, [button] {
            if (button->isEnabled())
                button->click();
        });
    };
    shortcut(QKeySequence::Undo, ui.buttonUndo);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), ui.buttonRedo);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), ui.buttonRedo);
    // Builds are shared as text often enough to deserve keys of their own.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this),
            &QShortcut::activated, ui.buttonCopyCode, &QPushButton::click);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), this),
            &QShortcut::activated, ui.buttonPasteCode, &QPushButton::click);
    // The editors and the mount editor this page opens edit its build.
    addEquipmentDialogs(sessionHost_, session_.get());
    sessionHost_.addDialog(QString::fromUtf8(kMountTitle), [this](PageHost& h, QWidget* owner) {
        return new CDlgMount(h, session_.get(), owner);
    });

    page_ = std::make_unique<SimulationPage>(host.context(), *session_);
    page_->choosePath = [this](bool save) -> std::optional<std::string> {
        std::optional<QString> path = std::exchange(nextPath_, std::nullopt);
        if (!path || save)
            path = BuildFileDialog::choose(sessionHost_, this, save, &settings_);
        if (!path)
            return std::nullopt;
        return QFile::encodeName(*path).toStdString();
    };

    equipmentFrame_.attach(this, QStringLiteral("frameEquipment"), host.presenter());
    summaryFrame_.attach(this, QStringLiteral("groupSummary"), host.presenter());
    bindModel(sessionHost_, *page_);
    if (auto* load = qobject_cast<QToolButton*>(binder()->widgetFor("读取"))) {
        recentMenu_ = new QMenu(load);
        connect(recentMenu_, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });
        load->setMenu(recentMenu_);
    }
    setAcceptDrops(true);
    decorateAfterEveryAction();
    decorate();
}

namespace {

const char* const kRecentKey = "simulator/recentFiles";

bool isBuildFile(const QUrl& url) {
    return url.isLocalFile() &&
           url.toLocalFile().endsWith(QStringLiteral(".psf"), Qt::CaseInsensitive);
}

}  // namespace

QStringList CDlgSimulation::recentFiles(const Settings& settings) {
    QStringList files;
    for (const std::string& file : settings.list(kRecentKey))
        if (files.size() < kRecentFiles)
            files << QString::fromStdString(file);
    return files;
}

void CDlgSimulation::load(const QString& path) {
    nextPath_ = path;
    binder()->actions().click("读取");
    nextPath_.reset();
    binder()->refresh();
    decorate();
}

void CDlgSimulation::rememberFile() {
    const std::string& file = page_->currentFile();
    if (file.empty() || file == remembered_)
        return;
    remembered_ = file;
    const QString path =
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(file))).absoluteFilePath();
    QStringList recent = recentFiles(settings_);
    recent.removeAll(path);
    recent.prepend(path);
    std::vector<std::string> kept;
    for (const QString& recentPath : recent.mid(0, kRecentFiles))
        kept.push_back(recentPath.toStdString());
    settings_.setList(kRecentKey, kept);
}

void CDlgSimulation::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList recent = recentFiles(settings_);
    if (recent.isEmpty())
        recentMenu_->addAction(QStringLiteral("（没有最近的文件）"))->setEnabled(false);
    for (const QString& path : recent) {
        QAction* a =
            recentMenu_->addAction(QFileInfo(path).fileName(), this, [this, path] { load(path); });
        a->setToolTip(path);
        a->setEnabled(binder()->widgetFor("读取")->isEnabled());
    }
}

void CDlgSimulation::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && isBuildFile(urls.front()))
        event->acceptProposedAction();
}

void CDlgSimulation::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !isBuildFile(urls.front()))
        return;
    event->acceptProposedAction();
    load(urls.front().toLocalFile());
}

CDlgSimulation::~CDlgSimulation() {
    // The page and its session are ours: the binding goes before them.
    unbind();
}

void CDlgSimulation::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    CMyDialog::keyPressEvent(event);
}

void CDlgSimulation::decorateAfterEveryAction() {
    // Connected after the binder's own connections, so these run once the model has acted
    // and the binder has written the fields back.
    for (const Control& c : page_->controls()) {
        QWidget* w = binder()->widgetFor(c.caption);
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            connect(b, &QAbstractButton::clicked, this, [this] { decorate(); });
        else if (auto* cb = qobject_cast<QComboBox*>(w))
            connect(cb, &QComboBox::activated, this, [this] { decorate(); });
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            connect(e, &QLineEdit::textEdited, this, [this] { decorate(); });
    }
}

void CDlgSimulation::decorate() {
    for (const Control& c : page_->controls()) {
        QWidget* w = binder()->widgetFor(c.caption);
        if (!w)
            continue;
        std::string tip = page_->tip(c.caption);
        auto it = tips_.find(w);
        if (it != tips_.end() && it.value() == tip)
            continue;
        setTip(w, tip);
        tips_.insert(w, std::move(tip));
    }
    equipmentFrame_.setEnabled(page_->build().equipmentOn);
    summaryFrame_.setEnabled(page_->build().equipmentOn);
    rememberFile();
    // The difference in green where this build is the better one, in red where it is worse.
    if (auto* table = qobject_cast<QTableWidget*>(binder()->widgetFor("对比"))) {
        const std::vector<ComparedAttribute> rows = page_->comparison();
        for (int r = 0; r < static_cast<int>(rows.size()) && r < table->rowCount(); ++r)
            if (QTableWidgetItem* item = table->item(r, 3)) {
                const int verdict = rows[static_cast<std::size_t>(r)].verdict();
                const QColor base = table->palette().color(QPalette::Base);
                item->setForeground(verdict > 0   ? readableOn(QColor(0, 128, 0), base)
                                    : verdict < 0 ? readableOn(QColor(192, 0, 0), base)
                                                  : table->palette().color(QPalette::Text));
            }
    }
}

void addSimulatorDialogs(PageHost& host) {
    host.addDialog(
        QString::fromUtf8(kSimulationTitle),
        [](PageHost& h, QWidget* parent) -> QDialog* { return new CDlgSimulation(h, parent); });
    // Opened on their own (not from the simulator page), the editors edit a build of their own.
    host.addDialog(QString::fromUtf8(kMountTitle), [](PageHost& h, QWidget* parent) -> QDialog* {
        return new CDlgMount(h, nullptr, parent);
    });
    addEquipmentDialogs(host, nullptr);
    addRuneDialog(host);
    addFurnitureDialog(host);
}

}  // namespace kalvix::gui
