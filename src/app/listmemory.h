#pragma once

#include "files/undo.h"
#include "photolist/photoentry.h"

#include <QList>
#include <QString>
#include <utility>

// The photo list as it was when each of the window's conversions started, kept by the
// conversion's identity in the undo history, so that undoing a conversion gives the list back as
// that conversion found it: the photos that come back at their places, in their order.
class ListMemory {
public:
    // The list as a conversion starting now finds it.
    void conversionStarting(QList<pelmora::PhotoEntry> list);
    // That conversion has ended as `conversion` (empty: it took no file step; nothing to undo).
    void conversionEnded(const QString &conversion);

    // The list `listed` once the undo `report` has brought its photos back. Without a memory of
    // the conversion (the window was opened since), the photos back follow the list.
    QList<pelmora::PhotoEntry> listAfterUndo(const QList<pelmora::PhotoEntry> &listed,
                                             const pelmora::UndoReport &report) const;
    // Forgets a conversion that is undone, or given up.
    void forget(const QString &conversion);

private:
    QList<pelmora::PhotoEntry> m_starting;
    QList<std::pair<QString, QList<pelmora::PhotoEntry>>> m_lists; // the newest last
};
