#pragma once

#include "result/result.h"
#include "result/warning.h"

#include <QByteArray>
#include <QSize>

namespace pelmora {

struct EditedExif {
    QByteArray tiff;
    Warnings warnings; // the parts that could not be read and were left out
};

// A photo's EXIF (the TIFF structure an APP1 EXIF segment carries) as it describes the resized
// picture: upright, its pixel dimensions those of `pixels`, without the thumbnail (IFD1 and its
// data) and, unless keepLocation, without the GPS IFD, their bytes zeroed (and cut off when they
// end the structure). Edited in place: every other byte, maker notes included, stays where it
// was, so the offsets into it stay right. Exiv2 would decode and re-encode the whole structure,
// maker notes too: on the benchmark corpus (build/bench/bench-resize CORPUS 15 metadata) that
// took 44 to 57 ms for one photo's Sony maker notes against 0.35 ms here (2.6 to 3.3 ms against
// 0.03 ms on average over 18 photos), and left the maker notes byte for byte in 1 of the 3
// photos that have them, where this keeps all 3.
//
// A damaged part costs that part: a sub-IFD pointer stored in another shape than one LONG is
// followed where it leads to a directory (and rewritten as one LONG), an empty or unreadable one
// is taken out (with a warning when the Exif IFD, or the kept GPS IFD, is lost), and a pixel size
// or orientation stored in another shape is rewritten as one SHORT or LONG, or taken out when it
// holds no whole number, rather than left wrong. Fails, in the
// editor's words, when IFD0 cannot be read or when directories loop or overlap, which would
// have the editing of one overwrite another.
Result<EditedExif> exifForResized(QByteArray tiff, QSize pixels, bool keepLocation);

} // namespace pelmora
