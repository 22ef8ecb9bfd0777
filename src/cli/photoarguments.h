#pragma once

#include "cli/commandarguments.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace pelmora {

// How the folders among a command's file arguments are read.
struct FolderReading {
    bool recursive = false; // also the pictures in the folders inside, and theirs
    QString skipped;        // a folder left out wherever it is met (the output folder); or empty
};

// A photo named among a command's arguments, or met in a folder given, that cannot be read as a
// photo, or a folder given or met that cannot be read: the command says each as a failure with
// its reason, and counts it among the photos that failed.
struct NotRead {
    QString path; // as given, or a folder as given and the names below it; a name that is no
                  // valid UTF-8 with U+FFFD for what cannot be shown
    QString reason;
    bool folder = false; // a folder, not a photo
};

// Why a name that is no valid UTF-8 is not read: Qt names files in UTF-8, so it cannot open it.
QString notUtf8Reason();

// A folder's pictures, and what in it could not be read.
struct FolderContents {
    QStringList pictures; // paths starting with the folder as given
    QList<NotRead> notRead;
};

// The pictures of a folder, their paths starting with the folder as given, in the order the photo
// list puts a drop of them: by name without regard to letter case, names differing only in case as
// the folder listing gives them (see sortedInsertIndex). A picture is a file whose header the
// header reader recognises, whatever its name says; hidden files and other files are left out.
// With `recursive`, each subfolder's pictures follow, the subfolders in the same order, each read
// the same way; hidden folders and symbolic links to folders are not entered. Nothing is left out
// in silence: a picture whose name (or a folder's above it) is no valid UTF-8, a file that cannot
// be opened, and a folder that cannot be read are each in notRead, with the reason; so is the
// folder itself when it holds no picture and nothing of that kind.
FolderContents picturesInFolder(const QString &folder, const FolderReading &reading);

// A command's file arguments with each folder replaced by the pictures inside it.
struct PhotoArguments {
    QStringList photos;     // full paths, in order
    QList<NotRead> notRead; // as full paths: arguments that are no valid UTF-8, and what the
                            // folders given say (see picturesInFolder)
};

// Each argument made a full path; a folder (or a symbolic link to one) stands for its pictures,
// a file or a path that names nothing for itself.
PhotoArguments readPhotoArguments(const CommandArguments &arguments, const FolderReading &reading);

} // namespace pelmora
