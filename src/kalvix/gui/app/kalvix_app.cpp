#include "kalvix/gui/app/kalvix_app.h"

#include <unistd.h>

#include <QApplication>
#include <QTimer>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/gui/app/kalvix_dlg.h"

namespace kalvix::gui {

int CKalvixApp::run(int argc, char** argv) {
#ifdef KALVIX_HAVE_WEBENGINE
    // The embedded browser will not start its sandbox for root, and that would end the whole
    // toolbox: for root the browser runs without it.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZentrixQorvane"));
    // Lets the desktop match the window to the installed menu entry kalvix.desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("kalvix"));
    // The catalogue is complete before any window exists.
    (void)Catalogue::instance();
    CKalvixDlg dlg;
    dlg.show();
    // kalvix FILE.PSF (a build file opened from the desktop): the simulator with that build.
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 2 && args[1].endsWith(QStringLiteral(".psf"), Qt::CaseInsensitive)) {
        const QString path = args[1];
        QTimer::singleShot(0, &dlg, [&dlg, path] { dlg.openBuildFile(path); });
    }
    return app.exec();
}

}  // namespace kalvix::gui
