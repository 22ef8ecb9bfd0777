#include "listmemory.h"

#include "files/journal.h"
#include "photolist/listafterundo.h"

void ListMemory::conversionStarting(QList<pelmora::PhotoEntry> list) {
    m_starting = std::move(list);
}

void ListMemory::conversionEnded(const QString &conversion) {
    if (!conversion.isEmpty()) {
        m_lists.append({conversion, std::move(m_starting)});
        // Older conversions can no longer be undone.
        if (m_lists.size() > pelmora::kConversionsKept)
            m_lists.removeFirst();
    }
    m_starting.clear();
}

QList<pelmora::PhotoEntry> ListMemory::listAfterUndo(const QList<pelmora::PhotoEntry> &listed,
                                                     const pelmora::UndoReport &report) const {
    QList<pelmora::PhotoEntry> back;
    for (const QString &path : report.photosBack)
        back.append(pelmora::splitPath(path));
    for (const auto &[conversion, before] : m_lists) {
        if (conversion == report.conversion)
            return pelmora::listAfterUndo(listed, before, back);
    }
    return pelmora::listAfterUndo(listed, back);
}

void ListMemory::forget(const QString &conversion) {
    m_lists.removeIf([&](const auto &remembered) { return remembered.first == conversion; });
}
