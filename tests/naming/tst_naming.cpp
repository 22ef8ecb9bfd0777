#include "naming/numbertext.h"
#include "naming/targetname.h"

#include <QTest>

using pelmora::NamePattern;

class TestNaming : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void advanceNumber_data();
    void advanceNumber();
    void readWholeNumber_data();
    void readWholeNumber();
    void targetName_data();
    void targetName();
    void previewName_data();
    void previewName();
    void shortestDecimal_data();
    void shortestDecimal();
};

void TestNaming::advanceNumber_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("01") << "01"
                        << "02";
    QTest::newRow("9") << "9"
                       << "10";
    QTest::newRow("09") << "09"
                        << "10";
    QTest::newRow("001") << "001"
                         << "02";
    QTest::newRow("0099") << "0099"
                          << "100";
    QTest::newRow("blanks around 7") << " 7 "
                                     << "08";
    QTest::newRow("2.5 rounds to even") << "2.5"
                                        << "03";
    QTest::newRow("3.5 rounds to even") << "3.5"
                                        << "05";
    QTest::newRow("-1") << "-1"
                        << "00";
    QTest::newRow("-5") << "-5"
                        << "0-4";
    QTest::newRow("abc") << "abc"
                         << "00";
    QTest::newRow("empty") << ""
                           << "00";
    QTest::newRow("32766") << "32766"
                           << "32767";
    QTest::newRow("32767 has no successor") << "32767"
                                            << "00";
    QTest::newRow("40000 out of range") << "40000"
                                        << "00";
    QTest::newRow("-32768") << "-32768"
                            << "0-32767";
    QTest::newRow("-32769 out of range") << "-32769"
                                         << "00";
    QTest::newRow("plus sign") << "+8"
                               << "09";
    QTest::newRow("exponent is not decimal notation") << "1e2"
                                                      << "00";
    QTest::newRow("two points") << "1.2.3"
                                << "00";
    QTest::newRow("sign alone") << "-"
                                << "00";
}

void TestNaming::advanceNumber() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    QCOMPARE(pelmora::advanceNumber(before), after);
}

void TestNaming::readWholeNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // -99999: unreadable
    QTest::newRow("250") << "250" << 250;
    QTest::newRow("tab and blank") << "\t 250 " << 250;
    QTest::newRow("0.5 to even 0") << "0.5" << 0;
    QTest::newRow("1.5 to even 2") << "1.5" << 2;
    QTest::newRow("-2.5 to even -2") << "-2.5" << -2;
    QTest::newRow("249.6") << "249.6" << 250;
    QTest::newRow("trailing point") << "7." << 7;
    QTest::newRow("leading point") << ".6" << 1;
    QTest::newRow("32767.5 rounds out of range") << "32767.5" << -99999;
    QTest::newRow("inner blank") << "2 5" << -99999;
    QTest::newRow("letters") << "25px" << -99999;
    QTest::newRow("hex") << "0x10" << -99999;
    QTest::newRow("inf") << "inf" << -99999;
    QTest::newRow("huge") << "99999999999999999999999" << -99999;
}

void TestNaming::readWholeNumber() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    const std::optional<int> value = pelmora::readWholeNumber(text);
    if (expected == -99999) {
        QVERIFY(!value);
    } else {
        QVERIFY(value);
        QCOMPARE(*value, expected);
    }
}

void TestNaming::targetName_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("three-letter extension") << "Untitled"
                                            << "01"
                                            << ""
                                            << "IMG_0012.jpg"
                                            << "Untitled01.jpg";
    QTest::newRow("extension set") << "Untitled"
                                   << "01"
                                   << "JPG"
                                   << "IMG_0012.jpg"
                                   << "Untitled01.JPG";
    QTest::newRow("four-letter extension keeps its dot") << "Untitled"
                                                         << "01"
                                                         << ""
                                                         << "beach.jpeg"
                                                         << "Untitled01.jpeg";
    QTest::newRow("webp") << "Untitled"
                          << "01"
                          << ""
                          << "photo.webp"
                          << "Untitled01.webp";
    QTest::newRow("source without a dot") << "Trip"
                                          << "01"
                                          << ""
                                          << "ab"
                                          << "Trip01";
    QTest::newRow("no source yet") << "Trip"
                                   << "01"
                                   << ""
                                   << ""
                                   << "Trip01";
    QTest::newRow("last dot counts") << "Trip"
                                     << "02"
                                     << ""
                                     << "a.tar.gz"
                                     << "Trip02.gz";
    QTest::newRow("empty title keeps the number") << ""
                                                  << "07"
                                                  << ""
                                                  << "IMG_0002.jpg"
                                                  << "07.jpg";
    QTest::newRow("texts used as typed") << " A "
                                         << "x"
                                         << "Png"
                                         << "b.jpg"
                                         << " A x.Png";
}

void TestNaming::targetName() {
    QFETCH(QString, title);
    QFETCH(QString, number);
    QFETCH(QString, extension);
    QFETCH(QString, source);
    QFETCH(QString, expected);
    QCOMPARE(pelmora::targetName(NamePattern{title, number, extension}, source), expected);
}

void TestNaming::previewName_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty title shows nothing") << ""
                                               << "IMG_0012.jpg"
                                               << "";
    QTest::newRow("title") << "Trip"
                           << "IMG_0012.jpg"
                           << "Trip01.jpg";
    QTest::newRow("no photo yet") << "Trip"
                                  << ""
                                  << "Trip01";
}

void TestNaming::previewName() {
    QFETCH(QString, title);
    QFETCH(QString, source);
    QFETCH(QString, expected);
    QCOMPARE(pelmora::previewName(NamePattern{title, QStringLiteral("01"), {}}, source), expected);
}

void TestNaming::shortestDecimal_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("12") << 12.0 << "12";
    QTest::newRow("10.5") << 10.5 << "10.5";
    QTest::newRow("8.25") << 8.25 << "8.25";
}

void TestNaming::shortestDecimal() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(pelmora::shortestDecimal(value), expected);
}

QTEST_APPLESS_MAIN(TestNaming)
#include "tst_naming.moc"
