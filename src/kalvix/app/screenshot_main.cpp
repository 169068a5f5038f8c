// Writes a PNG of every tab of the main window, and of every registered extra shot, into the
// folder given as the first argument. Run offscreen (QT_QPA_PLATFORM=offscreen).

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QPixmap>
#include <QStyleFactory>
#include <QTest>
#include <QWidget>
#include <cstdio>
#include <memory>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/gui/app/kalvix_dlg.h"
#include "kalvix/gui/framework/qt_translations.h"
#include "kalvix/shots/screenshot_registry.h"

namespace {

// A dark desktop theme, as Fusion's users set one: what a page hard-codes shows against it.
void useDarkPalette() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p;
    const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Link, QColor(42, 130, 218));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    QApplication::setPalette(p);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    kalvix::gui::installQtTranslations(app);
    if (qEnvironmentVariable("KALVIX_SCREENSHOT_THEME") == QLatin1String("dark"))
        useDarkPalette();
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
