#pragma once

#include "imagesize.h"

#include <QByteArrayView>
#include <optional>

namespace pelmora {

// "heic" or "avif" when the bytes start with a file-type box ("ftyp") whose brands name a HEIF
// still picture coded with HEVC or AV1; nothing for any other file (an MP4 video, say). The
// first brand of the table found decides, the major brand before the compatible ones:
// heic heix heim heis hevc hevx give "heic", avif avis give "avif"; mif1 and msf1 (a HEIF of
// no particular coding) leave it to the other brands.
std::optional<QString> heifFormat(QByteArrayView fileStart);

namespace detail {

class HeaderFile;

// The upright size of the primary picture of a HEIF (HEIC or AVIF) file, read from its boxes
// without decoding anything: the primary item (pitm), its properties (iprp: ipco, ipma), and
// among them the stored size (ispe), a clean aperture (clap) and a rotation (irot) that
// swaps the sides for a quarter turn. An EXIF orientation inside the file plays no part: the
// file's own transformations are what turns the picture upright. Nothing when the file-type box
// names no HEIF picture; a header of 0 x 0 and no format when the boxes cannot be read.
std::optional<ImageHeader> readHeifHeader(HeaderFile &file);

} // namespace detail

} // namespace pelmora
