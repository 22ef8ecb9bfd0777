// The metadata module's entries (see metadatamodule.h).

#include "picture/exiv2metadata.h"
#include "picture/metadatamodule.h"

extern "C" {

__attribute__((visibility("default"))) void
pelmora_carry_photo_metadata(const pelmora::MetadataRequest &request,
                             pelmora::CarriedMetadata &out) {
    out = pelmora::carryPhotoMetadata(request);
}

__attribute__((visibility("default"))) std::uint64_t pelmora_metadata_interface_version() {
    return pelmora::metadataInterfaceVersion();
}
}
