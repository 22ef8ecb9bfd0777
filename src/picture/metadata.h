#pragma once

#include "picture/pictureformat.h"
#include "result/result.h"
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

// The photo's metadata as an encoder embeds it beside the pixels; each part empty when there is
// none.
struct EmbeddedMetadata {
    QByteArray exif; // a TIFF structure ("II*\0" or "MM\0*" first)
    QByteArray xmp;  // an XMP packet
    QByteArray icc;  // an ICC profile
};

// What the metadata is carried into.
struct MetadataRequest {
    PictureFormat format = PictureFormat::Jpeg;
    QByteArray picture; // JPEG and TIFF: the encoded picture, which the metadata is written into
    QByteArray photo;   // the original photo file's bytes
    QSize pixels;       // the resized picture's size
    MetadataPolicy policy = MetadataPolicy::WithoutLocation;
};

struct CarriedMetadata {
    // JPEG and TIFF: the whole file with the metadata written in; the picture as given when it
    // could not be written (see warnings). Other formats: as given.
    QByteArray picture;
    // WebP, AVIF, HEIC and PNG: the parts their encoders embed. IPTC has no place in those
    // formats: its caption, keywords and the like go into the XMP where the XMP lacks them.
    EmbeddedMetadata embedded;
    Warnings warnings; // what could not be carried over
};

// The metadata of the photo file whose bytes the picture was made from, for the format: EXIF,
// IPTC and XMP as the policy says, with the orientation set to upright, the pixel dimensions set
// to `pixels`, the embedded thumbnail left out; and the photo's ICC profile as its own bytes.
// BMP carries none. Never fails: metadata that cannot be read or written is left out with a
// warning, one sentence of ours per kind of problem with the library's or the EXIF editor's words
// as its detail. A damaged part costs that part: XMP that repeats a property keeps the first value
// of each, a broken sub-IFD of the EXIF costs that IFD, an EXIF entry whose value lies outside the
// EXIF costs that entry. Any bytes are safe to pass as the photo; safe to call from any thread.
CarriedMetadata withPhotoMetadata(const MetadataRequest &request);

// Whether the metadata module can be loaded (it is loaded then); otherwise why not. A conversion
// that would carry metadata asks first, so that no photo loses it.
Status metadataModuleReady();

} // namespace pelmora
