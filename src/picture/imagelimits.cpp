#include "imagelimits.h"

#include <QCoreApplication>
#include <QImageReader>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace pelmora {

bool isWithinPhotoLimits(QSize declared) {
    return declared.width() > 0 && declared.height() > 0 &&
           qint64(declared.width()) * declared.height() <= kMaxPhotoPixels;
}

bool isWithinOutputLimits(QSize output) {
    return qint64(output.width()) * output.height() <= kMaxOutputPixels;
}

QString outputTooLargeReason(QSize output) {
    return QCoreApplication::translate(
               "pelmora", "the resized photo would be %1 x %2 pixels, more than %3 megapixels")
        .arg(output.width())
        .arg(output.height())
        .arg(kMaxOutputPixels / 1'000'000);
}

void raiseImageAllocationLimit() {
    static const bool raised = [] {
        constexpr int megabytes = int(kMaxPhotoPixels * 4 / (1024 * 1024)) + 64;
        const int current = QImageReader::allocationLimit();
        if (current != 0 && current < megabytes) // 0 means no limit: leave it
            QImageReader::setAllocationLimit(megabytes);
        return true;
    }();
    Q_UNUSED(raised);
}

void keepPhotoBuffersForReuse() {
#if defined(__GLIBC__)
    constexpr int largestReused = 64 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, largestReused);
    mallopt(M_TRIM_THRESHOLD, 2 * largestReused);
#endif
}

} // namespace pelmora
