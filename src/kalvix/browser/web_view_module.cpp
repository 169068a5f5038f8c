// The embedded browser engine, as a module the toolbox loads the first time a page needs it
// (gui/framework/browser_module.h): linked into the toolbox, the engine made every start wait
// for its loader, though only 关于 and one quiz window show a web page.

#include <QWebEngineView>
#include <QWidget>

namespace QtWebEngineCore {
// The engine's own set-up (the OpenGL context its views share). It runs by itself only when
// the engine is loaded before the application object exists; loaded later, as here, the first
// view would find no shared context. It does nothing once it has run.
Q_DECL_IMPORT void initialize();
}  // namespace QtWebEngineCore

extern "C" Q_DECL_EXPORT QWidget* kalvixCreateWebView(QWidget* parent) {
    QtWebEngineCore::initialize();
    return new QWebEngineView(parent);
}
