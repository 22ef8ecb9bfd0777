#include "metadata.h"

#include "builders.h"
#include "photos.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <exiv2/exiv2.hpp>

namespace testsupport {

namespace {

const Exiv2::byte *exiv2Bytes(const QByteArray &bytes) {
    return reinterpret_cast<const Exiv2::byte *>(bytes.constData());
}

Exiv2::DataValue bytesOf(const char *text, Exiv2::TypeId type = Exiv2::undefined) {
    Exiv2::DataValue value(type);
    value.read(text);
    return value;
}

Exiv2::URationalValue degreesOf(const char *text) {
    Exiv2::URationalValue value;
    value.read(text);
    return value;
}

const char *const takenLatitude = "35/1 39/1 18/1";

Exiv2::ExifData cameraExif(QSize stored, ExifLayout layout) {
    Exiv2::ExifData exif;
    exif["Exif.Image.Make"] = "Harbour Optics";
    exif["Exif.Image.Model"] = taken::cameraModel;
    exif["Exif.Image.Orientation"] = uint16_t(6);
    exif["Exif.Image.XResolution"] = Exiv2::URational(72, 1);
    exif["Exif.Image.YResolution"] = Exiv2::URational(72, 1);
    exif["Exif.Image.ResolutionUnit"] = uint16_t(2);
    exif["Exif.Image.YCbCrPositioning"] = uint16_t(1);
    exif["Exif.Photo.ExifVersion"] = bytesOf("48 50 51 50");
    exif["Exif.Photo.DateTimeOriginal"] = taken::dateTaken;
    exif["Exif.Photo.ExposureTime"] = Exiv2::URational(1, 250);
    exif["Exif.Photo.FNumber"] = Exiv2::URational(28, 10);
    exif["Exif.Photo.ComponentsConfiguration"] = bytesOf("1 2 3 0");
    exif["Exif.Photo.FlashpixVersion"] = bytesOf("48 49 48 48");
    exif["Exif.Photo.ColorSpace"] = uint16_t(0xFFFF); // uncalibrated: the ICC profile says
    if (layout == ExifLayout::Motorola) {
        exif["Exif.Photo.PixelXDimension"] = uint16_t(stored.width());
        exif["Exif.Photo.PixelYDimension"] = uint16_t(stored.height());
    } else {
        exif["Exif.Photo.PixelXDimension"] = uint32_t(stored.width());
        exif["Exif.Photo.PixelYDimension"] = uint32_t(stored.height());
    }
    exif["Exif.GPSInfo.GPSVersionID"] = bytesOf("2 3 0 0", Exiv2::unsignedByte);
    exif["Exif.GPSInfo.GPSLatitudeRef"] = "N";
    exif["Exif.GPSInfo.GPSLatitude"] = degreesOf(takenLatitude);
    exif["Exif.GPSInfo.GPSLongitudeRef"] = "E";
    exif["Exif.GPSInfo.GPSLongitude"] = degreesOf("139/1 44/1 30/1");

    const QByteArray thumbnail = takenThumbnail();
    Exiv2::ExifThumb(exif).setJpegThumbnail(exiv2Bytes(thumbnail), long(thumbnail.size()),
                                            Exiv2::URational(72, 1), Exiv2::URational(72, 1), 2);
    return exif;
}

Exiv2::XmpData albumXmp(QSize stored) {
    Exiv2::XmpData xmp;
    auto keywords = Exiv2::Value::create(Exiv2::xmpBag);
    for (const char *word : {"harbour", "dawn", "boats"})
        keywords->read(word);
    xmp.add(Exiv2::XmpKey("Xmp.dc.subject"), keywords.get());
    xmp["Xmp.tiff.Orientation"] = "6";
    xmp["Xmp.exif.PixelXDimension"] = std::to_string(stored.width());
    xmp["Xmp.exif.PixelYDimension"] = std::to_string(stored.height());
    xmp["Xmp.exif.GPSLatitude"] = "35,39.3N";
    xmp["Xmp.exif.GPSLongitude"] = "139,44.5E";
    return xmp;
}

} // namespace

QByteArray takenThumbnail() {
    return encode(picture(QSize(16, 12)), "JPEG", 80);
}

bool holdsTakenLatitude(const QByteArray &bytes) {
    const Exiv2::URationalValue latitude = degreesOf(takenLatitude);
    for (const Exiv2::ByteOrder order : {Exiv2::littleEndian, Exiv2::bigEndian}) {
        QByteArray stored(latitude.size(), '\0');
        latitude.copy(reinterpret_cast<Exiv2::byte *>(stored.data()), order);
        if (bytes.contains(stored))
            return true;
    }
    return false;
}

QByteArray version4IccProfile() {
    const QString path = QStringLiteral("/usr/share/color/icc/colord/AdobeRGB1998.icc");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("%s is missing: scripts/install-deps installs colord-data", qPrintable(path));
    return file.readAll();
}

QByteArray takenPhoto(const QByteArray &photo, const QByteArray &iccProfile, ExifLayout layout) {
    QBuffer buffer;
    buffer.setData(photo);
    buffer.open(QIODevice::ReadOnly);
    const QSize stored = QImageReader(&buffer).size();
    if (stored.isEmpty())
        qFatal("takenPhoto wants a picture");
    auto image = Exiv2::ImageFactory::open(exiv2Bytes(photo), long(photo.size()));
    image->setExifData(cameraExif(stored, layout));
    image->setByteOrder(layout == ExifLayout::Motorola ? Exiv2::bigEndian : Exiv2::littleEndian);
    Exiv2::IptcData iptc;
    iptc["Iptc.Application2.Caption"] = taken::caption;
    image->setIptcData(iptc);
    image->setXmpData(albumXmp(stored));
    if (!iccProfile.isEmpty()) {
        Exiv2::DataBuf icc(exiv2Bytes(iccProfile), long(iccProfile.size()));
        image->setIccProfile(icc);
    }
    image->writeMetadata();
    Exiv2::BasicIo &io = image->io();
    return QByteArray(reinterpret_cast<const char *>(io.mmap()), qsizetype(io.size()));
}

QByteArray withCorruptExif(const QByteArray &jpeg) {
    JpegParts parts = splitJpeg(jpeg);
    for (QByteArray &s : parts.segments) {
        if (s.size() > 14 && quint8(s[1]) == 0xE1 && s.mid(4, 6) == QByteArray("Exif\0\0", 6)) {
            for (qsizetype i = 10; i < s.size(); ++i)
                s[i] = char(0xA5 ^ (i * 7));
            return parts.join();
        }
    }
    qFatal("withCorruptExif wants a JPEG with an EXIF segment");
}

QMap<QString, QString> metadataOf(const QByteArray &picture) {
    auto image = Exiv2::ImageFactory::open(exiv2Bytes(picture), long(picture.size()));
    image->readMetadata();
    QMap<QString, QString> entries;
    for (const Exiv2::Exifdatum &d : image->exifData())
        entries.insert(QString::fromStdString(d.key()), QString::fromStdString(d.toString()));
    for (const Exiv2::Iptcdatum &d : image->iptcData())
        entries.insert(QString::fromStdString(d.key()), QString::fromStdString(d.toString()));
    for (const Exiv2::Xmpdatum &d : image->xmpData())
        entries.insert(QString::fromStdString(d.key()), QString::fromStdString(d.toString()));
    return entries;
}

QByteArray iccProfileOf(const QByteArray &picture) {
    auto image = Exiv2::ImageFactory::open(exiv2Bytes(picture), long(picture.size()));
    image->readMetadata();
    if (!image->iccProfileDefined())
        return {};
    const Exiv2::DataBuf *icc = image->iccProfile();
    return QByteArray(reinterpret_cast<const char *>(icc->pData_), icc->size_);
}

} // namespace testsupport
