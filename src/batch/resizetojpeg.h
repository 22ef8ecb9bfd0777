#pragma once

#include "batch/resizesettings.h"
#include "files/filecontent.h"
#include "picture/pictureformat.h"
#include "picture/resizedpicture.h"
#include "result/result.h"

#include <QString>

namespace pelmora {

// A photo's new picture, and which file it was made from.
struct ResizedPhoto {
    ResizedPicture picture;
    FileIdentity source;
};

// Reads the photo (opened, or at path), turns it upright, scales it so that its longer side is the
// length in settings.longerSide, stamps the signature and encodes it in the format its new name
// asks for (the encoder keeping at most encoderThreads threads busy), carrying the photo's
// metadata. Writes nothing: the conversion's transaction does.
Result<ResizedPhoto> ResizeToJpeg(const PhotoFile &photo, PictureFormat format,
                                  const ResizeSettings &settings, int encoderThreads = 1);
Result<ResizedPhoto> ResizeToJpeg(const QString &path, PictureFormat format,
                                  const ResizeSettings &settings, int encoderThreads = 1);

} // namespace pelmora
