#pragma once

#include "result/result.h"

#include <QString>

namespace pelmora {

// Whether a text can be the name of a file in a folder: not empty, "." or "..", and without a
// path separator or a null character.
Status checkFileName(const QString &name);

} // namespace pelmora
