#include "pictureformat.h"

#include <QCoreApplication>
#include <QStringList>

namespace pelmora {

namespace {

// Extensions of picture formats that a resized photo is not written in: the name would promise
// a format its bytes are not.
bool namesAnotherPictureFormat(const QString &extension) {
    static const QStringList others{
        // GIF, JPEG XL, JPEG 2000, JPEG XR, HEIF and AVIF sequences, QOI
        QStringLiteral("gif"),
        QStringLiteral("jxl"),
        QStringLiteral("jp2"),
        QStringLiteral("j2k"),
        QStringLiteral("j2c"),
        QStringLiteral("jpf"),
        QStringLiteral("jpx"),
        QStringLiteral("jpm"),
        QStringLiteral("jxr"),
        QStringLiteral("wdp"),
        QStringLiteral("hdp"),
        QStringLiteral("avifs"),
        QStringLiteral("heics"),
        QStringLiteral("heifs"),
        QStringLiteral("qoi"),
        // icons, animations, editors' and older formats
        QStringLiteral("ico"),
        QStringLiteral("cur"),
        QStringLiteral("icns"),
        QStringLiteral("apng"),
        QStringLiteral("mng"),
        QStringLiteral("jng"),
        QStringLiteral("psd"),
        QStringLiteral("xcf"),
        QStringLiteral("svg"),
        QStringLiteral("svgz"),
        QStringLiteral("tga"),
        QStringLiteral("pcx"),
        QStringLiteral("pbm"),
        QStringLiteral("pgm"),
        QStringLiteral("ppm"),
        QStringLiteral("pnm"),
        QStringLiteral("pam"),
        QStringLiteral("xbm"),
        QStringLiteral("xpm"),
        QStringLiteral("dds"),
        QStringLiteral("exr"),
        QStringLiteral("hdr"),
        QStringLiteral("ras"),
        QStringLiteral("sgi"),
        // cameras' RAW formats
        QStringLiteral("dng"),
        QStringLiteral("nef"),
        QStringLiteral("nrw"),
        QStringLiteral("cr2"),
        QStringLiteral("cr3"),
        QStringLiteral("crw"),
        QStringLiteral("arw"),
        QStringLiteral("srf"),
        QStringLiteral("sr2"),
        QStringLiteral("orf"),
        QStringLiteral("rw2"),
        QStringLiteral("raf"),
        QStringLiteral("pef"),
        QStringLiteral("iiq"),
        QStringLiteral("srw"),
        QStringLiteral("3fr"),
        QStringLiteral("erf"),
        QStringLiteral("kdc"),
        QStringLiteral("mef"),
        QStringLiteral("mos"),
        QStringLiteral("mrw"),
        QStringLiteral("x3f"),
        QStringLiteral("raw"),
        QStringLiteral("rwl"),
    };
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
