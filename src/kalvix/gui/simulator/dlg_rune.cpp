#include "kalvix/gui/simulator/dlg_rune.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <QTextOption>

#include "kalvix/core/simulator/rune_page.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/tooltip/pp_tooltip.h"
#include "kalvix/gui/tooltip/rune_icons.h"
#include "ui_dlg_rune.h"

namespace kalvix::gui {
namespace {

// The swatch of a colour item: the colour framed in black.
QIcon swatch(int colour) {
    QPixmap pixmap(28, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(runeColour(colour));
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

// The open colour list draws each item itself: the left half a swatch framed in black, the
// right half the colour's name.
class ColourItemDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem o(option);
        initStyleOption(&o, index);
        o.icon = QIcon();
        o.text.clear();
        const QWidget* widget = o.widget;
        QStyle* style = widget ? widget->style() : nullptr;
        if (style)
            style->drawControl(QStyle::CE_ItemViewItem, &o, painter, widget);
        const int half = o.rect.width() / 2;
        const QRect swatchRect = o.rect.adjusted(3, 2, -(o.rect.width() - half) - 2, -3);
        painter->save();
        painter->setPen(Qt::black);
        painter->setBrush(runeColour(index.row()));
        painter->drawRect(swatchRect);
        painter->setPen(o.palette.color(
            (o.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(o.rect.adjusted(half + 4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

QIcon holeIcon(const PictureProvider& pictures, std::int32_t resource) {
    const QImage image = pictures.image(PictureKind::Icon, resource);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

}  // namespace

CDlgRune::CDlgRune(PageHost& host, QWidget* parent) : CMyDialog(parent), model_(nullptr) {
    auto own = std::make_unique<RunePage>(host.context());
    model_ = own.get();
    setUp(host, std::move(own));
}

CDlgRune::CDlgRune(PageHost& host, RunePage& model, QWidget* parent)
    : CMyDialog(parent), model_(&model) {
    setUp(host, nullptr);
}

void CDlgRune::setUp(PageHost& host, std::unique_ptr<RunePage> own) {
    Ui::CDlgRune ui;
    ui.setupUi(this);
    setWindowTitle(QString::fromUtf8(kTitle));
    pictures_ = &host.pictures();
    tooltip().setPictures(pictures_);
    if (own)
        bindModel(host, std::move(own));
    else
        bindModel(host, *model_);
    // The binder handles an action first (it connected first); icons and tips follow it.
    for (QComboBox* list : findChildren<QComboBox*>())
        connect(list, &QComboBox::activated, this, [this] { showExtras(); });
    for (QComboBox* colours :
         {ui.comboColour1, ui.comboColour2, ui.comboColour3, ui.comboColour4, ui.comboColour5})
        colours->setItemDelegate(new ColourItemDelegate(colours));
    setTip(ui.comboHoles, std::string(RunePage::kHoleCostTip));
    // A long effect wraps, wherever it must: the box scrolls only up and down.
    ui.editCombinationEffect->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    showExtras();
    layout()->activate();
    setFixedSize(sizeHint());
}

void CDlgRune::showExtras() {
    for (int r = 0; r < RunePage::kRows; ++r) {
        const std::string row = RunePage::rowCaption(r);
        if (auto* colours = qobject_cast<QComboBox*>(binder()->widgetFor(row + ".颜色")))
            for (int i = 0; i < colours->count(); ++i)
                if (colours->itemIcon(i).isNull())
                    colours->setItemIcon(i, swatch(i));
        if (auto* icon = qobject_cast<QAbstractButton*>(binder()->widgetFor(row + ".图标")))
            icon->setIcon(holeIcon(*pictures_, model_->iconId(r)));
        for (const char* role : {".符石", ".效果", ".图标"})
            if (QWidget* w = binder()->widgetFor(row + role))
                setTip(w, model_->tip(row + role));
    }
    for (const char* caption : {"组合技能", "符石效果"})
        if (QWidget* w = binder()->widgetFor(caption))
            setTip(w, model_->tip(caption));
}

void addRuneDialog(PageHost& host) {
    host.addDialog(
        QString::fromUtf8(CDlgRune::kTitle),
        [](PageHost& h, QWidget* parent) -> QDialog* { return new CDlgRune(h, parent); });
}

}  // namespace kalvix::gui
