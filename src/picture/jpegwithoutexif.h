#pragma once

#include <QByteArray>
#include <optional>

namespace pelmora {

// The JPEG's bytes without the APP1 EXIF segments before its first scan, every other byte as it
// was: what is left of a photo's metadata when its EXIF cannot be decoded. Nothing when the bytes
// are no JPEG or carry no EXIF segment.
std::optional<QByteArray> jpegWithoutExif(const QByteArray &jpeg);

} // namespace pelmora
