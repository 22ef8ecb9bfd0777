#include "commandline.h"

#include "cli/commandarguments.h"
#include "cli/convertcommand.h"
#include "cli/sizecommand.h"
#include "cli/undocommand.h"
#include "cli/windowarguments.h"
#include "picture/designedfont.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <vector>

namespace pelmora {

namespace {

QString generalHelp() {
    return QStringLiteral(
               "Pelmora %1 - renames and resizes photos in batches.\n"
               "\n"
               "usage:\n"
               "  pelmora [--] [FILE...]         open the window, with FILEs on the photo list\n"
               "  pelmora convert [OPTIONS] FILE...\n"
               "                                 rename and resize photos in the given order\n"
               "  pelmora size [--format FMT | --json] FILE...\n"
               "                                 print the pixel size read from each header\n"
               "  pelmora undo [--dry-run | --give-up]\n"
               "                                 take the last `pelmora convert` back\n"
               "  pelmora --help                 show this help (also -h)\n"
               "  pelmora --version              show the version\n"
               "\n"
               "  The window takes no option: a FILE whose name starts with \"-\" goes after\n"
               "  \"--\", and a word that is neither a command nor an existing file is refused.\n"
               "  Exit status of a usage error: 2.\n"
               "\n")
               .arg(QStringLiteral(PELMORA_VERSION)) +
           convertCommandHelp() + QStringLiteral("\n") + sizeCommandHelp() + QStringLiteral("\n") +
           undoCommandHelp();
}

// Outside a desktop session (a terminal on a server, a script) the session's runtime folder may
// be unset; the offscreen platform then warns on every run. A private folder of the user's own,
// as Qt would choose, keeps standard error for the command's own messages.
void ensureRuntimeFolder() {
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        return;
    const QString folder =
        QDir::tempPath() + QStringLiteral("/runtime-") + qEnvironmentVariable("USER", "pelmora");
    if (QDir().mkpath(folder)) {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
    }
}

// Only a signature needs fonts, and so the GUI application; a plain application starts and,
// above all, quits faster (the GUI one loads the whole font configuration only to release it).
bool drawsText(int argc, char **argv) {
    for (int i = 2; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--")
            return false;
        if (arg == "--signature" || arg.startsWith("--signature="))
            return true;
    }
    return false;
}

bool isCommand(const char *arg) {
    const QByteArray a(arg);
    return a == "convert" || a == "size" || a == "undo" || a == "--help" || a == "-h" ||
           a == "help" || a == "--version";
}

} // namespace

CommandLineOutcome runCommandLine(int argc, char **argv) {
    if (argc < 2 || !isCommand(argv[1])) {
        const WindowArguments window = readWindowArguments(decodeArguments(argv + 1, argv + argc));
        if (window.usageError.isEmpty())
            return CommandLineOutcome{std::nullopt, window.photos};
        QTextStream(stderr) << "pelmora: " << window.usageError << '\n'
                            << "Try 'pelmora --help' for the commands and options.\n";
        return CommandLineOutcome{2, {}};
    }

    // The commands may draw text and encode pictures but never open a window. The application
    // sees none of the command's own arguments: Qt would take some (-reverse, -style) as its own.
    const bool needsFonts = drawsText(argc, argv);
    char platformOption[] = "-platform";
    char platformName[] = "offscreen";
    std::vector<char *> args{argv[0]};
    if (needsFonts) {
        args.insert(args.end(), {platformOption, platformName});
        ensureRuntimeFolder();
    }
    args.push_back(nullptr);
    int count = static_cast<int>(args.size()) - 1;
    const std::unique_ptr<QCoreApplication> app =
        needsFonts ? std::make_unique<QGuiApplication>(count, args.data())
                   : std::make_unique<QCoreApplication>(count, args.data());
    QCoreApplication::setApplicationName(QStringLiteral("pelmora"));
    // The decoders' own warnings about damaged files would mix with the command's report,
    // which already names every photo that failed and why: those that come through Qt's log
    // outside a photo's decode are switched off, and those inside it are collected by the picture
    // work (DecoderMessages). A library that prints on its own with no hook to stop it (libpng's
    // errors inside Qt's PNG reader) is left to say its piece.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
    if (needsFonts)
        installFontSubstitutes();

    const QByteArray command(argv[1]);
    const CommandArguments arguments = decodeArguments(argv + 2, argv + argc);
    if (command == "convert")
        return CommandLineOutcome{runConvertCommand(arguments), {}};
    if (command == "size")
        return CommandLineOutcome{runSizeCommand(arguments), {}};
    if (command == "undo")
        return CommandLineOutcome{runUndoCommand(arguments.texts), {}};
    if (command == "--version") {
        QTextStream(stdout) << "pelmora " PELMORA_VERSION "\n";
        return CommandLineOutcome{0, {}};
    }
    QTextStream(stdout) << generalHelp();
    return CommandLineOutcome{0, {}};
}

} // namespace pelmora
