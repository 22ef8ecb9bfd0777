// libFuzzer target: the photo loader used by the resize, on arbitrary bytes. The first byte is
// the longer side to reduce to (0 keeps the size; small values reach the reduced JPEG decodes of
// the small seed pictures), the rest is the file.

#include "convert/imagelimits.h"
#include "convert/photoloader.h"
#include "fuzzfile.h"

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
    const pelmora::PhotoLoadResult result =
        pelmora::loadPhotoForResize(fuzzfile::write(data + 1, size - 1), longerSide);
    if (result.photo) {
        const pelmora::LoadedPhoto &photo = *result.photo;
        if (photo.image.isNull() || photo.photoSize.isEmpty() ||
            !pelmora::isWithinPhotoLimits(photo.photoSize) ||
            !QRectF(photo.image.rect()).contains(photo.extent))
            std::abort();
    } else if (result.error.isEmpty()) {
        std::abort(); // a refusal always says why
    }
    return 0;
}
