#include "kalvix/gui/trade/dlg_pao_shang.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "kalvix/core/trade/pao_shang_page.h"
#include "kalvix/gui/framework/hyper_link.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/readable_colour.h"
#include "kalvix/gui/trade/alarm_sound.h"
#include "ui_dlg_pao_shang.h"

namespace kalvix::gui {
namespace {

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, readableOn(colour, pal.color(QPalette::Window)));
    label->setPalette(pal);
    label->setAutoFillBackground(false);  // drawn on the page's own background
}

}  // namespace

CDlgPaoShang::CDlgPaoShang(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent)
    : PageWidget(host, parent) {
    Ui::CDlgPaoShang ui;
    ui.setupUi(this);
    // A host without a player of its own plays the chime.
    if (!host.soundPlayer)
        host.soundPlayer = alarmSound();

    QLabel* const periods[PeriodClock::kPeriods] = {
        ui.labelPeriod0, ui.labelPeriod1, ui.labelPeriod2,  ui.labelPeriod3,
        ui.labelPeriod4, ui.labelPeriod5, ui.labelPeriod6,  ui.labelPeriod7,
        ui.labelPeriod8, ui.labelPeriod9, ui.labelPeriod10, ui.labelPeriod11};
    for (int i = 0; i < PeriodClock::kPeriods; ++i) {
        QLabel* label = periods[i];
        label->setText(QString::fromStdString(PaoShangPage::periodLabel(i)));
        if (PeriodClock::isRefreshPeriod(i))
            setTextColour(label, QColor(255, 0, 255));
    }
    setTextColour(ui.labelCountdown, QColor(0, 0, 255));
    arrow_ = ui.labelArrow;
    arrow_->setText(QString::fromUtf8(PaoShangPage::arrowText()));
    ui.progressPeriod->setRange(0, PeriodClock::kSecondsPerPeriod);

    setModel(std::move(model));

    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &CDlgPaoShang::onTick);
    // These run after the binder has passed the click to the model.
    connect(ui.buttonStart, &QPushButton::clicked, this, [this] { follow(false); });
    connect(ui.buttonPause, &QPushButton::clicked, this, [this] { follow(false); });
    connect(ui.buttonReset, &QPushButton::clicked, this, [this] { follow(true); });
    connect(ui.checkTopmost, &QCheckBox::clicked, this, [this] { applyTopmost(page().topmost()); });
    follow(false);
}

PaoShangPage& CDlgPaoShang::page() {
    return static_cast<PaoShangPage&>(*model());
}

void CDlgPaoShang::onTick() {
    binder()->actions().tick();
    binder()->refresh();
    follow(false);
}

void CDlgPaoShang::follow(bool restartTimer) {
    const PeriodClock& clock = page().clock();
    if (!clock.running())
        timer_.stop();
    else if (restartTimer || !timer_.isActive())
        timer_.start();
    arrow_->move(clock.arrowX(), PeriodClock::kArrowY);
}

void CDlgPaoShang::applyTopmost(bool on) {
    QWidget* top = window();
    if (top->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    const bool shown = top->isVisible();
    top->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown)
        top->show();  // changing a window's flags hides it
}

}  // namespace kalvix::gui
