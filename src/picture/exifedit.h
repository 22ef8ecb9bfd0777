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
// maker notes too, which costs tens of milliseconds for some cameras' notes.
//
// A damaged part costs that part: a sub-IFD pointer stored in another shape than one LONG is
// followed where it leads to a directory (and rewritten as one LONG), an empty or unreadable one
// is taken out (with a warning when the Exif IFD, or the kept GPS IFD, is lost), and a pixel size
// or orientation that cannot be rewritten is taken out rather than left wrong. Fails, in the
// editor's words, when IFD0 cannot be read or when directories loop or overlap, which would
// have the editing of one overwrite another.
Result<EditedExif> exifForResized(QByteArray tiff, QSize pixels, bool keepLocation);

} // namespace pelmora
