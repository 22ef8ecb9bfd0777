#pragma once

#include "result/result.h"

#include <QString>

namespace pelmora {

// Checks the output folder typed as text before anything is written, and gives it ending with
// its separator. An empty text means "convert in place" and gives an empty folder. A folder that
// is missing must be one that can be made (the conversion makes it when it first writes there);
// one that is a file, or that cannot be written, is a failure, never a silent switch to the
// original photos.
Result<QString> checkOutputFolder(const QString &text);

} // namespace pelmora
