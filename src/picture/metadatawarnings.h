#pragma once

#include "result/warning.h"

namespace pelmora {

// What a resized photo's metadata may warn of: one sentence of ours per kind of problem, the
// same for every photo that has it, and beside it the detail in a library's or the EXIF
// editor's own words.

// Exiv2 could not read a part (a broken IPTC block, XMP that stays unreadable).
Warning metadataNotRead(const QString &detail);
// Exiv2 could not write the metadata into the resized JPEG.
Warning metadataNotWritten(const QString &detail);
// The EXIF cannot be followed, or its directories loop or overlap.
Warning exifLeftOut(const QString &detail);
// A directory of the EXIF cannot be read; the rest is carried.
Warning exifPartLeftOut(const QString &detail);
// Entries of the EXIF whose values lie outside it; the entries beside them are carried.
Warning exifEntriesLeftOut(const QString &detail);
// The EXIF, read whole from several segments, does not fit into one.
Warning exifTooLarge(const QString &detail);
// XMP that named a property twice with different values: the first value of each was kept.
Warning xmpRepeatsDropped(const QString &detail);
// The XMP a JPEG continues in extended XMP segments, which Exiv2 does not read.
Warning xmpExtensionLeftOut(const QString &detail);

} // namespace pelmora
