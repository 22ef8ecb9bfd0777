#pragma once

#include "batch/resizesettings.h"
#include "files/photoplan.h"
#include "files/undojournal.h"
#include "result/result.h"
#include "result/warning.h"

#include <QSize>
#include <QString>

namespace pelmora {

struct ResizedPhoto {
    QSize size;        // of the JPEG written
    Warnings warnings; // see ResizedJpeg
};

// Decodes the photo the plan names, turns it upright, scales it so that its longer side is the
// length in settings.longerSide, stamps the signature and writes it as a JPEG where the plan
// says, straight from the original: on any failure nothing has changed on the disk.
Result<ResizedPhoto> ResizeToJpeg(const PhotoPlan &plan, const ResizeSettings &settings,
                                  UndoJournal *journal = nullptr);

// The same for the file at path, rewritten over itself (nothing set aside, nothing recorded).
Result<ResizedPhoto> ResizeToJpeg(const QString &path, const ResizeSettings &settings);

} // namespace pelmora
