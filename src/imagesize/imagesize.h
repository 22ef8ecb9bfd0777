#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace pelmora {

// Width and height in pixels; both 0 when they could not be read.
struct PicSize {
    int Height = 0;
    int Width = 0;
};

struct ImageHeader {
    PicSize size;
    QString
        format; // "jpg", "gif", ...; empty when the header was recognised but not read to its end
    // A camera's RAW file: its kind ("DNG", "NEF", "CR2", "CR3", "ORF", ...); empty for any
    // other picture. Its size is that of the camera's full picture, never of a preview in it;
    // when the file does not tell that size in a way read here, there is no size and no format.
    QString cameraRaw;
};

// Reads an image's size from its header without decoding the picture. Nothing when the file
// cannot be read or carries no known signature.
// Never creates a file. The file name plays no part.
//
// Signatures, tested in this order: JPEG (FF D8), GIF ("GIF8"), BMP ("BM"), PNG (89 "PNG"),
// WebP ("RIFF" .... "WEBP"), TIFF ("II*\0", "MM\0*") and HEIF (".... ftyp" with a HEIC, AVIF,
// mif1 or msf1 brand, see isHeifFile in heifheader.h). Formats: "jpg", "gif", "bmp", "png",
// "webp", "tif", "heic", "avif", "heif".
//
// Camera RAW files are known by their bytes: by their own signatures (CR2, CR3, CRW, IIQ, ORF,
// RW2, RAF, X3F, MRW; see readCameraRawHeader in rawheader.h) or, for those that start as a
// TIFF, by their directories (DNG, NEF, ARW, PEF, SRW, 3FR, ...; see readTiffHeader in
// tiffheader.h). Their size is that of the sensor's full-resolution picture (a DNG's IFD of
// NewSubfileType 0, in IFD0 or a SubIFD), turned upright by IFD0's orientation, with the format
// of the kind in lower case ("dng", "nef"); the previews and thumbnails in them never count.
//
// A recognised file always gives a header. Its size is read whole or not at all: when the
// header is cut short, malformed, or carries a value that no int holds (a PNG, TIFF or WebP
// side of 2^31 or more, a negative BMP width), the size is 0 x 0 and the format is empty.
// A BMP information header of a size other than 12, 40, 52, 56, 64, 108 or 124 bytes gives
// 0 x 0 with the format "bmp".
//
// JPEG: the marker segments are walked by their lengths from offset 2 as libjpeg reads them
// (stray and fill bytes skipped, see JpegMarkerWalker) to the first start-of-frame marker (C0-CF
// except C4, C8, CC); the walk gives up at start of scan, end of image, a malformed length or
// past the first 4 MiB. When the first APP1 segment passed
// on the way is EXIF and its IFD0 orientation is 5 to 8, width and height are swapped so that
// the upright size is reported, the size that Qt's reader (the preview, the resize) shows. A BMP's
// negative (top-down) height counts by its magnitude. A PNG's IHDR may follow a leading CgBI
// chunk. A HEIF's size is that of its primary picture as its own properties make it; see
// readHeifHeader.
//
// Cheap enough to call on every press on a list entry: it opens the file read-only, reads
// 4 KB from its start and small blocks further in only where a JPEG's segments, a TIFF's
// directory or a HEIF's boxes lead, never more than 64 KB in all, and allocates nothing in
// proportion to the file or to any value in it.
std::optional<ImageHeader> ReadImageSize(const QString &path);
// The same for a file open at a descriptor (which stays open), read from its start.
std::optional<ImageHeader> ReadImageSize(int descriptor);
// The same for a file's bytes in memory.
std::optional<ImageHeader> imageHeaderOf(const QByteArray &fileBytes);

// The size display's text for a header: "ImageSze Width: 640  Height: 480", or "Error" (also for
// a camera's RAW file whose size is not read: its preview's size, or 0 x 0, would mislead).
QString sizeDisplayText(const std::optional<ImageHeader> &header);

} // namespace pelmora
