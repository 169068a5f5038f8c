#pragma once
// What a page widget gets from the window that hosts it: the page context, the status bar,
// the message presenter, the dialogs it can open, and the desktop's services (opening an
// address, playing a sound). The main window owns one; tests and tools build their own.

#include <QString>
#include <functional>
#include <map>

#include "kalvix/core/page/page_context.h"
#include "kalvix/gui/framework/message_box.h"

class QDialog;
class QWidget;

namespace kalvix::gui {

class PageHost;
class StatusBar;

using DialogFactory = std::function<QDialog*(PageHost& host, QWidget* parent)>;

class PageHost {
  public:
    explicit PageHost(PageContext& context) : context_(context) {}
    PageHost(const PageHost&) = delete;
    PageHost& operator=(const PageHost&) = delete;

    PageContext& context() { return context_; }

    // The status bar whose first field shows the pages' short messages; none by default.
    void setStatusBar(StatusBar* bar) { statusBar_ = bar; }
    StatusBar* statusBar() const { return statusBar_; }
    // Sets field 0 of the status bar, when there is one.
    void showStatus(const QString& text);

    // Message and question boxes; tests install a presenter that answers them.
    MessagePresenter& presenter() { return *presenter_; }
    // Null restores the platform's boxes; the caller keeps ownership.
    void setPresenter(MessagePresenter* presenter);

    // Dialogs by title: a host's own factories first, then the ones every host knows
    // (registerDialog); a title without a factory opens an empty dialog with that title.
    void addDialog(const QString& name, DialogFactory factory);
    // Creates the named dialog (the caller owns it); never null.
    QDialog* createDialog(const QString& name, QWidget* parent);
    // Creates, runs modally and discards the named dialog.
    void runDialog(const QString& name, QWidget* parent);
    // How a dialog is run (exec() by default); tests replace it.
    std::function<void(QDialog*)> dialogRunner;

    // An address handed to the desktop's default browser; tests record it instead.
    void openAddress(const QString& address);
    std::function<void(const QString&)> addressOpener;

    // A sound a page plays (an alarm): the text says what it warns of. No player, no sound.
    void playSound(const QString& text);
    std::function<void(const QString&)> soundPlayer;

  private:
    PageContext& context_;
    StatusBar* statusBar_ = nullptr;
    MessagePresenter platformPresenter_;
    MessagePresenter* presenter_ = &platformPresenter_;
    std::map<QString, DialogFactory> dialogs_;
};

}  // namespace kalvix::gui
