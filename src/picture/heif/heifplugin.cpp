#include "heifplugin.h"

#include "heifhandler.h"

namespace pelmora {

QImageIOPlugin::Capabilities HeifImagePlugin::capabilities(QIODevice *device,
                                                           const QByteArray &format) const {
    if (format == "heic" || format == "heif" || format == "avif")
        return CanRead;
    if (!format.isEmpty() || !device || !device->isReadable())
        return {};
    return HeifHandler::canRead(device) ? CanRead : Capabilities();
}

QImageIOHandler *HeifImagePlugin::create(QIODevice *device, const QByteArray &format) const {
    auto *handler = new HeifHandler;
    handler->setDevice(device);
    handler->setFormat(format);
    return handler;
}

} // namespace pelmora
