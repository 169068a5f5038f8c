#pragma once
// The wizard's own pictures, drawn at run time: the side watermark, the header banner, the
// state icons of the file lists, and the font of its buttons.

#include <QFont>
#include <QPixmap>

namespace upvarro::gui {

QPixmap generatedWatermark();
QPixmap generatedBanner();
// 18 x 18, one per download state (0 waiting ... 5 not to be downloaded).
QPixmap stateIcon(int state);

// 宋体 at height 12, normal weight; a CJK serif font stands in where 宋体 is not installed.
QFont wizardFont();

// The picture file named by the configuration, relative to the installation folder, or the
// generated picture when the file cannot be loaded or lies outside the installation.
QPixmap loadPicture(const QString& installationFolder, const QString& relativePath,
                    const QPixmap& fallback);

}  // namespace upvarro::gui
