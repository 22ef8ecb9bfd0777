#pragma once

#include "result/result.h"

#include <QString>

namespace pelmora {

// The formats a resized photo is written in.
enum class PictureFormat {
    Jpeg,
    WebP,
    Avif,
    Heic, // HEVC in a HEIF file
    Png,  // lossless, 8 bits a channel
    Tiff,
    Bmp,
};

// The format of a resized photo, by the extension of the name it receives (letter case aside):
// jpg, jpeg, jpe, jfif: JPEG; webp; avif; heic, heif; png; tif, tiff; bmp. An extension that
// names a picture format we do not write (gif, jxl, jp2, a camera's RAW format, ...) fails with a
// reason that names the formats we write; any other extension, or none, gives JPEG. The name may
// come with its folder.
Result<PictureFormat> pictureFormatForName(const QString &path);

// The format's name as users know it: "JPEG", "WebP", "AVIF", "HEIC", "PNG", "TIFF", "BMP".
QString pictureFormatName(PictureFormat format);

// Whether the format keeps a photo's transparency; JPEG and BMP lay it on white.
bool keepsTransparency(PictureFormat format);

} // namespace pelmora
