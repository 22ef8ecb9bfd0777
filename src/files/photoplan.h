#pragma once

#include "photolist/photoentry.h"
#include "result/result.h"

#include <QString>

namespace pelmora {

// What converting a photo writes.
enum class Output {
    None,    // nothing: the photo stays as it is (in place, keeping its name, not resized)
    Rename,  // the photo itself takes its new name in its own folder
    Copy,    // a copy of the photo's bytes
    Picture, // a new picture, which the resize writes
};

// Where one photo's conversion goes, decided before anything is written.
struct PhotoPlan {
    QString source;      // the photo's file; a symbolic link is followed to the photo it names
    QString destination; // the output's path (the photo's own when nothing is written)
    Output output = Output::None;
    bool inPlace = false;       // the photo itself is converted, in its own folder
    bool replaces = false;      // the output takes the place of a file of its name: the photo
                                // itself, or a same-name file in the output folder (renaming off)
    bool removesSource = false; // a photo converted in place under a new name goes once the
                                // output is there
    bool setsAside = true;      // what the output replaces, and a photo that goes, go to the
                                // trash first (see setAside); off only for a file rewritten alone
};

// Where a photo's output goes: into outputFolder (prepared, ending with its separator) or, when
// it is empty, the photo's own folder; under name (its target name with renaming on, its own
// name with renaming off). Fails for a photo that is missing or is no file, a name that cannot be
// a file's, and an output that would be the photo itself in an output folder that is the photo's
// own folder. Looks at the photo only; see settleDestination.
Result<PhotoPlan> locatePhoto(const PhotoEntry &photo, const QString &outputFolder,
                              const QString &name, bool rename, bool resize);

// Looks at the destination as it is now: with renaming on its name must be free, with renaming
// off a file of that name is replaced. A photo marked read-only is not rewritten in place.
Status settleDestination(PhotoPlan &plan, bool rename);

// One spelling per file location, so that "a//b.jpg", "x/../a/b.jpg" and a linked folder meet.
QString locationKey(const QString &path);

} // namespace pelmora
