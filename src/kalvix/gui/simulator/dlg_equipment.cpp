#include "kalvix/gui/simulator/dlg_equipment.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>

#include "kalvix/core/simulator/equipment_page.h"
#include "kalvix/core/simulator/rune_page.h"
#include "kalvix/core/simulator/simulator_session.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/simulator/dlg_rune.h"
#include "kalvix/gui/tooltip/pp_tooltip.h"
#include "ui_dlg_equipment.h"

namespace kalvix::gui {
namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

struct Family {
    const char* id;  // the widgets' id prefix
    int count;       // widgets the layout has
};

// The list families of the layout, with as many rows as the widest editor needs.
constexpr Family kLists[] = {{"Base", 4}, {"Added", 5}, {"Melt", 6}};

}  // namespace

CDlgEquipment::CDlgEquipment(PageHost& host, SimulatorSession* session, int piece, QWidget* parent)
    : CMyDialog(parent), pictures_(host.pictures()) {
    tooltip().setPictures(&pictures_);
    auto model = session ? std::make_unique<EquipmentPage>(host.context(), *session, piece)
                         : std::make_unique<EquipmentPage>(host.context(), piece);
    model_ = model.get();
    Ui::CDlgEquipment ui;
    ui.setupUi(this);
    setWindowTitle(QString::fromUtf8(model_->kind().title));
    setObjectName(QString::fromUtf8(model_->kind().className));
    arrange();
    bindModel(host, std::move(model));
    model_->runeRunner = [this, &host](RunePage& rune) {
        CDlgRune dialog(host, rune, this);
        host.run(&dialog);
    };
    // The binder handles an action first (it connected first); icons and tips follow it.
    for (QComboBox* list : findChildren<QComboBox*>())
        connect(list, &QComboBox::activated, this, [this] { showExtras(); });
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        connect(button, &QAbstractButton::clicked, this, [this] { showExtras(); });
    showExtras();
    layout()->activate();
    setFixedSize(sizeHint());
}

void CDlgEquipment::arrange() {
    const EquipmentKind& kind = model_->kind();
    // Label each list the model has from the table; hide the rows it has not.
    for (const Family& f : kLists) {
        bool any = false;
        for (int n = 1; n <= f.count; ++n) {
            const QString id = QString::fromLatin1(f.id) + QString::number(n);
            auto* label = findChild<QLabel*>(QStringLiteral("label") + id);
            auto* combo = findChild<QComboBox*>(QStringLiteral("combo") + id);
            const Control* c = model_->findById((QStringLiteral("combo") + id).toStdString());
            any = any || c;
            if (label)
                label->setVisible(c);
            if (combo)
                combo->setVisible(c);
            if (!c || !label)
                continue;
            for (std::size_t i = 0; i < kind.lists.size(); ++i)
                if (model_->listCaption(static_cast<int>(i)) == c->caption)
                    label->setText(QString::fromUtf8(kind.lists[i].name));
        }
        if (auto* group =
                findChild<QGroupBox*>(QStringLiteral("group") + QString::fromLatin1(f.id)))
            group->setVisible(any);
    }
    for (const char* family : {"Part", "General"}) {
        for (int n = 1; n <= 7; ++n) {
            const QString id =
                QStringLiteral("check") + QString::fromLatin1(family) + QString::number(n);
            auto* box = findChild<QCheckBox*>(id);
            if (!box)
                continue;
            const Control* c = model_->findById(id.toStdString());
            box->setVisible(c);
            if (c)
                box->setText(q(c->caption));
        }
    }
    for (int h = 1; h <= EquipmentPage::kHoles; ++h) {
        if (auto* edit = findChild<QWidget*>(QStringLiteral("editHole") + QString::number(h)))
            edit->setVisible(!kind.iconHoles);
        if (auto* button = findChild<QWidget*>(QStringLiteral("buttonHole") + QString::number(h)))
            button->setVisible(kind.iconHoles);
    }
    if (auto* info = findChild<QWidget*>(QStringLiteral("editStuntInfo")))
        info->setVisible(model_->findById("editStuntInfo") != nullptr);
}

void CDlgEquipment::showExtras() {
    for (const Control& c : model_->controls())
        if (QWidget* w = binder()->widgetFor(c.caption))
            setTip(w, model_->tip(c.caption));
    if (!model_->kind().iconHoles)
        return;
    for (int h = 0; h < EquipmentPage::kHoles; ++h) {
        auto* button =
            qobject_cast<QAbstractButton*>(binder()->widgetFor(EquipmentPage::holeCaption(h)));
        if (!button)
            continue;
        const QImage image = pictures_.image(PictureKind::Icon, model_->holeIcon(h));
        button->setIcon(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
    }
}

CDlgEquipment* createEquipmentDialog(PageHost& host, SimulatorSession* session, int piece,
                                     QWidget* parent) {
    switch (piece) {
        case 2:
            return new CDlgClothing(host, session, parent);
        case 3:
            return new CDlgHead(host, session, parent);
        case 4:
            return new CDlgNecklace(host, session, parent);
        case 5:
            return new CDlgBelt(host, session, parent);
        case 6:
            return new CDlgBoot(host, session, parent);
        default:
            break;
    }
    return new CDlgWeapon(host, session, parent);
}

void addEquipmentDialogs(PageHost& host, SimulatorSession* session) {
    for (int piece = kFirstPiece; piece <= kLastPiece; ++piece)
        host.addDialog(QString::fromUtf8(kEditorTitles[piece]),
                       [piece, session](PageHost& h, QWidget* parent) -> QDialog* {
                           return createEquipmentDialog(h, session, piece, parent);
                       });
}

}  // namespace kalvix::gui
