// Writes a PNG of every tab of the main window, and of every registered extra shot, into the
// folder given as the first argument. Run offscreen (QT_QPA_PLATFORM=offscreen).

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <cstdio>
#include <memory>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/gui/app/kalvix_dlg.h"
#include "kalvix/shots/screenshot_registry.h"

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(folder);
    (void)kalvix::Catalogue::instance();
    kalvix::gui::CKalvixDlg dlg;
    dlg.show();
    QTest::qWait(200);
    int written = 0;
    for (int tab = 0; tab < dlg.tabs()->count(); ++tab) {
        dlg.tabs()->setCurrentIndex(tab);
        QTest::qWait(tab == 10 ? 1500 : 100);
        const QString file =
            folder + QStringLiteral("/tab%1.png").arg(tab, 2, 10, QLatin1Char('0'));
        if (dlg.grab().save(file))
            ++written;
    }
    for (const auto& shot : kalvix::gui::allShots()) {
        std::unique_ptr<QWidget> w(shot.create(dlg.host()));
        if (!w)
            continue;
        w->show();
        QTest::qWait(150);
        if (w->grab().save(folder + QLatin1Char('/') + shot.name + QStringLiteral(".png")))
            ++written;
    }
    std::printf("%d pictures written to %s\n", written, folder.toLocal8Bit().constData());
    return written > 0 ? 0 : 1;
}
