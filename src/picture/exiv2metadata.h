#pragma once

#include "picture/metadata.h"

namespace pelmora {

// withPhotoMetadata as Exiv2 and the EXIF editor do it: the code of the metadata module
// (metadatamodule.h), which links Exiv2.
CarriedMetadata carryPhotoMetadata(const MetadataRequest &request);

} // namespace pelmora
