// What the window tells of a conversion from its result alone: its refusals, then its end message.

#include "app/conversionsummary.h"
#include "app/uitexts.h"

#include <QTest>

using pelmora::BatchEntryResult;
using pelmora::BatchResult;
using pelmora::ConversionStatus;

namespace {

// "name:status[:reason][:warning[:detail]]" for each photo; status c(onverted), f(ailed),
// r(efused for its size before the first photo), m(issing name), n(ot started).
BatchResult batchOf(const QStringList &photos, const QString &fatalError = {}) {
    BatchResult result;
    result.fatalError = fatalError;
    for (const QString &photo : photos) {
        const QStringList f = photo.split(u':');
        BatchEntryResult e;
        e.entry = {QStringLiteral("/in/"), f[0]};
        const QChar s = f[1].front();
        e.result.status = s == u'c'                ? ConversionStatus::Converted
                          : s == u'f' || s == u'r' ? ConversionStatus::Failed
                          : s == u'm'              ? ConversionStatus::MissingTargetName
                                                   : ConversionStatus::NotStarted;
        e.result.refusedForSize = s == u'r';
        if (f.size() > 2 && !f[2].isEmpty())
            e.result.reason = f[2];
        if (f.size() > 3)
            e.result.warnings = {{f[3], f.value(4)}};
        result.entries.append(e);
    }
    return result;
}

QStringList failedPhotos(int count) {
    QStringList photos;
    for (int i = 0; i < count; ++i)
        photos.append(QStringLiteral("p%1.jpg:f:broken").arg(i));
    return photos;
}

} // namespace

class TestConversionSummary : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void summary_data() {
        QTest::addColumn<BatchResult>("result");
        QTest::addColumn<int>("source");
        QTest::addColumn<QStringList>("contains");
        QTest::addColumn<QStringList>("lacks");
        const int current = int(ConversionSource::CurrentPhoto);
        const int list = int(ConversionSource::List);
        const int preview = int(ConversionSource::Preview);
        const QString kept = QStringLiteral("リストに残してあります。");
        QTest::newRow("all converted")
            << batchOf({"a.jpg:c", "b.jpg:c"}) << list << QStringList() << QStringList();
        QTest::newRow("unusable output folder")
            << batchOf({"a.jpg:n"}, "cannot create it") << list
            << QStringList{"変換先フォルダを使えない", "cannot create it"} << QStringList{kept};
        QTest::newRow("a photo too large, told before any was converted, named once")
            << batchOf({"a.jpg:c", "pano.jpg:r:the picture is too large (30000 x 20000)",
                        "b.jpg:f:broken"})
            << list
            << QStringList{"1 枚の写真は大きすぎて変換できないため、リストに残します。"
                           "ほかの写真は変換します。\n"
                           "pano.jpg: the picture is too large (30000 x 20000)\n\n"
                           "1 枚の写真を変換できませんでした。リストに残してあります。\n"
                           "b.jpg: broken"}
            << QStringList{"a.jpg"};
        QTest::newRow("current photo without a name")
            << batchOf({"a.jpg:m:no target name"}) << current
            << QStringList{uitexts::missingTargetName()} << QStringList{"a.jpg", "no target name"};
        QTest::newRow("current photo failed")
            << batchOf({"a.jpg:f:photo not found"}) << current
            << QStringList{"a.jpg", "photo not found"} << QStringList{kept, "1 枚"};
        QTest::newRow("list: failures stay on the list")
            << batchOf({"a.jpg:c", "b.jpg:f:broken", "c.jpg:m:no name"}) << list
            << QStringList{"2 枚", kept, "b.jpg: broken", "c.jpg: " + uitexts::missingTargetName()}
            << QStringList{"a.jpg"};
        QTest::newRow("preview: no list to stay on")
            << batchOf({"a.jpg:f:broken", "b.jpg:f:broken"}) << preview
            << QStringList{"2 枚", "a.jpg: broken"} << QStringList{kept};
        QTest::newRow("twelve failures: ten named")
            << batchOf(failedPhotos(12)) << list << QStringList{"12 枚", "p9.jpg", "ほか 2 件"}
            << QStringList{"p10.jpg", "p11.jpg"};
        QTest::newRow("stopped list")
            << batchOf({"a.jpg:c", "b.jpg:n", "c.jpg:n"}) << list
            << QStringList{"中止", "2 枚", kept} << QStringList{"a.jpg", "b.jpg"};
        QTest::newRow("converted with a warning")
            << batchOf({"a.jpg:c::data damaged", "b.jpg:c"}) << list
            << QStringList{"1 枚", "a.jpg: data damaged"} << QStringList{kept, "b.jpg"};
        QTest::newRow("warnings: one line per kind, without a library's words")
            << batchOf({"a.jpg:c::XMP repaired:Exiv2 error 203",
                        "b.jpg:c::XMP repaired:Exiv2 error 5", "c.jpg:c::XMP repaired",
                        "d.jpg:c::data damaged", "e.jpg:c"})
            << list
            << QStringList{"4 枚の写真は変換しましたが、次の点にご注意ください。\n"
                           "3 枚の写真: XMP repaired\n"
                           "d.jpg: data damaged"}
            << QStringList{"a.jpg", "b.jpg", "c.jpg", "e.jpg", "Exiv2"};
    }
    void summary() {
        QFETCH(BatchResult, result);
        QFETCH(int, source);
        QFETCH(QStringList, contains);
        QFETCH(QStringList, lacks);
        pelmora::BatchRequest request; // the photos refused for their size are told first
        QList<pelmora::SizeRefusal> refused;
        for (const BatchEntryResult &e : std::as_const(result.entries)) {
            if (e.result.refusedForSize)
                refused.append({request.entries.size(), e.result.reason});
            request.entries.append(e.entry);
        }
        QStringList told{conversionSummary(result, ConversionSource(source))};
        if (!refused.isEmpty())
            told.prepend(sizeRefusalNotice(request, refused, ConversionSource(source)));
        told.removeAll(QString());
        const QString text = told.join(QStringLiteral("\n\n"));
        QCOMPARE(text.isEmpty(), contains.isEmpty());
        for (const BatchEntryResult &e : std::as_const(result.entries)) // each named once at most
            QVERIFY2(text.count(e.entry.name) <= 1, qPrintable(text));
        for (const QString &part : contains)
            QVERIFY2(text.contains(part), qPrintable(text));
        for (const QString &part : lacks)
            QVERIFY2(!text.contains(part), qPrintable(text));
    }
};

QTEST_MAIN(TestConversionSummary)
#include "tst_conversionsummary.moc"
