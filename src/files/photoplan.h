#pragma once

#include "photolist/photoentry.h"
#include "result/result.h"

#include <QSet>
#include <QString>

namespace pelmora {

// What converting a photo does on the disk. "The photo" is the list entry's file; a symbolic link
// on the list is the photo as far as names go, and the file it names only gives the bytes.
enum class PhotoAction {
    Keep,             // nothing: in place, under its own name, not resized
    Rename,           // the photo takes its new name in its own folder
    Copy,             // its bytes go to a new file at the destination
    CopyOver,         // ... in place of a file of that name there (renaming off), set aside first
    CopyAndSetAside,  // ... in the photo's own folder, and the photo (a link) is set aside after
    Write,            // a new picture goes to a new file at the destination
    WriteOver,        // ... in place of the file there (the photo itself, or a same-name file in
                      //     the output folder), which is set aside first
    WriteAndSetAside, // ... in the photo's own folder under its new name, and the photo is set
                      //     aside once the picture is there
};

// One photo's conversion, decided before anything is written.
struct PhotoPlan {
    QString photo;       // the photo as listed (a symbolic link stays the link)
    QString source;      // the file whose bytes are read (the photo, or the file a link names)
    QString destination; // the output's path; the photo's own when nothing is written
    PhotoAction action = PhotoAction::Keep;

    bool writesPicture() const;
    bool copies() const;
    // The file at the destination is set aside before the output takes its name.
    bool replacesDestination() const;
    // The photo is set aside after its output has taken its name.
    bool setsAsidePhoto() const;
    // Whether something is set aside: the output then stands for the user's only copy and
    // reaches the disk before its name is given.
    bool setsAside() const { return replacesDestination() || setsAsidePhoto(); }
};

// What the earlier photos of a conversion do to the disk, so that a photo is planned as it will
// find the disk (a name an earlier photo takes is taken, a photo an earlier one moved away is
// gone), and never replaces or removes what an earlier photo wrote. Files are known by
// locationKey.
class ConversionChanges {
public:
    bool exists(const QString &path) const;
    bool written(const QString &path) const;
    void add(const PhotoPlan &plan);

private:
    QSet<QString> m_written;
    QSet<QString> m_gone;
};

// What the conversion is asked to do with every photo.
struct PlanSettings {
    QString outputFolder; // checked, ending with its separator; empty: the photos' own folders
    bool rename = false;
    bool resize = false;
};

// Plans one photo's conversion under name (its target name with renaming on, its own name with
// renaming off): into the output folder or, without one, in the photo's own folder. Fails for a
// photo that is missing or is no file, a name that cannot be a file's, a taken name with renaming
// on, an output that would be the photo itself in an output folder that is the photo's own
// folder, a read-only photo that would be rewritten, and an output that would replace or remove
// what an earlier photo of the conversion wrote.
Result<PhotoPlan> planPhoto(const PhotoEntry &photo, const QString &name,
                            const PlanSettings &settings, const ConversionChanges &earlier);

// One spelling per file location, so that "a//b.jpg", "x/../a/b.jpg" and a linked folder meet.
QString locationKey(const QString &path);

} // namespace pelmora
