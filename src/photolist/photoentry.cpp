#include "photoentry.h"

namespace pelmora {

namespace {

bool isSeparator(QChar c) {
#ifdef Q_OS_WIN
    return c == u'/' || c == u'\\';
#else
    return c == u'/';
#endif
}

} // namespace

PhotoEntry splitPath(const QString &path) {
    qsizetype k = path.size();
    while (k > 0 && !isSeparator(path[k - 1]))
        --k;
    return PhotoEntry{path.left(k), path.mid(k)};
}

QString withTrailingSeparator(const QString &folder) {
    if (folder.isEmpty() || isSeparator(folder.back()))
        return folder;
    return folder + u'/';
}

} // namespace pelmora
