#pragma once

#include "result/result.h"

#include <QByteArray>
#include <QSize>

namespace pelmora {

// A photo's EXIF (the TIFF structure an APP1 EXIF segment carries) as it describes the resized
// picture: orientation 1, the Exif pixel dimensions set to `pixels`, the thumbnail (IFD1 and its
// data) and, unless keepLocation, the GPS IFD removed and their bytes zeroed. Edited in place:
// every other byte, maker notes included, stays where it was, so the offsets into it stay right.
// Exiv2 would decode and re-encode the whole structure instead, maker notes too, which costs
// tens of milliseconds for some cameras' notes. Fails when the structure cannot be followed.
Result<QByteArray> exifForResized(QByteArray tiff, QSize pixels, bool keepLocation);

} // namespace pelmora
