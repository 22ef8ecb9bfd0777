#pragma once

#include <cstdio>

namespace pelmora {

// While an object of this class lives, what an image decoder prints to C's standard error
// itself while a thread decodes a photo is dropped: libpng, for one, prints "libpng error: ..."
// there before Qt learns that a PNG failed, and the driver says each photo's outcome once, in
// its own words. Only those lines go: whatever the program's own code, Qt's log or any thread
// outside a decode writes passes unchanged, and so does the decode's own Qt log, which the
// picture work collects (DecoderMessages). A driver (the command line's conversion, the window)
// makes one for as long as it decodes photos; standard error is as it was once it is gone.
//
// The standard error stream's file descriptor stays the terminal or pipe it was: test it
// (isatty(STDERR_FILENO)), not the descriptor of C's stderr, which stands for the filter meanwhile.
class QuietDecoders {
public:
    QuietDecoders();
    ~QuietDecoders();
    QuietDecoders(const QuietDecoders &) = delete;
    QuietDecoders &operator=(const QuietDecoders &) = delete;

private:
    FILE *m_before = nullptr; // what stderr named before; null when nothing was changed
};

} // namespace pelmora
