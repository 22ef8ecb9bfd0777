#pragma once

#include <QByteArray>
#include <optional>

namespace pelmora {

// A JPEG's header taken apart at its EXIF segment.
struct JpegExifSplit {
    QByteArray tiff;        // the first APP1 EXIF segment's TIFF structure; empty when none
    QByteArray otherHeader; // SOI, every other marker segment before the first scan, EOI
};

// Nothing when the bytes are no JPEG. The segments are those JpegMarkerWalker finds before the
// first scan.
std::optional<JpegExifSplit> splitJpegExif(const QByteArray &jpeg);

// The JPEG with an APP1 EXIF segment holding tiff (at most 65526 bytes) inserted where readers
// look for it first: right after SOI, or after a JFIF APP0 segment that follows SOI.
QByteArray withExifSegment(const QByteArray &jpeg, const QByteArray &tiff);

} // namespace pelmora
