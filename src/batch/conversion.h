#pragma once

#include "batch/resizesettings.h"
#include "batch/resizetojpeg.h"
#include "files/replacingfile.h"
#include "photolist/photoentry.h"

#include <QSize>
#include <QString>
#include <QStringList>

namespace pelmora {

// One photo to convert, read once from the fields.
struct ConversionRequest {
    PhotoEntry photo;     // the current photo
    QString targetName;   // the name it receives when renaming is on
    QString outputFolder; // as typed; empty: convert the photo itself in its own folder
    bool rename = false;
    bool resize = false;
    ResizeSettings resizeSettings;
};

enum class ConversionStatus {
    Converted,            // every step asked for was done
    Failed,               // a step failed; reason says which and why
    MissingTargetName,    // the target name is empty: the copy is made, nothing renamed or resized
    OutputFolderUnusable, // the output folder cannot be created or written: no file was touched
    NotStarted,           // the batch was cancelled before this photo
};

struct ConversionResult {
    ConversionStatus status = ConversionStatus::NotStarted;
    QString reason;    // for the user; empty when converted
    QString finalPath; // where the converted file is now; empty when there is none
    bool copied = false;
    bool renamed = false;
    bool resized = false;
    QSize size;              // size of the written JPEG when resized
    QStringList warnings;    // converted all the same, but the user should know (see ResizedJpeg)
    bool numberUsed = false; // the rename step was reached with renaming on: advance the number
    // The photo whose file the output shares until the resize rewrites it (see linkReplacing).
    QString linkedFrom;

    bool converted() const { return status == ConversionStatus::Converted; }
};

// Converts one photo: into the output folder (created when missing) as a copy under its own
// name, or the photo itself when no folder is set; then renamed to the target name and resized,
// as the switches say. The caller advances the running number when numberUsed is set.
ConversionResult convertPhoto(const ConversionRequest &request);

// The file steps alone (copy and rename), for an output folder already prepared by
// prepareOutputFolder (ending with its separator, or empty for in place). When a resize follows,
// the copy's bytes would only be read once and replaced, so the copy shares the photo's file
// until the resize writes its own.
ConversionResult convertFileSteps(const PhotoEntry &photo, const QString &targetName,
                                  const QString &preparedFolder, bool rename,
                                  bool resizeFollows = false);

// How the resize writes: the photo itself reaches the disk before it is replaced; a copy in an
// output folder need not wait for it.
Durability resizeDurability(const QString &preparedFolder);

// Whether the file left by the file steps goes on to the resize.
bool needsResize(const ConversionResult &fileSteps);

// Folds the resize of finalPath (the size written, or why not) into the result of the file steps.
void addResizeOutcome(ConversionResult &result, const Result<ResizedPhoto> &resize);

} // namespace pelmora
