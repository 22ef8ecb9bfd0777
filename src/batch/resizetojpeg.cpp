#include "resizetojpeg.h"

namespace pelmora {

Result<ResizedPhoto> ResizeToJpeg(const PhotoFile &file, PictureFormat format,
                                  const ResizeSettings &settings, int encoderThreads) {
    Result<ResizeOptions> options = resizeOptions(settings);
    if (!options)
        return failure(options.reason());
    options->format = format;
    options->encoderThreads = encoderThreads;
    const Result<PhotoBytes> photo = file.read();
    if (!photo)
        return failure(photo.reason());
    Result<ResizedPicture> resized = resizePhotoBytes(photo->bytes, *options);
    if (!resized)
        return failure(resized.reason());
    return ResizedPhoto{std::move(resized).value(), photo->identity};
}

Result<ResizedPhoto> ResizeToJpeg(const QString &path, PictureFormat format,
                                  const ResizeSettings &settings, int encoderThreads) {
    const Result<PhotoFile> file = PhotoFile::open(path);
    if (!file)
        return failure(file.reason());
    return ResizeToJpeg(*file, format, settings, encoderThreads);
}

} // namespace pelmora
