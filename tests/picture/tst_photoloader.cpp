#include "builders.h"
#include "files.h"
#include "imagesize/imagesize.h"
#include "photos.h"
#include "picture/imagelimits.h"
#include "picture/jpegblockpadding.h"
#include "picture/photoloader.h"
#include "picture/previewloader.h"
#include "picture/resizedpicture.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
using namespace testsupport;

namespace {

quint32 pngCrc(const QByteArray &bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray pngChunk(const char *type, const QByteArray &data) {
    QByteArray chunk;
    const quint32 length = quint32(data.size());
    chunk += char(length >> 24);
    chunk += char(length >> 16);
    chunk += char(length >> 8);
    chunk += char(length);
    const QByteArray body = QByteArray(type, 4) + data;
    chunk += body;
    const quint32 crc = pngCrc(body);
    chunk += char(crc >> 24);
    chunk += char(crc >> 16);
    chunk += char(crc >> 8);
    chunk += char(crc);
    return chunk;
}

// A valid PNG header declaring the given size, with almost no pixel data behind it.
QByteArray pngDeclaring(QSize size) {
    QByteArray header;
    for (int v : {size.width(), size.height()})
        for (int shift : {24, 16, 8, 0})
            header += char(quint32(v) >> shift);
    header += QByteArray("\x08\x02\0\0\0", 5); // 8-bit RGB
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) +
           pngChunk("IDAT", QByteArray("\x78\x9c\x03\0\0\0\0\x01", 8)) + pngChunk("IEND", {});
}

} // namespace

class TestPhotoLoader : public QObject {
    Q_OBJECT

    TestFolder dir;

private Q_SLOTS:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void decodesAtReducedScale_data() {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<int>("longerSide");
        QTest::addColumn<QSize>("decoded");
        QTest::addColumn<QRectF>("extent");
        QTest::newRow("one eighth")
            << QSize(4096, 2560) << 250 << QSize(512, 320) << QRectF(0, 0, 512, 320);
        QTest::newRow("two eighths, padded to whole blocks")
            << QSize(2001, 1203) << 250 << QSize(502, 302) << QRectF(0, 0, 500.25, 300.75);
        QTest::newRow("full size")
            << QSize(300, 200) << 250 << QSize(300, 200) << QRectF(0, 0, 300, 200);
        QTest::newRow("keep size")
            << QSize(2001, 1203) << 0 << QSize(2001, 1203) << QRectF(0, 0, 2001, 1203);
    }
    void decodesAtReducedScale() {
        QFETCH(QSize, stored);
        QFETCH(int, longerSide);
        QFETCH(QSize, decoded);
        QFETCH(QRectF, extent);
        const QString path =
            dir.place(QStringLiteral("reduced-%1.jpg").arg(QTest::currentDataTag()),
                      encode(gradientPicture(stored), "jpeg"));
        const pelmora::Result<pelmora::LoadedPhoto> loaded =
            pelmora::loadPhotoForResize(readFile(path), longerSide);
        QVERIFY2(loaded, qPrintable(loaded.reason()));
        QCOMPARE(loaded->photoSize, stored);
        QCOMPARE(loaded->image.size(), decoded);
        QCOMPARE(loaded->extent, extent);
        QCOMPARE(loaded->image.format(), QImage::Format_RGB32);
    }

    void paddedBytesKeepTheirLayout() {
        const QByteArray jpeg = encode(gradientPicture(QSize(2001, 1203)), "jpeg");
        const std::optional<pelmora::JpegFrame> frame = pelmora::readJpegFrame(jpeg);
        QVERIFY(frame && frame->paddable);
        QCOMPARE(frame->size, QSize(2001, 1203));
        const std::optional<QByteArray> padded = pelmora::padJpegToBlocks(jpeg);
        QVERIFY(padded);
        QCOMPARE(padded->size(), jpeg.size());
        QCOMPARE(pelmora::readJpegFrame(*padded)->size, QSize(2008, 1208));
        QImage full;
        QVERIFY(full.loadFromData(*padded, "jpeg"));
        QCOMPARE(full.size(), QSize(2008, 1208));
        QCOMPARE(pelmora::padJpegToBlocks(*padded), std::nullopt); // already whole blocks
    }

    // The padding step finds the frame the header reader finds, in every layout libjpeg reads.
    void paddingFindsTheHeaderReadersFrame_data() {
        QTest::addColumn<QByteArray>("bytes");
        const JpegParts parts = splitJpeg(encode(gradientPicture(QSize(2001, 1203)), "jpeg"));
        const QByteArray head = parts.segments[0];
        const QByteArray rest = parts.join().mid(2);
        QTest::newRow("plain") << parts.join();
        QTest::newRow("stray bytes") << head + "junk" + rest;
        QTest::newRow("fill bytes and TEM") << head + QByteArray::fromHex("FFFF01FFFF") + rest;
        QTest::newRow("second start of image") << head + head + rest;
    }
    void paddingFindsTheHeaderReadersFrame() {
        QFETCH(QByteArray, bytes);
        const std::optional<pelmora::ImageHeader> header =
            pelmora::ReadImageSize(dir.place(QStringLiteral("layout.jpg"), bytes));
        QVERIFY(header);
        const std::optional<pelmora::JpegFrame> frame = pelmora::readJpegFrame(bytes);
        QCOMPARE(frame ? frame->size : QSize(0, 0), QSize(header->size.Width, header->size.Height));
    }

    void refusesWithoutCrashing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("png declaring 65535 x 65535") << pngDeclaring(QSize(65535, 65535));
        QTest::newRow("png declaring 0 x 0") << pngDeclaring(QSize(0, 0));
        const QByteArray jpeg = encode(gradientPicture(QSize(64, 48)), "jpeg");
        QTest::newRow("jpeg declaring 65535 x 65535")
            << withDeclaredSize(jpeg, QSize(65535, 65535));
        QTest::newRow("jpeg declaring 0 x 48") << withDeclaredSize(jpeg, QSize(0, 48));
        QTest::newRow("text") << QByteArray("GIF89a? no");
        QTest::newRow("jpeg markers only") << QByteArray("\xFF\xD8\xFF\xC0\x00\x02\xFF\xD9", 8);
    }
    void refusesWithoutCrashing() {
        QFETCH(QByteArray, bytes);
        const QString path = dir.place(QStringLiteral("refused.bin"), bytes);
        const pelmora::Result<pelmora::LoadedPhoto> loaded =
            pelmora::loadPhotoForResize(readFile(path), 250);
        QVERIFY(!loaded);
        QVERIFY(!loaded.reason().isEmpty());
        QVERIFY(!pelmora::loadPreviewPicture(path, QSize(285, 279)));
    }

    // Damaged photos: any outcome but a crash or a hang; what is returned is usable.
    void damagedJpegs() {
        const QByteArray jpeg = encode(gradientPicture(QSize(403, 301)), "jpeg");
        QRandomGenerator random(20261207);
        for (int round = 0; round < 60; ++round) {
            QByteArray bytes = jpeg;
            if (round % 3 == 0)
                bytes.truncate(random.bounded(int(bytes.size())));
            for (int flips = random.bounded(1, 12); flips > 0; --flips)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            const QString path = dir.place(QStringLiteral("damaged.jpg"), bytes);
            const pelmora::Result<pelmora::LoadedPhoto> loaded =
                pelmora::loadPhotoForResize(readFile(path), 100);
            if (loaded)
                QVERIFY(!loaded->image.isNull() && !loaded->photoSize.isEmpty());
            else
                QVERIFY(!loaded.reason().isEmpty());
        }
    }

    // A photo whose data is damaged converts as far as it reads, with a warning that says so;
    // a whole one, or one with stray bytes that the decoder skips, converts without.
    void damagedDataIsWarnedOf_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("warned");
        const QByteArray jpeg = encode(gradientPicture(QSize(403, 301)), "jpeg");
        QTest::newRow("whole") << jpeg << false;
        QTest::newRow("cut short") << truncatedJpeg(jpeg) << true;
        QTest::newRow("corrupt data") << corruptJpeg(jpeg) << true;
        JpegParts stray = splitJpeg(jpeg);
        stray.segments[2].prepend(QByteArray::fromHex("123456"));
        QTest::newRow("stray bytes between two segments") << stray.join() << false;
    }
    void damagedDataIsWarnedOf() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, warned);
        for (const int longerSide : {0, 100}) { // decoded whole, and at a reduced scale
            const pelmora::Result<pelmora::ResizedPicture> resized =
                pelmora::resizePhotoBytes(bytes, {longerSide, 90, {}});
            QVERIFY2(resized, qPrintable(resized.reason()));
            QCOMPARE(resized->size, longerSide ? QSize(100, 74) : QSize(403, 301));
            QCOMPARE(resized->warnings.size(), warned ? 1 : 0);
            if (warned)
                QVERIFY2(resized->warnings.first().text.contains("damaged"),
                         qPrintable(resized->warnings.first().text));
        }
    }

    // A photo that would come out larger than the limit is refused before it is decoded (the
    // huge PNG holds no pixel data to decode), with a reason that names the limit.
    void refusesOversizeOutput_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("longerSide");
        QTest::addColumn<QString>("size");
        QTest::newRow("kept at 150 megapixels") << hugePng(15000, 10000) << 0 << "15000 x 10000";
        QTest::newRow("reduced, still above") << hugePng(15000, 12000) << 12000 << "12000 x 9600";
        QTest::newRow("one pixel enlarged") << encode(flatPicture(QSize(1, 1), Qt::red), "png")
                                            << pelmora::kLargestLongerSide + 1 << "10001 x 10001";
    }
    void refusesOversizeOutput() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, longerSide);
        QFETCH(QString, size);
        const pelmora::Result<pelmora::ResizedPicture> resized =
            pelmora::resizePhotoBytes(bytes, {longerSide, 90, {}});
        QVERIFY(!resized);
        QVERIFY2(resized.reason().contains(size) && resized.reason().contains("100 megapixels"),
                 qPrintable(resized.reason()));
    }

    void previewAtReducedScale_data() {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("large") << QSize(2560, 1600) << 1 << QSize(320, 200);
        QTest::newRow("needs two eighths") << QSize(1280, 960) << 1 << QSize(320, 240);
        QTest::newRow("turned") << QSize(2560, 1600) << 6 << QSize(200, 320);
        QTest::newRow("small stays whole") << QSize(200, 100) << 1 << QSize(200, 100);
    }
    void previewAtReducedScale() {
        QFETCH(QSize, stored);
        QFETCH(int, orientation);
        QFETCH(QSize, expected);
        QByteArray bytes = encode(gradientPicture(stored), "jpeg");
        if (orientation != 1)
            bytes = withExifOrientation(bytes, orientation);
        const QString path =
            dir.place(QStringLiteral("preview-%1.jpg").arg(QTest::currentDataTag()), bytes);
        const std::optional<pelmora::PreviewPicture> preview =
            pelmora::loadPreviewPicture(path, QSize(285, 279));
        QVERIFY(preview);
        QCOMPARE(preview->image.size(), expected);
        QCOMPARE(preview->photoSize, orientation >= 5 ? stored.transposed() : stored);
    }
};

QTEST_MAIN(TestPhotoLoader)
#include "tst_photoloader.moc"
