#include "quietdecoders.h"

#include "picture/decodermessages.h"

#include <QtGlobal>
#include <atomic>
#include <mutex>

namespace pelmora {

namespace {

// What stderr named when the first scope began: where everything that passes goes.
std::atomic<FILE *> passTo{nullptr};

// Set while this thread is inside Qt's message handler: a line of Qt's log, not a decoder's.
thread_local bool inQtLog = false;

QtMessageHandler previousHandler = nullptr;

void markQtLog(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    const bool outer = inQtLog;
    inQtLog = true;
    if (previousHandler)
        previousHandler(type, context, message);
    inQtLog = outer;
}

ssize_t writeUnlessDecoderSpeaks(void *, const char *bytes, size_t size) {
    if (DecoderMessages::collectingOnThisThread() && !inQtLog)
        return ssize_t(size);
    FILE *to = passTo.load();
    const size_t written = std::fwrite(bytes, 1, size, to);
    std::fflush(to);
    return written > 0 ? ssize_t(written) : -1;
}

// One filter for the life of the program: a stream that a library fetched from stderr while a
// scope lived may still be written to after it.
FILE *filterStream() {
#if defined(__GLIBC__)
    static FILE *filter = [] {
        cookie_io_functions_t functions{};
        functions.write = writeUnlessDecoderSpeaks;
        FILE *stream = fopencookie(nullptr, "w", functions);
        if (stream)
            setvbuf(stream, nullptr, _IONBF, 0); // each write reaches the filter on its own thread
        return stream;
    }();
    return filter;
#else
    return nullptr;
#endif
}

} // namespace

QuietDecoders::QuietDecoders() {
    FILE *filter = filterStream();
    if (!filter || stderr == filter)
        return;
    static std::once_flag marking;
    std::call_once(marking, [] { previousHandler = qInstallMessageHandler(markQtLog); });
    std::fflush(stderr);
    m_before = stderr;
    FILE *expected = nullptr;
    passTo.compare_exchange_strong(expected, stderr);
    // glibc lets a program set stderr like any variable, and the libraries read it on each use.
    stderr = filter;
}

QuietDecoders::~QuietDecoders() {
    if (m_before)
        stderr = m_before;
}

} // namespace pelmora
