#include "heifplugin.h"

#include "heifhandler.h"

namespace pelmora {

QImageIOPlugin::Capabilities HeifImagePlugin::capabilities(QIODevice *device,
                                                           const QByteArray &format) const {
    const bool named = format == "heic" || format == "heif" || format == "avif";
    if (!device)
        return named ? CanRead : Capabilities();
    // A photo named .heic may hold a JPEG (and the other way round): with a device, the bytes
    // decide, so QImageReader goes on to the plugin that reads them.
    if ((!named && !format.isEmpty()) || !device->isReadable())
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
