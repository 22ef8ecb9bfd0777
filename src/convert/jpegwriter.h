#pragma once

#include "convert/replacingfile.h"

#include <QImage>
#include <QString>
#include <optional>

namespace pelmora {

// Writes image as a JPEG file at path (created or replaced) at the given quality (0..100),
// Huffman tables optimised. The file is written beside the old one and renamed over it only when
// complete: on failure the old file is untouched. Returns why it failed, or nothing.
std::optional<QString> writeJpegFile(const QImage &image, const QString &path, int quality,
                                     Durability durability = Durability::FlushToDisk);

} // namespace pelmora
