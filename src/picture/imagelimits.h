#pragma once

#include "picture/pictureformat.h"
#include "result/result.h"

#include <QSize>
#include <QString>

namespace pelmora {

// The largest photo we decode, by the size its header declares: a 100-megapixel camera file
// converts, a header claiming billions of pixels is refused before anything is allocated.
inline constexpr qint64 kMaxPhotoPixels = 250'000'000;

bool isWithinPhotoLimits(QSize declared);
// Why a photo of that size is refused, naming it.
QString photoTooLargeReason(QSize declared);

// The largest photo we write: a resized photo of more pixels is refused before its original is
// decoded. kLargestLongerSide is the longest side every photo can be resized to within it
// (a square one).
inline constexpr qint64 kMaxOutputPixels = 100'000'000;
inline constexpr int kLargestLongerSide = 10'000;

bool isWithinOutputLimits(QSize output);
// Why an output of that size is refused, naming the limit.
QString outputTooLargeReason(QSize output);

// The largest JPEG decode: a larger photo is decoded at a smaller scale, reduced less (or even
// enlarged a little) after it, so that a photo's work stays within kLargestPictureWork.
inline constexpr qint64 kMaxDecodePixels = 100'000'000;

// The most memory one photo's picture work may take at its peak (decode, reduction, stamp,
// encoding), and the memory the picture work of a batch shares: photos are admitted to the
// workers while their estimates fit in it, and a photo estimated beyond it works alone.
inline constexpr qint64 kLargestPictureWork = 960LL * 1024 * 1024;
inline constexpr qint64 kPictureWorkBudget = 640LL * 1024 * 1024;

// What a photo's picture work takes at its peak: the decoded picture (at bytesPerPixel, what the
// decoder keeps beside its picture and a conversion to RGB32 included), the resized one, and what
// the format's encoder and the metadata keep beside them.
qint64 pictureWorkBytes(QSize decoded, int bytesPerPixel, QSize output,
                        PictureFormat format = PictureFormat::Jpeg);

// The same estimated from a photo's header alone (a JPEG decoded at its reduced scale, any other
// format whole), for admitting photos to the workers before they are read.
qint64 pictureWorkFromHeader(QSize stored, const QString &headerFormat, int longerSide,
                             PictureFormat format = PictureFormat::Jpeg);
// Why a photo whose work would take more than kLargestPictureWork is refused, naming the limit.
QString pictureTooLargeReason(QSize stored);

// Whether a photo whose header declares `stored` can be resized to longerSide (0: its own size),
// as far as its header tells: the refusals of loadPhotoForResize that its size alone decides, with
// the least memory any decoder takes, so a photo refused here is refused there too. A size the
// header does not tell (empty) passes: the photo's own reading decides.
Status checkSizeFromHeader(QSize stored, const QString &headerFormat, int longerSide);

// Qt refuses to allocate images above 256 MB by default; a full-size decode of the largest photo
// we accept needs about 1 GB. Safe to call from any thread, any number of times.
void raiseImageAllocationLimit();

// Every photo allocates a few buffers of several megabytes. By default the C library gives such
// buffers back to the system when they are freed, so the next photo takes every page fresh from
// the kernel again (a page fault and a cleared page per 4 KB: a fifth of a batch's time). Keeps
// freed buffers up to a photo's size for reuse instead; blocks beyond that (a full-size decode of
// a very large photo) still go straight back. Call once at start-up, before any thread runs.
void keepPhotoBuffersForReuse();

} // namespace pelmora
