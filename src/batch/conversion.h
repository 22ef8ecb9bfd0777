#pragma once

#include "files/photoplan.h"
#include "photolist/photoentry.h"
#include "result/warning.h"

#include <QSize>
#include <QString>

namespace pelmora {

enum class ConversionStatus {
    Converted,         // every step asked for was done
    Planned,           // a dry run: it would be converted as the plan says
    Failed,            // nothing was written; reason says why
    MissingTargetName, // the target name is empty: nothing was written
    NotStarted,        // the batch was cancelled before this photo
};

// What became of one photo of a batch.
struct ConversionResult {
    ConversionStatus status = ConversionStatus::NotStarted;
    QString reason;          // for the user; empty when converted
    PhotoPlan plan;          // what was done, or would be, once the photo could be planned
    QString finalPath;       // where the converted file is now; empty when there is none
    bool resized = false;    // a new picture was written
    QSize size;              // of the written JPEG when resized
    Warnings warnings;       // converted all the same, but the user should know
    bool numberUsed = false; // renaming on and a target name: the running number advanced
    // Failed before the batch's first photo, its header showing it too large to convert: the
    // drivers told the user so before the conversion started.
    bool refusedForSize = false;

    bool converted() const { return status == ConversionStatus::Converted; }
};

} // namespace pelmora
