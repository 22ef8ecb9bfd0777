#pragma once

#include <QString>
#include <QStringList>

namespace pelmora {

// How the folders among a command's file arguments are read.
struct FolderReading {
    bool recursive = false; // also the pictures in the folders inside, and theirs
    QString skipped;        // a folder left out wherever it is met (the output folder); or empty
};

// A command's file arguments with each folder replaced by the pictures inside it.
struct PhotoArguments {
    QStringList photos;       // full paths, in order
    QStringList emptyFolders; // the folders given that hold no picture, as full paths
};

// A picture, for a folder's listing: a file whose header the header reader recognises (JPEG,
// PNG, GIF, BMP, WebP, TIFF, HEIF), whatever its name says.
bool isPicture(const QString &path);

// The pictures of a folder, their paths starting with the folder as given, in the order the photo
// list puts a drop of them: by name without regard to letter case, names differing only in case as
// the folder listing gives them (see sortedInsertIndex). Hidden files are left out. With
// `recursive`, each subfolder's pictures follow, the subfolders in the same order, each read the
// same way; hidden folders and symbolic links to folders are not entered.
QStringList picturesInFolder(const QString &folder, const FolderReading &reading);

// Each argument made a full path; a folder (or a symbolic link to one) stands for its pictures,
// a file or a path that names nothing for itself.
PhotoArguments readPhotoArguments(const QStringList &arguments, const FolderReading &reading);

} // namespace pelmora
