// bench-resize: times the resize core on a corpus of real photographs, one core.
//
//   bench-resize CORPUS_DIR [ROUNDS] [metadata]      (metadata: sections 3 and 4 only)
//
// 1. One 5120x2880 photo to 250 px: reduced-scale decode vs full decode (decode + Lanczos3).
// 2. Whole pipeline (decode, reduce, encode at quality 50) per photo at 250 and 1024 px, beside
//    the decode floor (QImageReader's scaled decode alone, same rounds), and the mean PSNR of the
//    written JPEGs against ImageMagick's Lanczos reduction of the full photo (EXIF orientation
//    applied) to the same size.
// 3. The metadata step alone per photo (reading the photo's EXIF, IPTC, XMP and ICC profile and
//    writing them into its 250 px JPEG): median and largest per photo, and the warnings it gives.
// 4. The EXIF of each photo that has one, as the resized JPEG carries it: our in-place editor
//    against Exiv2 decoding and encoding the same EXIF with the same edits, per photo, and
//    whether the maker notes come out byte for byte.

#include "batch/resizetojpeg.h"
#include "picture/exifedit.h"
#include "picture/imagelimits.h"
#include "picture/jpegexif.h"
#include "picture/lanczos.h"
#include "picture/metadata.h"
#include "picture/photoloader.h"
#include "picture/resizedpicture.h"
#include "picture/resizegeometry.h"
#include "picture/tiffifd.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <exiv2/exiv2.hpp>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double msSince(const QElapsedTimer &timer) {
    return timer.nsecsElapsed() / 1e6;
}

QSize uprightSize(const QString &path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    return reader.transformation() & QImageIOHandler::TransformationRotate90 ? size.transposed()
                                                                             : size;
}

bool freshCopy(const QString &from, const QString &to) {
    QFile::remove(to);
    return QFile::copy(from, to);
}

// The picture the resize made, written over the photo it was made from (the benchmark's own
// plain write: the conversion's transaction, trash and journal are not timed here).
void writeOver(const QString &path, const pelmora::Result<pelmora::ResizedPhoto> &picture) {
    QFile file(path);
    if (!picture || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(picture->picture.bytes) != picture->picture.bytes.size())
        std::fprintf(stderr, "failed: %s\n", qPrintable(path));
}

// Decode + reduce of one photo to a longer side, the decode either reduced or full.
double decodeAndReduce(const QString &path, int longerSide, bool reduced) {
    QElapsedTimer timer;
    timer.start();
    if (reduced) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const pelmora::Result<pelmora::LoadedPhoto> loaded =
            pelmora::loadPhotoForResize(file.readAll(), longerSide);
        const QSize target = *pelmora::scaledToLongerSide(loaded->photoSize, longerSide);
        const QImage out = pelmora::lanczosResample(loaded->image, loaded->extent, target);
        Q_UNUSED(out);
    } else {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        const QImage image = reader.read();
        const QSize target = *pelmora::scaledToLongerSide(image.size(), longerSide);
        const QImage out =
            pelmora::lanczosResample(image, QRectF(QPointF(0, 0), QSizeF(image.size())), target);
        Q_UNUSED(out);
    }
    return msSince(timer);
}

std::optional<double> psnr(const QString &im, const QString &compare, const QString &original,
                           const QString &written, const QString &scratch) {
    const QSize size = QImageReader(written).size();
    const QString reference = scratch + QStringLiteral("/reference.png");
    if (QProcess::execute(im, {original, QStringLiteral("-auto-orient"), QStringLiteral("-filter"),
                               QStringLiteral("Lanczos"), QStringLiteral("-resize"),
                               QStringLiteral("%1x%2!").arg(size.width()).arg(size.height()),
                               reference}) != 0)
        return std::nullopt;
    QProcess process;
    process.start(compare, {QStringLiteral("-metric"), QStringLiteral("PSNR"), written, reference,
                            QStringLiteral("null:")});
    process.waitForFinished(-1);
    const QString text = QString::fromLatin1(process.readAllStandardError());
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^\\s*([0-9.]+)")).match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toDouble();
}

const Exiv2::byte *exiv2Bytes(const QByteArray &bytes) {
    return reinterpret_cast<const Exiv2::byte *>(bytes.constData());
}

// The EXIF as Exiv2 would carry it: decoded, edited as the editor edits it, encoded again.
QByteArray exifThroughExiv2(const QByteArray &tiff, QSize pixels) {
    Exiv2::ExifData exif;
    const Exiv2::ByteOrder order =
        Exiv2::ExifParser::decode(exif, exiv2Bytes(tiff), uint32_t(tiff.size()));
    Exiv2::ExifThumb(exif).erase();
    for (auto it = exif.begin(); it != exif.end();)
        it = it->groupName() == "GPSInfo" || it->key() == "Exif.Image.GPSTag" ? exif.erase(it)
                                                                              : std::next(it);
    if (const auto it = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation")); it != exif.end())
        *it = uint16_t(1);
    for (const auto &[key, value] : {std::pair{"Exif.Photo.PixelXDimension", pixels.width()},
                                     std::pair{"Exif.Photo.PixelYDimension", pixels.height()}})
        if (const auto it = exif.findKey(Exiv2::ExifKey(key)); it != exif.end())
            *it = uint32_t(value);
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, nullptr, 0, order, exif);
    return QByteArray(reinterpret_cast<const char *>(blob.data()), qsizetype(blob.size()));
}

// The bytes of the Exif IFD's maker note entry, wherever it points; empty when there is none.
QByteArray makerNote(QByteArray tiff) {
    pelmora::TiffBytes bytes(tiff);
    if (!bytes.readHeader())
        return {};
    const std::optional<pelmora::TiffIfd> ifd0 = pelmora::readIfd(bytes, bytes.u32(4));
    const std::optional<pelmora::TiffIfd::Entry> pointer = ifd0 ? ifd0->find(0x8769) : std::nullopt;
    const std::optional<pelmora::TiffIfd> exif =
        pointer ? pelmora::readIfd(bytes, bytes.u32(pointer->at + 8)) : std::nullopt;
    const std::optional<pelmora::TiffIfd::Entry> note = exif ? exif->find(0x927C) : std::nullopt;
    if (!note || note->count <= 4)
        return {};
    return tiff.mid(qsizetype(bytes.u32(note->at + 8)), qsizetype(note->count));
}

// Sections 3 and 4.
void timeMetadata(const QStringList &photos, int rounds) {
    // 3. the metadata step alone
    std::vector<double> medians, fastest;
    int warned = 0;
    for (const QString &path : photos) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        pelmora::ResizeOptions options;
        options.longerSide = 250;
        options.metadata = pelmora::MetadataPolicy::Strip;
        const pelmora::Result<pelmora::ResizedPicture> resized =
            pelmora::resizePhotoBytes(bytes, options);
        if (!resized)
            continue;
        std::vector<double> times;
        pelmora::CarriedMetadata carried;
        for (int r = 0; r < rounds; ++r) {
            QElapsedTimer timer;
            timer.start();
            carried = pelmora::withPhotoMetadata({pelmora::PictureFormat::Jpeg, resized->bytes,
                                                  bytes, resized->size,
                                                  pelmora::MetadataPolicy::WithoutLocation});
            times.push_back(msSince(timer));
        }
        medians.push_back(median(times));
        fastest.push_back(*std::min_element(times.begin(), times.end()));
        std::fprintf(stderr, "%s: metadata step %.3f ms\n", qPrintable(QDir(path).dirName()),
                     medians.back());
        warned += !carried.warnings.isEmpty();
        for (const pelmora::Warning &warning : carried.warnings)
            std::fprintf(stderr, "%s: %s: %s\n", qPrintable(QDir(path).dirName()),
                         qPrintable(warning.text), qPrintable(warning.detail));
    }
    if (!medians.empty()) {
        double sum = 0, sumFastest = 0;
        for (double m : medians)
            sum += m;
        for (double f : fastest)
            sumFastest += f;
        std::printf("\nmetadata step (read + write into the 250 px JPEG), median of %d rounds "
                    "per photo: mean %.3f ms, largest %.3f ms; %d of %d photos warned\n",
                    rounds, sum / medians.size(), *std::max_element(medians.begin(), medians.end()),
                    warned, int(medians.size()));
        // The fastest round of each photo, which other processes on the cores disturb least.
        std::printf("metadata step, fastest of %d rounds per photo: mean %.3f ms\n", rounds,
                    sumFastest / fastest.size());
    }

    // 4. the EXIF: our editor against Exiv2's encoder
    std::vector<double> editorTimes, exiv2Times;
    int notes = 0, editorKept = 0, exiv2Kept = 0;
    for (const QString &path : photos) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const std::optional<pelmora::JpegExifSplit> split = pelmora::splitJpegExif(file.readAll());
        if (!split || split->tiff.size() <= 20) // none, or an empty one
            continue;
        const QSize pixels(250, 156);
        std::vector<double> editor, exiv2;
        QByteArray edited, encoded;
        for (int r = 0; r < rounds; ++r) {
            QElapsedTimer timer;
            timer.start();
            const pelmora::Result<pelmora::EditedExif> result =
                pelmora::exifForResized(split->tiff, pixels, false);
            editor.push_back(msSince(timer));
            edited = result ? result->tiff : QByteArray();
            timer.start();
            try {
                encoded = exifThroughExiv2(split->tiff, pixels);
            } catch (const std::exception &) {
                encoded.clear();
            }
            exiv2.push_back(msSince(timer));
        }
        editorTimes.push_back(median(editor));
        exiv2Times.push_back(median(exiv2));
        const QByteArray note = makerNote(split->tiff);
        const bool hasNote = !note.isEmpty();
        notes += hasNote;
        editorKept += hasNote && makerNote(edited) == note;
        exiv2Kept += hasNote && !encoded.isEmpty() && makerNote(encoded) == note;
        std::fprintf(stderr, "%s: EXIF %d bytes%s: editor %.3f ms, Exiv2 %.3f ms\n",
                     qPrintable(QDir(path).dirName()), int(split->tiff.size()),
                     hasNote ? ", maker notes" : "", editorTimes.back(), exiv2Times.back());
    }
    if (!editorTimes.empty()) {
        const auto mean = [](const std::vector<double> &v) {
            double sum = 0;
            for (double x : v)
                sum += x;
            return sum / v.size();
        };
        std::printf("\nEXIF of %d photos, median of %d rounds per photo: editor mean %.3f ms, "
                    "largest %.3f ms; Exiv2 decode + encode mean %.3f ms, largest %.3f ms; "
                    "maker notes byte for byte: editor %d of %d, Exiv2 %d of %d\n",
                    int(editorTimes.size()), rounds, mean(editorTimes),
                    *std::max_element(editorTimes.begin(), editorTimes.end()), mean(exiv2Times),
                    *std::max_element(exiv2Times.begin(), exiv2Times.end()), editorKept, notes,
                    exiv2Kept, notes);
    }
}

} // namespace

int main(int argc, char **argv) {
    pelmora::keepPhotoBuffersForReuse(); // as the application does
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-resize CORPUS_DIR [ROUNDS] [metadata]\n"
                             "  (make a corpus with bench/make-corpus.sh CORPUS_DIR)\n");
        return 2;
    }
    const QDir corpus(QString::fromLocal8Bit(argv[1]));
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    const bool metadataOnly = argc > 3 && QByteArray(argv[3]) == "metadata";
    QStringList photos;
    for (const QString &name : corpus.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
        photos << corpus.filePath(name);
    if (photos.isEmpty()) {
        std::fprintf(stderr, "no JPEG files in %s\n", argv[1]);
        return 1;
    }
    QTemporaryDir scratch;
    if (metadataOnly) {
        timeMetadata(photos, rounds);
        return 0;
    }

    // 1. reduced vs full decode on a 5120 x 2880 photo
    const auto big = std::find_if(photos.begin(), photos.end(), [](const QString &p) {
        return QImageReader(p).size() == QSize(5120, 2880);
    });
    if (big != photos.end()) {
        std::vector<double> reduced, full, whole;
        const QString copy = scratch.filePath(QStringLiteral("big.jpg"));
        for (int r = 0; r < rounds; ++r) {
            reduced.push_back(decodeAndReduce(*big, 250, true));
            full.push_back(decodeAndReduce(*big, 250, false));
            freshCopy(*big, copy);
            QElapsedTimer timer;
            timer.start();
            writeOver(copy, pelmora::ResizeToJpeg(copy, pelmora::PictureFormat::Jpeg,
                                                  {QStringLiteral("250"), 5, {}}));
            whole.push_back(msSince(timer));
        }
        std::printf("5120x2880 -> 250 px (%s), median of %d:\n", qPrintable(QDir(*big).dirName()),
                    rounds);
        std::printf("  reduced-scale decode + Lanczos3: %7.1f ms\n", median(reduced));
        std::printf("  full decode + Lanczos3:          %7.1f ms\n", median(full));
        std::printf("  ResizeToJpeg and a plain write:  %7.1f ms\n\n", median(whole));
    }

    // 2. whole pipeline per photo and quality
    const QString im = QStandardPaths::findExecutable(QStringLiteral("convert-im6.q16"));
    const QString compare = QStandardPaths::findExecutable(QStringLiteral("compare-im6.q16"));
    std::printf("%d photos, quality 5 (JPEG 50), one core\n", int(photos.size()));
    std::printf(
        "| longer side | ms per photo (median of %d rounds) | decode floor ms | ratio | mean "
        "PSNR dB | upright |\n",
        rounds);
    std::printf("|---|---|---|---|---|---|\n");
    for (int longerSide : {250, 1024}) {
        const pelmora::ResizeSettings settings{QString::number(longerSide), 5, {}};
        std::vector<double> perRound, floorPerRound;
        QStringList copies;
        for (int r = 0; r < rounds; ++r) {
            copies.clear();
            for (int i = 0; i < photos.size(); ++i) {
                copies << scratch.filePath(QStringLiteral("p%1.jpg").arg(i));
                freshCopy(photos[i], copies.last());
            }
            QElapsedTimer timer;
            timer.start();
            for (const QString &copy : copies)
                writeOver(copy,
                          pelmora::ResizeToJpeg(copy, pelmora::PictureFormat::Jpeg, settings));
            perRound.push_back(msSince(timer) / photos.size());

            // the decode floor in the same round: Qt's own scaled decode, nothing else
            timer.start();
            for (const QString &photo : photos) {
                QImageReader reader(photo);
                reader.setAutoTransform(true);
                const QSize stored = reader.size();
                reader.setScaledSize(
                    pelmora::jpegScaledSize(stored, pelmora::reductionEighths(stored, longerSide)));
                const QImage image = reader.read();
                Q_UNUSED(image);
            }
            floorPerRound.push_back(msSince(timer) / photos.size());
        }
        int upright = 0;
        double sum = 0;
        int measured = 0;
        for (int i = 0; i < photos.size(); ++i) {
            const QSize expected = *pelmora::scaledToLongerSide(uprightSize(photos[i]), longerSide);
            upright += QImageReader(copies[i]).size() == expected;
            if (im.isEmpty() || compare.isEmpty())
                continue;
            if (const std::optional<double> db =
                    psnr(im, compare, photos[i], copies[i], scratch.path())) {
                sum += *db;
                ++measured;
            }
        }
        std::printf("| %d | %.1f | %.1f | %.2f | %s | %d/%d |\n", longerSide, median(perRound),
                    median(floorPerRound), median(perRound) / median(floorPerRound),
                    measured ? qPrintable(QString::number(sum / measured, 'f', 2)) : "n/a", upright,
                    int(photos.size()));
        std::fflush(stdout);
    }

    timeMetadata(photos, rounds);
    return 0;
}
