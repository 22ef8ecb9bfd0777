#include "picture/lanczos.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>
#include <numbers>

namespace {

double lanczos3(double x) {
    x = std::abs(x);
    if (x < 1e-12)
        return 1;
    if (x >= 3)
        return 0;
    const double px = std::numbers::pi * x;
    return 3 * std::sin(px) * std::sin(px / 3) / (px * px);
}

// Straightforward separable Lanczos3 in double precision over the whole picture, edges repeated.
std::vector<std::vector<double>> weightsFor(int inputs, int outputs) {
    const double scale = double(inputs) / outputs;
    const double widen = std::max(1.0, scale);
    std::vector<std::vector<double>> all(outputs, std::vector<double>(inputs, 0.0));
    for (int i = 0; i < outputs; ++i) {
        const double centre = (i + 0.5) * scale;
        double sum = 0;
        for (int j = int(std::floor(centre - 3 * widen)) - 1; j <= centre + 3 * widen + 1; ++j) {
            const double w = lanczos3((j + 0.5 - centre) / widen);
            all[i][std::clamp(j, 0, inputs - 1)] += w;
            sum += w;
        }
        for (double &w : all[i])
            w /= sum;
    }
    return all;
}

QImage referenceResample(const QImage &image, QSize target) {
    const auto across = weightsFor(image.width(), target.width());
    const auto down = weightsFor(image.height(), target.height());
    QImage out(target, QImage::Format_RGB32);
    for (int y = 0; y < target.height(); ++y)
        for (int x = 0; x < target.width(); ++x) {
            double sum[3] = {0, 0, 0};
            for (int sy = 0; sy < image.height(); ++sy) {
                if (down[y][sy] == 0)
                    continue;
                for (int sx = 0; sx < image.width(); ++sx) {
                    const double w = down[y][sy] * across[x][sx];
                    if (w == 0)
                        continue;
                    const QRgb p = image.pixel(sx, sy);
                    sum[0] += w * qRed(p);
                    sum[1] += w * qGreen(p);
                    sum[2] += w * qBlue(p);
                }
            }
            const auto channel = [](double v) {
                return int(std::lround(std::clamp(v, 0.0, 255.0)));
            };
            out.setPixel(x, y, qRgb(channel(sum[0]), channel(sum[1]), channel(sum[2])));
        }
    return out;
}

// A photo-like picture: smooth gradients with fine noise and a few hard edges.
QImage photoLike(QSize size, quint32 seed) {
    QRandomGenerator random(seed);
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const int edge = (x * 7 / std::max(1, size.width())) % 2 ? 90 : 0;
            const auto noisy = [&](int base) {
                return std::clamp(base + edge + int(random.bounded(41)) - 20, 0, 255);
            };
            image.setPixel(x, y,
                           qRgb(noisy(x * 255 / std::max(1, size.width() - 1) / 2),
                                noisy(y * 255 / std::max(1, size.height() - 1) / 2), noisy(128)));
        }
    return image;
}

int largestDifference(const QImage &a, const QImage &b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

QImage resampleWhole(const QImage &image, QSize target) {
    return pelmora::lanczosResample(image, QRectF(QPointF(0, 0), QSizeF(image.size())), target);
}

} // namespace

class TestLanczos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Sizes chosen so every kernel path runs: rows of 32 values and more, the leftovers of 16 and
    // of single values, odd and even tap counts, reducing and enlarging.
    void matchesDoublePrecision_data() {
        QTest::addColumn<QSize>("source");
        QTest::addColumn<QSize>("target");
        QTest::newRow("photo reduction 1.9x") << QSize(190, 107) << QSize(100, 56);
        QTest::newRow("reduction 1.25x") << QSize(160, 100) << QSize(128, 80);
        QTest::newRow("reduction 2.5x") << QSize(256, 160) << QSize(102, 64);
        QTest::newRow("strong reduction 8x") << QSize(203, 97) << QSize(25, 12);
        QTest::newRow("odd widths") << QSize(37, 29) << QSize(17, 13);
        QTest::newRow("width leaves 16 and 1 values") << QSize(13, 40) << QSize(9, 21);
        QTest::newRow("one column") << QSize(1, 50) << QSize(1, 20);
        QTest::newRow("one row") << QSize(50, 1) << QSize(20, 1);
        QTest::newRow("enlarging") << QSize(10, 7) << QSize(23, 16);
        QTest::newRow("tall") << QSize(9, 300) << QSize(3, 100);
    }
    void matchesDoublePrecision() {
        QFETCH(QSize, source);
        QFETCH(QSize, target);
        const QImage image = photoLike(source, quint32(source.width() * 1000 + source.height()));
        const QImage resampled = resampleWhole(image, target);
        QCOMPARE(resampled.size(), target);
        QCOMPARE(resampled.format(), QImage::Format_RGB32);
        // fixed-point weights and sums: at most one step of rounding apart
        const int difference = largestDifference(resampled, referenceResample(image, target));
        QVERIFY2(difference <= 1, qPrintable(QStringLiteral("off by %1").arg(difference)));
    }

    void flatColourStaysExact_data() {
        QTest::addColumn<QRgb>("colour");
        QTest::newRow("black") << qRgb(0, 0, 0);
        QTest::newRow("white") << qRgb(255, 255, 255);
        QTest::newRow("odd values") << qRgb(1, 127, 254);
    }
    void flatColourStaysExact() {
        QFETCH(QRgb, colour);
        QImage image(333, 221, QImage::Format_RGB32);
        image.fill(colour);
        const QImage out = resampleWhole(image, QSize(100, 66));
        for (int y = 0; y < out.height(); ++y)
            for (int x = 0; x < out.width(); ++x)
                QCOMPARE(out.pixel(x, y), colour | 0xFF000000u);
    }

    void sameSizeIsIdentity() {
        const QImage image = photoLike(QSize(45, 31), 7);
        QCOMPARE(largestDifference(resampleWhole(image, image.size()), image), 0);
    }

    void hardEdgesStayInRange() {
        // ringing of a 0/255 checkerboard overshoots far beyond the 8-bit range before clamping
        QImage image(64, 64, QImage::Format_RGB32);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                image.setPixel(x, y, ((x / 3 + y / 3) % 2) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        const QImage out = resampleWhole(image, QSize(40, 40));
        const int difference = largestDifference(out, referenceResample(image, QSize(40, 40)));
        QVERIFY2(difference <= 1, qPrintable(QStringLiteral("off by %1").arg(difference)));
    }
};

QTEST_APPLESS_MAIN(TestLanczos)
#include "tst_lanczos.moc"
