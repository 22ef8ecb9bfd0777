#pragma once

#include "files/photoplan.h"
#include "result/result.h"

#include <QByteArray>
#include <QString>

namespace pelmora {

// A photo file's bytes, read whole.
Result<QByteArray> readPhoto(const QString &path);

// Carries out a plan that writes no picture: the photo takes its new name, or is copied.
Status carryOut(const PhotoPlan &plan);

// Writes a picture (the resized photo's JPEG bytes) to the plan's destination, then lets the
// photo go when the plan says so: it goes only once the picture is whole under its name, and,
// being the user's only copy, on the disk.
Status writePicture(const PhotoPlan &plan, const QByteArray &bytes);

} // namespace pelmora
