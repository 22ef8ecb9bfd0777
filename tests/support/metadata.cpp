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

const QByteArray exifIdentifier("Exif\0\0", 6);
const QByteArray xmpIdentifier("http://ns.adobe.com/xap/1.0/\0", 29);

bool isExifSegment(const QByteArray &s) {
    return s.size() > 10 && quint8(s[1]) == 0xE1 && s.mid(4, 6) == exifIdentifier;
}

// The TIFF structure inside a JPEG's EXIF segment, read and patched in its byte order; offsets
// are the structure's own.
class ExifInJpeg {
public:
    explicit ExifInJpeg(const QByteArray &jpeg) {
        m_parts = splitJpeg(jpeg);
        for (int i = 0; i < m_parts.segments.size(); ++i)
            if (isExifSegment(m_parts.segments[i]))
                m_segment = i;
        if (m_segment < 0)
            qFatal("the fault wants a JPEG with an EXIF segment");
        m_big = tiff().startsWith("MM");
    }

    quint32 u16(qsizetype at) const {
        const quint32 a = quint8(tiff()[at]), b = quint8(tiff()[at + 1]);
        return m_big ? a << 8 | b : b << 8 | a;
    }
    quint32 u32(qsizetype at) const {
        return m_big ? u16(at) << 16 | u16(at + 2) : u16(at + 2) << 16 | u16(at);
    }
    void put16(qsizetype at, quint32 v) {
        byteAt(at + (m_big ? 0 : 1)) = char(v >> 8);
        byteAt(at + (m_big ? 1 : 0)) = char(v);
    }
    void put32(qsizetype at, quint32 v) {
        put16(at + (m_big ? 0 : 2), v >> 16);
        put16(at + (m_big ? 2 : 0), v & 0xFFFF);
    }

    quint32 ifd0() const { return u32(4); }
    // Where the entry of the tag starts in the IFD at ifd.
    qsizetype entry(quint32 ifd, quint16 tag) const {
        for (quint32 i = 0; i < u16(ifd); ++i)
            if (u16(ifd + 2 + 12 * i) == tag)
                return ifd + 2 + 12 * i;
        qFatal("the fault wants an EXIF entry 0x%04x", tag);
    }
    qsizetype nextIfdAt(quint32 ifd) const { return ifd + 2 + 12 * u16(ifd); }

    QByteArray jpeg() const { return m_parts.join(); }

private:
    QByteArray tiff() const { return m_parts.segments[m_segment].mid(10); }
    char &byteAt(qsizetype at) { return m_parts.segments[m_segment][10 + at]; }

    JpegParts m_parts;
    int m_segment = -1;
    bool m_big = false;
};

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

QByteArray withEmptyGpsPointer(const QByteArray &jpeg) {
    ExifInJpeg exif(jpeg);
    exif.put32(exif.entry(exif.ifd0(), 0x8825) + 4, 0);
    return exif.jpeg();
}

QByteArray withExifPointerType(const QByteArray &jpeg, quint16 type) {
    ExifInJpeg exif(jpeg);
    exif.put16(exif.entry(exif.ifd0(), 0x8769) + 2, type);
    return exif.jpeg();
}

QByteArray withPixelSizeAsTwoValues(const QByteArray &jpeg) {
    ExifInJpeg exif(jpeg);
    const quint32 exifIfd = exif.u32(exif.entry(exif.ifd0(), 0x8769) + 8);
    for (const quint16 tag : {0xA002, 0xA003}) {
        const qsizetype e = exif.entry(exifIfd, tag);
        if (exif.u16(e + 2) != 3)
            qFatal("withPixelSizeAsTwoValues wants SHORT dimensions (ExifLayout::Motorola)");
        exif.put32(e + 4, 2);
        exif.put16(e + 10, 0);
    }
    return exif.jpeg();
}

QByteArray withEntriesPointingPast(const QByteArray &jpeg) {
    auto image = Exiv2::ImageFactory::open(exiv2Bytes(jpeg), long(jpeg.size()));
    image->readMetadata();
    Exiv2::ExifData exif = image->exifData();
    exif["Exif.Image.ImageDescription"] = "Boats leaving the harbour";
    image->setExifData(exif);
    image->writeMetadata();
    Exiv2::BasicIo &io = image->io();
    ExifInJpeg damaged(QByteArray(reinterpret_cast<const char *>(io.mmap()), qsizetype(io.size())));
    for (const quint16 tag : {0x010F, 0x010E}) // Make, ImageDescription
        damaged.put32(damaged.entry(damaged.ifd0(), tag) + 8, 0x7FFF0000);
    return damaged.jpeg();
}

QByteArray withLoopingIfds(const QByteArray &jpeg) {
    ExifInJpeg exif(jpeg);
    const quint32 ifd0 = exif.ifd0();
    for (const quint16 tag : {0x8769, 0x8825})
        exif.put32(exif.entry(ifd0, tag) + 8, ifd0);
    exif.put32(exif.nextIfdAt(ifd0), ifd0);
    return exif.jpeg();
}

QByteArray withExifAcrossSegments(const QByteArray &jpeg, qsizetype firstLength, int commentBytes) {
    auto image = Exiv2::ImageFactory::open(exiv2Bytes(jpeg), long(jpeg.size()));
    image->readMetadata();
    Exiv2::ExifData exif = image->exifData();
    if (commentBytes > 0)
        exif["Exif.Photo.UserComment"] = "charset=Ascii " + std::string(size_t(commentBytes), 'w');
    // As a TIFF file: the encoder for JPEG leaves out what would not fit into one segment.
    Exiv2::MemIo io;
    Exiv2::TiffParser::encode(io, nullptr, 0, image->byteOrder(), exif, {}, {});
    const QByteArray tiff(reinterpret_cast<const char *>(io.mmap()), qsizetype(io.size()));

    JpegParts parts = splitJpeg(jpeg);
    const qsizetype at = parts.find(0xE1);
    if (at < 0 || !isExifSegment(parts.segments[at]))
        qFatal("withExifAcrossSegments wants a JPEG with an EXIF segment");
    QList<QByteArray> pieces{segment(0xE1, exifIdentifier + tiff.first(firstLength))};
    for (qsizetype from = firstLength; from < tiff.size(); from += 0xFFFF - 8)
        pieces.append(segment(0xE1, exifIdentifier + tiff.mid(from, 0xFFFF - 8)));
    parts.segments.remove(at);
    for (qsizetype i = 0; i < pieces.size(); ++i)
        parts.segments.insert(at + i, pieces[i]);
    return parts.join();
}

QByteArray albumXmpPacket(QSize stored, const QByteArray &descriptions) {
    return QByteArray(
               "<?xpacket begin='\xEF\xBB\xBF' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
               "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
               "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
               " <rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'>\n"
               "  <dc:subject>\n"
               "   <rdf:Bag>\n"
               "    <rdf:li>harbour</rdf:li>\n"
               "    <rdf:li>dawn</rdf:li>\n"
               "    <rdf:li>boats</rdf:li>\n"
               "   </rdf:Bag>\n"
               "  </dc:subject>\n"
               " </rdf:Description>\n"
               " <rdf:Description rdf:about='' xmlns:tiff='http://ns.adobe.com/tiff/1.0/'>\n"
               "  <tiff:Orientation>6</tiff:Orientation>\n"
               " </rdf:Description>\n"
               " <rdf:Description rdf:about='' xmlns:exif='http://ns.adobe.com/exif/1.0/'>\n"
               "  <exif:PixelXDimension>") +
           QByteArray::number(stored.width()) +
           "</exif:PixelXDimension>\n"
           "  <exif:PixelYDimension>" +
           QByteArray::number(stored.height()) +
           "</exif:PixelYDimension>\n"
           "  <exif:GPSLatitude>35,39.3N</exif:GPSLatitude>\n"
           "  <exif:GPSLongitude>139,44.5E</exif:GPSLongitude>\n"
           " </rdf:Description>\n" +
           descriptions +
           "</rdf:RDF>\n"
           "</x:xmpmeta>\n"
           "<?xpacket end='w'?>";
}

QByteArray withXmpPacket(const QByteArray &jpeg, const QByteArray &packet) {
    JpegParts parts = splitJpeg(jpeg);
    const QByteArray xmp = segment(0xE1, xmpIdentifier + packet);
    for (QByteArray &s : parts.segments) {
        if (quint8(s[1]) == 0xE1 && s.mid(4, xmpIdentifier.size()) == xmpIdentifier) {
            s = xmp;
            return parts.join();
        }
    }
    parts.segments.insert(1, xmp);
    return parts.join();
}

QByteArray withXmpExtension(const QByteArray &jpeg, const QByteArray &guid,
                            const QByteArray &packet) {
    JpegParts parts = splitJpeg(jpeg);
    for (int i = 0; i < parts.segments.size(); ++i) {
        const QByteArray &s = parts.segments[i];
        if (quint8(s[1]) == 0xE1 && s.mid(4, xmpIdentifier.size()) == xmpIdentifier) {
            QByteArray body = QByteArray("http://ns.adobe.com/xmp/extension/\0", 35) + guid;
            for (const quint32 v : {quint32(packet.size()), 0u})
                body.append(char(v >> 24))
                    .append(char(v >> 16))
                    .append(char(v >> 8))
                    .append(char(v));
            parts.segments.insert(i + 1, segment(0xE1, body + packet));
            return parts.join();
        }
    }
    qFatal("withXmpExtension wants a JPEG with an XMP segment");
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
