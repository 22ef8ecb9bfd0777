#pragma once

#include <QStringList>
#include <optional>
#include <string>

namespace pelmora {

struct RepairedXmp {
    std::string packet;
    // The properties (qualified names, "exif:XResolution") a later occurrence of which held
    // another value than the first, each once.
    QStringList differing;
};

// The XMP packet without the second and later occurrences of a property in one node (the
// top-level descriptions of a packet count as one node), which Adobe's XMP toolkit refuses
// whole as a duplicate property. Photo managers write them: digiKam, for one, repeats its labels
// and the EXIF resolution of the thumbnail after the photo's own. Everything else stays as it
// was, byte for byte. Nothing when the packet is no well-formed XML or repeats nothing.
std::optional<RepairedXmp> withoutRepeatedProperties(const std::string &packet);

} // namespace pelmora
