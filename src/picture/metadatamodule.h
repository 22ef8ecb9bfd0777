#pragma once

#include "picture/metadata.h"

// The metadata module: Exiv2 and everything that carries a photo's metadata, built as a module of
// its own (pelmora-metadata.so) and loaded on the first photo whose metadata is carried. Linked
// into the program, Exiv2 cost every start about 2 million instructions of the dynamic loader's
// (a tenth of `pelmora size photo.jpg`), also of the runs that never resize a photo.

extern "C" {

// The module's one entry: carryPhotoMetadata. Both sides are built together, with one compiler
// and one Qt; the module's version must be the program's. Weak: null in a program that does not
// link the module's code itself (see metadata.cpp).
__attribute__((weak)) void pelmora_carry_photo_metadata(const QByteArray &jpeg,
                                                        const QByteArray &photo, QSize pixels,
                                                        pelmora::MetadataPolicy policy,
                                                        pelmora::CarriedMetadata &out);
const char *pelmora_metadata_module_version();
}
