#include "kalvix/gui/app/kalvix_app.h"

#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "kalvix/build_config.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/gui/app/kalvix_dlg.h"
#include "kalvix/gui/framework/qt_translations.h"

namespace kalvix::gui {
namespace {

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "梦幻西游实用工具箱: calculators, a build simulator, guides, a trade clock and a quiz "
        "answer finder."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE.PSF"),
                                 QStringLiteral("A build file to open in 人物模拟加点系统."),
                                 QStringLiteral("[FILE.PSF]"));
}

QStringList arguments(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

// --help and --version print and end before anything needs a display.
bool asksForHelpOrVersion(const QStringList& args) {
    for (qsizetype i = 1; i < args.size() && args[i] != QLatin1String("--"); ++i)
        for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (args[i] == QLatin1String(option))
                return true;
    return false;
}

}  // namespace

int CKalvixApp::run(int argc, char** argv) {
    if (asksForHelpOrVersion(arguments(argc, argv))) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("kalvix"));
        QCoreApplication::setApplicationVersion(QString::fromUtf8(config::kVersion));
        QCommandLineParser parser;
        describe(parser);
        parser.process(core);  // prints and exits
        return 0;
    }
#ifdef KALVIX_HAVE_WEBENGINE
    // The embedded browser will not start its sandbox for root, and that would end the whole
    // toolbox: for root the browser runs without it.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZentrixQorvane"));
    QApplication::setApplicationVersion(QString::fromUtf8(config::kVersion));
    // Lets the desktop match the window to the installed menu entry kalvix.desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("kalvix"));
    installQtTranslations(app);
    // Qt's own options (-style, -platform ...) are gone from arguments() by now. The updater's
    // restart, argv = {"DONT_RUN_UPVARRO"}, has no argument at all.
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "kalvix: %s (see kalvix --help)\n", qPrintable(parser.errorText()));
        return 2;
    }
    // The catalogue is complete before any window exists.
    (void)Catalogue::instance();
    CKalvixDlg dlg;
    dlg.show();
    // kalvix FILE.PSF (a build file opened from the desktop): the simulator with that build.
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty() && files[0].endsWith(QStringLiteral(".psf"), Qt::CaseInsensitive)) {
        const QString path = files[0];
        QTimer::singleShot(0, &dlg, [&dlg, path] { dlg.openBuildFile(path); });
    }
    return app.exec();
}

}  // namespace kalvix::gui
