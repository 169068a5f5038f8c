// Starts the toolbox as main() does and quits at the first turn of the event loop, when its
// main window has been shown.

#include <QApplication>
#include <QTimer>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/gui/app/kalvix_dlg.h"

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    (void)kalvix::Catalogue::instance();
    kalvix::gui::CKalvixDlg dlg;
    dlg.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
