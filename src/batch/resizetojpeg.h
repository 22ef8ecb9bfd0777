#pragma once

#include "batch/resizesettings.h"
#include "files/filecontent.h"
#include "picture/resizedjpeg.h"
#include "result/result.h"

#include <QString>

namespace pelmora {

// A photo's new picture, and which file it was made from.
struct ResizedPhoto {
    ResizedJpeg jpeg;
    FileIdentity source;
};

// Reads the photo (opened, or at path), turns it upright, scales it so that its longer side is the
// length in settings.longerSide, stamps the signature and encodes it as a JPEG that carries the
// photo's metadata. Writes nothing: the conversion's transaction does.
Result<ResizedPhoto> ResizeToJpeg(const PhotoFile &photo, const ResizeSettings &settings);
Result<ResizedPhoto> ResizeToJpeg(const QString &path, const ResizeSettings &settings);

} // namespace pelmora
