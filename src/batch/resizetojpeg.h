#pragma once

#include "batch/resizesettings.h"
#include "files/replacingfile.h"
#include "result/result.h"

#include <QSize>
#include <QString>
#include <QStringList>

namespace pelmora {

struct ResizedPhoto {
    QSize size;           // of the JPEG written
    QStringList warnings; // see ResizedJpeg
};

// Loads the photo at path, turns it upright, scales it so that its longer side is the length in
// settings.longerSide, stamps the signature and writes it over the same file as a JPEG. On any
// failure the file is left exactly as it was. A file that is the user's only copy of the photo is
// on the disk before it replaces the old one.
Result<ResizedPhoto> ResizeToJpeg(const QString &path, const ResizeSettings &settings,
                                  Durability durability = Durability::FlushToDisk);

} // namespace pelmora
