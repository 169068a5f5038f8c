// The embedded browser engine, as a module the toolbox loads the first time a page needs it
// (gui/framework/browser_module.h): linked into the toolbox, the engine made every start wait
// for its loader, though only 关于 and one quiz window show a web page.

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>

namespace QtWebEngineCore {
// The engine's own set-up (the OpenGL context its views share). It runs by itself only when
// the engine is loaded before the application object exists; loaded later, as here, the first
// view would find no shared context. It does nothing once it has run.
Q_DECL_IMPORT void initialize();
}  // namespace QtWebEngineCore

namespace {

// Offline or with the portal gone, the engine's own error page would greet a player in English.
QString unreachablePage(const QUrl& address) {
    return QStringLiteral(
               "<html><head><title>无法打开此页面</title></head>"
               "<body style=\"font-family: sans-serif; margin: 24px;\">"
               "<p><b>无法打开此页面</b></p><p>%1</p>"
               "<p>请检查网络连接，稍后再试。</p></body></html>")
        .arg(address.toDisplayString().toHtmlEscaped());
}

// The engine's context menus (返回, 复制 ...) in Chinese, as Qt's own texts are from the start.
void installEngineTranslation() {
    static bool installed = false;
    if (installed || !QCoreApplication::instance())
        return;
    installed = true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(
            QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China),
            QStringLiteral("qtwebengine"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace

extern "C" Q_DECL_EXPORT QWidget* kalvixCreateWebView(QWidget* parent) {
    QtWebEngineCore::initialize();
    installEngineTranslation();
    auto* view = new QWebEngineView(parent);
    // Only a load that failed, of the address the view still shows: the first visit of 关于
    // loads the page twice in a row, and the first load, cut short by the second, must not
    // put the error page over a page that arrives.
    QObject::connect(view->page(), &QWebEnginePage::loadingChanged, view,
                     [view](const QWebEngineLoadingInfo& load) {
                         constexpr int kAborted = -3;  // the network stack's "aborted"
                         if (load.status() != QWebEngineLoadingInfo::LoadFailedStatus ||
                             load.errorCode() == kAborted || load.url() != view->url() ||
                             load.url().scheme() == QLatin1String("data"))
                             return;
                         view->setHtml(unreachablePage(load.url()));
                     });
    return view;
}
