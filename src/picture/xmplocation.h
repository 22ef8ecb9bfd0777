#pragma once

#include <string_view>

namespace pelmora {

// Whether an XMP property's local name (without its namespace prefix) names a geographic
// position, in any namespace: a GPS property, a latitude, a longitude or an altitude
// (exif:GPSLatitude, Iptc4xmpExt:GPSAltitude, drone-dji:GpsLongtitude, drone-dji:RelativeAltitude).
// Place names (city, state, country, sublocation) are no position.
bool namesPosition(std::string_view localName);

// Whether an XMP entry, by its Exiv2 key ("Xmp.exif.GPSLatitude",
// "Xmp.iptcExt.LocationShown[1]/Iptc4xmpExt:GPSLatitude"), is such a property or lies inside one.
bool isXmpPosition(std::string_view key);

} // namespace pelmora
