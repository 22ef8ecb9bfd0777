#include "imagesize.h"

namespace pelmora {

std::optional<ImageHeader> ReadImageSize(const QString &path)
{
    Q_UNUSED(path);
    return std::nullopt; // placeholder until the header reader lands
}

QString sizeDisplayText(const std::optional<ImageHeader> &header)
{
    if (!header)
        return QStringLiteral("Error");
    return QStringLiteral("ImageSze Width: %1  Height: %2")
        .arg(header->size.Width)
        .arg(header->size.Height);
}

} // namespace pelmora
