#pragma once

#include "result/warning.h"

#include <QByteArray>
#include <QSize>

namespace pelmora {

// What a resized photo carries of the original's EXIF, IPTC and XMP. Its colour profile is carried
// in every case: it belongs to the pixels, not to the story of the photo.
enum class MetadataPolicy {
    WithoutLocation, // when and with what it was taken, its caption and keywords; no GPS
    WithLocation,    // the same and the GPS position
    Strip,           // none
};

struct CarriedMetadata {
    QByteArray jpeg;   // the whole JPEG file
    Warnings warnings; // what could not be carried over (the JPEG is written without it)
};

// The encoded JPEG with the metadata of the photo file whose bytes it was made from: EXIF, IPTC
// and XMP as the policy says, with the orientation set to upright, the pixel dimensions set to
// `pixels`, the embedded thumbnail left out; and the photo's ICC profile as its own bytes. Never
// fails: metadata that cannot be read or written is left out with a warning. Any bytes are safe
// to pass as the photo; safe to call from any thread.
CarriedMetadata withPhotoMetadata(const QByteArray &jpeg, const QByteArray &photo, QSize pixels,
                                  MetadataPolicy policy);

} // namespace pelmora
