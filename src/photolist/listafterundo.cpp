#include "listafterundo.h"

#include <QHash>
#include <QSet>
#include <vector>

namespace pelmora {

namespace {

QSet<QString> pathsOf(const QList<PhotoEntry> &entries) {
    QSet<QString> paths;
    for (const PhotoEntry &entry : entries)
        paths.insert(entry.path());
    return paths;
}

} // namespace

QList<PhotoEntry> listAfterUndo(const QList<PhotoEntry> &listed, const QList<PhotoEntry> &before,
                                const QList<PhotoEntry> &back) {
    QHash<QString, qsizetype> rowOf; // the first row of each listed photo
    for (qsizetype row = listed.size() - 1; row >= 0; --row)
        rowOf.insert(listed[row].path(), row);
    QSet<QString> missing = pathsOf(back);
    for (auto it = rowOf.cbegin(); it != rowOf.cend(); ++it)
        missing.remove(it.key());

    // What goes back after each listed row (slot 0: before the first), in the order of `before`.
    std::vector<QList<PhotoEntry>> after(listed.size() + 1);
    qsizetype slot = 0;
    for (const PhotoEntry &entry : before) {
        const QString path = entry.path();
        if (const auto row = rowOf.constFind(path); row != rowOf.cend())
            slot = *row + 1;
        else if (missing.remove(path))
            after[slot].append(entry);
    }
    QList<PhotoEntry> list = after[0];
    for (qsizetype row = 0; row < listed.size(); ++row)
        list << listed[row] << after[row + 1];
    return list;
}

QList<PhotoEntry> listAfterUndo(const QList<PhotoEntry> &listed, const QList<PhotoEntry> &back) {
    QSet<QString> present = pathsOf(listed);
    QList<PhotoEntry> list = listed;
    for (const PhotoEntry &entry : back) {
        if (!present.contains(entry.path())) {
            present.insert(entry.path());
            list.append(entry);
        }
    }
    return list;
}

} // namespace pelmora
