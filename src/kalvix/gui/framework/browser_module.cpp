#include "kalvix/gui/framework/browser_module.h"

#include <QLibrary>
#include <QStringList>

#include "common/program_folder.h"

namespace kalvix::gui {

BrowserFactory browserFactory() {
    static const BrowserFactory factory = []() -> BrowserFactory {
        // Beside the program (an installed folder), or in lib/kalvix/ of a system prefix.
        const QString folder = QString::fromStdString(common::programFolder());
        const QString name = QLatin1String(kBrowserModuleName);
        QStringList places = {folder + QLatin1Char('/') + name,
                              folder + QStringLiteral("/../lib/kalvix/") + name};
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
