#include "resizetojpeg.h"

#include "files/photooutput.h"
#include "picture/resizedjpeg.h"

namespace pelmora {

Result<ResizedPhoto> ResizeToJpeg(const PhotoPlan &plan, const ResizeSettings &settings,
                                  UndoJournal *journal) {
    const Result<ResizeOptions> options = resizeOptions(settings);
    if (!options)
        return failure(options.reason());
    const Result<QByteArray> photo = readPhoto(plan.source);
    if (!photo)
        return failure(photo.reason());
    const Result<ResizedJpeg> resized = resizeToJpegBytes(*photo, *options);
    if (!resized)
        return failure(resized.reason());
    if (Status written = writePicture(plan, resized->bytes, journal); !written)
        return failure(written.reason());
    return ResizedPhoto{resized->size, resized->warnings};
}

Result<ResizedPhoto> ResizeToJpeg(const QString &path, const ResizeSettings &settings) {
    PhotoPlan plan;
    plan.source = path;
    plan.destination = path;
    plan.output = Output::Picture;
    plan.inPlace = true;
    plan.replaces = true;
    plan.setsAside = false;
    return ResizeToJpeg(plan, settings);
}

} // namespace pelmora
