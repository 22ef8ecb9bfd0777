#include "undocommand.h"

#include "files/undojournal.h"

#include <QTextStream>

namespace pelmora {

int runUndoCommand(const QStringList &arguments) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    bool dryRun = false;
    for (const QString &argument : arguments) {
        if (argument == u"--dry-run") {
            dryRun = true;
        } else if (argument == u"--help" || argument == u"-h") {
            out << undoCommandHelp();
            return 0;
        } else {
            err << "pelmora undo: unknown argument " << argument << "\n"
                << "usage: pelmora undo [--dry-run]\n";
            return 2;
        }
    }

    const QString journal = undoJournalPath(QStringLiteral("command-line"));
    if (!hasUndo(journal)) {
        out << "nothing to undo\n";
        return 0;
    }
    const Result<UndoReport> report = undoLastConversion(journal, dryRun);
    if (!report) {
        err << "pelmora undo: " << report.reason() << '\n';
        return 1;
    }
    for (const QString &step : report->done)
        out << (dryRun ? "would " : "") << step << '\n';
    for (const QString &refused : report->refused)
        err << (dryRun ? "would leave alone: " : "left alone: ") << refused << '\n';
    out << (dryRun ? "would undo " : "undone ") << report->done.size() << ", left "
        << report->refused.size() << ", number " << (dryRun ? "would go " : "") << "back to "
        << report->numberBefore << '\n';
    return report->refused.isEmpty() ? 0 : 1;
}

QString undoCommandHelp() {
    return QStringLiteral(
        "pelmora undo [--dry-run]\n"
        "  Takes the last `pelmora convert` back, step by step from the last: removes the\n"
        "  files it wrote, gives renamed photos their names back and brings the files it\n"
        "  replaced back from the trash. A file changed since is left alone and said so.\n"
        "  Prints each step, then \"undone N, left M, number back to K\" (the running number\n"
        "  the conversion started from). A second undo finds nothing to undo.\n"
        "\n"
        "  --dry-run         only list what would be undone\n"
        "\n"
        "  Exit status: 0 all undone (or nothing to undo), 1 some steps left alone.\n");
}

} // namespace pelmora
