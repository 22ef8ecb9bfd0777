#pragma once

// Photos carrying the metadata a camera and a photo album leave in them, written with Exiv2, and
// what a written JPEG carries, read back with Exiv2.

#include <QByteArray>
#include <QMap>
#include <QSize>
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

// Faults of a taken photo's EXIF as real files have them, each built into its bytes.
// The GPS pointer's count 0, as an empty GPS IFD is written: it still holds the IFD's offset.
QByteArray withEmptyGpsPointer(const QByteArray &jpeg);
// The Exif IFD pointer stored as another TIFF type (7: UNDEFINED), its four bytes the offset.
QByteArray withExifPointerType(const QByteArray &jpeg, quint16 type);
// The Exif pixel dimensions each stored as two SHORTs, the second 0 (ExifLayout::Motorola).
QByteArray withPixelSizeAsTwoValues(const QByteArray &jpeg);
// An ImageDescription added to IFD0, and it and the Make pointing past the end of the segment.
QByteArray withEntriesPointingPast(const QByteArray &jpeg);
// The Exif, GPS and IFD1 pointers all pointing back at IFD0.
QByteArray withLoopingIfds(const QByteArray &jpeg);
// The EXIF re-encoded by Exiv2 (with a UserComment of commentBytes when not 0) and stored across
// APP1 segments: the first holds firstLength bytes of the TIFF structure, each further one at most
// a segment's worth, with the "Exif" identifier but no TIFF header of its own.
QByteArray withExifAcrossSegments(const QByteArray &jpeg, qsizetype firstLength,
                                  int commentBytes = 0);

// An XMP packet written by hand, as photo managers write them: in several rdf:Description
// elements, holding what the taken photo's XMP holds (keywords, orientation 6, the stored pixel
// dimensions, the GPS position) and then the given rdf:Description elements.
QByteArray albumXmpPacket(QSize stored, const QByteArray &descriptions);
// The JPEG with its XMP segment holding the packet instead (one inserted after SOI when none).
QByteArray withXmpPacket(const QByteArray &jpeg, const QByteArray &packet);
// The JPEG with an extended XMP segment after its XMP segment, as Photoshop writes XMP too large
// for one: the extension's GUID (32 hexadecimal digits), its whole length, the offset 0 and the
// packet. The main packet should name the GUID (xmpNote:HasExtendedXMP).
QByteArray withXmpExtension(const QByteArray &jpeg, const QByteArray &guid,
                            const QByteArray &packet);

// Every EXIF, IPTC and XMP entry of a picture file's bytes, key to value as Exiv2 prints them
// ("Exif.Image.Model" -> "Harbour One"); empty when it carries none.
QMap<QString, QString> metadataOf(const QByteArray &picture);

// The ICC profile a picture file carries, as its bytes; empty when it carries none.
QByteArray iccProfileOf(const QByteArray &picture);

} // namespace testsupport
