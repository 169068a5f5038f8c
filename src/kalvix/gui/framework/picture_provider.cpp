#include "kalvix/gui/framework/picture_provider.h"

#include <QPixmap>

namespace kalvix::gui {

void PictureProvider::addSource(PictureKind kind, Source source) {
    if (!source)
        return;
    sources_.emplace_back(kind, std::move(source));
    cache_.clear();  // a new source may answer numbers that were missing before
}

QImage PictureProvider::image(PictureKind kind, std::int32_t resource) const {
    const auto key = std::make_pair(kind, resource);
    if (const auto it = cache_.find(key); it != cache_.end())
        return it->second;
    QImage found;
    for (const auto& [sourceKind, source] : sources_) {
        if (sourceKind != kind)
            continue;
        found = source(resource);
        if (!found.isNull())
            break;
    }
    cache_.emplace(key, found);
    return found;
}

QIcon PictureProvider::icon(std::int32_t resource) const {
    const QImage picture = image(PictureKind::Icon, resource);
    return picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture));
}

}  // namespace kalvix::gui
