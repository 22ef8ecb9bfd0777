#pragma once

#include "batch/conversion.h"
#include "batch/resizesettings.h"
#include "naming/targetname.h"
#include "photolist/photoentry.h"

#include <QList>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>

namespace pelmora {

// How a photo's target name is found.
enum class TargetNaming {
    FollowRenaming, // by the pattern with renaming on, its own name with renaming off (the list)
    Pattern,        // by the pattern, whatever renaming says (photos dropped on the preview:
                    // with renaming off they keep their own names, but a photo that the pattern
                    // leaves without a name is not converted)
    Given,          // as given (the window's current photo, converted alone)
};

// A photo to be resized whose header already shows it too large to convert, and why (its reason
// does not name it).
struct SizeRefusal {
    qsizetype index = 0; // in the request's entries
    QString reason;
};

// Everything a batch needs, read once from the fields (or the command line).
struct BatchRequest {
    QList<PhotoEntry> entries; // in list order
    NamePattern pattern;       // the number is the one for the first entry
    bool rename = false;
    bool resize = false;
    QString outputFolder; // as typed; empty: convert the photos in their own folders
    ResizeSettings resizeSettings;
    int workers = 0; // threads for the pictures; 0: one per core
    TargetNaming naming = TargetNaming::FollowRenaming;
    QString givenTargetName; // with TargetNaming::Given
    // Whose undo history the conversion joins ("window", "command-line"; see journalFolder).
    QString driver = QStringLiteral("command-line");
    // Plans every photo as the conversion would and changes nothing: no file, no folder, no
    // journal.
    bool dryRun = false;
    // The photos refused for their size, as the driver found them (photosRefusedForSize) to tell
    // them before it started; unset: runBatch looks for them itself.
    std::optional<QList<SizeRefusal>> sizeRefusals;
};

struct BatchEntryResult {
    PhotoEntry entry;
    QString targetName; // the entry's target name (see TargetNaming)
    ConversionResult result;
};

struct BatchResult {
    // the batch did not start (an output folder that cannot be used, the metadata module missing)
    QString fatalError;
    bool dryRun = false;             // nothing was done: each entry's result says what would be
    QList<BatchEntryResult> entries; // one per entry of the request, in list order
    QString finalNumber;             // the running number after the batch
    // The conversion's identity in its driver's undo history (the path of its journal, as
    // UndoReport::conversion gives it); empty when it took no file step.
    QString conversion;
    qint64 peakPictureWork = 0; // the most memory the photos at work were estimated to take at once

    bool started() const { return fatalError.isEmpty(); }
    qsizetype convertedCount() const;
    qsizetype failedCount() const; // failed or missing a target name
    qsizetype notStartedCount() const;
};

// Reported once per started entry, in list order, right after its file steps.
struct BatchProgress {
    qsizetype index = 0;
    qsizetype count = 0;
    QString targetName;
    QString numberAfter; // the running number for the next entry
};

using BatchProgressCallback = std::function<void(const BatchProgress &)>;

// The photos of the request that its conversion refuses for their size, as their headers already
// show, in list order: only with resizing on and a longer side that can be read; a photo without
// a target name, a RAW file (never resized) and a header that tells no size are left to their
// own turn. The drivers tell these before the conversion starts; runBatch fails them up front.
QList<SizeRefusal> photosRefusedForSize(const BatchRequest &request);

// Converts the entries in list order exactly as converting them one by one would: same files,
// same names, same final number, including name collisions inside the batch. Every file step
// runs on the calling thread, in list order, through the conversion's transaction; the pictures
// are made on a private thread pool meanwhile, a few photos ahead, as many at once as the memory
// their headers let one estimate fits kPictureWorkBudget. Progress is called on the calling
// thread after each photo. When cancel is set, the photos after the one being converted are left
// untouched and reported as NotStarted (pictures already being made for them are finished and
// thrown away). A photo that fails never stops the batch: the photos refused for their size
// (photosRefusedForSize) fail before the first photo is touched, marked refusedForSize, and
// keep their names and numbers, as any failed photo does. An output folder that cannot be made
// stops the batch before any photo is touched, and so does a resize that would carry metadata
// without the metadata module. A resized photo is written in the format its new name's
// extension asks for (pictureFormatForName); one whose name asks for a format we do not write
// fails, unwritten.
BatchResult runBatch(const BatchRequest &request, const BatchProgressCallback &progress = {},
                     const std::atomic<bool> *cancel = nullptr);

} // namespace pelmora
