#pragma once

#include "imagesize.h"
#include "imagesize/jpegmarkers.h"

#include <QByteArrayView>
#include <optional>

namespace pelmora::detail {

// A camera's RAW file known by its signature, whose first bytes (up to 32) are fileStart:
// Canon's CR2 (a TIFF with "CR" after its header), CR3 (an ISO box file branded "crx ") and CRW
// ("HEAPCCDR"), Phase One's IIQ (a "IIII?waR" or "MMMMRaw?" block within the first 32 bytes),
// Olympus' ORF ("IIRO", "IIRS", "MMOR"), Panasonic's and Leica's RW2 and RWL ("IIU\0"),
// Fujifilm's RAF, Sigma's X3F and Minolta's MRW. The TIFF-based ones are read as readTiffHeader
// reads them; the others have no size read here. Nothing for any other file, a plain TIFF and
// the RAW files that are known only by their directories (DNG, NEF, ARW, PEF, ...) among them.
std::optional<ImageHeader> readCameraRawHeader(ByteSource &file, QByteArrayView fileStart);

} // namespace pelmora::detail
