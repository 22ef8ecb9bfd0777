#include "convertcommand.h"

#include "batch/batchrunner.h"
#include "naming/numbertext.h"
#include "photolist/photoentry.h"
#include "picture/designedfont.h"
#include "picture/imagelimits.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace pelmora {

namespace {

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int) {
    interrupted.store(true);
}

struct ConvertOptions {
    BatchRequest request;
    QStringList unnamable; // photos whose names are no valid UTF-8, as they can be shown
    bool help = false;
    QString usageError; // empty when the command line is sound
};

// An argument that is no valid UTF-8 stands in the parser's input as this, then its index.
constexpr QChar kNotUtf8 = u'\x01';

ConvertOptions parseOptions(const CommandArguments &given) {
    ConvertOptions options;
    BatchRequest &request = options.request;
    QStringList arguments = given.texts;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (given.notUtf8[i])
            arguments[i] = kNotUtf8 + QString::number(i);
    }

    // Options only in their double-dash form; everything after "--" is a photo.
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption title(QStringLiteral("title"), QString(), QStringLiteral("TEXT"),
                                   QStringLiteral("Untitled"));
    const QCommandLineOption number(QStringLiteral("number"), QString(), QStringLiteral("TEXT"),
                                    QStringLiteral("01"));
    const QCommandLineOption ext(QStringLiteral("ext"), QString(), QStringLiteral("TEXT"));
    const QCommandLineOption noRename(QStringLiteral("no-rename"));
    const QCommandLineOption resize(QStringLiteral("resize"), QString(), QStringLiteral("PX"));
    const QCommandLineOption quality(QStringLiteral("quality"), QString(), QStringLiteral("Q"),
                                     QStringLiteral("5"));
    const QCommandLineOption signature(QStringLiteral("signature"), QString(),
                                       QStringLiteral("TEXT"));
    const QCommandLineOption font(QStringLiteral("font"), QString(), QStringLiteral("FACE"),
                                  designedInterfaceFace());
    const QCommandLineOption point(QStringLiteral("point"), QString(), QStringLiteral("SIZE"),
                                   QStringLiteral("8"));
    const QCommandLineOption color(QStringLiteral("color"), QString(), QStringLiteral("#RRGGBB"),
                                   QStringLiteral("#000000"));
    const QCommandLineOption out(QStringLiteral("out"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption inPlace(QStringLiteral("in-place"));
    const QCommandLineOption keepLocation(QStringLiteral("keep-location"));
    const QCommandLineOption stripMetadata(QStringLiteral("strip-metadata"));
    parser.addOptions({help, title, number, ext, noRename, resize, quality, signature, font, point,
                       color, out, inPlace, keepLocation, stripMetadata});

    if (!parser.parse(QStringList{QStringLiteral("convert")} + arguments)) {
        options.usageError = parser.errorText();
        return options;
    }
    if (parser.isSet(help)) {
        options.help = true;
        return options;
    }
    for (const QCommandLineOption &option : {title, number, ext, signature, font, out}) {
        if (parser.value(option).contains(kNotUtf8)) {
            options.usageError =
                QStringLiteral("--%1 is not valid UTF-8").arg(option.names().first());
            return options;
        }
    }

    request.pattern.title = parser.value(title);
    request.pattern.number = parser.value(number);
    request.rename = !parser.isSet(noRename);
    request.resize = parser.isSet(resize);
    if (parser.isSet(ext))
        request.pattern.extension = parser.value(ext);
    else if (request.resize)
        request.pattern.extension = QStringLiteral("JPG");

    if (request.resize) {
        const QString side = parser.value(resize);
        const std::optional<int> pixels = readWholeNumber(side, 1, kLargestLongerSide);
        if (!pixels) {
            options.usageError =
                QStringLiteral("--resize wants the longer side in pixels, from 1 to %1, not \"%2\"")
                    .arg(kLargestLongerSide)
                    .arg(side);
            return options;
        }
        request.resizeSettings.longerSide = QString::number(*pixels);
    }

    const std::optional<int> q = readWholeNumber(parser.value(quality), 1, 10);
    if (!q) {
        options.usageError =
            QStringLiteral("--quality wants a whole number from 1 to 10, not \"%1\"")
                .arg(parser.value(quality));
        return options;
    }
    request.resizeSettings.quality = *q;

    SignatureStyle &style = request.resizeSettings.signature;
    style.text = parser.value(signature);
    style.family = parser.value(font);
    style.pointSizeText = parser.value(point);
    const std::optional<double> points = readDecimalNumber(style.pointSizeText);
    if (!points || *points <= 0) {
        options.usageError =
            QStringLiteral("--point wants a size in points, not \"%1\"").arg(style.pointSizeText);
        return options;
    }
    static const QRegularExpression rgb(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    const QString colorText = parser.value(color);
    if (!rgb.match(colorText).hasMatch()) {
        options.usageError = QStringLiteral("--color wants #RRGGBB, not \"%1\"").arg(colorText);
        return options;
    }
    style.color = QColor(colorText);

    if (parser.isSet(keepLocation) && parser.isSet(stripMetadata)) {
        options.usageError =
            QStringLiteral("--keep-location and --strip-metadata exclude each other");
        return options;
    }
    if (parser.isSet(keepLocation))
        request.resizeSettings.metadata = MetadataPolicy::WithLocation;
    else if (parser.isSet(stripMetadata))
        request.resizeSettings.metadata = MetadataPolicy::Strip;

    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        options.usageError = QStringLiteral("no photos given");
        return options;
    }

    if (parser.isSet(out) && parser.isSet(inPlace)) {
        options.usageError = QStringLiteral("--out and --in-place exclude each other");
        return options;
    }
    if (parser.isSet(out)) {
        request.outputFolder = parser.value(out);
        if (request.outputFolder.isEmpty()) {
            options.usageError = QStringLiteral("--out wants a folder");
            return options;
        }
        request.outputFolder = QFileInfo(request.outputFolder).absoluteFilePath();
    } else if (!parser.isSet(inPlace)) {
        options.usageError = QStringLiteral(
            "refusing to change the original photos: give --out DIR for converted copies, or "
            "--in-place to rename and resize the photos themselves");
        return options;
    }

    for (const QString &file : files) {
        if (file.startsWith(kNotUtf8))
            options.unnamable.append(
                QFileInfo(given.texts[file.mid(1).toInt()]).absoluteFilePath());
        else
            request.entries.append(splitPath(QFileInfo(file).absoluteFilePath()));
    }
    return options;
}

class ProgressBar {
public:
    explicit ProgressBar(QTextStream &err)
        : err_(err)
        , shown_(isatty(fileno(stderr)) != 0) {}

    void show(qsizetype done, qsizetype count) {
        if (!shown_ || count == 0)
            return;
        constexpr int width = 30;
        const int filled = static_cast<int>(width * done / count);
        err_ << '\r' << '[' << QString(filled, u'#') << QString(width - filled, u' ') << "] "
             << done << '/' << count;
        err_.flush();
    }

    void finish() {
        if (shown_ && drawn_)
            err_ << '\n';
        err_.flush();
    }

    void markDrawn() { drawn_ = true; }

private:
    QTextStream &err_;
    bool shown_;
    bool drawn_ = false;
};

} // namespace

int runConvertCommand(const CommandArguments &arguments) {
    QTextStream out(stdout);
    QTextStream err(stderr);

    const ConvertOptions options = parseOptions(arguments);
    if (options.help) {
        out << convertCommandHelp();
        return 0;
    }
    if (!options.usageError.isEmpty()) {
        err << "pelmora convert: " << options.usageError << '\n'
            << "Try 'pelmora --help' for the options.\n";
        return 2;
    }

    // Ctrl-C, a closed terminal or a polite kill: stop after the photos in flight, and report.
    interrupted.store(false);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, onInterrupt);

    ProgressBar bar(err);
    const qsizetype count = options.request.entries.size();
    bar.show(0, count);
    bar.markDrawn();
    const BatchResult batch = runBatch(
        options.request,
        [&bar](const BatchProgress &progress) { bar.show(progress.index + 1, progress.count); },
        &interrupted);
    bar.finish();

    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, SIG_DFL);

    const qsizetype unnamable = options.unnamable.size();
    if (!batch.started()) {
        err << "pelmora convert: " << batch.fatalError << "; no photo was touched\n";
        err.flush();
        out << "converted 0, failed " << count + unnamable << ", next number " << batch.finalNumber
            << '\n';
        return 1;
    }

    for (const QString &path : options.unnamable)
        err << path << ": the name is not valid UTF-8, so pelmora cannot open the photo\n";
    for (const BatchEntryResult &entry : batch.entries) {
        if (entry.result.status == ConversionStatus::Failed ||
            entry.result.status == ConversionStatus::MissingTargetName)
            err << entry.entry.path() << ": " << entry.result.reason << '\n';
        for (const Warning &warning : entry.result.warnings) {
            err << entry.entry.path() << ": warning: " << warning.text;
            if (!warning.detail.isEmpty())
                err << ": " << warning.detail;
            err << '\n';
        }
    }
    const qsizetype notStarted = batch.notStartedCount();
    if (notStarted > 0)
        err << "interrupted: " << notStarted << " photos were left untouched\n";
    err.flush();

    out << "converted " << batch.convertedCount() << ", failed "
        << batch.failedCount() + notStarted + unnamable << ", next number " << batch.finalNumber
        << '\n';
    return batch.convertedCount() == count && unnamable == 0 ? 0 : 1;
}

QString convertCommandHelp() {
    const QString help = QStringLiteral(
        "pelmora convert [OPTIONS] FILE...\n"
        "  Converts the photos in the order given, as the window's batch conversion does: each\n"
        "  photo (or its copy in the output folder) is renamed to TITLE + NUMBER + extension,\n"
        "  the number advancing for each photo, and with --resize rewritten as a scaled JPEG.\n"
        "  A new name that is taken fails that photo; nothing is ever written over another file\n"
        "  but the photo itself (--in-place) or, with --no-rename, a file of its name in DIR.\n"
        "  Options are written with two dashes; every argument after \"--\" is a photo.\n"
        "\n"
        "  --title TEXT      title of the new names (default \"Untitled\")\n"
        "  --number TEXT     running number of the first photo (default \"01\")\n"
        "  --ext TEXT        extension of the new names, without the dot (default: the photo's\n"
        "                    own extension; \"JPG\" with --resize)\n"
        "  --no-rename       keep the photos' own names; the number does not advance\n"
        "  --resize PX       resize to JPEG so that the longer side is PX pixels, at most\n"
        "                    %1; a photo that would come out larger than %2 megapixels is\n"
        "                    refused\n"
        "  --quality Q       JPEG quality from 1 to 10, ten times Q percent (default 5)\n"
        "  --signature TEXT  text stamped into the lower right corner of resized photos\n"
        "  --font FACE       font face of the signature\n"
        "  --point SIZE      point size of the signature (default 8)\n"
        "  --color #RRGGBB   colour of the signature (default #000000)\n"
        "  --keep-location   resized photos keep the GPS position of the originals (by default\n"
        "                    they carry the date, camera, exposure, caption and keywords, but\n"
        "                    not where the photo was taken)\n"
        "  --strip-metadata  resized photos carry no EXIF, IPTC or XMP (the colour profile\n"
        "                    stays); renamed and copied photos always keep every byte\n"
        "  --out DIR         write converted copies into DIR (created when missing); the\n"
        "                    originals are not touched\n"
        "  --in-place        rename and resize the original photos themselves (without --out\n"
        "                    or --in-place the command refuses to run)\n"
        "\n"
        "  Shows a progress bar on standard error when it is a terminal, one line per photo\n"
        "  that failed or was converted with a warning, and last \"converted N, failed M, next\n"
        "  number K\" on standard output.\n"
        "  Ctrl-C (or SIGTERM, SIGHUP: a closed terminal) stops after the photos in progress;\n"
        "  the rest are left untouched. A file that a conversion replaces or removes (a photo\n"
        "  converted --in-place, a same-name file in DIR) goes to the desktop's trash first,\n"
        "  and `pelmora undo` takes the last conversion back.\n"
        "  Exit status: 0 all converted, 1 some photos failed, 2 usage error.\n");
    return help.arg(kLargestLongerSide).arg(kMaxOutputPixels / 1'000'000);
}

} // namespace pelmora
