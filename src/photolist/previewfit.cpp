#include "previewfit.h"

#include <cmath>

namespace pelmora {

QRect fitPreview(QSize picture, QSize frame) {
    const double w = picture.width();
    const double h = picture.height();
    double scale = 0.0;
    if (w > h)
        scale = frame.width() / w;
    else if (h > 0)
        scale = frame.height() / h;
    const double fitW = w * scale;
    const double fitH = h * scale;
    const double left = (frame.width() - fitW) / 2.0;
    const double top = (frame.height() - fitH) / 2.0;
    return QRect(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)),
                 static_cast<int>(std::lround(fitW)), static_cast<int>(std::lround(fitH)));
}

} // namespace pelmora
