#pragma once

#include "result/result.h"

#include <QString>

namespace pelmora {

// Makes the output folder typed as text ready, and gives it ending with its separator. An empty
// text means "convert in place" and gives an empty folder; any other text is created with every
// missing parent. A folder that cannot be created or is not writable is a failure, never a silent
// switch to the original photos.
Result<QString> prepareOutputFolder(const QString &text);

} // namespace pelmora
