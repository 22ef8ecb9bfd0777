#include "decoderchatter.h"

#include "picture/decodermessages.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace pelmora {

namespace {

ssize_t writeUnlessDecoding(void *, const char *bytes, size_t size) {
    if (DecoderMessages::collectingOnThisThread())
        return ssize_t(size);
    size_t done = 0;
    while (done < size) {
        const ssize_t written = ::write(STDERR_FILENO, bytes + done, size - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return done > 0 ? ssize_t(done) : -1;
        done += size_t(written);
    }
    return ssize_t(size);
}

} // namespace

void keepDecoderChatterOffStandardError() {
#if defined(__GLIBC__)
    // glibc lets a program set stderr like any variable, and the libraries read it on each use.
    static FILE *filtered = [] {
        cookie_io_functions_t functions{};
        functions.write = writeUnlessDecoding;
        FILE *file = fopencookie(nullptr, "w", functions);
        if (file)
            setvbuf(file, nullptr, _IONBF, 0); // each write reaches the filter on its own thread
        return file;
    }();
    if (filtered) {
        std::fflush(stderr);
        stderr = filtered;
    }
#endif
}

} // namespace pelmora
