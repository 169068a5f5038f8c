#include "kalvix/gui/framework/browser_module.h"

#include <QLibrary>
#include <QStringList>

#include "common/program_folder.h"

namespace kalvix::gui {

BrowserFactory browserFactory() {
    static const BrowserFactory factory = []() -> BrowserFactory {
        QStringList places = {QString::fromStdString(common::programFolder()) + QLatin1Char('/') +
                              QLatin1String(kBrowserModuleName)};
#ifdef KALVIX_BROWSER_MODULE_BUILT
        places << QStringLiteral(KALVIX_BROWSER_MODULE_BUILT);  // programs run in the build tree
#endif
        for (const QString& place : places) {
            QLibrary module(place);
            // Kept loaded for the process's life: its views live as long as their pages.
            if (auto f = reinterpret_cast<BrowserFactory>(module.resolve(kBrowserFactoryName)))
                return f;
        }
        return nullptr;
    }();
    return factory;
}

}  // namespace kalvix::gui
