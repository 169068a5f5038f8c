// The embedded browser engine, as a module the toolbox loads the first time a page needs it
// (gui/framework/browser_module.h): linked into the toolbox, the engine made every start wait
// for its loader, though only 关于 and one quiz window show a web page.

#include <QWebEngineView>
#include <QWidget>

extern "C" Q_DECL_EXPORT QWidget* kalvixCreateWebView(QWidget* parent) {
    return new QWebEngineView(parent);
}
