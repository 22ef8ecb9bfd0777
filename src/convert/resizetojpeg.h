#pragma once

#include "convert/replacingfile.h"
#include "resizesettings.h"

#include <QSize>
#include <QString>

namespace pelmora {

struct ResizeResult {
    bool ok = false;
    QString error; // why it failed, for the user; empty on success
    QSize size;    // size of the written JPEG
};

// Loads the photo at path, turns it upright, scales it so that its longer side is the length in
// settings.longerSide, stamps the signature and writes it over the same file as a JPEG. On any
// failure the file is left exactly as it was. A file that is the user's only copy of the photo
// is on the disk before it replaces the old one.
ResizeResult ResizeToJpeg(const QString &path, const ResizeSettings &settings,
                          Durability durability = Durability::FlushToDisk);

} // namespace pelmora
