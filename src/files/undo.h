#pragma once

#include "result/result.h"

#include <QString>
#include <QStringList>

namespace pelmora {

// What undoing a conversion did, or would do.
struct UndoReport {
    bool found = false;     // there was a conversion to undo
    QString conversion;     // which one: the path of its journal (see BatchResult::conversion)
    bool retried = false;   // an earlier undo of this conversion left something behind
    QString numberBefore;   // the running number the conversion started from
    QStringList photosBack; // the photos, as they were listed, that are back as they were before
                            // the conversion, in list order
    QStringList done;       // one line per step taken ("remove ...", "bring back ...")
    QStringList refused;    // one line per file left as it is: why, and where it is
    int unreadable = 0;     // lines of the record that could not be read

    bool complete() const { return refused.isEmpty() && unreadable == 0; }
};

// Undoes the newest conversion in journalFolder (see journalFolder) not undone yet; a conversion
// still running is never touched. A conversion stays the newest not undone until an undo of it
// completes or the user gives it up (giveUpNewestConversion): an undo that leaves something
// behind is taken up again by the next, which counts the photos already back as back. A history,
// or a journal, that cannot be read is a failure, never "nothing to undo". Photo by photo, from the
// last: what the conversion set aside comes back first, and only a file that is still in a trash or
// one of our backups and holds what was recorded; an output goes only once the original is back, or
// where nothing was replaced, and only while it holds what was written; renamed photos get their
// names back; the temporary files of a conversion that was killed go; folders it made and left
// empty go. What cannot be proven stays where it is and is reported. Every step is recorded, so an
// undo that was stopped goes on where it was. With dryRun nothing is changed.
Result<UndoReport> undoNewestConversion(const QString &journalFolder, bool dryRun = false);

// Whether journalFolder holds a conversion that undo would take back.
Result<bool> hasConversionToUndo(const QString &journalFolder);

// Gives up undoing the newest conversion not undone yet, one that an earlier undo left unfinished:
// the next undo goes to the conversion before it. What that undo left stays where it is (the
// report said where), and so does the conversion's journal, with its hidden backups, until
// kConversionsKept newer conversions have been made. Fails for a conversion no undo was tried on.
Status giveUpNewestConversion(const QString &journalFolder);

// Forgets the conversions in journalFolder beyond the newest keep (not those still running):
// their journals go, and the hidden backups they kept, each only while it is the file recorded.
void forgetOldConversions(const QString &journalFolder, int keep);

} // namespace pelmora
