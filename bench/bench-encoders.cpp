// bench-encoders: each lossy encoder of the resize at a range of its own settings, on the reduced
// pictures of a corpus, for bench/calibrate-quality, which measures the outputs' distances.
//
//   bench-encoders OUTDIR SIZE SPEC... -- PHOTO...
//
// SPEC is FORMAT:SETTING,SETTING,... (FORMAT one of jpeg, webp, avif, heic). For each photo the
// reduced picture (our loader and Lanczos reduction to SIZE, written as PNG, lossless) goes to
// OUTDIR/ref/NAME.png, and each encoding to OUTDIR/FORMAT-SETTING/NAME.EXT; one line per encoding
// on standard output: NAME, FORMAT, SETTING, milliseconds (one thread), bytes, path.

#include "picture/pictureencoder.h"
#include "picture/resizedpicture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <cstdio>

namespace {

struct Spec {
    pelmora::PictureFormat format;
    QString name;
    QList<int> settings;
};

bool writeFile(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const qsizetype dashes = arguments.indexOf(QStringLiteral("--"));
    if (argc < 5 || dashes < 4) {
        std::fprintf(stderr, "usage: bench-encoders OUTDIR SIZE FORMAT:SETTING,... -- PHOTO...\n");
        return 2;
    }
    const QString out = arguments[1];
    const int size = arguments[2].toInt();
    QList<Spec> specs;
    for (const QString &text : arguments.mid(3, dashes - 3)) {
        const QString name = text.section(u':', 0, 0);
        const pelmora::Result<pelmora::PictureFormat> format =
            pelmora::pictureFormatForName(QStringLiteral("x.") + name);
        Spec spec{format ? *format : pelmora::PictureFormat::Jpeg, name, {}};
        for (const QString &setting : text.section(u':', 1).split(u',', Qt::SkipEmptyParts))
            spec.settings.append(setting.toInt());
        specs.append(spec);
    }

    for (const QString &path : arguments.mid(dashes + 1)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        pelmora::ResizeOptions reduce;
        reduce.longerSide = size;
        reduce.metadata = pelmora::MetadataPolicy::Strip;
        reduce.format = pelmora::PictureFormat::Png;
        const pelmora::Result<pelmora::ResizedPicture> reduced =
            pelmora::resizePhotoBytes(file.readAll(), reduce);
        if (!reduced) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(reduced.reason()));
            return 1;
        }
        const QString name = QFileInfo(path).completeBaseName();
        writeFile(out + QStringLiteral("/ref/") + name + QStringLiteral(".png"), reduced->bytes);
        const QImage picture =
            QImage::fromData(reduced->bytes, "png").convertToFormat(QImage::Format_RGB32);
        for (const Spec &spec : std::as_const(specs)) {
            for (const int setting : spec.settings) {
                QElapsedTimer timer;
                timer.start();
                const pelmora::Result<QByteArray> encoded =
                    pelmora::pictureEncoder(spec.format).encode(picture, {setting, 1}, {});
                const double ms = timer.nsecsElapsed() / 1e6;
                if (!encoded) {
                    std::fprintf(stderr, "%s: %s\n", qPrintable(name),
                                 qPrintable(encoded.reason()));
                    return 1;
                }
                const QString written =
                    QStringLiteral("%1/%2-%3/%4.%2").arg(out, spec.name).arg(setting).arg(name);
                writeFile(written, *encoded);
                std::printf("%s\t%s\t%d\t%.3f\t%lld\t%s\n", qPrintable(name), qPrintable(spec.name),
                            setting, ms, qint64(encoded->size()), qPrintable(written));
            }
        }
        std::fflush(stdout);
    }
    return 0;
}
