// libFuzzer target: the photo loader used by the resize and the metadata carried into the resized
// JPEG (or made ready for the encoders that embed it), on arbitrary bytes. The first byte is the
// longer side to reduce to (0 keeps the size; small values reach the reduced JPEG decodes of the
// small seed pictures), the rest is the photo file's bytes.

#include "fuzzfile.h"
#include "picture/imagelimits.h"
#include "picture/jpegwriter.h"
#include "picture/metadata.h"
#include "picture/photoloader.h"

#include <QByteArray>
#include <QImage>
#include <QImageReader>

namespace {

// The JPEG the photo's metadata is written into, as the resize would have encoded it, and its
// picture data from the start of scan on, which no metadata may touch.
QByteArray encodedPicture;
QByteArray encodedScan;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzzfile::startApplication();
    // The loader raises Qt's allocation limit to what the largest accepted photo needs; it must
    // stay a limit, never "unlimited".
    pelmora::raiseImageAllocationLimit();
    if (QImageReader::allocationLimit() <= 0)
        std::abort();
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    const pelmora::Result<QByteArray> jpeg = pelmora::encodeJpeg(picture, 50);
    if (!jpeg)
        std::abort();
    encodedPicture = *jpeg;
    encodedScan = encodedPicture.sliced(encodedPicture.indexOf("\xFF\xDA"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    const int longerSide = data[0];
    const QByteArray photo(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const pelmora::Result<pelmora::LoadedPhoto> result =
        pelmora::loadPhotoForResize(photo, longerSide);
    if (result) {
        const pelmora::LoadedPhoto &loaded = *result;
        if (loaded.image.isNull() || loaded.photoSize.isEmpty() ||
            !pelmora::isWithinPhotoLimits(loaded.photoSize) ||
            !QRectF(loaded.image.rect()).contains(loaded.extent))
            std::abort();
    } else if (result.reason().isEmpty()) {
        std::abort(); // a refusal always says why
    }

    // Whatever the photo's metadata, the picture is written whole; for the formats whose
    // encoders embed it, the parts are made without touching any picture.
    const pelmora::MetadataPolicy policy = longerSide % 2
                                               ? pelmora::MetadataPolicy::WithLocation
                                               : pelmora::MetadataPolicy::WithoutLocation;
    const bool embedded = longerSide / 2 % 2;
    const pelmora::CarriedMetadata carried = pelmora::withPhotoMetadata(
        {embedded ? pelmora::PictureFormat::WebP : pelmora::PictureFormat::Jpeg,
         embedded ? QByteArray() : encodedPicture, photo, QSize(8, 6), policy});
    if (embedded
            ? !carried.picture.isEmpty()
            : !carried.picture.startsWith("\xFF\xD8") || !carried.picture.endsWith(encodedScan))
        std::abort();
    return 0;
}
