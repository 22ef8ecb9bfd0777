// The metadata module's entry (see metadatamodule.h).

#include "picture/exiv2metadata.h"
#include "picture/metadatamodule.h"

extern "C" {

__attribute__((visibility("default"))) void
pelmora_carry_photo_metadata(const QByteArray &jpeg, const QByteArray &photo, QSize pixels,
                             pelmora::MetadataPolicy policy, pelmora::CarriedMetadata &out) {
    out = pelmora::carryPhotoMetadata(jpeg, photo, pixels, policy);
}

__attribute__((visibility("default"))) const char *pelmora_metadata_module_version() {
    return PELMORA_VERSION;
}
}
