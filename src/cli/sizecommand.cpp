#include "sizecommand.h"

#include "cli/photoarguments.h"
#include "cli/sizeoutput.h"

#include <QFileInfo>
#include <QTextStream>

namespace pelmora {

namespace {

QString sizeUsage() {
    return QStringLiteral("usage: pelmora size [--format FMT | --json] [--] FILE...\n");
}

struct SizeOptions {
    CommandArguments files;
    std::optional<QString> format;
    bool json = false;
    bool help = false;
    QString usageError;
};

SizeOptions readSizeOptions(const CommandArguments &given) {
    SizeOptions options;
    const QStringList &arguments = given.texts;
    bool optionsEnd = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (optionsEnd || argument == u"-" || !argument.startsWith(u'-')) {
            options.files.texts << argument;
            options.files.notUtf8 << given.notUtf8.value(i);
        } else if (argument == u"--") {
            optionsEnd = true;
        } else if (argument == u"--help" || argument == u"-h") {
            options.help = true;
            return options;
        } else if (argument == u"--json") {
            options.json = true;
        } else if (argument == u"--format" && i + 1 < arguments.size()) {
            options.format = arguments[++i];
        } else if (argument.startsWith(u"--format=")) {
            options.format = argument.mid(9);
        } else if (argument == u"--format") {
            options.usageError = QStringLiteral("--format wants a text, such as '%w %h'");
            return options;
        } else {
            options.usageError = QStringLiteral("unknown option ") + argument;
            return options;
        }
    }
    const std::optional<QString> fault =
        options.format ? sizeFormatFault(*options.format) : std::nullopt;
    if (options.format && options.json)
        options.usageError = QStringLiteral("--format and --json exclude each other");
    else if (fault)
        options.usageError = QStringLiteral("--format: ") + *fault;
    else if (options.files.texts.isEmpty())
        options.usageError = QStringLiteral("no file given");
    return options;
}

} // namespace

int runSizeCommand(const CommandArguments &arguments) {
    QTextStream out(stdout);
    QTextStream err(stderr);

    const SizeOptions options = readSizeOptions(arguments);
    if (options.help) {
        out << sizeCommandHelp();
        return 0;
    }
    if (!options.usageError.isEmpty()) {
        err << "pelmora size: " << options.usageError << "\n" << sizeUsage();
        return 2;
    }

    // A folder stands for its pictures, named by the folder as given and their own names.
    QList<SizeLine> lines;
    bool anyFolder = false;
    const CommandArguments &files = options.files;
    for (qsizetype i = 0; i < files.texts.size(); ++i) {
        const QString &file = files.texts[i];
        if (files.notUtf8.value(i)) {
            lines.append({file, std::nullopt, notUtf8Reason()});
            continue;
        }
        if (!QFileInfo(file).isDir()) {
            lines.append(readSizeLine(file));
            continue;
        }
        anyFolder = true;
        const FolderContents contents = picturesInFolder(file, FolderReading{});
        for (const QString &picture : contents.pictures)
            lines.append(readSizeLine(picture));
        for (const NotRead &unread : contents.notRead)
            lines.append({unread.path, std::nullopt, unread.reason, unread.folder});
    }

    const bool named = lines.size() > 1 || anyFolder;
    bool allRead = true;
    for (const SizeLine &line : std::as_const(lines)) {
        if (!line.failure.isEmpty()) {
            err << "pelmora size: " << line.file << ": " << line.failure << "\n";
            allRead = false;
        }
        if (options.json || line.folder)
            continue;
        if (options.format) {
            if (line.failure.isEmpty())
                out << formatSize(*options.format, line) << "\n";
            continue;
        }
        if (named)
            out << line.file << ": ";
        out << sizeDisplayText(line.header) << "\n";
    }
    if (options.json)
        out << sizesAsJson(lines);
    out.flush();
    return allRead ? 0 : 1;
}

QString sizeCommandHelp() {
    return QStringLiteral(
        "pelmora size [--format FMT | --json] [--] FILE...\n"
        "  Prints the pixel size read from each file's header, as the window's size display\n"
        "  shows it: \"ImageSze Width: 640  Height: 480\", or \"Error\" when the file cannot be\n"
        "  read or is no JPEG, GIF, BMP, PNG, WebP, TIFF or HEIF (HEIC, AVIF) picture. A\n"
        "  camera's RAW file (DNG, NEF, ARW, PEF, CR2, CR3, ORF, RW2, RAF, IIQ, ...) shows the\n"
        "  size of the camera's full picture, never of a preview inside it; where its header\n"
        "  does not tell that size, \"Error\" and the reason. With\n"
        "  more than one file each line starts with the file name as given and \": \". A FILE\n"
        "  that is a folder stands for the pictures directly inside it, as `pelmora convert`\n"
        "  reads it. A JPEG turned a quarter by its EXIF orientation, and a HEIC or AVIF\n"
        "  turned by its own rotation, show their upright size. A recognised picture whose\n"
        "  size cannot be read (a cut-short header, say) shows a size of 0 x 0, as the window\n"
        "  shows it. Each file whose size could not be read is said on standard error with\n"
        "  the reason.\n"
        "  --format FMT  print FMT and a newline for each file read instead, with %w the\n"
        "                width, %h the height, %f the file name as given and %% a \"%\":\n"
        "                --format '%w %h' prints \"640 480\"; files not read print nothing\n"
        "  --json        print one JSON array instead, an object for each file: \"file\",\n"
        "                \"width\", \"height\" and \"format\" (\"jpg\", \"png\", \"gif\", "
        "\"bmp\",\n"
        "                \"webp\", \"tif\", \"heic\", \"avif\", \"heif\"; for a RAW file its\n"
        "                kind in lower case, \"dng\", \"nef\", ...), or \"file\" and\n"
        "                \"error\", the reason\n"
        "  Exit status: 0 when every file was read, 1 when one was not, 2 on a usage error.\n");
}

} // namespace pelmora
