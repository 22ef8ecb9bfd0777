#include "undocommand.h"

#include "files/journal.h"
#include "files/undo.h"

#include <QTextStream>

namespace pelmora {

int runUndoCommand(const QStringList &arguments) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    bool dryRun = false;
    bool giveUp = false;
    for (const QString &argument : arguments) {
        if (argument == u"--dry-run") {
            dryRun = true;
        } else if (argument == u"--give-up") {
            giveUp = true;
        } else if (argument == u"--help" || argument == u"-h") {
            out << undoCommandHelp();
            return 0;
        } else {
            err << "pelmora undo: unknown argument " << argument << "\n"
                << "usage: pelmora undo [--dry-run | --give-up]\n";
            return 2;
        }
    }
    const QString folder = journalFolder(QStringLiteral("command-line"));
    if (giveUp && dryRun) {
        err << "pelmora undo: --give-up and --dry-run cannot be used together\n";
        return 2;
    }
    if (giveUp) {
        if (Status given = giveUpNewestConversion(folder); !given) {
            err << "pelmora undo: " << given.reason() << '\n';
            return 1;
        }
        out << "gave up the unfinished undo; what it left stays where it is, and the next undo "
               "takes back the conversion before\n";
        return 0;
    }

    const Result<UndoReport> report = undoNewestConversion(folder, dryRun);
    if (!report) {
        err << "pelmora undo: " << report.reason() << '\n';
        return 1;
    }
    if (!report->found) {
        out << "nothing to undo\n";
        return 0;
    }
    for (const QString &step : report->done)
        out << (dryRun ? "would " : "") << step << '\n';
    if (report->retried)
        err << "pelmora undo: taking up again the undo that was left unfinished\n";
    for (const QString &refused : report->refused)
        err << (dryRun ? "would leave as it is: " : "still in the way: ") << refused << '\n';
    if (report->unreadable > 0)
        err << "pelmora undo: " << report->unreadable
            << (report->unreadable == 1 ? " step" : " steps")
            << " of the record could not be read\n";
    out << (dryRun ? "would undo " : "undone ") << report->photosBack.size()
        << (report->photosBack.size() == 1 ? " photo" : " photos") << ", left "
        << report->refused.size() << ", number " << (dryRun ? "would go " : "") << "back to "
        << report->numberBefore << '\n';
    if (!report->complete() && !dryRun)
        err << "pelmora undo: the undo is not finished: once what is in the way is gone, run "
               "pelmora undo again to go on, or pelmora undo --give-up to leave it so\n";
    return report->complete() ? 0 : 1;
}

QString undoCommandHelp() {
    return QStringLiteral(
               "pelmora undo [--dry-run | --give-up]\n"
               "  Takes back the newest `pelmora convert` not undone yet; run again, it takes\n"
               "  back the one before, up to the last %1 conversions. A conversion still running\n"
               "  is never touched. Photo by photo, the files a conversion replaced or removed\n"
               "  come back from the trash (or from their hidden backups) first, and only when\n"
               "  they still hold what was set aside; then the files it wrote go, while they hold\n"
               "  what it wrote; renamed photos get their names back; folders it made and left\n"
               "  empty go. What cannot come back, or was changed since, is left as it is and\n"
               "  said, with where it is. An undo that was stopped, or that left something\n"
               "  behind, stays the one to finish: the next pelmora undo goes on with it (the\n"
               "  photos already back count as back) until it completes or is given up.\n"
               "  Prints each step, then \"undone N photos, left M, number back to K\" (the\n"
               "  running number the conversion started from).\n"
               "  On a disk without a usable trash, a conversion keeps what it replaces as hidden\n"
               "  files .pelmora-XXXXXXXX.bak beside it; they go with its record, once %1 newer\n"
               "  conversions have been made.\n"
               "\n"
               "  --dry-run         only list what would be undone\n"
               "  --give-up         stop trying to finish an undo that left something behind:\n"
               "                    what it left stays where it is (the originals in the trash or\n"
               "                    their backups, the converted files), and the next undo takes\n"
               "                    back the conversion before\n"
               "\n"
               "  Exit status: 0 all undone (or nothing to undo), 1 something is still in the way\n"
               "  or the history cannot be read, 2 a usage error.\n")
        .arg(kConversionsKept);
}

} // namespace pelmora
