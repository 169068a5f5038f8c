// kalvix-icon: writes the toolbox's icon as PNG files of the desktop's icon theme layout,
// OUTDIR/<n>x<n>/apps/kalvix.png, for the desktop menu.

#include <QDir>
#include <QString>
#include <cstdio>

#include "kalvix/gui/app/app_icon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kalvix-icon OUTDIR\n");
        return 2;
    }
    // Painting into images needs neither a display nor an application object.
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        const QString file = folder + QStringLiteral("/kalvix.png");
        if (!QDir().mkpath(folder) || !kalvix::gui::applicationIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "kalvix-icon: cannot write %s\n", file.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
