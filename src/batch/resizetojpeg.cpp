#include "resizetojpeg.h"

#include "picture/resizedjpeg.h"

#include <QCoreApplication>
#include <QFile>

namespace pelmora {

Result<ResizedPhoto> ResizeToJpeg(const QString &path, const ResizeSettings &settings,
                                  Durability durability) {
    const Result<ResizeOptions> options = resizeOptions(settings);
    if (!options)
        return failure(options.reason());

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(file.errorString());
    const QByteArray photo = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(file.errorString());
    file.close();

    const Result<ResizedJpeg> resized = resizeToJpegBytes(photo, *options);
    if (!resized)
        return failure(resized.reason());

    ReplacingFile out(path);
    if (Status opened = out.open(); !opened)
        return failure(opened.reason());
    if (out.device()->write(resized->bytes) != resized->bytes.size())
        return failure(QCoreApplication::translate("pelmora", "cannot write %1: %2")
                           .arg(path, out.device()->errorString()));
    if (Status committed = out.commit(durability); !committed)
        return failure(committed.reason());
    return ResizedPhoto{resized->size, resized->warnings};
}

} // namespace pelmora
