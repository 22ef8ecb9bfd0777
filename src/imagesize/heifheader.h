#pragma once

#include "imagesize.h"
#include "imagesize/jpegmarkers.h"

#include <QByteArrayView>
#include <optional>

namespace pelmora {

// "heic" or "avif" when the bytes start with a file-type box ("ftyp") whose brands name a HEIF
// still picture coded with HEVC or AV1; nothing for any other file (an MP4 video, say). The
// first brand of the table found decides, the major brand before the compatible ones:
// heic heix heim heis hevc hevx give "heic", avif avis give "avif"; mif1 and msf1 (a HEIF of
// no particular coding) leave it to the other brands.
std::optional<QString> heifFormat(QByteArrayView fileStart);

// Whether the bytes start with a file-type box whose brands name a HEIF file of any coding:
// one of heifFormat's brands, or mif1 or msf1 alone (the primary item then tells the coding).
bool isHeifFile(QByteArrayView fileStart);

namespace detail {

// The upright size of the primary picture of a HEIF file, read from its boxes without decoding
// anything: the primary item (pitm), its properties (iprp: ipco, ipma), and among them the
// stored size (ispe), a clean aperture (clap) and a rotation (irot) that swaps the sides for a
// quarter turn, applied in the order the item lists them, as libheif applies them (a rotation
// or crop listed before the stored size leaves the size as stored). An EXIF orientation inside
// the file plays no part: the file's own transformations are what turns the picture upright.
// The format is the brands' ("heic", "avif"); a file branded mif1 or msf1 alone takes it from
// its primary item's type (iinf): "heic" for HEVC, "avif" for AV1, "heif" for a picture of
// another coding or made of other items (a grid, an overlay). Nothing when the file-type box
// names no HEIF file, or the primary item of a mif1 or msf1 file is no picture; a header of
// 0 x 0 and no format when the boxes cannot be read.
std::optional<ImageHeader> readHeifHeader(ByteSource &file);

} // namespace detail

} // namespace pelmora
