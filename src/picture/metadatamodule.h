#pragma once

#include "picture/metadata.h"

#include <QtGlobal>
#include <cstdint>

// The metadata module: Exiv2 and everything that carries a photo's metadata, built as a module of
// its own (pelmora-metadata.so) and loaded on the first conversion that carries metadata. Linked
// into the program, Exiv2 cost every start about 2 million instructions of the dynamic loader's
// (a tenth of `pelmora size photo.jpg`), also of the runs that never resize a photo.

namespace pelmora {

// The version of the interface between the program and the module: the program loads only a
// module of its own version. It follows the layout of every type that crosses (their sizes and
// alignments, and Qt's major and minor version, whose containers they hold) by itself; raise
// kMetadataInterfaceRevision by hand when a crossing type changes in a way its size does not show
// (members reordered, a meaning changed) or the entry's parameters change.
inline constexpr std::uint32_t kMetadataInterfaceRevision = 2;

constexpr std::uint64_t metadataInterfaceVersion() {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a over the layout
    for (const std::uint64_t part :
         {std::uint64_t(kMetadataInterfaceRevision), std::uint64_t(QT_VERSION_MAJOR),
          std::uint64_t(QT_VERSION_MINOR), sizeof(MetadataRequest), alignof(MetadataRequest),
          sizeof(CarriedMetadata), alignof(CarriedMetadata), sizeof(EmbeddedMetadata),
          sizeof(Warning), sizeof(Warnings), sizeof(QByteArray), sizeof(QString), sizeof(QSize),
          sizeof(PictureFormat), sizeof(MetadataPolicy)})
        hash = (hash ^ part) * 1099511628211ull;
    return hash;
}

} // namespace pelmora

extern "C" {

// The module's entries: carryPhotoMetadata, and the version of the interface the module was built
// with (see metadataInterfaceVersion). Weak: null in a program that does not link the module's code
// itself (see metadata.cpp).
__attribute__((weak)) void pelmora_carry_photo_metadata(const pelmora::MetadataRequest &request,
                                                        pelmora::CarriedMetadata &out);
__attribute__((weak)) std::uint64_t pelmora_metadata_interface_version();
}
