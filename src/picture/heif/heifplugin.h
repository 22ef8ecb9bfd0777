#pragma once

#include <QImageIOPlugin>

namespace pelmora {

// Offers HeifHandler to QImageReader for the formats "heic", "heif" and "avif", and for any
// device whose first bytes name a HEIC or AVIF picture. Reads only.
class HeifImagePlugin : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "heif.json")

public:
    Capabilities capabilities(QIODevice *device, const QByteArray &format) const override;
    QImageIOHandler *create(QIODevice *device, const QByteArray &format) const override;
};

} // namespace pelmora
