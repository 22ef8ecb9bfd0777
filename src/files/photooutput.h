#pragma once

#include "files/photoplan.h"
#include "files/undojournal.h"
#include "result/result.h"

#include <QByteArray>
#include <QString>

namespace pelmora {

// A photo file's bytes, read whole.
Result<QByteArray> readPhoto(const QString &path);

// Carries out a plan that writes no picture: the photo takes its new name, or is copied. Each step
// is recorded in the journal, when one is given, before it is taken.
Status carryOut(const PhotoPlan &plan, UndoJournal *journal);

// Writes a picture (the resized photo's JPEG bytes) to the plan's destination, then lets the
// photo go when the plan says so: it goes only once the picture is whole under its name, and,
// being the user's only copy, on the disk. A file the picture replaces, and the photo that goes,
// are set aside (the trash) first. On failure the disk is as it was.
Status writePicture(const PhotoPlan &plan, const QByteArray &bytes, UndoJournal *journal);

} // namespace pelmora
