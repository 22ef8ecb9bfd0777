#pragma once

// Photos carrying the metadata a camera and a photo album leave in them, written with Exiv2, and
// what a written JPEG carries, read back with Exiv2.

#include <QByteArray>
#include <QMap>
#include <QString>

namespace testsupport {

// The values the taken photo carries, as Exiv2 prints them.
namespace taken {
inline constexpr const char *dateTaken = "2024:05:17 06:42:13";
inline constexpr const char *cameraModel = "Harbour One";
inline constexpr const char *caption = "Fishing boats leaving the harbour at dawn";
inline constexpr const char *keywords = "harbour, dawn, boats"; // XMP dc:subject
} // namespace taken

// The thumbnail the taken photo's EXIF embeds, a JPEG file's bytes.
QByteArray takenThumbnail();

// Whether the bytes hold the taken photo's EXIF GPS latitude (three rationals, in either byte
// order) anywhere, whether or not any IFD still points at it.
bool holdsTakenLatitude(const QByteArray &bytes);

// A version 4 ICC profile installed by Debian's colord-data (AdobeRGB1998.icc).
QByteArray version4IccProfile();

// How the EXIF of a taken photo is laid out, as cameras differ.
enum class ExifLayout {
    Intel,    // little-endian, pixel dimensions as LONG
    Motorola, // big-endian, pixel dimensions as SHORT
};

// The photo (a JPEG, or a PNG) as a camera and a photo album leave it, stored sideways
// (orientation 6): EXIF with
// the date taken, the camera model, the exposure, the GPS position, the stored pixel dimensions
// and an embedded thumbnail; an IPTC caption; XMP keywords, GPS position, orientation and
// pixel dimensions; and the given ICC profile (none when empty).
QByteArray takenPhoto(const QByteArray &photo, const QByteArray &iccProfile,
                      ExifLayout layout = ExifLayout::Intel);

// The JPEG with the TIFF structure inside its EXIF segment overwritten, so the EXIF cannot be
// decoded; its other segments stay as they are.
QByteArray withCorruptExif(const QByteArray &jpeg);

// Every EXIF, IPTC and XMP entry of a picture file's bytes, key to value as Exiv2 prints them
// ("Exif.Image.Model" -> "Harbour One"); empty when it carries none.
QMap<QString, QString> metadataOf(const QByteArray &picture);

// The ICC profile a picture file carries, as its bytes; empty when it carries none.
QByteArray iccProfileOf(const QByteArray &picture);

} // namespace testsupport
