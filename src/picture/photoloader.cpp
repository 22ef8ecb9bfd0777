#include "photoloader.h"

#include "imagesize/imagesize.h"
#include "picture/decodermessages.h"
#include "picture/imagelimits.h"
#include "picture/jpegblockpadding.h"
#include "picture/resizegeometry.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageIOHandler>
#include <QImageReader>

namespace pelmora {

namespace {

QString notAPicture() {
    return QCoreApplication::translate("pelmora", "not a picture that can be read");
}

// A camera's RAW file: the pictures a decoder would find in it are its previews.
Status refuseCameraRaw(const std::optional<ImageHeader> &header) {
    if (!header || header->cameraRaw.isEmpty())
        return {};
    return failure(QCoreApplication::translate(
                       "pelmora", "a camera RAW file (%1): RAW files are not converted")
                       .arg(header->cameraRaw));
}

// Where a rectangle of the stored picture lands once QImageReader has applied the orientation:
// mirror and flip first, then a quarter turn clockwise.
QRectF orientedRect(QRectF rect, QSizeF stored, QImageIOHandler::Transformations turn) {
    if (turn & QImageIOHandler::TransformationMirror)
        rect = QRectF(stored.width() - rect.right(), rect.top(), rect.width(), rect.height());
    if (turn & QImageIOHandler::TransformationFlip)
        rect = QRectF(rect.left(), stored.height() - rect.bottom(), rect.width(), rect.height());
    if (turn & QImageIOHandler::TransformationRotate90)
        rect = QRectF(stored.height() - rect.bottom(), rect.left(), rect.height(), rect.width());
    return rect;
}

// Transparency laid on white, in the picture's own memory where it can be (a whole decode of a
// large picture may take most of the memory a photo's work may have).
QImage opaqueRgb32(QImage image) {
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    if (image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(line[x]);
            const auto onWhite = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
            line[x] =
                qRgb(onWhite(qRed(line[x])), onWhite(qGreen(line[x])), onWhite(qBlue(line[x])));
        }
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

// What a decode takes per pixel of the picture (not asked of a JPEG, whose reader may answer with
// a value no format has when the file is damaged): Qt's picture in the format it reads into, what
// libheif keeps beside it, and the conversion to RGB32 when the format is another.
int decodedBytesPerPixel(const QImageReader &reader) {
    const QImage::Format format = reader.imageFormat();
    const bool rgb32 = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                       format == QImage::Format_ARGB32_Premultiplied;
    // A reader unsure of what it reads may answer any value.
    const bool known = format > QImage::Format_Invalid && format < QImage::NImageFormats;
    const int decoded = known ? (QImage::toPixelFormat(format).bitsPerPixel() + 7) / 8 : 4;
    const bool heif =
        reader.format() == "heic" || reader.format() == "heif" || reader.format() == "avif";
    return decoded + (rgb32 ? 0 : 4) + (heif ? 4 : 0);
}

} // namespace

Result<LoadedPhoto> loadPhotoForResize(const QByteArray &photoBytes, int longerSide,
                                       PictureFormat output) {
    raiseImageAllocationLimit();
    if (Status raw = refuseCameraRaw(imageHeaderOf(photoBytes)); !raw)
        return failure(raw.reason());
    QByteArray bytes = photoBytes; // shared until padded

    // For a JPEG, choose the reduced scale from its frame header, and round its sides up to whole
    // blocks when they are not, so the decoder can deliver exactly that scale.
    const std::optional<JpegFrame> frame = readJpegFrame(bytes);
    int eighths = 8;
    if (frame && !frame->size.isEmpty()) {
        eighths = decodeEighths(frame->size, longerSide);
        if (eighths < 8 && (frame->size.width() % 8 != 0 || frame->size.height() % 8 != 0)) {
            if (std::optional<QByteArray> padded = padJpegToBlocks(bytes))
                bytes = std::move(*padded);
        }
    }

    const DecoderMessages decoderMessages;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (frame) {
        // Spares asking every other image plugin first (and loading each one's libraries).
        reader.setFormat("jpeg");
        reader.setAutoDetectImageFormat(false);
    }
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return failure(notAPicture());
    if (reader.format() == "tiff")
        routeLibtiffMessages();
    const bool isJpeg = reader.format() == "jpeg";
    const QSize declared = reader.size(); // padded when the bytes were padded
    const QSize stored = isJpeg && frame ? frame->size : declared;
    if (stored.isValid() && !isWithinPhotoLimits(stored))
        return failure(stored.isEmpty()
                           ? QCoreApplication::translate("pelmora", "the picture has no pixels")
                           : photoTooLargeReason(stored));
    const QImageIOHandler::Transformations turn = reader.transformation();
    if (stored.isValid()) {
        const bool turned = turn & QImageIOHandler::TransformationRotate90;
        const std::optional<QSize> resized =
            scaledToLongerSide(turned ? stored.transposed() : stored, longerSide);
        if (resized && !isWithinOutputLimits(*resized))
            return failure(outputTooLargeReason(*resized));
        const QSize decoded = isJpeg && frame ? jpegScaledSize(stored, eighths) : stored;
        if (pictureWorkBytes(decoded, (isJpeg ? 4 : decodedBytesPerPixel(reader)),
                             resized.value_or(stored), output) > kLargestPictureWork)
            return failure(pictureTooLargeReason(stored));
    }

    QSize decodeSize = declared;
    QSizeF storedExtent = stored;
    if (isJpeg && frame && eighths < 8 && declared.isValid()) {
        decodeSize = jpegScaledSize(declared, eighths);
        storedExtent = QSizeF(stored) * (eighths / 8.0);
        reader.setScaledSize(decodeSize);
    }

    QImage image = reader.read();
    if (image.isNull())
        return failure(reader.error() == QImageReader::InvalidDataError
                           ? QCoreApplication::translate(
                                 "pelmora", "the picture's data is damaged and cannot be read")
                           : reader.errorString());

    const bool quarterTurn = turn & QImageIOHandler::TransformationRotate90;
    const QSize decodedStored = quarterTurn ? image.size().transposed() : image.size();
    LoadedPhoto photo;
    if (stored.isValid() && decodedStored == decodeSize) {
        photo.photoSize = quarterTurn ? stored.transposed() : stored;
        photo.extent = orientedRect(QRectF(QPointF(0, 0), storedExtent), decodeSize, turn);
    } else { // a reader that could not tell its size beforehand, or decoded another size
        if (!isWithinPhotoLimits(image.size()))
            return failure(QCoreApplication::translate("pelmora", "the picture has no pixels"));
        photo.photoSize = image.size();
        photo.extent = QRectF(QPointF(0, 0), QSizeF(image.size()));
    }
    photo.dataDamaged = decoderMessages.jpegDataDamaged();
    photo.image = keepsTransparency(output) && image.hasAlphaChannel()
                      ? std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied)
                      : opaqueRgb32(std::move(image));
    if (photo.image.isNull())
        return failure(QCoreApplication::translate("pelmora", "not enough memory for the picture"));
    return photo;
}

Status checkPhotoReadable(const QString &path) {
    if (Status raw = refuseCameraRaw(ReadImageSize(path)); !raw)
        return raw;
    if (!QImageReader(path).canRead())
        return failure(notAPicture());
    return {};
}

} // namespace pelmora
