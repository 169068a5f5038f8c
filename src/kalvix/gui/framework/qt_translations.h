#pragma once
// Qt's own texts (the standard buttons of message boxes, the context menus of fields, the file
// dialogs) in the interface's language, whatever the desktop's locale: the toolbox speaks
// Chinese only, and 确定 beside an English "Cancel" reads as a fault.

class QCoreApplication;

namespace kalvix::gui {

// Loads Qt's Simplified Chinese translations from Qt's translations folder (Debian's
// qt6-translations-l10n) into the application. False when they are not installed.
bool installQtTranslations(QCoreApplication& app);

}  // namespace kalvix::gui
