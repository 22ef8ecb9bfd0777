#include "resizegeometry.h"

#include "picture/imagelimits.h"

#include <algorithm>
#include <cstdint>

namespace pelmora {

std::optional<QSize> scaledToLongerSide(QSize photo, int longerSide) {
    if (photo.width() < 1 || photo.height() < 1 || longerSide < 0)
        return std::nullopt;
    if (longerSide == 0)
        return photo;
    const std::int64_t n = longerSide;
    if (photo.width() > photo.height()) {
        const std::int64_t h = std::max<std::int64_t>(1, n * photo.height() / photo.width());
        return QSize(longerSide, static_cast<int>(h));
    }
    const std::int64_t w = std::max<std::int64_t>(1, n * photo.width() / photo.height());
    return QSize(static_cast<int>(w), longerSide);
}

QSize jpegScaledSize(QSize stored, int eighths) {
    const auto scaled = [eighths](int length) {
        return static_cast<int>((std::int64_t(length) * eighths + 7) / 8);
    };
    return QSize(scaled(stored.width()), scaled(stored.height()));
}

int reductionEighths(QSize stored, int longerSide) {
    if (longerSide <= 0)
        return 8;
    for (int m = 1; m < 8; ++m) {
        const QSize decoded = jpegScaledSize(stored, m);
        const std::int64_t longer = std::max(decoded.width(), decoded.height());
        // libjpeg's 1/8 decode (a plain block average) and its 2/8 and 4/8 ones fold detail finer
        // than they keep back into the picture, where its other scales drop it; only a reduction
        // by half or more afterwards filters that out.
        const bool folds = m == 1 || m == 2 || m == 4;
        if (folds ? longer >= 2 * std::int64_t(longerSide)
                  : 4 * longer >= 5 * std::int64_t(longerSide))
            return m;
    }
    return 8;
}

int decodeEighths(QSize stored, int longerSide) {
    int eighths = reductionEighths(stored, longerSide);
    const auto pixels = [](QSize size) { return std::int64_t(size.width()) * size.height(); };
    while (eighths > 1 && pixels(jpegScaledSize(stored, eighths)) > kMaxDecodePixels)
        --eighths;
    return eighths;
}

} // namespace pelmora
