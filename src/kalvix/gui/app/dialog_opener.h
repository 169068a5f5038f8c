#pragma once
// The modal windows pages open by name (the build simulator, the rune stone and furniture
// dialogs ...). Each window's subsystem registers its factory; a name without one opens an
// empty dialog with that title.

#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace kalvix::gui {

using DialogFactory = std::function<QDialog*(QWidget* parent)>;

void registerDialog(const QString& name, DialogFactory factory);
// Creates the named dialog (caller owns it); never null.
QDialog* createDialog(const QString& name, QWidget* parent);
// Creates, runs modally and discards the named dialog.
void runDialog(const QString& name, QWidget* parent);
// Tests replace how dialogs are run (the default is exec()).
std::function<void(QDialog*)>& dialogRunner();

}  // namespace kalvix::gui
