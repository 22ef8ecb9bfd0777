#pragma once

#include "photolist/photoentry.h"

#include <QList>

namespace pelmora {

// The list after an undo brought photos back: `listed` (the list now) with every photo of `back`
// that is not on it put back at its place in `before` (the list as the undone conversion found
// it): after the entry that came before it there, where that entry is still listed, and in the
// order `before` had. Entries of `listed` keep their order; no photo is listed twice by it. A
// photo back that `before` did not list stays off the list, as it was.
QList<PhotoEntry> listAfterUndo(const QList<PhotoEntry> &listed, const QList<PhotoEntry> &before,
                                const QList<PhotoEntry> &back);

// The same where the list before the conversion is not known (the window was opened since): the
// photos back that are not listed follow the list, in the order the conversion took them.
QList<PhotoEntry> listAfterUndo(const QList<PhotoEntry> &listed, const QList<PhotoEntry> &back);

} // namespace pelmora
