#pragma once

#include <QString>

namespace pelmora {

// Where the converted files go: a folder that exists and takes new files, or nothing at all
// (the photos are converted in their own folders).
struct OutputFolderResult {
    bool ok = false;
    QString folder; // ends with its separator; empty when the photos are converted in place
    QString error;  // why the folder cannot be used; empty when ok
};

// Makes the output folder typed as text ready: an empty text means "convert in place"; any
// other text is created with every missing parent. A folder that cannot be created or is not
// writable is a failure, never a silent switch to the original photos.
OutputFolderResult prepareOutputFolder(const QString &text);

} // namespace pelmora
