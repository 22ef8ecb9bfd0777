#include "exiv2metadata.h"

#include "picture/exifedit.h"
#include "picture/jpegexif.h"
#include "picture/metadatawarnings.h"
#include "picture/xmplocation.h"
#include "picture/xmprepair.h"

#include <QCoreApplication>
#include <algorithm>
#include <exception>
#include <exiv2/exiv2.hpp>
#include <exiv2/webpimage.hpp>
#include <memory>
#include <mutex>
#include <utility>

namespace pelmora {

namespace {

// Exiv2 reports what it skips or cannot decode only through its log, one handler for the whole
// process; each thread collects the messages of the photo it is working on.
thread_local QStringList *exiv2Messages = nullptr;

void collectExiv2Message(int level, const char *message) {
    if (exiv2Messages && level >= Exiv2::LogMsg::warn)
        exiv2Messages->append(QString::fromUtf8(message).trimmed());
}

class Exiv2Messages {
public:
    Exiv2Messages() { exiv2Messages = &m_messages; }
    ~Exiv2Messages() { exiv2Messages = nullptr; }
    Exiv2Messages(const Exiv2Messages &) = delete;
    Exiv2Messages &operator=(const Exiv2Messages &) = delete;

    // The messages since the last call.
    QStringList take() { return std::exchange(m_messages, {}); }

private:
    QStringList m_messages;
};

std::recursive_mutex xmpToolkitMutex;

void lockXmpToolkit(void *, bool lock) {
    if (lock)
        xmpToolkitMutex.lock();
    else
        xmpToolkitMutex.unlock();
}

// The XMP toolkit must be set up once before threads use it, with a lock for its namespace
// registry, which XMP naming a namespace of its own changes.
void setUpExiv2() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::warn);
        Exiv2::LogMsg::setHandler(collectExiv2Message);
        Exiv2::XmpParser::initialize(lockXmpToolkit, nullptr);
    });
}

const Exiv2::byte *exiv2Bytes(const QByteArray &bytes) {
    return reinterpret_cast<const Exiv2::byte *>(bytes.constData());
}

QString whatFailed(const std::exception &error) {
    return QString::fromUtf8(error.what()).trimmed();
}

struct PhotoMetadata {
    QByteArray jpegExif;  // a JPEG's EXIF, edited in place (TIFF structure)
    Exiv2::ExifData exif; // the EXIF of other formats, through Exiv2
    Exiv2::ByteOrder byteOrder = Exiv2::littleEndian; // of that EXIF
    Exiv2::IptcData iptc;
    Exiv2::XmpData xmp;
    QByteArray icc;

    bool describesPhoto() const {
        return !jpegExif.isEmpty() || !exif.empty() || !iptc.empty() || !xmp.empty();
    }
};

void eraseWhere(Exiv2::ExifData &exif, auto matches) {
    for (auto it = exif.begin(); it != exif.end();)
        it = matches(*it) ? exif.erase(it) : std::next(it);
}

void eraseWhere(Exiv2::XmpData &xmp, auto matches) {
    for (auto it = xmp.begin(); it != xmp.end();)
        it = matches(*it) ? xmp.erase(it) : std::next(it);
}

bool startsWith(const std::string &text, const char *prefix) {
    return text.rfind(prefix, 0) == 0;
}

// IFD0 tags of a TIFF original that describe how its own pixel data is stored, or that hold the
// XMP, IPTC and ICC profile the JPEG carries in segments of their own.
bool describesStoredData(const Exiv2::Exifdatum &datum) {
    static const char *const keys[] = {
        "Exif.Image.NewSubfileType",      "Exif.Image.SubfileType",
        "Exif.Image.ImageWidth",          "Exif.Image.ImageLength",
        "Exif.Image.BitsPerSample",       "Exif.Image.Compression",
        "Exif.Image.FillOrder",           "Exif.Image.SamplesPerPixel",
        "Exif.Image.PlanarConfiguration", "Exif.Image.Predictor",
        "Exif.Image.TileWidth",           "Exif.Image.TileLength",
        "Exif.Image.TileOffsets",         "Exif.Image.TileByteCounts",
        "Exif.Image.ExtraSamples",        "Exif.Image.SampleFormat",
        "Exif.Image.JPEGTables",          "Exif.Image.YCbCrSubSampling",
        "Exif.Image.XMLPacket",           "Exif.Image.IPTCNAA",
        "Exif.Image.ImageResources",      "Exif.Image.InterColorProfile",
    };
    const std::string key = datum.key();
    for (const char *k : keys)
        if (key == k)
            return true;
    return false;
}

void setIfPresent(Exiv2::ExifData &exif, const char *key, uint32_t value) {
    const auto it = exif.findKey(Exiv2::ExifKey(key));
    if (it != exif.end())
        *it = value;
}

void setIfPresent(Exiv2::XmpData &xmp, const char *key, int value) {
    const auto it = xmp.findKey(Exiv2::XmpKey(key));
    if (it != xmp.end())
        *it = std::to_string(value);
}

// The metadata as it describes the resized picture: upright, `pixels` in size, no thumbnail of
// the original, and no position unless the policy keeps it.
void describeResized(PhotoMetadata &metadata, QSize pixels, MetadataPolicy policy,
                     PictureFormat format) {
    Exiv2::ExifData &exif = metadata.exif;
    Exiv2::ExifThumb(exif).erase();
    eraseWhere(exif, describesStoredData);
    if (const auto it = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation")); it != exif.end())
        *it = uint16_t(1);
    // Asked of a JPEG's EXIF, not of a PNG's or a TIFF's: the JPEG's chroma is centred.
    if (format == PictureFormat::Jpeg && !exif.empty() &&
        exif.findKey(Exiv2::ExifKey("Exif.Image.YCbCrPositioning")) == exif.end())
        exif["Exif.Image.YCbCrPositioning"] = uint16_t(1);
    setIfPresent(exif, "Exif.Photo.PixelXDimension", uint32_t(pixels.width()));
    setIfPresent(exif, "Exif.Photo.PixelYDimension", uint32_t(pixels.height()));

    Exiv2::XmpData &xmp = metadata.xmp;
    eraseWhere(xmp,
               [](const Exiv2::Xmpdatum &d) { return startsWith(d.key(), "Xmp.xmp.Thumbnails"); });
    setIfPresent(xmp, "Xmp.tiff.Orientation", 1);
    setIfPresent(xmp, "Xmp.tiff.ImageWidth", pixels.width());
    setIfPresent(xmp, "Xmp.tiff.ImageLength", pixels.height());
    setIfPresent(xmp, "Xmp.exif.PixelXDimension", pixels.width());
    setIfPresent(xmp, "Xmp.exif.PixelYDimension", pixels.height());

    if (policy != MetadataPolicy::WithLocation) {
        eraseWhere(exif, [](const Exiv2::Exifdatum &d) {
            return d.groupName() == "GPSInfo" || d.key() == "Exif.Image.GPSTag";
        });
        eraseWhere(xmp, [](const Exiv2::Xmpdatum &d) { return isXmpPosition(d.key()); });
    }
}

// The JPEG or TIFF file rewritten with the metadata (the ICC profile alone when `describing` is
// false).
QByteArray rewritten(const QByteArray &picture, const PhotoMetadata &metadata, bool describing) {
    QByteArray written = picture;
    if (!metadata.icc.isEmpty() ||
        (describing &&
         (!metadata.exif.empty() || !metadata.iptc.empty() || !metadata.xmp.empty()))) {
        auto image = Exiv2::ImageFactory::open(exiv2Bytes(picture), long(picture.size()));
        if (describing) {
            image->setExifData(metadata.exif);
            image->setIptcData(metadata.iptc);
            image->setXmpData(metadata.xmp);
        }
        if (!metadata.icc.isEmpty()) {
            Exiv2::DataBuf icc(exiv2Bytes(metadata.icc), long(metadata.icc.size()));
            image->setIccProfile(icc, false);
        }
        image->writeMetadata();
        Exiv2::BasicIo &io = image->io();
        written = QByteArray(reinterpret_cast<const char *>(io.mmap()), qsizetype(io.size()));
    }
    if (describing && !metadata.jpegExif.isEmpty())
        written = withExifSegment(written, metadata.jpegExif);
    return written;
}

struct Rewrite {
    bool written = false;
    QStringList whatWasLeftOut; // in Exiv2's words; empty when everything was written
};

// Rewrites the picture with the metadata; when that fails, the picture stays as it was.
Rewrite tryRewrite(QByteArray &picture, const PhotoMetadata &metadata, bool describing,
                   Exiv2Messages &messages) {
    try {
        picture = rewritten(picture, metadata, describing);
        return {true, messages.take()};
    } catch (const std::exception &error) {
        messages.take();
        return {false, {whatFailed(error)}};
    } catch (...) {
        messages.take();
        return {false, {QStringLiteral("unknown error")}};
    }
}

// The formats photos come in whose metadata is carried over. Exiv2 tells others apart too, videos
// among them, whose readers allocate whatever sizes their bytes declare (a fuzzed "QuickTime"
// file asked for 4 GB); a picture Qt decoded is never one of those.
bool isPhotoFormat(int type) {
    return type == Exiv2::ImageType::jpeg || type == Exiv2::ImageType::png ||
           type == Exiv2::ImageType::tiff || type == Exiv2::ImageType::webp ||
           type == Exiv2::ImageType::bmff;
}

QString localName(const QString &qualifiedName) {
    return qualifiedName.sliced(qualifiedName.indexOf(QLatin1Char(':')) + 1);
}

// Properties of the stored pixels: their density, size and turn. Two values of one of them lose
// nothing a resized photo keeps (digiKam writes the thumbnail's density after the photo's), so
// dropping the second is no loss to warn of.
bool describesPixels(const QString &qualifiedName) {
    static const QStringList pixels{
        QStringLiteral("XResolution"),     QStringLiteral("YResolution"),
        QStringLiteral("ResolutionUnit"),  QStringLiteral("ImageWidth"),
        QStringLiteral("ImageLength"),     QStringLiteral("PixelXDimension"),
        QStringLiteral("PixelYDimension"), QStringLiteral("Orientation")};
    return pixels.contains(localName(qualifiedName));
}

// Exiv2 refuses as a whole XMP that repeats a property. Read again without the repetitions, it is
// kept, and Exiv2's words for the refusal (each names the XMP) are dropped from what it said.
void readRepairedXmp(Exiv2::XmpData &xmp, const std::string &packet, MetadataPolicy policy,
                     Exiv2Messages &messages, QStringList &said, Warnings &warnings) {
    const std::optional<RepairedXmp> repaired = withoutRepeatedProperties(packet);
    if (!repaired)
        return;
    const bool read = Exiv2::XmpParser::decode(xmp, repaired->packet) == 0;
    (void)messages.take();
    if (!read) {
        xmp.clear();
        return;
    }
    said.removeIf([](const QString &message) { return message.contains(QLatin1String("XMP")); });
    QStringList lost = repaired->differing;
    lost.removeIf(describesPixels);
    if (policy != MetadataPolicy::WithLocation)
        lost.removeIf(
            [](const QString &name) { return namesPosition(localName(name).toStdString()); });
    if (!lost.isEmpty())
        warnings.append(xmpRepeatsDropped(lost.join(QLatin1String(", "))));
}

// A JPEG's XMP too large for one segment continues in extended XMP segments, which Exiv2 reads
// and writes none of: the main packet's reference to them goes too, and a warning when they are
// there.
void leaveOutExtension(Exiv2::XmpData &xmp, const QByteArray &photo, Warnings &warnings) {
    // By the key's text: Exiv2 knows the namespace only once a packet has named it.
    const auto it = std::find_if(xmp.begin(), xmp.end(), [](const Exiv2::Xmpdatum &d) {
        return d.key() == "Xmp.xmpNote.HasExtendedXMP";
    });
    if (it == xmp.end())
        return;
    const QString guid = QString::fromStdString(it->toString());
    xmp.erase(it);
    if (photo.contains(QByteArrayLiteral("http://ns.adobe.com/xmp/extension/")))
        warnings.append(xmpExtensionLeftOut(QStringLiteral("xmpNote:HasExtendedXMP ") + guid));
}

// The photo's metadata as the resized picture carries it.
void readFrom(PhotoMetadata &metadata, const QByteArray &photo, const MetadataRequest &request,
              Exiv2Messages &messages, Warnings &warnings) {
    const MetadataPolicy policy = request.policy;
    auto image = Exiv2::ImageFactory::open(exiv2Bytes(photo), long(photo.size()));
    image->readMetadata();
    QStringList said = messages.take();
    if (policy != MetadataPolicy::Strip) {
        metadata.exif = image->exifData();
        metadata.byteOrder =
            image->byteOrder() == Exiv2::bigEndian ? Exiv2::bigEndian : Exiv2::littleEndian;
        metadata.iptc = image->iptcData();
        metadata.xmp = image->xmpData();
        if (metadata.xmp.empty() && !image->xmpPacket().empty())
            readRepairedXmp(metadata.xmp, image->xmpPacket(), policy, messages, said, warnings);
        leaveOutExtension(metadata.xmp, photo, warnings);
        describeResized(metadata, request.pixels, policy, request.format);
        if (!said.isEmpty())
            warnings.append(metadataNotRead(said.first()));
    }
    if (image->iccProfileDefined()) {
        const Exiv2::DataBuf *icc = image->iccProfile();
        metadata.icc = QByteArray(reinterpret_cast<const char *>(icc->pData_), icc->size_);
    }
}

// The JPEG's EXIF as the resized picture carries it, or a warning why it cannot.
void readJpegExif(PhotoMetadata &metadata, const QByteArray &tiff, const MetadataRequest &request,
                  Warnings &warnings) {
    Result<EditedExif> exif =
        exifForResized(tiff, request.pixels, request.policy == MetadataPolicy::WithLocation);
    if (!exif) {
        warnings.append(exifLeftOut(exif.reason()));
    } else if (request.format == PictureFormat::Jpeg && exif->tiff.size() > kMaxExifSegmentTiff) {
        warnings.append(
            exifTooLarge(QCoreApplication::translate(
                             "pelmora", "%1 bytes, more than the %2 bytes one segment holds")
                             .arg(exif->tiff.size())
                             .arg(kMaxExifSegmentTiff)));
    } else {
        metadata.jpegExif = std::move(exif->tiff);
        warnings += exif->warnings;
    }
}

// Reads the photo's metadata. A JPEG's EXIF is edited in place, Exiv2 reads the rest of its
// header; from other formats Exiv2 reads everything. Whether there is anything to carry.
bool read(PhotoMetadata &metadata, const MetadataRequest &request, Exiv2Messages &messages,
          Warnings &warnings) {
    const QByteArray &photo = request.photo;
    const MetadataPolicy policy = request.policy;
    const std::optional<JpegExifSplit> jpeg = splitJpegExif(photo);
    const QByteArray &forExiv2 = jpeg ? jpeg->otherHeader : photo;
    QString failure;
    try {
        if (!isPhotoFormat(
                Exiv2::ImageFactory::getType(exiv2Bytes(forExiv2), long(forExiv2.size()))))
            return false; // no metadata Exiv2 should read
        readFrom(metadata, forExiv2, request, messages, warnings);
    } catch (const std::exception &error) {
        failure = whatFailed(error);
    } catch (...) {
        failure = QStringLiteral("unknown error");
    }
    if (!failure.isEmpty()) {
        (void)messages.take();
        warnings.append(metadataNotRead(failure));
        metadata = {};
    }
    if (jpeg && !jpeg->tiff.isEmpty() && policy != MetadataPolicy::Strip)
        readJpegExif(metadata, jpeg->tiff, request, warnings);
    return true;
}

// A JPEG's EXIF, edited in place, as Exiv2's data, for a TIFF file, which holds the EXIF in its
// own directories. What describes the JPEG's stored data goes.
void decodeJpegExif(PhotoMetadata &metadata) {
    if (metadata.jpegExif.isEmpty())
        return;
    const QByteArray tiff = std::exchange(metadata.jpegExif, {});
    metadata.byteOrder =
        Exiv2::ExifParser::decode(metadata.exif, exiv2Bytes(tiff), uint32_t(tiff.size()));
    eraseWhere(metadata.exif, describesStoredData);
}

// The EXIF as a TIFF file's directories hold it: a JPEG's decoded, and without what the EXIF says
// only of compressed pictures (the TIFF's own directory says it).
void describeTiff(PhotoMetadata &metadata, Warnings &warnings) {
    try {
        decodeJpegExif(metadata);
    } catch (const std::exception &error) {
        metadata.exif.clear();
        warnings.append(exifLeftOut(whatFailed(error)));
    }
    eraseWhere(metadata.exif, [](const Exiv2::Exifdatum &d) {
        return d.key() == "Exif.Photo.ComponentsConfiguration" ||
               d.key() == "Exif.Photo.CompressedBitsPerPixel" ||
               d.key() == "Exif.Photo.PixelXDimension" || d.key() == "Exif.Photo.PixelYDimension";
    });
}

// The XMP and, where the XMP lacks them, what the IPTC says (caption, keywords, credit, ...), for
// formats that have no place for IPTC.
Exiv2::XmpData withIptcInXmp(const PhotoMetadata &metadata) {
    Exiv2::XmpData xmp = metadata.xmp;
    Exiv2::XmpData fromIptc;
    Exiv2::copyIptcToXmp(metadata.iptc, fromIptc);
    for (const Exiv2::Xmpdatum &datum : fromIptc)
        if (xmp.findKey(Exiv2::XmpKey(datum.key())) == xmp.end())
            xmp.add(datum);
    return xmp;
}

// The metadata as the parts an encoder embeds (the ICC profile alone when `describing` is false).
EmbeddedMetadata embedded(const PhotoMetadata &metadata, bool describing) {
    EmbeddedMetadata parts;
    parts.icc = metadata.icc;
    if (!describing)
        return parts;
    if (!metadata.jpegExif.isEmpty()) {
        parts.exif = metadata.jpegExif;
    } else if (!metadata.exif.empty()) {
        Exiv2::Blob blob;
        Exiv2::ExifParser::encode(blob, metadata.byteOrder, metadata.exif);
        parts.exif =
            QByteArray(reinterpret_cast<const char *>(blob.data()), qsizetype(blob.size()));
    }
    if (const Exiv2::XmpData xmp = withIptcInXmp(metadata); !xmp.empty()) {
        std::string packet;
        if (Exiv2::XmpParser::encode(packet, xmp, Exiv2::XmpParser::useCompactFormat) == 0)
            parts.xmp = QByteArray::fromStdString(packet);
    }
    return parts;
}

// The parts an encoder embeds; when they cannot be made, the ICC profile alone, with a warning.
void prepareEmbedded(CarriedMetadata &carried, const PhotoMetadata &metadata,
                     Exiv2Messages &messages) {
    QString failure;
    try {
        carried.embedded = embedded(metadata, metadata.describesPhoto());
    } catch (const std::exception &error) {
        failure = whatFailed(error);
    } catch (...) {
        failure = QStringLiteral("unknown error");
    }
    QStringList said = messages.take();
    if (!failure.isEmpty()) {
        carried.embedded = {{}, {}, metadata.icc};
        said.prepend(failure);
    }
    if (!said.isEmpty())
        carried.warnings.append(metadataNotWritten(said.first()));
}

} // namespace

CarriedMetadata carryPhotoMetadata(const MetadataRequest &request) {
    CarriedMetadata carried{request.picture, {}, {}};
    if (request.format == PictureFormat::Bmp)
        return carried;
    setUpExiv2();
    Exiv2Messages messages;

    PhotoMetadata metadata;
    if (!read(metadata, request, messages, carried.warnings))
        return carried;
    if (!metadata.describesPhoto() && metadata.icc.isEmpty())
        return carried;
    if (request.format != PictureFormat::Jpeg && request.format != PictureFormat::Tiff) {
        prepareEmbedded(carried, metadata, messages);
        return carried;
    }
    if (request.format == PictureFormat::Tiff)
        describeTiff(metadata, carried.warnings);

    // When the whole cannot be written, the colour profile alone still keeps the colours right.
    const bool describing = metadata.describesPhoto();
    const Rewrite whole = tryRewrite(carried.picture, metadata, describing, messages);
    if (!whole.written && describing && !metadata.icc.isEmpty())
        (void)tryRewrite(carried.picture, metadata, false, messages);
    if (!whole.whatWasLeftOut.isEmpty())
        carried.warnings.append(metadataNotWritten(whole.whatWasLeftOut.first()));
    return carried;
}

} // namespace pelmora
