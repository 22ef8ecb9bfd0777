#pragma once

#include <QByteArray>
#include <optional>

namespace pelmora {

// The most TIFF bytes one APP1 EXIF segment holds: its length field counts itself, the
// "Exif\0\0" identifier and the TIFF structure, and is 16 bits.
inline constexpr qsizetype kMaxExifSegmentTiff = 0xFFFF - 2 - 6;

// A JPEG's header taken apart at its EXIF segment.
struct JpegExifSplit {
    // The first APP1 EXIF segment's TIFF structure, with what the APP1 segments right after it
    // carry of it (an EXIF too large for one segment continues in the next ones, each starting
    // with the identifier but no TIFF header); empty when none.
    QByteArray tiff;
    QByteArray otherHeader; // SOI, every other marker segment before the first scan, EOI
};

// Nothing when the bytes are no JPEG. The segments are those JpegMarkerWalker finds before the
// first scan.
std::optional<JpegExifSplit> splitJpegExif(const QByteArray &jpeg);

// The JPEG with an APP1 EXIF segment holding tiff (at most kMaxExifSegmentTiff bytes) inserted
// where readers look for it first: right after SOI, or after a JFIF APP0 segment that follows SOI.
QByteArray withExifSegment(const QByteArray &jpeg, const QByteArray &tiff);

} // namespace pelmora
