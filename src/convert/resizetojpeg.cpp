#include "resizetojpeg.h"

#include <QCoreApplication>

namespace pelmora {

ResizeResult ResizeToJpeg(const QString &path, const ResizeSettings &settings)
{
    Q_UNUSED(path);
    Q_UNUSED(settings);
    return ResizeResult{false, QStringLiteral("not implemented"), {}}; // placeholder
}

} // namespace pelmora
