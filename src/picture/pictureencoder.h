#pragma once

#include "picture/metadata.h"
#include "picture/pictureformat.h"
#include "result/result.h"

#include <QByteArray>
#include <QImage>

namespace pelmora {

// How a picture is encoded.
struct EncoderSettings {
    // The encoder's own quality, 0..100 (higher: closer to the picture, more bytes): libjpeg's,
    // libwebp's, libheif's for aom or x265; the lossless formats have none. encoderQuality()
    // gives the one that looks like a JPEG quality.
    int quality = 50;
    // How many threads the encoder may keep busy: the photos encoded at once share the cores.
    int threads = 1;
};

// One format's encoder. The picture comes upright, 8 bits a channel: RGB32, or
// ARGB32_Premultiplied when it has transparency that the format keeps.
class PictureEncoder {
public:
    virtual ~PictureEncoder() = default;

    // The picture as the bytes of a whole file of the format, carrying the metadata when the
    // encoder embeds it itself (embedsMetadata()); never throws, never aborts: a picture the
    // encoder cannot take fails with a reason.
    virtual Result<QByteArray> encode(const QImage &picture, const EncoderSettings &settings,
                                      const EmbeddedMetadata &metadata) const = 0;

    // Whether encode() embeds the metadata given; otherwise the metadata module writes it into
    // the encoded file afterwards (JPEG, TIFF), or the format carries none (BMP).
    virtual bool embedsMetadata() const = 0;
};

// The encoder of the format. Its libraries are loaded on the first picture it encodes.
const PictureEncoder &pictureEncoder(PictureFormat format);

// Why a picture could not be encoded in the format: our words, the detail the encoder's.
QString encodingFailure(PictureFormat format, const QString &detail);

} // namespace pelmora
