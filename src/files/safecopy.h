#pragma once

#include "result/result.h"

#include <QString>

namespace pelmora {

enum class Copied {
    Written,  // the destination holds the photo's bytes (or is a second name of its file)
    SameFile, // source and destination are one file: nothing was written
};

// True when both paths name one existing file (through a doubled separator, "..", a symbolic
// link or a hard link alike).
bool isSameFile(const QString &a, const QString &b);

// Copies source to destination, replacing a file there. The copy is written to a temporary
// file beside the destination and renamed over it only when complete, so a crash never leaves
// a half-written file under the destination's name. When both name one file, nothing is done:
// the photo is never truncated by copying it onto itself. Keeps the modification time.
Result<Copied> copyReplacing(const QString &source, const QString &destination);

// Like copyReplacing, but the destination becomes a second name of the photo's file (a hard
// link) instead of a copy of its bytes. Only for a destination that is about to be rewritten as
// a new file (the resize), which leaves the photo's file untouched. Fails where the file system
// cannot link (another disk); the caller then copies.
Result<Copied> linkReplacing(const QString &source, const QString &destination);

// Turns a destination made by linkReplacing into a copy of its own, for when it is not rewritten
// after all.
Status unlinkFromSource(const QString &source, const QString &destination);

} // namespace pelmora
