#include "imagelimits.h"

#include "picture/jpegwriter.h"
#include "picture/resizegeometry.h"

#include <QCoreApplication>
#include <QImageReader>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace pelmora {

bool isWithinPhotoLimits(QSize declared) {
    return declared.width() > 0 && declared.height() > 0 &&
           qint64(declared.width()) * declared.height() <= kMaxPhotoPixels;
}

QString photoTooLargeReason(QSize declared) {
    return QCoreApplication::translate("pelmora", "the picture is too large (%1 x %2)")
        .arg(declared.width())
        .arg(declared.height());
}

bool isWithinOutputLimits(QSize output) {
    return qint64(output.width()) * output.height() <= kMaxOutputPixels;
}

QString outputTooLargeReason(QSize output) {
    return QCoreApplication::translate(
               "pelmora", "the resized photo would be %1 x %2 pixels, more than %3 megapixels")
        .arg(output.width())
        .arg(output.height())
        .arg(kMaxOutputPixels / 1'000'000);
}

namespace {

// What an encoder keeps beside the resized picture, per pixel of it, measured as the peak
// resident memory of encoding pictures of 1 and 4 megapixels (libheif's copy of the picture in
// RGB and in YUV included): aom took 22 bytes a pixel, x265 with preset medium 19;
// libwebp keeps its own YUV picture and the scores of its analysis.
int encoderBytesPerPixel(PictureFormat format) {
    switch (format) {
    case PictureFormat::Avif:
    case PictureFormat::Heic:
        return 24;
    case PictureFormat::WebP:
        return 12;
    case PictureFormat::Tiff: // Exiv2 copies the file to write the metadata into it
        return 8;
    case PictureFormat::Png:
    case PictureFormat::Bmp:
        return 4;
    case PictureFormat::Jpeg:
        break;
    }
    return 0;
}

} // namespace

qint64 pictureWorkBytes(QSize decoded, int bytesPerPixel, QSize output, PictureFormat format) {
    const auto pixels = [](QSize size) { return qint64(size.width()) * size.height(); };
    constexpr qint64 encoderAndSlack = 32LL * 1024 * 1024;
    // The resized picture (4 bytes a pixel) and its JPEG beside it, which a copy with the
    // metadata carried over may double; the encoder's coefficients where it optimises its tables.
    const int outputBytesPerPixel = pixels(output) <= kLargestOptimizedJpegPixels ? 8 : 5;
    return pixels(decoded) * bytesPerPixel +
           pixels(output) * (outputBytesPerPixel + encoderBytesPerPixel(format)) + encoderAndSlack;
}

qint64 pictureWorkFromHeader(QSize stored, const QString &headerFormat, int longerSide,
                             PictureFormat format) {
    const bool jpeg = headerFormat == u"jpg";
    const QSize decoded = jpeg ? jpegScaledSize(stored, decodeEighths(stored, longerSide)) : stored;
    // libheif keeps its own planes beside the picture; other whole decodes may need a conversion.
    const bool heif = headerFormat == u"heic" || headerFormat == u"avif";
    const int bytesPerPixel = jpeg ? 4 : heif ? 8 : 5;
    return pictureWorkBytes(decoded, bytesPerPixel,
                            scaledToLongerSide(stored, longerSide).value_or(stored), format);
}

QString pictureTooLargeReason(QSize stored) {
    return QCoreApplication::translate(
               "pelmora", "the picture is too large (%1 x %2) to convert within %3 MB of memory")
        .arg(stored.width())
        .arg(stored.height())
        .arg(kLargestPictureWork / (1024 * 1024));
}

Status checkSizeFromHeader(QSize stored, const QString &headerFormat, int longerSide) {
    if (stored.isEmpty())
        return {};
    if (!isWithinPhotoLimits(stored))
        return failure(photoTooLargeReason(stored));
    const QSize output = scaledToLongerSide(stored, longerSide).value_or(stored);
    if (!isWithinOutputLimits(output))
        return failure(outputTooLargeReason(output));
    const QSize decoded =
        headerFormat == u"jpg" ? jpegScaledSize(stored, decodeEighths(stored, longerSide)) : stored;
    constexpr int leastBytesPerPixel = 4; // a decode straight into RGB32
    if (pictureWorkBytes(decoded, leastBytesPerPixel, output) > kLargestPictureWork)
        return failure(pictureTooLargeReason(stored));
    return {};
}

void raiseImageAllocationLimit() {
    static const bool raised = [] {
        constexpr int megabytes = int(kMaxPhotoPixels * 4 / (1024 * 1024)) + 64;
        const int current = QImageReader::allocationLimit();
        if (current != 0 && current < megabytes) // 0 means no limit: leave it
            QImageReader::setAllocationLimit(megabytes);
        return true;
    }();
    Q_UNUSED(raised);
}

void keepPhotoBuffersForReuse() {
#if defined(__GLIBC__)
    constexpr int largestReused = 64 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, largestReused);
    mallopt(M_TRIM_THRESHOLD, 2 * largestReused);
#endif
}

} // namespace pelmora
