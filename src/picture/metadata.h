#pragma once

#include "result/warning.h"

#include <QByteArray>
#include <QSize>

namespace pelmora {

// What a resized photo carries of the original's EXIF, IPTC and XMP. Its colour profile is carried
// in every case: it belongs to the pixels, not to the story of the photo.
enum class MetadataPolicy {
    // When and with what it was taken, its caption and keywords; no coordinate: neither the
    // EXIF GPS IFD nor any XMP property, of any namespace, named as a GPS value, a latitude, a
    // longitude or an altitude (place names stay).
    WithoutLocation,
    WithLocation, // the same and every coordinate
    Strip,        // none
};

struct CarriedMetadata {
    QByteArray jpeg;   // the whole JPEG file
    Warnings warnings; // what could not be carried over (the JPEG is written without it)
};

// The encoded JPEG with the metadata of the photo file whose bytes it was made from: EXIF, IPTC
// and XMP as the policy says, with the orientation set to upright, the pixel dimensions set to
// `pixels`, the embedded thumbnail left out; and the photo's ICC profile as its own bytes. Never
// fails: metadata that cannot be read or written is left out with a warning, one sentence of
// ours per kind of problem with the library's or the EXIF editor's words as its detail. A damaged
// part costs that part: XMP that repeats a property keeps the first value of each, a broken
// sub-IFD of the EXIF costs that IFD. Any bytes are safe to pass as the photo; safe to call from
// any thread.
CarriedMetadata withPhotoMetadata(const QByteArray &jpeg, const QByteArray &photo, QSize pixels,
                                  MetadataPolicy policy);

} // namespace pelmora
