#pragma once

// Photos converted by the batch runner, as the window and the command line convert them; for the
// tests that link the batch library.

#include "batch/batchrunner.h"

#include <QString>

namespace testsupport {

// The photo at path resized over itself: in place, its name kept, as
// `pelmora convert --in-place --no-rename --resize` does.
inline pelmora::ConversionResult resizeInPlace(const QString &path,
                                               const pelmora::ResizeSettings &settings) {
    pelmora::BatchRequest request;
    request.entries = {pelmora::splitPath(path)};
    request.resize = true;
    request.resizeSettings = settings;
    return pelmora::runBatch(request).entries.first().result;
}

} // namespace testsupport
