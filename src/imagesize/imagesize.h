#pragma once

#include <QString>

#include <optional>

namespace pelmora {

// Width and height in pixels; both 0 when they could not be read.
struct PicSize {
    int Height = 0;
    int Width = 0;
};

struct ImageHeader {
    PicSize size;
    QString format; // "jpg", "gif", ...; empty when the header was recognised but not read to its end
};

// Reads an image's size from its header without decoding the picture. Nothing when the file
// cannot be read or carries no known signature. Never creates a file.
std::optional<ImageHeader> ReadImageSize(const QString &path);

// The size display's text for a header: "ImageSze Width: 640  Height: 480", or "Error".
QString sizeDisplayText(const std::optional<ImageHeader> &header);

} // namespace pelmora
