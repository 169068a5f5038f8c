#pragma once
// What a page widget gets from the window that hosts it: the page context, the status bar,
// the message presenter, the dialogs it can open, the file chooser, and the desktop's services
// (opening an address, playing a sound). The main window owns one; tests and tools build their own.
// A dialog whose pages open dialogs of their own (the simulator's editors, bound to its build)
// makes a child host: its own dialogs first, everything else from its parent.

#include <QString>
#include <functional>
#include <map>
#include <optional>

#include "kalvix/core/page/page_context.h"
#include "kalvix/gui/framework/message_box.h"
#include "kalvix/gui/framework/picture_provider.h"

class QDialog;
class QWidget;

namespace kalvix::gui {

class PageHost;
class StatusBar;

using DialogFactory = std::function<QDialog*(PageHost& host, QWidget* parent)>;

class PageHost {
  public:
    explicit PageHost(PageContext& context) : context_(context) {}
    explicit PageHost(PageHost& parent) : context_(parent.context_), parent_(&parent) {}
    PageHost(const PageHost&) = delete;
    PageHost& operator=(const PageHost&) = delete;

    PageContext& context() { return context_; }

    // The status bar whose first field shows the pages' short messages; none by default (a
    // child host: its parent's).
    void setStatusBar(StatusBar* bar) { statusBar_ = bar; }
    StatusBar* statusBar() const;
    // Sets field 0 of the status bar, when there is one.
    void showStatus(const QString& text);

    // Message and question boxes; tests install a presenter that answers them.
    MessagePresenter& presenter();
    // Null restores the platform's boxes (a child host: its parent's); the caller keeps
    // ownership.
    void setPresenter(MessagePresenter* presenter) { presenter_ = presenter; }

    // Dialogs by title: this host's factories, then its parent's. The window adds every
    // standard dialog to its host (addStandardDialogs); a test adds what it opens.
    void addDialog(const QString& name, DialogFactory factory);
    // For a dialog that needs nothing from its host.
    void addDialog(const QString& name, std::function<QDialog*(QWidget* parent)> factory);
    // Creates the named dialog (the caller owns it); null when no factory knows the title.
    QDialog* createDialog(const QString& name, QWidget* parent);
    // Creates, runs modally and discards the named dialog; an unknown title is reported
    // (qCritical) and opens nothing.
    void runDialog(const QString& name, QWidget* parent);
    // Runs a dialog modally: dialogRunner, a parent's, or exec().
    void run(QDialog* dialog);
    // How a dialog is run (exec() by default); tests replace it.
    std::function<void(QDialog*)> dialogRunner;

    // A file the player picks to open or save; nullopt when the dialog is cancelled.
    struct FileChoice {
        bool save = false;
        QString filter;         // Qt's form: "Name (*.ext);;…"
        QString defaultSuffix;  // added to a saved name that has none
        QString folder;         // where the dialog opens; empty: the platform's choice
    };
    // fileChooser, a parent's, or the platform's file dialog.
    std::optional<QString> chooseFile(QWidget* parent, const FileChoice& choice);
    // How a file is chosen; tests answer here instead of showing a dialog.
    std::function<std::optional<QString>(QWidget* parent, const FileChoice& choice)> fileChooser;

    // An address handed to the desktop's default browser; tests record it instead.
    void openAddress(const QString& address);
    std::function<void(const QString&)> addressOpener;

    // The pictures pages show (icons, furniture pictures); a child host: its parent's. Without
    // any, pages show none. The caller keeps ownership.
    void setPictures(const PictureProvider* pictures) { pictures_ = pictures; }
    const PictureProvider& pictures() const;

    // A sound a page plays (an alarm): the text says what it warns of. No player, no sound.
    void playSound(const QString& text);
    std::function<void(const QString&)> soundPlayer;

  private:
    PageContext& context_;
    PageHost* parent_ = nullptr;
    StatusBar* statusBar_ = nullptr;
    MessagePresenter platformPresenter_;
    MessagePresenter* presenter_ = nullptr;
    std::map<QString, DialogFactory> dialogs_;
    const PictureProvider* pictures_ = nullptr;
    PictureProvider noPictures_;
};

}  // namespace kalvix::gui
