#include "kalvix/gui/guides/dlg_furniture_recipe.h"

#include <QFontMetrics>

#include "ui_dlg_furniture_recipe.h"

namespace kalvix::gui {

CDLG_FurnitureRecipe::CDLG_FurnitureRecipe(QWidget* parent) : QWidget(parent) {
    Ui::CDLG_FurnitureRecipe ui;
    ui.setupUi(this);
    // One tab stop holds the longest name or ingredient (five characters) and a gap.
    const QFontMetrics metrics(ui.editRecipe->font());
    ui.editRecipe->setTabStopDistance(metrics.horizontalAdvance(QStringLiteral("普通木材类")) +
                                      metrics.horizontalAdvance(QLatin1Char(' ')) * 2);
}

}  // namespace kalvix::gui
