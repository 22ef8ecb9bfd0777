#include "convertoptions.h"

#include "cli/photoarguments.h"
#include "cli/wholenumberargument.h"
#include "naming/numbertext.h"
#include "photolist/photoentry.h"
#include "picture/designedfont.h"
#include "picture/imagelimits.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

namespace pelmora {

namespace {

// An argument that is no valid UTF-8 stands in the parser's input as this, then its index.
constexpr QChar kNotUtf8 = u'\x01';

} // namespace

ConvertOptions readConvertOptions(const CommandArguments &given) {
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
    const QCommandLineOption recursive(QStringLiteral("recursive"));
    const QCommandLineOption verbose(QStringLiteral("verbose"));
    const QCommandLineOption quiet(QStringLiteral("quiet"));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"));
    parser.addOptions({help, title, number, ext, noRename, resize, quality, signature, font, point,
                       color, out, inPlace, keepLocation, stripMetadata, recursive, verbose, quiet,
                       dryRun});

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
        // The window's rule, without its empty field: a photo's own size is --resize left out.
        const Result<int> pixels = readLongerSide(side);
        if (!pixels || *pixels == 0) {
            options.usageError =
                QStringLiteral("--resize wants the longer side in pixels, from 1 to %1, not \"%2\"")
                    .arg(kLargestLongerSide)
                    .arg(side);
            return options;
        }
        request.resizeSettings.longerSide = QString::number(*pixels);
    }

    const std::optional<int> q = readWholeNumberArgument(parser.value(quality), 1, 10);
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
    if (parser.isSet(verbose) && parser.isSet(quiet)) {
        options.usageError = QStringLiteral("--verbose and --quiet exclude each other");
        return options;
    }
    request.dryRun = parser.isSet(dryRun);
    options.talk = parser.isSet(verbose) ? Talk::Verbose
                   : parser.isSet(quiet) ? Talk::Quiet
                                         : Talk::Normal;

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

    CommandArguments named;
    for (const QString &file : files) {
        const bool notUtf8 = file.startsWith(kNotUtf8);
        named.texts.append(notUtf8 ? given.texts[file.mid(1).toInt()] : file);
        named.notUtf8.append(notUtf8);
    }
    const FolderReading reading{parser.isSet(recursive), request.outputFolder};
    const PhotoArguments photos = readPhotoArguments(named, reading);
    for (const QString &photo : photos.photos)
        request.entries.append(splitPath(photo));
    options.notRead = photos.notRead;
    return options;
}

} // namespace pelmora
