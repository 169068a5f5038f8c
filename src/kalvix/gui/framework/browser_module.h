#pragma once
// The embedded browser engine lives in a module of its own, "kalvix-browser.so", loaded the
// first time a control shows a web page; a toolbox without it shows addresses as links.

#include <QString>

class QWidget;

namespace kalvix::gui {

// What the module exports under kBrowserFactoryName: a new browser view; navigating is setting
// its "url" property.
using BrowserFactory = QWidget* (*)(QWidget* parent);
inline constexpr const char* kBrowserFactoryName = "kalvixCreateWebView";
inline constexpr const char* kBrowserModuleName = "kalvix-browser.so";

// The module's factory, loaded once: from the program's folder, else from the build tree it
// was built in; null when neither holds a module that loads.
BrowserFactory browserFactory();

}  // namespace kalvix::gui
