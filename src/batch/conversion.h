#pragma once

#include "batch/resizesettings.h"
#include "photolist/photoentry.h"
#include "result/warning.h"

#include <QSize>
#include <QString>

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
    Failed,               // nothing was written; reason says why
    MissingTargetName,    // the target name is empty: nothing was written
    OutputFolderUnusable, // the output folder cannot be created or written: no file was touched
    NotStarted,           // the batch was cancelled before this photo
};

struct ConversionResult {
    ConversionStatus status = ConversionStatus::NotStarted;
    QString reason;       // for the user; empty when converted
    QString finalPath;    // where the converted file is now; empty when there is none
    bool copied = false;  // the output is in an output folder
    bool renamed = false; // the output has a name of its own (renaming on, a name not the photo's)
    bool resized = false;
    QSize size;              // size of the written JPEG when resized
    Warnings warnings;       // converted all the same, but the user should know (see ResizedJpeg)
    bool numberUsed = false; // renaming on and a target name: the running number advances

    bool converted() const { return status == ConversionStatus::Converted; }
};

// Converts one photo as a batch of one does: into the output folder (created when missing) or in
// its own folder, under its target name or its own, resized or not, as the switches say. The
// caller advances the running number when numberUsed is set.
ConversionResult convertPhoto(const ConversionRequest &request);

} // namespace pelmora
