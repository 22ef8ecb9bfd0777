#include "rawheader.h"

#include "tiffheader.h"

namespace pelmora::detail {

namespace {

bool hasAt(QByteArrayView bytes, qsizetype offset, QByteArrayView signature) {
    return bytes.size() >= offset + signature.size() &&
           bytes.sliced(offset, signature.size()) == signature;
}

// A Phase One block: byte order, then "Raw" with a version byte, within the first 32 bytes.
bool hasPhaseOneBlock(QByteArrayView start) {
    for (qsizetype at = 0; at + 8 <= start.size(); ++at) {
        if ((hasAt(start, at, "IIII") && hasAt(start, at + 5, "waR")) ||
            (hasAt(start, at, "MMMM") && hasAt(start, at + 4, "Raw")))
            return true;
    }
    return false;
}

ImageHeader unmeasured(const char *kind) {
    ImageHeader header;
    header.cameraRaw = QString::fromLatin1(kind);
    return header;
}

} // namespace

std::optional<ImageHeader> readCameraRawHeader(ByteSource &file, QByteArrayView start) {
    const bool tiff =
        hasAt(start, 0, QByteArrayView("II*\0", 4)) || hasAt(start, 0, QByteArrayView("MM\0*", 4));
    if (hasPhaseOneBlock(start))
        return tiff ? readTiffHeader(file, QStringLiteral("IIQ")) : unmeasured("IIQ");
    if (tiff && hasAt(start, 8, "CR\x02"))
        return readTiffHeader(file, QStringLiteral("CR2"));
    if (hasAt(start, 0, "IIRO") || hasAt(start, 0, "IIRS") || hasAt(start, 0, "MMOR"))
        return readTiffHeader(file, QStringLiteral("ORF"));
    if (hasAt(start, 0, QByteArrayView("IIU\0", 4)))
        return readTiffHeader(file, QStringLiteral("RW2"));
    if (hasAt(start, 4, "ftypcrx "))
        return unmeasured("CR3");
    if ((hasAt(start, 0, "II") || hasAt(start, 0, "MM")) && hasAt(start, 6, "HEAP"))
        return unmeasured("CRW");
    if (hasAt(start, 0, "FUJIFILMCCD-RAW"))
        return unmeasured("RAF");
    if (hasAt(start, 0, "FOVb"))
        return unmeasured("X3F");
    if (hasAt(start, 0, QByteArrayView("\0MRM", 4)) || hasAt(start, 0, QByteArrayView("\0MRI", 4)))
        return unmeasured("MRW");
    return std::nullopt;
}

} // namespace pelmora::detail
