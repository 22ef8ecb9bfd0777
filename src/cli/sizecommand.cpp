#include "sizecommand.h"

#include "imagesize/imagesize.h"

#include <QTextStream>

namespace pelmora {

namespace {

QString sizeUsage() {
    return QStringLiteral("usage: pelmora size [--] FILE...\n");
}

} // namespace

int runSizeCommand(const QStringList &arguments) {
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList files;
    bool options = true;
    for (const QString &argument : arguments) {
        if (options && argument == u"--") {
            options = false;
        } else if (options && (argument == u"--help" || argument == u"-h")) {
            out << sizeCommandHelp();
            return 0;
        } else if (options && argument.size() > 1 && argument.startsWith(u'-')) {
            err << "pelmora size: unknown option " << argument << "\n" << sizeUsage();
            return 2;
        } else {
            files << argument;
        }
    }
    if (files.isEmpty()) {
        err << "pelmora size: no file given\n" << sizeUsage();
        return 2;
    }

    bool allRead = true;
    for (const QString &file : files) {
        const std::optional<ImageHeader> header = ReadImageSize(file);
        allRead = allRead && header.has_value();
        if (files.size() > 1)
            out << file << ": ";
        out << sizeDisplayText(header) << "\n";
    }
    out.flush();
    return allRead ? 0 : 1;
}

QString sizeCommandHelp() {
    return QStringLiteral(
        "pelmora size [--] FILE...\n"
        "  Prints the pixel size read from each file's header, as the window's size display\n"
        "  shows it: \"ImageSze Width: 640  Height: 480\", or \"Error\" when the file cannot be\n"
        "  read or is no JPEG, GIF, BMP, PNG, WebP, TIFF, HEIC or AVIF picture. With more\n"
        "  than one FILE each line starts with the file name as given and \": \". A JPEG\n"
        "  turned a quarter by its EXIF orientation, and a HEIC or AVIF turned by its own\n"
        "  rotation, show their upright size. A recognised picture whose size cannot be read\n"
        "  (a cut-short header, say) shows a size of 0 x 0.\n"
        "  Exit status: 0 when every file was read, 1 when one was not, 2 on a usage error.\n");
}

} // namespace pelmora
