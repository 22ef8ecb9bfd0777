// Data-driven tests of the image header reader on real files made in a temporary folder.

#include "builders.h"
#include "files.h"
#include "headercases.h"
#include "imagesize/headerfile.h"
#include "imagesize/imagesize.h"
#include "photos.h"
#include "process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace testsupport;
using pelmora::ImageHeader;

class TestImageSize : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readsSize_data();
    void readsSize();
    void agreesWithQtReader_data();
    void agreesWithQtReader();
    void readsOnlyTheHeader_data();
    void readsOnlyTheHeader();
    void neverCreatesAFile();
    void fifoIsNoPicture();
    void displayText_data();
    void displayText();
    void survivesDamagedHeaders();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QList<HeaderCase> m_cases;
};

void TestImageSize::initTestCase() {
    QVERIFY(m_dir.isValid());
    HeaderCases made(m_dir.path());
    made.make();
    m_cases = made.cases();
}

void TestImageSize::readsSize_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("recognised");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("skip");
    for (const HeaderCase &c : std::as_const(m_cases)) {
        QTest::newRow(qPrintable(c.name))
            << c.name << c.recognised << c.width << c.height << c.format << c.skip;
    }
}

void TestImageSize::readsSize() {
    QFETCH(QString, name);
    QFETCH(bool, recognised);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, format);
    QFETCH(QString, skip);
    if (!skip.isEmpty())
        QSKIP(qPrintable(skip));

    const bool existed = QFileInfo::exists(path(name));
    const std::optional<ImageHeader> header = pelmora::ReadImageSize(path(name));
    QCOMPARE(QFileInfo::exists(path(name)), existed);
    QCOMPARE(header.has_value(), recognised);
    if (!header)
        return;
    QCOMPARE(header->size.Width, width);
    QCOMPARE(header->size.Height, height);
    QCOMPARE(header->format, format);
}

void TestImageSize::agreesWithQtReader_data() {
    QTest::addColumn<QString>("name");
    for (const HeaderCase &c : std::as_const(m_cases)) {
        if (c.decodable && c.skip.isEmpty())
            QTest::newRow(qPrintable(c.name)) << c.name;
    }
}

// The preview shows what Qt reads, turned upright: the size display agrees with it.
void TestImageSize::agreesWithQtReader() {
    QFETCH(QString, name);
    QImageReader reader(path(name));
    QSize size = reader.size();
    QVERIFY2(size.isValid(), qPrintable(reader.errorString()));
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    const std::optional<ImageHeader> header = pelmora::ReadImageSize(path(name));
    QVERIFY(header);
    QCOMPARE(QSize(header->size.Width, header->size.Height), size);
}

void TestImageSize::readsOnlyTheHeader_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("atMost");
    for (const HeaderCase &c : std::as_const(m_cases)) {
        if (!c.skip.isEmpty() || !QFileInfo(path(c.name)).isFile())
            continue;
        qint64 atMost = pelmora::detail::HeaderFile::ReadBudget;
        if (c.name.startsWith("qt-") || c.name.startsWith("exif") || c.name.startsWith("bmp") ||
            c.name.startsWith("png") || c.name.startsWith("cjpeg") || c.name.startsWith("im-") ||
            c.name.startsWith("heif"))
            atMost = 8 * 1024; // the first block, and a few small ones where segments lead
        QTest::newRow(qPrintable(c.name)) << c.name << atMost;
    }
}

// Never more than the budget in all, and a few KB for ordinary files, large or not.
void TestImageSize::readsOnlyTheHeader() {
    QFETCH(QString, name);
    QFETCH(qint64, atMost);
    pelmora::detail::HeaderFile file;
    QVERIFY(file.open(path(name)));
    pelmora::detail::readImageHeader(file);
    QVERIFY2(file.bytesRead() <= atMost,
             qPrintable(QStringLiteral("read %1 bytes").arg(file.bytesRead())));
    QVERIFY(file.bytesRead() <= qMin<qint64>(file.size(), pelmora::detail::HeaderFile::ReadBudget));
}

void TestImageSize::neverCreatesAFile() {
    const QString missing = path("not-there/photo.jpg");
    QVERIFY(!pelmora::ReadImageSize(missing));
    QVERIFY(!QFileInfo::exists(missing));
    QVERIFY(!QFileInfo::exists(path("not-there")));
    QVERIFY(!pelmora::ReadImageSize(QString()));
    QVERIFY(!pelmora::ReadImageSize(path("nothing.jpg")));
    QVERIFY(!QFileInfo::exists(path("nothing.jpg")));
}

void TestImageSize::fifoIsNoPicture() {
#ifdef Q_OS_UNIX
    // A named pipe would block a reader that opened it; it is no picture and is not opened.
    const QString fifo = path("pipe.jpg");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!pelmora::ReadImageSize(fifo));
    QVERIFY(timer.elapsed() < 5000);
#else
    QSKIP("named pipes are a Unix matter");
#endif
}

void TestImageSize::displayText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("640 x 480") << "qt-640x480.jpg"
                               << "ImageSze Width: 640  Height: 480";
    QTest::newRow("wide PNG") << "png-70000-wide.png"
                              << "ImageSze Width: 70000  Height: 3";
    QTest::newRow("turned") << "exif-orientation-6-ii.jpg"
                            << "ImageSze Width: 480  Height: 640";
    QTest::newRow("recognised, unread") << "bare-soi.jpg"
                                        << "ImageSze Width: 0  Height: 0";
    QTest::newRow("DNG: the full picture") << "dng-8x8-preview.dng"
                                           << "ImageSze Width: 6000  Height: 4000";
    QTest::newRow("RAW, unread: no size would be true") << "canon.cr3"
                                                        << "Error";
    QTest::newRow("text") << "text.jpg"
                          << "Error";
    QTest::newRow("missing") << "missing.jpg"
                             << "Error";
    QTest::newRow("folder") << "folder.jpg"
                            << "Error";
}

void TestImageSize::displayText() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QCOMPARE(pelmora::sizeDisplayText(pelmora::ReadImageSize(path(name))), text);
}

// Damaged copies of the headers: whatever the bytes, a header or nothing, never a negative size,
// a format of the list or none. Under the sanitizer builds this is where a stray read would show.
void TestImageSize::survivesDamagedHeaders() {
    QList<QByteArray> seeds;
    for (const HeaderCase &c : std::as_const(m_cases)) {
        const QByteArray bytes = readFile(path(c.name));
        if (!bytes.isEmpty() && bytes.size() < (1 << 17))
            seeds << bytes.left(2048);
    }
    QVERIFY(seeds.size() > 20);
    const QStringList formats{"",     "jpg", "gif", "bmp", "png", "webp", "tif", "heic",
                              "avif", "dng", "nef", "arw", "pef", "srw",  "3fr", "erf",
                              "mef",  "mos", "dcr", "cr2", "iiq", "orf",  "rw2", "raw"};
    QRandomGenerator random(20061);
    const QString damaged = path("damaged.bin");
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = seeds[random.bounded(int(seeds.size()))];
        const int changes = 1 + random.bounded(8);
        for (int k = 0; k < changes && !bytes.isEmpty(); ++k) {
            const int at = random.bounded(int(qMin<qsizetype>(bytes.size(), 300)));
            switch (random.bounded(4)) {
            case 0:
                bytes[at] = char(random.bounded(256));
                break;
            case 1:
                bytes[at] = char(0xFF);
                break;
            case 2:
                bytes[at] = char(bytes[at] ^ 0x80);
                break;
            default:
                bytes.truncate(at);
                break;
            }
        }
        // Rewritten in place, not truncated to nothing first: ext4 flushes a file that is.
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QCOMPARE(file.write(bytes), bytes.size());
        QVERIFY(file.resize(bytes.size()));
        file.close();
        const std::optional<ImageHeader> header = pelmora::ReadImageSize(damaged);
        if (header) {
            QVERIFY(header->size.Width >= 0);
            QVERIFY(header->size.Height >= 0);
            QVERIFY2(formats.contains(header->format), qPrintable(header->format));
        }
    }
}

QTEST_MAIN(TestImageSize)
#include "tst_imagesize.moc"
