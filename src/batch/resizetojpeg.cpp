#include "resizetojpeg.h"

namespace pelmora {

Result<ResizedPhoto> ResizeToJpeg(const PhotoFile &file, const ResizeSettings &settings) {
    const Result<ResizeOptions> options = resizeOptions(settings);
    if (!options)
        return failure(options.reason());
    const Result<PhotoBytes> photo = file.read();
    if (!photo)
        return failure(photo.reason());
    Result<ResizedJpeg> resized = resizeToJpegBytes(photo->bytes, *options);
    if (!resized)
        return failure(resized.reason());
    return ResizedPhoto{std::move(resized).value(), photo->identity};
}

Result<ResizedPhoto> ResizeToJpeg(const QString &path, const ResizeSettings &settings) {
    const Result<PhotoFile> file = PhotoFile::open(path);
    if (!file)
        return failure(file.reason());
    return ResizeToJpeg(*file, settings);
}

} // namespace pelmora
