#include "pictureformat.h"

#include <QCoreApplication>
#include <QStringList>

namespace pelmora {

namespace {

// Extensions of picture formats that a resized photo is not written in: the name would promise
// a format its bytes are not.
bool namesAnotherPictureFormat(const QString &extension) {
    static const QStringList others =
        QStringLiteral(
            // GIF, JPEG XL, JPEG 2000, JPEG XR, HEIF and AVIF sequences, QOI
            "gif jxl jp2 j2k j2c jpf jpx jpm jxr wdp hdp avifs heics heifs qoi "
            // icons, animations, editors' and older formats
            "ico cur icns apng mng jng psd xcf svg svgz tga pcx pbm pgm ppm pnm pam xbm xpm dds "
            "exr hdr ras sgi "
            // cameras' RAW formats
            "dng nef nrw cr2 cr3 crw arw srf sr2 orf rw2 raf pef iiq srw 3fr erf kdc mef mos mrw "
            "x3f raw rwl")
            .split(u' ');
    return others.contains(extension);
}

} // namespace

Result<PictureFormat> pictureFormatForName(const QString &path) {
    const QString fileName = path.sliced(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : fileName.sliced(dot + 1).toLower();
    if (extension == u"webp")
        return PictureFormat::WebP;
    if (extension == u"avif")
        return PictureFormat::Avif;
    if (extension == u"heic" || extension == u"heif")
        return PictureFormat::Heic;
    if (extension == u"png")
        return PictureFormat::Png;
    if (extension == u"tif" || extension == u"tiff")
        return PictureFormat::Tiff;
    if (extension == u"bmp")
        return PictureFormat::Bmp;
    if (namesAnotherPictureFormat(extension))
        return failure(QCoreApplication::translate(
                           "pelmora", "Pelmora does not write .%1 pictures: give the new name the "
                                      "extension of a format it writes (jpg, webp, avif, heic, "
                                      "png, tif or bmp)")
                           .arg(fileName.sliced(dot + 1)));
    return PictureFormat::Jpeg; // jpg, jpeg, jpe, jfif, and every name that promises no format
}

QString pictureFormatName(PictureFormat format) {
    switch (format) {
    case PictureFormat::Jpeg:
        return QStringLiteral("JPEG");
    case PictureFormat::WebP:
        return QStringLiteral("WebP");
    case PictureFormat::Avif:
        return QStringLiteral("AVIF");
    case PictureFormat::Heic:
        return QStringLiteral("HEIC");
    case PictureFormat::Png:
        return QStringLiteral("PNG");
    case PictureFormat::Tiff:
        return QStringLiteral("TIFF");
    case PictureFormat::Bmp:
        return QStringLiteral("BMP");
    }
    return {};
}

bool keepsTransparency(PictureFormat format) {
    return format != PictureFormat::Jpeg && format != PictureFormat::Bmp;
}

} // namespace pelmora
