#pragma once

#include <QSize>

namespace pelmora {

// The largest photo we decode, by the size its header declares: a 100-megapixel camera file
// converts, a header claiming billions of pixels is refused before anything is allocated.
inline constexpr qint64 kMaxPhotoPixels = 250'000'000;

bool isWithinPhotoLimits(QSize declared);

// Qt refuses to allocate images above 256 MB by default; a full-size decode of the largest photo
// we accept needs about 1 GB. Safe to call from any thread, any number of times.
void raiseImageAllocationLimit();

} // namespace pelmora
