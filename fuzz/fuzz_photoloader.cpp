// libFuzzer target: the photo loader used by the resize, on arbitrary bytes. The first byte is
// the longer side to reduce to (0 keeps the size; small values reach the reduced JPEG decodes of
// the small seed pictures), the rest is the photo file's bytes.

#include "fuzzfile.h"
#include "picture/imagelimits.h"
#include "picture/photoloader.h"

#include <QByteArray>
#include <QImageReader>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzzfile::startApplication();
    // The loader raises Qt's allocation limit to what the largest accepted photo needs; it must
    // stay a limit, never "unlimited".
    pelmora::raiseImageAllocationLimit();
    if (QImageReader::allocationLimit() <= 0)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    const int longerSide = data[0];
    const pelmora::Result<pelmora::LoadedPhoto> result = pelmora::loadPhotoForResize(
        QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)), longerSide);
    if (result) {
        const pelmora::LoadedPhoto &photo = *result;
        if (photo.image.isNull() || photo.photoSize.isEmpty() ||
            !pelmora::isWithinPhotoLimits(photo.photoSize) ||
            !QRectF(photo.image.rect()).contains(photo.extent))
            std::abort();
    } else if (result.reason().isEmpty()) {
        std::abort(); // a refusal always says why
    }
    return 0;
}
