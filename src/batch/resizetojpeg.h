#pragma once

#include "batch/resizesettings.h"
#include "files/replacingfile.h"
#include "result/result.h"

#include <QSize>
#include <QString>

namespace pelmora {

// Loads the photo at path, turns it upright, scales it so that its longer side is the length in
// settings.longerSide, stamps the signature and writes it over the same file as a JPEG. Gives the
// size written. On any failure the file is left exactly as it was. A file that is the user's only
// copy of the photo is on the disk before it replaces the old one.
Result<QSize> ResizeToJpeg(const QString &path, const ResizeSettings &settings,
                           Durability durability = Durability::FlushToDisk);

} // namespace pelmora
