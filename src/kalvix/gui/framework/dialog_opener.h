#pragma once
// The modal windows pages open by title (the build simulator, the rune stone and furniture
// dialogs ...). Each window's subsystem registers its factory once at start-up, in
// registerAllDialogs (kalvix/gui/app/page_widgets.cpp); hosts run them (PageHost::runDialog).

#include <QString>

#include "kalvix/gui/framework/page_host.h"

namespace kalvix::gui {

void registerDialog(const QString& name, DialogFactory factory);
// For a dialog that needs nothing from its host.
void registerDialog(const QString& name, std::function<QDialog*(QWidget* parent)> factory);
// The factory registered for a title, or null.
const DialogFactory* registeredDialog(const QString& name);

}  // namespace kalvix::gui
